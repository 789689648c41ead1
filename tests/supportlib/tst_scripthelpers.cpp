// The helpers that scripts find as File, Dir and Process, and the user global data file: each
// failure raises an error in the script with its reason and changes nothing.

#include "common/testmain.h"

#include "common/testfiles.h"

#include <supportlib/baseframeworkenvironment.h>
#include <supportlib/iscripthost.h>
#include <supportlib/scriptdir.h>
#include <supportlib/scriptfile.h>
#include <supportlib/scriptprocess.h>
#include <supportlib/userglobaldata.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// Stands for the engine: records what the helpers raise.
class RecordingHost : public IScriptHost
{
public:
    void raiseScriptError(const QString &message) override { errors << message; }
    bool isInterrupted() const override { return interrupted; }

    QStringList errors;
    bool interrupted = false;
};

} // namespace

// One call on the scripts' File or Dir object in the test's folder; its result, or none.
using FileCall = std::function<QVariant(const ScriptFile &, const QDir &)>;
using DirCall = std::function<QVariant(const ScriptDir &, const QDir &)>;
Q_DECLARE_METATYPE(FileCall)
Q_DECLARE_METATYPE(DirCall)

class tst_ScriptHelpers : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void fileCalls_data();
    void fileCalls();
    void dirCalls_data();
    void dirCalls();
    void processRuns_data();
    void processRuns();
    void globalDataKeepsEveryText_data();
    void globalDataKeepsEveryText();
    void globalDataThatCantBeWrittenStaysAsItWas();
    void damagedGlobalDataFilesAreAllKept();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // No error reached the script when `error` is empty, else exactly one that starts with it
    // (%1 stands for the test's folder).
    void verifyRaised(const QString &error) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<BaseFrameworkEnvironment> m_environment;
    RecordingHost m_host;
};

void tst_ScriptHelpers::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_environment = std::make_unique<BaseFrameworkEnvironment>();
    m_host.errors.clear();
    m_host.interrupted = false;
    m_environment->setScriptHost(&m_host);
    QVERIFY(TestFiles::writeFile(path(QStringLiteral("utf8.txt")), "gr\xc3\xbc\xc3\x9f"));
    QVERIFY(TestFiles::writeFile(path(QStringLiteral("latin1.txt")), "gr\xfc\xdf"));
    QVERIFY(QDir().mkpath(path(QStringLiteral("folder/sub"))));
    QVERIFY(TestFiles::writeFile(path(QStringLiteral("folder/a.pdf")), "pdf"));
    QVERIFY(TestFiles::writeFile(path(QStringLiteral("folder/b.xml")), "<b/>"));
}

void tst_ScriptHelpers::verifyRaised(const QString &error) const
{
    if (error.isEmpty()) {
        QCOMPARE(m_host.errors, QStringList());
        return;
    }
    QCOMPARE(m_host.errors.size(), 1);
    QVERIFY2(m_host.errors.first().startsWith(error.arg(m_dir->path())),
             qPrintable(m_host.errors.first()));
}

void tst_ScriptHelpers::fileCalls_data()
{
    QTest::addColumn<FileCall>("call");
    QTest::addColumn<QVariant>("result");
    QTest::addColumn<QString>("error"); // the start of the error; empty when there is none

    const auto read = [](const char *name, const char *encoding = "UTF-8") {
        return FileCall([=](const ScriptFile &file, const QDir &root) {
            return QVariant(file.read(root.filePath(QLatin1String(name)), QLatin1String(encoding)));
        });
    };
    const auto write = [](const char *name, const QString &text, const char *encoding = "UTF-8") {
        return FileCall([=](const ScriptFile &file, const QDir &root) {
            file.write(root.filePath(QLatin1String(name)), text, QLatin1String(encoding));
            return QVariant();
        });
    };
    // File.copy and File.move give nothing back.
    const auto transfer = [](void (ScriptFile::*call)(const QString &, const QString &) const,
                             const char *from, const char *to) {
        return FileCall([=](const ScriptFile &file, const QDir &root) {
            (file.*call)(root.filePath(QLatin1String(from)), root.filePath(QLatin1String(to)));
            return QVariant();
        });
    };
    const auto size = [](const char *name) {
        return FileCall([=](const ScriptFile &file, const QDir &root) {
            return QVariant(file.size(root.filePath(QLatin1String(name))));
        });
    };

    // clang-format off
    QTest::newRow("read UTF-8") << read("utf8.txt") << QVariant(QStringLiteral("grüß")) << "";
    QTest::newRow("read Latin-1") << read("latin1.txt", "ISO-8859-1") << QVariant(QStringLiteral("grüß")) << "";
    QTest::newRow("read bytes that are not UTF-8") << read("latin1.txt") << QVariant(QString()) << "'%1/latin1.txt' is not a text in UTF-8";
    QTest::newRow("read in an unknown encoding") << read("utf8.txt", "EBCDIC-42") << QVariant(QString()) << "'EBCDIC-42' is no known text encoding";
    QTest::newRow("read a missing file") << read("none.txt") << QVariant(QString()) << "'%1/none.txt' can't be read";
    QTest::newRow("write a text Latin-1 can't hold") << write("utf8.txt", "\u20ac", "ISO-8859-1") << QVariant() << "The text for '%1/utf8.txt' has characters that ISO-8859-1 can't hold";
    QTest::newRow("write into a missing folder") << write("none/x.txt", "x") << QVariant() << "Can't write '%1/none/x.txt'";
    QTest::newRow("copy a missing file") << transfer(&ScriptFile::copy, "none.txt", "copy.txt") << QVariant() << "'%1/none.txt' does not exist";
    QTest::newRow("move onto a file") << transfer(&ScriptFile::move, "utf8.txt", "latin1.txt") << QVariant() << "'%1/latin1.txt' exists already";
    QTest::newRow("size of a folder") << size("folder") << QVariant(qint64(0)) << "'%1/folder' is not a file";
    QTest::newRow("size of a file") << size("utf8.txt") << QVariant(qint64(6)) << "";
    // clang-format on
}

