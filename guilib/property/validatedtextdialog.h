#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTextEdit;
class QValidator;

namespace GuiLib {

// Edits a free text, one item per line, in a modal dialog. With a validator, every change of
// the text is validated as a whole: a text that is not Acceptable shows the "Syntax error"
// marker, with the reason when the creator can give one, and cannot be confirmed. The initial
// text is not validated. An optional "Define variables" button inserts a text with variables,
// made by the application's "sltextwithvar" editor, at the cursor.
class ValidatedTextDialog : public QDialog
{
    Q_OBJECT

public:
    // Why a text that the validator refuses is not acceptable; empty when it cannot tell.
    using ReasonProvider = std::function<QString(const QString &text)>;

    // `validator` is not owned and may be null. `context` is handed unchanged to the variables
    // editor.
    ValidatedTextDialog(QWidget *parent, const QString &title, const QString &prompt,
                        const QString &text, const QString &context, QValidator *validator,
                        bool showDefineVariables);

    void setReasonProvider(ReasonProvider provider) { m_reasonProvider = std::move(provider); }
    QString text() const;

public slots:
    void editorTextChanged();
    void defineVarBtnClicked();

private:
    QLabel *m_prompt;
    QTextEdit *m_textEdit;
    QPushButton *m_defineVariablesButton;
    QLabel *m_errorIcon;
    QLabel *m_errorText;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
    QValidator *m_validator;
    QString m_context;
    ReasonProvider m_reasonProvider;
};

} // namespace GuiLib
