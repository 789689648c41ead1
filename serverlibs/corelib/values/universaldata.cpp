#include "universaldata.h"

#include <QDebug>

namespace SRCore {

bool operator==(const UniversalData &left, const UniversalData &right)
{
    return left.first == right.first && left.second == right.second && left.third == right.third;
}

bool operator!=(const UniversalData &left, const UniversalData &right)
{
    return !(left == right);
}

QDebug operator<<(QDebug debug, const UniversalData &data)
{
    const QDebugStateSaver saver(debug);
    debug.nospace() << "UniversalData(" << data.first << ", " << data.second << ", " << data.third
                    << ')';
    return debug;
}

} // namespace SRCore
