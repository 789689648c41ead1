// The program's message pane: its number, the export dialogue and its setting, clearing, and the
// window's actions in the table's context menu.

#include "common/testmain.h"

#include "common/dialoganswerer.h"
#include "common/messagedatabase.h"

#include "app/scriptermessagepane.h"

#include "guilib/log/logtableview.h"

#include <QAbstractButton>
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

Q_DECLARE_METATYPE(DialogAnswerer::Answer)

namespace {

QString exportPathKey(const ScripterMessagePane &pane)
{
    return QStringLiteral("MessagePane%1/ExportPath").arg(pane.paneNumber());
}

// The entries of the table's context menu over its first message; triggers the entry `choice`.
QStringList contextMenu(GuiLib::LogTableView *view, const QString &choice = QString())
{
    QStringList entries;
    QTimer::singleShot(0, view, [&entries, choice] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QAction *chosen = nullptr;
        for (QAction *action : menu ? menu->actions() : QList<QAction *>()) {
            entries << action->text();
            chosen = action->text() == choice ? action : chosen;
        }
        if (menu) {
            menu->close();
        }
        if (chosen) {
            chosen->trigger();
        }
    });
    const QPoint position = view->visualRect(view->model()->index(0, 0)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, position,
                            view->viewport()->mapToGlobal(position));
    QApplication::sendEvent(view->viewport(), &event);
    return entries;
}

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
    void cancelledExportStartsWhereTheLastOneWentAndWritesNothing();
    void failedExportIsReported();
    void clearMessagesAsksFirst_data();
    void clearMessagesAsksFirst();
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
    DialogAnswerer answers;
    answers.then(answers.chooseFile(m_dir->filePath(chosen)));
    pane->exportMessages();

    QCOMPARE(answers.seen, QStringList{"Export log messages"});
    QCOMPARE(answers.fileDialogs.value(0).section(QLatin1Char('|'), 0, 1),
             QStringLiteral("Export log messages|Tavrix logs (*.xml)"));
    const QString path = m_dir->filePath(written);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray content = file.readAll();
    QVERIFY(content.contains("<message-list>"));
    QCOMPARE(content.count("<message "), 10);
    if (chosen != written) {
        QVERIFY(!QFileInfo::exists(m_dir->filePath(chosen)));
    }
    QCOMPARE(QSettings().value(exportPathKey(*pane)).toString(), path);
}

void tst_ScripterMessagePane::cancelledExportStartsWhereTheLastOneWentAndWritesNothing()
{
    const auto pane = loadedPane();
    const QString folder = m_dir->filePath(QStringLiteral("exports"));
    QVERIFY(QDir().mkpath(folder));
    QSettings().setValue(exportPathKey(*pane), folder + QStringLiteral("/last.xml"));
    DialogAnswerer answers;
    answers.then(answers.chooseFile(QString()));
    pane->exportMessages();
    QCOMPARE(answers.fileDialogs.size(), 1);
    QCOMPARE(answers.fileDialogs.value(0).section(QLatin1Char('|'), 0, 2),
             QStringLiteral("Export log messages|Tavrix logs (*.xml)|") + folder);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
    QCOMPARE(QSettings().value(exportPathKey(*pane)).toString(),
             folder + QStringLiteral("/last.xml"));
}

void tst_ScripterMessagePane::failedExportIsReported()
{
    const auto pane = loadedPane();
    QSettings().setValue(exportPathKey(*pane), m_dir->filePath(QStringLiteral("last.xml")));
    const QString target = m_dir->filePath(QStringLiteral("gone/report.xml"));
    DialogAnswerer answers;
    answers.then(answers.chooseFile(target));
    pane->exportMessages();

    QCOMPARE(answers.seen.size(), 2);
    QVERIFY2(answers.seen.at(1)
                 .section(QLatin1Char('|'), 1)
                 .startsWith(QStringLiteral("The log messages cannot be exported to %1:\n")
                                 .arg(QDir::toNativeSeparators(target))),
             qPrintable(answers.seen.at(1)));
    QVERIFY(!QFileInfo::exists(target));
    // A failed export is not offered as the place of the next one.
    QCOMPARE(QSettings().value(exportPathKey(*pane)).toString(),
             m_dir->filePath(QStringLiteral("last.xml")));
}

void tst_ScripterMessagePane::clearMessagesAsksFirst_data()
{
    QTest::addColumn<DialogAnswerer::Answer>("answer");
    QTest::addColumn<bool>("cleared");
    // clang-format off
    QTest::newRow("Yes deletes every message") << DialogAnswerer::press(QMessageBox::Yes) << true;
    QTest::newRow("No keeps them") << DialogAnswerer::press(QMessageBox::No) << false;
    QTest::newRow("Return takes the default, No") << DialogAnswerer::typeKey(Qt::Key_Return) << false;
    QTest::newRow("Escape keeps them") << DialogAnswerer::typeKey(Qt::Key_Escape) << false;
    // clang-format on
}

void tst_ScripterMessagePane::clearMessagesAsksFirst()
{
    QFETCH(DialogAnswerer::Answer, answer);
    QFETCH(bool, cleared);

    const auto pane = loadedPane();
    QCOMPARE(pane->logModel()->rowCount(), 10);
    DialogAnswerer answers;
    answers.then(answer);
    pane->clearMessages();

    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen.constFirst().section(QLatin1Char('|'), 0, 0),
             QStringLiteral("Clear log messages"));
    QCOMPARE(pane->logModel()->rowCount(), cleared ? 0 : 10);
    QCOMPARE(MessageDb::Connection(databasePath()).messageCount(), cleared ? 0 : 16);
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

    QStringList entries;
    {
        DialogAnswerer answers;
        answers.then(DialogAnswerer::press(QMessageBox::Yes));
        entries = contextMenu(pane->tableView(), QStringLiteral("&Clear log messages"));
        QCOMPARE(answers.seen.size(), 1);
    }
    QCOMPARE(entries.mid(entries.size() - 2),
             QStringList({"&Export log messages...", "&Clear log messages"}));
    QCOMPARE(MessageDb::Connection(databasePath()).messageCount(), 0);

    // The window's actions may go before the pane; the menu then leaves them out.
    {
        QAction shortLived(QStringLiteral("short-lived"));
        pane->setExportMessagesAction(&shortLived);
    }
    entries = contextMenu(pane->tableView());
    QCOMPARE(entries.constLast(), QStringLiteral("&Clear log messages"));
    QVERIFY(!entries.contains(QStringLiteral("short-lived")));
}

TAVRIX_TEST_MAIN(tst_ScripterMessagePane)
#include "tst_scriptermessagepane.moc"
