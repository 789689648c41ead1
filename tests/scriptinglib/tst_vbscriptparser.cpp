#include "common/testmain.h"

#include "scriptinglib/vbscript/parser.h"

#include <QDateTime>
#include <QTest>

using namespace VBScript;

namespace {

// Renders syntax trees as compact S-expressions, so that one table row pins a whole tree.

// Each item of `list` rendered by `render`, separated by `separator`.
template<typename List, typename Render>
QString joined(const List &list, Render render, QChar separator = QLatin1Char(' '))
{
    QStringList parts;
    for (const auto &item : list) {
        parts << render(item);
    }
    return parts.join(separator);
}

// "(part part ...)", leaving out the empty parts.
QString node(QStringList parts)
{
    parts.removeAll(QString());
    return QLatin1Char('(') + parts.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString dump(const Expression *expression);

QString dumpList(const ExpressionList &expressions)
{
    return joined(expressions, [](const ExpressionPointer &expression) {
        return expression ? dump(expression.get()) : QStringLiteral("_");
    });
}

QString dumpLiteral(const LiteralExpression &literal)
{
    using Type = LiteralExpression::Type;
    switch (literal.type) {
    case Type::Integer:
        return QStringLiteral("int:") + QString::number(literal.value.toInt());
    case Type::Long:
        return QStringLiteral("long:") + QString::number(literal.value.toInt());
    case Type::Double:
        return QStringLiteral("dbl:") + QString::number(literal.value.toDouble(), 'g', 12);
    case Type::String:
        return QStringLiteral("\"%1\"").arg(literal.value.toString());
    case Type::Date:
        return QStringLiteral("#%1#").arg(literal.value.toDateTime().toString(Qt::ISODate));
    case Type::Boolean:
        return literal.value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Empty:
        return QStringLiteral("Empty");
    case Type::Null:
        return QStringLiteral("Null");
    case Type::Nothing:
        return QStringLiteral("Nothing");
    }
    return QString();
}

QString dump(const Expression *expression)
{
    static const char *const binaryNames[] = {
        "^", "*", "/",  "\\", "Mod", "+",   "-",  "&",   "=",   "<>",
        "<", ">", "<=", ">=", "Is",  "And", "Or", "Xor", "Eqv", "Imp"};
    static const char *const unaryNames[] = {"neg", "pos", "Not"};
    if (const auto *literal = expression->as<LiteralExpression>()) {
        return dumpLiteral(*literal);
    }
    if (const auto *name = expression->as<NameExpression>()) {
        return name->name;
    }
    if (expression->as<MeExpression>()) {
        return QStringLiteral("Me");
    }
    if (const auto *member = expression->as<MemberExpression>()) {
        return node({".", member->object ? dump(member->object.get()) : "_", member->member});
    }
    if (const auto *call = expression->as<CallExpression>()) {
        return node({"call", dump(call->callee.get()), dumpList(call->arguments)});
    }
    if (const auto *unary = expression->as<UnaryExpression>()) {
        return node({unaryNames[int(unary->op)], dump(unary->operand.get())});
    }
    if (const auto *binary = expression->as<BinaryExpression>()) {
        return node(
            {binaryNames[int(binary->op)], dump(binary->left.get()), dump(binary->right.get())});
    }
    if (const auto *parenthesized = expression->as<ParenthesizedExpression>()) {
        return node({"paren", dump(parenthesized->inner.get())});
    }
    if (const auto *newExpression = expression->as<NewExpression>()) {
        return node({"New", newExpression->className});
    }
    return QStringLiteral("?");
}

QString dump(const Statement *statement);

QString dump(const StatementList &statements)
{
    return QLatin1Char('[')
           + joined(statements, [](const StatementPointer &s) { return dump(s.get()); })
           + QLatin1Char(']');
}

QString visibility(Visibility visibility)
{
    static const char *const names[] = {"", "Public", "Private"}; // in the enum's order
    return QLatin1String(names[int(visibility)]);
}

QString dumpProcedure(const ProcedureDeclaration &procedure)
{
    static const char *const types[] = {"Sub", "Function", "Property Get", "Property Let",
                                        "Property Set"};
    const QString parameters =
        joined(procedure.parameters, [](const ProcedureDeclaration::Parameter &parameter) {
            return (parameter.byValue ? QStringLiteral("ByVal:") : QString()) + parameter.name.text
                   + (parameter.isArray ? QStringLiteral("()") : QString());
        });
    return node({visibility(procedure.visibility), procedure.isDefault ? "Default" : "",
                 types[int(procedure.type)], procedure.name.text, "(" + parameters + ")",
                 dump(procedure.body)});
}

QString dumpDim(const DimStatement &dim)
{
    const QString variables = joined(dim.variables, [](const VariableDeclarator &variable) {
        const auto number = [](int bound) {
            return QString::number(bound);
        };
        return variable.name.text
               + (variable.isArray ? "(" + joined(variable.upperBounds, number, u',') + ")"
                                   : QString());
    });
    return node({dim.visibility == Visibility::Implicit ? QStringLiteral("Dim")
                                                        : visibility(dim.visibility),
                 variables});
}

QString dumpIf(const IfStatement &statement)
{
    QStringList parts{statement.singleLine ? "IfLine" : "If"};
    for (size_t i = 0; i < statement.branches.size(); ++i) {
        const IfStatement::Branch &branch = statement.branches[i];
        const QStringList clause{dump(branch.condition.get()), dump(branch.body)};
        parts << (i == 0 ? clause : QStringList{node(QStringList{"ElseIf"} + clause)});
    }
    if (statement.hasElse) {
        parts << node({"Else", dump(statement.elseBody)});
    }
    return node(parts);
}

QString dumpSelect(const SelectStatement &statement)
{
    QStringList parts{"Select", dump(statement.subject.get())};
    for (const SelectStatement::Case &clause : statement.cases) {
        parts << node({"Case", dumpList(clause.values), dump(clause.body)});
    }
    if (statement.hasElse) {
        parts << node({"CaseElse", dump(statement.elseBody)});
    }
    return node(parts);
}

QString dump(const Statement *statement)
{
    static const char *const doTests[] = {"", "While", "Until", "LoopWhile", "LoopUntil"};
    static const char *const exitTargets[] = {"Do", "For", "Function", "Property", "Sub"};
    switch (statement->kind) {
    case Statement::Kind::OptionExplicit:
        return node({"OptionExplicit"});
    case Statement::Kind::Dim:
        return dumpDim(*statement->as<DimStatement>());
    case Statement::Kind::ReDim: {
        const auto *redim = statement->as<ReDimStatement>();
        return node({"ReDim", redim->preserve ? "Preserve" : "",
                     joined(redim->targets, [](const ReDimStatement::Target &target) {
                         return target.name.text + "[" + dumpList(target.upperBounds) + "]";
                     })});
    }
    case Statement::Kind::Const: {
        const auto *constants = statement->as<ConstStatement>();
        return node({visibility(constants->visibility), "Const",
                     joined(constants->constants, [](const ConstStatement::Constant &constant) {
                         return constant.name.text + "=" + dump(constant.value.get());
                     })});
    }
    case Statement::Kind::Erase:
        return node({"Erase", joined(statement->as<EraseStatement>()->arrays,
                                     [](const NameReference &name) { return name.text; })});
    case Statement::Kind::Assignment: {
        const auto *assignment = statement->as<AssignmentStatement>();
        return node({assignment->isSet ? "Set" : "=", dump(assignment->target.get()),
                     dump(assignment->value.get())});
    }
    case Statement::Kind::Call: {
        const auto *call = statement->as<CallStatement>();
        return node({call->explicitCall ? "Call" : "sub", dump(call->callee.get()),
                     dumpList(call->arguments)});
    }
    case Statement::Kind::If:
        return dumpIf(*statement->as<IfStatement>());
    case Statement::Kind::For: {
        const auto *loop = statement->as<ForStatement>();
        return node({"For", loop->variable.text, dump(loop->from.get()), dump(loop->to.get()),
                     loop->step ? dump(loop->step.get()) : "_", dump(loop->body)});
    }
    case Statement::Kind::ForEach: {
        const auto *loop = statement->as<ForEachStatement>();
        return node(
            {"ForEach", loop->variable.text, dump(loop->collection.get()), dump(loop->body)});
    }
    case Statement::Kind::Do: {
        const auto *loop = statement->as<DoStatement>();
        return node({"Do", doTests[int(loop->test)],
                     loop->condition ? dump(loop->condition.get()) : "", dump(loop->body)});
    }
    case Statement::Kind::While: {
        const auto *loop = statement->as<WhileStatement>();
        return node({"While", dump(loop->condition.get()), dump(loop->body)});
    }
    case Statement::Kind::Select:
        return dumpSelect(*statement->as<SelectStatement>());
    case Statement::Kind::With: {
        const auto *with = statement->as<WithStatement>();
        return node({"With", dump(with->object.get()), dump(with->body)});
    }
    case Statement::Kind::Exit:
        return node({"Exit", exitTargets[int(statement->as<ExitStatement>()->target)]});
    case Statement::Kind::OnError:
        return node({"OnError", statement->as<OnErrorStatement>()->action
                                        == OnErrorStatement::Action::ResumeNext
                                    ? "ResumeNext"
                                    : "GoTo0"});
    case Statement::Kind::Stop:
        return node({"Stop"});
    case Statement::Kind::Procedure:
        return dumpProcedure(*statement->as<ProcedureDeclaration>());
    case Statement::Kind::Class: {
        const auto *declaration = statement->as<ClassDeclaration>();
        return node({"Class", declaration->name.text, dump(declaration->members)});
    }
    }
    return QStringLiteral("?");
}

// The tree of `source` as one line, or the error when it does not parse.
QString parseAndDump(const QString &source)
{
    SyntaxError error;
    const std::unique_ptr<Script> script = Parser::parse(source, &error);
    if (!script) {
        return QStringLiteral("error: ") + error.toString();
    }
    const QString statements = dump(script->statements);
    return statements.mid(1, statements.size() - 2);
}

} // namespace

class tst_VBScriptParser : public QObject
{
    Q_OBJECT

private slots:
    void statementsBuildTheirTree_data();
    void statementsBuildTheirTree();
    void nodesKnowWhereTheyStart();
    void errorsLeaveNoTree();
};

void tst_VBScriptParser::statementsBuildTheirTree_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("tree");

