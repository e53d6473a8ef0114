#include "support/EntryFixture.h"

#include "engine/Messages.h"
#include "posting/EntryWizardData.h"
#include "posting/GroupPosting.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

class EntryRulesTest : public QObject {
    Q_OBJECT
private slots:
    void gridVisibilityByDeliveryType_data()
    {
        QTest::addColumn<int>("vid");
        QTest::addColumn<QString>("shown");  // excise dt, VAT dt, excise kt, VAT kt
        QTest::newRow("1") << 1 << u"1000"_s;
        QTest::newRow("2") << 2 << u"1100"_s;
        QTest::newRow("3") << 3 << u"1100"_s;
        QTest::newRow("4") << 4 << u"0011"_s;
        QTest::newRow("5") << 5 << u"0010"_s;
        QTest::newRow("6") << 6 << u"0010"_s;
        QTest::newRow("7") << 7 << u"0001"_s;
        QTest::newRow("0") << 0 << u"0000"_s;
        QTest::newRow("9") << 9 << u"0000"_s;
    }
    void gridVisibilityByDeliveryType()
    {
        QFETCH(int, vid);
        QFETCH(QString, shown);
        QString actual;
        for (Grid g : {Grid::ExciseDt, Grid::VatDt, Grid::ExciseKt, Grid::VatKt})
            actual += EntryRules::GridShown(g, true, vid) ? u'1' : u'0';
        QCOMPARE(actual, shown);
        QVERIFY(EntryRules::GridShown(Grid::BaseDt, true, vid) && EntryRules::GridShown(Grid::BaseKt, true, vid));
        QVERIFY(!EntryRules::GridShown(Grid::VatKt, false, vid));
    }

    void kindsAndCaptions()
    {
        QCOMPARE(EntryRules::KindOfGrid(Grid::BaseKt, true), 1);
        QCOMPARE(EntryRules::KindOfGrid(Grid::ExciseDt, true), 2);
        QCOMPARE(EntryRules::KindOfGrid(Grid::VatKt, true), 3);
        QCOMPARE(EntryRules::KindOfGrid(Grid::BaseDt, false), 0);
        QCOMPARE(EntryRules::PanelCaption(Grid::BaseDt, false), u"Сметки дебит"_s);
        QCOMPARE(EntryRules::PanelCaption(Grid::BaseKt, true), u"Кредит:      Данъчна основа"_s);
    }

    void headerCheckInItsOrder_data()
    {
        QTest::addColumn<bool>("withVat");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("vid");
        QTest::addColumn<int>("docType");
        QTest::addColumn<int>("kontra");
        QTest::addColumn<QString>("message");
        const QDate in(2026, 5, 5), out(2027, 1, 1);
        QTest::newRow("no date") << true << QDate() << 0 << 0 << 0 << u"Въведете дата на осчетоводяване!"_s;
        QTest::newRow("outside") << true << out << 0 << 0 << 0 << u"Въведената дата е извън отчетния период!"_s;
        QTest::newRow("no delivery") << true << in << 0 << 0 << 0 << u"Посочете вид на доставката!"_s;
        QTest::newRow("no kind") << true << in << 2 << 0 << 0 << u"Посочете вид на документа!"_s;
        QTest::newRow("no counterparty") << true << in << 2 << 4 << 0 << u"Посочете контрагент!"_s;
        QTest::newRow("type 7 needs none") << true << in << 7 << 4 << 0 << QString();
        QTest::newRow("without VAT only the date") << false << in << 0 << 0 << 0 << QString();
        QTest::newRow("without VAT outside") << false << out << 0 << 0 << 0
                                             << u"Въведената дата е извън отчетния период!"_s;
    }
    void headerCheckInItsOrder()
    {
        QFETCH(bool, withVat);
        QFETCH(QDate, date);
        QFETCH(int, vid);
        QFETCH(int, docType);
        QFETCH(int, kontra);
        QFETCH(QString, message);
        const ReportingPeriod p{QDate(2026, 1, 1), QDate(2026, 12, 31)};
        QCOMPARE(EntryRules::CheckHeader({date, vid, docType, kontra}, withVat, p).message, message);
    }

    void typedDates()
    {
        const ReportingPeriod p{QDate(2026, 1, 1), QDate(2026, 12, 31)};
        QCOMPARE(EntryRules::CheckTypedDate(u"31.02.2026"_s, p), u"Въведете валидна дата на осчетоводяване!"_s);
        QCOMPARE(EntryRules::CheckTypedDate(u"01.01.2025"_s, p), u"Въведената дата е извън отчетния период!"_s);
        QCOMPARE(EntryRules::CheckTypedDate(u"31.12.2026"_s, p), QString());
    }

