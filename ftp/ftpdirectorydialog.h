#pragma once

#include "ftpentry.h"

#include "guilib/property/iproperty.h"

#include <QDialog>
#include <QVariant>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace TavrixSupportTools {
class FtpIPworks;
}

namespace TavrixSupportUI {

// Chooses a folder on an FTP server. The user gives server, port, user and password (or logs
// in anonymously), passive mode and FTPS, and connects; the dialog logs on, opens the folder of
// the current value (or the server's start folder) and lists it. Double-clicking a folder opens
// it, ".." goes up. Every step and failure is written to the "FTP Log" pane. All FTP work runs
// on the client's worker thread: the dialog only posts requests and reacts to their answers, so
// it never blocks; Cancel aborts a request in progress.
//
// The proxy comes from the application settings "FtpProxy/ProxyHost", "FtpProxy/ProxyType",
// "FtpProxy/ProxyUserName", "FtpProxy/ProxyPassword" and "FtpProxy/ProxyPort"; FTPS trusts
// the certificates of the PEM file "Ftp/TrustedCertificates" when that is set.
class FTPDirectoryDialog : public QDialog
{
    Q_OBJECT

public:
    // `connection` holds the FTP property values by their SRCore::XMLKey tags (FTPServer,
    // FTPPort, FTPLogin, FTPPassword, FTPPassive, FTPTransferMode); `folder` the folder to
    // open first.
    FTPDirectoryDialog(QWidget *parent, const GuiLib::PropertyAttributes &connection,
                       const QString &folder);
    ~FTPDirectoryDialog() override;

    // The chosen folder: the folder selected in the list, else the folder shown.
    QString chosenPath() const;
    // The connection as the user left it, under the same tags; FTPPassive is "Yes" or "No".
    GuiLib::PropertyAttributes connection() const;
    void setTimeouts(int connectSeconds, int responseSeconds);

public slots:
    void connectClicked();
    void anonymousClicked();
    void reject() override;

private:
    void commandFinishedHandler(int command, bool error, const QString &errorText,
                                const QVariant &data);
    void listInfoHandler(const TavrixCommon::FtpEntry &entry);
    void itemDoubleClickedHandler(QTreeWidgetItem *item);
    void changeFolder(const QString &path);
    void listingFinished(bool error, const QString &errorText, const QString &path);
    void setBusy(bool busy);
    void log(const QString &text);
    void updateOk();

    TavrixSupportTools::FtpIPworks *m_client;
    QLineEdit *m_server;
    QSpinBox *m_port;
    QLineEdit *m_user;
    QLineEdit *m_password;
    QCheckBox *m_passive;
    QCheckBox *m_secure;
    QPushButton *m_anonymousButton;
    QPushButton *m_connectButton;
    QLineEdit *m_folder;
    QTreeWidget *m_entries;
    QPlainTextEdit *m_log;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
    QString m_transferMode;
    QString m_startFolder;  // the folder to open after logon
    QString m_serverFolder; // where the server put us at logon
    QString m_listedFolder; // the folder whose entries are shown
    QString m_requestedFolder;
    bool m_busy = false;
    int m_connectTimeoutSeconds = 20;
    int m_responseTimeoutSeconds = 30;
};

} // namespace TavrixSupportUI
