// Start and stop of the application core: the working folders, the message log and the
// counter of arrival stamps.

#include "app/scriptercore.h"

#include "corelib/env/envmanager.h"
#include "corelib/jobs/countmanager.h"
#include "corelib/jobs/filemanager.h"
#include "corelib/logging/logrecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Scripter;

class tst_ScripterCore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void preparesTheWorkingFoldersAndEmptiesTemp();
    void logsTheStartAndEveryMessageBeforeStopping();
    void damagedCounterSettingsAreRemovedAndReported();
    void unusableMessageDatabaseIsReportedAndTheCoreRunsOn();

private:
    QString dataPath(const QString &relative) const;
    // type, operation, argument of every stored message, oldest first
    QList<QStringList> storedMessages() const;

    std::unique_ptr<QTemporaryDir> m_home;
};

void tst_ScripterCore::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    // The per-user data folder follows XDG_DATA_HOME, so each test gets its own.
    qputenv("XDG_DATA_HOME", m_home->path().toLocal8Bit());
    QCOMPARE(QFileInfo(SRCore::EnvManager::applicationDataPath()).absolutePath(),
             m_home->filePath(SRCore::EnvManager::company()));
}

void tst_ScripterCore::cleanup()
{
    QVERIFY(!ScripterCore::instance());
    m_home.reset();
}

QString tst_ScripterCore::dataPath(const QString &relative) const
{
    return SRCore::EnvManager::applicationDataPath() + QLatin1Char('/') + relative;
}

QList<QStringList> tst_ScripterCore::storedMessages() const
{
    QList<QStringList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                    QStringLiteral("tst_ScripterCore"));
        db.setDatabaseName(dataPath(QStringLiteral("logs/messages.db")));
        if (db.open()) {
            QSqlQuery query(QStringLiteral("SELECT type, operation, argument FROM logmessages "
                                           "ORDER BY id"),
                            db);
            while (query.next()) {
                rows.append({query.value(0).toString(), query.value(1).toString(),
                             query.value(2).toString()});
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("tst_ScripterCore"));
    return rows;
}

void tst_ScripterCore::preparesTheWorkingFoldersAndEmptiesTemp()
{
    QVERIFY(QDir().mkpath(dataPath(QStringLiteral("temp/old/nested"))));
    QFile leftover(dataPath(QStringLiteral("temp/leftover.tscript")));
    QVERIFY(leftover.open(QIODevice::WriteOnly));
    leftover.close();

    {
        const ScripterCore core;
        QCOMPARE(ScripterCore::instance(), &core);
        for (const QString &folder : {core.logsFolder(), core.tempFolder(), core.settingsFolder(),
                                      core.problemFilesFolder()}) {
            QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
            QVERIFY(QFileInfo(folder).isAbsolute());
        }
        QCOMPARE(core.logsFolder(), dataPath(QStringLiteral("logs")));
        QCOMPARE(core.problemFilesFolder(), dataPath(QStringLiteral("ProblemFiles")));
        QVERIFY(QDir(core.tempFolder())
                    .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QVERIFY(core.countManager());
        QCOMPARE(SRCore::FileManager::countManager(), core.countManager());
        QCOMPARE(core.countManager()->fileName(),
                 dataPath(QStringLiteral("settings/CountSettings.xml")));
    }
    QVERIFY(!SRCore::FileManager::countManager());
}

void tst_ScripterCore::logsTheStartAndEveryMessageBeforeStopping()
{
    {
        ScripterCore core;
        core.sendLogMessage(SRCore::LogLevel::Warning, QStringLiteral("Look at '%1'"), QString(),
                            QString(), QString(), QStringLiteral("x.js"));
        for (int i = 0; i < 500; ++i) {
            core.sendLogMessage(SRCore::LogLevel::Debug, QStringLiteral("detail %1"), QString(),
                                QString(), QString(), QString::number(i));
        }
    }
    const QList<QStringList> rows = storedMessages();
    QCOMPARE(rows.size(), 502);
    QCOMPARE(rows.at(0), QStringList({"info", "Scripter started", ""}));
    QCOMPARE(rows.at(1), QStringList({"warning", "Look at '%1'", "x.js"}));
    QCOMPARE(rows.last(), QStringList({"debug", "detail %1", "499"}));
}

void tst_ScripterCore::damagedCounterSettingsAreRemovedAndReported()
{
    const QString counterFile = dataPath(QStringLiteral("settings/CountSettings.xml"));
    QVERIFY(QDir().mkpath(QFileInfo(counterFile).absolutePath()));
    QFile damaged(counterFile);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("<CountSettings FormatVersion=\"1\"><LastArrivalSta");
    damaged.close();

    {
        const ScripterCore core;
        QVERIFY(!core.countManager());
        QVERIFY(!SRCore::FileManager::countManager());
        QVERIFY(!QFileInfo::exists(counterFile));
    }
    const QList<QStringList> rows = storedMessages();
    QVERIFY(rows.contains(
        QStringList({"error", "Can't load counter settings from file '%1'", counterFile})));
}

void tst_ScripterCore::unusableMessageDatabaseIsReportedAndTheCoreRunsOn()
{
    const QString database = dataPath(QStringLiteral("logs/messages.db"));
    QVERIFY(QDir().mkpath(QFileInfo(database).absolutePath()));
    QFile notADatabase(database);
    QVERIFY(notADatabase.open(QIODevice::WriteOnly));
    notADatabase.write("this is the user's file, not SQLite");
    notADatabase.close();

    {
        ScripterCore core;
        QVERIFY(core.countManager());
        core.sendLogMessage(SRCore::LogLevel::Information, QStringLiteral("still running"));
    }
    QFile check(database);
    QVERIFY(check.open(QIODevice::ReadOnly));
    QCOMPARE(check.readAll(), QByteArray("this is the user's file, not SQLite"));
}

QTEST_GUILESS_MAIN(tst_ScripterCore)
#include "tst_scriptercore.moc"
