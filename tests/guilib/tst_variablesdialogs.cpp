// The text with variables and condition dialogs as a user drives them: validation at the cursor,
// unknown variables named, picking variables in the browser, sample values computed once after
// quick typing, conditions built row by row with the operators of each data type, the chosen
// precedence, and the outcome for the sample job; and the values they give a property.

#include "common/testmain.h"

#include "common/propertyediting.h"

#include "guilib/property/conditionrow.h"
#include "guilib/property/variablesconditiondialog.h"
#include "guilib/property/variablestextdialog.h"

#include "corelib/variables/variablecondition.h"
#include "corelib/variables/variablemanager.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStandardPaths>
#include <QTreeWidget>

using GuiLib::ConditionRow;
using GuiLib::VariablesConditionDialog;
using GuiLib::VariablesTextDialog;
using SRCore::VariableCondition;
namespace XMLValues = SRCore::XMLValues;

namespace {

// Sample jobs and variable values as the application would give them, each evaluation recorded.
class SampleProxy : public FakeAppProxy
{
public:
    void sampleJobs(QMap<QString, QString> &jobs, QString &flowId) const override
    {
        flowId = QStringLiteral("1");
        for (const QString &job : jobFiles) {
            jobs.insert(job, QStringLiteral("1-/-Script Element"));
        }
    }
    QStringList variableValues(const QStringList &names, const QString &job, const QString &,
                               const QString &, const QString &, bool flag) override
    {
        evaluations.append(names);
        QStringList values;
        for (int i = 0; i < names.size(); ++i) {
            values.append(flag && i == names.size() - 1 ? conditionOutcome
                                                        : names.at(i) + " @ " + job);
        }
        return values;
    }

    QStringList jobFiles{QStringLiteral("/jobs/order.pdf")};
    QString conditionOutcome = QStringLiteral("true");
    QList<QStringList> evaluations;
};

QLineEdit *textEdit(const QWidget *dialog)
{
    return dialog->findChild<QLineEdit *>(QStringLiteral("text"));
}

QString errorShown(const QWidget *dialog)
{
    const auto *label = dialog->findChild<QLabel *>(QStringLiteral("errorText"));
    return label->isVisible() ? label->text() : QString();
}

// Types at the end of the text, as the user does.
void typeAtEnd(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, text);
}

// Picks the variable "Group.Name" in the browser with a double click.
void pickVariable(const QWidget *dialog, const QString &group, const QString &name)
{
    auto *tree = dialog->findChild<QTreeWidget *>(QStringLiteral("variables"));
    QTreeWidgetItem *groupItem = tree->findItems(group, Qt::MatchExactly).value(0);
    QVERIFY(groupItem);
    for (int i = 0; i < groupItem->childCount(); ++i) {
        if (groupItem->child(i)->text(0) == name) {
            tree->setCurrentItem(groupItem->child(i));
            emit tree->itemDoubleClicked(groupItem->child(i), 0);
            return;
        }
    }
    QFAIL("no such variable");
}

template<typename Box = QComboBox>
Box *rowPart(ConditionRow *row, const char *name)
{
    return row->findChild<Box *>(QLatin1String(name));
}

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) {
        texts.append(box->itemText(i));
    }
    return texts;
}

void chooseVariable(ConditionRow *row, const QString &group, const QString &name)
{
    rowPart(row, "group")->setCurrentText(group);
    rowPart(row, "variable")->setCurrentText(name);
}

QString condition(const QString &variable, VariableCondition::Operator op, const QString &value)
{
    VariableCondition built;
    built.addComparison({variable, op, value});
    return SRCore::VariableManager::getXMLfromCondition(built);
}

} // namespace

class tst_VariablesDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void textIsValidatedAtTheCursor_data();
    void textIsValidatedAtTheCursor();
    void invalidInitialTextOpensWithoutError();
    void pickedVariableReplacesTheOneUnderTheCursor();
    void quickTypingIsEvaluatedOnce();
    void variableUnderTheCursorShowsItsValue();
    void longSampleValueHasAShortToolTip();
    void withoutSampleJobsNothingIsEvaluated();
    void textPropertyStartsFromItsOwnValue_data();
    void textPropertyStartsFromItsOwnValue();

    void storedConditionThatIsNotOne_data();
    void storedConditionThatIsNotOne();
    void operatorsFitTheDataType_data();
    void operatorsFitTheDataType();
    void dateComparedWithTextIsRefused();
    void rowsJoinWithAChosenPrecedence();
    void outcomeForTheSampleJob();
    void conditionPropertyRoundTrip();
};

