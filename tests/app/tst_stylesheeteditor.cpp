// The style sheet editor, driven with clicks and typing, and the Tavrix sheet as Qt reads it.

#include "common/testmain.h"

#include "app/stylesheeteditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

using Scripter::StyleSheetEditor;

namespace {

template<typename Widget>
Widget *child(const StyleSheetEditor &editor, const char *name)
{
    auto *widget = editor.findChild<Widget *>(QLatin1String(name));
    if (!widget) {
        qFatal("No widget named %s", name);
    }
    return widget;
}

QString resourceSheet(const QString &name)
{
    QFile file(QStringLiteral(":/StyleSheets/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

QStringList comboItems(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) {
        texts << combo->itemText(i);
    }
    return texts;
}

// Chooses `text` in `combo` with the arrow keys, as a user without a mouse would.
void choose(QComboBox *combo, const QString &text)
{
    const int target = combo->findText(text);
    QVERIFY2(target >= 0, qPrintable(text));
    combo->setFocus();
    while (combo->currentIndex() != target) {
        QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
}

// The style underneath whatever style sheet the application has.
QString baseStyleClass()
{
    const QString sheet = qApp->styleSheet();
    qApp->setStyleSheet(QString());
    const QString className = QString::fromLatin1(QApplication::style()->metaObject()->className());
    qApp->setStyleSheet(sheet);
    return className;
}

// A few widgets of the kinds a sheet styles, rendered with the application's current sheet.
QImage renderSample()
{
    QWidget sample;
    auto *layout = new QVBoxLayout(&sample);
    layout->addWidget(new QPushButton(QStringLiteral("Button"), &sample));
    layout->addWidget(new QLineEdit(QStringLiteral("text"), &sample));
    auto *tree = new QTreeWidget(&sample);
    tree->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value")});
    new QTreeWidgetItem(tree, {QStringLiteral("a"), QStringLiteral("1")});
    layout->addWidget(tree);
    sample.resize(240, 200);
    return sample.grab().toImage();
}

} // namespace

class tst_StyleSheetEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensOnTheApplicationStyleWithTheTavrixSheetApplied_data();
    void opensOnTheApplicationStyleWithTheTavrixSheetApplied();
    void choosingAStyleSetsItForTheApplication();
    void defaultSheetRemovesEveryRule();
    void editingEnablesApplyAndApplyingOrChoosingDisablesIt_data();
    void editingEnablesApplyAndApplyingOrChoosingDisablesIt();
    void unknownSheetChangesNothing();
    void tavrixSheetParses();

private:
    QString m_initialStyle;
};

void tst_StyleSheetEditor::init()
{
    m_initialStyle = QApplication::style()->name();
}

void tst_StyleSheetEditor::cleanup()
{
    qApp->setStyleSheet(QString());
    QApplication::setStyle(m_initialStyle);
}

void tst_StyleSheetEditor::opensOnTheApplicationStyleWithTheTavrixSheetApplied_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("sheetBefore");

    // clang-format off
    QTest::newRow("Fusion") << "Fusion" << QString();
    QTest::newRow("Windows") << "Windows" << QString();
    QTest::newRow("under a sheet applied before") << "Windows" << "QLabel { color: red; }";
    // clang-format on
}

void tst_StyleSheetEditor::opensOnTheApplicationStyleWithTheTavrixSheetApplied()
{
    QFETCH(QString, style);
    QFETCH(QString, sheetBefore);

    QApplication::setStyle(style);
    qApp->setStyleSheet(sheetBefore);
    StyleSheetEditor editor;
    auto *styles = child<QComboBox>(editor, "styleCombo");
    QCOMPARE(comboItems(styles), QStyleFactory::keys());
    QCOMPARE(styles->currentText(), style);
    QCOMPARE(baseStyleClass(), QLatin1Char('Q') + style + QStringLiteral("Style"));
    auto *sheets = child<QComboBox>(editor, "styleSheetCombo");
    for (const QString &sheet : comboItems(sheets)) {
        QVERIFY2(!resourceSheet(sheet.toLower() + QStringLiteral(".qss")).isEmpty(),
                 qPrintable(sheet));
    }
    const QString tavrix = resourceSheet(QStringLiteral("tavrix.qss"));
    QVERIFY(!tavrix.isEmpty());
    QCOMPARE(sheets->currentText(), QStringLiteral("Tavrix"));
    QCOMPARE(child<QPlainTextEdit>(editor, "styleTextEdit")->toPlainText(), tavrix);
    QCOMPARE(qApp->styleSheet(), tavrix);
    QVERIFY(!child<QPushButton>(editor, "applyButton")->isEnabled());
}

void tst_StyleSheetEditor::choosingAStyleSetsItForTheApplication()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    StyleSheetEditor editor;
    editor.show();
    auto *apply = child<QPushButton>(editor, "applyButton");
    QTest::keyClicks(child<QPlainTextEdit>(editor, "styleTextEdit"), QStringLiteral("/* x */"));
    QVERIFY(apply->isEnabled());

    choose(child<QComboBox>(editor, "styleCombo"), QStringLiteral("Windows"));
    QCOMPARE(baseStyleClass(), QStringLiteral("QWindowsStyle"));
    QVERIFY(!apply->isEnabled());
    // The sheet stays as it was; only the style underneath changed.
    QCOMPARE(qApp->styleSheet(), resourceSheet(QStringLiteral("tavrix.qss")));

    choose(child<QComboBox>(editor, "styleCombo"), QStringLiteral("Fusion"));
    QCOMPARE(baseStyleClass(), QStringLiteral("QFusionStyle"));
}

