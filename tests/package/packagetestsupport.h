#pragma once

// What the package tests share: a processor whose windows are fakes, in a private temporary
// folder, icons to put into packages, edits and what the explorer and message pane show.

#include "common/dialoganswerer.h"
#include "common/fakepackagewindow.h"
#include "common/pythonzip.h"
#include "common/testfiles.h"

#include "package/declarationitem.h"
#include "package/declarationtree.h"
#include "package/packageprocessor.h"

#include "guilib/property/propertiesexplorer.h"
#include "guilib/property/propertycollection.h"

#include "corelib/files/filehandler.h"
#include "corelib/logging/logrecord.h"
#include "corelib/package/scriptpackagemanifest.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace PackageTest {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

using TestFiles::entriesBelow;
using TestFiles::readFile;
using TestFiles::writeFile;

inline QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// The names of the rows that the properties explorer shows at its top level.
inline QStringList shownRows(const GuiLib::PropertiesExplorer *explorer)
{
    QStringList rows;
    const QAbstractItemModel *model = explorer->model();
    for (int row = 0; row < model->rowCount(explorer->rootIndex()); ++row) {
        rows.append(model->index(row, 0, explorer->rootIndex()).data().toString());
    }
    return rows;
}

// The value the explorer shows in its top-level row `name`; empty when there is no such row.
inline QString shownValue(const GuiLib::PropertiesExplorer *explorer, const QString &name)
{
    const int row = shownRows(explorer).indexOf(name);
    return row < 0 ? QString()
                   : explorer->model()->index(row, 1, explorer->rootIndex()).data().toString();
}

// Changes a property of `item` as the explorer does when the user commits an edit.
inline void edit(Scripter::DeclarationItem *item, const QString &tag, const QString &value)
{
    GuiLib::IProperty *property = GuiLib::findProperty(item->properties(), tag);
    QVERIFY2(property, qPrintable(tag));
    property->setValue(value, false, false);
}

// Adds a definition as the tree's "Add" does: after `after`, or else last in the group of
// `groupKind`.
inline Scripter::DeclarationItem *addDefinition(FakePackageWindow &window, int groupKind,
                                                QTreeWidgetItem *after = nullptr)
{
    Scripter::DeclarationTree *tree = window.declaration()->tree();
    if (!after) {
        QTreeWidgetItem *group = tree->groupItem(groupKind);
        after = group->childCount() ? group->child(group->childCount() - 1) : group;
    }
    tree->setCurrentItem(after);
    tree->addItemAction()->trigger();
    return dynamic_cast<Scripter::DeclarationItem *>(tree->currentItem());
}

// A PNG image of `size` pixels, the only kind of icon a declaration accepts at 32 x 32; or an
// image of another `format`. Returns the path, empty on failure.
inline QString writePng(const QString &path, QSize size = QSize(32, 32), const char *format = "PNG")
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image.save(path, format) ? path : QString();
}

// The last message of the window's pane with this text; a default record when there is none.
inline SRCore::LogRecord lastMessage(const FakePackageWindow *window, const QString &operation)
{
    const QList<SRCore::LogRecord> records = window->log.records();
    for (auto it = records.crbegin(); it != records.crend(); ++it) {
        if (it->operation == operation) {
            return *it;
        }
    }
    return SRCore::LogRecord();
}

// What every processor test starts from: test settings, a private temporary folder for the
// program's temporary files, and a processor whose windows are FakePackageWindows numbered from 0.
class Harness
{
public:
    void setUp()
    {
        QSettings().clear();
        windowsMade = 0;
        dir = std::make_unique<QTemporaryDir>();
        tempRoot = dir->filePath(QStringLiteral("temp"));
        QDir().mkpath(tempRoot);
        SRCore::FileHandler::setTempFolder(tempRoot);
        processor = std::make_unique<Scripter::PackageProcessor>([this] {
            auto *window = new FakePackageWindow(windowsMade++);
            window->resize(300, 200);
            return window;
        });
    }

    // Deletes the windows, also those only scheduled for deletion.
    void tearDown()
    {
        processor.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString path(const QString &name) const { return dir->filePath(name); }

    FakePackageWindow *newWindow()
    {
        return static_cast<FakePackageWindow *>(processor->newWindow());
    }

    // Saves through the "Save script package" dialog, choosing `target`.
    bool saveAs(FakePackageWindow *window, const QString &target)
    {
        DialogAnswerer dialogs;
        dialogs.then(dialogs.chooseFile(target));
        return processor->save(Scripter::PackageProcessor::SaveAs, window) && dialogs.answeredAll();
    }

    // The members of a package archive, extracted into a new folder; empty on failure.
    QString unpacked(const QString &archive)
    {
        const QString folder = path(QStringLiteral("unpacked%1").arg(++m_unpacked));
        return Scripter::PackageProcessor::unpack(archive, folder) ? folder : QString();
    }

    static SRCore::ScriptPackageManifest manifestIn(const QString &folder)
    {
        SRCore::ScriptPackageManifest manifest;
        manifest.loadFromFile(folder + QStringLiteral("/manifest.xml"));
        return manifest;
    }

    std::unique_ptr<QTemporaryDir> dir;
    QString tempRoot;
    std::unique_ptr<Scripter::PackageProcessor> processor;
    int windowsMade = 0;

private:
    int m_unpacked = 0;
};

} // namespace PackageTest
