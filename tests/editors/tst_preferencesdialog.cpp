#include "common/testmain.h"

#include "common/dialoganswerer.h"
#include "common/testfiles.h"

#include "editors/preferencesdialog.h"

#include "corelib/env/envmanager.h"
#include "guilib/translation/languagelocator.h"
#include "qsa/config.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>
#include <memory>

using Scripter::PreferencesDialog;

namespace {

template<typename Widget>
Widget *child(const PreferencesDialog &dialog, const char *name)
{
    auto *widget = dialog.findChild<Widget *>(QLatin1String(name));
    if (!widget) {
        qFatal("No widget named %s", name);
    }
    return widget;
}

QListWidgetItem *elementItem(const PreferencesDialog &dialog, const QString &element)
{
    auto *list = child<QListWidget>(dialog, "elementList");
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->data(Qt::UserRole).toString() == element) {
            return list->item(row);
        }
    }
    return nullptr;
}

void clickElement(const PreferencesDialog &dialog, const QString &element)
{
    auto *list = child<QListWidget>(dialog, "elementList");
    QListWidgetItem *item = elementItem(dialog, element);
    QVERIFY(item);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(item).center());
    QCOMPARE(list->currentItem(), item);
}

void typeValue(QSpinBox *spinBox, int value)
{
    spinBox->selectAll();
    QTest::keyClicks(spinBox, QString::number(value));
}

// A translation of the element names, as an installed language would bring.
class GermanElementNames : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        if (QLatin1String(context) == QLatin1String("PreferencesBase")
            && QLatin1String(sourceText) == QLatin1String("Comment")) {
            return QStringLiteral("Kommentar");
        }
        return QString();
    }
    bool isEmpty() const override { return false; }
};

QStringList comboItems(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) {
        texts << combo->itemText(i);
    }
    return texts;
}

} // namespace

class tst_PreferencesDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void opensOnCommentShowingItsStyle();
    void remembersTheEditorFamilyItWasOpenedFor_data();
    void remembersTheEditorFamilyItWasOpenedFor();
    void standardSizeCarriesElementsOfTheSameSizeOnly();
    void standardFamilyCarriesElementsOfTheSameFamilyOnly();
    void editsSurviveSwitchingElementsAndCancelDiscardsThem();
    void nothingReachesTheSettingsBeforeSave();
    void chosenColorIsShownAndSavedUnlessCancelled_data();
    void chosenColorIsShownAndSavedUnlessCancelled();
    void missingElementLeavesControlsAndStoresNoEdits();
    void languageChangeWarnsOncePerChangeWhileVisible();
    void listsInstalledLanguagesAndKeepsAnUnknownChoice();
    void elementNamesAreTranslatedButStylesFoundByName();
};

void tst_PreferencesDialog::init()
{
    QSettings().clear();
}

void tst_PreferencesDialog::opensOnCommentShowingItsStyle()
{
    QMap<QString, ConfigStyle> styles = Config::readStyles();
    ConfigStyle &comment = styles[QStringLiteral("Comment")];
    comment.font.setPointSize(13);
    comment.font.setItalic(true);
    comment.font.setUnderline(true);
    comment.font.setBold(false);
    comment.color = QColor(0x12, 0x34, 0x56);
    Config::saveStyles(styles);

    PreferencesDialog dialog;
    dialog.reInit(QStringLiteral("VBScript"));
    const ConfigStyle expected = Config::readStyles().value(QStringLiteral("Comment"));

    QCOMPARE(child<QListWidget>(dialog, "elementList")->currentItem(),
             elementItem(dialog, QStringLiteral("Comment")));
    QCOMPARE(child<QComboBox>(dialog, "familyCombo")->currentText(), expected.font.family());
    QCOMPARE(child<QSpinBox>(dialog, "sizeSpinBox")->value(), 13);
    QVERIFY(!child<QCheckBox>(dialog, "boldBox")->isChecked());
    QVERIFY(child<QCheckBox>(dialog, "italicBox")->isChecked());
    QVERIFY(child<QCheckBox>(dialog, "underlineBox")->isChecked());
    const auto *preview = child<QLineEdit>(dialog, "preview");
    QCOMPARE(preview->font(), expected.font);
    QCOMPARE(preview->palette().color(QPalette::Active, QPalette::Text), expected.color);
    const QImage swatch =
        child<QPushButton>(dialog, "colorButton")->icon().pixmap(20, 20).toImage();
    QCOMPARE(swatch.pixelColor(10, 10), expected.color);
}

