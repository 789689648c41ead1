#include "cli/clilogging.h"
#include "cli/clitool.h"

#include "guilib/translation/translationloader.h"
#include "qsa/config.h"

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

// The program's catalogues in the language of the preferences of the settings in use, loaded as
// the program loads them, so that the tool's texts read as the program's do ("1 file", not
// "1 file(s)").
void loadProgramTranslations(GuiLib::TranslationLoader &translations)
{
    QString problems;
    if (!translations.load(QStringLiteral("PowerTavrix"), QStringLiteral("09"), Config::language(),
                           {QStringLiteral("Common*.qm"), QStringLiteral("GuiCommon*.qm"),
                            QStringLiteral("Scripter*.qm"), QStringLiteral("Extra*.qm")},
                           SRCore::EnvManager::isCustomizedTavrix(), QString(), QString(),
                           &problems)) {
        qCWarning(lcCli) << "Translations:" << problems;
    }
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
    // The program's settings, for the language its preferences name; then the tool's own: the
    // tool must not change the program's recent packages or folders.
    application.setApplicationName(SRCore::EnvManager::appName());
    GuiLib::TranslationLoader translations;
    loadProgramTranslations(translations);
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
