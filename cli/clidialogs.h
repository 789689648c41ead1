#pragma once

#include "package/ipackagedialogs.h"

#include <QString>
#include <QStringList>

namespace Scripter {

// The package processor's dialogs answered from the command line: no dialog is ever shown. A
// question about syntax errors is answered as the command says, a password prompt with the
// password the user gave (declined when none was given). What the processor wanted to tell the
// user is kept for the tool's error message.
class CliDialogs : public IPackageDialogs
{
public:
    // A null password declines the prompt.
    void setPassword(const QString &password) { m_password = password; }
    void setSaveDespiteErrors(bool save) { m_saveDespiteErrors = save; }

    // Forgets what was asked and told so far.
    void clear();
    // The refusals the processor reported, oldest first, without surrounding blanks.
    QStringList warnings() const { return m_warnings; }
    // The syntax-error questions that were answered.
    QStringList questions() const { return m_questions; }
    // Whether the processor asked for a password that the user had not given.
    bool passwordMissing() const { return m_passwordMissing; }

    bool confirmSave(QWidget *parent, const QString &question) override;
    bool askPassword(QWidget *parent, QString *password) override;
    void warning(QWidget *parent, const QString &title, const QString &text) override;

private:
    QString m_password;
    bool m_saveDespiteErrors = false;
    QStringList m_warnings;
    QStringList m_questions;
    bool m_passwordMissing = false;
};

} // namespace Scripter
