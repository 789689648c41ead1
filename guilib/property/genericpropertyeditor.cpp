#include "genericpropertyeditor.h"

#include "editorkinds.h"
#include "genericproperty.h"
#include "genericvalueoverrider.h"
#include "iappproxy.h"
#include "ipropertyparent.h"
#include "ivalueeditor.h"
#include "propertylogging.h"
#include "propertytexts.h"
#include "valueeditorfactory.h"
#include "valueeditorrequest.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include <utility>

namespace GuiLib {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;
using Action = EditorKinds::Action;

constexpr int ButtonWidth = 20;

QStringList enumerationItems(const QString &type)
{
    return type.section(QLatin1Char(':'), 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

} // namespace

GenericPropertyEditor::GenericPropertyEditor(GenericProperty *property, QWidget *parent)
    : QWidget(parent)
    , m_property(property)
    , m_kinds(EditorKinds::split(property->editors()))
    , m_currentKind(property->editor())
    , m_value(property->valueText())
    , m_valueKind(property->editor())
    , m_attributes(property->attributes())
    , m_layout(new QHBoxLayout(this))
    , m_dialogButton(new QToolButton(this))
    , m_kindsButton(new QToolButton(this))
{
    // An item editor covers the cell text.
    setAutoFillBackground(true);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);

    m_autoManagedPath = property->tag() == XMLKey::PATH
                        && m_kinds.contains(XMLValues::EDITOR_CHOOSEFOLDER)
                        && m_kinds.contains(XMLValues::EDITOR_AUTOMANAGED);

    m_dialogButton->setObjectName(QStringLiteral("dialogButton"));
    m_dialogButton->setIcon(QIcon(QStringLiteral(":/Images/ellipsis.png")));
    m_dialogButton->setMaximumWidth(ButtonWidth);
    // The buttons leave the focus in the value field, so that using them is no leaving.
    m_dialogButton->setFocusPolicy(Qt::NoFocus);
    connect(m_dialogButton, &QToolButton::clicked, this,
            &GenericPropertyEditor::buttonClickHandler);

    m_kindsButton->setObjectName(QStringLiteral("kindsButton"));
    m_kindsButton->setIcon(QIcon(QStringLiteral(":/Images/smaller_then.png")));
    m_kindsButton->setMaximumWidth(ButtonWidth);
    m_kindsButton->setFocusPolicy(Qt::NoFocus);
    m_kindsButton->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(m_kindsButton);
    menu->setToolTipsVisible(true);
    QStringList offered;
    for (const QString &kind : std::as_const(m_kinds)) {
        if (EditorKinds::action(kind) != Action::DisplayFlag && !offered.contains(kind)) {
            offered.append(kind);
        }
    }
    for (const QString &kind : EditorKinds::sortedForMenu(offered)) {
        QAction *action = menu->addAction(EditorKinds::label(kind, property->type()));
        action->setData(kind);
        if (kind == XMLValues::EDITOR_INLINE) {
            m_inlineAction = action;
        }
        connect(action, &QAction::triggered, this, &GenericPropertyEditor::actionClickHandler);
    }
    m_kindsButton->setMenu(menu);

    buildValueField();
    m_layout->addWidget(m_dialogButton);
    m_layout->addWidget(m_kindsButton);
    updateButtons();
}

GenericPropertyEditor::~GenericPropertyEditor()
{
    // A line edit reports its text once more when it loses the focus on its way out.
    m_valueField->disconnect(this);
}

QString GenericPropertyEditor::propertyType() const
{
    return m_property ? m_property->type() : QString();
}

QString GenericPropertyEditor::value() const
{
    if (auto *lineEdit = qobject_cast<QLineEdit *>(m_valueField);
        lineEdit && !lineEdit->isReadOnly()) {
        return lineEdit->text();
    }
    return m_value;
}

void GenericPropertyEditor::setAttributes(const PropertyAttributes &attributes)
{
    m_attributes = attributes;
}

void GenericPropertyEditor::setEditorData(const QString &value, const QString &kind)
{
    m_value = value;
    m_valueKind = kind;
    if (kind != m_currentKind) {
        m_currentKind = kind;
        updateButtons();
    }
    buildValueField();
}

void GenericPropertyEditor::buildValueField()
{
    const QString type = propertyType();
    const bool inlineKind = m_currentKind == XMLValues::EDITOR_INLINE;
    QWidget *field = nullptr;
    if (inlineKind
        && (type == XMLValues::EDITORTYPE_BOOL || type.startsWith(XMLValues::EDITORTYPE_ENUM))) {
        auto *list = new QComboBox(this);
        list->setFrame(false);
        list->view()->setTextElideMode(Qt::ElideRight);
        const bool translated = !m_property || m_property->tag() != XMLValues::UP_UI_LANGUAGE;
        const QStringList items = type == XMLValues::EDITORTYPE_BOOL
                                      ? QStringList{XMLValues::YES, XMLValues::NO}
                                      : enumerationItems(type);
        for (const QString &item : items) {
            list->addItem(translated ? translatePropertyText(PropertyEnumsContext, item) : item,
                          item);
        }
        list->setCurrentIndex(list->findData(m_value));
        connect(list, &QComboBox::activated, this, &GenericPropertyEditor::listEditChanged);
        field = list;
    } else if (inlineKind) {
        auto *lineEdit = new QLineEdit(this);
        lineEdit->setFrame(false);
        if (type == XMLValues::EDITORTYPE_PASSWORD) {
            lineEdit->setEchoMode(QLineEdit::Password);
        }
        if (m_property) {
            lineEdit->setValidator(m_property->validator());
            const QString tag = m_property->tag();
            if (type == XMLValues::EDITORTYPE_TIME || tag == XMLValues::UP_AD_CLEANUPAT
                || tag == XMLKey::ALLOWFROM || tag == XMLKey::ALLOWTO) {
                lineEdit->setInputMask(QStringLiteral("99:99"));
            }
        }
        lineEdit->setText(m_value);
        connect(lineEdit, &QLineEdit::editingFinished, this,
                &GenericPropertyEditor::lineEditChanged);
        field = lineEdit;
    } else {
        auto *summary = new QLineEdit(this);
        summary->setFrame(false);
        summary->setReadOnly(true);
        summary->setText(GenericValueOverrider::displayText(
            type, m_currentKind, m_value, m_property ? m_property->editors() : QString()));
        field = summary;
    }

    QWidget *previous = std::exchange(m_valueField, field);
    if (previous) {
        delete m_layout->replaceWidget(previous, field); // the item of the old field
    } else {
        m_layout->insertWidget(0, field, 1);
    }
    field->show();
    setFocusProxy(field);
    if (previous) {
        // Handing the focus over first keeps the explorer from taking the old field's loss
        // of focus for the user leaving the editor.
        if (previous->hasFocus()) {
            field->setFocus();
        }
        delete previous;
    }
}

void GenericPropertyEditor::updateButtons()
{
    const Action action = EditorKinds::action(m_currentKind);
    m_dialogButton->setVisible(action != Action::DisplayFlag);
    m_dialogButton->setEnabled(currentKindOpensDialog());
    m_kindsButton->setToolTip(tr("Click here to see the list of available editors (%1)")
                                  .arg(EditorKinds::label(m_currentKind, propertyType())));
    if (m_autoManagedPath && m_inlineAction) {
        m_inlineAction->setEnabled(m_currentKind != XMLValues::EDITOR_AUTOMANAGED);
    }
}

bool GenericPropertyEditor::currentKindOpensDialog() const
{
    return opensDialog(EditorKinds::action(m_currentKind));
}

bool GenericPropertyEditor::opensDialog(EditorKinds::Action action)
{
    return action == Action::ChooseFile || action == Action::ChooseFolder
           || action == Action::Dialog;
}

void GenericPropertyEditor::actionClickHandler()
{
    if (auto *action = qobject_cast<QAction *>(sender())) {
        chooseKind(action->data().toString());
    }
}

void GenericPropertyEditor::chooseKind(const QString &kind)
{
    if (!m_property) {
        return;
    }
    const QString previousKind = m_currentKind;
    m_property->setEditor(kind);
    m_currentKind = kind;
    const QString type = propertyType();
    const Action action = EditorKinds::action(kind);
    if (action == Action::FixedValue) {
        m_value = EditorKinds::fixedValue(kind, type);
        m_valueKind = kind;
    } else if (action == Action::Inline) {
        m_valueKind = kind;
        if (type == XMLValues::EDITORTYPE_BOOL) {
            m_value = XMLValues::YES;
        } else if (type == XMLValues::EDITORTYPE_NUMBER) {
            m_value = QStringLiteral("0");
        } else if (type.startsWith(XMLValues::EDITORTYPE_ENUM)) {
            m_value = enumerationItems(type).value(0);
        }
    }
    buildValueField();
    updateButtons();
    if (action == Action::Inline) {
        m_valueField->setFocus();
    }
    if (opensDialog(action)) {
        // A kind whose dialog is cancelled was not chosen: the value keeps the kind it was
        // made with, rather than being read by the rules of another kind.
        if (!openDialog() && m_property) {
            m_property->setEditor(previousKind);
            m_currentKind = previousKind;
            buildValueField();
            updateButtons();
        }
        return;
    }
    // A fixed value, the inline start value, or only the kind changed: all are committed.
    emit valueChanged();
}

void GenericPropertyEditor::setValueAndNotify(const QString &value)
{
    m_value = value;
    m_valueKind = m_currentKind;
    buildValueField();
    emit valueChanged();
}

void GenericPropertyEditor::buttonClickHandler()
{
    invokeLastEditor();
}

void GenericPropertyEditor::invokeLastEditor()
{
    if (currentKindOpensDialog()) {
        openDialog();
    }
}

void GenericPropertyEditor::lineEditChanged()
{
    if (m_currentKind != XMLValues::EDITOR_INLINE) {
        return;
    }
    if (auto *lineEdit = qobject_cast<QLineEdit *>(m_valueField)) {
        m_value = lineEdit->text();
        emit valueChanged();
    }
}

void GenericPropertyEditor::listEditChanged(int activatedIndex)
{
    if (auto *list = qobject_cast<QComboBox *>(m_valueField)) {
        m_value = list->itemData(activatedIndex).toString();
        emit valueChanged();
    }
}

bool GenericPropertyEditor::openDialog()
{
    if (!m_property) {
        return false;
    }
    ValueEditorRequest request;
    request.editorType = m_currentKind;
    request.caption =
        tr("%1: %2").arg(EditorKinds::label(m_currentKind, propertyType()),
                         translatePropertyText(PropertyTagNameContext, m_property->name()));
    request.propertyType = propertyType();
    request.tag = m_property->tag();
    request.editors = m_kinds;
    request.currentEditor = m_currentKind;
    request.attributes = m_attributes;
    request.currentValue = m_value;
    request.valueEditor = m_valueKind;
    // The variable dialogs hand it to the evaluation, which names the property by it.
    request.context = m_property->tag();
    request.parent = this;
    IPropertyParent *owner = m_property->propertyParent();
    for (const QString &key : {XMLKey::STRINGLISTEDITORMES, XMLKey::SELECTFROMLIBMESSAGE,
                               XMLKey::SELECTMANYFROMLIBMESSAGE, XMLKey::EXTERNALAPPLICATION,
                               XMLKey::EXTERNALARGFORNEW, XMLKey::EXTERNALARGFOREDIT}) {
        const QString attribute =
            owner ? owner->fieldAttribute(request.tag, key) : m_attributes.value(key);
        if (!attribute.isEmpty()) {
            request.fieldAttributes.insert(key, attribute);
        }
    }
    if (owner) {
        request.ownerType = owner->objectType();
        const QString keyword = EditorKinds::baseKeyword(m_currentKind);
        if (keyword == XMLValues::EDITOR_ASKPLUGIN || keyword == XMLValues::EDITOR_ASKPLUGIN2) {
            request.libraryItems = owner->libraryForProperty(request.tag);
        }
    }

    QString errorMessage;
    IAppProxy *proxy = IAppProxy::instance();
    const std::unique_ptr<IValueEditor> editor =
        proxy ? proxy->createValueEditor(request, &errorMessage)
              : ValueEditorFactory::create(request, &errorMessage);
    if (!editor) {
        qCWarning(lcGuiLibProperty) << errorMessage;
        return false;
    }
    if (!editor->exec()) {
        return false;
    }
    // The property may be gone with the explorer while the dialog ran.
    if (m_property) {
        const PropertyAttributes changed = editor->attributes();
        for (auto it = changed.cbegin(); it != changed.cend(); ++it) {
            m_attributes.insert(it.key(), it.value());
        }
        setValueAndNotify(editor->value());
    }
    return true;
}

} // namespace GuiLib
