// Finding the installed languages and installing their catalogues, on language folders made up
// in a temporary folder with catalogues compiled by lrelease.

#include "common/testmain.h"

#include "common/testfiles.h"

#include "guilib/translation/languagelocator.h"
#include "guilib/translation/translationloader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using GuiLib::LanguageLocator;
using GuiLib::TranslationLoader;

namespace {

const QStringList startupPatterns{"Common*.qm", "GuiCommon*.qm", "Scripter*.qm", "Extra*.qm"};

// Every generated catalogue translates, in the context "Probe", the text "which" to its own file
// name and its own file name to "present": the first tells which installed catalogue wins, the
// second whether a catalogue is installed at all.
QString probe(const QString &text)
{
    return QCoreApplication::translate("Probe", text.toUtf8().constData());
}

bool isInstalled(const QString &fileName)
{
    return probe(QFileInfo(fileName).completeBaseName()) == QLatin1String("present");
}

QString winner()
{
    return probe("which");
}

// A folder tree in a temporary folder: "app" stands for the program's folder, "qt" for the
// folder of Qt's own catalogues.
class Installation
{
public:
    bool isValid() const { return m_root.isValid(); }
    QString appFolder() const { return m_root.filePath("app"); }
    QString qtFolder() const { return m_root.filePath("qt"); }
    QString languageFolder(const QString &language, bool customized = false) const
    {
        return appFolder()
               + (customized ? QStringLiteral("/Customization/Translations/")
                             : QStringLiteral("/translations/"))
               + language;
    }

    // Puts a catalogue named `fileName` (see probe()) into `folder`; each name is compiled once.
    bool addCatalogue(const QString &folder, const QString &fileName) const
    {
        static QHash<QString, QByteArray> compiled;
        const QString name = QFileInfo(fileName).completeBaseName();
        if (!compiled.contains(name)) {
            compiled.insert(name, compile(name));
        }
        return !compiled.value(name).isEmpty()
               && TestFiles::writeFile(folder + QLatin1Char('/') + fileName, compiled.value(name));
    }

    bool addCatalogues(const QString &folder, const QStringList &fileNames) const
    {
        return std::all_of(fileNames.cbegin(), fileNames.cend(),
                           [&](const QString &file) { return addCatalogue(folder, file); });
    }

    // Loads `language` with the program's name and version and the startup patterns.
    bool load(TranslationLoader &loader, const QString &language, QString *error = nullptr,
              bool customized = false, const QStringList &patterns = startupPatterns) const
    {
        return loader.load("PowerTavrix", "09", language, patterns, customized, appFolder(),
                           qtFolder(), error);
    }

private:
    // The compiled catalogue of `name`; empty when lrelease failed.
    QByteArray compile(const QString &name) const
    {
        const QString source = m_root.filePath(name + QStringLiteral(".ts"));
        const QString target = m_root.filePath(name + QStringLiteral(".qm"));
        const QByteArray catalogue =
            QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                           "<!DOCTYPE TS>\n<TS version=\"2.1\">\n<context>\n"
                           "<name>Probe</name>\n"
                           "<message><source>which</source>"
                           "<translation>%1</translation></message>\n"
                           "<message><source>%1</source>"
                           "<translation>present</translation></message>\n"
                           "</context>\n</TS>\n")
                .arg(name)
                .toUtf8();
        if (!TestFiles::writeFile(source, catalogue)) {
            return {};
        }
        QProcess lrelease;
        lrelease.start(QStringLiteral(TAVRIX_LRELEASE), {"-silent", source, "-qm", target});
        const bool made = lrelease.waitForFinished() && lrelease.exitCode() == 0;
        return made ? TestFiles::readFile(target) : QByteArray();
    }

    QTemporaryDir m_root;
};

QStringList pathsIn(const QString &folder, const QStringList &fileNames)
{
    QStringList paths;
    for (const QString &fileName : fileNames) {
        paths.append(QFileInfo(folder + QLatin1Char('/') + fileName).absoluteFilePath());
    }
    return paths;
}

} // namespace

