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

    // The width of the name column: fitted to the names when the explorer is first shown with
    // properties, unless a width was given before; then the user's. 0 until one of these.
    int nameColumnWidth() const;
    // Gives the name column a width remembered from before; a width of 0 or less is ignored.
    void setNameColumnWidth(int width);

    PropertiesExplorerModel *propertiesModel() const { return m_model; }
    PropertiesExplorerDelegate *propertiesDelegate() const { return m_delegate; }

protected:
    // Copy, paste and select-all stay with the explorer and its editor instead of the
    // window's menu shortcuts.
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void drawBranches(QPainter *painter, const QRect &rect,
                      const QModelIndex &index) const override;

private:
    // Fits the name column to the names shown, leaving the value column a third of the view.
    void fitNameColumn();

    PropertiesExplorerModel *m_model;
    PropertiesExplorerDelegate *m_delegate;
    bool m_nameWidthSettled = false;
};

} // namespace GuiLib
