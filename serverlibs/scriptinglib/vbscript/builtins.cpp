#include "builtins.h"

#include "arrayfunctions.h"
#include "conversionfunctions.h"
#include "datefunctions.h"
#include "formatfunctions.h"
#include "mathfunctions.h"
#include "scriptfunctions.h"
#include "stringfunctions.h"
#include "typefunctions.h"

#include <QHash>

namespace VBScript {

namespace {

struct NumberConstant
{
    const char *name;
    int value;
};

// The library's numeric constants; those beyond an Integer are Longs.
constexpr NumberConstant numberConstants[] = {
    {"vbTrue", -1},
    {"vbFalse", 0},
    {"vbUseDefault", -2},
    {"vbBinaryCompare", 0},
    {"vbTextCompare", 1},
    {"vbDatabaseCompare", 2},
    {"vbUseSystemDayOfWeek", 0},
    {"vbSunday", 1},
    {"vbMonday", 2},
    {"vbTuesday", 3},
    {"vbWednesday", 4},
    {"vbThursday", 5},
    {"vbFriday", 6},
    {"vbSaturday", 7},
    {"vbUseSystem", 0},
    {"vbFirstJan1", 1},
    {"vbFirstFourDays", 2},
    {"vbFirstFullWeek", 3},
    {"vbGeneralDate", 0},
    {"vbLongDate", 1},
    {"vbShortDate", 2},
    {"vbLongTime", 3},
    {"vbShortTime", 4},
    {"vbEmpty", 0},
    {"vbNull", 1},
    {"vbInteger", 2},
    {"vbLong", 3},
    {"vbSingle", 4},
    {"vbDouble", 5},
    {"vbCurrency", 6},
    {"vbDate", 7},
    {"vbString", 8},
    {"vbObject", 9},
    {"vbError", 10},
    {"vbBoolean", 11},
    {"vbVariant", 12},
    {"vbDataObject", 13},
    {"vbDecimal", 14},
    {"vbByte", 17},
    {"vbArray", 8192},
    {"vbOKOnly", 0},
    {"vbOKCancel", 1},
    {"vbAbortRetryIgnore", 2},
    {"vbYesNoCancel", 3},
    {"vbYesNo", 4},
    {"vbRetryCancel", 5},
    {"vbCritical", 16},
    {"vbQuestion", 32},
    {"vbExclamation", 48},
    {"vbInformation", 64},
    {"vbDefaultButton1", 0},
    {"vbDefaultButton2", 256},
    {"vbDefaultButton3", 512},
    {"vbDefaultButton4", 768},
    {"vbApplicationModal", 0},
    {"vbSystemModal", 4096},
    {"vbMsgBoxHelpButton", 16384},
    {"vbMsgBoxSetForeground", 65536},
    {"vbMsgBoxRight", 524288},
    {"vbMsgBoxRtlReading", 1048576},
    {"vbOK", 1},
    {"vbCancel", 2},
    {"vbAbort", 3},
    {"vbRetry", 4},
    {"vbIgnore", 5},
    {"vbYes", 6},
    {"vbNo", 7},
    {"vbBlack", 0},
    {"vbRed", 255},
    {"vbGreen", 65280},
    {"vbYellow", 65535},
    {"vbBlue", 16711680},
    {"vbMagenta", 16711935},
    {"vbCyan", 16776960},
    {"vbWhite", 16777215},
    {"vbObjectError", -2147221504},
};

QHash<QString, Value> makeConstants()
{
    QHash<QString, Value> constants;
    for (const NumberConstant &constant : numberConstants) {
        const bool small = constant.value >= -32768 && constant.value <= 32767;
        constants.insert(QString::fromLatin1(constant.name).toLower(),
                         small ? Value::integer(short(constant.value))
                               : Value::longValue(constant.value));
    }
    const QString crLf = QStringLiteral("\r\n");
    const std::pair<const char *, QString> texts[] = {
        {"vbCr", QStringLiteral("\r")},
        {"vbLf", QStringLiteral("\n")},
        {"vbCrLf", crLf},
        {"vbNewLine", crLf},
        {"vbTab", QStringLiteral("\t")},
        {"vbNullChar", QString(QChar(0))},
        {"vbNullString", QString()},
        {"vbBack", QString(QChar(8))},
        {"vbFormFeed", QStringLiteral("\f")},
        {"vbVerticalTab", QStringLiteral("\v")},
    };
    for (const auto &[name, text] : texts) {
        constants.insert(QString::fromLatin1(name).toLower(), Value::string(text));
    }
    return constants;
}

} // namespace

const Builtin *Builtins::function(const QString &lowerName)
{
    static const QHash<QString, const Builtin *> functions = [] {
        QHash<QString, const Builtin *> table;
        StringFunctions::addTo(&table);
        ConversionFunctions::addTo(&table);
        MathFunctions::addTo(&table);
        TypeFunctions::addTo(&table);
        DateFunctions::addTo(&table);
        FormatFunctions::addTo(&table);
        ArrayFunctions::addTo(&table);
        ScriptFunctions::addTo(&table);
        return table;
    }();
    return functions.value(lowerName, nullptr);
}

bool Builtins::constant(const QString &lowerName, Value *value)
{
    static const QHash<QString, Value> constants = makeConstants();
    const auto found = constants.constFind(lowerName);
    if (found == constants.constEnd()) {
        return false;
    }
    *value = *found;
    return true;
}

} // namespace VBScript
