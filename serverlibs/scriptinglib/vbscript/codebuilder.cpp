#include "codebuilder.h"

#include <algorithm>

namespace VBScript {

CodeBuilder::CodeBuilder(CodeUnit &unit)
    : m_unit(unit)
{}

int CodeBuilder::append(const Instruction &instruction, int pops, int pushes)
{
    const int before = m_depth;
    m_depth += pushes - pops;
    m_unit.maxStack = std::max({m_unit.maxStack, before, m_depth});
    m_unit.instructions.push_back(instruction);
    m_unit.positions.push_back(m_position);
    m_unit.resumeTargets.push_back(here());
    return here() - 1;
}

int CodeBuilder::append(Opcode opcode, int pops, int pushes)
{
    Instruction instruction;
    instruction.opcode = opcode;
    return append(instruction, pops, pushes);
}

void CodeBuilder::patch(int index, int target)
{
    m_unit.instructions[size_t(index)].c = target;
}

void CodeBuilder::setResumeTarget(int start, int end, int target)
{
    for (int i = start; i < end; ++i) {
        m_unit.resumeTargets[size_t(i)] = target;
    }
}

int CodeBuilder::constant(const Value &value)
{
    m_unit.constants.push_back(value);
    return int(m_unit.constants.size()) - 1;
}

int CodeBuilder::memberName(const QString &name)
{
    m_unit.memberNames.push_back(name.toLower());
    m_unit.memberSpellings.push_back(name);
    m_unit.memberCaches.emplace_back();
    return int(m_unit.memberNames.size()) - 1;
}

int CodeBuilder::nameCache(const QString &spelling, int implicitSlot)
{
    NameCache cache;
    cache.name = spelling.toLower();
    cache.spelling = spelling;
    cache.implicitSlot = implicitSlot;
    m_unit.nameCaches.push_back(cache);
    return int(m_unit.nameCaches.size()) - 1;
}

} // namespace VBScript
