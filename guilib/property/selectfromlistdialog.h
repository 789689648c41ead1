#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace GuiLib {

// Builds an ordered selection from a list of available items: items move between the
// available list (left) and the chosen list (right), and chosen items are reordered. A chosen
// item stays in the available list, hidden, so that removing it brings it back at its place.
class SelectFromListDialog : public QDialog
{
    Q_OBJECT

public:
    SelectFromListDialog(QWidget *parent, const QString &title, const QString &prompt,
                         const QStringList &available, const QStringList &chosen);

    // The chosen items in their order.
    QStringList chosenItems() const;

public slots:
    void updateButtons();
    void addClicked();
    void removeClicked();
    void removeAllClicked();
    void moveClicked();

private:
    void removeChosen(const QList<int> &rows);
    void setAvailableHidden(const QString &text, bool hidden);

    QLabel *m_prompt;
    QListWidget *m_available;
    QListWidget *m_chosen;
    QPushButton *m_addButton;
    QPushButton *m_removeButton;
    QPushButton *m_removeAllButton;
    QPushButton *m_moveUpButton;
    QPushButton *m_moveDownButton;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};

} // namespace GuiLib
