#pragma once

#include "packagelock.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

class QWidget;

namespace SRCore {
class FileAutoCleaner;
class ILogInterface;
} // namespace SRCore

namespace Scripter {

class IPackageDialogs;
class IPackageWindow;
class JavaScriptCheck;

// Saves the contents of main windows as script packages and opens packages into them, and keeps
// the ordered list of open main windows (docs/script-package.md). A package is a ".tscript" zip
// archive, or an unarchived folder holding the members and an empty ".tscript" marker file; its
// fixture lives beside it as ".tfixture".
//
// Saving and opening run on the GUI thread and block it; questions, the password prompt and
// refusals go to the dialogs (modal boxes over the window unless setDialogs() says otherwise),
// file choices are file dialogs, detailed causes go to the window's message pane and the
// editors' status bars tell how it went. A failure never changes the window's package or path, and
// never damages the package on disk.
//
// The processor owns the windows that its factory creates: removeWindow() schedules a window
// for deletion, and the windows still listed are deleted with the processor.
class PackageProcessor : public QObject
{
    Q_OBJECT

public:
    enum SaveMode {
        Save = 0,
        SaveAs = 1,
        // No syntax checks and no questions, for saving on the program's own behalf.
        SaveWithoutChecks = 2,
    };

    // Creates a main window, not yet shown; supplied by the application.
    using WindowFactory = std::function<IPackageWindow *()>;

    explicit PackageProcessor(WindowFactory windowFactory, QObject *parent = nullptr);
    ~PackageProcessor() override;

    // Where the processor's questions and refusals go; null restores the message boxes. Not
    // owned; must outlive its use.
    void setDialogs(IPackageDialogs *dialogs);
    // Replaces PackageLock::kWaitMs, for tests that can't wait for another save that long.
    void setLockWait(int milliseconds) { m_lockWaitMs = milliseconds; }

    // A new main window, appended to the list and shown, 40 pixels right of and below the active
    // main window when there is one.
    IPackageWindow *newWindow();
    // The window that holds the package at `path` (the marker file for an unarchived package).
    IPackageWindow *windowFor(const QString &path) const;
    // Takes a closing window out of the list and schedules it for deletion.
    void removeWindow(IPackageWindow *window);
    QList<IPackageWindow *> windows() const;
    // The listed window that holds the application's active window; null when none does.
    IPackageWindow *activeWindow() const;

    // Saves the package of `window`; asks for the target path on SaveAs and for an untitled
    // window. True when the package was written.
    bool save(SaveMode mode, IPackageWindow *window);
    // Opens the package at `path`, or the package beside a ".tfixture" file, into `window`, or,
    // without one, into the active window when that is untitled and unmodified, otherwise into
    // a new window. A package that is open already only brings its window to the front.
    bool open(const QString &path, IPackageWindow *window = nullptr);
    // Asks for a package to open ("Choose script package") and opens it.
    bool openDialog();

    // Adds `files` to the zip archive `archivePath` in list order, encrypted with the fixed
    // archive password when `encrypt`. False when the path or the list is empty, a file is
    // missing, or adding one fails.
    static bool pack(const QString &archivePath, const QStringList &files, bool encrypt,
                     QString *errorMessage = nullptr);
    // Extracts the package archive into `folder`, decrypting with the fixed archive password.
    static bool unpack(const QString &archivePath, const QString &folder,
                       QString *errorMessage = nullptr);
    // The password of every protected package archive. It only keeps the members out of casual
    // reach; the user's own password is stored in the manifest inside.
    static QString archivePassword();
    // Where the fixture of the package at `packagePath` lives: the same path with its
    // ".tscript" suffix replaced by ".tfixture" (appended when the path has none).
    static QString fixturePath(const QString &packagePath);

private:
    struct WindowEntry
    {
        IPackageWindow *window;
        QWidget *widget;
    };
    struct StagedPackage;
    // Files of an opened package that its window keeps using after the package's temporary
    // folder is gone.
    struct PackageFiles
    {
        std::unique_ptr<SRCore::FileAutoCleaner> iconFolder;
        std::unique_ptr<SRCore::FileAutoCleaner> appleBinaryFolder;
        // The AppleScript program that the compiled AppleScript belongs to.
        QString appleScriptSource;
    };

    // The active main window, else the newest; null when there is none.
    IPackageWindow *currentWindow() const;
    QWidget *dialogParent(IPackageWindow *window) const;
    IPackageDialogs *dialogs() const;
    // Answers the syntax checks: the JavaScript check's result (null: no check) and the VBScript
    // check, each with its question when the program has errors. False when the user declines.
    bool confirmSyntax(IPackageWindow *window, JavaScriptCheck *javaScript);
    // The path to save to, asked for when the package has none or for save as. The dialog
    // offers the archive and the folder form; `folderForm` tells which was chosen (the path is
    // then the marker file in the package folder), `replaceAsked` whether the dialog asked
    // before naming an existing file.
    QString targetPath(SaveMode mode, IPackageWindow *window, bool *folderForm = nullptr,
                       bool *replaceAsked = nullptr) const;
    // Readies the folder of a package saved in the folder form: makes it (named in
    // `madeFolder`), takes it empty, or replaces the package in it when the user agrees. Other
    // contents are refused: the save would remove them.
    bool preparePackageFolder(IPackageWindow *window, const QString &marker, bool replaceAsked,
                              QString *madeFolder);
    // The compiled AppleScript that goes into the package being saved; empty for none.
    QString compiledAppleScript(IPackageWindow *window) const;
    // Writes the package for `target` aside, ready to replace the saved one; null on failure.
    std::unique_ptr<StagedPackage> stagePackage(IPackageWindow *window, const QString &target,
                                                bool intoFolder, const QString &appleBinary,
                                                QString *errorMessage);
    // Puts the staged package and its fixture in place of the saved ones, both or neither,
    // while holding the package's lock.
    bool commitPackage(const StagedPackage &staged, const QString &target, bool intoFolder,
                       QString *errorMessage);
    // The archive made of an unarchived package's folder (in `archivePath`), kept until the
    // returned guard goes; null when the folder is refused or can't be read.
    std::unique_ptr<SRCore::FileAutoCleaner>
    collectUnarchived(const QString &markerPath, QString *archivePath, QString *errorMessage);
    bool readIntoWindow(IPackageWindow *window, const QString &packagePath,
                        const QString &archivePath, bool alternatePath);
    void bringToFront(IPackageWindow *window) const;

    WindowFactory m_windowFactory;
    int m_lockWaitMs = PackageLock::kWaitMs;
    std::unique_ptr<IPackageDialogs> m_messageBoxes;
    IPackageDialogs *m_dialogs = nullptr;
    QList<WindowEntry> m_windows;
    std::map<IPackageWindow *, PackageFiles> m_packageFiles;
};

} // namespace Scripter
