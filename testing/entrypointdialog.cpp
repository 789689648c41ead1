#include "entrypointdialog.h"

#include "entrypoints.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace Scripter {

namespace {

struct DialogTexts
{
    QString description;
    QString field;
};

DialogTexts textsFor(int entryPoint)
{
    const QString propertyName = EntryPointDialog::tr("Property name:");
    switch (entryPoint) {
    case EntryPoints::IsPropertyValid:
        return {EntryPointDialog::tr("Enter property name for test entry point isPropertyValid."),
                propertyName};
    case EntryPoints::GetLibraryForProperty:
        return {
            EntryPointDialog::tr("Enter property name for test entry point getLibraryForProperty."),
            propertyName};
    case EntryPoints::IsConnectionPropertyValid:
        return {EntryPointDialog::tr(
                    "Enter property name for test entry point isConnectionPropertyValid."),
                propertyName};
    case EntryPoints::GetLibraryForConnectionProperty:
        return {EntryPointDialog::tr(
                    "Enter property name for test entry point getLibForConnectionProperty."),
                propertyName};
    case EntryPoints::FindApplicationPath:
        return {EntryPointDialog::tr(
                    "Enter 'startup' parameter value for test entry point findApplicationPath."),
                EntryPointDialog::tr("'startup' parameter value:")};
    case EntryPoints::LicenseApplication:
        return {EntryPointDialog::tr("Enter license key for test entry point licenseApplication."),
                EntryPointDialog::tr("License key:")};
    default:
        return {};
    }
}

} // namespace

EntryPointDialog::EntryPointDialog(QWidget *parent, const QStringList &values, int entryPoint)
    : QDialog(parent)
    , m_entryPoint(entryPoint)
    , m_okButton(new QPushButton(tr("OK"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(tr("Enter property name "));
    const DialogTexts texts = textsFor(entryPoint);

    QWidget *valueWidget = nullptr;
    if (entryPoint == EntryPoints::LicenseApplication) {
        m_key = new QLineEdit(this);
        connect(m_key, &QLineEdit::textChanged, this, &EntryPointDialog::updateButtons);
        valueWidget = m_key;
    } else {
        m_values = new QComboBox(this);
        m_values->setEditable(true);
        m_values->addItems(values);
        const QString remembered = QSettings().value(settingsKey(entryPoint)).toString();
        if (const int index = m_values->findText(remembered); index >= 0) {
            m_values->setCurrentIndex(index);
        }
        valueWidget = m_values;
    }
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(texts.description, this));
    auto *fieldRow = new QHBoxLayout;
    fieldRow->addWidget(new QLabel(texts.field, this));
    fieldRow->addWidget(valueWidget, 1);
    layout->addLayout(fieldRow);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_okButton);
    buttonRow->addWidget(m_cancelButton);
    layout->addLayout(buttonRow);
    updateButtons();
    setMinimumSize(sizeHint());
}

EntryPointDialog::~EntryPointDialog() = default;

QString EntryPointDialog::settingsKey(int entryPoint)
{
    switch (entryPoint) {
    case EntryPoints::IsPropertyValid:
        return QStringLiteral("General/IsPropertyValidTagName");
    case EntryPoints::GetLibraryForProperty:
        return QStringLiteral("General/LibraryForPropertyTagName");
    case EntryPoints::FindApplicationPath:
        return QStringLiteral("General/FindApplicationPathStartupProp");
    case EntryPoints::IsConnectionPropertyValid:
        return QStringLiteral("General/IsConnectionPropertyValidTagName");
    case EntryPoints::GetLibraryForConnectionProperty:
        return QStringLiteral("General/LibraryForConnectionPropertyTagName");
    default:
        return QString();
    }
}

void EntryPointDialog::updateButtons()
{
    m_okButton->setEnabled(!m_key || !m_key->text().isEmpty());
}

QString EntryPointDialog::value() const
{
    if (m_key) {
        return m_key->text();
    }
    const QString chosen = m_values->currentText();
    const QString key = settingsKey(m_entryPoint);
    if (!key.isEmpty()) {
        QSettings().setValue(key, chosen);
    }
    return chosen;
}

} // namespace Scripter
