// Editing in the program's main window, in each of the three script editors:
// - typing into a script of 10 000 lines: from a key event to the repaint of the text that shows
//   it, at the 99th percentile; the baseline types the same keys into a bare QTextEdit;
// - the syntax check and the list of entry functions of that script; the baseline reads the
//   same text once with a regular expression for function headers;
// - colouring a 5 MB script: the longest time the window cannot handle events while the text is
//   set, laid out and coloured; the baseline sets the same text in a bare editor of the same kind
//   without colouring;
// - laying out that script (editors built on QTextEdit): the time from setting the text until
//   its last line is laid out; the baseline is a QTextEdit that Qt's own QSyntaxHighlighter gives
//   the same colours, all at once, and that lays the text out by itself: colours split the text
//   into more pieces to shape, which doubles Qt's layout time whoever colours it;
// - the first key typed into that script once it is coloured (editors built on QTextEdit); the
//   baseline is a key typed into that QTextEdit;
// - a block comment opened at the top of that script (AppleScript): the longest time the window
//   cannot handle events while every line is coloured and laid out again; the baseline is the
//   key typed into that QTextEdit, what Qt's own layout takes for any change of so large a text.
//
//   bench_editing

#include "programworld.h"

#include "editors/applescripteditor.h"
#include "editors/javascripteditor.h"
#include "editors/scriptdocumentlayout.h"
#include "editors/scrtextedit.h"
#include "editors/vbscripteditor.h"

#include "qsa/qsinterpreter.h"
#include "qsa/scripterhighlighter.h"
#include "scriptinglib/vbscriptsyntaxchecker.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <Qsci/qsciscintilla.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

constexpr int kLines = 10000;
constexpr int kKeystrokes = 300;
constexpr int kColouredBytes = 5 * 1024 * 1024;
constexpr double kKeystrokeTargetMs = 16;
constexpr double kCheckTargetMs = 100;
constexpr double kStallTargetMs = 50;
constexpr int kSetRuns = 5;
// How long the window is watched at least after a large text was set, and at most while it is
// still being laid out or coloured.
constexpr int kWatchMs = 3000;
constexpr int kWatchLimitMs = 120000;
// Laying out in steps that leave the window free may take this much longer than in Qt's own.
constexpr double kLayoutSlowdown = 1.5;
// The first edit after colouring may take this much longer than in the editor that Qt colours:
// room for the noise of a single key. Laying out again all that was coloured took 25 times.
constexpr double kEditAfterColouringSlowdown = 3;

enum class Language { JavaScript, VBScript, AppleScript };

// One function of a script of `language`, `lines` lines long.
QString function(Language language, int number)
{
    const QString n = QString::number(number);
    switch (language) {
    case Language::JavaScript:
        return QStringLiteral(
                   "// Step %1 of the routing\nfunction step%1( s : Tavrix, job : Job )\n"
                   "{\n    var count : Number = %1; // how many\n"
                   "    s.log( 1, \"step %1: \" + job.getName() + count );\n}\n")
            .arg(n);
    case Language::VBScript:
        return QStringLiteral("' Step %1 of the routing\nFunction Step%1(s, job)\n"
                              "    Dim count: count = %1 ' how many\n"
                              "    s.log 1, \"step %1: \" & job.getName() & count\nEnd Function\n")
            .arg(n);
    case Language::AppleScript:
        return QStringLiteral(
                   "-- Step %1 of the routing\non step%1(s, j)\n"
                   "\tset count to %1 -- how many\n"
                   "\ttell application \"PowerTAVRIX_Service\"\n\tend tell\nend step%1\n")
            .arg(n);
    }
    return QString();
}

