#include "ftpdirectorydialog.h"

#include "ftpanonymousdialog.h"
#include "ftpipworks.h"
#include "ftpipworkslistener.h"

#include "guilib/property/dialogrows.h"
#include "guilib/property/iappproxy.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace TavrixSupportUI {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;
using Command = TavrixSupportTools::FtpIPworksListener::Command;

constexpr int IsFolderRole = Qt::UserRole;
constexpr int IsParentRole = Qt::UserRole + 1;
const QString secureKey = QStringLiteral("Editors/FTPDir_ExplicitTls");

QVariant setting(const QString &key)
{
    const GuiLib::IAppProxy *proxy = GuiLib::IAppProxy::instance();
    return proxy ? proxy->readSetting(key, QVariant()) : QVariant();
}

QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString parentOf(const QString &folder)
{
    const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : folder.left(slash);
}

QString sizeText(qint64 size)
{
    return QLocale().toString(size < 1024 ? 1 : (size + 1023) / 1024) + QStringLiteral(" KB");
}

} // namespace

FTPDirectoryDialog::FTPDirectoryDialog(QWidget *parent,
                                       const GuiLib::PropertyAttributes &connection,
                                       const QString &folder)
    : QDialog(parent)
    , m_client(new TavrixSupportTools::FtpIPworks(this))
    , m_server(new QLineEdit(connection.value(XMLKey::FTPSERVER), this))
    , m_port(new QSpinBox(this))
    , m_user(new QLineEdit(connection.value(XMLKey::FTPLOGIN), this))
    , m_password(new QLineEdit(connection.value(XMLKey::FTPPASSWORD), this))
    , m_passive(new QCheckBox(tr("Passive mode"), this))
    , m_secure(new QCheckBox(tr("FTPS (explicit TLS)"), this))
    , m_anonymousButton(new QPushButton(tr("Anonymous"), this))
    , m_connectButton(new QPushButton(tr("Connect"), this))
    , m_folder(new QLineEdit(folder, this))
    , m_entries(new QTreeWidget(this))
    , m_log(new QPlainTextEdit(this))
    , m_okButton(new QPushButton(tr("Ok"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
    , m_transferMode(connection.value(XMLKey::FTPTRANSFERMODE))
    , m_startFolder(folder)
{
    setWindowTitle(tr("Choose FTP directory"));
    setSizeGripEnabled(true);
    m_server->setObjectName(QStringLiteral("server"));
    m_port->setObjectName(QStringLiteral("port"));
    m_user->setObjectName(QStringLiteral("user"));
    m_password->setObjectName(QStringLiteral("password"));
    m_folder->setObjectName(QStringLiteral("folder"));
    m_entries->setObjectName(QStringLiteral("entries"));
    m_log->setObjectName(QStringLiteral("log"));
    m_connectButton->setObjectName(QStringLiteral("connectButton"));
    m_anonymousButton->setObjectName(QStringLiteral("anonymousButton"));
    m_port->setRange(1, 65535);
    bool portGiven = false;
    const int port = connection.value(XMLKey::FTPPORT).toInt(&portGiven);
    m_port->setValue(portGiven && port > 0 && port < 65536 ? port : 21);
    m_password->setEchoMode(QLineEdit::Password);
    m_passive->setChecked(connection.value(XMLKey::FTPPASSIVE, XMLValues::YES) != XMLValues::NO);
    m_secure->setChecked(setting(secureKey).toBool());
    m_entries->setHeaderLabels({tr("File name"), tr("Size"), tr("Modified")});
    m_entries->setRootIsDecorated(false);
    m_entries->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(1000);

    auto *connectionGrid = new QGridLayout;
    connectionGrid->addWidget(new QLabel(tr("Server:"), this), 0, 0);
    connectionGrid->addWidget(m_server, 0, 1);
    connectionGrid->addWidget(new QLabel(tr("Port:"), this), 0, 2);
    connectionGrid->addWidget(m_port, 0, 3);
    connectionGrid->addWidget(new QLabel(tr("User:"), this), 1, 0);
    connectionGrid->addWidget(m_user, 1, 1);
    connectionGrid->addWidget(new QLabel(tr("Password:"), this), 1, 2);
    connectionGrid->addWidget(m_password, 1, 3);
    connectionGrid->addWidget(m_anonymousButton, 1, 4);
    connectionGrid->addWidget(m_passive, 2, 1);
    connectionGrid->addWidget(m_secure, 2, 3);
    connectionGrid->addWidget(m_connectButton, 2, 4);
    connectionGrid->setColumnStretch(1, 1);
    auto *folderRow = new QFormLayout;
    folderRow->addRow(tr("Folder:"), m_folder);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(connectionGrid);
    layout->addLayout(folderRow);
    layout->addWidget(m_entries, 3);
    layout->addWidget(new QLabel(tr("FTP Log"), this));
    layout->addWidget(m_log, 1);
    layout->addWidget(GuiLib::DialogRows::separator(this));
    layout->addLayout(GuiLib::DialogRows::bottomRow({}, m_okButton, m_cancelButton));

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &FTPDirectoryDialog::reject);
    connect(m_connectButton, &QPushButton::clicked, this, &FTPDirectoryDialog::connectClicked);
    connect(m_anonymousButton, &QPushButton::clicked, this, &FTPDirectoryDialog::anonymousClicked);
    connect(m_folder, &QLineEdit::textChanged, this, &FTPDirectoryDialog::updateOk);
    connect(m_folder, &QLineEdit::returnPressed, this, [this] {
        if (!m_listedFolder.isEmpty() && !m_busy) {
            changeFolder(m_folder->text().trimmed());
        }
    });
    connect(m_entries, &QTreeWidget::itemDoubleClicked, this,
            &FTPDirectoryDialog::itemDoubleClickedHandler);
    connect(m_entries, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem *> selected = m_entries->selectedItems();
        if (!selected.isEmpty() && selected.first()->data(0, IsFolderRole).toBool()
            && !selected.first()->data(0, IsParentRole).toBool()) {
            m_folder->setText(joined(m_listedFolder, selected.first()->text(0)));
        } else if (!m_listedFolder.isEmpty()) {
            m_folder->setText(m_listedFolder);
        }
    });
    connect(m_client, &TavrixSupportTools::FtpIPworks::commandFinished, this,
            &FTPDirectoryDialog::commandFinishedHandler);
    connect(m_client, &TavrixSupportTools::FtpIPworks::listInfo, this,
            &FTPDirectoryDialog::listInfoHandler);

    resize(620, 520);
    updateOk();
    GuiLib::DialogRows::centre(this);
}

FTPDirectoryDialog::~FTPDirectoryDialog()
{
    setBusy(false);
}

void FTPDirectoryDialog::setTimeouts(int connectSeconds, int responseSeconds)
{
    m_connectTimeoutSeconds = connectSeconds;
    m_responseTimeoutSeconds = responseSeconds;
}

QString FTPDirectoryDialog::chosenPath() const
{
    return m_folder->text().trimmed();
}

GuiLib::PropertyAttributes FTPDirectoryDialog::connection() const
{
    return {
        {XMLKey::FTPSERVER, m_server->text().trimmed()},
        {XMLKey::FTPPORT, QString::number(m_port->value())},
        {XMLKey::FTPLOGIN, m_user->text()},
        {XMLKey::FTPPASSWORD, m_password->text()},
        {XMLKey::FTPPASSIVE, m_passive->isChecked() ? XMLValues::YES : XMLValues::NO},
    };
}

void FTPDirectoryDialog::log(const QString &text)
{
    m_log->appendPlainText(text);
}

void FTPDirectoryDialog::setBusy(bool busy)
{
    if (busy == m_busy) {
        return;
    }
    m_busy = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
    m_connectButton->setEnabled(!busy);
    m_anonymousButton->setEnabled(!busy);
    updateOk();
}

void FTPDirectoryDialog::updateOk()
{
    m_okButton->setEnabled(!m_busy && chosenPath().startsWith(QLatin1Char('/')));
}

void FTPDirectoryDialog::anonymousClicked()
{
    FTPAnonymousDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    m_user->setText(QStringLiteral("anonymous"));
    m_password->setText(dialog.emailAddress());
    connectClicked();
}

void FTPDirectoryDialog::connectClicked()
{
    const QString host = m_server->text().trimmed();
    if (host.isEmpty() || m_busy) {
        log(tr("Enter the FTP server to connect to"));
        return;
    }
    if (GuiLib::IAppProxy *proxy = GuiLib::IAppProxy::instance()) {
        proxy->writeSetting(secureKey, m_secure->isChecked());
    }
    m_entries->clear();
    m_listedFolder.clear();
    m_serverFolder.clear();
    setBusy(true);
    log(tr("Connecting to %1...").arg(host));

    TavrixCommon::FtpConnectionSettings settings;
    settings.host = host;
    settings.port = quint16(m_port->value());
    settings.proxyHost = setting(QStringLiteral("FtpProxy/ProxyHost")).toString();
    settings.proxyType = setting(QStringLiteral("FtpProxy/ProxyType")).toString();
    settings.proxyUser = setting(QStringLiteral("FtpProxy/ProxyUserName")).toString();
    settings.proxyPassword = setting(QStringLiteral("FtpProxy/ProxyPassword")).toString();
    settings.proxyPort = quint16(setting(QStringLiteral("FtpProxy/ProxyPort")).toUInt());
    settings.secure = m_secure->isChecked();
    settings.trustedCertificates = setting(QStringLiteral("Ftp/TrustedCertificates")).toString();
    settings.connectTimeoutSeconds = m_connectTimeoutSeconds;
    settings.responseTimeoutSeconds = m_responseTimeoutSeconds;

    m_client->setPassive(m_passive->isChecked());
    m_client->setTransferBinary(m_transferMode.compare(QLatin1String("ASCII"), Qt::CaseInsensitive)
                                != 0);
    m_client->connectToHost(settings);
}

void FTPDirectoryDialog::changeFolder(const QString &path)
{
    m_requestedFolder = path;
    setBusy(true);
    m_client->cd(path);
}

void FTPDirectoryDialog::commandFinishedHandler(int command, bool error, const QString &errorText,
                                                const QVariant &data)
{
    const QString host = m_server->text().trimmed();
    if (command == Command::ListingDone) {
        listingFinished(error, errorText, data.toString());
        return;
    }
    if (error) {
        log(errorText);
        if (command != Command::PassiveSet && command != Command::TransferModeSet) {
            setBusy(false);
        }
        return;
    }
    switch (command) {
    case Command::ConnectParametersSet:
        log(tr("Connected to %1").arg(host));
        m_client->login(m_user->text(), m_password->text());
        break;
    case Command::LoggedOn:
        log(tr("Logged onto %1").arg(host));
        m_serverFolder = data.toString();
        if (m_startFolder.startsWith(QLatin1Char('/'))) {
            changeFolder(m_startFolder);
        } else {
            m_requestedFolder = m_serverFolder;
            m_client->list();
        }
        break;
    case Command::DirectoryChanged:
        m_entries->clear();
        m_client->list();
        break;
    default:
        break;
    }
}

void FTPDirectoryDialog::listingFinished(bool error, const QString &errorText, const QString &path)
{
    if (error) {
        log(errorText);
        // A remembered folder that is gone: show where the server starts instead.
        if (m_listedFolder.isEmpty() && !m_serverFolder.isEmpty()
            && m_requestedFolder != m_serverFolder) {
            changeFolder(m_serverFolder);
            return;
        }
        setBusy(false);
        return;
    }
    m_listedFolder = path;
    if (path != QLatin1String("/")) {
        auto *up = new QTreeWidgetItem(QStringList{QStringLiteral("..")});
        up->setIcon(0, QIcon(QStringLiteral(":/Images/img_CdUp_Small.png")));
        up->setData(0, IsFolderRole, true);
        up->setData(0, IsParentRole, true);
        m_entries->insertTopLevelItem(0, up);
    }
    m_folder->setText(path);
    log(tr("Changed current directory to %1").arg(path));
    setBusy(false);
}

void FTPDirectoryDialog::listInfoHandler(const TavrixCommon::FtpEntry &entry)
{
    auto *item = new QTreeWidgetItem(m_entries);
    item->setText(0, entry.name);
    item->setIcon(0, QIcon(entry.isFolder ? QStringLiteral(":/Images/img_Folder_Small")
                                          : QStringLiteral(":/Images/img_File_Small")));
    item->setData(0, IsFolderRole, entry.isFolder);
    if (!entry.isFolder) {
        item->setText(1, sizeText(entry.size));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (entry.lastModified.isValid()) {
        item->setText(
            2, QLocale::c().toString(entry.lastModified, QStringLiteral("dd MMM yyyy hh:mm")));
    }
}

void FTPDirectoryDialog::itemDoubleClickedHandler(QTreeWidgetItem *item)
{
    if (!item || m_busy || !item->data(0, IsFolderRole).toBool()) {
        return;
    }
    changeFolder(item->data(0, IsParentRole).toBool() ? parentOf(m_listedFolder)
                                                      : joined(m_listedFolder, item->text(0)));
}

void FTPDirectoryDialog::reject()
{
    m_client->abort();
    QDialog::reject();
}

} // namespace TavrixSupportUI
