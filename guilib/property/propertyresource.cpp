#include "propertyresource.h"

#include "propertylogging.h"

#include "corelib/common/xmldatareader.h"

namespace GuiLib {

bool PropertyResource::read(const QString &path, const QString &root,
                            const std::function<bool(SRCore::XmlDataReader &)> &readChild)
{
    QByteArray data;
    QString errorMessage;
    if (!SRCore::XmlDataReader::readFile(path, &data, &errorMessage)) {
        qCWarning(lcGuiLibProperty) << errorMessage;
        return false;
    }
    SRCore::XmlDataReader reader(data, SRCore::XmlDataReader::EncodedTexts::Refused);
    bool ok = reader.readRoot(root, 1);
    while (ok && reader.readNextChildElement()) {
        ok = readChild(reader);
    }
    if (!ok || reader.hasError() || !reader.finish()) {
        qCWarning(lcGuiLibProperty) << SRCore::XmlDataReader::describeError(path, reader.error());
        return false;
    }
    return true;
}

} // namespace GuiLib
