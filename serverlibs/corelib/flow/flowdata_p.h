#pragma once

// Internal data of flow objects and fields, shared by the flow classes only.

#include "flowobjectfield.h"

#include <QList>
#include <QPair>
#include <QSharedData>
#include <QStringList>

namespace SRCore {

// Named texts that keep the order in which they were first set, as attributes do in a file.
class PropertyList
{
public:
    QString value(const QString &name) const
    {
        const int i = indexOf(name);
        return i < 0 ? QString() : m_entries.at(i).second;
    }
    void setValue(const QString &name, const QString &value)
    {
        const int i = indexOf(name);
        if (i < 0) {
            m_entries.append({name, value});
        } else {
            m_entries[i].second = value;
        }
    }
    bool contains(const QString &name) const { return indexOf(name) >= 0; }
    void remove(const QString &name)
    {
        const int i = indexOf(name);
        if (i >= 0) {
            m_entries.removeAt(i);
        }
    }
    QStringList names() const
    {
        QStringList result;
        result.reserve(m_entries.size());
        for (const auto &entry : m_entries) {
            result.append(entry.first);
        }
        return result;
    }
    const QList<QPair<QString, QString>> &entries() const { return m_entries; }

private:
    int indexOf(const QString &name) const
    {
        for (int i = 0; i < m_entries.size(); ++i) {
            if (m_entries.at(i).first == name) {
                return i;
            }
        }
        return -1;
    }

    QList<QPair<QString, QString>> m_entries;
};

class FieldData : public QSharedData
{
public:
    QString name;
    QString value;
    PropertyList properties;
};

class ObjectData : public QSharedData
{
public:
    PropertyList properties;
    QList<FlowObjectField> fields;
};

} // namespace SRCore
