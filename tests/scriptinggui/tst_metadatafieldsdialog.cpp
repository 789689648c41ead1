// The metadata fields dialog: adding, naming, removing and moving fields, the check of every
// field with its messages, the calculation dialogs, and the value a property gets through the
// application's factory, editable and read-only.

#include "common/testmain.h"

#include "common/propertyediting.h"
#include "common/scriptingappproxy.h"

#include "scriptinggui/metadatafieldsdialog.h"
#include "scriptinggui/scriptexpressiondialog.h"

#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"
#include "qsa/qseditor.h"

#include <Qsci/qsciscintilla.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>

using ScriptingGui::MetadataField;
using ScriptingGui::MetadataFieldsDialog;
using SRCore::XMLValueProcessor;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

template<typename Widget>
Widget *part(const QWidget *dialog, const char *name)
{
    return dialog->findChild<Widget *>(QLatin1String(name));
}

void retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

QStringList listed(const QWidget *dialog)
{
    QStringList labels;
    const auto *list = part<QListWidget>(dialog, "fieldList");
    for (int row = 0; row < list->count(); ++row) {
        labels.append(list->item(row)->text());
    }
    return labels;
}

QString errorShown(const QWidget *dialog)
{
    const auto *label = part<QLabel>(dialog, "errorText");
    return label->isVisible() ? label->text() : QString();
}

MetadataField stringField(const QString &label, const QString &format, const QString &value)
{
    return {{XMLKey::MD_LABEL, label},
            {XMLKey::MD_DATATYPE, XMLValues::EDITORTYPE_STRING},
            {XMLKey::MD_DATAFORMAT, format},
            {XMLKey::MD_DEFAULTVALUE, value}};
}

} // namespace

class tst_MetadataFieldsDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void newFieldsTakeTheFirstFreeNumber();
    void labelsStayUnique();
    void invalidFieldsAreNamed_data();
    void invalidFieldsAreNamed();
    void removingTheOnlyInvalidFieldEnablesOk();
    void calculatedScriptThatDoesNotCompile();
    void propertyGetsTheDefinitions();
    void readOnlyKindShowsWithoutEditing();
};

void tst_MetadataFieldsDialog::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("TavrixTest"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_MetadataFieldsDialog"));
}

void tst_MetadataFieldsDialog::newFieldsTakeTheFirstFreeNumber()
{
    MetadataFieldsDialog dialog(nullptr, {}, false);
    dialog.show();
    QVERIFY(press(&dialog, "addButton"));
    QVERIFY(press(&dialog, "addButton"));
    QVERIFY(press(&dialog, "addButton"));
    QCOMPARE(listed(&dialog),
             (QStringList{"Metadata Field 1", "Metadata Field 2", "Metadata Field 3"}));

    auto *list = part<QListWidget>(&dialog, "fieldList");
    list->setCurrentRow(0);
    QVERIFY(press(&dialog, "removeButton"));
    QVERIFY(press(&dialog, "addButton"));
    QCOMPARE(listed(&dialog),
             (QStringList{"Metadata Field 2", "Metadata Field 3", "Metadata Field 1"}));
    QVERIFY(press(&dialog, "moveUpButton"));
    QCOMPARE(listed(&dialog),
             (QStringList{"Metadata Field 2", "Metadata Field 1", "Metadata Field 3"}));
    QVERIFY(part<QPushButton>(&dialog, "moveDownButton")->isEnabled());
    QVERIFY(dialogButton(&dialog, "okButton")->isEnabled());
}

void tst_MetadataFieldsDialog::labelsStayUnique()
{
    MetadataFieldsDialog dialog(
        nullptr, {stringField("Customer", "", ""), stringField("Order", "", "")}, false);
    dialog.show();
    auto *label = part<QLineEdit>(&dialog, "label");
    QCOMPARE(label->text(), QStringLiteral("Customer"));

    retype(label, "Order"); // another field's label: refused
    QCOMPARE(label->text(), QStringLiteral("Customer"));
    QCOMPARE(listed(&dialog), (QStringList{"Customer", "Order"}));

    retype(label, "Client");
    QCOMPARE(listed(&dialog), (QStringList{"Client", "Order"}));
    QCOMPARE(dialog.fields().first().value(XMLKey::MD_LABEL), QStringLiteral("Client"));
}

