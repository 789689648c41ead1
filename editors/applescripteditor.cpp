#include "applescripteditor.h"

#include "editors/scrtextedit.h"
#include "qsa/scripterhighlighter.h"

#include <QRegularExpression>

namespace Scripter {

namespace {

QString templateText()
{
    return AppleScriptEditor::tr(
        "-- Is invoked each time a new job arrives in one of the input folders for the flow "
        "element.\n"
        "-- The newly arrived job is passed as the second parameter.\n"
        "on jobarrived( s, j )\n"
        "\ttell application \"PowerTAVRIX_Service\"\n"
        "\tend tell\n"
        "end jobarrived\n"
        "\n"
        "-- Is invoked at regular intervals regardless of whether a new job arrived or not.\n"
        "-- The interval can be modified by changing timer interval property of s\n"
        "on timerfired(s)\n"
        "\ttell application \"PowerTAVRIX_Service\"\n"
        "\tend tell\n"
        "end timerfired\n");
}

QString keywords()
{
    return AppleScriptEditor::tr(
        "after applescript and as back before beginning behind but by considering contain "
        "contains continue copy div does eighth else end equal equals error every exit false "
        "fifth first fourth from front get given global if ignoring in into is it its last "
        "local me middle mod my ninth not of on or prop property put ref reference repeat return "
        "returning script second set seventh sixth some tell tenth that the then third through "
        "thru timeout times to transaction true try until where while whose with without ");
}

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

AppleScriptEditor::AppleScriptEditor(QWidget *parent)
    : ScriptEditor(parent)
    , m_highlighter(
          new ScripterHighlighter(textEdit(), QStringLiteral("AppleScriptEditor"), keywords()))
{
    layOutBehind(m_highlighter);
    setText(templateText());
    textEdit()->setCompletionList(entryPointSignatures(), keywords());
    readSettings();
}

void AppleScriptEditor::setEmptyScript()
{
    setText(templateText());
}

void AppleScriptEditor::readSettings()
{
    m_highlighter->updateStyles();
    applyTabStopWidth();
}

QStringList AppleScriptEditor::functions() const
{
    QString script = text();
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

} // namespace Scripter
