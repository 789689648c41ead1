#include "common/testmain.h"

#include "editors/layoutpacer.h"
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

using Scripter::LayoutPacer;
using Scripter::VBScriptEditor;

namespace {

constexpr int kLinesPerFunction = 5;
// Long enough that laying it out takes many steps.
constexpr int kFunctions = 2000;
// Short enough to be coloured ahead of the layout to its end, long enough to be laid out in steps.
constexpr int kShortFunctions = LayoutPacer::ColourAheadLines / kLinesPerFunction * 3 / 4;
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

// A shown VBScript editor, with its pacer and highlighter.
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
    LayoutPacer *pacer() const { return edit()->findChild<LayoutPacer *>(); }
    ScripterHighlighter *highlighter() const
    {
        return document()->findChild<ScripterHighlighter *>();
    }
    bool done() const { return !pacer()->isLayingOut() && !highlighter()->isColouring(); }

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

// Lets the pacer lay out part of the text; false when it laid out none or all of it.
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

} // namespace

class tst_LayoutPacer : public QObject
{
    Q_OBJECT

private slots:
    void editWhileLayingOutEndsAsTheFinalTextLaidOutAtOnce_data();
    void editWhileLayingOutEndsAsTheFinalTextLaidOutAtOnce();
    void closingTheEditorWhileLayingOutEndsThePacing();
    void editAfterColouringLaysOutOnlyItsLine_data();
    void editAfterColouringLaysOutOnlyItsLine();
    void newTextOverAColouredOneIsLaidOutInSteps();
};

void tst_LayoutPacer::editWhileLayingOutEndsAsTheFinalTextLaidOutAtOnce_data()
{
    QTest::addColumn<int>("functions");
    QTest::addColumn<Edit>("edit");

    // A short text is coloured to its end before it is laid out: nothing but the pacer then
    // has the layout go on after an edit.
    // clang-format off
    QTest::newRow("new text") << kFunctions << Edit::None;
    QTest::newRow("line typed at the top while laying out") << kFunctions << Edit::LineTypedAtTop;
    QTest::newRow("line typed at the top of a short text") << kShortFunctions << Edit::LineTypedAtTop;
    QTest::newRow("line typed ahead of the laid-out part") << kFunctions << Edit::LineTypedAhead;
    QTest::newRow("line appended at the end while laying out") << kFunctions << Edit::LineAppended;
    QTest::newRow("lines pasted while laying out") << kFunctions << Edit::LinesPasted;
    QTest::newRow("many lines removed while laying out") << kFunctions << Edit::LinesRemoved;
    QTest::newRow("line typed, undone and redone while laying out") << kFunctions << Edit::UndoneAndRedone;
    QTest::newRow("second new text while the first is laid out") << kFunctions << Edit::NewText;
    // clang-format on
}

void tst_LayoutPacer::editWhileLayingOutEndsAsTheFinalTextLaidOutAtOnce()
{
    QFETCH(int, functions);
    QFETCH(Edit, edit);

    ShownEditor paced;
    paced.editor.setText(script(functions));
    QVERIFY2(layOutPart(paced), "the edit must come while the text is being laid out");
    makeEdit(paced, edit);
    QTRY_VERIFY_WITH_TIMEOUT(paced.done(), kFinishMs);

    // Qt's own layout of the final text, in one go, with a highlighter that saw only that text.
    ShownEditor atOnce;
    atOnce.editor.setText(paced.editor.text());
    atOnce.document()->documentLayout()->documentSize();
    QTRY_VERIFY_WITH_TIMEOUT(atOnce.done(), kFinishMs);

    QCOMPARE(firstLineNotLaidOut(paced.document()), -1);
    QCOMPARE(paced.document()->documentLayout()->documentSize(),
             atOnce.document()->documentLayout()->documentSize());
    QCOMPARE(paced.edit()->verticalScrollBar()->maximum(),
             atOnce.edit()->verticalScrollBar()->maximum());
    const int lines = paced.document()->blockCount();
    for (const int line : {0, 1, 6, 12, lines / 2, lines - 2}) {
        QCOMPARE(paced.document()->findBlockByNumber(line).layout()->formats(),
                 atOnce.document()->findBlockByNumber(line).layout()->formats());
    }
    QVERIFY(paced.edit()->viewport()->rect().intersects(paced.edit()->cursorRect()));
}

void tst_LayoutPacer::closingTheEditorWhileLayingOutEndsThePacing()
{
    auto shown = std::make_unique<ShownEditor>();
    shown->editor.setText(script(kFunctions));
    QVERIFY(layOutPart(*shown));
    const QPointer<LayoutPacer> pacer = shown->pacer();
    shown.reset();
    QCoreApplication::processEvents();
    QVERIFY(pacer.isNull());
}

// Has `shown` colour lines outside an edit, and waits until it is done.
using ColouringOutsideAnEdit = std::function<void(ShownEditor &)>;

void tst_LayoutPacer::editAfterColouringLaysOutOnlyItsLine_data()
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

void tst_LayoutPacer::editAfterColouringLaysOutOnlyItsLine()
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
}

void tst_LayoutPacer::newTextOverAColouredOneIsLaidOutInSteps()
{
    ShownEditor shown;
    shown.editor.setText(script(kFunctions / 4));
    QTRY_VERIFY_WITH_TIMEOUT(shown.done(), kFinishMs);

    shown.editor.setText(script(kFunctions / 4, QStringLiteral("Other")));
    QVERIFY(shown.pacer()->isLayingOut());
    QVERIFY(!laidOut(shown.document()->lastBlock()));
    QTRY_VERIFY_WITH_TIMEOUT(shown.done(), kFinishMs);
    QCOMPARE(firstLineNotLaidOut(shown.document()), -1);
}

TAVRIX_TEST_MAIN(tst_LayoutPacer)
#include "tst_layoutpacer.moc"
