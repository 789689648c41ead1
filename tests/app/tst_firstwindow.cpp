// The windows of a run of the program are numbered from 0, and an unnamed package is saved
// under the number of its window. Its own program, so that no other window comes first.

#include "common/testmain.h"

#include "apptestsupport.h"

#include "package/declaration.h"

#include "corelib/vocabulary/xmlkey.h"

using namespace Scripter;

class tst_FirstWindow : public QObject
{
    Q_OBJECT

private slots:
    void firstWindowIsNumberZeroAndAsksForTavrixScript0();

private:
};

void tst_FirstWindow::firstWindowIsNumberZeroAndAsksForTavrixScript0()
{
    AppTest::CoreFixture world;
    QVERIFY(world.isValid());
    world.start();
    ScripterWindow *first = world.window(0);
    QCOMPARE(first->documentNumber(), 0);
    QCOMPARE(world.newWindow()->documentNumber(), 1);

    QVERIFY(first->declaration()->setBasicValue(SRCore::XMLKey::NAME, QString()));
    QVERIFY(first->isWindowModified());
    DialogAnswerer boxes;
    boxes.then(DialogAnswerer::press(QMessageBox::Cancel));
    QVERIFY(!first->close());
    QVERIFY(boxes.answeredAll());
    QCOMPARE(boxes.seen.value(0).section(QLatin1Char('|'), 1),
             QStringLiteral("Save changes to TavrixScript0.tscript ?"));
}

TAVRIX_TEST_MAIN_OWN_HOME(tst_FirstWindow)
#include "tst_firstwindow.moc"
