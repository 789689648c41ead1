#pragma once

#include <QLoggingCategory>

// Diagnostics of the message pane classes ("tavrix.guilib.log"); users see the pane's status
// line instead.
Q_DECLARE_LOGGING_CATEGORY(lcGuiLibLog)
