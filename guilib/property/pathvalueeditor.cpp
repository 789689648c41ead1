#include "pathvalueeditor.h"

#include "dialogplacement.h"
#include "editorkinds.h"
#include "iappproxy.h"
#include "propertyresource.h"

#include "corelib/common/xmldatareader.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>

namespace GuiLib {

namespace {

const QString settingsGroup = QStringLiteral("Editors/");

// The folder of each settings key in ":/xml/xml_DefaultLocations_WIN.xml". A leading "~"
// stands for the user's home folder.
QHash<QString, QString> readDefaultLocations()
{
    QHash<QString, QString> locations;
    const bool read = PropertyResource::read(
        QStringLiteral(":/xml/xml_DefaultLocations_WIN.xml"), SRCore::XMLKey::DEFAULTLOCATIONS,
        [&locations](SRCore::XmlDataReader &reader) {
            const QString key = reader.name().toString();
            QString folder;
            const bool ok = reader.readText(&folder);
            if (folder == QLatin1String("~") || folder.startsWith(QLatin1String("~/"))) {
                folder.replace(0, 1, QDir::homePath());
            }
            locations.insert(key, folder);
            return ok;
        });
    return read ? locations : QHash<QString, QString>();
}

} // namespace

PathValueEditor::PathValueEditor(const ValueEditorRequest &request)
    : m_request(request)
{}

bool PathValueEditor::choosesFolder() const
{
    return EditorKinds::action(m_request.editorType) == EditorKinds::Action::ChooseFolder;
}

QString PathValueEditor::lastPathKey() const
{
    QString tag = m_request.tag;
    if (tag.isEmpty()) {
        tag = choosesFolder() ? QStringLiteral("GenericFolderPath")
                              : QStringLiteral("GenericFilePath");
    }
    const QString owner =
        m_request.ownerType.isEmpty() ? QString() : m_request.ownerType + QLatin1Char('_');
    return owner + tag + QStringLiteral("_Description_LastPath");
}

QString PathValueEditor::startFolder() const
{
    if (const IAppProxy *proxy = IAppProxy::instance()) {
        const QString last =
            proxy->readSetting(settingsGroup + lastPathKey(), QVariant()).toString();
        if (!last.isEmpty() && QFileInfo(last).isDir()) {
            return last;
        }
    }
    static const QHash<QString, QString> defaults = readDefaultLocations();
    const QString folder = defaults.value(lastPathKey());
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

bool PathValueEditor::exec()
{
    const bool folder = choosesFolder();
    QString filter = EditorKinds::fileFilter(m_request.editorType);
    if (filter.isEmpty()) {
        filter = tr("All files (*)");
    }
    // Qt's own dialog everywhere: it keeps its size and position, and returns links as links,
    // which are replaced by their targets below.
    QFileDialog dialog(m_request.parent, m_request.caption, startFolder(),
                       folder ? QString() : filter);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontResolveSymlinks
                      | (folder ? QFileDialog::ShowDirsOnly : QFileDialog::Options()));
    dialog.setFileMode(folder ? QFileDialog::Directory : QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);

    const bool accepted = DialogPlacement::run(&dialog, QString());

    const QStringList chosen = dialog.selectedFiles();
    if (!accepted || chosen.isEmpty() || chosen.first().isEmpty()) {
        return false;
    }
    QString path = chosen.first();
    const QFileInfo info(path);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty()) {
        path = info.canonicalFilePath();
    }
    m_value = path;
    if (IAppProxy *proxy = IAppProxy::instance()) {
        const QFileInfo chosenInfo(path);
        proxy->writeSetting(settingsGroup + lastPathKey(), chosenInfo.isDir()
                                                               ? chosenInfo.absoluteFilePath()
                                                               : chosenInfo.absolutePath());
    }
    return true;
}

} // namespace GuiLib
