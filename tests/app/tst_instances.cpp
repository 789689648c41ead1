// The built program started twice, as a user starts it: the second start hands its package to
// the running instance and ends.

#include "common/testmain.h"

#include "apptestsupport.h"

#include "app/instancechannel.h"

#include "package/declaration.h"

#include "corelib/vocabulary/xmlkey.h"

#include <QDirIterator>
#include <QProcess>

using namespace Scripter;

class tst_Instances : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void secondStartHandsItsPackageToTheRunningInstance();

private:
    // Starts the program with `arguments` in the private environment of the test.
    void start(QProcess &process, const QStringList &arguments) const;
    // The recent packages list that the program wrote into its settings.
    QStringList recentPackages() const;
    // Whether `program` has started completely, asked without becoming the running instance.
    bool programRuns(const QProcess &program) const;

    QTemporaryDir m_home;
};

void tst_Instances::initTestCase()
{
    QVERIFY(m_home.isValid());
    QVERIFY2(QFileInfo(QStringLiteral(TAVRIX_PROGRAM)).isExecutable(), TAVRIX_PROGRAM);
    // The instances of this test, and its probe, meet each other in a temporary folder of their
    // own, never a program that the user or another test runs.
    QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral("tmp"))));
    qputenv("TMPDIR", m_home.filePath(QStringLiteral("tmp")).toLocal8Bit());
}

void tst_Instances::start(QProcess &process, const QStringList &arguments) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Its own settings and data folder.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       m_home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(TAVRIX_PROGRAM), arguments);
}

QStringList tst_Instances::recentPackages() const
{
    QDirIterator files(m_home.filePath(QStringLiteral("config")), {QStringLiteral("*.conf")},
                       QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QSettings settings(files.next(), QSettings::IniFormat);
        const QStringList packages =
            settings.value(QStringLiteral("General/RecentPackagesList")).toStringList();
        if (!packages.isEmpty()) {
            return packages;
        }
    }
    return {};
}

bool tst_Instances::programRuns(const QProcess &program) const
{
    // The running instance answers only from its event loop, so an answered "ctrl" (which it
    // ignores) tells that it has started completely.
    InstanceChannel probe(QStringLiteral("TavrixScripter"));
    return probe.runningProcessId() == program.processId()
           && probe.sendMessage(QStringLiteral("ctrl"), 1000);
}

void tst_Instances::secondStartHandsItsPackageToTheRunningInstance()
{
    QString package;
    {
        AppTest::CoreFixture world;
        world.start();
        ScripterWindow *window = world.window(0);
        package = m_home.filePath(QStringLiteral("Handed Over.tscript"));
        QVERIFY(AppTest::writeFile(package, QByteArray()));
        QVERIFY(window->declaration()->setBasicValue(SRCore::XMLKey::NAME,
                                                     QStringLiteral("HandedOver")));
        window->setCurrentFile(package, false);
        QVERIFY(world.processor()->save(PackageProcessor::Save, window));
    }

    QProcess first;
    start(first, {});
    QVERIFY2(first.waitForStarted(), qPrintable(first.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(programRuns(first), 60000);
    QVERIFY(recentPackages().isEmpty());

    QProcess second;
    start(second, {package});
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);

    // The running instance opened it: it heads the recent packages list.
    QTRY_COMPARE_WITH_TIMEOUT(recentPackages().value(0), QDir::toNativeSeparators(package), 30000);
    QCOMPARE(first.state(), QProcess::Running);

    first.terminate();
    if (!first.waitForFinished(10000)) {
        first.kill();
        first.waitForFinished();
    }
}

TAVRIX_TEST_MAIN_OWN_HOME(tst_Instances)
#include "tst_instances.moc"
