#include "textstreamobject.h"

#include "ansicodepage.h"
#include "fileoperations.h"
#include "interpreter.h"
#include "runtimeerror.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace VBScript {

namespace {

enum Member {
    AtEndOfLine = 1,
    AtEndOfStream,
    Column,
    Line,
    Read,
    ReadAll,
    ReadLine,
    Skip,
    SkipLine,
    Close,
    Write,
    WriteLine,
    WriteBlankLines,
};

const MemberList &members()
{
    static const MemberList list({{"atendofline", AtEndOfLine},
                                  {"atendofstream", AtEndOfStream},
                                  {"column", Column},
                                  {"line", Line},
                                  {"read", Read},
                                  {"readall", ReadAll},
                                  {"readline", ReadLine},
                                  {"skip", Skip},
                                  {"skipline", SkipLine},
                                  {"close", Close},
                                  {"write", Write},
                                  {"writeline", WriteLine},
                                  {"writeblanklines", WriteBlankLines}});
    return list;
}

QString decode(const QByteArray &bytes, bool unicode)
{
    if (!unicode) {
        return AnsiCodePage::decode(bytes);
    }
    const qsizetype skip = bytes.startsWith("\xFF\xFE") ? 2 : 0;
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + skip),
                              (bytes.size() - skip) / 2);
}

QByteArray encode(const QString &text, bool unicode)
{
    if (!unicode) {
        return AnsiCodePage::encode(text);
    }
    return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

} // namespace

TextStreamObject::TextStreamObject(Mode mode, bool unicode)
    : LibraryObject(members(), "TextStream")
    , m_mode(mode)
    , m_unicode(unicode)
{}

TextStreamObject::~TextStreamObject() = default;

TextStreamObject *TextStreamObject::open(const QString &path, Mode mode, bool create,
                                         bool overwrite, bool unicode, int *error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        *error = RuntimeError::PermissionDenied;
        return nullptr;
    }
    if (!info.absoluteDir().exists()) {
        *error = RuntimeError::PathNotFound;
        return nullptr;
    }
    const bool exists = info.exists();
    if (!exists && !create) {
        *error = RuntimeError::FileNotFound;
        return nullptr;
    }
    if (exists && create && !overwrite && mode == Mode::Writing) {
        *error = RuntimeError::FileAlreadyExists;
        return nullptr;
    }
    if (exists && mode != Mode::Reading && FileOperations::isReadOnly(path)) {
        *error = RuntimeError::PermissionDenied;
        return nullptr;
    }
    auto *stream = new TextStreamObject(mode, unicode);
    stream->m_file.setFileName(path);
    QIODevice::OpenMode openMode = QIODevice::ReadOnly;
    // Unbuffered, so that a failed write fails the Write that made it, not a silent Close.
    if (mode == Mode::Writing) {
        openMode = QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered;
    } else if (mode == Mode::Appending) {
        openMode = QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered;
    } else if (!exists) {
        openMode = QIODevice::ReadWrite; // an empty file comes to exist
    }
    if (!stream->m_file.open(openMode)) {
        delete stream;
        *error = RuntimeError::PermissionDenied;
        return nullptr;
    }
    if (mode == Mode::Reading) {
        stream->m_text = decode(stream->m_file.readAll(), unicode);
        stream->m_file.close();
    } else if (unicode && stream->m_file.size() == 0) {
        stream->m_file.write("\xFF\xFE", 2);
    }
    *error = RuntimeError::None;
    return stream;
}

void TextStreamObject::advance(qsizetype count)
{
    for (qsizetype i = 0; i < count && m_position < m_text.size(); ++i) {
        const QChar c = m_text.at(m_position++);
        const bool crBeforeLf = c == QLatin1Char('\r') && m_position < m_text.size()
                                && m_text.at(m_position) == QLatin1Char('\n');
        if ((c == QLatin1Char('\n') || c == QLatin1Char('\r')) && !crBeforeLf) {
            ++m_line;
            m_column = 1;
        } else if (!crBeforeLf) {
            ++m_column;
        }
    }
}

