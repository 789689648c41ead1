// The property model: values and their change signal, inline validation, dependents and their
// visibility, ownership of children, building a property set from a flow object, and the
// predicates and tool tip of a generic property.

#include "common/testmain.h"

#include "common/propertytestsupport.h"

#include "guilib/property/genericproperty.h"
#include "guilib/property/propertycollection.h"

#include "corelib/common/xmlerror.h"
#include "corelib/flow/flowobject.h"
#include "corelib/values/timevalidator.h"
#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <memory>

using GuiLib::GenericProperty;
using GuiLib::IProperty;
using GuiLib::IPropertyGroup;
using GuiLib::PropertyCollection;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

std::unique_ptr<GenericProperty> makeProperty(const QString &tag, const QString &value,
                                              const QString &type = XMLValues::EDITORTYPE_STRING,
                                              const QString &editors = XMLValues::EDITOR_INLINE,
                                              const QString &editor = QString(),
                                              IPropertyParent *owner = nullptr)
{
    return std::make_unique<GenericProperty>(value, tag, tag, type, editors, QString(), editor,
                                             owner);
}

// A dependent of a master value or values (";"-separated).
GenericProperty *makeDependent(const QString &tag, const QString &masterValues,
                               const QString &condition = XMLValues::CONDITION_EQUALS)
{
    auto *dependent = new GenericProperty(QString(), tag, tag, XMLValues::EDITORTYPE_STRING,
                                          XMLValues::EDITOR_INLINE, QString(), QString(), nullptr);
    dependent->setDependent(true);
    dependent->setDependencyValue(masterValues);
    dependent->setDependencyCondition(condition);
    return dependent;
}

SRCore::FlowObject objectFromFields(const QString &fields)
{
    SRCore::XmlError error;
    const SRCore::FlowObject object =
        SRCore::FlowObject::fromXml(QStringLiteral("<Object Class=\"Test\" Id=\"1\"><Fields>")
                                        + fields + QStringLiteral("</Fields></Object>"),
                                    &error);
    if (object.isNull()) {
        qWarning() << error.toString();
    }
    return object;
}

// The runs of a rich text with their formatting: "text" plain, "/text/" italic, "*text*" bold.
QStringList formattedRuns(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    QStringList runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            QString text = fragment.text();
            if (format.fontItalic()) {
                text = QLatin1Char('/') + text + QLatin1Char('/');
            } else if (format.fontWeight() >= QFont::Bold) {
                text = QLatin1Char('*') + text + QLatin1Char('*');
            }
            runs.append(text);
        }
    }
    runs.removeAll(QString());
    return runs;
}

} // namespace

class tst_PropertyModel : public QObject
{
    Q_OBJECT

private slots:
    void settingValueSignalsOnlyChanges_data();
    void settingValueSignalsOnlyChanges();
    void inlineValidatorGuardsTheValue_data();
    void inlineValidatorGuardsTheValue();

    void dependentsShownByMasterValue_data();
    void dependentsShownByMasterValue();
    void insertOnlyAtExistingPositions_data();
    void insertOnlyAtExistingPositions();
    void groupOwnsItsChildren();
    void removeAndClearHandChildrenBack();
    void childMovesBetweenGroupsAndCyclesAreRefused();
    void findPropertySearchesTheWholeTree();
    void connectPropertyChangedReachesHiddenChildren();

    void buildFromFlowObject();
    void buildResolvesDependentsInAnyOrder();
    void buildDropsDependentsWithoutMaster();

    void initialEditorAndChoice_data();
    void initialEditorAndChoice();
    void predicates_data();
    void predicates();
    void specialValues_data();
    void specialValues();
    void tooltipIsRichText_data();
    void tooltipIsRichText();
    void validityComesFromTheOwner();
};

void tst_PropertyModel::settingValueSignalsOnlyChanges_data()
{
    QTest::addColumn<QString>("editorBefore"); // set twice, so that it is also the previous one
    QTest::addColumn<QString>("editorChange"); // set once more before the value; empty: none
    QTest::addColumn<bool>("withAttributes");
    QTest::addColumn<QString>("newValue");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("force");
    QTest::addColumn<int>("signalCount");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("previousValue");

    const QString inlineEditor = XMLValues::EDITOR_INLINE;
    // clang-format off
    QTest::newRow("a new value signals once and keeps the old one as previous") << inlineEditor << QString() << false << "new" << false << false << 1 << "new" << "old";
    QTest::newRow("the same value with the same editor signals nothing") << inlineEditor << QString() << false << "old" << false << false << 0 << "old" << "";
    QTest::newRow("the same value forced signals once") << inlineEditor << QString() << false << "old" << false << true << 1 << "old" << "old";
    QTest::newRow("the same value after a change of editor signals once") << inlineEditor << XMLValues::EDITOR_DESCRIPTION << false << "old" << false << false << 1 << "old" << "old";
    QTest::newRow("the same value with editor attributes signals once") << inlineEditor << QString() << true << "old" << false << false << 1 << "old" << "old";
    QTest::newRow("a silent change is stored without a signal") << inlineEditor << QString() << false << "new" << true << false << 0 << "new" << "old";
    // clang-format on
}

