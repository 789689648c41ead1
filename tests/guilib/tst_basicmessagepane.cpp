// The message pane on a real message database: loading and refreshing, the status line,
// databases that cannot be read, clearing, exporting, the context menu, the settings and the
// window's saved header state, and reading while the log writer writes.

#include "common/testmain.h"

#include "common/messagedatabase.h"
#include "common/testfiles.h"
#include "germanwords.h"

#include "guilib/log/basiclogmodel.h"
#include "guilib/log/basicmessagepane.h"
#include "guilib/log/filterheaderview.h"
#include "guilib/log/logtableview.h"

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logging.h"
#include "corelib/logging/logmanager.h"
#include "corelib/logging/logrecord.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <QTranslator>
#include <QXmlStreamReader>

#include <functional>
#include <memory>

using GuiLib::BasicLogModel;
using GuiLib::BasicMessagePane;
using SRCore::LogRecord;
namespace Level = SRCore::LogLevel;
using TestFiles::writeFile;

namespace {

QPushButton *searchButton(const BasicMessagePane &pane)
{
    return pane.findChild<QPushButton *>(QStringLiteral("searchButton"));
}

QList<qint64> heldIds(const BasicMessagePane &pane)
{
    QList<qint64> ids;
    for (int row = 0; row < pane.logModel()->rowCount(); ++row) {
        ids << pane.logModel()->record(row).id;
    }
    return ids;
}

QString showingText(const BasicMessagePane &pane, int shown, int held)
{
    const BasicLogModel *model = pane.logModel();
    return QStringLiteral("Showing %1 messages out of %2 since %3")
        .arg(shown)
        .arg(held)
        .arg(model->displayText(model->rowCount() - 1, BasicLogModel::TimeColumn));
}

// Opens the table's context menu over `row` (or empty space when -1) and, while it is open,
// takes the texts of its entries ("(off)" after a disabled one) and triggers the entry
// `trigger`, if given.
QStringList contextMenu(GuiLib::LogTableView *view, int row, const QString &trigger = {})
{
    QStringList texts;
    QTimer::singleShot(0, view, [&texts, &trigger]() {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            return;
        }
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            texts << (action->isSeparator()
                          ? QStringLiteral("-")
                          : action->text() + (action->isEnabled() ? "" : " (off)"));
            if (action->text() == trigger) {
                chosen = action;
            }
        }
        menu->close();
        if (chosen) {
            chosen->trigger();
        }
    });
    const QPoint position = row < 0 ? QPoint(5, view->viewport()->height() - 5)
                                    : view->visualRect(view->model()->index(row, 1)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, position,
                            view->viewport()->mapToGlobal(position));
    QApplication::sendEvent(view->viewport(), &event);
    return texts;
}

// One element of an exported document as written: name, attributes in order, text.
struct Element
{
    QString name;
    QStringList attributes; // "name=value"
    QString text;
};

QList<Element> readElements(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QList<Element> elements;
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            Element element{reader.name().toString(), {}, {}};
            for (const QXmlStreamAttribute &attribute : reader.attributes()) {
                element.attributes << attribute.name().toString() + QLatin1Char('=')
                                          + attribute.value().toString();
            }
            elements << element;
        } else if (reader.isCharacters() && !reader.isWhitespace() && !elements.isEmpty()) {
            elements.last().text += reader.text().toString();
        }
    }
    if (reader.hasError()) {
        *error = reader.errorString();
    }
    return elements;
}

} // namespace

class tst_BasicMessagePane : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadsTheNewestMessagesAndRefreshesPeriodically();
    void filteringCountsTheShownMessages();
    void unreadableDatabaseShowsTheErrorAndRecovers();
    void replacedDatabaseIsLoadedAnew();
    void statusTextDoesNotSizeThePane();

    void clearingEmptiesThePaneForLaterMessages();
    void clearingALockedDatabaseKeepsEveryMessage();

    void exportWritesTheShownMessagesInTableOrder();
    void failedExportKeepsThePreviousFile();

    void contextMenuCopiesAndResets();
    void wrapTextIsStoredPerPane();
    void messageToolTipShowsWhatTheCellCuts_data();
    void messageToolTipShowsWhatTheCellCuts();
    void headerStateAndFilterHistoryRoundTrip();
    void releasingTheModelFreesTheConnection();

    void readsWhileTheLogWriterWrites();

