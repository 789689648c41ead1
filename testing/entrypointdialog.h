#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace Scripter {

// Asks for the argument of an entry point before it runs: a property tag (isPropertyValid,
// getLibraryForProperty and their connection forms), the "startup" value of findApplicationPath
// or the key of licenseApplication. The tag or value chosen last for an entry point is offered
// first the next time, also after the program was restarted (the settings store). Modal, made per
// run.
class EntryPointDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EntryPointDialog)

public:
    // `values` are what a combo box offers; licenseApplication takes a typed key instead.
    EntryPointDialog(QWidget *parent, const QStringList &values, int entryPoint);
    ~EntryPointDialog() override;

    // The value chosen or typed; a chosen one is remembered for the entry point.
    QString value() const;

    // The settings key under which the entry point's last value is kept; empty for none.
    static QString settingsKey(int entryPoint);

public slots:
    // OK needs a key to be typed.
    void updateButtons();

private:
    int m_entryPoint;
    QComboBox *m_values = nullptr;
    QLineEdit *m_key = nullptr;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};

} // namespace Scripter
