#include "ziphelper.h"

#include "archivelimits.h"
#include "extractionjournal.h"
#include "zipdirectory.h"
#include "ziplibrary.h"

#include "corelib/common/corelogging.h"
#include "corelib/files/safefilewriter.h"

#include <zip.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QRandomGenerator>
#include <QSet>
#include <QtEndian>

#include <limits>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Info-ZIP's extended timestamp extra field: a flags byte, then the modification time in seconds
// since 1970 (UTC), little endian. The DOS time in the zip headers is local time in 2-second
// steps; this field keeps the exact time, and zip and unzip read and write it as well.
constexpr zip_uint16_t kExtendedTimestampId = 0x5455;
constexpr zip_uint8_t kExtendedTimestampHasModificationTime = 0x01;
constexpr zip_uint16_t kExtendedTimestampSize = 5;

// File type bits of the Unix mode kept in the upper half of the external attributes.
constexpr zip_uint32_t kUnixFileTypeMask = 0170000;
constexpr zip_uint32_t kUnixSymbolicLink = 0120000;

// What level -1 means: zlib's and zip's own default, so that our archives match theirs in size
// and speed (libzip alone would use 9).
constexpr zip_uint32_t kDefaultDeflateLevel = 6;

constexpr qint64 kCopyChunkSize = 256 * 1024;

const SRCore::ZipLibrary &libzip()
{
    return SRCore::ZipLibrary::shared();
}

bool fail(QString *errorMessage, const QString &message)
{
    qCDebug(lcCoreLib).noquote() << message;
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

struct ArchiveDiscarder
{
    void operator()(zip_t *archive) const { libzip().discard(archive); }
};
// An open archive; dropping it discards every change made since it was opened.
using ArchivePointer = std::unique_ptr<zip_t, ArchiveDiscarder>;

struct EntryCloser
{
    void operator()(zip_file_t *file) const { libzip().fclose(file); }
};
using EntryPointer = std::unique_ptr<zip_file_t, EntryCloser>;

QString errorText(zip_error_t *error)
{
    return QString::fromLocal8Bit(libzip().error_strerror(error));
}

// Opens `path` with libzip's `flags`; on failure returns null and says why.
ArchivePointer openArchive(const QString &path, int flags, QString *reason)
{
    zip_error_t error;
    libzip().error_init(&error);
    zip_source_t *source =
        libzip().source_file_create(QFile::encodeName(path).constData(), 0, -1, &error);
    zip_t *archive = source ? libzip().open_from_source(source, flags, &error) : nullptr;
    if (!archive) {
        // On failure the source is still ours.
        libzip().source_free(source);
        switch (libzip().error_code_zip(&error)) {
        case ZIP_ER_NOZIP:
            *reason = ZipHelper::tr("it is not a zip archive, or it is truncated");
            break;
        case ZIP_ER_INCONS:
            *reason = ZipHelper::tr("the archive is damaged (%1)").arg(errorText(&error));
            break;
        default:
            *reason = errorText(&error);
            break;
        }
    }
    libzip().error_fini(&error);
    return ArchivePointer(archive);
}

// The relative path below the target folder that the entry `name` stands for, or false with a
// reason naming the entry. Everything that could reach outside the target folder is refused,
// also the forms that only Windows would read as such, so that an archive is judged the same
// wherever it is opened.
bool relativeEntryPath(const QString &name, QString *relative, QString *reason)
{
    const auto refuse = [&](const QString &why) {
        *reason = why;
        return false;
    };
    if (name.startsWith(QLatin1Char('/'))) {
        return refuse(ZipHelper::tr("entry '%1' has an absolute path").arg(name));
    }
    const QChar first = name.isEmpty() ? QChar() : name.at(0);
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':') && first.unicode() < 128
        && first.isLetter()) {
        return refuse(ZipHelper::tr("entry '%1' starts with a drive letter").arg(name));
    }
    if (name.contains(QLatin1Char('\\'))) {
        return refuse(ZipHelper::tr("entry '%1' contains a backslash; zip entries are "
                                    "separated with '/'")
                          .arg(name));
    }
    QStringList parts;
    for (const QString &part : name.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("..")) {
            return refuse(ZipHelper::tr("entry '%1' leads out of the target folder").arg(name));
        }
        if (part != QLatin1String(".")) {
            parts << part;
        }
    }
    if (parts.isEmpty()) {
        return refuse(ZipHelper::tr("entry '%1' has no name").arg(name));
    }
    *relative = parts.join(QLatin1Char('/'));
    return true;
}

