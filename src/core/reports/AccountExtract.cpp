#include "reports/AccountExtract.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "firm/Lookups.h"
#include "reports/ReportParts.h"

using namespace Qt::StringLiterals;

namespace {
int LevelCount(const TAccountStr &account)
{
    int count = 0;
    while (count < 5 && account.levels[size_t(count)] > 0)
        ++count;
    return count;
}

QString LotFilter(const QString &field, const LotKey &lots, QVariantList &binds)
{
    QString sql;
    for (int k = 5; k >= 1; --k)
        if (lots[size_t(k - 1)] > 0) {
            sql += u" AND "_s + field + QString::number(k) + u" = ?"_s;
            binds << lots[size_t(k - 1)];
        }
    return sql;
}

// Equal keys list the postings in the order they were entered.
const QString EntryOrder = u"An.An_Doc_No, An.An_StNo, An.An_ID"_s;
}  // namespace

int AccountGroupingCode(Db &db, int account, AccountGrouping grouping)
{
    if (grouping != AccountGrouping::Levels)
        return int(grouping);
    const auto found = FindAccount(db, account);
    const int levels = found ? LevelCount(*found) : 0;
    if (levels == 0)
        throw MyException(NoLastLevelMessage);
    return 3 + levels;
}

AccountExtractJob::AccountExtractJob(Db &db, AccountExtractOptions options)
    : m_db(db), m_options(std::move(options)), m_lotNames(db), m_layout(db, m_lotNames, false)
{
    m_code = AccountGroupingCode(db, m_options.account, m_options.grouping);
    const auto account = FindAccount(db, m_options.account);
    if (!account)
        throw MyException(AccountNotInChartMessage);
    m_account = *account;
    m_levels = m_code >= 4 ? m_code - 3 : 0;
    m_period = ReadPeriod(db);

    const bool byLevels = m_levels > 0;
    QVariantList binds{m_options.account, Formats::SqlDate(m_options.from), Formats::SqlDate(m_options.to)};
    QString sql = ExtractColumns() + ExtractJoins(!byLevels)
                  + u"WHERE An.An_S_No = ? AND An.An_Date BETWEEN ? AND ?"_s;
    if (!byLevels) {
        auto bound = [&](bool given, const QString &condition, const QVariant &value) {
            if (given) {
                sql += condition;
                binds << value;
            }
        };
        bound(m_options.fromDocument.has_value(), u" AND Nom_p.Nom_DDoc_No >= ?"_s,
              double(m_options.fromDocument.value_or(0)));
        bound(m_options.toDocument.has_value(), u" AND Nom_p.Nom_DDoc_No <= ?"_s,
              double(m_options.toDocument.value_or(0)));
        bound(m_options.correspondingAccount > 0, u" AND An.An_S_Cr_No = ?"_s, m_options.correspondingAccount);
        bound(m_options.folder > 0, u" AND Nom_p.Nom_P_No = ?"_s, m_options.folder);
    }
    sql += LotFilter(u"An.An_S_An"_s, m_options.lots, binds);
    switch (m_code) {
    case 0: sql += u" ORDER BY "_s + EntryOrder; break;
    case 1: sql += u" ORDER BY An.An_Date, Nom_p.Nom_DDoc_No, "_s + EntryOrder; break;
    case 2: sql += u" ORDER BY An.An_S_Cr_No, An.An_Date, "_s + EntryOrder; break;
    case 3: sql += u" ORDER BY Nom_p.Nom_DDoc_No, An.An_Date, "_s + EntryOrder; break;
    default:
        sql += u" ORDER BY An.An_S_An1, An.An_S_An2, An.An_S_An3, An.An_S_An4, An.An_S_An5, An.An_Date, "_s
               + EntryOrder;
    }
    m_rows = std::make_unique<ExtractRows>(db, sql, binds);
    if (byLevels)
        m_rows->setOpeningLots(m_options.account, openingLots());
    if (m_rows->empty())
        throw MyException(NoExtractDataMessage);
    m_estimate = std::max<qint64>(1, db.scalar(u"SELECT count(*) FROM an WHERE An_S_No = ? AND An_Date BETWEEN ? AND ?"_s,
                                               {m_options.account, Formats::SqlDate(m_options.from),
                                                Formats::SqlDate(m_options.to)})
                                         .toLongLong());
    m_sums.resize(size_t(std::max(1, m_levels) + 1));
    m_groups = std::make_unique<rk::GroupLevels>(groupLevels());
}

