#pragma once

// How the value editor tests type into the dialogs: into the text of a validated text dialog,
// into a table cell, into a choice box of a table.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include <algorithm>

// Types `text` into `edit`. QTest types ASCII only; other characters come as an input method
// would put them.
inline void typeInto(QLineEdit *edit, const QString &text)
{
    const bool ascii =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 128; });
    if (ascii) {
        QTest::keyClicks(edit, text);
    } else {
        edit->insert(text);
    }
}

// Replaces the text of the dialog's text edit as a user who selects all and types would.
inline void typeText(QWidget *dialog, const QString &text)
{
    auto *edit = dialog->findChild<QTextEdit *>();
    QVERIFY(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            QTest::keyClick(edit, Qt::Key_Return);
        }
        QTest::keyClicks(edit, lines.at(i));
    }
}

// Types `text` into the cell as a user who starts editing it and presses Return.
inline void typeIntoCell(QTableWidget *table, int row, int column, const QString &text)
{
    table->setFocus();
    table->setCurrentCell(row, column);
    QTest::keyClick(table->viewport(), Qt::Key_F2);
    QLineEdit *editor = nullptr;
    for (QLineEdit *candidate : table->viewport()->findChildren<QLineEdit *>()) {
        if (candidate->isVisible()) {
            editor = candidate;
        }
    }
    QVERIFY2(editor, "the cell has no line editor");
    editor->selectAll();
    typeInto(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits on its next turn of the event loop.
    QTRY_COMPARE(table->item(row, column)->text(), text);
}

// Picks `choice` in the choice box of a cell.
inline void pickInCell(QTableWidget *table, int row, int column, const QString &choice)
{
    auto *box = qobject_cast<QComboBox *>(table->cellWidget(row, column));
    QVERIFY2(box, "the cell has no choice box");
    const int index = box->findText(choice);
    QVERIFY2(index >= 0, qPrintable(choice));
    box->setCurrentIndex(index);
}

// A double click as a user makes it: the first click, then the second that makes it double
// (QTest's double click alone does not press first, so item views ignore it).
inline void doubleClick(QWidget *viewport, const QPoint &point)
{
    QTest::mouseClick(viewport, Qt::LeftButton, {}, point);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, point);
}