bool validateWriteArguments(const QString &archivePath, bool encrypt, const QString &password,
                            int level, QString *errorMessage)
{
    if (archivePath.isEmpty()) {
        return fail(errorMessage, ZipHelper::tr("No archive path was given"));
    }
    if (level < -1 || level > 9) {
        return fail(errorMessage,
                    ZipHelper::tr("Compression level %1 is not valid; use -1 for the default, "
                                  "0 to store or 1 to 9")
                        .arg(level));
    }
    if (encrypt && password.isEmpty()) {
        return fail(
            errorMessage,
            ZipHelper::tr("Can't encrypt archive '%1' without a password").arg(archivePath));
    }
    if (!libzip().isLoaded()) {
        return fail(
            errorMessage,
            ZipHelper::tr("Can't write archive '%1': %2").arg(archivePath, libzip().errorString()));
    }
    if (encrypt && !libzip().encryption_method_supported(ZIP_EM_TRAD_PKWARE, 1)) {
        return fail(errorMessage,
                    ZipHelper::tr("Can't encrypt archive '%1': this libzip does not support "
                                  "traditional PKWARE encryption")
                        .arg(archivePath));
    }
    return true;
}

// A file or folder to add. Everything is collected before the archive is opened, so that a
// missing or unreadable source is refused before the archive is touched.
struct SourceEntry
{
    QString path;
    QByteArray name; // UTF-8; folders end in "/"
    qint64 modified; // seconds since 1970, UTC
    bool isFolder;
};

struct SourceCollection
{
    QString archiveCanonicalPath;
    QList<SourceEntry> entries;
    // Canonical paths of the folders being walked, to stop at a link that leads back up.
    QSet<QString> openFolders;
};

bool collectSources(const QFileInfo &info, const QByteArray &prefix, SourceCollection &collection,
                    QString *errorMessage)
{
    const QString path = info.absoluteFilePath();
    if (!info.exists()) {
        return fail(errorMessage,
                    info.isSymLink()
                        ? ZipHelper::tr("'%1' is a symbolic link to a missing target").arg(path)
                        : ZipHelper::tr("'%1' does not exist").arg(path));
    }
    const QByteArray name = prefix + info.fileName().toUtf8();
    const qint64 modified = info.lastModified().toSecsSinceEpoch();
    const QString canonicalPath = info.canonicalFilePath();
    if (info.isDir()) {
        if (collection.openFolders.contains(canonicalPath)) {
            return fail(
                errorMessage,
                ZipHelper::tr("'%1' is a symbolic link to a folder that contains it").arg(path));
        }
        if (!info.isReadable() || !info.isExecutable()) {
            return fail(errorMessage, ZipHelper::tr("Can't read folder '%1'").arg(path));
        }
        collection.entries.append({path, name + '/', modified, true});
        collection.openFolders.insert(canonicalPath);
        const QFileInfoList children = QDir(path).entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo &child : children) {
            if (!collectSources(child, name + '/', collection, errorMessage)) {
                return false;
            }
        }
        collection.openFolders.remove(canonicalPath);
        return true;
    }
    if (!info.isFile()) {
        return fail(errorMessage, ZipHelper::tr("'%1' is neither a file nor a folder").arg(path));
    }
    if (canonicalPath == collection.archiveCanonicalPath) {
        // An archive kept inside the folder being compressed does not go into itself.
        return true;
    }
    if (!info.isReadable()) {
        return fail(errorMessage, ZipHelper::tr("Can't read '%1'").arg(path));
    }
    collection.entries.append({path, name, modified, false});
    return true;
}

bool archiveFailure(zip_t *archive, QString *reason)
{
    *reason = QString::fromLocal8Bit(libzip().strerror(archive));
    return false;
}

void setExtendedTimestamp(zip_t *archive, zip_uint64_t index, qint64 modified)
{
    // The field holds 32 bits; times it cannot hold keep the DOS time only.
    if (modified < 0 || modified > std::numeric_limits<qint32>::max()) {
        return;
    }
    zip_uint8_t data[kExtendedTimestampSize] = {kExtendedTimestampHasModificationTime};
    qToLittleEndian(quint32(modified), data + 1);
    // Failing to add it costs precision only: the DOS time is still there.
    libzip().file_extra_field_set(archive, index, kExtendedTimestampId, ZIP_EXTRA_FIELD_NEW, data,
                                  kExtendedTimestampSize, ZIP_FL_LOCAL | ZIP_FL_CENTRAL);
}

