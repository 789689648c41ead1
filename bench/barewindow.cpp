// The start-up benchmark's baseline: a bare Qt main window of the program's minimum size that
// answers over the single-instance channel as the program does, in a process of its own that
// loads only the libraries it needs. Its one argument names the channel.

#include "app/instancechannel.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    Scripter::InstanceChannel channel(QApplication::arguments().value(1));
    if (channel.isRunning()) {
        return 1;
    }
    QMainWindow window;
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
