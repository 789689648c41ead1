#include "userglobaldata.h"

#include "corelib/common/xmldatareader.h"
#include "corelib/common/xmldatawriter.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString rootElement = QStringLiteral("UserGlobalData");
const QString entryElement = QStringLiteral("Entry");
const QString scopeElement = QStringLiteral("Scope");
const QString tagElement = QStringLiteral("Tag");
const QString valueElement = QStringLiteral("Value");

} // namespace

UserGlobalData::UserGlobalData(const QString &file)
    : m_file(file)
{
    if (!QFileInfo::exists(file)) {
        return;
    }
    QByteArray data;
    QString error;
    if (!SRCore::XmlDataReader::readFile(file, &data, &error) || !read(data, &error)) {
        m_values.clear();
        setAside(error);
    }
}

bool UserGlobalData::read(const QByteArray &data, QString *errorMessage)
{
    SRCore::XmlDataReader reader(data);
    const auto fail = [&] {
        *errorMessage = SRCore::XmlDataReader::describeError(m_file, reader.error());
        return false;
    };
    if (!reader.readRoot(rootElement, kFormatVersion)) {
        return fail();
    }
    while (reader.readNextChildElement()) {
        if (reader.name() != entryElement) {
            reader.raiseUnexpectedElement();
            return fail();
        }
        QString scope;
        QString tag;
        QString value;
        if (!reader.readChildElement(scopeElement) || !reader.readText(&scope)
            || !reader.readChildElement(tagElement) || !reader.readText(&tag)
            || !reader.readChildElement(valueElement) || !reader.readText(&value)
            || !reader.readEndElement()) {
            return fail();
        }
        m_values.insert({scope, tag}, value);
    }
    if (reader.hasError() || !reader.finish()) {
        return fail();
    }
    return true;
}

void UserGlobalData::setAside(const QString &reason)
{
    QString aside = m_file + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(aside); ++n) {
        aside = m_file + QStringLiteral(".damaged-%1").arg(n);
    }
    if (QFile::rename(m_file, aside)) {
        m_loadError =
            tr("%1. It was kept as '%2'; the global data start empty.").arg(reason, aside);
    } else {
        m_readOnly = true;
        m_loadError = tr("%1. It could not be set aside, so global data can't be stored until it "
                         "is repaired or removed.")
                          .arg(reason);
    }
}

bool UserGlobalData::hasGlobalData(const QString &group, const QString &key) const
{
    const QMutexLocker locker(&m_mutex);
    return m_values.contains({group, key});
}

QString UserGlobalData::getGlobalData(const QString &group, const QString &key) const
{
    const QMutexLocker locker(&m_mutex);
    return m_values.value({group, key});
}

QStringList UserGlobalData::keys(const QString &group) const
{
    const QMutexLocker locker(&m_mutex);
    QStringList result;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        if (it.key().first == group) {
            result.append(it.key().second);
        }
    }
    return result;
}

bool UserGlobalData::setGlobalData(const QString &group, const QString &key, const QString &value,
                                   QString *errorMessage)
{
    const QMutexLocker locker(&m_mutex);
    if (m_readOnly) {
        if (errorMessage) {
            *errorMessage = m_loadError;
        }
        return false;
    }
    QMap<Key, QString> values = m_values;
    values.insert({group, key}, value);
    if (!save(values, errorMessage)) {
        return false;
    }
    m_values = values;
    return true;
}

bool UserGlobalData::save(const QMap<Key, QString> &values, QString *errorMessage) const
{
    SRCore::XmlDataWriter writer(rootElement, kFormatVersion);
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        writer.writeStartElement(entryElement);
        writer.writeTextElement(scopeElement, it.key().first);
        writer.writeTextElement(tagElement, it.key().second);
        writer.writeTextElement(valueElement, it.value());
        writer.writeEndElement();
    }
    return writer.save(m_file, errorMessage);
}
