// The journal entry wizard on the offscreen platform: a purchase with VAT and a release at
// average cost taken to saved groups, the refusals of the save, the grids by delivery type, a
// save that fails in the database, and a group of the demo firm edited again.
#include "support/Books.h"
#include "support/EntryFixture.h"

#include "accounts/TStatLookUpForm.h"
#include "app/TErrorHook.h"
#include "demo/DemoFirm.h"
#include "engine/Db.h"
#include "engine/Formats.h"
#include "posting/EntryGrid.h"
#include "posting/Stock.h"
#include "posting/TStatGrForm.h"
#include "registry/FirmChoice.h"
#include "support/WhenShown.h"
#include "widgets/EditorWidgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

int Count(Db &db, const QString &table) { return db.scalar(u"select count(*) from "_s + table).toInt(); }

// The next picker chooses `account` (0: keeps the one it shows) and lot `lot` in its first box.
void PickNext(int account, int lot)
{
    WhenShown<TStatLookUpForm>([account, lot](TStatLookUpForm *picker) {
        if (account)
            picker->accountBox()->setCurrentIndex(picker->accountBox()->findData(account));
        picker->lotBox(1)->setCurrentIndex(picker->lotBox(1)->findData(lot));
        picker->confirm();
    });
}

struct Wizard {
    EntryFixture e;
    TStatGrForm form{e.f.fd, e.f.dm};

    Db &db() { return e.db(); }
    int docNo() const { return e.doc.Nom_Doc_No; }
    bool open(bool withVat)
    {
        const bool opened = form.begin({true, withVat, Documents::NextGroup(db(), docNo()), docNo()});
        if (withVat)
            form.setCounterparty(1);
        return opened;
    }
    // A row of an account without lots.
    void add(Grid g, int account, const QString &amount)
    {
        QVERIFY(form.addRow(g));
        const int row = int(form.group().rows(g).size()) - 1;
        QVERIFY(form.typeAccount(g, row, QString::number(account)));
        QVERIFY(form.typeAmount(g, row, amount));
    }
};

struct Cells {
    int account;
    double st;
    friend bool operator==(const Cells &, const Cells &) = default;
};
QList<Cells> Snapshot(const EntryGroup &g)
{
    QList<Cells> cells;
    for (Grid grid : AllGrids)
        for (const WorkLine &r : g.rows(grid))
            cells.append({r.account, r.st});
    return cells;
}

}  // namespace

class EntryWizardTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { new TErrorHook(qApp); }

    void theStockIsCheckedAgainWhenTheLotOrTheDateChanges()
    {
        Wizard w;
        PostLine(w.db(), QDate(2026, 3, 10), 304, {1, 0, 0, 0, 0}, 401, {1, 0, 0, 0, 0}, 50.00, 5);  // 15 from 10.03
        QVERIFY(w.open(false));
        w.add(Grid::BaseDt, 702, u"60"_s);
        QVERIFY(w.form.addRow(Grid::BaseKt));
        PickNext(0, 1);
        QVERIFY(w.form.typeAccount(Grid::BaseKt, 0, u"304"_s));  // the picker gives the lot
        QVERIFY(w.form.typeQuantity(Grid::BaseKt, 0, u"12"_s));
        QVERIFY(w.form.leaveQuantity(Grid::BaseKt, 0));
        w.e.f.messages.shown.clear();
        const QString shortage = u" Няма налично количество в сметка304"_s;

        w.form.dateEdit()->setText(u"09.03.2026"_s);  // before the receipt: 10 left
        QVERIFY(w.form.leaveDate());
        QVERIFY(w.e.f.messages.shown.last().startsWith(shortage));
        w.form.dateEdit()->setText(u"10.03.2026"_s);
        QVERIFY(w.form.leaveDate());
        w.e.f.messages.shown.clear();

        PickNext(0, 2);  // lot 2 holds 3
        w.form.grid(Grid::BaseKt)->setCurrentCell(0, EntryGrid::AccountColumn);
        QVERIFY(w.form.pickAccount(Grid::BaseKt));
        QCOMPARE(w.form.group().rows(Grid::BaseKt)[0].lots[0], 2);
        QCOMPARE(w.e.f.messages.shown.size(), 1);
        QVERIFY(w.e.f.messages.shown.last().startsWith(shortage));
    }

    void aPurchaseWithVatIsSavedWithItsLinesAndVatTotals()
    {
        EntryFixture e;
        const int group = Documents::NextGroup(e.db(), e.doc.Nom_Doc_No);
        bool driven = false;
        WhenShown<TStatGrForm>([&](TStatGrForm *w) {
            QCOMPARE(w->caption(), u"Въвеждане на счетоводни статии"_s);
            QCOMPARE(w->helpTopic(), 32);
            QCOMPARE(w->deliveryBox()->currentData().toInt(), 2);
            QCOMPARE(w->documentTypeBox()->currentData().toInt(), 4);
            QCOMPARE(w->dateEdit()->text(), u"10.03.2026"_s);
            QCOMPARE(w->counterpartyBox()->itemText(0), u"Не се отразява"_s);
            QCOMPARE(w->panelCaption(Grid::BaseDt)->text(), u"Дебит:       Данъчна основа"_s);
            QCOMPARE(w->panelCaption(Grid::VatDt)->text(), u" Данък добавена стойност"_s);
            for (Grid g : {Grid::BaseDt, Grid::ExciseDt, Grid::VatDt, Grid::BaseKt})
                QVERIFY(w->gridPanel(g)->isVisible());
            QVERIFY(!w->gridPanel(Grid::ExciseKt)->isVisible() && !w->gridPanel(Grid::VatKt)->isVisible());

            // The header comes first: no row without a counterparty.
            QVERIFY(!w->addRow(Grid::BaseDt));
            QCOMPARE(e.f.messages.shown.takeLast(), u"Посочете контрагент!"_s);
            w->counterpartyBox()->setCurrentIndex(w->counterpartyBox()->findData(1));

            QVERIFY(w->addRow(Grid::BaseDt));
            PickNext(0, 1);  // 304 typed without its lot: the picker asks for it, without a message
            QVERIFY(w->typeAccount(Grid::BaseDt, 0, u"304"_s));
            QCOMPARE(e.f.messages.shown, QStringList());
            QVERIFY(w->typeQuantity(Grid::BaseDt, 0, u"5"_s));
            QVERIFY(w->typeAmount(Grid::BaseDt, 0, u"50"_s));
            QVERIFY(w->addRow(Grid::VatDt));
            QVERIFY(w->typeAccount(Grid::VatDt, 0, u"4531"_s));
            QVERIFY(w->typeAmount(Grid::VatDt, 0, u"10,00"_s));

            QVERIFY(w->addRow(Grid::BaseKt));
            PickNext(401, 1);
            QTest::keyClick(w->grid(Grid::BaseKt), Qt::Key_Space);  // Space in the account column
            QVERIFY(w->typeAmount(Grid::BaseKt, 0, u"60"_s));
            QCOMPARE(w->debitSum()->text(), u"60.00"_s);
            QCOMPARE(w->creditSum()->text(), u"60.00"_s);
            driven = true;
            QTest::mouseClick(w->saveButton(), Qt::LeftButton);
        });
        QVERIFY(TStatGrForm::Run(e.f.fd, e.f.dm, {true, true, group, e.doc.Nom_Doc_No}, nullptr));
        QVERIFY(driven);
        QCOMPARE(e.f.messages.shown, QStringList());

        QStringList lines;  // debit, its lot and quantity / credit, its lot / amount / kind / group
        QSqlQuery q = e.db().exec(u"select Doc_S_Dt, Doc_S_Dt_An1, Doc_S_Dt_Kol, Doc_S_Kt, Doc_S_Kt_An1, Doc_St, "
                                  "Doc_DDSType, Doc_StGrp from doc where Doc_No = ? order by Doc_StNo"_s,
                                  {e.doc.Nom_Doc_No});
        while (q.next())
            lines << u"%1/%2/%3 %4/%5 %6 %7 %8"_s.arg(q.value(0).toInt()).arg(q.value(1).toInt()).arg(q.value(2).toDouble())
                         .arg(q.value(3).toInt()).arg(q.value(4).toInt()).arg(q.value(5).toDouble())
                         .arg(q.value(6).toInt()).arg(q.value(7).toInt());
        QCOMPARE(lines, (QStringList{u"304/1/5 401/1 50 1 %1"_s.arg(group), u"4531/0/0 401/1 10 3 %1"_s.arg(group)}));
        QCOMPARE(Count(e.db(), u"an"_s), 4);
        QCOMPARE(Count(e.db(), u"SDt"_s), 2);
        QCOMPARE(Count(e.db(), u"SKt"_s), 1);
        QCOMPARE(e.db().scalar(u"select SDt_Name from SDt where SDt_No = 304"_s).toString(), u"Олио"_s);

        const NomPRow d = *Documents::Find(e.db(), e.doc.Nom_Doc_No);
        QCOMPARE((QList<double>{double(d.Nom_WithDDS), d.Nom_DOsnova, d.Nom_DDS, double(d.Nom_Dnevnik),
                                double(d.Nom_Kontra), double(d.Nom_VidDostavka), double(d.Nom_DocType)}),
                 (QList<double>{1, 50.0, 10.0, 1, 1, 2, 4}));
        QCOMPARE(d.Nom_DDSDate, QDate(2026, 3, 10));
    }

    void aReleaseIsPricedAtAverageCostAndRepricedWithSpace()
    {
        Wizard w;
        QVERIFY(w.open(false));
        QCOMPARE(w.form.helpTopic(), 33);
        QCOMPARE(w.form.panelCaption(Grid::BaseKt)->text(), u"Сметки кредит"_s);
        QVERIFY(w.form.gridPanel(Grid::VatDt)->isHidden());
        QCOMPARE(w.form.dateEdit()->text(), u"10.03.2026"_s);
        w.add(Grid::BaseDt, 702, u"0"_s);
        QVERIFY(w.form.addRow(Grid::BaseKt));
        PickNext(0, 1);
        QVERIFY(w.form.typeAccount(Grid::BaseKt, 0, u"304"_s));
        EntryGrid *credit = w.form.grid(Grid::BaseKt);
        QVERIFY(credit->isEditable(0, EntryGrid::KolColumn));  // a quantity account
        QVERIFY(w.form.typeQuantity(Grid::BaseKt, 0, u"4"_s));
        QVERIFY(w.form.leaveQuantity(Grid::BaseKt, 0));
        QCOMPARE(w.form.group().rows(Grid::BaseKt)[0].st, 40.0);  // 10 units cost 100.00
        QCOMPARE(credit->item(0, EntryGrid::StColumn)->text(), u"40.00"_s);

        // A typed amount stays until Space in the amount cell prices the release again.
        QVERIFY(w.form.typeAmount(Grid::BaseKt, 0, u"33"_s));
        QVERIFY(w.form.leaveQuantity(Grid::BaseKt, 0));
        QCOMPARE(w.form.group().rows(Grid::BaseKt)[0].st, 33.0);
        credit->returnTo(0, EntryGrid::StColumn);
        QTest::keyClick(credit, Qt::Key_Space);
        QCOMPARE(w.form.group().rows(Grid::BaseKt)[0].st, 40.0);

        QVERIFY(!w.form.grid(Grid::BaseDt)->isEditable(0, EntryGrid::KolColumn));  // a value account
        QVERIFY(w.form.typeAmount(Grid::BaseDt, 0, u"40"_s));
        QVERIFY(w.form.save());
        QSqlQuery an = w.db().exec(u"select An_S_Kt_Kol, An_S_Kt_St, An_S_An1 from an where An_S_No = 304"_s);
        QVERIFY(an.next());
        QCOMPARE(an.value(0).toDouble(), 4.0);
        QCOMPARE(an.value(1).toDouble(), 40.0);
        QCOMPARE(an.value(2).toInt(), 1);
    }

    void keysTypedIntoTheGridGoThroughTheSameRules()
    {
        Wizard w;
        QVERIFY(w.open(false));
        w.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        EntryGrid *grid = w.form.grid(Grid::BaseKt);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);  // past the last row of an empty grid
        QCOMPARE(w.form.group().rows(Grid::BaseKt).size(), 1);
        QCOMPARE(grid->currentColumn(), int(EntryGrid::AccountColumn));
        QTest::keyClick(grid, Qt::Key_3);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, u"04"_s);
        PickNext(0, 1);
        QTest::keyClick(editor, Qt::Key_Tab);
        QTRY_COMPARE(w.form.group().rows(Grid::BaseKt)[0].lots[0], 1);
        QCOMPARE(w.e.f.messages.shown, QStringList());
        QCOMPARE(grid->item(0, EntryGrid::LotsColumn)->text(), u"Олио"_s);

        // The picker hands the row back at its quantity; Tab out of it checks and prices the release.
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QTRY_COMPARE(grid->currentColumn(), int(EntryGrid::KolColumn));
        QCOMPARE(QApplication::focusWidget(), grid);
        QTest::keyClick(grid, Qt::Key_4);
        editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(w.form.group().rows(Grid::BaseKt)[0].kol, 4.0);
        QTRY_COMPARE(w.form.group().rows(Grid::BaseKt)[0].st, 40.0);
        QCOMPARE(grid->currentColumn(), int(EntryGrid::StColumn));
    }

    // Keys typed into an amount cell: the cell's content is replaced, extra decimals are rounded
    // by the amount rule, and text that is not a number is refused and stays in the cell.
    void keysTypedIntoAnAmountCell_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("leave");
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("message");
        const int enter = Qt::Key_Return, tab = Qt::Key_Tab;
        QTest::newRow("digits replace 0.00") << u"250"_s << enter << 250.0 << QString();
        QTest::newRow("a decimal comma, Tab") << u"1,5"_s << tab << 1.5 << QString();
        QTest::newRow("extra decimals are rounded") << u"100.001"_s << enter << 100.0 << QString();
        QTest::newRow("half a stotinka up") << u"10.005"_s << enter << 10.01 << QString();
        QTest::newRow("a letter is refused") << u"2x9"_s << enter << 0.0 << u"Невалидна стойност: 2x9"_s;
        QTest::newRow("a letter, Tab") << u"2x9"_s << tab << 0.0 << u"Невалидна стойност: 2x9"_s;
        QTest::newRow("two points are refused") << u"1.2.3"_s << enter << 0.0 << u"Невалидна стойност: 1.2.3"_s;
        QTest::newRow("out of range") << u"100000000000"_s << enter << 0.0
                                      << u"Въведената стойност трябда да е между -99999999999.99 и 99999999999.99"_s;
    }
    void keysTypedIntoAnAmountCell()
    {
        QFETCH(QString, keys);
        QFETCH(int, leave);
        QFETCH(double, stored);
        QFETCH(QString, message);
        Wizard w;
        QVERIFY(w.open(false));
        w.add(Grid::BaseDt, 501, u"0"_s);
        w.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        EntryGrid *grid = w.form.grid(Grid::BaseDt);
        QCOMPARE(grid->item(0, EntryGrid::StColumn)->text(), u"0.00"_s);
        grid->setCurrentCell(0, EntryGrid::StColumn);
        grid->setFocus();
        QTest::keyClicks(grid, keys.left(1));
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, keys.mid(1));
        QCOMPARE(editor->text(), keys);  // nothing appended to what the cell held, nothing dropped
        QTest::keyClick(editor, Qt::Key(leave));
        if (message.isEmpty()) {
            QTRY_COMPARE(w.form.group().rows(Grid::BaseDt)[0].st, stored);
            QCOMPARE(grid->item(0, EntryGrid::StColumn)->text(), Formats::Amount(stored));
            QVERIFY(w.e.f.messages.shown.isEmpty());
            return;
        }
        QTRY_COMPARE(w.e.f.messages.shown, QStringList{message});
        QCOMPARE(w.form.group().rows(Grid::BaseDt)[0].st, 0.0);
        // The cell is open again with what was typed, ready to be put right.
        QTRY_VERIFY(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
        editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QCOMPARE(editor->text(), keys);
        QCOMPARE(grid->currentColumn(), int(EntryGrid::StColumn));
        QTest::keyClicks(editor, u"29"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(w.form.group().rows(Grid::BaseDt)[0].st, 29.0);
    }

    void aShortageIsShownAndTheFocusStaysOnTheQuantity()
    {
        Wizard w;
        QVERIFY(w.open(false));
        QVERIFY(w.form.addRow(Grid::BaseKt));
        PickNext(0, 2);  // 3 units of Захар on stock
        w.form.typeAccount(Grid::BaseKt, 0, u"304"_s);
        QVERIFY(w.form.typeQuantity(Grid::BaseKt, 0, u"5"_s));
        w.form.grid(Grid::BaseKt)->returnTo(0, EntryGrid::StColumn);
        QVERIFY(!w.form.leaveQuantity(Grid::BaseKt, 0));
        QVERIFY(w.e.f.messages.shown.last().startsWith(u" Няма налично количество в сметка304\r"_s));
        QCOMPARE(w.form.grid(Grid::BaseKt)->currentColumn(), int(EntryGrid::KolColumn));
        QCOMPARE(w.form.group().rows(Grid::BaseKt)[0].kol, 5.0);
        QCOMPARE(w.form.group().rows(Grid::BaseKt)[0].st, 0.0);
    }

    void aTypedAccountThatFailsIsRefusedWhenThePickerIsCancelled()
    {
        Wizard w;
        QVERIFY(w.open(false));
        w.add(Grid::BaseDt, 501, u"12"_s);
        WhenShown<TStatLookUpForm>([](TStatLookUpForm *picker) { picker->reject(); });
        QVERIFY(!w.form.typeAccount(Grid::BaseDt, 0, u"9999"_s));
        QCOMPARE(w.e.f.messages.shown, QStringList{u"Не е попълнена коректна сметка!"_s});
        QCOMPARE(w.form.group().rows(Grid::BaseDt)[0].account, 501);
        QCOMPARE(w.form.group().rows(Grid::BaseDt)[0].st, 12.0);
        QCOMPARE(w.form.grid(Grid::BaseDt)->item(0, EntryGrid::AccountColumn)->text(), u"501"_s);
    }

    void saveRefusalsKeepTheWizardOpenWithTheInput_data()
    {
        QTest::addColumn<bool>("withVat");
        QTest::addColumn<QStringList>("debit");
        QTest::addColumn<QStringList>("credit");
        QTest::addColumn<int>("kontra");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("message");  // empty: saved
        const QStringList one{u"501=100.00"_s};
        QTest::newRow("no credit") << false << one << QStringList() << 0 << u"10.03.2026"_s
                                   << u"Посочете сметка по кредита!"_s;
        QTest::newRow("no debit") << false << QStringList() << QStringList{u"503=100"_s} << 0 << u"10.03.2026"_s
                                  << u"Посочете сметка по дебита!"_s;
        QTest::newRow("sums differ") << false << one << QStringList{u"503=100.01"_s} << 0 << u"10.03.2026"_s
                                     << u"Сумата по дебита и кредита е различна!"_s;
        QTest::newRow("a thousandth is rounded away") << false << one << QStringList{u"503=100.001"_s} << 0
                                                      << u"10.03.2026"_s << QString();
        QTest::newRow("no amount") << false << QStringList{u"501=0"_s} << QStringList{u"503=0"_s} << 0
                                   << u"10.03.2026"_s << u"Въведете показателя \"стойност\" за сметка: 501!"_s;
        QTest::newRow("no counterparty") << true << one << QStringList{u"503=100"_s} << 0 << u"10.03.2026"_s
                                         << u"Посочете контрагент!"_s;
        QTest::newRow("date outside the period") << true << one << QStringList{u"503=100"_s} << 1 << u"10.03.2025"_s
                                                 << u"Въведената дата е извън отчетния период!"_s;
        QTest::newRow("no date") << false << one << QStringList{u"503=100"_s} << 0 << QString()
                                 << u"Въведете дата на осчетоводяване!"_s;
    }
    void saveRefusalsKeepTheWizardOpenWithTheInput()
    {
        QFETCH(bool, withVat);
        QFETCH(QStringList, debit);
        QFETCH(QStringList, credit);
        QFETCH(int, kontra);
        QFETCH(QString, date);
        QFETCH(QString, message);
        Wizard w;
        QVERIFY(w.open(withVat));
        for (const auto &[grid, rows] : {std::pair{Grid::BaseDt, debit}, std::pair{Grid::BaseKt, credit}})
            for (const QString &row : rows)
                w.add(grid, row.section(u'=', 0, 0).toInt(), row.section(u'=', 1));
        if (withVat)
            w.form.setCounterparty(kontra);
        w.form.dateEdit()->setText(date);
        const QList<Cells> before = Snapshot(w.form.group());

        w.form.show();
        QCOMPARE(w.form.save(), message.isEmpty());
        if (message.isEmpty()) {
            QCOMPARE(Count(w.db(), u"doc"_s), 1);
            QCOMPARE(w.db().scalar(u"select Doc_St from doc"_s).toDouble(), 100.0);
            return;
        }
        QCOMPARE(w.e.f.messages.shown, QStringList{message});
        QVERIFY(w.form.isVisible());
        QVERIFY(!w.form.saved());
        QCOMPARE(Snapshot(w.form.group()), before);
        QCOMPARE(w.form.dateEdit()->text(), Formats::ParseDate(date).isValid() ? date : u".."_s);
        for (const QString &table : {u"doc"_s, u"an"_s, u"SDt"_s, u"SKt"_s})
            QCOMPARE(Count(w.db(), table), 0);
        QCOMPARE(Documents::Find(w.db(), w.docNo())->Nom_WithDDS, 0);
    }

    void manyToManyIsRefusedAndNoRowJoinsAManySide()
    {
        EntryFixture e;
        const int doc = e.doc.Nom_Doc_No;
        for (const auto &[table, id, account, st] : {std::tuple{u"SDt"_s, 1, 501, 60.0}, {u"SDt"_s, 2, 602, 40.0},
                                                     {u"SKt"_s, 3, 503, 100.0}, {u"SKt"_s, 4, 709, 20.0}})
            e.db().exec(u"insert into %1 (%1_Doc, %1_Grp, %1_Id, %1_No, %1_An1, %1_An2, %1_An3, %1_An4, %1_An5, "
                        "%1_Name, %1_DDSType, %1_Kol, %1_St) values (?, 1, ?, ?, 0, 0, 0, 0, 0, '', 0, 0, ?)"_s.arg(table),
                        {doc, id, account, st});
        TStatGrForm form(e.f.fd, e.f.dm);
        QVERIFY(form.begin({false, false, 1, doc}));
        QCOMPARE(form.group().rows(Grid::BaseDt).size(), 2);
        QCOMPARE(form.grid(Grid::BaseKt)->rowCount(), 2);
        QVERIFY(!form.addRow(Grid::BaseDt));
        QVERIFY(!form.addRow(Grid::BaseKt));
        QVERIFY(e.f.messages.shown.isEmpty());  // those refusals are silent
        QVERIFY(!form.save());
        QCOMPARE(e.f.messages.shown, QStringList{u"Съставена е статия от тип: \"много към много\"!"_s});

        form.grid(Grid::BaseKt)->returnTo(1, EntryGrid::AccountColumn);
        form.deleteRow(Grid::BaseKt);
        QCOMPARE(form.group().creditCount(), 1);
        QVERIFY(form.save());
        QCOMPARE(Count(e.db(), u"doc"_s), 2);
        QCOMPARE(Count(e.db(), u"SKt"_s), 1);
    }

    void aSecondBaseDebitRowWaitsWhileTheCreditSideHasTwo()
    {
        Wizard w;
        QVERIFY(w.open(false));
        w.add(Grid::BaseDt, 501, u"100"_s);
        w.add(Grid::BaseKt, 503, u"60"_s);
        w.add(Grid::BaseKt, 709, u"40"_s);
        QVERIFY(!w.form.addRow(Grid::BaseDt));
        QCOMPARE(w.form.group().rows(Grid::BaseDt).size(), 1);
        QVERIFY(w.form.save());
        QCOMPARE(Count(w.db(), u"doc"_s), 2);
    }

    void deliveryTypeFourEmptiesTheDebitExciseAndVatGrids()
    {
        Wizard w;
        QVERIFY(w.open(true));
        w.add(Grid::BaseDt, 601, u"100"_s);
        w.add(Grid::ExciseDt, 602, u"5"_s);
        w.add(Grid::VatDt, 4531, u"21"_s);
        QVERIFY(!w.form.addRow(Grid::VatDt));  // one row at most
        QVERIFY(!w.form.addRow(Grid::ExciseDt));
        QCOMPARE(w.form.grid(Grid::VatDt)->rowCount(), 1);

        QComboBox *delivery = w.form.deliveryBox();
        delivery->setCurrentIndex(delivery->findData(4));
        QCOMPARE(w.form.group().header.vidDostavka, 4);
        QVERIFY(w.form.group().rows(Grid::ExciseDt).isEmpty());
        QVERIFY(w.form.group().rows(Grid::VatDt).isEmpty());
        QCOMPARE(w.form.grid(Grid::VatDt)->rowCount(), 0);
        QCOMPARE(w.form.group().rows(Grid::BaseDt).size(), 1);
        QVERIFY(w.form.gridPanel(Grid::VatDt)->isHidden() && w.form.gridPanel(Grid::ExciseDt)->isHidden());
        QVERIFY(!w.form.gridPanel(Grid::VatKt)->isHidden() && !w.form.gridPanel(Grid::ExciseKt)->isHidden());
        QCOMPARE(w.form.debitSum()->text(), u"100.00"_s);
    }

    void aFailingSaveKeepsTheWizardOpenAndWritesNothing()
    {
        EntryFixture e;
        e.db().exec(u"CREATE TRIGGER refuse_credit BEFORE INSERT ON SKt BEGIN SELECT RAISE(ABORT, 'няма място'); END"_s);
        const int group = Documents::NextGroup(e.db(), e.doc.Nom_Doc_No);
        QList<Cells> before, after;
        bool stayedOpen = false;
        WhenShown<TStatGrForm>([&](TStatGrForm *w) {
            for (const auto &[grid, account] : {std::pair{Grid::BaseDt, 501}, std::pair{Grid::BaseKt, 503}}) {
                QVERIFY(w->addRow(grid));
                QVERIFY(w->typeAccount(grid, 0, QString::number(account)));
                QVERIFY(w->typeAmount(grid, 0, u"75.5"_s));
            }
            before = Snapshot(w->group());
            QTest::mouseClick(w->saveButton(), Qt::LeftButton);
            stayedOpen = w->isVisible();
            after = Snapshot(w->group());
            QCOMPARE(w->grid(Grid::BaseKt)->item(0, EntryGrid::StColumn)->text(), u"75.50"_s);
            for (const QString &table : {u"doc"_s, u"an"_s, u"SDt"_s, u"SKt"_s})
                QCOMPARE(Count(e.db(), table), 0);
            QCOMPARE(e.f.messages.shown.size(), 1);
            QVERIFY(e.f.messages.shown.first().contains(u"няма място"_s));

            e.db().exec(u"DROP TRIGGER refuse_credit"_s);
            QTest::mouseClick(w->saveButton(), Qt::LeftButton);
        });
        QVERIFY(TStatGrForm::Run(e.f.fd, e.f.dm, {true, false, group, e.doc.Nom_Doc_No}, nullptr));
        QVERIFY(stayedOpen);
        QCOMPARE(after, before);
        QCOMPARE(Count(e.db(), u"doc"_s), 1);
        QCOMPARE(Count(e.db(), u"an"_s), 2);
        QCOMPARE(Count(e.db(), u"SKt"_s), 1);
    }

    void editingADemoReleaseFindsItsOwnQuantityAvailable()
    {
        TestFixture f;
        const int firm = EnsureDemoFirm(f.fd, 2026);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(firm)).opened);
        Db &db = f.dm.db();
        QSqlQuery last = db.exec(u"select Doc_No, Doc_StGrp, Doc_Date from doc where Doc_S_Kt = 304 "
                                 "and Doc_S_Kt_An1 = 1 order by Doc_StNo desc limit 1"_s);
        QVERIFY(last.next());
        const int docNo = last.value(0).toInt(), group = last.value(1).toInt();
        const QDate date = Formats::FromSqlDate(last.value(2).toString());
        last.finish();

        TStatGrForm form(f.fd, f.dm);
        QVERIFY(form.begin({false, false, group, docNo}));
        QCOMPARE(form.dateEdit()->text(), Formats::Date(date));  // the date of the group's lines
        const QList<WorkLine> &released = form.group().rows(Grid::BaseKt);
        const auto own = std::find_if(released.begin(), released.end(), [](const WorkLine &r) { return r.lots[0] == 1; });
        QVERIFY(own != released.end());
        const int row = int(own - released.begin());
        const ReportingPeriod period = ReadPeriod(db);
        const double left = GetAccountValue(db, 304, {1, 0, 0, 0, 0}, period, period.Date_Ot, date).closeDtKol;
        const double whole = left + own->kol;

        QVERIFY(form.typeQuantity(Grid::BaseKt, row, QString::number(whole)));
        QVERIFY(form.leaveQuantity(Grid::BaseKt, row));
        QVERIFY(f.messages.shown.isEmpty());
        QVERIFY(form.typeQuantity(Grid::BaseKt, row, QString::number(whole + 1)));
        QVERIFY(!form.leaveQuantity(Grid::BaseKt, row));
        QVERIFY(f.messages.shown.last().startsWith(u" Няма налично количество в сметка304"_s));
    }

    void aDocumentWithoutNumberOrDateIsRefused_data()
    {
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("message");
        QTest::newRow("no number") << u"insert into nom_p (Nom_P_No, Nom_Doc_No, Nom_Doc_Date) "
                                      "values (1, 900, '2026-03-10')"_s
                                   << DocumentNumberMissing;
        QTest::newRow("no date") << u"insert into nom_p (Nom_P_No, Nom_Doc_No, Nom_DDoc_No) values (1, 900, 7)"_s
                                 << DocumentDateMissing;
    }
    void aDocumentWithoutNumberOrDateIsRefused()
    {
        QFETCH(QString, insert);
        QFETCH(QString, message);
        TestFixture f;
        f.openNewFirm();
        f.dm.db().exec(insert);
        QVERIFY(!TStatGrForm::Run(f.fd, f.dm, {true, true, 1, 900}, nullptr));
        QCOMPARE(f.messages.shown, QStringList{message});
    }

    void anOperationFillsOnlyTheShownGrids()
    {
        Wizard w;
        Db &db = w.db();
        db.exec(u"insert into op (Op_id, Pap_Id, Op_Name) values (5, 1, 'Продажба'), (6, 2, 'Друга папка')"_s);
        for (const QString &table : {u"opeldt"_s, u"opelkt"_s})
            for (int type = 0; type <= 2; ++type)
                db.exec(u"insert into %1 (Op_Id, OpEl_Id, OpEl_No, OpEl_An1, OpEl_An2, OpEl_An3, OpEl_An4, OpEl_An5, "
                        "OpEl_Type) values (5, ?, ?, 0, 0, 0, 0, 0, ?)"_s.arg(table),
                        {type + 1, 501 + type, type});
        QVERIFY(w.open(true));
        QComboBox *ops = w.form.operationBox();
        QCOMPARE(ops->count(), 2);  // the blank start and the folder's one operation
        QCOMPARE(ops->currentText(), QString());
        w.form.deliveryBox()->setCurrentIndex(w.form.deliveryBox()->findData(7));
        ops->setCurrentIndex(ops->findData(5));
        QCOMPARE(w.form.group().rows(Grid::BaseDt).size(), 1);
        QCOMPARE(w.form.group().rows(Grid::BaseKt).size(), 1);
        QCOMPARE(w.form.group().rows(Grid::VatKt).size(), 1);
        QCOMPARE(w.form.group().rows(Grid::VatKt)[0].account, 503);
        QCOMPARE(w.form.group().debitCount() + w.form.group().creditCount(), 3);
        QCOMPARE(w.form.grid(Grid::VatKt)->item(0, EntryGrid::AccountColumn)->text(), u"503"_s);
    }

    void leavingTheDateChecksItAndWarnsAboutPricesOnce()
    {
        Wizard w;
        QVERIFY(w.open(false));
        w.form.dateEdit()->setText(u"31.02.2026"_s);
        QVERIFY(!w.form.leaveDate());
        QCOMPARE(w.e.f.messages.shown.takeLast(), u"Въведете валидна дата на осчетоводяване!"_s);
        w.form.dateEdit()->setText(u"10.03.2026"_s);
        QVERIFY(w.form.leaveDate());
        QVERIFY(w.form.addRow(Grid::BaseKt));
        PickNext(0, 1);
        w.form.typeAccount(Grid::BaseKt, 0, u"304"_s);
        QVERIFY(w.form.typeQuantity(Grid::BaseKt, 0, u"2"_s));
        w.e.f.messages.shown.clear();
        QVERIFY(w.form.leaveDate());  // unchanged: no warning
        w.form.dateEdit()->setText(u"12.03.2026"_s);
        QVERIFY(w.form.leaveDate());
        QCOMPARE(w.e.f.messages.shown, QStringList{AverageCostWarningText});
        QCOMPARE(w.form.group().header.postingDate, QDate(2026, 3, 12));
    }

    void aDoubleClickShowsTheBalanceAndAMouseMoveTakesItAway()
    {
        Wizard w;
        QVERIFY(w.open(false));
        QVERIFY(w.form.addRow(Grid::BaseKt));
        PickNext(0, 1);
        w.form.typeAccount(Grid::BaseKt, 0, u"304"_s);
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        EntryGrid *grid = w.form.grid(Grid::BaseKt);
        const QPoint cell = grid->visualItemRect(grid->item(0, EntryGrid::LotsColumn)).center();
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
        QVERIFY(w.form.balanceHint()->isVisible());
        QVERIFY(w.form.balanceHint()->text().startsWith(u"Сметка: 304 Стоки\nПартида:Олио,"_s));
        QVERIFY(w.form.balanceHint()->text().contains(u"КСДт: Кол:10.0000 Ст:100.00 Ед.Цена:10.00"_s));
        QTest::mouseMove(grid->viewport(), cell + QPoint(3, 1));
        QTRY_VERIFY(!w.form.balanceHint()->isVisible());

        QVERIFY(w.form.addRow(Grid::BaseDt));
        w.form.showBalanceHint(Grid::BaseDt);
        QCOMPARE(w.form.balanceHint()->text(), u"Изберете сметка!"_s);
    }
};

QTEST_MAIN(EntryWizardTest)
#include "tst_entrywizard_ui.moc"