void tst_PropertyModel::settingValueSignalsOnlyChanges()
{
    QFETCH(QString, editorBefore);
    QFETCH(QString, editorChange);
    QFETCH(bool, withAttributes);
    QFETCH(QString, newValue);
    QFETCH(bool, silent);
    QFETCH(bool, force);
    QFETCH(int, signalCount);
    QFETCH(QString, value);
    QFETCH(QString, previousValue);

    auto property =
        makeProperty(QStringLiteral("Keywords"), QStringLiteral("old"),
                     XMLValues::EDITORTYPE_STRING, QStringLiteral("inline;description"));
    property->setEditor(editorBefore);
    property->setEditor(editorBefore);
    if (!editorChange.isEmpty()) {
        property->setEditor(editorChange);
        QCOMPARE(property->previousEditor(), editorBefore);
    }
    if (withAttributes) {
        property->setAttributes({{XMLKey::FTPSERVER, QStringLiteral("ftp.example.com")}});
    }
    QSignalSpy changes(property.get(), &IProperty::propertyChanged);

    property->setValue(newValue, silent, force);

    QCOMPARE(changes.count(), signalCount);
    QCOMPARE(property->value().toString(), value);
    QCOMPARE(property->valueText(), value);
    QCOMPARE(property->previousValue().toString(), previousValue);
}

void tst_PropertyModel::inlineValidatorGuardsTheValue_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("stored"); // "<old>" when the value must not change

    const QString number = XMLValues::EDITORTYPE_NUMBER;
    const QString string = XMLValues::EDITORTYPE_STRING;
    const QString time = XMLValues::EDITORTYPE_TIME;
    const QString inlineEditor = XMLValues::EDITOR_INLINE;
    const QString old = QStringLiteral("<old>");

    // clang-format off
    QTest::newRow("number in range is stored") << "IdleAfterJob" << number << inlineEditor << QString() << "42" << "42";
    QTest::newRow("number above 999999 is refused") << "IdleAfterJob" << number << inlineEditor << QString() << "1000000" << old;
    QTest::newRow("negative number is refused") << "IdleAfterJob" << number << inlineEditor << QString() << "-1" << old;
    QTest::newRow("text in a number is refused") << "IdleAfterJob" << number << inlineEditor << QString() << "abc" << old;
    QTest::newRow("grouped digits are refused whatever the locale") << "IdleAfterJob" << number << inlineEditor << QString() << "1,000" << old;
    QTest::newRow("cornering factor takes -90") << XMLKey::CORNERINGFACTOR << number << inlineEditor << QString() << "-90" << "-90";
    QTest::newRow("cornering factor refuses 91") << XMLKey::CORNERINGFACTOR << number << inlineEditor << QString() << "91" << old;
    QTest::newRow("job priority takes -999999999") << XMLKey::SETJOBPRIORITY << number << inlineEditor << QString() << "-999999999" << "-999999999";
    QTest::newRow("a port replaces the number range: 65535 is stored") << XMLValues::UP_IC_BUTTERFLYPORT << number << inlineEditor << QString() << "65535" << "65535";
    QTest::newRow("a port refuses 0") << XMLValues::UP_IC_IMPRESSIONPORT << number << inlineEditor << QString() << "0" << old;
    QTest::newRow("e-mail list separated by semicolons is stored") << XMLKey::CCADDRESSES << string << inlineEditor << QString() << "a@example.com;b@example.org" << "a@example.com;b@example.org";
    QTest::newRow("address with two @ is refused") << XMLValues::UP_MS_REPLYEMAIL << string << inlineEditor << QString() << "a@@example.com" << old;
    QTest::newRow("half-typed address is refused") << XMLKey::CCADDRESSES << string << inlineEditor << QString() << "a@" << old;
    QTest::newRow("time is stored") << "Start" << time << inlineEditor << QString() << "12:30" << "12:30";
    QTest::newRow("hour 24 is refused") << "Start" << time << inlineEditor << QString() << "24:00" << old;
    QTest::newRow("empty hours-and-minutes entry is stored as empty") << "Start" << time << inlineEditor << QString() << ":" << "";
    QTest::newRow("allowed-from tag gets the time check whatever its type") << XMLKey::ALLOWFROM << string << inlineEditor << QString() << "7:5" << old;
    QTest::newRow("server address is stored") << XMLKey::FTPSERVER << string << inlineEditor << QString() << "ftp.example.com" << "ftp.example.com";
    QTest::newRow("server name with an underscore is refused") << XMLValues::UP_MS_SMTPSERVADDR << string << inlineEditor << QString() << "mail_host" << old;
    QTest::newRow("without an inline editor nothing is checked") << "IdleAfterJob" << number << "default;scriptexp" << QString() << "abc" << "abc";
    QTest::newRow("another current editor skips the check") << "IdleAfterJob" << number << "inline;scriptexp" << XMLValues::EDITOR_SCRIPTEXP << "job.getVariable()" << "job.getVariable()";
    // clang-format on
}

