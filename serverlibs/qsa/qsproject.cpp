#include "qsproject.h"

#include "qsinterpreter.h"

QSProject::QSProject(QObject *parent, const char *name)
    : QObject(parent)
    , m_interpreter(new QSInterpreter(this))
{
    if (name) {
        setObjectName(QString::fromUtf8(name));
    }
}

QSProject::~QSProject() = default;

bool QSProject::createScript(const QString &name, const QString &code, QString *errorMessage)
{
    QString error;
    if (name.trimmed().isEmpty()) {
        error = tr("A script needs a name");
    } else if (scriptNames().contains(name)) {
        error = tr("The project already has a script named \"%1\"").arg(name);
    }
    if (!error.isEmpty()) {
        if (errorMessage) {
            *errorMessage = error;
        }
        return false;
    }
    m_interpreter->m_scripts.append({name, code});
    return true;
}

QStringList QSProject::scriptNames() const
{
    QStringList result;
    for (const QSInterpreter::Script &script : m_interpreter->m_scripts) {
        result.append(script.name);
    }
    return result;
}
