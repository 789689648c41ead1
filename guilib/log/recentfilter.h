#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

namespace GuiLib {

// The recent filter texts of each column of a table, newest first. The window keeps them between
// runs of the program as one text (toString(), fromString()).
class RecentFilter
{
    Q_DECLARE_TR_FUNCTIONS(GuiLib::RecentFilter)

public:
    // Texts kept per column.
    static constexpr int MaxEntries = 10;

    explicit RecentFilter(int columnCount);

    int columnCount() const { return int(m_columns.size()); }
    // Puts `text`, without surrounding blanks, first in the column's list, removing an equal
    // older entry and the oldest beyond MaxEntries. A text of blanks is not kept.
    void add(int column, const QString &text);
    QStringList entries(int column) const;
    bool isEmpty() const;
    void clear();

    // A JSON array with one array of texts per column.
    QString toString() const;
    // Takes the lists of a text that toString() wrote; an empty text means no history. Columns
    // beyond columnCount() and texts beyond MaxEntries are left out. On failure returns false,
    // with the reason in `errorMessage`, and keeps the lists as they were.
    bool fromString(const QString &text, QString *errorMessage = nullptr);

private:
    QList<QStringList> m_columns;
};

} // namespace GuiLib
