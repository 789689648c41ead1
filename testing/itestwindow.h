#pragma once

#include "package/ipackagewindow.h"

#include <functional>

class QThread;

namespace Scripter {

class Fixture;

// What a test run needs from the main window it tests, on top of what the package processor
// needs: the language of the current editor tab, the fixture, a way to be disabled and polled
// while the run goes on, and the message pane. The window (a later level) implements it. GUI
// thread only.
class ITestWindow : public IPackageWindow
{
public:
    // XMLValues::JAVASCRIPT, VBSCRIPT or APPLESCRIPT by the current editor tab; empty for none.
    virtual QString currentLanguage() const = 0;
    virtual Fixture *fixture() const = 0;

    // A run of this window has started on `runThread`: while the thread runs the window is
    // disabled but for Abort, polled every 300 ms, shows new messages, and offers to stop the run
    // with `abort` when it is asked to close, waiting a bounded time for the thread to end. When
    // the run is found over, `finished` is called and the window comes back as it was. The
    // thread and the callbacks must stay usable until then.
    virtual void monitorTestRun(QThread *runThread, std::function<void()> abort,
                                std::function<void()> finished) = 0;
    // Shows the messages logged since the message pane looked last.
    virtual void refreshMessages() = 0;
};

} // namespace Scripter