bool addEntry(zip_t *archive, const SourceEntry &entry, const QByteArray &password, int level,
              QString *reason)
{
    // Deleting and adding, rather than overwriting in place, drops every setting of the old
    // entry (encryption, extra fields) along with its data.
    const zip_int64_t existing = libzip().name_locate(archive, entry.name.constData(), 0);
    if (existing >= 0 && libzip().delete_(archive, zip_uint64_t(existing)) != 0) {
        return archiveFailure(archive, reason);
    }
    zip_int64_t index = -1;
    if (entry.isFolder) {
        index = libzip().dir_add(archive, entry.name.constData(), ZIP_FL_ENC_UTF_8);
        if (index < 0
            || libzip().file_set_mtime(archive, zip_uint64_t(index), entry.modified, 0) != 0) {
            return archiveFailure(archive, reason);
        }
    } else {
        // The file is read when the archive is closed. Its own modification time becomes the
        // entry's: libzip derives the encryption header's check byte from it, so it must not be
        // set apart from the file.
        zip_source_t *source =
            libzip().source_file(archive, QFile::encodeName(entry.path).constData(), 0, -1);
        if (!source) {
            return archiveFailure(archive, reason);
        }
        index = libzip().file_add(archive, entry.name.constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            libzip().source_free(source);
            return archiveFailure(archive, reason);
        }
        const zip_int32_t method = level == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        const zip_uint32_t deflateLevel = level < 0 ? kDefaultDeflateLevel : zip_uint32_t(level);
        if (libzip().set_file_compression(archive, zip_uint64_t(index), method, deflateLevel)
            != 0) {
            return archiveFailure(archive, reason);
        }
        if (!password.isEmpty()
            && libzip().file_set_encryption(archive, zip_uint64_t(index), ZIP_EM_TRAD_PKWARE,
                                            password.constData())
                   != 0) {
            return archiveFailure(archive, reason);
        }
    }
    setExtendedTimestamp(archive, zip_uint64_t(index), entry.modified);
    return true;
}

// libzip writes nothing for an archive without entries; an empty folder still gives a valid
// (empty) archive: just the end-of-central-directory record.
bool writeEmptyArchive(const QString &archivePath, QString *errorMessage)
{
    static const char endOfCentralDirectory[22] = {'P', 'K', 5, 6};
    return SRCore::SafeFileWriter::writeFile(
        archivePath, QByteArray(endOfCentralDirectory, sizeof endOfCentralDirectory), errorMessage);
}

bool writeEntries(const QString &archivePath, const QList<SourceEntry> &entries, bool encrypt,
                  const QString &password, int level, QString *errorMessage)
{
    QString reason;
    ArchivePointer archive = openArchive(archivePath, ZIP_CREATE, &reason);
    if (!archive) {
        return fail(errorMessage,
                    ZipHelper::tr("Can't open archive '%1': %2").arg(archivePath, reason));
    }
    const QByteArray archivePassword = encrypt ? password.toUtf8() : QByteArray();
    for (const SourceEntry &entry : entries) {
        if (!addEntry(archive.get(), entry, archivePassword, level, &reason)) {
            const QString what = entry.path.isEmpty() ? QString::fromUtf8(entry.name) : entry.path;
            return fail(
                errorMessage,
                ZipHelper::tr("Can't add '%1' to archive '%2': %3").arg(what, archivePath, reason));
        }
    }
    // libzip writes a temporary file next to the archive and renames it over the archive only
    // when everything was written; on failure it removes the temporary file, and discarding the
    // handle drops the changes.
    if (libzip().close(archive.get()) != 0) {
        archiveFailure(archive.get(), &reason);
        return fail(errorMessage,
                    ZipHelper::tr("Can't write archive '%1': %2").arg(archivePath, reason));
    }
    archive.release(); // freed by zip_close
    if (QFileInfo(archivePath).size() == 0) {
        return writeEmptyArchive(archivePath, errorMessage);
    }
    return true;
}

// Where an entry was extracted from and goes to. Every entry is checked before anything is
// written.
struct PlannedEntry
{
    zip_uint64_t index;
    QString name;     // as stored, for messages
    QString relative; // below the target folder
    qint64 modified;  // seconds since 1970, UTC
    qint64 size;      // uncompressed, as the entry declares it
    bool isFolder;
    bool encrypted;
};

