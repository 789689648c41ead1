#include "packagelogging.h"

Q_LOGGING_CATEGORY(lcPackage, "tavrix.package", QtWarningMsg)
