#pragma once

#include <QString>

class QWidget;

namespace Scripter {

// The questions and refusals of opening and saving packages. The program answers them with message
// boxes and the password dialog (the processor's default); a tool without a desktop answers from
// its command line instead. `parent` is the window the dialog belongs to and may be null. Every
// call happens on the GUI thread.
class IPackageDialogs
{
public:
    virtual ~IPackageDialogs() = default;

    // Asks whether to save a package whose program has syntax errors; true to save all the same.
    virtual bool confirmSave(QWidget *parent, const QString &question) = 0;
    // Asks for the password of a protected package. False when the user declines.
    virtual bool askPassword(QWidget *parent, QString *password) = 0;
    // Tells the user why an operation was refused.
    virtual void warning(QWidget *parent, const QString &title, const QString &text) = 0;
};

} // namespace Scripter