void tst_MetadataFieldsDialog::invalidFieldsAreNamed_data()
{
    QTest::addColumn<QString>("type"); // "String", "Boolean" or "Choice"
    QTest::addColumn<QString>("items");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("script");
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<QString>("error"); // empty: valid

    // clang-format off
    QTest::newRow("a choice without items")    << "Choice" << ""       << ""        << false << ""      << "Items are not defined: Metadata Field 1";
    QTest::newRow("a choice with items")       << "Choice" << "Low;High" << ""      << false << ""      << "";
    QTest::newRow("a default that misses the format") << "String" << "" << "[0-9]+" << false << "12a"   << "Regular expression is invalid or default value doesn't match the data format for field(s): Metadata Field 1";
    QTest::newRow("a default in the format")   << "String" << ""       << "[0-9]+"  << false << "123"   << "";
    QTest::newRow("a format that does not compile") << "String" << ""  << "[0-9"    << false << ""      << "Regular expression is invalid or default value doesn't match the data format for field(s): Metadata Field 1";
    QTest::newRow("a default script with an error") << "String" << ""  << ""        << true  << "1 +"   << "Script expression or regular expression is invalid for field(s): Metadata Field 1";
    QTest::newRow("a default script that compiles") << "String" << ""  << "[0-9]+"  << true  << "\"a\" + 1" << "";
    QTest::newRow("a boolean")                 << "Boolean" << ""      << ""        << false << ""      << "";
    // clang-format on
}

void tst_MetadataFieldsDialog::invalidFieldsAreNamed()
{
    QFETCH(QString, type);
    QFETCH(QString, items);
    QFETCH(QString, format);
    QFETCH(bool, script);
    QFETCH(QString, defaultValue);
    QFETCH(QString, error);

    MetadataFieldsDialog dialog(nullptr, {}, false);
    dialog.show();
    QVERIFY(press(&dialog, "addButton"));
    auto *dataType = part<QComboBox>(&dialog, "dataType");
    dataType->setCurrentIndex(dataType->findText(type));
    if (type == "Choice") {
        QTest::keyClicks(part<QLineEdit>(&dialog, "items"), items);
    }
    if (type == "String") {
        QTest::keyClicks(part<QLineEdit>(&dialog, "format"), format);
        part<QCheckBox>(&dialog, "defineAsScript")->setChecked(script);
        QTest::keyClicks(part<QLineEdit>(&dialog, "defaultValue"), defaultValue);
    }
    QCOMPARE(errorShown(&dialog), error);
    QCOMPARE(dialogButton(&dialog, "okButton")->isEnabled(), error.isEmpty());
    QCOMPARE(dialog.invalidLabels().isEmpty(), error.isEmpty());
}

void tst_MetadataFieldsDialog::removingTheOnlyInvalidFieldEnablesOk()
{
    MetadataFieldsDialog dialog(
        nullptr, {stringField("Good", "", ""), stringField("Bad", "[a-z]+", "123")}, false);
    dialog.show();
    QCOMPARE(dialog.invalidLabels(), QStringList{"Bad"});
    QVERIFY(!dialogButton(&dialog, "okButton")->isEnabled());

    part<QListWidget>(&dialog, "fieldList")->setCurrentRow(1);
    QVERIFY(press(&dialog, "removeButton"));
    QCOMPARE(dialog.invalidLabels(), QStringList());
    QVERIFY(dialogButton(&dialog, "okButton")->isEnabled());
    QCOMPARE(errorShown(&dialog), QString());
}

void tst_MetadataFieldsDialog::calculatedScriptThatDoesNotCompile()
{
    MetadataFieldsDialog dialog(nullptr, {}, false);
    dialog.show();
    QVERIFY(press(&dialog, "addButton"));
    part<QCheckBox>(&dialog, "defineVariables")->setChecked(true);
    auto *calculation = part<QPushButton>(&dialog, "defineCalculation");
    QCOMPARE(calculation->text(), QStringLiteral("Define script expression"));

    // The script dialog refuses the error itself; a stored one is caught when it is read.
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<ScriptingGui::ScriptExpressionDialog>(
        [](ScriptingGui::ScriptExpressionDialog *script) {
            QsciScintilla *edit = script->findChild<QSEditor *>()->textEdit();
            edit->setFocus();
            QTest::keyClicks(edit, "job.getName().length");
            QVERIFY(press(script, "okButton"));
        }));
    QTest::mouseClick(calculation, Qt::LeftButton);
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(part<QLabel>(&dialog, "calculationSummary")->text(),
             QStringLiteral("Script expression defined"));
    QVERIFY(dialogButton(&dialog, "okButton")->isEnabled());
    const QList<MetadataField> fields = dialog.fields();
    QCOMPARE(fields.first().value(XMLKey::MD_DEFINEVARIABLES), XMLValues::EDITOR_SCRIPTEXP);
    QCOMPARE(fields.first().value(XMLKey::MD_DEFAULTVALUE), QStringLiteral("job.getName().length"));

    MetadataField broken = fields.first();
    broken.insert(XMLKey::MD_DEFAULTVALUE, QStringLiteral("job.("));
    MetadataFieldsDialog stored(nullptr, {stringField("Other", "", ""), broken}, false);
    stored.show();
    QCOMPARE(errorShown(&stored),
             QStringLiteral("Script expression is invalid for one of the fields."));

    // The other kinds of calculation name their dialogs.
    part<QComboBox>(&dialog, "calculation")->setCurrentIndex(2);
    QCOMPARE(calculation->text(), QStringLiteral("Define condition with variables"));
}

