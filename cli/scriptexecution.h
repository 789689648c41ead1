#pragma once

#include <QCoreApplication>
#include <QString>

class QTextStream;

namespace Scripter {

// `exec FILE`: runs a script file's top-level code as Windows Script Host runs it, in the engine
// of the file's language with that language's standard library and WScript.Echo. What the
// script echoes goes to `out`, line by line as it comes; the error that ends it is the caller's
// to report.
class ScriptExecution
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::ScriptExecution)

public:
    explicit ScriptExecution(QTextStream &out);

    // The language (XMLValues) of the script file `path` by its suffix; empty for files that
    // exec does not run.
    static QString languageOf(const QString &path);

    // False with the reason ("Line 3, column 5: Microsoft VBScript runtime error 11: ...") when
    // the file can't be read, does not compile or its code fails.
    bool run(const QString &path, QString *errorMessage);

    // The text of a script file: by its byte order mark, else UTF-8 when it is valid UTF-8, else
    // Windows-1252, the code page of scripts written on an en-US Windows.
    static QString decode(const QByteArray &bytes);

private:
    QTextStream &m_out;
};

} // namespace Scripter
