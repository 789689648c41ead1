#pragma once

#include "ivalueeditor.h"
#include "valueeditorrequest.h"

#include <QCoreApplication>

namespace GuiLib {

// The value editors that choose from a list: file types ("types", several, in the select from
// list dialog), one file type ("filetype", in the select from library dialog), and one or
// several library items ("askplugin", "askplugin2", from the items the owner offers for the
// property).
class ChoiceValueEditor : public IValueEditor
{
    Q_DECLARE_TR_FUNCTIONS(GuiLib::ChoiceValueEditor)

public:
    explicit ChoiceValueEditor(const ValueEditorRequest &request);

    bool exec() override;
    QString value() const override { return m_value; }

    static bool handles(const QString &editorType);

private:
    bool chooseOne(const QString &prompt, const QStringList &items);
    bool chooseMany(const QString &dialogName, const QString &prompt, const QStringList &items);

    ValueEditorRequest m_request;
    QString m_value;
};

} // namespace GuiLib
