#pragma once

#include "ivalueeditor.h"
#include "valueeditorrequest.h"

#include <QCoreApplication>

namespace GuiLib {

// The "external" kind: the property's value is a file that an external application writes.
// The application (the field attribute ExternalApplication; a name that is not an existing
// absolute path is looked for below the program's folder) gets a copy of the current value
// file in a fresh temporary folder, or the name a new file should have, and is waited for on
// the GUI thread. When it ends with exit code 0 and the file exists, the file becomes the
// value. Failures are shown in warning boxes titled "External editor".
class ExternalValueEditor : public IValueEditor
{
    Q_DECLARE_TR_FUNCTIONS(GuiLib::ExternalValueEditor)

public:
    explicit ExternalValueEditor(const ValueEditorRequest &request);

    bool exec() override;
    QString value() const override { return m_value; }

    // How long the application may take to start and to finish, in milliseconds.
    void setTimeouts(int startMs, int finishMs);

private:
    QString findApplication() const;
    void warn(const QString &text) const;

    ValueEditorRequest m_request;
    QString m_value;
    int m_startTimeoutMs = 30000;
    int m_finishTimeoutMs = 60000;
};

} // namespace GuiLib
