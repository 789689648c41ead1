#include "scriptingapi.h"

#include <algorithm>

namespace {

const char *const logLevels = QT_TRANSLATE_NOOP(
    "ScriptingApi", "Writes a message to the log; level -1 debug, 1 information, 2 warning, 3 "
                    "error");

} // namespace

QString ScriptingApi::Method::signature() const
{
    QString result =
        QLatin1String(name) + QLatin1Char('(') + QLatin1String(parameters) + QLatin1Char(')');
    if (*returnType) {
        result += QLatin1String(" : ") + QLatin1String(returnType);
    }
    return result;
}

QString ScriptingApi::Method::translatedDescription() const
{
    return tr(description);
}

const ScriptingApi::Method *ScriptingApi::Object::method(QStringView name) const
{
    const auto it = std::find_if(methods.cbegin(), methods.cend(), [name](const Method &method) {
        return name == QLatin1String(method.name);
    });
    return it == methods.cend() ? nullptr : &*it;
}

QString ScriptingApi::Object::translatedDescription() const
{
    return tr(description);
}

const QVector<ScriptingApi::Object> &ScriptingApi::objects()
{
    static const QVector<Object> table = {
        {"s",
         "Tavrix",
         QT_TRANSLATE_NOOP("ScriptingApi", "The flow element that runs the script"),
         {
             {"getPropertyValue", "tag : String, job : Job", "String",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The value of the element's property with this tag, its "
                                "variables resolved for the job")},
             {"isPropertyValueStatic", "tag : String", "Boolean",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Whether the property's value is fixed, rather than computed "
                                "for each job from variables or a script expression")},
             {"getTimerInterval", "", "Number",
              QT_TRANSLATE_NOOP("ScriptingApi", "The number of seconds between two timerFired "
                                                "calls")},
             {"setTimerInterval", "seconds : Number", "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Sets the number of seconds between two timerFired calls")},
             {"getOutConnections", "", "Array",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The element's outgoing connections, as Connection objects")},
             {"getFlowName", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The name of the flow that holds the element")},
             {"getElementName", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The name of the flow element")},
             {"log", "level : Number, message : String", "", logLevels},
         }},
        {"job",
         "Job",
         QT_TRANSLATE_NOOP("ScriptingApi", "The job that the entry point handles"),
         {
             {"getName", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The name of the job's file or folder, extension included")},
             {"getPath", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The full path of the job's file or folder")},
             {"isFolder", "", "Boolean",
              QT_TRANSLATE_NOOP("ScriptingApi", "Whether the job is a folder rather than a file")},
             {"getPrivateData", "tag : String", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The private data stored with the job under this "
                                                "tag; empty when there is none")},
             {"setPrivateData", "tag : String, value : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Stores private data with the job under this "
                                                "tag; it travels along with the job")},
             {"getHierarchyPath", "", "Array",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The segments of the job's hierarchy location, outermost first")},
             {"setHierarchyPath", "segments : Array", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Replaces the job's hierarchy location")},
             {"sendToSingle", "path : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Sends the file or folder at the path along the element's only "
                                "outgoing connection, as the result of this job")},
             {"sendTo", "connection : Connection, path : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Sends the file or folder at the path along this outgoing "
                                "connection, as a result of this job")},
             {"fail", "message : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Fails the job: it is moved to the problem jobs "
                                                "and the message is logged as an error")},
             {"log", "level : Number, message : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Writes a message about this job to the log; "
                                                "level -1 debug, 1 information, 2 warning, 3 "
                                                "error")},
         }},
        {"e",
         "Environment",
         QT_TRANSLATE_NOOP("ScriptingApi",
                           "The environment of the entry points that handle no job"),
         {
             {"getFlowName", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The name of the flow that holds the element")},
             {"getElementName", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The name of the flow element")},
             {"log", "level : Number, message : String", "", logLevels},
         }},
        {"c",
         "Connection",
         QT_TRANSLATE_NOOP("ScriptingApi", "An outgoing connection of the flow element"),
         {
             {"getName", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The name of the connection")},
             {"getPropertyValue", "tag : String, job : Job", "String",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The value of the connection's property with this tag, its "
                                "variables resolved for the job")},
             {"isPropertyValueStatic", "tag : String", "Boolean",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Whether the connection property's value is fixed, rather than "
                                "computed for each job")},
         }},
    };
    return table;
}

const ScriptingApi::Object *ScriptingApi::objectForVariable(QStringView variable)
{
    const QVector<Object> &table = objects();
    const auto it = std::find_if(table.cbegin(), table.cend(), [variable](const Object &object) {
        return variable == QLatin1String(object.variable);
    });
    return it == table.cend() ? nullptr : &*it;
}

const ScriptingApi::Object *ScriptingApi::objectForClass(QStringView className)
{
    const QVector<Object> &table = objects();
    const auto it = std::find_if(table.cbegin(), table.cend(), [className](const Object &object) {
        return className == QLatin1String(object.className);
    });
    return it == table.cend() ? nullptr : &*it;
}
