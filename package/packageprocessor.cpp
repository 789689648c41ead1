#include "packageprocessor.h"

#include "declaration.h"
#include "ipackagedialogs.h"
#include "ipackagewindow.h"
#include "javascriptcheck.h"
#include "packagelock.h"
#include "packagelogging.h"
#include "passworddialog.h"
#include "scriptpackage.h"

#include "corelib/archive/ziphelper.h"
#include "corelib/common/xmlerror.h"
#include "corelib/files/fileautocleaner.h"
#include "corelib/files/filehandler.h"
#include "corelib/files/folderreplacement.h"
#include "corelib/files/safefilewriter.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include "scriptinglib/scriptlistener.h"
#include "scriptinglib/vbscript/syntaxerror.h"
#include "scriptinglib/vbscriptsyntaxchecker.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QWidget>

#include <optional>
#include <utility>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

const QString packageSuffix = QStringLiteral(".tscript");
const QString fixtureSuffix = QStringLiteral(".tfixture");
const QString lastSavePathKey = QStringLiteral("General/LastSavePath");
const QString lastOpenPathKey = QStringLiteral("General/LastOpenPath");

struct LanguageFlag
{
    QString language;
    QString includeFlag;
};

const QList<LanguageFlag> &languageFlags()
{
    static const QList<LanguageFlag> table = {
        {XMLValues::JAVASCRIPT, XMLKey::INCLUDEJAVASCRIPT},
        {XMLValues::VBSCRIPT, XMLKey::INCLUDEVBSCRIPT},
        {XMLValues::APPLESCRIPT, XMLKey::INCLUDEAPPLESCRIPT},
    };
    return table;
}

bool fail(QString *errorMessage, const QString &message)
{
    qCDebug(lcPackage).noquote() << message;
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

void logMessage(IPackageWindow *window, int level, const char *text, const QString &argument)
{
    if (SRCore::ILogInterface *log = window ? window->logInterface() : nullptr) {
        log->log(SRCore::LogRecord(level, QString::fromLatin1(text), QString(), QString(),
                                   QString(), argument));
    }
}

bool isYes(const Declaration *declaration, const QString &tag)
{
    return declaration->basicValue(tag) == XMLValues::YES;
}

// Protected only when the user asked for it and typed the same password twice.
bool isProtected(const Declaration *declaration)
{
    const QString password = declaration->basicValue(XMLKey::PASSWORD);
    return isYes(declaration, XMLKey::PASSWORDPROTECTED) && !password.isEmpty()
           && password == declaration->basicValue(XMLKey::VERIFYPASSWORD);
}

QString scriptName(const IPackageWindow *window)
{
    const QString name = window->declaration()->elementName();
    return name.isEmpty()
               ? QStringLiteral("TavrixScript") + QString::number(window->documentNumber())
               : name;
}

QString fileDialogFilter()
{
    return PackageProcessor::tr("Script packages") + QLatin1String(" (*.tscript)");
}

QString folderDialogFilter()
{
    return PackageProcessor::tr("Script package folder (unarchived)")
           + QLatin1String(" (*.tscript)");
}

// The marker file of the package folder that a chosen package path stands for: the path itself
// when its folder is named after it already, else the folder of its base name beside it.
QString packageFolderMarker(const QString &path)
{
    const QFileInfo info(path);
    const QString baseName = info.completeBaseName();
    if (info.dir().dirName() == baseName) {
        return info.absoluteFilePath();
    }
    return info.absolutePath() + QLatin1Char('/') + baseName + QLatin1Char('/') + baseName
           + packageSuffix;
}

// A copy of `file` in a new temporary folder named after `folderName`, kept until the returned
// guard goes; null when it can't be made.
std::unique_ptr<SRCore::FileAutoCleaner> keepCopy(const QString &file, const QString &packagePath,
                                                  const QString &folderName,
                                                  const QString &copyName, QString *errorMessage)
{
    const QString folder =
        SRCore::FileHandler::createTempFolderForFile(packagePath, folderName, errorMessage);
    if (folder.isEmpty()) {
        return nullptr;
    }
    auto cleaner = std::make_unique<SRCore::FileAutoCleaner>(folder);
    if (!SRCore::FileHandler::copy(file, folder + QLatin1Char('/') + copyName, nullptr,
                                   errorMessage)) {
        return nullptr;
    }
    return cleaner;
}

// The question before saving a program with syntax errors; it names the first one, so that the
// user can judge it without looking for it.
QString syntaxQuestion(const QString &languageSentence, int line, int column,
                       const QString &message)
{
    return languageSentence + QLatin1Char('\n')
           + PackageProcessor::tr("The first is on line %1, column %2: %3")
                 .arg(QString::number(line), QString::number(column), message)
           + QLatin1Char('\n') + PackageProcessor::tr("Do you want save this package?");
}

// The program's dialogs: modal boxes over the window.
class MessageBoxDialogs : public IPackageDialogs
{
public:
    bool confirmSave(QWidget *parent, const QString &question) override
    {
        QMessageBox box(QMessageBox::Warning, PackageProcessor::tr("Save"), question,
                        QMessageBox::Cancel, parent);
        const QPushButton *saveButton =
            box.addButton(PackageProcessor::tr("Save"), QMessageBox::AcceptRole);
        // Return must not save a script with errors by accident.
        box.setDefaultButton(QMessageBox::Cancel);
        box.exec();
        return box.clickedButton() == saveButton;
    }

    bool askPassword(QWidget *parent, QString *password) override
    {
        PasswordDialog dialog(parent);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        *password = dialog.password();
        return true;
    }

    void warning(QWidget *parent, const QString &title, const QString &text) override
    {
        QMessageBox::warning(parent, title, text);
    }
};

} // namespace