void tst_PreferencesDialog::remembersTheEditorFamilyItWasOpenedFor_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("family");

    // clang-format off
    QTest::newRow("VBScript") << "VBScript" << "VBScriptEditor";
    QTest::newRow("AppleScript") << "AppleScript" << "AppleScriptEditor";
    QTest::newRow("JavaScript") << "JavaScript" << "QSAScriptEditor";
    QTest::newRow("anything else") << "" << "QSAScriptEditor";
    // clang-format on
}

void tst_PreferencesDialog::remembersTheEditorFamilyItWasOpenedFor()
{
    QFETCH(QString, script);
    QFETCH(QString, family);

    PreferencesDialog dialog;
    QCOMPARE(dialog.currentScript(), QStringLiteral("QSAScriptEditor"));
    dialog.reInit(QStringLiteral("AppleScript"));
    dialog.reInit(script);
    QCOMPARE(dialog.currentScript(), family);
}

void tst_PreferencesDialog::standardSizeCarriesElementsOfTheSameSizeOnly()
{
    QMap<QString, ConfigStyle> styles = Config::readStyles();
    for (ConfigStyle &style : styles) {
        style.font.setPointSize(10);
    }
    styles[QStringLiteral("Keyword")].font.setPointSize(12);
    styles[QStringLiteral("Number")].font.setPointSize(9);
    Config::saveStyles(styles);

    PreferencesDialog dialog;
    dialog.reInit(QString());
    clickElement(dialog, QStringLiteral("Standard"));
    typeValue(child<QSpinBox>(dialog, "sizeSpinBox"), 14);
    dialog.save();

    const QMap<QString, ConfigStyle> saved = Config::readStyles();
    for (auto it = saved.cbegin(); it != saved.cend(); ++it) {
        const int expected = it.key() == QLatin1String("Keyword")  ? 12
                             : it.key() == QLatin1String("Number") ? 9
                                                                   : 14;
        QCOMPARE(it->font.pointSize(), expected);
    }
}

void tst_PreferencesDialog::standardFamilyCarriesElementsOfTheSameFamilyOnly()
{
    QMap<QString, ConfigStyle> styles = Config::readStyles();
    for (ConfigStyle &style : styles) {
        style.font.setFamily(QStringLiteral("DejaVu Sans Mono"));
    }
    styles[QStringLiteral("String")].font.setFamily(QStringLiteral("DejaVu Serif"));
    Config::saveStyles(styles);

    PreferencesDialog dialog;
    dialog.reInit(QString());
    clickElement(dialog, QStringLiteral("Standard"));
    auto *family = child<QComboBox>(dialog, "familyCombo");
    family->lineEdit()->selectAll();
    QTest::keyClicks(family->lineEdit(), QStringLiteral("DejaVu Sans"));
    dialog.save();

    const QMap<QString, ConfigStyle> saved = Config::readStyles();
    for (auto it = saved.cbegin(); it != saved.cend(); ++it) {
        QCOMPARE(it->font.family(), it.key() == QLatin1String("String")
                                        ? QStringLiteral("DejaVu Serif")
                                        : QStringLiteral("DejaVu Sans"));
    }
}

void tst_PreferencesDialog::editsSurviveSwitchingElementsAndCancelDiscardsThem()
{
    const QMap<QString, ConfigStyle> before = Config::readStyles();
    QVERIFY(before.value(QStringLiteral("Keyword")).font.bold());

    PreferencesDialog dialog;
    dialog.reInit(QString());
    dialog.show();
    clickElement(dialog, QStringLiteral("Keyword"));
    auto *bold = child<QCheckBox>(dialog, "boldBox");
    QVERIFY(bold->isChecked());
    QTest::mouseClick(bold, Qt::LeftButton);
    QVERIFY(!child<QLineEdit>(dialog, "preview")->font().bold());

    clickElement(dialog, QStringLiteral("Comment"));
    QVERIFY(!bold->isChecked());
    clickElement(dialog, QStringLiteral("Keyword"));
    QVERIFY(!bold->isChecked());

    QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(Config::readStyles(), before);

    dialog.reInit(QString());
    clickElement(dialog, QStringLiteral("Keyword"));
    QVERIFY(bold->isChecked());
}