private:
    std::unique_ptr<MessageDb::Folder> m_db;
};

void tst_BasicMessagePane::init()
{
    QSettings().clear();
    m_db = std::make_unique<MessageDb::Folder>();
    QVERIFY(m_db->isValid());
}

void tst_BasicMessagePane::cleanup()
{
    m_db.reset();
    QVERIFY2(QSqlDatabase::connectionNames().filter(QStringLiteral("DatabaseConnection")).isEmpty(),
             qPrintable(QSqlDatabase::connectionNames().join(QLatin1Char(' '))));
}

void tst_BasicMessagePane::loadsTheNewestMessagesAndRefreshesPeriodically()
{
    QCOMPARE(m_db->make(), QString());
    QCOMPARE(m_db->write({MessageDb::record(Level::Error, "one", 30),
                          MessageDb::record(Level::Start, "start", 20),
                          MessageDb::record(Level::Warning, "two", 10),
                          MessageDb::record(Level::End, "end", 5),
                          MessageDb::record(Level::Information, "three")}),
             QString());
    BasicMessagePane pane(m_db->path());
    pane.setRefreshInterval(50);
    QCOMPARE(pane.statusText(), QStringLiteral("Messages are not loaded yet"));
    QSignalSpy statuses(&pane, &BasicMessagePane::statusTextChanged);

    // The first refresh comes by itself, shortly after the pane is made.
    QTRY_COMPARE(pane.logModel()->rowCount(), 3);
    QCOMPARE(statuses.constFirst().constFirst().toString(), QStringLiteral("Loading messages..."));
    QCOMPARE(heldIds(pane), QList<qint64>({5, 3, 1}));
    QCOMPARE(pane.statusText(), showingText(pane, 3, 3));
    QVERIFY(pane.statusText().endsWith(
        BasicLogModel::timeText(pane.logModel()->record(2).time, QDate::currentDate())));
    QCOMPARE(searchButton(pane)->toolTip(), "All messages in the database are shown");
    QVERIFY(!searchButton(pane)->isEnabled());

    // Then at every interval, keeping what is held and adding the new ones on top.
    QCOMPARE(m_db->write({MessageDb::record(Level::Debug, "four"),
                          MessageDb::record(Level::Progress, "busy")}),
             QString());
    QTRY_COMPARE(pane.logModel()->rowCount(), 4);
    QCOMPARE(heldIds(pane), QList<qint64>({6, 5, 3, 1}));
    QCOMPARE(pane.proxyModel()->index(0, BasicLogModel::MessageColumn).data().toString(),
             QStringLiteral("four"));
}

void tst_BasicMessagePane::filteringCountsTheShownMessages()
{
    QCOMPARE(m_db->make(8000), QString());
    BasicMessagePane pane(m_db->path());
    pane.refresh();
    QCOMPARE(pane.logModel()->rowCount(), 5000);
    QCOMPARE(pane.statusText(), showingText(pane, 5000, 5000));
    QSignalSpy progress(pane.proxyModel(), &GuiLib::LogSortFilterProxyModel::filteringProgress);

    pane.tableView()->filterHeader()->setFilterText(BasicLogModel::TypeColumn,
                                                    QStringLiteral("error warning"));
    QCOMPARE(pane.proxyModel()->rowCount(), 2000);
    QCOMPARE(pane.statusText(), showingText(pane, 2000, 5000));
    QVERIFY(progress.size() >= 2);
    QVERIFY(!pane.findChild<QProgressBar *>(QStringLiteral("filterProgress"))->isVisible());

    pane.tableView()->filterHeader()->clearFilters();
    QCOMPARE(pane.statusText(), showingText(pane, 5000, 5000));
}