void tst_ScriptHelpers::fileCalls()
{
    QFETCH(FileCall, call);
    QFETCH(QVariant, result);
    QFETCH(QString, error);

    const QByteArray before = TestFiles::readFile(path(QStringLiteral("utf8.txt")));
    ScriptFile file(m_environment.get(), nullptr);
    QCOMPARE(call(file, QDir(m_dir->path())), result);
    verifyRaised(error);
    if (!QTest::currentTestFailed() && !error.isEmpty()) {
        // A failed call leaves the files as they were.
        QCOMPARE(TestFiles::readFile(path(QStringLiteral("utf8.txt"))), before);
    }
}

void tst_ScriptHelpers::dirCalls_data()
{
    QTest::addColumn<DirCall>("call");
    QTest::addColumn<QVariant>("result");
    QTest::addColumn<QString>("error");       // the start of the error; empty when there is none
    QTest::addColumn<QStringList>("present"); // what must be there afterwards
    QTest::addColumn<QStringList>("absent");  // what must not

    const auto list = [](const char *folder, const char *pattern) {
        return DirCall([=](const ScriptDir &dir, const QDir &root) {
            return QVariant(dir.list(root.filePath(QLatin1String(folder)), QLatin1String(pattern)));
        });
    };
    // Dir.create and Dir.remove give nothing back.
    const auto change = [](void (ScriptDir::*call)(const QString &) const, const char *name) {
        return DirCall([=](const ScriptDir &dir, const QDir &root) {
            (dir.*call)(root.filePath(QLatin1String(name)));
            return QVariant();
        });
    };
    const DirCall createNested = change(&ScriptDir::create, "new/deeper");
    const DirCall createUnderAFile = change(&ScriptDir::create, "utf8.txt/x");
    const DirCall removeFolder = change(&ScriptDir::remove, "folder");
    const DirCall removeFile = change(&ScriptDir::remove, "utf8.txt");
    const auto exists = [](const char *name) {
        return DirCall([=](const ScriptDir &dir, const QDir &root) {
            return QVariant(dir.exists(root.filePath(QLatin1String(name))));
        });
    };
    const QStringList none;

    // clang-format off
    QTest::newRow("list everything") << list("folder", "*") << QVariant(QStringList{"a.pdf", "b.xml", "sub"}) << "" << none << none;
    QTest::newRow("list one pattern") << list("folder", "*.pdf") << QVariant(QStringList{"a.pdf"}) << "" << none << none;
    QTest::newRow("list several patterns") << list("folder", "*.xml;*.pdf") << QVariant(QStringList{"a.pdf", "b.xml"}) << "" << none << none;
    QTest::newRow("list with no match") << list("folder", "*.doc") << QVariant(QStringList{}) << "" << none << none;
    QTest::newRow("list a file") << list("utf8.txt", "*") << QVariant(QStringList{}) << "'%1/utf8.txt' is not a folder" << QStringList{"utf8.txt"} << none;
    QTest::newRow("list a missing folder") << list("none", "*") << QVariant(QStringList{}) << "'%1/none' is not a folder" << none << QStringList{"none"};
    QTest::newRow("create nested folders") << createNested << QVariant() << "" << QStringList{"new/deeper"} << none;
    QTest::newRow("create under a file") << createUnderAFile << QVariant() << "The folder '%1/utf8.txt/x' can't be created" << QStringList{"utf8.txt"} << none;
    QTest::newRow("remove a folder with what it holds") << removeFolder << QVariant() << "" << QStringList{"utf8.txt"} << QStringList{"folder"};
    QTest::newRow("remove a file is refused") << removeFile << QVariant() << "'%1/utf8.txt' is a file; File.remove removes files" << QStringList{"utf8.txt"} << none;
    QTest::newRow("a folder exists") << exists("folder/sub") << QVariant(true) << "" << none << none;
    QTest::newRow("a file is no folder") << exists("utf8.txt") << QVariant(false) << "" << none << none;
    // clang-format on
}

