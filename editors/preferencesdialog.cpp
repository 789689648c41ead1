#include "preferencesdialog.h"

#include "corelib/env/envmanager.h"
#include "guilib/translation/languagelocator.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace Scripter {

namespace {

const QString standardElement = QStringLiteral("Standard");
const QString commentElement = QStringLiteral("Comment");
constexpr int elementRole = Qt::UserRole;

template<typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QSpinBox *indentSpinBox(QWidget *parent, const char *name)
{
    auto *spinBox = named(new QSpinBox(parent), name);
    spinBox->setRange(1, 64);
    spinBox->setValue(4);
    return spinBox;
}

} // namespace

PreferencesDialog::PreferencesDialog(QWidget *parent)
    : PreferencesDialog(GuiLib::LanguageLocator(SRCore::EnvManager::isCustomizedTavrix()), parent)
{}

PreferencesDialog::PreferencesDialog(const GuiLib::LanguageLocator &languages, QWidget *parent)
    : QDialog(parent)
    , m_currentScript(QStringLiteral("QSAScriptEditor"))
{
    setModal(true);
    setWindowTitle(tr("Preferences"));
    auto *tabs = new QTabWidget(this);

    auto *syntaxPage = new QWidget(tabs);
    m_elementList = named(new QListWidget(syntaxPage), "elementList");
    m_familyCombo = named(new QComboBox(syntaxPage), "familyCombo");
    m_familyCombo->setEditable(true);
    m_familyCombo->addItems(QFontDatabase::families());
    m_sizeSpinBox = named(new QSpinBox(syntaxPage), "sizeSpinBox");
    m_sizeSpinBox->setRange(6, 24);
    m_boldBox = named(new QCheckBox(tr("Bold"), syntaxPage), "boldBox");
    m_italicBox = named(new QCheckBox(tr("Italic"), syntaxPage), "italicBox");
    m_underlineBox = named(new QCheckBox(tr("Underline"), syntaxPage), "underlineBox");
    m_colorButton = named(new QPushButton(syntaxPage), "colorButton");
    m_colorButton->setIconSize(QSize(20, 20));
    m_preview = named(new QLineEdit(tr("Some Text"), syntaxPage), "preview");
    m_preview->setMinimumHeight(40);

    auto *fontBoxes = new QHBoxLayout;
    fontBoxes->addWidget(m_boldBox);
    fontBoxes->addWidget(m_italicBox);
    fontBoxes->addWidget(m_underlineBox);
    fontBoxes->addStretch();
    auto *syntaxLayout = new QGridLayout(syntaxPage);
    syntaxLayout->addWidget(new QLabel(tr("Element"), syntaxPage), 0, 0);
    syntaxLayout->addWidget(m_elementList, 1, 0, 6, 1);
    syntaxLayout->addWidget(new QLabel(tr("Family"), syntaxPage), 0, 1);
    syntaxLayout->addWidget(m_familyCombo, 0, 2);
    syntaxLayout->addWidget(new QLabel(tr("Size"), syntaxPage), 1, 1);
    syntaxLayout->addWidget(m_sizeSpinBox, 1, 2);
    syntaxLayout->addLayout(fontBoxes, 2, 1, 1, 2);
    syntaxLayout->addWidget(new QLabel(tr("Change color"), syntaxPage), 3, 1);
    syntaxLayout->addWidget(m_colorButton, 3, 2, Qt::AlignLeft);
    syntaxLayout->addWidget(new QLabel(tr("Preview"), syntaxPage), 4, 1);
    syntaxLayout->addWidget(m_preview, 5, 1, 1, 2);
    syntaxLayout->setRowStretch(6, 1);
    tabs->addTab(syntaxPage, tr("Syntax highlighting"));

    auto *editingPage = new QWidget(tabs);
    auto *options = new QGroupBox(tr("Options"), editingPage);
    m_wordWrapBox = named(new QCheckBox(tr("Word wrap"), options), "wordWrapBox");
    m_completionBox = named(new QCheckBox(tr("Completion"), options), "completionBox");
    m_parenMatchingBox =
        named(new QCheckBox(tr("Parentheses matching"), options), "parenMatchingBox");
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(m_wordWrapBox);
    optionsLayout->addWidget(m_completionBox);
    optionsLayout->addWidget(m_parenMatchingBox);
    auto *indentation = new QGroupBox(tr("Indentation"), editingPage);
    m_keepTabsBox = named(new QCheckBox(tr("Keep tabs"), indentation), "keepTabsBox");
    m_autoIndentBox = named(new QCheckBox(tr("Auto indent"), indentation), "autoIndentBox");
    m_tabSizeSpinBox = indentSpinBox(indentation, "tabSizeSpinBox");
    m_indentSizeSpinBox = indentSpinBox(indentation, "indentSizeSpinBox");
    auto *indentationLayout = new QGridLayout(indentation);
    indentationLayout->addWidget(m_keepTabsBox, 0, 0, 1, 2);
    indentationLayout->addWidget(m_autoIndentBox, 1, 0, 1, 2);
    indentationLayout->addWidget(new QLabel(tr("Tab size"), indentation), 2, 0);
    indentationLayout->addWidget(m_tabSizeSpinBox, 2, 1);
    indentationLayout->addWidget(new QLabel(tr("Indent size"), indentation), 3, 0);
    indentationLayout->addWidget(m_indentSizeSpinBox, 3, 1);
    auto *editingLayout = new QVBoxLayout(editingPage);
    editingLayout->addWidget(options);
    editingLayout->addWidget(indentation);
    editingLayout->addStretch();
    tabs->addTab(editingPage, tr("Editing"));

    auto *languagePage = new QWidget(tabs);
    m_languageCombo = named(new QComboBox(languagePage), "languageCombo");
    m_languageCombo->addItems(languages.languages());
    auto *languageLayout = new QGridLayout(languagePage);
    languageLayout->addWidget(new QLabel(tr("Language"), languagePage), 0, 0);
    languageLayout->addWidget(m_languageCombo, 0, 1);
    languageLayout->setRowStretch(1, 1);
    languageLayout->setColumnStretch(1, 1);
    tabs->addTab(languagePage, tr("Language"));

    auto *testingPage = new QWidget(tabs);
    m_runTimeoutSpinBox = named(new QSpinBox(testingPage), "runTimeoutSpinBox");
    m_runTimeoutSpinBox->setRange(0, 24 * 60 * 60);
    m_runTimeoutSpinBox->setSuffix(tr(" s"));
    m_runTimeoutSpinBox->setSpecialValueText(tr("never"));
    auto *testingLayout = new QGridLayout(testingPage);
    testingLayout->addWidget(new QLabel(tr("Stop a test run after"), testingPage), 0, 0);
    testingLayout->addWidget(m_runTimeoutSpinBox, 0, 1);
    testingLayout->setRowStretch(1, 1);
    testingLayout->setColumnStretch(1, 1);
    tabs->addTab(testingPage, tr("Testing"));

    m_okButton = named(new QPushButton(tr("&Ok"), this), "okButton");
    m_okButton->setDefault(true);
    m_cancelButton = named(new QPushButton(tr("&Cancel"), this), "cancelButton");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);

    fillElementList();

    connect(m_sizeSpinBox, &QSpinBox::valueChanged, this, &PreferencesDialog::sizeChanged);
    connect(m_boldBox, &QCheckBox::toggled, this, &PreferencesDialog::boldChanged);
    connect(m_italicBox, &QCheckBox::toggled, this, &PreferencesDialog::italicChanged);
    connect(m_underlineBox, &QCheckBox::toggled, this, &PreferencesDialog::underlineChanged);
    connect(m_colorButton, &QPushButton::clicked, this, &PreferencesDialog::colorClicked);
    connect(m_familyCombo, &QComboBox::textActivated, this, &PreferencesDialog::familyChanged);
    connect(m_familyCombo, &QComboBox::editTextChanged, this, &PreferencesDialog::familyChanged);
    // The list shows translated names; the style map is keyed by the untranslated ones.
    connect(m_elementList, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *current) {
                elementChanged(current ? current->data(elementRole).toString() : QString());
            });
    connect(m_languageCombo, &QComboBox::currentIndexChanged, this,
            &PreferencesDialog::languageChanged);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, &PreferencesDialog::destroy);
}