// The reasons a database cannot be read are the provider's; the pane shows them.
void tst_BasicMessagePane::unreadableDatabaseShowsTheErrorAndRecovers()
{
    QCOMPARE(m_db->make(16, true), QString());
    MessageDb::Connection locker(m_db->path(), "locker");
    QCOMPARE(locker.exec(QStringLiteral("BEGIN EXCLUSIVE")), QString());

    BasicMessagePane pane(m_db->path());
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, &pane, [&ticks]() { ++ticks; });
    ticker.start(10);
    // The periodic refresh fails without holding up the event loop.
    QTRY_VERIFY(pane.statusText().startsWith(QLatin1String("Error loading messages: ")));
    QVERIFY2(pane.statusText().contains(QLatin1String("database is locked")),
             qPrintable(pane.statusText()));
    QVERIFY(ticks > 0);
    QCOMPARE(pane.logModel()->rowCount(), 0);
    QVERIFY(!searchButton(pane)->isEnabled());

    // Once the database can be read, the next refresh loads it.
    QCOMPARE(locker.exec(QStringLiteral("ROLLBACK")), QString());
    pane.refresh();
    QCOMPARE(pane.logModel()->rowCount(), 10);
    QCOMPARE(pane.statusText(), showingText(pane, 10, 10));
}

void tst_BasicMessagePane::statusTextDoesNotSizeThePane()
{
    QCOMPARE(m_db->make(16, true), QString());
    BasicMessagePane pane(m_db->path());
    pane.refresh();
    const QString showing = pane.statusText();
    // The status row is a layout within the pane's: it is measured again once activated.
    pane.layout()->activate();
    const int narrowest = pane.minimumSizeHint().width();

    MessageDb::Connection locker(m_db->path(), "locker");
    QCOMPARE(locker.exec(QStringLiteral("BEGIN EXCLUSIVE")), QString());
    pane.refresh();
    QTRY_VERIFY(pane.statusText().startsWith(QLatin1String("Error loading messages: ")));
    const QFontMetrics metrics = pane.fontMetrics();
    QVERIFY(metrics.horizontalAdvance(pane.statusText()) != metrics.horizontalAdvance(showing));
    pane.layout()->activate();
    QCOMPARE(pane.minimumSizeHint().width(), narrowest);
    // What the pane has no room for, the tool tip shows.
    QCOMPARE(pane.findChild<QLabel *>(QStringLiteral("statusLabel"))->toolTip(), pane.statusText());
    QCOMPARE(locker.exec(QStringLiteral("ROLLBACK")), QString());
}

void tst_BasicMessagePane::replacedDatabaseIsLoadedAnew()
{
    QCOMPARE(m_db->make(100), QString());
    BasicMessagePane pane(m_db->path());
    pane.refresh();
    QCOMPARE(pane.logModel()->rowCount(), 64);

    // The log writer makes a new file when the old one was removed; its ids start again at 1.
    QVERIFY(QFile::remove(m_db->path()));
    QCOMPARE(m_db->make(), QString());
    QCOMPARE(m_db->write({MessageDb::record(Level::Error, "fresh")}), QString());
    pane.refresh();
    QCOMPARE(heldIds(pane), QList<qint64>({1}));
    QCOMPARE(pane.proxyModel()->index(0, BasicLogModel::MessageColumn).data().toString(),
             QStringLiteral("fresh"));
}

void tst_BasicMessagePane::clearingEmptiesThePaneForLaterMessages()
{
    QCOMPARE(m_db->make(40), QString());
    BasicMessagePane pane(m_db->path());
    pane.refresh();
    QCOMPARE(pane.logModel()->rowCount(), 25);
    pane.tableView()->filterHeader()->setFilterText(BasicLogModel::TypeColumn,
                                                    QStringLiteral("error"));

    QVERIFY(pane.removeAllMessages());
    QCOMPARE(pane.logModel()->rowCount(), 0);
    QCOMPARE(MessageDb::Connection(m_db->path()).messageCount(), 0);
    QCOMPARE(pane.statusText(), QStringLiteral("No data loaded"));
    QCOMPARE(searchButton(pane)->toolTip(), "The database is empty");
    QVERIFY(!searchButton(pane)->isEnabled());

    QCOMPARE(m_db->write({MessageDb::record(Level::Error, "later"),
                          MessageDb::record(Level::Warning, "hidden")}),
             QString());
    pane.refresh();
    QCOMPARE(heldIds(pane), QList<qint64>({42, 41}));
    QCOMPARE(pane.statusText(), showingText(pane, 1, 2));
}

