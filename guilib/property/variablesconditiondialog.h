#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

namespace GuiLib {

class ConditionList;
class PrecedenceSection;
class SampleJobsView;
class VariablesView;

// Builds a condition over job variables row by row: each row compares a variable with a value
// by an operator that fits the variable's data type, rows are joined by AND or OR, and a mixed
// condition gets a chosen precedence. The whole condition is validated after every change (a
// date compared with text, a regular expression that does not compile, ...); OK needs a valid
// one. For the current sample job each row shows its variable's value, and the dialog shows
// whether the condition holds.
class VariablesConditionDialog : public QDialog
{
    Q_OBJECT

public:
    // `value` is the stored condition (SRCore::VariableManager's XML); `context` is handed to
    // the evaluation.
    VariablesConditionDialog(QWidget *parent, const QString &title, const QString &value,
                             const QString &context);

    // Reads a stored condition into the rows. False for an empty or malformed text: the dialog
    // then says "Condition is not valid" and OK is unavailable until the rows make one.
    bool loadValue(const QString &value);
    // The condition as stored.
    QString value() const;

private:
    void conditionChangedHandler();
    void currentJobChangedHandler(const QString &job, const QString &objectId);
    void updateSampleValues();
    QStringList evaluate(const QStringList &texts, bool condition) const;
    void showProblem(const QString &text);

    SampleJobsView *m_sampleJobs;
    VariablesView *m_variables;
    ConditionList *m_conditions;
    QScrollArea *m_conditionsArea;
    PrecedenceSection *m_precedence;
    QLabel *m_outcome;
    QLabel *m_errorIcon;
    QLabel *m_errorText;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
    QString m_context;
    QString m_job;
    QString m_objectId;
    // The stored value could not be read: its error stays until the user changes the rows.
    bool m_unreadValue = false;
};

} // namespace GuiLib
