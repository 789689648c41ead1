#pragma once

#include <QDialog>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace Scripter {

// Changes the look of the whole application while the program runs: the widget style and the
// application's style sheet, chosen among the built-in sheets (":/StyleSheets/<name>.qss") and
// edited freely. Nothing is stored; a change lasts until the program ends. Opening the editor
// applies the "Tavrix" sheet.
class StyleSheetEditor : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StyleSheetEditor)

public:
    explicit StyleSheetEditor(QWidget *parent = nullptr);

public slots:
    void styleComboActivated(const QString &styleName);
    // `sheetName` is an entry of the style sheet combo box ("Tavrix", "Default").
    void styleSheetComboActivated(const QString &sheetName);
    void styleTextEditChanged();
    void applyButtonClicked();

private:
    QComboBox *m_styleCombo;
    QComboBox *m_styleSheetCombo;
    QPlainTextEdit *m_styleTextEdit;
    QPushButton *m_applyButton;
};

} // namespace Scripter
