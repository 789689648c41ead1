#include "memberlist.h"

#include "object.h"

namespace VBScript {

MemberList::MemberList(std::initializer_list<std::pair<const char *, int>> members)
{
    for (const auto &member : members) {
        m_ids.insert(QString::fromLatin1(member.first), member.second);
    }
}

int MemberList::find(const QString &lowerName) const
{
    return m_ids.value(lowerName, Object::noMember);
}

} // namespace VBScript
