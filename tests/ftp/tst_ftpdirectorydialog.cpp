// The FTP directory dialog, opened from an FTP folder property and driven as a user would
// against a real FTP server: connecting with the property's settings or anonymously, opening
// folders, choosing one, and what the log says when the server cannot be reached.

#include "common/testmain.h"

#include "common/dialogdriving.h"
#include "common/ftptestserver.h"
#include "common/propertyediting.h"
#include "common/testfiles.h"

#include "ftp/ftpanonymousdialog.h"
#include "ftp/ftpdirectorydialog.h"
#include "ftp/ftpdirectoryvalueeditor.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>

using TavrixSupportUI::FTPDirectoryDialog;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

// Makes the FTP folder editor as the program's proxy does.
class FtpAppProxy : public FakeAppProxy
{
public:
    std::unique_ptr<GuiLib::IValueEditor>
    createValueEditor(const GuiLib::ValueEditorRequest &request, QString *errorMessage) override
    {
        if (TavrixSupportUI::FTPDirectoryValueEditor::handles(request.editorType)) {
            requests.append(request);
            return std::make_unique<TavrixSupportUI::FTPDirectoryValueEditor>(request);
        }
        return FakeAppProxy::createValueEditor(request, errorMessage);
    }
};

// An FTP folder property with its connection beside it.
struct FtpProperties
{
    TestOwner owner;
    GuiLib::PropertyCollection properties{QStringLiteral("Connection")};
    GuiLib::GenericProperty *folder;
    GuiLib::PropertiesExplorer explorer;

    FtpProperties(quint16 port, const QString &user, const QString &value)
    {
        const auto add = [this](const QString &tag, const QString &text, const QString &editors) {
            auto *property = new GuiLib::GenericProperty(text, tag, tag, "string", editors,
                                                         QString(), QString(), &owner);
            properties.append(property);
            return property;
        };
        add(XMLKey::FTPSERVER, "127.0.0.1", "inline");
        add(XMLKey::FTPPORT, QString::number(port), "inline");
        add(XMLKey::FTPLOGIN, user, "inline");
        add(XMLKey::FTPPASSWORD, "secret", "inline");
        add(XMLKey::FTPPASSIVE, XMLValues::YES, "inline");
        folder = add(XMLKey::FTPDIRECTORY, value, "choosedir");
        explorer.loadProperties(&properties);
        explorer.show();
        explorer.setCurrentIndex(explorer.propertiesModel()->indexOfProperty(folder, 0));
    }
    ~FtpProperties() { explorer.loadProperties(nullptr); }

    QString value(const QString &tag) const
    {
        return GuiLib::findProperty(const_cast<GuiLib::PropertyCollection *>(&properties), tag)
            ->valueText();
    }
    void openDialog() const
    {
        auto *editor = qobject_cast<GuiLib::GenericPropertyEditor *>(
            explorer.indexWidget(explorer.propertiesModel()->indexOfProperty(folder, 1)));
        QVERIFY(editor);
        QTest::mouseClick(editor->findChild<QToolButton *>("dialogButton"), Qt::LeftButton);
    }
};

QString logText(const QWidget *dialog)
{
    return dialog->findChild<QPlainTextEdit *>("log")->toPlainText();
}

// Waits until the log says `text`.
bool waitForLog(const QWidget *dialog, const QString &text)
{
    return QTest::qWaitFor([&] { return logText(dialog).contains(text); }, 60000);
}

QTreeWidgetItem *entry(const QWidget *dialog, const QString &name)
{
    const QList<QTreeWidgetItem *> found =
        dialog->findChild<QTreeWidget *>("entries")->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

void openEntry(const QWidget *dialog, QTreeWidgetItem *item)
{
    auto *entries = dialog->findChild<QTreeWidget *>("entries");
    doubleClick(entries->viewport(), entries->visualItemRect(item).center());
}

} // namespace

class tst_FtpDirectoryDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void choosesAFolderWithThePropertysConnection();
    void anonymousLoginListsTheRoot();
    void rememberedFolderThatIsGoneFallsBack();
    void unreachableServerIsLogged();

private:
    QTemporaryDir m_root;
    std::unique_ptr<FtpTestServer> m_server;
};

void tst_FtpDirectoryDialog::initTestCase()
{
    QVERIFY(m_root.isValid());
    QVERIFY(QDir().mkpath(m_root.filePath("jobs/in box/2024")));
    QVERIFY(QDir().mkpath(m_root.filePath("jobs/out")));
    QVERIFY(TestFiles::writeFile(m_root.filePath("jobs/readme.txt"), QByteArray(3000, 'x')));
    m_server = std::make_unique<FtpTestServer>(m_root.filePath("jobs"));
    QVERIFY2(m_server->isRunning(), qPrintable(m_server->error()));
}

