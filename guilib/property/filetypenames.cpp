#include "filetypenames.h"

#include "propertylogging.h"

#include "corelib/common/xmldatareader.h"
#include "corelib/vocabulary/xmlkey.h"

namespace GuiLib {

namespace {

namespace XMLKey = SRCore::XMLKey;

QStringList readNames()
{
    const QString path = QStringLiteral(":/xml/xml_DefaultFileTypes.xml");
    QByteArray data;
    QString errorMessage;
    if (!SRCore::XmlDataReader::readFile(path, &data, &errorMessage)) {
        qCWarning(lcGuiLibProperty) << errorMessage;
        return {};
    }
    SRCore::XmlDataReader reader(data, SRCore::XmlDataReader::EncodedTexts::Refused);
    QStringList names;
    bool ok = reader.readRoot(XMLKey::FILETYPES, 1);
    while (ok && reader.readNextChildElement()) {
        ok = reader.name() == XMLKey::FILETYPE || reader.raiseUnexpectedElement();
        if (ok) {
            names.append(reader.attribute(XMLKey::NAME).toString());
        }
        while (ok && reader.readNextChildElement()) {
            QString pattern;
            ok = reader.readText(&pattern);
        }
    }
    if (!ok || reader.hasError() || !reader.finish()) {
        qCWarning(lcGuiLibProperty) << SRCore::XmlDataReader::describeError(path, reader.error());
        return {};
    }
    return names;
}

} // namespace

QStringList FileTypeNames::names()
{
    static const QStringList names = readNames();
    return names;
}

} // namespace GuiLib
