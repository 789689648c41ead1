#pragma once

#include <QFileInfo>
#include <QString>
#include <QStringList>

class QFileIconProvider;
class QWidget;

namespace GuiLib {
class PropertiesExplorer;
}

namespace SRCore {
class ILogInterface;
}

namespace Scripter {

class Declaration;

// What the declaration and the fixture panels need from the main window that holds them. The
// window (a later level) implements it; the panels never include the window itself. Every call
// happens on the GUI thread. Pointers handed out stay owned by the window.
class IDocumentWindow
{
public:
    // The two panels that share the window's properties explorer; one of them is active.
    enum class Panel { Declaration, Fixture };

    virtual ~IDocumentWindow() = default;

    // The window as the parent of message boxes and dialogs.
    virtual QWidget *widget() = 0;
    virtual Declaration *declaration() const = 0;
    virtual GuiLib::PropertiesExplorer *propertiesExplorer() const = 0;

    // The package has unsaved changes (the window's setWindowModified(true)).
    virtual void markModified() = 0;
    // The number of the window: "TavrixScript" + number, "FixtureTest" + two digits.
    virtual int documentNumber() const = 0;
    virtual QString packageFilePath() const = 0;
    // Where the user sees and keeps the package; jobs named by relative paths lie beside it.
    virtual QString visiblePath() const { return packageFilePath(); }
    // The folder in which the package and its fixture are kept, where the fixture's relative
    // job paths are taken; empty for a window without a package path.
    virtual QString packageFolder() const
    {
        const QString path = packageFilePath();
        return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
    }

    // The entry functions that the editor of `language` (XMLValues::JAVASCRIPT, VBSCRIPT or
    // APPLESCRIPT) finds in its program, written into the declaration.
    virtual QStringList scriptFunctions(const QString &language) const = 0;
    // Shows (enables) or hides (disables) the editor tab of `language`.
    virtual void setLanguageIncluded(const QString &language, bool included) = 0;

    // The element's name or icon changed: the window title and the fixture's basic item follow.
    // An empty icon path stands for the default icon.
    virtual void elementNameChanged(const QString &name) = 0;
    virtual void elementIconChanged(const QString &iconPath) = 0;

    // The declaration's property definitions changed: the fixture rebuilds the property sets of
    // the affected kind, keeping the values already entered.
    virtual void refreshFixtureProperties(bool elementProperties, bool connectionProperties) = 0;

    // `panel` got the focus: it becomes the active one and the other is shown inactive (the
    // window calls both panels' updatePreview(bool)).
    virtual void activatePanel(Panel panel) = 0;

    // The choices of a property whose editor selects from a library; the script's library entry
    // point supplies them. Empty when there are none.
    virtual QStringList libraryForProperty(const QString &tag, bool connectionProperty) = 0;

    // Where declaration and fixture messages go (the message pane).
    virtual SRCore::ILogInterface *logInterface() const = 0;
    // The shared source of file icons.
    virtual QFileIconProvider *fileIconProvider() const = 0;
};

} // namespace Scripter
