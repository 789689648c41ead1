#include "logging.h"

#include "moduleloginterface.h"

namespace SRCore {

ILogInterface *Logging::instance()
{
    static ModuleLogInterface log(QStringLiteral("Scripter"));
    return &log;
}

} // namespace SRCore
