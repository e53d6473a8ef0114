// The printed journals and the printed VAT return.
#include "support/Books.h"
#include "support/VatFixture.h"

#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "vat/DeclarationReport.h"
#include "vat/JournalReport.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QStringList Pages(rk::ReportJob &job)
{
    rk::PageList pages;
    rk::RunReport(job, pages);
    QStringList texts;
    for (const rk::Page &p : pages.pages)
        texts << rk::PageText(p);
    return texts;
}
}  // namespace

class VatReportsTest : public QObject {
    Q_OBJECT
private slots:
    void anEmptyJournalPrintsNothing()
    {
        VatFixture v;
        const VatJournal empty =
            VatJournals::Read(v.db(), v.f.fd.db(), VatJournalKind::Sales, QDate(2026, 1, 1), QDate(2026, 1, 31));
        QCOMPARE(ErrorOf([&] { JournalReportJob(empty, u"ДДС ООД"_s); }), NoJournalDataMessage);
    }

    void journalTitleOnTheFirstPageAndHeadingsOnEvery_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("total");
        QTest::newRow("purchases") << int(VatJournalKind::Purchases) << u"ДНЕВНИК НА ПОКУПКИТЕ"_s
                                   << u"доставчика"_s << u"Всичко :"_s;
        QTest::newRow("sales") << int(VatJournalKind::Sales) << u"ДНЕВНИК НА ПРОДАЖБИТЕ"_s << u"получател"_s
                               << u"Всичко:"_s;
    }
    void journalTitleOnTheFirstPageAndHeadingsOnEvery()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, heading);
        QFETCH(QString, total);
        VatFixture v;
        for (int i = 1; i <= 60; ++i)
            v.add({.journal = kind, .vid = kind == 1 ? 2 : 4, .date = QDate(2026, 2, 1 + i % 28), .number = double(i),
                   .base = 10.00, .vat = 2.00, .kontra = kind == 1 ? 1 : 2});
        const VatJournal journal =
            VatJournals::Read(v.db(), v.f.fd.db(), VatJournalKind(kind), QDate(2026, 2, 1), QDate(2026, 2, 28));
        JournalReportJob job(journal, u"ДДС ООД"_s);
        QCOMPARE(job.setup().landscape, true);
        const QStringList pages = Pages(job);
        QVERIFY(pages.size() >= 2);
        QVERIFY(pages[0].contains(title));
        QVERIFY(pages[0].contains(u"на ДДС ООД"_s));
        QVERIFY(pages[0].contains(u"отчетен период 01.02.2026 до 28.02.2026"_s));
        QVERIFY(!pages[1].contains(title));
        for (int i = 0; i < pages.size(); ++i) {
            QVERIFY(pages[i].contains(heading));
            QVERIFY(pages[i].contains(u"страница..."_s + QString::number(i + 1)));
        }
        const QString all = pages.join(u'\f');
        QVERIFY2(all.contains(total), qPrintable(all));
        QVERIFY(all.contains(u"720.00"_s));  // 60 × 12.00
        QVERIFY(all.contains(u"Главен счетоводител:"_s));
        QVERIFY(all.contains(u"Orvalis--V1.0.2 Quillon"_s));
    }

    void theDeclarationPrintsEveryCell()
    {
        VatFixture v;
        v.sale(QDate(2026, 3, 5), 1, 1000.00, 200.00);
        v.purchase(QDate(2026, 3, 6), 2, 500.00, 100.00);
        MonthlyData::Save(v.db(), {{3, QDate(2026, 4, 14), 0, 10000, 0}});
        DeclarationReportJob job(Declarations::Build(v.db(), v.f.fd.db(), v.firm(), QDate(2026, 3, 1), QDate(2026, 3, 31)));
        const QStringList pages = Pages(job);
        QCOMPARE(pages.size(), 1);
        const QString text = pages[0];
        for (const QString &piece :
             {u"СПРАВКА-ДЕКЛАРАЦИЯ"_s, u"1112223334"_s, u"ДДС ООД"_s, u"гр. Русе"_s, u"Раздел А:"_s, u"Раздел Б:"_s,
              u"Раздел В:"_s, u"Раздел Г:"_s, u"Раздел Д:"_s, u"1.000000000"_s, u"1000.00"_s, u"платежно нареждане от дата 14.04.2026"_s,
              u"Иван Иванов"_s, u"Управител"_s, u"/подпис и печат/"_s, u"Orvalis--V1.0.2 Quillon"_s})
            QVERIFY2(text.contains(piece), qPrintable(piece));
    }
};

QTEST_MAIN(VatReportsTest)
#include "tst_vatreports.moc"
