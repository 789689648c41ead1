#pragma once

#include <QLoggingCategory>

// Diagnostics of the core library for developers ("tavrix.corelib"); users see messages through
// the message database instead.
Q_DECLARE_LOGGING_CATEGORY(lcCoreLib)
