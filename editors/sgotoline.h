#pragma once

#include <QDialog>

class QPushButton;
class QSpinBox;

namespace Ui {

// The modeless "Goto Line" dialog of a main window; the search controller connects its "Goto"
// button.
class SGotoLine : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(SGotoLine)

public:
    explicit SGotoLine(QWidget *parent = nullptr);

    // 0 to 9999, initially 1.
    QSpinBox *lineSpinBox() const;
    QPushButton *gotoButton() const;
    QPushButton *closeButton() const;

private:
    QSpinBox *m_lineSpinBox;
    QPushButton *m_gotoButton;
    QPushButton *m_closeButton;
};

} // namespace Ui
