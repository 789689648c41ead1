#include "logdatabase.h"

#include "logrecord.h"

#include "corelib/common/corelogging.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <sqlite3.h>

#include <array>
#include <iterator>

namespace SRCore {

namespace {

// Time the connection itself waits for a lock before reporting Busy. Short, so that the writer
// thread stays responsive to shut-down; it retries on its own schedule.
constexpr int BusyTimeoutMs = 500;
// Trimming removes a little more than the excess, so that it does not run again at once.
constexpr int TrimTargetPercent = 90;
// Each pass removes the share of the oldest messages that the excess takes of the stored bytes;
// a few passes correct for messages of uneven length.
constexpr int MaxTrimPasses = 8;

constexpr int ValueColumns = 13; // every column but `id`

// "yyyy-MM-ddThh:mm:ss.zzzZ" into `out` (24 characters), for the years 0 to 9999; false
// otherwise. Hand-made because the writer formats one for every message.
bool formatTime(const QDateTime &time, char *out)
{
    const qint64 msecs = time.toMSecsSinceEpoch();
    qint64 days = msecs / 86400000;
    qint64 rest = msecs % 86400000;
    if (rest < 0) {
        rest += 86400000;
        --days;
    }
    // Civil date from days since 1970-01-01 (proleptic Gregorian calendar).
    const qint64 z = days + 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 dayOfEra = z - era * 146097;
    const qint64 yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = int(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = int(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const qint64 year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    if (year < 0 || year > 9999) {
        return false;
    }
    const auto put = [&out](int value, int digits) {
        for (int i = digits - 1; i >= 0; --i) {
            out[i] = char('0' + value % 10);
            value /= 10;
        }
        out += digits;
    };
    put(int(year), 4);
    *out++ = '-';
    put(month, 2);
    *out++ = '-';
    put(day, 2);
    *out++ = 'T';
    put(int(rest / 3600000), 2);
    *out++ = ':';
    put(int(rest / 60000 % 60), 2);
    *out++ = ':';
    put(int(rest / 1000 % 60), 2);
    *out++ = '.';
    put(int(rest % 1000), 3);
    *out = 'Z';
    return true;
}

constexpr int TimeTextLength = 24;

} // namespace

QString LogDatabase::fileName()
{
    return QStringLiteral("messages.db");
}

const QStringList &LogDatabase::columnNames()
{
    static const QStringList names = {
        QStringLiteral("id"),        QStringLiteral("itemtime"),  QStringLiteral("type"),
        QStringLiteral("module"),    QStringLiteral("flow"),      QStringLiteral("element"),
        QStringLiteral("file"),      QStringLiteral("operation"), QStringLiteral("argument"),
        QStringLiteral("ticket"),    QStringLiteral("user"),      QStringLiteral("folder"),
        QStringLiteral("outfolder"), QStringLiteral("outfile"),
    };
    return names;
}

QString LogDatabase::timeText(const QDateTime &time)
{
    char text[TimeTextLength];
    if (time.isValid() && formatTime(time, text)) {
        return QString::fromLatin1(text, TimeTextLength);
    }
    // ISODateWithMs of a UTC time is exactly "yyyy-MM-ddThh:mm:ss.zzzZ".
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime LogDatabase::timeFromText(QStringView text)
{
    // The readers parse one for every message they read: the usual form is read by hand.
    const auto digits = [text](int from, int count, int *value) {
        *value = 0;
        for (int i = from; i < from + count; ++i) {
            const char16_t c = text.at(i).unicode();
            if (c < u'0' || c > u'9') {
                return false;
            }
            *value = *value * 10 + (c - u'0');
        }
        return true;
    };
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    if (text.size() == TimeTextLength && text.at(4) == u'-' && text.at(7) == u'-'
        && text.at(10) == u'T' && text.at(13) == u':' && text.at(16) == u':' && text.at(19) == u'.'
        && text.at(23) == u'Z' && digits(0, 4, &year) && digits(5, 2, &month) && digits(8, 2, &day)
        && digits(11, 2, &hour) && digits(14, 2, &minute) && digits(17, 2, &second)
        && digits(20, 3, &millisecond)) {
        const QDate date(year, month, day);
        const QTime time(hour, minute, second, millisecond);
        if (date.isValid() && time.isValid()) {
            return QDateTime(date, time, Qt::UTC);
        }
    }
    return QDateTime::fromString(text.toString(), Qt::ISODateWithMs);
}

LogDatabase::LogDatabase() = default;

LogDatabase::~LogDatabase()
{
    close();
}

LogDatabase::Status LogDatabase::open(const QString &path, QString *errorMessage)
{
    close();
    m_path = QFileInfo(path).absoluteFilePath();
    const bool existed = QFileInfo::exists(m_path);
    Status status = checkFileHeader(errorMessage);
    if (status != Status::Ok) {
        return status;
    }

    const int opened =
        sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_database,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (opened != SQLITE_OK) {
        status = fail(tr("Cannot open the message database %1").arg(m_path), errorMessage);
    } else {
        sqlite3_busy_timeout(m_database, BusyTimeoutMs);
        status = prepareSchema(errorMessage);
    }
    if (status == Status::Ok) {
        QStringList placeholders;
        for (int i = 0; i < ValueColumns; ++i) {
            placeholders << QStringLiteral("?");
        }
        const QByteArray statement = QStringLiteral("INSERT INTO logmessages (%1) VALUES (%2)")
                                         .arg(columnNames().mid(1).join(QLatin1Char(',')),
                                              placeholders.join(QLatin1Char(',')))
                                         .toUtf8();
        if (sqlite3_prepare_v3(m_database, statement.constData(), int(statement.size()),
                               SQLITE_PREPARE_PERSISTENT, &m_insert, nullptr)
            != SQLITE_OK) {
            m_insert = nullptr;
            status = fail(tr("Cannot prepare writing messages"), errorMessage);
        }
    }
    if (status != Status::Ok) {
        close();
        // Do not leave behind an empty file that only this attempt created.
        if (!existed && QFileInfo(m_path).size() == 0) {
            QFile::remove(m_path);
        }
    }
    return status;
}

void LogDatabase::close()
{
    sqlite3_finalize(m_insert);
    m_insert = nullptr;
    sqlite3_close(m_database);
    m_database = nullptr;
}

LogDatabase::Status LogDatabase::write(const QList<LogRecord> &records, QString *errorMessage)
{
    if (!isOpen()) {
        if (errorMessage) {
            *errorMessage = tr("The message database is not open");
        }
        return Status::Failed;
    }
    // IMMEDIATE takes the write lock at once, so that a busy database is found before any row
    // is sent rather than at the first insert.
    if (!execute("BEGIN IMMEDIATE")) {
        return fail(tr("Cannot write to the message database %1").arg(m_path), errorMessage);
    }
    // Every field of a record is encoded into one buffer that lives until its row is stored.
    // Stateless: a lone surrogate at the end of one field must not run into the next.
    QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    QByteArray buffer;
    for (const LogRecord &record : records) {
        const std::array<const QString *, ValueColumns - 2> fields = {
            &record.module,    &record.flow,      &record.element, &record.file,
            &record.operation, &record.argument,  &record.ticket,  &record.user,
            &record.folder,    &record.outFolder, &record.outFile};
        const QString type = LogRecord::typeWord(record.level);
        qsizetype space = TimeTextLength + utf8.requiredSpace(type.size());
        for (const QString *field : fields) {
            space += utf8.requiredSpace(field->size());
        }
        if (buffer.size() < space) {
            buffer.resize(space);
        }
        char *const begin = buffer.data();
        std::array<qsizetype, ValueColumns + 1> offsets{};
        char *out = begin;
        if (formatTime(record.time, out)) {
            out += TimeTextLength;
        } else {
            out = utf8.appendToBuffer(out, timeText(record.time));
        }
        offsets[1] = out - begin;
        out = utf8.appendToBuffer(out, type);
        offsets[2] = out - begin;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            out = utf8.appendToBuffer(out, *fields[i]);
            offsets[i + 3] = out - begin;
        }
        for (int i = 0; i < ValueColumns; ++i) {
            // Empty fields are stored as '' rather than NULL, so that readers can compare
            // every column as text; the pointer is never null.
            sqlite3_bind_text(m_insert, i + 1, begin + offsets[i], int(offsets[i + 1] - offsets[i]),
                              SQLITE_STATIC);
        }
        const int stepped = sqlite3_step(m_insert);
        sqlite3_reset(m_insert);
        if (stepped != SQLITE_DONE) {
            const Status status =
                fail(tr("Cannot write to the message database %1").arg(m_path), errorMessage);
            execute("ROLLBACK");
            return status;
        }
    }
    if (!execute("COMMIT")) {
        const Status status =
            fail(tr("Cannot write to the message database %1").arg(m_path), errorMessage);
        execute("ROLLBACK");
        return status;
    }
    QString trimError;
    if (trim(&trimError) != Status::Ok) {
        // The messages are stored; the next write tries again.
        qCInfo(lcCoreLib).noquote() << trimError;
    }
    return Status::Ok;
}

void LogDatabase::setSizeLimit(qint64 bytes)
{
    m_sizeLimit = bytes;
}

qint64 LogDatabase::storedBytes() const
{
    qint64 pageSize = 0;
    qint64 pages = 0;
    qint64 freePages = 0;
    if (!m_database || !queryNumber("PRAGMA page_size", &pageSize)
        || !queryNumber("PRAGMA page_count", &pages)
        || !queryNumber("PRAGMA freelist_count", &freePages)) {
        return -1;
    }
    return pageSize * (pages - freePages);
}

LogDatabase::Status LogDatabase::trim(QString *errorMessage)
{
    for (int pass = 0; pass < MaxTrimPasses; ++pass) {
        const qint64 stored = storedBytes();
        if (stored < 0) {
            return fail(tr("Cannot read the size of the message database %1").arg(m_path),
                        errorMessage);
        }
        if (stored <= m_sizeLimit) {
            return Status::Ok;
        }
        qint64 oldest = 0;
        qint64 newest = 0;
        if (!queryNumber("SELECT min(id) FROM logmessages", &oldest)
            || !queryNumber("SELECT max(id) FROM logmessages", &newest)) {
            return fail(tr("Cannot read the message database %1").arg(m_path), errorMessage);
        }
        if (newest < oldest || newest == 0) {
            return Status::Ok; // no messages: the schema alone is over the limit
        }
        // Ids grow with the order of logging and are only removed from the oldest end, so the
        // id range stands for the messages stored.
        const qint64 target = m_sizeLimit / 100 * TrimTargetPercent;
        const qint64 span = newest - oldest + 1;
        // The newest message always stays.
        const qint64 removed =
            qMin(span - 1,
                 qMax<qint64>(1, qint64(double(span) * double(stored - target) / double(stored))));
        if (removed <= 0) {
            return Status::Ok;
        }
        const QByteArray statement =
            "DELETE FROM logmessages WHERE id < " + QByteArray::number(oldest + removed);
        if (!execute(statement.constData())) {
            return fail(tr("Cannot remove old messages from the message database %1").arg(m_path),
                        errorMessage);
        }
    }
    return Status::Ok;
}

bool LogDatabase::execute(const char *statement) const
{
    return sqlite3_exec(m_database, statement, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool LogDatabase::queryNumber(const char *statement, qint64 *value) const
{
    sqlite3_stmt *query = nullptr;
    bool ok = sqlite3_prepare_v2(m_database, statement, -1, &query, nullptr) == SQLITE_OK;
    const int stepped = ok ? sqlite3_step(query) : SQLITE_ERROR;
    ok = ok && (stepped == SQLITE_ROW || stepped == SQLITE_DONE);
    if (ok) {
        *value = stepped == SQLITE_ROW ? sqlite3_column_int64(query, 0) : 0;
    }
    sqlite3_finalize(query);
    return ok;
}

LogDatabase::Status LogDatabase::checkFileHeader(QString *errorMessage) const
{
    // Checked before SQLite sees the file: a foreign file is refused without being opened as a
    // database, even while another program holds a lock on it.
    const QFileInfo info(m_path);
    QString problem;
    if (info.isDir()) {
        problem = tr("%1 is a folder, not a message database").arg(m_path);
    } else if (info.exists() && info.size() > 0) {
        QFile file(m_path);
        static const QByteArray sqliteHeader("SQLite format 3", 16); // with its closing zero
        if (!file.open(QIODevice::ReadOnly)) {
            problem = tr("Cannot read the message database %1: %2").arg(m_path, file.errorString());
        } else if (file.read(sqliteHeader.size()) != sqliteHeader) {
            problem = tr("%1 is not an SQLite database").arg(m_path);
        }
    }
    if (problem.isEmpty()) {
        return Status::Ok;
    }
    if (errorMessage) {
        *errorMessage = problem;
    }
    return Status::Failed;
}

LogDatabase::Status LogDatabase::prepareSchema(QString *errorMessage)
{
    // Everything that only reads comes first, so that a file we refuse is never written.
    qint64 version = 0;
    if (!queryNumber("PRAGMA user_version", &version)) {
        return fail(tr("Cannot read the message database %1").arg(m_path), errorMessage);
    }
    if (version > SchemaVersion) {
        if (errorMessage) {
            *errorMessage = tr("The message database %1 has the schema version %2, which this "
                               "program does not know")
                                .arg(m_path)
                                .arg(version);
        }
        return Status::Failed;
    }
    qint64 tables = 0;
    if (!queryNumber("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                     "name = 'logmessages'",
                     &tables)) {
        return fail(tr("Cannot read the message database %1").arg(m_path), errorMessage);
    }
    const bool hasTable = tables > 0;
    if (hasTable) {
        sqlite3_stmt *query = nullptr;
        if (sqlite3_prepare_v2(m_database, "PRAGMA table_info(logmessages)", -1, &query, nullptr)
            != SQLITE_OK) {
            return fail(tr("Cannot read the message database %1").arg(m_path), errorMessage);
        }
        QStringList columns;
        int stepped = SQLITE_ROW;
        while ((stepped = sqlite3_step(query)) == SQLITE_ROW) {
            columns << QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(query, 1)));
        }
        sqlite3_finalize(query);
        if (stepped != SQLITE_DONE) {
            return fail(tr("Cannot read the message database %1").arg(m_path), errorMessage);
        }
        if (columns != columnNames()) {
            if (errorMessage) {
                *errorMessage = tr("The table logmessages of %1 has other columns than a message "
                                   "database")
                                    .arg(m_path);
            }
            return Status::Failed;
        }
    }

    // WAL lets readers on other connections see committed rows while this one writes.
    sqlite3_stmt *journal = nullptr;
    QString mode;
    if (sqlite3_prepare_v2(m_database, "PRAGMA journal_mode = WAL", -1, &journal, nullptr)
            == SQLITE_OK
        && sqlite3_step(journal) == SQLITE_ROW) {
        mode = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(journal, 0)));
    }
    sqlite3_finalize(journal);
    if (mode.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        if (mode.isEmpty()) {
            return fail(tr("Cannot switch the message database %1 to the WAL journal").arg(m_path),
                        errorMessage);
        }
        if (errorMessage) {
            *errorMessage =
                tr("Cannot switch the message database %1 to the WAL journal; it may be read-only")
                    .arg(m_path);
        }
        return Status::Failed;
    }
    // With WAL, NORMAL never corrupts the file; a power cut may only lose the last messages.
    execute("PRAGMA synchronous = NORMAL");

