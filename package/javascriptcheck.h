#pragma once

#include <QFuture>
#include <QString>

namespace Scripter {

// Checks the syntax of a JavaScript program on a worker thread, so that the caller can go on
// meanwhile: compiling a large program takes a noticeable time. Nothing of the program runs.
// Created and asked on one thread; destroying it waits for the worker.
class JavaScriptCheck
{
public:
    struct Result
    {
        bool passed = true;
        QString message;
        int line = 0;
        int column = 0;
    };

    // Starts checking `program`.
    explicit JavaScriptCheck(const QString &program);
    ~JavaScriptCheck();
    JavaScriptCheck(const JavaScriptCheck &) = delete;
    JavaScriptCheck &operator=(const JavaScriptCheck &) = delete;

    // Waits for the check to end.
    Result result();

private:
    QFuture<Result> m_result;
};

} // namespace Scripter
