#include "genericproperty.h"

#include "editorkinds.h"
#include "genericpropertyeditor.h"
#include "genericvalueoverrider.h"
#include "ipropertyparent.h"
#include "propertytexts.h"

#include "corelib/values/emailsvalidator.h"
#include "corelib/values/timevalidator.h"
#include "corelib/values/urlvalidator.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QFont>
#include <QIntValidator>
#include <QRegularExpression>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

namespace GuiLib {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

// The sibling properties of an FTP folder that make its connection.
const QStringList &ftpConnectionTags()
{
    static const QStringList tags{XMLKey::FTPSERVER,   XMLKey::FTPPORT,    XMLKey::FTPLOGIN,
                                  XMLKey::FTPPASSWORD, XMLKey::FTPPASSIVE, XMLKey::FTPTRANSFERMODE};
    return tags;
}

} // namespace

GenericProperty::GenericProperty(const QString &value, const QString &name, const QString &tag,
                                 const QString &type, const QString &editors,
                                 const QString &tooltip, const QString &editor,
                                 IPropertyParent *parent)
    : AbstractProperty<QString>(value, name, tag, parent)
    , m_type(type)
    , m_editors(editors)
{
    setTooltip(tooltip);
    setEditor(editor.isEmpty() ? initialEditor() : editor);
    if (m_editors.contains(XMLValues::EDITOR_INLINE)) {
        setValidator(createValidator());
    }
}

QString GenericProperty::initialEditor() const
{
    if (hasEditorChoice()) {
        return tag() == XMLKey::PATH && stringValue() == XMLValues::AUTOMANAGED
                   ? XMLValues::EDITOR_AUTOMANAGED
                   : XMLValues::EDITOR_INLINE;
    }
    // Without a choice the only editor, or the first that sets values, is the one in use:
    // the value summary, the inline validation and the CDATA rule depend on knowing it.
    const QStringList keywords = EditorKinds::split(m_editors);
    for (const QString &keyword : keywords) {
        if (EditorKinds::action(keyword) != EditorKinds::Action::DisplayFlag) {
            return keyword;
        }
    }
    return {};
}

QValidator *GenericProperty::createValidator() const
{
    // Later rules win: a tag-specific validator replaces the one of the type.
    const QString propertyTag = tag();
    std::unique_ptr<QValidator> validator;
    if (m_type == XMLValues::EDITORTYPE_NUMBER) {
        int minimum = 0;
        int maximum = 999999;
        if (propertyTag == XMLKey::CORNERINGFACTOR) {
            minimum = -90;
            maximum = 90;
        } else if (propertyTag == XMLKey::SETJOBPRIORITY) {
            minimum = -999999999;
            maximum = 999999999;
        }
        validator = std::make_unique<QIntValidator>(minimum, maximum);
    }
    if (propertyTag == XMLValues::UP_IC_BUTTERFLYPORT
        || propertyTag == XMLValues::UP_IC_IMPRESSIONPORT) {
        validator = std::make_unique<QIntValidator>(1, 65535);
    }
    if (auto *intValidator = qobject_cast<QIntValidator *>(validator.get())) {
        // Stored numbers are read by the server, whatever the user's locale: plain digits.
        QLocale plainDigits = QLocale::c();
        plainDigits.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        intValidator->setLocale(plainDigits);
    }
    if (propertyTag == XMLValues::UP_MS_REPLYEMAIL || propertyTag == XMLKey::CCADDRESSES) {
        validator = std::make_unique<SRCore::EmailsValidator>(QStringLiteral(";"));
    }
    if (m_type == XMLValues::EDITORTYPE_TIME || propertyTag == XMLValues::UP_AD_CLEANUPAT
        || propertyTag == XMLKey::ALLOWFROM || propertyTag == XMLKey::ALLOWTO) {
        validator = std::make_unique<SRCore::TimeValidator>();
    }
    if (propertyTag == XMLValues::UP_MS_SMTPSERVADDR || propertyTag == XMLKey::FTPSERVER
        || propertyTag == XMLKey::POP3SERVER) {
        validator = std::make_unique<SRCore::URLValidator>();
    }
    return validator.release();
}

