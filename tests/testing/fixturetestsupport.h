#pragma once

// A main window as small as the fixture needs it: a declaration, a properties explorer, a
// recording message pane and a file icon provider, recording the calls the panels make.

#include "archivetestsupport.h"

#include "testing/fixture.h"
#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include "package/declaration.h"
#include "package/idocumentwindow.h"

#include "guilib/property/genericproperty.h"
#include "guilib/property/iproperty.h"
#include "guilib/property/propertiesexplorer.h"
#include "guilib/property/propertiesexplorermodel.h"
#include "guilib/property/propertycollection.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QFileIconProvider>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QPair>
#include <QWidget>

namespace FixtureTest {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

class FakeWindow
    : public QWidget
    , public Scripter::IDocumentWindow
{
public:
    explicit FakeWindow(int number = 7)
        : m_number(number)
    {
        m_explorer = new GuiLib::PropertiesExplorer(this);
        m_declaration = new Scripter::Declaration(this, this);
        m_fixture = new Scripter::Fixture(this, this);
    }
    ~FakeWindow() override
    {
        // The panels leave the explorer before it goes.
        delete m_fixture;
        m_fixture = nullptr;
        delete m_declaration;
        m_declaration = nullptr;
    }

    Scripter::Fixture *fixture() const { return m_fixture; }
    Scripter::FixtureTree *tree() const { return m_fixture->tree(); }

    QWidget *widget() override { return this; }
    Scripter::Declaration *declaration() const override { return m_declaration; }
    GuiLib::PropertiesExplorer *propertiesExplorer() const override { return m_explorer; }
    void markModified() override { ++modifiedCount; }
    int documentNumber() const override { return m_number; }
    QString packageFilePath() const override { return QString(); }
    QStringList scriptFunctions(const QString &) const override { return {}; }
    void setLanguageIncluded(const QString &, bool) override {}
    void elementNameChanged(const QString &name) override
    {
        if (m_fixture) {
            m_fixture->setBasicItemText(name);
        }
    }
    void elementIconChanged(const QString &iconPath) override
    {
        if (m_fixture) {
            m_fixture->setBasicItemIcon(iconPath);
        }
    }
    void refreshFixtureProperties(bool elementProperties, bool connectionProperties) override
    {
        if (!m_fixture) {
            return;
        }
        if (elementProperties) {
            m_fixture->refreshBasicProperties();
        }
        if (connectionProperties) {
            m_fixture->refreshConnectionProperties();
        }
    }
    void activatePanel(Panel panel) override
    {
        activations.append(panel);
        m_declaration->updatePreview(panel == Panel::Declaration);
        m_fixture->updatePreview(panel == Panel::Fixture);
    }
    QStringList libraryForProperty(const QString &tag, bool connectionProperty) override
    {
        libraryRequests.append({tag, connectionProperty});
        return {QStringLiteral("first"), QStringLiteral("second")};
    }
    SRCore::ILogInterface *logInterface() const override { return &log; }
    QFileIconProvider *fileIconProvider() const override { return &m_iconProvider; }

    bool shows(const Scripter::FixtureItem *item) const
    {
        return m_explorer->propertiesModel()->root() == item->properties();
    }

    int modifiedCount = 0;
    QList<Panel> activations;
    QList<QPair<QString, bool>> libraryRequests;
    mutable RecordingLog log;

private:
    int m_number;
    GuiLib::PropertiesExplorer *m_explorer;
    Scripter::Declaration *m_declaration = nullptr;
    Scripter::Fixture *m_fixture = nullptr;
    mutable QFileIconProvider m_iconProvider;
};

// A job of `path` (none: never given a file) appended to "Incoming jobs".
inline Scripter::FixtureItem *addJob(FakeWindow &window, const QString &path, bool enabled = true)
{
    auto *job = new Scripter::FixtureItem(window.fixture(), Scripter::FixtureItem::IncomingJob,
                                          window.tree()->incomingGroup());
    if (!path.isEmpty()) {
        job->setPropertyValue(XMLKey::FILEORFOLDER, path);
    }
    job->setPropertyValue(XMLKey::ENABLED, enabled ? XMLValues::YES : XMLValues::NO);
    return job;
}

// A connection named `name` appended to "Outgoing connections".
inline Scripter::FixtureItem *addConnection(FakeWindow &window, const QString &name,
                                            bool enabled = true)
{
    auto *connection =
        new Scripter::FixtureItem(window.fixture(), Scripter::FixtureItem::OutgoingConnection,
                                  window.tree()->outgoingGroup());
    connection->setPropertyValue(XMLKey::CONNECTIONNAME, name);
    connection->setPropertyValue(XMLKey::ENABLED, enabled ? XMLValues::YES : XMLValues::NO);
    return connection;
}

// Icons made from the same image look the same; QIcon has no equality of its own.
inline bool sameIcon(const QIcon &left, const QIcon &right)
{
    return left.pixmap(16).toImage() == right.pixmap(16).toImage();
}

inline QIcon image(const QString &name)
{
    return QIcon(QStringLiteral(":/Images/Ui_scripter/") + name);
}

inline Scripter::FixtureItem *child(Scripter::FixtureItem *group, int index)
{
    return static_cast<Scripter::FixtureItem *>(group->child(index));
}

inline QStringList childTexts(const QTreeWidgetItem *group)
{
    QStringList texts;
    for (int i = 0; i < group->childCount(); ++i) {
        texts << group->child(i)->text(0);
    }
    return texts;
}

// Tags of the properties an item shows, dependents after their masters, as the explorer lists
// them; the group of expected results, which has no field of its own, aside.
inline QStringList visibleTags(const GuiLib::IProperty *property)
{
    QStringList tags;
    const auto *group = qobject_cast<const GuiLib::IPropertyGroup *>(property);
    if (!group) {
        return tags;
    }
    for (int i = 0; i < group->count(true); ++i) {
        const GuiLib::IProperty *child = group->child(i, true);
        if (!child->tag().isEmpty()) {
            tags << child->tag() << visibleTags(child);
        }
    }
    return tags;
}

inline GuiLib::IProperty *propertyOf(const Scripter::FixtureItem *item, const QString &tag)
{
    return GuiLib::findProperty(item->properties(), tag);
}

// A declaration with the connection settings given and one definition of each group: an element
// property "Resolution" (a number) and a connection property "Route" with two editors.
inline QString declarationXml(const QString &connectionType, const QString &outcomes = QString())
{
    return QStringLiteral(
               R"(<?xml version="1.0" encoding="UTF-8"?>
<Object>
    <ElementFields>
        <Name Type="string" Editor="hide">Router</Name>
        <ConnectionType Editor="hide">%1</ConnectionType>
        <Resolution LocalizedTagName="Resolution" Tooltip="Dots per inch" Validation="Standard" Type="number" Editor="inline" Default="300">300</Resolution>
    </ElementFields>
    <ConnectionFields>
        %2
        <Route LocalizedTagName="Route" Tooltip="Where the job goes" Validation="None" Type="string" Editor="inline;choosefolder">here</Route>
    </ConnectionFields>
</Object>
)")
        .arg(connectionType, outcomes);
}

} // namespace FixtureTest
