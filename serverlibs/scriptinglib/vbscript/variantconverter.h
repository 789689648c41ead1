#pragma once

#include "value.h"

#include <QMetaType>
#include <QVariant>

namespace VBScript {

class Interpreter;

// Values between VBScript and Qt: what host methods take and give, and what a call of a
// script's procedure gets and returns.
class VariantConverter
{
public:
    VariantConverter() = delete;

    // bool, whole numbers (Integer when they fit, else Long, else Double), floating point,
    // texts, dates, lists (as arrays), maps (as Dictionary objects), QObject pointers (as host
    // objects; null as Nothing); nullptr as Null, an invalid variant as Empty.
    static Value fromVariant(Interpreter &interpreter, const QVariant &variant);
    // Empty as an invalid variant, Null as nullptr, arrays as QVariantList (nested for more
    // dimensions), host objects as their QObject pointer; objects of the script, which cannot
    // leave it, as an invalid variant.
    static QVariant toVariant(const Value &value);
    // `value` as a host method's parameter of `type`; false with the error raised.
    static bool toParameter(Interpreter &interpreter, const Value &value, QMetaType type,
                            QVariant *result);
};

} // namespace VBScript
