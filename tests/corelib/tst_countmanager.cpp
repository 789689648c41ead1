#include "common/testmain.h"

#include "common/testfiles.h"

#include "corelib/jobs/countmanager.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using SRCore::CountManager;

using TestFiles::readFile;
using TestFiles::writeFile;

namespace {

const QString kFileName = QStringLiteral("CountSettings.xml");
// Makes the test executable take stamps for a second process (see main()).
const char kTakeStampsArgument[] = "--take-stamps";

QByteArray settings(const QByteArray &body)
{
    return "<?xml version=\"1.0\"?>\n<CountSettings FormatVersion=\"1\">\n" + body
           + "</CountSettings>\n";
}

// Takes `count` stamps; 0 marks a failure.
QList<qint64> takeStamps(const QString &path, int count)
{
    QList<qint64> stamps;
    CountManager manager;
    if (!manager.setFileName(path)) {
        return {0};
    }
    for (int i = 0; i < count; ++i) {
        stamps.append(manager.getNextArrivalStamp());
    }
    return stamps;
}

void verifyIncreasing(const QList<qint64> &stamps)
{
    for (qsizetype i = 0; i < stamps.size(); ++i) {
        QVERIFY2(stamps.at(i) > (i == 0 ? 0 : stamps.at(i - 1)),
                 qPrintable(QStringLiteral("stamp %1 is %2").arg(i).arg(stamps.at(i))));
    }
}

// All stamps of all users together are exactly 1..n: none is handed out twice or skipped.
void verifyDistinctAndDense(const QList<QList<qint64>> &perUser)
{
    QList<qint64> all;
    for (const QList<qint64> &stamps : perUser) {
        verifyIncreasing(stamps);
        all += stamps;
    }
    std::sort(all.begin(), all.end());
    for (qsizetype i = 0; i < all.size(); ++i) {
        QCOMPARE(all.at(i), i + 1);
    }
}

} // namespace

class tst_CountManager : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void stampsGoOnAcrossInstancesAndARemovedFile();
    void damagedFileIsRefused_data();
    void damagedFileIsRefused();
    void fileDamagedWhileInUseIsLeftAlone();
    void missingFolderIsRefused();
    void lockedFileIsNotChanged();
    void twoProcessesNeverShareAStamp();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_path; // of the count settings in m_folder
};

void tst_CountManager::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_path = m_folder->filePath(kFileName);
}

void tst_CountManager::stampsGoOnAcrossInstancesAndARemovedFile()
{
    CountManager first;
    QString error;
    QVERIFY2(first.setFileName(m_path, &error), qPrintable(error));
    QVERIFY(QFileInfo(m_path).isFile());
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(first.getNextArrivalStamp(), i);
    }
    // The lock file exists only while a stamp is taken.
    QCOMPARE(
        QDir(m_folder->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{kFileName});
    CountManager second;
    QVERIFY(second.setFileName(m_path));
    QCOMPARE(second.getNextArrivalStamp(), 6);
    // The first instance reads the file again rather than trusting its memory, but a removed
    // file does not take it back.
    QCOMPARE(first.getNextArrivalStamp(), 7);
    QVERIFY(QFile::remove(m_path));
    QCOMPARE(first.getNextArrivalStamp(), 8);
    QCOMPARE(second.getNextArrivalStamp(), 9);
    QVERIFY(writeFile(m_path, settings("<LastArrivalStamp>1000</LastArrivalStamp>\n")));
    CountManager third;
    QVERIFY(third.setFileName(m_path));
    QCOMPARE(third.getNextArrivalStamp(), 1001);
}

void tst_CountManager::damagedFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("cause");

    // clang-format off
    QTest::newRow("truncated") << settings("<LastArrivalStamp>5</LastArrivalStamp>\n").left(60) << "Premature end of document";
    QTest::newRow("another kind of file") << QByteArray("<JobTicket FormatVersion=\"1\"/>") << "expected <CountSettings>";
    QTest::newRow("stamp missing") << settings("") << "Element <LastArrivalStamp> is missing";
    QTest::newRow("stamp given twice") << settings("<LastArrivalStamp>5</LastArrivalStamp><LastArrivalStamp>6</LastArrivalStamp>") << "appears more than once";
    QTest::newRow("negative stamp") << settings("<LastArrivalStamp>-5</LastArrivalStamp>") << "'-5' is not a whole number";
    QTest::newRow("stamp is not a number") << settings("<LastArrivalStamp>5x</LastArrivalStamp>") << "'5x' is not a whole number";
    QTest::newRow("stamp beyond 64 bits") << settings("<LastArrivalStamp>9223372036854775808</LastArrivalStamp>") << "is not a whole number";
    QTest::newRow("unknown element") << settings("<Counter>5</Counter>") << "Unexpected element <Counter>";
    // clang-format on
}

