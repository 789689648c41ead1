#include "coreactions.h"

#include "helpmenuactions.h"
#include "scriptercore.h"
#include "settingskeys.h"

#include "package/packageprocessor.h"

#include "guilib/images/deferrediconengine.h"

#include "corelib/env/envmanager.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMenu>
#include <QSettings>

namespace Scripter {

namespace {

QIcon scripterIcon(const char *fileName)
{
    return GuiLib::DeferredIconEngine::icon(QStringLiteral(":/Images/Ui_scripter/")
                                            + QLatin1String(fileName));
}

} // namespace

CoreActions::CoreActions(ScripterCore *core)
    : m_core(core)
    , m_windowMenu(std::make_unique<QMenu>(tr("&Window")))
    , m_helpMenu(new HelpMenuActions(this))
{
    m_newAction = new QAction(scripterIcon("img_CreateNew.png"), tr("&New"), this);
    m_newAction->setShortcut(QKeySequence(tr("Ctrl+N")));
    m_newAction->setToolTip(tr("Opens a new empty script package"));
    connect(m_newAction, &QAction::triggered, this, &CoreActions::fileCreateNewClick);

    m_openAction = new QAction(scripterIcon("img_Open.png"), tr("&Open..."), this);
    m_openAction->setShortcut(QKeySequence(tr("Ctrl+O")));
    m_openAction->setToolTip(tr("Opens an existing script package"));
    connect(m_openAction, &QAction::triggered, this, &CoreActions::fileOpenClick);

    m_recentSeparator = new QAction(this);
    m_recentSeparator->setSeparator(true);
    for (int i = 0; i < MaxRecentPackages; ++i) {
        auto *action = new QAction(this);
        action->setVisible(false);
        connect(action, &QAction::triggered, this, &CoreActions::fileRecentFileClick);
        m_recentActions.append(action);
    }

    m_quitAction = new QAction(tr("&Quit %1").arg(SRCore::EnvManager::appName()), this);
    m_quitAction->setShortcut(QKeySequence(tr("Ctrl+Q")));
    // Every window asks its own closing questions; the program ends with the last one.
    connect(m_quitAction, &QAction::triggered, qApp, &QApplication::closeAllWindows);

    m_editStyleAction = new QAction(tr("Edit &Style..."), this);
    connect(m_editStyleAction, &QAction::triggered, this, &CoreActions::editStyleSheetClick);

    updateRecentFileActions();
}

CoreActions::~CoreActions() = default;

void CoreActions::addFileActions(QMenu *menu)
{
    QAction *first = menu->actions().value(0);
    menu->insertAction(first, m_newAction);
    menu->insertAction(first, m_openAction);
    menu->addAction(m_recentSeparator);
    menu->addActions(m_recentActions);
    menu->addSeparator();
    menu->addAction(m_quitAction);
    updateRecentFileActions();
}

void CoreActions::updateRecentFileActions()
{
    const QStringList packages = QSettings().value(SettingsKey::RecentPackagesList).toStringList();
    const int shown = qMin(packages.size(), int(MaxRecentPackages));
    for (int i = 0; i < MaxRecentPackages; ++i) {
        QAction *action = m_recentActions.at(i);
        if (i < shown) {
            action->setText(tr("&%1 %2").arg(i + 1).arg(packages.at(i)));
            action->setData(packages.at(i));
        }
        action->setVisible(i < shown);
    }
    m_recentSeparator->setVisible(shown > 0);
}

void CoreActions::fileCreateNewClick()
{
    m_core->packageProcessor()->newWindow();
}

void CoreActions::fileOpenClick()
{
    m_core->packageProcessor()->openDialog();
}

void CoreActions::fileRecentFileClick()
{
    if (const auto *action = qobject_cast<const QAction *>(sender())) {
        m_core->packageProcessor()->open(action->data().toString());
    }
}

void CoreActions::editStyleSheetClick()
{
    m_core->showStyleSheetEditor();
}

} // namespace Scripter
