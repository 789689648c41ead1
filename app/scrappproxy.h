#pragma once

#include "guilib/property/iappproxy.h"

#include <QMap>

#include <memory>

namespace Scripter {
class FixtureItem;
class ScripterWindow;
} // namespace Scripter

namespace SRCore {
class IJT;
class IScriptExpressionEvaluator;
} // namespace SRCore

// How the shared GUI library reaches this program: the program's settings store and folders,
// the active main window and its fixture, the core's variable evaluation, and the factories of
// property value editors: the scripting dialogs' for script expressions and metadata fields,
// the FTP directory dialog for FTP folders, the shared GUI library's for the others. The core
// creates exactly one, which registers itself as the process-wide proxy. GUI thread only.
class ScrAppProxy : public GuiLib::IAppProxy
{
public:
    ScrAppProxy();
    ~ScrAppProxy() override;

    QVariant readSetting(const QString &key, const QVariant &defaultValue) const override;
    void writeSetting(const QString &key, const QVariant &value) override;
    // The folder of the documentation pages beside the program; empty when not installed.
    QString documentationFolder() const override;
    // The platform's folders of applications and of the user's documents.
    QString programFilesFolder() const override;
    QString documentsFolder() const override;
    // Every job file of the active window's fixture (a job folder gives the files in it),
    // arriving at the test flow's script element in the flow "1".
    void sampleJobs(QMap<QString, QString> &jobElements, QString &flowId) const override;
    QStringList jobDatasets(const QString &jobFile) const override;
    // For a sample job, the values for the ticket that a test run would give it (its fixture
    // job's private data, hierarchy, e-mail and datasets); otherwise the core's evaluation.
    QStringList variableValues(const QStringList &names, const QString &job, const QString &second,
                               const QString &third, const QString &fourth, bool flag) override;
    void centerOnActiveWindow(QWidget *dialog) const override;
    QWidget *dialogParent() const override;
    std::unique_ptr<GuiLib::IValueEditor>
    createValueEditor(const GuiLib::ValueEditorRequest &request, QString *errorMessage) override;
    // For a sample job, with the ticket that a test run would give it, through the process's
    // script expression evaluator; the proxy makes one when none is registered.
    bool evaluateScriptExpression(const QString &expression, const QString &job,
                                  const QString &element, QString *result) override;

private:
    // The job files of the window's fixture with the fixture job each comes from.
    static QMap<QString, const Scripter::FixtureItem *>
    sampleJobItems(const Scripter::ScripterWindow &window);
    static std::unique_ptr<SRCore::IJT> sampleTicket(const Scripter::FixtureItem &job,
                                                     const QString &jobFile);
    // The fixture job of the sample job `job` of the active window; null when it is none.
    static const Scripter::FixtureItem *sampleJobItem(const QString &job);

    std::unique_ptr<SRCore::IScriptExpressionEvaluator> m_expressionEvaluator;
};
