#include "common/testmain.h"

#include "editors/lineextents.h"

#include <QTest>

#include <algorithm>
#include <numeric>
#include <vector>

using Scripter::LineExtents;

namespace {

// One change to the extents, applied alike to LineExtents and to a plain list.
struct Change
{
    enum Kind { Set, Replace } kind;
    int line;
    int height;      // Set: the new height; Replace: the height of new lines
    qreal width = 0; // Set only
    int removed = 0; // Replace only
    int added = 0;   // Replace only
};

Change set(int line, int height, qreal width)
{
    return {Change::Set, line, height, width};
}

Change replace(int first, int removed, int added, int height)
{
    return {Change::Replace, first, height, 0, removed, added};
}

struct PlainLine
{
    int height;
    qreal width;
};

void apply(const Change &change, LineExtents &extents, std::vector<PlainLine> &plain)
{
    if (change.kind == Change::Set) {
        extents.set(change.line, change.height, change.width);
        plain[size_t(change.line)] = {change.height, change.width};
        return;
    }
    extents.replace(change.line, change.removed, change.added, change.height);
    const auto first = plain.begin() + change.line;
    const int kept = std::min(change.removed, change.added);
    plain.erase(first + kept, first + change.removed);
    plain.insert(plain.begin() + change.line + kept, size_t(change.added - kept),
                 {change.height, 0});
}

} // namespace

Q_DECLARE_METATYPE(std::vector<Change>)

class tst_LineExtents : public QObject
{
    Q_OBJECT

private slots:
    void matchesAPlainListOfLines_data();
    void matchesAPlainListOfLines();
};

void tst_LineExtents::matchesAPlainListOfLines_data()
{
    QTest::addColumn<std::vector<Change>>("changes");

    const Change text = replace(0, 0, 37, 14);
    QTest::newRow("new text") << std::vector<Change>{text};
    QTest::newRow("lines laid out taller and wider")
        << std::vector<Change>{text, set(0, 28, 300), set(36, 20, 10), set(17, 0, 50)};
    QTest::newRow("widest line narrower")
        << std::vector<Change>{text, set(3, 14, 300), set(9, 14, 200), set(3, 14, 20)};
    QTest::newRow("lines typed in the middle")
        << std::vector<Change>{text, set(10, 30, 5), replace(10, 1, 4, 14), set(11, 7, 1)};
    QTest::newRow("lines removed with the widest")
        << std::vector<Change>{text, set(20, 14, 400), set(2, 14, 100), replace(18, 6, 1, 14)};
    QTest::newRow("all lines replaced by fewer")
        << std::vector<Change>{text, set(5, 40, 40), replace(0, 37, 3, 12)};
    QTest::newRow("every line but one removed")
        << std::vector<Change>{text, replace(0, 37, 1, 14), set(0, 16, 8)};
    QTest::newRow("lines appended at the end")
        << std::vector<Change>{text, replace(36, 1, 70, 15), set(105, 3, 3)};
}

void tst_LineExtents::matchesAPlainListOfLines()
{
    QFETCH(std::vector<Change>, changes);

    LineExtents extents;
    std::vector<PlainLine> plain;
    for (const Change &change : changes) {
        apply(change, extents, plain);
    }

    QCOMPARE(extents.count(), int(plain.size()));
    int top = 0;
    qreal widest = 0;
    for (int line = 0; line < int(plain.size()); ++line) {
        const PlainLine &expected = plain[size_t(line)];
        QCOMPARE(extents.top(line), top);
        QCOMPARE(extents.height(line), expected.height);
        // A line spans its height from its top; the top of an empty line is the next one's.
        for (int y = top; y < top + expected.height; ++y) {
            QCOMPARE(extents.lineAt(y), line);
        }
        top += expected.height;
        widest = std::max(widest, expected.width);
    }
    QCOMPARE(extents.totalHeight(), top);
    QCOMPARE(extents.lineAt(-5), 0);
    QCOMPARE(extents.lineAt(top + 100), int(plain.size()) - 1);
    QCOMPARE(extents.maximumWidth(), widest);
}

TAVRIX_TEST_MAIN(tst_LineExtents)
#include "tst_lineextents.moc"
