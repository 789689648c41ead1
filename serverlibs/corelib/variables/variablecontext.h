#pragma once

#include <QDateTime>
#include <QString>

namespace SRCore {

class Flow;
class IJT;

// What a text or a condition is evaluated against. Nothing is owned: the ticket and the flow
// must outlive the evaluation, and no other thread may change them while it runs.
struct VariableContext
{
    // The job: its ticket gives the job variables and, through its active file, the file on
    // disk. Without one, job variables fail with "no job".
    const IJT *ticket = nullptr;
    // The flow that processes the job: flow name, element name, incoming connection. Without
    // one, the flow name comes from the ticket and the others fail.
    const Flow *flow = nullptr;
    // The id of the element that evaluates (the script element is "1"); a location of the form
    // "1-/-Script Element" is accepted too.
    QString elementId;
    // The time that Server.Date and Server.Time show. Invalid: the clock is read once when the
    // evaluation starts, so that all variables of one text agree. Tests set it.
    QDateTime now;

    // A copy whose `now` is valid: the clock is read when it is not.
    VariableContext withTime() const
    {
        VariableContext copy = *this;
        if (!copy.now.isValid()) {
            copy.now = QDateTime::currentDateTime();
        }
        return copy;
    }
};

} // namespace SRCore