// The entry point that the function list finds.
QString entryPoint(Language language)
{
    switch (language) {
    case Language::JavaScript:
        return QStringLiteral("function jobArrived( s : Tavrix, job : Job )\n{\n}\n");
    case Language::VBScript:
        return QStringLiteral("Function jobArrived(s, job)\nEnd Function\n");
    case Language::AppleScript:
        return QStringLiteral("on jobarrived( s, j )\nend jobarrived\n");
    }
    return QString();
}

// A script of about `lines` lines, or of about `bytes` bytes: an entry point and functions.
QString script(Language language, int lines, int bytes = 0)
{
    QString text = entryPoint(language);
    for (int i = 0; (bytes > 0 ? text.size() < bytes : text.count(QLatin1Char('\n')) < lines);
         ++i) {
        text += function(language, i);
    }
    return text;
}

const char *name(Language language)
{
    switch (language) {
    case Language::JavaScript:
        return "JavaScript";
    case Language::VBScript:
        return "VBScript";
    case Language::AppleScript:
        return "AppleScript";
    }
    return "";
}

// Records when its widget was last painted.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *widget)
        : m_widget(widget)
    {
        widget->installEventFilter(this);
        m_clock.start();
    }
    ~PaintWatch() override { m_widget->removeEventFilter(this); }

    qint64 now() const { return m_clock.nsecsElapsed(); }
    qint64 lastPaint() const { return m_lastPaint; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_widget && event->type() == QEvent::Paint) {
            m_lastPaint = m_clock.nsecsElapsed();
        }
        return false;
    }

private:
    QWidget *m_widget;
    QElapsedTimer m_clock;
    qint64 m_lastPaint = -1;
};

// The 99th percentile of the milliseconds from each key event sent to `target` to the next
// paint of `painted`; negative when a key was never painted.
double keystrokeP99(QWidget *target, QWidget *painted)
{
    target->setFocus();
    QCoreApplication::processEvents();
    const QString keys = QStringLiteral("count = count + 1;\n");
    PaintWatch watch(painted);
    QList<double> latencies;
    for (int i = 0; i < kKeystrokes; ++i) {
        const QChar c = keys.at(i % keys.size());
        const qint64 sent = watch.now();
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(target, Qt::Key_Return);
        } else {
            QTest::keyClick(target, c.toLatin1());
        }
        QElapsedTimer waited;
        waited.start();
        while (watch.lastPaint() < sent && waited.elapsed() < 1000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        if (watch.lastPaint() < sent) {
            return -1;
        }
        latencies << (watch.lastPaint() - sent) / 1e6;
    }
    std::sort(latencies.begin(), latencies.end());
    return latencies.at(int(latencies.size() * 99 / 100));
}

// The longest time in milliseconds that the event loop did not run after calling `set`, until
// `settled` and for at least kWatchMs, or `setExcessMs` when that is longer: the time that
// setting the text takes beyond the bare editor's own setting holds the window up too.
double longestStall(const std::function<void()> &set, const std::function<bool()> &settled,
                    double setExcessMs)
{
    QElapsedTimer clock;
    clock.start();
    set();
    double longest = setExcessMs;
    qint64 last = clock.nsecsElapsed();
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, (now - last) / 1e6);
        last = now;
    });
    tick.start();
    QElapsedTimer watched;
    watched.start();
    while ((watched.elapsed() < kWatchMs || !settled()) && watched.elapsed() < kWatchLimitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return settled() ? longest : -1;
}

bool laidOutToTheEnd(const QTextEdit *textEdit)
{
    const QTextDocument *document = textEdit->document();
    if (const auto *ours =
            qobject_cast<const Scripter::ScriptDocumentLayout *>(document->documentLayout())) {
        return !ours->isLayingOut();
    }
    const QTextLayout *layout = document->lastBlock().layout();
    return layout && layout->lineCount() > 0;
}

