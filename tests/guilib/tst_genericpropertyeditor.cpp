// The generic property editor inside the properties explorer, used as a user would: the kinds
// menu and its order, fixed values, the inline fields, the file and folder dialogs with their
// remembered folders and placement, and the summary of the read-only field.

#include "common/testmain.h"

#include "common/propertyediting.h"

#include "common/testfiles.h"

#include "guilib/property/genericproperty.h"
#include "guilib/property/genericpropertyeditor.h"
#include "guilib/property/propertiesexplorer.h"
#include "guilib/property/propertiesexplorermodel.h"
#include "guilib/property/propertycollection.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QIntValidator>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTranslator>

#include <functional>

using GuiLib::GenericProperty;
using GuiLib::GenericPropertyEditor;
using GuiLib::IProperty;
using GuiLib::PropertiesExplorer;
using GuiLib::PropertyCollection;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

QStringList texts(const QList<QAction *> &actions)
{
    QStringList texts;
    for (const QAction *action : actions) {
        texts.append(action->text());
    }
    return texts;
}

// Opens the current kind's file dialog with its button and answers it with `answer`; false when
// no dialog came.
bool answerFileDialog(const Editing &editing, const std::function<void(QFileDialog *)> &answer)
{
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<QFileDialog>(answer));
    editing.reopen();
    return dialogs.answeredAll();
}

// The user picks `item` in the open list of `combo`.
void pickFromList(QComboBox *combo, const QString &item)
{
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex index = view->model()->index(combo->findText(item), 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

} // namespace

class tst_GenericPropertyEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void kindsMenuInMenuOrder_data();
    void kindsMenuInMenuOrder();
    void fixedKindsSetTheirValueAtOnce_data();
    void fixedKindsSetTheirValueAtOnce();
    void choosingInlineStartsFromAFittingValue_data();
    void choosingInlineStartsFromAFittingValue();
    void boolListOffersYesAndNo();
    void enumerationListAndLanguageNames();
    void inlineLineEdits_data();
    void inlineLineEdits();
    void autoManagedPathLocksTheInlineValue();
    void chooseFileStartsInTheRememberedFolder();
    void chooseFileStartsInTheDefaultLocation();
    void chooseFolderKeepsForwardSlashes();
    void chosenLinkIsReplacedByItsTarget();
    void cancelledDialogChangesNothing();
    void doubleClickReopensTheDialogWhereItWas();
    void ftpFolderEditorGetsTheConnection();
};

void tst_GenericPropertyEditor::init()
{
    QSettings().clear();
}

void tst_GenericPropertyEditor::kindsMenuInMenuOrder_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QStringList>("labels");

    // clang-format off
    QTest::newRow("folder filter kinds in menu order") << "string" << "scriptexp;regexp;folderpatterns;allotherfolders;allfolders" << QStringList{"All folders", "All other folders", "Define folder patterns", "Define regular expression", "Define script expression"};
    QTest::newRow("unknown kinds follow in their own order") << "string" << "zeta;scriptexp;alpha;inline;none" << QStringList{"None", "Inline value", "Define script expression", "zeta", "alpha"};
    QTest::newRow("display flags are no choice") << "enum:Data;Log" << "inline;popup;hidden" << QStringList{"Inline value"};
    QTest::newRow("a file filter does not show in the label") << "path" << "none;choosefile|Image PNG 32x32 (*.png)" << QStringList{"None", "Choose file"};
    QTest::newRow("generic kinds read as folders for folder filters") << "folderfilter" << "all;allother;no;patterns" << QStringList{"No folders", "All folders", "All other folders", "Define folder patterns"};
    QTest::newRow("selecting from the script's library") << "string" << "askplugin;askplugin2;inline" << QStringList{"Inline value", "Select from library", "Select many from library"};
    QTest::newRow("kinds with and without a dialog can be chosen") << "string" << "printsettings;metadatafieldsread" << QStringList{"Define metadata fields (read-only)", "Define print settings"};
    // clang-format on
}

void tst_GenericPropertyEditor::kindsMenuInMenuOrder()
{
    QFETCH(QString, type);
    QFETCH(QString, editors);
    QFETCH(QStringList, labels);

    Editing editing(QStringLiteral("Mask"), type, editors, QString());
    QVERIFY(editing.editor());
    const QList<QAction *> kinds = editing.kinds();
    QCOMPARE(texts(kinds), labels);
    // Every kind can be chosen: each has its value or its dialog.
    for (const QAction *kind : kinds) {
        QVERIFY2(kind->isEnabled(), qPrintable(kind->text()));
    }
}

