#include "common/testmain.h"

#include <qsa/jslexer.h>
#include <qsa/qsinterpreter.h>
#include <qsa/scriptingapi.h>

#include <QFile>
#include <QSet>
#include <QTest>

class tst_ScriptingApi : public QObject
{
    Q_OBJECT

private slots:
    void variablesNameTheirClasses_data();
    void variablesNameTheirClasses();
    void operationsThatScriptsRelyOn_data();
    void operationsThatScriptsRelyOn();
    void everyMethodIsAValidDeclaration();
    void documentationListsTheTable();
};

void tst_ScriptingApi::variablesNameTheirClasses_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("className");

    QTest::newRow("s is the flow element") << QStringLiteral("s") << QStringLiteral("Tavrix");
    QTest::newRow("job") << QStringLiteral("job") << QStringLiteral("Job");
    QTest::newRow("e") << QStringLiteral("e") << QStringLiteral("Environment");
    QTest::newRow("c") << QStringLiteral("c") << QStringLiteral("Connection");
}

void tst_ScriptingApi::variablesNameTheirClasses()
{
    QFETCH(QString, variable);
    QFETCH(QString, className);

    const ScriptingApi::Object *byVariable = ScriptingApi::objectForVariable(variable);
    QVERIFY(byVariable);
    QCOMPARE(QLatin1String(byVariable->className), className);
    QCOMPARE(ScriptingApi::objectForClass(className), byVariable);
    QVERIFY(!byVariable->methods.isEmpty());
    QVERIFY(!byVariable->translatedDescription().isEmpty());
    QVERIFY(!ScriptingApi::objectForVariable(variable.toUpper()));
}

void tst_ScriptingApi::operationsThatScriptsRelyOn_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("signature");

    // clang-format off
    QTest::newRow("element property") << QStringLiteral("s") << QStringLiteral("getPropertyValue(tag : String, job : Job = null) : String");
    QTest::newRow("element property static") << QStringLiteral("s") << QStringLiteral("isPropertyValueStatic(tag : String) : Boolean");
    QTest::newRow("timer interval set") << QStringLiteral("s") << QStringLiteral("setTimerInterval(seconds : Number)");
    QTest::newRow("timer interval get") << QStringLiteral("s") << QStringLiteral("getTimerInterval() : Number");
    QTest::newRow("element log") << QStringLiteral("s") << QStringLiteral("log(level : Number, message : String, args : Array = [])");
    QTest::newRow("connection property") << QStringLiteral("c") << QStringLiteral("getPropertyValue(tag : String, job : Job = null) : String");
    QTest::newRow("connection property static") << QStringLiteral("c") << QStringLiteral("isPropertyValueStatic(tag : String) : Boolean");
    QTest::newRow("job name") << QStringLiteral("job") << QStringLiteral("getName() : String");
    QTest::newRow("job private data") << QStringLiteral("job") << QStringLiteral("setPrivateData(tag : String, value : String)");
    QTest::newRow("job sent along a connection") << QStringLiteral("job") << QStringLiteral("sendTo(connection : Connection, path : String = \"\", newName : String = \"\")");
    QTest::newRow("job failed") << QStringLiteral("job") << QStringLiteral("fail(message : String, args : Array = [])");
    QTest::newRow("environment log") << QStringLiteral("e") << QStringLiteral("log(level : Number, message : String, args : Array = [])");
    // clang-format on
}

void tst_ScriptingApi::operationsThatScriptsRelyOn()
{
    QFETCH(QString, variable);
    QFETCH(QString, signature);

    const ScriptingApi::Object *object = ScriptingApi::objectForVariable(variable);
    QVERIFY(object);
    const ScriptingApi::Method *method =
        object->method(signature.left(signature.indexOf(QLatin1Char('('))));
    QVERIFY(method);
    QCOMPARE(method->signature(), signature);
    QVERIFY(!method->translatedDescription().isEmpty());
}

void tst_ScriptingApi::everyMethodIsAValidDeclaration()
{
    // The run-time objects are made from these entries, so each must read as a QSA declaration
    // of the name it is listed under, and no object may list a name twice.
    QSInterpreter interpreter;
    interpreter.setErrorMode(QSInterpreter::Nothing);
    for (const ScriptingApi::Object &object : ScriptingApi::objects()) {
        QSet<QString> seen;
        for (const ScriptingApi::Method &method : object.methods) {
            const QString declaration =
                QLatin1String("function ") + method.signature() + QLatin1String(" {}");
            QVERIFY2(interpreter.checkSyntax(declaration), qPrintable(declaration));
            const QVector<JsLexer::Function> functions = JsLexer(declaration).topLevelFunctions();
            QCOMPARE(functions.size(), 1);
            QCOMPARE(functions.first().name, QLatin1String(method.name));
            QVERIFY2(!seen.contains(functions.first().name), method.name);
            seen.insert(functions.first().name);
            QVERIFY2(!method.translatedDescription().isEmpty(), method.name);
        }
    }
}

void tst_ScriptingApi::documentationListsTheTable()
{
    QFile file(QString::fromUtf8(TAVRIX_DOCS_DIR) + QStringLiteral("/scripting-api.md"));
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(file.fileName()));
    const QString page = QString::fromUtf8(file.readAll());

    for (const ScriptingApi::Object &object : ScriptingApi::objects()) {
        // Objects that scripts only get from calls have no variable of their own.
        const QString heading =
            *object.variable
                ? QStringLiteral("## `%1` \u2014 `%2`")
                      .arg(QLatin1String(object.variable), QLatin1String(object.className))
                : QStringLiteral("## `%1`").arg(QLatin1String(object.className));
        const qsizetype start = page.indexOf(heading);
        QVERIFY2(start >= 0, qPrintable(heading));
        const qsizetype end = page.indexOf(QLatin1String("\n## "), start);
        const QString section = page.mid(start, end < 0 ? -1 : end - start);
        QCOMPARE(section.count(QLatin1String("\n| `")), object.methods.size());
        for (const ScriptingApi::Method &method : object.methods) {
            const QString row = QLatin1String("\n| `") + method.signature() + QLatin1String("` |");
            QVERIFY2(section.contains(row), qPrintable(heading + row));
        }
    }
}

TAVRIX_TEST_GUILESS_MAIN(tst_ScriptingApi)
#include "tst_scriptingapi.moc"
