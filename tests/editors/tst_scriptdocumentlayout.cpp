#include "common/testmain.h"

#include "editors/scriptdocumentlayout.h"
#include "editors/scrtextedit.h"
#include "editors/vbscripteditor.h"
#include "qsa/config.h"
#include "qsa/scripterhighlighter.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <functional>
#include <memory>

using Scripter::ScriptDocumentLayout;
using Scripter::VBScriptEditor;

namespace {

constexpr int kLinesPerFunction = 5;
// Long enough that laying it out takes many steps.
constexpr int kFunctions = 2000;
// Laying out and colouring a text this long ends well within this, even on a loaded machine.
constexpr int kFinishMs = 120000;

// `functions` functions of kLinesPerFunction lines each.
QString script(int functions, const QString &name = QStringLiteral("Step"))
{
    QString text;
    for (int i = 0; i < functions; ++i) {
        text += QStringLiteral("' %2 %1 of the routing\nFunction %2%1(s, job)\n"
                               "    Dim count: count = %1 ' how many\n"
                               "    s.log 1, \"step %1: \" & job.getName() & count\n"
                               "End Function\n")
                    .arg(QString::number(i), name);
    }
    return text;
}

enum class Edit {
    None,
    LineTypedAtTop,
    LineTypedAhead,
    LineAppended,
    LinesPasted,
    LinesRemoved,
    UndoneAndRedone,
    NewText,
};

// A shown VBScript editor, with its layout and highlighter.
struct ShownEditor
{
    ShownEditor()
    {
        // Colouring then keeps the height of lines, and a line in view stays in view.
        edit()->setFont(Config::readStyles().value(QStringLiteral("Standard")).font);
        editor.resize(500, 300);
        editor.show();
    }

    QTextEdit *edit() const { return editor.textEdit(); }
    QTextDocument *document() const { return edit()->document(); }
    ScriptDocumentLayout *layout() const
    {
        return qobject_cast<ScriptDocumentLayout *>(document()->documentLayout());
    }
    ScripterHighlighter *highlighter() const
    {
        return document()->findChild<ScripterHighlighter *>();
    }
    bool done() const { return !layout()->isLayingOut() && !highlighter()->isColouring(); }

    VBScriptEditor editor;
};

bool laidOut(const QTextBlock &block)
{
    return block.layout() && block.layout()->lineCount() > 0;
}

// The first line without a layout, or -1.
int firstLineNotLaidOut(const QTextDocument *document)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (!laidOut(block)) {
            return block.blockNumber();
        }
    }
    return -1;
}

// Lets the layout lay out part of the text; false when it laid out none or all of it.
bool layOutPart(const ShownEditor &shown)
{
    const QTextBlock part = shown.document()->findBlockByNumber(300);
    return QTest::qWaitFor([&] { return laidOut(part); }, kFinishMs)
           && !laidOut(shown.document()->lastBlock());
}

void typeLine(QTextEdit *edit, int line)
{
    edit->setTextCursor(QTextCursor(edit->document()->findBlockByNumber(line)));
    QTest::keyClicks(edit, QStringLiteral("x = 1"));
    QTest::keyClick(edit, Qt::Key_Return);
}

void makeEdit(ShownEditor &shown, Edit edit)
{
    QTextEdit *textEdit = shown.edit();
    QTextDocument *document = shown.document();
    switch (edit) {
    case Edit::None:
        break;
    case Edit::LineTypedAtTop:
        typeLine(textEdit, 0);
        break;
    case Edit::LineTypedAhead:
        typeLine(textEdit, document->blockCount() * 3 / 4);
        break;
    case Edit::LineAppended: {
        QTextCursor cursor(document);
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("\n' appended"));
        break;
    }
    case Edit::LinesPasted:
        QGuiApplication::clipboard()->setText(script(50, QStringLiteral("Pasted")));
        textEdit->setTextCursor(QTextCursor(document->findBlockByNumber(10)));
        textEdit->paste();
        break;
    case Edit::LinesRemoved: {
        QTextCursor cursor(document->findBlockByNumber(20));
        cursor.setPosition(document->findBlockByNumber(2500).position(), QTextCursor::KeepAnchor);
        textEdit->setTextCursor(cursor);
        QTest::keyClick(textEdit, Qt::Key_Delete);
        break;
    }
    case Edit::UndoneAndRedone:
        typeLine(textEdit, 5);
        QCoreApplication::processEvents();
        textEdit->undo();
        QCoreApplication::processEvents();
        textEdit->redo();
        break;
    case Edit::NewText:
        shown.editor.setText(script(kFunctions / 2, QStringLiteral("Other")));
        break;
    }
}

