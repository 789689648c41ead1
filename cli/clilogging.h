#pragma once

#include <QLoggingCategory>

// Diagnostics of the command-line tool for developers ("tavrix.cli"); users read the tool's
// one-line messages on stderr instead.
Q_DECLARE_LOGGING_CATEGORY(lcCli)
