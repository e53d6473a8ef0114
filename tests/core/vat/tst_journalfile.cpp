// The fixed-width files of the VAT journals: the record layout, the code page, the total line,
// and the demo firm's files byte for byte.
#include "support/Golden.h"
#include "support/VatFixture.h"

#include "demo/DemoFirm.h"
#include "registry/FirmChoice.h"
#include "support/Books.h"
#include "vat/JournalFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QString Spaces(int n) { return QString(n, u' '); }

JournalRow TypeTwoPurchase()
{
    JournalRow r;
    r.DocType = 4;
    r.Doc_No = 77;
    r.Doc_Date = QDate(2026, 3, 10);
    r.Kontra_DN = u"5556667778"_s;
    r.Kontra_Text = u"Доставчик АД"_s;
    r.DostText = u"Стоки"_s;
    r.VidDostavka = 2;
    r.amounts = VatJournals::AmountsOf(VatJournalKind::Purchases, 2, 10000, 2000, 0);
    return r;
}

FirmRecord Firm(const QString &dn = u"1112223334"_s, int branch = 2)
{
    FirmRecord f;
    f.Firm_DN = dn;
    f.Firm_Klon = branch;
    return f;
}
}  // namespace

class JournalFileTest : public QObject {
    Q_OBJECT
private slots:
    void pieces_data()
    {
        QTest::addColumn<QString>("piece");
        QTest::addColumn<QString>("expected");
        QTest::newRow("12-digit number keeps its last ten") << JournalFile::Digits(123456789012LL, 10) << u"3456789012"_s;
        QTest::newRow("leading zeros") << JournalFile::Digits(7, 6) << u"000007"_s;
        QTest::newRow("exactly the width") << JournalFile::Digits(9999999999LL, 10) << u"9999999999"_s;
        QTest::newRow("text cut") << JournalFile::Text(u"12345678901"_s, 10) << u"1234567890"_s;
        QTest::newRow("text padded") << JournalFile::Text(u"АБ"_s, 4) << u"АБ  "_s;
        QTest::newRow("a line break is no record end") << JournalFile::Text(u"a\r\nb"_s, 5) << u"a  b "_s;
        QTest::newRow("date") << JournalFile::Date(QDate(2026, 1, 5)) << u"05/01/2026"_s;
        QTest::newRow("no date") << JournalFile::Date(QDate()) << u"  /  /    "_s;
        QTest::newRow("amount") << JournalFile::Amount(123456) << u"        1234.56"_s;
        QTest::newRow("negative amount") << JournalFile::Amount(-5) << u"          -0.05"_s;
        QTest::newRow("zero") << JournalFile::Amount(0) << u"           0.00"_s;
    }
    void pieces()
    {
        QFETCH(QString, piece);
        QFETCH(QString, expected);
        QCOMPARE(piece, expected);
    }

    void dataLineLayout()
    {
        const QString line = JournalFile::DataLine(Firm(), 1, TypeTwoPurchase());
        const QString expected = u"1112223334"_s + u"   2"_s + u"000001"_s + u"04"_s + u"0000000077"_s + u"10/03/2026"_s
                                 + u"5556667778"_s + u"Доставчик АД"_s + Spaces(38) + u"Стоки"_s + Spaces(25)
                                 + Spaces(9) + u"120.00"_s + Spaces(11) + u"0.00"_s + Spaces(9) + u"100.00"_s
                                 + Spaces(10) + u"20.00"_s + (Spaces(11) + u"0.00"_s).repeated(3);
        QCOMPARE(line, expected);
        QCOMPARE(line.size(), 132 + 7 * 15);
    }

    void taxNumberCutToTenOrKeptAsTyped_data()
    {
        QTest::addColumn<QString>("dn");
        QTest::addColumn<QString>("written");
        QTest::newRow("longer than ten") << u"BG1112223334"_s << u"BG11122233"_s;
        QTest::newRow("not digits") << u"12-34 АБ"_s << u"12-34 АБ  "_s;
    }
    void taxNumberCutToTenOrKeptAsTyped()
    {
        QFETCH(QString, dn);
        QFETCH(QString, written);
        QVERIFY(JournalFile::DataLine(Firm(dn), 1, TypeTwoPurchase()).startsWith(written + u"   2000001"_s));
        QVERIFY(JournalFile::TotalLine(Firm(dn), {}).startsWith(written + u"    999999"_s));
    }

