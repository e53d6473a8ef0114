#include "accounts/FolderStore.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "firm/AccountTotals.h"
#include "firm/Schema.h"
#include "engine/Messages.h"
#include "posting/DocumentBrowser.h"
#include "posting/Documents.h"
#include "posting/GroupPosting.h"
#include "posting/JournalLines.h"
#include "shell/MainCommands.h"
#include "support/Books.h"
#include "support/TestFixture.h"

#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// A saved document with `groups` entry groups of two lines each, with their work lines.
int DocumentWithGroups(Db &db, int folder, int groups, int docType = 4)
{
    NomPRow d = Documents::NewDocument(db, folder, ReadPeriod(db), QDate(2026, 3, 1));
    d.Nom_DDoc_No = 100;
    d.Nom_DocType = docType;
    Documents::Save(db, d, true);
    for (int g = 1; g <= groups; ++g) {
        for (int i = 0; i < 2; ++i) {
            JournalLine l;
            l.Doc_No = d.Nom_Doc_No;
            l.Doc_StGrp = g;
            l.Doc_StNo = JournalLines::NextLineNo(db);
            l.Doc_Date = QDate(2026, 3, 1);
            l.Doc_S_Dt = 501;
            l.Doc_S_Kt = 411;
            l.Doc_St = 10 * g + i;
            l.papNo = folder;
            JournalLines::Write(db, l);
        }
        db.exec(u"insert into SDt (SDt_Doc, SDt_Grp, SDt_Id, SDt_No, SDt_St) values (?, ?, ?, 501, 1)"_s,
                {d.Nom_Doc_No, g, g});
        db.exec(u"insert into SKt (SKt_Doc, SKt_Grp, SKt_Id, SKt_No, SKt_St) values (?, ?, ?, 411, 1)"_s,
                {d.Nom_Doc_No, g, g});
    }
    return d.Nom_Doc_No;
}

int Count(Db &db, const QString &sql, int docNo) { return db.scalar(sql, {docNo}).toInt(); }

struct RowCounts {
    int sdt, skt, an, doc;
    bool operator==(const RowCounts &) const = default;
};
RowCounts CountsOf(Db &db, int docNo)
{
    return {Count(db, u"select count(*) from SDt where SDt_Doc = ?"_s, docNo),
            Count(db, u"select count(*) from SKt where SKt_Doc = ?"_s, docNo),
            Count(db, u"select count(*) from an where An_Doc_No = ?"_s, docNo),
            Count(db, u"select count(*) from doc where Doc_No = ?"_s, docNo)};
}

// A second copy of the program adding documents to the same firm.
int AddDocuments(const QString &firmDir, int count)
{
    TDM dm;
    dm.Open(firmDir);
    const ReportingPeriod period = ReadPeriod(dm.db());
    QTextStream out(stdout);
    for (int i = 0; i < count; ++i) {
        NomPRow d = Documents::NewDocument(dm.db(), 1, period, QDate(2026, 5, 5));
        d.Nom_DDoc_No = i + 1;
        Documents::Save(dm.db(), d, true);
        out << d.Nom_Doc_No << Qt::endl;
    }
    return 0;
}
// A second copy of the program deleting a document.
int DeleteDocument(const QString &firmDir, int docNo)
{
    TDM dm;
    dm.Open(firmDir);
    Documents::DeleteDocument(dm.db(), docNo);
    return 0;
}

// 602 / 501 for 50.00, as a new group of the document.
EntryGroup ServicesPaidInCash(Db &db, int docNo)
{
    EntryGroup g;
    g.docNo = docNo;
    g.group = Documents::NextGroup(db, docNo);
    g.header.postingDate = QDate(2026, 3, 2);
    g.rows(Grid::BaseDt) << WorkLine{docNo, g.group, 1, 602, {}, {}, 0, 0, 50.00};
    g.rows(Grid::BaseKt) << WorkLine{docNo, g.group, 2, 501, {}, {}, 0, 0, 50.00};
    return g;
}
}  // namespace

