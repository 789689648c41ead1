#include "envmanager.h"

#include "corelib/common/corelogging.h"
#include "corelib/common/xmldatareader.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QStandardPaths>

namespace SRCore {

namespace {

constexpr int kCustomizationFormatVersion = 1;
constexpr int kMaximumNameLength = 64;

const QString &defaultAppName()
{
    static const QString name = QStringLiteral("TavrixScripter");
    return name;
}

const QString &defaultCompany()
{
    static const QString name = QStringLiteral("Tavrix");
    return name;
}

struct Environment
{
    QString appName = defaultAppName();
    QString company = defaultCompany();
    QString customIcon;
    bool customized = false;
    QString lastError;
};

struct Customization
{
    QString appName;
    QString company;
    QString icon;
};

QMutex &environmentMutex()
{
    static QMutex mutex;
    return mutex;
}

Environment &environment()
{
    static Environment state;
    return state;
}

// The folder of the program, from the path it was started with (which may be relative or,
// when it was found on the PATH, a bare name). Empty when it cannot be told.
QString programFolder(char **argv)
{
    if (!argv || !argv[0] || !*argv[0]) {
        return QString();
    }
    QString program = QFile::decodeName(argv[0]);
    if (!program.contains(QLatin1Char('/'))) {
        program = QStandardPaths::findExecutable(program);
        if (program.isEmpty()) {
            return QString();
        }
    }
    return QFileInfo(program).absolutePath();
}

// The names become folder names of the data folder and of the settings store, so they must be
// usable as one path component on every platform.
QString nameProblem(const QString &name)
{
    if (name.isEmpty()) {
        return EnvManager::tr("it is empty");
    }
    if (name.size() > kMaximumNameLength) {
        return EnvManager::tr("it is longer than %1 characters").arg(kMaximumNameLength);
    }
    if (name == QLatin1String(".") || name == QLatin1String("..")) {
        return EnvManager::tr("'%1' is not a folder name").arg(name);
    }
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || forbidden.contains(c)) {
            return EnvManager::tr("it contains the character '%1', which folder names cannot hold")
                .arg(c.unicode() < 0x20
                         ? QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))
                         : QString(c));
        }
    }
    return QString();
}

bool readName(XmlDataReader &reader, QString *name)
{
    const QString element = reader.name().toString();
    if (!reader.readText(name)) {
        return false;
    }
    *name = name->trimmed();
    const QString problem = nameProblem(*name);
    return problem.isEmpty()
           || reader.raiseError(EnvManager::tr("Invalid <%1>: %2").arg(element, problem));
}

bool readIcon(XmlDataReader &reader, const QString &customizationFolder, QString *icon)
{
    QString path;
    if (!reader.readText(&path)) {
        return false;
    }
    path = path.trimmed();
    if (path.isEmpty()) {
        return reader.raiseError(EnvManager::tr("Invalid <%1>: it is empty").arg(XMLKey::ICON));
    }
    const QFileInfo info(QDir(customizationFolder).absoluteFilePath(path));
    if (!info.isFile() || !info.isReadable()) {
        return reader.raiseError(
            EnvManager::tr("The icon file '%1' does not exist or can't be read")
                .arg(QDir::toNativeSeparators(info.absoluteFilePath())));
    }
    *icon = info.absoluteFilePath();
    return true;
}

bool readCustomization(XmlDataReader &reader, const QString &brandingName,
                       const QString &customizationFolder, Customization *customization)
{
    if (!reader.readRoot(XMLKey::CUSTOMIZATION, kCustomizationFormatVersion)) {
        return false;
    }
    const QStringView product = reader.attribute(XMLKey::PRODUCT);
    if (product.isNull()) {
        return reader.raiseError(
            EnvManager::tr("The root element has no %1 attribute").arg(XMLKey::PRODUCT));
    }
    if (product != brandingName) {
        return reader.raiseError(
            EnvManager::tr("The customization is made for the product '%1', not for '%2'")
                .arg(product, brandingName));
    }
    QSet<QString> seen;
    while (reader.readNextChildElement()) {
        const QString name = reader.name().toString();
        if (seen.contains(name)) {
            return reader.raiseDuplicateElement();
        }
        seen.insert(name);
        bool ok = false;
        if (name == XMLKey::APPLICATIONNAME) {
            ok = readName(reader, &customization->appName);
        } else if (name == XMLKey::COMPANY) {
            ok = readName(reader, &customization->company);
        } else if (name == XMLKey::ICON) {
            ok = readIcon(reader, customizationFolder, &customization->icon);
        } else {
            ok = reader.raiseUnexpectedElement();
        }
        if (!ok) {
            return false;
        }
    }
    return reader.finish();
}

} // namespace

bool EnvManager::initialize(const QString &customizationFileName, const QString &appName,
                            const QString &brandingName, char **argv)
{
    Environment state;
    if (!appName.isEmpty()) {
        state.appName = appName;
    }
    const QString folder = programFolder(argv);
    if (folder.isEmpty()) {
        qCWarning(lcCoreLib) << "The program's folder is unknown; no customization is read";
    }
    const QString path =
        folder.isEmpty() ? QString() : QDir(folder).filePath(customizationFileName);
    bool ok = true;
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        QByteArray data;
        Customization customization;
        if (!XmlDataReader::readFile(path, &data, &state.lastError)) {
            ok = false;
        } else {
            XmlDataReader reader(data);
            if (readCustomization(reader, brandingName, QFileInfo(path).absolutePath(),
                                  &customization)) {
                state.customized = true;
                if (!customization.appName.isEmpty()) {
                    state.appName = customization.appName;
                }
                if (!customization.company.isEmpty()) {
                    state.company = customization.company;
                }
                state.customIcon = customization.icon;
            } else {
                state.lastError = XmlDataReader::describeError(path, reader.error());
                ok = false;
            }
        }
    }
    if (!ok) {
        qCWarning(lcCoreLib).noquote() << state.lastError;
    }
    const QMutexLocker locker(&environmentMutex());
    environment() = state;
    return ok;
}

QString EnvManager::getLastError()
{
    const QMutexLocker locker(&environmentMutex());
    return environment().lastError;
}

QString EnvManager::appName()
{
    const QMutexLocker locker(&environmentMutex());
    return environment().appName;
}

QString EnvManager::company()
{
    const QMutexLocker locker(&environmentMutex());
    return environment().company;
}

QString EnvManager::applicationDataPath()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QMutexLocker locker(&environmentMutex());
    return base + QLatin1Char('/') + environment().company + QLatin1Char('/')
           + environment().appName;
}

QString EnvManager::getCustomIcon()
{
    const QMutexLocker locker(&environmentMutex());
    return environment().customIcon;
}

bool EnvManager::isCustomizedTavrix()
{
    const QMutexLocker locker(&environmentMutex());
    return environment().customized;
}

} // namespace SRCore
