#pragma once

#include "corelib/flow/flowobject.h"

#include <QMap>
#include <QStringList>
#include <QWidget>

#include <map>
#include <memory>

class QToolBar;
class RunSummary;

namespace SRCore {
class Flow;
class IJT;
} // namespace SRCore

namespace Scripter {

class FixtureItem;
class FixtureTree;
class IDocumentWindow;

// The fixture panel of a main window: the test settings, incoming jobs and outgoing connections
// against which the script is tested, edited as a tree (FixtureTree) whose items carry property
// sets. Saved as a ".tfixture" archive beside the package (docs/fixture-file.md).
//
// Holds what a test run builds from the fixture (the test flow, its job tickets and folders)
// until the next build or clear(). GUI thread only.
class Fixture : public QWidget
{
    Q_OBJECT

public:
    // `window` must outlive the panel.
    explicit Fixture(IDocumentWindow *window, QWidget *parent = nullptr);
    ~Fixture() override;
    Fixture(const Fixture &) = delete;
    Fixture &operator=(const Fixture &) = delete;

    IDocumentWindow *window() const { return m_window; }
    FixtureTree *tree() const { return m_tree; }

    // The number of the next new job or connection. Shared by both kinds and never reused while
    // the program runs, not even after clear().
    int takeItemNumber() { return m_itemCounter++; }

    // Writes the fixture as a ".tfixture" archive; an existing file is replaced only by a
    // complete archive. The caller reports a failure.
    bool saveToFile(const QString &path, QString *errorMessage = nullptr);
    // Replaces the fixture by the one in the archive at `path`. An archive that can't be read
    // leaves the tree as it was; objects that lack fields are skipped. Failures go to the
    // message pane.
    bool loadFromFile(const QString &path);
    // Back to the three initial items; drops what the last test run built.
    void clear();

    // The basic item shows the package name and icon (empty: the default icon).
    void setBasicItemText(const QString &text);
    void setBasicItemIcon(const QString &path);
    // The declaration's element or connection definitions changed: rebuild the property sets
    // of the basic item or of every outgoing connection, keeping the values entered.
    void refreshBasicProperties();
    void refreshConnectionProperties();

    // A message to the message pane; `message` is untranslated (QT_TRANSLATE_NOOP in the context
    // "LogMessages") and may refer to `argument` as "%1" or to its comma-separated parts as
    // "%11", "%12", ... Level 0 is refused and replaced by an error naming the message.
    void log(int level, const QString &message, const QString &argument = QString()) const;

    // Builds the test flow of the fixture on disk for a run (docs/test-flow.md), replacing what
    // the last build made. False, with the reasons logged, when nothing may run.
    bool buildTestFlow();
    // The test flow of the last build; null before one, or when it failed.
    SRCore::Flow *testFlow() const { return m_testFlow.get(); }
    // The ticket of the current job; null when there is none.
    SRCore::IJT *currentJobTicket() const;
    // The test flow's connection of the selected outgoing connection; null when there is none.
    SRCore::FlowObject currentConnection() const { return m_connections.value(true); }
    // The file or folder name of the current job; empty without one.
    QString currentJobName(bool withoutPrefix) const;
    // The file or folder of the incoming job `job`, absolute: a relative path is taken in the
    // package's folder, as a test run takes it. Empty when the job names none.
    QString jobPath(const FixtureItem &job) const;

    QString testFolder() const { return m_testFolder; }
    // What a run sent: the tree marks each outgoing connection with its number of files.
    void showRunOutputs(const RunSummary &summary);
    QString ticketsFolder() const { return m_ticketsFolder; }
    QString flowFolder() const { return m_flowFolder; }
    QString datasetsFolder() const { return m_datasetsFolder; }
    // The input and output folders of the last build.
    QStringList createdFolders() const { return m_createdFolders; }

    bool isActive() const { return m_active; }
    // Makes the panel the active one of the window, as a click into it does.
    void activate();

public slots:
    // Shows the panel as the active (true) or the inactive one of the window.
    void updatePreview(bool active);

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    // Where relative job paths are taken: the package's folder, else the working folder.
    QString folder() const;
    std::unique_ptr<SRCore::Flow> fixtureDocument() const;
    // Whether the job `item` is the one a run works on.
    bool isCurrentJob(const FixtureItem *item) const;

    IDocumentWindow *m_window;
    // What the last test run built: its flow, the tickets of the current (true) and the last
    // other (false) job, and the outgoing connection of the selected item (true).
    std::unique_ptr<SRCore::Flow> m_testFlow;
    std::map<bool, std::unique_ptr<SRCore::IJT>> m_jobTickets;
    QMap<bool, SRCore::FlowObject> m_connections;
    QToolBar *m_toolBar;
    FixtureTree *m_tree;
    int m_itemCounter = 0;
    QString m_testFolderBase;
    QString m_testFolder;
    QString m_ticketsFolder;
    QString m_flowFolder;
    QString m_datasetsFolder;
    QStringList m_createdFolders;
    bool m_active = false;
};

} // namespace Scripter
