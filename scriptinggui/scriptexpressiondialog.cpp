#include "scriptexpressiondialog.h"

#include "scriptvalidator.h"

#include "guilib/property/dialogrows.h"
#include "guilib/property/iappproxy.h"
#include "guilib/property/samplejobsview.h"

#include "corelib/files/filehandler.h"
#include "qsa/qseditor.h"
#include "qsa/qsinterpreter.h"
#include "qsa/qsobjectfactory.h"
#include "qsa/scriptingapi.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ScriptingGui {

namespace {

using GuiLib::DialogRows;

const QString lastPathKey = QStringLiteral("Editors/ScriptExpressionDialog_LastPath");
// Long enough to let a word be typed, short enough to feel live.
constexpr int CheckDelayMs = 300;

} // namespace

ScriptExpressionDialog::ScriptExpressionDialog(QWidget *parent, const QString &text)
    : QDialog(parent)
    , m_prompt(DialogRows::promptLabel(QString(), this))
    , m_editor(new QSEditor(this))
    , m_interpreter(std::make_unique<QSInterpreter>())
    , m_objectFactory(new QSObjectFactory(this))
    , m_validator(std::make_unique<ScriptValidator>())
    , m_checkTimer(new QTimer(this))
    , m_errorIcon(DialogRows::errorIcon(this))
    , m_errorText(new QLabel(tr("Syntax error"), this))
    , m_okButton(new QPushButton(tr("Ok"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
    , m_saveButton(new QPushButton(tr("Save"), this))
    , m_saveAsButton(new QPushButton(tr("Save as..."), this))
    , m_openButton(new QPushButton(tr("Open"), this))
    , m_sampleJobs(new GuiLib::SampleJobsView(this))
    , m_evaluateButton(new QPushButton(tr("Evaluate"), this))
    , m_evaluation(new QLabel(this))
{
    setSizeGripEnabled(true);
    m_prompt->hide();
    m_editor->setText(text);
    m_editor->readSettings();
    // Completion knows the scripting objects by their classes.
    for (const ScriptingApi::Object &object : ScriptingApi::objects()) {
        m_objectFactory->registerClass(QString::fromLatin1(object.className));
    }
    m_interpreter->addObjectFactory(m_objectFactory);
    m_interpreter->setErrorMode(QSInterpreter::Nothing);
    m_editor->setInterpreter(m_interpreter.get(), nullptr);
    m_errorText->setObjectName(QStringLiteral("errorText"));
    m_errorText->setWordWrap(true);
    m_errorText->hide();
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_saveAsButton->setObjectName(QStringLiteral("saveAsButton"));
    m_openButton->setObjectName(QStringLiteral("openButton"));
    m_evaluateButton->setObjectName(QStringLiteral("evaluateButton"));
    m_evaluation->setObjectName(QStringLiteral("evaluation"));
    m_evaluation->setTextFormat(Qt::PlainText);
    m_evaluation->setWordWrap(true);
    m_evaluation->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_checkTimer->setSingleShot(true);
    m_checkTimer->setInterval(CheckDelayMs);

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_openButton);
    fileRow->addWidget(m_saveButton);
    fileRow->addWidget(m_saveAsButton);
    fileRow->addStretch();
    auto *evaluationRow = new QHBoxLayout;
    evaluationRow->addWidget(m_evaluateButton);
    evaluationRow->addWidget(m_evaluation, 1);
    auto *samples = new QWidget(this);
    auto *samplesLayout = new QVBoxLayout(samples);
    samplesLayout->setContentsMargins(0, 0, 0, 0);
    samplesLayout->addWidget(new QLabel(tr("Sample jobs"), samples));
    samplesLayout->addWidget(m_sampleJobs);
    samplesLayout->addLayout(evaluationRow);
    samples->setVisible(!m_sampleJobs->isEmpty());
    m_sampleJobs->selectFirst();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_editor, 1);
    layout->addLayout(fileRow);
    layout->addWidget(samples);
    layout->addWidget(DialogRows::separator(this));
    layout->addLayout(
        DialogRows::bottomRow({m_errorIcon, m_errorText}, m_okButton, m_cancelButton));

    connect(m_okButton, &QPushButton::clicked, this, &ScriptExpressionDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &ScriptExpressionDialog::reject);
    connect(m_saveButton, &QPushButton::clicked, this, &ScriptExpressionDialog::saveButtonClicked);
    connect(m_saveAsButton, &QPushButton::clicked, this,
            &ScriptExpressionDialog::saveAsButtonClicked);
    connect(m_openButton, &QPushButton::clicked, this, &ScriptExpressionDialog::openButtonClicked);
    connect(m_evaluateButton, &QPushButton::clicked, this,
            &ScriptExpressionDialog::evaluateButtonClicked);
    connect(m_sampleJobs, &GuiLib::SampleJobsView::currentJobChanged, m_evaluation, &QLabel::clear);
    connect(m_editor, &QSEditor::textChanged, m_checkTimer, qOverload<>(&QTimer::start));
    connect(m_checkTimer, &QTimer::timeout, this, &ScriptExpressionDialog::editorTextChanged);

    const QSize size(560, 360);
    setMinimumSize(QSize(400, 260));
    resize(size);
    m_editor->setFocus();
    DialogRows::centre(this);
}

// The editor refers to the interpreter; it goes first.
ScriptExpressionDialog::~ScriptExpressionDialog()
{
    m_editor->setInterpreter(nullptr, nullptr);
}

void ScriptExpressionDialog::setPrompt(const QString &prompt)
{
    m_prompt->setText(prompt);
    m_prompt->setVisible(!prompt.isEmpty());
}

QString ScriptExpressionDialog::text() const
{
    return m_editor->text();
}

void ScriptExpressionDialog::editorTextChanged()
{
    checkNow();
}

bool ScriptExpressionDialog::checkNow()
{
    m_checkTimer->stop();
    const ScriptValidator::SyntaxError error = ScriptValidator::check(m_editor->text());
    const bool acceptable = error.line == 0;
    if (!acceptable) {
        m_errorText->setText(tr("Syntax error in line %1, column %2: %3")
                                 .arg(error.line)
                                 .arg(error.column)
                                 .arg(error.message));
    }
    m_errorIcon->setVisible(!acceptable);
    m_errorText->setVisible(!acceptable);
    m_okButton->setEnabled(acceptable);
    return acceptable;
}

void ScriptExpressionDialog::accept()
{
    // A check still waiting for the typing to stop decides now.
    if (checkNow()) {
        QDialog::accept();
    }
}

QString ScriptExpressionDialog::lastFolder() const
{
    const GuiLib::IAppProxy *proxy = GuiLib::IAppProxy::instance();
    return proxy ? proxy->readSetting(lastPathKey, QVariant()).toString() : QString();
}

void ScriptExpressionDialog::rememberFolder(const QString &path)
{
    m_filePath = path;
    if (GuiLib::IAppProxy *proxy = GuiLib::IAppProxy::instance()) {
        proxy->writeSetting(lastPathKey, QFileInfo(path).absolutePath());
    }
}

void ScriptExpressionDialog::saveButtonClicked()
{
    if (m_filePath.isEmpty()) {
        saveAsButtonClicked();
    } else {
        writeFile(m_filePath);
    }
}

void ScriptExpressionDialog::saveAsButtonClicked()
{
    QFileDialog dialog(this, tr("Save script file"), lastFolder(),
                       tr("Script file") + QStringLiteral(" (*.js)"));
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    QString path = dialog.selectedFiles().constFirst();
    if (!path.endsWith(QLatin1String(".js"))) {
        path += QLatin1String(".js");
    }
    if (writeFile(path)) {
        rememberFolder(path);
    }
}

bool ScriptExpressionDialog::writeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QMessageBox::critical(this, tr("File openning error"),
                              tr("File \"%1\" can't be opened for writing").arg(path));
        return false;
    }
    const QByteArray data = m_editor->text().toUtf8();
    // A full disk shows only when the buffered data is written out.
    if (file.write(data) != data.size() || !file.flush()) {
        QMessageBox::critical(this, tr("File writting error"),
                              tr("Can't write to file \"%1\"").arg(path));
        return false;
    }
    return true;
}

