#include "reports/LotExtract.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "reports/AccountExtract.h"
#include "reports/ReportParts.h"

using namespace Qt::StringLiterals;

LotExtractJob::LotExtractJob(Db &db, LotExtractOptions options)
    : m_db(db), m_options(std::move(options)), m_lotNames(db), m_layout(db, m_lotNames, true)
{
    // Every account that carries the level, at whichever position, with the lot there.
    QVariantList binds{Formats::SqlDate(m_options.from), Formats::SqlDate(m_options.to)};
    QStringList positions;
    for (int k = 1; k <= 5; ++k) {
        positions << u"(S.S_An%1 = ? AND An.An_S_An%1 = ?)"_s.arg(k);
        binds << m_options.level << m_options.lot;
    }
    QString sql = ExtractColumns() + ExtractJoins(true) + u"WHERE An.An_Date BETWEEN ? AND ? AND ("_s
                  + positions.join(u" OR "_s) + u")"_s;
    m_estimate = std::max<qint64>(1, db.scalar(u"SELECT count(*) "_s + sql.mid(sql.indexOf(u"FROM an An"_s)), binds)
                                         .toLongLong());
    const QString entryOrder = u"An.An_Doc_No, An.An_StNo, An.An_ID"_s;
    switch (m_options.grouping) {
    case LotGrouping::None: sql += u" ORDER BY "_s + entryOrder; break;
    case LotGrouping::Date: sql += u" ORDER BY An.An_Date, "_s + entryOrder; break;
    case LotGrouping::Account: sql += u" ORDER BY An.An_S_No, An.An_Date, "_s + entryOrder; break;
    case LotGrouping::Document: sql += u" ORDER BY Nom_p.Nom_DDoc_No, An.An_Date, "_s + entryOrder; break;
    case LotGrouping::Folder: sql += u" ORDER BY Nom_pap.Nom_Pap_Name, An.An_Date, "_s + entryOrder; break;
    }
    m_rows = std::make_unique<ExtractRows>(db, sql, binds);
    m_totals = GetAnValue(db, m_options.level, m_options.lot, m_options.from, m_options.to);
    if (!m_totals.valid)
        throw MyException(m_totals.errorText);
    const bool noOpening =
        m_totals.openDtKol == 0 && m_totals.openDtSt == 0 && m_totals.openKtKol == 0 && m_totals.openKtSt == 0;
    if (m_rows->empty() && noOpening)
        throw MyException(NoExtractDataMessage);
    if (m_options.grouping != LotGrouping::None) {
        rk::GroupLevels::Level level;
        level.footer = [this](const QVariant &) { return QList<rk::Band>{m_layout.totals(u"Общо:"_s, m_sums[1])}; };
        level.closed = [this](const QVariant &) { m_sums[1] = {}; };
        m_groups = std::make_unique<rk::GroupLevels>(QList<rk::GroupLevels::Level>{level});
    }
}

LotExtractJob::~LotExtractJob() = default;

QString LotExtractJob::title() const { return u"Извлечение от партида"_s; }

rk::PageSetup LotExtractJob::setup() const { return ExtractLayout::Setup(); }

// "Показатели:" with the lot's opening balance, turnovers and closing balance over the period.
QList<rk::Band> LotExtractJob::summary() const
{
    const TAccountValue &v = m_totals;
    rk::Band caption;
    caption.cells << rk::TextCell(0, 60, u"Показатели:"_s, rk::Align::Left, true);
    QList<rk::Band> bands{caption};
    bands << m_layout.figureHeadings();
    bands << m_layout.figures(u"Начални салдо:"_s, std::array<double, 4>{v.openDtKol, v.openKtKol, v.openDtSt, v.openKtSt})
          << m_layout.figures(u"Обороти:"_s, std::array<double, 4>{v.turnDtKol, v.turnKtKol, v.turnDtSt, v.turnKtSt})
          << m_layout.figures(u"Крайно салдо:"_s,
                              std::array<double, 4>{v.closeDtKol, v.closeKtKol, v.closeDtSt, v.closeKtSt});
    rk::Band gap;
    gap.minHeight = 5;
    bands << gap;
    return bands;
}

void LotExtractJob::begin(rk::ReportLayout &layout)
{
    const double w = m_layout.width();
    const QString lotName = m_lotNames.name(m_options.level, m_options.lot);
    QList<rk::Band> title{
        ReportParts::TitleLine(u"ИЗВЛЕЧЕНИЕ  от  ПАРТИДА"_s, w, 13),
        ReportParts::TitleLine(m_options.firmName, w, 10, false),
        ReportParts::TitleLine(u"За перида от "_s + Formats::Date(m_options.from) + u" до "_s
                                   + Formats::Date(m_options.to),
                               w, 9, false),
        ReportParts::TitleLine(u"на "_s + lotName, w, 10),
    };
    title << summary();
    layout.setTitle(rk::Stack(title));
    layout.setPageHeader(rk::Stack(m_layout.headings()));
    layout.setPageFooter([](int page) { return rk::PageNumberFooter(ExtractLayout::Setup(), page, ReportParts::Stamp()); });
}

QVariant LotExtractJob::groupKey() const
{
    switch (m_options.grouping) {
    case LotGrouping::Date: return m_row.An_Date;
    case LotGrouping::Account: return m_row.An_S_No;
    case LotGrouping::Document: return m_row.Nom_DDoc_No;
    case LotGrouping::Folder: return m_row.Nom_Pap_Name;
    case LotGrouping::None: break;
    }
    return {};
}

bool LotExtractJob::step(rk::ReportLayout &layout)
{
    if (!m_rows->next(m_row))
        return false;
    if (m_groups) {
        const QVariant key = groupKey();
        m_groups->row(layout, std::span(&key, 1));
    }
    for (ExtractSums &s : m_sums)
        s.add(m_row);
    layout.add(m_layout.row(m_row));
    ++m_printed;
    return true;
}

void LotExtractJob::end(rk::ReportLayout &layout)
{
    if (m_groups)
        m_groups->finish(layout);
    layout.add(m_layout.totals(u"Всичко:"_s, m_sums[0]));
    rk::Band gap;
    gap.minHeight = 6;
    layout.add(gap);
    for (const rk::Band &b : ReportParts::SignatureBlock(m_layout.width()))
        layout.add(b);
}

int LotExtractJob::progress() const { return int(std::min<qint64>(99, 100 * m_printed / m_estimate)); }
