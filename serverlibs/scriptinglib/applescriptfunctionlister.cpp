#include "applescriptfunctionlister.h"

#include <QRegularExpression>

namespace {

// The handler names of the entry points, in the spelling the list of functions uses.
QStringList handlerNames()
{
    return QStringLiteral("jobarrived;timerfired;initializeProcessing;finalizeProcessing;"
                          "cleanupAfterAbort;isPropertyValid;getLibraryForProperty;"
                          "findApplicationPath;getApplicationLicensing;licenseApplication;"
                          "isConnectionPropertyValid;getLibraryForConnectionProperty")
        .split(QLatin1Char(';'));
}

} // namespace

QStringList AppleScriptFunctionLister::functionNames(const QString &code)
{
    QString script = code;
    // Greedy on purpose: from the first "(*" to the last "*)", whatever lies between.
    static const QRegularExpression comment(QStringLiteral("\\(\\*.*\\*\\)"),
                                            QRegularExpression::DotMatchesEverythingOption);
    for (QRegularExpressionMatch match = comment.match(script); match.hasMatch();
         match = comment.match(script)) {
        script.remove(match.capturedStart(), match.capturedLength());
    }

    const QStringList lines = script.split(QLatin1Char('\n'));
    QStringList names;
    for (const QString &name : handlerNames()) {
        const QRegularExpression definition(QStringLiteral("^\\s*on\\s+")
                                                + QRegularExpression::escape(name)
                                                + QStringLiteral("\\s*\\({1}.*\\){1}.*"),
                                            QRegularExpression::CaseInsensitiveOption);
        for (const QString &line : lines) {
            if (definition.match(line).hasMatch()) {
                names.append(name);
            }
        }
    }
    return names;
}
