#pragma once

#include "config.h"

#include <QSet>
#include <QSyntaxHighlighter>

class QTextEdit;

// Colours the text of a script editor with the Config styles: keywords from the list given by
// the language editor, comments, strings, numbers and operators. The comment and string syntax
// follows the editor's name: "VBScriptEditor" (' and Rem comments, "" inside strings),
// "AppleScriptEditor" (-- and # comments, nested (* *) blocks) or C-like for any other name.
class ScripterHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    // `keywords` is a space-separated list; matching ignores case except for C-like languages.
    ScripterHighlighter(QTextEdit *textEdit, const QString &name, const QString &keywords);

    // Re-reads the styles from Config and colours the whole text again.
    void updateStyles();

protected:
    void highlightBlock(const QString &text) override;

private:
    enum class Syntax { VBScript, AppleScript, CLike };

    bool startsLineComment(const QString &text, int position) const;
    int blockCommentStartLength(const QString &text, int position) const;
    // Highlights block-comment text from `position`; returns where the comment ends (or the
    // line's length) and updates the nesting depth.
    int continueBlockComment(const QString &text, int position, int &depth);
    int stringEnd(const QString &text, int position) const;
    QTextCharFormat format(const QString &element) const;

    Syntax m_syntax;
    QSet<QString> m_keywords;
    QMap<QString, ConfigStyle> m_styles;
};