class tst_TranslationLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void listsTheDefaultLanguageFirstThenTheInstalledOnes_data();
    void listsTheDefaultLanguageFirstThenTheInstalledOnes();
    void tellsTheLocaleOfALanguage_data();
    void tellsTheLocaleOfALanguage();

    void installsTheMatchingCataloguesInPatternOrder_data();
    void installsTheMatchingCataloguesInPatternOrder();
    void customisedEnvironmentPrefersItsOwnFolder_data();
    void customisedEnvironmentPrefersItsOwnFolder();
    void missingLanguageFallsBackToEnglishWithoutError_data();
    void missingLanguageFallsBackToEnglishWithoutError();
    void unusableLanguageNameIsReportedAndEnglishLoaded_data();
    void unusableLanguageNameIsReportedAndEnglishLoaded();
    void damagedCatalogueIsReportedAndTheOthersInstalled();
    void qtCatalogueFollowsTheLanguageAndOursOverrideIt_data();
    void qtCatalogueFollowsTheLanguageAndOursOverrideIt();
    void emptyFoldersMeanTheProgramAndTheQtInstallation();
    void cataloguesAreRemovedByUnloadReloadAndDestruction();
};

void tst_TranslationLoader::initTestCase()
{
    QVERIFY2(QFileInfo(QStringLiteral(TAVRIX_LRELEASE)).isExecutable(), TAVRIX_LRELEASE);
}

void tst_TranslationLoader::listsTheDefaultLanguageFirstThenTheInstalledOnes_data()
{
    QTest::addColumn<bool>("customized");
    QTest::addColumn<QStringList>("languages");

    // clang-format off
    QTest::newRow("program's languages, sorted, English first") << false << QStringList{"English", "deutsch", "Español", "Français"};
    QTest::newRow("customised environment adds its own") << true << QStringList{"English", "deutsch", "Español", "Français", "Italiano"};
    // clang-format on
}

void tst_TranslationLoader::listsTheDefaultLanguageFirstThenTheInstalledOnes()
{
    QFETCH(bool, customized);
    QFETCH(QStringList, languages);

    Installation installation;
    QVERIFY(installation.isValid());
    // English is listed although it is not installed: its texts are the sources'.
    for (const char *language : {"Français", "deutsch", "Español"}) {
        QVERIFY(installation.addCatalogue(installation.languageFolder(language), "Scripter_x.qm"));
    }
    QVERIFY(
        installation.addCatalogue(installation.languageFolder("Italiano", true), "Scripter_it.qm"));
    // The same language in both places is listed once.
    QVERIFY(
        installation.addCatalogue(installation.languageFolder("Français", true), "Extra_fr.qm"));
    // A name that cannot be chosen, and a folder without a catalogue, are no languages.
    QVERIFY(installation.addCatalogue(installation.languageFolder("Bad\nName"), "Scripter_x.qm"));
    QVERIFY(TestFiles::writeFile(
        installation.languageFolder("Nederlands") + QStringLiteral("/readme.txt"), "not yet"));

    const LanguageLocator locator(customized, installation.appFolder());
    QCOMPARE(locator.languages(), languages);
    QCOMPARE(LanguageLocator(customized, QDir::tempPath() + QStringLiteral("/no/such/folder"))
                 .languages(),
             QStringList{"English"});
}

void tst_TranslationLoader::tellsTheLocaleOfALanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("locale");

    // clang-format off
    QTest::newRow("English by its name") << "English" << "en_US";
    QTest::newRow("German in its own tongue") << "Deutsch" << "de_DE";
    QTest::newRow("own tongue, other case and accents") << "FRANÇAIS"
                                                        << "fr_FR";
    QTest::newRow("English name of another language") << "German" << "de_DE";
    QTest::newRow("locale code as folder name") << "pt_BR"
                                                << "pt_BR";
    QTest::newRow("unknown language") << "Klingon" << "C";
    QTest::newRow("empty") << "" << "C";
    // clang-format on
}

void tst_TranslationLoader::tellsTheLocaleOfALanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, locale);

    QCOMPARE(LanguageLocator::localeOf(language).name(), locale);
}

