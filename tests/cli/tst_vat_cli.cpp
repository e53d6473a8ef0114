// orvalis-cli vat: the declaration of the demo firm agrees with its books month by month, the
// journal files are the ones the window writes, and bad lines are refused.
#include "engine/Formats.h"
#include "firm/AccountTotals.h"
#include "firm/TDM.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"
#include "vat/JournalFile.h"

#include <QDate>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class VatCliTest : public QObject {
    Q_OBJECT

    struct Result {
        int code;
        QString out;
        QString err;
    };
    Result run(const QStringList &args)
    {
        QProcess p;
        p.start(qEnvironmentVariable("ORVALIS_CLI"), QStringList{u"--data-dir"_s, m_data} + args);
        if (!p.waitForFinished(60000))
            return {-1, {}, u"timed out"_s};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    QString Read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir m_dir;
    QString m_data;
    QString m_firm;
    int m_year = QDate::currentDate().year();

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(qEnvironmentVariable("ORVALIS_CLI")).isExecutable(), "ORVALIS_CLI must name orvalis-cli");
        m_data = m_dir.path() + u"/D"_s;
        const Result demo = run({u"demo"_s});
        QCOMPARE(demo.code, 0);
        m_firm = demo.out.trimmed();
    }

    void theDeclarationAgreesWithTheBooksEveryMonth()
    {
        TFD fd;
        fd.Open(m_data);
        TDM dm;
        QVERIFY(OpenFirm(fd, dm, *fd.Firm(m_firm.toInt())).opened);
        const ReportingPeriod period = ReadPeriod(dm.db());
        for (int month = 1; month <= 12; ++month) {
            const QDate from(m_year, month, 1), to = from.addMonths(1).addDays(-1);
            const QString text = m_dir.filePath(u"d%1.txt"_s.arg(month));
            const Result r = run({u"vat"_s, u"declaration"_s, u"--firm"_s, m_firm, u"--from"_s, Formats::Date(from),
                                  u"--to"_s, Formats::Date(to), u"--text"_s, text});
            QVERIFY2(r.code == 0, qPrintable(r.err));
            QMap<QString, QString> cells;
            for (const QString &line : Read(text).split(u'\n', Qt::SkipEmptyParts))
                cells.insert(line.section(u' ', 0, 0), line.section(u' ', 1));
            QCOMPARE(cells.size(), 18);
            const TAccountValue sold = GetAccountValue(dm.db(), 4532, {}, period, from, to);
            const TAccountValue bought = GetAccountValue(dm.db(), 4531, {}, period, from, to);
            QVERIFY(sold.valid && bought.valid);
            QVERIFY(sold.turnKtSt > 0);
            QCOMPARE(cells.value(u"31"_s), Formats::Amount(sold.turnKtSt));
            QCOMPARE(cells.value(u"41"_s), Formats::Amount(bought.turnDtSt));
            QCOMPARE(cells.value(u"24"_s), u"1.000000000"_s);
        }
    }

    void journalFilesAreTheWindowsFiles_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("kind");
        QTest::newRow("purchases") << u"purchases"_s << int(VatJournalKind::Purchases);
        QTest::newRow("sales") << u"sales"_s << int(VatJournalKind::Sales);
    }
    void journalFilesAreTheWindowsFiles()
    {
        QFETCH(QString, word);
        QFETCH(int, kind);
        const QString path = m_dir.filePath(word + u".TXT"_s);
        const QString from = u"01.01.%1"_s.arg(m_year), to = u"30.06.%1"_s.arg(m_year);
        const Result r = run({u"vat"_s, word, u"--firm"_s, m_firm, u"--from"_s, from, u"--to"_s, to, u"--file"_s, path});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(r.out.trimmed(), u"6"_s);
        TFD fd;
        fd.Open(m_data);
        TDM dm;
        QVERIFY(OpenFirm(fd, dm, *fd.Firm(m_firm.toInt())).opened);
        const VatJournal journal = VatJournals::Read(dm.db(), fd.db(), VatJournalKind(kind), Formats::ParseDate(from),
                                                     Formats::ParseDate(to));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), JournalFile::Bytes(*fd.Firm(m_firm.toInt()), journal));

        const QString report = m_dir.filePath(word + u".txt"_s);
        const Result text =
            run({u"vat"_s, word, u"--firm"_s, m_firm, u"--from"_s, from, u"--to"_s, to, u"--text"_s, report});
        QCOMPARE(text.code, 0);
        QVERIFY(Read(report).contains(kind == 1 ? u"ДНЕВНИК НА ПОКУПКИТЕ"_s : u"ДНЕВНИК НА ПРОДАЖБИТЕ"_s));
    }

    void badLinesAreRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("error");
        const QString y = QString::number(QDate::currentDate().year());
        const QString from = u"01.01."_s + y, to = u"31.01."_s + y;
        QTest::newRow("two outputs") << QStringList{u"vat"_s, u"sales"_s, u"--firm"_s, u"1"_s, u"--from"_s, from,
                                                    u"--to"_s, to, u"--file"_s, u"a"_s, u"--pdf"_s, u"b"_s}
                                     << 2 << u"Посочете точно едно от --file, --text, --pdf."_s;
        QTest::newRow("outside the year")
            << QStringList{u"vat"_s, u"sales"_s, u"--firm"_s, u"1"_s, u"--from"_s, u"31.12.2000"_s, u"--to"_s,
                           u"01.01.2000"_s, u"--text"_s, u"a"_s}
            << 1 << u"Заявката е с дата извън отчетния период!"_s;
        QTest::newRow("end before start")
            << QStringList{u"vat"_s, u"sales"_s, u"--firm"_s, u"1"_s, u"--from"_s, to, u"--to"_s, from, u"--text"_s,
                           u"a"_s}
            << 1 << u"Крайната дата е по-малка от началната!"_s;
    }
    void badLinesAreRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, error);
        const Result r = run(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.startsWith(error), qPrintable(r.err));
    }

    void anEmptyJournalIsNotPrintedAndAFileNotWrittenSaysSo()
    {
        const QString period = u"31.12.%1"_s.arg(m_year);
        const Result empty = run({u"vat"_s, u"sales"_s, u"--firm"_s, m_firm, u"--from"_s, period, u"--to"_s, period,
                                  u"--pdf"_s, m_dir.filePath(u"e.pdf"_s)});
        QCOMPARE(empty.code, 1);
        QCOMPARE(empty.err.trimmed(), u"Няма данни отговарящи на зададеното условие!"_s);
        QVERIFY(!QFile::exists(m_dir.filePath(u"e.pdf"_s)));

        const QString path = m_dir.filePath(u"missing/PRODAGBI.TXT"_s);
        const Result failed = run({u"vat"_s, u"sales"_s, u"--firm"_s, m_firm, u"--from"_s, u"01.01.%1"_s.arg(m_year),
                                   u"--to"_s, period, u"--file"_s, path});
        QCOMPARE(failed.code, 1);
        QVERIFY(failed.err.startsWith(u"Файлът не е записан: "_s));
        QVERIFY(failed.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(VatCliTest)
#include "tst_vat_cli.moc"
