#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace Scripter {

// Asks for the password of a protected script package before it is opened. The entered text is
// read back with password() after exec(); the caller compares it.
class PasswordDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PasswordDialog(QWidget *parent = nullptr);

    QString password() const;

public slots:
    // "OK" is enabled exactly while a password is entered.
    void updateButtons();

private:
    QLineEdit *m_passwordEdit;
    QPushButton *m_okButton;
};

} // namespace Scripter
