#include "scriptercore.h"
#include "scripterlogging.h"
#include "singleapplication.h"

#include "package/ipackagewindow.h"
#include "package/packageprocessor.h"

#include "guilib/images/deferrediconengine.h"
#include "guilib/translation/translationloader.h"
#include "qsa/config.h"

#include "corelib/env/compatibilitymanager.h"
#include "corelib/env/envmanager.h"

#include <QIcon>
#include <QMessageBox>
#include <QMutex>
#include <QStringList>
#include <QWaitCondition>
#include <QWidget>

#include <memory>

namespace {

constexpr int MessageTimeoutMs = 5000;
// Gives the running instance time to prepare for the files that follow the start message.
constexpr unsigned long ImportPauseMs = 1000;

// Hands the command line to the running instance: the start message, the arguments (the
// program path included) joined by the separator, and the end message, each only after the
// previous one was delivered.
void sendImportSequence(Scripter::SingleApplication &application, const QString &importMessage)
{
    if (!application.sendMessage(QStringLiteral("message.startimportsequence"), MessageTimeoutMs)) {
        return;
    }
    {
        QMutex mutex;
        QWaitCondition pause;
        const QMutexLocker locker(&mutex);
        pause.wait(&mutex, ImportPauseMs);
    }
    if (!application.sendMessage(importMessage, MessageTimeoutMs)) {
        return;
    }
    application.sendMessage(QStringLiteral("message.endimportsequence"), MessageTimeoutMs);
}

} // namespace

int main(int argc, char **argv)
{
    const bool environmentReady = SRCore::EnvManager::initialize(
        QStringLiteral("ScripterCustomization.xml"), QStringLiteral("TavrixScripter"),
        QStringLiteral("TAVRIXscripter"), argv);
    SRCore::CompatibilityManager::initialise();
    SRCore::CompatibilityManager::getInstance()->ensureScripterCompatibility();
    Scripter::ScripterCore::setStartingUp(true);

    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const QString importMessage = arguments.join(Scripter::ScripterCore::importSeparator());

    Scripter::SingleApplication application(QStringLiteral("TavrixScripter"), argc, argv);
    if (!environmentReady) {
        QMessageBox::critical(
            nullptr, QCoreApplication::translate("main", "Initialization Error"),
            QCoreApplication::translate(
                "main", "Scripter cannot start because of the OEM branding error!\n\n%1")
                .arg(SRCore::EnvManager::getLastError()));
        return 0;
    }
    QApplication::setOrganizationName(SRCore::EnvManager::company());
    QApplication::setOrganizationDomain(QStringLiteral("tavrix.com"));
    QApplication::setApplicationName(SRCore::EnvManager::appName());
    QApplication::setApplicationVersion(QStringLiteral(TAVRIX_VERSION));
    const QString customIcon = SRCore::EnvManager::getCustomIcon();
    const QIcon icon = GuiLib::DeferredIconEngine::icon(
        customIcon.isEmpty() ? QStringLiteral(":/Images/Ui_scripter/img_App.png") : customIcon);
    if (!icon.isNull()) {
        QApplication::setWindowIcon(icon);
    }

    GuiLib::TranslationLoader translations;
    std::unique_ptr<Scripter::ScripterCore> core;
    const bool anotherInstance = application.isRunning();
    if (!anotherInstance) {
        QString problems;
        if (!translations.load(
                QStringLiteral("PowerTavrix"), QStringLiteral("09"), Config::language(),
                {QStringLiteral("Common*.qm"), QStringLiteral("GuiCommon*.qm"),
                 QStringLiteral("Scripter*.qm"), QStringLiteral("Extra*.qm")},
                SRCore::EnvManager::isCustomizedTavrix(), QString(), QString(), &problems)) {
            qCWarning(lcScripter) << "Translations:" << problems;
        }
        core = std::make_unique<Scripter::ScripterCore>();
        QObject::connect(&application, &Scripter::SingleApplication::messageReceived, core.get(),
                         &Scripter::ScripterCore::processMessage);
    }

    if (argc == 1 && application.sendMessage(QStringLiteral("act"), MessageTimeoutMs)) {
        return 0;
    }
    if (anotherInstance) {
        if (argc > 1) {
            sendImportSequence(application, importMessage);
        }
        return 0;
    }
    if (application.sendMessage(QStringLiteral("ctrl"), MessageTimeoutMs)) {
        return 0;
    }

    application.initialize(true);

    Scripter::PackageProcessor *processor = core->packageProcessor();
    if (Scripter::IPackageWindow *first = processor->windows().value(0)) {
        first->widget()->show();
        if (argc > 1) {
            processor->open(arguments.at(1), first);
        }
    }
    QObject::connect(&application, &QApplication::lastWindowClosed, &application,
                     &QApplication::quit);

    Scripter::ScripterCore::setStartingUp(false);
    core->processMessage(QStringLiteral("PerformImportingDummy"));

    const int result = QApplication::exec();
    // The closed windows were scheduled for deletion; they go while the core still runs.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    core.reset();
    return result;
}
