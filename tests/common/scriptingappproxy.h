#pragma once

// The application proxy of the scripting dialog tests: the scripting dialogs' factory for
// script expressions and metadata fields, the shared library's for the other kinds.

#include "common/propertytestsupport.h"

#include "scriptinggui/scriptingdialogfactory.h"

class ScriptingAppProxy : public FakeAppProxy
{
public:
    std::unique_ptr<GuiLib::IValueEditor>
    createValueEditor(const GuiLib::ValueEditorRequest &request, QString *errorMessage) override
    {
        if (ScriptingGui::ScriptingDialogFactory::handles(request.editorType)) {
            requests.append(request);
            return ScriptingGui::ScriptingDialogFactory::create(request, errorMessage);
        }
        return FakeAppProxy::createValueEditor(request, errorMessage);
    }
};
