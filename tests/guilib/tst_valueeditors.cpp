// Every dialog kind of the generic property editor, opened from the kinds menu as a user would:
// the dialog is driven, accepted, and the value read back from the property, in the format that
// XMLValueProcessor reads; cancelling leaves value and kind as they were.

#include "common/testmain.h"

#include "common/dialogdriving.h"
#include "common/propertyediting.h"

#include "guilib/property/datafieldsdialog.h"
#include "guilib/property/emailaccountsdialog.h"
#include "guilib/property/emailinfodialog.h"
#include "guilib/property/externalvalueeditor.h"
#include "guilib/property/globaldatafieldsdialog.h"
#include "guilib/property/selectfromlibrarydialog.h"
#include "guilib/property/selectfromlistdialog.h"
#include "guilib/property/validatedtextdialog.h"

#include "corelib/files/filehandler.h"
#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

using GuiLib::IProperty;
using SRCore::EmailInform;
using SRCore::UniversalData;
using SRCore::XMLValueProcessor;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

QString list(const QString &kind, const QStringList &items)
{
    return XMLValueProcessor::generateXMLValue(kind, items);
}

QString records(const QString &kind, const QList<UniversalData> &fields)
{
    return XMLValueProcessor::generateXMLValue(kind, fields);
}

void chooseInList(QWidget *dialog, const QStringList &items)
{
    auto *available = dialog->findChild<QListWidget *>("available");
    for (const QString &item : items) {
        available->clearSelection();
        available->findItems(item, Qt::MatchExactly).first()->setSelected(true);
        QVERIFY(press(dialog, "addButton"));
    }
}

QTableWidget *table(QWidget *dialog)
{
    return dialog->findChild<QTableWidget *>();
}

// One way through a dialog: what the user does in it before pressing "Ok".
struct Row
{
    const char *name;
    QString tag;
    QString type;
    QString editors;
    QString start;
    QString label;
    void (*drive)(QWidget *dialog);
    QString expected;
    QString shown;
};

