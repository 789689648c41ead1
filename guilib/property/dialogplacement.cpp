#include "dialogplacement.h"

#include "iappproxy.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPoint>
#include <QScreen>
#include <QSize>
#include <QWidget>

namespace GuiLib {

namespace {

QString settingsKey(const QString &name, const char *suffix)
{
    return QStringLiteral("Editors/") + (name.isEmpty() ? QStringLiteral("Generic") : name)
           + QLatin1String(suffix);
}

} // namespace

void DialogPlacement::restore(QWidget *dialog, const QString &name)
{
    const IAppProxy *proxy = IAppProxy::instance();
    if (!proxy) {
        return;
    }
    const QSize size = proxy->readSetting(settingsKey(name, "_Size"), QVariant()).toSize();
    if (size.isValid()) {
        dialog->resize(size.expandedTo(dialog->minimumSize()));
    }
    const QVariant position = proxy->readSetting(settingsKey(name, "_Pos"), QVariant());
    if (position.isValid() && QGuiApplication::screenAt(position.toPoint())) {
        dialog->move(position.toPoint());
    }
}

void DialogPlacement::save(const QWidget *dialog, const QString &name)
{
    if (IAppProxy *proxy = IAppProxy::instance()) {
        proxy->writeSetting(settingsKey(name, "_Size"), dialog->size());
        proxy->writeSetting(settingsKey(name, "_Pos"), dialog->pos());
    }
}

bool DialogPlacement::run(QDialog *dialog, const QString &name)
{
    restore(dialog, name);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    save(dialog, name);
    return accepted;
}

} // namespace GuiLib
