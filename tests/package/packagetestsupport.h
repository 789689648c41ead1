#pragma once

// Helpers of the package processor tests: a main window stand-in with the real declaration and
// fixture panels, and a driver that answers the modal dialogs of an operation in turn and records
// what the user was shown.

#include "../testing/archivetestsupport.h"
#include "fakedocumentwindow.h"

#include "package/declaration.h"
#include "package/ipackagewindow.h"
#include "package/packageprocessor.h"
#include "package/passworddialog.h"

#include "testing/fixture.h"

#include "guilib/property/propertiesexplorer.h"

#include "corelib/files/filehandler.h"
#include "corelib/package/scriptpackagemanifest.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace PackageTest {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

using FixtureTest::entriesBelow;
using FixtureTest::readFile;
using FixtureTest::writeFile;
using FixtureTest::writeRawZip;
using FixtureTest::zipEntryNames;

// Names of the archive's encrypted entries, as Python's zipfile, an independent reader, sees
// them; {"?"} when Python can't read the archive.
inline QStringList encryptedEntries(const QString &archive)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, json, zipfile\n"
                                 "print(json.dumps([i.filename for i in "
                                 "zipfile.ZipFile(sys.argv[1]).infolist() if i.flag_bits & 1]))"),
                  archive});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        return {QStringLiteral("?")};
    }
    QStringList names;
    const QJsonArray array = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    for (const auto &name : array) {
        names << name.toString();
    }
    return names;
}

// A PNG image of `size` pixels, the only kind of icon a declaration accepts at 32 x 32.
inline QString writePng(const QString &path, QSize size = QSize(32, 32))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image.save(path, "PNG") ? path : QString();
}

inline QString javaScriptProgram()
{
    return QStringLiteral("// Ümlaut and € survive as UTF-8\n"
                          "function jobArrived( s : Tavrix, job : Job )\n{\n}\n\n"
                          "function timerFired( s : Tavrix )\n{\n}\n");
}

