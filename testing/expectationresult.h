#pragma once

#include <QList>
#include <QString>

namespace Scripter {

// How one expected result of a fixture fared in the run that just ended.
struct ExpectationResult
{
    QString expectation; // what was expected, as the author reads it
    bool passed = false;
    QString detail; // what the run gave instead; empty when it passed
};

using ExpectationResults = QList<ExpectationResult>;

} // namespace Scripter