    void totalLineCarries999999()
    {
        const QString line = JournalFile::TotalLine(Firm(), {12000, 0, 10000, 2000, 0, 0, 0});
        const QString expected = u"1112223334"_s + Spaces(4) + u"999999"_s + Spaces(12) + u"  /  /    "_s + Spaces(90)
                                 + Spaces(9) + u"120.00"_s + Spaces(11) + u"0.00"_s + Spaces(9) + u"100.00"_s
                                 + Spaces(10) + u"20.00"_s + (Spaces(11) + u"0.00"_s).repeated(3);
        QCOMPARE(line, expected);
    }

    void fileInTheDosCodePageWithCrLf()
    {
        VatJournal journal;
        journal.rows = {TypeTwoPurchase(), TypeTwoPurchase()};
        journal.rows[1].Doc_No = 123456789012LL;
        journal.totals = VatJournals::Sum(journal.rows);
        const QByteArray bytes = JournalFile::Bytes(Firm(), journal);
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 4);  // three lines and nothing after the last line end
        QVERIFY(lines.last().isEmpty());
        for (int i = 0; i < 3; ++i) {
            QVERIFY(lines[i].endsWith('\r'));
            QCOMPARE(lines[i].size(), 238);  // one byte a character
        }
        QVERIFY(lines[0].contains("\x84\xae\xe1\xe2\xa0\xa2\xe7\xa8\xaa"));  // "Доставчик" in CP866
        QVERIFY(lines[1].mid(20, 12) == "043456789012");
        QVERIFY(lines[1].mid(14, 6) == "000002");
        QCOMPARE(lines[2].mid(14, 6), QByteArray("999999"));
        QVERIFY(lines[2].contains("         240.00"));
        QCOMPARE(DecodeText(lines[0], CodePage::Oem866), JournalFile::DataLine(Firm(), 1, journal.rows[0]) + u'\r');

        const QByteArray unconverted = JournalFile::Bytes(Firm(), journal, JournalFileFormat::Unconverted);
        QCOMPARE(DecodeText(unconverted, CodePage::Windows1251), DecodeText(bytes, CodePage::Oem866));
        QVERIFY(unconverted != bytes);
    }

    void charactersTheCodePageLacksKeepTheWidth()
    {
        QCOMPARE(EncodeText(u"„А“€ž"_s, CodePage::Oem866).size(), 5);
        QCOMPARE(EncodeText(u"„А“€ž"_s, CodePage::Oem866).at(1), '\x80');
    }

    void refusals()
    {
        VatJournal journal;
        journal.rows = {TypeTwoPurchase()};
        QCOMPARE(ErrorOf([&] { JournalFile::Bytes(Firm(), journal); }), JournalSumsMessage);
        journal.totals = VatJournals::Sum(journal.rows);
        QCOMPARE(ErrorOf([&] { JournalFile::Bytes(Firm(), journal, static_cast<JournalFileFormat>(2)); }),
                 UnknownFileFormatMessage);
    }

    void aFileThatCannotBeWrittenIsNotReportedAsWritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"missing/POKUPKI.TXT"_s);
        QVERIFY(ErrorOf([&] { JournalFile::Write(path, "x"); }).startsWith(u"Файлът не е записан: "_s));
        QVERIFY(!QFile::exists(path));
        JournalFile::Write(dir.filePath(u"ok.txt"_s), "abc");
        QFile written(dir.filePath(u"ok.txt"_s));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("abc"));
    }

    void demoFirmFilesMatchTheirGoldenBytes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("purchases") << int(VatJournalKind::Purchases);
        QTest::newRow("sales") << int(VatJournalKind::Sales);
    }
    void demoFirmFilesMatchTheirGoldenBytes()
    {
        QFETCH(int, kind);
        TestFixture f;
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(EnsureDemoFirm(f.fd, 2026))).opened);
        const FirmRecord firm = *f.fd.Firm(f.fd.currentFirmId);
        const VatJournal journal =
            VatJournals::Read(f.dm.db(), f.fd.db(), VatJournalKind(kind), QDate(2026, 1, 1), QDate(2026, 12, 31));
        QCOMPARE(journal.rows.size(), 12);
        const QByteArray bytes = JournalFile::Bytes(firm, journal);
        QVERIFY(MatchesGoldenBytes(u"core/vat/golden"_s, JournalFile::FileName(VatJournalKind(kind)), bytes));
        const QString text = DecodeText(bytes, CodePage::Oem866);
        QVERIFY(text.contains(kind == int(VatJournalKind::Purchases) ? u"Балкан Трейд ООД"_s : u"Дунав Маркет АД"_s));
        QCOMPARE(text.count(u"\r\n"_s), 13);
    }
};

QTEST_GUILESS_MAIN(JournalFileTest)
#include "tst_journalfile.moc"
