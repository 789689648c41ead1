#pragma once

#include <QLoggingCategory>

// Which catalogues were found and installed; silent unless enabled.
Q_DECLARE_LOGGING_CATEGORY(lcTranslation)
