#pragma once
// Running totals of a report: each named figure is summed per group and over the whole report;
// groups open and close as the key of the detail rows changes, with their header and footer
// bands.
#include "reportkit/Layout.h"

#include <QHash>
#include <QVariant>
#include <functional>

namespace rk {

class RunningTotals {
public:
    void add(const QString &name, double value);
    double group(const QString &name) const { return m_group.value(name); }
    double report(const QString &name) const { return m_report.value(name); }
    void resetGroup() { m_group.clear(); }

private:
    QHash<QString, double> m_group;
    QHash<QString, double> m_report;
};

class GroupBreak {
public:
    using Bands = std::function<QList<Band>(const QVariant &key)>;
    GroupBreak(Bands header, Bands footer, RunningTotals *totals = nullptr);

    // Before a detail row of `key`: closes the open group when the key changed (its footer, then
    // the group totals reset) and opens the new one with its header.
    void row(ReportLayout &layout, const QVariant &key);
    // After the last row: closes the open group.
    void finish(ReportLayout &layout);

private:
    Bands m_header;
    Bands m_footer;
    RunningTotals *m_totals;
    QVariant m_key;
    bool m_open = false;
};

}  // namespace rk