qint64 entryModificationTime(zip_t *archive, zip_uint64_t index, const zip_stat_t &stat)
{
    zip_uint16_t length = 0;
    const zip_uint8_t *data = libzip().file_extra_field_get_by_id(
        archive, index, kExtendedTimestampId, 0, &length, ZIP_FL_CENTRAL);
    if (data && length >= kExtendedTimestampSize
        && (data[0] & kExtendedTimestampHasModificationTime)) {
        return qFromLittleEndian<qint32>(data + 1);
    }
    // libzip reads the DOS time as local time.
    return (stat.valid & ZIP_STAT_MTIME) ? qint64(stat.mtime) : QDateTime::currentSecsSinceEpoch();
}

bool isSymbolicLink(zip_t *archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    return libzip().file_get_external_attributes(archive, index, 0, &system, &attributes) == 0
           && system == ZIP_OPSYS_UNIX
           && ((attributes >> 16) & kUnixFileTypeMask) == kUnixSymbolicLink;
}

bool planEntry(zip_t *archive, zip_uint64_t index, bool junkPaths, bool havePassword,
               PlannedEntry *entry, QString *reason)
{
    // Names without the UTF-8 flag are taken as UTF-8 when they are valid UTF-8 (zip on Unix
    // stores UTF-8 without the flag), otherwise as CP437, which libzip converts.
    const char *rawName = libzip().get_name(archive, index, ZIP_FL_ENC_GUESS);
    zip_stat_t stat;
    if (!rawName || libzip().stat_index(archive, index, 0, &stat) != 0) {
        return archiveFailure(archive, reason);
    }
    entry->index = index;
    entry->name = QString::fromUtf8(rawName);
    entry->isFolder = entry->name.endsWith(QLatin1Char('/'));
    entry->encrypted =
        (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE;
    entry->modified = entryModificationTime(archive, index, stat);
    entry->size = (stat.valid & ZIP_STAT_SIZE) ? qint64(stat.size) : 0;
    if (!relativeEntryPath(entry->name, &entry->relative, reason)) {
        return false;
    }
    if (isSymbolicLink(archive, index)) {
        *reason = ZipHelper::tr("entry '%1' is a symbolic link").arg(entry->name);
        return false;
    }
    if (entry->isFolder) {
        return true;
    }
    // A member of zeros inflates about a thousandfold; nothing of a package comes near that.
    const qint64 compressedSize = (stat.valid & ZIP_STAT_COMP_SIZE) ? qint64(stat.comp_size) : 0;
    if (entry->size > ArchiveLimits::kMaximumCompressionRatio * compressedSize) {
        *reason = ZipHelper::tr("entry '%1' is compressed more than %2 to 1")
                      .arg(entry->name)
                      .arg(ArchiveLimits::kMaximumCompressionRatio);
        return false;
    }
    if (junkPaths) {
        entry->relative = entry->relative.section(QLatin1Char('/'), -1);
    }
    if (entry->encrypted && !havePassword) {
        *reason =
            ZipHelper::tr("entry '%1' is encrypted and no password was given").arg(entry->name);
        return false;
    }
    if (entry->encrypted && !libzip().encryption_method_supported(stat.encryption_method, 0)) {
        *reason = ZipHelper::tr("entry '%1' is encrypted with a method that is not supported")
                      .arg(entry->name);
        return false;
    }
    if ((stat.valid & ZIP_STAT_COMP_METHOD)
        && !libzip().compression_method_supported(stat.comp_method, 0)) {
        *reason = ZipHelper::tr("entry '%1' is compressed with method %2, which is not supported")
                      .arg(entry->name)
                      .arg(stat.comp_method);
        return false;
    }
    return true;
}

// Refuses entries that would land on the same path, or need a folder where another entry is a
// file; extracting them would silently drop one of them.
bool checkEntryCollisions(const QList<PlannedEntry> &entries, QString *reason)
{
    QHash<QString, QString> files;   // relative path -> entry name
    QHash<QString, QString> folders; // relative path -> first entry that needs the folder
    const auto collide = [&](const QString &first, const QString &second, const QString &path) {
        *reason = ZipHelper::tr("entries '%1' and '%2' would both be extracted to '%3'")
                      .arg(first, second, path);
        return false;
    };
    for (const PlannedEntry &entry : entries) {
        const QStringList parts = entry.relative.split(QLatin1Char('/'));
        QString folder;
        for (int i = 0; i < parts.size() - (entry.isFolder ? 0 : 1); ++i) {
            folder += (i ? QLatin1String("/") : QLatin1String()) + parts.at(i);
            if (files.contains(folder)) {
                return collide(files.value(folder), entry.name, folder);
            }
            folders.insert(folder, entry.name);
        }
        if (entry.isFolder) {
            continue;
        }
        if (files.contains(entry.relative)) {
            return collide(files.value(entry.relative), entry.name, entry.relative);
        }
        if (folders.contains(entry.relative)) {
            return collide(folders.value(entry.relative), entry.name, entry.relative);
        }
        files.insert(entry.relative, entry.name);
    }
    return true;
}

// Refuses to write through symbolic links already in the target, which could lead anywhere, and
// to replace a file by a folder or a folder by a file.
bool checkTargetConflicts(const QString &target, const QList<PlannedEntry> &entries,
                          QString *reason)
{
    QSet<QString> checked;
    for (const PlannedEntry &entry : entries) {
        const QStringList parts = entry.relative.split(QLatin1Char('/'));
        QString path = target;
        for (int i = 0; i < parts.size(); ++i) {
            path += QLatin1Char('/') + parts.at(i);
            const bool isLast = i == parts.size() - 1;
            if (!isLast && checked.contains(path)) {
                continue;
            }
            checked.insert(path);
            const QFileInfo existing(path);
            if (existing.isSymLink()) {
                *reason = ZipHelper::tr("'%1' in the target folder is a symbolic link; entry '%2' "
                                        "would be written through it")
                              .arg(path, entry.name);
                return false;
            }
            if (!existing.exists()) {
                break;
            }
            const bool needsFolder = !isLast || entry.isFolder;
            if (needsFolder != existing.isDir()) {
                *reason = needsFolder ? ZipHelper::tr("entry '%1' needs a folder at '%2', where "
                                                      "the target folder has a file")
                                            .arg(entry.name, path)
                                      : ZipHelper::tr("entry '%1' would replace the folder '%2'")
                                            .arg(entry.name, path);
                return false;
            }
        }
    }
    return true;
}

bool setModificationTime(const QString &path, qint64 secondsSinceEpoch)
{
    // QFileDevice::setFileTime() needs an open file, which a folder cannot be.
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(secondsSinceEpoch), 0}};
    return utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW)
           == 0;
}