void tst_GenericPropertyEditor::fixedKindsSetTheirValueAtOnce_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");

    const QString string = XMLValues::EDITORTYPE_STRING;
    const QString folders = XMLValues::EDITORTYPE_FOLDERFILTER;
    const QString files = XMLValues::EDITORTYPE_FILEFILTER;
    // The value of each kind is EditorKinds' table; a row for each way the editor applies it.
    // clang-format off
    QTest::newRow("all folders") << string << "allfolders;allotherfolders;folderpatterns;regexp;scriptexp" << "All folders" << XMLValues::ALLFOLDERS << "All folders";
    QTest::newRow("all of a folder filter") << folders << "all;patterns" << "All folders" << XMLValues::ALLFOLDERS << "All folders";
    QTest::newRow("all other of a file filter") << files << "allother;patterns" << "All other files" << XMLValues::ALLOTHERFILES << "All other files";
    QTest::newRow("no of a folder filter") << folders << "no;patterns" << "No folders" << XMLValues::NOFOLDERS << "No folders";
    QTest::newRow("no as a bool") << XMLValues::EDITORTYPE_BOOL << "nobool;scriptexp" << "No" << XMLValues::NO << "No";
    QTest::newRow("auto-managed") << "path" << "automanaged;choosefolder" << "Auto-managed" << XMLValues::AUTOMANAGED << "Auto-managed";
    QTest::newRow("private data") << string << "userdata;systemdata" << "Private data" << XMLValues::UP_USERDATA << "User data";
    QTest::newRow("default") << XMLValues::EDITORTYPE_NUMBER << "inline;default" << "Default" << XMLValues::UP_DEFAULT << "Default";
    // clang-format on
}

void tst_GenericPropertyEditor::fixedKindsSetTheirValueAtOnce()
{
    QFETCH(QString, type);
    QFETCH(QString, editors);
    QFETCH(QString, label);
    QFETCH(QString, value);
    QFETCH(QString, shown);

    Editing editing("Mask", type, editors, QStringLiteral("*.txt"), XMLValues::EDITOR_REGEXP);
    QSignalSpy changes(editing.property, &IProperty::propertyChanged);

    QVERIFY(editing.choose(label));

    QCOMPARE(editing.property->valueText(), value);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(editing.property->previousValue().toString(), QStringLiteral("*.txt"));
    QCOMPARE(editing.shownValue(), shown);
    auto *field = qobject_cast<QLineEdit *>(editing.field());
    QVERIFY(field && field->isReadOnly());
    QCOMPARE(field->text(), shown);
    QVERIFY(!editing.button("dialogButton")->isEnabled());
    // The kinds button names the kind in use.
    const QString kindsTip = editing.button("kindsButton")->toolTip();
    QVERIFY2(kindsTip.contains(label) && !kindsTip.contains("regular expression"),
             qPrintable(kindsTip));
}

void tst_GenericPropertyEditor::choosingInlineStartsFromAFittingValue_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QString>("kind"); // the kind in use before
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("start");

    // clang-format off
    QTest::newRow("bool starts with Yes") << "bool" << "inline;nobool" << "nobool" << XMLValues::NO << XMLValues::YES;
    QTest::newRow("number starts with 0") << "number" << "inline;default" << "default" << XMLValues::UP_DEFAULT << "0";
    QTest::newRow("enumeration starts with its first item") << "enum:Serialized;Concurrent" << "inline;scriptexp;none" << "none" << XMLValues::NONE << "Serialized";
    QTest::newRow("text keeps its value") << "string" << "inline;none" << "none" << "kept" << "kept";
    // clang-format on
}

void tst_GenericPropertyEditor::choosingInlineStartsFromAFittingValue()
{
    QFETCH(QString, type);
    QFETCH(QString, editors);
    QFETCH(QString, kind);
    QFETCH(QString, value);
    QFETCH(QString, start);

    Editing editing("Setting", type, editors, value, kind);
    QVERIFY(editing.choose("Inline value"));

    QCOMPARE(editing.property->editor(), XMLValues::EDITOR_INLINE);
    QCOMPARE(editing.property->valueText(), start);
    const bool listed = type == QLatin1String("bool") || type.startsWith(QLatin1String("enum"));
    QCOMPARE(qobject_cast<QComboBox *>(editing.field()) != nullptr, listed);
}

