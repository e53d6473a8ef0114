#include "support/DocumentBooks.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/SqliteReader.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reports/ChronologicalLedger.h"
#include "support/Books.h"
#include "support/Golden.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ChronologicalSort)
Q_DECLARE_METATYPE(ChronologicalSelection)

namespace {
ChronologicalSelection Year()
{
    ChronologicalSelection s;
    s.from = QDate(2025, 1, 1);
    s.to = QDate(2025, 12, 31);
    return s;
}

QString Ledger(DocumentBooks &b, const ChronologicalSelection &s, QList<rk::Page> *pages = nullptr)
{
    ChronologicalLedgerJob job(b.db(), {s, u"Книги ООД"_s});
    rk::PageList list;
    rk::RunReport(job, list);
    if (pages)
        *pages = list.pages;
    return rk::ReportText(int(list.pages.size()), [&](int i) { return list.pages.at(i); });
}

// The amounts of the lines the selection gives, in print order.
QList<double> Amounts(DocumentBooks &b, const ChronologicalSelection &s)
{
    SqliteReader books(b.db().fileName());
    ChronologicalRows rows(books, s);
    QList<double> amounts;
    for (ChronologicalRow row; rows.next(row);)
        amounts << row.Doc_St;
    return amounts;
}

QStringList TextsOf(const rk::Page &page)
{
    QStringList texts;
    for (const rk::PageItem &i : page.items)
        if (i.kind == rk::PageItem::Kind::Text)
            texts << i.lines().join(u'|');
    return texts;
}
}  // namespace

class ChronologicalTest : public QObject {
    Q_OBJECT
private slots:
    void eachSortOrderMatchesItsGoldenText_data()
    {
        QTest::addColumn<ChronologicalSort>("sort");
        QTest::addColumn<QString>("golden");
        QTest::newRow("date and number") << ChronologicalSort::DateAndNumber << u"chronological-date-number.txt"_s;
        QTest::newRow("number") << ChronologicalSort::Number << u"chronological-number.txt"_s;
        QTest::newRow("date") << ChronologicalSort::Date << u"chronological-date.txt"_s;
        QTest::newRow("none") << ChronologicalSort::None << u"chronological-unsorted.txt"_s;
    }
    void eachSortOrderMatchesItsGoldenText()
    {
        QFETCH(ChronologicalSort, sort);
        QFETCH(QString, golden);
        DocumentBooks b;
        ChronologicalSelection s = Year();
        s.sort = sort;
        QVERIFY(MatchesGolden(golden, Ledger(b, s)));
    }

    void linesWithoutAFolderOrWithAnAccountMissingFromTheChartAreLeftOut()
    {
        DocumentBooks b;
        const QList<double> amounts = Amounts(b, Year());
        QCOMPARE(amounts.size(), 10);
        QVERIFY(!amounts.contains(7.00) && !amounts.contains(9.00));
        QVERIFY(!Ledger(b, Year()).contains(u"В изтрита папка"_s));
    }

    void theSelectionNarrowsTheLines_data()
    {
        QTest::addColumn<ChronologicalSelection>("selection");
        QTest::addColumn<QList<double>>("amounts");
        ChronologicalSelection s = Year();
        s.sort = ChronologicalSort::None;  // entry order
        auto with = [&](auto change) {
            ChronologicalSelection c = s;
            change(c);
            return c;
        };
        QTest::newRow("debit account") << with([](auto &c) { c.debitAccount = 304; }) << QList<double>{200, 80, 30};
        QTest::newRow("credit account") << with([](auto &c) { c.creditAccount = 401; }) << QList<double>{200, 40, 80};
        QTest::newRow("folder") << with([](auto &c) { c.folder = DocumentBooks::Sales; })
                                << QList<double>{300, 125, 50};
        QTest::newRow("amounts, both bounds kept")
            << with([](auto &c) {
                   c.fromAmount = 125;
                   c.toAmount = 240;
               })
            << QList<double>{200, 125, 240};
        QTest::newRow("document numbers, both bounds kept")
            << with([](auto &c) {
                   c.fromDocument = 5;
                   c.toDocument = 8;
               })
            << QList<double>{300, 125, 50, 80, 30};
        QTest::newRow("posting date") << with([](auto &c) {
            c.from = QDate(2025, 3, 1);
            c.to = QDate(2025, 3, 4);
        }) << QList<double>{300, 125};
        QTest::newRow("document date") << with([](auto &c) {
            c.from = QDate(2025, 3, 1);
            c.to = QDate(2025, 3, 4);
            c.byDocumentDate = true;
        }) << QList<double>{300, 125, 50};
    }
    void theSelectionNarrowsTheLines()
    {
        QFETCH(ChronologicalSelection, selection);
        QFETCH(QList<double>, amounts);
        DocumentBooks b;
        QCOMPARE(Amounts(b, selection), amounts);
    }

