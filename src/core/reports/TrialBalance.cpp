#include "reports/TrialBalance.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "firm/Lookups.h"
#include "reports/ReportParts.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;
using ReportParts::Money;

namespace {
constexpr double NoWidth = 13;
const QColor Grey(220, 220, 220);

std::array<double, 12> Figures(const TAccountValue &v)
{
    return {v.openDtKol, v.openDtSt, v.openKtKol, v.openKtSt, v.turnDtKol, v.turnDtSt,
            v.turnKtKol, v.turnKtSt, v.closeDtKol, v.closeDtSt, v.closeKtKol, v.closeKtSt};
}

// The report's figures by their names, in detail order.
const std::array<QString, 12> FigureNames = {u"NSKOLDT"_s, u"NSSTDT"_s, u"NSKOLKT"_s, u"NSSTKT"_s,
                                             u"OBKOLDT"_s, u"OBSTDT"_s, u"OBKOLKT"_s, u"OBSTKT"_s,
                                             u"KSKOLDT"_s, u"KSSTDT"_s, u"KSKOLKT"_s, u"KSSTKT"_s};

}  // namespace

TrialBalanceJob::TrialBalanceJob(Db &db, TrialBalanceOptions options) : m_db(db), m_options(std::move(options))
{
    m_period = ReadPeriod(db);
    QString sql = u"SELECT S_UNo, S_Name FROM s"_s;
    QVariantList binds;
    if (m_options.account != 0) {
        sql += u" WHERE S_UNo = ?"_s;
        binds << m_options.account;
    }
    QSqlQuery q = db.exec(sql + u" ORDER BY S_UNo"_s, binds);
    while (q.next())
        m_accounts.append({q.value(0).toInt(), q.value(1).toString()});
}

QString TrialBalanceJob::title() const { return u"Оборотна ведомост"_s; }

rk::PageSetup TrialBalanceJob::setup() const
{
    rk::PageSetup s;
    s.landscape = m_options.quantity;
    return s;
}

double TrialBalanceJob::width() const { return setup().contentWidth(); }

QList<TrialBalanceJob::Column> TrialBalanceJob::numberColumns() const
{
    const int count = m_options.quantity ? 12 : 6;
    const double nameWidth = m_options.quantity ? 40 : 50;
    const double w = (width() - NoWidth - nameWidth) / count;
    QList<Column> columns;
    for (int i = 0; i < count; ++i)
        columns.append({NoWidth + nameWidth + i * w, w});
    return columns;
}

QList<rk::Band> TrialBalanceJob::header() const
{
    const QList<Column> cols = numberColumns();
    const double nameWidth = cols.first().x - NoWidth;
    const QStringList groups = {u"Начално салдо"_s, u"Обороти"_s, u"Крайно салдо"_s};
    const QStringList sides = {u"Дебит"_s, u"Кредит"_s};
    rk::Band top, middle, bottom;
    const int perGroup = int(cols.size()) / 3;
    for (int g = 0; g < 3; ++g)
        top.cells << rk::FramedCell(cols[g * perGroup].x, cols[0].w * perGroup, groups[g], 7, rk::Align::Center, false);
    for (int i = 0; i < 6; ++i) {
        const int span = m_options.quantity ? 2 : 1;
        middle.cells << rk::FramedCell(cols[i * span].x, cols[0].w * span, sides[i % 2], 7, rk::Align::Center, false);
    }
    if (m_options.quantity)
        for (int i = 0; i < 12; ++i)
            bottom.cells << rk::FramedCell(
                cols[i].x, cols[i].w, i % 2 ? u"Стойност"_s : u"Количество"_s, 7, rk::Align::Center, false);
    QList<rk::Band> rows{top, middle};
    if (m_options.quantity)
        rows << bottom;
    // The number and name headings run down the whole height of the column headings.
    rk::Band headings = rk::Stack(rows);
    rk::Band left;
    left.cells << rk::FramedCell(0, NoWidth, u"СметкаNo"_s, 7, rk::Align::Center, false)
               << rk::FramedCell(NoWidth, nameWidth, u"Наименование на сметка"_s, 7, rk::Align::Center, false);
    headings.extra << rk::BandItems(left, headings.minHeight);
    return {headings, ReportParts::Rule(width(), 0.6)};
}

