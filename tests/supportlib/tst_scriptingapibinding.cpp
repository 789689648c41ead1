#include "common/testmain.h"

#include <qsa/scriptingapi.h>

#include <supportlib/frameworkobject.h>
#include <supportlib/scriptapiclasses.h>

#include <QMetaMethod>
#include <QTest>

// The editor's table of the scripting API and the objects that scripts run against are one:
// every table object is a class whose Q_INVOKABLE methods are exactly the table's methods, with
// the same parameters (optional ones where the table gives a default) and types.
class tst_ScriptingApiBinding : public QObject
{
    Q_OBJECT

private slots:
    void everyScriptingClassIsInTheTable();
    void methodsAreTheTables_data();
    void methodsAreTheTables();
};

namespace {

struct Parameter
{
    QString type;
    bool optional = false;
};

// "tag : String, job : Job = null" -> String, Job (optional)
QList<Parameter> tableParameters(const ScriptingApi::Method &method)
{
    QList<Parameter> result;
    const QString text = QLatin1String(method.parameters);
    for (const QString &parameter : text.split(QLatin1String(", "), Qt::SkipEmptyParts)) {
        const QString declared = parameter.section(QLatin1Char(':'), 1).trimmed();
        result.append({declared.section(QLatin1Char('='), 0, 0).trimmed(),
                       declared.contains(QLatin1Char('='))});
    }
    return result;
}

// The C++ classes that stand for a table class: the scripting class and its bases up to
// FrameworkObject (a Job parameter takes any JobBasic).
QStringList cppClassesOf(const QString &tableClass)
{
    QStringList names;
    for (const QMetaObject *meta : ScriptApiClasses::all()) {
        if (ScriptApiClasses::scriptClass(meta) != tableClass) {
            continue;
        }
        for (; meta && meta != &FrameworkObject::staticMetaObject; meta = meta->superClass()) {
            names.append(QLatin1String(meta->className()));
        }
    }
    return names;
}

bool typeMatches(const QString &tableType, const QByteArray &cppType)
{
    static const QMultiHash<QString, QByteArray> plain = {
        {QStringLiteral(""), "void"},
        {QStringLiteral("String"), "QString"},
        {QStringLiteral("Number"), "int"},
        {QStringLiteral("Number"), "double"},
        {QStringLiteral("Number"), "qlonglong"},
        {QStringLiteral("Boolean"), "bool"},
        {QStringLiteral("Array"), "QStringList"},
        {QStringLiteral("Array"), "QVariantList"},
        {QStringLiteral("Object"), "QVariantMap"},
    };
    if (plain.contains(tableType)) {
        return plain.values(tableType).contains(cppType);
    }
    return cppType.endsWith('*')
           && cppClassesOf(tableType).contains(QString::fromLatin1(cppType.chopped(1)));
}

const QMetaObject *metaObjectOf(const QString &tableClass)
{
    for (const QMetaObject *meta : ScriptApiClasses::all()) {
        if (ScriptApiClasses::scriptClass(meta) == tableClass) {
            return meta;
        }
    }
    return nullptr;
}

// The invokable methods of a class by name: the declaration with all parameters, and the
// fewest parameters a call may give (moc adds a clone per default argument).
struct Invokable
{
    QMetaMethod full;
    int fewest = 0;
};

QMap<QString, Invokable> invokables(const QMetaObject *meta)
{
    QMap<QString, Invokable> result;
    for (int i = QObject::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() != QMetaMethod::Method || method.access() != QMetaMethod::Public) {
            continue;
        }
        const QString name = QString::fromLatin1(method.name());
        const bool known = result.contains(name);
        Invokable &entry = result[name];
        if (!known || method.parameterCount() > entry.full.parameterCount()) {
            entry.full = method;
        }
        entry.fewest = known ? std::min(entry.fewest, int(method.parameterCount()))
                             : int(method.parameterCount());
    }
    return result;
}

} // namespace

void tst_ScriptingApiBinding::everyScriptingClassIsInTheTable()
{
    for (const QMetaObject *meta : ScriptApiClasses::all()) {
        const QString scriptClass = ScriptApiClasses::scriptClass(meta);
        QVERIFY2(ScriptingApi::objectForClass(scriptClass), meta->className());
    }
}

void tst_ScriptingApiBinding::methodsAreTheTables_data()
{
    QTest::addColumn<QString>("className");
    for (const ScriptingApi::Object &object : ScriptingApi::objects()) {
        QTest::newRow(object.className) << QString::fromLatin1(object.className);
    }
}

void tst_ScriptingApiBinding::methodsAreTheTables()
{
    QFETCH(QString, className);
    const ScriptingApi::Object *object = ScriptingApi::objectForClass(className);
    const QMetaObject *meta = metaObjectOf(className);
    QVERIFY2(meta, "no scripting class has this ScriptClass");
    const QMap<QString, Invokable> methods = invokables(meta);

    QStringList tableNames;
    for (const ScriptingApi::Method &method : object->methods) {
        tableNames.append(QLatin1String(method.name));
    }
    QStringList cppNames = methods.keys();
    tableNames.sort();
    QCOMPARE(cppNames, tableNames);

    for (const ScriptingApi::Method &method : object->methods) {
        const Invokable &invokable = methods.value(QLatin1String(method.name));
        const QList<Parameter> parameters = tableParameters(method);
        const QByteArray where = QByteArray(method.name) + ": " + invokable.full.methodSignature();
        QVERIFY2(typeMatches(QLatin1String(method.returnType), invokable.full.typeName()),
                 where.constData());
        QCOMPARE(invokable.full.parameterCount(), parameters.size());
        const int required = int(std::count_if(parameters.cbegin(), parameters.cend(),
                                               [](const Parameter &p) { return !p.optional; }));
        QVERIFY2(invokable.fewest == required, where.constData());
        for (int i = 0; i < parameters.size(); ++i) {
            QVERIFY2(typeMatches(parameters.at(i).type, invokable.full.parameterTypes().at(i)),
                     where.constData());
        }
    }
}

TAVRIX_TEST_GUILESS_MAIN(tst_ScriptingApiBinding)
#include "tst_scriptingapibinding.moc"
