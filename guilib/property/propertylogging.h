#pragma once

#include <QLoggingCategory>

// Diagnostics of the property model, explorer and editors for developers
// ("tavrix.guilib.property"); users see refusals in the explorer and in message boxes instead.
Q_DECLARE_LOGGING_CATEGORY(lcGuiLibProperty)
