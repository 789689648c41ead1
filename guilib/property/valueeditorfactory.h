#pragma once

#include <QCoreApplication>

#include <memory>

namespace GuiLib {

class IValueEditor;
struct ValueEditorRequest;

// Makes the value editors of this library for the application proxy (IAppProxy::
// createValueEditor): file and folder choices, the text, list and table dialogs, the texts and
// conditions with variables, and the external editor. Kinds whose editors live in other
// libraries (script expressions, metadata fields, FTP folders) are refused with a reason; the
// application makes those.
class ValueEditorFactory
{
    Q_DECLARE_TR_FUNCTIONS(GuiLib::ValueEditorFactory)

public:
    ValueEditorFactory() = delete;

    static std::unique_ptr<IValueEditor> create(const ValueEditorRequest &request,
                                                QString *errorMessage = nullptr);
};

} // namespace GuiLib
