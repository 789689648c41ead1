#include "cli/clitool.h"

#include "corelib/env/envmanager.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    // The program's panels are widgets; the tool runs them where nobody sees them, with or
    // without a display, unless the user asks for a platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const bool environmentReady = SRCore::EnvManager::initialize(
        QStringLiteral("ScripterCustomization.xml"), QStringLiteral("TavrixScripter"),
        QStringLiteral("TAVRIXscripter"), argv);

    QApplication application(argc, argv);
    application.setOrganizationName(SRCore::EnvManager::company());
    application.setOrganizationDomain(QStringLiteral("tavrix.com"));
    // Its own settings: the tool must not change the program's recent packages or folders.
    application.setApplicationName(QStringLiteral("tavrixscripter-cli"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!environmentReady) {
        err << Scripter::CommandLine::programName() << ": "
            << QCoreApplication::translate("main", "the customization is not valid: %1")
                   .arg(SRCore::EnvManager::getLastError().replace(QLatin1Char('\n'),
                                                                   QLatin1Char(' ')))
            << Qt::endl;
        return Scripter::CliTool::Failure;
    }
    return Scripter::CliTool(out, err).run(application.arguments());
}