rk::Band TrialBalanceJob::detail(const TAccountValue &v) const
{
    const QList<Column> cols = numberColumns();
    rk::Band b;
    b.cells << rk::NumberCell(0, NoWidth, QString::number(v.account.number));
    rk::Cell name = rk::TextCell(NoWidth, cols.first().x - NoWidth, v.account.name);
    name.wrap = true;
    b.cells << name;
    const auto figures = Figures(v);
    for (int i = 0; i < cols.size(); ++i) {
        // The value form prints only the amounts: every second figure.
        const double value = m_options.quantity ? figures[size_t(i)] : figures[size_t(2 * i + 1)];
        b.cells << rk::NumberCell(cols[i].x, cols[i].w, Money(value));
    }
    for (rk::Cell &c : b.cells)
        c.fontPt = m_options.quantity ? 6.5 : 7.5;
    return b;
}

void TrialBalanceJob::begin(rk::ReportLayout &layout)
{
    layout.setTitle(ReportParts::TitleBlock(u"ОБОРОТНА ВЕДОМОСТ"_s, u"на "_s + m_options.firmName,
                                            u"За периода от: "_s + Formats::Date(m_options.from) + u" до "_s
                                                + Formats::Date(m_options.to),
                                            width(), 3));
    layout.setPageHeader(rk::Stack(header()));
}

bool TrialBalanceJob::step(rk::ReportLayout &layout)
{
    while (m_next < m_accounts.size()) {
        const int account = m_accounts[m_next++].first;
        if (m_options.usedOnly && !AccountInUse(m_db, account))
            continue;
        const TAccountValue v = GetAccountValue(m_db, account, {}, m_period, m_options.from, m_options.to);
        if (!v.valid)
            throw MyException(v.errorText);
        const auto figures = Figures(v);
        if (m_options.usedOnly && std::all_of(figures.begin(), figures.begin() + 8, [](double x) { return x == 0; }))
            continue;
        for (size_t i = 0; i < 12; ++i)
            m_totals.add(FigureNames[i], figures[i]);
        ++m_printed;
        layout.add(detail(v));
        return true;
    }
    return false;
}

void TrialBalanceJob::end(rk::ReportLayout &layout)
{
    const QList<Column> cols = numberColumns();
    const std::array<double, 12> sums = this->totals();
    rk::Band totals;
    totals.cells << rk::TextCell(0, cols.first().x, u"Всичко:  "_s, rk::Align::Right, true);
    for (int i = 0; i < cols.size(); ++i) {
        const double value = m_options.quantity ? sums[size_t(i)] : sums[size_t(2 * i + 1)];
        rk::Cell c = rk::NumberCell(cols[i].x, cols[i].w, Money(value), true);
        c.frame = true;
        c.shade = Grey;
        c.fontPt = m_options.quantity ? 6.5 : 7.5;
        totals.cells << c;
    }
    layout.add(totals);
    if (!m_options.quantity) {
        rk::Band page;
        page.cells << rk::TextCell(0, 60, u"страница....{page}"_s);
        page.cells.last().fontPt = 7;
        layout.add(page);
    }
    rk::Band gap;
    gap.minHeight = 6;
    layout.add(gap);
    for (const rk::Band &b : ReportParts::SignatureBlock(width()))
        layout.add(b);
}

std::array<double, 12> TrialBalanceJob::totals() const
{
    std::array<double, 12> sums{};
    for (size_t i = 0; i < 12; ++i)
        sums[i] = m_totals.report(FigureNames[i]);
    return sums;
}

int TrialBalanceJob::progress() const
{
    return m_accounts.isEmpty() ? 100 : int(100.0 * m_next / m_accounts.size());
}
