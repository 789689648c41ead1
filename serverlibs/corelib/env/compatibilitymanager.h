#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>

namespace SRCore {

// Makes sure that the per-user data folder can be used by this version of the program. The
// folder records its layout version in "DataLayout.xml" (docs/counters.md); a folder laid out
// by a newer version is refused rather than changed under that version's feet.
class CompatibilityManager
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::CompatibilityManager)

public:
    // The layout of the data folder that this version writes.
    static constexpr int kLayoutVersion = 1;

    // Checks `dataFolder` (absolute path).
    explicit CompatibilityManager(const QString &dataFolder);

    CompatibilityManager(const CompatibilityManager &) = delete;
    CompatibilityManager &operator=(const CompatibilityManager &) = delete;

    // Creates the process-wide instance for EnvManager::applicationDataPath(); call it once
    // after EnvManager::initialize(). A second call keeps the first instance.
    static void initialise();
    // The instance made by initialise(); null before.
    static CompatibilityManager *getInstance();

    QString dataFolder() const { return m_dataFolder; }

    // Creates the data folder when it is missing, checks that it is writable and records the
    // layout version when none is recorded. False, with the reason, when the folder can't be
    // created or written, when its layout file is damaged, or when a newer version laid it
    // out; the layout file is then left as it is.
    bool ensureScripterCompatibility(QString *errorMessage = nullptr);

private:
    QString m_dataFolder;
};

} // namespace SRCore
