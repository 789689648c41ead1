#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace GuiLib {

// Picks one item from a list. The current value, when it is one of the items, starts as the
// current item; an empty value starts with the first item. "Ok" needs a selected item; a double
// click on an item accepts it.
class SelectFromLibraryDialog : public QDialog
{
    Q_OBJECT

public:
    SelectFromLibraryDialog(QWidget *parent, const QString &title, const QString &prompt,
                            const QStringList &items, const QString &currentValue);

    // The text of the current item; empty when there is none.
    QString currentItem() const;

public slots:
    void itemSelectionChanged();
    void itemDoubleClicked(QListWidgetItem *item);

private:
    QLabel *m_prompt;
    QListWidget *m_list;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};

} // namespace GuiLib
