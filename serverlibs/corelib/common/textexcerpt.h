#pragma once

#include <QString>
#include <QStringView>

namespace SRCore {

// The piece of a text that a message quotes. What a message quotes often comes from a file (an
// element's text, a name, a value), which may be megabytes long; quoted whole it would flood the
// message pane, the message database and the console.
class TextExcerpt
{
public:
    static constexpr int MaxLength = 200;

    TextExcerpt() = delete;

    // `text` when it has at most MaxLength characters; otherwise its beginning followed by "…",
    // MaxLength characters in all, never ending in half a surrogate pair.
    static QString of(QStringView text);
};

} // namespace SRCore
