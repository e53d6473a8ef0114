#include "reports/GeneralLedger.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Rounding.h"
#include "reports/ReportParts.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;
using ReportParts::Money;

namespace {
// Columns: label, debit, credit, corresponding account number and name.
constexpr double LabelX = 0, LabelW = 45, DtX = 45, DtW = 30, KtX = 75, KtW = 30, CorrX = 108, CorrNoW = 14;
constexpr double CorrNameX = CorrX + CorrNoW;
}  // namespace

GeneralLedgerJob::GeneralLedgerJob(Db &db, GeneralLedgerOptions options) : m_db(db), m_options(std::move(options))
{
    m_period = ReadPeriod(db);
    m_fromText = Formats::SqlDate(m_options.from);
    m_toText = Formats::SqlDate(m_options.to);
    QSqlQuery accounts = db.exec(u"SELECT S_UNo, S_Name, S_Act_Pas_Type FROM s ORDER BY S_UNo"_s);
    while (accounts.next()) {
        m_accounts.append({accounts.value(0).toInt(), accounts.value(1).toString()});
        m_names.insert(accounts.value(0).toInt(), accounts.value(1).toString());
        m_balanceTypes.insert(accounts.value(0).toInt(), accounts.value(2).toInt());
    }
    bool anyData = false;
    QSqlQuery openings = db.exec(u"SELECT Sn_UNo, SUM(Sn_St_Dt), SUM(Sn_St_Kt) FROM Sns GROUP BY Sn_UNo"_s);
    while (openings.next()) {
        const Opening o{openings.value(1).toDouble(), openings.value(2).toDouble()};
        m_openings.insert(openings.value(0).toInt(), o);
        anyData |= o.dt != 0 || o.kt != 0;
    }
    // A period that starts later opens with what the days before it carried over.
    if (!anyData)
        anyData = db.scalar(u"SELECT EXISTS (SELECT 1 FROM an An INNER JOIN s S_1 ON An.An_S_Cr_No = S_1.S_UNo "
                            "WHERE An.An_Date BETWEEN ? AND ? AND (An.An_S_Dt_St <> 0 OR An.An_S_Kt_St <> 0))"_s,
                            {Formats::SqlDate(m_period.Date_Ot), Formats::SqlDate(m_options.to)})
                      .toInt()
                  != 0;
    if (!anyData)
        throw MyException(NoLedgerDataMessage);
}

// The account's debit and credit amounts of the period by corresponding account, in number
// order; a corresponding account missing from the chart is left out, as the join leaves it,
// but still counts in the period's turnover.
QList<GeneralLedgerJob::Turnover> GeneralLedgerJob::turnoversOf(int account, double &turnDt, double &turnKt)
{
    QList<Turnover> rows;
    turnDt = turnKt = 0;
    // Prepared once for the whole ledger and read forward only.
    QSqlQuery &q = m_db.execCached(u"SELECT An_S_Cr_No, SUM(An_S_Dt_St), SUM(An_S_Kt_St) FROM an INDEXED BY an_ledger "
                                   "WHERE An_S_No = ? AND An_Date BETWEEN ? AND ? GROUP BY An_S_Cr_No "
                                   "ORDER BY An_S_Cr_No"_s,
                                   {account, m_fromText, m_toText});
    while (q.next()) {
        const int corr = q.value(0).toInt();
        const double dt = q.value(1).toDouble(), kt = q.value(2).toDouble();
        turnDt += dt;
        turnKt += kt;
        const auto name = m_names.constFind(corr);
        if (name != m_names.constEnd())
            rows.append({corr, *name, dt, kt});
    }
    q.finish();
    return rows;
}

// The opening of the period as the account totals give it: the year's opening balances, or the
// closing of the days before the range.
GeneralLedgerJob::Opening GeneralLedgerJob::openingOf(int account)
{
    if (!m_period.contains(m_options.from) || !m_period.contains(m_options.to))
        throw MyException(PeriodMessage);
    if (m_options.from == m_period.Date_Ot)
        return m_openings.value(account);
    const TAccountValue before =
        GetAccountValue(m_db, account, {}, m_period, m_period.Date_Ot, m_options.from.addDays(-1));
    if (!before.valid)
        throw MyException(before.errorText);
    return {before.closeDtSt, before.closeKtSt};
}

// The closing amounts at the period's end: the opening of the period plus its turnover, closed
// by the account's balance type, so opening + turnovers = closing on every section.
TAccountValue GeneralLedgerJob::closingOf(int account, const Opening &opening, double turnDt, double turnKt)
{
    TAccountValue v;
    v.openDtSt = RoundAmount(opening.dt);
    v.openKtSt = RoundAmount(opening.kt);
    v.turnDtSt = RoundAmount(turnDt);
    v.turnKtSt = RoundAmount(turnKt);
    CloseByBalanceType(v, m_balanceTypes.value(account), true);
    return v;
}

