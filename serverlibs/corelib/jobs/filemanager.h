#pragma once

#include <QString>

namespace SRCore {

class CountManager;

// Names of job files and job tickets. A job file carries its job's unique prefix at the start
// of its name: "_", five upper-case base-36 digits, "_" (for example "_00001_report.pdf").
class FileManager
{
public:
    FileManager() = delete;

    // The unique prefix at the start of the last component of `fileName` (a name or a path);
    // empty when there is none.
    static QString getPrefix(const QString &fileName);
    // The last component of `fileName` without its unique prefix.
    static QString fileNameWithoutPrefix(const QString &fileName);
    // The prefix for job number `counter`: 1 gives "_00001_", 36 gives "_00010_". Empty when
    // the counter is negative or needs more than five digits (60466175 is the last).
    static QString uniqueNamePrefix(int counter);

    // Name of the ticket file of the job with `prefix`, inside the tickets folder (IJT::dir()).
    static QString ticketFileName(const QString &prefix);
    // Path of the ticket file of the job with `prefix`; empty when there is none.
    static QString getFileIJTByPrefix(const QString &prefix);

    // The counter of job arrival stamps that the program uses; not owned. Set at start-up.
    static void setCountManager(CountManager *manager);
    static CountManager *countManager();
};

} // namespace SRCore