    void aSelectionWithoutLinesSaysSo()
    {
        DocumentBooks b;
        ChronologicalSelection s = Year();
        s.debitAccount = 101;
        QCOMPARE(ErrorOf([&] { ChronologicalLedgerJob job(b.db(), {s, u"Книги ООД"_s}); }), NoChronologicalDataMessage);
    }

    // The first folders having no line does not make the selection empty.
    void aSelectionWithLinesInALaterFolderOnlyIsPrinted()
    {
        DocumentBooks b;
        ChronologicalSelection s = Year();
        s.fromAmount = s.toAmount = 300;
        QVERIFY(Ledger(b, s).contains(u"Папка: Продажби"_s));
    }

    // A stopped ledger lets its reader go and hands out nothing more.
    void aStoppedFeedHandsOutNoMoreLines()
    {
        DocumentBooks b;
        ChronologicalFeed feed(b.db(), Year());
        ChronologicalRow row;
        QVERIFY(feed.next(row));
        feed.stop();
        QVERIFY(!feed.next(row));
    }

    // The reader reads every folder from one state of the books: a line posted while it reads,
    // into a folder it has not reached, is not printed, and the posting is not held up.
    void theLedgerReadsOneStateOfTheBooks()
    {
        DocumentBooks b;
        {
            // More lines in the first folder than the reader may hold ready: it is still in that
            // folder when the line is posted.
            Transaction tx(b.db());
            b.document(DocumentBooks::Bank, 98, QDate(2025, 1, 2), u"Много редове"_s);
            for (int i = 0; i < 12000; ++i)
                b.line(QDate(2025, 1, 2), 501, {}, 702, {}, 1);
            tx.commit();
        }
        const qsizetype before = Amounts(b, Year()).size();
        ChronologicalFeed feed(b.db(), Year());
        ChronologicalRow row;
        QVERIFY(feed.next(row));
        QCOMPARE(row.Nom_P_No, int(DocumentBooks::Bank));
        b.document(DocumentBooks::Sales, 99, QDate(2025, 5, 5), u"По време на справката"_s);
        b.line(QDate(2025, 5, 5), 501, {}, 702, {}, 777);
        qsizetype printed = 1;
        while (feed.next(row)) {
            QVERIFY(row.Doc_St != 777);
            ++printed;
        }
        QCOMPARE(printed, before);
        QCOMPARE(Amounts(b, Year()).size(), before + 1);
    }

    // The lines are read on a thread of their own: its failure reaches the caller.
    void aFailedReadingReachesTheCaller()
    {
        DocumentBooks b;
        b.db().exec(u"ALTER TABLE doc RENAME TO doc_gone"_s);
        QVERIFY(ErrorOf([&] { ChronologicalLedgerJob job(b.db(), {Year(), u"Книги ООД"_s}); }).contains(u"doc"_s));
    }