    void rowCheck_data()
    {
        QTest::addColumn<int>("account");
        QTest::addColumn<LotKey>("lots");
        QTest::addColumn<double>("kol");
        QTest::addColumn<double>("st");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<QString>("field");
        QTest::newRow("no account") << 0 << LotKey{} << 0.0 << 1.0 << QList<int>{} << false << u"account"_s;
        QTest::newRow("unknown account") << 8888 << LotKey{} << 0.0 << 1.0 << QList<int>{} << false << u"account"_s;
        QTest::newRow("missing lot") << 304 << LotKey{} << 1.0 << 1.0 << QList<int>{} << false << u"lots"_s;
        QTest::newRow("lot on synthetic") << 501 << LotKey{1, 0, 0, 0, 0} << 0.0 << 1.0 << QList<int>{} << false
                                          << u"lots"_s;
        QTest::newRow("no quantity, go on") << 304 << LotKey{1, 0, 0, 0, 0} << 0.0 << 5.0 << QList<int>{6} << true
                                            << QString();
        QTest::newRow("no quantity, stop") << 304 << LotKey{1, 0, 0, 0, 0} << 0.0 << 5.0 << QList<int>{7} << false
                                           << u"kol"_s;
        QTest::newRow("no amount") << 501 << LotKey{} << 0.0 << 0.0 << QList<int>{} << false << u"st"_s;
        QTest::newRow("good") << 304 << LotKey{2, 0, 0, 0, 0} << 2.0 << 5.0 << QList<int>{} << true << QString();
    }
    void rowCheck()
    {
        QFETCH(int, account);
        QFETCH(LotKey, lots);
        QFETCH(double, kol);
        QFETCH(double, st);
        QFETCH(QList<int>, answers);
        QFETCH(bool, passes);
        QFETCH(QString, field);
        EntryFixture e;
        e.f.messages.answers = answers;
        WorkLine row;
        row.account = account;
        row.lots = lots;
        row.kol = kol;
        row.st = st;
        QString focus;
        QCOMPARE(EntryRules::CheckRow(e.db(), row, &focus), passes);
        QCOMPARE(focus, field);
        if (field == u"st"_s)
            QCOMPARE(e.f.messages.shown.last(), u"Въведете показателя \"стойност\" за сметка: 501!"_s);
    }

    void accountWithLevelsOneAndThreeNeedsExactlyThoseLots()
    {
        EntryFixture e;
        ChartStore::SetLevels(e.db(), 702, {1, 0, 3, 0, 0});  // levels are not contiguous in old data
        e.db().exec(u"update s set S_An2 = 0, S_An3 = 3 where S_UNo = 702"_s);
        WorkLine row;
        row.account = 702;
        row.st = 1;
        row.lots = {2, 0, 1, 0, 0};
        QVERIFY(EntryRules::CheckRow(e.db(), row));
        row.lots = {2, 1, 1, 0, 0};
        QVERIFY(!EntryRules::CheckRow(e.db(), row));
        row.lots = {2, 0, 0, 0, 0};
        QVERIFY(!EntryRules::CheckRow(e.db(), row));
    }

    void aFixedAssetsLevelTakesNoLot()
    {
        EntryFixture e;
        LevelStore::InsertLevel(e.db(), {4, u"ДМА"_s, NomType::FixedAssets});
        ChartStore::SetLevels(e.db(), 203, {3, 4, 0, 0, 0});
        WorkLine row;
        row.account = 203;
        row.st = 1;
        row.lots = {1, 0, 0, 0, 0};  // the picker gives 0 where the level has no lots
        QVERIFY(EntryRules::CheckRow(e.db(), row));
        QVERIFY(EntryWizardData::AccountProblem(e.db(), row).isEmpty());
        row.lots = {1, 1, 0, 0, 0};
        QVERIFY(!EntryRules::CheckRow(e.db(), row));
        row.lots = {0, 0, 0, 0, 0};
        QVERIFY(!EntryRules::CheckRow(e.db(), row));
    }

