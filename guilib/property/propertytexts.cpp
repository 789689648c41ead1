#include "propertytexts.h"

#include <QCoreApplication>

namespace GuiLib {

QString translatePropertyText(const char *context, const QString &text)
{
    QString source = text;
    source.remove(QLatin1Char('\r'));
    return QCoreApplication::translate(context, source.toUtf8().constData());
}

} // namespace GuiLib
