#pragma once

#include <QStandardItem>

class QAction;
class QObject;

namespace Scripter {

// One entry point of the entry point table as the chooser offers it: a row of the combo box
// (icon, name without the mnemonic, tool tip) and the action of the Test menu (name with the
// mnemonic, tool tip, the entry point's number as data).
class EntryPointItem : public QStandardItem
{
public:
    // `actionParent` owns the action. A `scriptTest` that is no number leaves the action
    // without data.
    EntryPointItem(const QString &name, const QString &functionName, const QString &icon,
                   const QString &scriptTest, const QString &toolTip, bool jobDependent,
                   QObject *actionParent);
    ~EntryPointItem() override;
    EntryPointItem(const EntryPointItem &) = delete;
    EntryPointItem &operator=(const EntryPointItem &) = delete;

    QAction *action() const { return m_action; }
    // Empty for the script expression.
    QString functionName() const { return m_functionName; }
    bool isJobDependent() const { return m_jobDependent; }
    // The entry point's number; EntryPoints::Count when the table gives none.
    int entryPoint() const;
    // Shows whether the script defines the function: the entry point's own icon, or the
    // unchecked one.
    void showDefined(bool defined);

private:
    QAction *m_action;
    QString m_functionName;
    bool m_jobDependent;
};

} // namespace Scripter