    void addingRows()
    {
        EntryFixture e;
        EntryGroup g = e.group(false);
        QVERIFY(EntryRules::MayAddRow(g, Grid::BaseDt));
        e.row(g, Grid::BaseDt, 501, {}, 100);
        e.row(g, Grid::BaseKt, 411, {2, 0, 0, 0, 0}, 60);
        e.row(g, Grid::BaseKt, 411, {2, 0, 0, 0, 0}, 40);
        QVERIFY(!EntryRules::MayAddRow(g, Grid::BaseDt));  // credit has two rows
        QVERIFY(EntryRules::MayAddRow(g, Grid::BaseKt));
        QVERIFY(!EntryRules::MayAddRow(g, Grid::VatKt));   // not shown without VAT

        EntryGroup v = e.group(true, 2);
        QVERIFY(EntryRules::MayAddRow(v, Grid::VatDt));
        e.row(v, Grid::VatDt, 4531, {}, 20);
        QVERIFY(!EntryRules::MayAddRow(v, Grid::VatDt));   // one row each
        QVERIFY(EntryRules::MayAddRow(v, Grid::ExciseDt));
        QVERIFY(!EntryRules::MayAddRow(v, Grid::VatKt));
        QVERIFY(g.rows(Grid::BaseDt).first().id > 0);  // from the shared counter
    }

    void changingTheDeliveryTypeEmptiesExciseAndVatGrids()
    {
        EntryFixture e;
        EntryGroup g = e.group(true, 2);
        e.row(g, Grid::BaseDt, 304, {1, 0, 0, 0, 0}, 100, 1);
        e.row(g, Grid::ExciseDt, 304, {1, 0, 0, 0, 0}, 5, 1);
        e.row(g, Grid::VatDt, 4531, {}, 20);
        EntryRules::ChangeDeliveryType(g, 4);
        QCOMPARE(g.rows(Grid::ExciseDt).size(), 0);
        QCOMPARE(g.rows(Grid::VatDt).size(), 0);
        QCOMPARE(g.rows(Grid::BaseDt).size(), 1);
        QCOMPARE(g.header.vidDostavka, 4);
    }

    void roundingAndRanges()
    {
        WorkLine row;
        row.kol = 1.23456;
        row.st = 10.005;
        QCOMPARE(EntryRules::RoundRow(row), QString());
        QCOMPARE(row.kol, 1.2346);
        QCOMPARE(row.st, 10.01);
        row.st = 100000000000.0;
        QCOMPARE(EntryRules::RoundRow(row),
                 u"Въведената стойност трябда да е между -99999999999.99 и 99999999999.99"_s);
        row.st = 1;
        row.kol = -100000000000.0;
        QCOMPARE(EntryRules::RoundRow(row),
                 u"Въведеното количество трябда да е между -99999999999.9999 и 99999999999.9999"_s);
    }