PackageProcessor::PackageProcessor(WindowFactory windowFactory, QObject *parent)
    : QObject(parent)
    , m_windowFactory(std::move(windowFactory))
    , m_messageBoxes(std::make_unique<MessageBoxDialogs>())
{}

PackageProcessor::~PackageProcessor()
{
    const QList<WindowEntry> entries = std::exchange(m_windows, {});
    for (const WindowEntry &entry : entries) {
        delete entry.widget;
    }
}

void PackageProcessor::setDialogs(IPackageDialogs *dialogs)
{
    m_dialogs = dialogs;
}

IPackageDialogs *PackageProcessor::dialogs() const
{
    return m_dialogs ? m_dialogs : m_messageBoxes.get();
}

QString PackageProcessor::archivePassword()
{
    return QStringLiteral(";qwr<mbnzpxv");
}

QString PackageProcessor::fixturePath(const QString &packagePath)
{
    return (ScriptPackage::isPackagePath(packagePath) ? packagePath.chopped(packageSuffix.size())
                                                      : packagePath)
           + fixtureSuffix;
}

// --- The window list ---------------------------------------------------------------------------

IPackageWindow *PackageProcessor::newWindow()
{
    IPackageWindow *window = m_windowFactory ? m_windowFactory() : nullptr;
    if (!window) {
        qCWarning(lcPackage) << "The window factory made no window";
        return nullptr;
    }
    IPackageWindow *active = activeWindow();
    QWidget *widget = window->widget();
    m_windows.append({window, widget});
    // A window deleted by somebody else must not stay listed.
    connect(widget, &QObject::destroyed, this, [this, window](QObject *object) {
        m_windows.removeIf([object](const WindowEntry &entry) { return entry.widget == object; });
        m_packageFiles.erase(window);
    });
    if (active && active != window) {
        widget->move(active->widget()->pos() + QPoint(40, 40));
    }
    widget->show();
    return window;
}

IPackageWindow *PackageProcessor::windowFor(const QString &path) const
{
    if (path.isEmpty()) {
        return nullptr;
    }
    const auto normalized = [](const QString &file) {
        return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(file)).absoluteFilePath());
    };
    const QString wanted = normalized(path);
    for (const WindowEntry &entry : m_windows) {
        const IPackageWindow *window = entry.window;
        const QString held =
            window->isAlternatePath() ? window->displayPath() : window->packageFilePath();
        if (!window->isUntitled() && !held.isEmpty() && normalized(held) == wanted) {
            return entry.window;
        }
    }
    return nullptr;
}

void PackageProcessor::removeWindow(IPackageWindow *window)
{
    const auto found =
        std::find_if(m_windows.begin(), m_windows.end(),
                     [window](const WindowEntry &entry) { return entry.window == window; });
    if (found == m_windows.end()) {
        return;
    }
    QWidget *widget = found->widget;
    m_windows.erase(found);
    m_packageFiles.erase(window);
    widget->deleteLater();
}

