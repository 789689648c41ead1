#pragma once

#include <QLoggingCategory>

// Diagnostics of the FTP client for developers ("tavrix.ftp"); users see failures in the FTP
// dialog's log.
Q_DECLARE_LOGGING_CATEGORY(lcFtp)
