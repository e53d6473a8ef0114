// A document and its VAT purchase entered from the keyboard alone: the documents window makes the
// document, F7 opens the wizard, Tab walks the header and the grids, the picker asks for the lots
// of a typed account (the counterparty of the header already offered), the VAT is proposed, and
// Ctrl+Enter saves. No mouse event anywhere.
#include "support/EntryFixture.h"

#include "accounts/FolderStore.h"
#include "accounts/TStatLookUpForm.h"
#include "app/TErrorHook.h"
#include "engine/Db.h"
#include "posting/EntryGrid.h"
#include "posting/TStatGrForm.h"
#include "posting/TTranForm.h"
#include "support/WhenShown.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// What the user types goes where the focus is.
QWidget *Focused()
{
    if (!QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 3000))
        qFatal("no widget has the focus");
    return QApplication::focusWidget();
}
void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(Focused(), key, modifiers); }
void Type(const QString &text)
{
    // Each key to the widget that has the focus then: the first may open an editor for the rest.
    // A letter's key is its capital's code, as a Cyrillic layout sends it.
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, Focused(), Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

template <class W>
bool FocusIn(const W *w)
{
    return QTest::qWaitFor([w] { return QApplication::focusWidget() && w->isAncestorOf(QApplication::focusWidget()); },
                           3000);
}

}  // namespace

class KeyboardEntryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { new TErrorHook(qApp); }

    void aVatPurchaseIsEnteredAndSavedWithKeysAlone()
    {
        EntryFixture e;
        Db &db = e.db();
        FolderStore::Insert(db, {2, u"Покупки"_s});
        QWidget host;
        auto *layout = new QVBoxLayout(&host);
        TTranForm docs(e.f.fd, e.f.dm, 2, true,
                       [&](const EntryWizardRequest &request) { return TStatGrForm::Run(e.f.fd, e.f.dm, request, &host); },
                       &host);
        docs.start();
        layout->addWidget(&docs);
        host.show();
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        docs.documentsGrid()->setFocus();

        // A new document: Ins, its number, Tab, its date; F7 posts it and opens its VAT group.
        Key(Qt::Key_Insert);
        QCOMPARE(Focused(), docs.numberEdit());
        Type(u"77"_s);
        Key(Qt::Key_Tab);
        QCOMPARE(Focused(), docs.dateEdit());
        Key(Qt::Key_A, Qt::ControlModifier);
        Type(u"12.03.2026"_s);
        QCOMPARE(docs.state(), EditState::Insert);

        bool driven = false;
        WhenShown<TStatGrForm>([&](TStatGrForm *w) {
            QVERIFY(QTest::qWaitForWindowActive(w));
            QVERIFY(FocusIn(w));
            QCOMPARE(Focused(), static_cast<QWidget *>(w->dateEdit()));
            Key(Qt::Key_Tab);  // the supply type stays "purchase" (2)
            QCOMPARE(Focused(), static_cast<QWidget *>(w->deliveryBox()));
            Key(Qt::Key_Tab);
            QCOMPARE(Focused(), static_cast<QWidget *>(w->documentTypeBox()));
            Key(Qt::Key_Tab);
            QCOMPARE(Focused(), static_cast<QWidget *>(w->counterpartyBox()));
            Type(u"Д"_s);  // "Доставчик АД"
            QCOMPARE(w->counterpartyBox()->currentData().toInt(), 1);
            Key(Qt::Key_Tab);
            QCOMPARE(Focused(), static_cast<QWidget *>(w->operationBox()));
            Key(Qt::Key_Tab);
            QCOMPARE(Focused(), static_cast<QWidget *>(w->grid(Grid::BaseDt)));

            // The tax base: Enter makes the first row; 304 needs its lot, which the picker asks for.
            Key(Qt::Key_Return);
            QCOMPARE(w->group().rows(Grid::BaseDt).size(), 1);
            WhenShown<TStatLookUpForm>([](TStatLookUpForm *picker) {
                QVERIFY(QTest::qWaitForWindowActive(picker));
                QVERIFY(FocusIn(picker));
                QCOMPARE(picker->accountBox()->currentData().toInt(), 304);
                QCOMPARE(Focused(), static_cast<QWidget *>(picker->lotBox(1)));
                Type(u"О"_s);  // "Олио"
                Key(Qt::Key_Return, Qt::ControlModifier);
            });
            Type(u"304"_s);
            Key(Qt::Key_Tab);
            QTRY_COMPARE(w->group().rows(Grid::BaseDt)[0].lots[0], 1);
            QVERIFY(QTest::qWaitForWindowActive(w));
            QTRY_COMPARE(w->grid(Grid::BaseDt)->currentColumn(), int(EntryGrid::KolColumn));
            QCOMPARE(Focused(), static_cast<QWidget *>(w->grid(Grid::BaseDt)));
            Type(u"5"_s);
            Key(Qt::Key_Tab);
            Type(u"50"_s);
            // Enter past the last row makes the second: a service without lots or quantity.
            Key(Qt::Key_Return);
            QTRY_COMPARE(w->group().rows(Grid::BaseDt).size(), 2);
            QCOMPARE(w->grid(Grid::BaseDt)->currentRow(), 1);
            QCOMPARE(w->grid(Grid::BaseDt)->currentColumn(), int(EntryGrid::AccountColumn));
            Type(u"602"_s);
            Key(Qt::Key_Tab);
            QTRY_COMPARE(w->grid(Grid::BaseDt)->currentColumn(), int(EntryGrid::StColumn));
            Type(u"30"_s);
            Key(Qt::Key_Tab);  // from the last cell on to the excise grid, and past it
            QVERIFY(FocusIn(w->grid(Grid::ExciseDt)) || Focused() == w->grid(Grid::ExciseDt));
            Key(Qt::Key_Tab);
            QCOMPARE(Focused(), static_cast<QWidget *>(w->grid(Grid::VatDt)));

            // The VAT: its account, and the amount proposed at 20 % of both rows.
            Key(Qt::Key_Return);
            Type(u"4531"_s);
            Key(Qt::Key_Tab);
            QCOMPARE(w->group().rows(Grid::VatDt)[0].st, 16.0);
            QCOMPARE(w->grid(Grid::VatDt)->currentColumn(), int(EntryGrid::StColumn));
            Key(Qt::Key_Tab);

            // The credit side: the supplier, whose lot the picker offers from the header.
            QCOMPARE(Focused(), static_cast<QWidget *>(w->grid(Grid::BaseKt)));
            Key(Qt::Key_Return);
            WhenShown<TStatLookUpForm>([](TStatLookUpForm *picker) {
                QVERIFY(QTest::qWaitForWindowActive(picker));
                QVERIFY(FocusIn(picker));
                QCOMPARE(picker->lotBox(1)->currentData().toInt(), 1);
                Key(Qt::Key_Return, Qt::ControlModifier);
            });
            Type(u"401"_s);
            Key(Qt::Key_Tab);
            QTRY_COMPARE(w->group().rows(Grid::BaseKt)[0].lots[0], 1);
            QVERIFY(QTest::qWaitForWindowActive(w));
            QTRY_COMPARE(w->grid(Grid::BaseKt)->currentColumn(), int(EntryGrid::StColumn));
            Type(u"96"_s);
            QCOMPARE(w->debitSum()->text(), u"96.00"_s);
            driven = true;
            Key(Qt::Key_Return, Qt::ControlModifier);  // saves from inside the cell
        });
        Key(Qt::Key_F7);
        QVERIFY(driven);
        QCOMPARE(e.f.messages.shown, QStringList());

        const int docNo = docs.currentDocument()->Nom_Doc_No;
        QStringList lines;
        QSqlQuery q = db.exec(u"select Doc_S_Dt, Doc_S_Dt_An1, Doc_S_Dt_Kol, Doc_S_Kt, Doc_S_Kt_An1, Doc_St, Doc_DDSType "
                              "from doc where Doc_No = ? order by Doc_StNo"_s,
                              {docNo});
        while (q.next())
            lines << u"%1/%2/%3 %4/%5 %6 %7"_s.arg(q.value(0).toInt()).arg(q.value(1).toInt()).arg(q.value(2).toDouble())
                         .arg(q.value(3).toInt()).arg(q.value(4).toInt()).arg(q.value(5).toDouble()).arg(q.value(6).toInt());
        QCOMPARE(lines, (QStringList{u"304/1/5 401/1 50 1"_s, u"602/0/0 401/1 30 1"_s, u"4531/0/0 401/1 16 3"_s}));
        const NomPRow d = *Documents::Find(db, docNo);
        QCOMPARE(d.Nom_DDoc_No.value_or(0), 77.0);
        QCOMPARE((QList<double>{d.Nom_DOsnova, d.Nom_DDS, double(d.Nom_Kontra), double(d.Nom_VidDostavka)}),
                 (QList<double>{80.0, 16.0, 1, 2}));
    }

    void escapeCancelsTheWizardAndShiftTabGoesBack()
    {
        EntryFixture e;
        TStatGrForm w(e.f.fd, e.f.dm);
        QVERIFY(w.begin({true, false, Documents::NextGroup(e.db(), e.doc.Nom_Doc_No), e.doc.Nom_Doc_No}));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.grid(Grid::BaseDt)->setFocus();
        Key(Qt::Key_Return);
        Type(u"702"_s);
        Key(Qt::Key_Tab);
        QCOMPARE(w.grid(Grid::BaseDt)->currentColumn(), int(EntryGrid::StColumn));
        Key(Qt::Key_Backtab);  // back over the read-only lots to the account
        QCOMPARE(w.grid(Grid::BaseDt)->currentColumn(), int(EntryGrid::AccountColumn));
        Key(Qt::Key_Tab, Qt::ControlModifier);  // out at once
        QCOMPARE(Focused(), static_cast<QWidget *>(w.grid(Grid::BaseKt)));
        Key(Qt::Key_Backtab);  // an empty grid: straight on back
        QCOMPARE(Focused(), static_cast<QWidget *>(w.grid(Grid::BaseDt)));
        QCOMPARE(w.grid(Grid::BaseDt)->currentColumn(), int(EntryGrid::StColumn));  // in at the last cell
        Key(Qt::Key_Insert);  // "Добавяне на ред": the row needs its amount first
        QCOMPARE(w.group().rows(Grid::BaseDt).size(), 1);
        QCOMPARE(e.f.messages.shown.takeLast(), u"Въведете показателя \"стойност\" за сметка: 702!"_s);
        Key(Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QVERIFY(!w.saved());
        QCOMPARE(e.db().scalar(u"select count(*) from SDt"_s).toInt(), 0);
    }
};

QTEST_MAIN(KeyboardEntryTest)
#include "tst_keyboard_entry_ui.moc"