void tst_PreferencesDialog::nothingReachesTheSettingsBeforeSave()
{
    PreferencesDialog dialog;
    dialog.reInit(QString());
    dialog.show();
    QTest::mouseClick(child<QCheckBox>(dialog, "wordWrapBox"), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(dialog, "completionBox"), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(dialog, "parenMatchingBox"), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(dialog, "keepTabsBox"), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(dialog, "autoIndentBox"), Qt::LeftButton);
    typeValue(child<QSpinBox>(dialog, "tabSizeSpinBox"), 8);
    typeValue(child<QSpinBox>(dialog, "indentSizeSpinBox"), 2);
    QTest::mouseClick(child<QCheckBox>(dialog, "italicBox"), Qt::LeftButton);

    QVERIFY(!Config::wordWrap());
    QVERIFY(Config::completion());
    QCOMPARE(Config::indentTabSize(), 4);
    QCOMPARE(Config::readStyles(), Config::defaultStyles());

    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    dialog.save();
    QVERIFY(Config::wordWrap());
    QVERIFY(!Config::completion());
    QVERIFY(!Config::parenMatching());
    QVERIFY(!Config::indentKeepTabs());
    QVERIFY(!Config::indentAutoIndent());
    QCOMPARE(Config::indentTabSize(), 8);
    QCOMPARE(Config::indentIndentSize(), 2);
    QCOMPARE(Config::readStyles().value(QStringLiteral("Comment")).font.italic(),
             !Config::defaultStyles().value(QStringLiteral("Comment")).font.italic());
    QCOMPARE(Config::language(), QStringLiteral("English"));
}

void tst_PreferencesDialog::chosenColorIsShownAndSavedUnlessCancelled_data()
{
    QTest::addColumn<bool>("accepted");

    QTest::newRow("chosen") << true;
    QTest::newRow("cancelled") << false;
}

void tst_PreferencesDialog::chosenColorIsShownAndSavedUnlessCancelled()
{
    QFETCH(bool, accepted);
    PreferencesDialog dialog;
    dialog.reInit(QString());
    dialog.show();
    clickElement(dialog, QStringLiteral("String"));
    const QColor before = Config::defaultStyles().value(QStringLiteral("String")).color;
    const QColor chosen(0x20, 0x40, 0x60);
    const QColor expected = accepted ? chosen : before;
    QColor offered;
    DialogAnswerer answerer;
    answerer.leaveOpen(&dialog);
    answerer.then(DialogAnswerer::with<QColorDialog>([&](QColorDialog *colorDialog) {
        offered = colorDialog->currentColor();
        colorDialog->setCurrentColor(chosen);
        accepted ? colorDialog->accept() : colorDialog->reject();
    }));
    QTest::mouseClick(child<QPushButton>(dialog, "colorButton"), Qt::LeftButton);

    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(offered, before);
    QCOMPARE(child<QLineEdit>(dialog, "preview")->palette().color(QPalette::Active, QPalette::Text),
             expected);
    const QImage swatch =
        child<QPushButton>(dialog, "colorButton")->icon().pixmap(20, 20).toImage();
    QCOMPARE(swatch.pixelColor(10, 10), expected);
    dialog.save();
    QCOMPARE(Config::readStyles().value(QStringLiteral("String")).color, expected);
}

