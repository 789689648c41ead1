#include "folderreplacement.h"

#include "filehandler.h"
#include "safefilewriter.h"
#include "terminationcleanup.h"

#include "corelib/common/corelogging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SRCore {

namespace {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

bool fail(QString *errorMessage, const QString &message)
{
    qCDebug(lcCoreLib).noquote() << message;
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QStringList entryNames(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Immutable and append-only entries can't be removed or renamed, not even by root.
bool isPinned(const QString &path)
{
    const int descriptor =
        ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    int flags = 0;
    const bool known = ::ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
    ::close(descriptor);
    return known && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL));
}

// Whether the entries of `folder` can be added, renamed and removed.
bool checkChangeable(const QString &folder, QString *errorMessage)
{
    if (isPinned(folder)) {
        return fail(errorMessage,
                    FolderReplacement::tr("'%1' can't be changed: it is immutable or append-only")
                        .arg(native(folder)));
    }
    if (::access(encoded(folder).constData(), R_OK | W_OK | X_OK) != 0) {
        return fail(errorMessage, FolderReplacement::tr("'%1' can't be changed: %2")
                                      .arg(native(folder), qt_error_string(errno)));
    }
    return true;
}

// Whether `path` and everything below it can be removed; its folder is checked by the caller.
bool checkRemovable(const QString &path, QString *errorMessage)
{
    struct stat status;
    if (::lstat(encoded(path).constData(), &status) != 0) {
        return fail(errorMessage, FolderReplacement::tr("'%1' can't be removed: %2")
                                      .arg(native(path), qt_error_string(errno)));
    }
    // Only files and folders carry the flags; opening anything else (a device) could have
    // effects of its own.
    if (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) {
        return true;
    }
    if (isPinned(path)) {
        return fail(errorMessage,
                    FolderReplacement::tr("'%1' can't be removed: it is immutable or append-only")
                        .arg(native(path)));
    }
    if (!S_ISDIR(status.st_mode)) {
        return true;
    }
    if (!checkChangeable(path, errorMessage)) {
        return false;
    }
    for (const QString &name : entryNames(path)) {
        if (!checkRemovable(path + QLatin1Char('/') + name, errorMessage)) {
            return false;
        }
    }
    return true;
}

bool isRegularFile(const QString &path)
{
    struct stat status;
    return ::lstat(encoded(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

bool renamed(const QString &from, const QString &to)
{
    return ::rename(encoded(from).constData(), encoded(to).constData()) == 0;
}

// A new hidden folder inside `folder`, readable by its owner only; empty on failure.
QString makeHiddenFolder(const QString &folder, const char *purpose)
{
    const QString prefix = folder + QLatin1String("/.") + QFileInfo(folder).fileName()
                           + QLatin1Char('.') + QLatin1String(purpose) + QLatin1Char('-');
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = prefix + QString::number(QRandomGenerator::global()->generate64(), 36);
        if (::mkdir(encoded(path).constData(), 0700) == 0) {
            return path;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return QString();
}

// The renames of one replacement, in order, so that a failure can take them back.
class SwapJournal
{
public:
    SwapJournal(const QString &folder, const QString &staging, const QString &aside)
        : m_folder(folder + QLatin1Char('/'))
        , m_staging(staging + QLatin1Char('/'))
        , m_aside(aside + QLatin1Char('/'))
    {}

    bool setAside(const QString &name, bool keepInPlace, QString *errorMessage)
    {
        const QByteArray from = encoded(m_folder + name);
        const QByteArray to = encoded(m_aside + name);
        if (keepInPlace && ::link(from.constData(), to.constData()) == 0) {
            m_linked.insert(name);
            return true;
        }
        if (::rename(from.constData(), to.constData()) != 0) {
            return failed(name, errorMessage);
        }
        m_steps.append({Step::MovedAside, name});
        return true;
    }

    bool moveIn(const QString &name, QString *errorMessage)
    {
        if (!renamed(m_staging + name, m_folder + name)) {
            return failed(name, errorMessage);
        }
        m_steps.append({Step::MovedIn, name});
        return true;
    }

    // Takes every step back, newest first; the names that could not be put back.
    QStringList rollBack()
    {
        QStringList stuck;
        for (auto step = m_steps.crbegin(); step != m_steps.crend(); ++step) {
            const QString &name = step->name;
            bool undone = true;
            if (step->kind == Step::MovedAside) {
                undone = renamed(m_aside + name, m_folder + name);
            } else if (m_linked.contains(name)) {
                // The previous file takes its place back in one step.
                undone = renamed(m_aside + name, m_folder + name);
            } else {
                undone = renamed(m_folder + name, m_staging + name);
            }
            if (!undone) {
                stuck << name;
            }
        }
        m_steps.clear();
        return stuck;
    }

private:
    bool failed(const QString &name, QString *errorMessage)
    {
        return fail(errorMessage, FolderReplacement::tr("Can't replace '%1': %2")
                                      .arg(native(m_folder + name), qt_error_string(errno)));
    }

    struct Step
    {
        enum Kind { MovedAside, MovedIn } kind;
        QString name;
    };
    QString m_folder;
    QString m_staging;
    QString m_aside;
    QList<Step> m_steps;
    // Previous files that stay in place under a second name in the aside folder.
    QSet<QString> m_linked;
};

// Removes a hidden working folder when the replacement ends, or the program is ended by a signal,
// unless told to keep it.
class WorkFolder
{
public:
    explicit WorkFolder(const QString &path)
        : m_path(path)
    {
        if (!m_path.isEmpty()) {
            m_removal = std::make_unique<TerminationCleanup::Removal>(m_path);
        }
    }
    ~WorkFolder()
    {
        QString error;
        if (!m_path.isEmpty() && !m_kept && !FileHandler::remove(m_path, true, &error)) {
            qCWarning(lcCoreLib).noquote() << "Can't remove" << m_path << error;
        }
    }
    WorkFolder(const WorkFolder &) = delete;
    WorkFolder &operator=(const WorkFolder &) = delete;

    const QString &path() const { return m_path; }
    void keep()
    {
        m_kept = true;
        m_removal.reset();
    }

private:
    QString m_path;
    std::unique_ptr<TerminationCleanup::Removal> m_removal;
    bool m_kept = false;
};

} // namespace

bool FolderReplacement::replaceContents(const QString &folder, const QStringList &files,
                                        const QStringList &kept, QString *errorMessage)
{
    const QString root = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (!QFileInfo(root).isDir() || QFileInfo(root).isSymLink()) {
        return fail(errorMessage, tr("'%1' is not a folder").arg(native(root)));
    }
    QStringList previous = entryNames(root);
    previous.removeIf([&kept](const QString &name) { return kept.contains(name); });
    QStringList names;
    for (const QString &file : files) {
        names << QFileInfo(file).fileName();
    }
    if (!checkChangeable(root, errorMessage)) {
        return false;
    }
    for (const QString &name : std::as_const(previous)) {
        if (!checkRemovable(root + QLatin1Char('/') + name, errorMessage)) {
            return false;
        }
    }

    const WorkFolder staging(makeHiddenFolder(root, "saving"));
    WorkFolder aside(makeHiddenFolder(root, "replaced"));
    if (staging.path().isEmpty() || aside.path().isEmpty()) {
        return fail(errorMessage, tr("Can't create a working folder in '%1': %2")
                                      .arg(native(root), qt_error_string(errno)));
    }
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString replaced = root + QLatin1Char('/') + names.at(i);
        SafeFileWriter writer(staging.path() + QLatin1Char('/') + names.at(i));
        if (isRegularFile(replaced)) {
            writer.keepPermissionsOf(replaced);
        }
        if (!writer.open(errorMessage) || !writer.writeContentsOf(files.at(i), errorMessage)
            || !writer.commit(errorMessage)) {
            return false;
        }
    }

    QStringList order = previous + names;
    std::sort(order.begin(), order.end());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    SwapJournal journal(root, staging.path(), aside.path());
    const TerminationCleanup::Postponement postponement;
    for (const QString &name : std::as_const(order)) {
        const bool isNew = names.contains(name);
        const bool swapped =
            (!previous.contains(name)
             || journal.setAside(name, isNew && isRegularFile(root + QLatin1Char('/') + name),
                                 errorMessage))
            && (!isNew || journal.moveIn(name, errorMessage));
        if (swapped) {
            continue;
        }
        const QStringList stuck = journal.rollBack();
        if (!stuck.isEmpty()) {
            // What could not go back must not be removed with the working folder.
            aside.keep();
            qCWarning(lcCoreLib).noquote() << "Can't put back" << stuck << "from" << aside.path();
            if (errorMessage) {
                *errorMessage += QLatin1Char('\n')
                                 + tr("The previous files %1 are kept in '%2'")
                                       .arg(stuck.join(QLatin1String(", ")), native(aside.path()));
            }
        }
        return false;
    }
    const int descriptor = ::open(encoded(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
    return true;
}

} // namespace SRCore
