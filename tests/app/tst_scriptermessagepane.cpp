// The program's message pane: its number, the export dialogue and its setting, clearing, and the
// window's actions in the table's context menu.

#include "common/testmain.h"

#include "../guilib/messagedatabase.h"

#include "app/scriptermessagepane.h"

#include "guilib/log/logtableview.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using Scripter::ScripterMessagePane;

namespace {

// Answers the modal dialogues that `run` opens: file dialogues with `answerFile` (accepted with
// `fileName`, or rejected when it is empty), message boxes by taking their text and closing them.
struct DialogAnswers
{
    QString fileName;
    QStringList fileDialogs; // "title|filter|folder" of each file dialogue
    QStringList messages;

    void run(const std::function<void()> &action)
    {
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, &answer, [this]() {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                fileDialogs << QStringLiteral("%1|%2|%3")
                                   .arg(dialog->windowTitle(),
                                        dialog->nameFilters().join(QLatin1Char(';')),
                                        QDir(dialog->directory()).absolutePath());
                if (dialog->acceptMode() != QFileDialog::AcceptSave) {
                    fileDialogs.last() += QStringLiteral("|not a save dialogue");
                }
                if (fileName.isEmpty()) {
                    dialog->reject();
                } else {
                    // Typed into the name field, as a user would; selectFile() leaves a field
                    // that has the focus alone.
                    auto *nameField =
                        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                    if (!nameField) {
                        fileDialogs.last() += QStringLiteral("|no name field");
                        dialog->reject();
                        return;
                    }
                    nameField->setText(fileName);
                    // As the dialogue's own Save button does.
                    static_cast<QDialog *>(dialog)->accept();
                }
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                messages << box->text();
                box->accept();
            }
        });
        answer.start(20);
        action();
    }
};

} // namespace

class tst_ScripterMessagePane : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstPaneOfTheRunIsNumberOne();
    void exportAsksForAFileAndAddsTheSuffix_data();
    void exportAsksForAFileAndAddsTheSuffix();
    void exportStartsWhereTheLastOneWent();
    void cancelledExportWritesNothing();
    void failedExportIsReported();
    void clearMessagesDeletesEveryMessage();
    void windowActionsAreInTheContextMenu();

private:
    QString databasePath() const { return m_dir->filePath(QStringLiteral("messages.db")); }
    std::unique_ptr<ScripterMessagePane> loadedPane() const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_ScripterMessagePane::init()
{
    QSettings().clear();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QCOMPARE(MessageDb::create(databasePath()), QString());
    QCOMPARE(MessageDb::generate(databasePath(), 16), QString());
}

void tst_ScripterMessagePane::cleanup()
{
    m_dir.reset();
}

std::unique_ptr<ScripterMessagePane> tst_ScripterMessagePane::loadedPane() const
{
    auto pane = std::make_unique<ScripterMessagePane>(databasePath());
    pane->refresh();
    return pane;
}

void tst_ScripterMessagePane::firstPaneOfTheRunIsNumberOne()
{
    const auto first = loadedPane();
    QCOMPARE(first->paneNumber(), 1);
    const auto second = loadedPane();
    QCOMPARE(second->paneNumber(), 2);
}

void tst_ScripterMessagePane::exportAsksForAFileAndAddsTheSuffix_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    // clang-format off
    QTest::newRow("name without suffix gets .xml") << "report" << "report.xml";
    QTest::newRow("name with .xml stays") << "report.xml" << "report.xml";
    QTest::newRow("suffix in capitals stays") << "report.XML" << "report.XML";
    QTest::newRow("other suffix gets .xml") << "report.txt" << "report.txt.xml";
    // clang-format on
}

void tst_ScripterMessagePane::exportAsksForAFileAndAddsTheSuffix()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    const auto pane = loadedPane();
    DialogAnswers answers{m_dir->filePath(chosen), {}, {}};
    answers.run([&pane]() { pane->exportMessages(); });

    QCOMPARE(answers.fileDialogs.size(), 1);
    QVERIFY2(answers.fileDialogs.constFirst().startsWith(
                 QStringLiteral("Export log messages|Tavrix logs (*.xml)|")),
             qPrintable(answers.fileDialogs.constFirst()));
    QVERIFY(answers.messages.isEmpty());
    const QString path = m_dir->filePath(written);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray content = file.readAll();
    QVERIFY(content.contains("<message-list>"));
    QCOMPARE(content.count("<message "), 10);
    if (chosen != written) {
        QVERIFY(!QFileInfo::exists(m_dir->filePath(chosen)));
    }
    const QString key = QStringLiteral("MessagePane%1/ExportPath").arg(pane->paneNumber());
    QCOMPARE(QSettings().value(key).toString(), path);
}