// A shown text edit with our layout and no highlighter.
struct PlainEdit
{
    // The text holds `functions` functions.
    explicit PlainEdit(int functions)
        : layout(new ScriptDocumentLayout(edit.document()))
    {
        edit.setLineWrapMode(QTextEdit::NoWrap);
        edit.resize(500, 300);
        edit.show();
        edit.setPlainText(script(functions));
    }

    // Waits until the whole text is laid out; false if it is not within kFinishMs.
    bool laidOutToTheEnd() const
    {
        return QTest::qWaitFor([this] { return !layout->isLayingOut(); }, kFinishMs);
    }

    QTextEdit edit;
    ScriptDocumentLayout *layout; // owned by the edit's document
};

// Where the line separator stands in the second line of TwoLayouts' text.
constexpr int kSeparatorColumn = 9;

// Two shown text edits, one with Qt's own document layout and one with ours, over the same text:
// every sixth line is set in a font twice as tall as the rest, and the second line is broken in
// two by a line separator.
struct TwoLayouts
{
    TwoLayouts()
    {
        for (QTextEdit *edit : {&qts, &ours}) {
            // The formats are in place before either layout sees the text: Qt's lazy layout
            // loses lines that change while it lays out.
            auto *document = new QTextDocument(edit);
            document->setDefaultFont(edit->font());
            QTextCursor cursor(document);
            cursor.insertText(script(40));
            cursor.setPosition(document->findBlockByNumber(1).position() + kSeparatorColumn);
            cursor.insertText(QString(QChar::LineSeparator));
            QTextCharFormat tall;
            tall.setFontPointSize(edit->font().pointSizeF() * 2);
            for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
                if (block.blockNumber() % 6 == 0) {
                    cursor.setPosition(block.position());
                    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
                    cursor.mergeCharFormat(tall);
                }
            }
            if (edit == &ours) {
                new ScriptDocumentLayout(document);
            }
            edit->setDocument(document);
            edit->setLineWrapMode(QTextEdit::NoWrap);
            edit->resize(500, 300);
            edit->show();
        }
    }

    QTextEdit qts;
    QTextEdit ours;
};

// True when the lines of `block`'s layout hold its text as it is now.
bool layoutHoldsItsText(const QTextBlock &block)
{
    const QTextLayout *layout = block.layout();
    int length = 0;
    for (int i = 0; i < layout->lineCount(); ++i) {
        length += layout->lineAt(i).textLength();
    }
    return layout->lineCount() > 0 && length == block.length() - 1;
}

// A line far below the top, and where our layout puts it.
struct FarLine
{
    explicit FarLine(const QTextEdit &edit)
        : block(edit.document()->findBlockByNumber(edit.document()->blockCount() - 3))
        , top(edit.document()->documentLayout()->blockBoundingRect(block).top())
    {}

    QTextBlock block;
    qreal top;
};

} // namespace

class tst_ScriptDocumentLayout : public QObject
{
    Q_OBJECT

private slots:
    void linesStandWhereQtsLayoutPutsThem();
    void changeMovesTheLinesBelowWithoutLayingThemOutAgain_data();
    void changeMovesTheLinesBelowWithoutLayingThemOutAgain();
    void editWhileLayingOutEndsAsTheFinalTextLaidOutAtOnce_data();
    void editWhileLayingOutEndsAsTheFinalTextLaidOutAtOnce();
    void closingTheEditorWhileLayingOutEndsTheSteps();
    void editAfterColouringLaysOutOnlyItsLine_data();
    void editAfterColouringLaysOutOnlyItsLine();
    void newTextOverAColouredOneIsLaidOutInSteps();
    void newPageSizeKeepsTheLinesAndNewTabStopsLayThemOutAgain();
    void lineAskedForBeforeTheLayoutLearnsOfAChange_data();
    void lineAskedForBeforeTheLayoutLearnsOfAChange();
};