void tst_VariablesDialogs::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("TavrixTest"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_VariablesDialogs"));
}

void tst_VariablesDialogs::textIsValidatedAtTheCursor_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("error"); // a part of the error shown; empty: none

    // clang-format off
    QTest::newRow("plain text")              << "Invoice 17"                  << true  << "";
    QTest::newRow("a known variable")        << "Invoice [Job.NameProper]"    << true  << "";
    QTest::newRow("an unbalanced bracket")   << "Invoice [Job.Name"           << false << "Column 9";
    QTest::newRow("an unknown variable")     << "Invoice [Job.Colour]"        << true  << "Job.Colour - unknown variable(s)";
    QTest::newRow("a missing argument")      << "[Job.PrivateData]"           << false << "Column 1";
    QTest::newRow("an argument")             << "[Job.PrivateData:Key=\"Customer\"]" << true << "";
    // clang-format on
}

void tst_VariablesDialogs::textIsValidatedAtTheCursor()
{
    QFETCH(QString, typed);
    QFETCH(bool, ok);
    QFETCH(QString, error);

    VariablesTextDialog dialog(nullptr, "Text", QString(), "context");
    dialog.show();
    typeAtEnd(textEdit(&dialog), typed);
    QCOMPARE(dialogButton(&dialog, "okButton")->isEnabled(), ok);
    QVERIFY2(error.isEmpty() ? errorShown(&dialog).isEmpty() : errorShown(&dialog).contains(error),
             qPrintable(errorShown(&dialog)));
    QCOMPARE(dialog.text(), typed);
}

void tst_VariablesDialogs::invalidInitialTextOpensWithoutError()
{
    VariablesTextDialog dialog(nullptr, "Text", "[Job.Name", "context");
    dialog.show();
    QVERIFY(dialogButton(&dialog, "okButton")->isEnabled());
    QCOMPARE(errorShown(&dialog), QString());
    typeAtEnd(textEdit(&dialog), "x");
    QVERIFY(!dialogButton(&dialog, "okButton")->isEnabled());
    QVERIFY(!errorShown(&dialog).isEmpty());

    // An unknown variable is named at once.
    VariablesTextDialog unknown(nullptr, "Text", "[Job.Colour]", "context");
    unknown.show();
    QCOMPARE(errorShown(&unknown), QStringLiteral("Job.Colour - unknown variable(s)"));
    QVERIFY(dialogButton(&unknown, "okButton")->isEnabled());
}

void tst_VariablesDialogs::pickedVariableReplacesTheOneUnderTheCursor()
{
    VariablesTextDialog dialog(nullptr, "Text", "A [Job.Name] B", "context");
    dialog.show();
    QLineEdit *edit = textEdit(&dialog);
    edit->setFocus();
    edit->setCursorPosition(5); // inside [Job.Name]
    pickVariable(&dialog, "Job", "Extension");
    QCOMPARE(dialog.text(), QStringLiteral("A [Job.Extension] B"));

    edit->setFocus();
    edit->setCursorPosition(1); // after "A": outside any variable
    pickVariable(&dialog, "Server", "Date");
    QCOMPARE(dialog.text(), QStringLiteral("A[Server.Date] [Job.Extension] B"));
}

void tst_VariablesDialogs::quickTypingIsEvaluatedOnce()
{
    SampleProxy proxy;
    VariablesTextDialog dialog(nullptr, "Text", QString(), "context");
    dialog.show();
    auto *sampleValue = dialog.findChild<QLabel *>("sampleValue");
    QTRY_COMPARE(proxy.evaluations.size(), 1); // the initial text
    proxy.evaluations.clear();

    typeAtEnd(textEdit(&dialog), "No. [Job.Name]");
    QTRY_COMPARE(proxy.evaluations.size(), 1);
    QCOMPARE(proxy.evaluations.first().last(), QStringLiteral("No. [Job.Name]"));
    QVERIFY(sampleValue->isVisible());
    QCOMPARE(sampleValue->text(), QStringLiteral("No. [Job.Name] @ /jobs/order.pdf"));
    // Nothing more comes without a change.
    QTest::qWait(400);
    QCOMPARE(proxy.evaluations.size(), 1);
}

