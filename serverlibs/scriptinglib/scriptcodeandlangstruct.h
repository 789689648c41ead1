#pragma once

#include <QString>

// A script to run: its program text and its language (XMLValues::JAVASCRIPT, VBSCRIPT or
// APPLESCRIPT).
struct ScriptCodeAndLangStruct
{
    QString code;
    QString language;
};