void tst_TranslationLoader::installsTheMatchingCataloguesInPatternOrder_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("patterns");
    QTest::addColumn<QStringList>("installed");

    // clang-format off
    QTest::newRow("pattern order first, then name order") << QStringList{"Extra_de.qm", "Scripter_de.qm", "GuiCommon_de.qm", "Common_de.qm", "Common2_de.qm"} << startupPatterns << QStringList{"Common2_de.qm", "Common_de.qm", "GuiCommon_de.qm", "Scripter_de.qm", "Extra_de.qm"};
    QTest::newRow("files matching no pattern are left out") << QStringList{"Scripter_de.qm", "Other_de.qm", "MyCommon_de.qm", "Scripter_de.qm.bak"} << startupPatterns << QStringList{"Scripter_de.qm"};
    QTest::newRow("a file matching two patterns is installed once, for the first") << QStringList{"Scripter_de.qm", "Extra_de.qm"} << QStringList{"Extra*.qm", "*.qm"} << QStringList{"Extra_de.qm", "Scripter_de.qm"};
    QTest::newRow("no pattern installs nothing") << QStringList{"Scripter_de.qm"} << QStringList() << QStringList();
    // clang-format on
}

void tst_TranslationLoader::installsTheMatchingCataloguesInPatternOrder()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, patterns);
    QFETCH(QStringList, installed);

    Installation installation;
    QVERIFY(installation.isValid());
    const QString folder = installation.languageFolder("Deutsch");
    QVERIFY(installation.addCatalogues(folder, files));

    TranslationLoader loader;
    QString error = QStringLiteral("untouched");
    QVERIFY(installation.load(loader, "Deutsch", &error, false, patterns));
    QCOMPARE(error, QString());
    QCOMPARE(loader.language(), "Deutsch");
    QCOMPARE(loader.languageFolder(), QFileInfo(folder).absoluteFilePath());
    QCOMPARE(loader.installedFiles(), pathsIn(folder, installed));
    for (const QString &file : files) {
        QCOMPARE(isInstalled(file), installed.contains(file));
    }
    // The catalogue installed last is asked first.
    QCOMPARE(winner(), installed.isEmpty() ? QStringLiteral("which")
                                           : QFileInfo(installed.last()).completeBaseName());
}

void tst_TranslationLoader::customisedEnvironmentPrefersItsOwnFolder_data()
{
    QTest::addColumn<bool>("customized");
    QTest::addColumn<bool>("languageInCustomization");
    QTest::addColumn<QString>("winner");

    // clang-format off
    QTest::newRow("customised, language in both: customisation only") << true << true << "Scripter_custom";
    QTest::newRow("customised, language only in the program's folder") << true << false << "Scripter_program";
    QTest::newRow("not customised: customisation ignored") << false << true << "Scripter_program";
    // clang-format on
}

void tst_TranslationLoader::customisedEnvironmentPrefersItsOwnFolder()
{
    QFETCH(bool, customized);
    QFETCH(bool, languageInCustomization);
    QFETCH(QString, winner);

    Installation installation;
    QVERIFY(installation.isValid());
    const QString language = QStringLiteral("Deutsch");
    QVERIFY(installation.addCatalogues(installation.languageFolder(language),
                                       {"Common_program.qm", "Scripter_program.qm"}));
    const QString customFolder = installation.languageFolder(
        languageInCustomization ? language : QStringLiteral("Italiano"), true);
    QVERIFY(installation.addCatalogue(customFolder, "Scripter_custom.qm"));

    TranslationLoader loader;
    QVERIFY(installation.load(loader, language, nullptr, customized));
    QCOMPARE(::winner(), winner);
    // The customisation's folder replaces the program's folder of the language as a whole.
    QCOMPARE(isInstalled("Common_program.qm"), winner == QLatin1String("Scripter_program"));
    QCOMPARE(loader.installedFiles().size(), winner == QLatin1String("Scripter_program") ? 2 : 1);
}

void tst_TranslationLoader::missingLanguageFallsBackToEnglishWithoutError_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("englishInstalled");

    QTest::newRow("language not installed") << "Nederlands" << true;
    QTest::newRow("language folder without catalogue") << "Empty" << true;
    QTest::newRow("no language chosen") << "" << true;
    QTest::newRow("neither the language nor English installed") << "Nederlands" << false;
}

