#include "declaration.h"

#include "declarationitem.h"
#include "declarationtree.h"
#include "declarationxml.h"
#include "idocumentwindow.h"
#include "objecttemplates.h"
#include "tagindex.h"

#include "guilib/property/propertiesexplorer.h"
#include "guilib/property/propertiesexplorermodel.h"
#include "guilib/property/propertycollection.h"

#include "corelib/common/textexcerpt.h"
#include "corelib/common/xmlerror.h"
#include "corelib/files/safefilewriter.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDomDocument>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QToolBar>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

QString sectionXml(const QString &section, const QList<DeclarationItem *> &definitions)
{
    QList<DefinitionRecord> records;
    for (const DeclarationItem *item : definitions) {
        records.append(item->record());
    }
    QDomDocument document;
    return DeclarationXml::toText(DeclarationXml::writeDefinitions(document, section, records));
}

QStringList tagsOf(const QList<DeclarationItem *> &definitions)
{
    QStringList tags;
    for (const DeclarationItem *item : definitions) {
        tags.append(item->text(0));
    }
    return tags;
}

} // namespace

Declaration::Declaration(IDocumentWindow *window, QWidget *parent)
    : QWidget(parent)
    , m_window(window)
    , m_toolBar(new QToolBar(this))
    , m_label(new QLabel(this))
    , m_tree(new DeclarationTree(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    layout->setContentsMargins(2, 2, 2, 2);

    m_toolBar->setOrientation(Qt::Horizontal);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setAllowedAreas(Qt::TopToolBarArea);
    m_toolBar->setIconSize(QSize(18, 18));
    m_toolBar->addAction(m_tree->addItemAction());
    m_toolBar->addAction(m_tree->removeItemAction());
    m_label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(m_label);
    m_toolBar->addAction(m_tree->upAction());
    m_toolBar->addAction(m_tree->downAction());

    layout->addWidget(m_toolBar);
    layout->addWidget(m_tree);
    setMinimumSize(100, 100);
    setFocusPolicy(Qt::ClickFocus);
    connect(m_tree, &DeclarationTree::updateSelections, this, &Declaration::updateItemSelection);

    reset();
}

Declaration::~Declaration()
{
    // The items let go of the explorer while they are destroyed, through this panel.
    delete m_tree;
}

IDocumentWindow *Declaration::window() const
{
    return m_window;
}

DeclarationTree *Declaration::tree() const
{
    return m_tree;
}

DeclarationItem *Declaration::scriptItem() const
{
    return m_tree->scriptItem();
}

QString Declaration::elementName() const
{
    return basicValue(XMLKey::NAME);
}

QString Declaration::basicValue(const QString &tag) const
{
    DeclarationItem *script = scriptItem();
    return script ? script->value(tag) : QString();
}

bool Declaration::setBasicValue(const QString &tag, const QString &value)
{
    DeclarationItem *script = scriptItem();
    return script && script->setPropertyValue(tag, value);
}

QString Declaration::iconPath() const
{
    return basicValue(XMLKey::ICON);
}

QString Declaration::elementFieldsXml() const
{
    return sectionXml(XMLKey::ELEMENTFIELDS,
                      m_tree->definitions(DeclarationItem::ElementGroupKind));
}

QString Declaration::connectionFieldsXml() const
{
    return sectionXml(XMLKey::CONNECTIONFIELDS,
                      m_tree->definitions(DeclarationItem::ConnectionGroupKind));
}

QStringList Declaration::elementPropertyTags() const
{
    return tagsOf(m_tree->definitions(DeclarationItem::ElementGroupKind));
}

QStringList Declaration::connectionPropertyTags() const
{
    return tagsOf(m_tree->definitions(DeclarationItem::ConnectionGroupKind));
}

void Declaration::exportBasicProperties(SRCore::FlowObject &object, const QString &section) const
{
    const DeclarationItem *script = scriptItem();
    if (script) {
        DeclarationXml::exportBasicProperties(script->values(), object, section);
    }
}

DeclarationContent Declaration::gather() const
{
    DeclarationContent content;
    if (const DeclarationItem *script = scriptItem()) {
        content.basicValues = script->values();
    }
    for (const QString &language :
         {XMLValues::JAVASCRIPT, XMLValues::VBSCRIPT, XMLValues::APPLESCRIPT}) {
        content.scriptFunctions.insert(language, m_window->scriptFunctions(language));
    }
    for (const DeclarationItem *item : m_tree->definitions(DeclarationItem::ElementGroupKind)) {
        content.elementDefinitions.append(item->record());
    }
    for (const DeclarationItem *item : m_tree->definitions(DeclarationItem::ConnectionGroupKind)) {
        content.connectionDefinitions.append(item->record());
    }
    return content;
}

QDomDocument Declaration::writeDocument() const
{
    QList<SRCore::LogRecord> messages;
    const QDomDocument document = DeclarationXml::write(gather(), &messages);
    logRecords(messages);
    return document;
}

QString Declaration::toXml() const
{
    return QString::fromUtf8(DeclarationXml::toText(writeDocument()));
}

bool Declaration::save(const QString &path, QString *errorMessage) const
{
    return SRCore::SafeFileWriter::writeFile(path, DeclarationXml::toText(writeDocument()),
                                             errorMessage);
}

bool Declaration::load(const QString &path, SRCore::XmlError *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = SRCore::XmlError{tr("Cannot read '%1': %2").arg(path, file.errorString())};
        }
        return false;
    }
    return loadDocument(file.readAll(), error);
}

