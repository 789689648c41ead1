#include "common/testmain.h"

#include "common/testfiles.h"

#include "corelib/env/envmanager.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using SRCore::EnvManager;

using TestFiles::readFile;
using TestFiles::writeFile;

namespace {

const QString kFileName = QStringLiteral("ScripterCustomization.xml");
const QString kBranding = QStringLiteral("TAVRIXscripter");

QByteArray customization(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<Customization FormatVersion=\"1\" Product=\"TAVRIXscripter\">\n"
           + body + "</Customization>\n";
}

// Starts the environment as if the program lay in `folder`.
bool initializeIn(const QString &folder)
{
    QByteArray program = QFile::encodeName(folder + QStringLiteral("/tavrixscripter"));
    char *argv[] = {program.data(), nullptr};
    return EnvManager::initialize(kFileName, QStringLiteral("TavrixScripter"), kBranding, argv);
}

void verifyDefaults()
{
    QCOMPARE(EnvManager::appName(), QStringLiteral("TavrixScripter"));
    QCOMPARE(EnvManager::company(), QStringLiteral("Tavrix"));
    QCOMPARE(EnvManager::getCustomIcon(), QString());
    QVERIFY(!EnvManager::isCustomizedTavrix());
}

} // namespace

class tst_EnvManager : public QObject
{
    Q_OBJECT

private slots:
    void withoutCustomizationDefaultsApply();
    void customizationApplies_data();
    void customizationApplies();
    void damagedCustomizationIsRefused_data();
    void damagedCustomizationIsRefused();
    void customizationThatIsAFolderIsRefused();
    void programFolderIsFoundFromTheStartingFolder_data();
    void programFolderIsFoundFromTheStartingFolder();
};

void tst_EnvManager::withoutCustomizationDefaultsApply()
{
    QTemporaryDir folder;
    QVERIFY(initializeIn(folder.path()));
    verifyDefaults();
    QCOMPARE(EnvManager::getLastError(), QString());
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QVERIFY2(base.contains(QStringLiteral(".qttest")), qPrintable(base));
    QCOMPARE(EnvManager::applicationDataPath(), base + QStringLiteral("/Tavrix/TavrixScripter"));
}

void tst_EnvManager::customizationApplies_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("appName");
    QTest::addColumn<QString>("company");
    // Relative to the program's folder; "<elsewhere>" stands for another folder.
    QTest::addColumn<QString>("icon");

    // clang-format off
    QTest::newRow("names replace the defaults") << QByteArray("<ApplicationName>AcmeScripter</ApplicationName>\n" "<Company>Acme</Company>\n") << "AcmeScripter" << "Acme" << QString();
    QTest::newRow("names are trimmed") << QByteArray("<ApplicationName>\n  AcmeScripter  \n</ApplicationName>\n") << "AcmeScripter" << "Tavrix" << QString();
    QTest::newRow("non-ASCII names are kept") << QByteArray("<ApplicationName>Scripteur Été</ApplicationName>\n" "<Company>Société Générale &amp; Cie</Company>\n") << QStringLiteral("Scripteur Été") << QStringLiteral("Société Générale & Cie") << QString();
    QTest::newRow("relative icon is relative to the file") << QByteArray("<Icon>icons/acme.png</Icon>\n") << "TavrixScripter" << "Tavrix" << "icons/acme.png";
    QTest::newRow("absolute icon is taken as it is") << QByteArray("<Icon><elsewhere>/acme.png</Icon>\n") << "TavrixScripter" << "Tavrix" << "<elsewhere>/acme.png";
    QTest::newRow("empty customization only marks the program as customized") << QByteArray() << "TavrixScripter" << "Tavrix" << QString();
    // clang-format on
}

void tst_EnvManager::customizationApplies()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, appName);
    QFETCH(QString, company);
    QFETCH(QString, icon);

    QTemporaryDir folder;
    QTemporaryDir elsewhere;
    body.replace("<elsewhere>", QFile::encodeName(elsewhere.path()));
    icon.replace(QStringLiteral("<elsewhere>"), elsewhere.path());
    QString iconPath;
    if (!icon.isEmpty()) {
        iconPath = QDir(folder.path()).absoluteFilePath(icon);
        QVERIFY(writeFile(iconPath, "png"));
    }
    QVERIFY(writeFile(folder.filePath(kFileName), customization(body)));

    QVERIFY2(initializeIn(folder.path()), qPrintable(EnvManager::getLastError()));
    QCOMPARE(EnvManager::appName(), appName);
    QCOMPARE(EnvManager::company(), company);
    QCOMPARE(EnvManager::getCustomIcon(), iconPath);
    QVERIFY(EnvManager::isCustomizedTavrix());
    QVERIFY(EnvManager::applicationDataPath().endsWith(QLatin1Char('/') + company + QLatin1Char('/')
                                                       + appName));
}

