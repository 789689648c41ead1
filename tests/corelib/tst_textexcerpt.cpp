#include "common/testmain.h"

#include "corelib/common/textexcerpt.h"

#include <QTest>

using SRCore::TextExcerpt;

class tst_TextExcerpt : public QObject
{
    Q_OBJECT

private slots:
    void longTextsAreCutShort_data();
    void longTextsAreCutShort();
};

void tst_TextExcerpt::longTextsAreCutShort_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("excerpt");

    const int max = TextExcerpt::MaxLength;
    const QString ellipsis(QChar(0x2026));
    const QString pair = QStringLiteral("\U0001F600"); // two UTF-16 code units
    // clang-format off
    QTest::newRow("a short text stays whole") << QStringLiteral("abc") << QStringLiteral("abc");
    QTest::newRow("a text of the longest length stays whole") << QString(max, QLatin1Char('a')) << QString(max, QLatin1Char('a'));
    QTest::newRow("one character more is cut with an ellipsis") << QString(max + 1, QLatin1Char('a')) << QString(max - 1, QLatin1Char('a')) + ellipsis;
    QTest::newRow("a surrogate pair at the cut is left out whole") << QString(max - 2, QLatin1Char('a')) + pair + QStringLiteral("bcd") << QString(max - 2, QLatin1Char('a')) + ellipsis;
    // clang-format on
}

void tst_TextExcerpt::longTextsAreCutShort()
{
    QFETCH(QString, text);
    QFETCH(QString, excerpt);

    QCOMPARE(TextExcerpt::of(text), excerpt);
    QVERIFY(TextExcerpt::of(text).size() <= TextExcerpt::MaxLength);
}

TAVRIX_TEST_GUILESS_MAIN(tst_TextExcerpt)
#include "tst_textexcerpt.moc"
