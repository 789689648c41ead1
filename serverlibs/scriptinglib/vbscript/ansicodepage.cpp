#include "ansicodepage.h"

namespace VBScript {

namespace {

// 0x80 to 0x9F; the other codes are the Unicode code points of the same value.
constexpr char16_t upperControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QChar AnsiCodePage::toUnicode(unsigned char code)
{
    return code >= 0x80 && code <= 0x9F ? QChar(upperControls[code - 0x80]) : QChar(code);
}

int AnsiCodePage::fromUnicode(QChar character)
{
    const char16_t unicode = character.unicode();
    if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF)) {
        return unicode;
    }
    for (int i = 0; i < 32; ++i) {
        if (upperControls[i] == unicode) {
            return 0x80 + i;
        }
    }
    return -1;
}

QByteArray AnsiCodePage::encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar character : text) {
        const int code = fromUnicode(character);
        bytes.append(code < 0 ? '?' : char(code));
    }
    return bytes;
}

QString AnsiCodePage::decode(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        text.append(toUnicode((unsigned char)byte));
    }
    return text;
}

} // namespace VBScript
