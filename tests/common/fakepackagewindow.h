#pragma once

// A main window as the declaration, the fixture and the package processor see it: the real
// declaration and fixture panels sharing a properties explorer, the script editors reduced to
// their texts, and records of every call the panels and the processor make.

#include "common/recordinglog.h"

#include "package/declaration.h"
#include "package/ipackagewindow.h"

#include "testing/fixture.h"

#include "guilib/property/propertiesexplorer.h"

#include "corelib/files/filehandler.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QWidget>

class FakePackageWindow
    : public QWidget
    , public Scripter::IPackageWindow
{
public:
    explicit FakePackageWindow(int number = 7)
        : m_number(number)
        , m_filePath(untitledPath())
    {
        setWindowTitle(QStringLiteral("Fake window[*]"));
        m_explorer = new GuiLib::PropertiesExplorer(this);
        m_declaration = new Scripter::Declaration(this, this);
        m_fixture = new Scripter::Fixture(this, this);
        texts.insert(SRCore::XMLValues::JAVASCRIPT,
                     QStringLiteral("// Ümlaut and € survive as UTF-8\n"
                                    "function jobArrived( s : Tavrix, job : Job )\n{\n}\n\n"
                                    "function timerFired( s : Tavrix )\n{\n}\n"));
        texts.insert(SRCore::XMLValues::VBSCRIPT,
                     QStringLiteral("Function jobArrived(s, job)\nEnd Function\n"));
        texts.insert(SRCore::XMLValues::APPLESCRIPT,
                     QStringLiteral("on jobarrived(s, j)\nend jobarrived\n"));
    }
    ~FakePackageWindow() override
    {
        // The panels leave the explorer before it goes.
        delete m_fixture;
        m_fixture = nullptr;
        delete m_declaration;
        m_declaration = nullptr;
    }

    Scripter::Fixture *fixture() const { return m_fixture; }
    // The visible path, as the window's title and recent list show it.
    QString shownPath() const { return m_alternatePath ? m_displayPath : m_filePath; }

    QWidget *widget() override { return this; }
    Scripter::Declaration *declaration() const override { return m_declaration; }
    GuiLib::PropertiesExplorer *propertiesExplorer() const override { return m_explorer; }
    void markModified() override
    {
        ++modifiedCount;
        setWindowModified(true);
    }
    int documentNumber() const override { return m_number; }
    QString packageFilePath() const override { return m_filePath; }
    // The functions that the texts define, as the editors find them.
    QStringList scriptFunctions(const QString &language) const override
    {
        static const QRegularExpression definition(
            QStringLiteral("^\\s*(?:function|Function|on)\\s+(\\w+)"),
            QRegularExpression::MultilineOption);
        QStringList names;
        for (auto it = definition.globalMatch(texts.value(language)); it.hasNext();) {
            names << it.next().captured(1);
        }
        return names;
    }
    void setLanguageIncluded(const QString &language, bool included) override
    {
        languages.insert(language, included);
    }
    void elementNameChanged(const QString &name) override
    {
        names << name;
        if (m_fixture) {
            m_fixture->setBasicItemText(name);
        }
    }
    void elementIconChanged(const QString &iconPath) override
    {
        icons << iconPath;
        if (m_fixture) {
            m_fixture->setBasicItemIcon(iconPath);
        }
    }
    // Recorded as "E", "C" or "EC" for element and connection properties.
    void refreshFixtureProperties(bool elementProperties, bool connectionProperties) override
    {
        refreshes << QString::fromLatin1(elementProperties ? "E" : "")
                         + QString::fromLatin1(connectionProperties ? "C" : "");
        if (m_fixture && elementProperties) {
            m_fixture->refreshBasicProperties();
        }
        if (m_fixture && connectionProperties) {
            m_fixture->refreshConnectionProperties();
        }
    }
    void activatePanel(Panel panel) override
    {
        activations << panel;
        m_declaration->updatePreview(panel == Panel::Declaration);
        m_fixture->updatePreview(panel == Panel::Fixture);
    }
    // Recorded as "tag@element" or "tag@connection"; answered with `library`.
    QStringList libraryForProperty(const QString &tag, bool connectionProperty) override
    {
        libraryRequests << tag
                               + (connectionProperty ? QStringLiteral("@connection")
                                                     : QStringLiteral("@element"));
        return library;
    }
    SRCore::ILogInterface *logInterface() const override { return &log; }
    QFileIconProvider *fileIconProvider() const override { return &m_iconProvider; }

    QString scriptText(const QString &language) const override { return texts.value(language); }
    void setScriptText(const QString &language, const QString &text) override
    {
        texts.insert(language, text);
    }
    QString displayPath() const override { return m_displayPath; }
    bool isAlternatePath() const override { return m_alternatePath; }
    void setAlternatePath(bool alternatePath) override { m_alternatePath = alternatePath; }
    bool isUntitled() const override { return m_untitled; }
    // As the main window does it: an unusable path makes the window untitled.
    void setCurrentFile(const QString &path, bool remember) override
    {
        if (path.isEmpty() || !QFileInfo(path).isFile()) {
            m_untitled = true;
            m_filePath = untitledPath();
        } else {
            m_untitled = false;
            if (m_alternatePath) {
                m_displayPath = path;
            } else {
                m_filePath = path;
                m_displayPath.clear();
            }
        }
        if (remember) {
            recentPackages.prepend(shownPath());
        }
    }
    void setUnmodified() override { setWindowModified(false); }
    void showStatusMessage(const QString &text, int) override { statusMessages << text; }
    bool saveFixture(const QString &path, QString *errorMessage) override
    {
        return m_fixture->saveToFile(path, errorMessage);
    }
    bool loadFixture(const QString &path) override
    {
        fixtureLoads << path;
        return m_fixture->loadFromFile(path);
    }

    QHash<QString, QString> texts; // language → program
    QStringList library;
    mutable RecordingLog log;
    int modifiedCount = 0;
    QHash<QString, bool> languages; // language → its editor shown
    QStringList names;
    QStringList icons;
    QStringList refreshes;
    QList<Panel> activations;
    QStringList libraryRequests;
    QStringList statusMessages;
    QStringList recentPackages;
    QStringList fixtureLoads;

private:
    static QString untitledPath()
    {
        return SRCore::FileHandler::getTempFilePath(QStringLiteral("TavrixScript"),
                                                    QStringLiteral(".tscript"));
    }

    int m_number;
    QString m_filePath;
    QString m_displayPath;
    bool m_alternatePath = false;
    bool m_untitled = true;
    GuiLib::PropertiesExplorer *m_explorer;
    Scripter::Declaration *m_declaration = nullptr;
    Scripter::Fixture *m_fixture = nullptr;
    mutable QFileIconProvider m_iconProvider;
};
