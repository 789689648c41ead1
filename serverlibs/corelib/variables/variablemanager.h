#pragma once

#include "variable.h"
#include "variablegroup.h"
#include "variableproblem.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>

class QByteArray;

namespace SRCore {

class VariableCondition;
class XmlDataReader;
struct VariableTextPart;

// The catalogue of the workflow server's variables that texts and conditions may use, grouped
// as the variables browser shows them, and the checks of texts and conditions against it. The
// process-wide instance holds the built-in catalogue (the resource
// ":/variables/VariableCatalogue.xml", docs/variables.md); catalogues added later extend it.
//
// Add catalogues before other threads use the manager; every const operation is then safe from
// any thread.
class VariableManager
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::VariableManager)

public:
    static constexpr int kCatalogueFormatVersion = 1;

    // An empty catalogue.
    VariableManager() = default;

    VariableManager(const VariableManager &) = delete;
    VariableManager &operator=(const VariableManager &) = delete;

    // The process-wide manager with the built-in catalogue, made on first use.
    static VariableManager *instance();
    // Releases the process-wide manager (at shut-down); instance() afterwards makes a new one.
    static void finalize();

    // Adds the groups and variables of a catalogue document. New variables of a group that
    // exists already are appended to it. All or nothing: false, with the reason, and the
    // catalogue unchanged, when the document is malformed or would define a variable twice.
    bool addCatalogue(const QByteArray &document, QString *errorMessage = nullptr);

    QList<VariableGroup> getGroups() const { return m_groups; }
    QStringList getGroupNames() const;
    // Null when there is no group `name`.
    VariableGroup getGroup(const QString &name) const;
    // The variable with the full name "Group.Name"; null when there is none.
    Variable getVariable(const QString &fullName) const;

    // Checks a text with variables: its syntax and the arguments of the variables that the
    // catalogue knows. Unknown variables are not errors here (checkForUnknownVariables() names
    // them). True when valid; then, when `position` lies inside a variable, that variable with
    // its span goes to `variableAtPosition` (a literal part with an empty span otherwise). The
    // problems, in text order, go to `errors`. Either pointer may be null.
    bool validateTextProperty(const QString &text, int position,
                              VariableTextPart *variableAtPosition, VariableProblems *errors) const;
    // One problem as a sentence for the user: "Column 7: ...", "Comparison 2: ...".
    static QString formatVariableError(const VariableProblem &error);
    // The names among `variables` (full names "Group.Name") that the catalogue does not hold,
    // in the given order, each once.
    QStringList checkForUnknownVariables(const QStringList &variables) const;

    // Reads a stored condition (a property value). False, with `condition` unchanged and the
    // reason in `errorMessage`, for an empty or malformed text.
    bool getConditionFromXML(const QString &value, VariableCondition *condition,
                             QString *errorMessage = nullptr) const;
    // The property value of a condition.
    static QString getXMLfromCondition(const VariableCondition &condition);
    // Every problem of a condition against this catalogue (ConditionEvaluator::validate);
    // empty when it can be evaluated.
    VariableProblems validateCondition(const VariableCondition &condition) const;

private:
    static bool readCatalogue(XmlDataReader &reader, QList<VariableGroup> &groups);
    static bool readGroup(XmlDataReader &reader, QList<VariableGroup> &groups);
    static bool readVariable(XmlDataReader &reader, VariableGroup &group);

    QList<VariableGroup> m_groups;
};

} // namespace SRCore
