#include "vat/JournalReport.h"

#include "engine/Errors.h"
#include "engine/Formats.h"
#include "reports/ReportParts.h"

using namespace Qt::StringLiterals;

namespace {
constexpr double DetailPt = 6.5;
constexpr double HeadingPt = 6;
// Type, number, date, tax number, name, subject; the seven amounts share the rest.
const std::array<double, 6> TextWidths = {22, 19, 15, 17, 38, 32};
const QColor Grey(220, 220, 220);

}  // namespace

JournalReportJob::JournalReportJob(VatJournal journal, QString firmName)
    : m_journal(std::move(journal)), m_firmName(std::move(firmName))
{
    if (m_journal.rows.isEmpty())
        throw MyException(NoJournalDataMessage);
    if (!m_journal.totals)
        throw MyException(JournalSumsMessage);
}

QString JournalReportJob::title() const { return VatJournals::Title(m_journal.kind); }

rk::PageSetup JournalReportJob::setup() const
{
    rk::PageSetup s;
    s.landscape = true;
    return s;
}

QStringList JournalReportJob::Headings(VatJournalKind kind)
{
    const QStringList common = {u"Вид на документа"_s, u"Номер на документ"_s, u"Дата на документ"_s};
    if (kind == VatJournalKind::Purchases)
        return common
               + QStringList{u"Данъчен номер на доставчика"_s,
                             u"Име на доставчика"_s,
                             u"Предмет на доставката"_s,
                             u"Обща стойност на доставката"_s,
                             u"Стойност на доставките без данък или без право на ДК"_s,
                             u"Данъчна основа на доставките и вноса с право на пълен ДК"_s,
                             u"Начислен данък при доставки и внос с право на пълен ДК"_s,
                             u"Данъчна основа на доставките и вноса с право на частичен ДК"_s,
                             u"Начислен данък при доставки и внос с право на частичен ДК"_s,
                             u"Акциз включен в данъчната основа"_s};
    return common
           + QStringList{u"Данъчен номер на получателя"_s,
                         u"Име на контрагента-\nполучател"_s,
                         u"Предмет на доставката"_s,
                         u"Обща стойност на доставката"_s,
                         u"Данъчна основа на облагаемите доставки,без износа"_s,
                         u"Начислен данък по облагаеми доставки"_s,
                         u"Данъчна основа на износа"_s,
                         u"Данъчна основа на освободени доставки"_s,
                         u"Начислен данък в други случаи"_s,
                         u"Акциз включен в данъчната основа"_s};
}

QList<JournalReportJob::Column> JournalReportJob::Columns()
{
    QList<Column> columns;
    double x = 0;
    for (double w : TextWidths) {
        columns.append({x, w});
        x += w;
    }
    const double amountWidth = (rk::PageSetup{true}.contentWidth() - x) / JournalAmountCount;
    for (int i = 0; i < JournalAmountCount; ++i)
        columns.append({x + i * amountWidth, amountWidth});
    return columns;
}

rk::Band JournalReportJob::detail(const JournalRow &row) const
{
    const QList<Column> cols = Columns();
    const QStringList texts = {row.Doc_Text.isEmpty() ? u"%1"_s.arg(row.DocType, 2, 10, QChar(u'0')) : row.Doc_Text,
                               Formats::DocNo(double(row.Doc_No)),
                               Formats::Date(row.Doc_Date),
                               row.Kontra_DN,
                               row.Kontra_Text,
                               row.DostText};
    rk::Band b;
    for (int i = 0; i < texts.size(); ++i) {
        rk::Cell c = rk::TextCell(cols[i].x, cols[i].w, texts[i]);
        c.wrap = true;
        b.cells << c;
    }
    for (int i = 0; i < JournalAmountCount; ++i) {
        const auto &amount = row.amounts[size_t(i)];
        b.cells << rk::NumberCell(cols[6 + i].x, cols[6 + i].w, amount ? VatJournals::AmountText(*amount) : QString());
    }
    for (rk::Cell &c : b.cells)
        c.fontPt = DetailPt;
    return b;
}

void JournalReportJob::begin(rk::ReportLayout &layout)
{
    const double width = setup().contentWidth();
    const QString name = m_journal.kind == VatJournalKind::Purchases ? u"ДНЕВНИК НА ПОКУПКИТЕ"_s
                                                                     : u"ДНЕВНИК НА ПРОДАЖБИТЕ"_s;
    layout.setTitle(ReportParts::TitleBlock(name, u"на "_s + m_firmName,
                                            u"отчетен период "_s + Formats::Date(m_journal.from) + u" до "_s
                                                + Formats::Date(m_journal.to),
                                            width, 3));
    rk::Band headings;
    const QList<Column> cols = Columns();
    const QStringList texts = Headings(m_journal.kind);
    for (int i = 0; i < cols.size(); ++i)
        headings.cells << rk::FramedCell(cols[i].x, cols[i].w, texts[i], HeadingPt);
    layout.setPageHeader(headings);
    const rk::PageSetup page = setup();
    layout.setPageFooter([page](int number) { return rk::PageNumberFooter(page, number); });
}

bool JournalReportJob::step(rk::ReportLayout &layout)
{
    if (m_next >= m_journal.rows.size())
        return false;
    layout.add(detail(m_journal.rows[m_next++]));
    return true;
}

void JournalReportJob::end(rk::ReportLayout &layout)
{
    const QList<Column> cols = Columns();
    rk::Band totals;
    totals.cells << rk::TextCell(0, cols[6].x,
                                 m_journal.kind == VatJournalKind::Purchases ? u"Всичко :"_s : u"Всичко:"_s,
                                 rk::Align::Right, true);
    for (int i = 0; i < JournalAmountCount; ++i) {
        rk::Cell c = rk::NumberCell(cols[6 + i].x, cols[6 + i].w, VatJournals::AmountText((*m_journal.totals)[size_t(i)]),
                                    true);
        c.frame = true;
        c.shade = Grey;
        totals.cells << c;
    }
    for (rk::Cell &c : totals.cells)
        c.fontPt = DetailPt;
    layout.add(totals);
    rk::Band gap;
    gap.minHeight = 6;
    layout.add(gap);
    layout.addGroup(ReportParts::SignatureBlock(setup().contentWidth()));
}

int JournalReportJob::progress() const
{
    return m_journal.rows.isEmpty() ? 100 : int(100.0 * m_next / m_journal.rows.size());
}