void tst_PropertyModel::inlineValidatorGuardsTheValue()
{
    QFETCH(QString, tag);
    QFETCH(QString, type);
    QFETCH(QString, editors);
    QFETCH(QString, editor);
    QFETCH(QString, input);
    QFETCH(QString, stored);

    auto property = makeProperty(tag, QStringLiteral("1"), type, editors, editor);
    QSignalSpy changes(property.get(), &IProperty::propertyChanged);

    property->setValue(input, false, true);

    const bool refused = stored == QLatin1String("<old>");
    QCOMPARE(property->value().toString(), refused ? QStringLiteral("1") : stored);
    QCOMPARE(property->previousValue().toString(), refused ? QString() : QStringLiteral("1"));
    QCOMPARE(changes.count(), refused ? 0 : 1);
}

void tst_PropertyModel::dependentsShownByMasterValue_data()
{
    QTest::addColumn<QString>("masterEditor");
    QTest::addColumn<QString>("masterValue");
    QTest::addColumn<QStringList>("visible");

    const QString inlineEditor = XMLValues::EDITOR_INLINE;
    // Children, in this order: Equal (equals "Yes"), NotEqual (not equals "One;Unlimited"),
    // Both (equals "Yes;;Unlimited"), Plain (not dependent), Odd (an unknown condition).
    const QStringList all = {"Equal", "NotEqual", "Both", "Plain", "Odd"};
    // clang-format off
    QTest::newRow("equals dependents first, then not-equals dependents") << inlineEditor << "Yes" << QStringList{"Equal", "Both", "NotEqual"};
    QTest::newRow("a value that excludes the not-equals dependent and matches no equals") << inlineEditor << "One" << QStringList();
    QTest::newRow("one of several dependency values") << inlineEditor << "Unlimited" << QStringList{"Both"};
    QTest::newRow("values are compared case-sensitively") << inlineEditor << "yes" << QStringList{"NotEqual"};
    QTest::newRow("an empty value matches no empty dependency part") << inlineEditor << "" << QStringList{"NotEqual"};
    QTest::newRow("a script expression shows every child") << XMLValues::EDITOR_SCRIPTEXP << "s.getPropertyValue('x')" << all;
    QTest::newRow("a text with variables shows every child") << XMLValues::EDITOR_SLTEXTWITHVAR << "[Job.Name]" << all;
    QTest::newRow("an empty script expression follows the usual rules") << XMLValues::EDITOR_SCRIPTEXP << "" << QStringList{"NotEqual"};
    // clang-format on
}

void tst_PropertyModel::dependentsShownByMasterValue()
{
    QFETCH(QString, masterEditor);
    QFETCH(QString, masterValue);
    QFETCH(QStringList, visible);

    auto master =
        makeProperty(QStringLiteral("Master"), QStringLiteral("Yes"), XMLValues::EDITORTYPE_STRING,
                     QStringLiteral("inline;scriptexp;sltextwithvar"));
    master->append(makeDependent(QStringLiteral("Equal"), QStringLiteral("Yes")));
    master->append(makeDependent(QStringLiteral("NotEqual"), QStringLiteral("One;Unlimited"),
                                 XMLValues::CONDITION_NOTEQUALS));
    master->append(makeDependent(QStringLiteral("Both"), QStringLiteral("Yes;;Unlimited")));
    master->append(makeProperty(QStringLiteral("Plain"), QString()).release());
    master->append(
        makeDependent(QStringLiteral("Odd"), QStringLiteral("Yes"), QStringLiteral("above")));

    master->setEditor(masterEditor);
    master->setValue(masterValue, true, true);

    QCOMPARE(childTags(master.get(), true), visible);
    QCOMPARE(master->count(true), visible.size());
    for (int i = 0; i < visible.size(); ++i) {
        QCOMPARE(master->visibleChild(i), master->child(i, true));
    }
    QCOMPARE(master->child(visible.size(), true), nullptr);
    QCOMPARE(master->count(false), 5);
    QCOMPARE(childTags(master.get(), false),
             (QStringList{"Equal", "NotEqual", "Both", "Plain", "Odd"}));
}

void tst_PropertyModel::insertOnlyAtExistingPositions_data()
{
    QTest::addColumn<bool>("collection");
    QTest::addColumn<int>("index"); // -2: append
    QTest::addColumn<QStringList>("children");

    for (const bool collection : {true, false}) {
        const char *group = collection ? "collection" : "property";
        // clang-format off
        QTest::addRow("%s: inserting at the count leaves it unchanged", group) << collection << 2 << QStringList{"A", "B"};
        QTest::addRow("%s: inserting past the end leaves it unchanged", group) << collection << 7 << QStringList{"A", "B"};
        QTest::addRow("%s: a negative index leaves it unchanged", group) << collection << -1 << QStringList{"A", "B"};
        QTest::addRow("%s: inserting at 0 puts it first", group) << collection << 0 << QStringList{"New", "A", "B"};
        QTest::addRow("%s: inserting at the last child puts it before", group) << collection << 1 << QStringList{"A", "New", "B"};
        QTest::addRow("%s: appending adds it at the end", group) << collection << -2 << QStringList{"A", "B", "New"};
        // clang-format on
    }
}

