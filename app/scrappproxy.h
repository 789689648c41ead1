#pragma once

#include "guilib/property/iappproxy.h"

// How the shared GUI library reaches this program: the program's settings store and folders,
// the active main window and its fixture, the core's variable evaluation, and the factories of
// property value editors: the scripting dialogs' for script expressions and metadata fields,
// the FTP directory dialog for FTP folders, the shared GUI library's for the others. The core
// creates exactly one, which registers itself as the process-wide proxy. GUI thread only.
class ScrAppProxy : public GuiLib::IAppProxy
{
public:
    ScrAppProxy() = default;
    ~ScrAppProxy() override = default;

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
    QStringList variableValues(const QStringList &names, const QString &job, const QString &second,
                               const QString &third, const QString &fourth, bool flag) override;
    void centerOnActiveWindow(QWidget *dialog) const override;
    QWidget *dialogParent() const override;
    std::unique_ptr<GuiLib::IValueEditor>
    createValueEditor(const GuiLib::ValueEditorRequest &request, QString *errorMessage) override;
};
