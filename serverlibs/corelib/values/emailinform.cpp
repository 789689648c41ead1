#include "emailinform.h"

#include <QDebug>

namespace SRCore {

bool operator==(const EmailInform &left, const EmailInform &right)
{
    return left.recipients == right.recipients && left.subject == right.subject
           && left.body == right.body;
}

bool operator!=(const EmailInform &left, const EmailInform &right)
{
    return !(left == right);
}

QDebug operator<<(QDebug debug, const EmailInform &info)
{
    const QDebugStateSaver saver(debug);
    debug.nospace() << "EmailInform(" << info.recipients << ", " << info.subject << ", "
                    << info.body << ')';
    return debug;
}

} // namespace SRCore
