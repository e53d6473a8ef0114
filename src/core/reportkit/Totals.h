#pragma once
// Running totals of a report: each named figure is summed per group and over the whole report;
// groups open and close as the key of the detail rows changes, with their header and footer
// bands. A group's header stays with its first row, and a group that runs onto another page
// repeats its continuation band at the top of it.
#include "reportkit/Layout.h"

#include <QHash>
#include <QVariant>
#include <functional>
#include <span>

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

// Groups inside groups (a folder, the documents in it): each level has a key per detail row.
class GroupLevels {
public:
    using Bands = std::function<QList<Band>(const QVariant &key)>;
    struct Level {
        Bands header;                                 // when the group opens; may be empty
        Bands footer;                                 // when it closes
        Bands continuation;                           // at the top of each further page
        std::function<void(const QVariant &key)> closed;  // after the footer: resets the group's sums
    };
    explicit GroupLevels(QList<Level> levels);

    // Before a detail row with one key per level, outermost first: closes the open groups from the
    // innermost out to the first level whose key changed (their footers), then opens that level
    // and the ones inside it with their headers.
    void row(ReportLayout &layout, std::span<const QVariant> keys);
    // After the last row: closes every open group, innermost first.
    void finish(ReportLayout &layout);
    int levels() const { return int(m_levels.size()); }

private:
    void close(ReportLayout &layout, int level);

    QList<Level> m_levels;
    QList<QVariant> m_keys;  // of the open groups, outermost first
};

class GroupBreak {
public:
    using Bands = GroupLevels::Bands;
    GroupBreak(Bands header, Bands footer, RunningTotals *totals = nullptr, Bands continuation = {});

    // Before a detail row of `key`: closes the open group when the key changed (its footer, then
    // the group totals reset) and opens the new one with its header.
    void row(ReportLayout &layout, const QVariant &key);
    // After the last row: closes the open group.
    void finish(ReportLayout &layout);

private:
    GroupLevels m_groups;
};

}  // namespace rk
