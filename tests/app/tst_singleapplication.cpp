// The program's application object as the running instance: it receives what later starts send
// and brings its window to the front.

#include "common/testmain.h"

#include "app/instancechannel.h"
#include "app/singleapplication.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QUuid>
#include <QWidget>

#include <memory>

using Scripter::InstanceChannel;
using Scripter::SingleApplication;

namespace {

SingleApplication *application()
{
    return static_cast<SingleApplication *>(QCoreApplication::instance());
}

// Sends `messages` as a later start of the program would: from a channel on a thread of its
// own, while this thread's event loop lets the running instance answer. Returns which of them
// were delivered.
QList<bool> sendFromALaterStart(const QStringList &messages)
{
    QList<bool> delivered;
    const QString identifier = application()->id();
    std::unique_ptr<QThread> thread(QThread::create([&] {
        InstanceChannel channel(identifier);
        for (const QString &message : messages) {
            delivered.append(channel.sendMessage(message, 10000));
        }
    }));
    thread->start();
    while (!thread->isFinished()) {
        QTest::qWait(10);
    }
    return delivered;
}

std::unique_ptr<QWidget> minimisedWindow()
{
    auto window = std::make_unique<QWidget>();
    window->resize(200, 100);
    window->showMinimized();
    return window;
}

} // namespace

class tst_SingleApplication : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void messagesOfALaterStartArriveInOrder();
    void messageActivatesTheActivationWindowWhenAsked_data();
    void messageActivatesTheActivationWindowWhenAsked();
    void withoutAChosenWindowTheTopLevelWindowIsActivated();
    void windowThatTheReceiverOpensStaysInFront();
};

void tst_SingleApplication::init()
{
    application()->setActivationWindow(nullptr, false);
}

void tst_SingleApplication::messagesOfALaterStartArriveInOrder()
{
    // The first start is the running instance.
    QVERIFY(!application()->isRunning());
    QVERIFY(!application()->sendMessage(QStringLiteral("act"), 1000));
    QSignalSpy received(application(), &SingleApplication::messageReceived);
    const QStringList messages{QStringLiteral("message.startimportsequence"),
                               QStringLiteral("/bin/x|/:\\::/:\\|/home/ä/p.tscript"),
                               QStringLiteral("message.endimportsequence")};

    QCOMPARE(sendFromALaterStart(messages), QList<bool>(3, true));
    QTRY_COMPARE(received.count(), 3);
    for (int i = 0; i < messages.size(); ++i) {
        QCOMPARE(received.at(i).at(0).toString(), messages.at(i));
    }
}

void tst_SingleApplication::messageActivatesTheActivationWindowWhenAsked_data()
{
    QTest::addColumn<bool>("activateOnMessage");

    QTest::newRow("activation on") << true;
    QTest::newRow("activation off") << false;
}

void tst_SingleApplication::messageActivatesTheActivationWindowWhenAsked()
{
    QFETCH(bool, activateOnMessage);

    QVERIFY(!application()->isRunning());
    const auto window = minimisedWindow();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    application()->setActivationWindow(window.get(), activateOnMessage);
    QCOMPARE(application()->activationWindow(), window.get());

    QSignalSpy received(application(), &SingleApplication::messageReceived);
    QCOMPARE(sendFromALaterStart({QStringLiteral("ctrl")}), QList<bool>{true});
    QTRY_COMPARE(received.count(), 1);
    if (activateOnMessage) {
        QVERIFY(!window->isMinimized());
        QTRY_COMPARE(QApplication::activeWindow(), window.get());
    } else {
        QVERIFY(window->isMinimized());
        QCOMPARE(QApplication::activeWindow(), &other);
    }
}

void tst_SingleApplication::withoutAChosenWindowTheTopLevelWindowIsActivated()
{
    auto chosen = std::make_unique<QWidget>();
    application()->setActivationWindow(chosen.get(), false);
    chosen.reset();
    QVERIFY(!application()->activationWindow());
    // Without any window, activating does nothing.
    application()->activateWindow();
    application()->initialize(true);

    const auto window = minimisedWindow();
    QSignalSpy received(application(), &SingleApplication::messageReceived);
    QCOMPARE(sendFromALaterStart({QStringLiteral("act")}), QList<bool>{true});
    QTRY_COMPARE(received.count(), 1);
    QVERIFY(!window->isMinimized());
    QTRY_COMPARE(QApplication::activeWindow(), window.get());
}

void tst_SingleApplication::windowThatTheReceiverOpensStaysInFront()
{
    const auto window = minimisedWindow();
    application()->setActivationWindow(window.get(), true);
    QWidget opened;
    QObject context;
    connect(application(), &SingleApplication::messageReceived, &context, [&opened] {
        opened.show();
        opened.activateWindow();
    });

    QCOMPARE(sendFromALaterStart({QStringLiteral("act")}), QList<bool>{true});
    QTRY_VERIFY(opened.isVisible());
    QVERIFY(!window->isMinimized());
    QTRY_COMPARE(QApplication::activeWindow(), &opened);
}

int main(int argc, char **argv)
{
    TestMain::prepare("tst_SingleApplication");
    SingleApplication application(QStringLiteral("tst_singleapplication ")
                                      + QUuid::createUuid().toString(QUuid::Id128),
                                  argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    tst_SingleApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleapplication.moc"
