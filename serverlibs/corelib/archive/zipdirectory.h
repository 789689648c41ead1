#pragma once

#include <QCoreApplication>
#include <QString>

// Reads from a zip archive's central directory where each entry keeps its data, which libzip does
// not tell. A hostile archive can point many entries at the same data, or let one entry's data
// contain the next entry's header, so that a small file extracts to an enormous size (the
// "overlapping zip bomb"); archives that real tools write keep every entry's data apart.
class ZipDirectory
{
    Q_DECLARE_TR_FUNCTIONS(ZipDirectory)

public:
    ZipDirectory() = delete;

    // False, with a reason naming the entries, when two entries share or overlap their data, an
    // entry's data runs into the central directory, or the directory can't be read.
    static bool checkEntriesApart(const QString &archivePath, QString *reason);
};
