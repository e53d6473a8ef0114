#include "vat/DeclarationReport.h"

#include "engine/Formats.h"
#include "reports/ReportParts.h"

using namespace Qt::StringLiterals;
using Declarations::CoefficientText;
using VatJournals::AmountText;

namespace {
constexpr double Pt = 8;
constexpr double NumberWidth = 8;
constexpr double AmountWidth = 22;
const QColor Grey(225, 225, 225);

rk::Cell Text(double x, double w, const QString &text, rk::Align align = rk::Align::Left, bool bold = false)
{
    rk::Cell c = rk::TextCell(x, w, text, align, bold);
    c.wrap = true;
    c.fontPt = Pt;
    return c;
}

rk::Cell Boxed(double x, double w, const QString &text, rk::Align align = rk::Align::Center, bool bold = false)
{
    rk::Cell c = Text(x, w, text, align, bold);
    c.frame = true;
    return c;
}

rk::PageItem TextItem(const QRectF &rect, const QString &text, rk::Align align = rk::Align::Center)
{
    rk::PageItem t;
    t.rect = rect;
    t.text = text;
    t.align = align;
    t.fontPt = Pt;
    return t;
}

rk::Band Gap(double mm)
{
    rk::Band b;
    b.minHeight = mm;
    return b;
}

// One cell of the form: its caption, its number in a box and its value in a box, in the left
// half, the right half or across the whole width.
enum class Half { Left, Right, Whole };

void AddCell(rk::Band &band, double width, Half half, const QString &caption, const QString &number,
             const QString &value)
{
    const double halfWidth = width / 2;
    const double left = half == Half::Right ? halfWidth : 0;
    const double right = half == Half::Left ? halfWidth : width;
    const double captionWidth = right - left - NumberWidth - AmountWidth - 1;
    if (!caption.isEmpty())
        band.cells << Text(left, captionWidth, caption);
    band.cells << Boxed(right - NumberWidth - AmountWidth, NumberWidth, number, rk::Align::Center, true)
               << Boxed(right - AmountWidth, AmountWidth, value, rk::Align::Right);
    band.minHeight = std::max(band.minHeight, 6.0);
}

rk::Band SectionTitle(double width, const QString &text)
{
    rk::Cell c = Text(0, width, text, rk::Align::Left, true);
    c.shade = Grey;
    rk::Band b;
    b.cells << c;
    return b;
}

// Cell 24: "к=" and the fraction of the cells it is formed from.
rk::Band CoefficientRow(double width, const QString &value)
{
    rk::Band b;
    AddCell(b, width, Half::Left, QString(), u"24"_s, value);
    b.cells << Text(0, 8, u"к="_s);
    const double x = 9, w = 40;
    b.extra << TextItem(QRectF(x, 0.5, w, 4), u"кл.01+кл.02"_s);
    rk::PageItem bar;
    bar.kind = rk::PageItem::Kind::Line;
    bar.rect = QRectF(x + 4, 4.7, w - 8, 0);
    b.extra << bar;
    b.extra << TextItem(QRectF(x, 5, w, 4), u"кл.01+кл.02+кл.03"_s);
    b.minHeight = 10;
    return b;
}
}  // namespace

DeclarationReportJob::DeclarationReportJob(Declaration declaration) : m_d(std::move(declaration)) {}

QString DeclarationReportJob::title() const { return u"Справка-декларация по ДДС"_s; }

rk::PageSetup DeclarationReportJob::setup() const { return rk::PageSetup{}; }

