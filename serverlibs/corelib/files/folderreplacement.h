#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace SRCore {

// Replaces what a folder holds by a set of new files, so that a failure at any point leaves the
// folder as it was and nothing that was in it is lost.
//
// Before anything moves, every entry to be replaced is checked to be removable (permissions,
// immutable and append-only flags, down to the last file of a sub-folder); one that is not fails
// the whole replacement. The new files are then copied into a hidden staging folder inside the
// folder (each written and synced as SafeFileWriter does), so that every later step is a rename
// within one file system. In name order, each previous entry is set aside into a second hidden
// folder (a second name for a file, so that the old file stays in place until the new one
// replaces it; a move for anything else) and the new file renamed into its place. When any step
// fails, every step taken is renamed back. Only when all new files are in place are the previous
// entries removed. A new file takes the permission bits of the file it replaces. A termination
// signal (TerminationCleanup) waits while entries are swapped and removes the working folders.
//
// Not thread-safe; callers keep two replacements of one folder apart (see the package lock).
class FolderReplacement
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::FolderReplacement)

public:
    FolderReplacement() = delete;

    // Replaces every entry of `folder` except those named in `kept` by copies of `files`, each
    // under its own file name.
    static bool replaceContents(const QString &folder, const QStringList &files,
                                const QStringList &kept, QString *errorMessage = nullptr);
};

} // namespace SRCore
