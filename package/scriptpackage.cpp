#include "scriptpackage.h"

#include "declaration.h"
#include "packagelogging.h"

#include "corelib/archive/archivelimits.h"
#include "corelib/common/xmlerror.h"
#include "corelib/files/filehandler.h"
#include "corelib/files/safefilewriter.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"
#include "corelib/package/scriptpackagemanifest.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

const QString formatVersion = QStringLiteral("1.0");
const QString declarationSuffix = QStringLiteral(".xml");
const QString markerSuffix = QStringLiteral(".tscript");
const QString fixtureSuffix = QStringLiteral(".tfixture");

struct Language
{
    QString language;
    QString suffix;
};

// In the order the manifest lists the program files.
const QList<Language> &languages()
{
    static const QList<Language> table = {
        {XMLValues::JAVASCRIPT, QStringLiteral(".js")},
        {XMLValues::VBSCRIPT, QStringLiteral(".vbs")},
        {XMLValues::APPLESCRIPT, QStringLiteral(".scpt")},
    };
    return table;
}

bool fail(QString *errorMessage, const QString &message)
{
    qCDebug(lcPackage).noquote() << message;
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

void logParseError(SRCore::ILogInterface *log, const char *operation, const QString &packagePath,
                   const SRCore::XmlError &error)
{
    if (!log) {
        return;
    }
    const QStringList argument{packagePath, QString::number(error.line),
                               QString::number(error.column), error.message};
    log->log(SRCore::LogRecord(SRCore::LogLevel::Error, QString::fromLatin1(operation), QString(),
                               QString(), QString(), argument.join(QLatin1Char(','))));
}

bool writeText(const QString &path, const QString &text, QString *errorMessage)
{
    return SRCore::SafeFileWriter::writeFile(path, text.toUtf8(), errorMessage);
}

QString megabytes(qint64 bytes)
{
    return QString::number(bytes / ArchiveLimits::kBytesPerMegabyte);
}

// The path of the member `name` in `folder`. Names come from a manifest that anybody can edit,
// so one that is not a plain file name, or names no file, is refused: reading must never reach
// outside the package.
bool memberPath(const QString &folder, const QString &name, QString *path, QString *errorMessage)
{
    const bool plain = !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
                       && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
    const QString candidate = folder + QLatin1Char('/') + name;
    const QFileInfo member(candidate);
    if (!plain || !member.isFile()) {
        return fail(errorMessage,
                    ScriptPackage::tr("The script package lacks its member '%1'").arg(name));
    }
    if (member.size() > ArchiveLimits::kMaximumTotalSize) {
        return fail(errorMessage,
                    ScriptPackage::tr("The member '%1' is larger than %2 MB, more than a script "
                                      "package may hold")
                        .arg(name, megabytes(ArchiveLimits::kMaximumTotalSize)));
    }
    *path = candidate;
    return true;
}

} // namespace

const QString &ScriptPackage::manifestFileName()
{
    static const QString name = QStringLiteral("manifest.xml");
    return name;
}

const QString &ScriptPackage::compiledAppleScriptFileName()
{
    static const QString name = QStringLiteral("compiledAppleScript.scpt");
    return name;
}

QString ScriptPackage::programSuffix(const QString &language)
{
    for (const Language &entry : languages()) {
        if (entry.language == language) {
            return entry.suffix;
        }
    }
    return QString();
}

bool ScriptPackage::isPackagePath(const QString &path)
{
    return path.endsWith(markerSuffix, Qt::CaseInsensitive);
}

bool ScriptPackage::isFixturePath(const QString &path)
{
    return path.endsWith(fixtureSuffix, Qt::CaseInsensitive);
}

const QStringList &ScriptPackage::versionControlNames()
{
    static const QStringList names = {QStringLiteral(".svn"), QStringLiteral("_svn")};
    return names;
}

