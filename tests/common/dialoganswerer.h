#pragma once

// Answers the modal dialogs that the code under test opens, as a user would, and records what
// each of them showed. Queue one answer per dialog before the operation; while it lives, the
// answerer polls for the active modal dialog however deep the code under test opened it. A
// dialog that comes without an answer is recorded and closed, so a test that expects no dialog
// compares `seen` with an empty list instead of hanging. Of several answerers alive at once, the
// newest answers, and none answers a dialog that another is still answering. A dialog that opens
// while an answer runs (from a button the answer clicks) takes the next answer, or the answers
// of an answerer made inside that answer.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

class DialogAnswerer : public QObject
{
public:
    using Answer = std::function<void(QWidget *dialog)>;

    DialogAnswerer()
    {
        alive().append(this);
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }
    ~DialogAnswerer() override { alive().removeOne(this); }
    DialogAnswerer(const DialogAnswerer &) = delete;
    DialogAnswerer &operator=(const DialogAnswerer &) = delete;

    // The next dialog that shows gets `answer`.
    DialogAnswerer &then(Answer answer)
    {
        m_answers.append(std::move(answer));
        return *this;
    }

    // Presses the message box's standard `button`.
    static Answer press(QMessageBox::StandardButton button)
    {
        return [button](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            QVERIFY2(box, "a message box was expected");
            QAbstractButton *choice = box->button(button);
            QVERIFY2(choice, "the message box lacks the button");
            choice->click();
        };
    }

    // Clicks the button with this text ("&" ignored) in a message box or another dialog.
    static Answer click(const QString &buttonText)
    {
        return [buttonText](QWidget *dialog) {
            for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>()) {
                if (button->isVisible() && button->text().remove(QLatin1Char('&')) == buttonText) {
                    QTest::mouseClick(button, Qt::LeftButton);
                    return;
                }
            }
            QFAIL(qPrintable(QStringLiteral("no button '%1'").arg(buttonText)));
        };
    }

    // Types `key` into the dialog, as Return for its default button.
    static Answer typeKey(Qt::Key key)
    {
        return [key](QWidget *dialog) {
            QTest::keyClick(dialog, key);
        };
    }

    // Closes the dialog as its title bar's close button or Escape does.
    static Answer close()
    {
        return [](QWidget *dialog) {
            dismiss(dialog);
        };
    }

    // Types `password` into the dialog's line edit and clicks "OK", or "Cancel" for a null text.
    static Answer typePassword(const QString &password)
    {
        return [password](QWidget *dialog) {
            auto *edit = dialog->findChild<QLineEdit *>();
            QVERIFY2(edit, "a dialog with a text field was expected");
            QTest::keyClicks(edit, password);
            click(password.isNull() ? QStringLiteral("Cancel") : QStringLiteral("OK"))(dialog);
        };
    }

    // Hands the dialog to `handle`, which must be a `Dialog`, to answer it in its own way.
    template<typename Dialog>
    static Answer with(std::function<void(Dialog *)> handle)
    {
        return [handle](QWidget *dialog) {
            auto *typed = qobject_cast<Dialog *>(dialog);
            QVERIFY2(typed, "a dialog of another kind was expected");
            handle(typed);
        };
    }

    // Types `path` into a file dialog's name field, of the type `nameFilter` when one is given,
    // and presses Return, or cancels the dialog for a null path. Records
    // "title|filters|folder|suggestion" in `fileDialogs`.
    Answer chooseFile(const QString &path, const QString &nameFilter = QString())
    {
        return [this, path, nameFilter](QWidget *dialog) {
            auto *fileDialog = qobject_cast<QFileDialog *>(dialog);
            QVERIFY2(fileDialog, "a file dialog was expected");
            fileDialogs << QStringList{fileDialog->windowTitle(),
                                       fileDialog->nameFilters().join(QLatin1Char(';')),
                                       QDir(fileDialog->directory()).absolutePath(),
                                       fileDialog->selectedFiles().value(0)}
                               .join(QLatin1Char('|'));
            if (path.isNull()) {
                fileDialog->reject();
                return;
            }
            if (!nameFilter.isEmpty()) {
                QVERIFY2(fileDialog->nameFilters().contains(nameFilter),
                         qPrintable(QStringLiteral("no file type '%1'").arg(nameFilter)));
                fileDialog->selectNameFilter(nameFilter);
            }
            auto *nameEdit = fileDialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY2(nameEdit, "the file dialog has no file name field");
            nameEdit->setText(path);
            QTest::keyClick(nameEdit, Qt::Key_Return);
        };
    }

    // A modal dialog that the test shows itself, to be left alone.
    void leaveOpen(QWidget *dialog) { m_leftOpen.append(dialog); }

    bool answeredAll() const { return m_answers.isEmpty(); }

    // "title|text" of every message box, the title of every other dialog, in order.
    QStringList seen;
    QStringList fileDialogs;

private:
    static QList<DialogAnswerer *> &alive()
    {
        static QList<DialogAnswerer *> answerers;
        return answerers;
    }

    static void dismiss(QWidget *dialog)
    {
        dialog->close();
        // A message box without an escape button ignores closing.
        if (auto *modal = qobject_cast<QDialog *>(dialog); modal && modal->isVisible()) {
            modal->reject();
        }
    }

    void poll()
    {
        m_handled.removeIf(
            [](const QPointer<QWidget> &handled) { return !handled || !handled->isVisible(); });
        if (alive().constLast() != this) {
            return;
        }
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible() || m_leftOpen.contains(dialog)
            || std::any_of(alive().cbegin(), alive().cend(), [dialog](const DialogAnswerer *any) {
                   return any->m_handled.contains(dialog);
               })) {
            return;
        }
        m_handled.append(dialog);
        const auto *box = qobject_cast<QMessageBox *>(dialog);
        seen << (box ? dialog->windowTitle() + QLatin1Char('|') + box->text()
                     : dialog->windowTitle());
        const QPointer<QWidget> tracked(dialog);
        if (m_answers.isEmpty()) {
            dismiss(dialog);
        } else {
            m_answers.takeFirst()(dialog);
        }
        // An answer that failed must not leave the test waiting for ever.
        if (tracked && tracked->isVisible()) {
            dismiss(tracked);
        }
    }

    QList<Answer> m_answers;
    QList<QPointer<QWidget>> m_handled;
    QList<QPointer<QWidget>> m_leftOpen;
    QTimer m_timer;
};
