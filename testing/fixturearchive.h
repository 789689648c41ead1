#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>

namespace SRCore {
class Flow;
class ILogInterface;
} // namespace SRCore

namespace Scripter {

// The ".tfixture" archive (docs/fixture-file.md): a zip holding the fixture flow document and a
// "manifest.xml" that names it. Knows nothing of the fixture tree, so that the package processor
// can read the fixture of a package for a test run as well.
//
// Temporary files live in folders under SRCore::FileHandler::tempFolder() that are removed
// before either operation returns, whatever its outcome.
class FixtureArchive
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::FixtureArchive)

public:
    FixtureArchive() = delete;

    // What read() found. Filled as far as reading got, so that a failure can still name the
    // fixture file that the manifest gave.
    struct Content
    {
        QString instanceName;    // the element name the fixture was saved for
        QString formatVersion;   // "1.0" for what write() makes
        QString fixtureFileName; // as the manifest names it; empty when the manifest was unread
        std::unique_ptr<SRCore::Flow> flow; // the fixture flow document; null on failure
    };

    // The name of the fixture document inside the archive: the archive's base name + ".xml".
    static QString fixtureFileName(const QString &archivePath);

    // Writes `fixture` and a manifest naming `instanceName` as the archive `archivePath`. The
    // archive is made aside and replaces `archivePath` only once it is complete, so a failure
    // leaves a previous archive as it was.
    static bool write(const QString &archivePath, const QString &instanceName,
                      const SRCore::Flow &fixture, QString *errorMessage = nullptr);

    // Reads the archive at `archivePath` into `content`. Parse errors of the manifest and of the
    // fixture document also go to `log` (when given) as level-3 messages with the archive path,
    // line, column and reason, because the user needs the position to repair the file.
    static bool read(const QString &archivePath, Content &content,
                     SRCore::ILogInterface *log = nullptr, QString *errorMessage = nullptr);
};

} // namespace Scripter
