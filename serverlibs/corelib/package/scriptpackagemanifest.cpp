#include "scriptpackagemanifest.h"

#include "corelib/common/corelogging.h"
#include "corelib/common/textexcerpt.h"
#include "corelib/common/validation.h"
#include "corelib/common/xmldatareader.h"
#include "corelib/common/xmlerror.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QByteArray>
#include <QDomDocument>

namespace SRCore {

namespace {

bool fail(QString *errorMessage, const QString &message)
{
    qCWarning(lcCoreLib).noquote() << message;
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

bool isScriptLanguage(const QString &language)
{
    return language == XMLValues::JAVASCRIPT || language == XMLValues::VBSCRIPT
           || language == XMLValues::APPLESCRIPT;
}

// Empty when `text` can be stored, else why not.
QString unstorableText(const QString &what, const QString &text)
{
    qsizetype position = 0;
    if (Validation::isValidXmlText(text, &position)) {
        return QString();
    }
    return ScriptPackageManifest::tr("%1 holds a character that XML cannot store (U+%2 at "
                                     "position %3)")
        .arg(what)
        .arg(QStringLiteral("%1")
                 .arg(text.at(position).unicode(), 4, 16, QLatin1Char('0'))
                 .toUpper())
        .arg(position + 1);
}

} // namespace

qsizetype ScriptPackageManifest::indexOf(const QString &key) const
{
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).key == key) {
            return i;
        }
    }
    return -1;
}

QString ScriptPackageManifest::fieldError(const QString &key, const QString &value) const
{
    if (key == XMLKey::SCRIPTPROGRAMFILES) {
        return tr("Program files are added one by one, not set as a field");
    }
    if (!Validation::isValidXmlName(key)) {
        return tr("'%1' cannot be the name of a manifest field").arg(key);
    }
    return unstorableText(tr("The manifest field '%1'").arg(key), value);
}

void ScriptPackageManifest::storeField(const QString &key, const QString &value)
{
    const qsizetype index = indexOf(key);
    if (index < 0) {
        m_fields.append(Field{key, value});
    } else {
        m_fields[index].value = value;
    }
}

bool ScriptPackageManifest::setField(const QString &key, const QString &value,
                                     QString *errorMessage)
{
    const QString error = fieldError(key, value);
    if (!error.isEmpty()) {
        return fail(errorMessage, error);
    }
    storeField(key, value);
    return true;
}

QString ScriptPackageManifest::field(const QString &key) const
{
    const qsizetype index = indexOf(key);
    return index < 0 ? QString() : m_fields.at(index).value;
}

bool ScriptPackageManifest::hasField(const QString &key) const
{
    return indexOf(key) >= 0;
}

QStringList ScriptPackageManifest::fieldKeys() const
{
    QStringList keys;
    keys.reserve(m_fields.size());
    for (const Field &field : m_fields) {
        keys.append(field.key);
    }
    return keys;
}

QString ScriptPackageManifest::programFileError(const QString &language,
                                                const QString &fileName) const
{
    if (!isScriptLanguage(language)) {
        return tr("'%1' is not a script language").arg(language);
    }
    if (!scriptProgramFile(language).isNull()) {
        return tr("The %1 program file is already listed").arg(language);
    }
    if (fileName.isEmpty()) {
        return tr("The %1 program file has no name").arg(language);
    }
    return unstorableText(tr("The name of the %1 program file").arg(language), fileName);
}

void ScriptPackageManifest::storeProgramFile(const QString &language, const QString &fileName)
{
    if (indexOf(XMLKey::SCRIPTPROGRAMFILES) < 0) {
        m_fields.append(Field{XMLKey::SCRIPTPROGRAMFILES, QString()});
    }
    m_programFiles.append(ProgramFile{language, fileName});
}

bool ScriptPackageManifest::addScriptProgramFiles(const QString &language, const QString &fileName,
                                                  QString *errorMessage)
{
    const QString error = programFileError(language, fileName);
    if (!error.isEmpty()) {
        return fail(errorMessage, error);
    }
    storeProgramFile(language, fileName);
    return true;
}

QString ScriptPackageManifest::scriptProgramFile(const QString &language) const
{
    for (const ProgramFile &programFile : m_programFiles) {
        if (programFile.language == language) {
            return programFile.fileName;
        }
    }
    return QString();
}

