#include "common/testmain.h"

#include <qsa/config.h>

#include <QSettings>
#include <QTest>

class tst_Config : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void sizesBelowOneAreRaised_data();
    void sizesBelowOneAreRaised();
    void damagedValuesReadAsDefaults_data();
    void damagedValuesReadAsDefaults();
    void stylesRoundTrip();
    void damagedStylesReadAsDefaults();
};

void tst_Config::init()
{
    QSettings().clear();
}

void tst_Config::sizesBelowOneAreRaised_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -5;
}

void tst_Config::sizesBelowOneAreRaised()
{
    QFETCH(int, size);
    Config::setIndentTabSize(size);
    Config::setIndentIndentSize(size);
    QCOMPARE(Config::indentTabSize(), 1);
    QCOMPARE(Config::indentIndentSize(), 1);

    // Also when the settings file was edited by hand.
    QSettings().setValue(QStringLiteral("ScriptEditor/TabSize"), size);
    QCOMPARE(Config::indentTabSize(), 1);
}

void tst_Config::damagedValuesReadAsDefaults_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("read");

    // clang-format off
    QTest::newRow("tab size not a number") << "TabSize" << QVariant("abc") << QVariant(4);
    QTest::newRow("indent size not a number") << "IndentSize" << QVariant("") << QVariant(4);
    QTest::newRow("flag neither true nor false") << "KeepTabs" << QVariant("maybe") << QVariant(true);
    QTest::newRow("flag not set, damaged") << "WordWrap" << QVariant("yes please") << QVariant(false);
    QTest::newRow("flag stored as text false") << "Completion" << QVariant("false") << QVariant(false);
    QTest::newRow("flag stored as text 0") << "ParenMatching" << QVariant("0") << QVariant(false);
    QTest::newRow("flag stored as text true") << "WordWrap" << QVariant("True") << QVariant(true);
    // clang-format on
}

void tst_Config::damagedValuesReadAsDefaults()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, read);
    QSettings().setValue(QStringLiteral("ScriptEditor/") + key, stored);

    const QMap<QString, QVariant> values = {
        {"TabSize", Config::indentTabSize()},   {"IndentSize", Config::indentIndentSize()},
        {"KeepTabs", Config::indentKeepTabs()}, {"WordWrap", Config::wordWrap()},
        {"Completion", Config::completion()},   {"ParenMatching", Config::parenMatching()},
    };
    QCOMPARE(values.value(key), read);
}

void tst_Config::stylesRoundTrip()
{
    QMap<QString, ConfigStyle> styles = Config::readStyles();
    ConfigStyle &comment = styles[QStringLiteral("Comment")];
    comment.font.setPointSize(15);
    comment.font.setItalic(false);
    comment.font.setUnderline(true);
    comment.color = QColor(0x12, 0x34, 0x56);
    styles.insert(QStringLiteral("Bogus"), {QFont(), Qt::red});
    Config::saveStyles(styles);

    const QMap<QString, ConfigStyle> read = Config::readStyles();
    QCOMPARE(read.value(QStringLiteral("Comment")), comment);
    QCOMPARE(read.value(QStringLiteral("Keyword")),
             Config::defaultStyles().value(QStringLiteral("Keyword")));
    QVERIFY(!read.contains(QStringLiteral("Bogus")));
    QVERIFY(!QSettings().allKeys().join(QLatin1Char(' ')).contains(QLatin1String("Bogus")));
}

void tst_Config::damagedStylesReadAsDefaults()
{
    QSettings settings;
    settings.setValue(QStringLiteral("ScriptEditor/Styles/String/Font"), QString());
    settings.setValue(QStringLiteral("ScriptEditor/Styles/String/Color"), QStringLiteral("nope"));
    settings.setValue(QStringLiteral("ScriptEditor/Styles/Number/Color"),
                      QStringLiteral("#00ff00"));

    const QMap<QString, ConfigStyle> read = Config::readStyles();
    QCOMPARE(read.value(QStringLiteral("String")),
             Config::defaultStyles().value(QStringLiteral("String")));
    QCOMPARE(read.value(QStringLiteral("Number")).color, QColor(Qt::green));
}

TAVRIX_TEST_MAIN(tst_Config)
#include "tst_config.moc"
