#pragma once

#include <QString>

// Values of the XML vocabulary: editor keywords, value types, fixed property values, object
// classes and languages. docs/xml-vocabulary.md lists them.
namespace SRCore::XMLValues {

// Truth values
inline const QString YES = QStringLiteral("Yes");
inline const QString NO = QStringLiteral("No");
inline const QString VAL_TRUE = QStringLiteral("true");
inline const QString VAL_FALSE = QStringLiteral("false");

// Value types (the Type attribute of a field)
inline const QString EDITORTYPE_STRING = QStringLiteral("string");
inline const QString EDITORTYPE_BOOL = QStringLiteral("bool");
inline const QString EDITORTYPE_PATH = QStringLiteral("path");
inline const QString PATH = EDITORTYPE_PATH; // the path type under its other name
inline const QString EDITORTYPE_PASSWORD = QStringLiteral("password");
inline const QString EDITORTYPE_NUMBER = QStringLiteral("number");
inline const QString EDITORTYPE_ENUM = QStringLiteral("enum"); // a prefix: "enum:a;b;c"
inline const QString EDITORTYPE_TIME = QStringLiteral("time");
inline const QString EDITORTYPE_FILEFILTER = QStringLiteral("filefilter");
inline const QString EDITORTYPE_FOLDERFILTER = QStringLiteral("folderfilter");
inline const QString EDITORTYPE_STRINGLIST = QStringLiteral("stringlist");
inline const QString EDITORTYPE_FIELDSDEF = QStringLiteral("fieldsdef");

// Editor keywords (the Editor attribute of a field, ";"-separated)
inline const QString HIDE = QStringLiteral("hide");
inline const QString EDITOR_HIDDEN = QStringLiteral("hidden");
inline const QString EDITOR_POPUP = QStringLiteral("popup");
inline const QString EDITOR_INLINE = QStringLiteral("inline");
inline const QString EDITOR_DESCRIPTION = QStringLiteral("description");
inline const QString EDITOR_NO = QStringLiteral("no");
inline const QString EDITOR_NOBOOL = QStringLiteral("nobool");
inline const QString EDITOR_NONE = QStringLiteral("none");
inline const QString EDITOR_DEFAULT = QStringLiteral("default");
inline const QString EDITOR_AUTOMATIC = QStringLiteral("automatic");
inline const QString EDITOR_DATAMODEL = QStringLiteral("datamodel");
inline const QString EDITOR_SYSTEMDATA = QStringLiteral("systemdata");
inline const QString EDITOR_USERDATA = QStringLiteral("userdata");
inline const QString EDITOR_JOBNAME = QStringLiteral("jobname");
inline const QString EDITOR_AUTOMANAGED = QStringLiteral("automanaged");
inline const QString EDITOR_ALL = QStringLiteral("all");
inline const QString EDITOR_ALLOTHER = QStringLiteral("allother");
inline const QString EDITOR_NOFILES = QStringLiteral("nofiles");
inline const QString EDITOR_NOFOLDERS = QStringLiteral("nofolders");
inline const QString EDITOR_ALLFILES = QStringLiteral("allfiles");
inline const QString EDITOR_ALLFOLDERS = QStringLiteral("allfolders");
inline const QString EDITOR_ALLOTHERFILES = QStringLiteral("allotherfiles");
inline const QString EDITOR_ALLOTHERFOLDERS = QStringLiteral("allotherfolders");
inline const QString EDITOR_STRINGLIST = QStringLiteral("stringlist");
inline const QString EDITOR_PASSWDEF = QStringLiteral("passwdef");
inline const QString EDITOR_FILETYPE = QStringLiteral("filetype");
inline const QString EDITOR_TYPES = QStringLiteral("types");
inline const QString EDITOR_PATTERNS = QStringLiteral("patterns");
inline const QString EDITOR_FILEPATTERNS = QStringLiteral("filepatterns");
inline const QString EDITOR_FOLDERPATTERNS = QStringLiteral("folderpatterns");
inline const QString EDITOR_REGEXP = QStringLiteral("regexp");
inline const QString EDITOR_ASKPLUGIN = QStringLiteral("askplugin");
inline const QString EDITOR_ASKPLUGIN2 = QStringLiteral("askplugin2");
inline const QString EDITOR_CHOOSEFILE = QStringLiteral("choosefile");
inline const QString EDITOR_EXTERNAL = QStringLiteral("external");
inline const QString EDITOR_CHOOSEFOLDER = QStringLiteral("choosefolder");
inline const QString EDITOR_CHOOSEDIR = QStringLiteral("choosedir");
inline const QString EDITOR_EINFOEDIT = QStringLiteral("einfoedit");
inline const QString EDITOR_MAPEINFOEDIT = QStringLiteral("mapeinfoedit");
inline const QString EDITOR_ACCOUNTSDEF = QStringLiteral("accountsdef");
inline const QString EDITOR_METADADTAFIELDSEDIT = QStringLiteral("metadatafieldsedit");
inline const QString EDITOR_METADADTAFIELDSREAD = QStringLiteral("metadatafieldsread");
inline const QString EDITOR_METADATAFIELDS = QStringLiteral("scriptermetadatafieldsedit");
inline const QString EDITOR_USERDATAFIELDS = QStringLiteral("userdatafieldsedit");
inline const QString EDITOR_GLOBALDATAFIELDS = QStringLiteral("globaldatafieldsedit");
inline const QString EDITOR_PRINTSETTINGS = QStringLiteral("printsettings");
inline const QString EDITOR_REMOUNTVOLUMES = QStringLiteral("remountvolumes");
inline const QString EDITOR_SLTEXTWITHVAR = QStringLiteral("sltextwithvar");
inline const QString EDITOR_MLTEXTWITHVAR = QStringLiteral("mltextwithvar");
inline const QString EDITOR_CONDITIONWITHVAR = QStringLiteral("conditionwithvar");
inline const QString EDITOR_SCRIPTEXP = QStringLiteral("scriptexp");

// Fixed property values set by the literal editor kinds
inline const QString NONE = QStringLiteral("None");
inline const QString UP_DEFAULT = QStringLiteral("Default");
inline const QString AUTOMATIC = QStringLiteral("Automatic");
inline const QString AUTOMANAGED = QStringLiteral("[Auto-managed]");
inline const QString MDDATAMODEL = QStringLiteral("[Data model]");
inline const QString MDJOBNAME = QStringLiteral("[Job name]");
inline const QString UP_SYSTEMDATA = QStringLiteral("[System data]");
inline const QString UP_USERDATA = QStringLiteral("[User data]");
inline const QString NOFILES = QStringLiteral("No Files");
inline const QString ALLFILES = QStringLiteral("All Files");
inline const QString ALLOTHERFILES = QStringLiteral("All Other Files");
inline const QString NOFOLDERS = QStringLiteral("No Folders");
inline const QString ALLFOLDERS = QStringLiteral("All Folders");
inline const QString ALLOTHERFOLDERS = QStringLiteral("All Other Folders");

// Dependency conditions of a dependent property
inline const QString CONDITION_EQUALS = QStringLiteral("equals");
inline const QString CONDITION_NOTEQUALS = QStringLiteral("notequals");

// Script languages
inline const QString JAVASCRIPT = QStringLiteral("JavaScript");
inline const QString VBSCRIPT = QStringLiteral("VBScript");
inline const QString APPLESCRIPT = QStringLiteral("AppleScript");

// Flow object classes and connection types
inline const QString FLOW = QStringLiteral("Flow");
inline const QString FOLDER = QStringLiteral("Folder");
inline const QString SCRIPTELEMENT = QStringLiteral("ScriptElement");
inline const QString CONNECTION_MOVE = QStringLiteral("Move");
inline const QString CONNECTION_FILTER = QStringLiteral("Filter");
inline const QString CONNECTION_TRAFFICLIGHT = QStringLiteral("TrafficLight");
inline const QString CONNECTION_NOOP = QStringLiteral("NoOp");

// Outgoing connections of a script element
inline const QString OUTGOING_NO = QStringLiteral("No");
inline const QString OUTGOING_ONE = QStringLiteral("One");
inline const QString OUTGOING_UNLIMITED = QStringLiteral("Unlimited");

// Element pane categories of PositionInElementPane ("category:rest"; others become Custom)
inline const QString ELEMENTPANE_BASICS = QStringLiteral("Basics");
inline const QString ELEMENTPANE_TOOLS = QStringLiteral("Tools");
inline const QString ELEMENTPANE_COMMUNICATION = QStringLiteral("Communication");
inline const QString ELEMENTPANE_PROCESSING = QStringLiteral("Processing");
inline const QString ELEMENTPANE_METADATA = QStringLiteral("Metadata");
inline const QString ELEMENTPANE_CUSTOM = QStringLiteral("Custom");

// Traffic-light connection kinds (AvailableFor attribute, TrafficType values)
inline const QString DATA = QStringLiteral("Data");
inline const QString LOG = QStringLiteral("Log");
inline const QString DATAWITHLOG = QStringLiteral("Data with log");

// Job priorities
inline const QString LOW = QStringLiteral("Low");
inline const QString NORMAL = QStringLiteral("Normal");
inline const QString HIGH = QStringLiteral("High");

// Metadata dataset models of a job ticket
inline const QString MODEL_XML = QStringLiteral("XML");
inline const QString MODEL_JDF = QStringLiteral("JDF");
inline const QString MODEL_XMP = QStringLiteral("XMP");
inline const QString MODEL_OPAQUE = QStringLiteral("Opaque");

// Data types of the server's variables
inline const QString VARTYPE_TEXT = QStringLiteral("Text");
inline const QString VARTYPE_BOOLEAN = QStringLiteral("Boolean");
inline const QString VARTYPE_INTEGER = QStringLiteral("Integer");
inline const QString VARTYPE_RATIONAL = QStringLiteral("Rational");
inline const QString VARTYPE_DATE = QStringLiteral("Date");

// Joins and precedences of conditions with variables
inline const QString COND_AND = QStringLiteral("And");
inline const QString COND_OR = QStringLiteral("Or");
inline const QString COND_ORTHENAND = QStringLiteral("OrThenAnd");
inline const QString COND_ANDTHENOR = QStringLiteral("AndThenOr");

// Text encodings
// of a text in the program's own XML formats (the XMLKey::ENCODING attribute, or
// XMLKey::VALUEENCODING on a flow object's field)
inline const QString ENCODING_BASE64UTF16 = QStringLiteral("Base64UTF16");

// User preference tags that get dedicated validators
inline const QString UP_UI_LANGUAGE = QStringLiteral("UILanguage");
inline const QString UP_IC_BUTTERFLYPORT = QStringLiteral("ButterflyPort");
inline const QString UP_IC_IMPRESSIONPORT = QStringLiteral("ImpressionPort");
inline const QString UP_MS_REPLYEMAIL = QStringLiteral("ReplyEmail");
inline const QString UP_MS_SMTPSERVADDR = QStringLiteral("SmtpServerAddress");
inline const QString UP_AD_CLEANUPAT = QStringLiteral("CleanupAt");

} // namespace SRCore::XMLValues
