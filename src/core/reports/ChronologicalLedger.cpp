#include "reports/ChronologicalLedger.h"

#include "accounts/ChartStore.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "reports/ReportParts.h"

#include <QStringBuilder>

using namespace Qt::StringLiterals;

namespace {
// Columns of an A4 portrait page: posting date, debit and credit account with their lots, the
// two quantities and the amount.
constexpr double DateX = 0, DateW = 20, DtX = 20, SideW = 52, KtX = 72, DtKolX = 124, KtKolX = 144, StX = 164;
constexpr double NumberW = 20, StW = 20.6, Width = StX + StW;
constexpr double RowPt = 7.5;

rk::Cell Small(rk::Cell c)
{
    c.fontPt = RowPt;
    return c;
}
}  // namespace

void ChronologicalLedgerJob::Sums::add(const ChronologicalRow &row)
{
    dtKol.add(row.Doc_S_Dt_Kol);
    ktKol.add(row.Doc_S_Kt_Kol);
    st.add(row.Doc_St);
}

ChronologicalLedgerJob::ChronologicalLedgerJob(Db &db, ChronologicalOptions options)
    : m_db(db), m_options(std::move(options)), m_rows(db, m_options.selection), m_lotNames(db),
      m_groups({{[this](const QVariant &name) { return folderHeader(name, false); },
                 [this](const QVariant &) { return QList<rk::Band>{totalsBand(u"Общо за папката:"_s, m_sums[1], true)}; },
                 [this](const QVariant &name) { return folderHeader(name, true); },
                 [this](const QVariant &) { m_sums[1] = {}; }},
                {[this](const QVariant &) { return documentHeader(false); },
                 [this](const QVariant &) {
                     return QList<rk::Band>{totalsBand(u"Общо за документа:"_s, m_sums[2], false)};
                 },
                 [this](const QVariant &) { return documentHeader(true); },
                 [this](const QVariant &) { m_sums[2] = {}; }}})
{
    if (m_rows.empty())
        throw MyException(NoChronologicalDataMessage);
    for (const SRow &a : ChartStore::All(db))
        m_accounts.insert(a.S_UNo, {QString::number(a.S_UNo) + u' ' + a.S_Name, a.S_An});
}

QString ChronologicalLedgerJob::title() const { return u"Хронологична ведомост"_s; }

rk::PageSetup ChronologicalLedgerJob::setup() const { return rk::PageSetup{}; }

QList<rk::Band> ChronologicalLedgerJob::pageHeader() const
{
    const ChronologicalSelection &s = m_options.selection;
    rk::Band top, bottom;
    top.cells << rk::FramedCell(DtKolX, 2 * NumberW, u"Количество"_s, 7);
    bottom.cells << rk::FramedCell(DtKolX, NumberW, u"Дебит"_s, 7) << rk::FramedCell(KtKolX, NumberW, u"Кредит"_s, 7);
    // The other headings run down both rows.
    rk::Band headings = rk::Stack({top, bottom});
    rk::Band tall;
    tall.cells << rk::FramedCell(DateX, DateW, u"Дата на осчетоводяване"_s, 7)
               << rk::FramedCell(DtX, SideW, u"Сметка дебит/Партида"_s, 7)
               << rk::FramedCell(KtX, SideW, u"Сметка кредит/Партида"_s, 7) << rk::FramedCell(StX, StW, u"Сума"_s, 7);
    headings.extra << rk::BandItems(tall, headings.minHeight);
    rk::Band gap;
    gap.minHeight = 1.5;
    return {ReportParts::TitleLine(u"ХРОНОЛОГИЧНА  ВЕДОМОСТ"_s, Width, 13),
            ReportParts::TitleLine(u"на "_s + m_options.firmName, Width, 10, false),
            ReportParts::TitleLine(u"За периода от "_s + Formats::Date(s.from) + u" до "_s + Formats::Date(s.to), Width,
                                   9, false),
            gap, headings};
}

QList<rk::Band> ChronologicalLedgerJob::folderHeader(const QVariant &name, bool continued) const
{
    rk::Band b;
    b.cells << rk::TextCell(0, Width, u"Папка: "_s + name.toString() + (continued ? u" (продължение)"_s : QString()),
                            rk::Align::Left, true);
    b.cells.last().fontPt = 9;
    return {b};
}

QList<rk::Band> ChronologicalLedgerJob::documentHeader(bool continued) const
{
    rk::Band b;
    b.cells.reserve(2);
    // Built in one piece: a year's ledger heads a quarter of a million documents.
    const QString number = u"Док.N/дата "_s % Formats::DocNo(m_row.Nom_DDoc_No) % u'/'
                           % Formats::Date(m_row.Nom_Doc_Date) % (continued ? u" (продължение)"_s : QString());
    b.cells << Small(rk::TextCell(0, 62, number, rk::Align::Left, true));
    if (!continued) {
        rk::Cell description = Small(rk::TextCell(62, Width - 62, u"Описание на документа: "_s % m_row.Nom_Doc_Osno));
        description.wrap = true;
        b.cells << description;
    }
    return {b};
}

