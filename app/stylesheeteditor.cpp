#include "stylesheeteditor.h"

#include "scripterlogging.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleFactory>

namespace Scripter {

namespace {

// The key of the application's widget style, told by its class name ("QFusionStyle" is
// "Fusion").
QString currentStyleKey()
{
    // While an application style sheet is in effect, the style is Qt's style sheet wrapper and
    // the chosen style is only underneath it. The editor applies a sheet of its own right after.
    if (!qApp->styleSheet().isEmpty()) {
        qApp->setStyleSheet(QString());
    }
    const QString className = QString::fromLatin1(QApplication::style()->metaObject()->className());
    if (className == QLatin1String("QMacStyle")) {
        return QStringLiteral("Macintosh (Aqua)");
    }
    static const QRegularExpression styleClass(
        QRegularExpression::anchoredPattern(QStringLiteral("Q(.*)Style")));
    const QRegularExpressionMatch match = styleClass.match(className);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

StyleSheetEditor::StyleSheetEditor(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("styleSheetEditor"));
    setWindowTitle(tr("Style Editor"));

    auto *styleLabel = new QLabel(tr("Style:"), this);
    styleLabel->setObjectName(QStringLiteral("styleLabel"));
    m_styleCombo = new QComboBox(this);
    m_styleCombo->setObjectName(QStringLiteral("styleCombo"));
    styleLabel->setBuddy(m_styleCombo);
    auto *styleSheetLabel = new QLabel(tr("Style Sheet:"), this);
    styleSheetLabel->setObjectName(QStringLiteral("styleSheetLabel"));
    m_styleSheetCombo = new QComboBox(this);
    m_styleSheetCombo->setObjectName(QStringLiteral("styleSheetCombo"));
    styleSheetLabel->setBuddy(m_styleSheetCombo);
    // The entries name the sheets' resources, so they are not translated.
    m_styleSheetCombo->addItems({QStringLiteral("Tavrix"), QStringLiteral("Default")});
    m_styleTextEdit = new QPlainTextEdit(this);
    m_styleTextEdit->setObjectName(QStringLiteral("styleTextEdit"));
    m_styleTextEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_styleTextEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_applyButton = new QPushButton(tr("&Apply"), this);
    m_applyButton->setObjectName(QStringLiteral("applyButton"));

    auto *layout = new QGridLayout(this);
    layout->setSpacing(6);
    layout->setContentsMargins(9, 9, 9, 9);
    layout->addWidget(styleLabel, 0, 0);
    layout->addWidget(m_styleCombo, 0, 1);
    layout->setColumnStretch(2, 1);
    layout->addWidget(styleSheetLabel, 0, 3);
    layout->addWidget(m_styleSheetCombo, 0, 4);
    layout->addWidget(m_styleTextEdit, 1, 0, 1, 5);
    layout->addWidget(m_applyButton, 2, 4);
    resize(640, 480);

    m_styleCombo->addItems(QStyleFactory::keys());
    m_styleCombo->setCurrentIndex(m_styleCombo->findText(currentStyleKey(), Qt::MatchFixedString));
    m_styleSheetCombo->setCurrentIndex(0);
    styleSheetComboActivated(m_styleSheetCombo->currentText());

    connect(m_styleCombo, &QComboBox::textActivated, this, &StyleSheetEditor::styleComboActivated);
    connect(m_styleSheetCombo, &QComboBox::textActivated, this,
            &StyleSheetEditor::styleSheetComboActivated);
    connect(m_styleTextEdit, &QPlainTextEdit::textChanged, this,
            &StyleSheetEditor::styleTextEditChanged);
    connect(m_applyButton, &QPushButton::clicked, this, &StyleSheetEditor::applyButtonClicked);
}

void StyleSheetEditor::styleComboActivated(const QString &styleName)
{
    QApplication::setStyle(styleName);
    m_applyButton->setEnabled(false);
}

void StyleSheetEditor::styleSheetComboActivated(const QString &sheetName)
{
    QFile file(QStringLiteral(":/StyleSheets/") + sheetName.toLower() + QStringLiteral(".qss"));
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcScripter) << "No style sheet" << file.fileName() << file.errorString();
        return;
    }
    const QString styleSheet = QString::fromLatin1(file.readAll());
    m_styleTextEdit->setPlainText(styleSheet);
    qApp->setStyleSheet(styleSheet);
    m_applyButton->setEnabled(false);
}

void StyleSheetEditor::styleTextEditChanged()
{
    m_applyButton->setEnabled(true);
}

void StyleSheetEditor::applyButtonClicked()
{
    qApp->setStyleSheet(m_styleTextEdit->toPlainText());
    m_applyButton->setEnabled(false);
}

} // namespace Scripter
