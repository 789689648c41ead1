#include "packageinfo.h"

#include "headlessdocument.h"
#include "packagelisting.h"
#include "packagesession.h"
#include "scriptlanguages.h"

#include "package/declaration.h"
#include "package/packageprocessor.h"
#include "testing/fixture.h"
#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include "corelib/common/xmlerror.h"
#include "corelib/package/editornames.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QDomDocument>
#include <QFileInfo>
#include <QJsonArray>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

QJsonArray toArray(const QStringList &list)
{
    return QJsonArray::fromStringList(list);
}

QStringList toStringList(const QJsonValue &value)
{
    QStringList list;
    const QJsonArray array = value.toArray();
    for (const QJsonValue &entry : array) {
        list.append(entry.toString());
    }
    return list;
}

QJsonObject manifestFields(const SRCore::ScriptPackageManifest &manifest)
{
    QJsonObject fields;
    for (const QString &key : manifest.fieldKeys()) {
        if (key == XMLKey::SCRIPTERPASSWORD) {
            continue;
        }
        if (key == XMLKey::SCRIPTPROGRAMFILES) {
            QJsonObject programs;
            for (const auto &program : manifest.scriptProgramFiles()) {
                programs.insert(program.language, program.fileName);
            }
            fields.insert(key, programs);
        } else {
            fields.insert(key, manifest.field(key));
        }
    }
    return fields;
}

// The definitions as the server sees them: the field elements that the declaration writes.
QJsonArray definitions(const QString &fieldsXml)
{
    QDomDocument document;
    QJsonArray result;
    if (!SRCore::parseXmlDocument(fieldsXml.toUtf8(), document)) {
        return result;
    }
    for (QDomElement field = document.documentElement().firstChildElement(); !field.isNull();
         field = field.nextSiblingElement()) {
        const QString type = field.attribute(XMLKey::TYPE);
        QJsonArray editors;
        const QStringList keywords =
            field.attribute(XMLKey::EDITOR).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString &keyword : keywords) {
            editors.append(
                QJsonObject{{QStringLiteral("keyword"), keyword},
                            {QStringLiteral("name"), EditorNames::getEditorName(type, keyword)}});
        }
        QJsonObject definition{
            {QStringLiteral("tag"), field.tagName()},
            {QStringLiteral("name"), field.attribute(XMLKey::LOCALIZEDTAGNAME)},
            {QStringLiteral("tooltip"), field.attribute(XMLKey::TOOLTIP)},
            {QStringLiteral("type"), type},
            {QStringLiteral("editors"), editors},
            {QStringLiteral("default"), field.attribute(XMLKey::DEFAULT)},
            {QStringLiteral("validation"), field.attribute(XMLKey::VALIDATION)},
        };
        if (field.hasAttribute(XMLKey::DEPENDENCY)) {
            definition.insert(QStringLiteral("master"), field.attribute(XMLKey::DEPENDENCY));
            definition.insert(QStringLiteral("masterValue"),
                              field.attribute(XMLKey::DEPENDENCYVALUE));
        }
        result.append(definition);
    }
    return result;
}

QJsonObject fixtureOf(const Fixture &fixture, const QString &fileName)
{
    const FixtureTree *tree = fixture.tree();
    const FixtureItem *basic = tree->basicItem();
    QJsonArray jobs;
    for (int i = 0; i < tree->incomingGroup()->childCount(); ++i) {
        const auto *job = static_cast<const FixtureItem *>(tree->incomingGroup()->child(i));
        jobs.append(QJsonObject{
            {QStringLiteral("name"), job->text(0)},
            {QStringLiteral("path"), job->value(XMLKey::FILEORFOLDER)},
            {QStringLiteral("enabled"), job->isEnabledForTest()},
            {QStringLiteral("connection"), job->value(XMLKey::CONNECTIONNAME)},
        });
    }
    QJsonArray connections;
    for (int i = 0; i < tree->outgoingGroup()->childCount(); ++i) {
        const auto *connection = static_cast<const FixtureItem *>(tree->outgoingGroup()->child(i));
        connections.append(QJsonObject{
            {QStringLiteral("name"), connection->value(XMLKey::CONNECTIONNAME)},
            {QStringLiteral("enabled"), connection->isEnabledForTest()},
            {QStringLiteral("holdFiles"), connection->value(XMLKey::HOLDFILES) == XMLValues::YES},
            {QStringLiteral("trafficType"), connection->value(XMLKey::TRAFFICTYPE)},
        });
    }
    return QJsonObject{
        {QStringLiteral("file"), fileName},
        {QStringLiteral("testFolder"), basic->value(XMLKey::TESTFOLDER)},
        {QStringLiteral("flowName"), basic->value(XMLKey::FLOWNAME)},
        {QStringLiteral("elementName"), basic->value(XMLKey::ELEMENTNAME)},
        {QStringLiteral("jobs"), jobs},
        {QStringLiteral("connections"), connections},
    };
}

