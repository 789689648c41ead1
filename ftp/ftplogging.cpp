#include "ftplogging.h"

Q_LOGGING_CATEGORY(lcFtp, "tavrix.ftp", QtWarningMsg)
