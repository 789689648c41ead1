#pragma once

#include <QCoreApplication>
#include <QString>

// Zip archives of script packages and fixtures, read and written with libzip.
//
// Entry names are UTF-8 with "/" separators, folders are stored as "name/" entries, and
// modification times are kept (also to the second, in an extended-timestamp field). Encryption
// is traditional PKWARE ("ZipCrypto"), the method that zip, unzip and most other tools read.
//
// Every operation either succeeds completely or changes nothing: a failed write leaves an
// existing archive as it was, a failed extraction removes everything it created and restores
// every file it replaced. Failures return false with a reason in `errorMessage` (when given).
// All functions are reentrant; two calls must not write the same archive or target at once.
class ZipHelper
{
    Q_DECLARE_TR_FUNCTIONS(ZipHelper)

public:
    ZipHelper() = delete;

    // Adds a file, or a folder with everything below it (hidden entries included) under the
    // folder's own name, to `archivePath`, below `folderInArchive` (empty: the top level). The
    // archive is created when it does not exist; an entry of the same name is replaced.
    // `level` is -1 for the default deflate level, 0 to store, 1 to 9 for deflate levels. With
    // `encrypt` every added file is encrypted with `password`, which then must not be empty.
    // Symbolic links are stored as what they point to.
    static bool compressItem(const QString &itemPath, const QString &archivePath, bool encrypt,
                             const QString &password, int level = -1,
                             const QString &folderInArchive = QString(),
                             QString *errorMessage = nullptr);

    // Adds the contents of `folder` (hidden entries included) at the top level of the archive,
    // in one pass. Otherwise as compressItem(). An empty folder gives an empty archive.
    static bool compressFolderContents(const QString &folder, const QString &archivePath,
                                       bool encrypt, const QString &password, int level = -1,
                                       QString *errorMessage = nullptr);

    // Extracts every entry below `targetFolder`, which is created when missing, keeping the
    // folder structure, or with `junkPaths` putting every file directly into the target.
    // Encrypted entries need `usePassword` and a non-empty `password`; unencrypted entries
    // extract either way. Files of the same names in the target are replaced.
    // The whole archive is refused before anything is written when an entry's name could reach
    // outside the target, an entry is a symbolic link, two entries would land on the same path,
    // the target holds a symbolic link or an entry of the other kind (file or folder) where an
    // entry goes, or the archive exceeds ArchiveLimits (its size, its number of entries, an
    // entry's compression ratio) or has entries that share their data. An entry whose data
    // outgrows its declared size is stopped there and refuses the archive as well.
    static bool extractFiles(const QString &archivePath, const QString &targetFolder,
                             bool usePassword, const QString &password, bool junkPaths,
                             QString *errorMessage = nullptr);
};
