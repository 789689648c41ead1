#pragma once

#include "libraryobject.h"

namespace VBScript {

// The Err object: the last run-time error that On Error Resume Next let pass, or that Err.Raise
// set. Number is its default member.
class ErrObject final : public LibraryObject
{
public:
    ErrObject();

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    const QString &source() const { return m_source; }
    void set(int number, const QString &source, const QString &description);
    void clear();

    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;

private:
    int m_number = 0;
    QString m_description;
    QString m_source;
    QString m_helpFile;
    int m_helpContext = 0;
};

} // namespace VBScript