void tst_TranslationLoader::missingLanguageFallsBackToEnglishWithoutError()
{
    QFETCH(QString, language);
    QFETCH(bool, englishInstalled);

    Installation installation;
    QVERIFY(installation.isValid());
    const QString english = installation.languageFolder("English");
    if (englishInstalled) {
        QVERIFY(installation.addCatalogue(english, "Scripter_en.qm"));
    }
    QVERIFY(installation.addCatalogue(installation.languageFolder("Deutsch"), "Scripter_de.qm"));
    QVERIFY(TestFiles::writeFile(
        installation.languageFolder("Empty") + QStringLiteral("/notes.txt"), "nothing"));
    QVERIFY(installation.addCatalogue(installation.qtFolder(), "qt_en.qm"));

    TranslationLoader loader;
    QString error = QStringLiteral("untouched");
    QVERIFY(installation.load(loader, language, &error));
    QCOMPARE(error, QString());
    QCOMPARE(loader.language(), "English");
    QStringList expected = pathsIn(installation.qtFolder(), {"qt_en.qm"});
    if (englishInstalled) {
        expected += pathsIn(english, {"Scripter_en.qm"});
    }
    QCOMPARE(loader.installedFiles(), expected);
    QCOMPARE(loader.languageFolder(),
             englishInstalled ? QFileInfo(english).absoluteFilePath() : QString());
    QVERIFY(!isInstalled("Scripter_de.qm"));
}

void tst_TranslationLoader::unusableLanguageNameIsReportedAndEnglishLoaded_data()
{
    QTest::addColumn<QString>("language");

    QTest::newRow("current folder") << ".";
    QTest::newRow("parent folder") << "..";
    QTest::newRow("path out of the translations") << "../Decoy";
    QTest::newRow("backslash path") << "..\\Decoy";
    QTest::newRow("control character") << "Deutsch\n";
}

void tst_TranslationLoader::unusableLanguageNameIsReportedAndEnglishLoaded()
{
    QFETCH(QString, language);

    Installation installation;
    QVERIFY(installation.isValid());
    const QString english = installation.languageFolder("English");
    QVERIFY(installation.addCatalogue(english, "Scripter_en.qm"));
    QVERIFY(installation.addCatalogue(installation.languageFolder("Deutsch"), "Scripter_de.qm"));
    // Catalogues that the name would reach if it were used as a path.
    QVERIFY(installation.addCatalogue(installation.appFolder() + QStringLiteral("/Decoy"),
                                      "Scripter_decoy.qm"));
    QVERIFY(installation.addCatalogue(installation.appFolder() + QStringLiteral("/translations"),
                                      "Scripter_root.qm"));

    TranslationLoader loader;
    QString error;
    QVERIFY(!installation.load(loader, language, &error));
    QVERIFY2(error.contains("language name"), qPrintable(error));
    QCOMPARE(loader.language(), "English");
    QCOMPARE(loader.installedFiles(), pathsIn(english, {"Scripter_en.qm"}));
    QCOMPARE(winner(), "Scripter_en");
}

void tst_TranslationLoader::damagedCatalogueIsReportedAndTheOthersInstalled()
{
    Installation installation;
    QVERIFY(installation.isValid());
    const QString folder = installation.languageFolder("Deutsch");
    QVERIFY(installation.addCatalogues(folder, {"Common_de.qm", "Extra_de.qm"}));
    QVERIFY(TestFiles::writeFile(folder + QStringLiteral("/Scripter_de.qm"),
                                 "this is no catalogue of translations"));
    QVERIFY(TestFiles::writeFile(folder + QStringLiteral("/GuiCommon_de.qm"), QByteArray()));

    TranslationLoader loader;
    QString error;
    QVERIFY(!installation.load(loader, "Deutsch", &error));
    const QStringList problems = error.split(QLatin1Char('\n'));
    QCOMPARE(problems.size(), 2);
    QVERIFY2(problems.at(0).contains(QDir::toNativeSeparators(folder + "/GuiCommon_de.qm")),
             qPrintable(error));
    QVERIFY2(problems.at(1).contains(QDir::toNativeSeparators(folder + "/Scripter_de.qm")),
             qPrintable(error));
    QCOMPARE(loader.installedFiles(), pathsIn(folder, {"Common_de.qm", "Extra_de.qm"}));
    QCOMPARE(winner(), "Extra_de");
    QVERIFY(isInstalled("Common_de.qm"));
}

