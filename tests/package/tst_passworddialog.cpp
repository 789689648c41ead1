// The password prompt of a protected package: a hidden entry, when "OK" can be pressed, and what
// it hands back.

#include "common/testmain.h"

#include "package/passworddialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QPushButton *button(const QDialog &dialog, const QString &text)
{
    for (QPushButton *candidate : dialog.findChildren<QPushButton *>()) {
        if (candidate->text() == text) {
            return candidate;
        }
    }
    return nullptr;
}

} // namespace

class tst_PasswordDialog : public QObject
{
    Q_OBJECT

private slots:
    void okFollowsTheEnteredText();
    void returnsWhatWasTyped_data();
    void returnsWhatWasTyped();
};

void tst_PasswordDialog::okFollowsTheEnteredText()
{
    Scripter::PasswordDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QPushButton *ok = button(dialog, QStringLiteral("OK"));
    auto *edit = dialog.findChild<QLineEdit *>();
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    QVERIFY(!ok->isEnabled());

    QTest::keyClicks(edit, QStringLiteral("s"));
    QVERIFY(ok->isEnabled());
    // Return with nothing entered must not accept an empty password.
    QTest::keyClick(edit, Qt::Key_Backspace);
    QVERIFY(!ok->isEnabled());
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void tst_PasswordDialog::returnsWhatWasTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<int>("result");

    // clang-format off
    QTest::newRow("OK accepts") << QStringLiteral("Secret 1!") << QStringLiteral("OK") << int(QDialog::Accepted);
    QTest::newRow("Return accepts") << QStringLiteral("Secret1") << QString() << int(QDialog::Accepted);
    QTest::newRow("Cancel rejects") << QStringLiteral("Secret1") << QStringLiteral("Cancel") << int(QDialog::Rejected);
    // clang-format on
}

void tst_PasswordDialog::returnsWhatWasTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, pressed);
    QFETCH(int, result);

    Scripter::PasswordDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        auto *edit = dialog.findChild<QLineEdit *>();
        QTest::keyClicks(edit, typed);
        if (pressed.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Return);
        } else {
            QTest::mouseClick(button(dialog, pressed), Qt::LeftButton);
        }
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(dialog.password(), typed);
}

TAVRIX_TEST_MAIN(tst_PasswordDialog)
#include "tst_passworddialog.moc"