// A main window as the processor sees it: the real declaration and fixture, editors reduced to
// their texts, and records of what the processor did to it.
class FakePackageWindow
    : public QWidget
    , public Scripter::IPackageWindow
{
public:
    explicit FakePackageWindow(int number = 0)
        : m_number(number)
        , m_filePath(untitledPath())
    {
        setWindowTitle(QStringLiteral("Fake window[*]"));
        m_explorer = new GuiLib::PropertiesExplorer(this);
        m_declaration = new Scripter::Declaration(this, this);
        m_fixture = new Scripter::Fixture(this, this);
        texts.insert(XMLValues::JAVASCRIPT, javaScriptProgram());
        texts.insert(XMLValues::VBSCRIPT,
                     QStringLiteral("Function jobArrived(s, job)\nEnd Function\n"));
        texts.insert(XMLValues::APPLESCRIPT,
                     QStringLiteral("on jobarrived(s, j)\nend jobarrived\n"));
    }
    ~FakePackageWindow() override
    {
        // The panels leave the explorer before it goes.
        delete m_fixture;
        m_fixture = nullptr;
        delete m_declaration;
        m_declaration = nullptr;
    }

    Scripter::Fixture *fixture() const { return m_fixture; }

    QWidget *widget() override { return this; }
    Scripter::Declaration *declaration() const override { return m_declaration; }
    GuiLib::PropertiesExplorer *propertiesExplorer() const override { return m_explorer; }
    void markModified() override { setWindowModified(true); }
    int documentNumber() const override { return m_number; }
    QString packageFilePath() const override { return m_filePath; }
    QStringList scriptFunctions(const QString &language) const override
    {
        static const QRegularExpression definition(
            QStringLiteral("^\\s*(?:function|Function|on)\\s+(\\w+)"),
            QRegularExpression::MultilineOption);
        QStringList names;
        for (auto it = definition.globalMatch(texts.value(language)); it.hasNext();) {
            names << it.next().captured(1);
        }
        return names;
    }
    void setLanguageIncluded(const QString &language, bool included) override
    {
        languages.insert(language, included);
    }
    void elementNameChanged(const QString &name) override
    {
        if (m_fixture) {
            m_fixture->setBasicItemText(name);
        }
    }
    void elementIconChanged(const QString &iconPath) override
    {
        if (m_fixture) {
            m_fixture->setBasicItemIcon(iconPath);
        }
    }
    void refreshFixtureProperties(bool elementProperties, bool connectionProperties) override
    {
        if (m_fixture && elementProperties) {
            m_fixture->refreshBasicProperties();
        }
        if (m_fixture && connectionProperties) {
            m_fixture->refreshConnectionProperties();
        }
    }
    void activatePanel(Panel) override {}
    QStringList libraryForProperty(const QString &, bool) override { return {}; }
    SRCore::ILogInterface *logInterface() const override { return &log; }
    QFileIconProvider *fileIconProvider() const override { return &m_iconProvider; }

    QString scriptText(const QString &language) const override { return texts.value(language); }
    void setScriptText(const QString &language, const QString &text) override
    {
        texts.insert(language, text);
    }
    QString displayPath() const override { return m_displayPath; }
    bool isAlternatePath() const override { return m_alternatePath; }
    void setAlternatePath(bool alternatePath) override { m_alternatePath = alternatePath; }
    bool isUntitled() const override { return m_untitled; }
    // As the main window does it: an unusable path makes the window untitled.
    void setCurrentFile(const QString &path, bool remember) override
    {
        if (path.isEmpty() || !QFileInfo(path).isFile()) {
            m_untitled = true;
            m_filePath = untitledPath();
        } else {
            m_untitled = false;
            if (m_alternatePath) {
                m_displayPath = path;
            } else {
                m_filePath = path;
                m_displayPath.clear();
            }
        }
        if (remember) {
            recentPackages.prepend(m_alternatePath ? m_displayPath : m_filePath);
        }
    }
    void setUnmodified() override { setWindowModified(false); }
    void showStatusMessage(const QString &text, int) override { statusMessages << text; }
    bool saveFixture(const QString &path, QString *errorMessage) override
    {
        return m_fixture->saveToFile(path, errorMessage);
    }
    bool loadFixture(const QString &path) override
    {
        fixtureLoads << path;
        return m_fixture->loadFromFile(path);
    }

    // The visible path, as the window's title and recent list show it.
    QString shownPath() const { return m_alternatePath ? m_displayPath : m_filePath; }

    QHash<QString, QString> texts;
    QHash<QString, bool> languages;
    QStringList statusMessages;
    QStringList recentPackages;
    QStringList fixtureLoads;
    mutable RecordingLog log;

private:
    static QString untitledPath()
    {
        return SRCore::FileHandler::getTempFilePath(QStringLiteral("TavrixScript"),
                                                    QStringLiteral(".tscript"));
    }

    int m_number;
    QString m_filePath;
    QString m_displayPath;
    bool m_alternatePath = false;
    bool m_untitled = true;
    GuiLib::PropertiesExplorer *m_explorer;
    Scripter::Declaration *m_declaration = nullptr;
    Scripter::Fixture *m_fixture = nullptr;
    mutable QFileIconProvider m_iconProvider;
};

// Answers the modal dialogs that an operation opens, one answer per dialog in the order given,
// and records each dialog as "title|text" (the title alone for dialogs without a text). Set it
// up before the operation; a dialog that comes without an answer is left open and fails the
// test by timing out in the operation under test, so answer every dialog.
class DialogDriver : public QObject
{
public:
    using Answer = std::function<void(QWidget *dialog)>;

    DialogDriver()
    {
        QTimer::singleShot(0, this, [this] { poll(); });
    }

    DialogDriver &then(Answer answer)
    {
        m_answers.append(std::move(answer));
        return *this;
    }

    // Clicks the message box button with this text ("&" ignored).
    static Answer click(const QString &buttonText)
    {
        return [buttonText](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            QVERIFY2(box, "a message box was expected");
            for (QAbstractButton *button : box->buttons()) {
                if (button->text().remove(QLatin1Char('&')) == buttonText) {
                    QTest::mouseClick(button, Qt::LeftButton);
                    return;
                }
            }
            box->close();
            QFAIL(qPrintable(QStringLiteral("no button '%1'").arg(buttonText)));
        };
    }

