#include "common/testmain.h"

#include <qsa/config.h>
#include <qsa/scripterhighlighter.h>

#include <QAbstractTextDocumentLayout>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

namespace {

// The colour that the highlighter gave the character at `position` of the document.
QColor colorAt(const QTextDocument *document, int position)
{
    const QTextBlock block = document->findBlock(position);
    const int inBlock = position - block.position();
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (inBlock >= range.start && inBlock < range.start + range.length) {
            return range.format.foreground().color();
        }
    }
    return QColor();
}

// Where the first line with different formats in the two documents starts, or -1 when every
// line has the same.
int firstDifference(const QTextDocument *document, const QTextDocument *expected)
{
    QTextBlock block = document->begin();
    for (QTextBlock other = expected->begin(); block.isValid() || other.isValid();
         block = block.next(), other = other.next()) {
        if (!block.isValid() || !other.isValid()
            || block.layout()->formats() != other.layout()->formats()) {
            return block.isValid() ? block.position() : document->characterCount();
        }
    }
    return -1;
}

// A document layout that only records the ranges that the document has it lay out again.
class RecordingLayout : public QAbstractTextDocumentLayout
{
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;

    // From and to of each range, in order.
    QList<std::pair<int, int>> ranges;

    void draw(QPainter *, const PaintContext &) override {}
    int hitTest(const QPointF &, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame *) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock &) const override { return {}; }

protected:
    void documentChanged(int from, int, int added) override { ranges.append({from, from + added}); }
};

// A text edit shown with a large text, for what depends on the view and its layout.
struct ShownEdit
{
    ShownEdit(const QString &name, const QString &text)
        : highlighter(&edit, name, QStringLiteral("Dim set to tell end"))
    {
        edit.resize(400, 300);
        edit.show();
        edit.setPlainText(text);
    }

    QTextEdit edit;
    ScripterHighlighter highlighter;
};

} // namespace

class tst_ScripterHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void colours_data();
    void colours();
    void updateStylesRereadsConfig();
    void largeTextIsColouredInSlicesFromTheTop();
    void slicesHaveTheLinesTheyColourLaidOutAgain();
    void openingACommentRecoloursTheLinesBelow();
    void largeTextScrolledToItsEndIsColouredThere();
    void commentOpenedAtTheTopOfALargeTextRecoloursItsEnd();
    void editDuringColouringEndsColouredRight_data();
    void editDuringColouringEndsColouredRight();
};

void tst_ScripterHighlighter::init()
{
    QSettings().clear();
}

void tst_ScripterHighlighter::colours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("marked"); // the character looked at is the one before "|"
    QTest::addColumn<QString>("element");

    const QString vb = QStringLiteral("VBScriptEditor");
    const QString as = QStringLiteral("AppleScriptEditor");
    // clang-format off
    QTest::newRow("VBScript quote comment") << vb << "x = 1 ' note \"quoted\"" << "x = 1 ' note \"q|" << "Comment";
    QTest::newRow("VBScript code before a comment") << vb << "x = 1 ' note" << "x|" << "Standard";
    QTest::newRow("VBScript Rem comment hides keywords") << vb << "Rem note Dim x" << "Rem note D|" << "Comment";
    QTest::newRow("VBScript Rem as part of a word is no comment") << vb << "Remove = 1" << "Remove = 1|" << "Number";
    QTest::newRow("VBScript doubled quotes stay in the string") << vb << "s = \"a \"\"b\"\" c\" & d" << "s = \"a \"\"b|" << "String";
    QTest::newRow("VBScript string ends after its closing quote") << vb << "s = \"a \"\"b\"\" c\" & d" << "s = \"a \"\"b\"\" c\"|" << "String";
    QTest::newRow("VBScript text after the string") << vb << "s = \"a \"\"b\"\" c\" & d" << "s = \"a \"\"b\"\" c\" & d|" << "Standard";
    QTest::newRow("VBScript keyword in capitals") << vb << "DIM x" << "DIM|" << "Keyword";
    QTest::newRow("VBScript keyword in lower case") << vb << "dim x" << "d|" << "Keyword";
    QTest::newRow("VBScript keyword inside a longer word") << vb << "Dimension" << "D|" << "Standard";
    QTest::newRow("AppleScript nested block comment, inner part") << as << "(* a (* b *)\nc *) set x to 1" << "(* a (* b|" << "Comment";
    QTest::newRow("AppleScript nested block comment, after the inner close") << as << "(* a (* b *) still\nc *) set x to 1" << "(* a (* b *) s|" << "Comment";
    QTest::newRow("AppleScript nested block comment continues on the next line") << as << "(* a (* b *)\nc *) set x to 1" << "(* a (* b *)\nc|" << "Comment";
    QTest::newRow("AppleScript code after the outer close") << as << "(* a (* b *)\nc *) set x to 1" << "(* a (* b *)\nc *) s|" << "Keyword";
    QTest::newRow("AppleScript dash comment") << as << "set x to 1 -- tell" << "set x to 1 -- t|" << "Comment";
    QTest::newRow("AppleScript hash comment") << as << "# tell" << "# t|" << "Comment";
    QTest::newRow("C-like keyword case matters") << "QSAScriptEditor" << "SET x" << "S|" << "Standard";
    // clang-format on
}