bool ScriptPackage::checkFolder(const QString &folder, QString *errorMessage)
{
    qint64 entries = 0;
    qint64 size = 0;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo entry = it.fileInfo();
        if (entry.isSymLink()) {
            return fail(errorMessage, tr("'%1' is a symbolic link; a package folder must hold its "
                                         "files itself")
                                          .arg(QDir::toNativeSeparators(path)));
        }
        if (++entries > ArchiveLimits::kMaximumEntries) {
            return fail(errorMessage, tr("The package folder '%1' holds more than %2 entries, more "
                                         "than a script package may hold")
                                          .arg(QDir::toNativeSeparators(folder))
                                          .arg(ArchiveLimits::kMaximumEntries));
        }
        size += entry.isFile() ? entry.size() : 0;
        if (size > ArchiveLimits::kMaximumTotalSize) {
            return fail(errorMessage, tr("The package folder '%1' holds more than %2 MB, more than "
                                         "a script package may hold")
                                          .arg(QDir::toNativeSeparators(folder),
                                               megabytes(ArchiveLimits::kMaximumTotalSize)));
        }
    }
    return true;
}

bool ScriptPackage::write(const QString &folder, const QString &baseName, const Content &content,
                          const Declaration &declaration, QStringList *members,
                          QString *errorMessage)
{
    const QString iconName = QFileInfo(content.iconPath).fileName();
    const bool hasAppleBinary = !content.compiledAppleScriptPath.isEmpty();

    // Member names, in the order written; the declaration goes last.
    QStringList names;
    for (const Language &entry : languages()) {
        if (content.programs.contains(entry.language)) {
            names.append(baseName + entry.suffix);
        }
    }
    if (!iconName.isEmpty()) {
        names.append(iconName);
    }
    if (hasAppleBinary) {
        names.append(compiledAppleScriptFileName());
    }
    const QString declarationName = baseName + declarationSuffix;
    names << manifestFileName() << baseName + markerSuffix << declarationName;

    // The archive travels to systems whose file names ignore case.
    QSet<QString> seen;
    for (const QString &name : std::as_const(names)) {
        if (seen.contains(name.toLower())) {
            return fail(errorMessage,
                        tr("The script package can't be named '%1': two of its members would be "
                           "called '%2'")
                            .arg(baseName, name));
        }
        seen.insert(name.toLower());
    }

    SRCore::ScriptPackageManifest manifest;
    QString error;
    bool stored = manifest.setField(XMLKey::SCRIPTERINSTANCENAME, content.instanceName, &error)
                  && manifest.setField(XMLKey::SCRIPTPACKAGEFORMATVERSION, formatVersion, &error)
                  && manifest.setField(XMLKey::SCRIPTERPASSWORD, content.password, &error)
                  && manifest.setField(XMLKey::SCRIPTDECLARATIONFILE, declarationName, &error);
    const QString path = folder + QLatin1Char('/');
    for (const Language &entry : languages()) {
        if (stored && content.programs.contains(entry.language)) {
            const QString name = baseName + entry.suffix;
            stored = manifest.addScriptProgramFiles(entry.language, name, &error)
                     && writeText(path + name, content.programs.value(entry.language), &error);
        }
    }
    stored = stored && manifest.setField(XMLKey::SCRIPTICONFILE, iconName, &error);
    if (stored && !iconName.isEmpty()) {
        stored = SRCore::FileHandler::copy(content.iconPath, path + iconName, nullptr, &error);
    }
    if (stored && hasAppleBinary) {
        stored =
            manifest.setField(XMLKey::APPLEBINARYFILE, compiledAppleScriptFileName(), &error)
            && SRCore::FileHandler::copy(content.compiledAppleScriptPath,
                                         path + compiledAppleScriptFileName(), nullptr, &error);
    }
    stored = stored
             && SRCore::FileHandler::saveDomElement(manifest.toDomDocument(),
                                                    path + manifestFileName(), 4, &error)
             && writeText(path + baseName + markerSuffix, QString(), &error)
             && declaration.save(path + declarationName, &error);
    if (!stored) {
        return fail(errorMessage, error);
    }
    // What can't be read back is not written.
    qint64 size = 0;
    for (const QString &name : std::as_const(names)) {
        size += QFileInfo(path + name).size();
    }
    if (size > ArchiveLimits::kMaximumTotalSize) {
        return fail(errorMessage, tr("The script package would hold more than %1 MB, more than a "
                                     "script package may hold")
                                      .arg(megabytes(ArchiveLimits::kMaximumTotalSize)));
    }
    if (members) {
        members->clear();
        for (const QString &name : std::as_const(names)) {
            members->append(path + name);
        }
    }
    return true;
}