void tst_TranslationLoader::qtCatalogueFollowsTheLanguageAndOursOverrideIt_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("qtCatalogue"); // empty: none expected

    // clang-format off
    QTest::newRow("German") << "Deutsch" << "qt_de.qm";
    QTest::newRow("Brazilian Portuguese by code") << "pt_BR"
                                                  << "qt_pt_BR.qm";
    QTest::newRow("English") << "English" << "qt_en.qm";
    QTest::newRow("Qt not translated into it") << "Nederlands" << "";
    QTest::newRow("language without a locale") << "Klingon" << "";
    // clang-format on
}

void tst_TranslationLoader::qtCatalogueFollowsTheLanguageAndOursOverrideIt()
{
    QFETCH(QString, language);
    QFETCH(QString, qtCatalogue);

    Installation installation;
    QVERIFY(installation.isValid());
    QVERIFY(
        installation.addCatalogues(installation.qtFolder(), {"qt_de.qm", "qt_en.qm", "qt_pt_BR.qm",
                                                             "qt_pt.qm", "qtbase_nl.qm"}));
    const QString folder = installation.languageFolder(language);
    QVERIFY(installation.addCatalogue(folder, "Scripter_x.qm"));

    TranslationLoader loader;
    QString error = QStringLiteral("untouched");
    QVERIFY(installation.load(loader, language, &error));
    QCOMPARE(error, QString());
    QCOMPARE(loader.language(), language);
    QStringList expected;
    if (!qtCatalogue.isEmpty()) {
        expected = pathsIn(installation.qtFolder(), {qtCatalogue});
        QVERIFY(isInstalled(qtCatalogue));
    }
    expected += pathsIn(folder, {"Scripter_x.qm"});
    QCOMPARE(loader.installedFiles(), expected);
    QCOMPARE(winner(), "Scripter_x");
}

void tst_TranslationLoader::emptyFoldersMeanTheProgramAndTheQtInstallation()
{
    // The test program's folder has no "translations", so the loader falls back to English and
    // installs no catalogue of ours; Qt's English catalogue comes from the Qt installation when
    // it has one.
    TranslationLoader loader;
    QString error = QStringLiteral("untouched");
    QVERIFY(
        loader.load("PowerTavrix", "09", "Deutsch", startupPatterns, false, "", QString(), &error));
    QCOMPARE(error, QString());
    QCOMPARE(loader.language(), "English");
    const QString qtEnglish =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qt_en.qm");
    QCOMPARE(loader.installedFiles(), QFileInfo::exists(qtEnglish) ? pathsIn(
                                          QFileInfo(qtEnglish).absolutePath(), {"qt_en.qm"})
                                                                   : QStringList());
}

void tst_TranslationLoader::cataloguesAreRemovedByUnloadReloadAndDestruction()
{
    Installation installation;
    QVERIFY(installation.isValid());
    QVERIFY(installation.addCatalogue(installation.languageFolder("Deutsch"), "Scripter_de.qm"));
    QVERIFY(installation.addCatalogue(installation.languageFolder("Français"), "Scripter_fr.qm"));
    {
        TranslationLoader loader;
        QVERIFY(installation.load(loader, "Deutsch"));
        QCOMPARE(winner(), "Scripter_de");
        QVERIFY(installation.load(loader, "Français"));
        QCOMPARE(winner(), "Scripter_fr");
        QVERIFY(!isInstalled("Scripter_de.qm"));
        loader.unload();
        QCOMPARE(winner(), "which");
        QCOMPARE(loader.installedFiles(), QStringList());
        QCOMPARE(loader.language(), QString());
        QVERIFY(installation.load(loader, "Deutsch"));
        QCOMPARE(winner(), "Scripter_de");
    }
    QCOMPARE(winner(), "which");
}

TAVRIX_TEST_GUILESS_MAIN(tst_TranslationLoader)
#include "tst_translationloader.moc"
