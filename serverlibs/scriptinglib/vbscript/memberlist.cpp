#include "memberlist.h"

#include "object.h"

namespace VBScript {

MemberList::MemberList(Entries members)
{
    for (const auto &member : members) {
        m_ids.insert(QString::fromLatin1(member.first), member.second);
    }
}

MemberList::MemberList(const MemberList &base, Entries more)
    : MemberList(more)
{
    m_ids.insert(base.m_ids);
}

int MemberList::find(const QString &lowerName) const
{
    return m_ids.value(lowerName, Object::noMember);
}

} // namespace VBScript