bool ScriptPackage::read(const QString &folder, const QString &packagePath, Content &content,
                         SRCore::ILogInterface *log, QString *errorMessage)
{
    content = Content();
    const QString manifestPath = folder + QLatin1Char('/') + manifestFileName();
    if (!QFileInfo(manifestPath).isFile()) {
        return fail(errorMessage, tr("Script package '%1' has no manifest").arg(packagePath));
    }
    SRCore::ScriptPackageManifest manifest;
    SRCore::XmlError xmlError;
    if (!manifest.loadFromFile(manifestPath, &xmlError)) {
        logParseError(log,
                      QT_TRANSLATE_NOOP("LogMessages", "Parse error in manifest from package "
                                                       "'%11': line %12, column %13, message "
                                                       "'%14'"),
                      packagePath, xmlError);
        return fail(errorMessage, tr("Can't read the manifest of script package '%1': %2")
                                      .arg(packagePath, xmlError.toString()));
    }

    const QString declarationName = manifest.field(XMLKey::SCRIPTDECLARATIONFILE);
    if (declarationName.isEmpty()) {
        return fail(
            errorMessage,
            tr("The manifest of script package '%1' names no declaration").arg(packagePath));
    }
    QString declarationPath;
    if (!memberPath(folder, declarationName, &declarationPath, errorMessage)) {
        return false;
    }
    QFile declarationFile(declarationPath);
    QDomDocument document;
    if (!declarationFile.open(QIODevice::ReadOnly)) {
        return fail(errorMessage,
                    tr("Can't read '%1': %2").arg(declarationPath, declarationFile.errorString()));
    }
    if (!SRCore::parseXmlDocument(declarationFile.readAll(), document, &xmlError)) {
        logParseError(log,
                      QT_TRANSLATE_NOOP("LogMessages", "Parse error in declaration from package "
                                                       "'%11': line %12, column %13, message "
                                                       "'%14'"),
                      packagePath, xmlError);
        return fail(errorMessage, tr("Can't read the declaration of script package '%1': %2")
                                      .arg(packagePath, xmlError.toString()));
    }

    Content read;
    read.declarationPath = declarationPath;
    read.instanceName = manifest.field(XMLKey::SCRIPTERINSTANCENAME);
    const QString password = manifest.field(XMLKey::SCRIPTERPASSWORD);
    if (!password.isEmpty()) {
        read.password = password;
    }
    for (const SRCore::ScriptPackageManifest::ProgramFile &program :
         manifest.scriptProgramFiles()) {
        QString programPath;
        QString text;
        if (!memberPath(folder, program.fileName, &programPath, errorMessage)
            || !SRCore::FileHandler::readFile(programPath, text, errorMessage)) {
            return false;
        }
        read.programs.insert(program.language, text);
    }
    const QString iconName = manifest.field(XMLKey::SCRIPTICONFILE);
    if (!iconName.isEmpty() && !memberPath(folder, iconName, &read.iconPath, errorMessage)) {
        return false;
    }
    const QString appleBinaryName = manifest.field(XMLKey::APPLEBINARYFILE);
    if (!appleBinaryName.isEmpty()
        && !memberPath(folder, appleBinaryName, &read.compiledAppleScriptPath, errorMessage)) {
        return false;
    }
    content = read;
    return true;
}

} // namespace Scripter
