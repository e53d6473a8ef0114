#include "reportkit/Totals.h"

namespace rk {

void RunningTotals::add(const QString &name, double value)
{
    m_group[name] += value;
    m_report[name] += value;
}

GroupLevels::GroupLevels(QList<Level> levels) : m_levels(std::move(levels)) {}

void GroupLevels::row(ReportLayout &layout, std::span<const QVariant> keys)
{
    const int count = std::min(int(keys.size()), int(m_levels.size()));
    int changed = 0;
    while (changed < m_keys.size() && changed < count && m_keys[changed] == keys[size_t(changed)])
        ++changed;
    if (changed == count && m_keys.size() == count)
        return;
    close(layout, changed);
    for (int level = changed; level < count; ++level) {
        const Level &l = m_levels[level];
        const QVariant &key = keys[size_t(level)];
        m_keys.append(key);
        // The header first: a continuation may repeat what the header worked out.
        const QList<Band> header = l.header ? l.header(key) : QList<Band>{};
        layout.openGroup(header, l.continuation ? l.continuation(key) : QList<Band>{});
    }
}

void GroupLevels::close(ReportLayout &layout, int level)
{
    while (m_keys.size() > level) {
        const Level &l = m_levels[m_keys.size() - 1];
        if (l.footer)
            for (const Band &band : l.footer(m_keys.last()))
                layout.add(band);
        layout.closeGroup();
        if (l.closed)
            l.closed(m_keys.last());
        m_keys.removeLast();
    }
}

void GroupLevels::finish(ReportLayout &layout) { close(layout, 0); }

GroupBreak::GroupBreak(Bands header, Bands footer, RunningTotals *totals, Bands continuation)
    : m_groups({GroupLevels::Level{std::move(header), std::move(footer), std::move(continuation),
                                   [totals](const QVariant &) {
                                       if (totals)
                                           totals->resetGroup();
                                   }}})
{
}

void GroupBreak::row(ReportLayout &layout, const QVariant &key) { m_groups.row(layout, std::span(&key, 1)); }

void GroupBreak::finish(ReportLayout &layout) { m_groups.finish(layout); }

}  // namespace rk
