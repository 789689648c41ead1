#pragma once

#include "iscriptengine.h"

#include <QCoreApplication>

#include <memory>

// Makes the engine of a script language.
class ScriptEngines
{
    Q_DECLARE_TR_FUNCTIONS(ScriptEngines)

public:
    ScriptEngines() = delete;

    // Whether scripts of `language` can run here; the reason when not. The one place that
    // decides, so that callers can refuse a run before they prepare it.
    static bool isSupported(const QString &language, QString *errorMessage);
    // A fresh engine for `language`; null, with the reason, for a language that can't run here.
    static std::unique_ptr<IScriptEngine> create(const QString &language, QString *errorMessage);
};
