#include "scriptercore.h"

#include "corelib/env/compatibilitymanager.h"
#include "corelib/env/envmanager.h"
#include "corelib/logging/logmanager.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char **argv)
{
    const bool environmentReady = SRCore::EnvManager::initialize(
        QStringLiteral("ScripterCustomization.xml"), QStringLiteral("TavrixScripter"),
        QStringLiteral("TAVRIXscripter"), argv);
    SRCore::CompatibilityManager::initialise();
    SRCore::CompatibilityManager::getInstance()->ensureScripterCompatibility();

    QCoreApplication application(argc, argv);
    if (!environmentReady) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate(
                                    "main", "Scripter cannot start because of the OEM branding "
                                            "error!\n\n%1")
                                    .arg(SRCore::EnvManager::getLastError())));
        return 0;
    }
    application.setOrganizationName(SRCore::EnvManager::company());
    application.setOrganizationDomain(QStringLiteral("tavrix.com"));
    application.setApplicationName(SRCore::EnvManager::appName());

    // Until the main window exists, the program starts its core, reports where it keeps its
    // data, and stops again.
    const Scripter::ScripterCore core;
    std::printf(
        "%s\n",
        qPrintable(
            QCoreApplication::translate("main",
                                        "%1 core started.\n"
                                        "  data folder:      %2\n"
                                        "  message database: %3\n"
                                        "The main window is not part of this build yet; the "
                                        "core stops again.")
                .arg(SRCore::EnvManager::appName(),
                     QDir::toNativeSeparators(SRCore::EnvManager::applicationDataPath()),
                     QDir::toNativeSeparators(SRCore::LogManager::instance()->getDatabaseFile()))));
    return 0;
}
