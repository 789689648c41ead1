#include "scripterlogging.h"

Q_LOGGING_CATEGORY(lcScripter, "tavrix.scripter", QtWarningMsg)