void tst_VariablesDialogs::variableUnderTheCursorShowsItsValue()
{
    SampleProxy proxy;
    VariablesTextDialog dialog(nullptr, "Text", "No. [Job.Name] of [Server.Date]", "context");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QLineEdit *edit = textEdit(&dialog);
    edit->setFocus();
    edit->setCursorPosition(7);
    auto *tree = dialog.findChild<QTreeWidget *>("variables");
    QTRY_COMPARE(tree->currentItem()->text(0), QStringLiteral("Name"));
    QTRY_COMPARE(tree->currentItem()->text(1), QStringLiteral("[Job.Name] @ /jobs/order.pdf"));

    // Leaving the text for the browser keeps the variable marked.
    tree->setFocus();
    QTRY_COMPARE(edit->selectedText(), QStringLiteral("[Job.Name]"));
}

void tst_VariablesDialogs::longSampleValueHasAShortToolTip()
{
    SampleProxy proxy;
    const QString text = QString(3000, 'x');
    VariablesTextDialog dialog(nullptr, "Text", text, "context");
    dialog.show();
    auto *sampleValue = dialog.findChild<QLabel *>("sampleValue");
    QTRY_VERIFY(sampleValue->isVisible());
    QCOMPARE(sampleValue->text(), text + " @ /jobs/order.pdf");
    QCOMPARE(sampleValue->toolTip().size(), 2048);
}

void tst_VariablesDialogs::withoutSampleJobsNothingIsEvaluated()
{
    SampleProxy proxy;
    proxy.jobFiles.clear();
    VariablesTextDialog dialog(nullptr, "Text", "[Job.Name]", "context");
    dialog.show();
    QVERIFY(!dialog.findChild<QListView *>("sampleJobs")->isVisible());
    typeAtEnd(textEdit(&dialog), " x");
    QTest::qWait(400);
    QVERIFY(proxy.evaluations.isEmpty());
    QVERIFY(!dialog.findChild<QLabel *>("sampleValue")->isVisible());
}

void tst_VariablesDialogs::textPropertyStartsFromItsOwnValue_data()
{
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("start");

    // clang-format off
    QTest::newRow("from an inline value")    << "inline;sltextwithvar"    << "inline"   << "Invoice" << "Invoice";
    QTest::newRow("from a fixed value")      << "automatic;sltextwithvar" << "automatic" << XMLValues::AUTOMATIC << "";
    // clang-format on
}

void tst_VariablesDialogs::textPropertyStartsFromItsOwnValue()
{
    QFETCH(QString, editors);
    QFETCH(QString, kind);
    QFETCH(QString, value);
    QFETCH(QString, start);

    FakeAppProxy proxy;
    Editing editing("Prefix", "string", editors, value, kind);
    QString shown;
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<VariablesTextDialog>([&shown](VariablesTextDialog *dialog) {
        const auto closer = closeWhenDone(dialog);
        shown = dialog->text();
        typeAtEnd(textEdit(dialog), " [Job.NameProper]");
        QVERIFY(press(dialog, "okButton"));
    }));
    QVERIFY(editing.choose("Define single-line text with variables"));
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(shown, start);
    QCOMPARE(editing.property->valueText(), start + " [Job.NameProper]");
    QCOMPARE(editing.shownValue(), QStringLiteral("Single-line text with variables defined"));

    // Cancelled, the text stays.
    dialogs.then(DialogAnswerer::with<VariablesTextDialog>([](VariablesTextDialog *dialog) {
        typeAtEnd(textEdit(dialog), "[");
        dialog->reject();
    }));
    editing.reopen();
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(editing.property->valueText(), start + " [Job.NameProper]");
}

void tst_VariablesDialogs::storedConditionThatIsNotOne_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("withJobs");
    // clang-format off
    QTest::newRow("empty")                  << ""             << false;
    QTest::newRow("not XML")                << "Job.Name = x" << false;
    QTest::newRow("cut off")                << condition("[Job.Name]", VariableCondition::Operator::EqualTo, "x").left(40) << false;
    QTest::newRow("empty, with sample jobs") << ""            << true;
    // clang-format on
}