    // Many documents in folders whose names do not follow their numbers (two share a name):
    // every order is the database's own sort of the same lines.
    void eachOrderIsTheSortOfTheWholeSelection_data()
    {
        QTest::addColumn<ChronologicalSort>("sort");
        QTest::addColumn<bool>("byDocumentDate");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<bool>("sortedAhead");
        const QList<std::tuple<const char *, ChronologicalSort, bool, QString>> orders = {
            {"date and number, posting date", ChronologicalSort::DateAndNumber, false, u"Doc.Doc_Date, Nom_p.Nom_DDoc_No"_s},
            {"date and number, document date", ChronologicalSort::DateAndNumber, true,
             u"Nom_p.Nom_Doc_Date, Nom_p.Nom_DDoc_No"_s},
            {"number, posting date", ChronologicalSort::Number, false, u"Nom_p.Nom_DDoc_No, Doc.Doc_Date"_s},
            {"number, document date", ChronologicalSort::Number, true, u"Nom_p.Nom_DDoc_No, Nom_p.Nom_Doc_Date"_s},
            {"date, posting date", ChronologicalSort::Date, false, u"Doc.Doc_Date, Nom_p.Nom_Doc_Date"_s},
            {"date, document date", ChronologicalSort::Date, true, u"Nom_p.Nom_Doc_Date, Doc.Doc_Date"_s}};
        // Over most of the year the later folders are read through their index; over a few weeks,
        // through the index of the period's dates.
        for (const auto &[name, sort, byDocumentDate, order] : orders) {
            QTest::addRow("%s, year", name) << sort << byDocumentDate << order << QDate(2025, 12, 31) << false;
            QTest::addRow("%s, year, sorted ahead", name) << sort << byDocumentDate << order << QDate(2025, 12, 31)
                                                          << true;
            QTest::addRow("%s, weeks, sorted ahead", name) << sort << byDocumentDate << order << QDate(2025, 3, 10)
                                                           << true;
        }
    }
    void eachOrderIsTheSortOfTheWholeSelection()
    {
        QFETCH(ChronologicalSort, sort);
        QFETCH(bool, byDocumentDate);
        QFETCH(QString, order);
        QFETCH(QDate, to);
        QFETCH(bool, sortedAhead);
        DocumentBooks b;
        FolderStore::Insert(b.db(), {4, u"Ариана"_s});
        FolderStore::Insert(b.db(), {5, u"Ариана"_s});
        FolderStore::Insert(b.db(), {6, u"Ябълка"_s});
        QRandomGenerator rng(77);
        for (int d = 0; d < 120; ++d) {
            const QDate date = QDate(2025, 1, 1).addDays(int(rng.bounded(200)));
            b.document(4 + int(rng.bounded(3)), 1 + rng.bounded(40), date, u"Док %1"_s.arg(d));
            for (int l = int(rng.bounded(1, 7)); l > 0; --l)
                b.line(date.addDays(int(rng.bounded(3))), 501, {}, 702, {}, 1 + rng.bounded(100));
        }
        ChronologicalSelection s = Year();
        s.sort = sort;
        s.byDocumentDate = byDocumentDate;
        s.from = QDate(2025, 2, 1);
        s.to = to;
        QList<int> printed;
        const auto books = SqliteReader::Together(b.db().fileName(), sortedAhead ? 3 : 1);
        QCOMPARE(int(books.size()), sortedAhead ? 3 : 1);
        ChronologicalRows rows(*books[0], s, sortedAhead ? std::vector{books[1].get(), books[2].get()}
                                                      : std::vector<SqliteReader *>{});
        for (ChronologicalRow row; rows.next(row);)
            printed << row.Doc_StNo;
        const QString dateField = byDocumentDate ? u"Nom_p.Nom_Doc_Date"_s : u"Doc.Doc_Date"_s;
        QSqlQuery q = b.db().exec(u"SELECT Doc.Doc_StNo FROM doc Doc INNER JOIN nom_p Nom_p ON Doc.Doc_No = Nom_p.Nom_Doc_No "
                                  "INNER JOIN nom_pap Nom_pap ON Nom_p.Nom_P_No = Nom_pap.Nom_Pap_No "
                                  "INNER JOIN s S ON Doc.Doc_S_Dt = S.S_UNo INNER JOIN s S_1 ON Doc.Doc_S_Kt = S_1.S_UNo WHERE "_s
                                      + dateField + u" BETWEEN ? AND ? ORDER BY Nom_pap.Nom_Pap_Name, "_s + order
                                      + u", Nom_p.Nom_Doc_No, Doc.Doc_StNo"_s,
                                  {u"2025-02-01"_s, Formats::SqlDate(to)});
        QList<int> expected;
        while (q.next())
            expected << q.value(0).toInt();
        QVERIFY(expected.size() > (to.month() == 12 ? 300 : 40));
        QCOMPARE(printed, expected);
    }

    void aDocumentThatRunsOntoTheNextPageRepeatsItsFolderAndDocument()
    {
        DocumentBooks b;
        b.document(DocumentBooks::Bank, 77, QDate(2025, 7, 1), u"Дълго извлечение"_s);
        for (int i = 0; i < 90; ++i)
            b.line(QDate(2025, 7, 1), 503, {}, 411, {2, 0, 0, 0, 0}, 1 + i);
        ChronologicalSelection s = Year();
        s.from = QDate(2025, 7, 1);
        QList<rk::Page> pages;
        Ledger(b, s, &pages);
        QVERIFY(pages.size() >= 2);
        const QStringList first = TextsOf(pages[0]), second = TextsOf(pages[1]);
        QVERIFY(first.contains(u"Папка: Банка"_s));
        const int folder = int(second.indexOf(u"Папка: Банка (продължение)"_s));
        QVERIFY(folder > 0);
        QCOMPARE(second.at(folder + 1), u"Док.N/дата 0000000077/01.07.2025 (продължение)"_s);
        QVERIFY(!second.contains(u"Общо за папката:"_s) || pages.size() == 2);
    }
};

QTEST_MAIN(ChronologicalTest)
#include "tst_chronological.moc"
