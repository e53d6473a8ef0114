#include "statements/StatementReport.h"

#include "engine/Formats.h"
#include "firm/Currency.h"
#include "reports/ReportParts.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace {

const QColor LightGrey(224, 224, 224);
const QColor DarkGrey(164, 164, 164);
constexpr double FontPt = 8;

struct Layout {
    QString appendix;       // "ПРИЛОЖЕНИЕ 1"
    QString article;        // "към чл.40,ал.1,т.1"
    QString title;          // as printed
    QString firstSide, secondSide;                // side headings, empty when none
    QString firstNameHeading, secondNameHeading;  // the first column's heading on each side
    QSet<int> light, dark;  // emphasised line numbers
    bool darkNameOnly = false;  // dark lines shade only the name cell, the rest light
};

const Layout &LayoutOf(StatementType type)
{
    static const Layout balance{u"ПРИЛОЖЕНИЕ 1"_s,
                                u"към чл.40,ал.1,т.1"_s,
                                u"БАЛАНС"_s,
                                u"АКТИВ"_s,
                                u"ПАСИВ"_s,
                                u"РАЗДЕЛИ,ГРУПИ,СТАТИИ"_s,
                                u"РАЗДЕЛИ,ГРУПИ,СТАТИИ"_s,
                                {8, 15, 22, 27, 29, 30, 39, 49, 54, 59, 68, 74, 78, 82, 83, 91, 95, 109, 111, 115},
                                {62, 116},
                                false};
    static const Layout income{u"ПРИЛОЖЕНИЕ 2"_s,
                               u"към чл.40,ал.1,т.2"_s,
                               u"ОТЧЕТ ЗА ПРИХОДИ  И  РАЗХОДИ"_s,
                               u"РАЗХОДИ"_s,
                               u"ПРИХОДИ"_s,
                               u"НАИМЕНОВАНИЕ НА РАЗХОДИТЕ"_s,
                               u"НАИМЕНОВАНИЕ НА ПРИХОДИТЕ"_s,
                               {14, 22, 26, 30, 32, 47, 54, 58, 60},
                               {31, 33, 59, 61},
                               false};
    static const Layout cashFlow{u"ПРИЛОЖЕНИЕ 3"_s,
                                 u"към чл.40,ал.1,т.3"_s,
                                 u"ОТЧЕТ ЗА ПАРИЧНИЯТ  ПОТОК"_s,
                                 {},
                                 {},
                                 u"НАИМЕНОВАНИЕ  НА  ПАРИЧНИТЕ ПОТОЦИ "_s,
                                 u"НАИМЕНОВАНИЕ  НА  ПАРИЧНИТЕ ПОТОЦИ "_s,
                                 {12, 21, 30, 36, 43, 49},
                                 {22, 37, 50, 51, 54},
                                 true};
    switch (type) {
    case StatementType::Balance: return balance;
    case StatementType::Income: return income;
    default: return cashFlow;
    }
}

rk::Band Line(const QString &text, double width, rk::Align align, double fontPt, bool bold)
{
    rk::Band b;
    b.cells << rk::TextCell(0, width, text, align, bold);
    b.cells.last().fontPt = fontPt;
    return b;
}

QString Amount(const std::optional<double> &value) { return value ? ReportParts::Money(*value) : QString(); }

}  // namespace

StatementReportJob::StatementReportJob(ComputedStatement statement, QString firmName)
    : m_statement(std::move(statement)), m_firmName(std::move(firmName))
{
}

QString StatementReportJob::title() const
{
    switch (m_statement.type) {
    case StatementType::Balance: return u"Баланс"_s;
    case StatementType::Income: return u"Отчет за приходи и разходи"_s;
    default: return u"Отчет за паричния поток"_s;
    }
}

int StatementReportJob::FirstSideEnd(StatementType type)
{
    switch (type) {
    case StatementType::Balance: return 63;
    case StatementType::Income: return 33;
    default: return 0;
    }
}

// The first side's last line still belongs to it, also when it opens a page of its own.
bool StatementReportJob::secondSide(int lineNo) const
{
    const int end = FirstSideEnd(m_statement.type);
    return end > 0 && lineNo > end;
}

QList<StatementReportJob::Column> StatementReportJob::columns(bool second) const
{
    const double w = width();
    if (m_statement.type == StatementType::Balance) {
        constexpr double name = 72, prev = 28;
        if (second) {
            // The correction is not shown on the liabilities pages: gross and net take its room.
            const double half = (w - name - prev) / 2;
            return {{0, name}, {name, prev}, {name + prev, half}, {name + prev + half, w - name - prev - half}};
        }
        return {{0, name}, {name, prev}, {name + prev, 28}, {name + prev + 28, 28}, {name + prev + 56, w - name - prev - 56}};
    }
    constexpr double name = 98, code = 22, prev = 32;
    return {{0, name}, {name, code}, {name + code, prev}, {name + code + prev, w - name - code - prev}};
}

