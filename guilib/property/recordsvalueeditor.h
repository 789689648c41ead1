#pragma once

#include "ivalueeditor.h"
#include "valueeditorrequest.h"

#include <QCoreApplication>

namespace GuiLib {

// The value editors of the table dialogs: private data, metadata datasets and global data
// (universal data records), e-mail information (one entry or a map) and mail accounts. The
// value is the XMLValueProcessor list value of the entries for the editor's keyword; a current
// value of that kind fills the table.
class RecordsValueEditor : public IValueEditor
{
    Q_DECLARE_TR_FUNCTIONS(GuiLib::RecordsValueEditor)

public:
    explicit RecordsValueEditor(const ValueEditorRequest &request);

    bool exec() override;
    QString value() const override { return m_value; }

    static bool handles(const QString &editorType);

private:
    ValueEditorRequest m_request;
    QString m_value;
};

} // namespace GuiLib
