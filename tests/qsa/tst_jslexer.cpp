#include "common/testmain.h"

#include <qsa/jslexer.h>
#include <qsa/qsinterpreter.h>

#include <QTest>

namespace {

// "kind:text" per token, kinds as one letter, so that a row reads like the script.
QStringList describe(const QString &source)
{
    const JsLexer lexer(source);
    QStringList result;
    for (const JsLexer::Token &token : lexer.tokens()) {
        static const char kinds[] = "IPNSTRLBX";
        QString entry = QString(QLatin1Char(kinds[int(token.kind)])) + QLatin1Char(':')
                        + lexer.text(token).toString();
        if (!token.terminated) {
            entry += QLatin1String("...");
        }
        result.append(entry);
    }
    return result;
}

QStringList names(const QVector<JsLexer::Function> &functions)
{
    QStringList result;
    for (const JsLexer::Function &function : functions) {
        result.append(function.name);
    }
    return result;
}

} // namespace

class tst_JsLexer : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void positions();
    void annotationsAreBlanked_data();
    void annotationsAreBlanked();
    void plainJavaScriptIsUntouched_data();
    void plainJavaScriptIsUntouched();
    void topLevelFunctions_data();
    void topLevelFunctions();
    void signatures();
};

void tst_JsLexer::tokens_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("expected");

    // clang-format off
    QTest::newRow("slash after an operator starts a regular expression") << QStringLiteral("a = /x}/g;") << QStringList{"I:a", "P:=", "R:/x}/g", "P:;"};
    QTest::newRow("slash after a name divides") << QStringLiteral("a / b / c") << QStringList{"I:a", "P:/", "I:b", "P:/", "I:c"};
    QTest::newRow("slash after a closing parenthesis divides") << QStringLiteral("(a) /2/ b") << QStringList{"P:(", "I:a", "P:)", "P:/", "N:2", "P:/", "I:b"};
    QTest::newRow("slash after return starts a regular expression") << QStringLiteral("return /a\\/[/]/.test(s)") << QStringList{"I:return", "R:/a\\/[/]/", "P:.", "I:test", "P:(", "I:s", "P:)"};
    QTest::newRow("regular expression cut off at the line end") << QStringLiteral("x = /ab\ny") << QStringList{"I:x", "P:=", "R:/ab...", "I:y"};
    QTest::newRow("template substitutions nest") << QStringLiteral("`a${ `b${c}` }d`") << QStringList{"T:`a${", "T:`b${", "I:c", "T:}`", "T:}d`"};
    QTest::newRow("braces inside a substitution do not end it") << QStringLiteral("`${ {a: 1}.a }!`") << QStringList{"T:`${", "P:{", "I:a", "P::", "N:1", "P:}", "P:.", "I:a", "T:}!`"};
    QTest::newRow("escaped backtick and dollar stay in the template") << QStringLiteral("`\\` \\${x}`") << QStringList{"T:`\\` \\${x}`"};
    QTest::newRow("unterminated template runs to the end") << QStringLiteral("`abc\ndef") << QStringList{"T:`abc\ndef..."};
    QTest::newRow("escaped quote stays in the string") << QStringLiteral("'it\\'s' \"a\\\"b\"") << QStringList{"S:'it\\'s'", "S:\"a\\\"b\""};
    QTest::newRow("unterminated string ends at the line end") << QStringLiteral("'abc\nx") << QStringList{"S:'abc...", "I:x"};
    QTest::newRow("comments hide their contents") << QStringLiteral("a // b 'c\n/* d `e */ f") << QStringList{"I:a", "L:// b 'c", "B:/* d `e */", "I:f"};
    QTest::newRow("unterminated block comment runs to the end") << QStringLiteral("a /* b") << QStringList{"I:a", "B:/* b..."};
    QTest::newRow("number forms") << QStringLiteral("0x1F 1.5e-3 .5 10n 1_000") << QStringList{"N:0x1F", "N:1.5e-3", "N:.5", "N:10n", "N:1_000"};
    QTest::newRow("longest punctuator wins") << QStringLiteral("a >>>= b?.c ?? d") << QStringList{"I:a", "P:>>>=", "I:b", "P:?.", "I:c", "P:??", "I:d"};
    QTest::newRow("question mark before a digit is a conditional") << QStringLiteral("a?.5:1") << QStringList{"I:a", "P:?", "N:.5", "P::", "N:1"};
    QTest::newRow("letters, marks and spaces beyond ASCII") << QString::fromUtf8("gr\u00f6\u00dfe\u00a0=\u2003e\u0301x1 \u2211") << QStringList{QString::fromUtf8("I:gr\u00f6\u00dfe"), "P:=", QString::fromUtf8("I:e\u0301x1"), QString::fromUtf8("X:\u2211")};
    QTest::newRow("slash after a substitution opens starts a regular expression") << QStringLiteral("`${/a}/}`") << QStringList{"T:`${", "R:/a}/", "T:}`"};
    QTest::newRow("slash after an invalid character starts a regular expression") << QStringLiteral("# /a/") << QStringList{"X:#", "R:/a/"};
    QTest::newRow("hash alone is invalid, before a name it is a private name") << QStringLiteral("# #p") << QStringList{"X:#", "I:#p"};
    // clang-format on
}

