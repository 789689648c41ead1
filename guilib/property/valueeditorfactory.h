#pragma once

#include <QCoreApplication>

#include <memory>

namespace GuiLib {

class IValueEditor;
struct ValueEditorRequest;

// Makes the value editors of this library for the application proxy (IAppProxy::
// createValueEditor): the file and folder choices. Other kinds are refused with a reason.
class ValueEditorFactory
{
    Q_DECLARE_TR_FUNCTIONS(GuiLib::ValueEditorFactory)

public:
    ValueEditorFactory() = delete;

    static std::unique_ptr<IValueEditor> create(const ValueEditorRequest &request,
                                                QString *errorMessage = nullptr);
};

} // namespace GuiLib
