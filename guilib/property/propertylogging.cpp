#include "propertylogging.h"

Q_LOGGING_CATEGORY(lcGuiLibProperty, "tavrix.guilib.property", QtWarningMsg)
