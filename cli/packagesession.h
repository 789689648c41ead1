#pragma once

#include "clidialogs.h"
#include "dialogguard.h"

#include <QCoreApplication>
#include <QString>

#include <memory>

namespace SRCore {
class ILogInterface;
}

namespace Scripter {

class HeadlessDocument;
class PackageProcessor;

// One package handled as the program handles it, without a desktop: the package processor with
// a headless document as its only window and the command line answering its questions. Opening
// and saving are the processor's; the session adds the one-line reason of a failure, built from
// what the processor reported to the user and to the message pane.
//
// GUI thread only; needs a QApplication (the panels are widgets).
class PackageSession
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::PackageSession)

public:
    // `log` receives everything the program would show in its message pane; not owned, must
    // outlive the session, may be null.
    explicit PackageSession(SRCore::ILogInterface *log = nullptr);
    ~PackageSession();
    PackageSession(const PackageSession &) = delete;
    PackageSession &operator=(const PackageSession &) = delete;

    // A new package until open() succeeds; owned by the session.
    HeadlessDocument *document() const { return m_document; }
    // Set the password and the answer to syntax-error questions here before an operation.
    CliDialogs &dialogs() { return m_dialogs; }
    // Saves the document where an operation needs it, as the program's processor does.
    PackageProcessor *processor() const { return m_processor.get(); }
    // The dialogs that opened while the session lived and were closed unanswered, as
    // "title: text", since the last open or save.
    QStringList closedDialogs() const { return m_guard.closedDialogs(); }

    // Opens the package at `path` (an archive, the marker file of an unarchived package, or a
    // fixture beside a package) as the program does. A fixture beside the package that can't
    // be read fails the open as well: saving would replace it by an empty one.
    bool open(const QString &path);
    // Where the open package lives: the archive, or the marker of an unarchived package.
    QString packagePath() const;
    bool isUnarchived() const;

    // Saves as the program's Save does, back where the package came from, in its storage form.
    // `withChecks` runs the syntax checks, whose questions the dialogs answer.
    bool save(bool withChecks);
    // Saves the package as an archive at `path`, or with `unarchived` into the package folder
    // whose marker file `path` is; that folder must exist.
    bool saveAs(const QString &path, bool unarchived, bool withChecks);

    // Why the last open or save failed, in one line; empty after a success.
    QString failure() const { return m_failure; }

    // The reasons for refusing a protected package, also where the tool checks the password
    // itself.
    static QString missingPasswordMessage();
    static QString wrongPasswordMessage();

private:
    class RecordingLog;

    void begin();
    bool finish(bool succeeded);
    QString cause() const;

    std::unique_ptr<RecordingLog> m_log;
    CliDialogs m_dialogs;
    DialogGuard m_guard;
    std::unique_ptr<PackageProcessor> m_processor;
    HeadlessDocument *m_document = nullptr; // owned by the processor
    QString m_failure;
};

} // namespace Scripter
