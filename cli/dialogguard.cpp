#include "dialogguard.h"

#include "clilogging.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>

namespace Scripter {

DialogGuard::DialogGuard(QObject *parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

DialogGuard::~DialogGuard()
{
    qApp->removeEventFilter(this);
}

bool DialogGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType()) {
        return false;
    }
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (!dialog || !dialog->isWindow()) {
        return false;
    }
    const auto *box = qobject_cast<QMessageBox *>(dialog);
    const QString text = box ? box->text().trimmed() : QString();
    m_closedDialogs.append(text.isEmpty() ? dialog->windowTitle()
                                          : dialog->windowTitle() + QLatin1String(": ") + text);
    qCDebug(lcCli).noquote() << "Closed a dialog nobody can answer:" << m_closedDialogs.last();
    // Declined once its event loop runs; the dialog is never answered by anybody else.
    QTimer::singleShot(0, dialog, &QDialog::reject);
    return false;
}

} // namespace Scripter