// Rows of "label  value" with the values in one column.
class Table
{
public:
    explicit Table(int indent = 0)
        : m_indent(indent)
    {}

    void add(const QString &label, const QString &value) { m_rows.append({label, value}); }

    QString toText() const
    {
        qsizetype width = 0;
        for (const auto &row : m_rows) {
            width = std::max(width, row.first.size());
        }
        QString text;
        for (const auto &row : m_rows) {
            QString line = row.first.leftJustified(width + 2) + row.second;
            while (line.endsWith(QLatin1Char(' '))) {
                line.chop(1);
            }
            text += QString(m_indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
        }
        return text;
    }

private:
    int m_indent;
    QList<QPair<QString, QString>> m_rows;
};

QString yesNo(bool value)
{
    return value ? PackageInfo::tr("yes") : PackageInfo::tr("no");
}

QString definitionsText(const QString &title, const QJsonArray &list)
{
    if (list.isEmpty()) {
        return PackageInfo::tr("%1: none").arg(title) + QLatin1Char('\n');
    }
    QString text = title + QLatin1String(":\n");
    for (const QJsonValue &value : list) {
        const QJsonObject definition = value.toObject();
        QStringList editors;
        const QJsonArray editorList = definition.value(QStringLiteral("editors")).toArray();
        for (const QJsonValue &editor : editorList) {
            const QJsonObject entry = editor.toObject();
            const QString name = entry.value(QStringLiteral("name")).toString();
            const QString keyword = entry.value(QStringLiteral("keyword")).toString();
            editors.append(name.isEmpty() ? keyword : QStringLiteral("%1 (%2)").arg(name, keyword));
        }
        text += QStringLiteral("  %1  \"%2\"  %3\n")
                    .arg(definition.value(QStringLiteral("tag")).toString(),
                         definition.value(QStringLiteral("name")).toString(),
                         definition.value(QStringLiteral("type")).toString());
        Table details(4);
        details.add(PackageInfo::tr("Editors:"), editors.join(QLatin1String(", ")));
        details.add(PackageInfo::tr("Default:"),
                    definition.value(QStringLiteral("default")).toString());
        details.add(PackageInfo::tr("Validation:"),
                    definition.value(QStringLiteral("validation")).toString());
        if (definition.contains(QStringLiteral("master"))) {
            details.add(PackageInfo::tr("Shown when:"),
                        QStringLiteral("%1 = %2").arg(
                            definition.value(QStringLiteral("master")).toString(),
                            definition.value(QStringLiteral("masterValue")).toString()));
        }
        text += details.toText();
    }
    return text;
}

} // namespace

PackageInfo::PackageInfo(const PackageSession &session, const PackageListing &listing)
    : m_manifestKeys(listing.manifest().fieldKeys())
{
    m_manifestKeys.removeAll(XMLKey::SCRIPTERPASSWORD);
    const HeadlessDocument *document = session.document();
    const Declaration &declaration = *document->declaration();

    QStringList languages;
    QJsonObject functions;
    for (const ScriptLanguages::Language &language : ScriptLanguages::included(declaration)) {
        languages.append(language.name);
        functions.insert(language.name, toArray(listing.declaredFunctions(language.name)));
    }

    const QString fixturePath = PackageProcessor::fixturePath(session.packagePath());
    const QJsonValue fixture =
        QFileInfo(fixturePath).isFile()
            ? QJsonValue(fixtureOf(*document->fixture(), QFileInfo(fixturePath).fileName()))
            : QJsonValue(QJsonValue::Null);

    m_json = QJsonObject{
        {QStringLiteral("package"), QDir::toNativeSeparators(session.packagePath())},
        {QStringLiteral("form"),
         session.isUnarchived() ? QStringLiteral("unarchived") : QStringLiteral("archive")},
        {QStringLiteral("manifest"), manifestFields(listing.manifest())},
        {QStringLiteral("elementName"), declaration.elementName()},
        {QStringLiteral("languages"), toArray(languages)},
        {QStringLiteral("protected"), listing.isProtected()},
        {QStringLiteral("elementProperties"), definitions(declaration.elementFieldsXml())},
        {QStringLiteral("connectionProperties"), definitions(declaration.connectionFieldsXml())},
        {QStringLiteral("functions"), functions},
        {QStringLiteral("fixture"), fixture},
    };
}