void tst_GenericPropertyEditor::boolListOffersYesAndNo()
{
    Editing editing("Enabled", "bool", "inline", XMLValues::YES);
    auto *list = qobject_cast<QComboBox *>(editing.field());
    QVERIFY(list);
    QCOMPARE(list->currentText(), QStringLiteral("Yes"));

    // Down does not reach the list: it would change the value unnoticed.
    QSignalSpy changes(editing.property, &IProperty::propertyChanged);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentText(), QStringLiteral("Yes"));

    pickFromList(list, QStringLiteral("No"));
    QCOMPARE(editing.property->valueText(), XMLValues::NO);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(editing.shownValue(), QStringLiteral("No"));
}

// "Yes" and "No" and the enumeration items appear through the PropertyEnums catalogue.
class EnumsTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "PropertyEnums") != 0) {
            return {};
        }
        return QStringLiteral("<") + QString::fromUtf8(sourceText) + QStringLiteral(">");
    }
    bool isEmpty() const override { return false; }
};

void tst_GenericPropertyEditor::enumerationListAndLanguageNames()
{
    EnumsTranslator translator;
    QCoreApplication::installTranslator(&translator);
    {
        Editing editing("Mode", "enum:Serialized;Concurrent;Persistent", "inline;popup",
                        "Concurrent");
        auto *list = qobject_cast<QComboBox *>(editing.field());
        QVERIFY(list);
        QCOMPARE(list->itemText(0), QStringLiteral("<Serialized>"));
        QCOMPARE(list->itemData(2).toString(), QStringLiteral("Persistent"));
        QCOMPARE(list->currentText(), QStringLiteral("<Concurrent>"));
        QCOMPARE(list->view()->textElideMode(), Qt::ElideRight);
        QVERIFY(editing.button("dialogButton")->isVisible());

        pickFromList(list, QStringLiteral("<Persistent>"));
        QCOMPARE(editing.property->valueText(), QStringLiteral("Persistent"));
    }
    {
        Editing editing(XMLValues::UP_UI_LANGUAGE, "enum:en;de", "inline", "de");
        auto *list = qobject_cast<QComboBox *>(editing.field());
        QVERIFY(list);
        QCOMPARE(list->itemText(1), QStringLiteral("de"));
        QCOMPARE(editing.shownValue(), QStringLiteral("de"));
    }
    QCoreApplication::removeTranslator(&translator);
}

void tst_GenericPropertyEditor::inlineLineEdits_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("echo");
    QTest::addColumn<QString>("mask");

    // clang-format off
    QTest::newRow("password hidden while typed and shown masked") << "Password" << "password" << "s3cret" << "s3cret" << "******" << int(QLineEdit::Password) << "";
    QTest::newRow("time with the hours-and-minutes mask") << "Start" << "time" << "0730" << "07:30" << "07:30" << int(QLineEdit::Normal) << "99:99";
    QTest::newRow("clean-up time masked whatever its type") << XMLValues::UP_AD_CLEANUPAT << "string" << "2315" << "23:15" << "23:15" << int(QLineEdit::Normal) << "99:99";
    QTest::newRow("number keeps only digits") << "IdleAfterJob" << "number" << "4x2" << "42" << "42" << int(QLineEdit::Normal) << "";
    QTest::newRow("text as typed") << "Name" << "string" << "a/b c" << "a/b c" << "a/b c" << int(QLineEdit::Normal) << "";
    // clang-format on
}

void tst_GenericPropertyEditor::inlineLineEdits()
{
    QFETCH(QString, tag);
    QFETCH(QString, type);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(int, echo);
    QFETCH(QString, mask);

    Editing editing(tag, type, "inline", QString());
    QVERIFY(QTest::qWaitForWindowActive(&editing.explorer));
    auto *lineEdit = qobject_cast<QLineEdit *>(editing.field());
    QVERIFY(lineEdit && !lineEdit->isReadOnly());
    QCOMPARE(int(lineEdit->echoMode()), echo);
    QCOMPARE(lineEdit->inputMask(), mask);
    QCOMPARE(lineEdit->validator(), editing.property->validator());
    QVERIFY(!lineEdit->hasFrame());

    lineEdit->setFocus();
    lineEdit->selectAll();
    QTest::keyClicks(lineEdit, typed);
    QTest::keyClick(lineEdit, Qt::Key_Tab); // leaves the field: commits

    QCOMPARE(editing.property->valueText(), stored);
    QCOMPARE(editing.shownValue(), shown);
}

