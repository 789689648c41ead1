// The English source catalogue: it holds every text of the program's sources (so that a
// translation made from it is complete), and the build puts it where the loader finds it.

#include "common/testmain.h"

#include "guilib/translation/translationloader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString committedCatalogue = QStringLiteral(TAVRIX_SOURCE_DIR "/translations/Scripter_en.ts");

// What a catalogue holds: one entry per translatable text (context, source text and
// disambiguation, joined by "|") and the source texts of the plural messages whose English forms
// are not both given.
struct Catalogue
{
    QSet<QString> entries;
    QStringList pluralsWithoutEnglishForms;
    QString error;
};

Catalogue readCatalogue(const QString &path)
{
    Catalogue catalogue;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        catalogue.error = file.errorString();
        return catalogue;
    }
    QXmlStreamReader reader(&file);
    QString context;
    QString source;
    QString comment;
    bool plural = false;
    QStringList forms;
    while (!reader.atEnd()) {
        reader.readNext();
        const auto name = reader.name();
        if (reader.isEndElement() && name == QLatin1String("message")) {
            catalogue.entries.insert(context + QLatin1Char('|') + source + QLatin1Char('|')
                                     + comment);
            if (plural && (forms.size() != 2 || forms.contains(QString()))) {
                catalogue.pluralsWithoutEnglishForms.append(source);
            }
        } else if (!reader.isStartElement()) {
            continue;
        } else if (name == QLatin1String("name")) {
            context = reader.readElementText();
        } else if (name == QLatin1String("message")) {
            plural = reader.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            source.clear();
            comment.clear();
            forms.clear();
        } else if (name == QLatin1String("source")) {
            source = reader.readElementText();
        } else if (name == QLatin1String("comment")) {
            comment = reader.readElementText();
        } else if (name == QLatin1String("numerusform")) {
            forms.append(reader.readElementText());
        }
    }
    if (reader.hasError()) {
        catalogue.error = reader.errorString();
    }
    return catalogue;
}

QStringList translatedSources()
{
    QFile list(QStringLiteral(TAVRIX_TRANSLATED_SOURCES));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    return QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The texts the sources mark with QT_TRANSLATE_NOOP("LogMessages", ...), adjacent literals
// joined.
QStringList logMessageTexts(const QString &code)
{
    static const QRegularExpression marker(QStringLiteral(
        R"re(QT_TRANSLATE_NOOP\(\s*"LogMessages"\s*,\s*((?:"(?:[^"\\]|\\.)*"\s*)+)\))re"));
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    QStringList texts;
    for (auto match = marker.globalMatch(code); match.hasNext();) {
        QString text;
        for (auto piece = literal.globalMatch(match.next().captured(1)); piece.hasNext();) {
            text += piece.next().captured(1);
        }
        text.replace(QStringLiteral("\\'"), QStringLiteral("'"));
        text.replace(QStringLiteral("\\\""), QStringLiteral("\""));
        text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        text.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        texts.append(text);
    }
    return texts;
}

} // namespace

class tst_TranslationCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogueHoldsEveryTextOfTheSources();
    void logMessagesAreCataloguedInTheirContextAndPluralsInEnglish();
    void englishCatalogueIsBuiltNextToTheProgram();
};

void tst_TranslationCatalogue::initTestCase()
{
    QVERIFY2(translatedSources().size() > 50, TAVRIX_TRANSLATED_SOURCES);
}

void tst_TranslationCatalogue::catalogueHoldsEveryTextOfTheSources()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString fresh = folder.filePath(QStringLiteral("Scripter_en.ts"));
    QProcess lupdate;
    lupdate.start(QStringLiteral(TAVRIX_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-I"), QStringLiteral(TAVRIX_SOURCE_DIR), QStringLiteral("-I"),
                   QStringLiteral(TAVRIX_SOURCE_DIR "/serverlibs"),
                   QLatin1Char('@') + QStringLiteral(TAVRIX_TRANSLATED_SOURCES),
                   QStringLiteral("-ts"), fresh});
    QVERIFY(lupdate.waitForFinished(120000));
    QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());

    const Catalogue made = readCatalogue(fresh);
    QVERIFY2(made.error.isEmpty(), qPrintable(made.error));
    const Catalogue committed = readCatalogue(committedCatalogue);
    QVERIFY2(committed.error.isEmpty(), qPrintable(committed.error));
    const QSet<QString> &expected = made.entries;
    QVERIFY(expected.size() > 100);

    QStringList missing = (expected - committed.entries).values();
    QStringList stale = (committed.entries - expected).values();
    missing.sort();
    stale.sort();
    QVERIFY2(missing.isEmpty() && stale.isEmpty(),
             qPrintable(QStringLiteral("translations/Scripter_en.ts is out of date; build the "
                                       "target update_translations.\nMissing:\n  %1\nStale:\n  %2")
                            .arg(missing.join(QStringLiteral("\n  ")),
                                 stale.join(QStringLiteral("\n  ")))));
}

void tst_TranslationCatalogue::logMessagesAreCataloguedInTheirContextAndPluralsInEnglish()
{
    const Catalogue committed = readCatalogue(committedCatalogue);
    QVERIFY2(committed.error.isEmpty(), qPrintable(committed.error));

    int marked = 0;
    for (const QString &path : translatedSources()) {
        QFile source(path);
        QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable(path));
        for (const QString &text : logMessageTexts(QString::fromUtf8(source.readAll()))) {
            ++marked;
            QVERIFY2(committed.entries.contains(QStringLiteral("LogMessages|") + text
                                                + QLatin1Char('|')),
                     qPrintable(path + QStringLiteral(": ") + text));
        }
    }
    // The program logs at least its start; finding none means the scan is broken.
    QVERIFY(marked > 0);
    QVERIFY(committed.entries.contains(QStringLiteral("LogMessages|Scripter started|")));

    const QStringList &plurals = committed.pluralsWithoutEnglishForms;
    QVERIFY2(plurals.isEmpty(), qPrintable(QStringLiteral("Give the singular and plural of:\n  ")
                                           + plurals.join(QStringLiteral("\n  "))));
}

void tst_TranslationCatalogue::englishCatalogueIsBuiltNextToTheProgram()
{
    const QString built = QStringLiteral(TAVRIX_PROGRAM_DIR "/translations/English/Scripter_en.qm");
    QVERIFY2(QFileInfo::exists(built), qPrintable(built));

    GuiLib::TranslationLoader loader;
    QString error = QStringLiteral("untouched");
    QVERIFY(loader.load(QStringLiteral("PowerTavrix"), QStringLiteral("09"),
                        QStringLiteral("English"),
                        {QStringLiteral("Common*.qm"), QStringLiteral("GuiCommon*.qm"),
                         QStringLiteral("Scripter*.qm"), QStringLiteral("Extra*.qm")},
                        false, QStringLiteral(TAVRIX_PROGRAM_DIR), QString(), &error));
    QCOMPARE(error, QString());
    QCOMPARE(loader.language(), QStringLiteral("English"));
    QVERIFY2(loader.installedFiles().contains(QFileInfo(built).absoluteFilePath()),
             qPrintable(loader.installedFiles().join(QLatin1Char(','))));
    // Counts read as English.
    for (const int count : {0, 1, 2}) {
        QCOMPARE(QCoreApplication::translate("Scripter::FixtureTree", "%n file(s)", nullptr, count),
                 QString::number(count)
                     + (count == 1 ? QStringLiteral(" file") : QStringLiteral(" files")));
    }
}

TAVRIX_TEST_GUILESS_MAIN(tst_TranslationCatalogue)
#include "tst_translationcatalogue.moc"