// "304 Стоки", and when the line carries lots, their names in two lines under it: positions
// 1–3, then 4–5.
QString ChronologicalLedgerJob::sideText(int account, const LotKey &lots, bool &tall)
{
    tall = false;
    // The lines are read after the chart: an account added to the chart in between is shown by
    // its number alone.
    auto found = m_accounts.constFind(account);
    if (found == m_accounts.cend())
        found = m_accounts.insert(account, {QString::number(account), {}});
    const Account &a = *found;
    if (std::all_of(lots.begin(), lots.end(), [](int lot) { return lot < 1; }))
        return a.caption;
    const QString first = m_lotNames.names(a.levels, lots, 1, 3), second = m_lotNames.names(a.levels, lots, 4, 5);
    if (first.isEmpty() && second.isEmpty())
        return a.caption;
    tall = true;
    return a.caption + u'\n' + first + u'\n' + second;
}

rk::Band &ChronologicalLedgerJob::detail(const ChronologicalRow &row)
{
    bool dtTall = false, ktTall = false;
    QString dt = sideText(row.Doc_S_Dt, row.dtLots, dtTall), kt = sideText(row.Doc_S_Kt, row.ktLots, ktTall);
    // A line with any lot name is three lines high on both sides.
    if (ktTall && !dtTall)
        dt += u"\n\n"_s;
    if (dtTall && !ktTall)
        kt += u"\n\n"_s;
    QList<rk::Cell> &cells = m_detail.cells;
    if (cells.isEmpty())
        cells << Small(rk::TextCell(DateX, DateW, {})) << Small(rk::TextCell(DtX, SideW, {}))
              << Small(rk::TextCell(KtX, SideW, {})) << Small(rk::NumberCell(DtKolX, NumberW, {}))
              << Small(rk::NumberCell(KtKolX, NumberW, {})) << Small(rk::NumberCell(StX, StW, {}));
    cells[0].text = Formats::Date(row.Doc_Date);
    cells[1].text = std::move(dt);
    cells[2].text = std::move(kt);
    cells[3].text = Formats::Amount(row.Doc_S_Dt_Kol);
    cells[4].text = Formats::Amount(row.Doc_S_Kt_Kol);
    cells[5].text = Formats::Amount(row.Doc_St);
    return m_detail;
}

rk::Band ChronologicalLedgerJob::totalsBand(const QString &caption, const Sums &sums, bool bold) const
{
    rk::Band b;
    b.cells << Small(rk::TextCell(DtX, DtKolX - DtX, caption, rk::Align::Right, true))
            << Small(rk::NumberCell(DtKolX, NumberW, Formats::Amount(sums.dtKol.value()), bold))
            << Small(rk::NumberCell(KtKolX, NumberW, Formats::Amount(sums.ktKol.value()), bold))
            << Small(rk::NumberCell(StX, StW, Formats::Amount(sums.st.value()), bold));
    return b;
}

void ChronologicalLedgerJob::begin(rk::ReportLayout &layout)
{
    layout.setPageHeader(rk::Stack(pageHeader()));
    layout.setPageFooter([](int page) { return rk::PageNumberFooter(rk::PageSetup{}, page, ReportParts::Stamp()); });
}

bool ChronologicalLedgerJob::step(rk::ReportLayout &layout)
{
    if (!m_rows.next(m_row))
        return false;
    // The groups are asked only when the line's folder or document is another than the last's:
    // most lines share both with the line before them.
    if (m_row.Nom_P_No != m_groupFolder || m_row.Nom_Doc_No != m_groupDocument) {
        m_groupFolder = m_row.Nom_P_No;
        m_groupDocument = m_row.Nom_Doc_No;
        const std::array<QVariant, 2> keys{m_rows.folderNames().value(m_row.Nom_P_No), m_row.Nom_Doc_No};
        m_groups.row(layout, keys);
    }
    for (Sums &s : m_sums)
        s.add(m_row);
    layout.add(detail(m_row));
    return true;
}

void ChronologicalLedgerJob::end(rk::ReportLayout &layout)
{
    m_groups.finish(layout);
    layout.add(totalsBand(u"Всичко:"_s, m_sums[0], true));
    rk::Band gap;
    gap.minHeight = 6;
    layout.add(gap);
    for (const rk::Band &b : ReportParts::SignatureBlock(Width))
        layout.add(b);
}

int ChronologicalLedgerJob::progress() const { return m_rows.progress(); }