void tst_GenericPropertyEditor::autoManagedPathLocksTheInlineValue()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    FakeAppProxy proxy;
    Editing editing(XMLKey::PATH, "path", "inline;automanaged;choosefolder",
                    XMLValues::AUTOMANAGED);
    QCOMPARE(editing.property->editor(), XMLValues::EDITOR_AUTOMANAGED);
    const auto inlineAction = [&] {
        const QList<QAction *> kinds = editing.kinds();
        return kinds.at(texts(kinds).indexOf("Inline value"));
    };
    QVERIFY(!inlineAction()->isEnabled());

    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<QFileDialog>(
        [&](QFileDialog *dialog) { chooseInDialog(dialog, folder.path()); }));
    QVERIFY(editing.choose("Choose folder"));
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(editing.property->valueText(), folder.path());
    QVERIFY(inlineAction()->isEnabled());

    QVERIFY(editing.choose("Auto-managed"));
    QVERIFY(!inlineAction()->isEnabled());
    QCOMPARE(editing.shownValue(), QStringLiteral("Auto-managed"));
}

void tst_GenericPropertyEditor::chooseFileStartsInTheRememberedFolder()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString remembered = root.filePath("jobs");
    const QString job = remembered + "/job.pdf";
    QVERIFY(QDir().mkpath(remembered));
    QVERIFY(TestFiles::writeFile(job, "x"));
    FakeAppProxy proxy;
    proxy.writeSetting("Editors/ScriptFixture_FileOrFolder_Description_LastPath", remembered);

    Editing editing(XMLKey::FILEORFOLDER, "path", "choosefile;choosefolder", QString(), QString(),
                    QStringLiteral("File or folder"));
    QString startedIn;
    QString title;
    QStringList filters;
    QSignalSpy changes(editing.property, &IProperty::propertyChanged);
    QVERIFY(answerFileDialog(editing, [&](QFileDialog *dialog) {
        startedIn = dialog->directory().absolutePath();
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        chooseInDialog(dialog, job);
    }));
    QCOMPARE(startedIn, remembered);
    QCOMPARE(title, QStringLiteral("Choose file: File or folder"));
    QCOMPARE(filters, QStringList{"All files (*)"});
    QCOMPARE(editing.property->valueText(), job);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(proxy.requests.size(), 1);
    QCOMPARE(proxy.requests.first().ownerType, XMLKey::SCRIPTFIXTURE);
    QCOMPARE(proxy.requests.first().tag, XMLKey::FILEORFOLDER);
    QCOMPARE(proxy.readSetting("Editors/ScriptFixture_FileOrFolder_Description_LastPath", {}),
             QVariant(remembered));
}

void tst_GenericPropertyEditor::chooseFileStartsInTheDefaultLocation()
{
    const QString icons = QStringLiteral("/usr/share/icons");
    if (!QFileInfo(icons).isDir()) {
        QSKIP("the default location of icons does not exist here");
    }
    FakeAppProxy proxy;
    Editing editing("Icon", "path", "none;choosefile|Image PNG 32x32 (*.png)", QString());
    editing.owner.type = XMLKey::SCRIPTDECLARATION;
    QString startedIn;
    QStringList filters;
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<QFileDialog>([&](QFileDialog *dialog) {
        startedIn = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        dialog->reject();
    }));
    QVERIFY(editing.choose("Choose file"));

    QVERIFY(dialogs.answeredAll());
    QCOMPARE(startedIn, icons);
    QCOMPARE(filters, QStringList{"Image PNG 32x32 (*.png)"});
    QCOMPARE(editing.property->valueText(), QString());
}

void tst_GenericPropertyEditor::chooseFolderKeepsForwardSlashes()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString chosen = root.filePath("out put");
    QVERIFY(QDir().mkpath(chosen));
    Editing editing(XMLKey::TESTFOLDER, "path", "choosefolder", QString());
    QVERIFY(answerFileDialog(editing, [&](QFileDialog *dialog) {
        QVERIFY(dialog->fileMode() == QFileDialog::Directory);
        chooseInDialog(dialog, chosen);
    }));
    QCOMPARE(editing.property->valueText(), chosen);
    QVERIFY(editing.property->valueText().contains('/'));
    QCOMPARE(editing.shownValue(), QDir::toNativeSeparators(chosen));
}

