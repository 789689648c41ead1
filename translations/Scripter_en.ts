<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>BaseEntriesManager</name>
    <message>
        <location filename="../serverlibs/scriptinglib/baseentriesmanager.cpp" line="+213"/>
        <source>The script has no function %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+43"/>
        <source>&apos;%1&apos; (%2 bytes) in connection &apos;%3&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>private data &apos;%1&apos; of job &apos;%2&apos;: &apos;%3&apos; → &apos;%4&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>global data &apos;%1&apos; of scope &apos;%2&apos;: &apos;%3&apos; → &apos;%4&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>The job &apos;%1&apos; is gone since the test flow was built; nothing was run</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <location filename="../serverlibs/supportlib/connection.cpp" line="+23"/>
        <source>the connection &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Environment</name>
    <message>
        <location filename="../serverlibs/supportlib/environment.cpp" line="+57"/>
        <source>There is no temporary folder outside a run</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrameworkObject</name>
    <message>
        <location filename="../serverlibs/supportlib/frameworkobject.cpp" line="+43"/>
        <source>Log level %1 is none of -1 (debug), 1 (information), 2 (warning) and 3 (error)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>There is no global data outside a test run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The global data &apos;%1&apos; of scope &apos;%2&apos; can&apos;t be stored: %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::AbsBasicMessagePane</name>
    <message>
        <location filename="../guilib/log/absbasicmessagepane.cpp" line="+147"/>
        <source>Search all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Abort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Aborting...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::BasicLogModel</name>
    <message>
        <location filename="../guilib/log/basiclogmodel.cpp" line="+19"/>
        <source>assert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>debug</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Time stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The moment in time when this message was issued</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Enter a number to show messages that have been logged in the last N hours
