#include "ftpanonymousdialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace TavrixSupportUI {

FTPAnonymousDialog::FTPAnonymousDialog(QWidget *parent)
    : QDialog(parent)
    , m_email(new QLineEdit(this))
{
    setWindowTitle(tr("Anonymous login"));
    m_email->setObjectName(QStringLiteral("email"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Email address for anonymous login"), this));
    layout->addWidget(m_email);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString FTPAnonymousDialog::emailAddress() const
{
    return m_email->text().trimmed();
}

} // namespace TavrixSupportUI
