#include "validatedtextdialog.h"

#include "dialogrows.h"
#include "iappproxy.h"
#include "ivalueeditor.h"
#include "propertylogging.h"
#include "valueeditorrequest.h"

#include "corelib/vocabulary/xmlvalues.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QValidator>

namespace GuiLib {

ValidatedTextDialog::ValidatedTextDialog(QWidget *parent, const QString &title,
                                         const QString &prompt, const QString &text,
                                         const QString &context, QValidator *validator,
                                         bool showDefineVariables)
    : QDialog(parent)
    , m_prompt(DialogRows::promptLabel(prompt, this))
    , m_textEdit(new QTextEdit(this))
    , m_defineVariablesButton(new QPushButton(tr("Define variables"), this))
    , m_errorIcon(DialogRows::errorIcon(this))
    , m_errorText(new QLabel(tr("Syntax error"), this))
    , m_okButton(new QPushButton(tr("Ok"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
    , m_validator(validator)
    , m_context(context)
{
    setWindowTitle(title);
    setSizeGripEnabled(true);
    m_textEdit->setAcceptRichText(false);
    m_textEdit->setPlainText(text);
    m_textEdit->document()->setUndoRedoEnabled(false);
    m_errorText->setObjectName(QStringLiteral("errorText"));
    m_errorText->setWordWrap(true);
    m_errorIcon->hide();
    m_errorText->hide();
    m_defineVariablesButton->setObjectName(QStringLiteral("defineVariablesButton"));
    m_defineVariablesButton->setVisible(showDefineVariables);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_textEdit, 1);
    auto *variablesRow = new QHBoxLayout;
    variablesRow->setContentsMargins(0, 0, 0, 0);
    variablesRow->setSpacing(0);
    variablesRow->addStretch();
    variablesRow->addWidget(m_defineVariablesButton);
    layout->addLayout(variablesRow);
    layout->addWidget(DialogRows::separator(this));
    layout->addLayout(
        DialogRows::bottomRow({m_errorIcon, m_errorText}, m_okButton, m_cancelButton));

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_textEdit, &QTextEdit::textChanged, this, &ValidatedTextDialog::editorTextChanged);
    connect(m_defineVariablesButton, &QPushButton::clicked, this,
            &ValidatedTextDialog::defineVarBtnClicked);

    const QSize size(440, 280);
    setMinimumSize(size);
    resize(size);
    m_textEdit->setFocus();
    DialogRows::centre(this);
}

QString ValidatedTextDialog::text() const
{
    return m_textEdit->toPlainText();
}

void ValidatedTextDialog::editorTextChanged()
{
    if (!m_validator) {
        return;
    }
    QString text = m_textEdit->toPlainText();
    int position = 0;
    const bool acceptable = m_validator->validate(text, position) == QValidator::Acceptable;
    if (!acceptable) {
        const QString reason = m_reasonProvider ? m_reasonProvider(text) : QString();
        m_errorText->setText(reason.isEmpty() ? tr("Syntax error")
                                              : tr("Syntax error: %1").arg(reason));
    }
    m_errorIcon->setVisible(!acceptable);
    m_errorText->setVisible(!acceptable);
    m_okButton->setEnabled(acceptable);
}

void ValidatedTextDialog::defineVarBtnClicked()
{
    IAppProxy *proxy = IAppProxy::instance();
    if (!proxy || m_defineVariablesButton->isHidden()) {
        return;
    }
    ValueEditorRequest request;
    request.editorType = SRCore::XMLValues::EDITOR_SLTEXTWITHVAR;
    request.caption = tr("Define text with variables");
    request.propertyType = SRCore::XMLValues::EDITORTYPE_STRING;
    request.currentEditor = SRCore::XMLValues::EDITOR_DESCRIPTION;
    request.context = m_context;
    request.parent = this;
    QString errorMessage;
    const std::unique_ptr<IValueEditor> editor = proxy->createValueEditor(request, &errorMessage);
    if (!editor) {
        qCWarning(lcGuiLibProperty) << errorMessage;
        return;
    }
    if (editor->exec() && !editor->value().isEmpty()) {
        m_textEdit->insertPlainText(editor->value());
    }
}

} // namespace GuiLib