QList<IPackageWindow *> PackageProcessor::windows() const
{
    QList<IPackageWindow *> result;
    for (const WindowEntry &entry : m_windows) {
        result.append(entry.window);
    }
    return result;
}

IPackageWindow *PackageProcessor::activeWindow() const
{
    // The active window may be a dialog or a floating pane of a main window.
    for (QWidget *widget = QApplication::activeWindow(); widget; widget = widget->parentWidget()) {
        for (const WindowEntry &entry : m_windows) {
            if (entry.widget == widget) {
                return entry.window;
            }
        }
    }
    return nullptr;
}

IPackageWindow *PackageProcessor::currentWindow() const
{
    // Without an active main window (the program is in the background), the newest one.
    IPackageWindow *window = activeWindow();
    return window || m_windows.isEmpty() ? window : m_windows.last().window;
}

QWidget *PackageProcessor::dialogParent(IPackageWindow *window) const
{
    if (!window) {
        window = currentWindow();
    }
    return window ? window->widget() : nullptr;
}

void PackageProcessor::bringToFront(IPackageWindow *window) const
{
    QWidget *widget = window->widget();
    widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
    widget->show();
    widget->raise();
    widget->activateWindow();
}

// --- Saving ------------------------------------------------------------------------------------

bool PackageProcessor::save(SaveMode mode, IPackageWindow *window)
{
    const bool checked = mode != SaveWithoutChecks;
    // Compiling the JavaScript program is the longest step of saving a large one. It runs on a
    // worker thread while a package whose target is known already is written aside here; the
    // saved package is replaced only after the check's question has been answered.
    std::unique_ptr<JavaScriptCheck> javaScriptCheck;
    if (checked && isYes(window->declaration(), XMLKey::INCLUDEJAVASCRIPT)) {
        javaScriptCheck =
            std::make_unique<JavaScriptCheck>(window->scriptText(XMLValues::JAVASCRIPT));
    }
    const bool targetKnown = mode != SaveAs && !window->isUntitled();
    QString target = targetKnown ? targetPath(mode, window) : QString();
    // An unarchived package is saved back into its folder, unless saved as something else.
    bool intoFolder = window->isAlternatePath() && mode != SaveAs;
    QString madeFolder; // a package folder made for this save, removed again when it fails
    const QString appleBinary = compiledAppleScript(window);
    QString error;
    std::unique_ptr<StagedPackage> staged;
    if (targetKnown) {
        staged = stagePackage(window, target, intoFolder, appleBinary, &error);
    }
    if (checked && !confirmSyntax(window, javaScriptCheck.get())) {
        return false;
    }
    if (!targetKnown) {
        bool folderForm = false;
        bool replaceAsked = false;
        target = targetPath(mode, window, &folderForm, &replaceAsked);
        if (target.isEmpty()
            || (folderForm && !preparePackageFolder(window, target, replaceAsked, &madeFolder))) {
            return false;
        }
        intoFolder = folderForm;
        staged = stagePackage(window, target, intoFolder, appleBinary, &error);
    }
    const QString fileName = QFileInfo(target).fileName();
    window->showStatusMessage(tr("Saving script package '%1'").arg(fileName));

    if (!staged || !commitPackage(*staged, target, intoFolder, &error)) {
        if (!madeFolder.isEmpty()) {
            SRCore::FileHandler::remove(madeFolder);
        }
        logMessage(window, SRCore::LogLevel::Error,
                   QT_TRANSLATE_NOOP("LogMessages", "Can't save script package: %1"), error);
        window->showStatusMessage(
            tr("Script package '%1' could not be saved; see message log for more information")
                .arg(fileName));
        return false;
    }
    // The package on disk now has no compiled AppleScript unless this save carried it.
    if (appleBinary.isEmpty()) {
        if (const auto found = m_packageFiles.find(window); found != m_packageFiles.end()) {
            found->second.appleBinaryFolder.reset();
        }
    }
    window->setAlternatePath(intoFolder);
    window->setCurrentFile(target, true);
    window->setUnmodified();
    QSettings().setValue(lastSavePathKey, QFileInfo(target).absolutePath());
    window->showStatusMessage(tr("Script package was saved successfully"));
    return true;
}