enter a text string with : or / delimiter(s) to show messages with a time stamp that
contains that string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The message type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Enter one or more messages types - separated by a space - to show messages of those types</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The name of the module that issued this message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Enter one or more (possibly partial) module names - separated by a space - to show messages for those modules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Flow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The name of the flow driving the operation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Enter one or more text strings - separated by a space - to show messages
for a flow with a name that contains one of these strings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Flow element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The name of the flow element causing the operation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enter one or more strings - separated by a space - to show messages
for a flow element with a name that contains one of these strings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Job prefix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The unique name prefix of the job for the operation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enter one or more strings - separated by a space - to show messages
for a job with a prefix that contains one of these strings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The name of the job for the operation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Enter one or more strings - separated by a space - to show messages
for a job with a name that contains one of these strings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The message text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Enter one or more strings - separated by a space - to show messages
that contain one of these strings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+118"/>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Yesterday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 %2</source>
        <comment>weekday, short date</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 %2</source>
        <comment>day, short time</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::BasicMessagePane</name>
    <message>
        <location filename="../guilib/log/basicmessagepane.cpp" line="+91"/>
        <source>Searching database: %1% (%2 out of %3 checked)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Searching error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Terminating database search...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Unexpected error happened; restart Tavrix to resolve the problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Loading messages...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Error loading messages: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+75"/>
        <source>Error removing messages: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+81"/>
        <source>Cannot perform database search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Searching database: initializing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Aborting search (this may take several seconds; please wait)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Searching finished: loading data...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <location line="+11"/>
        <source>No data loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Messages are not loaded yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Showing %1 messages out of %2 since %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Abort the on-going search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Aborting may take several seconds; please wait</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The database is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>All messages in the database are shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>To enable searching, enter search terms in the filter fields at the top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>All messages in the database have been searched</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>To enable searching, adjust the filter so that a smaller number of messages match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The database may contain more messages matching current filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Search for more messages matching the current filter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::ChoiceValueEditor</name>
    <message>
        <location filename="../guilib/property/choicevalueeditor.cpp" line="+39"/>
        <source>Select one or more file types in the list at the left and press the &apos;Add&apos; button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Select one or more items in the list of available library lists and press the &apos;Add button&apos;. The library lists are executed in the order they are listed in the box at the right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Select an item in the list of available library items</source>
        <comment>PropertySelectFromLibMes</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Select a file type</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::ConditionRow</name>
    <message>
        <location filename="../guilib/property/conditionrow.cpp" line="+51"/>
        <source>arguments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The variable&apos;s arguments, as in a text: Key=&quot;Customer&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>AND</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>OR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+166"/>
        <source>RegExp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The value is a regular expression</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::DataFieldsDialog</name>
    <message>
        <location filename="../guilib/property/datafieldsdialog.cpp" line="+57"/>
        <source>the data model &apos;%1&apos; of &apos;%2&apos; is none of XML, JDF, XMP and Opaque</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>choose the backing file of &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Tags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dataset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Backing file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid metadata field definition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Choose metadata backing file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+47"/>
        <source>a tag is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>a dataset has no name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the tag &apos;%1&apos; is used twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the dataset &apos;%1&apos; is defined twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Choose metadata backing file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Metadata files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::EmailAccountsDialog</name>
    <message>
        <location filename="../guilib/property/emailaccountsdialog.cpp" line="+19"/>
        <source>E-mail address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>SMTP server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>User name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid mail account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>account %1 holds a &apos;;&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the address of account %1 is not valid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>account %1 has no SMTP server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the port of account %1 is not a number from 1 to 65535</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::EmailInfoDialog</name>
    <message>
        <location filename="../guilib/property/emailinfodialog.cpp" line="+10"/>
        <source>E-mail addresses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Subject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Body</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid e-mail information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>the addresses of entry %1 are not valid</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::ExternalValueEditor</name>
    <message>
        <location filename="../guilib/property/externalvalueeditor.cpp" line="+51"/>
        <source>External editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Can not find application &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+25"/>
        <source>Failed to start &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 exceeded timeout and will be aborted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::FilterComboBox</name>
    <message>
        <location filename="../guilib/log/filtercombobox.cpp" line="+19"/>
        <source>no filtering</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::GenericProperty</name>
    <message>
        <location filename="../guilib/property/genericproperty.cpp" line="+254"/>
        <source>WARNING: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::GenericPropertyEditor</name>
    <message>
        <location filename="../guilib/property/genericpropertyeditor.cpp" line="+208"/>
        <source>Click here to see the list of available editors (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+115"/>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::GenericValueOverrider</name>
    <message>
        <location filename="../guilib/property/genericvalueoverrider.cpp" line="+77"/>
        <source>Script expression defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Regular expression defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File types defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Select many from library defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Email info map defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Email info defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Email accounts defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Editable metadata fields defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Read-only metadata fields defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Global data fields defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Private data fields defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Metadata fields defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>String list defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>To: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+72"/>
        <source>Auto-managed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Data model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Job name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Automatic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>System data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>User data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Condition with variables defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Single-line text with variables defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Multi-line text with variables defined</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::GlobalDataFieldsDialog</name>
    <message>
        <location filename="../guilib/property/globaldatafieldsdialog.cpp" line="+19"/>
        <source>Scope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Tags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid metadata field definition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>an entry has no scope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>an entry of the scope &apos;%1&apos; has no tag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the tag &apos;%1&apos; is used twice in the scope &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::IAppProxy</name>
    <message>
        <location filename="../guilib/property/iappproxy.cpp" line="+34"/>
        <source>Script expressions cannot be evaluated here</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::LanguageLocator</name>
    <message>
        <location filename="../guilib/translation/languagelocator.cpp" line="+28"/>
        <source>The language name is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The language name &apos;%1&apos; is not a folder name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The language name &apos;%1&apos; contains a control character.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::LogProvider</name>
    <message>
        <location filename="../guilib/log/logprovider.cpp" line="+100"/>
        <source>No message database file is given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The message database %1 does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Unknown database error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Reading was stopped</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::LogTableView</name>
    <message>
        <location filename="../guilib/log/logtableview.cpp" line="+80"/>
        <source>Copy text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy this field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reset all filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clear filter history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reset column ordering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wrap text</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::PathValueEditor</name>
    <message>
        <location filename="../guilib/property/pathvalueeditor.cpp" line="+85"/>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::PrecedenceSection</name>
    <message>
        <location filename="../guilib/property/precedencesection.cpp" line="+14"/>
        <source>OR then AND   (A OR B) AND C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>AND then OR   A OR (B AND C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Operator precedence:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::PropertiesExplorerModel</name>
    <message>
        <location filename="../guilib/property/propertiesexplorermodel.cpp" line="+122"/>
        <source>&lt;noname&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Property</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::RecentFilter</name>
    <message>
        <location filename="../guilib/log/recentfilter.cpp" line="+71"/>
        <source>The filter history cannot be read at offset %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The filter history is not a list of columns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The filter history of column %1 is not a list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The filter history of column %1 holds something other than texts</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::RecordsValueEditor</name>
    <message>
        <location filename="../guilib/property/recordsvalueeditor.cpp" line="+63"/>
        <source>Enter one or more email accounts</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::RegularExpressionValidator</name>
    <message>
        <location filename="../guilib/property/regularexpressionvalidator.cpp" line="+23"/>
        <source>enter a regular expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a regular expression is one line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 at position %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::SelectFromLibraryDialog</name>
    <message>
        <location filename="../guilib/property/selectfromlibrarydialog.cpp" line="+18"/>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::SelectFromListDialog</name>
    <message>
        <location filename="../guilib/property/selectfromlistdialog.cpp" line="+24"/>
        <source>Add &gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt; Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;&lt; Remove All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::TableValueDialog</name>
    <message>
        <location filename="../guilib/property/tablevaluedialog.cpp" line="+22"/>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+158"/>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::TextValueEditor</name>
    <message>
        <location filename="../guilib/property/textvalueeditor.cpp" line="+53"/>
        <source>Enter a description...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Enter a list of dropdown items, one per line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enter a list of e-mail addresses, one per line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enter a hierarchy info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enter a e-mail body text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enter a description for the flow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Enter a list of strings, one per line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Enter a list of passwords, one per line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Enter a regular expression (the regexp is automatically anchored at both ends).

A folder matches the filter if its foldername matches the regular expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter a regular expression (the regexp is automatically anchored at both ends).

A file matches the filter if its filename matches the regular expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Enter a multi-line text with variables...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>A folder matches the filter if its foldername matches at least one of the patterns.

Enter one or more foldername patterns (such as *Job or ??Job*); enter one pattern per line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A file matches the filter if its filename matches at least one of the patterns.

Enter one or more filename patterns (such as *.pdf or ??Job.*); enter one pattern per line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+78"/>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>enter at least one pattern</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::TranslationLoader</name>
    <message>
        <location filename="../guilib/translation/translationloader.cpp" line="+32"/>
        <source>The catalogue &apos;%1&apos; cannot be loaded; it is not a translation file or cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::ValidatedTextDialog</name>
    <message>
        <location filename="../guilib/property/validatedtextdialog.cpp" line="+27"/>
        <source>Define variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+59"/>
        <source>Syntax error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-58"/>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Syntax error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Define text with variables</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::ValueEditorFactory</name>
    <message>
        <location filename="../guilib/property/valueeditorfactory.cpp" line="+42"/>
        <source>This library has no value editor of the kind &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::VariablesConditionDialog</name>
    <message>
        <location filename="../guilib/property/variablesconditiondialog.cpp" line="+39"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Sample jobs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Condition is not valid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+47"/>
        <source>The condition holds for this sample job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The condition does not hold for this sample job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The condition cannot be decided for this sample job</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::VariablesTextDialog</name>
    <message>
        <location filename="../guilib/property/variablestextdialog.cpp" line="+32"/>
        <source>Sample jobs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sample value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Invalid metadata field definition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Text with variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+86"/>
        <source> - unknown variable(s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiLib::VariablesView</name>
    <message>
        <location filename="../guilib/property/variablesview.cpp" line="+30"/>
        <source>Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sample value</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JavaScriptEngine</name>
    <message>
        <location filename="../serverlibs/scriptinglib/javascriptengine.cpp" line="+139"/>
        <source>The script has no function %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>The script was stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Uncaught exception: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Job</name>
    <message>
        <location filename="../serverlibs/supportlib/job.cpp" line="+47"/>
        <source>&apos;%1&apos; is not a file or folder name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>There is no temporary folder for the job &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The folder &apos;%1&apos; can&apos;t be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The job &apos;%1&apos; has failed; %2 can&apos;t send it any more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is only possible while an element runs the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>sendTo needs a Connection, as s.getOutConnections() gives</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>sendToSingle needs exactly one outgoing connection; the element has %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Traffic-light level %1 is none of 1 (success), 2 (warning) and 3 (error)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 needs traffic-light connections; the element has none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>The log &apos;%1&apos; is not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+49"/>
        <source>The job &apos;%1&apos; has failed already</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JobBasic</name>
    <message>
        <location filename="../serverlibs/supportlib/jobbasic.cpp" line="+226"/>
        <source>setDataset needs a Dataset, as getDataset or createDataset give</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A dataset needs a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The dataset &apos;%1&apos; can&apos;t be kept: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JobRouter</name>
    <message>
        <location filename="../serverlibs/supportlib/jobrouter.cpp" line="+142"/>
        <source>No unique job prefix is left in the tickets folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>&apos;%1&apos; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&apos;%1&apos; is not an outgoing connection of this element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&apos;%1&apos; lies in an output folder; only files outside them can be sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&apos;%1&apos; is not a file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The folder &apos;%1&apos; of connection &apos;%2&apos; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&apos;%1&apos; can&apos;t be copied to connection &apos;%2&apos;: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The ticket of &apos;%1&apos; can&apos;t be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LogMessages</name>
    <message>
        <location filename="../serverlibs/corelib/logging/moduleloginterface.cpp" line="+26"/>
        <location filename="../testing/fixture.cpp" line="+397"/>
        <source>Log message of level 0 is not allowed; message &apos;%1&apos; is not logged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../serverlibs/scriptinglib/scriptlistener.cpp" line="+20"/>
        <source>Error in script &apos;%11&apos;, line %12: %13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Error in script &apos;%11&apos;: %12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../editors/vbscripteditor.cpp" line="+81"/>
        <source>Can&apos;t load VBScript; list of functions isn&apos;t saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../app/scriptercore.cpp" line="+188"/>
        <source>Can&apos;t load counter settings from file &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Can&apos;t initialize log database in folder &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Scripter started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+175"/>
        <source>No active window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Empty variable data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Flow pointer is null</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../package/declaration.cpp" line="+257"/>
        <location filename="../package/declarationitem.cpp" line="+432"/>
        <source>Tag name &apos;%1&apos; is already used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../package/declarationxml.cpp" line="+275"/>
        <source>Can&apos;t find master property &apos;%11&apos; for property &apos;%12&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+71"/>
        <source>External application has not been chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../testing/fixture.cpp" line="-264"/>
        <source>Can&apos;t read information from fixture &apos;%11&apos; for package &apos;%12&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Can&apos;t read basic test properties from fixture &apos;%11&apos; for package &apos;%12&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Expected result dropped from the fixture: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../package/scriptpackage.cpp" line="+275"/>
        <location filename="../testing/fixturearchive.cpp" line="+159"/>
        <source>Parse error in manifest from package &apos;%11&apos;: line %12, column %13, message &apos;%14&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Parse error in declaration from package &apos;%11&apos;: line %12, column %13, message &apos;%14&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../testing/fixturearchive.cpp" line="+26"/>
        <source>Parse error in fixture from package &apos;%11&apos;: line %12, column %13, message &apos;%14&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../package/packageprocessor.cpp" line="+380"/>
        <source>Can&apos;t save script package: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Error while checking VBScript syntax: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+97"/>
        <source>The compiled AppleScript is left out of the package: its program was changed and can&apos;t be compiled here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+128"/>
        <location line="+66"/>
        <source>Can&apos;t open script package: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../serverlibs/corelib/variables/variableevaluator.cpp" line="+112"/>
        <source>Variables can&apos;t be evaluated: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../serverlibs/corelib/scripting/iscriptexpressionevaluator.cpp" line="+62"/>
        <source>Script expression failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../serverlibs/scriptinglib/baseentriesmanager.cpp" line="-201"/>
        <location filename="../testing/testflowbuilder.cpp" line="+455"/>
        <source>Damaged global data: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+47"/>
        <source>Can&apos;t remove the temporary folder of the run: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+96"/>
        <source>Error in %11 at line %12, column %13: %14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Error in %11 at line %12: %13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Error in %11: %12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Run summary: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+49"/>
        <source>jobArrived neither sent, discarded nor failed the job &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../serverlibs/supportlib/job.cpp" line="-127"/>
        <source>Sent to connection &apos;%11&apos; as &apos;%12&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+60"/>
        <source>No outgoing connection carries data of level %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Discarded: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../serverlibs/supportlib/jobbasic.cpp" line="+28"/>
        <source>Variable without a value: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../serverlibs/supportlib/tavrixbasic.cpp" line="+47"/>
        <source>Property &apos;%11&apos; without a full value: %12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../testing/testflowbuilder.cpp" line="-371"/>
        <source>Can&apos;t create folder &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Can&apos;t cleanup test folder &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+105"/>
        <source>Can&apos;t create Script element object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Can&apos;t create Folder object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <location line="+41"/>
        <source>Can&apos;t create Connection object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-24"/>
        <source>Can&apos;t use folder &apos;%1&apos; as job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+112"/>
        <source>Can&apos;t copy file &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-35"/>
        <source>Can&apos;t write the job ticket: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Metadata backing file &apos;%1&apos; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Metadata dataset &apos;%11&apos; can&apos;t be used: %12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Can&apos;t store global data: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../serverlibs/corelib/files/filehandler.cpp" line="+186"/>
        <source>Copying failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../testing/entrypointsrunner.cpp" line="+140"/>
        <source>Can&apos;t find script for test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Can&apos;t evaluate script %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Can&apos;t run the script: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Text of the script is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&apos;%1&apos; is in progress now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>This entry point is currently not supported (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>No file or folder selected to serve as current job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No outgoing connection selected to serve as current connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Starting evaluating script: %11 (%12)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+85"/>
        <source>Test was aborted by the user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>The test run took longer than %1 seconds and was stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Expected result held: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Expected result failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%11 can&apos;t run while &apos;%12&apos; is tested; try again when the test ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1 entry point is not present</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>%11 took longer than %12 seconds and was stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../testing/entrypointthread.cpp" line="+156"/>
        <source>No script run time to run %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Script evaluation result: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Script evaluation message: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+96"/>
        <source>Dynamic value can not be validated in design mode</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PreferencesBase</name>
    <message>
        <location filename="../serverlibs/qsa/config.cpp" line="+146"/>
        <source>Standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>String</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keyword</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Operator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Label</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PropertyEnums</name>
    <message>
        <location filename="../serverlibs/corelib/package/editornames.cpp" line="+22"/>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Literal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Single-line text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hours and minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No-yes list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dropdown list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Choose file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Choose folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Regular expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Select from library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Multi-line text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Script expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Single-line text with variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Multi-line text with variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Condition with variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File patterns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Folder patterns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File types</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>String list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Select many from library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>External editor</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PropertyValue</name>
    <message>
        <location filename="../serverlibs/supportlib/propertyvalue.cpp" line="+146"/>
        <source>Script expressions can&apos;t be evaluated in this program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The script expression failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSEditor</name>
    <message>
        <location filename="../serverlibs/qsa/qseditor.cpp" line="+407"/>
        <source> Line: %1 Col: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSInterpreter</name>
    <message>
        <location filename="../serverlibs/qsa/qsinterpreter.cpp" line="+92"/>
        <source>Script error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Syntax error in line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSObjectFactory</name>
    <message>
        <location filename="../serverlibs/qsa/qsobjectfactory.cpp" line="+11"/>
        <source>A class needs a name to be registered</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSProject</name>
    <message>
        <location filename="../serverlibs/qsa/qsproject.cpp" line="+20"/>
        <source>A script needs a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The project already has a script named &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::CompatibilityManager</name>
    <message>
        <location filename="../serverlibs/corelib/env/compatibilitymanager.cpp" line="+56"/>
        <source>The data folder &apos;%1&apos; is a file, not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Can&apos;t create the data folder &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The data folder &apos;%1&apos; is not writable: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>The data folder &apos;%1&apos; was laid out by a newer version of the program (layout %2; this version knows layouts up to %3)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::ConditionEvaluator</name>
    <message>
        <location filename="../serverlibs/corelib/variables/conditionevaluator.cpp" line="+58"/>
        <source>&apos;%1&apos; is not a whole number, and %2 is an Integer variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&apos;%1&apos; is not a number such as 12.5, and %2 is a Rational variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&apos;%1&apos; is not a date such as 2024-05-06 or 2024-05-06T14:30, and %2 is a Date variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&apos;%1&apos; is not a valid regular expression: %2 at character %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+133"/>
        <source>A comparison needs exactly one variable, such as [Job.Name]; found &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>&apos;%1&apos; does not compare %2, a %3 variable; it can be compared by: %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+46"/>
        <source>The condition has no comparison</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::CountManager</name>
    <message>
        <location filename="../serverlibs/corelib/jobs/countmanager.cpp" line="+42"/>
        <source>another program keeps it locked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the lock file can&apos;t be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can&apos;t lock the counter file &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Can&apos;t use the counter file &apos;%1&apos;: its folder does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>No counter file is set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The counter in &apos;%1&apos; can&apos;t grow any further</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::EnvManager</name>
    <message>
        <location filename="../serverlibs/corelib/env/envmanager.cpp" line="+82"/>
        <source>it is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is longer than %1 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;%1&apos; is not a folder name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>it contains the character &apos;%1&apos;, which folder names cannot hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Invalid &lt;%1&gt;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Invalid &lt;%1&gt;: it is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The icon file &apos;%1&apos; does not exist or can&apos;t be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The root element has no %1 attribute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The customization is made for the product &apos;%1&apos;, not for &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::FileHandler</name>
    <message>
        <location filename="../serverlibs/corelib/files/fileautocleaner.cpp" line="+23"/>
        <source>Can&apos;t remove temporary folder: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../serverlibs/corelib/files/filehandler.cpp" line="+145"/>
        <location line="+5"/>
        <source>Can&apos;t read &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-257"/>
        <source>Can&apos;t replace &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Can&apos;t create link &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+74"/>
        <location line="+102"/>
        <source>Can&apos;t create folder &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-172"/>
        <location line="+76"/>
        <source>Can&apos;t copy folder &apos;%1&apos; over file &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-23"/>
        <source>&apos;%1&apos; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Can&apos;t copy file &apos;%1&apos; over folder &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Can&apos;t copy folder &apos;%1&apos; into itself (&apos;%2&apos;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Can&apos;t remove folder &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+111"/>
        <source>&apos;%1&apos; is a folder, not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-106"/>
        <source>Can&apos;t remove file &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&apos;%1&apos; is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Invalid cleanup pattern &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Can&apos;t create a temporary folder in &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Nothing to save to &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::Flow</name>
    <message>
        <location filename="../serverlibs/corelib/flow/flow.cpp" line="+134"/>
        <source>&apos;%1&apos; already exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Not a flow document: the root element is not &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Not a flow document: it has no format version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Flow document format %1 is not supported; this program reads format %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../serverlibs/corelib/flow/flowxml.cpp" line="+40"/>
        <source>The text holds no XML element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Field &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Field &apos;%1&apos; appears twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Expected an &apos;%1&apos; element, found &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::FolderReplacement</name>
    <message>
        <location filename="../serverlibs/corelib/files/folderreplacement.cpp" line="+73"/>
        <source>&apos;%1&apos; can&apos;t be changed: it is immutable or append-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&apos;%1&apos; can&apos;t be changed: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&apos;%1&apos; can&apos;t be removed: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&apos;%1&apos; can&apos;t be removed: it is immutable or append-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+105"/>
        <source>Can&apos;t replace &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+59"/>
        <source>&apos;%1&apos; is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Can&apos;t create a working folder in &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>The previous files %1 are kept in &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::IJT</name>
    <message>
        <location filename="../serverlibs/corelib/jobs/ijt.cpp" line="+237"/>
        <source>Can&apos;t save the job ticket: no tickets folder is set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Can&apos;t save the job ticket: its family id &apos;%1&apos; is not a unique job prefix such as _00001_</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+171"/>
        <source>Invalid time &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Private data key &apos;%1&apos; appears more than once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Dataset &apos;%1&apos; appears more than once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Invalid dataset &apos;%1&apos; with model &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::IScriptExpressionEvaluator</name>
    <message>
        <location filename="../serverlibs/corelib/scripting/iscriptexpressionevaluator.cpp" line="-20"/>
        <source>Line %1, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::JDFMetadata</name>
    <message>
        <location filename="../serverlibs/corelib/metadata/jdfmetadata.cpp" line="+22"/>
        <source>its root element is &lt;%1&gt;, where a job definition has &lt;JDF&gt; or &lt;JMF&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::JobVariables</name>
    <message>
        <location filename="../serverlibs/corelib/variables/jobvariables.cpp" line="+41"/>
        <source>There is no job to take the value from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>The job&apos;s file or folder &apos;%1&apos; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+115"/>
        <source>The job has no private data with the key &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>There is no flow to take the name from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The flow has no element with the id &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>No connection of the flow leads from where the job was detected to the element &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The job is a folder; only files have a file format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>The format of &apos;%1&apos; is not one that can be told from its content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>The XPath &apos;%1&apos; gives no number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The XPath &apos;%1&apos; gives %2, not a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The XPath &apos;%1&apos; gives &apos;%2&apos;, which is not a date such as 2024-05-06T14:30</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+63"/>
        <source>The file system of &apos;%1&apos; does not record when files are created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+98"/>
        <source>The server assigns job priorities while it runs a flow; a test job has none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 needs the server&apos;s analysis of documents and images, which this program does not have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 belongs to jobs that the server receives by e-mail; a test job has no mail message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>This program does not compute %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::LogDatabase</name>
    <message>
        <location filename="../serverlibs/corelib/logging/logdatabase.cpp" line="+168"/>
        <source>Cannot open the message database %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Cannot prepare writing messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>The message database is not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+44"/>
        <location line="+7"/>
        <location line="+189"/>
        <source>Cannot write to the message database %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-154"/>
        <source>Cannot read the size of the message database %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Cannot remove old messages from the message database %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>%1 is a folder, not a message database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cannot read the message database %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is not an SQLite database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-58"/>
        <location line="+75"/>
        <location line="+15"/>
        <location line="+7"/>
        <location line="+10"/>
        <source>Cannot read the message database %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-28"/>
        <source>The message database %1 has the schema version %2, which this program does not know</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>The table logmessages of %1 has other columns than a message database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Cannot switch the message database %1 to the WAL journal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cannot switch the message database %1 to the WAL journal; it may be read-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Cannot create the table logmessages in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::LogManager</name>
    <message numerus="yes">
        <location filename="../serverlibs/corelib/logging/logmanager.cpp" line="+109"/>
        <source>%n message(s) could not be written to the message database and are lost</source>
        <translation>
            <numerusform>%n message could not be written to the message database and is lost</numerusform>
            <numerusform>%n messages could not be written to the message database and are lost</numerusform>
        </translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Cannot open the message database: the folder &apos;%1&apos; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+230"/>
        <source>%n message(s) were dropped because the message database could not be written and too many were waiting</source>
        <translation>
            <numerusform>%n message was dropped because the message database could not be written and too many were waiting</numerusform>
            <numerusform>%n messages were dropped because the message database could not be written and too many were waiting</numerusform>
        </translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1; messages are kept until it can be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+8"/>
        <source>The log was stopped with %n message(s) that could not be written</source>
        <translation>
            <numerusform>The log was stopped with %n message that could not be written</numerusform>
            <numerusform>The log was stopped with %n messages that could not be written</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SRCore::Metadata</name>
    <message>
        <location filename="../serverlibs/corelib/metadata/metadata.cpp" line="+11"/>
        <source>A dataset of the model %1 holds no XML that an XPath could query</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The metadata backing file &apos;%1&apos; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;%1&apos; is a folder, not a metadata backing file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::MetadataManager</name>
    <message>
        <location filename="../serverlibs/corelib/metadata/metadatamanager.cpp" line="+62"/>
        <source>&apos;%1&apos; is not a metadata model; the models are XML, JDF, XMP and Opaque</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The job has no dataset &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::ProcessTempFolder</name>
    <message>
        <location filename="../serverlibs/corelib/files/processtempfolder.cpp" line="+32"/>
        <source>Can&apos;t create folder &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Can&apos;t create folder &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Can&apos;t create a temporary folder in &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::SafeFileWriter</name>
    <message>
        <location filename="../serverlibs/corelib/files/safefilewriter.cpp" line="+94"/>
        <source>Can&apos;t write &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Can&apos;t write &apos;%1&apos; twice with one writer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Can&apos;t write &apos;%1&apos;: it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Can&apos;t write &apos;%1&apos;: it is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <location line="+51"/>
        <source>Can&apos;t write &apos;%1&apos;: not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-23"/>
        <location line="+7"/>
        <source>Can&apos;t read &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Can&apos;t write &apos;%1&apos;: only %2 of %3 bytes reached the disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Can&apos;t replace &apos;%1&apos; by an unfinished file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+95"/>
        <source>&apos;%1&apos; could not be removed again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&apos;%1&apos; could not get its previous content back; it is kept in &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::ScriptPackageManifest</name>
    <message>
        <location filename="../serverlibs/corelib/package/scriptpackagemanifest.cpp" line="+40"/>
        <source>%1 holds a character that XML cannot store (U+%2 at position %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Program files are added one by one, not set as a field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;%1&apos; cannot be the name of a manifest field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The manifest field &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+49"/>
        <source>&apos;%1&apos; is not a script language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The %1 program file is already listed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The %1 program file has no name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The name of the %1 program file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+82"/>
        <source>The field &apos;%1&apos; appears twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>A program file entry has no attribute &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::TextEvaluator</name>
    <message>
        <location filename="../serverlibs/corelib/variables/conditionevaluator.cpp" line="-62"/>
        <location filename="../serverlibs/corelib/variables/textevaluator.cpp" line="+28"/>
        <source>There is no variable %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::Validation</name>
    <message>
        <location filename="../serverlibs/corelib/common/validation.cpp" line="+96"/>
        <source>The pattern &apos;%1&apos; contains a path separator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>The pattern &apos;%1&apos; has a &apos;[&apos; without a closing &apos;]&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The pattern &apos;%1&apos; is not valid: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::VariableArguments</name>
    <message>
        <location filename="../serverlibs/corelib/variables/variablearguments.cpp" line="+71"/>
        <source>%1 needs a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Path needs an XPath, such as Path=&quot;/order/@id&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Index needs a whole number other than 0 (1 is the first item, -1 the last); found &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Start needs a whole number from 1 (the first character); found &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Length needs a whole number from 0; found &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Format needs a date format, such as Format=&quot;yyyy-MM-dd hh:mm&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Format of a number is written with 0s, such as &quot;000&quot; or &quot;0.00&quot;; found &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>%1 takes no arguments here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 takes no argument %2 here; it takes %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The argument %1 is given twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 needs the argument %2, such as %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::VariableCondition</name>
    <message>
        <location filename="../serverlibs/corelib/variables/variablecondition.cpp" line="+21"/>
        <source>Equal to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Not equal to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Contains</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Does not contain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Starts with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Does not start with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Matches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Does not match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>True</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>False</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Less than</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Less than or equal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Greater than</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Greater than or equal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Earlier than</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Earlier than or same</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Later than</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Later than or same</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Unknown join &apos;%1&apos;; a join is %2 or %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Unknown precedence &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+78"/>
        <source>The condition can&apos;t be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Unknown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::VariableEvaluator</name>
    <message>
        <location filename="../serverlibs/corelib/variables/variableevaluator.cpp" line="+2"/>
        <source>%1 in &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::VariableManager</name>
    <message>
        <location filename="../serverlibs/corelib/variables/variablemanager.cpp" line="+51"/>
        <source>&lt;%1&gt; needs a %2 made of letters and digits, starting with a letter (found &apos;%3&apos;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+64"/>
        <source>Invalid variable catalogue at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+58"/>
        <source>The variable %1.%2 is defined more than once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The variable %1.%2 has the unknown %3 &apos;%4&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+69"/>
        <source>Column %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Comparison %1, variable, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Comparison %1, value, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Comparison %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::VariableText</name>
    <message>
        <location filename="../serverlibs/corelib/variables/variabletext.cpp" line="+73"/>
        <source>&apos;]&apos; without a &apos;[&apos; before it; write &apos;]]&apos; for a literal &apos;]&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+41"/>
        <source>the end of the text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>The variable that starts here has no closing &apos;]&apos;; write &apos;[[&apos; for a literal &apos;[&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Expected &apos;:&apos; before the arguments or &apos;]&apos; after %1, found %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>A variable is written [Group.Name] (such as [Job.Name]) with letters and digits; found &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Expected an argument such as Format=&quot;yyyy-MM-dd&quot;, found %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Expected &apos;=&apos; after the argument name %1, found %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <source>The quoted value of %1 is not closed; write %2%2 for a %2 inside it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The argument %1 has no value; write %1=&quot;value&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::XMLMetadata</name>
    <message>
        <location filename="../serverlibs/corelib/metadata/xmlmetadata.cpp" line="+112"/>
        <source>a number is malformed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a quoted text is not closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a quoted text was expected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it refers to a variable ($name), which queries can&apos;t have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a predicate [...] is malformed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the expression is malformed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a bracket or parenthesis is not closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>it calls a function that XPath 1.0 does not have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a value is of the wrong type for its operator or function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a function is given the wrong number of arguments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>it uses a namespace prefix that is not declared; declare it with the prefixes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>it holds a character that XPath does not allow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>there is not enough memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>libxml2 error %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The XPath &apos;%1&apos; is not valid at character %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The XPath &apos;%1&apos; is not valid: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+71"/>
        <source>The metadata backing file &apos;%1&apos; is larger than 2 GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+5"/>
        <source>Can&apos;t read the metadata backing file &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Can&apos;t read the metadata backing file &apos;%1&apos;: out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&apos;%1&apos; is not an XML file: line %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&apos;%1&apos; holds XML, but it is not %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>No metadata backing file has been loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Can&apos;t evaluate the XPath &apos;%1&apos;: out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+106"/>
        <source>The namespace prefixes &apos;%1&apos; can&apos;t be read at character %2: write them as xmlns:prefix=&quot;URI&quot;, separated by spaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The namespace prefix &apos;%1&apos; has no URI</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::XMLValueProcessor</name>
    <message>
        <location filename="../serverlibs/corelib/values/xmlvalueprocessor.cpp" line="+85"/>
        <source>a list of texts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>data field records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>e-mail information entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>metadata field definitions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>&apos;%1&apos; is not an editor of structured values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The editor &apos;%1&apos; takes %2, not %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+134"/>
        <source>Unknown value type &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+131"/>
        <source>&apos;%1&apos; cannot be the key of a metadata field definition</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::XMPMetadata</name>
    <message>
        <location filename="../serverlibs/corelib/metadata/xmpmetadata.cpp" line="+48"/>
        <source>its root element is &lt;%1&gt;, where XMP has &lt;x:xmpmeta&gt; or &lt;rdf:RDF&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::XmlDataReader</name>
    <message>
        <location filename="../serverlibs/corelib/common/xmldatareader.cpp" line="+56"/>
        <source>The file &apos;%1&apos; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&apos;%1&apos; is a folder, not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+6"/>
        <source>Can&apos;t read &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Error in &apos;%1&apos; at %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The root element is &lt;%1&gt;, expected &lt;%2&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Document type declarations are not allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The document has no root element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Invalid %1 &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The document is in format version %1, written by a newer program; this program reads format versions up to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Unexpected text &apos;%1&apos; in &lt;%2&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Unexpected attribute &apos;%1&apos; in &lt;%2&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+39"/>
        <source>&apos;%1&apos; is not a whole number from %2 to %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Unexpected element &lt;%1&gt; in &lt;%2&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Element &lt;%1&gt; appears more than once in &lt;%2&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Element &lt;%1&gt; is missing in &lt;%2&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The attribute &apos;%1&apos; is missing in &lt;%2&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::XmlDepthLimit</name>
    <message>
        <location filename="../serverlibs/corelib/common/xmldepthlimit.cpp" line="+22"/>
        <source>The elements are nested more than %1 levels deep</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::XmlError</name>
    <message>
        <location filename="../serverlibs/corelib/common/xmlerror.cpp" line="+13"/>
        <source>line %1, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SRCore::XmlText</name>
    <message>
        <location filename="../serverlibs/corelib/common/xmltext.cpp" line="+85"/>
        <source>Unknown %1 &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Invalid %1 text</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptDir</name>
    <message>
        <location filename="../serverlibs/supportlib/scriptdir.cpp" line="+12"/>
        <source>&apos;%1&apos; is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The folder &apos;%1&apos; can&apos;t be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&apos;%1&apos; is a file; File.remove removes files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptEngines</name>
    <message>
        <location filename="../serverlibs/scriptinglib/scriptengines.cpp" line="+16"/>
        <source>AppleScript programs run only on the server&apos;s Mac; they can&apos;t be run here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;%1&apos; is no script language</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptError</name>
    <message>
        <location filename="../serverlibs/scriptinglib/scripterror.cpp" line="+6"/>
        <source>Line %1, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptFile</name>
    <message>
        <location filename="../serverlibs/supportlib/scriptfile.cpp" line="+26"/>
        <location line="+21"/>
        <source>&apos;%1&apos; is no known text encoding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-16"/>
        <source>&apos;%1&apos; can&apos;t be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&apos;%1&apos; is not a text in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The text for &apos;%1&apos; has characters that %2 can&apos;t hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+9"/>
        <source>&apos;%1&apos; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&apos;%1&apos; exists already</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>&apos;%1&apos; is not a file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptProcess</name>
    <message>
        <location filename="../serverlibs/supportlib/scriptprocess.cpp" line="+20"/>
        <source>The time-out must be at least 1 second, not %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&apos;%1&apos; can&apos;t be started: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&apos;%1&apos; was killed: the run was stopped</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptRun</name>
    <message>
        <location filename="../serverlibs/scriptinglib/scriptrun.cpp" line="+65"/>
        <source>The script used more than %1 MB of memory and was stopped</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::AppleScriptEditor</name>
    <message>
        <location filename="../editors/applescripteditor.cpp" line="+14"/>
        <source>-- Is invoked each time a new job arrives in one of the input folders for the flow element.
-- The newly arrived job is passed as the second parameter.
on jobarrived( s, j )
	tell application &quot;PowerTAVRIX_Service&quot;
	end tell
end jobarrived

-- Is invoked at regular intervals regardless of whether a new job arrived or not.
-- The interval can be modified by changing timer interval property of s
on timerfired(s)
	tell application &quot;PowerTAVRIX_Service&quot;
	end tell
end timerfired
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>after applescript and as back before beginning behind but by considering contain contains continue copy div does eighth else end equal equals error every exit false fifth first fourth from front get given global if ignoring in into is it its last local me middle mod my ninth not of on or prop property put ref reference repeat return returning script second set seventh sixth some tell tenth that the then third through thru timeout times to transaction true try until where while whose with without </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::CliTool</name>
    <message>
        <location filename="../cli/clitool.cpp" line="+46"/>
        <source>%1 line %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 line %2, column %3: %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+92"/>
        <source>messages are not stored: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+39"/>
        <source>see &quot;%1 --help&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>the folder is not empty; use --force to replace its contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>exists already; use --force to replace it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+55"/>
        <location line="+130"/>
        <location line="+26"/>
        <source>no such folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-151"/>
        <location line="+156"/>
        <source>not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-149"/>
        <location line="+157"/>
        <source>can&apos;t create the folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-97"/>
        <source>The package includes no program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>not checked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>syntax ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>syntax error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>entry points: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 lists the %2 entry points %3, but %4 defines %5; resave the package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>pack needs --output for a package that is an archive already</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>a package folder needs a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+44"/>
        <source>warning: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::CommandLine</name>
    <message>
        <location filename="../cli/commandline.cpp" line="+31"/>
        <source>PATH.tscript [--name NAME] [--languages LIST] [--unarchived] [--force]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Creates a package from the default declaration and the new-script templates, with its fixture, as the program&apos;s New and Save write it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>PACKAGE [--json] [--password P]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shows the manifest, element name, languages, protection, property definitions, entry points and the fixture&apos;s jobs and connections.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+18"/>
        <source>PACKAGE [--password P]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-17"/>
        <source>Runs the JavaScript and VBScript syntax checks and compares the entry points the programs define with those the declaration lists. Fails when a check fails.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>FOLDER [--output PATH.tscript] [--password P] [--force]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Writes an unarchived package folder as a package archive, with its fixture beside it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>PACKAGE --output FOLDER [--password P] [--force]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Writes a package as an unarchived package folder: its members, the empty marker file and the fixture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Opens the package and saves it as the program&apos;s Save does: the declaration rewritten, the entry point lists taken from the current programs, the fixture rewritten, the storage form kept. Syntax errors are reported and do not stop the save.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>PACKAGE... [--entry NAME] [--fixture FILE] [--job NAME] [--connection NAME] [--arg KEY=VALUE] [--timeout SECONDS] [--test-folder DIR] [--junit FILE] [--json] [--password P]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Runs an entry point of each package against its fixture as the program&apos;s Test menu does, printing the messages as they come, then the run summary and the expected results. A folder that is no package stands for the packages in it. Fails when a run ends with an error, logs an error or an expected result does not hold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>FILE [--language js|vbs]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Runs a JavaScript (.js) or VBScript (.vbs) file&apos;s top-level code as the Windows Script Host does, with the objects that scripts find (File, Dir, Process, console) and WScript.Echo: what it echoes and logs goes to stdout, the error that ends the script to stderr.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Also print the messages that the program shows in its message pane.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Show this help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The element&apos;s name (default: &quot;TavrixScript&quot;, as in a new package of the program).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+27"/>
        <location line="+8"/>
        <location line="+4"/>
        <source>NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-37"/>
        <source>The languages the package includes, separated by commas: js, vbs, applescript (default: js).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>LIST</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Write the unarchived folder form: a folder named like the package, holding the members and the empty PATH.tscript marker.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Print JSON.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The password of a protected package (default: the environment variable TAVRIXSCRIPTER_PASSWORD).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Replace an existing package, or the contents of a folder that is not empty (version-control data &quot;.svn&quot; and &quot;_svn&quot; stays).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The archive to write (default: beside the folder, named like it).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PATH.tscript</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The entry point to run (default: jobArrived when the fixture has a current job, else timerFired).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The fixture to run against (default: the package&apos;s).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+24"/>
        <source>FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-22"/>
        <source>The incoming job that is the current job, as selecting it in the fixture pane makes it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The outgoing connection that is the current connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The entry point&apos;s argument that the program asks for: tag=TAG, startup=TRUE|FALSE or license=KEY.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>KEY=VALUE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stop a run that takes longer, as the program&apos;s time-out does, and fail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SECONDS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Where the test flow is built (default: the fixture&apos;s test folder).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DIR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Also write a JUnit XML report.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Print the messages, run summaries and expected results as one JSON document instead.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The script&apos;s language: js or vbs (default: by the file&apos;s suffix).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>LANGUAGE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The package folder to write; its name becomes the package&apos;s name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>FOLDER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+60"/>
        <source>no command given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>help takes at most one command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+13"/>
        <source>unknown command &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-6"/>
        <source>--version takes no arguments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the command must come first, before &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>missing argument; usage: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>unexpected argument &apos;%1&apos;; usage: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>the new package&apos;s path must end in .tscript: &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>--name needs a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>unknown language &apos;%1&apos;; use js, vbs or applescript</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>--languages needs at least one of js, vbs, applescript</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>the archive&apos;s path must end in .tscript: &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>unpack needs --output FOLDER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>exec runs JavaScript or VBScript: --language js or vbs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>exec runs JavaScript and VBScript files, named *.js or *.vbs, or use --language: &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>unknown entry point &apos;%1&apos;; use one of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>--arg takes tag=TAG, startup=TRUE|FALSE or license=KEY: &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>--timeout needs a whole number of seconds above 0: &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Creates, inspects, checks and converts TavrixScripter script packages without a desktop, through the program&apos;s own package, declaration and fixture code, runs their entry points against their fixtures, and runs JavaScript and VBScript files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-18"/>
        <source>Usage: %1 %2 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>PACKAGE is a .tscript archive, an unarchived package folder or its .tscript marker file, or the .tfixture file beside a package.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Options:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Usage: %1 COMMAND [OPTIONS]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Commands:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>PACKAGE is a .tscript archive, an unarchived package folder or its .tscript marker file. A protected package needs its password (--password, or the environment variable TAVRIXSCRIPTER_PASSWORD); the unarchived folder form is read without it, except by pack and unpack.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Exit status: 0 on success, 1 when the work fails, 2 for a usage error. Errors go to stderr, one line each, naming the file and the cause.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The environment variable TAVRIXSCRIPTER_LOCK_WAIT_MS sets how many milliseconds a save waits for another program&apos;s save of the same package.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&quot;%1 help COMMAND&quot; or &quot;%1 COMMAND --help&quot; describes a command&apos;s options; --verbose also prints the messages that the program shows in its message pane.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::CoreActions</name>
    <message>
        <location filename="../app/coreactions.cpp" line="+34"/>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Opens a new empty script package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Opens an existing script package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;Quit %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ctrl+Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Edit &amp;Style...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>&amp;%1 %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::Declaration</name>
    <message>
        <location filename="../package/declaration.cpp" line="-51"/>
        <source>Cannot read &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../package/declarationitem.cpp" line="-269"/>
        <source>Flow Element Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Definitions for properties added to script flow element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Outgoing Connections Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Definitions for properties added to outgoing connections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>unknown item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Create Object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can&apos;t create injected properties object!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+326"/>
        <source>Choose icon file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your must choose a PNG image file with a size of exactly 32x32 pixels in the RGB color space !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Password Problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The verification password you typed in is not the same as your password.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please re-type the password in the &apos;Verify Password&apos; property</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::DeclarationTree</name>
    <message>
        <location filename="../package/declarationtree.cpp" line="+78"/>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Adds a new item right after the selected item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Remove selected item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move up selected item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move down selected item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::DeclarationXml</name>
    <message>
        <location filename="../package/declarationxml.cpp" line="-216"/>
        <source>Line %1: the value of %2 cannot be read: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+320"/>
        <source>The document is no script declaration: it needs an %1 element with %2 and %3.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::EntryPointDialog</name>
    <message>
        <location filename="../testing/entrypointdialog.cpp" line="+25"/>
        <source>Property name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter property name for test entry point isPropertyValid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Enter property name for test entry point getLibraryForProperty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter property name for test entry point isConnectionPropertyValid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Enter property name for test entry point getLibForConnectionProperty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Enter &apos;startup&apos; parameter value for test entry point findApplicationPath.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&apos;startup&apos; parameter value:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enter license key for test entry point licenseApplication.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>License key:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enter property name </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::EntryPointThread</name>
    <message>
        <location filename="../testing/entrypointthread.cpp" line="+12"/>
        <source>Valid property &apos;%1&apos; with value &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid property &apos;%1&apos; with value &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::EntryPoints</name>
    <message>
        <location filename="../testing/entrypoints.cpp" line="+72"/>
        <source>Evaluating the script body as a script expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Executing the %1 entry point</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::EntryPointsCombo</name>
    <message>
        <location filename="../testing/entrypointscombo.cpp" line="+123"/>
        <source>Show the fixture pane (View menu) to test entry points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Entry points of an AppleScript script can&apos;t be tested here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Select an enabled outgoing connection in the fixture pane to test %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Select an enabled incoming job in the fixture pane to test %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The script defines no %1 function</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::EntryPointsRunner</name>
    <message>
        <location filename="../testing/entrypointsrunner.cpp" line="-185"/>
        <source>Entry point %1 can not be started.
Add flow element property in Declaration pane.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Entry point %1 can not be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Entry point error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+91"/>
        <source>%1 (got %2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::ExpectationChecker</name>
    <message>
        <location filename="../testing/expectationchecker.cpp" line="+85"/>
        <location line="+119"/>
        <source>the invalid wildcard %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-117"/>
        <source>a file name holds no &apos;/&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the file %1, which matches none of them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>no file matching %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <source>the files of connection %1 match %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>no such connection in the test flow (removed, renamed or disabled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no folder %1 of the connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="-13"/>
        <source>connection %1 receives %n file(s)</source>
        <translation>
            <numerusform>connection %1 receives %n file</numerusform>
            <numerusform>connection %1 receives %n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+27"/>
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
    <message>
        <location line="+14"/>
        <source>job %1 has the private data %2 = %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no such job in the run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>no value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>a message of type %1 like %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>no such message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>no message of type error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1 error(s), the first %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::Fixture</name>
    <message>
        <location filename="../testing/fixture.cpp" line="-80"/>
        <source>Test Flow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Flow for testing script package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+79"/>
        <source>%1 (in &apos;%2&apos;)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::FixtureArchive</name>
    <message>
        <location filename="../testing/fixturearchive.cpp" line="-118"/>
        <source>Can&apos;t extract fixture &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>A fixture can&apos;t be named &apos;%1&apos;: its document would replace the manifest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Fixture &apos;%1&apos; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Can&apos;t read the manifest of fixture &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The manifest of fixture &apos;%1&apos; names no fixture document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Fixture &apos;%1&apos; lacks its document &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Can&apos;t read the document of fixture &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::FixtureExpectations</name>
    <message>
        <location filename="../testing/fixtureexpectations.cpp" line="+69"/>
        <source>connection &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>job &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the basic test settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>%1 &apos;%2&apos; of %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+94"/>
        <source>number of files &apos;%1&apos; of %2, which is no whole number of 0 or more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&apos;no errors&apos; value &apos;%1&apos; of %2, which is neither Yes nor No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>private data line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>message line</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::FixtureItem</name>
    <message>
        <location filename="../testing/fixtureitem.cpp" line="+94"/>
        <source>Basic test settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Incoming jobs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Outgoing connections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>FileOrFolder%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Connection%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>unknown item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+309"/>
        <source>Expected results</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::FixtureTree</name>
    <message>
        <location filename="../testing/fixturetree.cpp" line="+57"/>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Adds a new item right after the selected item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Adds file to &apos;Incoming jobs&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Adds folder to &apos;Incoming jobs&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Remove selected item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move up selected item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move down selected item</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+23"/>
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
    <message>
        <location line="+152"/>
        <source>Choose Folder: Folder for job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Choose File: File for job</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::HeadlessDocument</name>
    <message>
        <location filename="../cli/headlessdocument.cpp" line="+207"/>
        <source>the fixture can&apos;t be read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::HelpMenuActions</name>
    <message>
        <location filename="../app/helpmenuactions.cpp" line="+18"/>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;About %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Documentation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Opens the folder of the documentation pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>&lt;h3&gt;%1 %2&lt;/h3&gt;&lt;p&gt;A development environment for the script elements of the Tavrix workflow server: declare an element and its properties, write its program in JavaScript, VBScript or AppleScript, prepare a test fixture, and keep the work in script packages.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>About %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Documentation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The documentation is not installed beside the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No program is set up to open folders. The documentation is in
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::InstanceChannel</name>
    <message>
        <location filename="../app/instancechannel.cpp" line="+224"/>
        <source>The message is too long for another instance (%1 bytes, at most %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>No other instance is running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The running instance cannot be reached: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The running instance did not take the message in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The running instance did not answer in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The running instance gave an unexpected answer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::JavaScriptEditor</name>
    <message>
        <location filename="../editors/javascripteditor.cpp" line="+13"/>
        <source>// Is invoked each time a new job arrives in one of the input folders for the flow element.
// The newly arrived job is passed as the second parameter.
function jobArrived( s : Tavrix, job : Job )
{
}

// Is invoked at regular intervals regardless of whether a new job arrived or not.
// The interval can be modified with s.setTimerInterval().
function timerFired( s : Tavrix )
{
}</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::PackageInfo</name>
    <message>
        <location filename="../cli/packageinfo.cpp" line="+172"/>
        <source>yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>no</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1: none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Editors:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Default:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Validation:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Shown when:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Package:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>unarchived folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>archive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+47"/>
        <source>Element name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-46"/>
        <source>Languages:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+26"/>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-25"/>
        <source>Protected:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Manifest:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Entry points:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Element properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Connection properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Fixture: none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Fixture: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Test folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Flow name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>Incoming jobs: %n</source>
        <translation>
            <numerusform>Incoming jobs: %n</numerusform>
            <numerusform>Incoming jobs: %n</numerusform>
        </translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+12"/>
        <source>enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-12"/>
        <location line="+12"/>
        <source>disabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="-6"/>
        <source>Outgoing connections: %n</source>
        <translation>
            <numerusform>Outgoing connections: %n</numerusform>
            <numerusform>Outgoing connections: %n</numerusform>
        </translation>
    </message>
    <message>
        <location line="+8"/>
        <source>holds files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::PackageListing</name>
    <message>
        <location filename="../cli/packagelisting.cpp" line="+57"/>
        <source>Can&apos;t read &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::PackageLock</name>
    <message>
        <location filename="../package/packagelock.cpp" line="+34"/>
        <source>&apos;%1&apos; is being saved by another program</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::PackagePaths</name>
    <message>
        <location filename="../cli/packagepaths.cpp" line="+48"/>
        <source>no such file or folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>not a package folder: it holds no %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::PackageProcessor</name>
    <message>
        <location filename="../package/packageprocessor.cpp" line="-603"/>
        <source>Script packages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+265"/>
        <source>Saving script package &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Script package &apos;%1&apos; could not be saved; see message log for more information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Script package was saved successfully</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-230"/>
        <location line="+3"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+275"/>
        <location line="+33"/>
        <location line="+22"/>
        <source>Save script package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+117"/>
        <location line="+8"/>
        <location line="+22"/>
        <location line="+66"/>
        <source>File open error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-95"/>
        <source>File %1 not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>You double-clicked on a script fixture file;
this file cannot be opened in TavrixScripter.
The corresponding script file could not be located.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-512"/>
        <source>Script package folder (unarchived)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+42"/>
        <source>The first is on line %1, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Do you want save this package?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+253"/>
        <source>JavaScript code contains syntax error(s).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>VBScript code contains syntax error(s).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>The folder &apos;%1&apos; can&apos;t be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The folder &apos;%1&apos; holds a script package already.
Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&apos;%1&apos; holds other things than a script package of that name; choose another name or an empty folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+147"/>
        <location line="+66"/>
        <source>Script package &apos;%1&apos; is not valid:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-31"/>
        <source>the folder &apos;%1&apos; must have the name of its marker file &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+68"/>
        <source>Opening script package &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Password error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../cli/packagesession.cpp" line="+142"/>
        <source> Invalid password, the script can not be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Can&apos;t read the declaration of script package &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Script package was opened successfully</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Choose script package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Nothing to pack into &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Can&apos;t pack &apos;%1&apos;: the file is missing</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::PackageRun</name>
    <message>
        <location filename="../cli/packagerun.cpp" line="+55"/>
        <location line="+154"/>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-83"/>
        <source>%1 did not start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the run took longer than %1 s and was stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>incoming job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>outgoing connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1: the test folder can&apos;t be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the package includes no program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>the fixture has no %1 &apos;%2&apos;; it has: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>the %1 program does not define %2; it defines: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 needs an incoming job, and the fixture has none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 needs a current job; choose one with --job: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 needs a current outgoing connection; choose one with --connection: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1 needs --arg %2=VALUE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 needs --arg %2=VALUE, one of: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>--arg %1=%2 is not offered; use one of: %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::PackageSession</name>
    <message>
        <location filename="../cli/packagesession.cpp" line="-92"/>
        <source>declaration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 line %2, column %3: %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+81"/>
        <source>the package is protected by a password; give it with --password or in the environment variable TAVRIXSCRIPTER_PASSWORD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+69"/>
        <source>the operation failed; run with --verbose for the details</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::PasswordDialog</name>
    <message>
        <location filename="../package/passworddialog.cpp" line="+14"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enter password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Script is protected by password. Enter password to open it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::PreferencesDialog</name>
    <message>
        <location filename="../editors/preferencesdialog.cpp" line="+58"/>
        <location line="+328"/>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-318"/>
        <source>Bold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Italic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Some Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Family</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Change color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Syntax highlighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Word wrap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Completion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Parentheses matching</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Indentation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keep tabs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Auto indent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Tab size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Indent size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Editing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+4"/>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source> s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stop a test run after</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Testing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+239"/>
        <source>%1 restart is required</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::RunCommand</name>
    <message>
        <location filename="../cli/runcommand.cpp" line="+95"/>
        <source>the JUnit report can&apos;t be written: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::RunOutputsDelegate</name>
    <message>
        <location filename="../testing/runoutputsdelegate.cpp" line="+11"/>
        <source>%1   (%2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::RunReport</name>
    <message>
        <location filename="../cli/runreport.cpp" line="+20"/>
        <source>no files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1 file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+94"/>
        <source>Outputs:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>no outgoing connections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Expected results:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>FAIL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 passed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1 expected result did not hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 expected results did not hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 FAILED: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::ScriptEditor</name>
    <message>
        <location filename="../editors/scripteditor.cpp" line="+42"/>
        <location line="+52"/>
        <source> Line: %1 Col: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::ScriptPackage</name>
    <message>
        <location filename="../package/scriptpackage.cpp" line="-207"/>
        <source>The script package lacks its member &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The member &apos;%1&apos; is larger than %2 MB, more than a script package may hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+58"/>
        <source>&apos;%1&apos; is a symbolic link; a package folder must hold its files itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The package folder &apos;%1&apos; holds more than %2 entries, more than a script package may hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The package folder &apos;%1&apos; holds more than %2 MB, more than a script package may hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>The script package can&apos;t be named &apos;%1&apos;: two of its members would be called &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>The script package would hold more than %1 MB, more than a script package may hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Script package &apos;%1&apos; has no manifest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Can&apos;t read the manifest of script package &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The manifest of script package &apos;%1&apos; names no declaration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Can&apos;t read &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Can&apos;t read the declaration of script package &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::ScripterActions</name>
    <message>
        <location filename="../app/scripteractions.cpp" line="+58"/>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Saves the current script package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save &amp;as...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Saves the current script package as...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ctrl+W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;View Declaration/Fixture pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Toggle &amp;Properties pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Toggle &amp;Messages pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Panes on the &amp;Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Places the declaration, fixture and properties panes right of the scripts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ctrl+Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ctrl+Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ctrl+V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Del</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Preferences...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ctrl+F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Find &amp;next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>F3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Find &amp;previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Shift+F3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ctrl+H</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Goto line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ctrl+G</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Invoke entry point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invoke entry point with the test fixture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>F5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Abort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Shift+F5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Aborts the current test run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Open Test &amp;Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shows the folder of the last test run in the file manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Export log messages...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export log messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Clear log messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clear log messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Select entry point to be invoked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+108"/>
        <source>File toolset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>View toolset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Edit toolset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Test toolset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+129"/>
        <location line="+6"/>
        <source>Open Test Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-5"/>
        <source>No test has run in this window yet, so there is no test folder to show.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The file manager could not be started for &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::ScripterCore</name>
    <message>
        <location filename="../app/scriptercore.cpp" line="-103"/>
        <source>&amp;%1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::ScripterMessagePane</name>
    <message>
        <location filename="../app/scriptermessagepane.cpp" line="+32"/>
        <source>Clear log messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete every log message?
This clears the messages of all windows and of the command-line tool; it can&apos;t be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+13"/>
        <source>Export log messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-12"/>
        <source>Tavrix logs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The log messages cannot be exported to %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::ScripterWindow</name>
    <message>
        <location filename="../app/scripterwindow.cpp" line="+99"/>
        <source>Declaration pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fixture pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Properties pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Messages pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+74"/>
        <source>JavaScript</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>VBScript</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>AppleScript</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+97"/>
        <source>Database error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Failed to connect to the logs database: empty database info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+166"/>
        <source>%1[*] - %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+273"/>
        <location line="+9"/>
        <source>Terminate entry point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-8"/>
        <source>Entry point are in operation.
Do you want terminate it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+9"/>
        <source>The entry point did not stop within %n second(s), so the window stays open.
Close it again when the test has ended.</source>
        <translation>
            <numerusform>The entry point did not stop within %n second, so the window stays open.
Close it again when the test has ended.</numerusform>
            <numerusform>The entry point did not stop within %n seconds, so the window stays open.
Close it again when the test has ended.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Save changes to %1.tscript ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save changes to %1 ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::SearchController</name>
    <message>
        <location filename="../editors/searchcontroller.cpp" line="+129"/>
        <source>No more matches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Continued from the start of the text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Continued from the end of the text</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::SearchOptions</name>
    <message>
        <location filename="../editors/searchoptions.cpp" line="+14"/>
        <source>Direction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Backward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Whole words only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Case sensitive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start at beginning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wrap around</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>At the end of the text, go on from its other end</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::StyleSheetEditor</name>
    <message>
        <location filename="../app/stylesheeteditor.cpp" line="+46"/>
        <source>Style Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Style:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Style Sheet:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Apply</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::TestFlowBuilder</name>
    <message>
        <location filename="../testing/testflowbuilder.cpp" line="-263"/>
        <source>Test Flow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Script Element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Flow for testing script package</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::TestRunResult</name>
    <message>
        <location filename="../cli/testrunresult.h" line="+69"/>
        <source>1 error message logged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 error messages logged</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scripter::VBScriptEditor</name>
    <message>
        <location filename="../editors/vbscripteditor.cpp" line="-66"/>
        <source>&apos; Is invoked each time a new job arrives in one of the input folders for the flow element.
&apos; The newly arrived job is passed as the second parameter.
 Function jobArrived(s, job)


 End Function


&apos; Is invoked at regular intervals regardless of whether a new job arrived or not.
&apos; The interval can be modified with s.setTimerInterval().
 Function timerFired(s)


 End Function
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>AddressOf Alias And Any As Binary Boolean ByRef Byte ByVal Call Case CBool CByte CCur CChar CD Char CDate CDbl CInt CLng Close Const CShort CSng CStr Currency CVar CVErr Date Debug Decimal Declare DefBool DefByte DefCur DefDate DefDbl DefInt DefLng DefObj DefSng DefStr DefVar Dim Do Double Each Else ElseIf End Enum Eqv Erase Error Event Exit False For Friend Function Get Get Global GoSub GoTo If Imp Implements In Input Integer Is LBound Len Let Lib Like Line Lock Long Loop LSet Mod Name New Next Not Nothing Null Object On Open Option Base 1 Option Compare Binary Option Compare Database Option Compare Text Option Explicit Option Private Module Optional Or Output ParamArray Preserve Print Private Property Public Put RaiseEvent Random Read ReDim Resume Return RSet Seek Select Set Single Short Spc Static Step Stop String Sub Tab Then To Type True UBound Unlock Until Variant vbscript Wend While With WithEvents Write Xor </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptingApi</name>
    <message>
        <location filename="../serverlibs/qsa/scriptingapi.cpp" line="+8"/>
        <source>Writes a message to the log; level -1 debug, 1 information, 2 warning, 3 error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The value of the element&apos;s property with this tag, its variables and script expression resolved for the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The items of a list value of the property with this tag (patterns, file types, string lists, library choices)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The editor chosen for the property&apos;s value, such as inline or scriptexp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The global data of the flow stored under this scope and tag; empty when there is none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Stores global data under this scope and tag; later runs find it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>The flow element that runs the script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-41"/>
        <source>Whether the property&apos;s value is fixed, rather than computed for each job from variables or a script expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>The element&apos;s incoming connections, as Connection objects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The number of seconds between two timerFired calls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sets the number of seconds between two timerFired calls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-9"/>
        <source>The element&apos;s outgoing connections, as Connection objects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-44"/>
        <source>The name of the flow that holds the element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-2"/>
        <source>The name of the flow element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+58"/>
        <source>The jobs waiting in the element&apos;s input folders, as Job objects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>A new job named name that no input brought; write its file at its path, then send it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>A folder by kind: ApplicationData, Documents, Desktop, Home, Temp, TestFolder or PackageFolder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The job that the entry point handles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The full path of the job&apos;s file or folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The name of the job&apos;s file or folder without its unique prefix, extension included</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The name of the job without its unique prefix and extension</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The extension of the job&apos;s file without the dot; empty for none and for folders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The job&apos;s unique prefix, such as _00001_</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Whether the job is a single file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Whether the job is a folder rather than a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The size of the job in bytes; of all its files for a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The number of files of the job: 1 for a file, all files below a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The private data stored with the job under this tag; empty when there is none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Stores private data with the job under this tag; it travels along with the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The tags of the job&apos;s private data, sorted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The segments of the job&apos;s hierarchy location, outermost first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Replaces the job&apos;s hierarchy location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The e-mail addresses that travel with the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Replaces the e-mail addresses of the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The e-mail body text that travels with the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Replaces the e-mail body text of the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The job state text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sets the job state text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The job&apos;s metadata dataset of this name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The names of the job&apos;s metadata datasets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Attaches the dataset to the job under this name; it travels along with the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A dataset of the model (XML, JDF, XMP or Opaque) backed by the file at the path, to attach with setDataset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The text with its variables ([Job.Name], ...) replaced by their values for the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+46"/>
        <source>The path of the application, as findApplicationPath found it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The licensing of the application, as getApplicationLicensing found it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The name of the computer that runs the flow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A temporary folder of the run, removed when the run ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>A connection of the flow element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The value of the connection&apos;s property with this tag, resolved for the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Move, Filter or TrafficLight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>What a traffic-light connection carries: Data, Log or Data with log; empty for others</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The folder at the connection&apos;s other end: where jobs sent along it land</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>A metadata dataset of a job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>XML, JDF, XMP or Opaque</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The path of the file that holds the dataset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The XPath&apos;s result as text; of a node set, its first node</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The XPath&apos;s result as a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The XPath&apos;s result as a truth value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The texts of the nodes the XPath selects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Reads, writes, copies, moves and removes files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The text of the file in the encoding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Writes the text as the file, replacing it in one step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Copies a file or folder to the destination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Moves a file or folder to a destination that does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Removes a file or a folder with its contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Whether a file or folder is at the path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The size of the file in bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Lists, creates and removes folders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The names in the folder that match one of the ;-separated patterns, sorted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Creates the folder and its parents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Removes the folder with its contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Whether a folder is at the path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Runs programs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Runs the program and waits for it: exitCode, stdout, stderr and timedOut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Debug output of the script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Writes the message to the log at level -1 (debug)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-147"/>
        <source>Writes a message about this job to the log; level -1 debug, 1 information, 2 warning, 3 error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A fresh path with this name in the job&apos;s temporary folder, for a file or (createFolder) a folder that the script makes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Sends the file or folder at the path (the job&apos;s own by default) along this outgoing connection, as a result of this job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Sends the file or folder at the path along the element&apos;s only outgoing connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Sends the file or folder at the path along the traffic-light connections that carry data of this level: 1 success, 2 warning, 3 error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Sends the log file at the path along the traffic-light connections that carry logs of this level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Discards the job: it is done without being sent anywhere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Fails the job: the message is logged as an error and nothing more can be sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The environment of the entry points that handle no job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>The name of the connection</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptingGui::MetadataFieldsDialog</name>
    <message>
        <location filename="../scriptinggui/metadatafieldsdialog.cpp" line="+32"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+85"/>
        <source>Script expression is invalid for one of the fields.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Items are not defined: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Script expression or regular expression is invalid for field(s): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Regular expression is invalid or default value doesn&apos;t match the data format for field(s): %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptingGui::MetadataFieldsEdit</name>
    <message>
        <location filename="../scriptinggui/metadatafieldsedit.cpp" line="+53"/>
        <source>Data values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Define variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Data format
(regexp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Value is required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Define as script expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Default value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Set value as &apos;true&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remember last value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Items separated by &apos;;&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>String</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Boolean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Choice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>script expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>text with variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>condition with variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Data type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Calculated value:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+167"/>
        <source>A field needs a label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Another field has the label &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <location line="+25"/>
        <source>Define script expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-24"/>
        <source>Define text with variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Define condition with variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Condition with variables defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Text with variables defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Script expression defined</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptingGui::MetadataFieldsView</name>
    <message>
        <location filename="../scriptinggui/metadatafieldsview.cpp" line="+23"/>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+71"/>
        <source>Metadata Field %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptingGui::ScriptExpressionDialog</name>
    <message>
        <location filename="../scriptinggui/scriptexpressiondialog.cpp" line="+47"/>
        <source>Syntax error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save as...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Evaluate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Sample jobs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Syntax error in line %1, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Save script file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+37"/>
        <source>Script file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-17"/>
        <source>File openning error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File &quot;%1&quot; can&apos;t be opened for writing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>File writting error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can&apos;t write to file &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Open script file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Replace the script text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Do you want to replace the existent script text by the new one?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>File reading error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can&apos;t read from file &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Value: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Reject changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Are you sure you wish to cancel script editing and reject all of the current changes?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptingGui::ScriptExpressionValueEditor</name>
    <message>
        <location filename="../scriptinggui/scriptexpressionvalueeditor.cpp" line="+26"/>
        <source>Enter a JavaScript expression that evaluates to boolean value (true or false)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter a JavaScript expression that evaluates to one of the enumerated values available for the property</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Enter a JavaScript expression that evaluates to a file or folder path string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter a JavaScript expression that evaluates to a numeric value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter a JavaScript expression that evaluates to a string value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter a JavaScript expression.

A file matches the filter if the expression evaluates to boolean value true</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Enter a JavaScript expression.

A folder matches the filter if the expression evaluates to boolean value true</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter a JavaScript expression</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptingGui::ScriptingDialogFactory</name>
    <message>
        <location filename="../scriptinggui/scriptingdialogfactory.cpp" line="+41"/>
        <source>The scripting dialogs have no value editor of the kind &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemLibrary</name>
    <message>
        <location filename="../serverlibs/corelib/common/systemlibrary.cpp" line="+29"/>
        <source>%1 has no function %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tavrix</name>
    <message>
        <location filename="../serverlibs/supportlib/tavrix.cpp" line="+58"/>
        <source>The timer interval is only known while the element runs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The timer interval can only be set while the element runs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The timer interval must be at least 1 second, not %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>&apos;%1&apos; is not a file or folder name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>New jobs can only be made while the element runs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>There is no temporary folder for the new job &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+39"/>
        <source>&apos;%1&apos; is no special folder; known are %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TavrixBasic</name>
    <message>
        <location filename="../serverlibs/supportlib/tavrixbasic.cpp" line="-19"/>
        <source>%1 has no property &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>The value of property &apos;%1&apos; of %2 can&apos;t be computed: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+5"/>
        <location line="+5"/>
        <location line="+6"/>
        <source>the element</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TavrixCommon::FtpManager</name>
    <message>
        <location filename="../ftp/ftpmanager.cpp" line="+103"/>
        <location line="+92"/>
        <location line="+17"/>
        <location line="+25"/>
        <location line="+10"/>
        <location line="+9"/>
        <location line="+13"/>
        <source>The FTP session was aborted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-161"/>
        <source>The FTP client cannot start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The FTP client cannot start: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+103"/>
        <source>No FTP server is given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Trying to change the working directory by setting empty value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Requested listing dir path doesn&apos;t start with a slash</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TavrixSupportUI::FTPAnonymousDialog</name>
    <message>
        <location filename="../ftp/ftpanonymousdialog.cpp" line="+15"/>
        <source>Anonymous login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Email address for anonymous login</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TavrixSupportUI::FTPDirectoryDialog</name>
    <message>
        <location filename="../ftp/ftpdirectorydialog.cpp" line="+72"/>
        <source>Passive mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>FTPS (explicit TLS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Anonymous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Choose FTP directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>File name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Modified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>User:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>FTP Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+104"/>
        <source>Enter the FTP server to connect to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Connecting to %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Connected to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Logged onto %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Changed current directory to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Ui::SFindText</name>
    <message>
        <location filename="../editors/sfindtext.cpp" line="+17"/>
        <source>Find Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Find:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Ui::SGotoLine</name>
    <message>
        <location filename="../editors/sgotoline.cpp" line="+13"/>
        <source>Goto Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Line:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Goto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Ui::SReplaceText</name>
    <message>
        <location filename="../editors/sreplacetext.cpp" line="+30"/>
        <source>Replace Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Find:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Replace:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Replace All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserGlobalData</name>
    <message>
        <location filename="../serverlibs/supportlib/userglobaldata.cpp" line="+73"/>
        <source>%1. It was kept as &apos;%2&apos;; the global data start empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1. It could not be set aside, so global data can&apos;t be stored until it is repaired or removed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VBScript::BlockStack</name>
    <message>
        <location filename="../serverlibs/scriptinglib/vbscript/blockstack.cpp" line="+34"/>
        <source>A class can have only one default member</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+164"/>
        <source>Expected %1 to close the %2 on line %3; found %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>%1 without %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Name redefined: &apos;%1&apos; is already defined on line %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>&apos;Exit Do&apos; is not inside a &apos;Do&apos; loop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;Exit For&apos; is not inside a &apos;For&apos; loop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;Exit Function&apos; is not inside a &apos;Function&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;Exit Property&apos; is not inside a &apos;Property&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;Exit Sub&apos; is not inside a &apos;Sub&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VBScript::ExpressionParser</name>
    <message>
        <location filename="../serverlibs/scriptinglib/vbscript/expressionparser.cpp" line="+168"/>
        <source>a class name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>an expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+72"/>
        <source>a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>a literal constant (a number, string, date, True, False, Empty or Null)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the end of the statement after the literal constant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <location line="+21"/>
        <source>a member name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-17"/>
        <source>&apos;.%1&apos; refers to the object of a &apos;With&apos; block, but there is no &apos;With&apos; block around it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+80"/>
        <source>Expression too complex: more than %1 operations nested in one another</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VBScript::Interpreter</name>
    <message>
        <location filename="../serverlibs/scriptinglib/vbscript/interpreter.cpp" line="+210"/>
        <source>The script was stopped</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VBScript::Lexer</name>
    <message>
        <location filename="../serverlibs/scriptinglib/vbscript/lexer.cpp" line="+183"/>
        <location line="+159"/>
        <source>Name too long: a name can have at most %1 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-97"/>
        <location line="+26"/>
        <source>Number too large: &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Unterminated string: the closing &apos;&quot;&apos; is missing on its line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Unterminated date literal: the closing &apos;#&apos; is missing on its line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Invalid date literal &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Unterminated bracketed name: the closing &apos;]&apos; is missing on its line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Empty bracketed name &apos;[]&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Invalid character &apos;_&apos;: names must start with a letter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A line continuation &apos;_&apos; must be the last character on its line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Line continuation &apos;_&apos; at the end of the script: the statement is not continued</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+83"/>
        <source>Invalid character &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Invalid character U+%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VBScript::Parser</name>
    <message>
        <location filename="../serverlibs/scriptinglib/vbscript/parser.cpp" line="+39"/>
        <source>the end of the expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+72"/>
        <source>a variable or procedure declaration, or %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+60"/>
        <source>&apos;If&apos;, &apos;Sub&apos;, &apos;Function&apos;, &apos;Property&apos;, &apos;Class&apos;, &apos;Select&apos; or &apos;With&apos; after &apos;End&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+9"/>
        <source>a statement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Cannot use parentheses when calling a Sub: write the arguments without them, or use &apos;Call&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>a variable or property to set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>the name of a procedure or method to call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>a variable name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>a whole number as the upper bound (use &apos;ReDim&apos; for sizes computed at run time)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>%1 can only be used at the top level of the script or in a class; use &apos;Dim&apos; inside procedures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&apos;Default&apos; can only be used as &apos;Public Default&apos; in a class</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&apos;Function&apos;, &apos;Sub&apos; or &apos;Property Get&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>a variable name, &apos;Sub&apos;, &apos;Function&apos; or &apos;Property&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>a variable name, &apos;Const&apos;, &apos;Sub&apos; or &apos;Function&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>a constant name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <location line="+26"/>
        <source>an array name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+98"/>
        <source>%1 cannot stand in a single-line &apos;If&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the end of the statement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>a loop variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>a loop variable or &apos;Each&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Expected the end of the statement after &apos;Next&apos;; found %1 (VBScript does not allow a loop variable after &apos;Next&apos;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>A &apos;Do&apos; loop can test its condition at &apos;Do&apos; or at &apos;Loop&apos;, not at both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+51"/>
        <source>&apos;Case&apos; or &apos;End Select&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+76"/>
        <source>&apos;Do&apos;, &apos;For&apos;, &apos;Function&apos;, &apos;Property&apos; or &apos;Sub&apos; after &apos;Exit&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>&apos;0&apos; (VBScript has no line labels)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&apos;Resume Next&apos; or &apos;GoTo 0&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&apos;Option Explicit&apos; must come before any other statement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>A &apos;Property&apos; can only be defined in a class</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>&apos;Get&apos;, &apos;Let&apos; or &apos;Set&apos; after &apos;Property&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&apos;Default&apos; can only be used with &apos;Function&apos;, &apos;Sub&apos; or &apos;Property Get&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>a procedure name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&apos;Property %1&apos; needs at least one parameter: the value assigned</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>a parameter name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>a class name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VBScript::ParserState</name>
    <message>
        <location filename="../serverlibs/scriptinglib/vbscript/parserstate.cpp" line="+83"/>
        <source>the end of the statement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&apos;,&apos; or &apos;)&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Expected %1; found %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the end of the script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the end of the line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Nesting too deep: more than %1 levels of statements, parentheses and unary operators</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VBScript::RuntimeError</name>
    <message>
        <location filename="../serverlibs/scriptinglib/vbscript/runtimeerror.cpp" line="+19"/>
        <source>Unspecified error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid procedure call or argument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Overflow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Subscript out of range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This array is fixed or temporarily locked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Division by zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Type mismatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Out of string space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can&apos;t perform requested operation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Out of stack space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sub or Function not defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Error in loading DLL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Internal error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bad file name or number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bad file mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File already open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Device I/O error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File already exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Disk full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Input past end of file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Too many files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Device unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Permission denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Disk not ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can&apos;t rename with different drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Path/File access error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Path not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Object variable not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>For loop not initialized</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid use of Null</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can&apos;t create necessary temporary file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Object required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ActiveX component can&apos;t create object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Class doesn&apos;t support Automation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File name or class name not found during Automation operation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Object doesn&apos;t support this property or method</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Automation error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Object doesn&apos;t support this action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Object doesn&apos;t support named arguments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Object doesn&apos;t support current locale setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Named argument not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Argument not optional</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wrong number of arguments or invalid property assignment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Object not a collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Specified DLL function not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This key is already associated with an element of this collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Variable uses an Automation type not supported in VBScript</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Variable is undefined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Illegal assignment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Object not safe for scripting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid or unqualified reference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Class not defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>An exception occurred</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Syntax error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Syntax error in regular expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Unexpected quantifier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Expected &apos;]&apos; in regular expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Expected &apos;)&apos; in regular expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid range in character set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Element not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Unknown runtime error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Microsoft VBScript runtime error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Microsoft VBScript compilation error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VBScript::ScriptError</name>
    <message>
        <location filename="../serverlibs/scriptinglib/vbscript/scripterror.cpp" line="+18"/>
        <source>%1 %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Line %1, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VBScript::SyntaxError</name>
    <message>
        <location filename="../serverlibs/scriptinglib/vbscript/syntaxerror.cpp" line="+9"/>
        <source>Line %1, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ZipDirectory</name>
    <message>
        <location filename="../serverlibs/corelib/archive/zipdirectory.cpp" line="+162"/>
        <source>its central directory can&apos;t be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>entries &apos;%1&apos; and &apos;%2&apos; share their data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the data of entry &apos;%1&apos; runs into the central directory</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ZipHelper</name>
    <message>
        <location filename="../serverlibs/corelib/archive/ziphelper.cpp" line="+93"/>
        <source>it is not a zip archive, or it is truncated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the archive is damaged (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>entry &apos;%1&apos; has an absolute path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>entry &apos;%1&apos; starts with a drive letter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>entry &apos;%1&apos; contains a backslash; zip entries are separated with &apos;/&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>entry &apos;%1&apos; leads out of the target folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>entry &apos;%1&apos; has no name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No archive path was given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Compression level %1 is not valid; use -1 for the default, 0 to store or 1 to 9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Can&apos;t encrypt archive &apos;%1&apos; without a password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Can&apos;t encrypt archive &apos;%1&apos;: this libzip does not support traditional PKWARE encryption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>&apos;%1&apos; is a symbolic link to a missing target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&apos;%1&apos; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&apos;%1&apos; is a symbolic link to a folder that contains it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Can&apos;t read folder &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>&apos;%1&apos; is neither a file nor a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Can&apos;t read &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-71"/>
        <location line="+176"/>
        <source>Can&apos;t write archive &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-17"/>
        <source>Can&apos;t open archive &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Can&apos;t add &apos;%1&apos; to archive &apos;%2&apos;: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+74"/>
        <source>entry &apos;%1&apos; is a symbolic link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>entry &apos;%1&apos; is compressed more than %2 to 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>entry &apos;%1&apos; is encrypted and no password was given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>entry &apos;%1&apos; is encrypted with a method that is not supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>entry &apos;%1&apos; is compressed with method %2, which is not supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>entries &apos;%1&apos; and &apos;%2&apos; would both be extracted to &apos;%3&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+46"/>
        <source>&apos;%1&apos; in the target folder is a symbolic link; entry &apos;%2&apos; would be written through it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>entry &apos;%1&apos; needs a folder at &apos;%2&apos;, where the target folder has a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>entry &apos;%1&apos; would replace the folder &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>wrong password for entry &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>entry &apos;%1&apos; could not be decrypted: the password is wrong or the entry is damaged (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>entry &apos;%1&apos; is damaged (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>can&apos;t read entry &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+22"/>
        <source>can&apos;t write &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <source>entry &apos;%1&apos; holds more data than it declares</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <location line="+21"/>
        <location line="+10"/>
        <source>can&apos;t create folder &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>can&apos;t replace &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Can&apos;t add to archive &apos;%1&apos;: no file or folder was given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Can&apos;t add &apos;%1&apos; to archive &apos;%2&apos;: it does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Can&apos;t add archive &apos;%1&apos; to itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Can&apos;t add &apos;%1&apos; to archive &apos;%2&apos;: &apos;%3&apos; is not a valid folder inside an archive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Can&apos;t compress the contents of &apos;%1&apos;: it is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Can&apos;t extract archive &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>it does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no target folder was given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the target &apos;%1&apos; is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>it holds %1 entries; at most %2 are extracted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>its entries hold more than %1 MB; at most that is extracted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../app/main.cpp" line="+70"/>
        <source>Initialization Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scripter cannot start because of the OEM branding error!

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../cli/main.cpp" line="+83"/>
        <source>the customization is not valid: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
