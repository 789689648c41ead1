#include "lineextents.h"

#include <algorithm>

namespace Scripter {

namespace {

int lowestBit(int index)
{
    return index & -index;
}

} // namespace

int LineExtents::top(int line) const
{
    int sum = 0;
    for (int index = line; index > 0; index -= lowestBit(index)) {
        sum += m_tree[size_t(index)];
    }
    return sum;
}

int LineExtents::lineAt(int y) const
{
    if (m_heights.empty()) {
        return -1;
    }
    // Descends the tree to the last line whose top is at or above `y`.
    int line = 0;
    int remaining = y;
    int step = 1;
    while (step * 2 <= count()) {
        step *= 2;
    }
    for (; step > 0; step /= 2) {
        const int next = line + step;
        if (next <= count() && m_tree[size_t(next)] <= remaining) {
            line = next;
            remaining -= m_tree[size_t(next)];
        }
    }
    return std::clamp(line, 0, count() - 1);
}

qreal LineExtents::maximumWidth() const
{
    if (!m_maximumKnown) {
        m_maximumWidth =
            m_widths.empty() ? 0 : *std::max_element(m_widths.cbegin(), m_widths.cend());
        m_maximumKnown = true;
    }
    return m_maximumWidth;
}

void LineExtents::set(int line, int height, qreal width)
{
    Q_ASSERT(line >= 0 && line < count());
    const int change = height - m_heights[size_t(line)];
    m_heights[size_t(line)] = height;
    for (int index = line + 1; change != 0 && index <= count(); index += lowestBit(index)) {
        m_tree[size_t(index)] += change;
    }
    qreal &oldWidth = m_widths[size_t(line)];
    if (m_maximumKnown && width < oldWidth && oldWidth >= m_maximumWidth) {
        m_maximumKnown = false;
    }
    oldWidth = width;
    if (m_maximumKnown) {
        m_maximumWidth = std::max(m_maximumWidth, width);
    }
}

void LineExtents::replace(int first, int removed, int added, int height)
{
    Q_ASSERT(first >= 0 && removed >= 0 && added >= 0 && first + removed <= count());
    const int kept = std::min(removed, added);
    const auto from = m_heights.begin() + first + kept;
    const auto widthsFrom = m_widths.begin() + first + kept;
    if (removed > kept) {
        const qreal widest = *std::max_element(widthsFrom, widthsFrom + (removed - kept));
        m_maximumKnown = m_maximumKnown && widest < m_maximumWidth;
        m_heights.erase(from, from + (removed - kept));
        m_widths.erase(widthsFrom, widthsFrom + (removed - kept));
    } else if (added > kept) {
        m_heights.insert(from, size_t(added - kept), height);
        m_widths.insert(widthsFrom, size_t(added - kept), 0);
    }
    if (removed != added) {
        rebuildTree();
    }
}

void LineExtents::rebuildTree()
{
    // Linear: each entry passes its sum on to its parent once.
    m_tree.assign(m_heights.size() + 1, 0);
    for (int index = 1; index <= count(); ++index) {
        m_tree[size_t(index)] += m_heights[size_t(index - 1)];
        const int parent = index + lowestBit(index);
        if (parent <= count()) {
            m_tree[size_t(parent)] += m_tree[size_t(index)];
        }
    }
}

} // namespace Scripter
