#include "testinglogging.h"

Q_LOGGING_CATEGORY(lcTesting, "tavrix.testing", QtWarningMsg)