void tst_ScriptDocumentLayout::linesStandWhereQtsLayoutPutsThem()
{
    TwoLayouts two;
    QTextDocument *qts = two.qts.document();
    QTextDocument *ours = two.ours.document();
    const auto *layout = qobject_cast<ScriptDocumentLayout *>(ours->documentLayout());
    QTRY_VERIFY_WITH_TIMEOUT(!layout->isLayingOut(), kFinishMs);
    for (QTextBlock block = qts->begin(); block.isValid(); block = block.next()) {
        const QTextBlock same = ours->findBlockByNumber(block.blockNumber());
        QCOMPARE(ours->documentLayout()->blockBoundingRect(same).topLeft(),
                 qts->documentLayout()->blockBoundingRect(block).topLeft());
    }
    QCOMPARE(ours->documentLayout()->documentSize().height(),
             qts->documentLayout()->documentSize().height());
    // Qt's text edit estimates its scroll range until its layout tells the final size.
    QTRY_COMPARE(two.qts.verticalScrollBar()->maximum(), two.ours.verticalScrollBar()->maximum());
    // The cursor stands where Qt's layout puts it, and a click there puts it back.
    const int separator = ours->findBlockByNumber(1).position() + kSeparatorColumn;
    for (const int position : {0, 1, 40, separator - 2, separator + 3, 300,
                               ours->characterCount() / 2, ours->characterCount() - 1}) {
        QTextCursor inQts(qts);
        inQts.setPosition(position);
        QTextCursor inOurs(ours);
        inOurs.setPosition(position);
        const QRect rect = two.ours.cursorRect(inOurs);
        QCOMPARE(rect, two.qts.cursorRect(inQts));
        QCOMPARE(two.ours.cursorForPosition(rect.center()).position(), position);
    }
}

// Changes a line near the top of a text laid out to its end.
using ChangeNearTheTop = std::function<void(QTextEdit &)>;

