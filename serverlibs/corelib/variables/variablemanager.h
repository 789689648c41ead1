#pragma once

#include "variable.h"
#include "variablegroup.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>

class QByteArray;

namespace SRCore {

class XmlDataReader;

// The catalogue of the workflow server's variables that texts and conditions may use, grouped
// as the variables browser shows them. The process-wide instance holds the built-in catalogue
// (the resource ":/variables/VariableCatalogue.xml", docs/variables.md); catalogues added later
// extend it.
//
// Add catalogues before other threads use the manager; reading is then safe from any thread.
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

private:
    static bool readCatalogue(XmlDataReader &reader, QList<VariableGroup> &groups);
    static bool readGroup(XmlDataReader &reader, QList<VariableGroup> &groups);
    static bool readVariable(XmlDataReader &reader, VariableGroup &group);

    QList<VariableGroup> m_groups;
};

} // namespace SRCore
