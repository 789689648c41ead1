#include "ftplistingparser.h"

#include <QLocale>
#include <QRegularExpression>

namespace TavrixCommon {

namespace {

// permissions, links, owner, group, size, month, day, year or time, name
const QRegularExpression &unixLine()
{
    static const QRegularExpression expression(
        QStringLiteral(R"(^([\-dlbcps])[\-rwxsStTl+.@]{9}\S*\s+\d+\s+\S+\s+(?:\S+\s+)?(\d+)\s+)"
                       R"((\w{3})\s+(\d{1,2})\s+(\d{1,2}:\d{2}|\d{4})\s(.+)$)"));
    return expression;
}

// date, time, size or <DIR>, name
const QRegularExpression &dosLine()
{
    static const QRegularExpression expression(QStringLiteral(
        R"(^(\d{2}-\d{2}-\d{2,4})\s+(\d{1,2}:\d{2}[AaPp][Mm])\s+(<DIR>|\d+)\s+(.+)$)"));
    return expression;
}

QDateTime unixDate(const QString &month, const QString &day, const QString &yearOrTime,
                   const QDateTime &now)
{
    const QLocale c = QLocale::c();
    if (yearOrTime.contains(QLatin1Char(':'))) {
        const QString text = month + QLatin1Char(' ') + day + QLatin1Char(' ') + yearOrTime;
        QDateTime date = c.toDateTime(text + QLatin1Char(' ') + QString::number(now.date().year()),
                                      QStringLiteral("MMM d hh:mm yyyy"));
        // Listings give the time instead of the year for the last six months only.
        if (date.isValid() && date > now.addDays(1)) {
            date = date.addYears(-1);
        }
        return date;
    }
    return c.toDateTime(month + QLatin1Char(' ') + day + QLatin1Char(' ') + yearOrTime,
                        QStringLiteral("MMM d yyyy"));
}

QDateTime dosDate(const QString &date, const QString &time)
{
    const QLocale c = QLocale::c();
    const QString format = date.size() == 8 ? QStringLiteral("MM-dd-yy hh:mmAP")
                                            : QStringLiteral("MM-dd-yyyy hh:mmAP");
    QDateTime result = c.toDateTime(date + QLatin1Char(' ') + time.toUpper(), format);
    // Two-digit years name this century.
    if (result.isValid() && result.date().year() < 1970) {
        result = result.addYears(100);
    }
    return result;
}

bool isListed(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.startsWith(QLatin1String("._"));
}

} // namespace

std::optional<FtpEntry> FtpListingParser::parseLine(const QString &line, const QDateTime &now)
{
    FtpEntry entry;
    if (const QRegularExpressionMatch match = unixLine().match(line); match.hasMatch()) {
        const QChar kind = match.captured(1).at(0);
        entry.isFolder = kind == QLatin1Char('d') || kind == QLatin1Char('l');
        entry.size = match.captured(2).toLongLong();
        entry.lastModified = unixDate(match.captured(3), match.captured(4), match.captured(5), now);
        entry.name = match.captured(6);
        if (kind == QLatin1Char('l')) {
            entry.name = entry.name.section(QStringLiteral(" -> "), 0, 0);
        }
    } else if (const QRegularExpressionMatch dos = dosLine().match(line); dos.hasMatch()) {
        entry.isFolder = dos.captured(3) == QLatin1String("<DIR>");
        entry.size = entry.isFolder ? 0 : dos.captured(3).toLongLong();
        entry.lastModified = dosDate(dos.captured(1), dos.captured(2));
        entry.name = dos.captured(4);
    } else {
        return std::nullopt;
    }
    return entry;
}

QList<FtpEntry> FtpListingParser::parse(const QByteArray &reply, const QDateTime &now)
{
    QList<FtpEntry> entries;
    for (QByteArray line : reply.split('\n')) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        const std::optional<FtpEntry> entry = parseLine(QString::fromUtf8(line), now);
        if (entry && isListed(entry->name)) {
            entries.append(*entry);
        }
    }
    return entries;
}

} // namespace TavrixCommon