QString PackageInfo::toText() const
{
    const bool unarchived =
        m_json.value(QStringLiteral("form")).toString() == QLatin1String("unarchived");
    const QStringList languages = toStringList(m_json.value(QStringLiteral("languages")));

    Table summary;
    summary.add(tr("Package:"),
                tr("%1 (%2)").arg(m_json.value(QStringLiteral("package")).toString(),
                                  unarchived ? tr("unarchived folder") : tr("archive")));
    summary.add(tr("Element name:"), m_json.value(QStringLiteral("elementName")).toString());
    summary.add(tr("Languages:"),
                languages.isEmpty() ? tr("none") : languages.join(QLatin1String(", ")));
    summary.add(tr("Protected:"), yesNo(m_json.value(QStringLiteral("protected")).toBool()));
    QString text = summary.toText();

    text += tr("Manifest:") + QLatin1Char('\n');
    Table manifest(2);
    const QJsonObject fields = m_json.value(QStringLiteral("manifest")).toObject();
    for (const QString &key : m_manifestKeys) {
        QString value = fields.value(key).toString();
        if (key == XMLKey::SCRIPTPROGRAMFILES) {
            QStringList programs;
            const QJsonObject files = fields.value(key).toObject();
            for (auto it = files.constBegin(); it != files.constEnd(); ++it) {
                programs.append(it.key() + QLatin1String(": ") + it.value().toString());
            }
            value = programs.join(QLatin1String(", "));
        }
        manifest.add(key, value);
    }
    text += manifest.toText();

    text += tr("Entry points:") + QLatin1Char('\n');
    Table functions(2);
    const QJsonObject lists = m_json.value(QStringLiteral("functions")).toObject();
    for (const QString &language : languages) {
        const QStringList names = toStringList(lists.value(language));
        functions.add(language, names.isEmpty() ? tr("none") : names.join(QLatin1String(", ")));
    }
    text += functions.toText();

    text += definitionsText(tr("Element properties"),
                            m_json.value(QStringLiteral("elementProperties")).toArray());
    text += definitionsText(tr("Connection properties"),
                            m_json.value(QStringLiteral("connectionProperties")).toArray());

    const QJsonValue fixtureValue = m_json.value(QStringLiteral("fixture"));
    if (fixtureValue.isNull()) {
        return text + tr("Fixture: none") + QLatin1Char('\n');
    }
    const QJsonObject fixture = fixtureValue.toObject();
    text +=
        tr("Fixture: %1").arg(fixture.value(QStringLiteral("file")).toString()) + QLatin1Char('\n');
    Table basics(2);
    basics.add(tr("Test folder:"), fixture.value(QStringLiteral("testFolder")).toString());
    basics.add(tr("Flow name:"), fixture.value(QStringLiteral("flowName")).toString());
    basics.add(tr("Element name:"), fixture.value(QStringLiteral("elementName")).toString());
    text += basics.toText();

    const QJsonArray jobs = fixture.value(QStringLiteral("jobs")).toArray();
    text += QStringLiteral("  ") + tr("Incoming jobs: %n", nullptr, int(jobs.size()))
            + QLatin1Char('\n');
    Table jobTable(4);
    for (const QJsonValue &value : jobs) {
        const QJsonObject job = value.toObject();
        jobTable.add(
            job.value(QStringLiteral("name")).toString(),
            (job.value(QStringLiteral("enabled")).toBool() ? tr("enabled") : tr("disabled"))
                + QLatin1String("  ") + job.value(QStringLiteral("path")).toString());
    }
    text += jobTable.toText();

    const QJsonArray connections = fixture.value(QStringLiteral("connections")).toArray();
    text += QStringLiteral("  ") + tr("Outgoing connections: %n", nullptr, int(connections.size()))
            + QLatin1Char('\n');
    Table connectionTable(4);
    for (const QJsonValue &value : connections) {
        const QJsonObject connection = value.toObject();
        QString state =
            connection.value(QStringLiteral("enabled")).toBool() ? tr("enabled") : tr("disabled");
        if (connection.value(QStringLiteral("holdFiles")).toBool()) {
            state += QLatin1String(", ") + tr("holds files");
        }
        connectionTable.add(connection.value(QStringLiteral("name")).toString(), state);
    }
    return text + connectionTable.toText();
}

} // namespace Scripter
