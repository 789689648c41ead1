#pragma once

#include "libraryobject.h"

#include <QFile>

namespace VBScript {

// A TextStream of the FileSystemObject: a text file open for reading (read whole at opening),
// writing or appending, in the ANSI code page or in UTF-16 ("Unicode", with its byte order
// mark). Lines are written with CR LF, as the server writes them; reading takes CR LF, LF or
// CR as a line end.
class TextStreamObject final : public LibraryObject
{
public:
    enum class Mode { Reading = 1, Writing = 2, Appending = 8 };

    // Opens `path`. `create`: a missing file is created (else "File not found"); `overwrite`
    // (with create): an existing file is emptied rather than refused. Null with the error
    // number when it can't be opened.
    static TextStreamObject *open(const QString &path, Mode mode, bool create, bool overwrite,
                                  bool unicode, int *error);
    // The same for a script: the stream in `result`, or false with the error raised.
    static bool open(Interpreter &interpreter, const QString &path, Mode mode, bool create,
                     bool overwrite, bool unicode, Value &result);

    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;

private:
    TextStreamObject(Mode mode, bool unicode);
    ~TextStreamObject() override;

    bool read(Interpreter &interpreter, int member, const Arguments &arguments, Value &result);
    bool write(Interpreter &interpreter, int member, const Arguments &arguments);
    bool writeText(Interpreter &interpreter, const QString &text);
    // Moves past `count` characters, keeping Line and Column.
    void advance(qsizetype count);
    // The end of the line at the position: its length and the length of its line end.
    qsizetype lineLength(qsizetype *terminator) const;

    QFile m_file;
    Mode m_mode;
    bool m_unicode;
    bool m_closed = false;
    QString m_text; // what a reading stream holds
    qsizetype m_position = 0;
    int m_line = 1;
    int m_column = 1;
};

} // namespace VBScript
