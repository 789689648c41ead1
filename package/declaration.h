#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QToolBar;

namespace SRCore {
class FlowObject;
struct XmlError;
} // namespace SRCore

namespace Scripter {

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
    // (the package reader sets the icon and password this way). False for an unknown tag.
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
    bool loadFromXml(const QString &xml, SRCore::XmlError *error = nullptr);
    // Back to the default declaration: the script item "TavrixScript" with the template values
    // and two empty groups.
    void reset();

    bool isActive() const;
    // The next free "Argument" + number tag for a new definition.
    QString nextDefinitionTag();

signals:
    void updateItemSelection();

public slots:
    // Shows the panel as the active (true) or the inactive one of the window.
    void updatePreview(bool active);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    DeclarationItem *scriptItem() const;

    IDocumentWindow *m_window;
    QToolBar *m_toolBar;
    QLabel *m_label;
    DeclarationTree *m_tree;
    int m_definitionCounter = 0;
    bool m_active = false;
};

} // namespace Scripter