class DocumentsTest : public QObject {
    Q_OBJECT
private slots:
    void numbersAreNeverReused()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int first = DocumentWithGroups(db, 1, 0, 15);
        QCOMPARE(first, 1);
        QCOMPARE(db.scalar(u"select NetDoc_ID from net"_s).toInt(), 1);
        const int second = DocumentWithGroups(db, 1, 0, 15);
        QCOMPARE(second, 2);
        Documents::DeleteDocument(db, second);
        QCOMPARE(DocumentWithGroups(db, 1, 0, 15), 3);
        // A number taken for a document that was never saved is gone as well.
        Documents::NewDocument(db, 1, ReadPeriod(db));
        QCOMPARE(DocumentWithGroups(db, 1, 0, 15), 5);
        // Rows written by an older copy above the counter still win.
        db.exec(u"insert into nom_p (Nom_Doc_No, Nom_DDoc_No, Nom_P_No) values (40, 1, 1)"_s);
        QCOMPARE(Documents::NextDocumentNumber(db), 41);
    }

    void twoCopiesAddingAtOnceNeverShareANumber()
    {
        TestFixture f;
        f.openNewFirm();
        QList<QProcess *> copies;
        for (int i = 0; i < 2; ++i) {
            auto *p = new QProcess(this);
            p->start(QCoreApplication::applicationFilePath(), {u"--add-documents"_s, f.dm.DataPath(), u"40"_s});
            copies << p;
        }
        QSet<int> numbers;
        int total = 0;
        for (QProcess *p : copies) {
            QVERIFY(p->waitForFinished(60000));
            QCOMPARE(p->exitCode(), 0);
            for (const QByteArray &line : p->readAllStandardOutput().split('\n'))
                if (!line.trimmed().isEmpty()) {
                    numbers.insert(line.trimmed().toInt());
                    ++total;
                }
        }
        QCOMPARE(total, 80);
        QCOMPARE(numbers.size(), 80);
        QCOMPARE(f.dm.RecordCount(u"nom_p"_s), 80);
    }

    void typedDocumentProblems_data()
    {
        QTest::addColumn<QVariant>("number");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<Documents::DocumentBox>("box");
        using B = Documents::DocumentBox;
        const QString day = u"01.01.2026"_s;
        QTest::newRow("1 accepted") << QVariant(1.0) << day << QString() << QString() << B::None;
        QTest::newRow("9999999999 accepted") << QVariant(9999999999.0) << day << QString() << QString() << B::None;
        QTest::newRow("0 refused") << QVariant(0.0) << day << QString() << Schema::DocumentNumberMessage << B::Number;
        QTest::newRow("10000000000 refused") << QVariant(10000000000.0) << day << QString()
                                             << Schema::DocumentNumberMessage << B::Number;
        QTest::newRow("no number") << QVariant() << day << QString() << DocumentNumberMissing << B::Number;
        QTest::newRow("no date") << QVariant(5.0) << QString() << QString() << DocumentDateMissing << B::Date;
        QTest::newRow("only spaces") << QVariant(5.0) << u"  "_s << QString() << DocumentDateMissing << B::Date;
        QTest::newRow("no such day") << QVariant(5.0) << u"31.02.2026"_s << QString() << InvalidDateMessage << B::Date;
        QTest::newRow("a partial year") << QVariant(5.0) << u"01.03.1"_s << QString() << InvalidDateMessage << B::Date;
        QTest::newRow("no date before a number out of range")
            << QVariant(0.0) << QString() << QString() << DocumentDateMissing << B::Date;
        QTest::newRow("50 letters of note") << QVariant(5.0) << day << QString(50, u'а') << QString() << B::None;
        QTest::newRow("51 letters of note") << QVariant(5.0) << day << QString(51, u'а')
                                            << u"Бележката е най-много 50 знака!"_s << B::Note;
    }
    void typedDocumentProblems()
    {
        QFETCH(QVariant, number);
        QFETCH(QString, date);
        QFETCH(QString, note);
        QFETCH(QString, problem);
        QFETCH(Documents::DocumentBox, box);
        TestFixture f;
        f.openNewFirm();
        NomPRow d = Documents::NewDocument(f.dm.db(), 1, ReadPeriod(f.dm.db()));
        if (number.isValid())
            d.Nom_DDoc_No = number.toDouble();
        Documents::TypeDate(d, date);
        d.Nom_Doc_Osno = note;
        QCOMPARE(Documents::Problem(d), problem);
        QCOMPARE(Documents::ProblemBox(d), box);
        QCOMPARE(ErrorOf([&] { Documents::Save(f.dm.db(), d, true); }), problem);
        QCOMPARE(f.dm.RecordCount(u"nom_p"_s), problem.isEmpty() ? 1 : 0);
    }

    void newDocumentDateIsTodayWithinThePeriod()
    {
        TestFixture f;
        f.openNewFirm();
        const ReportingPeriod p = ReadPeriod(f.dm.db());
        QCOMPARE(Documents::NewDocument(f.dm.db(), 1, p, QDate(2026, 6, 1)).Nom_Doc_Date, QDate(2026, 6, 1));
        QCOMPARE(Documents::NewDocument(f.dm.db(), 1, p, QDate(2027, 2, 1)).Nom_Doc_Date, QDate(2026, 12, 31));
    }

    void leavingADocumentWithoutLines_data()
    {
        QTest::addColumn<int>("docType");
        QTest::addColumn<bool>("mayLeave");
        QTest::newRow("kind 15 has no entries") << 15 << true;
        QTest::newRow("kind 10") << 10 << true;
        QTest::newRow("kind 19") << 19 << true;
        QTest::newRow("invoice") << 4 << false;
        QTest::newRow("kind 20") << 20 << false;
    }
    void leavingADocumentWithoutLines()
    {
        QFETCH(int, docType);
        QFETCH(bool, mayLeave);
        TestFixture f;
        f.openNewFirm();
        const int docNo = DocumentWithGroups(f.dm.db(), 1, 0, docType);
        QCOMPARE(Documents::CanLeave(f.dm.db(), Documents::Find(f.dm.db(), docNo)), mayLeave);
        QCOMPARE(f.messages.shown, mayLeave ? QStringList() : QStringList{DocumentWithoutLines});
        QVERIFY(Documents::CanLeave(f.dm.db(), std::nullopt));
    }

    void vatGroupIsFoundAgainAndGroupsNumberOn()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int docNo = DocumentWithGroups(db, 1, 2);
        QCOMPARE(Documents::NextGroup(db, docNo), 3);
        QVERIFY(!Documents::VatGroup(db, docNo));
        db.exec(u"update doc set Doc_DDSType = 3 where Doc_No = ? and Doc_StGrp = 2"_s, {docNo});
        QCOMPARE(Documents::VatGroup(db, docNo).value_or(0), 2);
        QCOMPARE(Documents::VatGroup(db, docNo).value_or(0), 2);
        QCOMPARE(Documents::NextGroup(db, 999), 1);
    }

    void deletingAGroupRemovesExactlyItsRows()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int other = DocumentWithGroups(db, 1, 1);
        const int docNo = DocumentWithGroups(db, 1, 3);
        QCOMPARE(CountsOf(db, docNo), (RowCounts{3, 3, 12, 6}));
        QList<int> before;
        for (const DocLineView &l : Documents::Lines(db, docNo))
            if (l.Doc_StGrp != 2)
                before << l.Doc_StNo;
        Documents::DeleteGroup(db, docNo, 2);
        QCOMPARE(CountsOf(db, docNo), (RowCounts{2, 2, 8, 4}));
        QList<int> after;
        for (const DocLineView &l : Documents::Lines(db, docNo))
            after << l.Doc_StNo;
        QCOMPARE(after, before);  // lines are not renumbered
        QCOMPARE(CountsOf(db, other), (RowCounts{1, 1, 4, 2}));
        QCOMPARE(db.scalar(u"select count(*) from RecLocks"_s).toInt(), 0);  // the lock is released
    }

    void deletingADocumentRemovesAllItsRows()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int other = DocumentWithGroups(db, 1, 1);
        const int docNo = DocumentWithGroups(db, 1, 2);
        Documents::DeleteDocument(db, docNo);
        QCOMPARE(CountsOf(db, docNo), (RowCounts{0, 0, 0, 0}));
        QVERIFY(!Documents::Find(db, docNo));
        QCOMPARE(CountsOf(db, other), (RowCounts{1, 1, 4, 2}));
    }

    void aFailureInTheMiddleOfADeletionLeavesEveryRow_data()
    {
        QTest::addColumn<bool>("wholeDocument");
        QTest::newRow("entry group") << false;
        QTest::newRow("document") << true;
    }
    void aFailureInTheMiddleOfADeletionLeavesEveryRow()
    {
        QFETCH(bool, wholeDocument);
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int docNo = DocumentWithGroups(db, 1, 2);
        // Work lines and postings go first; the journal lines then refuse to go.
        db.exec(u"CREATE TRIGGER refuse BEFORE DELETE ON doc BEGIN SELECT RAISE(ABORT, 'диск'); END"_s);
        const QString error = ErrorOf([&] {
            if (wholeDocument)
                Documents::DeleteDocument(db, docNo);
            else
                Documents::DeleteGroup(db, docNo, 1);
        });
        QVERIFY2(error.contains(u"диск"_s), qPrintable(error));
        if (!wholeDocument)
            QVERIFY(error.startsWith(u"Статията не е изтрита!\r"_s));
        QCOMPARE(CountsOf(db, docNo), (RowCounts{2, 2, 8, 4}));
        QVERIFY(Documents::Find(db, docNo));
        QVERIFY(!Transaction::anyActive());
    }

    void aGroupSavedIntoADocumentAnotherCopyDeletedWritesNothing()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        NomPRow d = Documents::NewDocument(db, 1, ReadPeriod(db), QDate(2026, 3, 2));
        d.Nom_DDoc_No = 7;
        Documents::Save(db, d, true);
        EntryGroup g = ServicesPaidInCash(db, d.Nom_Doc_No);  // the wizard is open on it

        QProcess other;
        other.start(QCoreApplication::applicationFilePath(),
                    {u"--delete-document"_s, f.dm.DataPath(), QString::number(d.Nom_Doc_No)});
        QVERIFY(other.waitForFinished(20000));
        QCOMPARE(other.exitCode(), 0);

        QCOMPARE(ErrorOf([&] { GroupPosting::Save(db, g, d); }), DocumentNotFound);
        QCOMPARE(CountsOf(db, d.Nom_Doc_No), (RowCounts{0, 0, 0, 0}));
        QCOMPARE(f.dm.RecordCount(u"an"_s), 0);
        // Nor does an edit of the gone document read as saved.
        d.Nom_Doc_Osno = u"поправка"_s;
        QCOMPARE(ErrorOf([&] { Documents::Save(db, d, false); }), DocumentNotFound);
        QVERIFY(!Documents::Find(db, d.Nom_Doc_No));
    }

    void aNewDocumentIntoAFolderDeletedMeanwhileIsRefused()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        FolderStore::Insert(db, {1, u"Банка"_s});
        NomPRow d = Documents::NewDocument(db, 1, ReadPeriod(db), QDate(2026, 3, 2));  // the folder listed
        d.Nom_DDoc_No = 8;
        f.messages.answers = {6};
        QVERIFY(MainCommands::DeleteFolder(db, 1));  // by another user, while it was empty
        QCOMPARE(ErrorOf([&] { Documents::SaveInFolder(db, d, true); }), FolderNotFound);
        QCOMPARE(f.dm.RecordCount(u"nom_p"_s), 0);
        FolderStore::Insert(db, {2, u"Каса"_s});
        d.Nom_P_No = 2;
        Documents::SaveInFolder(db, d, true);
        QCOMPARE(f.dm.RecordCount(u"nom_p"_s), 1);
        QVERIFY(!Transaction::anyActive());
    }

    void deletingTheVatGroupTakesTheDocumentsVatData_data()
    {
        QTest::addColumn<int>("ddsType");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("the VAT group") << 1 << true;
        QTest::newRow("a group without VAT") << 0 << false;
    }
    void deletingTheVatGroupTakesTheDocumentsVatData()
    {
        QFETCH(int, ddsType);
        QFETCH(bool, cleared);
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int docNo = DocumentWithGroups(db, 1, 2);
        db.exec(u"update doc set Doc_DDSType = ? where Doc_No = ? and Doc_StGrp = 2"_s, {ddsType, docNo});
        db.exec(u"update nom_p set Nom_WithDDS = 1, Nom_Dnevnik = 2, Nom_VidDostavka = 4, Nom_DOsnova = 100, "
                "Nom_DDS = 20, Nom_Kontra = 3, Nom_DDSDate = '2026-03-01' where Nom_Doc_No = ?"_s,
                {docNo});
        Documents::DeleteGroup(db, docNo, 2);
        const NomPRow d = *Documents::Find(db, docNo);
        QCOMPARE(d.Nom_WithDDS, cleared ? 0 : 1);
        QCOMPARE(d.Nom_Dnevnik, cleared ? 0 : 2);
        QCOMPARE(d.Nom_DOsnova, cleared ? 0.0 : 100.0);
        QCOMPARE(d.Nom_DDS, cleared ? 0.0 : 20.0);
        QCOMPARE(d.Nom_Kontra, cleared ? 0 : 3);
        QCOMPARE(d.Nom_DocType, 4);  // the kind stays
        QCOMPARE(Documents::OfFolder(db, 1, DocumentFilter::WithVat).size(), cleared ? 0 : 1);
    }

    // The documents window writes back only what it edits: VAT data saved by another user after
    // the window listed the document, or cleared by deleting the VAT group, stay as they are.
    void theDocumentsWindowSavesOnlyItsOwnFields()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        FolderStore::Insert(db, {1, u"Покупки"_s});
        const int docNo = DocumentWithGroups(db, 1, 2);
        db.exec(u"update doc set Doc_DDSType = 1 where Doc_No = ? and Doc_StGrp = 2"_s, {docNo});
        DocumentBrowser browser(db, 1);
        browser.reload(docNo);
        QCOMPARE(browser.current()->Nom_Doc_No, docNo);
        // Another user's VAT group saved meanwhile.
        db.exec(u"update nom_p set Nom_WithDDS = 1, Nom_Dnevnik = 1, Nom_DOsnova = 100, Nom_DDS = 20 "
                "where Nom_Doc_No = ?"_s,
                {docNo});
        QVERIFY(!browser.edit([](NomPRow &r) { r.Nom_Doc_Osno = u"поправена бележка"_s; }));
        QVERIFY(browser.post());
        NomPRow d = *Documents::Find(db, docNo);
        QCOMPARE(d.Nom_Doc_Osno, u"поправена бележка"_s);
        QCOMPARE(d.Nom_DOsnova, 100.0);
        QCOMPARE(d.Nom_WithDDS, 1);
        // The VAT group deleted from the window, then the note edited and saved.
        f.messages.answers = {Messages::Yes};
        QVERIFY(browser.deleteGroup(2));
        QCOMPARE(browser.current()->Nom_DOsnova, 0.0);
        QVERIFY(!browser.edit([](NomPRow &r) { r.Nom_Doc_Osno = u"без ДДС"_s; }));
        QVERIFY(browser.post());
        d = *Documents::Find(db, docNo);
        QCOMPARE(d.Nom_Doc_Osno, u"без ДДС"_s);
        QCOMPARE(d.Nom_WithDDS, 0);
        QCOMPARE(d.Nom_DDS, 0.0);
    }

    void deletingUnderAnotherUsersLock()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int docNo = DocumentWithGroups(db, 1, 1);
        db.exec(u"insert into RecLocks (Lock_Table, Lock_Key, Lock_User, Lock_Host, Lock_Pid, Lock_Start) "
                "values ('nom_p', ?, 'иван', 'каса-1', 1, 1)"_s,
                {QString::number(docNo)});
        QCOMPARE(ErrorOf([&] { Documents::DeleteDocument(db, docNo); }), DocumentLockedByOther);
        const QString groupError = ErrorOf([&] { Documents::DeleteGroup(db, docNo, 1); });
        QVERIFY2(groupError.startsWith(DocumentLockPrefix + u"иван (компютър каса-1)"_s), qPrintable(groupError));
        QCOMPARE(CountsOf(db, docNo), (RowCounts{1, 1, 4, 2}));
    }

    void deletingWhileATransactionIsActive()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int docNo = DocumentWithGroups(db, 1, 1);
        Transaction busy(f.fd.db());
        QCOMPARE(ErrorOf([&] { Documents::DeleteDocument(db, docNo); }), u"Опитайте пак!"_s);
        QCOMPARE(ErrorOf([&] { Documents::DeleteGroup(db, docNo, 1); }), u"Опитайте пак!"_s);
    }

    void linesShowAccountNamesOrQuestionMarks()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int docNo = DocumentWithGroups(db, 1, 1);
        db.exec(u"update doc set Doc_S_Kt = 8888 where Doc_No = ?"_s, {docNo});
        const QList<DocLineView> lines = Documents::Lines(db, docNo);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.first().dtName, u"Каса в левове"_s);
        QCOMPARE(lines.first().ktName, u"???"_s);
    }

    void searchAndFilters()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int a = DocumentWithGroups(db, 1, 1);
        const int b = DocumentWithGroups(db, 1, 1);
        db.exec(u"update nom_p set Nom_DDoc_No = 2000000123, Nom_WithDDS = 1 where Nom_Doc_No = ?"_s, {b});
        const QList<NomPRow> docs = Documents::OfFolder(db, 1);
        QCOMPARE(Documents::FindByPrintedNumber(docs, u"2000000123"_s).value_or(0), b);
        QCOMPARE(Documents::FindByPrintedNumber(docs, u"100"_s).value_or(0), a);
        QVERIFY(!Documents::FindByPrintedNumber(docs, u"12a"_s));
        QVERIFY(!Documents::FindByPrintedNumber(docs, u"7"_s));
        QCOMPARE(Documents::OfFolder(db, 1, DocumentFilter::WithVat).size(), 1);
        QCOMPARE(Documents::OfFolder(db, 1, DocumentFilter::WithoutVat).first().Nom_Doc_No, a);
        QCOMPARE(Documents::OfFolder(db, 2).size(), 0);
    }

    void vatSummaryLooksUpFirmAndRegistry()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        db.exec(u"insert into kontra (Nom_No, NomEl_No, NomEl_Name) values (1, 3, 'Дунав АД')"_s);
        NomPRow d = Documents::NewDocument(db, 1, ReadPeriod(db), QDate(2026, 4, 2));
        d.Nom_DDoc_No = 17;
        d.Nom_Dnevnik = 1;
        d.Nom_Kontra = 3;
        d.Nom_VidDostavka = 2;
        d.Nom_DocType = 4;
        d.Nom_DOsnova = 100;
        d.Nom_DDS = 20;
        VatSummary s = Documents::Summary(db, f.fd.db(), d);
        QCOMPARE(s.journal, u"Дневника за покупки"_s);
        QCOMPARE(s.counterparty, u"Дунав АД"_s);
        QCOMPARE(s.documentKind, u"Фактура"_s);
        QCOMPARE(s.supplyDate, u"02.04.2026"_s);
        QCOMPARE(s.total, u"120.00"_s);
        d.Nom_Kontra = 0;
        s = Documents::Summary(db, f.fd.db(), d);
        QVERIFY(s.journal.isEmpty() && s.counterparty.isEmpty() && s.supplyKind.isEmpty() && s.supplyDate.isEmpty());
    }

    void folderCaption()
    {
        QCOMPARE(Documents::FolderCaption(u"Покупки от чужбин"_s), u"Покупки от чужбин"_s);  // 17
        QCOMPARE(Documents::FolderCaption(u"Покупки от чужбина"_s), u"Покупки от чужб..."_s);  // 18
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--add-documents")
        return AddDocuments(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    if (argc == 4 && QByteArray(argv[1]) == "--delete-document")
        return DeleteDocument(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    DocumentsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_documents.moc"
