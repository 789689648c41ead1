#pragma once

// What the tests of the program's shell share: a private per-user data folder and settings
// store for each test, and a running core.

#include "common/dialoganswerer.h"
#include "common/messagedatabase.h"
#include "common/testfiles.h"

#include "app/scriptercore.h"
#include "app/scripterwindow.h"

#include "package/ipackagewindow.h"
#include "package/packageprocessor.h"

#include "corelib/logging/logmanager.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace AppTest {

// One test's world: an empty settings store, its own data folder (the core's folders and
// message database) and a running core with its first window. Destroying it destroys the core
// and every window.
class CoreFixture
{
public:
    CoreFixture()
    {
        QSettings().clear();
        qputenv("XDG_DATA_HOME", m_dataHome.path().toLocal8Bit());
    }
    ~CoreFixture() { stop(); }

    // The settings are prepared before the core starts, so that its first window reads them.
    void start() { m_core = std::make_unique<Scripter::ScripterCore>(); }
    // Shuts the core down as the program does when it ends; the data folder stays.
    void stop()
    {
        m_core.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    bool isValid() const { return m_dataHome.isValid() && m_files.isValid(); }
    Scripter::ScripterCore *core() const { return m_core.get(); }
    Scripter::PackageProcessor *processor() const { return m_core->packageProcessor(); }
    QString path(const QString &relative) const { return m_dataHome.filePath(relative); }
    // A path in the test's folder of files, apart from the data folder.
    QString filePath(const QString &relative) const { return m_files.filePath(relative); }
    // Writes `content` to `relative` in the folder of files; its path, or empty on failure.
    QString makeFile(const QString &relative, const QByteArray &content = QByteArray()) const
    {
        const QString path = QDir::toNativeSeparators(m_files.filePath(relative));
        return TestFiles::writeFile(path, content) ? path : QString();
    }

    Scripter::ScripterWindow *window(int index) const
    {
        Scripter::IPackageWindow *window = processor()->windows().value(index);
        return window ? qobject_cast<Scripter::ScripterWindow *>(window->widget()) : nullptr;
    }
    QList<Scripter::ScripterWindow *> windows() const
    {
        QList<Scripter::ScripterWindow *> list;
        for (Scripter::IPackageWindow *window : processor()->windows()) {
            list.append(qobject_cast<Scripter::ScripterWindow *>(window->widget()));
        }
        return list;
    }
    Scripter::ScripterWindow *newWindow() const
    {
        return qobject_cast<Scripter::ScripterWindow *>(processor()->newWindow()->widget());
    }

    // (type, operation, argument) of every message stored so far, oldest first.
    QList<QStringList> storedMessages() const
    {
        // The writer thread stores what was logged before this returns.
        SRCore::LogManager::instance()->stopServerLog();
        SRCore::LogManager::instance()->startThread();
        return MessageDb::Connection(SRCore::LogManager::instance()->getDatabaseFile())
            .rows(QStringLiteral("SELECT type, operation, argument FROM logmessages ORDER BY id"));
    }

private:
    QTemporaryDir m_dataHome;
    QTemporaryDir m_files;
    std::unique_ptr<Scripter::ScripterCore> m_core;
};

using TestFiles::writeFile;

} // namespace AppTest