void tst_PropertyModel::insertOnlyAtExistingPositions()
{
    QFETCH(bool, collection);
    QFETCH(int, index);
    QFETCH(QStringList, children);

    std::unique_ptr<IPropertyGroup> group;
    if (collection) {
        group = std::make_unique<PropertyCollection>(QStringLiteral("Root"));
    } else {
        group = makeProperty(QStringLiteral("Master"), QStringLiteral("Yes"));
    }
    group->append(makeDependent(QStringLiteral("A"), QStringLiteral("Yes")));
    group->append(makeDependent(QStringLiteral("B"), QStringLiteral("Yes")));
    auto added = std::unique_ptr<GenericProperty>(makeDependent(QStringLiteral("New"), "Yes"));

    if (index == -2) {
        group->append(added.get());
    } else {
        group->insert(index, added.get());
    }

    QCOMPARE(childTags(group.get(), false), children);
    const bool taken = children.contains(QStringLiteral("New"));
    QCOMPARE(added->parent(), taken ? group.get() : nullptr);
    QCOMPARE(group->indexOf(added.get()), taken ? int(children.indexOf("New")) : -1);
    if (!collection) {
        // An inserted dependent is shown for its master value like an appended one.
        QCOMPARE(childTags(group.get(), true).contains(QStringLiteral("New")), taken);
    }
    if (taken) {
        added.release(); // the group owns it now
    }
}

void tst_PropertyModel::groupOwnsItsChildren()
{
    auto master =
        makeProperty(QStringLiteral("Master"), QStringLiteral("Yes"), XMLValues::EDITORTYPE_NUMBER);
    QPointer<GenericProperty> once = makeDependent(QStringLiteral("Once"), "Yes");
    QPointer<GenericProperty> twice = makeDependent(QStringLiteral("Twice"), "Yes");
    QPointer<GenericProperty> grandChild = makeDependent(QStringLiteral("Grand"), "");
    QPointer<QValidator> validator = master->validator();
    QVERIFY(validator);
    QCOMPARE(validator->parent(), master.get());
    master->append(once);
    master->append(twice);
    master->append(twice); // the same child twice is still destroyed once
    twice->append(grandChild);
    QCOMPARE(master->count(false), 3);

    // A child deleted by someone else leaves its group.
    delete once;
    QCOMPARE(childTags(master.get(), false), (QStringList{"Twice", "Twice"}));
    QCOMPARE(childTags(master.get(), true), (QStringList{"Twice"}));

    master.reset();
    QVERIFY(twice.isNull());
    QVERIFY(grandChild.isNull());
    QVERIFY(validator.isNull());

    // A replaced validator is destroyed at once.
    auto property = makeProperty(QStringLiteral("Slots"), QString(), XMLValues::EDITORTYPE_NUMBER);
    QPointer<QValidator> replaced = property->validator();
    auto *replacement = new SRCore::TimeValidator;
    property->setValidator(replacement);
    QVERIFY(replaced.isNull());
    QCOMPARE(property->validator(), replacement);
    QCOMPARE(replacement->parent(), property.get());
}

void tst_PropertyModel::removeAndClearHandChildrenBack()
{
    auto collection = std::make_unique<PropertyCollection>(QStringLiteral("Root"));
    auto master = makeProperty(QStringLiteral("Master"), QStringLiteral("Yes"));
    auto *removed = makeDependent(QStringLiteral("Removed"), QStringLiteral("Yes;No"));
    auto *kept = makeDependent(QStringLiteral("Kept"), QStringLiteral("Yes"));
    master->append(removed);
    master->append(kept);
    master->append(removed);

    master->remove(removed);
    std::unique_ptr<GenericProperty> removedOwner(removed);
    QCOMPARE(removed->parent(), nullptr);
    QCOMPARE(childTags(master.get(), false), QStringList{"Kept"});
    QCOMPARE(childTags(master.get(), true), QStringList{"Kept"});
    master->setValue(QStringLiteral("No"), true, false);
    QCOMPARE(master->count(true), 0); // gone from the index of every value

    // Removing a property that is not a child changes nothing, not even its parent.
    collection->append(removed);
    removedOwner.release();
    master->remove(removed);
    QCOMPARE(removed->parent(), collection.get());

    auto *second = makeDependent(QStringLiteral("Second"), QString());
    collection->append(second);
    collection->clear();
    std::unique_ptr<GenericProperty> secondOwner(second);
    removedOwner.reset(removed);
    QCOMPARE(collection->count(false), 0);
    QCOMPARE(removed->parent(), nullptr);
    QCOMPARE(second->parent(), nullptr);

    master->clear();
    std::unique_ptr<GenericProperty> keptOwner(kept);
    QCOMPARE(master->count(false), 0);
    QCOMPARE(kept->parent(), nullptr);
    master->setValue(QStringLiteral("Yes"), true, false);
    QCOMPARE(master->count(true), 0);
    // The handed-back children outlive their former groups.
    collection.reset();
    master.reset();
    QCOMPARE(kept->tag(), QStringLiteral("Kept"));
}