void GenericProperty::setValue(const QVariant &value, bool silent, bool force)
{
    QString text = value.toString();
    QValidator *inlineValidator = validator();
    if (!inlineValidator || editor() != XMLValues::EDITOR_INLINE) {
        storeText(text, silent, force);
        return;
    }
    // An hours-and-minutes field left empty reports the bare separator of its input mask.
    if (qobject_cast<SRCore::TimeValidator *>(inlineValidator) && text == QLatin1String(":")) {
        text.clear();
    }
    QString checked = text;
    int position = 0;
    if (inlineValidator->validate(checked, position) == QValidator::Acceptable) {
        storeText(text, silent, false);
    }
}

void GenericProperty::storeText(const QString &text, bool silent, bool force)
{
    if (text == stringValue() && editor() == previousEditor() && !force && attributes().isEmpty()) {
        return;
    }
    replaceValue(text);
    if (!silent) {
        emit propertyChanged();
    }
}

QWidget *GenericProperty::createEditor(QWidget *parent, QObject *receiver, const char *member)
{
    auto *editor = new GenericPropertyEditor(this, parent);
    PropertyAttributes editorAttributes = attributes();
    // The FTP folder browser connects with the settings of the sibling properties.
    if (tag() == XMLKey::FTPDIRECTORY) {
        IProperty *scope = AbstractProperty<QString>::parent();
        for (const QString &ftpTag : ftpConnectionTags()) {
            if (const IProperty *setting = findProperty(scope, ftpTag)) {
                editorAttributes.insert(ftpTag, setting->valueText());
            }
        }
    }
    editor->setAttributes(editorAttributes);
    if (receiver && member) {
        connect(editor, SIGNAL(valueChanged()), receiver, member);
    }
    return editor;
}

void GenericProperty::connectEditor(QWidget *editor, QObject *sender, const char *signal)
{
    if (qobject_cast<GenericPropertyEditor *>(editor) && sender && signal) {
        connect(sender, signal, editor, SLOT(invokeLastEditor()));
    }
}

void GenericProperty::setEditorData(QWidget *editor)
{
    if (auto *genericEditor = qobject_cast<GenericPropertyEditor *>(editor)) {
        genericEditor->setEditorData(stringValue(), this->editor());
    }
}

void GenericProperty::setModelData(QWidget *editor)
{
    if (auto *genericEditor = qobject_cast<GenericPropertyEditor *>(editor)) {
        setAttributes(genericEditor->attributes());
        // The FTP folder browser may have changed the connection: its settings go back.
        if (tag() == XMLKey::FTPDIRECTORY) {
            IProperty *scope = AbstractProperty<QString>::parent();
            for (const QString &ftpTag : ftpConnectionTags()) {
                IProperty *setting = findProperty(scope, ftpTag);
                const auto changed = genericEditor->attributes().constFind(ftpTag);
                if (setting && changed != genericEditor->attributes().cend()) {
                    setting->setValue(*changed, false, false);
                }
            }
        }
        setEditor(genericEditor->currentKind());
        setValue(QVariant(genericEditor->value()), false, false);
    }
}

bool GenericProperty::hasDisplayText() const
{
    return EditorKinds::split(m_editors).contains(XMLValues::EDITOR_DESCRIPTION)
           || editor() != XMLValues::EDITOR_INLINE || m_type == XMLValues::EDITORTYPE_PASSWORD;
}

QString GenericProperty::displayText() const
{
    return GenericValueOverrider::displayText(m_type, editor(), stringValue(), m_editors);
}

QString GenericProperty::valueDescription() const
{
    return GenericValueOverrider::valueDescription(tag(), m_type, editor(), stringValue(),
                                                   m_editors);
}

bool GenericProperty::isValid() const
{
    if (const IPropertyParent *owner = propertyParent()) {
        QString message;
        return owner->validateProperty(tag(), message);
    }
    return AbstractProperty<QString>::isValid();
}

