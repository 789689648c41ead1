#pragma once

// What the fixture tests share: looks at fixture items and their properties, and a declaration
// to start from.

#include "common/fakepackagewindow.h"
#include "common/pythonzip.h"
#include "common/recordinglog.h"
#include "common/testfiles.h"

#include "testing/fixture.h"
#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include "guilib/property/genericproperty.h"
#include "guilib/property/iproperty.h"
#include "guilib/property/propertiesexplorermodel.h"
#include "guilib/property/propertycollection.h"

#include "corelib/files/filehandler.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QPair>
#include <QSettings>
#include <QTemporaryDir>

namespace FixtureTest {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

using TestFiles::entriesBelow;
using TestFiles::readFile;
using TestFiles::writeFile;

// A test function's own folder, holding the program's temporary folder "temp"; test settings
// cleared.
struct TestFolder
{
    TestFolder()
    {
        QSettings().clear();
        QDir().mkpath(tempRoot);
        SRCore::FileHandler::setTempFolder(tempRoot);
    }
    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    const QString tempRoot = dir.filePath(QStringLiteral("temp"));
};

// The window's explorer shows the properties of `item`.
inline bool shows(const FakePackageWindow &window, const Scripter::FixtureItem *item)
{
    return window.propertiesExplorer()->propertiesModel()->root() == item->properties();
}

// A new job or connection appended to its group, as the tree's Add makes it.
inline Scripter::FixtureItem *newJob(FakePackageWindow &window)
{
    return new Scripter::FixtureItem(window.fixture(), Scripter::FixtureItem::IncomingJob,
                                     window.fixture()->tree()->incomingGroup());
}

inline Scripter::FixtureItem *newConnection(FakePackageWindow &window)
{
    return new Scripter::FixtureItem(window.fixture(), Scripter::FixtureItem::OutgoingConnection,
                                     window.fixture()->tree()->outgoingGroup());
}

// A job of `path` (none: never given a file) appended to "Incoming jobs".
inline Scripter::FixtureItem *addJob(FakePackageWindow &window, const QString &path,
                                     bool enabled = true)
{
    Scripter::FixtureItem *job = newJob(window);
    if (!path.isEmpty()) {
        job->setPropertyValue(XMLKey::FILEORFOLDER, path);
    }
    job->setPropertyValue(XMLKey::ENABLED, enabled ? XMLValues::YES : XMLValues::NO);
    return job;
}

// A connection named `name` appended to "Outgoing connections".
inline Scripter::FixtureItem *addConnection(FakePackageWindow &window, const QString &name,
                                            bool enabled = true)
{
    Scripter::FixtureItem *connection = newConnection(window);
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
