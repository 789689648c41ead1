#pragma once

#include <QDialog>

class QLineEdit;

namespace TavrixSupportUI {

// Asks for the e-mail address that an anonymous FTP login gives as its password.
class FTPAnonymousDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FTPAnonymousDialog(QWidget *parent = nullptr);

    QString emailAddress() const;

private:
    QLineEdit *m_email;
};

} // namespace TavrixSupportUI
