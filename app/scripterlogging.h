#pragma once

#include <QLoggingCategory>

// Diagnostics of the program's shell for developers; silent below warnings unless enabled.
Q_DECLARE_LOGGING_CATEGORY(lcScripter)
