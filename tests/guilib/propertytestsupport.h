#pragma once

// Helpers shared by the property tests: an owner whose answers the test sets, a property tree
// that reads as tags, an application proxy and a way to answer modal dialogs.

#include "guilib/property/iappproxy.h"
#include "guilib/property/ipropertygroup.h"
#include "guilib/property/ipropertyparent.h"
#include "guilib/property/ivalueeditor.h"
#include "guilib/property/valueeditorfactory.h"
#include "guilib/property/valueeditorrequest.h"

#include "corelib/vocabulary/xmlkey.h"

#include <QApplication>
#include <QMap>
#include <QObject>
#include <QSettings>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

// An owner that refuses the tags listed in `refusals` (tag -> message), answers field
// attributes from `fieldAttributes` (keyed "tag/attribute") and offers the library items of
// `library` (tag -> items).
class TestOwner : public IPropertyParent
{
public:
    QString ownerLabel() const override { return {}; }
    QObject *owner() const override { return nullptr; }
    bool validateProperty(const QString &tag, QString &message) const override
    {
        const auto refusal = refusals.constFind(tag);
        if (refusal == refusals.cend()) {
            return true;
        }
        message = *refusal;
        return false;
    }
    QString objectType() const override { return type; }
    QString fieldAttribute(const QString &fieldTag, const QString &attribute) const override
    {
        return fieldAttributes.value(fieldTag + QLatin1Char('/') + attribute);
    }
    QStringList libraryForProperty(const QString &tag) override { return library.value(tag); }
    QString presetDescription() const override { return preset; }

    QMap<QString, QString> refusals;
    QMap<QString, QString> fieldAttributes;
    QMap<QString, QStringList> library;
    QString type = SRCore::XMLKey::SCRIPTFIXTURE;
    QString preset;
};

// The tags of the children of `group`, all or the visible ones.
inline QStringList childTags(const GuiLib::IPropertyGroup *group, bool visibleOnly)
{
    QStringList tags;
    const int count = group->count(visibleOnly);
    for (int i = 0; i < count; ++i) {
        tags.append(group->child(i, visibleOnly)->tag());
    }
    return tags;
}

// The application side for the editor tests: settings in the test's QSettings store, the
// library's own value editor factory, and a record of the requests it was given.
class TestAppProxy : public GuiLib::IAppProxy
{
public:
    QVariant readSetting(const QString &key, const QVariant &defaultValue) const override
    {
        return QSettings().value(key, defaultValue);
    }
    void writeSetting(const QString &key, const QVariant &value) override
    {
        QSettings().setValue(key, value);
    }
    QString documentationFolder() const override { return {}; }
    QString programFilesFolder() const override { return {}; }
    QString documentsFolder() const override { return {}; }
    void sampleJobs(QMap<QString, QString> &, QString &flowId) const override { flowId.clear(); }
    QStringList jobDatasets(const QString &) const override { return {}; }
    QStringList variableValues(const QStringList &, const QString &, const QString &,
                               const QString &, const QString &, bool) override
    {
        return {};
    }
    void centerOnActiveWindow(QWidget *) const override {}
    QWidget *dialogParent() const override { return nullptr; }
    std::unique_ptr<GuiLib::IValueEditor>
    createValueEditor(const GuiLib::ValueEditorRequest &request, QString *errorMessage) override
    {
        requests.append(request);
        return GuiLib::ValueEditorFactory::create(request, errorMessage);
    }

    QList<GuiLib::ValueEditorRequest> requests;
};

// Hands the next modal dialog of type `Dialog` to `handle` once it shows, from within its
// event loop. Returns a flag that tells afterwards whether it was handled; a dialog that never
// shows leaves it false after the timer gives up.
template<typename Dialog>
std::shared_ptr<bool> handleNextDialog(std::function<void(Dialog *)> handle)
{
    auto handled = std::make_shared<bool>(false);
    auto *timer = new QTimer(qApp);
    auto attempts = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, handle, handled, attempts] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            dialog && dialog->isVisible()) {
            timer->deleteLater();
            timer->stop();
            *handled = true;
            handle(dialog);
        } else if (++*attempts > 500) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
    return handled;
}
