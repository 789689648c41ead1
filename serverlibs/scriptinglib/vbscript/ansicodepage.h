#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace VBScript {

// Windows-1252, the ANSI code page of the en-US locale: what Chr and Asc count in, and how
// text files without a byte order mark are written and read.
class AnsiCodePage
{
public:
    AnsiCodePage() = delete;

    static QChar toUnicode(unsigned char code);
    // The code of `character`, or -1 when the code page has none.
    static int fromUnicode(QChar character);
    // Characters the code page lacks become '?'.
    static QByteArray encode(const QString &text);
    static QString decode(const QByteArray &bytes);
};

} // namespace VBScript
