#pragma once

#include <QtGlobal>

#include <vector>

namespace Scripter {

// The heights and widths of the lines of a text, laid out or estimated. The top of a line and the
// line at a height are found in logarithmic time, and a line that changes height costs as much:
// no walk over the lines below it.
class LineExtents
{
public:
    int count() const { return int(m_heights.size()); }
    int height(int line) const { return m_heights[size_t(line)]; }
    qreal width(int line) const { return m_widths[size_t(line)]; }
    // The sum of the heights of the lines before `line`; `line` may be count().
    int top(int line) const;
    int totalHeight() const { return top(count()); }
    // The line that spans `y` from the top, clamped to the first and the last line; -1 when
    // there are none.
    int lineAt(int y) const;
    qreal maximumWidth() const;

    void set(int line, int height, qreal width);
    // Replaces `removed` lines from `first` on with `added` lines. Lines that stay in the range
    // keep their extents as estimates; new ones get `height` and no width.
    void replace(int first, int removed, int added, int height);

private:
    void rebuildTree();

    std::vector<int> m_heights;
    std::vector<qreal> m_widths;
    // A Fenwick tree over m_heights: entry i holds the sum of the heights of lines
    // (i - lowbit(i), i], counted from 1.
    std::vector<int> m_tree;
    mutable qreal m_maximumWidth = 0;
    // False after the widest line got narrower or was removed: the maximum is looked up again.
    mutable bool m_maximumKnown = true;
};

} // namespace Scripter