void tst_ScripterHighlighter::colours()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, marked);
    QFETCH(QString, element);
    QVERIFY(text.startsWith(marked.left(marked.indexOf(QLatin1Char('|')))));

    QTextEdit edit;
    ScripterHighlighter highlighter(&edit, name, QStringLiteral("Dim Set set to tell end"));
    edit.setPlainText(text);

    const int position = int(marked.indexOf(QLatin1Char('|'))) - 1;
    QCOMPARE(colorAt(edit.document(), position), Config::readStyles().value(element).color);
}

void tst_ScripterHighlighter::updateStylesRereadsConfig()
{
    QTextEdit edit;
    ScripterHighlighter highlighter(&edit, QStringLiteral("VBScriptEditor"), QStringLiteral("Dim"));
    edit.setPlainText(QStringLiteral("' note\nDim x"));
    const QColor before = Config::readStyles().value(QStringLiteral("Comment")).color;
    QCOMPARE(colorAt(edit.document(), 2), before);

    QMap<QString, ConfigStyle> styles = Config::readStyles();
    styles[QStringLiteral("Comment")].color = QColor(0xAB, 0xCD, 0xEF);
    Config::saveStyles(styles);
    QCOMPARE(colorAt(edit.document(), 2), before); // nothing changes until asked
    highlighter.updateStyles();
    QCOMPARE(colorAt(edit.document(), 2), QColor(0xAB, 0xCD, 0xEF));
    QCOMPARE(colorAt(edit.document(), 8), Config::readStyles().value("Keyword").color);
}

void tst_ScripterHighlighter::largeTextIsColouredInSlicesFromTheTop()
{
    QTextEdit edit;
    ScripterHighlighter highlighter(&edit, QStringLiteral("VBScriptEditor"), QStringLiteral("Dim"));
    const QString line = QStringLiteral("Dim x ' note\n");
    edit.setPlainText(line.repeated(200000));
    const QColor keyword = Config::readStyles().value(QStringLiteral("Keyword")).color;
    const QColor comment = Config::readStyles().value(QStringLiteral("Comment")).color;

    // The window got its events back before the whole text was coloured; the top is done.
    QVERIFY(highlighter.isColouring());
    QCOMPARE(colorAt(edit.document(), 0), keyword);
    const int last = int(line.size()) * 199999;
    QCOMPARE(colorAt(edit.document(), last), QColor());

    QTRY_VERIFY_WITH_TIMEOUT(!highlighter.isColouring(), 60000);
    QCOMPARE(colorAt(edit.document(), last), keyword);
    QCOMPARE(colorAt(edit.document(), last + 8), comment);
}

void tst_ScripterHighlighter::slicesHaveTheLinesTheyColourLaidOutAgain()
{
    QTextEdit edit;
    auto *layout = new RecordingLayout(edit.document());
    edit.document()->setDocumentLayout(layout);
    ScripterHighlighter highlighter(&edit, QStringLiteral("VBScriptEditor"), QStringLiteral("Dim"));
    const QString line = QStringLiteral("Dim x ' note\n");
    edit.setPlainText(line.repeated(200000));
    // The edit lays out the lines that it coloured itself.
    QVERIFY(highlighter.isColouring());
    const int colouredByTheEdit = highlighter.waitingFrom();
    layout->ranges.clear();

    QTRY_VERIFY_WITH_TIMEOUT(!highlighter.isColouring(), 60000);
    const QTextDocument *document = edit.document();
    QCOMPARE(colorAt(document, document->lastBlock().position() - 2),
             Config::readStyles().value(QStringLiteral("Comment")).color);
    // Each slice had the lines it coloured laid out again, and together they reach the end.
    QVERIFY(layout->ranges.size() > 1);
    int reportedTo = colouredByTheEdit;
    for (const auto &[from, to] : std::as_const(layout->ranges)) {
        QCOMPARE(from, reportedTo);
        reportedTo = to;
    }
    QCOMPARE(reportedTo, document->lastBlock().position());
}

void tst_ScripterHighlighter::openingACommentRecoloursTheLinesBelow()
{
    QTextEdit edit;
    ScripterHighlighter highlighter(&edit, QStringLiteral("AppleScriptEditor"),
                                    QStringLiteral("set to"));
    edit.setPlainText(QStringLiteral("x\nset y to 1\nset z to 2"));
    const QColor keyword = Config::readStyles().value(QStringLiteral("Keyword")).color;
    const QColor comment = Config::readStyles().value(QStringLiteral("Comment")).color;
    QCOMPARE(colorAt(edit.document(), 14), keyword);

    QTextCursor cursor(edit.document());
    cursor.insertText(QStringLiteral("(* "));
    QCOMPARE(colorAt(edit.document(), 5), comment);
    QCOMPARE(colorAt(edit.document(), 17), comment);
    cursor.insertText(QStringLiteral("*)"));
    QCOMPARE(colorAt(edit.document(), 7), keyword);
    QCOMPARE(colorAt(edit.document(), 19), keyword);
}

