#pragma once

#include "memberlist.h"
#include "object.h"

namespace VBScript {

// Base of the run time's own objects (Err, RegExp, Dictionary, FileSystemObject ...): their
// members are named by a MemberList, which is also their dispatch class, and TypeName gives a
// fixed name.
class LibraryObject : public Object
{
public:
    QString typeName() const final { return QString::fromLatin1(m_typeName); }
    int memberId(const QString &lowerName) const final { return m_members->find(lowerName); }
    const void *dispatchClass() const final { return m_members; }

protected:
    // Both must outlive the object: static lists and literal names.
    LibraryObject(const MemberList &members, const char *typeName)
        : m_members(&members)
        , m_typeName(typeName)
    {}

private:
    const MemberList *m_members;
    const char *m_typeName;
};

} // namespace VBScript
