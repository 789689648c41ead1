#include "frameworkobject.h"

#include "iframeworkentriesmanager.h"
#include "iframeworkenvironment.h"
#include "iscripthost.h"
#include "runrecorder.h"
#include "supportliblogging.h"
#include "userglobaldata.h"

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"

#include <QJsonDocument>

FrameworkObject::FrameworkObject(IFrameworkEnvironment *environment, SRCore::ILogInterface *log,
                                 QObject *parent)
    : QObject(parent)
    , m_environment(environment)
    , m_log(log)
{}

FrameworkObject::~FrameworkObject() = default;

void FrameworkObject::raiseError(const QString &message) const
{
    if (IScriptHost *host = m_environment ? m_environment->scriptHost() : nullptr) {
        host->raiseScriptError(message);
        return;
    }
    qCDebug(lcSupportLib) << "error outside a script call:" << message;
    if (m_log) {
        m_log->log(SRCore::LogRecord(SRCore::LogLevel::Error, QStringLiteral("%1"), QString(),
                                     QString(), QString(), message));
    }
}

void FrameworkObject::logScriptMessage(int level, const QString &message,
                                       const QVariantList &arguments, const QString &jobName) const
{
    using namespace SRCore::LogLevel;
    if (level != Debug && level != Refused && level != Information && level != Warning
        && level != Error) {
        raiseError(tr("Log level %1 is none of -1 (debug), 1 (information), 2 (warning) and 3 "
                      "(error)")
                       .arg(level));
        return;
    }
    QStringList texts;
    texts.reserve(arguments.size());
    for (const QVariant &argument : arguments) {
        texts.append(scriptText(argument));
    }
    if (IFrameworkEntriesManager *manager = entriesManager()) {
        manager->logMessage(level, message, texts, jobName);
    } else if (m_log) {
        m_log->log(SRCore::LogRecord(level, message, QString(), QString(), jobName,
                                     texts.join(QLatin1Char(','))));
    }
}

void FrameworkObject::logRunMessage(int level, const char *message, const QStringList &arguments,
                                    const QString &jobName) const
{
    const QString text = QString::fromLatin1(message);
    if (IFrameworkEntriesManager *manager = entriesManager()) {
        manager->logMessage(level, text, arguments, jobName);
    } else if (m_log) {
        m_log->log(SRCore::LogRecord(level, text, QString(), QString(), jobName,
                                     arguments.join(QLatin1Char(','))));
    }
}

IFrameworkEntriesManager *FrameworkObject::entriesManager() const
{
    return m_environment ? m_environment->entriesManager() : nullptr;
}

QObject *FrameworkObject::runScope() const
{
    return m_environment ? m_environment->runScope() : nullptr;
}

UserGlobalData *FrameworkObject::userGlobalData() const
{
    IFrameworkEntriesManager *manager = entriesManager();
    UserGlobalData *data = manager ? manager->getUserGlobalData() : nullptr;
    if (!data) {
        raiseError(tr("There is no global data outside a test run"));
    }
    return data;
}

QString FrameworkObject::globalData(const QString &scope, const QString &tag) const
{
    const UserGlobalData *data = userGlobalData();
    return data ? data->getGlobalData(scope, tag) : QString();
}

void FrameworkObject::storeGlobalData(const QString &scope, const QString &tag,
                                      const QString &value) const
{
    UserGlobalData *data = userGlobalData();
    if (!data) {
        return;
    }
    const QString oldValue = data->getGlobalData(scope, tag);
    QString error;
    if (!data->setGlobalData(scope, tag, value, &error)) {
        raiseError(
            tr("The global data '%1' of scope '%2' can't be stored: %3").arg(tag, scope, error));
        return;
    }
    m_environment->recorder().recordChange(RunSummary::DataChange::Scope::GlobalData, scope, tag,
                                           oldValue, value);
}

QString FrameworkObject::scriptText(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        return QString();
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        QStringList items;
        for (const QVariant &item : value.toList()) {
            items.append(scriptText(item));
        }
        return items.join(QLatin1Char(','));
    }
    case QMetaType::QVariantMap:
        return QString::fromUtf8(QJsonDocument::fromVariant(value).toJson(QJsonDocument::Compact));
    default:
        return value.toString();
    }
}
