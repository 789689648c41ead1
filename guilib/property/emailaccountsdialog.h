#pragma once

#include "tablevaluedialog.h"

namespace GuiLib {

// Edits mail accounts as a table of address, SMTP server, port, user name and password. An
// account is kept as one text of these five parts joined by ";", so none may hold a ";"; the
// address must be valid, the server given and the port, when given, a number from 1 to 65535.
class EmailAccountsDialog : public TableValueDialog
{
    Q_OBJECT

public:
    EmailAccountsDialog(QWidget *parent, const QString &title, const QString &prompt,
                        const QStringList &accounts);

    QStringList accounts() const;

protected:
    QStringList newRow() const override { return {}; }
    QString problem() const override;
};

} // namespace GuiLib
