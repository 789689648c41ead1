#pragma once

#include "ivalueeditor.h"
#include "valueeditorrequest.h"

#include <QCoreApplication>

namespace GuiLib {

// Chooses a file ("choosefile", with the file filter after "|" when the keyword has one) or a
// folder ("choosefolder") in a file dialog. The dialog starts in the folder last used for the
// same property of the same owner type, kept in the settings under
// "Editors/<owner type>_<tag>_Description_LastPath", else in the default location that
// ":/xml/xml_DefaultLocations_WIN.xml" gives for that key, when it exists. A chosen link is
// replaced by its target.
class PathValueEditor : public IValueEditor
{
    Q_DECLARE_TR_FUNCTIONS(GuiLib::PathValueEditor)

public:
    explicit PathValueEditor(const ValueEditorRequest &request);

    bool exec() override;
    QString value() const override { return m_value; }

    // The settings key of the last folder, without "Editors/".
    QString lastPathKey() const;
    // The folder the dialog starts in; empty when neither a last folder nor a default exists.
    QString startFolder() const;

private:
    bool choosesFolder() const;

    ValueEditorRequest m_request;
    QString m_value;
};

} // namespace GuiLib