// The milliseconds from calling `set` until the last line of `textEdit` is laid out.
double layOutMs(QTextEdit *textEdit, const std::function<void()> &set)
{
    QElapsedTimer clock;
    clock.start();
    set();
    while (!laidOutToTheEnd(textEdit) && clock.elapsed() < kWatchLimitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return laidOutToTheEnd(textEdit) ? clock.nsecsElapsed() / 1e6 : -1;
}

using LineFormats = QList<QList<QTextLayout::FormatRange>>;

// The formats of every line of `document`.
LineFormats formatsOf(const QTextDocument *document)
{
    LineFormats formats;
    formats.reserve(document->blockCount());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        formats.append(block.layout()->formats());
    }
    return formats;
}

// Gives each line of a document the formats recorded for its line number, the way Qt's own
// highlighting does.
class FormatReplay : public QSyntaxHighlighter
{
public:
    FormatReplay(QTextDocument *document, LineFormats formats)
        : QSyntaxHighlighter(document)
        , m_formats(std::move(formats))
    {}

protected:
    void highlightBlock(const QString &) override
    {
        for (const QTextLayout::FormatRange &range :
             m_formats.value(currentBlock().blockNumber())) {
            setFormat(range.start, range.length, range.format);
        }
    }

private:
    LineFormats m_formats;
};

// The milliseconds that handling one key typed at the top of `textEdit` takes.
double keyAtTheTopMs(QTextEdit *textEdit)
{
    textEdit->setTextCursor(QTextCursor(textEdit->document()));
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(textEdit, Qt::Key_X);
    QCoreApplication::processEvents();
    return clock.nsecsElapsed() / 1e6;
}

// Milliseconds that one call of `run` takes.
double msOf(const std::function<void()> &run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return timer.nsecsElapsed() / 1e6;
}

struct EditorUnderTest
{
    Language language;
    int tab;
    QWidget *keyTarget;
    QWidget *painted;
    std::function<void(const QString &)> setText;
    std::function<bool()> checkAndList;

    // The name of one of the figures of this editor.
    QByteArray figure(const char *what) const { return name(language) + QByteArray(" ") + what; }
    // The editor built on QTextEdit, or null.
    QTextEdit *textEdit() const { return qobject_cast<QTextEdit *>(keyTarget); }
};

// Typing in the middle of the script, against the same keys typed into `bare`.
bool measureTyping(const EditorUnderTest &editor, const QString &text, QTextEdit &bare)
{
    editor.setText(text);
    QCoreApplication::processEvents();
    if (QTextEdit *textEdit = editor.textEdit()) {
        textEdit->setTextCursor(QTextCursor(textEdit->document()->findBlockByNumber(kLines / 2)));
        textEdit->ensureCursorVisible();
    } else if (auto *scintilla = qobject_cast<QsciScintilla *>(editor.keyTarget)) {
        scintilla->setCursorPosition(kLines / 2, 0);
        scintilla->ensureLineVisible(kLines / 2);
    }
    const double typing = keystrokeP99(editor.keyTarget, editor.painted);

    bare.setPlainText(text);
    bare.setTextCursor(QTextCursor(bare.document()->findBlockByNumber(kLines / 2)));
    bare.ensureCursorVisible();
    QCoreApplication::processEvents();
    const double bareTyping = keystrokeP99(&bare, bare.viewport());
    bare.clear();
    return Bench::report(editor.figure("keystroke to repaint, p99").constData(), typing,
                         "bare QTextEdit", bareTyping, kKeystrokeTargetMs);
}

bool measureCheck(const EditorUnderTest &editor, const QString &text)
{
    editor.setText(text);
    const double check = Bench::bestMs(3, editor.checkAndList);
    static const QRegularExpression header(QStringLiteral("^\\s*(function|Function|on)\\s+(\\w+)"),
                                           QRegularExpression::MultilineOption);
    const double search = Bench::bestMs(3, [&] {
        int found = 0;
        for (auto it = header.globalMatch(text); it.hasNext(); it.next()) {
            ++found;
        }
        return found > 0;
    });
    return Bench::report(editor.figure("syntax check and function list").constData(), check,
                         "one regular expression search", search, kCheckTargetMs);
}

