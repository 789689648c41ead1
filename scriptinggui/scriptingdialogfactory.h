#pragma once

#include <QCoreApplication>

#include <memory>

namespace GuiLib {
class IValueEditor;
struct ValueEditorRequest;
} // namespace GuiLib

namespace ScriptingGui {

// Makes the value editors of the scripting dialogs for the application proxy: script
// expressions and metadata field definitions (editable and read-only).
class ScriptingDialogFactory
{
    Q_DECLARE_TR_FUNCTIONS(ScriptingGui::ScriptingDialogFactory)

public:
    ScriptingDialogFactory() = delete;

    // True for the editor kinds that this factory makes.
    static bool handles(const QString &editorType);
    // Null, with the reason, for other kinds.
    static std::unique_ptr<GuiLib::IValueEditor> create(const GuiLib::ValueEditorRequest &request,
                                                        QString *errorMessage = nullptr);

private:
    static bool isMetadataFields(const QString &keyword);
};

} // namespace ScriptingGui
