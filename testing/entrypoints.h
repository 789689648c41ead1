#pragma once

#include <QCoreApplication>
#include <QString>

namespace Scripter {

// The entry points that a test run invokes, by the number that the entry point table gives
// them (its "ScriptTest" attribute), with what the runner says about each.
class EntryPoints
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::EntryPoints)

public:
    enum Number {
        JobArrived = 0,
        TimerFired = 1,
        ScriptExpression = 2, // the script body evaluated as an expression
        InitializeProcessing = 3,
        FinalizeProcessing = 4,
        CleanupAfterAbort = 5,
        IsPropertyValid = 6,
        GetLibraryForProperty = 7,
        FindApplicationPath = 8,
        GetApplicationLicensing = 9,
        LicenseApplication = 10,
        IsConnectionPropertyValid = 11,
        GetLibraryForConnectionProperty = 12,
        Count = 13 // also "no entry point"
    };

    EntryPoints() = delete;

    static bool isKnown(int number) { return number >= 0 && number < Count; }
    // The script function that is run; empty for the script expression.
    static QString functionName(int number);
    // Whether the run needs the fixture's current job.
    static bool needsJob(int number);
    // Whether the run works on the fixture's current outgoing connection.
    static bool usesConnection(int number);
    // Whether the run asks for a property tag first; `connection` tells whether of a connection.
    static bool asksForProperty(int number, bool *connection = nullptr);

    // Untranslated, as the message database keeps them: "Start jobArrived entry point with the
    // test fixture", "End ...".
    static QString startText(int number);
    static QString endText(int number);
    // What the editors' status bars show while it runs (translated).
    static QString statusText(int number);
};

} // namespace Scripter
