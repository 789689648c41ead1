#include "applescripteditor.h"

#include "editors/scrtextedit.h"
#include "qsa/scripterhighlighter.h"
#include "scriptinglib/applescriptfunctionlister.h"

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

} // namespace

AppleScriptEditor::AppleScriptEditor(QWidget *parent)
    : ScriptEditor(parent)
    , m_highlighter(
          new ScripterHighlighter(textEdit(), QStringLiteral("AppleScriptEditor"), keywords()))
{
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
    return AppleScriptFunctionLister::functionNames(text());
}

} // namespace Scripter