QString entryReadFailure(const PlannedEntry &entry, zip_error_t *error)
{
    switch (libzip().error_code_zip(error)) {
    case ZIP_ER_WRONGPASSWD:
        return ZipHelper::tr("wrong password for entry '%1'").arg(entry.name);
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
        // The password check of traditional encryption is a single byte: one wrong password in
        // 256 passes it, and only the data shows the mistake.
        if (entry.encrypted) {
            return ZipHelper::tr("entry '%1' could not be decrypted: the password is wrong or the "
                                 "entry is damaged (%2)")
                .arg(entry.name, errorText(error));
        }
        return ZipHelper::tr("entry '%1' is damaged (%2)").arg(entry.name, errorText(error));
    default:
        return ZipHelper::tr("can't read entry '%1': %2").arg(entry.name, errorText(error));
    }
}

// Writes the data of `entry` to the new file `path`, checked against its CRC by libzip on the
// way.
bool writeEntry(zip_t *archive, const PlannedEntry &entry, const QByteArray &password,
                const QString &path, QByteArray &buffer, SRCore::ExtractionJournal &journal,
                QString *reason)
{
    EntryPointer file(libzip().fopen_index_encrypted(
        archive, entry.index, 0, password.isEmpty() ? nullptr : password.constData()));
    if (!file) {
        *reason = entryReadFailure(entry, libzip().get_error(archive));
        return false;
    }
    // NewOnly: never write into a file or through a link that appeared after the checks.
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        *reason = ZipHelper::tr("can't write '%1': %2").arg(path, out.errorString());
        return false;
    }
    journal.addWrittenFile(path);
    qint64 extracted = 0;
    while (true) {
        const zip_int64_t read =
            libzip().fread(file.get(), buffer.data(), zip_uint64_t(buffer.size()));
        if (read < 0) {
            *reason = entryReadFailure(entry, libzip().file_get_error(file.get()));
            return false;
        }
        if (read == 0) {
            break;
        }
        // The limits were checked against the declared sizes; the data must keep to them.
        extracted += read;
        if (extracted > entry.size) {
            *reason = ZipHelper::tr("entry '%1' holds more data than it declares").arg(entry.name);
            return false;
        }
        if (out.write(buffer.constData(), read) != read) {
            *reason = ZipHelper::tr("can't write '%1': %2").arg(path, out.errorString());
            return false;
        }
    }
    out.close();
    setModificationTime(path, entry.modified);
    return true;
}

