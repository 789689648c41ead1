#include "clilogging.h"

Q_LOGGING_CATEGORY(lcCli, "tavrix.cli", QtWarningMsg)
