#pragma once

#include "guilib/log/basicmessagepane.h"

class QAction;

namespace Scripter {

// The message pane of a main window, on the message database that the core library's log manager
// writes. The window connects its "&Clear log messages" and "&Export log messages..." actions to
// clearMessages() and exportMessages() and hands them to the pane for the table's context menu.
class ScripterMessagePane : public GuiLib::BasicMessagePane
{
    Q_OBJECT
    Q_DISABLE_COPY(ScripterMessagePane)

public:
    explicit ScripterMessagePane(const QString &databaseFile, QWidget *parent = nullptr);
    ~ScripterMessagePane() override;

    // The actions are the window's; the pane does not own them.
    void setClearMessagesAction(QAction *action);
    void setExportMessagesAction(QAction *action);

public slots:
    // Deletes every message of the database.
    void clearMessages();
    // Asks for a file and writes the shown messages into it. The name gets ".xml" appended
    // when it does not end with it; the folder of the last export is offered next time.
    void exportMessages();
};

} // namespace Scripter