QDomDocument ScriptPackageManifest::toDomDocument() const
{
    QDomDocument document;
    document.appendChild(document.createProcessingInstruction(
        QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement root = document.createElement(XMLKey::MANIFEST);
    document.appendChild(root);
    for (const Field &field : m_fields) {
        QDomElement element = document.createElement(field.key);
        if (field.key == XMLKey::SCRIPTPROGRAMFILES) {
            for (const ProgramFile &programFile : m_programFiles) {
                QDomElement entry = document.createElement(XMLKey::SCRIPTPROGRAMFILE);
                entry.setAttribute(XMLKey::SCRIPTLANGUAGE, programFile.language);
                entry.appendChild(document.createTextNode(programFile.fileName));
                element.appendChild(entry);
            }
        } else if (!field.value.isEmpty()) {
            element.appendChild(document.createTextNode(field.value));
        }
        root.appendChild(element);
    }
    return document;
}

// Reads what toDomDocument() writes. Uses a stream reader rather than QDomDocument, which would
// drop a value made of white space only.
class ScriptPackageManifest::Reader
{
public:
    explicit Reader(const QByteArray &data)
        : m_xml(data, XmlDataReader::EncodedTexts::Refused)
    {}

    bool read(ScriptPackageManifest *manifest);
    XmlError error() const { return m_xml.error(); }

private:
    bool readProgramFiles(ScriptPackageManifest *manifest);

    XmlDataReader m_xml;
};

bool ScriptPackageManifest::Reader::read(ScriptPackageManifest *manifest)
{
    if (!m_xml.readRoot(XMLKey::MANIFEST) || !m_xml.checkAttributes({})) {
        return false;
    }
    while (m_xml.readNextChildElement()) {
        const QString key = m_xml.name().toString();
        if (manifest->hasField(key)) {
            return m_xml.raiseError(tr("The field '%1' appears twice").arg(TextExcerpt::of(key)));
        }
        if (key == XMLKey::SCRIPTPROGRAMFILES) {
            if (!readProgramFiles(manifest)) {
                return false;
            }
            // Keeps the place of an empty list too.
            if (!manifest->hasField(key)) {
                manifest->m_fields.append(Field{key, QString()});
            }
            continue;
        }
        QString value;
        if (!m_xml.readText(&value)) {
            return false;
        }
        const QString error = manifest->fieldError(key, value);
        if (!error.isEmpty()) {
            return m_xml.raiseError(error);
        }
        manifest->storeField(key, value);
    }
    return !m_xml.hasError() && m_xml.finish();
}

bool ScriptPackageManifest::Reader::readProgramFiles(ScriptPackageManifest *manifest)
{
    if (!m_xml.checkAttributes({})) {
        return false;
    }
    while (m_xml.readNextChildElement()) {
        if (m_xml.name() != XMLKey::SCRIPTPROGRAMFILE) {
            return m_xml.raiseUnexpectedElement();
        }
        const QString language = m_xml.attribute(XMLKey::SCRIPTLANGUAGE).toString();
        if (language.isNull()) {
            return m_xml.raiseError(
                tr("A program file entry has no attribute '%1'").arg(XMLKey::SCRIPTLANGUAGE));
        }
        QString fileName;
        if (!m_xml.readText(&fileName, {XMLKey::SCRIPTLANGUAGE})) {
            return false;
        }
        const QString error = manifest->programFileError(language, fileName);
        if (!error.isEmpty()) {
            return m_xml.raiseError(error);
        }
        manifest->storeProgramFile(language, fileName);
    }
    return !m_xml.hasError();
}

bool ScriptPackageManifest::loadFromXml(const QByteArray &data, XmlError *error)
{
    ScriptPackageManifest manifest;
    Reader reader(data);
    if (!reader.read(&manifest)) {
        qCDebug(lcCoreLib).noquote() << "Manifest not read:" << reader.error().toString();
        if (error) {
            *error = reader.error();
        }
        return false;
    }
    *this = manifest;
    return true;
}

bool ScriptPackageManifest::loadFromFile(const QString &path, XmlError *error)
{
    QByteArray data;
    QString message;
    if (!XmlDataReader::readFile(path, &data, &message)) {
        if (error) {
            *error = XmlError{message, 0, 0};
        }
        return false;
    }
    return loadFromXml(data, error);
}

bool operator==(const ScriptPackageManifest &left, const ScriptPackageManifest &right)
{
    if (left.m_programFiles != right.m_programFiles
        || left.m_fields.size() != right.m_fields.size()) {
        return false;
    }
    for (qsizetype i = 0; i < left.m_fields.size(); ++i) {
        if (left.m_fields.at(i).key != right.m_fields.at(i).key
            || left.m_fields.at(i).value != right.m_fields.at(i).value) {
            return false;
        }
    }
    return true;
}

bool operator==(const ScriptPackageManifest::ProgramFile &left,
                const ScriptPackageManifest::ProgramFile &right)
{
    return left.language == right.language && left.fileName == right.fileName;
}

} // namespace SRCore
