#include "emailinfodialog.h"

#include "corelib/values/emailsvalidator.h"

namespace GuiLib {

EmailInfoDialog::EmailInfoDialog(QWidget *parent, const QString &title, Entries entries,
                                 const QList<SRCore::EmailInform> &infos)
    : TableValueDialog(parent, title, QString(),
                       {tr("E-mail addresses"), tr("Subject"), tr("Body")},
                       tr("Invalid e-mail information"))
{
    QList<SRCore::EmailInform> shown = infos;
    if (entries == Entries::One) {
        shown = {infos.value(0)};
        fixRowCount();
    }
    for (const SRCore::EmailInform &info : shown) {
        appendRow({info.recipients, info.subject, info.body});
    }
    validate();
}

QList<SRCore::EmailInform> EmailInfoDialog::infos() const
{
    QList<SRCore::EmailInform> result;
    for (const QStringList &row : rows()) {
        result.append({row.at(0), row.at(1), row.at(2)});
    }
    return result;
}

QString EmailInfoDialog::problem() const
{
    const SRCore::EmailsValidator validator(QStringLiteral(";"));
    const QList<QStringList> entries = rows();
    for (int row = 0; row < entries.size(); ++row) {
        QString addresses = entries.at(row).at(0);
        int position = 0;
        if (validator.validate(addresses, position) != QValidator::Acceptable) {
            return tr("the addresses of entry %1 are not valid").arg(row + 1);
        }
    }
    return {};
}

} // namespace GuiLib
