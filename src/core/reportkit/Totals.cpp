#include "reportkit/Totals.h"

namespace rk {

void RunningTotals::add(const QString &name, double value)
{
    m_group[name] += value;
    m_report[name] += value;
}

GroupBreak::GroupBreak(Bands header, Bands footer, RunningTotals *totals)
    : m_header(std::move(header)), m_footer(std::move(footer)), m_totals(totals)
{
}

void GroupBreak::row(ReportLayout &layout, const QVariant &key)
{
    if (m_open && key == m_key)
        return;
    finish(layout);
    m_key = key;
    m_open = true;
    if (m_header)
        layout.addGroup(m_header(key));
}

void GroupBreak::finish(ReportLayout &layout)
{
    if (!m_open)
        return;
    if (m_footer)
        for (const Band &band : m_footer(m_key))
            layout.add(band);
    if (m_totals)
        m_totals->resetGroup();
    m_open = false;
}

}  // namespace rk
