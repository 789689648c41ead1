#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace Scripter {
class SearchOptions;
}

namespace Ui {

// The modeless "Find Text" dialog of a main window. It only collects the search; the search
// controller connects its "Find" button and runs the search on the current editor.
class SFindText : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(SFindText)

public:
    explicit SFindText(QWidget *parent = nullptr);

    // Editable; the texts searched for so far are its items.
    QComboBox *findCombo() const;
    Scripter::SearchOptions *options() const;
    QPushButton *findButton() const;
    QPushButton *closeButton() const;

private:
    QComboBox *m_findCombo;
    Scripter::SearchOptions *m_options;
    QPushButton *m_findButton;
    QPushButton *m_closeButton;
};

} // namespace Ui
