#include "compatibilitymanager.h"

#include "envmanager.h"

#include "corelib/common/corelogging.h"
#include "corelib/common/xmldatareader.h"
#include "corelib/common/xmldatawriter.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace SRCore {

namespace {

std::unique_ptr<CompatibilityManager> &instanceSlot()
{
    static std::unique_ptr<CompatibilityManager> instance;
    return instance;
}

bool fail(QString *errorMessage, const QString &message)
{
    qCWarning(lcCoreLib).noquote() << message;
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

} // namespace

CompatibilityManager::CompatibilityManager(const QString &dataFolder)
    : m_dataFolder(dataFolder)
{}

void CompatibilityManager::initialise()
{
    if (!instanceSlot()) {
        instanceSlot() = std::make_unique<CompatibilityManager>(EnvManager::applicationDataPath());
    }
}

CompatibilityManager *CompatibilityManager::getInstance()
{
    return instanceSlot().get();
}

bool CompatibilityManager::ensureScripterCompatibility(QString *errorMessage)
{
    const QString folder = QDir::toNativeSeparators(m_dataFolder);
    const QFileInfo folderInfo(m_dataFolder);
    if (folderInfo.exists() && !folderInfo.isDir()) {
        return fail(errorMessage, tr("The data folder '%1' is a file, not a folder").arg(folder));
    }
    if (!folderInfo.exists() && !QDir().mkpath(m_dataFolder)) {
        return fail(errorMessage, tr("Can't create the data folder '%1'").arg(folder));
    }
    // Permissions alone do not tell (ACLs, read-only mounts): try to write.
    QTemporaryFile probe(m_dataFolder + QStringLiteral("/.writetest-XXXXXX"));
    if (!probe.open()) {
        return fail(
            errorMessage,
            tr("The data folder '%1' is not writable: %2").arg(folder, probe.errorString()));
    }
    probe.close();

    const QString layoutFile = m_dataFolder + QStringLiteral("/DataLayout.xml");
    if (!QFileInfo::exists(layoutFile)) {
        // A new folder, or one of a version that did not record its layout yet: this
        // version's layout is a superset of those.
        XmlDataWriter writer(XMLKey::DATALAYOUT, kLayoutVersion);
        QString error;
        return writer.save(layoutFile, &error) || fail(errorMessage, error);
    }
    QByteArray data;
    QString error;
    if (!XmlDataReader::readFile(layoutFile, &data, &error)) {
        return fail(errorMessage, error);
    }
    XmlDataReader reader(data);
    if (reader.readRoot(XMLKey::DATALAYOUT, kLayoutVersion)) {
        // Layout 1 records nothing but its version.
        if (reader.readNextChildElement()) {
            reader.raiseUnexpectedElement();
        }
        reader.finish();
    }
    if (reader.formatVersion() > kLayoutVersion) {
        return fail(errorMessage,
                    tr("The data folder '%1' was laid out by a newer version of the program "
                       "(layout %2; this version knows layouts up to %3)")
                        .arg(folder)
                        .arg(reader.formatVersion())
                        .arg(kLayoutVersion));
    }
    if (reader.hasError()) {
        return fail(errorMessage, XmlDataReader::describeError(layoutFile, reader.error()));
    }
    return true;
}

} // namespace SRCore