    // clang-format off
    // Expressions: operators bind by precedence, literals keep their type and value.
    QTest::newRow("multiplication before addition") << "x = 1 + 2 * 3" << "(= x (+ int:1 (* int:2 int:3)))";
    QTest::newRow("power before negation") << "x = -2 ^ 2" << "(= x (neg (^ int:2 int:2)))";
    QTest::newRow("negation before multiplication") << "x = -a * b" << "(= x (* (neg a) b))";
    QTest::newRow("negative exponent") << "x = 2 ^ -1 * 3" << "(= x (* (^ int:2 (neg int:1)) int:3))";
    QTest::newRow("power groups to the left") << "x = 2 ^ 3 ^ 2" << "(= x (^ (^ int:2 int:3) int:2))";
    QTest::newRow("subtraction groups to the left") << "x = a - b - c" << "(= x (- (- a b) c))";
    QTest::newRow("integer division below multiplication") << "x = a \\ b * c" << "(= x (\\ a (* b c)))";
    QTest::newRow("Mod below integer division") << "x = a Mod b \\ c" << "(= x (Mod a (\\ b c)))";
    QTest::newRow("addition below Mod") << "x = a + b Mod c" << "(= x (+ a (Mod b c)))";
    QTest::newRow("concatenation below addition") << "x = a & b + c" << "(= x (& a (+ b c)))";
    QTest::newRow("comparison below concatenation") << "x = a = b & c" << "(= x (= a (& b c)))";
    QTest::newRow("comparisons group to the left") << "x = a < b <= c" << "(= x (<= (< a b) c))";
    QTest::newRow("Is compares objects") << "x = a Is Nothing" << "(= x (Is a Nothing))";
    QTest::newRow("Not takes in the comparison") << "x = Not a = b" << "(= x (Not (= a b)))";
    QTest::newRow("Not before And") << "x = Not a And b" << "(= x (And (Not a) b))";
    QTest::newRow("And before Or before Xor") << "x = a Xor b Or c And d" << "(= x (Xor a (Or b (And c d))))";
    QTest::newRow("Imp loosest, then Eqv") << "x = a Imp b Eqv c" << "(= x (Imp a (Eqv b c)))";
    QTest::newRow("parentheses regroup") << "x = (a + b) * c" << "(= x (* (paren (+ a b)) c))";
    QTest::newRow("unary plus") << "x = +a" << "(= x (pos a))";
    QTest::newRow("repeated signs") << "x = - -a" << "(= x (neg (neg a)))";
    QTest::newRow("Not after And") << "x = a And Not b" << "(= x (And a (Not b)))";
    QTest::newRow("members and calls chain") << "x = a.b(c).d" << "(= x (. (call (. a b) c) d))";
    QTest::newRow("calls with omitted arguments") << "x = f(1, , 3)" << "(= x (call f int:1 _ int:3))";
    QTest::newRow("call without arguments") << "x = f()" << "(= x (call f))";
    QTest::newRow("keywords as member names") << "x = rs.Next.End" << "(= x (. (. rs Next) End))";
    QTest::newRow("Me and New") << "x = Me.x Is New Foo" << "(= x (Is (. Me x) (New Foo)))";
    QTest::newRow("bracketed names") << "x = [a b] + [If]" << "(= x (+ a b If))";
    QTest::newRow("comparison operators") << "x = a <> b = c > d >= e" << "(= x (>= (> (= (<> a b) c) d) e))";
    QTest::newRow("literal: Integer") << "x = 32767" << "(= x int:32767)";
    QTest::newRow("literal: Long") << "x = 32768" << "(= x long:32768)";
    QTest::newRow("literal: Double beyond Long") << "x = 2147483648" << "(= x dbl:2147483648)";
    QTest::newRow("literal: string with quotes") << "x = \"a\"\"b\"" << "(= x \"a\"b\")";
    QTest::newRow("literal: date") << "x = #1/2/2003 10:30#" << "(= x #2003-01-02T10:30:00Z#)";
    QTest::newRow("literal: True") << "x = True" << "(= x True)";
    QTest::newRow("literal: False") << "x = false" << "(= x False)";
    QTest::newRow("literal: Empty") << "x = Empty" << "(= x Empty)";
    QTest::newRow("literal: Null") << "x = Null" << "(= x Null)";
    QTest::newRow("literal: Nothing") << "x = Nothing" << "(= x Nothing)";
    // Statements.
    QTest::newRow("Option Explicit first") << "Option Explicit\nDim a" << "(OptionExplicit) (Dim a)";
    QTest::newRow("Dim with array bounds") << "Dim a, b(10), c(2, 3), d()" << "(Dim a b(10) c(2,3) d())";
    QTest::newRow("Public and Private variables") << "Public a\nPrivate b(1)" << "(Public a) (Private b(1))";
    QTest::newRow("Const with literal values") << "Const a = 1, b = -2.5, c = \"x\"\nPrivate Const d = #1/2/2003#" << "(Const a=int:1 b=(neg dbl:2.5) c=\"x\") (Private Const d=#2003-01-02T00:00:00Z#)";
    QTest::newRow("ReDim with run-time bounds") << "ReDim a(n + 1), b(2, m)" << "(ReDim a[(+ n int:1)] b[int:2 m])";
    QTest::newRow("ReDim Preserve") << "ReDim Preserve a(5)" << "(ReDim Preserve a[int:5])";
    QTest::newRow("array named Preserve") << "ReDim preserve(5)" << "(ReDim preserve[int:5])";
    QTest::newRow("Erase") << "Erase a, b" << "(Erase a b)";
    QTest::newRow("assignment to members and elements") << "a = 1 : b.c = 2 : d(1, 2) = 3" << "(= a int:1) (= (. b c) int:2) (= (call d int:1 int:2) int:3)";
    QTest::newRow("Set with New and Nothing") << "Set a = New Foo\nSet a.b = Nothing" << "(Set a (New Foo)) (Set (. a b) Nothing)";
    QTest::newRow("block If with ElseIf and Else") << "If a Then\n  x\nElseIf b Then y\nElse\n  z\nEnd If" << "(If a [(sub x)] (ElseIf b [(sub y)]) (Else [(sub z)]))";
    QTest::newRow("empty block If") << "If a Then\nEnd If" << "(If a [])";
    QTest::newRow("single-line If") << "If a Then x = 1 : y Else z" << "(IfLine a [(= x int:1) (sub y)] (Else [(sub z)]))";
    QTest::newRow("single-line If closed by End If") << "If a Then b End If\nc" << "(IfLine a [(sub b)]) (sub c)";
    QTest::newRow("single-line Else belongs to the inner If") << "If a Then If b Then c Else d" << "(IfLine a [(IfLine b [(sub c)] (Else [(sub d)]))])";
    QTest::newRow("Else If opens a nested If") << "If a Then\nElse If b Then c\nEnd If" << "(If a [] (Else [(IfLine b [(sub c)])]))";
    QTest::newRow("For with Step") << "For i = 1 To n Step -1\n  x\nNext" << "(For i int:1 n (neg int:1) [(sub x)])";
    QTest::newRow("For without Step") << "For i = a To b : Next" << "(For i a b _ [])";
    QTest::newRow("For Each") << "For Each f In folder.Files\nNext" << "(ForEach f (. folder Files) [])";
    QTest::newRow("Do While") << "Do While a\nLoop" << "(Do While a [])";
    QTest::newRow("Do Until") << "Do Until a\nLoop" << "(Do Until a [])";
    QTest::newRow("Loop While") << "Do\nx\nLoop While a" << "(Do LoopWhile a [(sub x)])";
    QTest::newRow("Loop Until") << "Do : Loop Until a" << "(Do LoopUntil a [])";
    QTest::newRow("endless Do with Exit Do") << "Do\nExit Do\nLoop" << "(Do [(Exit Do)])";
    QTest::newRow("While Wend") << "While a\n a = a - 1\nWend" << "(While a [(= a (- a int:1))])";
    QTest::newRow("Select Case with value lists and Case Else") << "Select Case x\n' note\nCase 1, 2: a\nCase \"y\"\n b\nCase Else\n c\nEnd Select" << "(Select x (Case int:1 int:2 [(sub a)]) (Case \"y\" [(sub b)]) (CaseElse [(sub c)]))";
    QTest::newRow("empty Select Case") << "Select Case x\nEnd Select" << "(Select x)";
    QTest::newRow("With and its members") << "With a.b\n .c = .d(1)\n e .f\nEnd With" << "(With (. a b) [(= (. _ c) (call (. _ d) int:1)) (sub e (. _ f))])";
    QTest::newRow("nested With") << "With a\nWith .b\n.c\nEnd With\nEnd With" << "(With a [(With (. _ b) [(sub (. _ c))])])";
    QTest::newRow("On Error") << "On Error Resume Next\non error goto 0" << "(OnError ResumeNext) (OnError GoTo0)";
    QTest::newRow("Stop") << "Stop" << "(Stop)";
    QTest::newRow("Sub and Function with parameters") << "Sub a(ByVal x, ByRef y, z())\nEnd Sub\nPrivate Function b()\n b = 1\nEnd Function" << "(Sub a (ByVal:x y z()) []) (Private Function b () [(= b int:1)])";
    QTest::newRow("procedure without parentheses") << "Public Sub a : Exit Sub : End Sub" << "(Public Sub a () [(Exit Sub)])";
    QTest::newRow("class with members") << "Class Foo\n" "  Private m\n" "  Public a, b(2)\n" "  Dim c\n" "  Private Sub Class_Initialize() : m = 0 : End Sub\n" "  Public Default Property Get Value : Value = m : End Property\n" "  Property Let Value(v) : m = v : End Property\n" "  Property Set Value(o) : Set m = o : Exit Property : End Property\n" "  Function Twice(n) : Twice = n * 2 : End Function\n" "End Class" << "(Class Foo [(Private m) (Public a b(2)) (Dim c) " "(Private Sub Class_Initialize () [(= m int:0)]) " "(Public Default Property Get Value () [(= Value m)]) " "(Property Let Value (v) [(= m v)]) " "(Property Set Value (o) [(Set m o) (Exit Property)]) " "(Function Twice (n) [(= Twice (* n int:2))])])";
    QTest::newRow("Execute and Randomize are calls") << "Randomize\nRandomize 5\nExecute \"x = 1\"\nExecuteGlobal s" << "(sub Randomize) (sub Randomize int:5) (sub Execute \"x = 1\") (sub ExecuteGlobal s)";
    QTest::newRow("statements separated by colons and continuations") << "a = 1 : b = _\n  2 :: c" << "(= a int:1) (= b int:2) (sub c)";
    QTest::newRow("the same name in different procedures") << "Dim x\nSub a(x)\nEnd Sub\nSub b\nDim x\nEnd Sub" << "(Dim x) (Sub a (x) []) (Sub b () [(Dim x)])";
    QTest::newRow("a property with Get, Let and Set under one name") << "Class C\nProperty Get p : End Property\nProperty Let p(v) : End Property\n" "Property Set p(v) : End Property\nEnd Class" << "(Class C [(Property Get p () []) (Property Let p (v) []) (Property Set p (v) [])])";
    QTest::newRow("call: arguments without parentheses") << "MsgBox \"x\", 1" << "(sub MsgBox \"x\" int:1)";
    QTest::newRow("call: no arguments") << "obj.Refresh" << "(sub (. obj Refresh))";
    QTest::newRow("call: empty parentheses") << "Refresh()" << "(sub Refresh)";
    QTest::newRow("call: one argument in parentheses is passed by value") << "f (x)" << "(sub f (paren x))";
    QTest::newRow("call: Call passes the argument itself") << "Call f(x)" << "(Call f x)";
    QTest::newRow("call: Call with several arguments") << "Call obj.m(1, 2)" << "(Call (. obj m) int:1 int:2)";
    QTest::newRow("call: Call without arguments") << "Call f" << "(Call f)";
    QTest::newRow("call: Call with doubled parentheses") << "Call f((x))" << "(Call f (paren x))";
    QTest::newRow("call: parenthesized first argument starts an expression") << "MsgBox (\"a\") & \"b\"" << "(sub MsgBox (& (paren \"a\") \"b\"))";
    QTest::newRow("call: parenthesized first argument of several") << "f (1), 2" << "(sub f (paren int:1) int:2)";
    QTest::newRow("call: negative first argument") << "f -1" << "(sub f (neg int:1))";
    QTest::newRow("call: omitted arguments") << "obj.Method a, , c," << "(sub (. obj Method) a _ c _)";
    QTest::newRow("call: call on the result of an index") << "a(1, 2).b 3" << "(sub (. (call a int:1 int:2) b) int:3)";
    QTest::newRow("call: call in a single-line If before Else") << "If x Then f 1 Else g" << "(IfLine x [(sub f int:1)] (Else [(sub g)]))";
    // clang-format on
}

