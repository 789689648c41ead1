#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace Scripter {

class PackageListing;
class PackageSession;

// What `info` tells about an opened package: its manifest (never the password), element name,
// languages, protection, the property definitions with their editors and defaults, the entry
// points that the declaration lists, and the fixture beside the package. The text form is
// rendered from the JSON form, so both always say the same.
class PackageInfo
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::PackageInfo)

public:
    PackageInfo(const PackageSession &session, const PackageListing &listing);

    QJsonObject toJson() const { return m_json; }
    QString toText() const;

private:
    QJsonObject m_json;
    // The manifest's fields in the order of the file; JSON objects sort their keys.
    QStringList m_manifestKeys;
};

} // namespace Scripter
