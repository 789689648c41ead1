#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace GuiLib {

// Value dialogs open with the size and position they had when last closed, kept in the
// application's settings (IAppProxy) under "Editors/<name>_Size" and "Editors/<name>_Pos".
// A dialog without a name is "Generic". Without an application proxy nothing is kept.
class DialogPlacement
{
public:
    DialogPlacement() = delete;

    // Call before showing `dialog`. A stored position on no screen is not used, so that a
    // dialog never opens out of reach after a change of screens.
    static void restore(QWidget *dialog, const QString &name);
    // Call after `dialog` closed.
    static void save(const QWidget *dialog, const QString &name);
    // Restores the placement, runs `dialog` modally and saves the placement; true when the
    // dialog was accepted.
    static bool run(QDialog *dialog, const QString &name);
};

} // namespace GuiLib
