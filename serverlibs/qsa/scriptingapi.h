#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVector>

// The objects that a script sees at run time and their methods: `s` (Tavrix, the flow element),
// `job` (Job), `e` (Environment), `c` (Connection), datasets and the helpers File, Dir, Process
// and console. The editor's completion and call tips read this table, docs/scripting-api.md
// lists it, and the run-time objects (serverlibs/supportlib) have exactly these methods as their
// Q_INVOKABLE methods; tests keep the three equal. Optional parameters carry their default
// ("path : String = """). Texts are kept untranslated and translated when shown.
class ScriptingApi
{
    Q_DECLARE_TR_FUNCTIONS(ScriptingApi)

public:
    struct Method
    {
        const char *name;
        const char *parameters; // as declared, with QSA types: "tag : String, job : Job"
        const char *returnType; // empty when nothing is returned
        const char *description;

        // "getPropertyValue(tag : String, job : Job) : String"
        QString signature() const;
        QString translatedDescription() const;
    };

    struct Object
    {
        const char *variable;  // the name a script uses: "s"; empty for objects only returned
        const char *className; // "Tavrix"
        const char *description;
        QVector<Method> methods;

        QString translatedDescription() const;
    };

    ScriptingApi() = delete;

    // In the order s, job, e, c, Dataset, File, Dir, Process, console.
    static const QVector<Object> &objects();
    // Null when there is none.
    static const Object *objectForVariable(QStringView variable);
    static const Object *objectForClass(QStringView className);
};
