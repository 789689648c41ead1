#pragma once

#include <QHash>
#include <QString>

#include <initializer_list>
#include <utility>

namespace VBScript {

// The member names of one of the run time's object classes and their ids, found by lower-case
// name. One static list per class also serves as its dispatch class.
class MemberList
{
public:
    using Entries = std::initializer_list<std::pair<const char *, int>>;

    explicit MemberList(Entries members);
    // The members of `base` and `more`: for classes that share most of their members.
    MemberList(const MemberList &base, Entries more);

    // The id of `lowerName`, or Object::noMember.
    int find(const QString &lowerName) const;

private:
    QHash<QString, int> m_ids;
};

} // namespace VBScript