void tst_PropertyModel::childMovesBetweenGroupsAndCyclesAreRefused()
{
    auto first = std::make_unique<PropertyCollection>(QStringLiteral("First"));
    auto second = std::make_unique<PropertyCollection>(QStringLiteral("Second"));
    auto *master = makeProperty(QStringLiteral("Master"), QStringLiteral("Yes")).release();
    auto *dependent = makeDependent(QStringLiteral("Dependent"), QStringLiteral("Yes"));
    first->append(master);
    master->append(dependent);

    second->append(master);
    QCOMPARE(first->count(false), 0);
    QCOMPARE(master->parent(), second.get());

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refusing to add a null property"));
    master->append(nullptr);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("\"Master\" below itself"));
    master->append(master);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("\"Master\" below itself"));
    dependent->append(master);
    dependent->insert(0, second.get());
    QCOMPARE(childTags(master, false), QStringList{"Dependent"});
    QCOMPARE(dependent->count(false), 0);
    QCOMPARE(master->parent(), second.get());
    QCOMPARE(second->parent(), nullptr);
}

void tst_PropertyModel::findPropertySearchesTheWholeTree()
{
    PropertyCollection root(QStringLiteral("Root"));
    auto *master = makeProperty(QStringLiteral("Master"), QStringLiteral("No")).release();
    auto *hidden = makeDependent(QStringLiteral("Hidden"), QStringLiteral("Yes"));
    auto *deeper = makeDependent(QStringLiteral("Deeper"), QStringLiteral("Yes"));
    auto *later = makeProperty(QStringLiteral("Later"), QString()).release();
    auto *duplicate = makeProperty(QStringLiteral("Deeper"), QString()).release();
    root.append(master);
    master->append(hidden);
    hidden->append(deeper);
    root.append(later);
    root.append(duplicate);

    QCOMPARE(GuiLib::findProperty(&root, QString()), &root);
    QCOMPARE(GuiLib::findProperty(&root, QStringLiteral("Master")), master);
    QCOMPARE(GuiLib::findProperty(&root, QStringLiteral("Hidden")), hidden);
    QCOMPARE(GuiLib::findProperty(&root, QStringLiteral("Deeper")), deeper);
    QCOMPARE(GuiLib::findProperty(&root, QStringLiteral("Later")), later);
    QCOMPARE(GuiLib::findProperty(master, QStringLiteral("Later")), nullptr);
    QCOMPARE(GuiLib::findProperty(&root, QStringLiteral("master")), nullptr);
    QCOMPARE(GuiLib::findProperty(&root, QStringLiteral("Missing")), nullptr);
    QCOMPARE(GuiLib::findProperty(nullptr, QStringLiteral("Master")), nullptr);
}

class ChangeCounter : public QObject
{
    Q_OBJECT

public:
    QStringList senders;

public slots:
    void propertyChangedHandler() { senders.append(qobject_cast<IProperty *>(sender())->tag()); }
};

void tst_PropertyModel::connectPropertyChangedReachesHiddenChildren()
{
    PropertyCollection root(QStringLiteral("Root"));
    auto *master = makeProperty(QStringLiteral("Master"), QStringLiteral("No")).release();
    auto *hidden = makeDependent(QStringLiteral("Hidden"), QStringLiteral("Yes"));
    root.append(master);
    master->append(hidden);

    ChangeCounter recursive;
    root.connectPropertyChanged(&recursive, SLOT(propertyChangedHandler()), true);
    root.connectPropertyChanged(&recursive, SLOT(propertyChangedHandler()), true);
    ChangeCounter single;
    master->connectPropertyChanged(&single, SLOT(propertyChangedHandler()), false);

    hidden->setValue(QStringLiteral("a"), false, false);
    master->setValue(QStringLiteral("Yes"), false, false);
    master->setValue(QStringLiteral("No"), true, false);

    QCOMPARE(recursive.senders, (QStringList{"Hidden", "Master"}));
    QCOMPARE(single.senders, QStringList{"Master"});
}

