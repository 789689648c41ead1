#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace Ui {
class SFindText;
class SGotoLine;
class SReplaceText;
} // namespace Ui

namespace Scripter {

// The find, replace and go-to-line dialogs of one main window and the search commands on the
// editor of its current tab. The window owns the controller and forwards its search slots here.
class SearchController : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(SearchController)

public:
    // Returns the editor of the current tab (a JavaScript editor or a ScriptEditor), or null
    // when there is none.
    using EditorProvider = std::function<QWidget *()>;

    // The dialogs become children of `window`, which must not be null, and live as long as it.
    // Each is made when it is first needed, so that a window opens without them.
    SearchController(EditorProvider currentEditor, QWidget *window);

    Ui::SFindText *findDialog();
    Ui::SReplaceText *replaceDialog();
    Ui::SGotoLine *gotoLineDialog();

public slots:
    void showFindDlg();
    void showReplaceDlg();
    void showGotoLineDlg();
    void searchFind();
    void searchFindNext();
    void searchFindPrev();
    void searchReplace();
    void searchReplaceAll();
    void searchGotoLine();

private:
    void replace(bool replaceAll);

    EditorProvider m_currentEditor;
    QWidget *m_window;
    Ui::SFindText *m_findDialog = nullptr;
    Ui::SReplaceText *m_replaceDialog = nullptr;
    Ui::SGotoLine *m_gotoLineDialog = nullptr;
};

} // namespace Scripter
