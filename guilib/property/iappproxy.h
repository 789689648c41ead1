#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class QWidget;

namespace GuiLib {

class IValueEditor;
struct ValueEditorRequest;

// How this library reaches the application that uses it: its settings, folders, active
// window, sample jobs, variable values and the factory of property value editors. The
// application implements it once; the first implementation constructed registers itself as
// the process-wide proxy (later ones do not replace it) until it is destroyed. Without one,
// the library's editors work without remembered settings.
//
// Used and implemented on the GUI thread only.
class IAppProxy
{
public:
    IAppProxy();
    virtual ~IAppProxy();
    IAppProxy(const IAppProxy &) = delete;
    IAppProxy &operator=(const IAppProxy &) = delete;

    // The registered proxy; null when there is none.
    static IAppProxy *instance();

    // The value of `key` in the application's per-user settings, else `defaultValue`.
    virtual QVariant readSetting(const QString &key, const QVariant &defaultValue) const = 0;
    virtual void writeSetting(const QString &key, const QVariant &value) = 0;
    // The documentation folder of the language the editors use.
    virtual QString documentationFolder() const = 0;
    // The platform's program and documents folders; empty when the platform cannot tell.
    virtual QString programFilesFolder() const = 0;
    virtual QString documentsFolder() const = 0;
    // The sample jobs of the active window's fixture: each job file with the flow element
    // location it arrives at, and the flow's identifier.
    virtual void sampleJobs(QMap<QString, QString> &jobElements, QString &flowId) const = 0;
    // The metadata datasets of the job ticket of `jobFile`; empty when there is none.
    virtual QStringList jobDatasets(const QString &jobFile) const = 0;
    // The values of the variables `names` for the job `job`, in the order of the names; the
    // other strings and the flag are handed to the application's variable evaluator. An empty
    // list when they cannot be evaluated; the reason goes to the application's error report.
    virtual QStringList variableValues(const QStringList &names, const QString &job,
                                       const QString &second, const QString &third,
                                       const QString &fourth, bool flag) = 0;
    // Moves `dialog` so that its centre is the centre of the application's active window.
    virtual void centerOnActiveWindow(QWidget *dialog) const = 0;
    // The window that dialogs without a parent of their own belong to.
    virtual QWidget *dialogParent() const = 0;
    // The value editor for `request`; null, with the reason in `errorMessage`, when no editor
    // of that kind exists. The caller owns the editor.
    virtual std::unique_ptr<IValueEditor> createValueEditor(const ValueEditorRequest &request,
                                                            QString *errorMessage) = 0;
    // The value of the script expression `expression` for the sample job `job` arriving at
    // `element`, formatted as a test run reports it; false, with the reason as the text, when it
    // cannot be evaluated. Without an evaluator in the application, it never can.
    virtual bool evaluateScriptExpression(const QString &expression, const QString &job,
                                          const QString &element, QString *result);
};

} // namespace GuiLib
