#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class QFileIconProvider;
class QSignalMapper;
class ScrAppProxy;
class ScriptExpressionEvaluator;

namespace SRCore {
class CountManager;
class ILogInterface;
class LogManager;
class ProcessTempFolder;
class VariableEvaluator;
} // namespace SRCore

namespace Scripter {

class CoreActions;
class EntryPointsRunner;
class PackageProcessor;
class PreferencesDialog;
class ScripterEntriesManager;
class ScripterWindow;
class StyleSheetEditor;

// The one long-lived controller of the program. It prepares the per-user working folders,
// starts the message log and keeps the log interface through which the shell writes messages
// and the counter of job arrival stamps; it owns what the main windows share: the package
// processor with the list of windows, the core actions and the "&Window" menu, the preferences
// and style dialogs, the application proxy, the file icon provider, the entries manager that
// runs scripts with the entry point runner and the evaluators of variables and script
// expressions; and it opens the files
// that other starts of the program hand over.
//
// Exactly one exists while the program runs; other components reach it through instance().
// Constructing it opens the first main window, so a GUI application object must exist.
class ScripterCore : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScripterCore)

public:
    explicit ScripterCore(QObject *parent = nullptr);
    ~ScripterCore() override;

    // The running core; null before it is created and after it is destroyed.
    static ScripterCore *instance();

    // The separator between the arguments of an import message: bar, slash, colon, backslash,
    // colon, colon, slash, colon, backslash, bar.
    static QString importSeparator();
    // Set while the program starts: completed import sequences are only queued until the first
    // window is shown and the command line's own file is opened. Process-wide.
    static void setStartingUp(bool startingUp);
    static bool isStartingUp();

    QString logsFolder() const { return m_logsFolder; }
    QString tempFolder() const { return m_tempFolder; }
    QString settingsFolder() const { return m_settingsFolder; }
    QString problemFilesFolder() const { return m_problemFilesFolder; }

    // The log interface named "Scripter control"; never null.
    SRCore::ILogInterface *controlLogInterface() const;
    // Null when the counter settings could not be loaded.
    SRCore::CountManager *countManager() const { return m_countManager.get(); }

    PackageProcessor *packageProcessor() const { return m_packageProcessor.get(); }
    CoreActions *coreActions() const { return m_coreActions.get(); }
    ScrAppProxy *appProxy() const { return m_appProxy.get(); }
    ScripterEntriesManager *entriesManager() const { return m_entriesManager.get(); }
    EntryPointsRunner *entryPointsRunner() const { return m_entryPointsRunner.get(); }
    QFileIconProvider *fileIconProvider() const { return m_fileIconProvider.get(); }
    // The files handed over by other starts and not opened yet, absolute paths in order.
    QStringList pendingImports() const { return m_pendingImports; }

    // The main window that holds the application's active window; null when there is none.
    static ScripterWindow *activeScripterWindow();

    // Shows the preferences (not modal) on the page of the language of `window`'s current tab.
    void showPreferences(ScripterWindow *window);
    PreferencesDialog *preferencesDialog() const;
    // Shows the style editor, modal.
    void showStyleSheetEditor();
    StyleSheetEditor *styleSheetEditor() const;

    // The values of the variables `names` for the active window's test run, in the order of
    // the names. Empty when they cannot be evaluated; the reason is reported as an assert-level
    // message naming this operation.
    QStringList getVariableValue(const QStringList &names, const QString &job,
                                 const QString &second, const QString &third, const QString &fourth,
                                 bool flag);

signals:
    // The editor preferences were saved; every main window applies them.
    void preferensesChanged();

public slots:
    // One message from another start of the program: "act" opens a new window, "ctrl" and the
    // empty message do nothing, the import sequence delivers files to open.
    void processMessage(const QString &msg);
    // Writes one message to the message database; `operation` is the message text and may hold
    // "%1", filled with `argument` when shown.
    void sendLogMessage(int level, const QString &operation, const QString &flow = QString(),
                        const QString &element = QString(), const QString &job = QString(),
                        const QString &argument = QString());
    void savePreferences();
    // Rebuilds the "&Window" menu from the package processor's windows.
    void updateWindowMenu();
    void setActiveWindow(QWidget *window);

private:
    void setupFolders();
    // The size limit of the message database that the settings give, in bytes.
    static qint64 messageDatabaseSizeLimit();
    QString prepareFolder(const QString &name);
    void importPendingFiles();
    void reportVariableFailure(const char *message);

    QSignalMapper *m_windowMapper = nullptr;
    QPointer<StyleSheetEditor> m_styleSheetEditor;
    QPointer<PreferencesDialog> m_preferencesDialog;
    std::unique_ptr<PackageProcessor> m_packageProcessor;
    std::unique_ptr<CoreActions> m_coreActions;
    SRCore::LogManager *m_logManager = nullptr;
    std::unique_ptr<SRCore::CountManager> m_countManager;
    QString m_logsFolder;
    // This run's own folder inside "temp", where its temporary files go.
    QString m_tempFolder;
    std::unique_ptr<SRCore::ProcessTempFolder> m_processTempFolder;
    QString m_settingsFolder;
    QString m_problemFilesFolder;
    std::unique_ptr<SRCore::ILogInterface> m_controlLog;
    int m_importStarts = 0;
    int m_importEnds = 0;
    QStringList m_pendingImports;
    bool m_importing = false;
    std::unique_ptr<ScrAppProxy> m_appProxy;
    std::unique_ptr<ScripterEntriesManager> m_entriesManager;
    std::unique_ptr<EntryPointsRunner> m_entryPointsRunner;
    std::unique_ptr<ScriptExpressionEvaluator> m_scriptExpressionEvaluator;
    std::unique_ptr<SRCore::VariableEvaluator> m_variableEvaluator;
    std::unique_ptr<QFileIconProvider> m_fileIconProvider;
};

} // namespace Scripter
