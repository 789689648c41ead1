// QObjects of the host as VBScript objects: Q_INVOKABLE methods, slots and properties by name
// in any letter case, called with the engine's conventions; values both ways; errors.

#include "common/testmain.h"

#include "common/recordingoutput.h"

#include "scriptinglib/vbscript/engine.h"

#include <QTest>

#include <memory>

namespace {

// Stands for the script API objects that the host gives scripts (s, job ...).
class FakeApi : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(int count READ count)

public:
    Q_INVOKABLE void log(int level, const QString &message)
    {
        logged.append(QStringLiteral("%1:%2").arg(level).arg(message));
    }
    Q_INVOKABLE QString getName() const { return QStringLiteral("job.pdf"); }
    Q_INVOKABLE QString getPath() const { return QStringLiteral("/in/job.pdf"); }
    Q_INVOKABLE void sendToSingle(const QString &path) { sent.append(path); }
    Q_INVOKABLE bool isFolder() const { return false; }
    Q_INVOKABLE double half(double value) const { return value / 2; }
    Q_INVOKABLE qint64 big() const { return 5000000000LL; }
    Q_INVOKABLE QVariantList segments() const
    {
        return {QStringLiteral("a"), QStringLiteral("b"), 3};
    }
    Q_INVOKABLE QStringList names() const { return {QStringLiteral("x"), QStringLiteral("y")}; }
    Q_INVOKABLE int total(const QVariantList &values) const
    {
        int sum = 0;
        for (const QVariant &value : values) {
            sum += value.toInt();
        }
        return sum;
    }
    Q_INVOKABLE QString joined(const QStringList &values) const
    {
        return values.join(QLatin1Char('/'));
    }
    Q_INVOKABLE QVariant echoed(const QVariant &value) const { return value; }
    Q_INVOKABLE QObject *child() { return m_child.get(); }
    Q_INVOKABLE QString nameOf(QObject *object) const
    {
        return object ? object->objectName() : QStringLiteral("none");
    }
    Q_INVOKABLE QString pick(int a) const { return QStringLiteral("one %1").arg(a); }
    Q_INVOKABLE QString pick(int a, int b) const { return QStringLiteral("two %1").arg(a + b); }

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    int count() const { return 3; }

    QStringList logged;
    QStringList sent;

public slots:
    void reset() { logged.clear(); }

private:
    QString m_title = QStringLiteral("start");
    std::unique_ptr<QObject> m_child = std::make_unique<QObject>();
};

} // namespace

class TestVBScriptHostObject : public QObject
{
    Q_OBJECT

private slots:
    void membersAreReached_data();
    void membersAreReached();
    void statementsCallMethods();
    void errorsAreTheEngines_data();
    void errorsAreTheEngines();
    void aDeletedObjectIsRequired();
    void objectsPassedToAFunction();
};

void TestVBScriptHostObject::membersAreReached_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("result");

    // clang-format off
    QTest::newRow("a method without parentheses") << "s.getName" << "job.pdf";
    QTest::newRow("a method in any letter case") << "S.GETNAME()" << "job.pdf";
    QTest::newRow("a method's result as an argument") << "s.half(Len(s.getPath))" << "5.5";
    QTest::newRow("a Boolean result") << "s.isFolder" << "False";
    QTest::newRow("a 64-bit result") << "s.big & \" \" & TypeName(s.big)" << "5000000000 Double";
    QTest::newRow("a list result is an array") << "Join(s.segments, \",\") & UBound(s.segments)" << "a,b,32";
    QTest::newRow("a string list result is an array") << "TypeName(s.names) & s.names()(1)" << "Variant()y";
    QTest::newRow("an array argument is a list") << "s.total(Array(1, 2, \"3\"))" << "6";
    QTest::newRow("an array argument is a string list") << "s.joined(Split(\"a b\"))" << "a/b";
    QTest::newRow("a QVariant parameter takes any value") << "s.echoed(#1/2/2003#)" << "1/2/2003";
    QTest::newRow("a QObject result is an object") << "TypeName(s.child) & IsObject(s.child)" << "QObjectTrue";
    QTest::newRow("host objects go back as QObject") << "s.nameOf(s)" << "api";
    QTest::newRow("Nothing goes as a null QObject") << "s.nameOf(Nothing)" << "none";
    QTest::newRow("an overload by argument count") << "s.pick(1) & \", \" & s.pick(1, 2)" << "one 1, two 3";
    QTest::newRow("a property") << "s.title & s.Count" << "start3";
    QTest::newRow("the type name is the class") << "TypeName(s)" << "FakeApi";
    QTest::newRow("the same object is the same") << "s Is s" << "True";
    // clang-format on
}