const QList<Row> &rows()
{
    static const QList<Row> rows = {
        {"dropdown items: lines become ';'", XMLKey::DEF_DROPDOWNITEMS, "string", "description",
         "Red;Green", "Edit multi-line text", [](QWidget *d) { typeText(d, "Red\nGreen\n\nBlue"); },
         "Red;Green;Blue", "Red;Green;Blue"},
        {"hierarchy: lines become '/'", XMLKey::HIERARCHYINFO, "string", "inline;description",
         "In/Sub", "Edit multi-line text",
         [](QWidget *d) {
             QCOMPARE(d->findChild<QTextEdit *>()->toPlainText(), QStringLiteral("In\nSub"));
             typeText(d, "Customers\nACME");
         },
         "Customers/ACME", "Customers/ACME"},
        {"description as typed", "Tooltip", "string", "inline;description", "",
         "Edit multi-line text", [](QWidget *d) { typeText(d, "Two\nlines"); }, "Two\nlines",
         "Two lines"},
        {"string list of the lines that are not blank", "Names", "stringlist", "stringlist", "",
         "Define string list", [](QWidget *d) { typeText(d, "alpha\n \nbeta"); },
         list("stringlist", {"alpha", "beta"}), "String list defined"},
        {"passwords", "Passwords", "stringlist", "passwdef", "", "Define passwords",
         [](QWidget *d) { typeText(d, "s3cret\n<&>"); }, list("passwdef", {"s3cret", "<&>"}),
         "Passwords defined"},
        {"file patterns, mended after an error", "Mask", "filefilter", "allfiles;filepatterns",
         XMLValues::ALLFILES, "Define file patterns",
         [](QWidget *d) {
             typeText(d, "*.pdf\n[ab");
             QVERIFY(!dialogButton(d, "okButton")->isEnabled());
             QVERIFY(d->findChild<QLabel *>("errorText")->text().contains("line 2"));
             typeText(d, "*.pdf\n??Job.*");
         },
         list("patterns", {"*.pdf", "??Job.*"}), "*.pdf; ??Job.*"},
        {"folder patterns", "Mask", "folderfilter", "all;patterns", "", "Define folder patterns",
         [](QWidget *d) {
             QVERIFY(d->findChild<QLabel *>("prompt")->text().contains("folder"));
             typeText(d, "*Jobs");
         },
         list("patterns", {"*Jobs"}), "*Jobs"},
        {"regular expression", "Mask", "filefilter", "allfiles;regexp", "",
         "Define regular expression",
         [](QWidget *d) {
             typeText(d, "Job_(");
             QVERIFY(!dialogButton(d, "okButton")->isEnabled());
             typeText(d, "Job_[0-9]+");
         },
         list("regexp", {"Job_[0-9]+"}), "Regular expression defined"},
        {"multi-line text with variables starts empty after a list", "Body", "string",
         "mltextwithvar;regexp", list("regexp", {"x"}), "Define multi-line text with variables",
         [](QWidget *d) {
             QCOMPARE(d->findChild<QTextEdit *>()->toPlainText(), QString());
             QVERIFY(dialogButton(d, "defineVariablesButton")->isVisible());
             typeText(d, "Dear\ncustomer");
         },
         "Dear\ncustomer", "Multi-line text with variables defined"},
        {"file types in the order chosen", "Mask", "filefilter", "allfiles;types", "",
         "Define file types",
         [](QWidget *d) {
             chooseInList(d, {"TIFF", "PDF"});
         },
         list("types", {"TIFF", "PDF"}), "File types defined"},
        {"one file type", "Format", "string", "inline;filetype", "", "File type",
         [](QWidget *d) {
             auto *items = d->findChild<QListWidget *>();
             items->setCurrentItem(items->findItems("PNG", Qt::MatchExactly).first());
         },
         "PNG", "PNG"},
        {"e-mail info", "Mail", "string", "einfoedit", "", "Define email info",
         [](QWidget *d) {
             QVERIFY(!dialogButton(d, "addButton")->isVisible());
             typeIntoCell(table(d), 0, 0, "not an address");
             QVERIFY(!dialogButton(d, "okButton")->isEnabled());
             typeIntoCell(table(d), 0, 0, "a@example.com;b@example.com");
             typeIntoCell(table(d), 0, 1, "Done");
         },
         XMLValueProcessor::generateXMLValue(
             "einfoedit", QList<EmailInform>{{"a@example.com;b@example.com", "Done", ""}}),
         "Email info defined"},
        {"e-mail info map", "Mail", "string", "mapeinfoedit", "", "Define email info map",
         [](QWidget *d) {
             QVERIFY(press(d, "addButton"));
             QVERIFY(press(d, "addButton"));
             typeIntoCell(table(d), 1, 2, "Hello");
         },
         XMLValueProcessor::generateXMLValue("mapeinfoedit",
                                             QList<EmailInform>{{"", "", ""}, {"", "", "Hello"}}),
         "Email info map defined"},
        {"mail accounts", "Accounts", "string", "accountsdef", "", "Define mail accounts",
         [](QWidget *d) {
             QVERIFY(press(d, "addButton"));
             typeIntoCell(table(d), 0, 0, "me@example.com");
             QVERIFY(!dialogButton(d, "okButton")->isEnabled()); // no server yet
             typeIntoCell(table(d), 0, 1, "smtp.example.com");
             typeIntoCell(table(d), 0, 2, "70000");
             QVERIFY(!dialogButton(d, "okButton")->isEnabled());
             typeIntoCell(table(d), 0, 2, "587");
         },
         list("accountsdef", {"me@example.com;smtp.example.com;587;;"}), "Email accounts defined"},
        {"private data: new tags are numbered", XMLKey::USERDATA, "fieldsdef", "userdatafieldsedit",
         "", "Define private data fields",
         [](QWidget *d) {
             QVERIFY(press(d, "addButton"));
             QVERIFY(press(d, "addButton"));
             typeIntoCell(table(d), 1, 1, "ACME");
         },
         records("userdatafieldsedit", {{"MyTag1", "", ""}, {"MyTag2", "", "ACME"}}),
         "Private data fields defined"},
        {"private data: a tag used twice is refused", XMLKey::USERDATA, "fieldsdef",
         "userdatafieldsedit", "", "Define private data fields",
         [](QWidget *d) {
             QVERIFY(press(d, "addButton"));
             QVERIFY(press(d, "addButton"));
             typeIntoCell(table(d), 1, 0, "MyTag1");
             QVERIFY(!dialogButton(d, "okButton")->isEnabled());
             QVERIFY(
                 d->findChild<QLabel *>("errorText")->text().contains("'MyTag1' is used twice"));
             typeIntoCell(table(d), 1, 0, "Customer");
         },
         records("userdatafieldsedit", {{"MyTag1", "", ""}, {"Customer", "", ""}}),
         "Private data fields defined"},
        {"global data: new entries in myScript", XMLKey::GLOBALDATA, "fieldsdef",
         "globaldatafieldsedit", "", "Define global data fields",
         [](QWidget *d) {
             QVERIFY(press(d, "addButton"));
             typeIntoCell(table(d), 0, 0, "other");
             QVERIFY(press(d, "addButton"));
             typeIntoCell(table(d), 1, 2, "42");
         },
         records("globaldatafieldsedit", {{"MyTag1", "other", ""}, {"MyTag1", "myScript", "42"}}),
         "Global data fields defined"},
    };
    return rows;
}

} // namespace

