#pragma once

// The application side of the shared GUI library as the tests provide it: settings in the test's
// own settings store, the library's own value editors or editors that answer at once, and a
// record of the editors asked for. Constructed first, it is the process-wide proxy until it is
// destroyed.

#include "guilib/property/iappproxy.h"
#include "guilib/property/ivalueeditor.h"
#include "guilib/property/valueeditorfactory.h"
#include "guilib/property/valueeditorrequest.h"

#include <QList>
#include <QSettings>

#include <optional>

class FakeAppProxy : public GuiLib::IAppProxy
{
public:
    QVariant readSetting(const QString &key, const QVariant &defaultValue) const override
    {
        return QSettings().value(key, defaultValue);
    }
    void writeSetting(const QString &key, const QVariant &value) override
    {
        QSettings().setValue(key, value);
    }
    QString documentationFolder() const override { return {}; }
    QString programFilesFolder() const override { return {}; }
    QString documentsFolder() const override { return {}; }
    void sampleJobs(QMap<QString, QString> &, QString &flowId) const override { flowId.clear(); }
    QStringList jobDatasets(const QString &) const override { return {}; }
    QStringList variableValues(const QStringList &, const QString &, const QString &,
                               const QString &, const QString &, bool) override
    {
        return {};
    }
    void centerOnActiveWindow(QWidget *) const override {}
    QWidget *dialogParent() const override { return nullptr; }
    std::unique_ptr<GuiLib::IValueEditor>
    createValueEditor(const GuiLib::ValueEditorRequest &request, QString *errorMessage) override
    {
        requests.append(request);
        if (editorAnswer) {
            return std::make_unique<AnsweringEditor>(*editorAnswer);
        }
        return GuiLib::ValueEditorFactory::create(request, errorMessage);
    }

    QList<GuiLib::ValueEditorRequest> requests;
    // When set, the editors show nothing and confirm this value at once, or cancel for a null
    // value.
    std::optional<QString> editorAnswer;

private:
    class AnsweringEditor : public GuiLib::IValueEditor
    {
    public:
        explicit AnsweringEditor(const QString &answer)
            : m_answer(answer)
        {}
        bool exec() override { return !m_answer.isNull(); }
        QString value() const override { return m_answer; }

    private:
        QString m_answer;
    };
};
