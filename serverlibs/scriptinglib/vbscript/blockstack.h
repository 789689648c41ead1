#pragma once

#include "statement.h"

#include <QCoreApplication>
#include <QHash>

#include <vector>

namespace VBScript {

class ParserState;

// The blocks open at the parse position, innermost last, and the names declared in the script,
// its classes and procedures. Knows which token closes which block, and words the errors about
// block ends that do not match, Exit outside its block and names defined twice.
class BlockStack
{
    Q_DECLARE_TR_FUNCTIONS(VBScript::BlockStack)

public:
    enum class Kind {
        Script,
        Class,
        Sub,
        Function,
        Property,
        If,
        For,
        ForEach,
        Do,
        While,
        Select,
        With
    };
    // The tokens that end a block or a part of one.
    enum class Closer {
        None,
        ElseIf,
        Else,
        EndIf,
        Next,
        Loop,
        Wend,
        Case,
        EndSelect,
        EndWith,
        EndSub,
        EndFunction,
        EndProperty,
        EndClass
    };
    // What a name stands for; the three kinds of property may share one name.
    enum NameKind {
        VariableName = 0x1,
        ConstantName = 0x2,
        ProcedureName = 0x4,
        ClassName = 0x8,
        PropertyGetName = 0x10,
        PropertyLetName = 0x20,
        PropertySetName = 0x40,
    };

    // Errors go to `state`, which must outlive the stack.
    explicit BlockStack(ParserState &state);

    // Opens a block for as long as it lives.
    class Guard
    {
    public:
        Guard(BlockStack &stack, Kind kind, SourcePosition position);
        ~Guard();
        Guard(const Guard &) = delete;
        Guard &operator=(const Guard &) = delete;

    private:
        BlockStack &m_stack;
    };

    Kind innermost() const { return m_blocks.back().kind; }
    // The closer at the parse position, or Closer::None.
    Closer closerAtCurrent() const;
    bool innermostAccepts(Closer closer) const { return accepts(innermost(), closer); }
    // Moves past the closer at the parse position: End with its keyword, or the one word.
    void skipCloser();

    // "Expected 'End If' to close the 'If' on line 3; found <current token>".
    void failUnclosed();
    // Reports a closer that the innermost block does not take: as the missing end of the
    // innermost block when an outer block takes it or both end definitions (Sub ... End
    // Function), else as "'Next' without 'For'".
    void failMisplaced(Closer closer);

    // Declares a name in the innermost script, class or procedure; false ("Name redefined")
    // when the name is taken there.
    bool declare(const NameReference &name, NameKind kind);
    // Marks the innermost class as having its default member; false when it has one already.
    bool claimDefaultMember(SourcePosition position);
    // False, with the error, unless the Exit stands in a block of its kind in the current
    // procedure.
    bool checkExit(ExitStatement::Target target, SourcePosition position);

    static QString describe(Closer closer);

private:
    struct Declaration
    {
        int kinds = 0;
        SourcePosition position;
    };
    struct Block
    {
        Kind kind;
        SourcePosition position;
        QHash<QString, Declaration> names; // by lower-case name; definitions only
        bool hasDefaultMember = false;     // classes only
    };

    static bool accepts(Kind kind, Closer closer);
    static bool isDefinition(Kind kind);
    static Closer closerOf(Kind kind);
    static Kind openerOf(Closer closer);
    static QString describe(Kind kind);

    ParserState &m_state;
    std::vector<Block> m_blocks;
};

} // namespace VBScript
