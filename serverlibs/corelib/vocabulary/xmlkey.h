#pragma once

#include <QString>

// Element and attribute names of the XML vocabulary shared by templates, declarations, fixtures,
// flows, manifests and job tickets. Code compares against these constants and never spells the
// texts itself; docs/xml-vocabulary.md lists them.
namespace SRCore::XMLKey {

// Flow objects and templates
inline const QString FLOW = QStringLiteral("Flow");
inline const QString HEADER = QStringLiteral("Header");
inline const QString OBJECTS = QStringLiteral("Objects");
inline const QString OBJECT = QStringLiteral("Object");
inline const QString FIELDS = QStringLiteral("Fields");
inline const QString CLASS = QStringLiteral("Class");
inline const QString ICON = QStringLiteral("Icon");
inline const QString ID_ = QStringLiteral("Id");
inline const QString FOLDERNAME = QStringLiteral("FolderName");
inline const QString FORMATVERSION = QStringLiteral("FormatVersion");

// Field attributes
inline const QString LOCALIZEDTAGNAME = QStringLiteral("LocalizedTagName");
inline const QString VALIDATE = QStringLiteral("Validate");
inline const QString TOOLTIP = QStringLiteral("Tooltip");
inline const QString TYPE = QStringLiteral("Type");
inline const QString EDITOR = QStringLiteral("Editor");
inline const QString DEFAULT = QStringLiteral("Default");
inline const QString DEPENDENCY = QStringLiteral("Dependency");
inline const QString DEPENDENCYVALUE = QStringLiteral("Dependencyvalue");
inline const QString DEPENDENCYCONDITION = QStringLiteral("Dependencycondition");
inline const QString SUBTYPE = QStringLiteral("Subtype");
inline const QString VALIDATION = QStringLiteral("Validation");
inline const QString AVAILABLEFOR = QStringLiteral("AvailableFor");
inline const QString OPAQUEPROPERTY = QStringLiteral("OpaqueProperty");
inline const QString STRINGLISTEDITORMES = QStringLiteral("StringListEditorMessage");
inline const QString SELECTFROMLIBMESSAGE = QStringLiteral("SelectFromLibraryMessage");
inline const QString SELECTMANYFROMLIBMESSAGE = QStringLiteral("SelectManyFromLibraryMessage");
inline const QString EXTERNALAPPLICATION = QStringLiteral("ExternalApplication");
inline const QString EXTERNALARGFORNEW = QStringLiteral("ExternalArgForNew");
inline const QString EXTERNALARGFOREDIT = QStringLiteral("ExternalArgForEdit");
inline const QString REQUIREATLEASTONE = QStringLiteral("RequireAtLeastOne");
// Marks a field value written in an encoded form (XMLValues::ENCODING_BASE64UTF16); flow documents
// use it instead of ENCODING because a field's properties are attributes too.
inline const QString VALUEENCODING = QStringLiteral("ValueEncoding");

// Common fields of flows and flow objects
inline const QString NAME = QStringLiteral("Name");
inline const QString DESCRIPTION = QStringLiteral("Description");
inline const QString RUNNING = QStringLiteral("Running");
inline const QString PATH = QStringLiteral("Path");
inline const QString XPOS = QStringLiteral("Xpos");
inline const QString YPOS = QStringLiteral("Ypos");
inline const QString SOURCEOBJECT = QStringLiteral("Sourceobject");
inline const QString DESTOBJECT = QStringLiteral("Destobject");
inline const QString STRAIGHTLINE = QStringLiteral("Straightline");
inline const QString SCRIPTPACKAGE = QStringLiteral("ScriptPackage");

// Script declaration
inline const QString ELEMENTFIELDS = QStringLiteral("ElementFields");
inline const QString CONNECTIONFIELDS = QStringLiteral("ConnectionFields");
inline const QString CONNECTIONTYPE = QStringLiteral("ConnectionType");
inline const QString SUCCESS = QStringLiteral("Success");
inline const QString WARNING = QStringLiteral("Warning");
inline const QString ERROR_ = QStringLiteral("Error");
inline const QString DATA = QStringLiteral("Data");
inline const QString INCLUDEFOLDERMASK = QStringLiteral("IncludeFolderMask");
inline const QString EXCLUDEFOLDERMASK = QStringLiteral("ExcludeFolderMask");
inline const QString DATASETNAME = QStringLiteral("DatasetName");

// Script declaration: basic script properties (besides NAME, TOOLTIP, ICON, CONNECTIONTYPE)
inline const QString KEYWORDS = QStringLiteral("Keywords");
inline const QString PASSWORDPROTECTED = QStringLiteral("PasswordProtected");
inline const QString PASSWORD = QStringLiteral("Password");
inline const QString VERIFYPASSWORD = QStringLiteral("VerifyPassword");
inline const QString INCLUDEJAVASCRIPT = QStringLiteral("IncludeJavaScript");
inline const QString INCLUDEVBSCRIPT = QStringLiteral("IncludeVBScript");
inline const QString INCLUDEAPPLESCRIPT = QStringLiteral("IncludeAppleScript");
inline const QString INCOMINGCONNECTIONS = QStringLiteral("IncomingConnections");
inline const QString REQUIREINCOMING = QStringLiteral("RequireIncoming");
inline const QString OUTGOINGCONNECTIONS = QStringLiteral("OutgoingConnections");
inline const QString REQUIREOUTGOING = QStringLiteral("RequireOutgoing");
inline const QString DATASUCCESS = QStringLiteral("DataSuccess");
inline const QString DATAWARNING = QStringLiteral("DataWarning");
inline const QString DATAERROR = QStringLiteral("DataError");
inline const QString LOGSUCCESS = QStringLiteral("LogSuccess");
inline const QString LOGWARNING = QStringLiteral("LogWarning");
inline const QString LOGERROR = QStringLiteral("LogError");
inline const QString INCLUDEEXCLUDEFOLDER = QStringLiteral("IncludeExcludeFolder");
inline const QString EXECUTIONMODE = QStringLiteral("ExecutionMode");
inline const QString NUMBEROFSLOTS = QStringLiteral("NumberOfSlots");
inline const QString EXECUTIONGROUP = QStringLiteral("ExecutionGroup");
inline const QString PERFORMANCETUNING = QStringLiteral("PerformanceTuning");
inline const QString IDLEAFTERJOB = QStringLiteral("IdleAfterJob");
inline const QString POSITIONINELEMENTPANE = QStringLiteral("PositionInElementPane");
inline const QString SCRIPTFUNCTIONS = QStringLiteral("ScriptFunctions");
inline const QString FUNCTIONSVBSCRIPT = QStringLiteral("FunctionsVBScript");
inline const QString FUNCTIONSAPPLESCRIPT = QStringLiteral("FunctionsAppleScript");

// Script declaration: property definition fields (numbered ones take the editor number 2 to 5)
inline const QString DEF_TAG = QStringLiteral("Tag");
inline const QString DEF_EDITOR = QStringLiteral("Editor");
inline const QString DEF_SECONDEDITOR = QStringLiteral("SecondEditor");
inline const QString DEF_THIRDEDITOR = QStringLiteral("ThirdEditor");
inline const QString DEF_FOURTHEDITOR = QStringLiteral("FourthEditor");
inline const QString DEF_FIFTHEDITOR = QStringLiteral("FifthEditor");
inline const QString DEF_DROPDOWNITEMS = QStringLiteral("DropdownItems");
inline const QString DEF_INCLUDEFILEFOREXPORT = QStringLiteral("IncludeFileForExport");
inline const QString DEF_LITERALEDITORNAME = QStringLiteral("LiteralEditorName");
inline const QString DEF_MESSAGEFORLIBRARY = QStringLiteral("MessageForSelectFromLibrary");
inline const QString DEF_MESSAGEFORLIBRARYMANY = QStringLiteral("MessageForSelectManyFromLibrary");
inline const QString DEF_MESSAGEFORSTRINGLIST = QStringLiteral("MessageForStringList");
inline const QString DEF_DEPENDSONMASTER = QStringLiteral("DependsOnMaster");
inline const QString DEF_MASTERVALUE = QStringLiteral("MasterValue");

// Owner object types and template names
inline const QString SCRIPTDECLARATION = QStringLiteral("ScriptDeclaration");
inline const QString SCRIPTFIXTURE = QStringLiteral("ScriptFixture");
inline const QString SCR_BASICSCRIPTPROPERTIES = QStringLiteral("BasicScriptProperties");
inline const QString SCR_INJECTEDPROPERTIES = QStringLiteral("InjectedProperties");
inline const QString SCR_BASICTESTPROPERTIES = QStringLiteral("BasicTestProperties");
inline const QString SCR_INCOMMINGJOBS = QStringLiteral("IncommingJobs");
inline const QString SCR_OUTGOINGCONNECTIONS = QStringLiteral("OutGoingConnections");
inline const QString SCR_FILTERINJECTED = QStringLiteral("ConnectionFilterInjected");

// Entry point table
inline const QString SCR_ENTRYPOINTS = QStringLiteral("EntryPoints");
inline const QString SCR_GROUP = QStringLiteral("Group");
inline const QString SCR_ENTRYPOINT = QStringLiteral("EntryPoint");
inline const QString SCR_NAME = QStringLiteral("Name");
inline const QString SCR_FUNCNAME = QStringLiteral("FuncName");
inline const QString SCR_ICON = QStringLiteral("Icon");
inline const QString SCR_SCRIPTTEST = QStringLiteral("ScriptTest");
inline const QString SCR_TOOLTIP = QStringLiteral("ToolTip");
inline const QString SCR_JOBDEPEND = QStringLiteral("JobDependend");

// Fixture fields
inline const QString TESTFOLDER = QStringLiteral("TestFolder");
inline const QString GLOBALDATA = QStringLiteral("GlobalData");
inline const QString FLOWNAME = QStringLiteral("FlowName");
inline const QString ELEMENTNAME = QStringLiteral("ElementName");
inline const QString FILEORFOLDER = QStringLiteral("FileOrFolder");
inline const QString ENABLED = QStringLiteral("Enabled");
inline const QString CONNECTIONNAME = QStringLiteral("ConnectionName");
inline const QString HIERARCHYINFO = QStringLiteral("HierarchyInfo");
inline const QString EMAILADDRESSES = QStringLiteral("EmailAddresses");
inline const QString EMAILBODYTEXT = QStringLiteral("EmailBodyText");
inline const QString JOBSTATE = QStringLiteral("JobState");
inline const QString USERDATA = QStringLiteral("UserData");
inline const QString METADATADATASETS = QStringLiteral("MetadataDatasets");
inline const QString TRAFFICTYPE = QStringLiteral("TrafficType");
inline const QString INCLUDEMASK = QStringLiteral("IncludeMask");
inline const QString EXCLUDEMASK = QStringLiteral("ExcludeMask");
inline const QString HOLDFILES = QStringLiteral("HoldFiles"); // the program's own, not the server's

// Package and fixture manifests
inline const QString MANIFEST = QStringLiteral("Manifest");
inline const QString SCRIPTERINSTANCENAME = QStringLiteral("ScripterInstanceName");
inline const QString SCRIPTPACKAGEFORMATVERSION = QStringLiteral("ScriptPackageFormatVersion");
inline const QString SCRIPTERPASSWORD = QStringLiteral("ScripterPassword");
inline const QString SCRIPTDECLARATIONFILE = QStringLiteral("ScriptDeclarationFile");
inline const QString SCRIPTPROGRAMFILES = QStringLiteral("ScriptProgramFiles");
inline const QString SCRIPTPROGRAMFILE = QStringLiteral("ScriptProgramFile");
inline const QString SCRIPTLANGUAGE = QStringLiteral("ScriptLanguage");
inline const QString SCRIPTICONFILE = QStringLiteral("ScriptIconFile");
inline const QString APPLEBINARYFILE = QStringLiteral("AppleBinaryFile");
inline const QString SCRIPTFIXTUREFORMATVERSION = QStringLiteral("ScriptFixtureFormatVersion");
inline const QString SCRIPTFIXTUREFILE = QStringLiteral("ScriptFixtureFile");

// Structured property values (docs/xml-values.md)
// Written by XMLValueProcessor. The root also carries FORMATVERSION and TYPE, an encoded text
// ENCODING; e-mail entries reuse EMAILADDRESSES, SUBJECT and EMAILBODYTEXT, metadata field
// definitions MD_METADATFIELD.
inline const QString VALUELIST = QStringLiteral("TavrixValueList");
inline const QString VALUEITEM = QStringLiteral("Item");
inline const QString VALUERECORD = QStringLiteral("Record");
inline const QString VALUEFIRST = QStringLiteral("First");
inline const QString VALUESECOND = QStringLiteral("Second");
inline const QString VALUETHIRD = QStringLiteral("Third");
inline const QString VALUEEMAILINFO = QStringLiteral("EmailInfo");

// Job tickets
inline const QString OCCURRENCEDETECTED = QStringLiteral("OccurrenceDetected");
inline const QString JOBTICKET = QStringLiteral("JobTicket");
inline const QString JT_FAMILYID = QStringLiteral("FamilyId");
inline const QString JT_ARRIVALSTAMP = QStringLiteral("ArrivalStamp");
inline const QString JT_FLOWID = QStringLiteral("FlowId");
inline const QString JT_FLOWNAME = QStringLiteral("FlowName");
inline const QString JT_COPIEDFORCONNECTION = QStringLiteral("CopiedForConnection");
inline const QString JT_STATE = QStringLiteral("State");
inline const QString JT_ACTIVEFILE = QStringLiteral("ActiveFile");
inline const QString JT_ACTIVEACTIONID = QStringLiteral("ActiveActionId");
inline const QString JT_HIERARCHY = QStringLiteral("Hierarchy");
inline const QString JT_JOBSTATE = QStringLiteral("JobState");
inline const QString JT_OCCURRENCES = QStringLiteral("Occurrences");
inline const QString JT_OCCURRENCE = QStringLiteral("Occurrence");
inline const QString JT_KIND = QStringLiteral("Kind");
inline const QString JT_OBJECTID = QStringLiteral("ObjectId");
inline const QString JT_OBJECTNAME = QStringLiteral("ObjectName");
inline const QString JT_TIME = QStringLiteral("Time");
inline const QString JT_ACTIONS = QStringLiteral("Actions");
inline const QString JT_ACTION = QStringLiteral("Action");
inline const QString JT_PARENTACTIONID = QStringLiteral("ParentActionId");
inline const QString JT_ACTIONID = QStringLiteral("ActionId");
inline const QString JT_PATH = QStringLiteral("Path");
inline const QString JT_ELEMENTTYPE = QStringLiteral("ElementType");
inline const QString JT_PRIORITY = QStringLiteral("Priority");
inline const QString JT_EMAILINFOS = QStringLiteral("EmailInfos");
inline const QString JT_EMAILINFO = QStringLiteral("EmailInfo");
inline const QString JT_ADDRESSES = QStringLiteral("Addresses");
inline const QString JT_BODY = QStringLiteral("Body");
inline const QString JT_PRIVATEDATA = QStringLiteral("PrivateData");
inline const QString JT_ENTRY = QStringLiteral("Entry");
inline const QString JT_KEY = QStringLiteral("Key");
inline const QString JT_VALUE = QStringLiteral("Value");
inline const QString JT_DATASETS = QStringLiteral("Datasets");
inline const QString JT_DATASET = QStringLiteral("Dataset");
inline const QString JT_NAME = QStringLiteral("Name");
inline const QString JT_MODEL = QStringLiteral("Model");
inline const QString JT_BACKINGFILE = QStringLiteral("BackingFile");

// Data files of the program: customization, data folder layout, counters
inline const QString ENCODING = QStringLiteral("Encoding");
inline const QString CUSTOMIZATION = QStringLiteral("Customization");
inline const QString PRODUCT = QStringLiteral("Product");
inline const QString APPLICATIONNAME = QStringLiteral("ApplicationName");
inline const QString COMPANY = QStringLiteral("Company");
inline const QString DATALAYOUT = QStringLiteral("DataLayout");
inline const QString COUNTSETTINGS = QStringLiteral("CountSettings");
inline const QString LASTARRIVALSTAMP = QStringLiteral("LastArrivalStamp");

// Variable catalogue
inline const QString VARIABLECATALOGUE = QStringLiteral("VariableCatalogue");
inline const QString VAR_GROUP = QStringLiteral("Group");
inline const QString VAR_VARIABLE = QStringLiteral("Variable");
inline const QString VAR_NAME = QStringLiteral("Name");
inline const QString VAR_DATATYPE = QStringLiteral("DataType");
inline const QString VAR_DESCRIPTION = QStringLiteral("Description");

// Conditions with variables (property values of the condition editor)
inline const QString CONDITION = QStringLiteral("TavrixCondition");
inline const QString COND_PRECEDENCE = QStringLiteral("Precedence");
inline const QString COND_COMPARISON = QStringLiteral("Comparison");
inline const QString COND_VARIABLE = QStringLiteral("Variable");
inline const QString COND_OPERATOR = QStringLiteral("Operator");
inline const QString COND_VALUE = QStringLiteral("Value");
inline const QString COND_JOIN = QStringLiteral("Join");

// Exported log messages
// A "message-list" with one "message" element per message, its fields as attributes.
inline const QString MSG_MESSAGELIST = QStringLiteral("message-list");
inline const QString MSG_MESSAGE = QStringLiteral("message");
inline const QString MSG_TIME = QStringLiteral("time");
inline const QString MSG_TYPE = QStringLiteral("type");
inline const QString MSG_LOCALIZEDTYPE = QStringLiteral("localized-type");
inline const QString MSG_MODULE = QStringLiteral("module");
inline const QString MSG_LOCALIZEDMODULE = QStringLiteral("localized-module");
inline const QString MSG_OPERATION = QStringLiteral("operation");
inline const QString MSG_ARGUMENT = QStringLiteral("argument");
inline const QString MSG_TICKET = QStringLiteral("ticket");
inline const QString MSG_FLOW = QStringLiteral("flow");
inline const QString MSG_ELEMENT = QStringLiteral("element");
inline const QString MSG_USER = QStringLiteral("user");
inline const QString MSG_FOLDER = QStringLiteral("folder");
inline const QString MSG_OUTFOLDER = QStringLiteral("outfolder");
inline const QString MSG_FILE = QStringLiteral("file");
inline const QString MSG_OUTFILE = QStringLiteral("outfile");

// FTP connection properties
inline const QString FTPDIRECTORY = QStringLiteral("FTPDirectory");
inline const QString FTPSERVER = QStringLiteral("FTPServer");
inline const QString FTPPORT = QStringLiteral("FTPPort");
inline const QString FTPLOGIN = QStringLiteral("FTPLogin");
inline const QString FTPPASSWORD = QStringLiteral("FTPPassword");
inline const QString FTPPASSIVE = QStringLiteral("FTPPassive");
inline const QString FTPTRANSFERMODE = QStringLiteral("FTPTransferMode");

// Server element properties that get dedicated validators or descriptions
inline const QString ADOBEPDFPRESET = QStringLiteral("AdobePDFPreset");
inline const QString CORNERINGFACTOR = QStringLiteral("CorneringFactor");
inline const QString SETJOBPRIORITY = QStringLiteral("SetJobPriority");
inline const QString CCADDRESSES = QStringLiteral("CCAddresses");
inline const QString ALLOWFROM = QStringLiteral("AllowFrom");
inline const QString ALLOWTO = QStringLiteral("AllowTo");
inline const QString POP3SERVER = QStringLiteral("POP3Server");
inline const QString SUBJECT = QStringLiteral("Subject");

// Metadata field definitions
inline const QString MD_METADATFIELD = QStringLiteral("MetadataField");
inline const QString MD_LABEL = QStringLiteral("Label");
inline const QString MD_DESCRIPTION = QStringLiteral("Description");
inline const QString MD_DATATYPE = QStringLiteral("DataType");
inline const QString MD_DEFINEVARIABLES = QStringLiteral("DefineVariables");
inline const QString MD_DATAFORMAT = QStringLiteral("DataFormat");
inline const QString MD_VALUEISREQUIRED = QStringLiteral("ValueIsRequired");
inline const QString MD_DEFINEASSCRIPTEXP = QStringLiteral("DefineAsScriptExpression");
inline const QString MD_DEFAULTVALUE = QStringLiteral("DefaultValue");
inline const QString MD_REMEMBERLASTVALUE = QStringLiteral("RememberLastValue");

// Resources of the property editor
// Under ":/xml/": the menu order of the editor kinds (EDITOR elements), the default folders of
// file and folder choices (one element per settings key) and the file types (docs/file-types.md).
inline const QString EDITORSSORTORDER = QStringLiteral("EditorsSortOrder");
inline const QString DEFAULTLOCATIONS = QStringLiteral("DefaultLocations");
inline const QString FILETYPES = QStringLiteral("FileTypes");
inline const QString FILETYPE = QStringLiteral("FileType");
inline const QString FILETYPEPATTERN = QStringLiteral("Pattern");

} // namespace SRCore::XMLKey
