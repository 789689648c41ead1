#include "helpmenuactions.h"

#include "corelib/env/envmanager.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

namespace Scripter {

HelpMenuActions::HelpMenuActions(QObject *parent)
    : QObject(parent)
    , m_menu(std::make_unique<QMenu>(tr("&Help")))
{
    m_aboutAction = m_menu->addAction(tr("&About %1").arg(SRCore::EnvManager::appName()));
    m_documentationAction = m_menu->addAction(tr("&Documentation"));
    m_documentationAction->setToolTip(tr("Opens the folder of the documentation pages"));
    connect(m_aboutAction, &QAction::triggered, this, &HelpMenuActions::showAbout);
    connect(m_documentationAction, &QAction::triggered, this, &HelpMenuActions::openDocumentation);
    connect(m_menu.get(), &QMenu::aboutToShow, this, &HelpMenuActions::updateActions);
    updateActions();
}

HelpMenuActions::~HelpMenuActions() = default;

QString HelpMenuActions::documentationFolder(const QString &applicationFolder)
{
    const QString programFolder =
        applicationFolder.isEmpty() ? QCoreApplication::applicationDirPath() : applicationFolder;
    const QStringList candidates = {
        programFolder + QStringLiteral("/docs"),
        programFolder + QStringLiteral("/../share/doc/tavrixscripter"),
    };
    for (const QString &candidate : candidates) {
        const QFileInfo info(candidate);
        if (info.isDir() && QFileInfo::exists(candidate + QStringLiteral("/README.md"))) {
            return QDir::cleanPath(info.absoluteFilePath());
        }
    }
    return QString();
}

QString HelpMenuActions::aboutText()
{
    return tr("<h3>%1 %2</h3>"
              "<p>A development environment for the script elements of the Tavrix workflow "
              "server: declare an element and its properties, write its program in JavaScript, "
              "VBScript or AppleScript, prepare a test fixture, and keep the work in script "
              "packages.</p>")
        .arg(SRCore::EnvManager::appName().toHtmlEscaped(),
             QCoreApplication::applicationVersion().toHtmlEscaped());
}

void HelpMenuActions::updateActions()
{
    m_documentationAction->setVisible(!documentationFolder().isEmpty());
}

void HelpMenuActions::showAbout()
{
    QMessageBox::about(dialogParent(), tr("About %1").arg(SRCore::EnvManager::appName()),
                       aboutText());
}

void HelpMenuActions::openDocumentation()
{
    const QString folder = documentationFolder();
    if (folder.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) {
        QMessageBox::information(
            dialogParent(), tr("Documentation"),
            folder.isEmpty()
                ? tr("The documentation is not installed beside the program.")
                : tr("No program is set up to open folders. The documentation is in\n%1")
                      .arg(QDir::toNativeSeparators(folder)));
    }
}

QWidget *HelpMenuActions::dialogParent()
{
    return QApplication::activeWindow();
}

} // namespace Scripter