void tst_CountManager::damagedFileIsRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, cause);

    QVERIFY(writeFile(m_path, content));
    CountManager manager;
    QString error;
    QVERIFY(!manager.setFileName(m_path, &error));
    QVERIFY2(error.contains(cause), qPrintable(error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(m_path)), qPrintable(error));
    QCOMPARE(readFile(m_path), content);
    QCOMPARE(manager.fileName(), QString());
    QCOMPARE(manager.getNextArrivalStamp(&error), 0);
    QCOMPARE(readFile(m_path), content);
}

void tst_CountManager::fileDamagedWhileInUseIsLeftAlone()
{
    CountManager manager;
    QVERIFY(manager.setFileName(m_path));
    QCOMPARE(manager.getNextArrivalStamp(), 1);

    QVERIFY(writeFile(m_path, "garbage"));
    QString error;
    QCOMPARE(manager.getNextArrivalStamp(&error), 0);
    QVERIFY2(error.contains(QDir::toNativeSeparators(m_path)), qPrintable(error));
    QCOMPARE(readFile(m_path), QByteArray("garbage"));

    // A failed call uses up no stamp.
    QVERIFY(writeFile(m_path, settings("<LastArrivalStamp>1</LastArrivalStamp>")));
    QCOMPARE(manager.getNextArrivalStamp(), 2);
}

void tst_CountManager::missingFolderIsRefused()
{
    const QString path = m_folder->filePath(QStringLiteral("settings/") + kFileName);
    CountManager manager;
    QString error;
    QVERIFY(!manager.setFileName(path, &error));
    QVERIFY2(error.contains(QStringLiteral("folder does not exist")), qPrintable(error));
    QVERIFY(!QFileInfo::exists(m_folder->filePath(QStringLiteral("settings"))));
}

void tst_CountManager::lockedFileIsNotChanged()
{
    CountManager manager;
    QVERIFY(manager.setFileName(m_path));
    QCOMPARE(manager.getNextArrivalStamp(), 1);
    const QByteArray content = readFile(m_path);

    QLockFile otherUser(m_path + QStringLiteral(".lock"));
    QVERIFY(otherUser.tryLock(0));
    manager.setLockTimeout(50);
    QString error;
    QCOMPARE(manager.getNextArrivalStamp(&error), 0);
    QVERIFY2(error.contains(QStringLiteral("Can't lock")), qPrintable(error));
    CountManager another;
    another.setLockTimeout(50);
    QVERIFY(!another.setFileName(m_path, &error));
    QVERIFY2(error.contains(QStringLiteral("Can't lock")), qPrintable(error));
    QCOMPARE(readFile(m_path), content);

    otherUser.unlock();
    QCOMPARE(manager.getNextArrivalStamp(), 2);
}

void tst_CountManager::twoProcessesNeverShareAStamp()
{
    constexpr int perProcess = 150;
    QList<QProcess *> processes;
    for (int i = 0; i < 2; ++i) {
        auto process = new QProcess(this);
        process->start(
            QCoreApplication::applicationFilePath(),
            {QString::fromLatin1(kTakeStampsArgument), m_path, QString::number(perProcess)});
        processes.append(process);
    }
    // This process takes its own stamps meanwhile.
    const QList<qint64> own = takeStamps(m_path, perProcess);

    QList<QList<qint64>> perUser{own};
    for (QProcess *process : processes) {
        QVERIFY(process->waitForFinished(120000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QVERIFY2(process->exitCode() == 0, process->readAllStandardError().constData());
        QList<qint64> stamps;
        const QList<QByteArray> lines = process->readAllStandardOutput().split('\n');
        for (const QByteArray &line : lines) {
            if (!line.isEmpty()) {
                stamps.append(line.toLongLong());
            }
        }
        QCOMPARE(stamps.size(), perProcess);
        perUser.append(stamps);
        delete process;
    }
    verifyDistinctAndDense(perUser);
}

// Run as "<test> --take-stamps <file> <count>", the test executable is the second process of
// twoProcessesNeverShareAStamp(): it prints the stamps it takes, one per line.
int main(int argc, char *argv[])
{
    TestMain::prepare("tst_CountManager");
    if (argc == 4 && qstrcmp(argv[1], kTakeStampsArgument) == 0) {
        QCoreApplication app(argc, argv);
        const QList<qint64> stamps = takeStamps(QString::fromLocal8Bit(argv[2]), atoi(argv[3]));
        QTextStream out(stdout);
        for (const qint64 stamp : stamps) {
            out << stamp << '\n';
        }
        return stamps.contains(0) ? 1 : 0;
    }
    QCoreApplication app(argc, argv);
    tst_CountManager test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_countmanager.moc"