    // Types `password` into the password dialog and clicks "OK", or "Cancel" for a null text.
    static Answer typePassword(const QString &password)
    {
        return [password](QWidget *dialog) {
            auto *passwordDialog = qobject_cast<Scripter::PasswordDialog *>(dialog);
            QVERIFY2(passwordDialog, "the password dialog was expected");
            auto *edit = passwordDialog->findChild<QLineEdit *>();
            QTest::keyClicks(edit, password);
            const QString buttonText =
                password.isNull() ? QStringLiteral("Cancel") : QStringLiteral("OK");
            for (QPushButton *button : passwordDialog->findChildren<QPushButton *>()) {
                if (button->text() == buttonText) {
                    QTest::mouseClick(button, Qt::LeftButton);
                    return;
                }
            }
        };
    }

    // Chooses `path` in a file dialog, or cancels it for a null path. The dialog's suggestion
    // and filters are recorded in `suggestions`.
    Answer chooseFile(const QString &path)
    {
        return [this, path](QWidget *dialog) {
            auto *fileDialog = qobject_cast<QFileDialog *>(dialog);
            QVERIFY2(fileDialog, "a file dialog was expected");
            suggestions << fileDialog->selectedFiles().value(0) + QLatin1Char('|')
                               + fileDialog->nameFilters().join(QLatin1Char(';'));
            if (path.isNull()) {
                fileDialog->reject();
                return;
            }
            auto *nameEdit = fileDialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY2(nameEdit, "the file dialog has no file name field");
            nameEdit->setText(path);
            QTest::keyClick(nameEdit, Qt::Key_Return);
        };
    }

    QStringList seen;
    QStringList suggestions;
    bool answeredAll() const { return m_answers.isEmpty(); }

private:
    void poll()
    {
        QWidget *dialog = QApplication::activeModalWidget();
        if (dialog && dialog->isVisible() && !m_handled.contains(dialog) && !m_answers.isEmpty()) {
            m_handled.append(dialog);
            auto *box = qobject_cast<QMessageBox *>(dialog);
            seen << (box ? box->windowTitle() + QLatin1Char('|') + box->text()
                         : dialog->windowTitle());
            m_answers.takeFirst()(dialog);
        }
        if (!m_answers.isEmpty() && ++m_polls < 3000) {
            QTimer::singleShot(10, this, [this] { poll(); });
        }
    }

    QList<Answer> m_answers;
    QList<QPointer<QWidget>> m_handled;
    int m_polls = 0;
};

// What every processor test starts from: test settings, a private temporary folder for the
// program's temporary files, and a processor whose windows are FakePackageWindows numbered from 0.
class Harness
{
public:
    void setUp()
    {
        QSettings().clear();
        windowsMade = 0;
        dir = std::make_unique<QTemporaryDir>();
        tempRoot = dir->filePath(QStringLiteral("temp"));
        QDir().mkpath(tempRoot);
        SRCore::FileHandler::setTempFolder(tempRoot);
        processor = std::make_unique<Scripter::PackageProcessor>([this] {
            auto *window = new FakePackageWindow(windowsMade++);
            window->resize(300, 200);
            return window;
        });
    }

    // Deletes the windows, also those only scheduled for deletion.
    void tearDown()
    {
        processor.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString path(const QString &name) const { return dir->filePath(name); }

    FakePackageWindow *newWindow()
    {
        return static_cast<FakePackageWindow *>(processor->newWindow());
    }

    // Saves through the "Save script package" dialog, choosing `target`.
    bool saveAs(FakePackageWindow *window, const QString &target)
    {
        DialogDriver driver;
        driver.then(driver.chooseFile(target));
        return processor->save(Scripter::PackageProcessor::SaveAs, window) && driver.answeredAll();
    }

    // The members of a package archive, extracted into a new folder; empty on failure.
    QString unpacked(const QString &archive)
    {
        const QString folder = path(QStringLiteral("unpacked%1").arg(++m_unpacked));
        return Scripter::PackageProcessor::unpack(archive, folder) ? folder : QString();
    }

    static SRCore::ScriptPackageManifest manifestIn(const QString &folder)
    {
        SRCore::ScriptPackageManifest manifest;
        manifest.loadFromFile(folder + QStringLiteral("/manifest.xml"));
        return manifest;
    }

    std::unique_ptr<QTemporaryDir> dir;
    QString tempRoot;
    std::unique_ptr<Scripter::PackageProcessor> processor;
    int windowsMade = 0;

private:
    int m_unpacked = 0;
};

} // namespace PackageTest
