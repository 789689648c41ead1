#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

namespace SRCore {
class Flow;
class FlowObject;
} // namespace SRCore

namespace Scripter {

// What the author expects a test run to leave (docs/fixture-file.md, "Expected results"): kept
// as fields of the fixture's objects, the connections' file counts and names, the jobs' private
// data, the messages of the run. Widget-free, so that a fixture file can be checked without a
// window. A value.
class FixtureExpectations
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::FixtureExpectations)

public:
    struct Message
    {
        int level = 0;   // SRCore::LogLevel
        QString pattern; // wildcards over the whole text as the message pane shows it
    };
    struct Connection
    {
        QString name;
        std::optional<int> fileCount;
        QStringList fileNames; // wildcards
    };
    struct Job
    {
        QString name; // the file or folder name, as the fixture tree shows the job
        QList<QPair<QString, QString>> privateData;
    };

    // The expectations held in the fixture document `document`. Parts that can't be understood
    // are left out (sanitize() says which).
    static FixtureExpectations read(const SRCore::Flow &document);

    // Removes from the expectation fields of `object` (an object of the fixture document) what
    // can't be understood, keeping the rest; one text per part removed goes to `dropped`.
    static void sanitize(SRCore::FlowObject &object, QStringList *dropped);
    // Whether `object` carries an expectation field with a value that expects something: only
    // then is the field written to a fixture file.
    static bool isSet(const SRCore::FlowObject &object, const QString &tag);
    // Whether an object of the fixture document `document` expects something.
    static bool hasExpectations(const SRCore::Flow &document);
    // Adds the expectation fields of the object's type to `object`, empty, where it lacks them.
    static void addFields(SRCore::FlowObject &object);
    // Removes the expectation fields of `object` that expect nothing, so that a fixture without
    // expected results is written as before they existed.
    static void removeUnsetFields(SRCore::FlowObject &object);
    // The expectation fields of objects of `objectType` (XMLKey::SCR_...): their names.
    static QStringList fieldsOf(const QString &objectType);

    // The message type words that an expected message may name, and their levels.
    static int levelOfType(const QString &type);

    bool isEmpty() const;

    QList<Connection> connections;
    QList<Job> jobs;
    QList<Message> messages;
    bool noErrors = false;
};

} // namespace Scripter
