#include "reports/ExtractParts.h"

#include "accounts/ChartStore.h"
#include "engine/Formats.h"
#include "reportkit/Layout.h"
#include "reports/LotNames.h"

using namespace Qt::StringLiterals;

namespace {
// Column indexes; the account column exists only in the lot extract.
enum Col { Folder, Date, DocNo, DocDate, AccountCol, DtKol, KtKol, DtSt, KtSt, Corr, Lots, CorrLots, Count };
constexpr double RowPt = 7;

rk::Cell Sized(rk::Cell c, bool wrap = false)
{
    c.fontPt = RowPt;
    c.wrap = wrap;
    return c;
}
}  // namespace

void ExtractSums::add(const ExtractRow &row)
{
    dtKol.add(row.dtKol);
    ktKol.add(row.ktKol);
    dtSt.add(row.dtSt);
    ktSt.add(row.ktSt);
}

ExtractLayout::ExtractLayout(Db &db, LotNames &lotNames, bool withAccount)
    : m_lotNames(lotNames), m_withAccount(withAccount)
{
    for (const SRow &a : ChartStore::All(db))
        m_accounts.insert(a.S_UNo, {QString::number(a.S_UNo) + u' ' + a.S_Name, a.S_An});
    const QList<double> widths = withAccount ? QList<double>{22, 17, 19, 17, 30, 17, 17, 21, 21, 34, 28, 28.6}
                                             : QList<double>{28, 18, 20, 18, 0, 18, 18, 22, 22, 40, 34, 33.6};
    double x = 0;
    for (double w : widths) {
        m_columns.append({x, w});
        x += w;
    }
}

rk::PageSetup ExtractLayout::Setup()
{
    rk::PageSetup s;
    s.landscape = true;
    return s;
}

double ExtractLayout::width() const { return Setup().contentWidth(); }

ExtractLayout::Column ExtractLayout::column(int index) const { return m_columns[index]; }

QString ExtractLayout::accountCaption(int account) const
{
    const auto it = m_accounts.constFind(account);
    return it == m_accounts.constEnd() ? QString::number(account) : it->caption;
}

const LotKey &ExtractLayout::levelsOf(int account) const
{
    static const LotKey none{};
    const auto it = m_accounts.constFind(account);
    return it == m_accounts.constEnd() ? none : it->levels;
}

rk::Band ExtractLayout::figureHeadings() const
{
    rk::Band top, bottom;
    top.cells << rk::FramedCell(column(DtKol).x, 2 * column(DtKol).w, u"Количество"_s, 7)
              << rk::FramedCell(column(DtSt).x, 2 * column(DtSt).w, u"Стойност"_s, 7);
    bottom.cells << rk::FramedCell(column(DtKol).x, column(DtKol).w, u"Дебит"_s, 7)
                 << rk::FramedCell(column(KtKol).x, column(KtKol).w, u"Кредит"_s, 7)
                 << rk::FramedCell(column(DtSt).x, column(DtSt).w, u"Дебит"_s, 7)
                 << rk::FramedCell(column(KtSt).x, column(KtSt).w, u"Кредит"_s, 7);
    return rk::Stack({top, bottom});
}

QList<rk::Band> ExtractLayout::headings() const
{
    rk::Band headings = figureHeadings();
    rk::Band tall;
    tall.cells << rk::FramedCell(column(Folder).x, column(Folder).w, u"Папка"_s, 7)
               << rk::FramedCell(column(Date).x, column(Date).w, u"Дата  на осч."_s, 7)
               << rk::FramedCell(column(DocNo).x, column(DocNo).w, u"№ на Док."_s, 7)
               << rk::FramedCell(column(DocDate).x, column(DocDate).w, u"Дата  на Док."_s, 7);
    if (m_withAccount)
        tall.cells << rk::FramedCell(column(AccountCol).x, column(AccountCol).w, u"Сметка"_s, 7);
    tall.cells << rk::FramedCell(column(Corr).x, column(Corr).w, u"Коренспондираща сметка"_s, 7)
               << rk::FramedCell(column(Lots).x, column(Lots).w, u"ПАРТИДИ"_s, 7)
               << rk::FramedCell(column(CorrLots).x, column(CorrLots).w, u"ПАРТИДИ"_s, 7);
    headings.extra << rk::BandItems(tall, headings.minHeight);
    return {headings};
}

rk::Band ExtractLayout::row(const ExtractRow &r) const
{
    rk::Band b;
    const LotKey &levels = levelsOf(r.An_S_No);
    b.cells << Sized(rk::TextCell(column(Lots).x, column(Lots).w, m_lotNames.names(levels, r.lots)), true);
    if (!r.posting)
        return b;  // a lot with an opening balance and no posting: its name alone
    b.cells << Sized(rk::TextCell(column(Folder).x, column(Folder).w, r.Nom_Pap_Name), true)
            << Sized(rk::TextCell(column(Date).x, column(Date).w, Formats::Date(r.An_Date)))
            << Sized(rk::TextCell(column(DocNo).x, column(DocNo).w, Formats::DocNo(r.Nom_DDoc_No)))
            << Sized(rk::TextCell(column(DocDate).x, column(DocDate).w, Formats::Date(r.Nom_Doc_Date)));
    if (m_withAccount)
        b.cells << Sized(rk::TextCell(column(AccountCol).x, column(AccountCol).w, accountCaption(r.An_S_No)), true);
    b.cells << Sized(rk::NumberCell(column(DtKol).x, column(DtKol).w, Formats::Amount(r.dtKol)))
            << Sized(rk::NumberCell(column(KtKol).x, column(KtKol).w, Formats::Amount(r.ktKol)))
            << Sized(rk::NumberCell(column(DtSt).x, column(DtSt).w, Formats::Amount(r.dtSt)))
            << Sized(rk::NumberCell(column(KtSt).x, column(KtSt).w, Formats::Amount(r.ktSt)))
            << Sized(rk::TextCell(column(Corr).x, column(Corr).w, accountCaption(r.An_S_Cr_No)), true)
            << Sized(rk::TextCell(column(CorrLots).x, column(CorrLots).w,
                                  m_lotNames.names(levelsOf(r.An_S_Cr_No), r.crLots)),
                     true);
    return b;
}

rk::Band ExtractLayout::figures(const QString &caption, const std::optional<std::array<double, 4>> &values,
                                bool bold) const
{
    rk::Band b;
    b.cells << Sized(rk::TextCell(0, column(DtKol).x, caption, rk::Align::Right, true), true);
    for (int i = 0; i < 4; ++i) {
        const Column c = column(DtKol + i);
        b.cells << Sized(rk::NumberCell(c.x, c.w, values ? Formats::Amount((*values)[size_t(i)]) : QString(), bold));
    }
    return b;
}

rk::Band ExtractLayout::totals(const QString &caption, const ExtractSums &s) const
{
    return figures(caption, std::array<double, 4>{s.dtKol.value(), s.ktKol.value(), s.dtSt.value(), s.ktSt.value()});
}
