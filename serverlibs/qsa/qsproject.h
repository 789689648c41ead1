#pragma once

#include <QObject>
#include <QStringList>

class QSInterpreter;

// A set of named scripts and the interpreter that knows them (its functions() lists the
// functions of all of them). The project owns its interpreter. GUI thread only.
class QSProject : public QObject
{
    Q_OBJECT

public:
    explicit QSProject(QObject *parent = nullptr, const char *name = nullptr);
    QSProject(const QSProject &) = delete;
    QSProject &operator=(const QSProject &) = delete;
    ~QSProject() override;

    // Adds a script. A name that is empty or already taken is refused and nothing changes.
    bool createScript(const QString &name, const QString &code, QString *errorMessage = nullptr);
    QStringList scriptNames() const;

    QSInterpreter *interpreter() const { return m_interpreter; }

private:
    QSInterpreter *m_interpreter; // child
};
