#pragma once

#include <QCoreApplication>
#include <QString>

namespace SRCore {

// The program's environment: its name and company (which name the per-user data folder and
// the settings store) and the branding that an optional customization file in the program's
// folder applies (docs/customization.md).
//
// initialize() runs once at start-up, before the application object and before other threads
// exist; the accessors may then be used from any thread.
class EnvManager
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::EnvManager)

public:
    EnvManager() = delete;

    // Reads the customization file `customizationFileName` from the folder of the program
    // `argv[0]` when it is there. `appName` is the application name without customization;
    // `brandingName` is the product that a customization file must be made for. Without a
    // file the defaults apply. A malformed or invalid file returns false, leaves the defaults in
    // place and makes getLastError() name the file, the line, the column and the cause.
    static bool initialize(const QString &customizationFileName, const QString &appName,
                           const QString &brandingName, char **argv);
    static QString getLastError();

    static QString appName();
    static QString company();
    // The per-user data folder: the generic data location, then company, then application
    // name. Follows QStandardPaths::setTestModeEnabled(). Not created here.
    static QString applicationDataPath();
    // Absolute path of the customization's icon; empty when there is none.
    static QString getCustomIcon();
    // True when a customization file was found and applied.
    static bool isCustomizedTavrix();
};

} // namespace SRCore
