// The dialog that asks for an entry point's argument before a test run.

#include "common/testmain.h"

#include "testing/entrypointdialog.h"
#include "testing/entrypoints.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

using Scripter::EntryPointDialog;
using Scripter::EntryPoints;

class tst_EntryPointDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void theValueChosenLastIsOfferedFirst_data();
    void theValueChosenLastIsOfferedFirst();
    void licenceKeyMustBeTyped();

private:
    static QPushButton *okButton(const EntryPointDialog &dialog)
    {
        for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
            if (button->text() == QStringLiteral("OK")) {
                return button;
            }
        }
        return nullptr;
    }
};

void tst_EntryPointDialog::init()
{
    QSettings().clear();
}

void tst_EntryPointDialog::theValueChosenLastIsOfferedFirst_data()
{
    QTest::addColumn<int>("entryPoint");
    QTest::addColumn<QStringList>("values");

    const QStringList tags = {"Resolution", "Quality", "Target"};
    // clang-format off
    QTest::newRow("a property's tag") << int(EntryPoints::IsPropertyValid) << tags;
    QTest::newRow("a connection property's tag") << int(EntryPoints::GetLibraryForConnectionProperty) << tags;
    QTest::newRow("findApplicationPath") << int(EntryPoints::FindApplicationPath) << QStringList({"true", "false"});
    // clang-format on
}

void tst_EntryPointDialog::theValueChosenLastIsOfferedFirst()
{
    QFETCH(int, entryPoint);
    QFETCH(QStringList, values);
    {
        EntryPointDialog dialog(nullptr, values, entryPoint);
        auto *combo = dialog.findChild<QComboBox *>();
        QVERIFY(combo);
        QCOMPARE(combo->currentText(), values.first());
        combo->setCurrentIndex(values.size() - 1);
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.value(), values.last());
    }
    // As after a restart: only the settings store remembers.
    QSettings().sync();
    EntryPointDialog again(nullptr, values, entryPoint);
    QCOMPARE(again.findChild<QComboBox *>()->currentText(), values.last());
    // A remembered value no longer offered gives way to the first.
    EntryPointDialog fewer(nullptr, values.mid(0, 1), entryPoint);
    QCOMPARE(fewer.findChild<QComboBox *>()->currentText(), values.first());
    // The other entry points keep their own.
    for (int other : {int(EntryPoints::IsPropertyValid), int(EntryPoints::GetLibraryForProperty)}) {
        if (other != entryPoint) {
            EntryPointDialog unrelated(nullptr, values, other);
            QCOMPARE(unrelated.findChild<QComboBox *>()->currentText(), values.first());
        }
    }
}

void tst_EntryPointDialog::licenceKeyMustBeTyped()
{
    EntryPointDialog dialog(nullptr, {}, EntryPoints::LicenseApplication);
    auto *key = dialog.findChild<QLineEdit *>();
    QVERIFY(key);
    QVERIFY(!dialog.findChild<QComboBox *>());
    QPushButton *ok = okButton(dialog);
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(key, QStringLiteral("AB-12"));
    QVERIFY(ok->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(dialog.value(), QStringLiteral("AB-12"));
    key->clear();
    QVERIFY(!ok->isEnabled());
}

TAVRIX_TEST_MAIN(tst_EntryPointDialog)
#include "tst_entrypointdialog.moc"
