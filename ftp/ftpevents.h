#pragma once

#include "ftpmanager.h"

#include <QEvent>

namespace TavrixSupportTools {

// The requests that FtpIPworks posts to its listener on the FTP worker thread, one event type
// each. They carry their arguments; the listener answers each with commandFinished().
enum FtpEventType {
    FtpConnectEventType = 1020,
    FtpLoginEventType = 1021,
    FtpSetPassiveEventType = 1022,
    FtpListEventType = 1023,
    FtpCdEventType = 1024,
    FtpSetTransferBinaryEventType = 1025,
};

class FtpConnectEvent : public QEvent
{
public:
    explicit FtpConnectEvent(const TavrixCommon::FtpConnectionSettings &settings)
        : QEvent(QEvent::Type(FtpConnectEventType))
        , settings(settings)
    {}
    const TavrixCommon::FtpConnectionSettings settings;
};

class FtpLoginEvent : public QEvent
{
public:
    FtpLoginEvent(const QString &user, const QString &password)
        : QEvent(QEvent::Type(FtpLoginEventType))
        , user(user)
        , password(password)
    {}
    const QString user;
    const QString password;
};

// Passive mode or binary transfer, by the event's type.
class FtpFlagEvent : public QEvent
{
public:
    FtpFlagEvent(FtpEventType type, bool flag)
        : QEvent(QEvent::Type(type))
        , flag(flag)
    {}
    const bool flag;
};

class FtpCdEvent : public QEvent
{
public:
    explicit FtpCdEvent(const QString &path)
        : QEvent(QEvent::Type(FtpCdEventType))
        , path(path)
    {}
    const QString path;
};

class FtpListEvent : public QEvent
{
public:
    FtpListEvent()
        : QEvent(QEvent::Type(FtpListEventType))
    {}
};

} // namespace TavrixSupportTools
