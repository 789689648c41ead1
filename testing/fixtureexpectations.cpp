#include "fixtureexpectations.h"

#include "package/objecttemplates.h"

#include "corelib/flow/flow.h"
#include "corelib/flow/flowobject.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

QString fieldValue(const SRCore::FlowObject &object, const QString &tag)
{
    return object.getField(tag).getValue();
}

QStringList lines(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\r|\\n"));
    return text.split(lineBreak);
}

// "key = value"; false when the line has no "=" or no key.
bool parseDataLine(const QString &line, QPair<QString, QString> *entry)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || line.left(equals).trimmed().isEmpty()) {
        return false;
    }
    *entry = {line.left(equals).trimmed(), line.mid(equals + 1).trimmed()};
    return true;
}

// "type: pattern"; false for an unknown type or an empty pattern.
bool parseMessageLine(const QString &line, FixtureExpectations::Message *message)
{
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        return false;
    }
    message->level = FixtureExpectations::levelOfType(line.left(colon).trimmed());
    message->pattern = line.mid(colon + 1).trimmed();
    return message->level != SRCore::LogLevel::Refused && !message->pattern.isEmpty();
}

std::optional<int> parseCount(const QString &text)
{
    bool ok = false;
    const int count = text.trimmed().toInt(&ok);
    return ok && count >= 0 ? std::optional<int>(count) : std::nullopt;
}

QString ownerName(const SRCore::FlowObject &object)
{
    const QString type = fieldValue(object, XMLKey::TYPE);
    if (type == XMLKey::SCR_OUTGOINGCONNECTIONS) {
        return FixtureExpectations::tr("connection '%1'")
            .arg(fieldValue(object, XMLKey::CONNECTIONNAME));
    }
    if (type == XMLKey::SCR_INCOMMINGJOBS) {
        return FixtureExpectations::tr("job '%1'")
            .arg(QFileInfo(QDir::cleanPath(fieldValue(object, XMLKey::FILEORFOLDER))).fileName());
    }
    return FixtureExpectations::tr("the basic test settings");
}

// Keeps the lines of a multi-line field that `valid` accepts, blank lines aside; says which
// lines went.
template<typename Check>
void keepValidLines(SRCore::FlowObject &object, const QString &tag, const QString &what,
                    Check valid, QStringList *dropped)
{
    SRCore::FlowObjectField field = object.getField(tag);
    if (field.isNull()) {
        return;
    }
    QStringList kept;
    for (const QString &line : lines(field.getValue())) {
        if (line.trimmed().isEmpty()) {
            continue;
        }
        if (valid(line)) {
            kept.append(line);
        } else if (dropped) {
            dropped->append(FixtureExpectations::tr("%1 '%2' of %3")
                                .arg(what, line.trimmed(), ownerName(object)));
        }
    }
    field.setValue(kept.join(QLatin1Char('\n')));
}

} // namespace

QStringList FixtureExpectations::fieldsOf(const QString &objectType)
{
    if (objectType == XMLKey::SCR_OUTGOINGCONNECTIONS) {
        return {XMLKey::EXPECTEDFILECOUNT, XMLKey::EXPECTEDFILENAMES};
    }
    if (objectType == XMLKey::SCR_INCOMMINGJOBS) {
        return {XMLKey::EXPECTEDPRIVATEDATA};
    }
    if (objectType == XMLKey::SCR_BASICTESTPROPERTIES) {
        return {XMLKey::EXPECTEDMESSAGES, XMLKey::EXPECTNOERRORS};
    }
    return {};
}

int FixtureExpectations::levelOfType(const QString &type)
{
    const QString word = type.toLower();
    if (word == QLatin1String("information")) {
        return SRCore::LogLevel::Information;
    }
    for (const int level : {SRCore::LogLevel::Error, SRCore::LogLevel::Warning,
                            SRCore::LogLevel::Information, SRCore::LogLevel::Debug}) {
        if (word == SRCore::LogRecord::typeWord(level)) {
            return level;
        }
    }
    return SRCore::LogLevel::Refused;
}

bool FixtureExpectations::hasExpectations(const SRCore::Flow &document)
{
    const QList<SRCore::FlowObject> objects = document.getFlowObjects();
    return std::any_of(objects.cbegin(), objects.cend(), [](const SRCore::FlowObject &object) {
        const QStringList tags = fieldsOf(object.getType());
        return std::any_of(tags.cbegin(), tags.cend(),
                           [&object](const QString &tag) { return isSet(object, tag); });
    });
}