// The longest stall while `large` is set, laid out and coloured. Setting it is compared with
// a bare editor of the same kind setting it without colouring: the JavaScript editor's is a
// QsciScintilla.
bool measureColouringStall(const EditorUnderTest &editor, const QString &text, const QString &large,
                           QTextEdit &bare)
{
    std::unique_ptr<QsciScintilla> bareScintilla;
    std::function<void(const QString &)> setInBare = [&](const QString &script) {
        bare.setPlainText(script);
    };
    if (!editor.textEdit()) {
        bareScintilla = std::make_unique<QsciScintilla>();
        bareScintilla->resize(editor.keyTarget->size());
        bareScintilla->show();
        setInBare = [&](const QString &script) {
            bareScintilla->setText(script);
        };
    }
    // The best of several settings, each over the short script and taken in turns, so that the
    // load of the machine weighs on both alike.
    double setInEditorMs = std::numeric_limits<double>::max();
    double setInBareMs = std::numeric_limits<double>::max();
    for (int run = 0; run < kSetRuns; ++run) {
        editor.setText(text);
        setInBare(text);
        QCoreApplication::processEvents();
        setInEditorMs = std::min(setInEditorMs, msOf([&] { editor.setText(large); }));
        setInBareMs = std::min(setInBareMs, msOf([&] { setInBare(large); }));
    }
    bareScintilla.reset();
    bare.clear();

    editor.setText(text);
    QCoreApplication::processEvents();
    QTextEdit *textEdit = editor.textEdit();
    const ScripterHighlighter *highlighter =
        textEdit ? textEdit->document()->findChild<ScripterHighlighter *>() : nullptr;
    const double stall = longestStall(
        [&] { editor.setText(large); },
        [&] { return !textEdit || (laidOutToTheEnd(textEdit) && !highlighter->isColouring()); },
        std::max(0.0, setInEditorMs - setInBareMs));
    return Bench::report(editor.figure("longest stall while colouring 5 MB").constData(), stall,
                         "setting the text without colouring", setInBareMs, kStallTargetMs);
}

// The longest stall while a block comment opened at the top of the coloured text in `textEdit`
// has every line coloured and laid out again.
double recolouringStall(QTextEdit *textEdit)
{
    const ScripterHighlighter *highlighter =
        textEdit->document()->findChild<ScripterHighlighter *>();
    textEdit->setTextCursor(QTextCursor(textEdit->document()));
    QCoreApplication::processEvents();
    return longestStall([&] { QTest::keyClicks(textEdit, QStringLiteral("(*")); },
                        [&] { return laidOutToTheEnd(textEdit) && !highlighter->isColouring(); },
                        0);
}

// Laying out `large` to its end, the first key typed at its top once it is coloured and, where a
// comment spans lines, the colouring again after one is opened at the top; against `bare` given
// the same colours by Qt's own highlighter.
bool measureLayOut(const EditorUnderTest &editor, const QString &text, const QString &large,
                   QTextEdit &bare)
{
    QTextEdit *textEdit = editor.textEdit();
    const ScripterHighlighter *highlighter =
        textEdit->document()->findChild<ScripterHighlighter *>();
    editor.setText(text);
    QCoreApplication::processEvents();
    const double layOut = layOutMs(textEdit, [&] { editor.setText(large); });
    const bool coloured =
        QTest::qWaitFor([&] { return !highlighter->isColouring(); }, kWatchLimitMs);
    QCoreApplication::processEvents();
    const double key = coloured ? keyAtTheTopMs(textEdit) : -1;
    const bool blockComments = editor.language == Language::AppleScript;
    const double recolouring = coloured && blockComments ? recolouringStall(textEdit) : -1;

    FormatReplay colours(bare.document(), formatsOf(textEdit->document()));
    editor.setText(text);
    QCoreApplication::processEvents();
    const double qtLayOut = layOutMs(&bare, [&] { bare.setPlainText(large); });
    const double qtKey = keyAtTheTopMs(&bare);
    colours.setDocument(nullptr);
    bare.clear();

    bool ok = Bench::report(editor.figure("laying out 5 MB to its end").constData(), layOut,
                            "QTextEdit coloured by QSyntaxHighlighter", qtLayOut,
                            qtLayOut * kLayoutSlowdown);
    ok &= Bench::report(editor.figure("first key after colouring 5 MB").constData(), key,
                        "key in that QTextEdit", qtKey, qtKey * kEditAfterColouringSlowdown);
    if (blockComments) {
        ok &= Bench::report(
            editor.figure("longest stall after a comment opened atop 5 MB").constData(),
            recolouring, "key in that QTextEdit", qtKey, kStallTargetMs);
    }
    return ok;
}

