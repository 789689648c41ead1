#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class QByteArray;
class QDomDocument;

namespace SRCore {

struct XmlError;

// The manifest of a script package or of a fixture archive ("manifest.xml"; the layout is in
// docs/package-manifest.md): named text fields in the order in which they were first set, and
// for packages the program file of each script language. Reading is all or nothing: a
// manifest that fails to load keeps its previous contents.
class ScriptPackageManifest
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::ScriptPackageManifest)

public:
    struct ProgramFile
    {
        QString language; // XMLValues::JAVASCRIPT, VBSCRIPT or APPLESCRIPT
        QString fileName;
    };

    // Sets a field, keeping the position of a field set before. The key must be a valid XML
    // name and not XMLKey::SCRIPTPROGRAMFILES, the value must hold only characters XML can
    // store; otherwise nothing changes and false is returned. A null and an empty value are
    // both written as an empty element and read back as an empty value.
    bool setField(const QString &key, const QString &value, QString *errorMessage = nullptr);
    // Null when there is no such field.
    QString field(const QString &key) const;
    bool hasField(const QString &key) const;
    // Field keys in document order; XMLKey::SCRIPTPROGRAMFILES is among them, at the place of
    // the first program file, once one was added.
    QStringList fieldKeys() const;

    // Adds the program file of a language (XMLValues::JAVASCRIPT, VBSCRIPT or APPLESCRIPT). An
    // unknown language, a language that already has its file, and an empty or unstorable file
    // name are refused.
    bool addScriptProgramFiles(const QString &language, const QString &fileName,
                               QString *errorMessage = nullptr);
    QList<ProgramFile> scriptProgramFiles() const { return m_programFiles; }
    // Null when the language has no program file.
    QString scriptProgramFile(const QString &language) const;

    // The manifest as a document with an UTF-8 declaration, ready for
    // FileHandler::saveDomElement.
    QDomDocument toDomDocument() const;

    // Replaces the contents with the manifest in `data` (or in the file at `path`). Fails, with
    // the reason and its position in `error`, for a text that is not well-formed (invalid UTF-8
    // included), a root other than XMLKey::MANIFEST, a field given twice or holding elements,
    // an attribute we do not write, and a program file entry without a known language or
    // without a file name, or repeating a language.
    bool loadFromXml(const QByteArray &data, XmlError *error = nullptr);
    bool loadFromFile(const QString &path, XmlError *error = nullptr);

    friend bool operator==(const ScriptPackageManifest &left, const ScriptPackageManifest &right);
    friend bool operator!=(const ScriptPackageManifest &left, const ScriptPackageManifest &right)
    {
        return !(left == right);
    }

private:
    class Reader;

    struct Field
    {
        QString key;
        QString value;
    };

    qsizetype indexOf(const QString &key) const;
    // Why a field or program file cannot be stored; empty when it can.
    QString fieldError(const QString &key, const QString &value) const;
    QString programFileError(const QString &language, const QString &fileName) const;
    void storeField(const QString &key, const QString &value);
    void storeProgramFile(const QString &language, const QString &fileName);

    // Holds an entry for XMLKey::SCRIPTPROGRAMFILES that only marks where the program files go.
    QList<Field> m_fields;
    QList<ProgramFile> m_programFiles;
};

bool operator==(const ScriptPackageManifest::ProgramFile &left,
                const ScriptPackageManifest::ProgramFile &right);

} // namespace SRCore
