#pragma once

#include <QList>

class QDialog;
class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QString;
class QWidget;

namespace GuiLib {

// The parts that the value dialogs share, so that they look alike: the word-wrapped prompt at
// the top, the error icon, the sunken separator above the bottom row, and the bottom row with
// its status widgets at the left and "Ok" and "Cancel" at the right.
class DialogRows
{
public:
    DialogRows() = delete;

    static QLabel *promptLabel(const QString &prompt, QWidget *parent);
    // The syntax error icon, hidden until a dialog shows it.
    static QLabel *errorIcon(QWidget *parent);
    static QFrame *separator(QWidget *parent);
    static QHBoxLayout *bottomRow(const QList<QWidget *> &status, QPushButton *ok,
                                  QPushButton *cancel);
    // Centres `dialog` on the application's active window through the application proxy.
    static void centre(QDialog *dialog);
};

} // namespace GuiLib