class tst_ValueEditors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void dialogSetsTheValue_data();
    void dialogSetsTheValue();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void valueReopensInItsDialog();
    void datasetBackingFiles_data();
    void datasetBackingFiles();
    void chooserOffersTheModelsFilesAndFolder();
    void libraryKindsOfferTheOwnersItems_data();
    void libraryKindsOfferTheOwnersItems();
    void externalEditor_data();
    void externalEditor();

private:
    QTemporaryDir m_files;
};

void tst_ValueEditors::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("TavrixTest"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_ValueEditors"));
    QVERIFY(m_files.isValid());
    SRCore::FileHandler::setTempFolder(m_files.filePath("temp"));
    QVERIFY(QDir().mkpath(m_files.filePath("temp")));
}

void tst_ValueEditors::init()
{
    QSettings().clear();
}

void tst_ValueEditors::dialogSetsTheValue_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < rows().size(); ++i) {
        QTest::newRow(rows().at(i).name) << i;
    }
}

void tst_ValueEditors::dialogSetsTheValue()
{
    QFETCH(int, row);
    const Row &r = rows().at(row);
    FakeAppProxy proxy;
    Editing editing(r.tag, r.type, r.editors, r.start);
    QSignalSpy changes(editing.property, &IProperty::propertyChanged);

    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<QDialog>([&r](QDialog *dialog) {
        const auto closer = closeWhenDone(dialog);
        r.drive(dialog);
        QVERIFY(press(dialog, "okButton"));
    }));
    QVERIFY(editing.choose(r.label));
    QVERIFY(dialogs.answeredAll());

    QCOMPARE(editing.property->valueText(), r.expected);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(editing.shownValue(), r.shown);
    QCOMPARE(proxy.requests.size(), 1);
}

void tst_ValueEditors::cancelChangesNothing_data()
{
    dialogSetsTheValue_data();
}

void tst_ValueEditors::cancelChangesNothing()
{
    QFETCH(int, row);
    const Row &r = rows().at(row);
    FakeAppProxy proxy;
    const QString start = r.start.isEmpty() ? QStringLiteral("kept") : r.start;
    Editing editing(r.tag, r.type, r.editors + ";inline", start, XMLValues::EDITOR_INLINE);
    const QString shown = editing.shownValue();
    QSignalSpy changes(editing.property, &IProperty::propertyChanged);

    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<QDialog>([&r](QDialog *dialog) {
        const auto closer = closeWhenDone(dialog);
        r.drive(dialog);
        QVERIFY(press(dialog, "cancelButton"));
    }));
    QVERIFY(editing.choose(r.label));
    QVERIFY(dialogs.answeredAll());

    QCOMPARE(editing.property->valueText(), start);
    QCOMPARE(editing.property->editor(), XMLValues::EDITOR_INLINE);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(editing.shownValue(), shown);
}

void tst_ValueEditors::valueReopensInItsDialog()
{
    FakeAppProxy proxy;
    const QString value = records("userdatafieldsedit", {{"Customer", "", "ACME"}});
    Editing editing(XMLKey::USERDATA, "fieldsdef", "userdatafieldsedit", value);
    QList<QStringList> shown;
    DialogAnswerer dialogs;
    dialogs.then(
        DialogAnswerer::with<GuiLib::DataFieldsDialog>([&shown](GuiLib::DataFieldsDialog *dialog) {
            shown = dialog->rows();
            dialog->reject();
        }));
    editing.reopen();
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(shown, (QList<QStringList>{{"Customer", "ACME"}}));
    QCOMPARE(editing.property->valueText(), value);
}