void tst_JsLexer::tokens()
{
    QFETCH(QString, source);
    QFETCH(QStringList, expected);
    QCOMPARE(describe(source), expected);
}

void tst_JsLexer::positions()
{
    // Windows line ends, a template spanning lines and a comment spanning lines.
    const JsLexer lexer(QStringLiteral("a\r\n  `x\ny` b /*\n*/ c"));
    const QVector<JsLexer::Token> &tokens = lexer.tokens();
    QCOMPARE(tokens.size(), 5);

    QCOMPARE(lexer.text(tokens.at(1)), QLatin1String("`x\ny`"));
    QCOMPARE(tokens.at(1).line, 2);
    QCOMPARE(tokens.at(1).column, 3);
    QCOMPARE(tokens.at(1).offset, 5);
    QVERIFY(tokens.at(1).newlineBefore);

    // "b" follows the template's line break, but no line break lies between them.
    QCOMPARE(tokens.at(2).line, 3);
    QCOMPARE(tokens.at(2).column, 4);
    QVERIFY(!tokens.at(2).newlineBefore);

    // A comment holding a line break separates like one.
    QCOMPARE(tokens.at(4).line, 4);
    QCOMPARE(tokens.at(4).column, 4);
    QVERIFY(tokens.at(4).newlineBefore);
}

