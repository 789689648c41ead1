#include "cli/clitool.h"

#include "corelib/env/envmanager.h"

#include <QApplication>
#include <QTextStream>

#include <cstring>

namespace {

QtMessageHandler qtHandler = nullptr;

// Qt's own warnings (no runtime folder, fonts of the offscreen platform) would break the rule of
// one line per error on stderr; they pass only with --verbose, critical ones always.
void quietMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        qtHandler(type, context, message);
    }
}

// Read before the command line is parsed, which needs the application that Qt may warn about.
bool asksForVerbose(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--verbose") == 0 || std::strcmp(argv[i], "-v") == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (!asksForVerbose(argc, argv)) {
        qtHandler = qInstallMessageHandler(quietMessage);
    }
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
