// Which entry group the wizard opens from the documents window: a new group after the highest,
// the one VAT group a document may have, and the group of a clicked line.
#include "firm/AccountTotals.h"
#include "posting/EntryRequests.h"
#include "posting/JournalLines.h"
#include "support/TestFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(QList<int>)

namespace {

// A saved document of kind `docType` with one journal line per entry of `kinds`; line i belongs
// to group groups[i].
int DocumentWithLines(Db &db, int docType, const QList<int> &groups, const QList<int> &kinds)
{
    NomPRow d = Documents::NewDocument(db, 1, ReadPeriod(db), QDate(2026, 3, 1));
    d.Nom_DDoc_No = 55;
    d.Nom_DocType = docType;
    Documents::Save(db, d, true);
    for (int i = 0; i < groups.size(); ++i) {
        JournalLine l;
        l.Doc_No = d.Nom_Doc_No;
        l.Doc_StGrp = groups[i];
        l.Doc_StNo = JournalLines::NextLineNo(db);
        l.Doc_Date = QDate(2026, 3, 1);
        l.Doc_S_Dt = 501;
        l.Doc_S_Kt = 411;
        l.Doc_St = 10;
        l.Doc_DDSType = kinds[i];
        l.papNo = 1;
        JournalLines::Write(db, l);
    }
    return d.Nom_Doc_No;
}

void CompareRequest(const EntryWizardRequest &actual, const EntryWizardRequest &expected)
{
    QCOMPARE(actual.isNew, expected.isNew);
    QCOMPARE(actual.withVat, expected.withVat);
    QCOMPARE(actual.group, expected.group);
    QCOMPARE(actual.docNo, expected.docNo);
}

}  // namespace

class EntryRequestsTest : public QObject {
    Q_OBJECT
private slots:
    void withAndWithoutVat_data()
    {
        QTest::addColumn<int>("docType");
        QTest::addColumn<QList<int>>("groups");
        QTest::addColumn<QList<int>>("kinds");
        QTest::addColumn<bool>("vatIsNew");
        QTest::addColumn<int>("vatGroup");
        QTest::addColumn<int>("plainGroup");
        QTest::newRow("no lines") << 4 << QList<int>{} << QList<int>{} << true << 1 << 1;
        QTest::newRow("kind without entries keeps its VAT details")
            << 15 << QList<int>{} << QList<int>{} << false << 1 << 1;
        QTest::newRow("groups without VAT only") << 4 << QList<int>{1, 1, 2} << QList<int>{0, 0, 0} << true << 3 << 3;
        QTest::newRow("the VAT group is edited, never a second")
            << 4 << QList<int>{1, 2, 2, 3} << QList<int>{0, 1, 3, 0} << false << 2 << 4;
        QTest::newRow("a tax base line wins over an earlier VAT line")
            << 4 << QList<int>{5, 2} << QList<int>{3, 1} << false << 2 << 6;
        QTest::newRow("an excise line alone marks the group") << 4 << QList<int>{1, 7} << QList<int>{0, 2} << false << 7 << 8;
    }
    void withAndWithoutVat()
    {
        QFETCH(int, docType);
        QFETCH(QList<int>, groups);
        QFETCH(QList<int>, kinds);
        QFETCH(bool, vatIsNew);
        QFETCH(int, vatGroup);
        QFETCH(int, plainGroup);
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int docNo = DocumentWithLines(db, docType, groups, kinds);
        const NomPRow doc = *Documents::Find(db, docNo);
        CompareRequest(EntryRequests::WithVat(db, doc), {vatIsNew, true, vatGroup, docNo});
        CompareRequest(EntryRequests::WithoutVat(db, doc), {true, false, plainGroup, docNo});
    }

    void editingALineOpensItsGroup_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("withVat");
        QTest::newRow("line without VAT") << 0 << 1 << false;
        QTest::newRow("tax base") << 1 << 2 << true;
        QTest::newRow("excise") << 2 << 2 << true;
        QTest::newRow("VAT") << 3 << 2 << true;
    }
    void editingALineOpensItsGroup()
    {
        QFETCH(int, line);
        QFETCH(int, group);
        QFETCH(bool, withVat);
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int docNo = DocumentWithLines(db, 4, {1, 2, 2, 2}, {0, 1, 2, 3});
        const QList<DocLineView> lines = Documents::Lines(db, docNo);
        const auto request = EntryRequests::EditGroup(db, *Documents::Find(db, docNo), lines.at(line));
        QVERIFY(request.has_value());
        CompareRequest(*request, {false, withVat, group, docNo});
        QVERIFY(f.messages.shown.isEmpty());
    }

    void editingNeedsLinesANumberAndADate()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int bare = DocumentWithLines(db, 4, {}, {});
        QVERIFY(!EntryRequests::EditGroup(db, *Documents::Find(db, bare), DocLineView{}));
        QVERIFY(f.messages.shown.isEmpty());  // no lines: silently nothing

        const int docNo = DocumentWithLines(db, 4, {1}, {0});
        const DocLineView line = Documents::Lines(db, docNo).first();
        NomPRow typed = *Documents::Find(db, docNo);
        typed.Nom_DDoc_No.reset();
        QVERIFY(!EntryRequests::EditGroup(db, typed, line));
        typed = *Documents::Find(db, docNo);
        typed.Nom_Doc_Date = QDate();
        QVERIFY(!EntryRequests::EditGroup(db, typed, line));
        QCOMPARE(f.messages.shown, QStringList({DocumentNumberMissing, DocumentDateMissing}));
    }
};

QTEST_GUILESS_MAIN(EntryRequestsTest)
#include "tst_entryrequests.moc"