void tst_JsLexer::annotationsAreBlanked_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("parameters") << QStringLiteral("function jobArrived( s : Tavrix, job : Job ) {}") << QStringLiteral( "function jobArrived( s         , job       ) {}");
    QTest::newRow("return type") << QStringLiteral("function f() : String { return ''; }") << QStringLiteral("function f()          { return ''; }");
    QTest::newRow("var with initializer") << QStringLiteral("var n : Number = 0;") << QStringLiteral("var n          = 0;");
    QTest::newRow("every declarator of a list") << QStringLiteral("let a : Number = 1, b : String;") << QStringLiteral("let a          = 1, b         ;");
    QTest::newRow("for loop declaration") << QStringLiteral("for (var i : Number = 0; i < 3; ++i) {}") << QStringLiteral("for (var i          = 0; i < 3; ++i) {}");
    QTest::newRow("dotted and array types") << QStringLiteral("const p : Qt.Point = 0, l : String[] = [];") << QStringLiteral("const p            = 0, l            = [];");
    QTest::newRow("conditional in an initializer stays") << QStringLiteral("var a : Number = b ? c : d, e : T;") << QStringLiteral("var a          = b ? c : d, e    ;");
    QTest::newRow("object literal in an initializer stays") << QStringLiteral("var o : Object = {x: 1, y: {z: 2}}, n : Number;") << QStringLiteral("var o          = {x: 1, y: {z: 2}}, n         ;");
    QTest::newRow("rest parameter") << QStringLiteral("function f(...rest : Array) {}") << QStringLiteral("function f(...rest        ) {}");
    QTest::newRow("conditional in a default value stays") << QStringLiteral("function f(a : Number = b ? c : d) {}") << QStringLiteral("function f(a          = b ? c : d) {}");
    QTest::newRow("function expression") << QStringLiteral("var f = function(a : Number) : Boolean { return a; };") << QStringLiteral("var f = function(a         )           { return a; };");
    QTest::newRow("generator") << QStringLiteral("function* g(a : Number) {}") << QStringLiteral("function* g(a         ) {}");
    QTest::newRow("line break inside the annotation stays") << QStringLiteral("var a :\r\n  Number = 1;") << QStringLiteral("var a  \r\n         = 1;");
    QTest::newRow("comment between name and type") << QStringLiteral("var a /* x */ : Number;") << QStringLiteral("var a /* x */         ;");
    QTest::newRow("declaration after a line break without semicolon") << QStringLiteral("var a = 1\nvar b : T = 2") << QStringLiteral("var a = 1\nvar b     = 2");
    QTest::newRow("declaration inside a template substitution") << QStringLiteral("`${ (function(a : T) { return a; })(1) }`") << QStringLiteral("`${ (function(a    ) { return a; })(1) }`");
    QTest::newRow("colon without a type stays for the engine to report") << QStringLiteral("var a : = 1;") << QStringLiteral("var a : = 1;");
    // clang-format on
    // Every opener is left open: a search for each one's match must not read to the end again.
    const QString unclosed = QStringLiteral("function(").repeated(8000);
    // clang-format off
    QTest::newRow("thousands of unclosed parameter lists before an annotated function") << unclosed + QStringLiteral("function f(a : Number) {}") << unclosed + QStringLiteral("function f(a         ) {}");
    // clang-format on
}

void tst_JsLexer::annotationsAreBlanked()
{
    QFETCH(QString, source);
    QFETCH(QString, expected);

    const QString stripped = JsLexer(source).withoutTypeAnnotations();
    QCOMPARE(stripped, expected);
    QCOMPARE(stripped.size(), source.size());
}

void tst_JsLexer::plainJavaScriptIsUntouched_data()
{
    QTest::addColumn<QString>("source");

    // clang-format off
    QTest::newRow("class with methods and getters") << QStringLiteral("class A extends Object {\n  constructor(a) { super(); this.a = a; }\n" "  get b() { return this.a; }\n  static c(x, y) { return x; }\n}");
    QTest::newRow("arrow functions") << QStringLiteral("var f = (a, b = 2) => a + b; var g = x => ({k: x});");
    QTest::newRow("template literals") << QStringLiteral("var s = `a ${1 + 2} b ${`c ${'d'}`}`;");
    QTest::newRow("regular expression holding colons and braces") << QStringLiteral("var r = /a:b{1}/g; var t = r.test('a:b');");
    QTest::newRow("destructuring") << QStringLiteral( "var {a: b, c: [d, e]} = {a: 1, c: [2, 3]}; let [f, {g: h}] = [4, {g: 5}];");
    QTest::newRow("conditional operator") << QStringLiteral("var a = b ? c : d; var e = f ? {x: 1} : [2];");
    QTest::newRow("labels") << QStringLiteral( "outer: for (var i = 0; i < 3; ++i) { inner: while (true) { break " "outer; } }");
    QTest::newRow("object literals with keyword keys") << QStringLiteral("var o = {var: 1, function: 2, let: 3, m(a) { return a; }}; o.var = 4;");
    QTest::newRow("switch with case and default") << QStringLiteral("switch (x) {\ncase a: y = 1; break;\ncase 'b': { y = 2; }\n" "default: y = 3;\n}");
    QTest::newRow("parameter defaults holding objects") << QStringLiteral("function f(a = {x: 1}, [b, c] = [1, 2], {d: e} = {}) { return a; }");
    QTest::newRow("optional chaining and nullish coalescing") << QStringLiteral("var a = b?.c ?? d; var e = f ?.5:1;");
    QTest::newRow("generators") << QStringLiteral( "function* g() { yield 1; } var h = function* () { yield* g(); };");
    // clang-format on
}

