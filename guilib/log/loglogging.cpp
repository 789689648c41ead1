#include "loglogging.h"

Q_LOGGING_CATEGORY(lcGuiLibLog, "tavrix.guilib.log", QtWarningMsg)
