#pragma once

#include "statement.h"

namespace VBScript {

// The syntax tree of a whole script: its top-level statements in source order. Procedures and
// classes stand where they were written; the script engine knows them before the first
// statement runs, wherever they stand.
struct Script
{
    StatementList statements;
};

} // namespace VBScript
