#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace GuiLib {

// The variables browser of the variable dialogs: the variable catalogue of
// SRCore::VariableManager as groups of variables, with the description of the current one and,
// when the dialog computed it, its value for the current sample job. A variable is picked with
// a double click or "Insert".
class VariablesView : public QWidget
{
    Q_OBJECT

public:
    explicit VariablesView(QWidget *parent = nullptr);

    // The current variable as written in a text ("[Job.Name]"); empty when a group is current.
    QString currentVariable() const;

public slots:
    // Makes the variable of full name "Group.Name" current; nothing for an unknown name.
    void showVariable(const QString &fullName);
    // The value of the current variable for the current sample job.
    void setVariableValue(const QString &value);

signals:
    void variableChanged(const QString &variable);
    void insertUpdateVariable(const QString &variable);
    // The browser took the selection; the sample jobs view should show its own again.
    void restoreSelection();

private:
    void currentItemChanged(QTreeWidgetItem *current);
    void showDescription(const QTreeWidgetItem *current);

    QTreeWidget *m_tree;
    QLabel *m_description;
    QPushButton *m_insertButton;
};

} // namespace GuiLib
