#pragma once

#include "idocumentwindow.h"

#include <QString>

namespace Scripter {

// What the package processor needs from a main window, on top of what its panels need. The
// window (a later level) implements it; the processor never includes the window itself.
//
// The processor does the work of saving and opening: it writes and reads the package members,
// asks for the password and fills the window's declaration (through declaration()), editors and
// fixture. The window only keeps its own state and widgets in step with that. Generic widget
// work goes through widget(): the processor shows, moves, raises and activates the window
// there, and reads its modified state with widget()->isWindowModified().
//
// Every call happens on the GUI thread. The processor owns the windows that its factory made
// (see PackageProcessor).
class IPackageWindow : public IDocumentWindow
{
public:
    // The program text in the editor of `language` (XMLValues::JAVASCRIPT, VBSCRIPT or
    // APPLESCRIPT).
    virtual QString scriptText(const QString &language) const = 0;
    // Replaces the text of that editor with a program read from a package.
    virtual void setScriptText(const QString &language, const QString &text) = 0;

    // packageFilePath() is where the package file lives, with native separators; for an untitled
    // window a generated temporary path.
    //
    // A package opened from its unarchived folder is shown and remembered under its display
    // path, the marker file in that folder; the display path is null otherwise.
    virtual QString displayPath() const = 0;
    // Whether the package came from its unarchived folder: it then shows displayPath(), saves
    // back into that folder and is opened without asking for its password.
    virtual bool isAlternatePath() const = 0;
    QString visiblePath() const override
    {
        return isAlternatePath() ? displayPath() : packageFilePath();
    }
    // Set before setCurrentFile(), which reads it.
    virtual void setAlternatePath(bool alternatePath) = 0;
    // True for a package that was never saved or opened (or whose file is gone).
    virtual bool isUntitled() const = 0;
    // Takes `path` as the package's location and titles the window after it; an empty path or
    // one naming no file makes the window untitled. With `remember` the visible path goes to the
    // front of the recent packages list.
    virtual void setCurrentFile(const QString &path, bool remember) = 0;

    // The window, its editor tabs and their documents no longer show unsaved changes (after a
    // package was saved or loaded).
    virtual void setUnmodified() = 0;
    // Shows `text` on the status bars of the three editors; a `timeout` of 0 keeps it shown.
    virtual void showStatusMessage(const QString &text, int timeout = 0) = 0;

    // The window's fixture written as, or replaced by, the ".tfixture" archive at `path`. A
    // fixture that can't be loaded stays as it was and the reasons go to the message pane.
    virtual bool saveFixture(const QString &path, QString *errorMessage = nullptr) = 0;
    virtual bool loadFixture(const QString &path) = 0;
};

} // namespace Scripter
