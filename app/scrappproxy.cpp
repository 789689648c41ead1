#include "scrappproxy.h"

#include "helpmenuactions.h"
#include "scriptercore.h"
#include "scripterwindow.h"

#include "testing/fixture.h"
#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include "ftp/ftpdirectoryvalueeditor.h"
#include "scriptinggui/scriptingdialogfactory.h"

#include "guilib/property/ivalueeditor.h"
#include "guilib/property/valueeditorfactory.h"

#include "corelib/jobs/filemanager.h"
#include "corelib/jobs/ijt.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

namespace {

// Where the jobs of the test flow arrive: its script element in flow 1.
const QString sampleJobLocation = QStringLiteral("1-/-Script Element");

} // namespace

QVariant ScrAppProxy::readSetting(const QString &key, const QVariant &defaultValue) const
{
    return QSettings().value(key, defaultValue);
}

void ScrAppProxy::writeSetting(const QString &key, const QVariant &value)
{
    QSettings().setValue(key, value);
}

QString ScrAppProxy::documentationFolder() const
{
    return Scripter::HelpMenuActions::documentationFolder();
}

QString ScrAppProxy::programFilesFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
}

QString ScrAppProxy::documentsFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void ScrAppProxy::sampleJobs(QMap<QString, QString> &jobElements, QString &flowId) const
{
    flowId = QStringLiteral("1");
    const Scripter::ScripterWindow *window = Scripter::ScripterCore::activeScripterWindow();
    if (!window) {
        return;
    }
    const Scripter::FixtureItem *jobs = window->fixture()->tree()->incomingGroup();
    for (int i = 0; i < jobs->childCount(); ++i) {
        const auto *job = static_cast<const Scripter::FixtureItem *>(jobs->child(i));
        const QString path = job->value(SRCore::XMLKey::FILEORFOLDER);
        if (path.isEmpty()) {
            continue;
        }
        const QFileInfo info(path);
        if (info.isDir()) {
            const QFileInfoList files =
                QDir(path).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
            for (const QFileInfo &file : files) {
                jobElements.insert(QDir::toNativeSeparators(file.absoluteFilePath()),
                                   sampleJobLocation);
            }
        } else if (info.isFile()) {
            jobElements.insert(QDir::toNativeSeparators(info.absoluteFilePath()),
                               sampleJobLocation);
        }
    }
}

QStringList ScrAppProxy::jobDatasets(const QString &jobFile) const
{
    const QString prefix = SRCore::FileManager::getPrefix(jobFile);
    if (prefix.isEmpty()) {
        return {};
    }
    const QString ticketFile = SRCore::FileManager::getFileIJTByPrefix(prefix);
    if (ticketFile.isEmpty()) {
        return {};
    }
    const std::unique_ptr<SRCore::IJT> ticket = SRCore::IJT::load(ticketFile);
    if (!ticket) {
        return {};
    }
    QStringList names;
    for (const SRCore::IJT::Dataset &dataset : ticket->getJobDatasets()) {
        names.append(dataset.name);
    }
    return names;
}

QStringList ScrAppProxy::variableValues(const QStringList &names, const QString &job,
                                        const QString &second, const QString &third,
                                        const QString &fourth, bool flag)
{
    Scripter::ScripterCore *core = Scripter::ScripterCore::instance();
    return core ? core->getVariableValue(names, job, second, third, fourth, flag) : QStringList();
}

void ScrAppProxy::centerOnActiveWindow(QWidget *dialog) const
{
    const QWidget *active = QApplication::activeWindow();
    if (!dialog || !active) {
        return;
    }
    const QRect area = active->geometry();
    const QPoint centre((area.left() + area.right()) / 2, (area.top() + area.bottom()) / 2);
    QRect geometry = dialog->geometry();
    geometry.moveCenter(centre);
    dialog->setGeometry(geometry);
}

QWidget *ScrAppProxy::dialogParent() const
{
    return QApplication::activeWindow();
}

std::unique_ptr<GuiLib::IValueEditor>
ScrAppProxy::createValueEditor(const GuiLib::ValueEditorRequest &request, QString *errorMessage)
{
    if (ScriptingGui::ScriptingDialogFactory::handles(request.editorType)) {
        return ScriptingGui::ScriptingDialogFactory::create(request, errorMessage);
    }
    if (TavrixSupportUI::FTPDirectoryValueEditor::handles(request.editorType)) {
        return std::make_unique<TavrixSupportUI::FTPDirectoryValueEditor>(request);
    }
    return GuiLib::ValueEditorFactory::create(request, errorMessage);
}