rk::Band StatementReportJob::columnHeadings(bool second) const
{
    const Layout &layout = LayoutOf(m_statement.type);
    const QList<Column> cols = columns(second);
    const int year = m_statement.from.year();
    const QString nameHeading = second ? layout.secondNameHeading : layout.firstNameHeading;
    rk::Band top, bottom, left;
    if (m_statement.type == StatementType::Balance) {
        const Column &first = cols[2];
        const Column &last = cols.last();
        top.cells << rk::FramedCell(first.x, last.x + last.w - first.x, CurrencyCaption(u"Сума в лв."_s, year), FontPt,
            rk::Align::Center, false);
        bottom.cells << rk::FramedCell(cols[2].x, cols[2].w, u"Отчетна стойност"_s, FontPt, rk::Align::Center, false);
        if (!second)
            bottom.cells << rk::FramedCell(cols[3].x, cols[3].w, u"Коректив"_s, FontPt, rk::Align::Center, false);
        bottom.cells << rk::FramedCell(last.x, last.w, u"Балансова стойност"_s, FontPt, rk::Align::Center, false);
        left.cells << rk::FramedCell(cols[0].x, cols[0].w, nameHeading, FontPt, rk::Align::Center, false)
                   << rk::FramedCell(cols[1].x, cols[1].w, u"Предходна година"_s, FontPt, rk::Align::Center, false);
    } else {
        top.cells << rk::FramedCell(
            cols[2].x, cols[2].w + cols[3].w, CurrencyCaption(u"Сума лв."_s, year), FontPt, rk::Align::Center, false);
        bottom.cells << rk::FramedCell(cols[2].x, cols[2].w, u"Предходна година"_s, FontPt, rk::Align::Center, false)
                     << rk::FramedCell(cols[3].x, cols[3].w, u"Текуща година"_s, FontPt, rk::Align::Center, false);
        left.cells << rk::FramedCell(cols[0].x, cols[0].w, nameHeading, FontPt, rk::Align::Center, false)
                   << rk::FramedCell(cols[1].x, cols[1].w, u"Код"_s, FontPt, rk::Align::Center, false);
    }
    rk::Band headings = rk::Stack({top, bottom});
    headings.extra << rk::BandItems(left, headings.minHeight);
    if (m_statement.type == StatementType::Balance)
        return headings;
    rk::Band numbers;
    const QStringList marks = {u"а"_s, u"1"_s, u"2"_s, u"3"_s};
    for (int i = 0; i < 4; ++i)
        numbers.cells << rk::FramedCell(cols[i].x, cols[i].w, marks[i], FontPt, rk::Align::Center, false);
    return rk::Stack({headings, numbers});
}

rk::Band StatementReportJob::header(const rk::Band &next) const
{
    const Layout &layout = LayoutOf(m_statement.type);
    const bool second = next.tag.isValid() && secondSide(next.tag.toInt());
    const double w = width();
    QList<rk::Band> rows = {
        Line(layout.appendix, w, rk::Align::Right, 8, false),
        Line(layout.article, w, rk::Align::Right, 8, false),
        Line(layout.title, w, rk::Align::Center, 12, true),
        Line(u"на "_s + m_firmName, w, rk::Align::Center, 10, false),
        Line(u"за периода от: "_s + Formats::Date(m_statement.from) + u" до "_s + Formats::Date(m_statement.to), w,
             rk::Align::Center, 9, false),
    };
    const QString side = second ? layout.secondSide : layout.firstSide;
    if (!side.isEmpty())
        rows << Line(side, w, rk::Align::Center, 10, true);
    rk::Band gap;
    gap.minHeight = 1.5;
    rows << gap << columnHeadings(second);
    return rk::Stack(rows);
}

rk::Band StatementReportJob::detail(const ComputedLine &line) const
{
    const Layout &layout = LayoutOf(m_statement.type);
    const int no = line.line.OPR_Pok_No;
    const bool second = secondSide(no);
    const QList<Column> cols = columns(second);
    const LineFigures &f = line.figures;
    QStringList texts = {line.line.OPR_Pok_Name};
    if (m_statement.type == StatementType::Balance) {
        texts << Amount(f.prevYear) << Amount(f.gross);
        if (!second)
            texts << Amount(f.correction);
        texts << Amount(f.thisYear);
    } else {
        texts << line.line.OPR_Pok_Code << Amount(f.prevYear) << Amount(f.thisYear);
    }
    const bool dark = layout.dark.contains(no);
    const bool emphasised = dark || layout.light.contains(no);
    rk::Band b;
    for (int i = 0; i < cols.size(); ++i) {
        const rk::Align align = i == 0 ? rk::Align::Left : (m_statement.type != StatementType::Balance && i == 1
                                                                 ? rk::Align::Center
                                                                 : rk::Align::Right);
        rk::Cell c = rk::FramedCell(cols[i].x, cols[i].w, texts[i], FontPt, align, emphasised);
        if (dark)
            c.shade = layout.darkNameOnly && i > 0 ? LightGrey : DarkGrey;
        else if (emphasised)
            c.shade = LightGrey;
        b.cells << c;
    }
    b.tag = no;
    return b;
}

void StatementReportJob::begin(rk::ReportLayout &layout)
{
    layout.setPageHeader([this](const rk::Band &next) { return header(next); });
    layout.setPageFooter([](int page) {
        return rk::PageNumberFooter(rk::PageSetup{}, page, ReportParts::Stamp());
    });
}

bool StatementReportJob::step(rk::ReportLayout &layout)
{
    if (m_next >= m_statement.lines.size())
        return false;
    const ComputedLine &line = m_statement.lines[m_next++];
    rk::Band band = detail(line);
    band.breakBefore = m_breakNext;
    const int end = FirstSideEnd(m_statement.type);
    m_breakNext = end > 0 && line.line.OPR_Pok_No == end;
    layout.add(band);
    return true;
}

void StatementReportJob::end(rk::ReportLayout &layout)
{
    rk::Band gap;
    gap.minHeight = 6;
    QList<rk::Band> footer{gap};
    footer << ReportParts::SignatureBlock(width());
    // The signatures stay together under the last lines; they are tagged with the last line, so
    // a page they open keeps that line's side heading.
    const int last = m_statement.lines.isEmpty() ? 0 : m_statement.lines.last().line.OPR_Pok_No;
    for (rk::Band &b : footer)
        b.tag = last;
    layout.addGroup(footer);
}

int StatementReportJob::progress() const
{
    return m_statement.lines.isEmpty() ? 100 : int(100LL * m_next / m_statement.lines.size());
}