void tst_VariablesDialogs::storedConditionThatIsNotOne()
{
    QFETCH(QString, value);
    QFETCH(bool, withJobs);
    SampleProxy proxy;
    if (!withJobs) {
        proxy.jobFiles.clear();
    }
    VariablesConditionDialog dialog(nullptr, "Condition", value, "context");
    dialog.show();
    QCOMPARE(errorShown(&dialog), QStringLiteral("Condition is not valid"));
    QVERIFY(!dialogButton(&dialog, "okButton")->isEnabled());
    QCOMPARE(dialog.findChildren<ConditionRow *>().size(), 1);
}

void tst_VariablesDialogs::operatorsFitTheDataType_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("operators");

    // clang-format off
    QTest::newRow("text")    << "Job" << "Name"   << QStringList{"Equal to", "Not equal to", "Contains", "Does not contain", "Starts with", "Does not start with", "Matches", "Does not match"};
    QTest::newRow("boolean") << "Job" << "IsFile" << QStringList{"True", "False"};
    QTest::newRow("integer") << "Job" << "Size"   << QStringList{"Equal to", "Not equal to", "Less than", "Less than or equal", "Greater than", "Greater than or equal"};
    QTest::newRow("date")    << "Job" << "ModificationDate" << QStringList{"Equal to", "Not equal to", "Earlier than", "Earlier than or same", "Later than", "Later than or same"};
    // clang-format on
}

void tst_VariablesDialogs::operatorsFitTheDataType()
{
    QFETCH(QString, group);
    QFETCH(QString, name);
    QFETCH(QStringList, operators);

    VariablesConditionDialog dialog(nullptr, "Condition", QString(), "context");
    dialog.show();
    ConditionRow *row = dialog.findChild<ConditionRow *>();
    chooseVariable(row, group, name);
    QCOMPARE(items(rowPart(row, "operator")), operators);
    QCOMPARE(rowPart<QLineEdit>(row, "value")->isVisible(), name != "IsFile");
    if (operators.contains("Does not match")) {
        rowPart(row, "operator")->setCurrentText("Does not match");
        QCOMPARE(rowPart<QLabel>(row, "hint")->text(), QStringLiteral("RegExp"));
    }
}

void tst_VariablesDialogs::dateComparedWithTextIsRefused()
{
    VariablesConditionDialog dialog(nullptr, "Condition", QString(), "context");
    dialog.show();
    ConditionRow *row = dialog.findChild<ConditionRow *>();
    chooseVariable(row, "Job", "ModificationDate");
    rowPart(row, "operator")->setCurrentText("Earlier than");
    auto *value = rowPart<QLineEdit>(row, "value");
    QTest::keyClicks(value, "tomorrow");
    QVERIFY(!dialogButton(&dialog, "okButton")->isEnabled());
    QVERIFY2(errorShown(&dialog).startsWith("Comparison 1"), qPrintable(errorShown(&dialog)));

    value->clear();
    QTest::keyClicks(value, "2024-05-01");
    QVERIFY2(dialogButton(&dialog, "okButton")->isEnabled(), qPrintable(errorShown(&dialog)));
    QCOMPARE(errorShown(&dialog), QString());
}