qsizetype TextStreamObject::lineLength(qsizetype *terminator) const
{
    qsizetype end = m_position;
    while (end < m_text.size() && m_text.at(end) != QLatin1Char('\n')
           && m_text.at(end) != QLatin1Char('\r')) {
        ++end;
    }
    *terminator = 0;
    if (end < m_text.size()) {
        *terminator = m_text.at(end) == QLatin1Char('\r') && end + 1 < m_text.size()
                              && m_text.at(end + 1) == QLatin1Char('\n')
                          ? 2
                          : 1;
    }
    return end - m_position;
}

bool TextStreamObject::open(Interpreter &interpreter, const QString &path, Mode mode, bool create,
                            bool overwrite, bool unicode, Value &result)
{
    int error = RuntimeError::None;
    TextStreamObject *stream = open(path, mode, create, overwrite, unicode, &error);
    if (!stream) {
        return interpreter.raise(error);
    }
    result = Value::object(stream);
    return true;
}

bool TextStreamObject::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                              const Arguments &arguments, Value &result)
{
    if (kind == InvokeKind::Let || kind == InvokeKind::Set || member == defaultMember) {
        return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
    }
    if (m_closed) {
        return interpreter.raise(RuntimeError::BadFileNameOrNumber);
    }
    switch (member) {
    case Column:
        result = Value::longValue(m_column);
        return true;
    case Line:
        result = Value::longValue(m_line);
        return true;
    case Close:
        m_closed = true;
        m_file.close();
        return true;
    case Write:
    case WriteLine:
    case WriteBlankLines:
        return write(interpreter, member, arguments);
    default:
        return read(interpreter, member, arguments, result);
    }
}

bool TextStreamObject::read(Interpreter &interpreter, int member, const Arguments &arguments,
                            Value &result)
{
    if (m_mode != Mode::Reading) {
        return interpreter.raise(RuntimeError::BadFileMode);
    }
    const bool atEnd = m_position >= m_text.size();
    qsizetype terminator = 0;
    switch (member) {
    case AtEndOfStream:
        result = Value::boolean(atEnd);
        return true;
    case AtEndOfLine:
        result = Value::boolean(atEnd || lineLength(&terminator) == 0);
        return true;
    default:
        break;
    }
    if (atEnd) {
        return interpreter.raise(RuntimeError::InputPastEndOfFile);
    }
    int count = 0;
    if (member == Read || member == Skip) {
        if (arguments.count != 1) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        if (!interpreter.toLong(arguments[0], &count)) {
            return false;
        }
    }
    if (count < 0) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    switch (member) {
    case Read:
        result = Value::string(m_text.mid(m_position, count));
        advance(count);
        return true;
    case Skip:
        advance(count);
        return true;
    case ReadAll:
        result = Value::string(m_text.mid(m_position));
        advance(m_text.size() - m_position);
        return true;
    default: { // ReadLine, SkipLine
        const qsizetype length = lineLength(&terminator);
        if (member == ReadLine) {
            result = Value::string(m_text.mid(m_position, length));
        }
        advance(length + terminator);
        return true;
    }
    }
}

bool TextStreamObject::write(Interpreter &interpreter, int member, const Arguments &arguments)
{
    if (m_mode == Mode::Reading) {
        return interpreter.raise(RuntimeError::BadFileMode);
    }
    if (member == WriteBlankLines) {
        int count = 0;
        if (arguments.count != 1) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        if (!interpreter.toLong(arguments[0], &count)) {
            return false;
        }
        return writeText(interpreter, QStringLiteral("\r\n").repeated(std::max(count, 0)));
    }
    if ((member == Write && arguments.count != 1) || arguments.count > 1) {
        return interpreter.raise(RuntimeError::WrongNumberOfArguments);
    }
    QString text;
    if (arguments.count == 1 && !interpreter.toString(arguments[0], &text)) {
        return false;
    }
    if (member == WriteLine) {
        text += QStringLiteral("\r\n");
    }
    return writeText(interpreter, text);
}

bool TextStreamObject::writeText(Interpreter &interpreter, const QString &text)
{
    const QByteArray bytes = encode(text, m_unicode);
    if (m_file.write(bytes) != bytes.size()) {
        return interpreter.raise(RuntimeError::DiskFull);
    }
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            ++m_line;
            m_column = 1;
        } else if (c != QLatin1Char('\r')) {
            ++m_column;
        }
    }
    return true;
}

} // namespace VBScript