bool PackageProcessor::confirmSyntax(IPackageWindow *window, JavaScriptCheck *javaScript)
{
    const Declaration *declaration = window->declaration();
    if (javaScript) {
        const JavaScriptCheck::Result check = javaScript->result();
        if (!check.passed) {
            // The listener puts the error, with its line, into the message pane.
            ScriptListener(window->logInterface()).onError(check.message, QString(), check.line);
            if (!dialogs()->confirmSave(
                    window->widget(),
                    syntaxQuestion(tr("JavaScript code contains syntax error(s)."), check.line,
                                   check.column, check.message))) {
                return false;
            }
        }
    }
    if (isYes(declaration, XMLKey::INCLUDEVBSCRIPT)) {
        VBScript::SyntaxError error;
        if (!VBScriptSyntaxChecker::check(window->scriptText(XMLValues::VBSCRIPT), &error)) {
            logMessage(window, SRCore::LogLevel::Error,
                       QT_TRANSLATE_NOOP("LogMessages", "Error while checking VBScript syntax: %1"),
                       error.toString());
            if (!dialogs()->confirmSave(
                    window->widget(),
                    syntaxQuestion(tr("VBScript code contains syntax error(s)."),
                                   error.position.line, error.position.column, error.message))) {
                return false;
            }
        }
    }
    return true;
}

QString PackageProcessor::targetPath(SaveMode mode, IPackageWindow *window, bool *folderForm,
                                     bool *replaceAsked) const
{
    QString path;
    if (mode != SaveAs && !window->isUntitled()) {
        path = window->isAlternatePath() ? window->displayPath() : window->packageFilePath();
    } else {
        const QString proposal = QDir(QSettings().value(lastSavePathKey).toString())
                                     .filePath(scriptName(window) + packageSuffix);
        QString type;
        path = QFileDialog::getSaveFileName(
            window->widget(), tr("Save script package"), proposal,
            fileDialogFilter() + QLatin1String(";;") + folderDialogFilter(), &type);
        if (folderForm) {
            *folderForm = !path.isEmpty() && type == folderDialogFilter();
        }
        // The dialog asks before it names a file that exists.
        if (replaceAsked) {
            *replaceAsked = QFileInfo::exists(path);
        }
    }
    if (!path.isEmpty() && !ScriptPackage::isPackagePath(path)) {
        path += packageSuffix;
    }
    path = QDir::fromNativeSeparators(path);
    if (folderForm && *folderForm) {
        const QString marker = packageFolderMarker(path);
        if (replaceAsked) {
            *replaceAsked = *replaceAsked && marker == path;
        }
        path = marker;
    }
    return path;
}

bool PackageProcessor::preparePackageFolder(IPackageWindow *window, const QString &marker,
                                            bool replaceAsked, QString *madeFolder)
{
    const QFileInfo markerInfo(marker);
    const QString folder = markerInfo.absolutePath();
    const QString shown = QDir::toNativeSeparators(folder);
    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists()) {
        if (!QDir().mkpath(folder)) {
            dialogs()->warning(window->widget(), tr("Save script package"),
                               tr("The folder '%1' can't be made.").arg(shown));
            return false;
        }
        *madeFolder = folder;
        return true;
    }
    const QStringList kept = ScriptPackage::versionControlNames();
    QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                 | QDir::NoDotAndDotDot);
    entries.removeIf([&kept](const QString &name) { return kept.contains(name); });
    if (folderInfo.isDir() && entries.isEmpty()) {
        return true;
    }
    // Saving cleans the package folder: only a package of that name may be replaced there.
    if (folderInfo.isDir() && markerInfo.isFile() && markerInfo.size() == 0) {
        return replaceAsked
               || dialogs()->confirmSave(window->widget(),
                                         tr("The folder '%1' holds a script package already.\n"
                                            "Do you want to replace it?")
                                             .arg(shown));
    }
    dialogs()->warning(window->widget(), tr("Save script package"),
                       tr("'%1' holds other things than a script package of that name; choose "
                          "another name or an empty folder.")
                           .arg(shown));
    return false;
}

QString PackageProcessor::compiledAppleScript(IPackageWindow *window) const
{
    const auto found = m_packageFiles.find(window);
    if (found == m_packageFiles.end() || !found->second.appleBinaryFolder || window->isUntitled()
        || !isYes(window->declaration(), XMLKey::INCLUDEAPPLESCRIPT)) {
        return QString();
    }
    // AppleScript can't be compiled here, so the compiled form read from the package goes along
    // only while the program is still the one it was compiled from.
    if (window->scriptText(XMLValues::APPLESCRIPT) != found->second.appleScriptSource) {
        logMessage(window, SRCore::LogLevel::Warning,
                   QT_TRANSLATE_NOOP("LogMessages",
                                     "The compiled AppleScript is left out of the package: its "
                                     "program was changed and can't be compiled here"),
                   QString());
        return QString();
    }
    return found->second.appleBinaryFolder->folder() + QLatin1Char('/')
           + ScriptPackage::compiledAppleScriptFileName();
}