void tst_ScripterHighlighter::largeTextScrolledToItsEndIsColouredThere()
{
    const QString line = QStringLiteral("Dim x ' note\n");
    ShownEdit shown(QStringLiteral("VBScriptEditor"),
                    line.repeated(100000) + QStringLiteral("Dim y"));
    QVERIFY(shown.highlighter.isColouring());

    shown.edit.moveCursor(QTextCursor::End);
    shown.edit.ensureCursorVisible();

    // Shown before the colouring from the top reached it.
    QVERIFY(shown.highlighter.isColouring());
    const QTextDocument *document = shown.edit.document();
    QCOMPARE(colorAt(document, document->characterCount() - 6),
             Config::readStyles().value(QStringLiteral("Keyword")).color);
    QCOMPARE(colorAt(document, document->characterCount() - 7 - 4),
             Config::readStyles().value(QStringLiteral("Comment")).color);
}

void tst_ScripterHighlighter::commentOpenedAtTheTopOfALargeTextRecoloursItsEnd()
{
    ShownEdit shown(QStringLiteral("AppleScriptEditor"),
                    QStringLiteral("set x to 1\n").repeated(10000));
    QTRY_VERIFY_WITH_TIMEOUT(!shown.highlighter.isColouring(), 60000);
    QTextDocument *document = shown.edit.document();
    const int last = document->characterCount() - 10;
    const QColor keyword = Config::readStyles().value(QStringLiteral("Keyword")).color;
    const QColor comment = Config::readStyles().value(QStringLiteral("Comment")).color;
    QCOMPARE(colorAt(document, last), keyword);
    QVERIFY(!document->isModified());

    QTextCursor(document).insertText(QStringLiteral("(* "));
    QTRY_VERIFY_WITH_TIMEOUT(!shown.highlighter.isColouring(), 60000);
    QCOMPARE(colorAt(document, last + 3), comment);

    // Colouring is no edit: one undo step takes the comment out and leaves the text unmodified.
    QCOMPARE(document->availableUndoSteps(), 1);
    document->undo();
    QVERIFY(!document->isModified());
    QVERIFY(!document->isUndoAvailable());
    QTRY_VERIFY_WITH_TIMEOUT(!shown.highlighter.isColouring(), 60000);
    QCOMPARE(colorAt(document, last), keyword);
    document->redo();
    QVERIFY(document->isModified());
    QTRY_VERIFY_WITH_TIMEOUT(!shown.highlighter.isColouring(), 60000);
    QCOMPARE(colorAt(document, last + 3), comment);
}

void tst_ScripterHighlighter::editDuringColouringEndsColouredRight_data()
{
    QTest::addColumn<int>("line"); // negative: counted from the end
    QTest::addColumn<int>("removed");
    QTest::addColumn<QString>("inserted");

    // clang-format off
    QTest::newRow("comment opened at the top") << 0 << 0 << "(* ";
    QTest::newRow("comment opened near the end") << -20 << 0 << "(* ";
    QTest::newRow("comment closed in the middle") << 5000 << 0 << "*) ";
    QTest::newRow("comment start removed") << 2 << 2 << "";
    QTest::newRow("lines removed in the middle") << 4000 << 1000 << "";
    QTest::newRow("lines pasted near the top") << 10 << 0 << "tell x\n(* a *) end\n";
    // clang-format on
}

void tst_ScripterHighlighter::editDuringColouringEndsColouredRight()
{
    QFETCH(int, line);
    QFETCH(int, removed);
    QFETCH(QString, inserted);

    const QString text = QStringLiteral("x\n(* open\nstill *) set x to 1\n")
                         + QStringLiteral("set y to 2 -- note\n").repeated(10000);
    ShownEdit shown(QStringLiteral("AppleScriptEditor"), text);
    QVERIFY(shown.highlighter.isColouring());
    QTextDocument *document = shown.edit.document();
    QTextCursor cursor(
        document->findBlockByNumber(line >= 0 ? line : document->blockCount() + line));
    cursor.setPosition(cursor.position() + removed, QTextCursor::KeepAnchor);
    cursor.insertText(inserted);
    QTRY_VERIFY_WITH_TIMEOUT(!shown.highlighter.isColouring(), 60000);

    QTextEdit fresh;
    ScripterHighlighter expected(&fresh, QStringLiteral("AppleScriptEditor"),
                                 QStringLiteral("Dim set to tell end"));
    fresh.setPlainText(document->toPlainText());
    QTRY_VERIFY_WITH_TIMEOUT(!expected.isColouring(), 60000);
    QCOMPARE(firstDifference(document, fresh.document()), -1);
}

TAVRIX_TEST_MAIN(tst_ScripterHighlighter)
#include "tst_scripterhighlighter.moc"