QString GeneralLedgerJob::title() const { return u"Главна книга"_s; }

rk::PageSetup GeneralLedgerJob::setup() const { return rk::PageSetup{}; }

bool GeneralLedgerJob::shown(const Turnover &t, const Opening &o) const
{
    return !(t.dt == 0 && t.kt == 0 && o.dt == 0 && o.kt == 0);
}

void GeneralLedgerJob::begin(rk::ReportLayout &layout)
{
    layout.setTitle(ReportParts::TitleBlock(u"ГЛАВНА  КНИГА"_s, u"Фирма: "_s + m_options.firmName,
                                            u"за периода "_s + Formats::Date(m_options.from) + u" до "_s
                                                + Formats::Date(m_options.to),
                                            setup().contentWidth(), 4));
    layout.setPageFooter([](int page) { return rk::PageNumberFooter(rk::PageSetup{}, page, ReportParts::Stamp()); });
}

bool GeneralLedgerJob::step(rk::ReportLayout &layout)
{
    while (m_next < m_accounts.size()) {
        const auto &[account, name] = m_accounts[m_next++];
        double turnDt = 0, turnKt = 0;
        const QList<Turnover> rows = turnoversOf(account, turnDt, turnKt);
        const Opening opening = openingOf(account);
        // A section prints when its opening or any of its turnovers does; its heading, account
        // and opening rows and its closing row then always print with it.
        if (std::none_of(rows.begin(), rows.end(), [&](const Turnover &t) { return shown(t, opening); })
            && !shown(Turnover{}, opening))
            continue;
        QList<rk::Band> section;
        rk::Band heading;
        heading.cells << rk::TextCell(LabelX, LabelW, u"Сметка"_s, rk::Align::Left, true)
                      << rk::NumberCell(DtX, DtW, u"Дебит"_s, true) << rk::NumberCell(KtX, KtW, u"Кредит"_s, true)
                      << rk::TextCell(CorrX, 70, u"Кореспондираща сметка"_s, rk::Align::Left, true);
        rk::Band accountBand;
        accountBand.cells << rk::TextCell(LabelX, 14, QString::number(account), rk::Align::Left, true);
        rk::Cell accountName = rk::TextCell(14, 150, name, rk::Align::Left, true);
        accountName.wrap = true;
        accountBand.cells << accountName;
        section << heading << accountBand;
        if (m_openings.contains(account) || shown(Turnover{}, opening)) {
            rk::Band open;
            open.cells << rk::TextCell(LabelX, LabelW, u"Начални салдо:"_s)
                       << rk::NumberCell(DtX, DtW, Money(opening.dt)) << rk::NumberCell(KtX, KtW, Money(opening.kt));
            section << open;
        }
        for (const Turnover &t : rows) {
            if (!shown(t, opening))
                continue;
            rk::Band row;
            row.cells << rk::TextCell(LabelX, LabelW, u"Обороти:"_s) << rk::NumberCell(DtX, DtW, Money(t.dt))
                      << rk::NumberCell(KtX, KtW, Money(t.kt));
            if (t.corrAccount > 0)
                row.cells << rk::NumberCell(CorrX, CorrNoW - 2, QString::number(t.corrAccount));
            rk::Cell corrName = rk::TextCell(CorrNameX, setup().contentWidth() - CorrNameX, t.corrName);
            corrName.wrap = true;
            row.cells << corrName;
            section << row;
        }
        const TAccountValue closing = closingOf(account, opening, turnDt, turnKt);
        rk::Band close;
        close.cells << rk::TextCell(LabelX, LabelW, u"Крайно салдо:"_s, rk::Align::Left, true)
                    << rk::NumberCell(DtX, DtW, Money(closing.closeDtSt), true)
                    << rk::NumberCell(KtX, KtW, Money(closing.closeKtSt), true);
        rk::Band spacer;
        spacer.minHeight = 4;
        section << close << spacer;
        layout.addGroup(section);
        ++m_sections;
        return true;
    }
    return false;
}

void GeneralLedgerJob::end(rk::ReportLayout &layout)
{
    for (const rk::Band &b : ReportParts::SignatureBlock(setup().contentWidth()))
        layout.add(b);
}

int GeneralLedgerJob::progress() const
{
    return m_accounts.isEmpty() ? 100 : int(100.0 * m_next / m_accounts.size());
}