void tst_VariablesDialogs::rowsJoinWithAChosenPrecedence()
{
    VariablesConditionDialog dialog(nullptr, "Condition", QString(), "context");
    dialog.show();
    auto rows = [&dialog] {
        return dialog.findChildren<ConditionRow *>();
    };
    ConditionRow *first = rows().first();
    chooseVariable(first, "Job", "Name");
    rowPart(first, "operator")->setCurrentText("Starts with");
    QTest::keyClicks(rowPart<QLineEdit>(first, "value"), "Invoice");
    QWidget *precedence = dialog.findChild<QWidget *>("orThenAnd")->parentWidget();
    QVERIFY(!precedence->isVisible());

    // AND adds a second row, OR a third.
    emit rowPart(first, "manipulator")->activated(1);
    QTRY_COMPARE(rows().size(), 2);
    ConditionRow *second = rows().at(1);
    chooseVariable(second, "Job", "Size");
    rowPart(second, "operator")->setCurrentText("Greater than");
    QTest::keyClicks(rowPart<QLineEdit>(second, "value"), "10x00"); // the x is refused
    QCOMPARE(rowPart<QLineEdit>(second, "value")->text(), QStringLiteral("1000"));
    QVERIFY(!precedence->isVisible());
    emit rowPart(second, "manipulator")->activated(2);
    QTRY_COMPARE(rows().size(), 3);
    ConditionRow *third = rows().at(2);
    chooseVariable(third, "Job", "IsFile");
    QVERIFY(precedence->isVisible());
    QTest::mouseClick(dialog.findChild<QAbstractButton *>("orThenAnd"), Qt::LeftButton);
    QVERIFY2(dialogButton(&dialog, "okButton")->isEnabled(), qPrintable(errorShown(&dialog)));

    VariableCondition stored;
    QVERIFY(SRCore::VariableManager::instance()->getConditionFromXML(dialog.value(), &stored));
    QCOMPARE(stored.comparisons().size(), 3);
    QCOMPARE(stored.comparisons().at(1).value, QStringLiteral("1000"));
    QCOMPARE(stored.joins(), (QList<VariableCondition::Join>{VariableCondition::Join::And,
                                                             VariableCondition::Join::Or}));
    QCOMPARE(stored.precedence(), VariableCondition::Precedence::OrThenAnd);

    // Removing the middle row keeps one join.
    emit rowPart(second, "manipulator")->activated(3);
    QTRY_COMPARE(rows().size(), 2);
    QVERIFY(SRCore::VariableManager::instance()->getConditionFromXML(dialog.value(), &stored));
    QCOMPARE(stored.comparisons().size(), 2);
    QVERIFY(!precedence->isVisible());
}

void tst_VariablesDialogs::outcomeForTheSampleJob()
{
    SampleProxy proxy;
    const QString value = condition("[Job.Name]", VariableCondition::Operator::Contains, "order");
    VariablesConditionDialog dialog(nullptr, "Condition", value, "context");
    dialog.show();
    auto *outcome = dialog.findChild<QLabel *>("outcome");
    QTRY_COMPARE(outcome->text(), QStringLiteral("The condition holds for this sample job"));
    // The row shows its variable's value for the job.
    ConditionRow *row = dialog.findChild<ConditionRow *>();
    QCOMPARE(rowPart<QLabel>(row, "hint")->text(), QStringLiteral("[Job.Name] @ /jobs/order.pdf"));

    proxy.conditionOutcome = QStringLiteral("false");
    QTest::keyClicks(rowPart<QLineEdit>(row, "value"), "s");
    QCOMPARE(outcome->text(), QStringLiteral("The condition does not hold for this sample job"));
}

void tst_VariablesDialogs::conditionPropertyRoundTrip()
{
    FakeAppProxy proxy;
    Editing editing("When", "string", "inline;conditionwithvar", "kept", "inline");
    DialogAnswerer dialogs;
    dialogs.then(
        DialogAnswerer::with<VariablesConditionDialog>([](VariablesConditionDialog *dialog) {
            const auto closer = closeWhenDone(dialog);
            ConditionRow *row = dialog->findChild<ConditionRow *>();
            chooseVariable(row, "Job", "Extension");
            rowPart(row, "operator")->setCurrentText("Equal to");
            QTest::keyClicks(rowPart<QLineEdit>(row, "value"), "pdf");
            QVERIFY(press(dialog, "okButton"));
        }));
    QVERIFY(editing.choose("Define condition with variables"));
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(editing.property->valueText(),
             condition("[Job.Extension]", VariableCondition::Operator::EqualTo, "pdf"));
    QCOMPARE(editing.shownValue(), QStringLiteral("Condition with variables defined"));

    // Reopened, the rows show it again.
    QString shownValue;
    dialogs.then(DialogAnswerer::with<VariablesConditionDialog>(
        [&shownValue](VariablesConditionDialog *dialog) {
            shownValue = rowPart<QLineEdit>(dialog->findChild<ConditionRow *>(), "value")->text();
            dialog->reject();
        }));
    editing.reopen();
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(shownValue, QStringLiteral("pdf"));
}

TAVRIX_TEST_MAIN(tst_VariablesDialogs)
#include "tst_variablesdialogs.moc"