void tst_ScriptDocumentLayout::changeMovesTheLinesBelowWithoutLayingThemOutAgain_data()
{
    QTest::addColumn<ChangeNearTheTop>("change");
    // Besides the change in height of the second line, in lines of the standard font.
    QTest::addColumn<int>("linesMoved");

    const auto formatLine = [](qreal scale) {
        return [scale](QTextEdit &edit) {
            QTextLayout *layout = edit.document()->findBlockByNumber(1).layout();
            QTextCharFormat format;
            format.setFontPointSize(edit.font().pointSizeF() * scale);
            format.setForeground(Qt::red);
            layout->setFormats({{0, 5, format}});
            const QTextBlock block = edit.document()->findBlockByNumber(1);
            edit.document()->markContentsDirty(block.position(), block.length());
        };
    };
    QTest::newRow("new colours on a line") << ChangeNearTheTop(formatLine(1)) << 0;
    QTest::newRow("a taller font on a line") << ChangeNearTheTop(formatLine(4)) << 0;
    QTest::newRow("character typed") << ChangeNearTheTop([](QTextEdit &edit) {
        QTextCursor(edit.document()->findBlockByNumber(2)).insertText(QStringLiteral("x"));
    }) << 0;
    QTest::newRow("line typed") << ChangeNearTheTop([](QTextEdit &edit) {
        QTextCursor(edit.document()->findBlockByNumber(2)).insertText(QStringLiteral("x\n"));
    }) << 1;
    QTest::newRow("two lines removed") << ChangeNearTheTop([](QTextEdit &edit) {
        QTextCursor cursor(edit.document()->findBlockByNumber(2));
        cursor.setPosition(edit.document()->findBlockByNumber(4).position(),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }) << -2;
}

void tst_ScriptDocumentLayout::changeMovesTheLinesBelowWithoutLayingThemOutAgain()
{
    QFETCH(ChangeNearTheTop, change);
    QFETCH(int, linesMoved);

    PlainEdit plain(kFunctions / 4);
    QVERIFY(plain.laidOutToTheEnd());
    QTextEdit &edit = plain.edit;
    ScriptDocumentLayout *layout = plain.layout;
    const FarLine before(edit);
    const QTextBlock second = edit.document()->findBlockByNumber(1);
    const qreal lineHeight = layout->blockBoundingRect(second).height();

    change(edit);
    // Still laid out: the change cost the lines it touched, not those below.
    QVERIFY(laidOut(before.block));
    QVERIFY(plain.laidOutToTheEnd());
    QVERIFY(laidOut(before.block));
    for (QTextBlock block = edit.document()->begin(); block.blockNumber() < 6;
         block = block.next()) {
        layout->blockBoundingRect(block);
        QVERIFY2(layoutHoldsItsText(block), qPrintable(block.text()));
    }
    const qreal secondGrew = layout->blockBoundingRect(second).height() - lineHeight;
    QCOMPARE(FarLine(edit).top, before.top + secondGrew + linesMoved * lineHeight);
    QCOMPARE(layout->documentSize().height(),
             layout->blockBoundingRect(edit.document()->lastBlock()).bottom()
                 + edit.document()->documentMargin());
}

void tst_ScriptDocumentLayout::editWhileLayingOutEndsAsTheFinalTextLaidOutAtOnce_data()
{
    QTest::addColumn<Edit>("edit");

    // clang-format off
    QTest::newRow("new text") << Edit::None;
    QTest::newRow("line typed at the top while laying out") << Edit::LineTypedAtTop;
    QTest::newRow("line typed ahead of the laid-out part") << Edit::LineTypedAhead;
    QTest::newRow("line appended at the end while laying out") << Edit::LineAppended;
    QTest::newRow("lines pasted while laying out") << Edit::LinesPasted;
    QTest::newRow("many lines removed while laying out") << Edit::LinesRemoved;
    QTest::newRow("line typed, undone and redone while laying out") << Edit::UndoneAndRedone;
    QTest::newRow("second new text while the first is laid out") << Edit::NewText;
    // clang-format on
}

void tst_ScriptDocumentLayout::editWhileLayingOutEndsAsTheFinalTextLaidOutAtOnce()
{
    QFETCH(Edit, edit);

    ShownEditor stepped;
    stepped.editor.setText(script(kFunctions));
    QVERIFY2(layOutPart(stepped), "the edit must come while the text is being laid out");
    makeEdit(stepped, edit);
    QTRY_VERIFY_WITH_TIMEOUT(stepped.done(), kFinishMs);

    // The final text set at once, with a highlighter that saw only that text.
    ShownEditor atOnce;
    atOnce.editor.setText(stepped.editor.text());
    QTRY_VERIFY_WITH_TIMEOUT(atOnce.done(), kFinishMs);

    QCOMPARE(firstLineNotLaidOut(stepped.document()), -1);
    QCOMPARE(stepped.layout()->documentSize(), atOnce.layout()->documentSize());
    QCOMPARE(stepped.edit()->verticalScrollBar()->maximum(),
             atOnce.edit()->verticalScrollBar()->maximum());
    const int lines = stepped.document()->blockCount();
    for (const int line : {0, 1, 6, 12, lines / 2, lines - 2}) {
        const QTextBlock block = stepped.document()->findBlockByNumber(line);
        const QTextBlock same = atOnce.document()->findBlockByNumber(line);
        QCOMPARE(block.layout()->formats(), same.layout()->formats());
        QCOMPARE(stepped.layout()->blockBoundingRect(block),
                 atOnce.layout()->blockBoundingRect(same));
    }
    QVERIFY(stepped.edit()->viewport()->rect().intersects(stepped.edit()->cursorRect()));
}

void tst_ScriptDocumentLayout::closingTheEditorWhileLayingOutEndsTheSteps()
{
    auto shown = std::make_unique<ShownEditor>();
    shown->editor.setText(script(kFunctions));
    QVERIFY(layOutPart(*shown));
    const QPointer<ScriptDocumentLayout> layout = shown->layout();
    shown.reset();
    QCoreApplication::processEvents();
    QVERIFY(layout.isNull());
}

// Has `shown` colour lines outside an edit, and waits until it is done.
using ColouringOutsideAnEdit = std::function<void(ShownEditor &)>;

void tst_ScriptDocumentLayout::editAfterColouringLaysOutOnlyItsLine_data()
{
    QTest::addColumn<ColouringOutsideAnEdit>("colour");

    const auto newText = [](ShownEditor &shown) {
        shown.editor.setText(script(kFunctions / 4));
        QTRY_VERIFY_WITH_TIMEOUT(shown.done(), kFinishMs);
    };
    QTest::newRow("new text coloured in slices") << ColouringOutsideAnEdit(newText);
    QTest::newRow("whole text coloured again") << ColouringOutsideAnEdit([=](ShownEditor &shown) {
        newText(shown);
        shown.highlighter()->updateStyles();
        QTRY_VERIFY_WITH_TIMEOUT(shown.done(), kFinishMs);
    });
}

void tst_ScriptDocumentLayout::editAfterColouringLaysOutOnlyItsLine()
{
    QFETCH(ColouringOutsideAnEdit, colour);

    ShownEditor shown;
    colour(shown);
    if (QTest::currentTestFailed()) {
        return;
    }

    // The document reports the range that it has the layout lay out again.
    QSignalSpy changes(shown.document(), &QTextDocument::contentsChange);
    const QTextBlock line = shown.document()->findBlockByNumber(1);
    shown.edit()->setTextCursor(QTextCursor(line));
    QTest::keyClick(shown.edit(), Qt::Key_X);
    QCOMPARE(changes.size(), 1);
    const int from = changes.first().at(0).toInt();
    const int added = changes.first().at(2).toInt();
    QVERIFY(from >= line.position());
    QVERIFY2(from + added <= line.position() + line.length(),
             qPrintable(QStringLiteral("%1 characters from %2").arg(added).arg(from)));
    QVERIFY(laidOut(shown.document()->lastBlock()));
}

void tst_ScriptDocumentLayout::newTextOverAColouredOneIsLaidOutInSteps()
{
    ShownEditor shown;
    shown.editor.setText(script(kFunctions / 4));
    QTRY_VERIFY_WITH_TIMEOUT(shown.done(), kFinishMs);

    shown.editor.setText(script(kFunctions / 4, QStringLiteral("Other")));
    QVERIFY(shown.layout()->isLayingOut());
    QVERIFY(!laidOut(shown.document()->lastBlock()));
    QTRY_VERIFY_WITH_TIMEOUT(shown.done(), kFinishMs);
    QCOMPARE(firstLineNotLaidOut(shown.document()), -1);
}

void tst_ScriptDocumentLayout::newPageSizeKeepsTheLinesAndNewTabStopsLayThemOutAgain()
{
    ShownEditor shown;
    shown.editor.setText(QStringLiteral("\tx = 1\n").repeated(3000));
    QTRY_VERIFY_WITH_TIMEOUT(shown.done(), kFinishMs);
    const QTextBlock last = shown.document()->lastBlock().previous();
    const qreal indent = last.layout()->lineAt(0).cursorToX(1);

    // Lines that do not wrap do not depend on the width of the window.
    const int width = shown.edit()->viewport()->width();
    shown.editor.resize(shown.editor.width() + 100, shown.editor.height());
    QTRY_VERIFY(shown.edit()->viewport()->width() > width);
    QVERIFY(laidOut(last));

    shown.edit()->setTabStopDistance(indent * 2);
    QVERIFY(!laidOut(last));
    QTRY_VERIFY_WITH_TIMEOUT(shown.done(), kFinishMs);
    QCOMPARE(last.layout()->lineAt(0).cursorToX(1), indent * 2);
}

void tst_ScriptDocumentLayout::lineAskedForBeforeTheLayoutLearnsOfAChange_data()
{
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<int>("removedLines");

    QTest::newRow("lines pasted") << script(20) << 0;
    QTest::newRow("lines removed") << QString() << 60;
}

void tst_ScriptDocumentLayout::lineAskedForBeforeTheLayoutLearnsOfAChange()
{
    QFETCH(QString, inserted);
    QFETCH(int, removedLines);

    PlainEdit plain(kFunctions / 10);
    QVERIFY(plain.laidOutToTheEnd());
    ScriptDocumentLayout *layout = plain.layout;
    // The document tells its handlers of a change before it tells the layout.
    QTextDocument *document = plain.edit.document();
    qreal bottomSeen = -1;
    connect(document, &QTextDocument::contentsChange, this,
            [&] { bottomSeen = layout->blockBoundingRect(document->lastBlock()).bottom(); });
    QTextCursor cursor(document->findBlockByNumber(3));
    cursor.setPosition(document->findBlockByNumber(3 + removedLines).position(),
                       QTextCursor::KeepAnchor);
    cursor.insertText(inserted);
    QVERIFY(bottomSeen > 0);

    QVERIFY(plain.laidOutToTheEnd());
    QCOMPARE(firstLineNotLaidOut(document), -1);
    const qreal lineHeight = layout->blockBoundingRect(document->begin()).height();
    QCOMPARE(layout->blockBoundingRect(document->lastBlock()).bottom(),
             document->documentMargin() + document->blockCount() * lineHeight);
    QCOMPARE(layout->documentSize().height(),
             document->blockCount() * lineHeight + 2 * document->documentMargin());
}

TAVRIX_TEST_MAIN(tst_ScriptDocumentLayout)
#include "tst_scriptdocumentlayout.moc"