AccountExtractJob::~AccountExtractJob() = default;

// The lots of the account that have a balance at the period's start: an opening balance of the
// year, or postings before the period.
std::vector<LotKey> AccountExtractJob::openingLots() const
{
    QVariantList binds{m_options.account};
    QString sql = u"SELECT Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5 FROM Sns WHERE Sn_UNo = ?"_s
                  + LotFilter(u"Sn_An"_s, m_options.lots, binds);
    binds << m_options.account << Formats::SqlDate(m_options.from);
    sql += u" UNION SELECT An_S_An1, An_S_An2, An_S_An3, An_S_An4, An_S_An5 FROM an WHERE An_S_No = ? AND An_Date < ?"_s
           + LotFilter(u"An_S_An"_s, m_options.lots, binds) + u" ORDER BY 1, 2, 3, 4, 5"_s;
    std::vector<LotKey> lots;
    QSqlQuery q = m_db.exec(sql, binds);
    while (q.next()) {
        LotKey key{};
        for (int k = 0; k < 5; ++k)
            key[size_t(k)] = q.value(k).toInt();
        lots.push_back(key);
    }
    return lots;
}

QString AccountExtractJob::lotName(int k) const
{
    return m_lotNames.name(m_account.levels[size_t(k - 1)], m_row.lots[size_t(k - 1)]);
}

// The totals of the lot of level k the current row belongs to: its lots 1..k, and beyond them the
// lots chosen for the extract, so that an outer group counts only the rows it lists.
std::optional<TAccountValue> AccountExtractJob::lotTotals(int k) const
{
    LotKey lots = m_options.lots;
    for (int i = 0; i < k; ++i)
        lots[size_t(i)] = m_row.lots[size_t(i)];
    const TAccountValue v = GetAccountValue(m_db, m_options.account, lots, m_period, m_options.from, m_options.to);
    return v.valid ? std::optional<TAccountValue>(v) : std::nullopt;
}

rk::GroupLevels::Level AccountExtractJob::lotLevel(int k)
{
    const size_t i = size_t(k - 1);
    // The lot's totals are taken when its group opens, while the row is the group's first.
    auto totals = std::make_shared<std::optional<TAccountValue>>();
    auto name = std::make_shared<QString>();
    rk::GroupLevels::Level level;
    level.header = [this, k, i, totals, name](const QVariant &) {
        *name = lotName(k);
        *totals = m_options.openings[i] || m_options.closings[i] ? lotTotals(k) : std::nullopt;
        if (!m_options.openings[i])
            return QList<rk::Band>{};
        rk::Band caption;
        caption.cells << rk::TextCell(0, m_layout.width(), u"Партида: "_s + *name, rk::Align::Left, true);
        std::optional<std::array<double, 4>> figures;
        if (*totals) {
            const TAccountValue &v = **totals;
            figures = std::array<double, 4>{v.openDtKol, v.openKtKol, v.openDtSt, v.openKtSt};
        }
        return QList<rk::Band>{caption, m_layout.figures(u"Начално салдо:"_s, figures)};
    };
    level.footer = [this, i, k, totals, name](const QVariant &) {
        QList<rk::Band> bands;
        if (m_options.turnovers[i])
            bands << m_layout.totals(u"Общо оборот за партида: "_s + *name, m_sums[size_t(k)]);
        if (m_options.closings[i]) {
            std::optional<std::array<double, 4>> figures;
            if (*totals) {
                const TAccountValue &v = **totals;
                figures = std::array<double, 4>{v.closeDtKol, v.closeKtKol, v.closeDtSt, v.closeKtSt};
            }
            bands << m_layout.figures(u"Крайно салдо:"_s, figures);
        }
        return bands;
    };
    level.continuation = [this, name](const QVariant &) {
        rk::Band b;
        b.cells << rk::TextCell(0, m_layout.width(), u"Партида: "_s + *name + u" (продължение)"_s);
        b.cells.last().fontPt = 7;
        return QList<rk::Band>{b};
    };
    level.closed = [this, k](const QVariant &) { m_sums[size_t(k)] = {}; };
    return level;
}

