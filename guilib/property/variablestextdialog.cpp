#include "variablestextdialog.h"

#include "dialogrows.h"
#include "iappproxy.h"
#include "samplejobsview.h"
#include "variablesview.h"

#include "corelib/variables/variablemanager.h"
#include "corelib/variables/variabletext.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimerEvent>
#include <QVBoxLayout>

namespace GuiLib {

namespace {

constexpr int EvaluationDelayMs = 200;
constexpr int ToolTipLength = 2048;

} // namespace

VariablesTextDialog::VariablesTextDialog(QWidget *parent, const QString &title, const QString &text,
                                         const QString &context)
    : QDialog(parent)
    , m_sampleJobs(new SampleJobsView(this))
    , m_sampleJobsCaption(new QLabel(tr("Sample jobs"), this))
    , m_variables(new VariablesView(this))
    , m_lineEdit(new QLineEdit(this))
    , m_sampleValueCaption(new QLabel(tr("Sample value"), this))
    , m_sampleValue(new QLabel(this))
    , m_errorIcon(DialogRows::errorIcon(this))
    , m_errorText(new QLabel(tr("Invalid metadata field definition"), this))
    , m_okButton(new QPushButton(tr("Ok"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
    , m_context(context)
{
    setWindowTitle(title);
    setSizeGripEnabled(true);
    m_lineEdit->setObjectName(QStringLiteral("text"));
    m_sampleValue->setObjectName(QStringLiteral("sampleValue"));
    m_sampleValue->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_sampleValue->setTextFormat(Qt::PlainText);
    m_sampleValue->setWordWrap(true);
    m_errorText->setObjectName(QStringLiteral("errorText"));
    m_errorText->setWordWrap(true);
    m_errorText->setMinimumWidth(340);

    const bool hasJobs = !m_sampleJobs->isEmpty();
    if (hasJobs) {
        connect(m_sampleJobs, &SampleJobsView::currentJobChanged, this,
                &VariablesTextDialog::currentJobChangedHandler);
        connect(m_variables, &VariablesView::variableChanged, this,
                &VariablesTextDialog::currentVarChangedHandler);
        connect(m_variables, &VariablesView::restoreSelection, m_sampleJobs,
                &SampleJobsView::restoreSelection);
    }
    connect(m_variables, &VariablesView::insertUpdateVariable, this,
            &VariablesTextDialog::insertUpdateVariableHandler);
    connect(m_lineEdit, &QLineEdit::textEdited, this,
            &VariablesTextDialog::currentVarChangedHandler);
    connect(m_lineEdit, &QLineEdit::cursorPositionChanged, this,
            &VariablesTextDialog::cursorPositionChangedHandler);
    m_lineEdit->installEventFilter(this); // for its loss of focus
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_sampleJobsCaption);
    layout->addWidget(m_sampleJobs);
    layout->addWidget(m_variables, 1);
    layout->addWidget(new QLabel(tr("Text with variables"), this));
    layout->addWidget(m_lineEdit);
    auto *valueRow = new QHBoxLayout;
    valueRow->addWidget(m_sampleValueCaption);
    valueRow->addWidget(m_sampleValue, 1);
    layout->addLayout(valueRow);
    layout->addWidget(DialogRows::separator(this));
    layout->addLayout(
        DialogRows::bottomRow({m_errorIcon, m_errorText}, m_okButton, m_cancelButton));

    m_sampleJobsCaption->setVisible(hasJobs);
    m_sampleJobs->setVisible(hasJobs);
    m_sampleValueCaption->hide();
    m_sampleValue->hide();
    m_errorIcon->hide();
    m_errorText->hide();
    m_lineEdit->setText(text);
    m_lineEdit->setFocus();
    // An invalid text opens without its errors; a valid one names its unknown variables.
    if (validate(0, true)) {
        showUnknownVariables();
    }
    m_sampleJobs->selectFirst();
    if (hasJobs) {
        m_textToEvaluate = text;
        restartTimer();
    }
    const QSize size = sizeHint().expandedTo(QSize(520, 460));
    setMinimumSize(sizeHint());
    resize(size);
    DialogRows::centre(this);
}

VariablesTextDialog::~VariablesTextDialog()
{
    if (m_timerId) {
        killTimer(m_timerId);
    }
}

QString VariablesTextDialog::text() const
{
    return m_lineEdit->text();
}

bool VariablesTextDialog::validate(int position, bool quiet)
{
    SRCore::VariableTextPart part;
    SRCore::VariableProblems problems;
    const bool valid = SRCore::VariableManager::instance()->validateTextProperty(
        m_lineEdit->text(), position, &part, &problems);
    if (valid) {
        m_variableStart = part.isVariable() ? part.start : 0;
        m_variableEnd = part.isVariable() ? part.end : 0;
        if (part.isVariable()) {
            m_variables->showVariable(part.fullName());
        }
    }
    if (quiet) {
        return valid;
    }
    if (valid) {
        m_errorIcon->hide();
        m_errorText->hide();
        m_okButton->setEnabled(true);
        return true;
    }
    QStringList texts;
    for (const SRCore::VariableProblem &problem : std::as_const(problems)) {
        texts.append(SRCore::VariableManager::formatVariableError(problem));
    }
    m_errorText->setText(texts.join(QLatin1Char(';')));
    m_errorIcon->show();
    m_errorText->show();
    m_okButton->setEnabled(false);
    return false;
}

void VariablesTextDialog::showUnknownVariables()
{
    const QStringList names = SRCore::VariableText::parse(m_lineEdit->text()).variableNames();
    const QStringList unknown =
        SRCore::VariableManager::instance()->checkForUnknownVariables(names);
    if (unknown.isEmpty()) {
        return;
    }
    m_errorText->setText(unknown.join(QStringLiteral("; ")) + tr(" - unknown variable(s)"));
    m_errorIcon->show();
    m_errorText->show();
}

void VariablesTextDialog::restartTimer()
{
    if (m_timerId) {
        killTimer(m_timerId);
    }
    m_timerId = startTimer(EvaluationDelayMs);
}

void VariablesTextDialog::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timerId) {
        QDialog::timerEvent(event);
        return;
    }
    killTimer(m_timerId);
    m_timerId = 0;
    updateCalculatedValues(m_singleVariable, m_textToEvaluate);
}

void VariablesTextDialog::currentVarChangedHandler(const QString &var)
{
    const bool fromText = sender() == m_lineEdit;
    // An edit that leaves the cursor where it was (Delete) is validated here.
    if (fromText && validate(m_lineEdit->cursorPosition(), false)) {
        showUnknownVariables();
    }
    if (m_jobPrefix.isEmpty() || m_lineEdit->text().isEmpty()) {
        return;
    }
    if (fromText) {
        m_textToEvaluate = var;
    } else {
        m_singleVariable = var;
    }
    restartTimer();
}

void VariablesTextDialog::currentJobChangedHandler(const QString &prefix, const QString &objectId)
{
    m_jobPrefix = prefix;
    m_jobObjectId = objectId;
    if (!prefix.isEmpty()) {
        m_singleVariable = m_variables->currentVariable();
        m_textToEvaluate = m_lineEdit->text();
        restartTimer();
    }
}

void VariablesTextDialog::cursorPositionChangedHandler(int, int newPos)
{
    if (!m_lineEdit->hasFocus()) {
        return;
    }
    m_lineEdit->setPalette(QPalette());
    if (!validate(newPos, false)) {
        return;
    }
    showUnknownVariables();
    m_singleVariable = m_variables->currentVariable();
    m_textToEvaluate = m_lineEdit->text();
    if (!m_jobPrefix.isEmpty()) {
        restartTimer();
    }
}

void VariablesTextDialog::insertUpdateVariableHandler(const QString &variable)
{
    const int cursor = m_lineEdit->cursorPosition();
    if (!validate(cursor, true)) {
        return;
    }
    QString text = m_lineEdit->text();
    int position = cursor;
    if (m_variableStart != m_variableEnd) {
        text.replace(m_variableStart, m_variableEnd - m_variableStart, variable);
        position = m_variableStart;
    } else {
        text.insert(cursor, variable);
    }
    m_lineEdit->setText(text);
    m_lineEdit->setCursorPosition(position + int(variable.size()));
    validate(m_lineEdit->cursorPosition(), false);
    showUnknownVariables();
    m_textToEvaluate = text;
    if (!m_jobPrefix.isEmpty()) {
        restartTimer();
    }
}

void VariablesTextDialog::lostFocusHandler()
{
    if (m_variableStart == m_variableEnd) {
        return;
    }
    // The variable under the cursor stays marked while the user works in the browser.
    QPalette palette = m_lineEdit->palette();
    palette.setColor(QPalette::Active, QPalette::Highlight,
                     palette.color(QPalette::Inactive, QPalette::Highlight));
    m_lineEdit->setPalette(palette);
    m_lineEdit->setSelection(m_variableStart, m_variableEnd - m_variableStart);
}

bool VariablesTextDialog::eventFilter(QObject *watched, QEvent *event)
{
    // After the line edit's own handling, which drops its selection.
    if (watched == m_lineEdit && event->type() == QEvent::FocusOut) {
        QMetaObject::invokeMethod(this, &VariablesTextDialog::lostFocusHandler,
                                  Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void VariablesTextDialog::updateCalculatedValues(const QString &singlVar, const QString &textVar)
{
    IAppProxy *proxy = IAppProxy::instance();
    if (!proxy || m_jobPrefix.isEmpty()) {
        return;
    }
    validate(m_lineEdit->cursorPosition(), true);
    QStringList names;
    if (!singlVar.isEmpty()) {
        names.append(singlVar);
    }
    names.append(textVar);
    const QStringList values = proxy->variableValues(names, m_jobPrefix, m_sampleJobs->flowId(),
                                                     m_jobObjectId, m_context, false);
    if (values.size() != names.size()) {
        return; // the application reported why
    }
    if (!singlVar.isEmpty()) {
        m_variables->setVariableValue(values.first());
    }
    const QString value = values.last();
    m_sampleValue->setText(value);
    m_sampleValue->setToolTip(value.left(ToolTipLength));
    m_sampleValueCaption->show();
    m_sampleValue->show();
}

} // namespace GuiLib
