#pragma once

#include <QHash>
#include <QString>

namespace VBScript {

struct Builtin;

// The arithmetic functions: Abs, Int, Fix, Round (half to even), Sgn, Sqr, Log, Exp, the
// trigonometric ones, Rnd, Randomize and RGB.
class MathFunctions
{
public:
    MathFunctions() = delete;

    static void addTo(QHash<QString, const Builtin *> *table);
};

} // namespace VBScript
