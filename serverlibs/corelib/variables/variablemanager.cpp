#include "variablemanager.h"

#include "conditionevaluator.h"
#include "textevaluator.h"
#include "variablecondition.h"
#include "variabletext.h"

#include "corelib/common/corelogging.h"
#include "corelib/common/textexcerpt.h"
#include "corelib/common/xmldatareader.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QMutex>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <memory>

namespace SRCore {

namespace {

QMutex &instanceMutex()
{
    static QMutex mutex;
    return mutex;
}

std::unique_ptr<VariableManager> &instanceSlot()
{
    static std::unique_ptr<VariableManager> instance;
    return instance;
}

// Group and variable names are joined with "." into full names and written into texts, so
// they are plain identifiers.
bool isValidName(QStringView name)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z][A-Za-z0-9]*$"));
    return identifier.match(name.toString()).hasMatch();
}

// Reads the name attribute of the current element; false, with an error, when it is missing
// or not an identifier.
bool readName(XmlDataReader &reader, QString *name)
{
    const QStringView value = reader.attribute(XMLKey::VAR_NAME);
    if (!isValidName(value)) {
        return reader.raiseError(
            VariableManager::tr("<%1> needs a %2 made of letters and digits, starting with a "
                                "letter (found '%3')")
                .arg(reader.name(), XMLKey::VAR_NAME, value));
    }
    *name = value.toString();
    return true;
}

// Reads an optional <Description> child, then hands every other child element to
// `readElement`.
template<typename ElementReader>
bool readChildren(XmlDataReader &reader, QString *description, ElementReader readElement)
{
    bool haveDescription = false;
    while (reader.readNextChildElement()) {
        bool ok = false;
        if (reader.name() != XMLKey::VAR_DESCRIPTION) {
            ok = readElement();
        } else if (haveDescription) {
            ok = reader.raiseDuplicateElement();
        } else {
            haveDescription = true;
            ok = reader.readText(description);
        }
        if (!ok) {
            return false;
        }
    }
    return !reader.hasError();
}

} // namespace

VariableManager *VariableManager::instance()
{
    const QMutexLocker locker(&instanceMutex());
    std::unique_ptr<VariableManager> &slot = instanceSlot();
    if (!slot) {
        slot = std::make_unique<VariableManager>();
        QByteArray catalogue;
        QString error;
        const QString path = QStringLiteral(":/variables/VariableCatalogue.xml");
        if (!XmlDataReader::readFile(path, &catalogue, &error)
            || !slot->addCatalogue(catalogue, &error)) {
            // Only a broken build gets here; the program still runs without variables.
            qCCritical(lcCoreLib).noquote()
                << "The built-in variable catalogue is unusable:" << error;
        }
    }
    return slot.get();
}

void VariableManager::finalize()
{
    const QMutexLocker locker(&instanceMutex());
    instanceSlot().reset();
}

bool VariableManager::addCatalogue(const QByteArray &document, QString *errorMessage)
{
    XmlDataReader reader(document);
    QList<VariableGroup> groups = m_groups;
    if (!readCatalogue(reader, groups)) {
        if (errorMessage) {
            *errorMessage = tr("Invalid variable catalogue at %1").arg(reader.error().toString());
        }
        return false;
    }
    m_groups = groups;
    return true;
}

bool VariableManager::readCatalogue(XmlDataReader &reader, QList<VariableGroup> &groups)
{
    if (!reader.readRoot(XMLKey::VARIABLECATALOGUE, kCatalogueFormatVersion)) {
        return false;
    }
    while (reader.readNextChildElement()) {
        const bool ok = reader.name() == XMLKey::VAR_GROUP ? readGroup(reader, groups)
                                                           : reader.raiseUnexpectedElement();
        if (!ok) {
            return false;
        }
    }
    return reader.finish();
}

bool VariableManager::readGroup(XmlDataReader &reader, QList<VariableGroup> &groups)
{
    QString name;
    if (!readName(reader, &name)) {
        return false;
    }
    const auto existing = std::find_if(
        groups.begin(), groups.end(), [&name](const VariableGroup &g) { return g.name() == name; });
    VariableGroup group = existing != groups.end() ? *existing : VariableGroup(name, QString());
    QString description;
    const bool ok = readChildren(reader, &description, [&reader, &group] {
        return reader.name() == XMLKey::VAR_VARIABLE ? readVariable(reader, group)
                                                     : reader.raiseUnexpectedElement();
    });
    if (!ok) {
        return false;
    }
    if (!description.isEmpty()) {
        group.setDescription(description);
    }
    if (existing == groups.end()) {
        groups.append(group);
    } else {
        *existing = group;
    }
    return true;
}

