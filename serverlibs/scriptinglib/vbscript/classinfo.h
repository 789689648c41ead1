#pragma once

#include "procedure.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace VBScript {

// A compiled class: its variables and procedures, found by name ignoring case.
struct ClassInfo
{
    struct Field
    {
        QString name;
        bool isPublic = true;
        bool isArray = false;         // Dim a() or Dim a(10)
        std::vector<int> upperBounds; // Dim a(10): a fixed array
    };

    // One member name: a variable, a Sub or Function, or the Property procedures of a name.
    struct Member
    {
        enum class Kind { Field, Method, Property };
        Kind kind = Kind::Field;
        int field = -1;
        const Procedure *method = nullptr;
        const Procedure *get = nullptr;
        const Procedure *let = nullptr;
        const Procedure *set = nullptr;
        bool isPublic = true; // a Property is public when one of its procedures is
    };

    QString name;
    std::vector<Field> fields;
    std::vector<Member> members;   // Object member ids are positions + 1
    QHash<QString, int> memberIds; // lower-case name -> id
    int defaultMember = -1;        // an id, or -1
    const Procedure *initialize = nullptr;
    const Procedure *terminate = nullptr;
    std::vector<std::unique_ptr<Procedure>> procedures;

    const Member *member(int id) const
    {
        return id >= 1 && id <= int(members.size()) ? &members[size_t(id - 1)] : nullptr;
    }
};

} // namespace VBScript
