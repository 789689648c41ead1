#include "fixturearchive.h"

#include "testinglogging.h"

#include "corelib/archive/ziphelper.h"
#include "corelib/common/xmlerror.h"
#include "corelib/files/fileautocleaner.h"
#include "corelib/files/filehandler.h"
#include "corelib/files/safefilewriter.h"
#include "corelib/flow/flow.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"
#include "corelib/package/scriptpackagemanifest.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QDomDocument>
#include <QFileInfo>
#include <QStringList>

namespace Scripter {

namespace {

const QString manifestFileName = QStringLiteral("manifest.xml");
const QString formatVersion = QStringLiteral("1.0");

bool fail(QString *errorMessage, const QString &message)
{
    qCWarning(lcTesting).noquote() << message;
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

void logParseError(SRCore::ILogInterface *log, const char *operation, const QString &archivePath,
                   const SRCore::XmlError &error)
{
    if (!log) {
        return;
    }
    const QStringList argument{archivePath, QString::number(error.line),
                               QString::number(error.column), error.message};
    log->log(SRCore::LogRecord(SRCore::LogLevel::Error, QString::fromLatin1(operation), QString(),
                               QString(), QString(), argument.join(QLatin1Char(','))));
}

// Extraction is tried twice: a first attempt can fail on a file that another program holds
// open for a moment (a virus scanner, a sync client), and ZipHelper undoes a failed attempt.
bool extract(const QString &archivePath, const QString &folder, QString *errorMessage)
{
    QString firstError;
    if (ZipHelper::extractFiles(archivePath, folder, false, QString(), false, &firstError)) {
        return true;
    }
    qCDebug(lcTesting).noquote() << "Retrying the extraction of" << archivePath << firstError;
    QString secondError;
    if (ZipHelper::extractFiles(archivePath, folder, false, QString(), false, &secondError)) {
        return true;
    }
    return fail(errorMessage,
                FixtureArchive::tr("Can't extract fixture '%1': %2").arg(archivePath, secondError));
}

// A name the manifest gives must stay inside the extracted folder.
bool isPlainFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

} // namespace

QString FixtureArchive::fixtureFileName(const QString &archivePath)
{
    return QFileInfo(archivePath).completeBaseName() + QLatin1String(".xml");
}

bool FixtureArchive::write(const QString &archivePath, const QString &instanceName,
                           const SRCore::Flow &fixture, QString *errorMessage)
{
    const QString documentName = fixtureFileName(archivePath);
    // Both members sit at the top of the archive, and archives travel to systems whose file
    // names ignore case.
    if (documentName.compare(manifestFileName, Qt::CaseInsensitive) == 0) {
        return fail(errorMessage,
                    tr("A fixture can't be named '%1': its document would replace the manifest")
                        .arg(QFileInfo(archivePath).fileName()));
    }

    SRCore::ScriptPackageManifest manifest;
    QString error;
    if (!manifest.setField(SRCore::XMLKey::SCRIPTERINSTANCENAME, instanceName, &error)
        || !manifest.setField(SRCore::XMLKey::SCRIPTFIXTUREFORMATVERSION, formatVersion, &error)
        || !manifest.setField(SRCore::XMLKey::SCRIPTFIXTUREFILE, documentName, &error)) {
        return fail(errorMessage, error);
    }

    const QString folder = SRCore::FileHandler::createTempFolderForFile(
        archivePath, QStringLiteral("tempFixtureFolder"), &error);
    if (folder.isEmpty()) {
        return fail(errorMessage, error);
    }
    const SRCore::FileAutoCleaner cleaner(folder);

    const QString documentPath = folder + QLatin1Char('/') + documentName;
    if (!fixture.save(documentPath, true, &error)) {
        return fail(errorMessage, error);
    }
    const QString manifestPath = folder + QLatin1Char('/') + manifestFileName;
    if (!SRCore::FileHandler::saveDomElement(manifest.toDomDocument(), manifestPath, 0, &error)) {
        return fail(errorMessage, error);
    }
    // Readers look for the fixture document first, so it leads the archive.
    const QString zipPath = folder + QLatin1String("/archive.zip");
    for (const QString &member : {documentPath, manifestPath}) {
        if (!ZipHelper::compressItem(member, zipPath, false, QString(), -1, QString(), &error)) {
            return fail(errorMessage, error);
        }
    }
    if (!SRCore::SafeFileWriter::copyFile(zipPath, archivePath, &error)) {
        return fail(errorMessage, error);
    }
    return true;
}

bool FixtureArchive::read(const QString &archivePath, Content &content, SRCore::ILogInterface *log,
                          QString *errorMessage)
{
    content = Content();
    if (!QFileInfo(archivePath).isFile()) {
        return fail(errorMessage, tr("Fixture '%1' does not exist").arg(archivePath));
    }

    QString error;
    const QString folder = SRCore::FileHandler::createTempFolderForFile(
        archivePath, QStringLiteral("tempPackageFolder"), &error);
    if (folder.isEmpty()) {
        return fail(errorMessage, error);
    }
    const SRCore::FileAutoCleaner cleaner(folder);
    if (!extract(archivePath, folder, errorMessage)) {
        return false;
    }

    SRCore::ScriptPackageManifest manifest;
    SRCore::XmlError xmlError;
    if (!manifest.loadFromFile(folder + QLatin1Char('/') + manifestFileName, &xmlError)) {
        logParseError(log,
                      QT_TRANSLATE_NOOP("LogMessages", "Parse error in manifest from package "
                                                       "'%11': line %12, column %13, message "
                                                       "'%14'"),
                      archivePath, xmlError);
        return fail(errorMessage, tr("Can't read the manifest of fixture '%1': %2")
                                      .arg(archivePath, xmlError.toString()));
    }
    content.instanceName = manifest.field(SRCore::XMLKey::SCRIPTERINSTANCENAME);
    content.formatVersion = manifest.field(SRCore::XMLKey::SCRIPTFIXTUREFORMATVERSION);
    content.fixtureFileName = manifest.field(SRCore::XMLKey::SCRIPTFIXTUREFILE);
    if (!isPlainFileName(content.fixtureFileName)) {
        return fail(errorMessage,
                    tr("The manifest of fixture '%1' names no fixture document").arg(archivePath));
    }

    const QString documentPath = folder + QLatin1Char('/') + content.fixtureFileName;
    QString text;
    if (!QFileInfo(documentPath).isFile()
        || !SRCore::FileHandler::readFile(documentPath, text, &error)) {
        return fail(
            errorMessage,
            tr("Fixture '%1' lacks its document '%2'").arg(archivePath, content.fixtureFileName));
    }
    auto flow = std::make_unique<SRCore::Flow>();
    if (!flow->openFromString(text, &xmlError)) {
        logParseError(log,
                      QT_TRANSLATE_NOOP("LogMessages", "Parse error in fixture from package "
                                                       "'%11': line %12, column %13, message "
                                                       "'%14'"),
                      archivePath, xmlError);
        return fail(errorMessage, tr("Can't read the document of fixture '%1': %2")
                                      .arg(archivePath, xmlError.toString()));
    }
    content.flow = std::move(flow);
    return true;
}

} // namespace Scripter