bool VariableManager::readVariable(XmlDataReader &reader, VariableGroup &group)
{
    QString name;
    if (!readName(reader, &name)) {
        return false;
    }
    if (!group.variable(name).isNull()) {
        return reader.raiseError(tr("The variable %1.%2 is defined more than once")
                                     .arg(group.name(), TextExcerpt::of(name)));
    }
    const QString typeName = reader.attribute(XMLKey::VAR_DATATYPE).toString();
    Variable::DataType dataType = Variable::DataType::Text;
    if (!Variable::dataTypeFromName(typeName, &dataType)) {
        return reader.raiseError(tr("The variable %1.%2 has the unknown %3 '%4'")
                                     .arg(group.name(), TextExcerpt::of(name), XMLKey::VAR_DATATYPE,
                                          TextExcerpt::of(typeName)));
    }
    QString description;
    if (!readChildren(reader, &description,
                      [&reader] { return reader.raiseUnexpectedElement(); })) {
        return false;
    }
    group.addVariable(Variable(group.name(), name, dataType, description));
    return true;
}

QStringList VariableManager::getGroupNames() const
{
    QStringList names;
    for (const VariableGroup &group : m_groups) {
        names.append(group.name());
    }
    return names;
}

VariableGroup VariableManager::getGroup(const QString &name) const
{
    const auto found = std::find_if(m_groups.cbegin(), m_groups.cend(),
                                    [&name](const VariableGroup &g) { return g.name() == name; });
    return found != m_groups.cend() ? *found : VariableGroup();
}

Variable VariableManager::getVariable(const QString &fullName) const
{
    const qsizetype dot = fullName.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        return Variable();
    }
    return getGroup(fullName.left(dot)).variable(fullName.mid(dot + 1));
}

bool VariableManager::validateTextProperty(const QString &text, int position,
                                           VariableTextPart *variableAtPosition,
                                           VariableProblems *errors) const
{
    const VariableText parsed = VariableText::parse(text);
    VariableProblems problems = parsed.problems();
    if (parsed.isWellFormed()) {
        // Unknown variables do not make a text invalid; checkForUnknownVariables() names them.
        for (const VariableProblem &problem : TextEvaluator(*this).checkVariables(parsed)) {
            if (problem.kind != VariableProblem::Kind::UnknownVariable) {
                problems.append(problem);
            }
        }
    }
    const bool valid = problems.isEmpty();
    if (valid && variableAtPosition) {
        const VariableTextPart *found = parsed.variableAt(position);
        *variableAtPosition = found ? *found : VariableTextPart();
    }
    if (errors) {
        *errors = problems;
    }
    return valid;
}

QString VariableManager::formatVariableError(const VariableProblem &error)
{
    const int column = error.start + 1;
    const int comparison = error.comparison + 1;
    switch (error.field) {
    case VariableProblem::Field::Text:
        return tr("Column %1: %2").arg(column).arg(error.message);
    case VariableProblem::Field::Variable:
        return tr("Comparison %1, variable, column %2: %3")
            .arg(comparison)
            .arg(column)
            .arg(error.message);
    case VariableProblem::Field::Value:
        return tr("Comparison %1, value, column %2: %3")
            .arg(comparison)
            .arg(column)
            .arg(error.message);
    case VariableProblem::Field::Operator:
        return tr("Comparison %1: %2").arg(comparison).arg(error.message);
    case VariableProblem::Field::Condition:
        break;
    }
    return error.message;
}

QStringList VariableManager::checkForUnknownVariables(const QStringList &variables) const
{
    QStringList unknown;
    QSet<QString> seen;
    for (const QString &name : variables) {
        if (getVariable(name).isNull() && !seen.contains(name)) {
            seen.insert(name);
            unknown.append(name);
        }
    }
    return unknown;
}

bool VariableManager::getConditionFromXML(const QString &value, VariableCondition *condition,
                                          QString *errorMessage) const
{
    return VariableCondition::fromXml(value, condition, errorMessage);
}

QString VariableManager::getXMLfromCondition(const VariableCondition &condition)
{
    return condition.toXml();
}

VariableProblems VariableManager::validateCondition(const VariableCondition &condition) const
{
    return ConditionEvaluator(*this).validate(condition);
}

} // namespace SRCore