void tst_PreferencesDialog::missingElementLeavesControlsAndStoresNoEdits()
{
    PreferencesDialog dialog;
    dialog.reInit(QString());
    clickElement(dialog, QStringLiteral("Keyword"));
    auto *size = child<QSpinBox>(dialog, "sizeSpinBox");
    typeValue(size, 20);

    dialog.elementChanged(QStringLiteral("NoSuchElement"));
    QCOMPARE(size->value(), 20);
    typeValue(size, 7);
    QTest::mouseClick(child<QCheckBox>(dialog, "underlineBox"), Qt::LeftButton);
    dialog.save();

    const QMap<QString, ConfigStyle> saved = Config::readStyles();
    QMap<QString, ConfigStyle> expected = Config::defaultStyles();
    expected[QStringLiteral("Keyword")].font.setPointSize(20);
    QCOMPARE(saved, expected);
}

void tst_PreferencesDialog::languageChangeWarnsOncePerChangeWhileVisible()
{
    Config::setLanguage(QStringLiteral("Deutsch"));
    DialogAnswerer answerer;
    PreferencesDialog dialog;
    answerer.leaveOpen(&dialog);
    dialog.reInit(QString());
    auto *language = child<QComboBox>(dialog, "languageCombo");
    QCOMPARE(language->currentText(), QStringLiteral("Deutsch"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.reInit(QString());

    language->setFocus();
    QTest::keyClick(language, Qt::Key_Up);
    QCOMPARE(language->currentText(), QStringLiteral("English"));
    QTest::keyClick(language, Qt::Key_Down);
    QCOMPARE(language->currentText(), QStringLiteral("Deutsch"));

    const QString warning =
        QStringLiteral("Preferences|%1 restart is required").arg(SRCore::EnvManager::appName());
    QCOMPARE(answerer.seen, QStringList(2, warning));
    QVERIFY(dialog.isVisible());
    dialog.reject();
    QCOMPARE(answerer.seen.size(), 2);
}

void tst_PreferencesDialog::listsInstalledLanguagesAndKeepsAnUnknownChoice()
{
    const QTemporaryDir program;
    QVERIFY(program.isValid());
    const QString folder = program.filePath(QStringLiteral("translations"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/Francais")));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/Deutsch")));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/Empty")));
    for (const QString &file :
         {QStringLiteral("/Francais/Scripter_fr.qm"), QStringLiteral("/Deutsch/Scripter_de.qm"),
          QStringLiteral("/Empty/readme.txt")}) {
        QVERIFY(TestFiles::writeFile(folder + file, QByteArray()));
    }
    Config::setLanguage(QStringLiteral("Klingon"));

    // The test program's own folder holds no translations.
    QCOMPARE(comboItems(child<QComboBox>(PreferencesDialog(), "languageCombo")),
             QStringList{QStringLiteral("English")});

    PreferencesDialog dialog(GuiLib::LanguageLocator(false, program.path()));
    auto *language = child<QComboBox>(dialog, "languageCombo");
    QCOMPARE(comboItems(language),
             (QStringList{QStringLiteral("English"), QStringLiteral("Deutsch"),
                          QStringLiteral("Francais")}));
    dialog.reInit(QString());
    QCOMPARE(language->currentText(), QStringLiteral("Klingon"));
    dialog.save();
    QCOMPARE(Config::language(), QStringLiteral("Klingon"));

    Config::setLanguage(QStringLiteral("Francais"));
    dialog.reInit(QString());
    QCOMPARE(language->currentText(), QStringLiteral("Francais"));
}

void tst_PreferencesDialog::elementNamesAreTranslatedButStylesFoundByName()
{
    GermanElementNames translator;
    QCoreApplication::installTranslator(&translator);
    QMap<QString, ConfigStyle> styles = Config::readStyles();
    styles[QStringLiteral("Comment")].font.setPointSize(17);
    Config::saveStyles(styles);

    PreferencesDialog dialog;
    dialog.reInit(QString());
    QCoreApplication::removeTranslator(&translator);

    QListWidgetItem *comment = elementItem(dialog, QStringLiteral("Comment"));
    QVERIFY(comment);
    QCOMPARE(comment->text(), QStringLiteral("Kommentar"));
    clickElement(dialog, QStringLiteral("Standard"));
    clickElement(dialog, QStringLiteral("Comment"));
    QCOMPARE(child<QSpinBox>(dialog, "sizeSpinBox")->value(), 17);
}

TAVRIX_TEST_MAIN(tst_PreferencesDialog)
#include "tst_preferencesdialog.moc"
