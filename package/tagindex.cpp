#include "tagindex.h"

namespace Scripter {

TagIndex::TagIndex(const QStringList &taken)
    : m_taken(taken.cbegin(), taken.cend())
{}

QString TagIndex::claim(const QString &tag)
{
    QString result = tag;
    if (m_taken.contains(tag)) {
        const QString copy = tag + QStringLiteral("_Copy");
        // Names taken by earlier copies of the same tag are not tried again.
        int &next = m_nextCopy[tag];
        for (;;) {
            result = next == 0 ? copy : copy + QString::number(next);
            ++next;
            if (!m_taken.contains(result)) {
                break;
            }
        }
    }
    m_taken.insert(result);
    return result;
}

} // namespace Scripter
