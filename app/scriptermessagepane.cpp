#include "scriptermessagepane.h"

#include "guilib/log/logtableview.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>

namespace Scripter {

ScripterMessagePane::ScripterMessagePane(const QString &databaseFile, QWidget *parent)
    : GuiLib::BasicMessagePane(databaseFile, parent)
{}

ScripterMessagePane::~ScripterMessagePane() = default;

void ScripterMessagePane::setClearMessagesAction(QAction *action)
{
    tableView()->setClearAction(action);
}

void ScripterMessagePane::setExportMessagesAction(QAction *action)
{
    tableView()->setExportAction(action);
}

void ScripterMessagePane::clearMessages()
{
    // The database is shared by every window and by the command-line tool: nothing of it is
    // deleted without asking.
    QMessageBox box(QMessageBox::Question, tr("Clear log messages"),
                    tr("Delete every log message?\nThis clears the messages of all windows and of "
                       "the command-line tool; it can't be undone."),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes) {
        return;
    }
    removeAllMessages();
}

void ScripterMessagePane::exportMessages()
{
    const QString pathKey = settingsKey(QStringLiteral("ExportPath"));
    QFileDialog dialog(this, tr("Export log messages"), QSettings().value(pathKey).toString(),
                       tr("Tavrix logs") + QLatin1String(" (*.xml)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    QString fileName = dialog.selectedFiles().constFirst();
    if (!fileName.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive)) {
        fileName += QLatin1String(".xml");
    }
    QString error;
    if (!exportShownMessages(fileName, &error)) {
        QMessageBox::warning(this, tr("Export log messages"),
                             tr("The log messages cannot be exported to %1:\n%2")
                                 .arg(QDir::toNativeSeparators(fileName), error));
        return;
    }
    QSettings().setValue(pathKey, fileName);
}

} // namespace Scripter
