#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace Scripter {
class SearchOptions;
}

namespace Ui {

// The modeless "Replace Text" dialog of a main window; the search controller connects its
// "Replace" and "Replace All" buttons.
class SReplaceText : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(SReplaceText)

public:
    explicit SReplaceText(QWidget *parent = nullptr);

    // Both editable; the texts used so far are their items.
    QComboBox *findCombo() const;
    QComboBox *replaceCombo() const;
    Scripter::SearchOptions *options() const;
    QPushButton *replaceButton() const;
    QPushButton *replaceAllButton() const;
    QPushButton *closeButton() const;

private:
    QComboBox *m_findCombo;
    QComboBox *m_replaceCombo;
    Scripter::SearchOptions *m_options;
    QPushButton *m_replaceButton;
    QPushButton *m_replaceAllButton;
    QPushButton *m_closeButton;
};

} // namespace Ui
