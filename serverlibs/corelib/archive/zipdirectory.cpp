#include "zipdirectory.h"

#include <QFile>
#include <QList>
#include <QtEndian>

#include <algorithm>

namespace {

// Record signatures and sizes of the zip format (PKWARE APPNOTE).
constexpr quint32 kEndOfDirectorySignature = 0x06054b50;
constexpr quint32 kZip64EndOfDirectorySignature = 0x06064b50;
constexpr quint32 kZip64LocatorSignature = 0x07064b50;
constexpr quint32 kDirectoryEntrySignature = 0x02014b50;
constexpr quint32 kLocalHeaderSignature = 0x04034b50;
constexpr qint64 kEndOfDirectorySize = 22;
constexpr qint64 kZip64LocatorSize = 20;
constexpr qint64 kZip64EndOfDirectorySize = 56;
constexpr qint64 kDirectoryEntrySize = 46;
constexpr qint64 kLocalHeaderSize = 30;
constexpr qint64 kMaximumCommentSize = 0xffff;
constexpr quint16 kZip64ExtraFieldId = 0x0001;
constexpr quint32 kZip64Marker = 0xffffffff;
// Far more than the names and fields of the entries that an archive may hold.
constexpr qint64 kMaximumDirectorySize = qint64(64) * 1024 * 1024;

struct Span
{
    qint64 start;
    qint64 end;
    QString name;
};

template<typename T>
T field(const QByteArray &data, qint64 at)
{
    return qFromLittleEndian<T>(data.constData() + at);
}

QByteArray readAt(QFile &file, qint64 offset, qint64 size)
{
    if (offset < 0 || size < 0 || offset > file.size() || size > file.size() - offset
        || !file.seek(offset)) {
        return QByteArray();
    }
    QByteArray data = file.read(size);
    return data.size() == size ? data : QByteArray();
}

struct Directory
{
    qint64 offset = 0;
    qint64 size = 0;
};

// Where the central directory lies, from the end-of-directory record (and its Zip64 form).
bool locateDirectory(QFile &file, Directory *directory)
{
    const qint64 tailSize = std::min(file.size(), kEndOfDirectorySize + kMaximumCommentSize);
    const qint64 tailStart = file.size() - tailSize;
    const QByteArray tail = readAt(file, tailStart, tailSize);
    qint64 at = tail.size() - kEndOfDirectorySize;
    while (at >= 0 && field<quint32>(tail, at) != kEndOfDirectorySignature) {
        --at;
    }
    if (at < 0) {
        return false;
    }
    directory->size = field<quint32>(tail, at + 12);
    directory->offset = field<quint32>(tail, at + 16);
    const bool zip64 = field<quint16>(tail, at + 10) == 0xffff || directory->size == kZip64Marker
                       || directory->offset == kZip64Marker;
    if (!zip64) {
        return true;
    }
    const QByteArray locator = readAt(file, tailStart + at - kZip64LocatorSize, kZip64LocatorSize);
    if (locator.isEmpty() || field<quint32>(locator, 0) != kZip64LocatorSignature) {
        return false;
    }
    const QByteArray end =
        readAt(file, qint64(field<quint64>(locator, 8)), kZip64EndOfDirectorySize);
    if (end.isEmpty() || field<quint32>(end, 0) != kZip64EndOfDirectorySignature) {
        return false;
    }
    directory->size = qint64(field<quint64>(end, 40));
    directory->offset = qint64(field<quint64>(end, 48));
    return directory->size >= 0 && directory->offset >= 0;
}

// The sizes and the offset that are too large for their 32-bit fields follow, in this order, in
// the entry's Zip64 extra field.
void readZip64Values(const QByteArray &extra, quint64 *values[3])
{
    qint64 at = 0;
    while (at + 4 <= extra.size()) {
        const quint16 id = field<quint16>(extra, at);
        const quint16 length = field<quint16>(extra, at + 2);
        if (id == kZip64ExtraFieldId) {
            qint64 value = at + 4;
            for (int i = 0; i < 3; ++i) {
                if (*values[i] == kZip64Marker && value + 8 <= at + 4 + length
                    && value + 8 <= extra.size()) {
                    *values[i] = field<quint64>(extra, value);
                    value += 8;
                }
            }
            return;
        }
        at += 4 + length;
    }
}

bool readSpans(QFile &file, const Directory &directory, QList<Span> *spans)
{
    const QByteArray entries = readAt(file, directory.offset, directory.size);
    if (entries.size() != directory.size) {
        return false;
    }
    qint64 at = 0;
    while (at + kDirectoryEntrySize <= entries.size()
           && field<quint32>(entries, at) == kDirectoryEntrySignature) {
        quint64 compressedSize = field<quint32>(entries, at + 20);
        quint64 uncompressedSize = field<quint32>(entries, at + 24);
        const qint64 nameLength = field<quint16>(entries, at + 28);
        const qint64 extraLength = field<quint16>(entries, at + 30);
        const qint64 commentLength = field<quint16>(entries, at + 32);
        quint64 localOffset = field<quint32>(entries, at + 42);
        const qint64 next = at + kDirectoryEntrySize + nameLength + extraLength + commentLength;
        if (next > entries.size()) {
            return false;
        }
        const QString name = QString::fromUtf8(entries.mid(at + kDirectoryEntrySize, nameLength));
        quint64 *values[3] = {&uncompressedSize, &compressedSize, &localOffset};
        readZip64Values(entries.mid(at + kDirectoryEntrySize + nameLength, extraLength), values);
        if (localOffset > quint64(file.size()) || compressedSize > quint64(file.size())) {
            return false;
        }
        const QByteArray local = readAt(file, qint64(localOffset), kLocalHeaderSize);
        if (local.isEmpty() || field<quint32>(local, 0) != kLocalHeaderSignature) {
            return false;
        }
        const qint64 start = qint64(localOffset);
        spans->append({start,
                       start + kLocalHeaderSize + field<quint16>(local, 26)
                           + field<quint16>(local, 28) + qint64(compressedSize),
                       name});
        at = next;
    }
    return at == entries.size();
}

} // namespace

bool ZipDirectory::checkEntriesApart(const QString &archivePath, QString *reason)
{
    QFile file(archivePath);
    Directory directory;
    QList<Span> spans;
    if (!file.open(QIODevice::ReadOnly) || !locateDirectory(file, &directory)
        || directory.size > kMaximumDirectorySize || !readSpans(file, directory, &spans)) {
        *reason = tr("its central directory can't be read");
        return false;
    }
    std::stable_sort(spans.begin(), spans.end(), [](const Span &first, const Span &second) {
        return first.start < second.start;
    });
    for (qsizetype i = 0; i + 1 < spans.size(); ++i) {
        if (spans.at(i).end > spans.at(i + 1).start) {
            *reason = tr("entries '%1' and '%2' share their data")
                          .arg(spans.at(i).name, spans.at(i + 1).name);
            return false;
        }
    }
    if (!spans.isEmpty() && spans.last().end > directory.offset) {
        *reason =
            tr("the data of entry '%1' runs into the central directory").arg(spans.last().name);
        return false;
    }
    return true;
}