void tst_GenericPropertyEditor::chosenLinkIsReplacedByItsTarget()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString target = root.filePath("real.txt");
    const QString link = root.filePath("link.txt");
    QVERIFY(TestFiles::writeFile(target, "x"));
    QVERIFY(QFile::link(target, link));
    Editing editing("Input", "path", "choosefile", QString());
    QVERIFY(answerFileDialog(editing, [&](QFileDialog *dialog) { chooseInDialog(dialog, link); }));
    QCOMPARE(editing.property->valueText(), QFileInfo(target).canonicalFilePath());
}

void tst_GenericPropertyEditor::cancelledDialogChangesNothing()
{
    FakeAppProxy proxy;
    Editing editing("Input", "path", "choosefile", QStringLiteral("/kept/file.txt"));
    QSignalSpy changes(editing.property, &IProperty::propertyChanged);
    QVERIFY(answerFileDialog(editing, [](QFileDialog *dialog) { dialog->reject(); }));
    QCOMPARE(editing.property->valueText(), QStringLiteral("/kept/file.txt"));
    QCOMPARE(changes.count(), 0);
    QVERIFY(!QSettings().contains("Editors/ScriptFixture_Input_Description_LastPath"));
}

void tst_GenericPropertyEditor::doubleClickReopensTheDialogWhereItWas()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    FakeAppProxy proxy;
    Editing editing("Input", "path", "choosefile", QString());
    QVERIFY(QTest::qWaitForWindowExposed(&editing.explorer));

    QRect firstGeometry;
    QVERIFY(answerFileDialog(editing, [&](QFileDialog *dialog) {
        dialog->resize(420, 330);
        dialog->move(40, 30);
        firstGeometry = QRect(dialog->pos(), dialog->size());
        dialog->reject();
    }));

    QRect secondGeometry;
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<QFileDialog>([&](QFileDialog *dialog) {
        secondGeometry = QRect(dialog->pos(), dialog->size());
        dialog->reject();
    }));
    const QRect nameCell = editing.explorer.visualRect(editing.valueIndex().siblingAtColumn(0));
    QTest::mouseDClick(editing.explorer.viewport(), Qt::LeftButton, {}, nameCell.center());
    QTRY_VERIFY(dialogs.answeredAll());
    QCOMPARE(secondGeometry, firstGeometry);

    // A position off every screen is not used.
    proxy.writeSetting("Editors/Generic_Pos", QPoint(-30000, -30000));
    QPoint thirdPosition;
    QVERIFY(answerFileDialog(editing, [&](QFileDialog *dialog) {
        thirdPosition = dialog->pos();
        dialog->reject();
    }));
    QVERIFY(thirdPosition != QPoint(-30000, -30000));
}

void tst_GenericPropertyEditor::ftpFolderEditorGetsTheConnection()
{
    PropertyCollection properties(QStringLiteral("Set"));
    const auto add = [&](const QString &tag, const QString &value) {
        auto *property =
            new GenericProperty(value, tag, tag, "string", "inline", QString(), QString(), nullptr);
        properties.append(property);
        return property;
    };
    add(XMLKey::FTPSERVER, "ftp.example.com");
    add(XMLKey::FTPPORT, "21");
    add(XMLKey::FTPLOGIN, "me");
    GenericProperty *directory = add(XMLKey::FTPDIRECTORY, "/in");
    directory->setAttributes({{QStringLiteral("Own"), QStringLiteral("kept")}});

    QWidget parent;
    std::unique_ptr<QWidget> widget(directory->createEditor(&parent, nullptr, nullptr));
    auto *editor = qobject_cast<GenericPropertyEditor *>(widget.get());
    QVERIFY(editor);
    const GuiLib::PropertyAttributes attributes = editor->attributes();
    QCOMPARE(attributes.value(XMLKey::FTPSERVER), QStringLiteral("ftp.example.com"));
    QCOMPARE(attributes.value(XMLKey::FTPPORT), QStringLiteral("21"));
    QCOMPARE(attributes.value(XMLKey::FTPLOGIN), QStringLiteral("me"));
    QVERIFY(!attributes.contains(XMLKey::FTPPASSWORD));
    QCOMPARE(attributes.value("Own"), QStringLiteral("kept"));

    // The property takes them back with the value when the explorer commits.
    directory->setModelData(editor);
    QCOMPARE(directory->attributes(), attributes);
}

TAVRIX_TEST_MAIN(tst_GenericPropertyEditor)
#include "tst_genericpropertyeditor.moc"
