#pragma once

#include "metadatafieldsview.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace ScriptingGui {

class MetadataFieldsEdit;

// Edits the metadata fields of a "metadatafieldsedit" value: the list of fields beside the
// definition of the current one. Every field is checked after every change; while one is not
// valid, OK is unavailable and the error label names the invalid fields. The read-only kind
// shows the same definitions without editing.
class MetadataFieldsDialog : public QDialog
{
    Q_OBJECT

public:
    MetadataFieldsDialog(QWidget *parent, const QList<MetadataField> &fields, bool readOnly);

    QList<MetadataField> fields();
    // The labels of the invalid fields, sorted.
    QStringList invalidLabels() const { return m_invalidLabels; }

public slots:
    void updateDialog();

private:
    void submitFieldHandler(const QString &label, ScriptingGui::MetadataField &field);
    void showFieldHandler(const ScriptingGui::MetadataField &field);

    MetadataFieldsView *m_view;
    MetadataFieldsEdit *m_edit;
    QLabel *m_errorIcon;
    QLabel *m_errorText;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
    QStringList m_invalidLabels;
    bool m_scriptExpressionFailed = false;
};

} // namespace ScriptingGui
