#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVector>

// The objects that a script sees at run time and their methods: `s` (Tavrix, the flow element),
// `job` (Job), `e` (Environment) and `c` (Connection). The editor's completion and call tips
// read this table, and the run-time objects implement exactly these methods, so that the two
// cannot drift apart. Texts are kept untranslated and translated when shown.
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
        const char *variable;  // the name a script uses: "s"
        const char *className; // "Tavrix"
        const char *description;
        QVector<Method> methods;

        const Method *method(QStringView name) const;
        QString translatedDescription() const;
    };

    ScriptingApi() = delete;

    // In the order s, job, e, c.
    static const QVector<Object> &objects();
    // Null when there is none.
    static const Object *objectForVariable(QStringView variable);
    static const Object *objectForClass(QStringView className);
};
