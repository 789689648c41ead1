#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace Scripter {

// The tags that are taken in a declaration, for reading many definitions in one go: whether a
// tag is taken, and the free copy name of a taken one, are answered in constant time however
// many definitions there are.
class TagIndex
{
public:
    explicit TagIndex(const QStringList &taken);

    bool contains(const QString &tag) const { return m_taken.contains(tag); }
    // `tag` when it is free, otherwise the first free one of `tag` + "_Copy", "_Copy1",
    // "_Copy2", ...; the result is taken from then on.
    QString claim(const QString &tag);

private:
    QSet<QString> m_taken;
    // For a tag that was copied before: the number of the next copy name to try (0 is "_Copy").
    QHash<QString, int> m_nextCopy;
};

} // namespace Scripter
