#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QByteArray;
class QDomDocument;
class QLabel;
class QToolBar;

namespace GuiLib {
class IProperty;
class PropertiesExplorer;
} // namespace GuiLib

namespace SRCore {
class FlowObject;
struct LogRecord;
struct XmlError;
} // namespace SRCore

namespace Scripter {

struct DeclarationContent;
class DeclarationItem;
class DeclarationTree;
class IDocumentWindow;

// The declaration panel of a main window: a tool bar and the declaration tree, whose items hold
// the element's basic script properties and its property definitions. It writes and reads the
// declaration XML of a script package and gives the fixture and the test flow what they take
// from the declaration. GUI thread only.
class Declaration : public QWidget
{
    Q_OBJECT

public:
    // `window` must outlive the panel.
    explicit Declaration(IDocumentWindow *window, QWidget *parent = nullptr);
    ~Declaration() override;

    IDocumentWindow *window() const;
    DeclarationTree *tree() const;

    // The `Name` basic script property.
    QString elementName() const;
    // The value of a basic script property (XMLKey::CONNECTIONTYPE, INCLUDEJAVASCRIPT, the data
    // and log flags, INCLUDEEXCLUDEFOLDER, ICON, PASSWORDPROTECTED, ...); empty for an unknown tag.
    QString basicValue(const QString &tag) const;
    // Sets a basic script property as the user would, with the change handling that follows
    // (the package reader sets the icon and password this way; a new Password clears
    // VerifyPassword, so set it first). False for an unknown tag.
    bool setBasicValue(const QString &tag, const QString &value);
    // The chosen icon file; empty for the default icon.
    QString iconPath() const;

    // An `ElementFields` / `ConnectionFields` element holding the field elements of the
    // definitions of that group exactly as the declaration XML writes them (pre-order, dependents
    // after their masters), ready for SRCore::FlowObject::injectPropertiesFromXML.
    QString elementFieldsXml() const;
    QString connectionFieldsXml() const;
    // The element names of those definitions, in declaration order.
    QStringList elementPropertyTags() const;
    QStringList connectionPropertyTags() const;

    // Adds the basic script properties that a flow object of `section` (XMLKey::ELEMENTFIELDS
    // or XMLKey::CONNECTIONFIELDS) carries: the element's name and connection settings, or the
    // traffic-light and folder filter fields of its outgoing connections.
    void exportBasicProperties(SRCore::FlowObject &object, const QString &section) const;

    // The declaration XML document as text.
    QString toXml() const;
    // Writes the declaration XML file; the file is replaced only once it is complete.
    bool save(const QString &path, QString *errorMessage = nullptr) const;
    // Replaces the declaration by the one in the file. On failure (unreadable file, malformed
    // XML with line and column in `error`) the current declaration stays as it was. Problems
    // inside a readable file (unknown masters, duplicate tags) go to the message pane.
    bool load(const QString &path, SRCore::XmlError *error = nullptr);
    // The same for a document in memory (`xml` as toXml() gives it).
    bool loadFromXml(const QString &xml, SRCore::XmlError *error = nullptr);
    // Back to the default declaration: the script item "TavrixScript" with the template values
    // and two empty groups.
    void reset();

    bool isActive() const;
    // The panel got the focus: the window makes it the active one, and the explorer shows the
    // selected item's properties.
    void activate();

    // The next free "Argument" + number tag for a new definition.
    QString nextDefinitionTag();
    // `tag` + "_Copy", or + "_Copy1", "_Copy2", ... when that is taken.
    QString uniqueCopyTag(const QString &tag) const;
    // True when an item other than `except` shows `tag`, or when the declaration's own fields
    // use it: a definition may not take it.
    bool isTagUsed(const QString &tag, const DeclarationItem *except = nullptr) const;

    // The window's properties explorer shows `properties` (null: nothing).
    void showProperties(GuiLib::IProperty *properties);
    // Shows `properties` again when the explorer shows them (after a property was replaced),
    // or only the rows of `property` of them (after its value was set back).
    void refreshProperties(GuiLib::IProperty *properties);
    void refreshProperty(GuiLib::IProperty *properties, GuiLib::IProperty *property);
    // `properties` are about to be destroyed: the explorer lets go of them.
    void releaseProperties(GuiLib::IProperty *properties);

    // A message for the message pane; `text` is untranslated and may hold "%1".
    void log(int level, const char *text, const QString &argument = QString()) const;

signals:
    // The selection of the tree changed (the tree's updateSelections()).
    void updateItemSelection();

public slots:
    // Shows the panel as the active (true) or the inactive one of the window.
    void updatePreview(bool active);

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    DeclarationItem *scriptItem() const;
    GuiLib::IProperty *shownProperties() const;
    DeclarationContent gather() const;
    // The declaration XML document; problems found while writing go to the message pane.
    QDomDocument writeDocument() const;
    void logRecords(const QList<SRCore::LogRecord> &records) const;
    bool loadDocument(const QByteArray &data, SRCore::XmlError *error);
    void createItems(const QHash<QString, QString> &basicValues);
    // The texts of every item and the declaration's own field names.
    QStringList takenTags() const;

    IDocumentWindow *m_window;
    QToolBar *m_toolBar;
    QLabel *m_label;
    DeclarationTree *m_tree;
    // Taken from the window on first use; tracked, as the window may destroy it first.
    QPointer<GuiLib::PropertiesExplorer> m_explorer;
    int m_definitionCounter = 0;
    bool m_active = false;
};

} // namespace Scripter
