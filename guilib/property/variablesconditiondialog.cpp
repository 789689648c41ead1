#include "variablesconditiondialog.h"

#include "conditionlist.h"
#include "dialogrows.h"
#include "iappproxy.h"
#include "precedencesection.h"
#include "samplejobsview.h"
#include "variablesview.h"

#include "corelib/variables/variablecondition.h"
#include "corelib/variables/variablemanager.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

namespace GuiLib {

namespace {

using SRCore::VariableCondition;
using SRCore::VariableManager;

} // namespace

VariablesConditionDialog::VariablesConditionDialog(QWidget *parent, const QString &title,
                                                   const QString &value, const QString &context)
    : QDialog(parent)
    , m_sampleJobs(new SampleJobsView(this))
    , m_variables(new VariablesView(this))
    , m_conditions(new ConditionList)
    , m_conditionsArea(new QScrollArea(this))
    , m_precedence(new PrecedenceSection(this))
    , m_outcome(new QLabel(this))
    , m_errorIcon(DialogRows::errorIcon(this))
    , m_errorText(new QLabel(this))
    , m_okButton(new QPushButton(tr("OK"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
    , m_context(context)
{
    setWindowTitle(title);
    setSizeGripEnabled(true);
    m_outcome->setObjectName(QStringLiteral("outcome"));
    m_errorText->setObjectName(QStringLiteral("errorText"));
    m_errorText->setWordWrap(true);
    m_errorText->hide();
    m_conditionsArea->setWidget(m_conditions);
    m_conditionsArea->setWidgetResizable(true);
    m_precedence->hide();

    auto *jobsCaption = new QLabel(tr("Sample jobs"), this);
    const bool hasJobs = !m_sampleJobs->isEmpty();
    jobsCaption->setVisible(hasJobs);
    m_sampleJobs->setVisible(hasJobs);
    m_outcome->setVisible(hasJobs);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_conditionsArea, 2);
    layout->addWidget(m_precedence);
    layout->addWidget(jobsCaption);
    layout->addWidget(m_sampleJobs);
    layout->addWidget(m_outcome);
    layout->addWidget(m_variables, 2);
    layout->addWidget(DialogRows::separator(this));
    layout->addLayout(
        DialogRows::bottomRow({m_errorIcon, m_errorText}, m_okButton, m_cancelButton));

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_conditions, &ConditionList::conditionChanged, this,
            &VariablesConditionDialog::conditionChangedHandler);
    connect(m_precedence, &PrecedenceSection::precedenceChanged, this,
            &VariablesConditionDialog::conditionChangedHandler);
    connect(m_conditions, &ConditionList::showPrecedenceSection, m_precedence,
            &QWidget::setVisible);
    connect(m_conditions, &ConditionList::synchronize, this,
            [this](const SRCore::Variable &variable) {
                m_variables->showVariable(variable.fullName());
            });
    connect(m_conditions, &ConditionList::sampleValueWanted, this,
            &VariablesConditionDialog::updateSampleValues);
    connect(m_variables, &VariablesView::insertUpdateVariable, m_conditions,
            &ConditionList::setSelectedVariable);
    if (hasJobs) {
        connect(m_sampleJobs, &SampleJobsView::currentJobChanged, this,
                &VariablesConditionDialog::currentJobChangedHandler);
        connect(m_variables, &VariablesView::restoreSelection, m_sampleJobs,
                &SampleJobsView::restoreSelection);
    }

    loadValue(value);
    m_sampleJobs->selectFirst();
    resize(sizeHint().expandedTo(QSize(760, 560)));
    DialogRows::centre(this);
}

bool VariablesConditionDialog::loadValue(const QString &value)
{
    VariableCondition condition;
    const bool read = VariableManager::instance()->getConditionFromXML(value, &condition);
    m_conditions->setCondition(condition);
    m_precedence->setPrecedence(int(condition.precedence()));
    m_unreadValue = !read;
    if (!read) {
        m_errorText->setText(QString());
        m_errorText->setToolTip(QString());
        showProblem(tr("Condition is not valid"));
        return false;
    }
    conditionChangedHandler();
    return true;
}

QString VariablesConditionDialog::value() const
{
    VariableCondition condition = m_conditions->condition();
    condition.setPrecedence(VariableCondition::Precedence(m_precedence->precedence()));
    return VariableManager::getXMLfromCondition(condition);
}

void VariablesConditionDialog::showProblem(const QString &text)
{
    m_errorText->setText(text);
    m_errorText->setToolTip(text);
    m_errorIcon->show();
    m_errorText->show();
    m_okButton->setEnabled(false);
    m_outcome->clear();
}

void VariablesConditionDialog::conditionChangedHandler()
{
    m_unreadValue = false;
    VariableCondition condition = m_conditions->condition();
    condition.setPrecedence(VariableCondition::Precedence(m_precedence->precedence()));
    const SRCore::VariableProblems problems =
        VariableManager::instance()->validateCondition(condition);
    if (!problems.isEmpty()) {
        QStringList texts;
        for (const SRCore::VariableProblem &problem : problems) {
            texts.append(VariableManager::formatVariableError(problem));
        }
        showProblem(texts.join(QLatin1Char(';')));
        return;
    }
    m_errorIcon->hide();
    m_errorText->hide();
    m_okButton->setEnabled(true);
    if (m_job.isEmpty()) {
        return;
    }
    const QStringList outcome = evaluate({VariableManager::getXMLfromCondition(condition)}, true);
    m_outcome->setText(outcome.value(0) == QLatin1String("true")
                           ? tr("The condition holds for this sample job")
                       : outcome.value(0) == QLatin1String("false")
                           ? tr("The condition does not hold for this sample job")
                           : tr("The condition cannot be decided for this sample job"));
}

QStringList VariablesConditionDialog::evaluate(const QStringList &texts, bool condition) const
{
    IAppProxy *proxy = IAppProxy::instance();
    if (!proxy || m_job.isEmpty()) {
        return {};
    }
    return proxy->variableValues(texts, m_job, m_sampleJobs->flowId(), m_objectId, m_context,
                                 condition);
}

void VariablesConditionDialog::currentJobChangedHandler(const QString &job, const QString &objectId)
{
    m_job = job;
    m_objectId = objectId;
    updateSampleValues();
    if (!m_unreadValue) {
        conditionChangedHandler();
    }
}

void VariablesConditionDialog::updateSampleValues()
{
    if (m_job.isEmpty()) {
        return;
    }
    m_conditions->setSampleValues(
        [this](const QString &variable) { return evaluate({variable}, false).value(0); });
}

} // namespace GuiLib
