// The two account pickers on the offscreen platform: the boxes they show for an account, what
// each variant returns or refuses, where they open, and the editors opened from their labels.
#include "accounts/ChartStore.h"
#include "accounts/LevelStore.h"
#include "accounts/TAccLookUpForm.h"
#include "accounts/TNomWizardForm.h"
#include "accounts/TStatLookUpForm.h"
#include "app/TErrorHook.h"
#include "engine/Db.h"
#include "support/TestFixture.h"
#include "support/WhenShown.h"
#include "widgets/EditorWidgets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using Lots = std::array<int, 5>;
Q_DECLARE_METATYPE(Lots)

namespace {

// Counterparties on level 1, fixed assets (no lots) on level 2, goods on level 3.
void Levels(Db &db)
{
    LevelStore::InsertLevel(db, {1, u"Контрагенти"_s, NomType::Counterparties});
    LevelStore::InsertLevel(db, {2, u"ДМА"_s, NomType::FixedAssets});
    LevelStore::InsertLevel(db, {3, u"Стоки"_s, NomType::Goods});
    LevelStore::InsertKontra(db, {1, 7, u"Дунав АД"_s, {}, {}, {}, {}, {}, {}, {}});
    LevelStore::InsertKontra(db, {1, 2, u"Балкан ООД"_s, {}, {}, {}, {}, {}, {}, {}});
    LevelStore::InsertLot(db, {3, 1, u"Олио"_s, u"бр."_s, {}});
    LevelStore::InsertLot(db, {3, 2, u"Захар"_s, u"кг"_s, {}});
    ChartStore::SetLevels(db, 304, {3, 0, 0, 0, 0});
    ChartStore::SetLevels(db, 411, {1, 2, 3, 0, 0});
}

void ChooseLot(AccountPickerDialog &picker, int position, int lot)
{
    QComboBox *box = picker.lotBox(position);
    box->setCurrentIndex(box->findData(lot));
}

}  // namespace

class AccountPickersTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { new TErrorHook(qApp); }

    void boxesFollowTheChosenAccount()
    {
        TestFixture f;
        f.openNewFirm();
        Levels(f.dm.db());
        TAccLookUpForm picker(f.fd, f.dm, {});
        picker.start(411, {7, 0, 2, 0, 0});
        QVERIFY(!picker.lotBox(1)->isHidden());
        QCOMPARE(picker.lotLabel(1)->text(), u"Контрагенти:"_s);
        QCOMPARE(picker.lotBox(1)->currentText(), u"Дунав АД"_s);
        QCOMPARE(picker.lotBox(1)->itemText(1), u"Балкан ООД"_s);  // name order after the blank
        QVERIFY(picker.lotBox(2)->isHidden() && picker.lotLabel(2)->isHidden());
        QCOMPARE(picker.lotBox(3)->currentText(), u"Захар"_s);
        QVERIFY(picker.lotBox(4)->isHidden() && picker.lotBox(5)->isHidden());

        // Another account rebuilds the boxes and forgets the lots chosen for the first one.
        picker.accountBox()->setCurrentIndex(picker.accountBox()->findData(304));
        QCOMPARE(picker.lotLabel(1)->text(), u"Стоки:"_s);
        QCOMPARE(picker.choice().lots, (Lots{0, 0, 0, 0, 0}));
        QVERIFY(picker.lotBox(3)->isHidden());
        picker.accountBox()->setCurrentIndex(0);
        QCOMPARE(picker.accountBox()->currentText(), QString());
        QVERIFY(picker.lotBox(1)->isHidden());
    }

    void resultByAccountLevels_data()
    {
        QTest::addColumn<int>("account");
        QTest::addColumn<Lots>("chosen");  // what the user picks in the shown boxes
        QTest::addColumn<Lots>("levels");
        QTest::addColumn<QString>("name");
        QTest::newRow("synthetic: no boxes") << 501 << Lots{} << Lots{0, 0, 0, 0, 0} << QString();
        QTest::newRow("fixed assets at 2: no box 2") << 411 << Lots{2, 0, 1, 0, 0} << Lots{2, 0, 1, 0, 0} << u"Олио"_s;
    }
    void resultByAccountLevels()
    {
        QFETCH(int, account);
        QFETCH(Lots, chosen);
        QFETCH(Lots, levels);
        QFETCH(QString, name);
        TestFixture f;
        f.openNewFirm();
        Levels(f.dm.db());
        WorkLine row;
        row.lots = {4, 4, 4, 4, 4};
        row.name = u"стар"_s;
        TStatLookUpForm picker(f.fd, f.dm, row);
        picker.start(account, row.lots);
        for (int k = 1; k <= 5; ++k) {
            QCOMPARE(picker.lotBox(k)->isHidden(), levels[k - 1] == 0);
            if (!picker.lotBox(k)->isHidden())
                ChooseLot(picker, k, chosen[k - 1]);
        }
        QVERIFY(picker.confirm());
        QCOMPARE(row.account, account);
        QCOMPARE(row.lots, levels);
        QCOMPARE(row.name, name);

        TAccLookUpForm templ(f.fd, f.dm, {});
        templ.start(account, levels);
        QVERIFY(templ.confirm());
        QCOMPARE(templ.result().levels, levels);
        QCOMPARE(templ.result().name, name);
    }

    void blankBoxByVariant_data()
    {
        QTest::addColumn<bool>("entry");
        QTest::addColumn<int>("account");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");  // 0 the account box, k a lot box, -1 closed
        QTest::newRow("entry refuses a blank lot") << true << 411 << PickAccountAndLotsMessage << 3;
        QTest::newRow("entry refuses a blank account") << true << 0 << PickAccountAndLotsMessage << 0;
        QTest::newRow("template takes a blank lot as 0") << false << 411 << QString() << -1;
        QTest::newRow("template refuses a blank account") << false << 0 << PickAccountMessage << 0;
    }
    void blankBoxByVariant()
    {
        QFETCH(bool, entry);
        QFETCH(int, account);
        QFETCH(QString, message);
        QFETCH(int, focus);
        TestFixture f;
        f.openNewFirm();
        Levels(f.dm.db());
        WorkLine row;
        std::unique_ptr<AccountPickerDialog> picker;
        if (entry)
            picker = std::make_unique<TStatLookUpForm>(f.fd, f.dm, row);
        else
            picker = std::make_unique<TAccLookUpForm>(f.fd, f.dm, TAccountStr{});
        picker->start(account, {7, 0, 0, 0, 0});
        QCOMPARE(picker->confirm(), message.isEmpty());
        QCOMPARE(f.messages.shown, message.isEmpty() ? QStringList() : QStringList{message});
        if (focus >= 0) {
            QCOMPARE(picker->focusWidget(), focus == 0 ? picker->accountBox() : picker->lotBox(focus));
            QCOMPARE(row.account, 0);
        } else {
            QCOMPARE(static_cast<TAccLookUpForm &>(*picker).result().levels, (Lots{7, 0, 0, 0, 0}));
            QCOMPARE(static_cast<TAccLookUpForm &>(*picker).result().name, QString());
        }
    }

    void opensOverTheCallersControlAndClosesWithEnterOrEscape()
    {
        TestFixture f;
        f.openNewFirm();
        Levels(f.dm.db());
        QWidget window;
        window.setGeometry(100, 120, 500, 300);
        auto *control = new QLineEdit(&window);
        control->setGeometry(40, 60, 260, 180);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QRect where;
        WhenShown<TAccLookUpForm>([&](TAccLookUpForm *picker) {
            where = picker->geometry();
            QVERIFY(picker->windowFlags().testFlag(Qt::FramelessWindowHint));
            ChooseLot(*picker, 1, 2);
            QTest::keyClick(picker, Qt::Key_Return);
        });
        TAccountStr start;
        start.number = 304;
        const auto picked = TAccLookUpForm::Pick(f.fd, f.dm, start, control);
        QCOMPARE(where, QRect(control->mapToGlobal(QPoint(0, 0)), control->size()));
        QVERIFY(picked);
        QCOMPARE(picked->levels, (Lots{2, 0, 0, 0, 0}));
        QCOMPARE(picked->name, u"Захар"_s);

        WhenShown<TAccLookUpForm>([](TAccLookUpForm *picker) { QTest::keyClick(picker, Qt::Key_Escape); });
        QVERIFY(!TAccLookUpForm::Pick(f.fd, f.dm, start, control));
    }

    void aChoiceDuringATransactionIsNotWritten()
    {
        TestFixture f;
        f.openNewFirm();
        Levels(f.dm.db());
        WorkLine row;
        row.account = 501;
        QWidget over;
        WhenShown<TStatLookUpForm>([&](TStatLookUpForm *picker) {
            picker->accountBox()->setCurrentIndex(picker->accountBox()->findData(304));
            ChooseLot(*picker, 1, 1);
            QTest::mouseClick(picker->saveButton(), Qt::LeftButton);
        });
        bool picked = false;
        {
            Transaction busy(f.dm.db(), Transaction::Kind::Read);
            picked = TStatLookUpForm::Pick(f.fd, f.dm, row, &over);
        }
        QVERIFY(picked);
        QCOMPARE(f.messages.shown, QStringList{PickAgainMessage});
        QCOMPARE(row.account, 501);
        QCOMPARE(row.lots, (Lots{0, 0, 0, 0, 0}));
    }

    void aLotAddedFromTheLabelIsListedAndChosen()
    {
        TestFixture f;
        f.openNewFirm();
        Levels(f.dm.db());
        QWidget wizard;
        auto *over = new QWidget(&wizard);
        over->setGeometry(10, 10, 300, 200);
        wizard.show();
        WorkLine row;
        bool steppedAside = false;
        WhenShown<TStatLookUpForm>([&](TStatLookUpForm *picker) {
            picker->accountBox()->setCurrentIndex(picker->accountBox()->findData(304));
            WhenShown<TNomWizardForm>([&](TNomWizardForm *editor) {
                steppedAside = !picker->isVisible() && !wizard.isVisible();
                editor->nameEdit()->setText(u"Брашно"_s);
                editor->save();
            });
            emit picker->lotLabel(1)->rightClicked();
            QVERIFY(picker->isVisible());
            QVERIFY(wizard.isVisible());
            QCOMPARE(picker->lotBox(1)->currentText(), u"Брашно"_s);
            QVERIFY(picker->confirm());
        });
        QVERIFY(TStatLookUpForm::Pick(f.fd, f.dm, row, over));
        QVERIFY(steppedAside);
        QCOMPARE(row.account, 304);
        QCOMPARE(row.lots, (Lots{3, 0, 0, 0, 0}));
        QCOMPARE(row.name, u"Брашно"_s);
    }
};

QTEST_MAIN(AccountPickersTest)
#include "tst_accountpickers_ui.moc"