int PreferencesDialog::runTimeout() const
{
    return m_runTimeoutSpinBox->value();
}

void PreferencesDialog::setRunTimeout(int seconds)
{
    m_runTimeoutSpinBox->setValue(seconds);
}

QString PreferencesDialog::currentScript() const
{
    return m_currentScript;
}

void PreferencesDialog::destroy()
{
    m_styles.clear();
    m_currentElement.clear();
}

void PreferencesDialog::reInit(const QString &script)
{
    setCurrentScript(script);
    m_styles = Config::readStyles();
    m_currentElement.clear();

    {
        const QSignalBlocker blocker(m_elementList);
        fillElementList();
        elementChanged(commentElement);
        QListWidgetItem *comment = nullptr;
        for (int row = 0; row < m_elementList->count() && !comment; ++row) {
            if (m_elementList->item(row)->data(elementRole).toString() == commentElement) {
                comment = m_elementList->item(row);
            }
        }
        m_elementList->setCurrentItem(comment);
    }

    m_wordWrapBox->setChecked(Config::wordWrap());
    m_completionBox->setChecked(Config::completion());
    m_parenMatchingBox->setChecked(Config::parenMatching());
    m_indentSizeSpinBox->setValue(Config::indentIndentSize());
    m_keepTabsBox->setChecked(Config::indentKeepTabs());
    m_autoIndentBox->setChecked(Config::indentAutoIndent());
    m_tabSizeSpinBox->setValue(Config::indentTabSize());

    const QSignalBlocker blocker(m_languageCombo);
    const QString language = Config::language();
    // A language that is no longer installed stays chosen until the user picks another one.
    if (m_languageCombo->findText(language, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) {
        m_languageCombo->addItem(language);
    }
    m_languageCombo->setCurrentIndex(
        m_languageCombo->findText(language, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

void PreferencesDialog::fillElementList()
{
    m_elementList->clear();
    for (const QString &element : Config::getStyleNames()) {
        auto *item = new QListWidgetItem(
            QCoreApplication::translate("PreferencesBase", element.toUtf8().constData()),
            m_elementList);
        item->setData(elementRole, element);
    }
}

void PreferencesDialog::storeCurrentStyle()
{
    if (!m_currentElement.isEmpty()) {
        m_styles.insert(m_currentElement, m_currentStyle);
        m_currentElement.clear();
    }
}

void PreferencesDialog::save()
{
    storeCurrentStyle();
    Config::saveStyles(m_styles);
    Config::setWordWrap(m_wordWrapBox->isChecked());
    Config::setCompletion(m_completionBox->isChecked());
    Config::setParenMatching(m_parenMatchingBox->isChecked());
    Config::setIndentIndentSize(m_indentSizeSpinBox->value());
    Config::setIndentKeepTabs(m_keepTabsBox->isChecked());
    Config::setIndentAutoIndent(m_autoIndentBox->isChecked());
    Config::setIndentTabSize(m_tabSizeSpinBox->value());
    Config::setLanguage(m_languageCombo->currentText());
}

void PreferencesDialog::elementChanged(const QString &element)
{
    storeCurrentStyle();
    const auto it = m_styles.constFind(element);
    if (it == m_styles.constEnd()) {
        return;
    }
    m_currentStyle = *it;
    {
        // Showing a style is no edit of it.
        const QSignalBlocker family(m_familyCombo);
        const QSignalBlocker size(m_sizeSpinBox);
        const QSignalBlocker bold(m_boldBox);
        const QSignalBlocker italic(m_italicBox);
        const QSignalBlocker underline(m_underlineBox);
        m_familyCombo->setEditText(m_currentStyle.font.family());
        m_sizeSpinBox->setValue(m_currentStyle.font.pointSize());
        m_boldBox->setChecked(m_currentStyle.font.weight() > QFont::Normal);
        m_italicBox->setChecked(m_currentStyle.font.italic());
        m_underlineBox->setChecked(m_currentStyle.font.underline());
    }
    setColorPixmap(m_currentStyle.color);
    m_currentElement = element;
    updatePreview();
}

void PreferencesDialog::boldChanged(bool b)
{
    m_currentStyle.font.setWeight(b ? QFont::Bold : QFont::Normal);
    updatePreview();
}

void PreferencesDialog::italicChanged(bool b)
{
    m_currentStyle.font.setItalic(b);
    updatePreview();
}

void PreferencesDialog::underlineChanged(bool b)
{
    m_currentStyle.font.setUnderline(b);
    updatePreview();
}

void PreferencesDialog::colorClicked()
{
    const QColor color = QColorDialog::getColor(m_currentStyle.color, this);
    if (!color.isValid()) {
        return;
    }
    m_currentStyle.color = color;
    setColorPixmap(color);
    updatePreview();
}

void PreferencesDialog::familyChanged(const QString &f)
{
    const QString previous = m_currentStyle.font.family();
    m_currentStyle.font.setFamily(f);
    // Elements that still share the standard family follow it; the others keep theirs.
    if (m_currentElement == standardElement) {
        for (ConfigStyle &style : m_styles) {
            if (style.font.family() == previous) {
                style.font.setFamily(f);
            }
        }
    }
    updatePreview();
}

void PreferencesDialog::sizeChanged(int s)
{
    const int previous = m_currentStyle.font.pointSize();
    m_currentStyle.font.setPointSize(s);
    if (m_currentElement == standardElement) {
        for (ConfigStyle &style : m_styles) {
            if (style.font.pointSize() == previous) {
                style.font.setPointSize(s);
            }
        }
    }
    updatePreview();
}

void PreferencesDialog::setColorPixmap(const QColor &c)
{
    QPixmap swatch(20, 20);
    swatch.fill(c);
    m_colorButton->setIcon(swatch);
}

void PreferencesDialog::updatePreview()
{
    m_preview->setFont(m_currentStyle.font);
    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::Active, QPalette::Text, m_currentStyle.color);
    palette.setColor(QPalette::Active, QPalette::WindowText, m_currentStyle.color);
    m_preview->setPalette(palette);
}

void PreferencesDialog::setCurrentScript(const QString &script)
{
    if (script.contains(QLatin1String("VBScript"))) {
        m_currentScript = QStringLiteral("VBScriptEditor");
    } else if (script.contains(QLatin1String("AppleScript"))) {
        m_currentScript = QStringLiteral("AppleScriptEditor");
    } else {
        m_currentScript = QStringLiteral("QSAScriptEditor");
    }
}

void PreferencesDialog::languageChanged(int index)
{
    Q_UNUSED(index)
    if (!isVisible()) {
        return;
    }
    QMessageBox::warning(this, tr("Preferences"),
                         tr("%1 restart is required").arg(SRCore::EnvManager::appName()));
}

} // namespace Scripter