QString GenericProperty::tooltip() const
{
    const QString text = AbstractProperty<QString>::tooltip();
    if (text.isEmpty()) {
        return {};
    }
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(translatePropertyText(PropertyTooltipContext, text), QTextCharFormat());

    QTextCharFormat italic;
    italic.setFontItalic(true);
    if ((isBool() || isEnum()) && editor() == XMLValues::EDITOR_INLINE
        && tag() != XMLValues::UP_UI_LANGUAGE) {
        const QString meaning = translatePropertyText(PropertyEnumsContext, valueDescription());
        if (!meaning.isEmpty()) {
            cursor.insertText(QStringLiteral("\n\n") + meaning, italic);
        }
    }
    if (IPropertyParent *owner = propertyParent()) {
        if (tag() == XMLKey::ADOBEPDFPRESET && editor() == XMLValues::EDITOR_ASKPLUGIN
            && !stringValue().isEmpty()) {
            cursor.insertText(QStringLiteral(" (") + owner->presetDescription() + QLatin1Char(')'),
                              italic);
        }
        QString message;
        if (!owner->validateProperty(tag(), message)) {
            QTextCharFormat bold;
            bold.setFontWeight(QFont::Bold);
            cursor.insertText(QStringLiteral("\n\n") + tr("WARNING: %1").arg(message), bold);
        }
    }
    return document.toHtml();
}

bool GenericProperty::hasEditorChoice() const
{
    QStringList keywords = EditorKinds::split(m_editors);
    keywords.removeAll(XMLValues::EDITOR_POPUP);
    keywords.removeAll(XMLValues::EDITOR_HIDDEN);
    return keywords.size() >= 2
           && (keywords.contains(XMLValues::EDITOR_INLINE)
               || keywords.contains(XMLValues::EDITOR_SCRIPTEXP)
               || keywords.contains(XMLValues::EDITOR_SLTEXTWITHVAR));
}

bool GenericProperty::usesPluginEditor() const
{
    const QStringList keywords = EditorKinds::split(m_editors);
    return keywords.contains(XMLValues::EDITOR_ASKPLUGIN)
           || keywords.contains(XMLValues::EDITOR_ASKPLUGIN2);
}

bool GenericProperty::isBool() const
{
    return m_type == XMLValues::EDITORTYPE_BOOL;
}

bool GenericProperty::isEnum() const
{
    return m_type.startsWith(XMLValues::EDITORTYPE_ENUM);
}

bool GenericProperty::hasSpecialValue() const
{
    const QString value = stringValue();
    if (value.isEmpty()) {
        return false;
    }
    const QString currentEditor = editor();
    static const QRegularExpression blank(QStringLiteral("^\\s+$"));
    if (currentEditor == XMLValues::EDITOR_INLINE && m_type == XMLValues::EDITORTYPE_STRING
        && blank.match(value).hasMatch()) {
        return true;
    }
    if ((m_type == XMLValues::EDITORTYPE_FILEFILTER || m_type == XMLValues::EDITORTYPE_FOLDERFILTER)
        && value != XMLValues::ALLFILES && value != XMLValues::NOFILES
        && value != XMLValues::NOFOLDERS) {
        return true;
    }
    if (m_type == XMLValues::EDITORTYPE_STRINGLIST && m_editors == XMLValues::EDITOR_PASSWDEF) {
        return true;
    }
    const QStringList keywords = EditorKinds::split(m_editors);
    if (keywords.contains(XMLValues::EDITOR_CONDITIONWITHVAR)
        && currentEditor == XMLValues::EDITOR_CONDITIONWITHVAR) {
        return true;
    }
    static const QStringList structuredEditors = {
        XMLValues::EDITOR_ASKPLUGIN2,          XMLValues::EDITOR_EINFOEDIT,
        XMLValues::EDITOR_MAPEINFOEDIT,        XMLValues::EDITOR_ACCOUNTSDEF,
        XMLValues::EDITOR_METADADTAFIELDSEDIT, XMLValues::EDITOR_METADADTAFIELDSREAD,
        XMLValues::EDITOR_SCRIPTEXP,
    };
    for (const QString &keyword : structuredEditors) {
        if (keywords.contains(keyword)) {
            return !hasEditorChoice() || currentEditor == keyword;
        }
    }
    return false;
}

GenericProperty *createGenericProperty(const QString &editors, const QString &type,
                                       const QVariant &value, const QString &name,
                                       const QString &tag, const QString &tooltip,
                                       const QString &editor, IPropertyParent *parent)
{
    return new GenericProperty(value.toString(), name, tag, type, editors, tooltip, editor, parent);
}

} // namespace GuiLib
