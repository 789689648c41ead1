#include "packagelisting.h"

#include "scriptlanguages.h"

#include "package/packageprocessor.h"
#include "package/scriptpackage.h"

#include "corelib/common/xmlerror.h"
#include "corelib/files/fileautocleaner.h"
#include "corelib/files/filehandler.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace Scripter {

namespace XMLKey = SRCore::XMLKey;

bool PackageListing::read(const QString &packagePath, bool unarchived, QString *errorMessage)
{
    // The unarchived form holds its members in the marker's folder; an archive is unpacked
    // as the processor does it.
    QString folder = QFileInfo(packagePath).absolutePath();
    std::unique_ptr<SRCore::FileAutoCleaner> unpacked;
    if (!unarchived) {
        folder = SRCore::FileHandler::createTempFolderForFile(
            packagePath, QStringLiteral("tempPackageFolder"), errorMessage);
        if (folder.isEmpty()) {
            return false;
        }
        unpacked = std::make_unique<SRCore::FileAutoCleaner>(folder);
        if (!PackageProcessor::unpack(packagePath, folder, errorMessage)) {
            return false;
        }
    }
    ScriptPackage::Content content;
    SRCore::XmlError xmlError;
    if (!ScriptPackage::read(folder, packagePath, content, nullptr, errorMessage)
        || !m_manifest.loadFromFile(folder + QLatin1Char('/') + ScriptPackage::manifestFileName(),
                                    &xmlError)) {
        if (!xmlError.message.isEmpty() && errorMessage) {
            *errorMessage = xmlError.toString();
        }
        return false;
    }

    QFile file(content.declarationPath);
    QDomDocument declaration;
    if (!file.open(QIODevice::ReadOnly)
        || !SRCore::parseXmlDocument(file.readAll(), declaration, &xmlError)) {
        if (errorMessage) {
            *errorMessage =
                tr("Can't read '%1': %2")
                    .arg(declarationFileName(),
                         xmlError.message.isEmpty() ? file.errorString() : xmlError.toString());
        }
        return false;
    }
    const QDomElement fields =
        declaration.documentElement().firstChildElement(XMLKey::ELEMENTFIELDS);
    m_declaredFunctions.clear();
    for (const ScriptLanguages::Language &language : ScriptLanguages::all()) {
        const QDomElement field = fields.firstChildElement(language.functionsField);
        if (!field.isNull()) {
            m_declaredFunctions.insert(language.name,
                                       field.text().split(QLatin1Char(';'), Qt::SkipEmptyParts));
        }
    }
    return true;
}

bool PackageListing::isProtected() const
{
    return !m_manifest.field(XMLKey::SCRIPTERPASSWORD).isEmpty();
}

bool PackageListing::acceptsPassword(const QString &password) const
{
    return password == m_manifest.field(XMLKey::SCRIPTERPASSWORD);
}

QString PackageListing::declarationFileName() const
{
    return m_manifest.field(XMLKey::SCRIPTDECLARATIONFILE);
}

QString PackageListing::programFileName(const QString &language) const
{
    return m_manifest.scriptProgramFile(language);
}

QStringList PackageListing::declaredFunctions(const QString &language) const
{
    return m_declaredFunctions.value(language);
}

} // namespace Scripter
