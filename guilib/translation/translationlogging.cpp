#include "translationlogging.h"

Q_LOGGING_CATEGORY(lcTranslation, "tavrix.guilib.translation", QtWarningMsg)
