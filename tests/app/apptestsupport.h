#pragma once

// What the tests of the program's shell share: a private per-user data folder and settings
// store for each test, a running core, and an answerer for the modal boxes the code under test
// shows.

#include "../testfiles.h"

#include "app/scriptercore.h"
#include "app/scripterwindow.h"

#include "package/ipackagewindow.h"
#include "package/packageprocessor.h"

#include "corelib/logging/logmanager.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
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

    bool isValid() const { return m_dataHome.isValid(); }
    Scripter::ScripterCore *core() const { return m_core.get(); }
    Scripter::PackageProcessor *processor() const { return m_core->packageProcessor(); }
    QString path(const QString &relative) const { return m_dataHome.filePath(relative); }

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
        QList<QStringList> rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                        QStringLiteral("AppTestMessages"));
            db.setDatabaseName(SRCore::LogManager::instance()->getDatabaseFile());
            if (db.open()) {
                QSqlQuery query(QStringLiteral("SELECT type, operation, argument FROM "
                                               "logmessages ORDER BY id"),
                                db);
                while (query.next()) {
                    rows.append({query.value(0).toString(), query.value(1).toString(),
                                 query.value(2).toString()});
                }
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("AppTestMessages"));
        return rows;
    }

private:
    QTemporaryDir m_dataHome;
    std::unique_ptr<Scripter::ScripterCore> m_core;
};

// Answers the modal boxes that the code under test shows, one after the other, as a user
// would, and records what each of them said. Polls for the box, so it works however deep the
// box is nested in the code under test.
class BoxAnswerer : public QObject
{
public:
    struct Seen
    {
        QString title;
        QString text;
    };

    // The next box that shows is answered with `button`.
    void answer(QMessageBox::StandardButton button)
    {
        m_answers.append(button);
        arm();
    }
    // The next dialog that shows is handed to `handle`, which must close it.
    void handleDialog(std::function<void(QDialog *)> handle)
    {
        m_dialogHandlers.append(std::move(handle));
        arm();
    }

    QList<Seen> seen;
    bool pending() const { return !m_answers.isEmpty() || !m_dialogHandlers.isEmpty(); }

private:
    void arm()
    {
        QTimer::singleShot(20, this, [this] { poll(); });
    }
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal); box && !m_answers.isEmpty()) {
            seen.append({box->windowTitle(), box->text()});
            const QMessageBox::StandardButton button = m_answers.takeFirst();
            if (QAbstractButton *choice = box->button(button)) {
                choice->click();
            } else {
                box->reject();
            }
        } else if (auto *dialog = qobject_cast<QDialog *>(modal);
                   dialog && !qobject_cast<QMessageBox *>(modal) && !m_dialogHandlers.isEmpty()) {
            seen.append({dialog->windowTitle(), QString()});
            const QPointer<QDialog> tracked(dialog);
            m_dialogHandlers.takeFirst()(dialog);
            // A handler that failed must not leave the test waiting for ever.
            if (tracked && tracked->isVisible()) {
                tracked->reject();
            }
        }
        if (pending()) {
            arm();
        }
    }

    QList<QMessageBox::StandardButton> m_answers;
    QList<std::function<void(QDialog *)>> m_dialogHandlers;
};

using TestFiles::writeFile;

} // namespace AppTest