bool Declaration::loadFromXml(const QString &xml, SRCore::XmlError *error)
{
    return loadDocument(xml.toUtf8(), error);
}

bool Declaration::loadDocument(const QByteArray &data, SRCore::XmlError *error)
{
    QDomDocument document;
    if (!SRCore::parseXmlDocument(data, document, error)) {
        return false;
    }
    DeclarationContent content;
    QList<SRCore::LogRecord> messages;
    QString message;
    if (!DeclarationXml::read(document, content, &messages, &message)) {
        if (error) {
            *error = SRCore::XmlError{message, document.documentElement().lineNumber(),
                                      document.documentElement().columnNumber()};
        }
        return false;
    }

    createItems(content.basicValues);
    TagIndex tags(takenTags());
    // The definitions are put together apart from the tree and handed to it group by group:
    // the tree then lays its rows out once rather than for every item.
    QList<QTreeWidgetItem *> expanded;
    const QList<QPair<int, QList<DefinitionRecord>>> groups = {
        {DeclarationItem::ElementGroupKind, content.elementDefinitions},
        {DeclarationItem::ConnectionGroupKind, content.connectionDefinitions}};
    for (const auto &[groupKind, records] : groups) {
        // Masters are found by the tag they were written with, among the definitions read before.
        QHash<QString, DeclarationItem *> read;
        QList<QTreeWidgetItem *> topLevel;
        for (const DefinitionRecord &record : records) {
            SRCore::FlowObject object =
                ObjectTemplates::defaultObject(XMLKey::SCR_INJECTEDPROPERTIES);
            for (auto it = record.values.cbegin(); it != record.values.cend(); ++it) {
                if (SRCore::FlowObjectField field = object.getField(it.key()); !field.isNull()) {
                    field.setValue(it.value());
                }
            }
            if (tags.contains(record.tag)) {
                log(SRCore::LogLevel::Warning,
                    QT_TRANSLATE_NOOP("LogMessages", "Tag name '%1' is already used"),
                    SRCore::TextExcerpt::of(record.tag));
            }
            object.getField(XMLKey::DEF_TAG).setValue(tags.claim(record.tag));
            auto *item = new DeclarationItem(this, DeclarationItem::definitionKindOf(groupKind),
                                             object, record.defaultEditor);
            if (DeclarationItem *master = read.value(record.masterTag)) {
                if (master->childCount() == 0) {
                    expanded.append(master);
                }
                master->addChild(item);
            } else {
                topLevel.append(item);
            }
            if (!read.contains(record.tag)) {
                read.insert(record.tag, item);
            }
        }
        if (!topLevel.isEmpty()) {
            QTreeWidgetItem *group = m_tree->groupItem(groupKind);
            group->addChildren(topLevel);
            expanded.append(group);
        }
    }
    m_tree->expandItems(expanded);
    logRecords(messages);
    return true;
}

void Declaration::reset()
{
    createItems({});
}