void tst_MetadataFieldsDialog::propertyGetsTheDefinitions()
{
    ScriptingAppProxy proxy;
    Editing editing("Fields", "string", "metadatafieldsedit;metadatafieldsread", QString(),
                    XMLValues::EDITOR_METADADTAFIELDSEDIT);
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<MetadataFieldsDialog>([](MetadataFieldsDialog *dialog) {
        const auto closer = closeWhenDone(dialog);
        QVERIFY(press(dialog, "addButton"));
        retype(part<QLineEdit>(dialog, "label"), "Priority");
        auto *dataType = part<QComboBox>(dialog, "dataType");
        dataType->setCurrentIndex(dataType->findText("Choice"));
        QTest::keyClicks(part<QLineEdit>(dialog, "items"), "Low;High");
        QVERIFY(press(dialog, "addButton"));
        QVERIFY(press(dialog, "okButton"));
    }));
    editing.reopen();
    QVERIFY(dialogs.answeredAll());
    const XMLValueProcessor value(editing.property->valueText());
    QCOMPARE(value.valueType(), XMLValueProcessor::ValueType::EditableMetadataFields);
    QCOMPARE(value.metadataFields().size(), 2);
    QCOMPARE(value.metadataFields().first().value(XMLKey::MD_LABEL), QStringLiteral("Priority"));
    QCOMPARE(value.metadataFields().first().value(XMLKey::MD_DATATYPE),
             QStringLiteral("enum:Low;High"));
    QCOMPARE(value.metadataFields().last().value(XMLKey::MD_LABEL),
             QStringLiteral("Metadata Field 1"));
    QCOMPARE(editing.shownValue(), QStringLiteral("Editable metadata fields defined"));

    // Reopened, the same definitions; Cancel keeps them.
    const QString stored = editing.property->valueText();
    dialogs.then(DialogAnswerer::with<MetadataFieldsDialog>([](MetadataFieldsDialog *dialog) {
        const auto closer = closeWhenDone(dialog);
        QCOMPARE(listed(dialog), (QStringList{"Priority", "Metadata Field 1"}));
        QVERIFY(press(dialog, "removeButton"));
        QVERIFY(press(dialog, "cancelButton"));
    }));
    editing.reopen();
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(editing.property->valueText(), stored);
}

void tst_MetadataFieldsDialog::readOnlyKindShowsWithoutEditing()
{
    ScriptingAppProxy proxy;
    const QString value = XMLValueProcessor::generateXMLValue(
        XMLValues::EDITOR_METADADTAFIELDSREAD, QList<MetadataField>{stringField("Job", "", "x")});
    Editing editing("Fields", "string", "metadatafieldsread", value,
                    XMLValues::EDITOR_METADADTAFIELDSREAD);
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<MetadataFieldsDialog>([](MetadataFieldsDialog *dialog) {
        const auto closer = closeWhenDone(dialog);
        QCOMPARE(listed(dialog), QStringList{"Job"});
        QVERIFY(!part<QLineEdit>(dialog, "label")->isEnabled());
        QVERIFY(!dialogButton(dialog, "addButton")->isEnabled());
        QVERIFY(press(dialog, "okButton"));
    }));
    editing.reopen();
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(XMLValueProcessor(editing.property->valueText())
                 .metadataFields()
                 .first()
                 .value(XMLKey::MD_LABEL),
             QStringLiteral("Job"));
    QCOMPARE(editing.shownValue(), QStringLiteral("Read-only metadata fields defined"));
}

TAVRIX_TEST_MAIN(tst_MetadataFieldsDialog)
#include "tst_metadatafieldsdialog.moc"
