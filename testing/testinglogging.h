#pragma once

#include <QLoggingCategory>

// Diagnostics of the fixture and the test runs for developers ("tavrix.testing"); users see
// messages through the message pane instead.
Q_DECLARE_LOGGING_CATEGORY(lcTesting)
