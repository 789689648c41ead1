#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;
class QSEditor;
class QSInterpreter;
class QSObjectFactory;
class QTimer;

namespace GuiLib {
class SampleJobsView;
}

namespace ScriptingGui {

class ScriptValidator;

// Edits a script expression in the JavaScript editor. The syntax is checked while the user
// types, a moment after the last key: an expression that does not compile shows the "Syntax
// error" marker with its line, column and reason and cannot be confirmed. The expression can be
// loaded from and saved to ".js" files (the folder last used is kept in the settings under
// "Editors/ScriptExpressionDialog_LastPath"). Cancelling edits asks first. With sample jobs,
// "Evaluate" shows the expression's value for the chosen one, computed by the application.
class ScriptExpressionDialog : public QDialog
{
    Q_OBJECT

public:
    ScriptExpressionDialog(QWidget *parent, const QString &text);
    ~ScriptExpressionDialog() override;

    void setPrompt(const QString &prompt);
    QString text() const;

public slots:
    void editorTextChanged();
    void saveButtonClicked();
    void saveAsButtonClicked();
    void openButtonClicked();
    void evaluateButtonClicked();
    void accept() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Checks the text now; true when it compiles.
    bool checkNow();
    bool writeFile(const QString &path);
    void rememberFolder(const QString &path);
    QString lastFolder() const;

    QLabel *m_prompt;
    QSEditor *m_editor;
    std::unique_ptr<QSInterpreter> m_interpreter;
    QSObjectFactory *m_objectFactory;
    std::unique_ptr<ScriptValidator> m_validator;
    QTimer *m_checkTimer;
    QLabel *m_errorIcon;
    QLabel *m_errorText;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
    QPushButton *m_saveButton;
    QPushButton *m_saveAsButton;
    QPushButton *m_openButton;
    GuiLib::SampleJobsView *m_sampleJobs;
    QPushButton *m_evaluateButton;
    QLabel *m_evaluation;
    QString m_filePath;
};

} // namespace ScriptingGui
