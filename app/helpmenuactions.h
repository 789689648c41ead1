#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QAction;
class QMenu;
class QWidget;

namespace Scripter {

// The "&Help" menu that every main window shows: "&About %1" with the program's name, version
// and purpose, and "&Documentation", which opens the documentation folder installed beside the
// program. The documentation entry is offered only while that folder exists, so that no entry
// leads nowhere. One menu serves all windows; it is not owned by any of them.
class HelpMenuActions : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpMenuActions)

public:
    explicit HelpMenuActions(QObject *parent = nullptr);
    ~HelpMenuActions() override;

    QMenu *menu() const { return m_menu.get(); }
    QAction *aboutAction() const { return m_aboutAction; }
    QAction *documentationAction() const { return m_documentationAction; }

    // The folder of the documentation pages: "docs" in the program's folder (the build tree
    // links it there), or the installed "share/doc/tavrixscripter" beside the program's "bin".
    // Empty when neither exists. `applicationFolder` empty means the running program's.
    static QString documentationFolder(const QString &applicationFolder = QString());

    // The text of the about box: name, version and what the program is for.
    static QString aboutText();

public slots:
    // Shows the documentation entry exactly when the folder is there.
    void updateActions();
    void showAbout();
    void openDocumentation();

private:
    // The window that the about box and error boxes belong to.
    static QWidget *dialogParent();

    std::unique_ptr<QMenu> m_menu;
    QAction *m_aboutAction;
    QAction *m_documentationAction;
};

} // namespace Scripter
