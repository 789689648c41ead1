#pragma once

#include <QCoreApplication>
#include <QString>

class QTextStream;

namespace Scripter {

// `exec FILE`: runs a script file's top-level code as Windows Script Host runs it, in the engine
// of its language with that language's standard library, WScript.Echo and the objects that
// every script of a package finds (File, Dir, Process, console). What the script echoes and the
// messages it logs go to `out`, line by line as they come; the error that ends it is the
// caller's to report.
class ScriptExecution
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::ScriptExecution)

public:
    explicit ScriptExecution(QTextStream &out);

    // The language (XMLValues) of the script file `path` by its suffix; empty for files that
    // exec does not run.
    static QString languageOf(const QString &path);
    // Whether exec runs programs of `language` (XMLValues).
    static bool runsLanguage(const QString &language);

    // Runs the file at `path` as a program of `language`. False with the reason ("Line 3,
    // column 5: Microsoft VBScript runtime error 11: ...") when the file can't be read, does
    // not compile or its code fails.
    bool run(const QString &path, const QString &language, QString *errorMessage);

    // The text of a script file: by its byte order mark, else UTF-8 when it is valid UTF-8, else
    // Windows-1252, the code page of scripts written on an en-US Windows.
    static QString decode(const QByteArray &bytes);

private:
    class PrintingLog;

    QTextStream &m_out;
};

} // namespace Scripter
