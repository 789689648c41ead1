#include "supportliblogging.h"

Q_LOGGING_CATEGORY(lcSupportLib, "tavrix.supportlib", QtWarningMsg)