bool extractPlanned(zip_t *archive, const QList<PlannedEntry> &entries, const QString &target,
                    const QByteArray &password, QString *reason)
{
    SRCore::ExtractionJournal journal;
    if (!journal.makeFolders(target)) {
        *reason = ZipHelper::tr("can't create folder '%1'").arg(target);
        return false;
    }
    // New files are written in place. A file that replaces an existing one is written next to
    // it under a temporary name and swapped in only when every entry has been written and
    // checked, so that a failure can still give the old file back.
    struct Replacement
    {
        QString written;
        QString path;
    };
    QList<Replacement> replacements;
    const QString temporaryPrefix = QLatin1String("/.extracting-")
                                    + QString::number(QRandomGenerator::global()->generate(), 36)
                                    + QLatin1Char('-');
    QList<const PlannedEntry *> createdFolderEntries;
    QByteArray buffer(kCopyChunkSize, Qt::Uninitialized);
    for (const PlannedEntry &entry : entries) {
        const QString path = target + QLatin1Char('/') + entry.relative;
        if (entry.isFolder) {
            if (!journal.makeFolders(path)) {
                *reason = ZipHelper::tr("can't create folder '%1'").arg(path);
                return false;
            }
            if (journal.createdFolder(path)) {
                createdFolderEntries.append(&entry);
            }
            continue;
        }
        const QString folder = QFileInfo(path).absolutePath();
        if (!journal.makeFolders(folder)) {
            *reason = ZipHelper::tr("can't create folder '%1'").arg(folder);
            return false;
        }
        QString writePath = path;
        if (QFileInfo::exists(path)) {
            writePath = folder + temporaryPrefix + QString::number(entry.index);
            replacements.append({writePath, path});
        }
        if (!writeEntry(archive, entry, password, writePath, buffer, journal, reason)) {
            return false;
        }
    }
    for (const Replacement &replacement : std::as_const(replacements)) {
        if (!journal.replaceFile(replacement.written, replacement.path,
                                 replacement.written + QLatin1String(".old"))) {
            *reason = ZipHelper::tr("can't replace '%1'").arg(replacement.path);
            return false;
        }
    }
    // Folder times last: adding files to a folder changes its time.
    for (const PlannedEntry *entry : std::as_const(createdFolderEntries)) {
        setModificationTime(target + QLatin1Char('/') + entry->relative, entry->modified);
    }
    journal.commit();
    return true;
}

} // namespace

bool ZipHelper::compressItem(const QString &itemPath, const QString &archivePath, bool encrypt,
                             const QString &password, int level, const QString &folderInArchive,
                             QString *errorMessage)
{
    if (!validateWriteArguments(archivePath, encrypt, password, level, errorMessage)) {
        return false;
    }
    if (itemPath.isEmpty()) {
        return fail(errorMessage,
                    tr("Can't add to archive '%1': no file or folder was given").arg(archivePath));
    }
    const QFileInfo item(QDir::cleanPath(QFileInfo(itemPath).absoluteFilePath()));
    if (!item.exists() && !item.isSymLink()) {
        return fail(
            errorMessage,
            tr("Can't add '%1' to archive '%2': it does not exist").arg(itemPath, archivePath));
    }
    SourceCollection collection;
    collection.archiveCanonicalPath = QFileInfo(archivePath).canonicalFilePath();
    if (item.canonicalFilePath() == collection.archiveCanonicalPath) {
        return fail(errorMessage, tr("Can't add archive '%1' to itself").arg(archivePath));
    }
    QByteArray prefix;
    if (!folderInArchive.isEmpty()) {
        QString relative;
        QString reason;
        // A leading "/" can only mean the top of the archive.
        QString folderName = folderInArchive;
        while (folderName.startsWith(QLatin1Char('/'))) {
            folderName.remove(0, 1);
        }
        if (!relativeEntryPath(folderName, &relative, &reason)) {
            return fail(errorMessage, tr("Can't add '%1' to archive '%2': '%3' is not a valid "
                                         "folder inside an archive")
                                          .arg(itemPath, archivePath, folderInArchive));
        }
        // Each level of the folder gets its own entry, as the folders of the item do.
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        for (const QString &part : relative.split(QLatin1Char('/'))) {
            prefix += part.toUtf8() + '/';
            collection.entries.append({QString(), prefix, now, true});
        }
    }
    return collectSources(item, prefix, collection, errorMessage)
           && writeEntries(archivePath, collection.entries, encrypt, password, level, errorMessage);
}