void tst_PropertyModel::buildFromFlowObject()
{
    TestOwner owner;
    const SRCore::FlowObject object = objectFromFields(QStringLiteral(
        R"(<Type Editor="hide">BasicTestProperties</Type>
           <Hidden Editor="HIDE" Type="string">x</Hidden>
           <NoEditor Type="string">y</NoEditor>
           <TestFolder LocalizedTagName="Test folder" Type="path" Editor="choosefolder"
                       Tooltip="Where the test runs">/tmp/tests</TestFolder>
           <ElementName Type="string" Editor="inline">Script</ElementName>
           <IncludeMask LocalizedTagName="Include these files" Type="string"
                        Editor="allfiles;allotherfiles;types" Subtype="allotherfiles">All Other Files</IncludeMask>
           <Unless Type="string" Editor="inline" Dependency="IncludeMask"
                   Dependencyvalue="All Files" Dependencycondition="notequals"/>
           <When Type="string" Editor="inline" Dependency="IncludeMask"
                 Dependencyvalue="All Files"/>)"));
    QVERIFY(!object.isNull());

    PropertyCollection properties(object, QStringLiteral("Basic"), &owner);

    QCOMPARE(properties.name(), QStringLiteral("Basic"));
    QCOMPARE(childTags(&properties, false),
             (QStringList{"TestFolder", "ElementName", "IncludeMask"}));

    auto *folder = qobject_cast<GenericProperty *>(properties.child(0, false));
    QVERIFY(folder);
    QCOMPARE(folder->name(), QStringLiteral("Test folder"));
    QCOMPARE(folder->value().toString(), QStringLiteral("/tmp/tests"));
    QCOMPARE(folder->type(), XMLValues::EDITORTYPE_PATH);
    QCOMPARE(folder->editors(), XMLValues::EDITOR_CHOOSEFOLDER);
    QCOMPARE(formattedRuns(folder->tooltip()), QStringList{"Where the test runs"});
    QCOMPARE(folder->propertyParent(), &owner);
    QVERIFY(!folder->isDependent());

    // Without a localized name the tag is the name (no catalogue is loaded).
    QCOMPARE(properties.child(1, false)->name(), QStringLiteral("ElementName"));

    auto *mask = qobject_cast<GenericProperty *>(properties.child(2, false));
    QCOMPARE(mask->editor(), XMLValues::EDITOR_ALLOTHERFILES);
    QCOMPARE(childTags(mask, false), (QStringList{"Unless", "When"}));
    IProperty *unless = mask->child(0, false);
    IProperty *when = mask->child(1, false);
    QVERIFY(unless->isDependent());
    QCOMPARE(unless->dependencyValue(), QVariant(QStringLiteral("All Files")));
    QCOMPARE(unless->dependencyCondition(), XMLValues::CONDITION_NOTEQUALS);
    QCOMPARE(when->dependencyCondition(), XMLValues::CONDITION_EQUALS);
    QCOMPARE(childTags(mask, true), QStringList{"Unless"});
}

void tst_PropertyModel::buildResolvesDependentsInAnyOrder()
{
    // Third depends on Second, which depends on First; they come in reverse order.
    const SRCore::FlowObject object = objectFromFields(QStringLiteral(
        R"(<Third Type="string" Editor="inline" Dependency="Second" Dependencyvalue="b"/>
           <Second Type="string" Editor="inline" Dependency="First" Dependencyvalue="a">b</Second>
           <First Type="string" Editor="inline">a</First>
           <Sibling Type="string" Editor="inline" Dependency="First" Dependencyvalue="a"/>)"));
    QVERIFY(!object.isNull());

    PropertyCollection properties(object, QString(), nullptr);

    QCOMPARE(childTags(&properties, false), QStringList{"First"});
    auto *first = qobject_cast<IPropertyGroup *>(properties.child(0, false));
    QCOMPARE(childTags(first, true), (QStringList{"Second", "Sibling"}));
    auto *second = qobject_cast<IPropertyGroup *>(first->child(0, false));
    QCOMPARE(childTags(second, true), QStringList{"Third"});
    QCOMPARE(second->child(0, false)->parent(), second);
}

void tst_PropertyModel::buildDropsDependentsWithoutMaster()
{
    // Lost's master does not exist; Loop and Knot depend on each other only.
    const SRCore::FlowObject object = objectFromFields(QStringLiteral(
        R"(<Kept Type="string" Editor="inline">x</Kept>
           <Lost Type="string" Editor="inline" Dependency="Missing" Dependencyvalue="x"/>
           <Loop Type="string" Editor="inline" Dependency="Knot" Dependencyvalue="x"/>
           <Knot Type="string" Editor="inline" Dependency="Loop" Dependencyvalue="x"/>
           <Self Type="string" Editor="inline" Dependency="Self" Dependencyvalue="x"/>)"));
    QVERIFY(!object.isNull());

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Dropping property \"Lost\""));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Dropping property \"Loop\""));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Dropping property \"Knot\""));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Dropping property \"Self\""));
    PropertyCollection properties(object, QString(), nullptr);

    QCOMPARE(childTags(&properties, false), QStringList{"Kept"});
    QCOMPARE(properties.child(0, false)->isGroup(), true);
    QCOMPARE(qobject_cast<IPropertyGroup *>(properties.child(0, false))->count(false), 0);
    QCOMPARE(GuiLib::findProperty(&properties, QStringLiteral("Lost")), nullptr);
}

