#include "scrappproxy.h"

#include "helpmenuactions.h"
#include "scriptercore.h"
#include "scripterwindow.h"

#include "testing/fixture.h"
#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"
#include "testing/testflowbuilder.h"

#include "ftp/ftpdirectoryvalueeditor.h"
#include "scriptinggui/scriptingdialogfactory.h"

#include "guilib/property/ivalueeditor.h"
#include "guilib/property/valueeditorfactory.h"

#include "corelib/jobs/filemanager.h"
#include "corelib/jobs/ijt.h"
#include "scriptinglib/scriptexpressionevaluator.h"

#include "corelib/scripting/iscriptexpressionevaluator.h"
#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/variables/ivariableevaluator.h"
#include "corelib/variables/variablecontext.h"
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

ScrAppProxy::ScrAppProxy() = default;

ScrAppProxy::~ScrAppProxy() = default;

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
    const QMap<QString, const Scripter::FixtureItem *> jobs = sampleJobItems(*window);
    for (auto job = jobs.cbegin(); job != jobs.cend(); ++job) {
        jobElements.insert(job.key(), sampleJobLocation);
    }
}

QMap<QString, const Scripter::FixtureItem *>
ScrAppProxy::sampleJobItems(const Scripter::ScripterWindow &window)
{
    QMap<QString, const Scripter::FixtureItem *> items;
    const Scripter::Fixture *fixture = window.fixture();
    const Scripter::FixtureItem *jobs = fixture->tree()->incomingGroup();
    for (int i = 0; i < jobs->childCount(); ++i) {
        const auto *job = static_cast<const Scripter::FixtureItem *>(jobs->child(i));
        const QString path = fixture->jobPath(*job);
        if (path.isEmpty()) {
            continue;
        }
        const QFileInfo info(path);
        if (info.isDir()) {
            const QFileInfoList files =
                QDir(path).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
            for (const QFileInfo &file : files) {
                items.insert(QDir::toNativeSeparators(file.absoluteFilePath()), job);
            }
        } else if (info.isFile()) {
            items.insert(QDir::toNativeSeparators(info.absoluteFilePath()), job);
        }
    }
    return items;
}

const Scripter::FixtureItem *ScrAppProxy::sampleJobItem(const QString &job)
{
    const Scripter::ScripterWindow *window = Scripter::ScripterCore::activeScripterWindow();
    return window ? sampleJobItems(*window).value(QDir::toNativeSeparators(job)) : nullptr;
}

bool ScrAppProxy::evaluateScriptExpression(const QString &expression, const QString &job,
                                           const QString &element, QString *result)
{
    const Scripter::FixtureItem *item = sampleJobItem(job);
    if (!item) {
        return GuiLib::IAppProxy::evaluateScriptExpression(expression, job, element, result);
    }
    if (!SRCore::IScriptExpressionEvaluator::instance() && !m_expressionEvaluator) {
        m_expressionEvaluator = std::make_unique<ScriptExpressionEvaluator>(nullptr);
    }
    const std::unique_ptr<SRCore::IJT> ticket = sampleTicket(*item, job);
    SRCore::IScriptExpressionEvaluator::Context context;
    context.elementId = element;
    context.ticket = ticket.get();
    const SRCore::IScriptExpressionEvaluator::Evaluation evaluation =
        SRCore::IScriptExpressionEvaluator::instance()->evaluateExpression(expression, context);
    if (result) {
        *result = evaluation.ok()
                      ? SRCore::IScriptExpressionEvaluator::formatValue(evaluation.value)
                      : evaluation.describeError();
    }
    return evaluation.ok();
}

std::unique_ptr<SRCore::IJT> ScrAppProxy::sampleTicket(const Scripter::FixtureItem &job,
                                                       const QString &jobFile)
{
    std::unique_ptr<SRCore::IJT> ticket = SRCore::IJT::createEmptyIJT();
    ticket->setFlowInfo(QStringLiteral("1"), QString());
    ticket->setActiveFileName(QDir::fromNativeSeparators(jobFile));
    Scripter::TestFlowBuilder::fillFromJob(*ticket, job.object());
    const SRCore::XMLValueProcessor datasets(job.value(SRCore::XMLKey::METADATADATASETS));
    for (const SRCore::UniversalData &record : datasets.universaldataFields()) {
        ticket->setDataset(record.first, record.second, record.third);
    }
    return ticket;
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
    // A sample job of the fixture has no ticket before a test run: it is evaluated against the
    // ticket that the run would give it, without writing one.
    if (const Scripter::FixtureItem *item = sampleJobItem(job)) {
        const std::unique_ptr<SRCore::IJT> ticket = sampleTicket(*item, job);
        SRCore::VariableContext context;
        context.ticket = ticket.get();
        context.elementId = third;
        const SRCore::IVariableEvaluator *evaluator = SRCore::IVariableEvaluator::instance();
        QStringList values;
        for (int i = 0; i < names.size(); ++i) {
            if (flag && i == names.size() - 1) {
                const SRCore::ConditionEvaluation outcome =
                    evaluator->evaluateCondition(names.at(i), context);
                values.append(!outcome.valid   ? QString()
                              : outcome.result ? QStringLiteral("true")
                                               : QStringLiteral("false"));
            } else {
                values.append(evaluator->evaluateText(names.at(i), context).value);
            }
        }
        return values;
    }
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
