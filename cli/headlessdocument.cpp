#include "headlessdocument.h"

#include "clilogging.h"
#include "scriptlanguages.h"

#include "editors/applescripteditor.h"
#include "editors/javascripteditor.h"
#include "editors/vbscripteditor.h"
#include "package/declaration.h"
#include "testing/fixture.h"
#include "testing/fixturearchive.h"

#include "guilib/property/propertiesexplorer.h"

#include "corelib/files/filehandler.h"
#include "corelib/flow/flow.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace Scripter {

namespace XMLValues = SRCore::XMLValues;

HeadlessDocument::HeadlessDocument(int number, SRCore::ILogInterface *log, QWidget *parent)
    : QWidget(parent)
    , m_number(number)
    , m_log(log)
    , m_explorer(new GuiLib::PropertiesExplorer(this))
    , m_declaration(nullptr)
    , m_fixture(nullptr)
    , m_javaScriptEditor(new JavaScriptEditor(this))
    , m_vbScriptEditor(new VBScriptEditor(log, this))
    , m_appleScriptEditor(new AppleScriptEditor(this))
{
    // setWindowModified() wants the placeholder, as in a main window's title.
    setWindowTitle(QStringLiteral("TavrixScript%1[*]").arg(number));
    makeUntitled();
    // The declaration tells the fixture about its name and definitions, so it comes first and
    // must find no fixture while it is made.
    m_declaration = new Declaration(this, this);
    m_fixture = new Fixture(this, this);
}

HeadlessDocument::~HeadlessDocument()
{
    // The panels let go of the explorer while they are destroyed.
    delete m_fixture;
    m_fixture = nullptr;
    delete m_declaration;
    m_declaration = nullptr;
}

void HeadlessDocument::relocate(const QString &path, bool unarchived)
{
    const QString nativePath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    m_untitled = false;
    m_alternatePath = unarchived;
    if (unarchived) {
        m_displayPath = nativePath;
    } else {
        m_filePath = nativePath;
        m_displayPath.clear();
    }
}

void HeadlessDocument::makeUntitled()
{
    m_untitled = true;
    m_filePath = SRCore::FileHandler::getTempFilePath(QStringLiteral("TavrixScript"),
                                                      QStringLiteral(".tscript"));
}

void HeadlessDocument::markModified()
{
    setWindowModified(true);
}

QStringList HeadlessDocument::scriptFunctions(const QString &language) const
{
    if (language == XMLValues::JAVASCRIPT) {
        return m_javaScriptEditor->functions();
    }
    if (language == XMLValues::VBSCRIPT) {
        return m_vbScriptEditor->functions();
    }
    if (language == XMLValues::APPLESCRIPT) {
        return m_appleScriptEditor->functions();
    }
    return {};
}

void HeadlessDocument::setLanguageIncluded(const QString &language, bool included)
{
    // No editor tabs to show or hide; the declaration itself says which languages are in.
    Q_UNUSED(language)
    Q_UNUSED(included)
}

void HeadlessDocument::elementNameChanged(const QString &name)
{
    if (m_fixture) {
        m_fixture->setBasicItemText(name);
    }
}

void HeadlessDocument::elementIconChanged(const QString &iconPath)
{
    if (m_fixture) {
        m_fixture->setBasicItemIcon(iconPath);
    }
}

void HeadlessDocument::refreshFixtureProperties(bool elementProperties, bool connectionProperties)
{
    if (m_fixture && elementProperties) {
        m_fixture->refreshBasicProperties();
    }
    if (m_fixture && connectionProperties) {
        m_fixture->refreshConnectionProperties();
    }
}

void HeadlessDocument::activatePanel(Panel panel)
{
    if (m_declaration) {
        m_declaration->updatePreview(panel == Panel::Declaration);
    }
    if (m_fixture) {
        m_fixture->updatePreview(panel == Panel::Fixture);
    }
}

QStringList HeadlessDocument::libraryForProperty(const QString &tag, bool connectionProperty)
{
    // Running the script's library entry point needs a test run, which the tool does not do.
    Q_UNUSED(tag)
    Q_UNUSED(connectionProperty)
    return {};
}

QString HeadlessDocument::scriptText(const QString &language) const
{
    if (language == XMLValues::JAVASCRIPT) {
        return m_javaScriptEditor->text();
    }
    if (language == XMLValues::VBSCRIPT) {
        return m_vbScriptEditor->text();
    }
    if (language == XMLValues::APPLESCRIPT) {
        return m_appleScriptEditor->text();
    }
    return QString();
}

void HeadlessDocument::setScriptText(const QString &language, const QString &text)
{
    if (language == XMLValues::JAVASCRIPT) {
        m_javaScriptEditor->setText(text);
    } else if (language == XMLValues::VBSCRIPT) {
        m_vbScriptEditor->setText(text);
    } else if (language == XMLValues::APPLESCRIPT) {
        m_appleScriptEditor->setText(text);
    }
}

void HeadlessDocument::setCurrentFile(const QString &path, bool remember)
{
    // No recent packages list: the tool must not change the program's.
    Q_UNUSED(remember)
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        makeUntitled();
        return;
    }
    relocate(path, m_alternatePath);
}

void HeadlessDocument::setUnmodified()
{
    setWindowModified(false);
}

void HeadlessDocument::showStatusMessage(const QString &text, int timeout)
{
    Q_UNUSED(timeout)
    if (!text.isEmpty()) {
        qCDebug(lcCli).noquote() << text;
    }
}

bool HeadlessDocument::saveFixture(const QString &path, QString *errorMessage)
{
    return m_fixture->saveToFile(path, errorMessage);
}

bool HeadlessDocument::loadFixture(const QString &path)
{
    m_fixtureError.clear();
    if (m_fixture->loadFromFile(path)) {
        return true;
    }
    // The fixture tells the message pane only that it failed; the archive knows why.
    FixtureArchive::Content content;
    if (FixtureArchive::read(path, content, nullptr, &m_fixtureError) || m_fixtureError.isEmpty()) {
        m_fixtureError = tr("the fixture can't be read");
    }
    return false;
}

} // namespace Scripter

namespace Scripter {

QString HeadlessDocument::packageFolder() const
{
    const QString path = visiblePath();
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

QString HeadlessDocument::currentLanguage() const
{
    if (!m_language.isEmpty()) {
        return m_language;
    }
    const QList<ScriptLanguages::Language> languages = ScriptLanguages::included(*m_declaration);
    return languages.isEmpty() ? QString() : languages.constFirst().name;
}

void HeadlessDocument::monitorTestRun(QThread *runThread, std::function<void()> abort,
                                      std::function<void()> finished)
{
    Q_UNUSED(abort)
    m_runThread = runThread;
    m_runFinished = std::move(finished);
}

bool HeadlessDocument::pollTestRun()
{
    if (!m_runThread) {
        return false;
    }
    if (m_runThread->isRunning()) {
        return true;
    }
    const std::function<void()> finished = std::move(m_runFinished);
    m_runThread = nullptr;
    if (finished) {
        finished();
    }
    return false;
}

} // namespace Scripter
