#pragma once

#include "tablevaluedialog.h"

#include "corelib/values/universaldata.h"

namespace GuiLib {

// Edits the global data that a test run starts with, as a table of scope, tag and value. A new
// entry gets the scope "myScript" and a tag free within it. Scopes and tags must be filled in,
// and a tag must be unique within its scope.
class GlobalDataFieldsDialog : public TableValueDialog
{
    Q_OBJECT

public:
    GlobalDataFieldsDialog(QWidget *parent, const QString &title,
                           const QList<SRCore::UniversalData> &fields);

    // Each entry as (tag, scope, value).
    QList<SRCore::UniversalData> fields() const;

protected:
    QStringList newRow() const override;
    QString problem() const override;
};

} // namespace GuiLib