QList<rk::Band> DeclarationReportJob::header() const
{
    const double width = setup().contentWidth();
    QList<rk::Band> bands;
    bands << ReportParts::TitleLine(u"СПРАВКА-ДЕКЛАРАЦИЯ"_s, width, 13)
          << ReportParts::TitleLine(u"ЗА ДАНЪКА ВЪРХУ ДОБАВЕНАТА СТОЙНОСТ"_s, width, 11) << Gap(4);

    rk::Band office;
    office.cells << Boxed(0, 20, u"ТДД"_s, rk::Align::Center, true)
                 << Boxed(20, 62, u"Данъчно подразделение"_s, rk::Align::Left)
                 << Boxed(82, 24, u"Код"_s, rk::Align::Left)
                 << Text(112, width - 112, u"Входящ №......./..............г."_s, rk::Align::Right);
    office.minHeight = 11;
    bands << office << Gap(3);

    // The period in boxes of day, month and year, with their names under them.
    rk::Band period, names;
    period.cells << Text(0, 32, u"Данъчен период: от"_s);
    double x = 32;
    for (const QDate &date : {m_d.from, m_d.to}) {
        if (x > 32) {
            period.cells << Text(x + 2, 8, u"до"_s, rk::Align::Center);
            x += 10;
        }
        const QStringList parts = {date.toString(u"dd"_s), date.toString(u"MM"_s), date.toString(u"yy"_s)};
        const QStringList captions = {u"дд"_s, u"мм"_s, u"гг"_s};
        for (int i = 0; i < 3; ++i) {
            period.cells << Boxed(x, 9, parts[i]);
            rk::Cell caption = Text(x, 9, captions[i], rk::Align::Center);
            caption.fontPt = 6;
            names.cells << caption;
            x += 9;
        }
    }
    bands << period << names << Gap(2);

    rk::Band numbers;
    numbers.cells << Text(0, 30, u"Данъчен номер"_s) << Boxed(30, 40, m_d.taxNumber)
                  << Text(84, 22, u"БУЛСТАТ"_s) << Boxed(106, 40, m_d.bulstat);
    bands << numbers << Gap(2);

    rk::Band who, name, address;
    who.cells << Text(0, width, u"А.Наименование и адрес на регистрираното  лице"_s, rk::Align::Left, true);
    name.cells << Boxed(0, width, m_d.firmName, rk::Align::Left);
    address.cells << Boxed(0, width, m_d.address, rk::Align::Left);
    bands << who << name << address << Gap(4);
    return bands;
}

QList<rk::Band> DeclarationReportJob::sections() const
{
    const double width = setup().contentWidth();
    auto pair = [width](const QString &leftCaption, const QString &leftNo, const QString &leftValue,
                        const QString &rightCaption, const QString &rightNo, const QString &rightValue) {
        rk::Band b;
        AddCell(b, width, Half::Left, leftCaption, leftNo, leftValue);
        AddCell(b, width, Half::Right, rightCaption, rightNo, rightValue);
        return b;
    };
    auto whole = [width](const QString &caption, const QString &no, const QString &value) {
        rk::Band b;
        AddCell(b, width, Half::Whole, caption, no, value);
        return b;
    };
    QList<rk::Band> bands;
    bands << SectionTitle(width, u"Раздел А:Данни за извършени доставки и начисления ДДС"_s)
          << pair(u"Данъчна основа на облагаемите доставки , с изключение на износа"_s, u"01"_s, AmountText(m_d.c01),
                  u"Начислен ДДС по облагаемите доставки"_s, u"31"_s, AmountText(m_d.c31))
          << pair(u"Данъчна основа на износа"_s, u"02"_s, AmountText(m_d.c02),
                  u"Начислен данък по реда на чл.61,чл81,чл.82 и чл.91а,ал.5 от ЗДДС"_s, u"32"_s, AmountText(m_d.c32))
          << pair(u"Данъчна основа на освободените доставки"_s, u"03"_s, AmountText(m_d.c03),
                  u"Всичко начислен ДДС (кл.31+кл.32)"_s, u"30"_s, AmountText(m_d.c30))
          << Gap(3);

    rk::Band k = CoefficientRow(width, CoefficientText(m_d.c24));
    bands << SectionTitle(width, u"Раздел Б:Данни за получените доставки и данъчния кредит"_s)
          << pair(u"Данъчна основа и данък на доставките и вноса без право на данъчен кредит или без данък"_s, u"21"_s,
                  AmountText(m_d.c21), u"Начислен  ДДС по доставките и вноса с право на пълен данъчен кредит"_s,
                  u"41"_s, AmountText(m_d.c41))
          << pair(u"Данъчна основа на доставките и вноса с право на пълен данъчен кредит"_s, u"22"_s,
                  AmountText(m_d.c22), u"Начислен ДДС по доставките и вноса с право на частичен данъчен кредит"_s,
                  u"42"_s, AmountText(m_d.c42))
          << pair(u"Данъчна основа на доставките и вноса с право на частичен данъчен кредит"_s, u"23"_s,
                  AmountText(m_d.c23), u"Общо данъчен кредит кл.41+кл.42 х кл.24"_s, u"40"_s, AmountText(m_d.c40))
          << k << Gap(3);

    bands << SectionTitle(width, u"Раздел В:Резултат за период"_s)
          << whole(u"ДДС за внасяне (кл.30 - кл.40) >0"_s, u"50"_s, AmountText(m_d.c50))
          << whole(u"ДДС за възстановяване  (кл30 -кл.40) < 0"_s, u"60"_s, AmountText(m_d.c60)) << Gap(3);

    const QString paid = u"Данък за внасяне от кл.50, внесен ефективно с платежно нареждане от дата "_s
                         + (m_d.paymentDate.isValid() ? Formats::Date(m_d.paymentDate) : QString());
    bands << SectionTitle(width, u"Раздел Г:ДДС за внасяне"_s)
          << whole(u"Данък за внасяне от кл.50, приспаднат по реда на чл.77,ал.1 от ЗДДС"_s, u"71"_s,
                   AmountText(m_d.c71))
          << whole(paid, u"72"_s, AmountText(m_d.c72)) << Gap(3);

    bands << SectionTitle(width,
                          u"Раздел Д:ДДС, подлежащ на възстановяване на основание  чл.77,ал.1,т.4 или чл.77,ал.2 от ЗДДС"_s)
          << whole(u"ДДС,подлежащ на възстановяване в 45-дневен срок от подаването на тази справка-декларация"_s,
                   u"80"_s, AmountText(m_d.c80))
          << Gap(8);
    return bands;
}