QString AccountExtractJob::groupValue(const QVariant &key) const
{
    switch (m_code) {
    case 1: return Formats::Date(key.toDate());
    case 2: return QString::number(key.toInt());
    case 3: return Formats::DocNo(key.toDouble());
    default: return {};
    }
}

QList<rk::GroupLevels::Level> AccountExtractJob::groupLevels()
{
    QList<rk::GroupLevels::Level> levels;
    if (m_code >= 1 && m_code <= 3) {
        static const QStringList captions = {u"Общо оборот за дата: "_s, u"Общо оборот за сметка: "_s,
                                             u"Общо оборот за документ: "_s};
        rk::GroupLevels::Level level;
        level.footer = [this](const QVariant &key) {
            return QList<rk::Band>{m_layout.totals(captions[m_code - 1] + groupValue(key), m_sums[1])};
        };
        level.closed = [this](const QVariant &) { m_sums[1] = {}; };
        levels << level;
    }
    for (int k = 1; k <= m_levels; ++k)
        levels << lotLevel(k);
    return levels;
}

QString AccountExtractJob::title() const { return u"Извлечение от сметка"_s; }

rk::PageSetup AccountExtractJob::setup() const { return ExtractLayout::Setup(); }

void AccountExtractJob::begin(rk::ReportLayout &layout)
{
    const double w = m_layout.width();
    rk::Band gap;
    gap.minHeight = 1.5;
    QList<rk::Band> header{
        ReportParts::TitleLine(u"ИЗВЛЕЧЕНИЕ  от СМЕТКА "_s + QString::number(m_options.account), w, 13),
        ReportParts::TitleLine(u"Фирма: "_s + m_options.firmName, w, 10, false),
        ReportParts::TitleLine(u"За периода от: "_s + Formats::Date(m_options.from) + u" до "_s
                                   + Formats::Date(m_options.to),
                               w, 9, false),
        gap};
    header << m_layout.headings();
    layout.setPageHeader(rk::Stack(header));
    layout.setPageFooter([](int page) { return rk::PageNumberFooter(ExtractLayout::Setup(), page, ReportParts::Stamp()); });
}

bool AccountExtractJob::step(rk::ReportLayout &layout)
{
    if (!m_rows->next(m_row))
        return false;
    std::array<QVariant, 5> keys;
    int count = 0;
    if (m_code == 1)
        keys[size_t(count++)] = m_row.An_Date;
    else if (m_code == 2)
        keys[size_t(count++)] = m_row.An_S_Cr_No;
    else if (m_code == 3)
        keys[size_t(count++)] = m_row.Nom_DDoc_No;
    for (int k = 0; k < m_levels; ++k)
        keys[size_t(count++)] = m_row.lots[size_t(k)];
    m_groups->row(layout, std::span(keys.data(), size_t(count)));
    for (ExtractSums &s : m_sums)
        s.add(m_row);
    if (!m_options.totalsOnly)
        layout.add(m_layout.row(m_row));
    ++m_printed;
    return true;
}

void AccountExtractJob::end(rk::ReportLayout &layout)
{
    m_groups->finish(layout);
    layout.add(m_layout.totals(u"Всичко оборот:"_s, m_sums.front()));
    rk::Band gap;
    gap.minHeight = 6;
    layout.add(gap);
    for (const rk::Band &b : ReportParts::SignatureBlock(m_layout.width()))
        layout.add(b);
}

int AccountExtractJob::progress() const { return int(std::min<qint64>(99, 100 * m_printed / m_estimate)); }