void tst_ScriptHelpers::dirCalls()
{
    QFETCH(DirCall, call);
    QFETCH(QVariant, result);
    QFETCH(QString, error);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);

    const QDir root(m_dir->path());
    ScriptDir dir(m_environment.get(), nullptr);
    QCOMPARE(call(dir, root), result);
    verifyRaised(error);
    if (QTest::currentTestFailed()) {
        return;
    }
    for (const QString &name : present) {
        QVERIFY2(QFileInfo::exists(root.filePath(name)), qPrintable(name));
    }
    for (const QString &name : absent) {
        QVERIFY2(!QFileInfo::exists(root.filePath(name)), qPrintable(name));
    }
}

void tst_ScriptHelpers::processRuns_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<bool>("stopped");    // whether the run is stopped while the program runs
    QTest::addColumn<QString>("outcome"); // exitCode|stdout|timedOut, or the error

    // clang-format off
    QTest::newRow("output and exit code") << "sh" << QStringList{"-c", "echo hi; exit 3"} << 30 << false << "3|hi\n|false";
    QTest::newRow("overrunning its time-out") << "sleep" << QStringList{"30"} << 1 << false << "-1||true";
    QTest::newRow("a run stopped while it waits") << "sleep" << QStringList{"30"} << 30 << true << "'sleep' was killed: the run was stopped";
    QTest::newRow("a program that isn't there") << "no-such-program-x" << QStringList{} << 30 << false << "'no-such-program-x' can't be started";
    QTest::newRow("a time-out of nothing") << "true" << QStringList{} << 0 << false << "The time-out must be at least 1 second, not 0";
    // clang-format on
}

void tst_ScriptHelpers::processRuns()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, timeout);
    QFETCH(bool, stopped);
    QFETCH(QString, outcome);

    m_host.interrupted = stopped;
    ScriptProcess process(m_environment.get(), nullptr);
    const QVariantMap result = process.run(program, arguments, timeout);
    const QString text = m_host.errors.isEmpty()
                             ? QStringLiteral("%1|%2|%3")
                                   .arg(result.value(QStringLiteral("exitCode")).toInt())
                                   .arg(result.value(QStringLiteral("stdout")).toString(),
                                        result.value(QStringLiteral("timedOut")).toString())
                             : m_host.errors.first();
    QVERIFY2(text.startsWith(outcome), qPrintable(text));
}

void tst_ScriptHelpers::globalDataKeepsEveryText_data()
{
    QTest::addColumn<QString>("text");

    // clang-format off
    QTest::newRow("markup") << "<a & 'b'>";
    QTest::newRow("line breaks and blanks") << " one\r\ntwo\r ";
    QTest::newRow("control characters") << "a\u0001b";
    QTest::newRow("empty") << "";
    // clang-format on
}

void tst_ScriptHelpers::globalDataKeepsEveryText()
{
    QFETCH(QString, text);

    const QString file = path(QStringLiteral("UserGlobalData.xml"));
    {
        UserGlobalData data(file);
        QVERIFY(data.setGlobalData(text, text, text));
    }
    const UserGlobalData reread(file);
    QCOMPARE(reread.loadError(), QString());
    QVERIFY(reread.hasGlobalData(text, text));
    QCOMPARE(reread.getGlobalData(text, text), text);
}

void tst_ScriptHelpers::globalDataThatCantBeWrittenStaysAsItWas()
{
    const QString file = path(QStringLiteral("gone/UserGlobalData.xml"));
    UserGlobalData data(file);
    QString error;
    QVERIFY(
        !data.setGlobalData(QStringLiteral("s"), QStringLiteral("t"), QStringLiteral("v"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!data.hasGlobalData(QStringLiteral("s"), QStringLiteral("t")));
}

void tst_ScriptHelpers::damagedGlobalDataFilesAreAllKept()
{
    const QString file = path(QStringLiteral("UserGlobalData.xml"));
    for (const QByteArray &damaged : {QByteArray("not xml"), QByteArray("<Other/>")}) {
        QVERIFY(TestFiles::writeFile(file, damaged));
        const UserGlobalData data(file);
        QVERIFY(data.loadError().contains(file));
        QVERIFY(!QFileInfo::exists(file));
    }
    QCOMPARE(TestFiles::readFile(file + QStringLiteral(".damaged")), QByteArray("not xml"));
    QCOMPARE(TestFiles::readFile(file + QStringLiteral(".damaged-2")), QByteArray("<Other/>"));
}

TAVRIX_TEST_GUILESS_MAIN(tst_ScriptHelpers)
#include "tst_scripthelpers.moc"
