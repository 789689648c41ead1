#pragma once

// Helpers of the fixture tests: a log that keeps what it is given, and Python's zipfile as an
// independent reader and writer of archives (also of archives our own writer refuses to make).

#include "../testfiles.h"

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace FixtureTest {

class RecordingLog : public SRCore::ILogInterface
{
public:
    void log(const SRCore::LogRecord &record, int flags) override
    {
        Q_UNUSED(flags)
        records.append(record);
    }

    // "level|operation|argument" per record, easy to compare and to read in a failure.
    QStringList lines() const
    {
        QStringList result;
        for (const SRCore::LogRecord &record : records) {
            result << QStringLiteral("%1|%2|%3")
                          .arg(record.level)
                          .arg(record.operation, record.argument);
        }
        return result;
    }

    QList<SRCore::LogRecord> records;
};

using TestFiles::writeFile;

using TestFiles::readFile;

// Entry names of an archive in the order of its central directory; empty when Python can't
// read it.
inline QStringList zipEntryNames(const QString &archive)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, json, zipfile\n"
                                 "print(json.dumps(zipfile.ZipFile(sys.argv[1]).namelist()))"),
                  archive});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        return {};
    }
    QStringList names;
    const QJsonArray array = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    for (const auto &name : array) {
        names << name.toString();
    }
    return names;
}

// Entry names and contents of an archive, in the order of its central directory; empty when
// Python can't read it.
inline QList<QPair<QString, QByteArray>> zipEntries(const QString &archive)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, json, zipfile, base64\n"
                                 "z = zipfile.ZipFile(sys.argv[1])\n"
                                 "print(json.dumps([[n, base64.b64encode(z.read(n)).decode()]"
                                 " for n in z.namelist()]))"),
                  archive});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        return {};
    }
    QList<QPair<QString, QByteArray>> entries;
    const QJsonArray array = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    for (const auto &entry : array) {
        entries.append({entry.toArray().at(0).toString(),
                        QByteArray::fromBase64(entry.toArray().at(1).toString().toLatin1())});
    }
    return entries;
}

// Writes an archive whose entries (name, content) are taken as they are, also names such as
// "../x" that no well-behaved writer makes.
inline bool writeRawZip(const QString &archive, const QList<QPair<QString, QByteArray>> &entries)
{
    QJsonArray array;
    for (const auto &entry : entries) {
        array.append(QJsonArray{entry.first, QString::fromLatin1(entry.second.toBase64())});
    }
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, json, base64, zipfile\n"
                                 "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
                                 "    for name, data in json.loads(sys.argv[2]):\n"
                                 "        z.writestr(name, base64.b64decode(data))\n"),
                  archive, QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact))});
    return python.waitForFinished(60000) && python.exitCode() == 0;
}

// Names of everything below `folder`, for checking that nothing was left behind.
inline QStringList entriesBelow(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                  | QDir::NoDotAndDotDot);
}

} // namespace FixtureTest
