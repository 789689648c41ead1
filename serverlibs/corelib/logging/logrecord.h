#pragma once

#include <QDateTime>
#include <QString>

namespace SRCore {

// Message levels. The database stores them as type words ("error", "info", ...).
namespace LogLevel {
constexpr int Assert = -2;
constexpr int Debug = -1;
constexpr int Refused = 0; // never stored: a level-0 message is replaced by an error
constexpr int Information = 1;
constexpr int Warning = 2;
constexpr int Error = 3;
constexpr int Start = 4;
constexpr int Progress = 5;
constexpr int End = 6;
} // namespace LogLevel

// One message of the message database. `operation` is the message text; it may hold "%1" (the
// whole argument) or "%11", "%12", ... (the comma-separated parts of the argument), filled in
// when the message is shown (LocalizeManager::getMessage).
struct LogRecord
{
    LogRecord() = default;
    LogRecord(int level, const QString &operation, const QString &flow = QString(),
              const QString &element = QString(), const QString &job = QString(),
              const QString &argument = QString());

    qint64 id = 0;  // assigned by the database
    QDateTime time; // UTC; set when the message is logged, if not before
    int level = LogLevel::Information;
    QString module; // the log interface that issued the message
    QString flow;
    QString element;
    QString file; // job name
    QString operation;
    QString argument;
    QString ticket; // job prefix
    QString user;
    QString folder;
    QString outFolder;
    QString outFile;

    // The word stored in the `type` column: "assert", "debug", "info", "warning", "error",
    // "start", "progress", "end"; any level not listed is "info".
    static QString typeWord(int level);
    // The level of a stored type word; unknown words are information.
    static int levelOfTypeWord(const QString &word);
};

} // namespace SRCore
