#pragma once

#include "corelib/values/xmlvalueprocessor.h"

#include <QWidget>

class QListWidget;
class QPushButton;

namespace ScriptingGui {

// One metadata field definition: its texts by the SRCore::XMLKey::MD_... keys.
using MetadataField = SRCore::MetadataFieldDefinition;

// The list of metadata fields by label, with "Add", "Remove", "Move Up" and "Move Down". It
// holds the definitions; the edit panel shows the current one. Before another field becomes
// current, submitField() asks for the edits of the one being left; then showField() (or
// clearField() when none is left) shows the new one.
class MetadataFieldsView : public QWidget
{
    Q_OBJECT

public:
    explicit MetadataFieldsView(QWidget *parent = nullptr);

    void setFields(const QList<MetadataField> &fields);
    // The definitions in list order, with the current field's edits asked for first.
    QList<MetadataField> fields();
    QStringList labels() const;
    // The current field's label; empty when there is none.
    QString currentLabel() const;
    void setReadOnly(bool readOnly);
    // A label for a new field: "Metadata Field " and the smallest free number.
    QString freeLabel() const;

public slots:
    // Renames the current field, keeping its definition.
    void renameCurrent(const QString &label);

signals:
    void submitField(const QString &label, ScriptingGui::MetadataField &field);
    void showField(const ScriptingGui::MetadataField &field);
    void clearField();
    void fieldNameChanged(const QString &label);
    void fieldsChanged();

private:
    void currentRowChanged(int row);
    void addClicked();
    void removeClicked();
    void moveClicked(int step);
    void updateButtons();

    QListWidget *m_list;
    QPushButton *m_addButton;
    QPushButton *m_removeButton;
    QPushButton *m_moveUpButton;
    QPushButton *m_moveDownButton;
    QList<MetadataField> m_fields;
    int m_shownRow = -1;
    bool m_readOnly = false;
};

} // namespace ScriptingGui
