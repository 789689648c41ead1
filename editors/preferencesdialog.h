#pragma once

#include "qsa/config.h"

#include <QDialog>
#include <QMap>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace GuiLib {
class LanguageLocator;
} // namespace GuiLib

namespace Scripter {

// Edits the settings of the script editors that Config keeps: a font and colour per syntax
// element, the editing options and the user-interface language. Works on a copy: reInit() loads
// it from Config, save() writes it back, and nothing reaches Config in between. Created once and
// reused; modal. The widgets are named after their fields without "m_", for style sheets and
// tests.
class PreferencesDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(PreferencesDialog)

public:
    // Offers the languages installed with the running program.
    explicit PreferencesDialog(QWidget *parent = nullptr);
    // Offers the languages that `languages` finds.
    explicit PreferencesDialog(const GuiLib::LanguageLocator &languages, QWidget *parent = nullptr);

    // The editor family the dialog was last opened for: "QSAScriptEditor", "VBScriptEditor" or
    // "AppleScriptEditor".
    QString currentScript() const;

    // The time after which a test run is stopped, in seconds; 0 for never. The application
    // keeps it; the dialog only shows and edits it.
    int runTimeout() const;
    void setRunTimeout(int seconds);

public slots:
    // Throws the working copy away; the dialog shows nothing sensible until the next reInit().
    void destroy();
    void colorClicked();
    // Loads everything from Config; called before the dialog is shown.
    void reInit(const QString &script);
    // Writes everything to Config; called after the dialog was accepted.
    void save();
    void updatePreview();
    void boldChanged(bool b);
    // `element` is the untranslated element name, a key of the style map.
    void elementChanged(const QString &element);
    void familyChanged(const QString &f);
    void italicChanged(bool b);
    void setColorPixmap(const QColor &c);
    void sizeChanged(int s);
    void underlineChanged(bool b);
    void setCurrentScript(const QString &script);
    void languageChanged(int index);

private:
    void storeCurrentStyle();
    void fillElementList();

    QMap<QString, ConfigStyle> m_styles;
    QString m_currentElement; // empty when no element is being edited
    ConfigStyle m_currentStyle;
    QString m_currentScript;

    QListWidget *m_elementList;
    QComboBox *m_familyCombo;
    QSpinBox *m_sizeSpinBox;
    QCheckBox *m_boldBox;
    QCheckBox *m_italicBox;
    QCheckBox *m_underlineBox;
    QPushButton *m_colorButton;
    QLineEdit *m_preview;
    QCheckBox *m_wordWrapBox;
    QCheckBox *m_completionBox;
    QCheckBox *m_parenMatchingBox;
    QSpinBox *m_runTimeoutSpinBox;
    QCheckBox *m_keepTabsBox;
    QCheckBox *m_autoIndentBox;
    QSpinBox *m_tabSizeSpinBox;
    QSpinBox *m_indentSizeSpinBox;
    QComboBox *m_languageCombo;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};

} // namespace Scripter
