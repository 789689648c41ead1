#pragma once

#include <QComboBox>
#include <QList>
#include <QTimer>

class QAction;
class QMenu;
class QStandardItemModel;

namespace Scripter {

class EntryPointItem;
class ITestWindow;

// The entry point chooser of the test tool bar, and the entry point actions of the Test menu,
// both made from the entry point table (":/Property/xml_EntryPoints.xml"). An entry point is
// offered when the script of the current editor defines its function (the script expression
// always is) and, for one that works on a job or an outgoing connection, when the fixture has
// one to use. Availability follows the script with a delay (an update is pending after an edit
// and made by a 1000 ms timer) and the fixture at once. AppleScript runs nothing here: with an
// AppleScript tab every entry point is off. The chooser's tool tip says what the chosen entry
// point still needs.
//
// GUI thread only; `window` must outlive the combo.
class EntryPointsCombo : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EntryPointsCombo)

public:
    static constexpr int kAvailabilityIntervalMs = 1000;

    explicit EntryPointsCombo(ITestWindow *window, QWidget *parent = nullptr);
    ~EntryPointsCombo() override;

    // Reads the table: one row and one action of `menu` per entry point, a separator after
    // each group. Called once.
    void populate(QMenu *menu);
    // The action that runs the chosen entry point; it follows the current row.
    void setRunAction(QAction *action);
    QList<QAction *> entryPointActions() const;
    // The number of the current row; EntryPoints::Count without one.
    int currentEntryPoint() const;
    EntryPointItem *item(int row) const;
    bool isUpdatePending() const { return m_updatePending; }

public slots:
    // Whether entry points may be offered at all (not while the fixture pane is hidden or a
    // test runs); true re-evaluates them at once.
    void setEnabledActions(bool enable);
    void currentItemChanged(int index);
    // Re-evaluates when an update is pending or `ensureUpdate` is set.
    void updateAvailability(bool ensureUpdate);
    void updateAvailability();
    // The script changed: an update is pending for the next tick of the timer.
    void setUpdateItemEnabled();

private:
    bool isAppleScript() const;
    void disableAll();
    // Whether the fixture has what the row's entry point works on.
    bool hasTarget(const EntryPointItem *item) const;
    // What the user must do before the current entry point can run; else its own tool tip.
    QString hint() const;

    ITestWindow *m_window;
    QStandardItemModel *m_model;
    QAction *m_runAction = nullptr;
    QTimer m_availabilityTimer;
    bool m_updatePending = true;
    bool m_actionsEnabled = true;
    bool m_hasJob = false;
    bool m_hasConnection = false;
};

} // namespace Scripter