void tst_EnvManager::damagedCustomizationIsRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("cause");

    const QByteArray header = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    // clang-format off
    QTest::newRow("mismatched tags report the parser's position") << customization("<Company>Acme</Compnay>\n") << 3 << "mismatch";
    QTest::newRow("no product") << header + "<Customization FormatVersion=\"1\"/>\n" << 2 << "no Product attribute";
    QTest::newRow("made for another product") << header + "<Customization FormatVersion=\"1\" Product=\"TAVRIXserver\"/>\n" << 2 << "'TAVRIXserver', not for 'TAVRIXscripter'";
    QTest::newRow("empty application name") << customization("<ApplicationName>  </ApplicationName>\n") << 3 << "it is empty";
    QTest::newRow("slash in the company") << customization("<Company>Acme/Evil</Company>\n") << 3 << "'/'";
    QTest::newRow("parent folder as application name") << customization("<ApplicationName>..</ApplicationName>\n") << 3 << "is not a folder name";
    QTest::newRow("tab inside the company") << customization("<Company>Ac&#9;me</Company>\n") << 3 << "U+0009";
    QTest::newRow("over-long application name") << customization("<ApplicationName>" + QByteArray(65, 'a') + "</ApplicationName>\n") << 3 << "longer than 64";
    QTest::newRow("unknown element") << customization("<Colour>red</Colour>\n") << 3 << "Unexpected element <Colour>";
    QTest::newRow("company given twice") << customization("<Company>Acme</Company>\n<Company>Acme</Company>\n") << 4 << "more than once";
    QTest::newRow("icon file missing") << customization("<Icon>missing.png</Icon>\n") << 3 << "missing.png";
    // clang-format on
}

void tst_EnvManager::damagedCustomizationIsRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    QFETCH(QString, cause);

    QTemporaryDir folder;
    const QString path = folder.filePath(kFileName);
    QVERIFY(writeFile(path, content));

    QVERIFY(!initializeIn(folder.path()));
    const QString error = EnvManager::getLastError();
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("line %1, column ").arg(line)), qPrintable(error));
    QVERIFY2(error.contains(cause), qPrintable(error));
    verifyDefaults();
    QCOMPARE(readFile(path), content);
}

void tst_EnvManager::customizationThatIsAFolderIsRefused()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(kFileName));
    QVERIFY(!initializeIn(folder.path()));
    QVERIFY2(EnvManager::getLastError().contains(kFileName),
             qPrintable(EnvManager::getLastError()));
    verifyDefaults();
}

void tst_EnvManager::programFolderIsFoundFromTheStartingFolder_data()
{
    QTest::addColumn<QByteArray>("program"); // argv[0]; "-" for no argv at all
    QTest::addColumn<QString>("company");

    // Only the program's own folder is searched: the damaged file in the starting folder is not.
    // clang-format off
    QTest::newRow("relative program path") << QByteArray("bin/tavrixscripter") << "Acme";
    QTest::newRow("bare name on no path") << QByteArray("tavrix-program-that-is-on-no-path") << "Tavrix";
    QTest::newRow("no program name") << QByteArray() << "Tavrix";
    QTest::newRow("no arguments") << QByteArray("-") << "Tavrix";
    // clang-format on
}

void tst_EnvManager::programFolderIsFoundFromTheStartingFolder()
{
    QFETCH(QByteArray, program);
    QFETCH(QString, company);

    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(QStringLiteral("bin/") + kFileName),
                      customization("<Company>Acme</Company>\n")));
    QVERIFY(writeFile(folder.filePath(kFileName), "damaged"));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    char *argv[] = {program.isEmpty() ? nullptr : program.data(), nullptr};
    const bool initialized = EnvManager::initialize(kFileName, QStringLiteral("TavrixScripter"),
                                                    kBranding, program == "-" ? nullptr : argv);
    QDir::setCurrent(previous);
    QVERIFY2(initialized, qPrintable(EnvManager::getLastError()));
    QCOMPARE(EnvManager::company(), company);
    QCOMPARE(EnvManager::isCustomizedTavrix(), company == QLatin1String("Acme"));
}

TAVRIX_TEST_GUILESS_MAIN(tst_EnvManager)
#include "tst_envmanager.moc"
