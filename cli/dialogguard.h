#pragma once

#include <QObject>
#include <QStringList>

namespace Scripter {

// Keeps a command-line run from waiting for a user who is not there. The package processor's
// own questions go to CliDialogs; the panels it drives may still open a dialog of their own
// (the declaration refuses an unusable icon with a message box). The guard closes every dialog
// the moment it is shown, as declined, and keeps its text: the tool then treats the operation
// as failed, so that nothing the user did not see gets saved.
//
// Watches the whole application while it exists. GUI thread only.
class DialogGuard : public QObject
{
    Q_OBJECT

public:
    explicit DialogGuard(QObject *parent = nullptr);
    ~DialogGuard() override;

    // The dialogs closed since the last clear(), as "title: text", oldest first.
    QStringList closedDialogs() const { return m_closedDialogs; }
    void clear() { m_closedDialogs.clear(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringList m_closedDialogs;
};

} // namespace Scripter
