#pragma once

#include "tablevaluedialog.h"

#include "corelib/values/emailinform.h"

namespace GuiLib {

// Edits e-mail information entries (addresses, subject, body) as a table: one entry for
// "einfoedit", any number for "mapeinfoedit". The addresses are separated by ";" and must all
// be valid.
class EmailInfoDialog : public TableValueDialog
{
    Q_OBJECT

public:
    enum class Entries { One, Many };

    EmailInfoDialog(QWidget *parent, const QString &title, Entries entries,
                    const QList<SRCore::EmailInform> &infos);

    QList<SRCore::EmailInform> infos() const;

protected:
    QStringList newRow() const override { return {}; }
    QString problem() const override;
};

} // namespace GuiLib
