#pragma once

#include <QObject>
#include <QStringList>

// Makes classes known to an interpreter by name (QSInterpreter::addObjectFactory). Completion
// offers the registered class names; the run-time side derives from it to construct objects.
class QSObjectFactory : public QObject
{
    Q_OBJECT

public:
    explicit QSObjectFactory(QObject *parent = nullptr);
    QSObjectFactory(const QSObjectFactory &) = delete;
    QSObjectFactory &operator=(const QSObjectFactory &) = delete;

    // Registering a name twice keeps one entry; an empty name is refused.
    bool registerClass(const QString &className, QString *errorMessage = nullptr);
    // In registration order.
    QStringList classNames() const { return m_classNames; }

private:
    QStringList m_classNames;
};
