#pragma once

#include <QLoggingCategory>

// Diagnostics of the declaration and package code for developers ("tavrix.package"); users see
// messages through the message pane instead.
Q_DECLARE_LOGGING_CATEGORY(lcPackage)