void FixtureExpectations::addFields(SRCore::FlowObject &object)
{
    const QStringList tags = fieldsOf(object.getType());
    if (tags.isEmpty()) {
        return;
    }
    SRCore::FlowObject fields = ObjectTemplates::defaultObject(XMLKey::SCR_EXPECTEDRESULTS);
    for (const SRCore::FlowObjectField &field : fields.getFields()) {
        if (!tags.contains(field.getName())) {
            fields.removeField(field.getName());
        }
    }
    for (const QString &tag : tags) {
        if (object.hasField(tag)) {
            fields.removeField(tag);
        }
    }
    object.injectPropertiesFromXML(fields.toXml());
}

void FixtureExpectations::removeUnsetFields(SRCore::FlowObject &object)
{
    for (const QString &tag : fieldsOf(object.getType())) {
        if (!isSet(object, tag)) {
            object.removeField(tag);
        }
    }
}

bool FixtureExpectations::isSet(const SRCore::FlowObject &object, const QString &tag)
{
    const SRCore::FlowObjectField field = object.getField(tag);
    if (field.isNull()) {
        return false;
    }
    if (tag == XMLKey::EXPECTNOERRORS) {
        return field.getValue() == XMLValues::YES;
    }
    return !field.getValue().trimmed().isEmpty();
}

void FixtureExpectations::sanitize(SRCore::FlowObject &object, QStringList *dropped)
{
    SRCore::FlowObjectField count = object.getField(XMLKey::EXPECTEDFILECOUNT);
    if (!count.isNull() && !count.getValue().trimmed().isEmpty() && !parseCount(count.getValue())) {
        if (dropped) {
            dropped->append(tr("number of files '%1' of %2, which is no whole number of 0 or more")
                                .arg(count.getValue(), ownerName(object)));
        }
        count.setValue(QString());
    }
    SRCore::FlowObjectField noErrors = object.getField(XMLKey::EXPECTNOERRORS);
    if (!noErrors.isNull() && noErrors.getValue() != XMLValues::YES
        && noErrors.getValue() != XMLValues::NO) {
        if (dropped) {
            dropped->append(tr("'no errors' value '%1' of %2, which is neither Yes nor No")
                                .arg(noErrors.getValue(), ownerName(object)));
        }
        noErrors.setValue(XMLValues::NO);
    }
    keepValidLines(
        object, XMLKey::EXPECTEDPRIVATEDATA, tr("private data line"),
        [](const QString &line) {
            QPair<QString, QString> entry;
            return parseDataLine(line, &entry);
        },
        dropped);
    keepValidLines(
        object, XMLKey::EXPECTEDMESSAGES, tr("message line"),
        [](const QString &line) {
            Message message;
            return parseMessageLine(line, &message);
        },
        dropped);
}

FixtureExpectations FixtureExpectations::read(const SRCore::Flow &document)
{
    FixtureExpectations expected;
    const SRCore::FlowObject basic =
        document.getFlowObjects(XMLKey::SCR_BASICTESTPROPERTIES).value(0);
    if (!basic.isNull()) {
        for (const QString &line : lines(fieldValue(basic, XMLKey::EXPECTEDMESSAGES))) {
            Message message;
            if (parseMessageLine(line, &message)) {
                expected.messages.append(message);
            }
        }
        expected.noErrors = isSet(basic, XMLKey::EXPECTNOERRORS);
    }
    for (const SRCore::FlowObject &job : document.getFlowObjects(XMLKey::SCR_INCOMMINGJOBS)) {
        Job expectation;
        expectation.name =
            QFileInfo(QDir::cleanPath(fieldValue(job, XMLKey::FILEORFOLDER))).fileName();
        for (const QString &line : lines(fieldValue(job, XMLKey::EXPECTEDPRIVATEDATA))) {
            QPair<QString, QString> entry;
            if (parseDataLine(line, &entry)) {
                expectation.privateData.append(entry);
            }
        }
        if (!expectation.privateData.isEmpty()) {
            expected.jobs.append(expectation);
        }
    }
    for (const SRCore::FlowObject &connection :
         document.getFlowObjects(XMLKey::SCR_OUTGOINGCONNECTIONS)) {
        Connection expectation;
        expectation.name = fieldValue(connection, XMLKey::CONNECTIONNAME);
        expectation.fileCount = parseCount(fieldValue(connection, XMLKey::EXPECTEDFILECOUNT));
        for (const QString &pattern :
             fieldValue(connection, XMLKey::EXPECTEDFILENAMES).split(QLatin1Char(';'))) {
            if (!pattern.trimmed().isEmpty()) {
                expectation.fileNames.append(pattern.trimmed());
            }
        }
        if (expectation.fileCount || !expectation.fileNames.isEmpty()) {
            expected.connections.append(expectation);
        }
    }
    return expected;
}

bool FixtureExpectations::isEmpty() const
{
    return connections.isEmpty() && jobs.isEmpty() && messages.isEmpty() && !noErrors;
}

} // namespace Scripter