void ScriptExpressionDialog::openButtonClicked()
{
    QFileDialog dialog(this, tr("Open script file"), lastFolder(),
                       tr("Script file") + QStringLiteral(" (*.js)"));
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    if (!m_editor->text().isEmpty()
        && QMessageBox::question(
               this, tr("Replace the script text"),
               tr("Do you want to replace the existent script text by the new one?"),
               QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes) {
        return;
    }
    QString text;
    if (!SRCore::FileHandler::readFile(path, text)) {
        QMessageBox::critical(this, tr("File reading error"),
                              tr("Can't read from file \"%1\"").arg(path));
        return;
    }
    m_editor->setText(text);
    // Setting a text leaves nothing to undo, and yet the dialog's text changed.
    checkNow();
    rememberFolder(path);
}

void ScriptExpressionDialog::evaluateButtonClicked()
{
    GuiLib::IAppProxy *proxy = GuiLib::IAppProxy::instance();
    if (!proxy || !checkNow()) {
        m_evaluation->clear();
        return;
    }
    QString result;
    const bool evaluated = proxy->evaluateScriptExpression(
        m_editor->text(), m_sampleJobs->currentJob(), m_sampleJobs->currentElement(), &result);
    m_evaluation->setText(evaluated ? tr("Value: %1").arg(result) : tr("Error: %1").arg(result));
}

void ScriptExpressionDialog::reject()
{
    if (m_editor->isUndoAvailable()
        && QMessageBox::question(this, tr("Reject changes?"),
                                 tr("Are you sure you wish to cancel script editing and reject "
                                    "all of the current changes?"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               != QMessageBox::Yes) {
        return;
    }
    QDialog::reject();
}

void ScriptExpressionDialog::closeEvent(QCloseEvent *event)
{
    event->ignore();
    reject();
}

} // namespace ScriptingGui
