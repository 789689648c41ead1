#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>

namespace TavrixCommon {

// One entry of an FTP folder listing.
struct FtpEntry
{
    QString name;
    bool isFolder = false;
    qint64 size = 0;
    // Invalid when the listing gave none that could be read.
    QDateTime lastModified;
};

} // namespace TavrixCommon

Q_DECLARE_METATYPE(TavrixCommon::FtpEntry)
