#pragma once

#include <QString>

class QDebug;

namespace SRCore {

// One e-mail information entry of an e-mail info value (XMLValueProcessor). `recipients` is the
// address text as the user entered it (addresses separated by ";"). The value description that
// introduces an entry with "To:" calls `body` the entry's first text.
struct EmailInform
{
    QString recipients;
    QString subject;
    QString body;
};

bool operator==(const EmailInform &left, const EmailInform &right);
bool operator!=(const EmailInform &left, const EmailInform &right);
QDebug operator<<(QDebug debug, const EmailInform &info);

} // namespace SRCore
