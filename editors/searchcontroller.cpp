#include "searchcontroller.h"

#include "editors/scripteditor.h"
#include "editors/searchoptions.h"
#include "editors/sfindtext.h"
#include "editors/sgotoline.h"
#include "editors/sreplacetext.h"

// qseditor.h needs the interpreter's definition before it.
#include "qsa/qsinterpreter.h"

#include "qsa/qseditor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>

namespace Scripter {

namespace {

void showDialog(QDialog *dialog, QWidget *focus)
{
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    focus->setFocus(Qt::ShortcutFocusReason);
}

// Runs `operation` on the editor as what it is: the JavaScript editor's QSEditor and the other
// editors' ScriptEditor offer the same search operations.
template<typename Operation>
void onEditor(QWidget *editor, Operation operation)
{
    if (auto *scriptEditor = qobject_cast<ScriptEditor *>(editor)) {
        operation(scriptEditor);
    } else if (auto *javaScriptEditor = qobject_cast<QSEditor *>(editor)) {
        operation(javaScriptEditor);
    }
}

} // namespace

SearchController::SearchController(EditorProvider currentEditor, QWidget *window)
    : QObject(window)
    , m_currentEditor(std::move(currentEditor))
    , m_window(window)
{
    Q_ASSERT(window);
}

Ui::SFindText *SearchController::findDialog()
{
    if (!m_findDialog) {
        m_findDialog = new Ui::SFindText(m_window);
        connect(m_findDialog->findButton(), &QPushButton::clicked, this,
                &SearchController::searchFind);
    }
    return m_findDialog;
}

Ui::SReplaceText *SearchController::replaceDialog()
{
    if (!m_replaceDialog) {
        m_replaceDialog = new Ui::SReplaceText(m_window);
        connect(m_replaceDialog->replaceButton(), &QPushButton::clicked, this,
                &SearchController::searchReplace);
        connect(m_replaceDialog->replaceAllButton(), &QPushButton::clicked, this,
                &SearchController::searchReplaceAll);
    }
    return m_replaceDialog;
}

Ui::SGotoLine *SearchController::gotoLineDialog()
{
    if (!m_gotoLineDialog) {
        m_gotoLineDialog = new Ui::SGotoLine(m_window);
        connect(m_gotoLineDialog->gotoButton(), &QPushButton::clicked, this,
                &SearchController::searchGotoLine);
    }
    return m_gotoLineDialog;
}

void SearchController::showFindDlg()
{
    showDialog(findDialog(), findDialog()->findCombo());
    findDialog()->findCombo()->lineEdit()->selectAll();
}

void SearchController::showReplaceDlg()
{
    showDialog(replaceDialog(), replaceDialog()->findCombo());
    replaceDialog()->findCombo()->lineEdit()->selectAll();
}

void SearchController::showGotoLineDlg()
{
    showDialog(gotoLineDialog(), gotoLineDialog()->lineSpinBox());
    gotoLineDialog()->lineSpinBox()->selectAll();
}

void SearchController::searchFind()
{
    QComboBox *combo = findDialog()->findCombo();
    const QString text = combo->currentText();
    if (text.isEmpty()) {
        showFindDlg();
        return;
    }
    QWidget *editor = m_currentEditor();
    if (!editor) {
        return;
    }
    if (combo->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) {
        combo->addItem(text);
    }
    const SearchOptions *options = findDialog()->options();
    onEditor(editor, [&](auto *searchable) {
        const auto find = [&](bool startAtCursor) {
            return searchable->find(text, options->caseSensitive(), options->wholeWords(),
                                    options->forward(), startAtCursor);
        };
        // The status bar says why the selection stays, or that the search went round.
        QString outcome;
        if (!find(options->startAtCursor())) {
            outcome = tr("No more matches");
            if (options->startAtCursor() && options->wrapAround() && find(false)) {
                outcome = options->forward() ? tr("Continued from the start of the text")
                                             : tr("Continued from the end of the text");
            }
        }
        if (outcome.isEmpty()) {
            searchable->statusBar()->clearMessage();
        } else {
            searchable->statusBar()->showMessage(outcome);
        }
    });
}

void SearchController::searchFindNext()
{
    findDialog()->options()->forwardButton()->setChecked(true);
    searchFind();
}

void SearchController::searchFindPrev()
{
    findDialog()->options()->backwardButton()->setChecked(true);
    searchFind();
}

void SearchController::searchReplace()
{
    replace(false);
}

void SearchController::searchReplaceAll()
{
    replace(true);
}

void SearchController::replace(bool replaceAll)
{
    QWidget *editor = m_currentEditor();
    if (!editor) {
        return;
    }
    QComboBox *findCombo = replaceDialog()->findCombo();
    QComboBox *replaceCombo = replaceDialog()->replaceCombo();
    const QString text = findCombo->currentText();
    const QString replacement = replaceCombo->currentText();
    findCombo->addItem(text);
    replaceCombo->addItem(replacement);

    const SearchOptions *options = replaceDialog()->options();
    onEditor(editor, [&](auto *searchable) {
        searchable->replace(text, replacement, options->caseSensitive(), options->wholeWords(),
                            options->forward(), options->startAtCursor(), replaceAll);
    });
}

void SearchController::searchGotoLine()
{
    QWidget *editor = m_currentEditor();
    if (!editor) {
        return;
    }
    gotoLineDialog()->hide();
    editor->setFocus();
    const int line = gotoLineDialog()->lineSpinBox()->value();
    onEditor(editor, [line](auto *searchable) { searchable->gotoLine(line); });
}

} // namespace Scripter
