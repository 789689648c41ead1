#pragma once

// Zip archives built byte by byte, also the hostile ones that no real tool writes: entries whose
// headers declare other sizes than their data holds, and central directories whose records
// share or overlap the data of entries ("overlapping zip bombs").

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QtEndian>

#include <zlib.h>

namespace HostileZip {

constexpr quint16 kStored = 0;
constexpr quint16 kDeflated = 8;

// One entry as its local header and data are written.
struct Entry
{
    QByteArray name;
    QByteArray data; // as stored: compressed already for kDeflated
    quint16 method = kStored;
    quint32 crc = 0;
    qint64 size = -1;           // the declared uncompressed size; -1: data.size()
    qint64 compressedSize = -1; // the declared compressed size; -1: data.size()
};

// The size an entry's local header and data take in the archive.
inline qint64 footprint(const Entry &entry)
{
    return 30 + entry.name.size() + entry.data.size();
}

// A plain entry stored as it is.
inline Entry stored(const QByteArray &name, const QByteArray &content)
{
    return {name,
            content,
            kStored,
            quint32(crc32(0, reinterpret_cast<const Bytef *>(content.constData()),
                          uInt(content.size()))),
            -1,
            -1};
}

// An entry of `chunk` repeated `count` times, deflated. Each chunk is compressed once and its
// output repeated (a full flush makes it stand alone), so gigabytes cost milliseconds.
inline Entry deflatedRepeat(const QByteArray &name, const QByteArray &chunk, int count)
{
    z_stream stream = {};
    deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    QByteArray block(int(deflateBound(&stream, uLong(chunk.size()))) + 64, Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(chunk.constData()));
    stream.avail_in = uInt(chunk.size());
    stream.next_out = reinterpret_cast<Bytef *>(block.data());
    stream.avail_out = uInt(block.size());
    deflate(&stream, Z_FULL_FLUSH);
    block.truncate(block.size() - int(stream.avail_out));
    deflateEnd(&stream);

    Entry entry{name, QByteArray(), kDeflated, 0, qint64(chunk.size()) * count, -1};
    entry.data.reserve(block.size() * count + 2);
    for (int i = 0; i < count; ++i) {
        entry.data += block;
        entry.crc = quint32(crc32(entry.crc, reinterpret_cast<const Bytef *>(chunk.constData()),
                                  uInt(chunk.size())));
    }
    // An empty final block with fixed codes ends the stream.
    entry.data += QByteArray::fromHex("0300");
    return entry;
}

namespace Detail {

template<typename T>
void append(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

inline void appendHeader(QByteArray &out, quint32 signature, const Entry &entry)
{
    append<quint32>(out, signature);
    if (signature == 0x02014b50) {
        append<quint16>(out, 20); // made by
    }
    append<quint16>(out, 20);     // needed to extract
    append<quint16>(out, 0x0800); // UTF-8 names
    append<quint16>(out, entry.method);
    append<quint16>(out, 0);    // time
    append<quint16>(out, 0x21); // date: 1980-01-01
    append<quint32>(out, entry.crc);
    append<quint32>(out,
                    quint32(entry.compressedSize < 0 ? entry.data.size() : entry.compressedSize));
    append<quint32>(out, quint32(entry.size < 0 ? entry.data.size() : entry.size));
    append<quint16>(out, quint16(entry.name.size()));
    append<quint16>(out, 0); // extra field
}

} // namespace Detail

// A record of the central directory: the entry whose header and data it points at, and the
// name it gives (empty: the entry's own).
struct Record
{
    int entry;
    QByteArray name;
};

// Writes `entries` (local header and data each, in order) and a central directory of `records`,
// by default one per entry. Records that point at one entry share its data.
inline bool write(const QString &path, const QList<Entry> &entries, QList<Record> records = {})
{
    if (records.isEmpty()) {
        for (int i = 0; i < entries.size(); ++i) {
            records.append({i, QByteArray()});
        }
    }
    QByteArray out;
    QList<quint32> offsets;
    for (const Entry &entry : entries) {
        offsets << quint32(out.size());
        Detail::appendHeader(out, 0x04034b50, entry);
        out += entry.name + entry.data;
    }
    const quint32 directoryOffset = quint32(out.size());
    for (const Record &record : std::as_const(records)) {
        Entry entry = entries.at(record.entry);
        if (!record.name.isEmpty()) {
            entry.name = record.name;
        }
        Detail::appendHeader(out, 0x02014b50, entry);
        Detail::append<quint16>(out, 0); // comment
        Detail::append<quint16>(out, 0); // disk
        Detail::append<quint16>(out, 0); // internal attributes
        Detail::append<quint32>(out, 0); // external attributes
        Detail::append<quint32>(out, offsets.at(record.entry));
        out += entry.name;
    }
    const quint32 directorySize = quint32(out.size()) - directoryOffset;
    Detail::append<quint32>(out, 0x06054b50);
    Detail::append<quint16>(out, 0);
    Detail::append<quint16>(out, 0);
    Detail::append<quint16>(out, quint16(records.size()));
    Detail::append<quint16>(out, quint16(records.size()));
    Detail::append<quint32>(out, directorySize);
    Detail::append<quint32>(out, directoryOffset);
    Detail::append<quint16>(out, 0);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

} // namespace HostileZip
