#pragma once

#include <QLoggingCategory>

// Diagnostics of the scripting objects for developers ("tavrix.supportlib"); users see the
// messages of scripts through the message database instead.
Q_DECLARE_LOGGING_CATEGORY(lcSupportLib)
