#pragma once

// One property in a properties explorer with its editor open, as after a click on its row, and
// the ways a user drives the value dialogs it opens: choosing a kind from the menu, typing into
// the dialog's fields and pressing its buttons.

#include "common/propertytestsupport.h"

#include "guilib/property/genericproperty.h"
#include "guilib/property/genericpropertyeditor.h"
#include "guilib/property/propertiesexplorer.h"
#include "guilib/property/propertiesexplorermodel.h"
#include "guilib/property/propertycollection.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QToolButton>

struct Editing
{
    TestOwner owner;
    GuiLib::PropertyCollection properties{QStringLiteral("Set")};
    GuiLib::GenericProperty *property;
    GuiLib::PropertiesExplorer explorer;
    QAbstractItemModelTester tester{explorer.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest};

    Editing(const QString &tag, const QString &type, const QString &editors, const QString &value,
            const QString &editor = QString(), const QString &name = QString())
        : property(new GuiLib::GenericProperty(value, name.isEmpty() ? tag : name, tag, type,
                                               editors, QString(), editor, &owner))
    {
        properties.append(property);
        explorer.resize(500, 300);
        explorer.loadProperties(&properties);
        explorer.show();
        explorer.setCurrentIndex(valueIndex().siblingAtColumn(0));
    }
    ~Editing() { explorer.loadProperties(nullptr); }

    QModelIndex valueIndex() const
    {
        return explorer.propertiesModel()->indexOfProperty(property, 1);
    }
    GuiLib::GenericPropertyEditor *editor() const
    {
        return qobject_cast<GuiLib::GenericPropertyEditor *>(explorer.indexWidget(valueIndex()));
    }
    QToolButton *button(const char *name) const
    {
        return editor() ? editor()->findChild<QToolButton *>(QLatin1String(name)) : nullptr;
    }
    QList<QAction *> kinds() const
    {
        QToolButton *kindsButton = button("kindsButton");
        return kindsButton ? kindsButton->menu()->actions() : QList<QAction *>();
    }
    // Picks the kind labelled `label` from the kinds menu.
    bool choose(const QString &label) const
    {
        for (QAction *action : kinds()) {
            if (action->text() == label && action->isEnabled()) {
                action->trigger();
                return true;
            }
        }
        return false;
    }
    // Presses the button that opens the current kind's dialog again.
    void reopen() const { QTest::mouseClick(button("dialogButton"), Qt::LeftButton); }
    QWidget *field() const { return editor() ? editor()->focusProxy() : nullptr; }
    QString shownValue() const { return valueIndex().data().toString(); }
};

// Rejects `dialog` when the scope ends with it still open, so that a failed check inside a
// dialog handler does not leave a modal dialog waiting for ever.
[[nodiscard]] inline auto closeWhenDone(QDialog *dialog)
{
    return qScopeGuard([dialog] {
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
}

// The button of `dialog` named `objectName` ("okButton", "cancelButton", ...); null when none.
inline QPushButton *dialogButton(const QWidget *dialog, const char *objectName)
{
    return dialog->findChild<QPushButton *>(QLatin1String(objectName));
}

// Clicks the button named `objectName` when it is there and enabled; false otherwise.
inline bool press(const QWidget *dialog, const char *objectName)
{
    QPushButton *button = dialogButton(dialog, objectName);
    if (!button || !button->isEnabled()) {
        return false;
    }
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

// The user goes to the folder of `path` and opens it: a folder by choosing the folder itself, a
// file by typing its name.
inline void chooseInDialog(QFileDialog *dialog, const QString &path)
{
    const QFileInfo info(path);
    auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(fileName);
    if (dialog->fileMode() == QFileDialog::Directory) {
        dialog->setDirectory(path);
        fileName->clear();
    } else {
        dialog->setDirectory(info.absolutePath());
        fileName->setText(info.fileName());
    }
    static_cast<QDialog *>(dialog)->accept(); // as the Open button does
}