void Declaration::createItems(const QHash<QString, QString> &basicValues)
{
    m_tree->removeAllItems();
    m_definitionCounter = 0;

    SRCore::FlowObject object = ObjectTemplates::defaultObject(XMLKey::SCR_BASICSCRIPTPROPERTIES);
    for (auto it = basicValues.cbegin(); it != basicValues.cend(); ++it) {
        if (SRCore::FlowObjectField field = object.getField(it.key()); !field.isNull()) {
            field.setValue(it.value());
        }
    }
    auto *script = new DeclarationItem(this, DeclarationItem::ScriptKind, object);
    m_tree->addTopLevelItem(script);
    script->addChild(new DeclarationItem(this, DeclarationItem::ElementGroupKind));
    script->addChild(new DeclarationItem(this, DeclarationItem::ConnectionGroupKind));
    script->setExpanded(true);
    m_tree->setCurrentItem(script);
    script->setSelected(true);
    m_tree->updateActions();
}

bool Declaration::isActive() const
{
    return m_active;
}

void Declaration::activate()
{
    m_window->activatePanel(IDocumentWindow::Panel::Declaration);
    emit m_tree->updateSelections();
    const QList<QTreeWidgetItem *> selected = m_tree->selectedItems();
    auto *item = selected.size() == 1 ? dynamic_cast<DeclarationItem *>(selected.first()) : nullptr;
    showProperties(item ? item->properties() : nullptr);
}

QString Declaration::nextDefinitionTag()
{
    QString tag;
    do {
        tag = QStringLiteral("Argument%1").arg(m_definitionCounter++);
    } while (isTagUsed(tag));
    return tag;
}

QString Declaration::uniqueCopyTag(const QString &tag) const
{
    const QString copy = tag + QStringLiteral("_Copy");
    QString candidate = copy;
    for (int n = 1; isTagUsed(candidate); ++n) {
        candidate = copy + QString::number(n);
    }
    return candidate;
}

QStringList Declaration::takenTags() const
{
    QStringList tags = DeclarationXml::reservedTags();
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        tags.append((*it)->text(0));
    }
    return tags;
}

bool Declaration::isTagUsed(const QString &tag, const DeclarationItem *except) const
{
    if (DeclarationXml::reservedTags().contains(tag)) {
        return true;
    }
    const QList<QTreeWidgetItem *> found =
        m_tree->findItems(tag, Qt::MatchExactly | Qt::MatchCaseSensitive | Qt::MatchRecursive, 0);
    for (const QTreeWidgetItem *item : found) {
        if (item != except) {
            return true;
        }
    }
    return false;
}

GuiLib::IProperty *Declaration::shownProperties() const
{
    return m_explorer ? m_explorer->propertiesModel()->root() : nullptr;
}

void Declaration::showProperties(GuiLib::IProperty *properties)
{
    if (!m_explorer) {
        m_explorer = m_window->propertiesExplorer();
    }
    if (m_explorer) {
        m_explorer->loadProperties(properties);
    }
}

void Declaration::refreshProperties(GuiLib::IProperty *properties)
{
    if (properties && shownProperties() == properties) {
        showProperties(properties);
    }
}

void Declaration::refreshProperty(GuiLib::IProperty *properties, GuiLib::IProperty *property)
{
    if (properties && shownProperties() == properties) {
        m_explorer->propertiesModel()->refresh(property);
    }
}

void Declaration::releaseProperties(GuiLib::IProperty *properties)
{
    // Never through the window: this also runs while the window is being destroyed.
    if (properties && shownProperties() == properties) {
        m_explorer->loadProperties(nullptr);
    }
}

void Declaration::log(int level, const char *text, const QString &argument) const
{
    logRecords({SRCore::LogRecord(level, QString::fromLatin1(text), QString(), QString(), QString(),
                                  argument)});
}

void Declaration::logRecords(const QList<SRCore::LogRecord> &records) const
{
    SRCore::ILogInterface *logInterface = m_window->logInterface();
    for (const SRCore::LogRecord &record : records) {
        if (logInterface) {
            logInterface->log(record);
        }
    }
}

void Declaration::updatePreview(bool active)
{
    m_active = active;
    QPalette colours = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight,
                         active ? QColor(Qt::darkBlue) : QColor(Qt::gray));
        colours.setColor(group, QPalette::HighlightedText,
                         active ? QColor(Qt::white) : QColor(Qt::black));
    }
    setPalette(colours);
    if (active) {
        m_tree->setFocus();
    }
}

void Declaration::focusInEvent(QFocusEvent *event)
{
    if (!m_active) {
        activate();
    }
    QWidget::focusInEvent(event);
}

} // namespace Scripter
