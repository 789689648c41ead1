#pragma once

#include <QHash>
#include <QString>

namespace VBScript {

struct Builtin;

// FormatNumber, FormatCurrency, FormatPercent and FormatDateTime, in the en-US locale.
class FormatFunctions
{
public:
    FormatFunctions() = delete;

    static void addTo(QHash<QString, const Builtin *> *table);
};

} // namespace VBScript
