#pragma once

// A main window stand-in for the declaration tests: it owns a properties explorer and the
// declaration panel and records every call the panel makes.

#include "package/declaration.h"
#include "package/idocumentwindow.h"

#include "guilib/property/propertiesexplorer.h"

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QHash>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

class RecordingLog : public SRCore::ILogInterface
{
public:
    void log(const SRCore::LogRecord &record, int flags = NoFlags) override
    {
        Q_UNUSED(flags)
        records.append(record);
    }

    // "text|argument" of every message, in order.
    QStringList messages() const
    {
        QStringList result;
        for (const SRCore::LogRecord &record : records) {
            result.append(record.operation + QLatin1Char('|') + record.argument);
        }
        return result;
    }

    QList<SRCore::LogRecord> records;
};

class FakeDocumentWindow
    : public QWidget
    , public Scripter::IDocumentWindow
{
public:
    FakeDocumentWindow()
    {
        explorer = new GuiLib::PropertiesExplorer(this);
        panel = new Scripter::Declaration(this, this);
    }

    QWidget *widget() override { return this; }
    Scripter::Declaration *declaration() const override { return panel; }
    GuiLib::PropertiesExplorer *propertiesExplorer() const override { return explorer; }
    void markModified() override { ++modifiedCount; }
    int documentNumber() const override { return 7; }
    QString packageFilePath() const override { return QStringLiteral("/tmp/Sample.tscript"); }
    QStringList scriptFunctions(const QString &language) const override
    {
        return functions.value(language);
    }
    void setLanguageIncluded(const QString &language, bool included) override
    {
        languages.append(language + (included ? QStringLiteral("=on") : QStringLiteral("=off")));
    }
    void elementNameChanged(const QString &name) override { names.append(name); }
    void elementIconChanged(const QString &iconPath) override { icons.append(iconPath); }
    void refreshFixtureProperties(bool elementProperties, bool connectionProperties) override
    {
        refreshes.append(QString::fromLatin1(elementProperties ? "E" : "")
                         + QString::fromLatin1(connectionProperties ? "C" : ""));
    }
    void activatePanel(Panel panelToActivate) override
    {
        activations.append(panelToActivate);
        panel->updatePreview(panelToActivate == Panel::Declaration);
    }
    QStringList libraryForProperty(const QString &tag, bool connectionProperty) override
    {
        libraryRequests.append(
            tag
            + (connectionProperty ? QStringLiteral("@connection") : QStringLiteral("@element")));
        return {};
    }
    SRCore::ILogInterface *logInterface() const override { return &log; }
    QFileIconProvider *fileIconProvider() const override { return &iconProvider; }

    GuiLib::PropertiesExplorer *explorer = nullptr;
    Scripter::Declaration *panel = nullptr;
    mutable RecordingLog log;
    mutable QFileIconProvider iconProvider;
    QHash<QString, QStringList> functions;
    int modifiedCount = 0;
    QStringList languages;
    QStringList names;
    QStringList icons;
    QStringList refreshes;
    QList<Panel> activations;
    QStringList libraryRequests;
};

// Closes the modal message boxes that come up while it lives, counts them and records the
// title and text of the last one, so that a test proves what the user was shown. Create it
// before the action that opens the box.
class MessageBoxCloser : public QObject
{
public:
    MessageBoxCloser()
    {
        QTimer::singleShot(0, this, [this] { poll(); });
    }

    QString title;
    QString text;
    int count = 0;

private:
    void poll()
    {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            box && box->isVisible()) {
            title = box->windowTitle();
            text = box->text();
            ++count;
            box->close();
        }
        if (++m_tries < 200) {
            QTimer::singleShot(10, this, [this] { poll(); });
        }
    }

    int m_tries = 0;
};
