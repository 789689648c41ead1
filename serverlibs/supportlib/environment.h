#pragma once

#include "frameworkobject.h"

// The environment of the entry points that handle no job (`e`): the flow and element names,
// what the program remembers about the application the script drives, the server, a temporary
// folder and the flow's global data.
class Environment : public FrameworkObject
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "Environment")

public:
    Environment(IFrameworkEnvironment *environment, SRCore::ILogInterface *log,
                QObject *parent = nullptr);
    ~Environment() override;

    Q_INVOKABLE void log(int level, const QString &message,
                         const QVariantList &arguments = QVariantList()) const;
    Q_INVOKABLE QString getFlowName() const;
    Q_INVOKABLE QString getElementName() const;
    Q_INVOKABLE QString getApplicationPath() const;
    Q_INVOKABLE QString getApplicationLicensing() const;
    Q_INVOKABLE QString getServerName() const;
    Q_INVOKABLE QString getTempFolder() const;
    Q_INVOKABLE QString getGlobalData(const QString &scope, const QString &tag) const;
    Q_INVOKABLE void setGlobalData(const QString &scope, const QString &tag, const QString &value);
};
