#include "vbscripteditor.h"

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"
#include "editors/scrtextedit.h"
#include "qsa/scripterhighlighter.h"
#include "scriptinglib/vbscriptfunctionlister.h"

namespace Scripter {

namespace {

QString templateText()
{
    return VBScriptEditor::tr(
        "' Is invoked each time a new job arrives in one of the input folders for the flow "
        "element.\n"
        "' The newly arrived job is passed as the second parameter.\n"
        " Function jobArrived(s, job)\n"
        "\n"
        "\n"
        " End Function\n"
        "\n"
        "\n"
        "' Is invoked at regular intervals regardless of whether a new job arrived or not.\n"
        "' The interval can be modified with s.setTimerInterval().\n"
        " Function timerFired(s)\n"
        "\n"
        "\n"
        " End Function\n");
}

QString keywords()
{
    return VBScriptEditor::tr(
        "AddressOf Alias And Any As Binary Boolean ByRef Byte ByVal Call Case CBool CByte CCur "
        "CChar CD Char CDate CDbl CInt CLng Close Const CShort CSng CStr Currency CVar CVErr "
        "Date Debug Decimal Declare DefBool DefByte DefCur DefDate DefDbl DefInt DefLng DefObj "
        "DefSng DefStr DefVar Dim Do Double Each Else ElseIf End Enum Eqv Erase Error Event Exit "
        "False For Friend Function Get Get Global GoSub GoTo If Imp Implements In Input Integer "
        "Is LBound Len Let Lib Like Line Lock Long Loop LSet Mod Name New Next Not Nothing Null "
        "Object On Open Option Base 1 Option Compare Binary Option Compare Database Option "
        "Compare Text Option Explicit Option Private Module Optional Or Output ParamArray "
        "Preserve Print Private Property Public Put RaiseEvent Random Read ReDim Resume Return "
        "RSet Seek Select Set Single Short Spc Static Step Stop String Sub Tab Then To Type True "
        "UBound Unlock Until Variant vbscript Wend While With WithEvents Write Xor ");
}

} // namespace

VBScriptEditor::VBScriptEditor(SRCore::ILogInterface *log, QWidget *parent)
    : ScriptEditor(parent)
    , m_highlighter(
          new ScripterHighlighter(textEdit(), QStringLiteral("VBScriptEditor"), keywords()))
    , m_log(log)
{
    layOutBehind(m_highlighter);
    setText(templateText());
    textEdit()->setCompletionList(entryPointSignatures(), keywords());
    readSettings();
}

void VBScriptEditor::setEmptyScript()
{
    setText(templateText());
}

void VBScriptEditor::readSettings()
{
    m_highlighter->updateStyles();
    applyTabStopWidth();
}

QStringList VBScriptEditor::functions() const
{
    QStringList names;
    if (!VBScriptFunctionLister::functionNames(text(), &names)) {
        if (m_log) {
            m_log->log(SRCore::LogRecord(
                SRCore::LogLevel::Error,
                QStringLiteral(QT_TRANSLATE_NOOP(
                    "LogMessages", "Can't load VBScript; list of functions isn't saved"))));
        }
        return {};
    }
    return names;
}

} // namespace Scripter