    // A value typed into a cell: numbers are rounded by their column's rule, other text is
    // refused with the text, and a refused value leaves the row as it was.
    void typedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("amount");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("problem");
        const QString range = u"Въведената стойност трябда да е между -99999999999.99 и 99999999999.99"_s;
        QTest::newRow("amount") << u"250"_s << true << 250.0 << QString();
        QTest::newRow("extra decimals") << u"100.001"_s << true << 100.0 << QString();
        QTest::newRow("half a stotinka") << u"10.005"_s << true << 10.01 << QString();
        QTest::newRow("quantity to 4") << u"1,23456"_s << false << 1.2346 << QString();
        QTest::newRow("empty is nought") << u""_s << true << 0.0 << QString();
        QTest::newRow("a letter") << u"2x9"_s << true << 7.0 << u"Невалидна стойност: 2x9"_s;
        QTest::newRow("a letter in a quantity") << u"5 бр."_s << false << 3.0 << u"Невалидна стойност: 5 бр."_s;
        QTest::newRow("largest") << u"-99999999999.994"_s << true << -99999999999.99 << QString();
        QTest::newRow("rounds out of range") << u"99999999999.995"_s << true << 7.0 << range;
    }
    void typedNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, amount);
        QFETCH(double, value);
        QFETCH(QString, problem);
        WorkLine row;
        row.kol = 3;
        row.st = 7;
        QCOMPARE(EntryRules::TypeNumber(row, amount, text), problem);
        QCOMPARE(amount ? row.st : row.kol, value);
        QCOMPARE(amount ? row.kol : row.st, amount ? 3.0 : 7.0);
    }

    void saveValidationInItsOrder_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("message");
        QTest::newRow("no credit") << u"dt"_s << u"Посочете сметка по кредита!"_s;
        QTest::newRow("no debit") << u"kt"_s << u"Посочете сметка по дебита!"_s;
        QTest::newRow("two VAT rows") << u"vat2"_s << u"Посочени са две сметки за ДДС/Акциз"_s;
        QTest::newRow("many to many") << u"2x2"_s << u"Съставена е статия от тип: \"много към много\"!"_s;
        QTest::newRow("sums differ") << u"diff"_s << u"Сумата по дебита и кредита е различна!"_s;
        QTest::newRow("rounded away") << u"round"_s << QString();
        QTest::newRow("row check last") << u"row"_s << u"Не е попълнена партида за сметката!"_s;
        QTest::newRow("one to three") << u"1x3"_s << QString();
        QTest::newRow("kind 12 without rows") << u"empty12"_s << QString();
    }
    void saveValidationInItsOrder()
    {
        QFETCH(QString, shape);
        QFETCH(QString, message);
        EntryFixture e;
        EntryGroup g = e.group(shape == u"vat2"_s, 2);
        if (shape == u"dt"_s)
            e.row(g, Grid::BaseDt, 501, {}, 10);
        else if (shape == u"kt"_s)
            e.row(g, Grid::BaseKt, 503, {}, 10);
        else if (shape == u"vat2"_s) {
            e.row(g, Grid::BaseDt, 304, {1, 0, 0, 0, 0}, 100, 1);
            e.row(g, Grid::BaseKt, 401, {1, 0, 0, 0, 0}, 140);
            e.row(g, Grid::VatDt, 4531, {}, 20);
            e.row(g, Grid::VatDt, 4531, {}, 20);
        } else if (shape == u"2x2"_s) {
            e.row(g, Grid::BaseDt, 501, {}, 10);
            e.row(g, Grid::BaseDt, 501, {}, 10);
            e.row(g, Grid::BaseKt, 503, {}, 10);
            e.row(g, Grid::BaseKt, 503, {}, 10);
        } else if (shape == u"diff"_s) {
            e.row(g, Grid::BaseDt, 501, {}, 100.00);
            e.row(g, Grid::BaseKt, 503, {}, 100.01);
        } else if (shape == u"round"_s) {
            e.row(g, Grid::BaseDt, 501, {}, 100.00);
            e.row(g, Grid::BaseKt, 503, {}, 100.001);
        } else if (shape == u"row"_s) {
            e.row(g, Grid::BaseDt, 501, {}, 10);
            e.row(g, Grid::BaseKt, 411, {}, 10);
        } else if (shape == u"1x3"_s) {
            e.row(g, Grid::BaseDt, 501, {}, 60);
            e.row(g, Grid::BaseKt, 411, {2, 0, 0, 0, 0}, 10);
            e.row(g, Grid::BaseKt, 411, {2, 0, 0, 0, 0}, 20);
            e.row(g, Grid::BaseKt, 503, {}, 30);
        } else {
            g.header.docType = 12;
        }
        const bool ok = EntryRules::ValidateForSave(e.db(), g, e.period);
        QCOMPARE(ok, message.isEmpty());
        QCOMPARE(e.f.messages.shown, message.isEmpty() ? QStringList() : QStringList{message});
    }

    void templateFillsOnlyTheShownGrids()
    {
        EntryFixture e;
        Db &db = e.db();
        db.exec(u"insert into op (Op_id, Pap_Id, Op_Name) values (5, 1, 'Продажба')"_s);
        for (int type = 0; type <= 2; ++type) {
            db.exec(u"insert into opeldt (Op_Id, OpEl_Id, OpEl_No, OpEl_An1, OpEl_Type) values (5, ?, 411, 2, ?)"_s,
                    {type + 1, type});
            db.exec(u"insert into opelkt (Op_Id, OpEl_Id, OpEl_No, OpEl_An1, OpEl_Type) values (5, ?, ?, 0, ?)"_s,
                    {type + 10, type == 2 ? 4532 : 702, type});
        }
        EntryGroup g = e.group(true, 7);
        e.row(g, Grid::BaseKt, 503, {}, 1);
        QVERIFY(EntryRules::ApplyTemplate(e.f.fd, e.f.dm, g, 5));
        QCOMPARE(g.rows(Grid::BaseDt).size(), 1);
        QCOMPARE(g.rows(Grid::BaseKt).size(), 1);
        QCOMPARE(g.rows(Grid::BaseKt).first().account, 702);
        QCOMPARE(g.rows(Grid::VatKt).size(), 1);
        QCOMPARE(g.rows(Grid::VatKt).first().account, 4532);
        QCOMPARE(g.rows(Grid::ExciseDt).size() + g.rows(Grid::VatDt).size() + g.rows(Grid::ExciseKt).size(), 0);
        QCOMPARE(g.rows(Grid::BaseDt).first().name, u"Клиент ООД"_s);
        QCOMPARE(g.rows(Grid::BaseDt).first().st, 0.0);
        QVERIFY(!EntryRules::ApplyTemplate(e.f.fd, e.f.dm, g, 99));
    }

    void savedGroupLoadsBackIntoItsGrids()
    {
        EntryFixture e;
        EntryGroup g = e.group(true, 2);
        e.row(g, Grid::BaseDt, 304, {1, 0, 0, 0, 0}, 100, 5);
        e.row(g, Grid::VatDt, 4531, {}, 20);
        e.row(g, Grid::BaseKt, 401, {1, 0, 0, 0, 0}, 120);
        QVERIFY(EntryRules::ValidateForSave(e.db(), g, e.period));
        GroupPosting::Save(e.db(), g, e.doc);
        const EntryGroup back = EntryRules::Load(e.db(), g.docNo, g.group, true, false);
        QCOMPARE(back.rows(Grid::BaseDt).size(), 1);
        QCOMPARE(back.rows(Grid::BaseDt).first().kol, 5.0);
        QCOMPARE(back.rows(Grid::VatDt).first().account, 4531);
        QCOMPARE(back.rows(Grid::BaseKt).first().lots[0], 1);
        QCOMPARE(back.rows(Grid::BaseKt).first().id, g.rows(Grid::BaseKt).first().id);
    }

    void theWizardOpensWithTheHeaderOfItsDocumentAndGroup_data()
    {
        QTest::addColumn<bool>("withVat");
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<bool>("hasLines");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("vid");
        QTest::addColumn<int>("docType");
        QTest::addColumn<int>("kontra");
        // The document: dated 10 March, VAT date 31 March, supply 7, kind 1, counterparty 2; the
        // group's first line is dated 12 March.
        const QDate doc(2026, 3, 10), vatDate(2026, 3, 31), line(2026, 3, 12);
        QTest::newRow("new VAT group: the defaults") << true << true << false << doc << 2 << 4 << 2;
        QTest::newRow("VAT group again: the document's VAT data") << true << false << true << vatDate << 7 << 1 << 2;
        QTest::newRow("new group without VAT: the document's date") << false << true << false << doc << 0 << 1 << 0;
        QTest::newRow("group again: its first line's date") << false << false << true << line << 0 << 1 << 0;
        QTest::newRow("group again without lines: the document's date") << false << false << false << doc << 0 << 1 << 0;
    }
    void theWizardOpensWithTheHeaderOfItsDocumentAndGroup()
    {
        QFETCH(bool, withVat);
        QFETCH(bool, isNew);
        QFETCH(bool, hasLines);
        QFETCH(QDate, date);
        QFETCH(int, vid);
        QFETCH(int, docType);
        QFETCH(int, kontra);
        EntryFixture e;
        NomPRow doc = e.doc;
        doc.Nom_DDSDate = QDate(2026, 3, 31);
        doc.Nom_VidDostavka = 7;
        doc.Nom_DocType = 1;
        doc.Nom_Kontra = 2;
        EntryGroup g = e.group(withVat);
        g.isNew = isNew;
        if (hasLines) {
            EntryGroup posted = e.group(false);
            posted.header.postingDate = QDate(2026, 3, 12);
            e.row(posted, Grid::BaseDt, 304, {1, 0, 0, 0, 0}, 10.00, 1);
            e.row(posted, Grid::BaseKt, 401, {1, 0, 0, 0, 0}, 10.00);
            QVERIFY(EntryRules::ValidateForSave(e.db(), posted, e.period));
            NomPRow saved = e.doc;
            GroupPosting::Save(e.db(), posted, saved);
            g.group = posted.group;
        }
        const EntryHeader h = EntryWizardData::OpeningHeader(e.db(), doc, g);
        QCOMPARE(h.postingDate, date);
        QCOMPARE(h.vidDostavka, vid);
        QCOMPARE(h.docType, docType);
        QCOMPARE(h.kontra, kontra);
    }
};

QTEST_GUILESS_MAIN(EntryRulesTest)
#include "tst_entryrules.moc"
