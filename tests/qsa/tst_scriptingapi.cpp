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
    void everyMethodIsAValidDeclaration();
    void documentationListsTheTable();
};

void tst_ScriptingApi::variablesNameTheirClasses_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("className");

    // clang-format off
    QTest::newRow("s is the flow element") << "s" << "Tavrix";
    QTest::newRow("job") << "job" << "Job";
    QTest::newRow("e") << "e" << "Environment";
    QTest::newRow("c") << "c" << "Connection";
    // clang-format on
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