bool measureEditor(const EditorUnderTest &editor, Scripter::ScripterWindow *window)
{
    const QString text = script(editor.language, kLines);
    const QString large = script(editor.language, 0, kColouredBytes);
    window->scriptTabs()->setCurrentIndex(editor.tab);

    // The editor that the figures compare with: Qt's own, without colouring. It is emptied
    // after each use, so that its lazy layout of a large text does not weigh on what follows.
    QTextEdit bare;
    bare.setLineWrapMode(QTextEdit::NoWrap);
    bare.resize(editor.keyTarget->size());
    bare.show();

    bool ok = measureTyping(editor, text, bare);
    ok &= measureCheck(editor, text);
    ok &= measureColouringStall(editor, text, large, bare);
    if (editor.textEdit()) {
        ok &= measureLayOut(editor, text, large, bare);
    }
    return ok;
}

int measure(const Bench::ProgramWorld &world)
{
    Scripter::ScripterWindow *window = world.window(0);
    Scripter::Declaration *declaration = window->declaration();
    for (const QString &flag :
         {SRCore::XMLKey::INCLUDEVBSCRIPT, SRCore::XMLKey::INCLUDEAPPLESCRIPT}) {
        declaration->setBasicValue(flag, SRCore::XMLValues::YES);
    }
    window->resize(1280, 800);
    window->show();
    QCoreApplication::processEvents();

    Scripter::JavaScriptEditor *javaScript = window->javaScriptEditor();
    Scripter::VBScriptEditor *vbScript = window->vbScriptEditor();
    Scripter::AppleScriptEditor *appleScript = window->appleScriptEditor();
    const QList<EditorUnderTest> editors = {
        {Language::JavaScript, 0, javaScript->textEdit(), javaScript->textEdit()->viewport(),
         [=](const QString &text) { javaScript->setText(text); },
         [=] {
             QSInterpreter interpreter;
             interpreter.setErrorMode(QSInterpreter::Nothing);
             return interpreter.checkSyntax(javaScript->text())
                    && !javaScript->functions().isEmpty();
         }},
        {Language::VBScript, 1, vbScript->textEdit(), vbScript->textEdit()->viewport(),
         [=](const QString &text) { vbScript->setText(text); },
         [=] {
             QString message;
             return VBScriptSyntaxChecker::check(vbScript->text(), message)
                    && !vbScript->functions().isEmpty();
         }},
        {Language::AppleScript, 2, appleScript->textEdit(), appleScript->textEdit()->viewport(),
         [=](const QString &text) { appleScript->setText(text); },
         [=] {
             return !appleScript->functions().isEmpty();
         }},
    };
    std::printf("scripts of %d lines, %d keystrokes each; colouring of %d MB\n", kLines,
                kKeystrokes, kColouredBytes / (1024 * 1024));
    bool ok = true;
    for (const EditorUnderTest &editor : editors) {
        ok &= measureEditor(editor, window);
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    return Bench::runInProgram(argc, argv, measure);
}
