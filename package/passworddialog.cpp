#include "passworddialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace Scripter {

PasswordDialog::PasswordDialog(QWidget *parent)
    : QDialog(parent)
    , m_passwordEdit(new QLineEdit(this))
    , m_okButton(new QPushButton(tr("OK"), this))
{
    setWindowTitle(tr("Enter password"));

    auto *passwordRow = new QHBoxLayout;
    passwordRow->setContentsMargins(0, 0, 0, 0);
    passwordRow->addWidget(new QLabel(tr("Password:"), this));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    passwordRow->addWidget(m_passwordEdit);

    auto *cancelButton = new QPushButton(tr("Cancel"), this);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->addStretch();
    buttonRow->addWidget(m_okButton);
    buttonRow->addWidget(cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(tr("Script is protected by password. Enter password to open it"), this));
    layout->addLayout(passwordRow);
    layout->addLayout(buttonRow);

    // Return in the line edit accepts, but only once "OK" is enabled.
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_passwordEdit, &QLineEdit::textChanged, this, &PasswordDialog::updateButtons);
    updateButtons();

    setMinimumSize(sizeHint());
    setMaximumHeight(sizeHint().height());
}

QString PasswordDialog::password() const
{
    return m_passwordEdit->text();
}

void PasswordDialog::updateButtons()
{
    m_okButton->setEnabled(!m_passwordEdit->text().isEmpty());
}

} // namespace Scripter
