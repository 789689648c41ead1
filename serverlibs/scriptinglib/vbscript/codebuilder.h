#pragma once

#include "codeunit.h"

namespace VBScript {

// Appends instructions to a code unit: keeps the depth of the evaluation stack (the unit's
// maxStack), the place of each instruction, jump targets to patch, and the resume points of
// On Error Resume Next.
class CodeBuilder
{
public:
    // `unit` must outlive the builder.
    explicit CodeBuilder(CodeUnit &unit);

    // Emits `instruction`, which takes `pops` values from the stack and leaves `pushes`.
    // Returns its index.
    int append(const Instruction &instruction, int pops, int pushes);
    int append(Opcode opcode, int pops, int pushes);
    int here() const { return int(m_unit.instructions.size()); }
    // Sets the jump target (c) of the instruction at `index`.
    void patch(int index, int target);
    // The place recorded for the instructions emitted from now on.
    void setPosition(SourcePosition position) { m_position = position; }

    // A statement, or the head of a compound one: an error in its instructions continues, under
    // On Error Resume Next, just after its last instruction.
    int beginSegment() const { return here(); }
    void endSegment(int start) { setResumeTarget(start, here(), here()); }
    // Errors in the instructions from `start` up to `end` (excluded) continue at `target`.
    void setResumeTarget(int start, int end, int target);

    int constant(const Value &value);
    // A member name for Member instructions, with its own call-site cache.
    int memberName(const QString &name);
    // A name looked up when the code runs.
    int nameCache(const QString &spelling, int implicitSlot = -1);
    int newSlot() { return m_unit.localCount++; }

    CodeUnit &unit() { return m_unit; }

private:
    CodeUnit &m_unit;
    SourcePosition m_position;
    int m_depth = 0;
};

} // namespace VBScript
