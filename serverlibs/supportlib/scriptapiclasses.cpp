#include "scriptapiclasses.h"

#include "connection.h"
#include "dataset.h"
#include "environment.h"
#include "job.h"
#include "scriptconsole.h"
#include "scriptdir.h"
#include "scriptfile.h"
#include "scriptprocess.h"
#include "tavrix.h"

#include <QMetaClassInfo>

const QList<const QMetaObject *> &ScriptApiClasses::all()
{
    static const QList<const QMetaObject *> classes = {
        &Tavrix::staticMetaObject,        &Job::staticMetaObject,
        &Connection::staticMetaObject,    &Environment::staticMetaObject,
        &Dataset::staticMetaObject,       &ScriptFile::staticMetaObject,
        &ScriptDir::staticMetaObject,     &ScriptProcess::staticMetaObject,
        &ScriptConsole::staticMetaObject,
    };
    return classes;
}

QString ScriptApiClasses::scriptClass(const QMetaObject *metaObject)
{
    const int index = metaObject->indexOfClassInfo("ScriptClass");
    return index < 0 ? QString() : QString::fromLatin1(metaObject->classInfo(index).value());
}
