#include "qscompletionapis.h"

#include "qsinterpreter.h"
#include "qsobjectfactory.h"
#include "scriptingapi.h"

#include <Qsci/qscilexer.h>

#include <QMetaMethod>
#include <QMetaObject>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace {

// The public methods and properties that an object adds to QObject's, with their signatures.
void addMetaMembers(const QObject *object, QMultiMap<QString, QString> &members)
{
    const QMetaObject *meta = object->metaObject();
    for (int i = QObject::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.access() != QMetaMethod::Public
            || (method.methodType() != QMetaMethod::Method
                && method.methodType() != QMetaMethod::Slot)) {
            continue;
        }
        QStringList parameters;
        const QList<QByteArray> types = method.parameterTypes();
        const QList<QByteArray> names = method.parameterNames();
        for (int p = 0; p < types.size(); ++p) {
            parameters.append(QString::fromLatin1(names.value(p)) + QLatin1String(" : ")
                              + QString::fromLatin1(types.at(p)));
        }
        const QString name = QString::fromLatin1(method.name());
        members.insert(name, name + QLatin1Char('(') + parameters.join(QLatin1String(", "))
                                 + QLatin1Char(')'));
    }
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        members.insert(QString::fromLatin1(property.name()),
                       QString::fromLatin1(property.name()) + QLatin1String(" : ")
                           + QString::fromLatin1(property.typeName()));
    }
}

void addTableMembers(const ScriptingApi::Object &object, QMultiMap<QString, QString> &members)
{
    for (const ScriptingApi::Method &method : object.methods) {
        members.insert(QString::fromLatin1(method.name), method.signature());
    }
}

} // namespace

QSCompletionApis::QSCompletionApis(QsciLexer *lexer)
    : QsciAbstractAPIs(lexer)
    , m_readTimer(new QTimer(this))
{
    m_readTimer->setSingleShot(true);
    m_readTimer->setInterval(ReadDelayMs);
    connect(m_readTimer, &QTimer::timeout, this, &QSCompletionApis::startReading);
    // Only the latest reading is delivered: setFuture() forgets the one before.
    connect(&m_reading, &QFutureWatcherBase::finished, this,
            [this] { m_scriptFunctions = m_reading.result(); });
}

// A reading still under way holds its own copy of the text and ends on its own.
QSCompletionApis::~QSCompletionApis() = default;

void QSCompletionApis::scriptChanged()
{
    // Nothing is read for a script whose functions nobody asked for yet.
    if (m_scriptFunctionsRead) {
        m_readTimer->start();
    }
}

const QList<JsLexer::Function> &QSCompletionApis::scriptFunctions()
{
    if (!m_scriptFunctionsRead) {
        if (const QsciScintilla *editor = lexer()->editor()) {
            m_scriptFunctions = JsLexer(editor->text()).topLevelFunctions();
        }
        m_scriptFunctionsRead = true;
    }
    return m_scriptFunctions;
}

void QSCompletionApis::startReading()
{
    if (const QsciScintilla *editor = lexer()->editor()) {
        m_reading.setFuture(QtConcurrent::run(
            [text = editor->text()] { return JsLexer(text).topLevelFunctions(); }));
    }
}

void QSCompletionApis::setInterpreter(QSInterpreter *interpreter, QObject *context)
{
    m_interpreter = interpreter;
    m_context = context;
}

QMultiMap<QString, QString> QSCompletionApis::members(const QString &objectName) const
{
    QMultiMap<QString, QString> result;
    if (const ScriptingApi::Object *object = ScriptingApi::objectForVariable(objectName)) {
        addTableMembers(*object, result);
        return result;
    }
    if (!m_interpreter) {
        return result;
    }
    for (const QObject *object : m_interpreter->transientObjects()) {
        if (object->objectName() != objectName) {
            continue;
        }
        // The scripting objects' own classes are described by the table; others by Qt.
        const QString className = QString::fromLatin1(object->metaObject()->className());
        if (const ScriptingApi::Object *known = ScriptingApi::objectForClass(className)) {
            addTableMembers(*known, result);
        } else {
            addMetaMembers(object, result);
        }
        break;
    }
    return result;
}

QStringList QSCompletionApis::topLevelWords()
{
    QStringList words = JsLexer::keywords();
    for (const JsLexer::Function &function : scriptFunctions()) {
        words.append(function.name);
    }
    if (m_interpreter) {
        for (const QObject *object : m_interpreter->transientObjects()) {
            words.append(object->objectName());
        }
        for (const QSObjectFactory *factory : m_interpreter->objectFactories()) {
            words.append(factory->classNames());
        }
    }
    if (m_context) {
        QMultiMap<QString, QString> contextMembers;
        addMetaMembers(m_context, contextMembers);
        words.append(contextMembers.uniqueKeys());
    }
    return words;
}

void QSCompletionApis::updateAutoCompletionList(const QStringList &context, QStringList &list)
{
    if (context.isEmpty()) {
        return;
    }
    const QString &prefix = context.constLast();
    const QStringList candidates = context.size() == 1
                                       ? topLevelWords()
                                       : members(context.at(context.size() - 2)).uniqueKeys();
    for (const QString &word : candidates) {
        if (!word.isEmpty() && word.startsWith(prefix) && !list.contains(word)) {
            list.append(word);
        }
    }
}

QStringList QSCompletionApis::callTips(const QStringList &context, int commas,
                                       QsciScintilla::CallTipsStyle style, QList<int> &shifts)
{
    Q_UNUSED(commas)
    Q_UNUSED(style)
    QStringList tips;
    if (context.size() < 2) {
        return tips;
    }
    const QString &name = context.at(context.size() - 2);
    if (context.size() >= 3) {
        tips = members(context.at(context.size() - 3)).values(name);
        std::reverse(tips.begin(), tips.end()); // QMultiMap gives the latest insertion first
    } else {
        for (const JsLexer::Function &function : scriptFunctions()) {
            if (function.name == name) {
                tips.append(function.signature);
            }
        }
    }
    shifts = QList<int>(tips.size(), 0);
    return tips;
}
