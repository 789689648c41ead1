#pragma once

#include <QtGlobal>

// Positions of a text gathered piece by piece: from the smallest start added since the range
// was last cleared to the largest end.
struct PositionRange
{
    int from = -1; // -1: empty
    int to = -1;

    bool isEmpty() const { return from < 0; }
    bool contains(int position) const { return !isEmpty() && position >= from && position <= to; }
    void add(int start, int end)
    {
        from = isEmpty() ? start : qMin(from, start);
        to = qMax(to, end);
    }
    void clear() { *this = PositionRange(); }
};