void tst_ValueEditors::datasetBackingFiles_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("problem"); // empty: accepted

    // clang-format off
    QTest::newRow("XML that parses")         << "XML"    << QByteArray("<Job><Id>7</Id></Job>") << "";
    QTest::newRow("JDF that parses")         << "JDF"    << QByteArray("<JDF ID=\"n1\"/>")       << "";
    QTest::newRow("a text file as XML")      << "XML"    << QByteArray("not xml at all")        << "is not an XML file";
    QTest::newRow("cut-off XMP")             << "XMP"    << QByteArray("<x:xmpmeta><rdf")       << "is not an XML file";
    QTest::newRow("XML that is no JDF")      << "JDF"    << QByteArray("<Job/>")                 << "it is not JDF";
    QTest::newRow("any file as Opaque")      << "Opaque" << QByteArray("\x00\x01 binary", 9)    << "";
    QTest::newRow("a file that is not there") << "XML"   << QByteArray()                        << "does not exist";
    // clang-format on
}

void tst_ValueEditors::datasetBackingFiles()
{
    QFETCH(QString, model);
    QFETCH(QByteArray, content);
    QFETCH(QString, problem);

    const QString path = m_files.filePath("dataset." + model.toLower());
    QFile::remove(path);
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }
    GuiLib::DataFieldsDialog dialog(nullptr, "Datasets",
                                    GuiLib::DataFieldsDialog::Use::MetadataDatasets,
                                    {{"Ticket", model, path}});
    dialog.show();
    QCOMPARE(dialogButton(&dialog, "okButton")->isEnabled(), problem.isEmpty());
    auto *errorText = dialog.findChild<QLabel *>("errorText");
    QCOMPARE(errorText->isVisible(), !problem.isEmpty());
    QVERIFY2(errorText->text().contains(problem), qPrintable(errorText->text()));
    if (!problem.isEmpty()) {
        QVERIFY(errorText->text().startsWith("Invalid metadata field definition"));
        // Opaque takes any file that is there.
        if (!content.isNull()) {
            pickInCell(table(&dialog), 0, 1, "Opaque");
            QVERIFY(dialogButton(&dialog, "okButton")->isEnabled());
        }
    }
}

void tst_ValueEditors::chooserOffersTheModelsFilesAndFolder()
{
    FakeAppProxy proxy;
    const QString jdfFolder = m_files.filePath("jdf");
    const QString xmlFolder = m_files.filePath("xml");
    QVERIFY(QDir().mkpath(jdfFolder));
    QVERIFY(QDir().mkpath(xmlFolder));
    const QString ticket = jdfFolder + "/ticket.jdf";
    QFile file(ticket);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("<JDF/>") == 6);
    file.close();
    proxy.writeSetting("Editors/Metadata_JDF_LastPath", jdfFolder);
    proxy.writeSetting("Editors/Metadata_XML_LastPath", xmlFolder);

    Editing editing(XMLKey::METADATADATASETS, "fieldsdef", "scriptermetadatafieldsedit", QString());
    QString startedIn;
    QStringList filters;
    DialogAnswerer dialogs;
    dialogs.then(
        DialogAnswerer::with<GuiLib::DataFieldsDialog>([&](GuiLib::DataFieldsDialog *dialog) {
            QVERIFY(press(dialog, "addButton"));
            QCOMPARE(dialog->rows().first(), (QStringList{"XML1", "XML", ""}));
            QVERIFY(!dialogButton(dialog, "okButton")->isEnabled());
            pickInCell(table(dialog), 0, 1, "JDF");
            DialogAnswerer chooser;
            chooser.then(DialogAnswerer::with<QFileDialog>([&](QFileDialog *files) {
                startedIn = files->directory().absolutePath();
                filters = files->nameFilters();
                chooseInDialog(files, ticket);
            }));
            QVERIFY(press(dialog, "chooseButton"));
            QVERIFY(chooser.answeredAll());
            QVERIFY(press(dialog, "okButton"));
        }));
    QVERIFY(editing.choose("Define metadata fields"));
    QVERIFY(dialogs.answeredAll());

    QCOMPARE(startedIn, jdfFolder);
    QCOMPARE(filters, QStringList{"Metadata files (*.jdf)"});
    QCOMPARE(editing.property->valueText(),
             records("scriptermetadatafieldsedit", {{"XML1", "JDF", ticket}}));
    QCOMPARE(proxy.readSetting("Editors/Metadata_JDF_LastPath", {}).toString(), jdfFolder);
}

void tst_ValueEditors::libraryKindsOfferTheOwnersItems_data()
{
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("messageKey");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("one item, the current one preselected")
        << "inline;askplugin"  << "Select from library"      << XMLKey::SELECTFROMLIBMESSAGE
        << "Second"            << "Third";
    QTest::newRow("several items, in the order chosen")
        << "inline;askplugin2" << "Select many from library" << XMLKey::SELECTMANYFROMLIBMESSAGE
        << list("askplugin2", {"Third"}) << list("askplugin2", {"Third", "First"});
    // clang-format on
}

