#pragma once

#include <QCoreApplication>
#include <QMap>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QStringList>

// The global data of the scripts of a flow: texts under a tag in a scope (a group), kept in a
// file ("UserGlobalData.xml" in the test folder, docs/test-flow.md) so that a run sees what
// earlier runs stored. Every change is written at once, in one step, so an aborted run loses
// nothing it stored.
//
// A damaged file is not lost: it is set aside (renamed with the suffix ".damaged") and the data
// start empty; loadError() says what happened. Safe to use from any thread.
class UserGlobalData
{
    Q_DECLARE_TR_FUNCTIONS(UserGlobalData)

public:
    static constexpr int kFormatVersion = 1;

    // Reads `file` when it exists; the file is made on the first change.
    explicit UserGlobalData(const QString &file);
    UserGlobalData(const UserGlobalData &) = delete;
    UserGlobalData &operator=(const UserGlobalData &) = delete;

    QString fileName() const { return m_file; }
    // Why the file could not be read, and where it was set aside; empty when it was read or
    // did not exist.
    QString loadError() const { return m_loadError; }

    bool hasGlobalData(const QString &group, const QString &key) const;
    // Empty when not set.
    QString getGlobalData(const QString &group, const QString &key) const;
    // False, with the reason, when the file can't be written; the value is then unchanged.
    bool setGlobalData(const QString &group, const QString &key, const QString &value,
                       QString *errorMessage = nullptr);
    // The tags of `group`, sorted.
    QStringList keys(const QString &group) const;

private:
    using Key = QPair<QString, QString>; // group, key

    bool read(const QByteArray &data, QString *errorMessage);
    void setAside(const QString &reason);
    bool save(const QMap<Key, QString> &values, QString *errorMessage) const;

    const QString m_file;
    QString m_loadError;
    // Set when a damaged file could not be set aside: writing would destroy it.
    bool m_readOnly = false;
    mutable QMutex m_mutex;
    QMap<Key, QString> m_values; // guarded by m_mutex
};
