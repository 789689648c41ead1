#include "recentfilter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace GuiLib {

RecentFilter::RecentFilter(int columnCount)
    : m_columns(qMax(0, columnCount))
{}

void RecentFilter::add(int column, const QString &text)
{
    const QString entry = text.trimmed();
    if (column < 0 || column >= columnCount() || entry.isEmpty()) {
        return;
    }
    QStringList &entries = m_columns[column];
    entries.removeAll(entry);
    entries.prepend(entry);
    if (entries.size() > MaxEntries) {
        entries.resize(MaxEntries);
    }
}

QStringList RecentFilter::entries(int column) const
{
    return m_columns.value(column);
}

bool RecentFilter::isEmpty() const
{
    for (const QStringList &entries : m_columns) {
        if (!entries.isEmpty()) {
            return false;
        }
    }
    return true;
}

void RecentFilter::clear()
{
    for (QStringList &entries : m_columns) {
        entries.clear();
    }
}

QString RecentFilter::toString() const
{
    QJsonArray columns;
    for (const QStringList &entries : m_columns) {
        columns.append(QJsonArray::fromStringList(entries));
    }
    return QString::fromUtf8(QJsonDocument(columns).toJson(QJsonDocument::Compact));
}

bool RecentFilter::fromString(const QString &text, QString *errorMessage)
{
    const auto fail = [errorMessage](const QString &reason) {
        if (errorMessage) {
            *errorMessage = reason;
        }
        return false;
    };
    QList<QStringList> columns(m_columns.size());
    if (!text.trimmed().isEmpty()) {
        QJsonParseError parseError;
        const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &parseError);
        if (parseError.error != QJsonParseError::NoError) {
            return fail(tr("The filter history cannot be read at offset %1: %2")
                            .arg(parseError.offset)
                            .arg(parseError.errorString()));
        }
        if (!document.isArray()) {
            return fail(tr("The filter history is not a list of columns"));
        }
        const QJsonArray array = document.array();
        for (qsizetype column = 0; column < array.size(); ++column) {
            if (!array.at(column).isArray()) {
                return fail(tr("The filter history of column %1 is not a list").arg(column + 1));
            }
            const QJsonArray entries = array.at(column).toArray();
            for (const QJsonValue &entry : entries) {
                if (!entry.isString()) {
                    return fail(
                        tr("The filter history of column %1 holds something other than texts")
                            .arg(column + 1));
                }
                if (column < columns.size() && columns[column].size() < MaxEntries
                    && !entry.toString().trimmed().isEmpty()
                    && !columns[column].contains(entry.toString())) {
                    columns[column] << entry.toString();
                }
            }
        }
    }
    m_columns = columns;
    return true;
}

} // namespace GuiLib
