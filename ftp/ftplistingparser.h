#pragma once

#include "ftpentry.h"

#include <QDateTime>
#include <QList>

#include <optional>

namespace TavrixCommon {

// Reads the lines of an FTP "LIST" reply in the two formats servers use: the Unix long format
// ("drwxr-xr-x 2 owner group 4096 Mar 5 14:02 name with spaces") and the MS-DOS one
// ("03-05-24  02:02PM  <DIR>  name"). Names are taken whole, with their spaces; a link's name
// stops before " -> ". Dates of the long format come as "MMM d hh:mm" (this year, or the last
// one for a date that would lie ahead) or "MMM d yyyy". Names are UTF-8.
class FtpListingParser
{
public:
    FtpListingParser() = delete;

    // The entries of a whole reply, without ".", ".." and names that begin with "._" (the
    // resource forks that some clients leave on servers), and without lines that are no entry
    // ("total 12"). `now` dates listings without a year.
    static QList<FtpEntry> parse(const QByteArray &reply, const QDateTime &now);
    // One line; nothing when it is no entry.
    static std::optional<FtpEntry> parseLine(const QString &line, const QDateTime &now);
};

} // namespace TavrixCommon