struct PackageProcessor::StagedPackage
{
    explicit StagedPackage(const QString &folder)
        : folderCleaner(folder)
    {}

    SRCore::FileAutoCleaner folderCleaner;
    QStringList members;
    QString fixture;
    // The archive of the members; none for a package saved into its folder.
    std::optional<SRCore::FileAutoCleaner> archive;
};

std::unique_ptr<PackageProcessor::StagedPackage>
PackageProcessor::stagePackage(IPackageWindow *window, const QString &target, bool intoFolder,
                               const QString &appleBinary, QString *errorMessage)
{
    const QString folder = SRCore::FileHandler::createTempFolderForFile(
        target, QStringLiteral("tempPackageFolder"), errorMessage);
    if (folder.isEmpty()) {
        return nullptr;
    }
    auto staged = std::make_unique<StagedPackage>(folder);

    const Declaration *declaration = window->declaration();
    ScriptPackage::Content content;
    content.instanceName = scriptName(window);
    if (isProtected(declaration)) {
        content.password = declaration->basicValue(XMLKey::PASSWORD);
    }
    for (const LanguageFlag &entry : languageFlags()) {
        if (isYes(declaration, entry.includeFlag)) {
            content.programs.insert(entry.language, window->scriptText(entry.language));
        }
    }
    content.iconPath = declaration->iconPath();
    content.compiledAppleScriptPath = appleBinary;

    const QString baseName = QFileInfo(target).completeBaseName();
    if (!ScriptPackage::write(folder, baseName, content, *declaration, &staged->members,
                              errorMessage)) {
        return nullptr;
    }
    // The fixture is made first as well, so that nothing is replaced before all is ready.
    staged->fixture = folder + QLatin1Char('/') + baseName + fixtureSuffix;
    if (!window->saveFixture(staged->fixture, errorMessage)) {
        return nullptr;
    }
    if (!intoFolder) {
        staged->archive.emplace(SRCore::FileHandler::getTempFilePath(baseName, packageSuffix));
        if (!pack(staged->archive->folder(), staged->members, !content.password.isNull(),
                  errorMessage)) {
            return nullptr;
        }
    }
    return staged;
}

bool PackageProcessor::commitPackage(const StagedPackage &staged, const QString &target,
                                     bool intoFolder, QString *errorMessage)
{
    PackageLock lock(target);
    if (!lock.lock(m_lockWaitMs, errorMessage)) {
        return false;
    }
    if (intoFolder) {
        return SRCore::FolderReplacement::replaceContents(
            QFileInfo(target).absolutePath(), QStringList(staged.members) << staged.fixture,
            ScriptPackage::versionControlNames() + QStringList{PackageLock::fileName(target)},
            errorMessage);
    }
    // Both files are written beside their targets before either is replaced, and a fixture
    // that can't take its place takes the package back with it.
    SRCore::SafeFileWriter package(target);
    SRCore::SafeFileWriter fixture(fixturePath(target));
    return package.open(errorMessage)
           && package.writeContentsOf(staged.archive->folder(), errorMessage)
           && package.finish(errorMessage) && fixture.open(errorMessage)
           && fixture.writeContentsOf(staged.fixture, errorMessage) && fixture.finish(errorMessage)
           && SRCore::SafeFileWriter::replaceAll({&package, &fixture}, errorMessage);
}

// --- Opening -----------------------------------------------------------------------------------