void tst_FtpDirectoryDialog::choosesAFolderWithThePropertysConnection()
{
    FtpAppProxy proxy;
    FtpProperties ftp(m_server->port(), "someone", QString());
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<FTPDirectoryDialog>([&](FTPDirectoryDialog *dialog) {
        const auto closer = closeWhenDone(dialog);
        QCOMPARE(dialog->findChild<QLineEdit *>("server")->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(dialog->findChild<QSpinBox *>("port")->value(), int(m_server->port()));
        QVERIFY(!dialogButton(dialog, "okButton")->isEnabled());
        // The login of the property is wrong: the log says so, and the user mends it.
        QVERIFY(press(dialog, "connectButton"));
        QVERIFY(waitForLog(dialog, "530"));
        auto *user = dialog->findChild<QLineEdit *>("user");
        user->clear();
        QTest::keyClicks(user, "tester");
        QVERIFY(press(dialog, "connectButton"));
        QVERIFY(waitForLog(dialog, "Changed current directory to /"));
        QVERIFY(!entry(dialog, "..")); // the root has no parent
        QCOMPARE(entry(dialog, "readme.txt")->text(1), QStringLiteral("3 KB"));

        openEntry(dialog, entry(dialog, "in box"));
        QVERIFY(waitForLog(dialog, "Changed current directory to /in box"));
        QVERIFY(entry(dialog, ".."));
        QVERIFY(entry(dialog, "2024"));
        openEntry(dialog, entry(dialog, "2024"));
        QVERIFY(waitForLog(dialog, "Changed current directory to /in box/2024"));
        openEntry(dialog, entry(dialog, ".."));
        QVERIFY(QTest::qWaitFor([dialog] { return entry(dialog, "2024") != nullptr; }, 60000));
        // A selected folder is the choice.
        dialog->findChild<QTreeWidget *>("entries")->setCurrentItem(entry(dialog, "2024"));
        QVERIFY(press(dialog, "okButton"));
    }));
    ftp.openDialog();
    QVERIFY(dialogs.answeredAll());

    QCOMPARE(ftp.folder->valueText(), QStringLiteral("/in box/2024"));
    // The connection that worked goes back to its properties.
    QCOMPARE(ftp.value(XMLKey::FTPLOGIN), QStringLiteral("tester"));
    QCOMPARE(ftp.value(XMLKey::FTPSERVER), QStringLiteral("127.0.0.1"));
    QCOMPARE(proxy.requests.size(), 1);
    QCOMPARE(proxy.requests.first().attributes.value(XMLKey::FTPLOGIN), QStringLiteral("someone"));
}

void tst_FtpDirectoryDialog::anonymousLoginListsTheRoot()
{
    FtpAppProxy proxy;
    FtpProperties ftp(m_server->port(), "tester", QString());
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<FTPDirectoryDialog>([&](FTPDirectoryDialog *dialog) {
        const auto closer = closeWhenDone(dialog);
        DialogAnswerer anonymous;
        anonymous.then(DialogAnswerer::with<TavrixSupportUI::FTPAnonymousDialog>(
            [](TavrixSupportUI::FTPAnonymousDialog *ask) {
                QTest::keyClicks(ask->findChild<QLineEdit *>("email"), "me@example.com");
                ask->accept();
            }));
        QVERIFY(press(dialog, "anonymousButton"));
        QVERIFY(anonymous.answeredAll());
        QVERIFY(waitForLog(dialog, "Changed current directory to /"));
        QCOMPARE(dialog->findChild<QLineEdit *>("user")->text(), QStringLiteral("anonymous"));
        QVERIFY(press(dialog, "okButton"));
    }));
    ftp.openDialog();
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(ftp.folder->valueText(), QStringLiteral("/"));
    QCOMPARE(ftp.value(XMLKey::FTPLOGIN), QStringLiteral("anonymous"));
}

void tst_FtpDirectoryDialog::rememberedFolderThatIsGoneFallsBack()
{
    GuiLib::PropertyAttributes connection{{XMLKey::FTPSERVER, "127.0.0.1"},
                                          {XMLKey::FTPPORT, QString::number(m_server->port())},
                                          {XMLKey::FTPLOGIN, "tester"},
                                          {XMLKey::FTPPASSWORD, "secret"}};
    {
        FTPDirectoryDialog dialog(nullptr, connection, "/out");
        dialog.show();
        QVERIFY(press(&dialog, "connectButton"));
        QVERIFY(waitForLog(&dialog, "Changed current directory to /out"));
        QCOMPARE(dialog.chosenPath(), QStringLiteral("/out"));
    }
    FTPDirectoryDialog dialog(nullptr, connection, "/removed since");
    dialog.show();
    QVERIFY(press(&dialog, "connectButton"));
    QVERIFY(waitForLog(&dialog, "Changed current directory to /"));
    QVERIFY(logText(&dialog).contains("550"));
    QCOMPARE(dialog.chosenPath(), QStringLiteral("/"));
    QVERIFY(entry(&dialog, "in box"));
}

// How each failure reads is the client's; here it reaches the dialog's log and nothing changes.
void tst_FtpDirectoryDialog::unreachableServerIsLogged()
{
    FtpAppProxy proxy;
    FtpProperties ftp(m_server->port(), "tester", "/kept");
    QSignalSpy changes(ftp.folder, &GuiLib::IProperty::propertyChanged);
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<FTPDirectoryDialog>([&](FTPDirectoryDialog *dialog) {
        const auto closer = closeWhenDone(dialog);
        dialog->setTimeouts(3, 3);
        auto *host = dialog->findChild<QLineEdit *>("server");
        host->clear();
        QTest::keyClicks(host, "ftp.tavrix.invalid");
        QVERIFY(press(dialog, "connectButton"));
        QVERIFY(waitForLog(dialog, "resolve"));
        QVERIFY(dialogButton(dialog, "connectButton")->isEnabled());
        QVERIFY(press(dialog, "cancelButton"));
    }));
    ftp.openDialog();
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(ftp.folder->valueText(), QStringLiteral("/kept"));
    QCOMPARE(ftp.value(XMLKey::FTPSERVER), QStringLiteral("127.0.0.1"));
    QCOMPARE(changes.count(), 0);
}

TAVRIX_TEST_MAIN(tst_FtpDirectoryDialog)
#include "tst_ftpdirectorydialog.moc"
