#pragma once

#include "metadatafieldsview.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ScriptingGui {

// The definition of one metadata field: label, description, data type (with the items of a
// choice), how its value is calculated (a script expression, a text with variables or a
// condition with variables, each defined in its own dialog), the data format of strings, and
// the default value. changed() follows every edit.
class MetadataFieldsEdit : public QWidget
{
    Q_OBJECT

public:
    // Why a field is not valid.
    enum class Problem {
        None,
        Label,              // empty or used by another field
        Items,              // a choice without items
        CalculatedScript,   // a calculation script that does not compile
        ScriptOrExpression, // a default script or a data format that does not compile
        Format,             // a data format that does not compile or a default that misses it
    };

    explicit MetadataFieldsEdit(QWidget *parent = nullptr);

    // Shows `field`; `otherLabels` are the labels that it may not take.
    void showField(const MetadataField &field, const QStringList &otherLabels);
    void clearField();
    // The definition as edited.
    MetadataField field() const;
    void setReadOnly(bool readOnly);

    // What is wrong with `field`; `otherLabels` are the labels of the other fields.
    static Problem validate(const MetadataField &field, const QStringList &otherLabels);
    // Whether the label being typed may be taken: not empty and not another field's. A label
    // that may not is marked and, when the edit is finished, replaced by the last good one.
    bool validateFieldName();

signals:
    void changed();
    // A finished edit of the label.
    void fieldNameChanged(const QString &label);

private:
    void labelEditFinished();
    void updateVisibility();
    void defineCalculationClicked();
    QString calculationKind() const;
    void updateCalculationSummary();

    QLineEdit *m_label;
    QLineEdit *m_description;
    QComboBox *m_dataType;
    QLabel *m_itemsLabel;
    QLineEdit *m_items;
    QCheckBox *m_defineVariables;
    QComboBox *m_calculation;
    QPushButton *m_defineCalculation;
    QLabel *m_calculationSummary;
    QLabel *m_formatLabel;
    QLineEdit *m_format;
    QCheckBox *m_required;
    QCheckBox *m_defineAsScript;
    QLabel *m_defaultLabel;
    QLineEdit *m_default;
    QCheckBox *m_defaultTrue;
    QCheckBox *m_rememberLast;
    // The calculation text, kept apart from the default value while no calculation is chosen.
    QString m_calculationText;
    QString m_acceptedLabel;
    QStringList m_otherLabels;
    bool m_loading = false;
};

} // namespace ScriptingGui