bool ZipHelper::compressFolderContents(const QString &folder, const QString &archivePath,
                                       bool encrypt, const QString &password, int level,
                                       QString *errorMessage)
{
    if (!validateWriteArguments(archivePath, encrypt, password, level, errorMessage)) {
        return false;
    }
    const QFileInfo folderInfo(folder);
    if (folder.isEmpty() || !folderInfo.isDir()) {
        return fail(errorMessage,
                    tr("Can't compress the contents of '%1': it is not a folder").arg(folder));
    }
    SourceCollection collection;
    collection.archiveCanonicalPath = QFileInfo(archivePath).canonicalFilePath();
    collection.openFolders.insert(folderInfo.canonicalFilePath());
    const QFileInfoList children = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &child : children) {
        if (!collectSources(child, QByteArray(), collection, errorMessage)) {
            return false;
        }
    }
    return writeEntries(archivePath, collection.entries, encrypt, password, level, errorMessage);
}

bool ZipHelper::extractFiles(const QString &archivePath, const QString &targetFolder,
                             bool usePassword, const QString &password, bool junkPaths,
                             QString *errorMessage)
{
    const auto refuse = [&](const QString &reason) {
        return fail(errorMessage, tr("Can't extract archive '%1': %2").arg(archivePath, reason));
    };
    const QFileInfo archiveInfo(archivePath);
    if (archivePath.isEmpty() || !archiveInfo.exists()) {
        return refuse(tr("it does not exist"));
    }
    if (!archiveInfo.isFile()) {
        return refuse(tr("it is not a file"));
    }
    // libzip takes an empty file for an empty archive; it is rather a broken one.
    if (archiveInfo.size() == 0) {
        return refuse(tr("the file is empty"));
    }
    if (targetFolder.isEmpty()) {
        return refuse(tr("no target folder was given"));
    }
    const QString target = QDir::cleanPath(QFileInfo(targetFolder).absoluteFilePath());
    if (QFileInfo::exists(target) && !QFileInfo(target).isDir()) {
        return refuse(tr("the target '%1' is not a folder").arg(target));
    }

    if (!libzip().isLoaded()) {
        return refuse(libzip().errorString());
    }
    QString reason;
    const ArchivePointer archive = openArchive(archivePath, ZIP_RDONLY, &reason);
    if (!archive) {
        return refuse(reason);
    }
    const bool havePassword = usePassword && !password.isEmpty();
    const zip_int64_t count = libzip().get_num_entries(archive.get(), 0);
    if (count > ArchiveLimits::kMaximumEntries) {
        return refuse(tr("it holds %1 entries; at most %2 are extracted")
                          .arg(count)
                          .arg(ArchiveLimits::kMaximumEntries));
    }
    if (!ZipDirectory::checkEntriesApart(archivePath, &reason)) {
        return refuse(reason);
    }
    QList<PlannedEntry> entries;
    entries.reserve(count);
    qint64 totalSize = 0;
    for (zip_int64_t index = 0; index < count; ++index) {
        PlannedEntry entry;
        if (!planEntry(archive.get(), zip_uint64_t(index), junkPaths, havePassword, &entry,
                       &reason)) {
            return refuse(reason);
        }
        totalSize += entry.size;
        if (totalSize > ArchiveLimits::kMaximumTotalSize) {
            return refuse(
                tr("its entries hold more than %1 MB; at most that is extracted")
                    .arg(ArchiveLimits::kMaximumTotalSize / ArchiveLimits::kBytesPerMegabyte));
        }
        if (!(junkPaths && entry.isFolder)) {
            entries.append(entry);
        }
    }
    if (!checkEntryCollisions(entries, &reason) || !checkTargetConflicts(target, entries, &reason)
        || !extractPlanned(archive.get(), entries, target,
                           havePassword ? password.toUtf8() : QByteArray(), &reason)) {
        return refuse(reason);
    }
    return true;
}
