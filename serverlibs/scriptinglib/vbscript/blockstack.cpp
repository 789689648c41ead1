#include "blockstack.h"

#include "parserstate.h"

#include <algorithm>

namespace VBScript {

BlockStack::BlockStack(ParserState &state)
    : m_state(state)
{}

BlockStack::Guard::Guard(BlockStack &stack, Kind kind, SourcePosition position)
    : m_stack(stack)
{
    m_stack.m_blocks.push_back(Block{kind, position, {}, false});
    if (kind == Kind::With) {
        m_stack.m_state.enterWith();
    }
}

BlockStack::Guard::~Guard()
{
    if (m_stack.innermost() == Kind::With) {
        m_stack.m_state.leaveWith();
    }
    m_stack.m_blocks.pop_back();
}

bool BlockStack::claimDefaultMember(SourcePosition position)
{
    Block &owner = m_blocks.back();
    if (owner.hasDefaultMember) {
        m_state.fail(position, tr("A class can have only one default member"));
        return false;
    }
    owner.hasDefaultMember = true;
    return true;
}

BlockStack::Closer BlockStack::closerAtCurrent() const
{
    const Token &token = m_state.current();
    if (token.kind != TokenKind::Keyword) {
        return Closer::None;
    }
    switch (token.keyword) {
    case Keyword::ElseIf:
        return Closer::ElseIf;
    case Keyword::Else:
        return Closer::Else;
    case Keyword::Next:
        return Closer::Next;
    case Keyword::Loop:
        return Closer::Loop;
    case Keyword::Wend:
        return Closer::Wend;
    case Keyword::Case:
        return Closer::Case;
    case Keyword::End:
        break;
    default:
        return Closer::None;
    }
    const Token &next = m_state.next();
    if (next.kind != TokenKind::Keyword) {
        return Closer::None;
    }
    switch (next.keyword) {
    case Keyword::If:
        return Closer::EndIf;
    case Keyword::Select:
        return Closer::EndSelect;
    case Keyword::With:
        return Closer::EndWith;
    case Keyword::Sub:
        return Closer::EndSub;
    case Keyword::Function:
        return Closer::EndFunction;
    case Keyword::Property:
        return Closer::EndProperty;
    case Keyword::Class:
        return Closer::EndClass;
    default:
        return Closer::None;
    }
}

void BlockStack::skipCloser()
{
    if (m_state.at(Keyword::End)) {
        m_state.advance();
    }
    m_state.advance();
}

bool BlockStack::accepts(Kind kind, Closer closer)
{
    switch (kind) {
    case Kind::If:
        return closer == Closer::ElseIf || closer == Closer::Else || closer == Closer::EndIf;
    case Kind::Select:
        return closer == Closer::Case || closer == Closer::EndSelect;
    case Kind::Script:
        return false;
    default:
        return closer == closerOf(kind);
    }
}

bool BlockStack::isDefinition(Kind kind)
{
    return kind == Kind::Class || kind == Kind::Sub || kind == Kind::Function
           || kind == Kind::Property;
}

BlockStack::Closer BlockStack::closerOf(Kind kind)
{
    switch (kind) {
    case Kind::Script:
        return Closer::None;
    case Kind::Class:
        return Closer::EndClass;
    case Kind::Sub:
        return Closer::EndSub;
    case Kind::Function:
        return Closer::EndFunction;
    case Kind::Property:
        return Closer::EndProperty;
    case Kind::If:
        return Closer::EndIf;
    case Kind::For:
    case Kind::ForEach:
        return Closer::Next;
    case Kind::Do:
        return Closer::Loop;
    case Kind::While:
        return Closer::Wend;
    case Kind::Select:
        return Closer::EndSelect;
    case Kind::With:
        return Closer::EndWith;
    }
    return Closer::None;
}

BlockStack::Kind BlockStack::openerOf(Closer closer)
{
    switch (closer) {
    case Closer::Next:
        return Kind::For;
    case Closer::Loop:
        return Kind::Do;
    case Closer::Wend:
        return Kind::While;
    case Closer::Case:
    case Closer::EndSelect:
        return Kind::Select;
    case Closer::EndWith:
        return Kind::With;
    case Closer::EndSub:
        return Kind::Sub;
    case Closer::EndFunction:
        return Kind::Function;
    case Closer::EndProperty:
        return Kind::Property;
    case Closer::EndClass:
        return Kind::Class;
    case Closer::None:
    case Closer::ElseIf:
    case Closer::Else:
    case Closer::EndIf:
        break;
    }
    return Kind::If;
}

QString BlockStack::describe(Closer closer)
{
    static const char *const texts[] = {
        "",     "ElseIf",     "Else",     "End If",  "Next",         "Loop",         "Wend",
        "Case", "End Select", "End With", "End Sub", "End Function", "End Property", "End Class"};
    return ParserState::quoted(QString::fromLatin1(texts[int(closer)]));
}

QString BlockStack::describe(Kind kind)
{
    static const char *const texts[] = {"",         "Class", "Sub",         "Function",
                                        "Property", "If",    "For",         "For Each",
                                        "Do",       "While", "Select Case", "With"};
    return ParserState::quoted(QString::fromLatin1(texts[int(kind)]));
}

void BlockStack::failUnclosed()
{
    const Block &block = m_blocks.back();
    m_state.fail(m_state.current().position,
                 tr("Expected %1 to close the %2 on line %3; found %4")
                     .arg(describe(closerOf(block.kind)), describe(block.kind))
                     .arg(block.position.line)
                     .arg(m_state.describeCurrent()));
}

void BlockStack::failMisplaced(Closer closer)
{
    const Kind innermost = m_blocks.back().kind;
    const bool takenFurtherOut =
        std::any_of(m_blocks.cbegin(), m_blocks.cend(),
                    [closer](const Block &block) { return accepts(block.kind, closer); });
    // "Sub ... End Function" is a wrong end of the Sub rather than a stray End Function.
    const bool wrongDefinitionEnd = isDefinition(innermost) && isDefinition(openerOf(closer));
    if (innermost != Kind::Script && (takenFurtherOut || wrongDefinitionEnd)) {
        failUnclosed();
        return;
    }
    m_state.fail(m_state.current().position,
                 tr("%1 without %2").arg(describe(closer), describe(openerOf(closer))));
}

bool BlockStack::declare(const NameReference &name, NameKind kind)
{
    auto definition = std::find_if(m_blocks.rbegin(), m_blocks.rend(), [](const Block &block) {
        return block.kind == Kind::Script || isDefinition(block.kind);
    });
    QHash<QString, Declaration> &names = definition->names;
    const int propertyKinds = PropertyGetName | PropertyLetName | PropertySetName;
    Declaration &declaration = names[name.text.toLower()];
    if (declaration.kinds == 0) {
        declaration.position = name.position;
    } else if ((kind & propertyKinds) == 0 || (declaration.kinds & ~propertyKinds) != 0
               || (declaration.kinds & kind) != 0) {
        m_state.fail(name.position, tr("Name redefined: '%1' is already defined on line %2")
                                        .arg(name.text)
                                        .arg(declaration.position.line));
        return false;
    }
    declaration.kinds |= kind;
    return true;
}

bool BlockStack::checkExit(ExitStatement::Target target, SourcePosition position)
{
    using Target = ExitStatement::Target;
    for (auto block = m_blocks.crbegin(); block != m_blocks.crend(); ++block) {
        const Kind kind = block->kind;
        if ((target == Target::Do && kind == Kind::Do)
            || (target == Target::For && (kind == Kind::For || kind == Kind::ForEach))
            || (target == Target::Sub && kind == Kind::Sub)
            || (target == Target::Function && kind == Kind::Function)
            || (target == Target::Property && kind == Kind::Property)) {
            return true;
        }
        if (isDefinition(kind)) {
            break; // loops outside the procedure do not count
        }
    }
    QString message;
    switch (target) {
    case Target::Do:
        message = tr("'Exit Do' is not inside a 'Do' loop");
        break;
    case Target::For:
        message = tr("'Exit For' is not inside a 'For' loop");
        break;
    case Target::Function:
        message = tr("'Exit Function' is not inside a 'Function'");
        break;
    case Target::Property:
        message = tr("'Exit Property' is not inside a 'Property'");
        break;
    case Target::Sub:
        message = tr("'Exit Sub' is not inside a 'Sub'");
        break;
    }
    m_state.fail(position, message);
    return false;
}

} // namespace VBScript
