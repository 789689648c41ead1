#include "entrypointitem.h"

#include "entrypoints.h"

#include "guilib/images/deferrediconengine.h"

#include <QAction>

namespace Scripter {

EntryPointItem::EntryPointItem(const QString &name, const QString &functionName,
                               const QString &icon, const QString &scriptTest,
                               const QString &toolTip, bool jobDependent, QObject *actionParent)
    : QStandardItem(GuiLib::DeferredIconEngine::icon(icon), QString(name).remove(QLatin1Char('&')))
    , m_action(new QAction(QStandardItem::icon(), name, actionParent))
    , m_functionName(functionName)
    , m_jobDependent(jobDependent)
{
    setToolTip(toolTip);
    setEditable(false);
    m_action->setToolTip(toolTip.isEmpty() ? text() : toolTip);
    bool numbered = false;
    const int number = scriptTest.toInt(&numbered);
    if (numbered) {
        m_action->setData(number);
    }
}

EntryPointItem::~EntryPointItem() = default;

int EntryPointItem::entryPoint() const
{
    bool numbered = false;
    const int number = m_action->data().toInt(&numbered);
    return numbered ? number : int(EntryPoints::Count);
}

void EntryPointItem::showDefined(bool defined)
{
    setIcon(defined ? m_action->icon()
                    : GuiLib::DeferredIconEngine::icon(
                        QStringLiteral(":/Images/Ui_scripter/img_Unchecked.png")));
}

} // namespace Scripter