    if (!execute("BEGIN IMMEDIATE")) {
        return fail(tr("Cannot write to the message database %1").arg(m_path), errorMessage);
    }
    QStringList statements;
    if (!hasTable) {
        QStringList columns = {QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT")};
        for (int i = 1; i < columnNames().size(); ++i) {
            columns << columnNames().at(i) + QLatin1String(" TEXT NOT NULL DEFAULT ''");
        }
        statements << QStringLiteral("CREATE TABLE logmessages (%1)")
                          .arg(columns.join(QLatin1String(", ")));
    }
    // Written even when it is already set: it proves that the file is writable, which the
    // write lock alone does not (a read-only file in WAL mode grants it).
    statements << QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion);
    statements << QStringLiteral("COMMIT");
    for (const QString &statement : std::as_const(statements)) {
        if (!execute(statement.toUtf8().constData())) {
            const Status status =
                fail(tr("Cannot create the table logmessages in %1").arg(m_path), errorMessage);
            execute("ROLLBACK");
            return status;
        }
    }
    return Status::Ok;
}

LogDatabase::Status LogDatabase::fail(const QString &what, QString *errorMessage) const
{
    const int code = m_database ? sqlite3_errcode(m_database) : SQLITE_NOMEM;
    if (errorMessage) {
        const QString detail = m_database ? QString::fromUtf8(sqlite3_errmsg(m_database))
                                          : QString::fromLatin1(sqlite3_errstr(code));
        *errorMessage = detail.isEmpty() ? what : tr("%1: %2").arg(what, detail);
    }
    return code == SQLITE_BUSY || code == SQLITE_LOCKED ? Status::Busy : Status::Failed;
}

} // namespace SRCore
