#pragma once

#include <QTextEdit>

class QCompleter;

namespace Scripter {

// The text area of the VBScript and AppleScript editors: plain text with block indentation by
// Tab and Shift+Tab, automatic indentation of new lines and a completion popup over a fixed word
// list. Dropped files are not inserted but handed on through openFileRequested().
class ScrTextEdit : public QTextEdit
{
    Q_OBJECT
    Q_DISABLE_COPY(ScrTextEdit)

public:
    explicit ScrTextEdit(QWidget *parent = nullptr);

    // Installs a completer over `words`, a ";"-separated list (empty parts kept), replacing the
    // previous one. `keywords` belongs to the colouring and is not offered.
    void setCompletionList(const QString &words, const QString &keywords);
    // Null until setCompletionList() was called; owned by this text edit.
    QCompleter *completer() const;

public slots:
    // Completes the word before the cursor with `completion`, chosen in the popup.
    void insertCompletion(const QString &completion);

signals:
    // An existing local file was dropped; the application opens it as a package or fixture.
    void openFileRequested(const QString &path);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Tab and Shift+Tab over a selection of several blocks; false when the selection lies in one.
    bool indentSelectedBlocks();
    bool unindentSelectedBlocks();
    // Shift+Tab within one line: removes white space before the cursor back to a tab stop.
    void unindentBeforeCursor();
    void indentNewBlock();
    void updateCompletionPopup(const QKeyEvent *event, bool shortcut);

    QCompleter *m_completer = nullptr;
};

} // namespace Scripter
