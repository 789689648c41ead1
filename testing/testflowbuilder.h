#pragma once

#include "corelib/flow/flow.h"
#include "corelib/flow/flowobject.h"
#include "corelib/jobs/ijt.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

namespace Scripter {

// Builds the test flow of a fixture on disk (docs/test-flow.md): the test folder "FixtureTestNN"
// of the window with its flow document, an input folder per enabled job holding a copy of the
// job, an output folder per enabled connection, the job tickets, the datasets of the jobs and
// the user global data. Knows nothing of the fixture's widgets, so that the command-line tool
// can build the same flow.
//
// Problems go to the message function as level-3 messages with the path as argument; a problem
// that leaves no test folder to run in makes build() false. Process-wide settings that the
// scripting run time reads (the tickets folder, the datasets folder) are set by build(). GUI or
// main thread: the settings store is the program's.
class TestFlowBuilder
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::TestFlowBuilder)

public:
    // A message: level, untranslated text of the context "LogMessages", argument.
    using Log = std::function<void(int level, const char *message, const QString &argument)>;

    struct Job
    {
        SRCore::FlowObject object; // the incoming job's fields
        QString itemText;          // its name in the fixture tree
        bool current = false;
    };

    struct OutgoingConnection
    {
        SRCore::FlowObject object; // the outgoing connection's fields
        QString itemText;
        bool current = false;
    };

    struct Input
    {
        int documentNumber = 0; // "FixtureTest" + two digits
        QString packageFilePath;
        // Relative job paths are taken in this folder (the package's).
        QString fixtureFolder;
        // The basic test settings with the values and editors of the declared element
        // properties.
        SRCore::FlowObject basicSettings;
        // The script element and the connections as the declaration makes them (templates with
        // the declaration's fields merged); a null connection template stands for a connection
        // type without one.
        SRCore::FlowObject scriptElement;
        SRCore::FlowObject connectionTemplate;
        QStringList elementPropertyTags;
        QStringList connectionPropertyTags;
        QList<Job> jobs; // in tree order
        QList<OutgoingConnection> connections;
    };

    struct Result
    {
        std::unique_ptr<SRCore::Flow> flow;
        std::unique_ptr<SRCore::IJT> currentTicket; // the current job's
        std::unique_ptr<SRCore::IJT> otherTicket;   // the last other job's
        // The flow's connection of the current outgoing connection; null when none is current.
        SRCore::FlowObject currentConnection;
        QString testFolderBase;
        QString testFolder;
        QString ticketsFolder;
        QString flowFolder;
        QString datasetsFolder;
        QStringList createdFolders; // the input and output folders
    };

    static inline const QString kUserGlobalDataFile = QStringLiteral("UserGlobalData.xml");

    explicit TestFlowBuilder(Log log);

    // The whole build. False means that nothing may run; `result` then holds what was made.
    bool build(const Input &input, Result &result);

    // The folder part: test folder, emptied but for the user global data, and its "datasets",
    // "tickets" and "flow" folders.
    bool prepareTestFolder(const Input &input, Result &result);

    // The ticket of a job copied to `jobCopy`, with the job's private data and datasets; saved
    // in the tickets folder.
    std::unique_ptr<SRCore::IJT> createJobTicket(const SRCore::FlowObject &job,
                                                 const QString &jobCopy, const QString &flowName,
                                                 const SRCore::FlowObject &inputFolder,
                                                 const QString &datasetsFolder);

    // What the fixture job gives every ticket of its files: hierarchy, job state, e-mail and
    // private data. Datasets are left to the caller, which decides where their files live.
    static void fillFromJob(SRCore::IJT &ticket, const SRCore::FlowObject &job);

private:
    bool createFolder(const QString &path);
    // Replaces the test folder by an empty one that keeps the user global data, the old one
    // removed in the background. False, with everything as it was, when it can't.
    bool renewTestFolder(const QString &testFolder);
    static void discardInBackground(const QString &folder);
    SRCore::FlowObject addFolder(SRCore::Flow &flow, const QString &prefix, int x, int y,
                                 Result &result, bool *failed);
    void addJob(const Input &input, const Job &job, int y, SRCore::Flow &flow, Result &result,
                bool *failed);
    void addConnection(const Input &input, const OutgoingConnection &item, int y,
                       SRCore::Flow &flow, Result &result, bool *failed);
    void addDatasets(SRCore::IJT &ticket, const QString &value, const QString &datasetsFolder);
    void applyGlobalData(const SRCore::FlowObject &basicSettings, const QString &testFolder);

    Log m_log;
    int m_uniqueNameCounter = 1;
    QString m_flowName;
};

} // namespace Scripter
