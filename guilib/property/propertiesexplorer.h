#pragma once

#include <QTreeView>

namespace GuiLib {

class IProperty;
class PropertiesExplorerDelegate;
class PropertiesExplorerModel;

// The two-column tree ("Property", "Value") in which one property set at a time is read and
// edited: the root's visible properties as top-level rows, their visible dependents below
// them, always fully expanded. Values are edited in place in the value column with the editor
// that each property makes; the name cell of an invalid value is light red.
class PropertiesExplorer : public QTreeView
{
    Q_OBJECT

public:
    explicit PropertiesExplorer(QWidget *parent = nullptr);
    PropertiesExplorer(const PropertiesExplorer &) = delete;
    PropertiesExplorer &operator=(const PropertiesExplorer &) = delete;

    // Shows the set under `root` (not owned); null clears the view. An owner loads another set,
    // or null, before it destroys the one shown. Loading closes an open editor without
    // committing it.
    void loadProperties(IProperty *root);

    PropertiesExplorerModel *propertiesModel() const { return m_model; }
    PropertiesExplorerDelegate *propertiesDelegate() const { return m_delegate; }

protected:
    // Copy, paste and select-all stay with the explorer and its editor instead of the
    // window's menu shortcuts.
    bool event(QEvent *event) override;
    void drawBranches(QPainter *painter, const QRect &rect,
                      const QModelIndex &index) const override;

private:
    PropertiesExplorerModel *m_model;
    PropertiesExplorerDelegate *m_delegate;
};

} // namespace GuiLib