void TestVBScriptHostObject::membersAreReached()
{
    QFETCH(QString, expression);
    QFETCH(QString, result);

    FakeApi api;
    api.setObjectName(QStringLiteral("api"));
    RecordingOutput output;
    VBScript::Engine engine;
    engine.setOutput(&output);
    engine.addWScript();
    engine.addHostObject(QStringLiteral("s"), &api);
    QVERIFY(engine.load(QStringLiteral("WScript.Echo ") + expression));
    QCOMPARE(output.lines, QStringList(result));
}

void TestVBScriptHostObject::statementsCallMethods()
{
    FakeApi api;
    VBScript::Engine engine;
    engine.addHostObject(QStringLiteral("s"), &api);
    engine.addHostObject(QStringLiteral("job"), &api);
    QVERIFY(engine.load(QStringLiteral("s.log 1, \"text\"\n"
                                       "s.Log 3, 42\n"
                                       "Call s.log(2, \"called\")\n"
                                       "job.sendToSingle job.getPath\n"
                                       "s.title = \"changed\"\n")));
    QCOMPARE(api.logged, QStringList({QStringLiteral("1:text"), QStringLiteral("3:42"),
                                      QStringLiteral("2:called")}));
    QCOMPARE(api.sent, QStringList(QStringLiteral("/in/job.pdf")));
    QCOMPARE(api.title(), QStringLiteral("changed"));
    QVERIFY(engine.load(QStringLiteral("s.reset")));
    QVERIFY(api.logged.isEmpty());
}

void TestVBScriptHostObject::errorsAreTheEngines_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<int>("number");

    // clang-format off
    QTest::newRow("a member the object lacks") << "s.missing" << 438;
    QTest::newRow("a member of QObject itself") << "s.deleteLater" << 438;
    QTest::newRow("too many arguments") << "s.getName 1" << 450;
    QTest::newRow("no overload for the count") << "x = s.pick(1, 2, 3)" << 450;
    QTest::newRow("a text for a number") << "s.log \"high\", \"text\"" << 13;
    QTest::newRow("a text for a list") << "x = s.total(\"1, 2\")" << 13;
    QTest::newRow("a script's object for a QObject") << "x = s.nameOf(New RegExp)" << 13;
    QTest::newRow("a number for a QObject") << "x = s.nameOf(1)" << 424;
    QTest::newRow("a read-only property") << "s.count = 4" << 501;
    QTest::newRow("assigning to a method") << "s.getName = 1" << 501;
    // clang-format on
}

void TestVBScriptHostObject::errorsAreTheEngines()
{
    QFETCH(QString, statement);
    QFETCH(int, number);

    FakeApi api;
    RecordingOutput output;
    VBScript::Engine engine;
    engine.setOutput(&output);
    engine.addWScript();
    engine.addHostObject(QStringLiteral("s"), &api);
    QVERIFY(engine.load(
        QStringLiteral("On Error Resume Next\n%1\nWScript.Echo Err.Number\n").arg(statement)));
    QCOMPARE(output.lines, QStringList(QString::number(number)));
    QVERIFY(api.logged.isEmpty());
}

void TestVBScriptHostObject::aDeletedObjectIsRequired()
{
    auto api = std::make_unique<FakeApi>();
    RecordingOutput output;
    VBScript::Engine engine;
    engine.setOutput(&output);
    engine.addWScript();
    engine.addHostObject(QStringLiteral("s"), api.get());
    QVERIFY(engine.load(QStringLiteral("Set kept = s\nWScript.Echo kept.getName")));
    api.reset();
    QVERIFY(engine.load(
        QStringLiteral("On Error Resume Next\nx = kept.getName\nWScript.Echo Err.Number")));
    QCOMPARE(output.lines, QStringList({QStringLiteral("job.pdf"), QStringLiteral("424")}));
}

// The way the runner calls entry points: host objects as arguments of a function.
void TestVBScriptHostObject::objectsPassedToAFunction()
{
    FakeApi tavrix;
    FakeApi job;
    VBScript::Engine engine;
    QVERIFY(engine.load(QStringLiteral("Function jobArrived(s, job)\n"
                                       "    s.log 1, \"arrived \" & job.getName\n"
                                       "    jobArrived = TypeName(job)\n"
                                       "End Function\n")));
    QVariant result;
    QVERIFY(engine.call(
        QStringLiteral("jobArrived"),
        {QVariant::fromValue<QObject *>(&tavrix), QVariant::fromValue<QObject *>(&job)}, &result));
    QCOMPARE(result, QVariant(QStringLiteral("FakeApi")));
    QCOMPARE(tavrix.logged, QStringList(QStringLiteral("1:arrived job.pdf")));
}

TAVRIX_TEST_GUILESS_MAIN(TestVBScriptHostObject)
#include "tst_vbscripthostobject.moc"
