#include "scriptingapi.h"

#include <algorithm>

namespace {

// Descriptions that several objects share.
const char *const logLevels = QT_TRANSLATE_NOOP(
    "ScriptingApi", "Writes a message to the log; level -1 debug, 1 information, 2 warning, 3 "
                    "error");
const char *const propertyValue = QT_TRANSLATE_NOOP(
    "ScriptingApi", "The value of the element's property with this tag, its variables and script "
                    "expression resolved for the job");
const char *const propertyList = QT_TRANSLATE_NOOP(
    "ScriptingApi", "The items of a list value of the property with this tag (patterns, file "
                    "types, string lists, library choices)");
const char *const propertyStatic = QT_TRANSLATE_NOOP(
    "ScriptingApi", "Whether the property's value is fixed, rather than computed for each job "
                    "from variables or a script expression");
const char *const propertyEditor = QT_TRANSLATE_NOOP(
    "ScriptingApi", "The editor chosen for the property's value, such as inline or scriptexp");
const char *const elementName = QT_TRANSLATE_NOOP("ScriptingApi", "The name of the flow element");
const char *const flowName =
    QT_TRANSLATE_NOOP("ScriptingApi", "The name of the flow that holds the element");
const char *const globalDataGet = QT_TRANSLATE_NOOP(
    "ScriptingApi", "The global data of the flow stored under this scope and tag; empty when "
                    "there is none");
const char *const globalDataSet = QT_TRANSLATE_NOOP(
    "ScriptingApi", "Stores global data under this scope and tag; later runs find it");

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
             {"getPropertyValue", "tag : String, job : Job = null", "String", propertyValue},
             {"getPropertyValueList", "tag : String, job : Job = null", "Array", propertyList},
             {"isPropertyValueStatic", "tag : String", "Boolean", propertyStatic},
             {"getPropertyEditor", "tag : String", "String", propertyEditor},
             {"getElementName", "", "String", elementName},
             {"getFlowName", "", "String", flowName},
             {"log", "level : Number, message : String, args : Array = []", "", logLevels},
             {"getOutConnections", "", "Array",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The element's outgoing connections, as Connection objects")},
             {"getInConnections", "", "Array",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The element's incoming connections, as Connection objects")},
             {"getTimerInterval", "", "Number",
              QT_TRANSLATE_NOOP("ScriptingApi", "The number of seconds between two timerFired "
                                                "calls")},
             {"setTimerInterval", "seconds : Number", "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Sets the number of seconds between two timerFired calls")},
             {"getJobs", "", "Array",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The jobs waiting in the element's input folders, as Job objects")},
             {"createNewJob", "name : String", "Job",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "A new job named name that no input brought; write its file at "
                                "its path, then send it")},
             {"getGlobalData", "scope : String, tag : String", "String", globalDataGet},
             {"setGlobalData", "scope : String, tag : String, value : String", "", globalDataSet},
             {"getSpecialFolderPath", "kind : String", "String",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "A folder by kind: ApplicationData, Documents, Desktop, Home, "
                                "Temp, TestFolder or PackageFolder")},
         }},
        {"job",
         "Job",
         QT_TRANSLATE_NOOP("ScriptingApi", "The job that the entry point handles"),
         {
             {"getPath", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The full path of the job's file or folder")},
             {"getName", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The name of the job's file or folder without its "
                                                "unique prefix, extension included")},
             {"getNameProper", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The name of the job without its unique prefix and extension")},
             {"getExtension", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The extension of the job's file without the dot; empty for "
                                "none and for folders")},
             {"getUniqueNamePrefix", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The job's unique prefix, such as _00001_")},
             {"isFile", "", "Boolean",
              QT_TRANSLATE_NOOP("ScriptingApi", "Whether the job is a single file")},
             {"isFolder", "", "Boolean",
              QT_TRANSLATE_NOOP("ScriptingApi", "Whether the job is a folder rather than a file")},
             {"getByteCount", "", "Number",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The size of the job in bytes; of all its files for a folder")},
             {"getFileCount", "", "Number",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The number of files of the job: 1 for a file, all files below "
                                "a folder")},
             {"getPrivateData", "tag : String", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The private data stored with the job under this "
                                                "tag; empty when there is none")},
             {"setPrivateData", "tag : String, value : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Stores private data with the job under this "
                                                "tag; it travels along with the job")},
             {"getPrivateDataTags", "", "Array",
              QT_TRANSLATE_NOOP("ScriptingApi", "The tags of the job's private data, sorted")},
             {"getHierarchyPath", "", "Array",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The segments of the job's hierarchy location, outermost first")},
             {"setHierarchyPath", "segments : Array", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Replaces the job's hierarchy location")},
             {"getEmailAddresses", "", "Array",
              QT_TRANSLATE_NOOP("ScriptingApi", "The e-mail addresses that travel with the job")},
             {"setEmailAddresses", "addresses : Array", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Replaces the e-mail addresses of the job")},
             {"getEmailBody", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The e-mail body text that travels with the job")},
             {"setEmailBody", "body : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Replaces the e-mail body text of the job")},
             {"getJobState", "", "String", QT_TRANSLATE_NOOP("ScriptingApi", "The job state text")},
             {"setJobState", "state : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Sets the job state text")},
             {"getDataset", "name : String", "Dataset",
              QT_TRANSLATE_NOOP("ScriptingApi", "The job's metadata dataset of this name")},
             {"getDatasetTags", "", "Array",
              QT_TRANSLATE_NOOP("ScriptingApi", "The names of the job's metadata datasets")},
             {"setDataset", "name : String, dataset : Dataset", "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Attaches the dataset to the job under this name; it travels "
                                "along with the job")},
             {"createDataset", "model : String, path : String", "Dataset",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "A dataset of the model (XML, JDF, XMP or Opaque) backed by the "
                                "file at the path, to attach with setDataset")},
             {"getVariableAsString", "text : String", "String",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The text with its variables ([Job.Name], ...) replaced by their "
                                "values for the job")},
             {"log", "level : Number, message : String, args : Array = []", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Writes a message about this job to the log; "
                                                "level -1 debug, 1 information, 2 warning, 3 "
                                                "error")},
             {"createPathWithName", "name : String, createFolder : Boolean = false", "String",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "A fresh path with this name in the job's temporary folder, for "
                                "a file or (createFolder) a folder that the script makes")},
             {"sendTo", "connection : Connection, path : String = \"\", newName : String = \"\"",
              "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Sends the file or folder at the path (the job's own by default) "
                                "along this outgoing connection, as a result of this job")},
             {"sendToSingle", "path : String = \"\"", "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Sends the file or folder at the path along the element's only "
                                "outgoing connection")},
             {"sendToData", "level : Number, path : String = \"\"", "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Sends the file or folder at the path along the traffic-light "
                                "connections that carry data of this level: 1 success, 2 "
                                "warning, 3 error")},
             {"sendToLog", "level : Number, path : String = \"\"", "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Sends the log file at the path along the traffic-light "
                                "connections that carry logs of this level")},
             {"sendToNull", "path : String = \"\"", "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Discards the job: it is done without being sent anywhere")},
             {"fail", "message : String, args : Array = []", "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Fails the job: the message is logged as an error and nothing "
                                "more can be sent")},
         }},
        {"e",
         "Environment",
         QT_TRANSLATE_NOOP("ScriptingApi",
                           "The environment of the entry points that handle no job"),
         {
             {"log", "level : Number, message : String, args : Array = []", "", logLevels},
             {"getFlowName", "", "String", flowName},
             {"getElementName", "", "String", elementName},
             {"getApplicationPath", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The path of the application, as findApplicationPath found it")},
             {"getApplicationLicensing", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The licensing of the application, as "
                                                "getApplicationLicensing found it")},
             {"getServerName", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The name of the computer that runs the flow")},
             {"getTempFolder", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "A temporary folder of the run, removed when the run ends")},
             {"getGlobalData", "scope : String, tag : String", "String", globalDataGet},
             {"setGlobalData", "scope : String, tag : String, value : String", "", globalDataSet},
         }},
        {"c",
         "Connection",
         QT_TRANSLATE_NOOP("ScriptingApi", "A connection of the flow element"),
         {
             {"getName", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The name of the connection")},
             {"getPropertyValue", "tag : String, job : Job = null", "String",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The value of the connection's property with this tag, resolved "
                                "for the job")},
             {"getPropertyValueList", "tag : String, job : Job = null", "Array", propertyList},
             {"isPropertyValueStatic", "tag : String", "Boolean", propertyStatic},
             {"getPropertyEditor", "tag : String", "String", propertyEditor},
             {"getConnectionType", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "Move, Filter or TrafficLight")},
             {"getTrafficType", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "What a traffic-light connection carries: Data, "
                                                "Log or Data with log; empty for others")},
             {"getFolderPath", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The folder at the connection's other end: where jobs sent "
                                "along it land")},
         }},
        {"",
         "Dataset",
         QT_TRANSLATE_NOOP("ScriptingApi", "A metadata dataset of a job"),
         {
             {"getModel", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "XML, JDF, XMP or Opaque")},
             {"getPath", "", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The path of the file that holds the dataset")},
             {"evalToString", "xpath : String, prefixes : String = \"\"", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The XPath's result as text; of a node set, its "
                                                "first node")},
             {"evalToNumber", "xpath : String, prefixes : String = \"\"", "Number",
              QT_TRANSLATE_NOOP("ScriptingApi", "The XPath's result as a number")},
             {"evalToBoolean", "xpath : String, prefixes : String = \"\"", "Boolean",
              QT_TRANSLATE_NOOP("ScriptingApi", "The XPath's result as a truth value")},
             {"evalToStrings", "xpath : String, prefixes : String = \"\"", "Array",
              QT_TRANSLATE_NOOP("ScriptingApi", "The texts of the nodes the XPath selects")},
         }},
        {"File",
         "File",
         QT_TRANSLATE_NOOP("ScriptingApi", "Reads, writes, copies, moves and removes files"),
         {
             {"read", "path : String, encoding : String = \"UTF-8\"", "String",
              QT_TRANSLATE_NOOP("ScriptingApi", "The text of the file in the encoding")},
             {"write", "path : String, text : String, encoding : String = \"UTF-8\"", "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Writes the text as the file, replacing it in one step")},
             {"copy", "source : String, destination : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Copies a file or folder to the destination")},
             {"move", "source : String, destination : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Moves a file or folder to a destination that does not exist")},
             {"remove", "path : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Removes a file or a folder with its contents")},
             {"exists", "path : String", "Boolean",
              QT_TRANSLATE_NOOP("ScriptingApi", "Whether a file or folder is at the path")},
             {"size", "path : String", "Number",
              QT_TRANSLATE_NOOP("ScriptingApi", "The size of the file in bytes")},
         }},
        {"Dir",
         "Dir",
         QT_TRANSLATE_NOOP("ScriptingApi", "Lists, creates and removes folders"),
         {
             {"list", "path : String, pattern : String = \"*\"", "Array",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "The names in the folder that match one of the ;-separated "
                                "patterns, sorted")},
             {"create", "path : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Creates the folder and its parents")},
             {"remove", "path : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Removes the folder with its contents")},
             {"exists", "path : String", "Boolean",
              QT_TRANSLATE_NOOP("ScriptingApi", "Whether a folder is at the path")},
         }},
        {"Process",
         "Process",
         QT_TRANSLATE_NOOP("ScriptingApi", "Runs programs"),
         {
             {"run", "program : String, arguments : Array = [], timeoutSeconds : Number = 30",
              "Object",
              QT_TRANSLATE_NOOP("ScriptingApi",
                                "Runs the program and waits for it: exitCode, stdout, stderr "
                                "and timedOut")},
         }},
        {"console",
         "Console",
         QT_TRANSLATE_NOOP("ScriptingApi", "Debug output of the script"),
         {
             {"log", "message : String", "",
              QT_TRANSLATE_NOOP("ScriptingApi", "Writes the message to the log at level -1 "
                                                "(debug)")},
         }},
    };
    return table;
}

const ScriptingApi::Object *ScriptingApi::objectForVariable(QStringView variable)
{
    const QVector<Object> &table = objects();
    const auto it = std::find_if(table.cbegin(), table.cend(), [variable](const Object &object) {
        return *object.variable && variable == QLatin1String(object.variable);
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