void tst_JsLexer::plainJavaScriptIsUntouched()
{
    QFETCH(QString, source);

    QCOMPARE(JsLexer(source).withoutTypeAnnotations(), source);
    QSInterpreter interpreter;
    interpreter.setErrorMode(QSInterpreter::Nothing);
    QVERIFY2(interpreter.checkSyntax(source), qPrintable(interpreter.lastErrorMessage()));
}

void tst_JsLexer::topLevelFunctions_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("expected");

    // clang-format off
    QTest::newRow("declarations in source order") << QStringLiteral("function b() {}\nfunction a(x) { return x; }") << QStringList{"b", "a"};
    QTest::newRow("nested functions are not listed") << QStringLiteral("function outer() { function inner() {} if (x) { function deeper() {} " "} }") << QStringList{"outer"};
    QTest::newRow("methods are not listed") << QStringLiteral("class C { m() {} }\nvar o = { f: function g() {}, h() {} };") << QStringList{};
    QTest::newRow("function expressions are not listed") << QStringLiteral("var f = function g() {}; (function h() {})(); x(function i() {});") << QStringList{};
    QTest::newRow("the word inside strings, comments, regular expressions and templates") << QStringLiteral("var s = \"function a() {}\"; // function b() {}\n/* function c() {} " "*/ var r = /function d() {}/; var t = `function e() {} ${1}`;\n" "function real() {}") << QStringList{"real"};
    QTest::newRow("declaration after a line break without semicolon") << QStringLiteral("var a = 1\nfunction b() {}\nvar c = d\n(function e() {})") << QStringList{"b"};
    QTest::newRow("declarations after a template, a call and an index on the line before") << QStringLiteral("var t = `x`\nfunction a() {}\nf()\nfunction b() {}\nx[0]\nasync function c() {}") << QStringList{"a", "b", "c"};
    QTest::newRow("function after an operator on the line before is an expression") << QStringLiteral("var h = a +\nfunction g() {}") << QStringList{};
    QTest::newRow("generator and annotated declarations") << QStringLiteral("function* gen() {}\nfunction jobArrived( s : Tavrix, job : Job ) : " "String {}") << QStringList{"gen", "jobArrived"};
    QTest::newRow("function after a template holding braces") << QStringLiteral("var t = `${ {a: `}`} }`;\nfunction after() {}") << QStringList{"after"};
    QTest::newRow("script with syntax errors keeps what is recognisable") << QStringLiteral("function a() { var = ; }\nfunction b() { return 1 +; }\nfunction (") << QStringList{"a", "b"};
    QTest::newRow("stray closing brace does not hide later functions") << QStringLiteral("}\nfunction a() {}") << QStringList{"a"};
    // clang-format on
}

void tst_JsLexer::topLevelFunctions()
{
    QFETCH(QString, source);
    QFETCH(QStringList, expected);
    QCOMPARE(names(JsLexer(source).topLevelFunctions()), expected);
}

void tst_JsLexer::signatures()
{
    const QVector<JsLexer::Function> functions =
        JsLexer(QStringLiteral("// header\n"
                               "function f(a : Number, b = [1, 2], {c, d} = {}, ...rest) : "
                               "String {}\n"
                               "function g( ) {}\n"
                               "function h(a,\n           b : Job) {}"))
            .topLevelFunctions();
    QCOMPARE(functions.size(), 3);
    QCOMPARE(functions.at(0).signature, QStringLiteral("f(a, b = [1, 2], {c, d} = {}, ...rest)"));
    QCOMPARE(functions.at(0).line, 2);
    QCOMPARE(functions.at(1).signature, QStringLiteral("g()"));
    QCOMPARE(functions.at(2).signature, QStringLiteral("h(a, b)"));
    QCOMPARE(functions.at(2).line, 4);
}

TAVRIX_TEST_GUILESS_MAIN(tst_JsLexer)
#include "tst_jslexer.moc"