void tst_ValueEditors::libraryKindsOfferTheOwnersItems()
{
    QFETCH(QString, editors);
    QFETCH(QString, label);
    QFETCH(QString, messageKey);
    QFETCH(QString, start);
    QFETCH(QString, expected);

    FakeAppProxy proxy;
    Editing editing("Steps", "string", editors, start, XMLValues::EDITOR_INLINE);
    editing.owner.library.insert("Steps", {"First", "Second", "Third"});
    editing.owner.fieldAttributes.insert("Steps/" + messageKey, "Pick the steps");
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<QDialog>([](QDialog *dialog) {
        const auto closer = closeWhenDone(dialog);
        QCOMPARE(dialog->findChild<QLabel *>("prompt")->text(), QStringLiteral("Pick the steps"));
        if (auto *one = qobject_cast<GuiLib::SelectFromLibraryDialog *>(dialog)) {
            QCOMPARE(one->currentItem(), QStringLiteral("Second"));
            auto *items = one->findChild<QListWidget *>();
            items->setCurrentItem(items->findItems("Third", Qt::MatchExactly).first());
        } else {
            auto *many = qobject_cast<GuiLib::SelectFromListDialog *>(dialog);
            QVERIFY(many);
            QCOMPARE(many->chosenItems(), QStringList{"Third"});
            chooseInList(many, {"First"});
        }
        QVERIFY(press(dialog, "okButton"));
    }));
    QVERIFY(editing.choose(label));
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(editing.property->valueText(), expected);
}

void tst_ValueEditors::externalEditor_data()
{
    QTest::addColumn<QString>("script"); // empty: no application
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("editing");    // a current value file to edit, or a new file
    QTest::addColumn<QString>("warning"); // empty: none
    QTest::addColumn<bool>("changed");

    // clang-format off
    QTest::newRow("edits the copy and ends well")      << "echo edited > \"$1\"" << true  << true  << ""                          << true;
    QTest::newRow("writes a new file and ends well")   << "echo edited > \"$1\"" << true  << false << ""                          << true;
    QTest::newRow("ends with an error")                << "echo edited > \"$1\"; exit 3" << true << true << ""                 << false;
    QTest::newRow("ends well without a new file")      << "exit 0"               << true  << false << ""                          << false;
    QTest::newRow("cannot be started")                 << "exit 0"               << false << true  << "Failed to start"           << false;
    QTest::newRow("is not there")                      << ""                     << true  << true  << "Can not find application" << false;
    // clang-format on
}

void tst_ValueEditors::externalEditor()
{
    QFETCH(QString, script);
    QFETCH(bool, executable);
    QFETCH(bool, editing);
    QFETCH(QString, warning);
    QFETCH(bool, changed);

    const QString application = m_files.filePath("editor.sh");
    QFile::remove(application);
    if (!script.isEmpty()) {
        QFile file(application);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + script.toUtf8() + "\n");
        file.close();
        QVERIFY(file.setPermissions(executable
                                        ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                        : QFile::ReadOwner | QFile::WriteOwner));
    }
    const QString current = m_files.filePath("settings.cfg");
    QFile file(current);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old\n") == 4);
    file.close();

    GuiLib::ValueEditorRequest request;
    request.editorType = XMLValues::EDITOR_EXTERNAL;
    request.currentValue = editing ? current : QString();
    request.fieldAttributes = {{XMLKey::EXTERNALAPPLICATION, application},
                               {XMLKey::EXTERNALARGFOREDIT, "--edit %1"},
                               {XMLKey::EXTERNALARGFORNEW, "%1"}};
    GuiLib::ExternalValueEditor editor(request);
    DialogAnswerer boxes;
    QCOMPARE(editor.exec(), changed);
    QCOMPARE(boxes.seen.size(), warning.isEmpty() ? 0 : 1);
    if (!warning.isEmpty()) {
        QVERIFY2(boxes.seen.first().startsWith("External editor|" + warning),
                 qPrintable(boxes.seen.first()));
    }
    if (changed) {
        QVERIFY(editor.value().endsWith(editing ? "/PropertySet.cfg" : "/PropertySet"));
        QFile written(editor.value());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("edited\n"));
    }
    // The current file is never touched.
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("old\n"));
}

TAVRIX_TEST_MAIN(tst_ValueEditors)
#include "tst_valueeditors.moc"