void tst_ScripterMessagePane::exportStartsWhereTheLastOneWent()
{
    const auto pane = loadedPane();
    const QString folder = m_dir->filePath(QStringLiteral("exports"));
    QVERIFY(QDir().mkpath(folder));
    QSettings().setValue(QStringLiteral("MessagePane%1/ExportPath").arg(pane->paneNumber()),
                         folder + QStringLiteral("/last.xml"));
    DialogAnswers answers;
    answers.run([&pane]() { pane->exportMessages(); });
    QCOMPARE(answers.fileDialogs.size(), 1);
    QCOMPARE(answers.fileDialogs.constFirst(),
             QStringLiteral("Export log messages|Tavrix logs (*.xml)|") + folder);
}

void tst_ScripterMessagePane::cancelledExportWritesNothing()
{
    const auto pane = loadedPane();
    const QString key = QStringLiteral("MessagePane%1/ExportPath").arg(pane->paneNumber());
    QSettings().setValue(key, m_dir->filePath(QStringLiteral("last.xml")));
    DialogAnswers answers;
    answers.run([&pane]() { pane->exportMessages(); });
    QCOMPARE(answers.fileDialogs.size(), 1);
    QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("*.xml")}, QDir::Files), QStringList());
    QCOMPARE(QSettings().value(key).toString(), m_dir->filePath(QStringLiteral("last.xml")));
}

void tst_ScripterMessagePane::failedExportIsReported()
{
    const auto pane = loadedPane();
    const QString key = QStringLiteral("MessagePane%1/ExportPath").arg(pane->paneNumber());
    QSettings().setValue(key, m_dir->filePath(QStringLiteral("last.xml")));
    const QString target = m_dir->filePath(QStringLiteral("gone/report.xml"));
    DialogAnswers answers{target, {}, {}};
    answers.run([&pane]() { pane->exportMessages(); });

    QCOMPARE(answers.messages.size(), 1);
    QVERIFY2(answers.messages.constFirst().startsWith(
                 QStringLiteral("The log messages cannot be exported to %1:\n")
                     .arg(QDir::toNativeSeparators(target))),
             qPrintable(answers.messages.constFirst()));
    QVERIFY(!QFileInfo::exists(target));
    // A failed export is not offered as the place of the next one.
    QCOMPARE(QSettings().value(key).toString(), m_dir->filePath(QStringLiteral("last.xml")));
}

void tst_ScripterMessagePane::clearMessagesDeletesEveryMessage()
{
    const auto pane = loadedPane();
    QCOMPARE(pane->logModel()->rowCount(), 10);
    pane->clearMessages();
    QCOMPARE(pane->logModel()->rowCount(), 0);
    QCOMPARE(MessageDb::Connection(databasePath()).messageCount(), 0);
    QCOMPARE(pane->statusText(), QStringLiteral("No data loaded"));
}

void tst_ScripterMessagePane::windowActionsAreInTheContextMenu()
{
    const auto pane = loadedPane();
    pane->resize(900, 400);
    pane->show();
    QVERIFY(QTest::qWaitForWindowExposed(pane.get()));
    QAction clear(QStringLiteral("&Clear log messages"));
    QAction exportAction(QStringLiteral("&Export log messages..."));
    pane->setClearMessagesAction(&clear);
    pane->setExportMessagesAction(&exportAction);
    // As the window connects them.
    connect(&clear, &QAction::triggered, pane.get(), &ScripterMessagePane::clearMessages);

    GuiLib::LogTableView *view = pane->tableView();
    QStringList entries;
    QTimer::singleShot(0, view, [&entries]() {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            return;
        }
        QAction *clearEntry = nullptr;
        for (QAction *action : menu->actions()) {
            entries << action->text();
            if (action->text() == QLatin1String("&Clear log messages")) {
                clearEntry = action;
            }
        }
        menu->close();
        if (clearEntry) {
            clearEntry->trigger();
        }
    });
    const QPoint position = view->visualRect(view->model()->index(0, 0)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, position,
                            view->viewport()->mapToGlobal(position));
    QApplication::sendEvent(view->viewport(), &event);

    QCOMPARE(entries.mid(entries.size() - 2),
             QStringList({"&Export log messages...", "&Clear log messages"}));
    QCOMPARE(MessageDb::Connection(databasePath()).messageCount(), 0);

    // The window's actions may go before the pane; the menu then leaves them out.
    {
        QAction shortLived(QStringLiteral("short-lived"));
        pane->setExportMessagesAction(&shortLived);
    }
    entries.clear();
    QTimer::singleShot(0, view, [&entries]() {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (QAction *action : menu->actions()) {
                entries << action->text();
            }
            menu->close();
        }
    });
    QApplication::sendEvent(view->viewport(), &event);
    QCOMPARE(entries.constLast(), QStringLiteral("&Clear log messages"));
    QVERIFY(!entries.contains(QStringLiteral("short-lived")));
}

TAVRIX_TEST_MAIN(tst_ScripterMessagePane)
#include "tst_scriptermessagepane.moc"
