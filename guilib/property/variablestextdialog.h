#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace GuiLib {

class SampleJobsView;
class VariablesView;

// Composes a single line of text with variables ("Invoice [Job.NameProper] of [Server.Date]").
// The text is validated at the cursor on every edit and cursor move: a text that does not
// validate shows its problems and cannot be confirmed; variables that the catalogue does not
// know are named. The variables browser follows the variable under the cursor, and picking a
// variable there replaces that variable or is inserted at the cursor. For the current sample
// job, the value of the browser's variable and of the whole text are shown, computed a moment
// (200 ms) after the last change through the application proxy.
class VariablesTextDialog : public QDialog
{
    Q_OBJECT

public:
    // `context` is handed to the evaluation.
    VariablesTextDialog(QWidget *parent, const QString &title, const QString &text,
                        const QString &context);
    ~VariablesTextDialog() override;

    QString text() const;

public slots:
    void currentVarChangedHandler(const QString &var);
    void currentJobChangedHandler(const QString &prefix, const QString &objectId);
    void cursorPositionChangedHandler(int oldPos, int newPos);
    void insertUpdateVariableHandler(const QString &variable);
    void lostFocusHandler();
    void updateCalculatedValues(const QString &singlVar, const QString &textVar);

protected:
    void timerEvent(QTimerEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Validates the text at `position`, showing or hiding the problems unless `quiet`; true
    // when valid. The variable found there goes to m_variableStart/End.
    bool validate(int position, bool quiet);
    void showUnknownVariables();
    void restartTimer();

    SampleJobsView *m_sampleJobs;
    QLabel *m_sampleJobsCaption;
    VariablesView *m_variables;
    QLineEdit *m_lineEdit;
    QLabel *m_sampleValueCaption;
    QLabel *m_sampleValue;
    QLabel *m_errorIcon;
    QLabel *m_errorText;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
    QString m_context;
    QString m_jobPrefix;
    QString m_jobObjectId;
    int m_variableStart = 0;
    int m_variableEnd = 0;
    QString m_singleVariable;
    QString m_textToEvaluate;
    int m_timerId = 0;
};

} // namespace GuiLib
