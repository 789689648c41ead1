#pragma once

// Python's zipfile as an independent reader and writer of zip archives: what our own archives
// hold as another implementation sees it, and archives that our own writer refuses to make.

#include <QByteArray>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QMetaType>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace PythonZip {

struct ToolResult
{
    int exitCode = -1; // -1: the tool could not be started or crashed
    QByteArray output; // stdout and stderr merged
};

// Runs a tool to its end in `workingDirectory`.
inline ToolResult runTool(const QString &program, const QStringList &arguments,
                          const QString &workingDirectory = QString())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForStarted() || !process.waitForFinished(120000)) {
        result.output = process.errorString().toUtf8();
        return result;
    }
    result.output = process.readAll();
    if (process.exitStatus() == QProcess::NormalExit) {
        result.exitCode = process.exitCode();
    }
    return result;
}

// The interpreter that "python3" starts, asked once: a version manager's shim in the path can
// take a second a start, the interpreter behind it a tenth of that.
inline QString pythonProgram()
{
    static const QString program = [] {
        const ToolResult found = runTool(
            QStringLiteral("python3"),
            {QStringLiteral("-c"), QStringLiteral("import sys; sys.stdout.write(sys.executable)")});
        const QString path = QString::fromUtf8(found.output);
        return found.exitCode == 0 && QFileInfo(path).isExecutable() ? path
                                                                     : QStringLiteral("python3");
    }();
    return program;
}

inline ToolResult runPython(const QString &script, const QStringList &arguments)
{
    return runTool(pythonProgram(), QStringList{QStringLiteral("-c"), script} + arguments);
}

// Per entry in the order of the central directory: name, encrypted, compression method and the
// content (base64; empty for encrypted entries). False when Python can't read the archive.
inline bool readEntries(const QString &archive, QJsonArray *table)
{
    const ToolResult result = runPython(QStringLiteral(R"(
import sys, json, base64, zipfile
z = zipfile.ZipFile(sys.argv[1])
print(json.dumps([[i.filename, i.flag_bits & 1, i.compress_type,
                   '' if i.flag_bits & 1 else base64.b64encode(z.read(i)).decode()]
                  for i in z.infolist()]))
)"),
                                        {archive});
    *table = QJsonDocument::fromJson(result.output).array();
    return result.exitCode == 0;
}

// Entry names in the order of the central directory; empty when Python can't read the archive.
inline QStringList names(const QString &archive)
{
    QJsonArray table;
    readEntries(archive, &table);
    QStringList result;
    for (const QJsonValue &entry : table) {
        result << entry.toArray().at(0).toString();
    }
    return result;
}

// Names of the encrypted entries; {"?"} when Python can't read the archive.
inline QStringList encryptedNames(const QString &archive)
{
    QJsonArray table;
    if (!readEntries(archive, &table)) {
        return {QStringLiteral("?")};
    }
    QStringList result;
    for (const QJsonValue &entry : table) {
        if (entry.toArray().at(1).toInt()) {
            result << entry.toArray().at(0).toString();
        }
    }
    return result;
}

// Entry name → content; empty when Python can't read the archive or it is encrypted.
inline QMap<QString, QByteArray> contents(const QString &archive)
{
    QJsonArray table;
    readEntries(archive, &table);
    QMap<QString, QByteArray> result;
    for (const QJsonValue &value : table) {
        const QJsonArray entry = value.toArray();
        if (entry.at(1).toInt()) {
            return {};
        }
        result.insert(entry.at(0).toString(),
                      QByteArray::fromBase64(entry.at(3).toString().toLatin1()));
    }
    return result;
}

struct Entry
{
    QString name;       // taken as it is: "../x" and "C:\\x" too
    QByteArray content; // the target of a link
    bool link = false;
};

// Writes an archive of `entries` in their order, dated 2020-01-01.
inline bool write(const QString &archive, const QList<Entry> &entries)
{
    QJsonArray array;
    for (const Entry &entry : entries) {
        array.append(
            QJsonArray{entry.name, QString::fromLatin1(entry.content.toBase64()), entry.link});
    }
    return runPython(
               QStringLiteral(R"(
import sys, json, base64, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    for name, data, link in json.loads(sys.argv[2]):
        info = zipfile.ZipInfo(name, (2020, 1, 1, 0, 0, 0))
        if link:
            info.create_system = 3
            info.external_attr = 0o120777 << 16
        z.writestr(info, base64.b64decode(data))
)"),
               {archive, QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact))})
               .exitCode
           == 0;
}

} // namespace PythonZip

// Tables of archives to write.
Q_DECLARE_METATYPE(PythonZip::Entry)
