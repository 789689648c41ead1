#include "emailaccountsdialog.h"

#include "corelib/values/emailsvalidator.h"

namespace GuiLib {

namespace {

constexpr int AddressColumn = 0;
constexpr int ServerColumn = 1;
constexpr int PortColumn = 2;

} // namespace

EmailAccountsDialog::EmailAccountsDialog(QWidget *parent, const QString &title,
                                         const QString &prompt, const QStringList &accounts)
    : TableValueDialog(
        parent, title, prompt,
        {tr("E-mail address"), tr("SMTP server"), tr("Port"), tr("User name"), tr("Password")},
        tr("Invalid mail account"))
{
    for (const QString &account : accounts) {
        appendRow(account.split(QLatin1Char(';')));
    }
    validate();
}

QStringList EmailAccountsDialog::accounts() const
{
    QStringList result;
    for (const QStringList &row : rows()) {
        result.append(row.join(QLatin1Char(';')));
    }
    return result;
}

QString EmailAccountsDialog::problem() const
{
    const QList<QStringList> entries = rows();
    for (int row = 0; row < entries.size(); ++row) {
        const QStringList &account = entries.at(row);
        if (account.join(QString()).contains(QLatin1Char(';'))) {
            return tr("account %1 holds a ';'").arg(row + 1);
        }
        if (SRCore::EmailsValidator::validateAddress(account.at(AddressColumn).trimmed())
            != QValidator::Acceptable) {
            return tr("the address of account %1 is not valid").arg(row + 1);
        }
        if (account.at(ServerColumn).trimmed().isEmpty()) {
            return tr("account %1 has no SMTP server").arg(row + 1);
        }
        bool isNumber = false;
        const int port = account.at(PortColumn).toInt(&isNumber);
        if (!account.at(PortColumn).isEmpty() && (!isNumber || port < 1 || port > 65535)) {
            return tr("the port of account %1 is not a number from 1 to 65535").arg(row + 1);
        }
    }
    return {};
}

} // namespace GuiLib
