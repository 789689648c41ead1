#include "clidialogs.h"

#include "clilogging.h"

namespace Scripter {

void CliDialogs::clear()
{
    m_warnings.clear();
    m_questions.clear();
    m_passwordMissing = false;
}

bool CliDialogs::confirmSave(QWidget *parent, const QString &question)
{
    Q_UNUSED(parent)
    m_questions.append(question);
    return m_saveDespiteErrors;
}

bool CliDialogs::askPassword(QWidget *parent, QString *password)
{
    Q_UNUSED(parent)
    if (m_password.isNull()) {
        m_passwordMissing = true;
        return false;
    }
    *password = m_password;
    return true;
}

void CliDialogs::warning(QWidget *parent, const QString &title, const QString &text)
{
    Q_UNUSED(parent)
    qCDebug(lcCli).noquote() << title << text;
    m_warnings.append(text.trimmed());
}

} // namespace Scripter