QList<rk::Band> DeclarationReportJob::footer() const
{
    const double width = setup().contentWidth();
    QList<rk::Band> bands;
    rk::Band signer, nameCaption;
    signer.cells << Text(0, 32, u"Долуподписаният"_s) << Text(32, 100, m_d.signatory, rk::Align::Center, true);
    rk::PageItem underline;
    underline.kind = rk::PageItem::Kind::Line;
    underline.rect = QRectF(32, 5.5, 100, 0);
    signer.extra << underline;
    rk::Cell name = Text(32, 100, u"Име"_s, rk::Align::Center);
    name.fontPt = 6;
    nameCaption.cells << name;
    rk::Band statement;
    statement.cells << Text(0, width,
                            u"декларирам,че представлявам лицето, посочено в кл.А и посочената, в този формуляр "
                            "информация е вярна и точна . Известно ми е,че за неверни данни нося отговорност по "
                            "чл.313 от Наказателният  кодекс. "_s);
    bands << signer << nameCaption << Gap(2) << statement << Gap(10);

    const double third = width / 3;
    rk::Band lines, captions;
    lines.cells << Text(0, third, u"........................"_s, rk::Align::Center)
                << Text(third, third, m_d.position, rk::Align::Center)
                << Text(2 * third, third, u"........................"_s, rk::Align::Center);
    captions.cells << Text(0, third, u"/дата/"_s, rk::Align::Center)
                   << Text(third, third, u"/длъжност/"_s, rk::Align::Center)
                   << Text(2 * third, third, u"/подпис и печат/"_s, rk::Align::Center);
    rk::Band stamp;
    stamp.cells << rk::TextCell(0, width, ReportParts::Stamp());
    stamp.cells.last().fontPt = 6;
    bands << lines << captions << Gap(6) << stamp;
    return bands;
}

void DeclarationReportJob::begin(rk::ReportLayout &) {}

bool DeclarationReportJob::step(rk::ReportLayout &layout)
{
    if (m_done)
        return false;
    for (const rk::Band &b : header() + sections())
        layout.add(b);
    m_done = true;
    return true;
}

void DeclarationReportJob::end(rk::ReportLayout &layout) { layout.addGroup(footer()); }

int DeclarationReportJob::progress() const { return m_done ? 100 : 0; }
