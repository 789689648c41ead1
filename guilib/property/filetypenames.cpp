#include "filetypenames.h"

#include "propertyresource.h"

#include "corelib/common/xmldatareader.h"
#include "corelib/vocabulary/xmlkey.h"

namespace GuiLib {

namespace {

namespace XMLKey = SRCore::XMLKey;

QStringList readNames()
{
    QStringList names;
    const bool read =
        PropertyResource::read(QStringLiteral(":/xml/xml_DefaultFileTypes.xml"), XMLKey::FILETYPES,
                               [&names](SRCore::XmlDataReader &reader) {
                                   if (reader.name() != XMLKey::FILETYPE) {
                                       return reader.raiseUnexpectedElement();
                                   }
                                   names.append(reader.attribute(XMLKey::NAME).toString());
                                   bool ok = true;
                                   while (ok && reader.readNextChildElement()) {
                                       QString pattern;
                                       ok = reader.readText(&pattern);
                                   }
                                   return ok;
                               });
    return read ? names : QStringList();
}

} // namespace

QStringList FileTypeNames::names()
{
    static const QStringList names = readNames();
    return names;
}

} // namespace GuiLib