bool PackageProcessor::open(const QString &path, IPackageWindow *window)
{
    QWidget *parent = dialogParent(window);
    const QFileInfo info(path);
    if (!info.isFile()) {
        dialogs()->warning(parent, tr("File open error"),
                           tr("File %1 not exist.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    QString packagePath = info.absoluteFilePath();
    if (ScriptPackage::isFixturePath(packagePath)) {
        packagePath = packagePath.chopped(fixtureSuffix.size()) + packageSuffix;
        if (!QFileInfo(packagePath).isFile()) {
            dialogs()->warning(parent, tr("File open error"),
                               tr("You double-clicked on a script fixture file;\nthis file "
                                  "cannot be opened in TavrixScripter.\nThe corresponding "
                                  "script file could not be located."));
            return false;
        }
    }
    if (IPackageWindow *holder = windowFor(packagePath)) {
        bringToFront(holder);
        return true;
    }

    // An unarchived package is read through an archive made of its folder's contents.
    const bool unarchived = QFileInfo(packagePath).size() == 0;
    QString archivePath = packagePath;
    std::unique_ptr<SRCore::FileAutoCleaner> collected;
    if (unarchived) {
        QString error;
        collected = collectUnarchived(packagePath, &archivePath, &error);
        if (!collected) {
            logMessage(window ? window : currentWindow(), SRCore::LogLevel::Error,
                       QT_TRANSLATE_NOOP("LogMessages", "Can't open script package: %1"), error);
            dialogs()->warning(parent, tr("File open error"),
                               tr("Script package '%1' is not valid:\n%2")
                                   .arg(QDir::toNativeSeparators(packagePath), error));
            return false;
        }
    }

    IPackageWindow *target = window;
    bool made = false;
    if (!target) {
        IPackageWindow *current = currentWindow();
        const bool reusable =
            current && current->isUntitled() && !current->widget()->isWindowModified();
        made = !reusable;
        target = reusable ? current : newWindow();
    }
    if (!target) {
        return false;
    }
    if (!readIntoWindow(target, packagePath, archivePath, unarchived)) {
        // A window made for the package must not stay behind empty when it can't be read.
        if (made) {
            removeWindow(target);
        }
        return false;
    }
    return true;
}

std::unique_ptr<SRCore::FileAutoCleaner>
PackageProcessor::collectUnarchived(const QString &markerPath, QString *archivePath,
                                    QString *errorMessage)
{
    const QFileInfo marker(markerPath);
    if (marker.dir().dirName() != marker.completeBaseName()) {
        *errorMessage =
            tr("the folder '%1' must have the name of its marker file '%2'")
                .arg(QDir::toNativeSeparators(marker.absolutePath()), marker.fileName());
        return nullptr;
    }
    // A save of the folder must not change it while it is read.
    PackageLock lock(markerPath);
    if (!lock.lock(m_lockWaitMs, errorMessage)
        || !ScriptPackage::checkFolder(marker.absolutePath(), errorMessage)) {
        return nullptr;
    }
    const QString folder = SRCore::FileHandler::createTempFolderForFile(
        markerPath, QStringLiteral("collectUnarchivedPack"), errorMessage);
    if (folder.isEmpty()) {
        return nullptr;
    }
    auto collected = std::make_unique<SRCore::FileAutoCleaner>(folder);
    *archivePath = folder + QLatin1Char('/') + marker.completeBaseName() + packageSuffix;
    if (!ZipHelper::compressFolderContents(marker.absolutePath(), *archivePath, false, QString(),
                                           -1, errorMessage)) {
        return nullptr;
    }
    return collected;
}

bool PackageProcessor::readIntoWindow(IPackageWindow *window, const QString &packagePath,
                                      const QString &archivePath, bool alternatePath)
{
    const auto refuse = [this, window, &packagePath](const QString &reason) {
        logMessage(window, SRCore::LogLevel::Error,
                   QT_TRANSLATE_NOOP("LogMessages", "Can't open script package: %1"), reason);
        dialogs()->warning(window->widget(), tr("File open error"),
                           tr("Script package '%1' is not valid:\n%2")
                               .arg(QDir::toNativeSeparators(packagePath), reason));
        return false;
    };

    QString error;
    const QString folder = SRCore::FileHandler::createTempFolderForFile(
        packagePath, QStringLiteral("tempPackageFolder"), &error);
    if (folder.isEmpty()) {
        return refuse(error);
    }
    const SRCore::FileAutoCleaner folderCleaner(folder);
    ScriptPackage::Content content;
    if (!unpack(archivePath, folder, &error)
        || !ScriptPackage::read(folder, packagePath, content, window->logInterface(), &error)) {
        return refuse(error);
    }
    // The icon and the compiled AppleScript stay in use after the package's folder is gone.
    PackageFiles files;
    if (!content.iconPath.isEmpty()) {
        files.iconFolder = keepCopy(content.iconPath, packagePath, QStringLiteral("tempIconFolder"),
                                    QFileInfo(content.iconPath).fileName(), &error);
        if (!files.iconFolder) {
            return refuse(error);
        }
    }
    if (!content.compiledAppleScriptPath.isEmpty()) {
        files.appleBinaryFolder = keepCopy(content.compiledAppleScriptPath, packagePath,
                                           QStringLiteral("tempAppleBinaryFolder"),
                                           ScriptPackage::compiledAppleScriptFileName(), &error);
        if (!files.appleBinaryFolder) {
            return refuse(error);
        }
        files.appleScriptSource = content.programs.value(XMLValues::APPLESCRIPT);
    }

    window->showStatusMessage(
        tr("Opening script package '%1'").arg(QFileInfo(packagePath).fileName()));
    // The folder of an unarchived package is the author's own working copy: no password.
    if (!alternatePath && !content.password.isNull()) {
        QString password;
        if (!dialogs()->askPassword(window->widget(), &password) || password != content.password) {
            window->showStatusMessage(QString());
            dialogs()->warning(window->widget(), tr("Password error"),
                               tr(" Invalid password, the script can not be opened."));
            return false;
        }
    }

    Declaration *declaration = window->declaration();
    SRCore::XmlError xmlError;
    if (!declaration->load(content.declarationPath, &xmlError)) {
        window->showStatusMessage(QString());
        return refuse(tr("Can't read the declaration of script package '%1': %2")
                          .arg(packagePath, xmlError.toString()));
    }
    // The declaration XML keeps neither password nor icon; the manifest and the members do.
    if (!content.password.isNull()) {
        declaration->setBasicValue(XMLKey::PASSWORDPROTECTED, XMLValues::YES);
        declaration->setBasicValue(XMLKey::PASSWORD, content.password);
        declaration->setBasicValue(XMLKey::VERIFYPASSWORD, content.password);
    }
    if (files.iconFolder) {
        declaration->setBasicValue(XMLKey::ICON, files.iconFolder->folder() + QLatin1Char('/')
                                                     + QFileInfo(content.iconPath).fileName());
    }
    for (auto it = content.programs.cbegin(); it != content.programs.cend(); ++it) {
        window->setScriptText(it.key(), it.value());
    }
    for (const LanguageFlag &entry : languageFlags()) {
        window->setLanguageIncluded(entry.language, isYes(declaration, entry.includeFlag));
    }
    window->elementNameChanged(declaration->elementName());
    window->elementIconChanged(declaration->iconPath());
    m_packageFiles[window] = std::move(files);

    const QString fixture = fixturePath(packagePath);
    if (QFileInfo(fixture).isFile()) {
        window->loadFixture(fixture);
    }
    window->setAlternatePath(alternatePath);
    window->setCurrentFile(QDir::toNativeSeparators(packagePath), true);
    window->setUnmodified();
    window->showStatusMessage(tr("Script package was opened successfully"));
    QSettings().setValue(lastOpenPathKey, QFileInfo(packagePath).absolutePath());
    return true;
}

bool PackageProcessor::openDialog()
{
    const QString path = QFileDialog::getOpenFileName(
        dialogParent(nullptr), tr("Choose script package"),
        QSettings().value(lastOpenPathKey).toString(), fileDialogFilter());
    return !path.isEmpty() && open(path);
}

// --- Archives ----------------------------------------------------------------------------------

bool PackageProcessor::pack(const QString &archivePath, const QStringList &files, bool encrypt,
                            QString *errorMessage)
{
    if (archivePath.isEmpty() || files.isEmpty()) {
        return fail(errorMessage, tr("Nothing to pack into '%1'").arg(archivePath));
    }
    for (const QString &file : files) {
        if (!QFileInfo::exists(file)) {
            return fail(errorMessage, tr("Can't pack '%1': the file is missing").arg(file));
        }
    }
    const QString password = encrypt ? archivePassword() : QString();
    for (const QString &file : files) {
        if (!ZipHelper::compressItem(file, archivePath, encrypt, password, -1, QString(),
                                     errorMessage)) {
            return false;
        }
    }
    return true;
}

bool PackageProcessor::unpack(const QString &archivePath, const QString &folder,
                              QString *errorMessage)
{
    return ZipHelper::extractFiles(archivePath, folder, true, archivePassword(), false,
                                   errorMessage);
}

} // namespace Scripter
