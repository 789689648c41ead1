#include "entrypoints.h"

namespace Scripter {

namespace {

// The verb of the texts: the script expression reads differently from the functions.
bool isExpression(int number)
{
    return number == EntryPoints::ScriptExpression;
}

} // namespace

QString EntryPoints::functionName(int number)
{
    static const char *const names[Count] = {
        "jobArrived",
        "timerFired",
        "",
        "initializeProcessing",
        "finalizeProcessing",
        "cleanupAfterAbort",
        "isPropertyValid",
        "getLibraryForProperty",
        "findApplicationPath",
        "getApplicationLicensing",
        "licenseApplication",
        "isConnectionPropertyValid",
        "getLibraryForConnectionProperty",
    };
    return isKnown(number) ? QString::fromLatin1(names[number]) : QString();
}

bool EntryPoints::needsJob(int number)
{
    return number == JobArrived || number == ScriptExpression;
}

bool EntryPoints::usesConnection(int number)
{
    return number == IsConnectionPropertyValid || number == GetLibraryForConnectionProperty;
}

bool EntryPoints::asksForProperty(int number, bool *connection)
{
    if (connection) {
        *connection = usesConnection(number);
    }
    return number == IsPropertyValid || number == GetLibraryForProperty || usesConnection(number);
}

QString EntryPoints::startText(int number)
{
    if (isExpression(number)) {
        return QStringLiteral("Start evaluate the script body as a script expression");
    }
    return QStringLiteral("Start %1 entry point with the test fixture").arg(functionName(number));
}

QString EntryPoints::endText(int number)
{
    if (isExpression(number)) {
        return QStringLiteral("End evaluate the script body as a script expression");
    }
    return QStringLiteral("End %1 entry point with the test fixture").arg(functionName(number));
}

QString EntryPoints::statusText(int number)
{
    if (isExpression(number)) {
        return tr("Evaluating the script body as a script expression");
    }
    return tr("Executing the %1 entry point").arg(functionName(number));
}

} // namespace Scripter