void tst_PropertyModel::initialEditorAndChoice_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QString>("givenEditor");
    QTest::addColumn<bool>("choice");
    QTest::addColumn<QString>("editor");

    // clang-format off
    QTest::newRow("inline with a description is a choice, inline first") << "Tooltip" << "" << "inline;description" << "" << true << "inline";
    QTest::newRow("a script expression as the alternative is a choice") << "Name" << "x" << "default;scriptexp" << "" << true << "inline";
    QTest::newRow("text with variables as the alternative is a choice") << "Name" << "x" << "sltextwithvar;description" << "" << true << "inline";
    QTest::newRow("popup does not count as a second editor") << "TrafficType" << "Data" << "inline;popup" << "" << false << "inline";
    QTest::newRow("hidden does not count either") << "Secret" << "" << "hidden;inline" << "" << false << "inline";
    QTest::newRow("editors without inline or text editors are no choice") << "Mask" << "All Files" << "allfiles;types;regexp" << "" << false << "allfiles";
    QTest::newRow("the first editor that sets values is the current one") << "Box" << "" << "popup;description" << "" << false << "description";
    QTest::newRow("an auto-managed path starts with the auto-managed editor") << XMLKey::PATH << XMLValues::AUTOMANAGED << "inline;automanaged;choosefolder" << "" << true << "automanaged";
    QTest::newRow("a path with another value starts inline") << XMLKey::PATH << "/data" << "inline;automanaged;choosefolder" << "" << true << "inline";
    QTest::newRow("a given editor is kept") << "Mask" << "x" << "inline;regexp;scriptexp" << "regexp" << true << "regexp";
    QTest::newRow("no editors, no editor") << "Odd" << "" << "" << "" << false << "";
    // clang-format on
}

void tst_PropertyModel::initialEditorAndChoice()
{
    QFETCH(QString, tag);
    QFETCH(QString, value);
    QFETCH(QString, editors);
    QFETCH(QString, givenEditor);
    QFETCH(bool, choice);
    QFETCH(QString, editor);

    auto property = makeProperty(tag, value, XMLValues::EDITORTYPE_STRING, editors, givenEditor);
    QCOMPARE(property->hasEditorChoice(), choice);
    QCOMPARE(property->editor(), editor);
    QCOMPARE(property->previousEditor(), QString());
}

void tst_PropertyModel::predicates_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<bool>("isBool");
    QTest::addColumn<bool>("isEnum");
    QTest::addColumn<bool>("usesPlugin");
    QTest::addColumn<bool>("hasDisplayText");

    // clang-format off
    QTest::newRow("inline bool") << "bool" << "inline" << "" << true << false << false << false;
    QTest::newRow("inline enumeration") << "enum:No;One;Unlimited" << "inline" << "" << false << true << false << false;
    QTest::newRow("a type merely containing enum is no enumeration") << "myenum" << "inline" << "" << false << false << false << false;
    QTest::newRow("inline password shows a display text") << "password" << "inline" << "" << false << false << false << true;
    QTest::newRow("inline with a description editor shows a display text") << "string" << "inline;description" << "" << false << false << false << true;
    QTest::newRow("another current editor shows a display text") << "string" << "inline;scriptexp" << "scriptexp" << false << false << false << true;
    QTest::newRow("select from library uses the plug-in") << "string" << "askplugin;inline" << "inline" << false << false << true << false;
    QTest::newRow("select many from library uses the plug-in") << "string" << "askplugin2" << "" << false << false << true << true;
    QTest::newRow("a keyword only containing askplugin is no plug-in editor") << "string" << "inline;myaskplugin" << "inline" << false << false << false << false;
    // clang-format on
}

void tst_PropertyModel::predicates()
{
    QFETCH(QString, type);
    QFETCH(QString, editors);
    QFETCH(QString, editor);
    QFETCH(bool, isBool);
    QFETCH(bool, isEnum);
    QFETCH(bool, usesPlugin);
    QFETCH(bool, hasDisplayText);

    auto property =
        makeProperty(QStringLiteral("Tag"), QStringLiteral("value"), type, editors, editor);
    QCOMPARE(property->isBool(), isBool);
    QCOMPARE(property->isEnum(), isEnum);
    QCOMPARE(property->usesPluginEditor(), usesPlugin);
    QCOMPARE(property->hasDisplayText(), hasDisplayText);
    QVERIFY(property->isGroup());
    QVERIFY(property->isEditable());
}

void tst_PropertyModel::specialValues_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("special");

    const QString string = XMLValues::EDITORTYPE_STRING;
    const QString fileFilter = XMLValues::EDITORTYPE_FILEFILTER;
    const QString scriptValue = SRCore::XMLValueProcessor::generateXMLValue(
        XMLValues::EDITOR_SCRIPTEXP, {QStringLiteral("true")});
    // clang-format off
    QTest::newRow("blank inline text") << string << "inline" << "inline" << " \t " << true;
    QTest::newRow("inline text with words") << string << "inline" << "inline" << " a " << false;
    QTest::newRow("blank text of another type") << XMLValues::EDITORTYPE_NUMBER << "inline" << "inline" << "  " << false;
    QTest::newRow("file filter with patterns") << fileFilter << "allfiles;types" << "types" << "<TavrixValueList/>" << true;
    QTest::newRow("file filter with all files") << fileFilter << "allfiles;types" << "allfiles" << XMLValues::ALLFILES << false;
    QTest::newRow("folder filter with no folders") << XMLValues::EDITORTYPE_FOLDERFILTER << "nofolders" << "" << XMLValues::NOFOLDERS << false;
    QTest::newRow("password list") << XMLValues::EDITORTYPE_STRINGLIST << "passwdef" << "" << "<TavrixValueList/>" << true;
    QTest::newRow("string list with other editors") << XMLValues::EDITORTYPE_STRINGLIST << "passwdef;inline" << "inline" << "x" << false;
    QTest::newRow("condition as the current editor") << string << "inline;conditionwithvar" << "conditionwithvar" << "[a] = 1" << true;
    QTest::newRow("condition editor not current") << string << "inline;conditionwithvar" << "inline" << "[a] = 1" << false;
    QTest::newRow("script expression without a choice") << string << "scriptexp" << "" << scriptValue << true;
    QTest::newRow("script expression chosen") << string << "inline;scriptexp" << "scriptexp" << scriptValue << true;
    QTest::newRow("script expression offered but inline chosen") << string << "inline;scriptexp" << "inline" << "x" << false;
    QTest::newRow("library choices decide before the script expression") << string << "inline;scriptexp;askplugin2" << "scriptexp" << "x" << false;
    QTest::newRow("e-mail info without a choice") << string << "einfoedit" << "" << "x" << true;
    QTest::newRow("empty values are never special") << string << "scriptexp" << "" << "" << false;
    // clang-format on
}

