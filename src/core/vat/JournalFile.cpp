#include "vat/JournalFile.h"

#include "engine/Errors.h"
#include "reportkit/Output.h"

using namespace Qt::StringLiterals;

namespace JournalFile {

namespace {
constexpr int TaxNumberWidth = 10;
constexpr int BranchWidth = 4;
constexpr int SequenceWidth = 6;
constexpr int DocTypeWidth = 2;
constexpr int DocNoWidth = 10;
constexpr int KontraDnWidth = 10;
constexpr int KontraNameWidth = 50;
constexpr int SubjectWidth = 30;
constexpr int AmountWidth = 15;
const QByteArray LineEnd = "\r\n";

// A line break or tab inside a name would break the record in two.
QString OneLine(QString text)
{
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return text;
}
}  // namespace

QString FileName(VatJournalKind kind)
{
    return kind == VatJournalKind::Purchases ? PurchasesFileName : SalesFileName;
}

QString Text(const QString &text, int width) { return OneLine(text).left(width).leftJustified(width, u' '); }

QString Digits(qint64 value, int width)
{
    const QString digits = u"%1"_s.arg(value, width, 10, QChar(u'0'));
    return digits.right(width);
}

QString RightAligned(const QString &text, int width) { return text.right(width).rightJustified(width, u' '); }

QString Date(const QDate &date)
{
    return date.isValid() ? date.toString(u"dd/MM/yyyy"_s) : u"  /  /    "_s;
}

QString Amount(long long stotinki) { return VatJournals::AmountText(stotinki).rightJustified(AmountWidth, u' '); }

QString DataLine(const FirmRecord &firm, int sequence, const JournalRow &row)
{
    QString line = Text(firm.Firm_DN, TaxNumberWidth) + RightAligned(QString::number(firm.Firm_Klon), BranchWidth)
                   + Digits(sequence, SequenceWidth) + Digits(row.DocType, DocTypeWidth)
                   + Digits(row.Doc_No, DocNoWidth) + Date(row.Doc_Date) + Text(row.Kontra_DN, KontraDnWidth)
                   + Text(row.Kontra_Text, KontraNameWidth) + Text(row.DostText, SubjectWidth);
    for (const auto &amount : row.amounts)
        line += Amount(amount.value_or(0));
    return line;
}

QString TotalLine(const FirmRecord &firm, const JournalTotals &totals)
{
    QString line = Text(firm.Firm_DN, TaxNumberWidth) + QString(BranchWidth, u' ') + u"999999"_s
                   + QString(DocTypeWidth + DocNoWidth, u' ') + Date(QDate())
                   + QString(KontraDnWidth + KontraNameWidth + SubjectWidth, u' ');
    for (long long total : totals)
        line += Amount(total);
    return line;
}

QByteArray Bytes(const FirmRecord &firm, const VatJournal &journal, JournalFileFormat format)
{
    CodePage dataPage;
    switch (format) {
    case JournalFileFormat::Oem: dataPage = CodePage::Oem866; break;
    case JournalFileFormat::Unconverted: dataPage = CodePage::Windows1251; break;
    default: throw MyException(UnknownFileFormatMessage);
    }
    if (!journal.totals)
        throw MyException(JournalSumsMessage);
    QByteArray bytes;
    int sequence = 0;
    for (const JournalRow &row : journal.rows)
        bytes += EncodeText(DataLine(firm, ++sequence, row), dataPage) + LineEnd;
    bytes += EncodeText(TotalLine(firm, *journal.totals), CodePage::Windows1251) + LineEnd;
    return bytes;
}

void Write(const QString &path, const QByteArray &bytes)
{
    try {
        rk::SaveBytes(path, bytes);
    } catch (const MyException &e) {
        throw MyException(u"Файлът не е записан: "_s + path + u"\r"_s + e.message());
    }
}

}  // namespace JournalFile
