#include "localizemanager.h"

#include "logrecord.h"

#include <QCoreApplication>
#include <QStringList>

namespace SRCore {

namespace {

// The part number of the marker "%1<digit>" that starts at `position`, or 0 for plain "%1".
int partNumberAt(const QString &text, qsizetype position)
{
    const qsizetype digit = position + 2;
    if (digit < text.size() && text.at(digit) >= QLatin1Char('1')
        && text.at(digit) <= QLatin1Char('9')) {
        return text.at(digit).digitValue();
    }
    return 0;
}

} // namespace

QString LocalizeManager::getMessage(const LogRecord &record)
{
    const QByteArray source = record.operation.toUtf8();
    const QString text = QCoreApplication::translate("LogMessages", source.constData());
    const QLatin1String marker("%1");

    int highestPart = 0;
    for (qsizetype i = text.indexOf(marker); i >= 0; i = text.indexOf(marker, i + 1)) {
        highestPart = qMax(highestPart, partNumberAt(text, i));
    }
    if (highestPart == 0 && !text.contains(marker)) {
        return text;
    }
    QStringList parts;
    if (highestPart > 0) {
        parts = record.argument.split(QLatin1Char(','));
        if (parts.size() > highestPart) {
            const QString rest = parts.mid(highestPart - 1).join(QLatin1Char(','));
            parts.resize(highestPart - 1);
            parts << rest;
        }
    }

    // One pass from left to right: the two-digit markers are recognised before "%1", and
    // inserted text is never scanned again.
    QString message;
    message.reserve(text.size() + record.argument.size());
    qsizetype done = 0;
    for (qsizetype i = text.indexOf(marker); i >= 0; i = text.indexOf(marker, done)) {
        message += QStringView(text).mid(done, i - done);
        const int part = partNumberAt(text, i);
        if (part > 0) {
            message += parts.value(part - 1);
            done = i + 3;
        } else {
            message += record.argument;
            done = i + 2;
        }
    }
    message += QStringView(text).mid(done);
    return message;
}

} // namespace SRCore