void tst_BasicMessagePane::clearingALockedDatabaseKeepsEveryMessage()
{
    QCOMPARE(m_db->make(40), QString());
    BasicMessagePane pane(m_db->path());
    pane.refresh();
    MessageDb::Connection locker(m_db->path(), "locker");
    QCOMPARE(locker.exec(QStringLiteral("BEGIN EXCLUSIVE")), QString());

    QVERIFY(!pane.removeAllMessages());
    QVERIFY(pane.statusText().startsWith(QLatin1String("Error removing messages: ")));
    QVERIFY2(pane.statusText().contains(QLatin1String("locked")), qPrintable(pane.statusText()));
    QCOMPARE(pane.logModel()->rowCount(), 25);
    // The error stays on the status line across refreshes that bring nothing new.
    pane.refresh();
    QVERIFY(pane.statusText().startsWith(QLatin1String("Error removing messages: ")));
    QCOMPARE(locker.messageCount(), 40);
}

void tst_BasicMessagePane::exportWritesTheShownMessagesInTableOrder()
{
    QCOMPARE(m_db->make(), QString());
    LogRecord moved(Level::Error, QStringLiteral("Cannot move %11 to %12"),
                    QStringLiteral("Flow A"), QStringLiteral("Mover"), QStringLiteral("a.pdf"),
                    QStringLiteral("a.pdf,/out/b, c.pdf"));
    moved.module = QStringLiteral("Scripter");
    moved.ticket = QStringLiteral("_0001A_");
    moved.user = QStringLiteral("anna");
    moved.folder = QStringLiteral("/in");
    moved.outFolder = QStringLiteral("/out");
    moved.outFile = QStringLiteral("/out/b, c.pdf");
    moved.time = QDateTime(QDate(2024, 2, 28), QTime(23, 2, 3, 45), Qt::UTC);
    LogRecord full(Level::Warning, QStringLiteral("Disk <almost> full & \"slow\""));
    full.module = QStringLiteral("Runner");
    full.time = moved.time.addSecs(60);
    LogRecord bell(Level::Information, QStringLiteral("Bell %1"), QString(), QString(), QString(),
                   QStringLiteral("ring") + QChar(7));
    bell.module = QStringLiteral("Scripter");
    bell.time = moved.time.addSecs(120);
    LogRecord debug = MessageDb::record(Level::Debug, "not shown");
    QCOMPARE(m_db->write({moved, full, bell, debug}), QString());

    GermanWords german;
    QCoreApplication::installTranslator(&german);
    BasicMessagePane pane(m_db->path());
    pane.refresh();
    pane.tableView()->filterHeader()->setFilterText(BasicLogModel::TypeColumn,
                                                    QStringLiteral("fehler warning info"));
    pane.tableView()->sortByColumn(BasicLogModel::TimeColumn, Qt::AscendingOrder);
    const QString path = m_db->filePath(QStringLiteral("export.xml"));
    QString error;
    QVERIFY2(pane.exportShownMessages(path, &error), qPrintable(error));
    QCoreApplication::removeTranslator(&german);

    const QList<Element> expected = {
        {"message-list", {}, {}},
        {"message",
         {"time=2024-02-28T23:02:03.045Z", "type=error", "module=Scripter",
          "operation=Cannot move %11 to %12", "argument=a.pdf,/out/b, c.pdf", "ticket=_0001A_",
          "flow=Flow A", "element=Mover", "user=anna", "folder=/in", "outfolder=/out", "file=a.pdf",
          "outfile=/out/b, c.pdf", "localized-type=Fehler", "localized-module=Skripter"},
         "Cannot move a.pdf to /out/b, c.pdf"},
        {"message",
         {"time=2024-02-28T23:03:03.045Z", "type=warning", "module=Runner",
          "operation=Disk <almost> full & \"slow\""},
         "Disk <almost> full & \"slow\""},
        // A character that XML cannot hold is left out rather than spoiling the file.
        {"message",
         {"time=2024-02-28T23:04:03.045Z", "type=info", "module=Scripter", "operation=Bell %1",
          "argument=ring", "localized-module=Skripter"},
         "Bell ring"},
    };
    const QList<Element> written = readElements(path, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(written.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QCOMPARE(written.at(i).name, expected.at(i).name);
        QCOMPARE(written.at(i).attributes, expected.at(i).attributes);
        QCOMPARE(written.at(i).text, expected.at(i).text);
    }

    // Nothing shown: an empty list.
    pane.tableView()->filterHeader()->setFilterText(BasicLogModel::TypeColumn, "nothing");
    QVERIFY(pane.exportShownMessages(path));
    QCOMPARE(readElements(path, &error).size(), 1);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void tst_BasicMessagePane::failedExportKeepsThePreviousFile()
{
    QCOMPARE(m_db->make(10), QString());
    BasicMessagePane pane(m_db->path());
    pane.refresh();

    QString error;
    QVERIFY(
        !pane.exportShownMessages(m_db->filePath(QStringLiteral("no/such/folder/x.xml")), &error));
    QVERIFY(!error.isEmpty());

    // The file is replaced only when the whole document is written: here the last step fails
    // because a folder stands in the way, and the folder, its content and the other files of
    // the export folder stay as they were.
    const QString folder = m_db->filePath(QStringLiteral("exports"));
    QVERIFY(writeFile(folder + QStringLiteral("/old.xml/kept.txt"), "previous export"));
    error.clear();
    QVERIFY(!pane.exportShownMessages(folder + QStringLiteral("/old.xml"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"old.xml"});
    QFile kept(folder + QStringLiteral("/old.xml/kept.txt"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("previous export"));
}

void tst_BasicMessagePane::contextMenuCopiesAndResets()
{
    QCOMPARE(m_db->make(10), QString());
    BasicMessagePane pane(m_db->path());
    pane.resize(1000, 400);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    pane.refresh();
    GuiLib::LogTableView *view = pane.tableView();

    // The window's actions are offered too when it has handed them over.
    QAction clear(QStringLiteral("&Clear log messages"));
    QAction exportAction(QStringLiteral("&Export log messages..."));
    view->setClearAction(&clear);
    view->setExportAction(&exportAction);
    QSignalSpy cleared(&clear, &QAction::triggered);
    const QStringList entries = contextMenu(view, 0, QStringLiteral("&Clear log messages"));
    QVERIFY(entries.contains(QStringLiteral("&Export log messages...")));
    QCOMPARE(cleared.size(), 1);

    contextMenu(view, 1, QStringLiteral("Copy this field"));
    QCOMPARE(QApplication::clipboard()->text(), pane.proxyModel()->index(1, 1).data().toString());

    view->selectRow(0);
    view->selectionModel()->select(pane.proxyModel()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->horizontalHeader()->moveSection(BasicLogModel::MessageColumn, 0);
    contextMenu(view, 0, QStringLiteral("Copy text"));
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 2);
    QStringList first = lines.at(0).split(QLatin1Char('\t'));
    QCOMPARE(first.size(), int(BasicLogModel::ColumnCount));
    // Fields in the order the columns are shown.
    QCOMPARE(first.at(0),
             pane.proxyModel()->index(0, BasicLogModel::MessageColumn).data().toString());
    QCOMPARE(first.at(2), pane.proxyModel()->index(0, BasicLogModel::TypeColumn).data().toString());
    QCOMPARE(lines.at(1).split(QLatin1Char('\t')).at(0),
             pane.proxyModel()->index(2, BasicLogModel::MessageColumn).data().toString());

    // Over empty space only what needs no message is offered.
    view->clearSelection();
    pane.tableView()->filterHeader()->setFilterText(BasicLogModel::FlowColumn,
                                                    QStringLiteral("nothing matches"));
    QCOMPARE(pane.proxyModel()->rowCount(), 0);
    const QStringList offered = contextMenu(view, -1, QStringLiteral("Reset all filters"));
    QVERIFY(offered.contains(QStringLiteral("Copy text (off)")));
    QVERIFY(offered.contains(QStringLiteral("Copy this field (off)")));
    QCOMPARE(pane.proxyModel()->rowCount(), 7);
    contextMenu(view, 0, QStringLiteral("Reset column ordering"));
    QCOMPARE(view->horizontalHeader()->visualIndex(BasicLogModel::MessageColumn),
             int(BasicLogModel::MessageColumn));
}

void tst_BasicMessagePane::wrapTextIsStoredPerPane()
{
    QCOMPARE(m_db->make(), QString());
    const QString longText = QString(40, QLatin1Char('w')) + QStringLiteral(" word").repeated(40);
    QCOMPARE(m_db->write({MessageDb::record(Level::Error, longText)}), QString());
    BasicMessagePane pane(m_db->path());
    pane.resize(900, 400);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    pane.refresh();
    GuiLib::LogTableView *view = pane.tableView();
    QVERIFY(!view->wrapText());
    const int oneLine = view->rowHeight(0);

    contextMenu(view, 0, QStringLiteral("Wrap text"));
    QVERIFY(view->wrapText());
    const QString key = QStringLiteral("MessagePane%1/WrapText").arg(pane.paneNumber());
    QCOMPARE(QSettings().value(key).toBool(), true);
    QTRY_VERIFY(view->rowHeight(0) > oneLine);

    contextMenu(view, 0, QStringLiteral("Wrap text"));
    QCOMPARE(QSettings().value(key).toBool(), false);
    QCOMPARE(view->rowHeight(0), oneLine);

    // The next pane has the next number and reads its own setting.
    QSettings().setValue(QStringLiteral("MessagePane%1/WrapText").arg(pane.paneNumber() + 1), true);
    BasicMessagePane next(m_db->path());
    QCOMPARE(next.paneNumber(), pane.paneNumber() + 1);
    QVERIFY(next.tableView()->wrapText());
    QVERIFY(!pane.tableView()->wrapText());
}

void tst_BasicMessagePane::messageToolTipShowsWhatTheCellCuts_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("toolTip");
    // clang-format off
    QTest::newRow("short message needs none") << "Script package was saved" << false;
    QTest::newRow("long message cut at the column's end") << QStringLiteral("word ").repeated(120).trimmed() << true;
    QTest::newRow("lines below the first hidden") << "Parse error in fixture\nline 3, column 7\nmessage 'unexpected end'" << true;
    // clang-format on
}

void tst_BasicMessagePane::messageToolTipShowsWhatTheCellCuts()
{
    QFETCH(QString, message);
    QFETCH(bool, toolTip);

    QCOMPARE(m_db->make(), QString());
    QCOMPARE(m_db->write({MessageDb::record(Level::Error, message)}), QString());
    BasicMessagePane pane(m_db->path());
    pane.resize(900, 400);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    pane.refresh();
    GuiLib::LogTableView *view = pane.tableView();
    const QModelIndex cell = view->model()->index(0, BasicLogModel::MessageColumn);
    QCOMPARE(cell.data().toString(), message);

    QToolTip::hideText();
    const QPoint position = view->visualRect(cell).center();
    QHelpEvent help(QEvent::ToolTip, position, view->viewport()->mapToGlobal(position));
    QApplication::sendEvent(view->viewport(), &help);
    if (toolTip) {
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), message);
    } else {
        QVERIFY(!QToolTip::isVisible());
    }
    QToolTip::hideText();
}

void tst_BasicMessagePane::headerStateAndFilterHistoryRoundTrip()
{
    QCOMPARE(m_db->make(30), QString());
    QByteArray state;
    QString history;
    {
        BasicMessagePane pane(m_db->path());
        pane.refresh();
        QHeaderView *header = pane.tableView()->horizontalHeader();
        header->moveSection(BasicLogModel::FlowColumn, 0);
        header->resizeSection(BasicLogModel::ModuleColumn, 222);
        pane.tableView()->sortByColumn(BasicLogModel::FlowColumn, Qt::AscendingOrder);
        QVERIFY(pane.restoreFilterHistory(QStringLiteral(R"([[],["error"]])")));
        state = pane.headerState();
        history = pane.filterHistory();
    }
    BasicMessagePane pane(m_db->path());
    pane.refresh();
    QVERIFY(pane.restoreHeaderState(state));
    QString error;
    QVERIFY2(pane.restoreFilterHistory(history, &error), qPrintable(error));
    QHeaderView *header = pane.tableView()->horizontalHeader();
    QCOMPARE(header->visualIndex(BasicLogModel::FlowColumn), 0);
    QCOMPARE(header->sectionSize(BasicLogModel::ModuleColumn), 222);
    QCOMPARE(header->sortIndicatorSection(), int(BasicLogModel::FlowColumn));
    // The table is sorted as the header shows.
    QCOMPARE(pane.proxyModel()->index(0, BasicLogModel::FlowColumn).data().toString(),
             QStringLiteral("Flow0"));
    QCOMPARE(pane.filterHistory(), history);

    // Damaged settings are refused and change nothing.
    QVERIFY(!pane.restoreHeaderState(QByteArray("garbage")));
    QCOMPARE(header->visualIndex(BasicLogModel::FlowColumn), 0);
    QVERIFY(!pane.restoreFilterHistory(QStringLiteral("[1,2"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(pane.filterHistory(), history);
}

void tst_BasicMessagePane::releasingTheModelFreesTheConnection()
{
    QCOMPARE(m_db->make(10), QString());
    BasicMessagePane pane(m_db->path());
    pane.refresh();
    QCOMPARE(QSqlDatabase::connectionNames().filter(QStringLiteral("DatabaseConnection")).size(),
             1);

    pane.releaseModel();
    QVERIFY(!pane.logModel());
    QVERIFY(!pane.proxyModel());
    QVERIFY(!pane.tableView()->model());
    QVERIFY(QSqlDatabase::connectionNames().filter(QStringLiteral("DatabaseConnection")).isEmpty());
    QCOMPARE(pane.statusText(), QStringLiteral("No data loaded"));
    QVERIFY(!searchButton(pane)->isEnabled());

    // Nothing comes back, and what needs the messages says so.
    pane.refresh();
    QTest::qWait(2 * GuiLib::AbsBasicMessagePane::FirstRefreshDelayMs);
    QVERIFY(QSqlDatabase::connectionNames().filter(QStringLiteral("DatabaseConnection")).isEmpty());
    QVERIFY(!pane.removeAllMessages());
    QCOMPARE(pane.statusText(),
             QStringLiteral("Unexpected error happened; restart Tavrix to resolve the problem"));
    QCOMPARE(MessageDb::Connection(m_db->path()).messageCount(), 10);
    QString error;
    QVERIFY(!pane.exportShownMessages(m_db->filePath(QStringLiteral("x.xml")), &error));
    QCOMPARE(error,
             QStringLiteral("Unexpected error happened; restart Tavrix to resolve the problem"));
    pane.releaseModel();
}

void tst_BasicMessagePane::readsWhileTheLogWriterWrites()
{
    SRCore::LogManager *manager = SRCore::LogManager::instance();
    QCOMPARE(manager->setDatabaseFiles(m_db->folder()), 0);
    manager->startThread();
    BasicMessagePane pane(manager->getDatabaseFile());
    QSignalSpy statuses(&pane, &BasicMessagePane::statusTextChanged);

    constexpr int count = 3000;
    std::unique_ptr<QThread> writer(QThread::create([]() {
        for (int i = 0; i < count; ++i) {
            SRCore::Logging::instance()->log(LogRecord(Level::Information,
                                                       QStringLiteral("Message %1"), QString(),
                                                       QString(), QString(), QString::number(i)));
            if (i % 100 == 0) {
                QThread::msleep(2);
            }
        }
    }));
    writer->start();
    int refreshes = 0;
    while (!writer->isFinished()) {
        pane.refresh();
        ++refreshes;
        QTest::qWait(5);
    }
    writer->wait();
    manager->stopServerLog();
    pane.refresh();

    const QList<qint64> ids = heldIds(pane);
    QCOMPARE(ids.size(), count);
    for (qsizetype i = 1; i < ids.size(); ++i) {
        QCOMPARE(ids.at(i - 1), ids.at(i) + 1);
    }
    QCOMPARE(pane.logModel()->displayText(0, BasicLogModel::MessageColumn),
             QStringLiteral("Message %1").arg(count - 1));
    QVERIFY(refreshes > 1);
    for (const QList<QVariant> &status : std::as_const(statuses)) {
        QVERIFY2(!status.constFirst().toString().startsWith(QLatin1String("Error")),
                 qPrintable(status.constFirst().toString()));
    }
    pane.releaseModel();
    SRCore::LogManager::finalize();
}

TAVRIX_TEST_MAIN(tst_BasicMessagePane)
#include "tst_basicmessagepane.moc"
