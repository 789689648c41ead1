#pragma once

#include "testing/itestwindow.h"

#include <QFileIconProvider>
#include <QString>
#include <QWidget>

namespace Scripter {

class AppleScriptEditor;
class Fixture;
class JavaScriptEditor;
class VBScriptEditor;

// One script package held without a main window: the program's own declaration and fixture
// panels and language editors, and the state that the package processor keeps in step (paths,
// the alternate-path flag, the modified state). The command-line tool hands it to the package
// processor in place of a main window, so programs, entry point lists, declaration and fixture
// are read and written exactly as in the program, and test runs go through the program's runner. It
// is a widget only because the panels, the editors and the processor need one to hang on; on the
// offscreen platform nobody sees it.
//
// Unlike the main window it keeps no recent packages list and shows no status texts: they go to
// the developer log. GUI thread only.
class HeadlessDocument
    : public QWidget
    , public ITestWindow
{
    Q_OBJECT

public:
    // `log` receives what the program shows in its message pane; not owned, must outlive the
    // document, may be null.
    HeadlessDocument(int number, SRCore::ILogInterface *log, QWidget *parent = nullptr);
    ~HeadlessDocument() override;
    HeadlessDocument(const HeadlessDocument &) = delete;
    HeadlessDocument &operator=(const HeadlessDocument &) = delete;

    // The language whose program a test run runs, as the current editor tab of a main window
    // says; the first language the declaration includes until it is set.
    void setCurrentLanguage(const QString &language) { m_language = language; }
    // Whether a test run that monitorTestRun() was told of is still going on; calls the run's
    // finished callback once when it has ended. False without a run.
    bool pollTestRun();

    // Moves the package to `path` without writing anything, as choosing a file in "Save
    // script package" does before the save writes it there: an archive at `path`, or with
    // `unarchived` the marker file of a package folder (which must be the folder of `path`).
    void relocate(const QString &path, bool unarchived);

    // Why the last loadFixture() failed; empty when it succeeded.
    QString fixtureError() const { return m_fixtureError; }

    // IDocumentWindow
    QWidget *widget() override { return this; }
    Declaration *declaration() const override { return m_declaration; }
    GuiLib::PropertiesExplorer *propertiesExplorer() const override { return m_explorer; }
    void markModified() override;
    int documentNumber() const override { return m_number; }
    QString packageFilePath() const override { return m_filePath; }
    // Where the package is kept, as the main window has it: the folder of an unarchived package,
    // not the temporary copy that is opened.
    QString packageFolder() const override;
    QStringList scriptFunctions(const QString &language) const override;
    void setLanguageIncluded(const QString &language, bool included) override;
    void elementNameChanged(const QString &name) override;
    void elementIconChanged(const QString &iconPath) override;
    void refreshFixtureProperties(bool elementProperties, bool connectionProperties) override;
    void activatePanel(Panel panel) override;
    QStringList libraryForProperty(const QString &tag, bool connectionProperty) override;
    SRCore::ILogInterface *logInterface() const override { return m_log; }
    QFileIconProvider *fileIconProvider() const override { return &m_iconProvider; }

    // IPackageWindow
    QString scriptText(const QString &language) const override;
    void setScriptText(const QString &language, const QString &text) override;
    QString displayPath() const override { return m_displayPath; }
    bool isAlternatePath() const override { return m_alternatePath; }
    void setAlternatePath(bool alternatePath) override { m_alternatePath = alternatePath; }
    bool isUntitled() const override { return m_untitled; }
    void setCurrentFile(const QString &path, bool remember) override;
    void setUnmodified() override;
    void showStatusMessage(const QString &text, int timeout = 0) override;
    bool saveFixture(const QString &path, QString *errorMessage = nullptr) override;
    bool loadFixture(const QString &path) override;

    // ITestWindow
    QString currentLanguage() const override;
    Fixture *fixture() const override { return m_fixture; }
    // Nobody can close the document while it runs, so `abort` is not needed.
    void monitorTestRun(QThread *runThread, std::function<void()> abort,
                        std::function<void()> finished) override;
    // The tool prints the messages as they are logged.
    void refreshMessages() override {}

private:
    void makeUntitled();

    int m_number;
    SRCore::ILogInterface *m_log;
    QString m_filePath;
    QString m_displayPath;
    bool m_alternatePath = false;
    bool m_untitled = true;
    QString m_fixtureError;
    GuiLib::PropertiesExplorer *m_explorer;
    Declaration *m_declaration;
    Fixture *m_fixture;
    JavaScriptEditor *m_javaScriptEditor;
    VBScriptEditor *m_vbScriptEditor;
    AppleScriptEditor *m_appleScriptEditor;
    mutable QFileIconProvider m_iconProvider;
    QString m_language;
    QThread *m_runThread = nullptr; // the runner's, which outlives its runs
    std::function<void()> m_runFinished;
};

} // namespace Scripter
