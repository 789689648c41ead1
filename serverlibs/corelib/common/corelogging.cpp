#include "corelogging.h"

Q_LOGGING_CATEGORY(lcCoreLib, "tavrix.corelib", QtWarningMsg)