void tst_VBScriptParser::statementsBuildTheirTree()
{
    QFETCH(QString, source);
    QFETCH(QString, tree);
    QCOMPARE(parseAndDump(source), tree);
}

void tst_VBScriptParser::nodesKnowWhereTheyStart()
{
    const QString source = QStringLiteral("Sub s(a)\n"
                                          "\tIf a Then\n"
                                          "\t\tx = 1 + _\n"
                                          "   y(2)\n"
                                          "\tEnd If\n"
                                          "End Sub\n");
    const std::unique_ptr<Script> script = Parser::parse(source);
    QVERIFY(script);
    const auto *procedure = script->statements.at(0)->as<ProcedureDeclaration>();
    QVERIFY(procedure);
    QCOMPARE(procedure->position, (SourcePosition{1, 1}));
    QCOMPARE(procedure->name.position, (SourcePosition{1, 5}));
    QCOMPARE(procedure->parameters.at(0).name.position, (SourcePosition{1, 7}));
    QCOMPARE(procedure->endPosition, (SourcePosition{6, 1}));
    const auto *ifStatement = procedure->body.at(0)->as<IfStatement>();
    QVERIFY(ifStatement);
    QCOMPARE(ifStatement->position, (SourcePosition{2, 2}));
    const auto *assignment = ifStatement->branches.at(0).body.at(0)->as<AssignmentStatement>();
    QVERIFY(assignment);
    QCOMPARE(assignment->position, (SourcePosition{3, 3}));
    const auto *sum = assignment->value->as<BinaryExpression>();
    QVERIFY(sum);
    QCOMPARE(sum->position, (SourcePosition{3, 7}));
    QCOMPARE(sum->right->position, (SourcePosition{4, 4}));
    QCOMPARE(sum->right->as<CallExpression>()->arguments.at(0)->position, (SourcePosition{4, 6}));
    QCOMPARE(sum->height, 3);
}

void tst_VBScriptParser::errorsLeaveNoTree()
{
    SyntaxError error;
    QVERIFY(!Parser::parse(QStringLiteral("Sub a\nx = (1 +\nEnd Sub"), &error));
    QCOMPARE(error.position, (SourcePosition{2, 9}));
    QCOMPARE(error.message, QStringLiteral("Expected an expression; found the end of the line"));
    QVERIFY(!Parser::parse(QStringLiteral("x = (1 +"))); // without a place for the error
}

TAVRIX_TEST_GUILESS_MAIN(tst_VBScriptParser)

#include "tst_vbscriptparser.moc"