void tst_PropertyModel::specialValues()
{
    QFETCH(QString, type);
    QFETCH(QString, editors);
    QFETCH(QString, editor);
    QFETCH(QString, value);
    QFETCH(bool, special);

    auto property = makeProperty(QStringLiteral("Default"), value, type, editors, editor);
    QCOMPARE(property->hasSpecialValue(), special);
}

void tst_PropertyModel::tooltipIsRichText_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("refusal"); // the owner's message; empty: accepted, "-": no owner
    QTest::addColumn<QStringList>("runs");

    const QString bool_ = XMLValues::EDITORTYPE_BOOL;
    // clang-format off
    QTest::newRow("no tool tip, no text") << "Enabled" << bool_ << "inline" << "" << "Yes" << "refused" << QStringList();
    QTest::newRow("plain string") << "Name" << "string" << "inline" << "The name" << "x" << "-" << QStringList{"The name"};
    QTest::newRow("carriage returns are dropped") << "Name" << "string" << "inline" << "two\r\nlines" << "x" << "-" << QStringList{"two", "lines"};
    QTest::newRow("a bool adds its value in italics") << "Enabled" << bool_ << "inline" << "Whether it runs" << "Yes" << "" << QStringList{"Whether it runs", "/Yes/"};
    QTest::newRow("an enumeration adds its value in italics") << "Mode" << "enum:Serialized;Concurrent" << "inline;popup" << "How" << "Concurrent" << "-" << QStringList{"How", "/Concurrent/"};
    QTest::newRow("the interface language is shown as it is") << XMLValues::UP_UI_LANGUAGE << "enum:en;de" << "inline" << "Language" << "de" << "-" << QStringList{"Language"};
    QTest::newRow("an empty bool adds nothing") << "Enabled" << bool_ << "inline" << "Whether" << "" << "-" << QStringList{"Whether"};
    QTest::newRow("a refused value adds a bold warning") << "Name" << "string" << "inline" << "The name" << "" << "Name is required" << QStringList{"The name", "*WARNING: Name is required*"};
    QTest::newRow("a preset adds its description in italics") << XMLKey::ADOBEPDFPRESET << "string" << "askplugin" << "Preset" << "High Quality" << "" << QStringList{"Preset", "/ (300 dpi)/"};
    // clang-format on
}

void tst_PropertyModel::tooltipIsRichText()
{
    QFETCH(QString, tag);
    QFETCH(QString, type);
    QFETCH(QString, editors);
    QFETCH(QString, tooltip);
    QFETCH(QString, value);
    QFETCH(QString, refusal);
    QFETCH(QStringList, runs);

    TestOwner owner;
    owner.preset = QStringLiteral("300 dpi");
    if (!refusal.isEmpty() && refusal != QLatin1String("-")) {
        owner.refusals.insert(tag, refusal);
    }
    GenericProperty property(value, tag, tag, type, editors, tooltip, QString(),
                             refusal == QLatin1String("-") ? nullptr : &owner);

    const QString html = property.tooltip();
    QCOMPARE(html.isEmpty(), tooltip.isEmpty());
    if (!html.isEmpty()) {
        QVERIFY(Qt::mightBeRichText(html));
    }
    QCOMPARE(formattedRuns(html), runs);
}

void tst_PropertyModel::validityComesFromTheOwner()
{
    TestOwner owner;
    GenericProperty owned(QString(), "Name", "Name", "string", "inline", QString(), QString(),
                          &owner);
    QVERIFY(owned.isValid());
    owner.refusals.insert(QStringLiteral("Name"), QStringLiteral("Required"));
    QVERIFY(!owned.isValid());
    owned.setValid(true);
    QVERIFY(!owned.isValid());

    auto free = makeProperty(QStringLiteral("Name"), QString());
    QVERIFY(free->isValid());
    free->setValid(false);
    QVERIFY(!free->isValid());
}

TAVRIX_TEST_MAIN(tst_PropertyModel)
#include "tst_propertymodel.moc"