void tst_StyleSheetEditor::defaultSheetRemovesEveryRule()
{
    const QImage unstyled = renderSample();
    StyleSheetEditor editor;
    editor.show();
    QVERIFY2(renderSample() != unstyled, "the Tavrix sheet changes how widgets look");

    choose(child<QComboBox>(editor, "styleSheetCombo"), QStringLiteral("Default"));
    QCOMPARE(child<QPlainTextEdit>(editor, "styleTextEdit")->toPlainText(),
             QStringLiteral("/* empty stylesheet */"));
    QCOMPARE(qApp->styleSheet(), QStringLiteral("/* empty stylesheet */"));
    QVERIFY(!child<QPushButton>(editor, "applyButton")->isEnabled());
    QVERIFY2(renderSample() == unstyled, "no rule is left");
}

void tst_StyleSheetEditor::editingEnablesApplyAndApplyingOrChoosingDisablesIt_data()
{
    QTest::addColumn<QString>("then"); // "apply" or the sheet to choose
    QTest::addColumn<bool>("editApplied");

    QTest::newRow("applying the edit") << "apply" << true;
    QTest::newRow("choosing another sheet") << "Default" << false;
    QTest::newRow("choosing the same sheet again") << "Tavrix" << false;
}

void tst_StyleSheetEditor::editingEnablesApplyAndApplyingOrChoosingDisablesIt()
{
    QFETCH(QString, then);
    QFETCH(bool, editApplied);

    StyleSheetEditor editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto *text = child<QPlainTextEdit>(editor, "styleTextEdit");
    auto *apply = child<QPushButton>(editor, "applyButton");
    const QString before = qApp->styleSheet();

    QTest::mouseClick(text->viewport(), Qt::LeftButton);
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(text, QStringLiteral("QLineEdit { color: #123456; }"));
    QVERIFY(apply->isEnabled());
    QCOMPARE(qApp->styleSheet(), before);

    if (then == QLatin1String("apply")) {
        QTest::mouseClick(apply, Qt::LeftButton);
    } else {
        auto *sheets = child<QComboBox>(editor, "styleSheetCombo");
        if (sheets->currentText() == then) {
            // Choosing the current entry again from the list reloads it.
            sheets->showPopup();
            QTest::keyClick(sheets->view(), Qt::Key_Return);
        } else {
            choose(sheets, then);
        }
    }
    QVERIFY(!apply->isEnabled());

    QLineEdit probe;
    probe.ensurePolished();
    QCOMPARE(probe.palette().color(QPalette::Text) == QColor(0x12, 0x34, 0x56), editApplied);
    if (editApplied) {
        QCOMPARE(qApp->styleSheet(), QStringLiteral("QLineEdit { color: #123456; }"));
    } else {
        QCOMPARE(text->toPlainText(), resourceSheet(then.toLower() + QStringLiteral(".qss")));
        QCOMPARE(qApp->styleSheet(), text->toPlainText());
    }
}

void tst_StyleSheetEditor::unknownSheetChangesNothing()
{
    StyleSheetEditor editor;
    auto *text = child<QPlainTextEdit>(editor, "styleTextEdit");
    QTest::keyClicks(text, QStringLiteral("/* mine */"));
    const QString edited = text->toPlainText();
    const QString applied = qApp->styleSheet();

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No style sheet.*solar")));
    editor.styleSheetComboActivated(QStringLiteral("Solarized"));
    QCOMPARE(text->toPlainText(), edited);
    QCOMPARE(qApp->styleSheet(), applied);
    QVERIFY(child<QPushButton>(editor, "applyButton")->isEnabled());
}

void tst_StyleSheetEditor::tavrixSheetParses()
{
    // Qt reports a sheet it cannot parse, and every property it does not know, as a warning.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("style ?sheet|unknown property"),
                                            QRegularExpression::CaseInsensitiveOption));
    QApplication::setStyle(QStringLiteral("Fusion"));
    StyleSheetEditor editor;

    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&New"));
    window.addToolBar(QStringLiteral("Tools"))->addAction(QStringLiteral("Run"));
    auto *dock = new QDockWidget(QStringLiteral("Declaration"), &window);
    auto *table = new QTableWidget(40, 3, dock);
    dock->setWidget(table);
    window.addDockWidget(Qt::LeftDockWidgetArea, dock);
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    auto *tabs = new QTabWidget(&window);
    auto *list = new QListWidget(tabs);
    list->addItems({QStringLiteral("first"), QStringLiteral("second")});
    tabs->addTab(list, QStringLiteral("List"));
    auto *page = new QGroupBox(QStringLiteral("Options"), tabs);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QComboBox(page));
    layout->addWidget(new QSpinBox(page));
    layout->addWidget(new QCheckBox(QStringLiteral("Word wrap"), page));
    layout->addWidget(new QProgressBar(page));
    layout->addWidget(new QSlider(Qt::Horizontal, page));
    layout->addWidget(new QPushButton(QStringLiteral("&Ok"), page));
    tabs->addTab(page, QStringLiteral("Options"));
    window.setCentralWidget(tabs);
    window.resize(600, 400);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(!window.grab().isNull());
    tabs->setCurrentIndex(1);
    QVERIFY(!window.grab().isNull());
    tabs->setCurrentIndex(0);
    list->setFocus();
    list->setCurrentRow(1);
    QVERIFY(!list->viewport()->grab().isNull());
}

TAVRIX_TEST_MAIN(tst_StyleSheetEditor)
#include "tst_stylesheeteditor.moc"
