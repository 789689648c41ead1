#pragma once

#include "terminationcleanup.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <memory>

namespace SRCore {

// Writes a file aside and puts it in the place of its target with one rename, so that the target
// is always either the previous file or the complete new one, also when the disk is full or the
// program dies half-way. A termination signal (TerminationCleanup) removes the files it keeps
// beside the target and waits for a replacement under way.
//
// The new file is written under a hidden temporary name beside the target, every write checked.
// Before it may replace anything it is synced to disk, its size must equal what was written and
// closing it must succeed: a short file never replaces a target. It takes the permission bits of
// the file it replaces (or of the file named by keepPermissionsOf()). A symbolic link at the
// target is followed: the file it points to is replaced and the link stays. A target that is
// neither a regular file nor missing (a device, a pipe, a socket) is refused, never replaced.
//
// Not thread-safe; one writer per target at a time.
class SafeFileWriter
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::SafeFileWriter)

public:
    explicit SafeFileWriter(const QString &target);
    // Removes a temporary file that did not replace the target, and the previous file that
    // replace() kept for restore().
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;

    // The new file takes the permission bits of `file` instead of those of the replaced one.
    // Call before open().
    void keepPermissionsOf(const QString &file);

    // Creates the temporary file beside the target.
    bool open(QString *errorMessage = nullptr);
    bool write(const char *data, qint64 size, QString *errorMessage = nullptr);
    bool write(const QByteArray &data, QString *errorMessage = nullptr);
    // Appends the whole content of the file `source`.
    bool writeContentsOf(const QString &source, QString *errorMessage = nullptr);
    // Syncs, checks and closes the new file; it is then ready to replace the target.
    bool finish(QString *errorMessage = nullptr);
    // Puts the finished file in the target's place. The previous file is kept aside until the
    // writer goes, so that restore() can give it back.
    bool replace(QString *errorMessage = nullptr);
    // After replace(): gives the target its previous file back, or removes the new file when
    // there was none. False when that failed.
    bool restore();
    // finish() and replace().
    bool commit(QString *errorMessage = nullptr);

    // The whole of `data` as the file `target`.
    static bool writeFile(const QString &target, const QByteArray &data,
                          QString *errorMessage = nullptr);
    // A copy of the file `source` as the file `target`.
    static bool copyFile(const QString &source, const QString &target,
                         QString *errorMessage = nullptr);
    // Replaces the targets of finished writers in list order. When one fails, those replaced
    // before it get their previous files back, so that either all targets are new or none is.
    static bool replaceAll(const QList<SafeFileWriter *> &writers, QString *errorMessage = nullptr);

private:
    bool fail(QString *errorMessage, const QString &cause);
    bool failWithErrno(QString *errorMessage, int error);
    void closeDescriptor();

    enum class State { Idle, Open, Finished, Replaced, Failed };

    QString m_target;
    // The file that is replaced: the target, or what a link at the target points to.
    QString m_final;
    QString m_permissionSource;
    QString m_temporary;
    std::unique_ptr<TerminationCleanup::Removal> m_temporaryRemoval;
    // The previous file, kept while it may have to come back; empty when there was none.
    QString m_previous;
    std::unique_ptr<TerminationCleanup::Removal> m_previousRemoval;
    int m_descriptor = -1;
    qint64 m_written = 0;
    State m_state = State::Idle;
};

} // namespace SRCore
