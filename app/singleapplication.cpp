#include "singleapplication.h"

#include "instancechannel.h"

#include <QWidget>

namespace Scripter {

namespace {

// The window that stands for the program when no activation window was chosen: the first
// visible top-level window that is neither a pop-up nor a splash screen.
QWidget *firstTopLevelWindow()
{
    const QWidgetList widgets = QApplication::topLevelWidgets();
    for (QWidget *widget : widgets) {
        const Qt::WindowType type = widget->windowType();
        if (widget->isVisible() && (type == Qt::Window || type == Qt::Dialog)) {
            return widget;
        }
    }
    return nullptr;
}

} // namespace

SingleApplication::SingleApplication(const QString &identifier, int &argc, char **argv)
    : QApplication(argc, argv)
    , m_channel(new InstanceChannel(identifier, this))
{
    connect(m_channel, &InstanceChannel::messageReceived, this, &SingleApplication::handleMessage);
}

SingleApplication::~SingleApplication() = default;

QString SingleApplication::id() const
{
    return m_channel->identifier();
}

bool SingleApplication::isRunning()
{
    return m_channel->isRunning();
}

bool SingleApplication::sendMessage(const QString &message, int timeoutMs, QString *errorMessage)
{
    return m_channel->sendMessage(message, timeoutMs, errorMessage);
}

void SingleApplication::setActivationWindow(QWidget *window, bool activateOnMessage)
{
    m_activationWindow = window;
    m_activateOnMessage = activateOnMessage;
}

QWidget *SingleApplication::activationWindow() const
{
    return m_activationWindow;
}

void SingleApplication::initialize(bool activate)
{
    m_channel->isRunning();
    m_activateOnMessage = activate;
}

void SingleApplication::activateWindow()
{
    QWidget *window = m_activationWindow ? m_activationWindow.data() : firstTopLevelWindow();
    if (!window) {
        return;
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

void SingleApplication::handleMessage(const QString &message)
{
    if (m_activateOnMessage) {
        activateWindow();
    }
    emit messageReceived(message);
}

} // namespace Scripter
