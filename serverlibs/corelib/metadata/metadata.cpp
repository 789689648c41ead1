#include "metadata.h"

#include <QFileInfo>

namespace SRCore {

Metadata::~Metadata() = default;

QString Metadata::notQueryableMessage() const
{
    return tr("A dataset of the model %1 holds no XML that an XPath could query").arg(getModel());
}

QString Metadata::backingFileProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return tr("The metadata backing file '%1' does not exist").arg(path);
    }
    if (info.isDir()) {
        return tr("'%1' is a folder, not a metadata backing file").arg(path);
    }
    return QString();
}

XPathResult<QString> Metadata::evalToString(const QString &, const QString &) const
{
    return {QString(), notQueryableMessage()};
}

XPathResult<double> Metadata::evalToNumber(const QString &, const QString &) const
{
    return {0.0, notQueryableMessage()};
}

XPathResult<bool> Metadata::evalToBoolean(const QString &, const QString &) const
{
    return {false, notQueryableMessage()};
}

XPathResult<QStringList> Metadata::evalToStrings(const QString &, const QString &) const
{
    return {QStringList(), notQueryableMessage()};
}

} // namespace SRCore
