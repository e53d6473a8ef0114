// The main window's modes on the demo firm: the Alt keys, the lists and their details, the
// deletes and their refusals, the opening balances with their search and filter, the reports
// list, the view style and closing the year.
#include "accounts/ChartStore.h"
#include "accounts/FolderStore.h"
#include "accounts/OpeningBalances.h"
#include "app/MainWindowPanels.h"
#include "app/TErrorHook.h"
#include "app/TForm1.h"
#include "closing/TFinishForm.h"
#include "demo/DemoFirm.h"
#include "help/THelpForm.h"
#include "engine/Formats.h"
#include "registry/FirmChoice.h"
#include "reports/ReportList.h"
#include "support/TestFixture.h"
#include "support/WhenShown.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(MainMode)

namespace {

// The demo firm of 2026, open, with its main window in chart mode.
struct DemoWindow {
    DemoWindow()
    {
        firmId = EnsureDemoFirm(f.fd, 2026);
        if (!OpenFirm(f.fd, f.dm, *f.fd.Firm(firmId)).opened)
            qFatal("the demo firm does not open");
        window = std::make_unique<TForm1>(f.fd, f.dm);
        window->firmChosen();
    }
    TestFixture f;
    int firmId = 0;
    std::unique_ptr<TForm1> window;
};

int RowOf(QListWidget *list, const QString &caption)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == caption)
            return i;
    return -1;
}

}  // namespace

class Form1ModesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        new TErrorHook(qApp);
    }

    void altKeysActOnReleaseWithAltAlone_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<MainMode>("mode");
        QTest::newRow("Alt+S") << int(Qt::Key_S) << Qt::KeyboardModifiers(Qt::AltModifier) << MainMode::Chart;
        QTest::newRow("Alt+Ctrl+S does nothing")
            << int(Qt::Key_S) << (Qt::AltModifier | Qt::ControlModifier) << MainMode::Reports;
        QTest::newRow("Alt+A") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::AltModifier) << MainMode::Levels;
        QTest::newRow("Alt+O") << int(Qt::Key_O) << Qt::KeyboardModifiers(Qt::AltModifier) << MainMode::Folders;
    }
    void altKeysActOnReleaseWithAltAlone()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(MainMode, mode);
        DemoWindow d;
        d.window->enterReports();
        QListWidget *list = d.window->list();
        QTest::keyPress(list, Qt::Key(key), modifiers);
        QCOMPARE(d.window->mode(), MainMode::Reports);
        QTest::keyRelease(list, Qt::Key(key), modifiers);
        QCOMPARE(d.window->mode(), mode);
    }

    void altKeysReachTheWindowFromAnyControl()
    {
        DemoWindow d;
        d.window->enterOpeningBalances();
        QTest::keyRelease(d.window->balancesPage()->searchBox(), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(d.window->mode(), MainMode::Levels);
        QCOMPARE(d.window->listTitle(), u"Аналитични нива"_s);

        // The guide opens on the page of the mode the window is in.
        QTest::keyRelease(d.window->list(), Qt::Key_H, Qt::AltModifier);
        QVERIFY(THelpForm::Current());
        QCOMPARE(THelpForm::Current()->currentPage(), u"main.html#levels"_s);
        delete THelpForm::Current();
    }

    // A Bulgarian layout sends the Cyrillic letter of the key; the key itself (its scan code)
    // decides: "я" on the S key of the standard layout, "ь" on the A key.
    void altKeysWorkUnderABulgarianLayout()
    {
        DemoWindow d;
        d.window->enterReports();
        const auto release = [&](QChar letter, quint32 scanCode) {
            QKeyEvent key(QEvent::KeyRelease, letter.unicode(), Qt::AltModifier, scanCode, 0, 0, QString(letter));
            QApplication::sendEvent(d.window->list(), &key);
        };
        release(u'Я', 39);
        QCOMPARE(d.window->mode(), MainMode::Chart);
        release(u'Ь', 38);
        QCOMPARE(d.window->mode(), MainMode::Levels);
        release(u'Я', 40);  // the same letter on another key is no navigation key
        QCOMPARE(d.window->mode(), MainMode::Levels);
    }

    void enterSpaceAndDoubleClickOpenTheLots_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::newRow("Enter") << u"enter"_s;
        QTest::newRow("Space") << u"space"_s;
        QTest::newRow("double click") << u"double"_s;
    }
    void enterSpaceAndDoubleClickOpenTheLots()
    {
        QFETCH(QString, gesture);
        DemoWindow d;
        d.window->enterLevels();
        QVERIFY(d.window->selectKey(2));
        QListWidget *list = d.window->list();
        if (gesture == u"enter") {
            QTest::keyPress(list, Qt::Key_Return);
        } else if (gesture == u"space") {
            QTest::keyPress(list, Qt::Key_Space);
            QVERIFY(!d.window->lotView());
            QTest::keyRelease(list, Qt::Key_Space);
        } else {
            emit list->itemDoubleClicked(list->currentItem());
        }
        QVERIFY(d.window->lotView());
        QCOMPARE(d.window->listTitle(), u"Партиди"_s);
        QCOMPARE(d.window->lotLevel(), 2);
        QCOMPARE(d.window->listCaptions().size(), 3);
    }

    void lotViewShowsTheLotByItsLevelType_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("lot");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("value");
        QTest::newRow("counterparty tax number") << 1 << u"Дунав Маркет АД"_s << u"Данъчен номер:"_s << u"3456789012"_s;
        QTest::newRow("goods inventory number") << 2 << u"Захар кристална"_s << u"Инвентарен номер:"_s << u"С-0002"_s;
        QTest::newRow("goods have no tax number") << 2 << u"Захар кристална"_s << u"Данъчен номер:"_s << QString();
    }
    void lotViewShowsTheLotByItsLevelType()
    {
        QFETCH(int, level);
        QFETCH(QString, lot);
        QFETCH(QString, caption);
        QFETCH(QString, value);
        DemoWindow d;
        TForm1 &w = *d.window;
        w.enterLevels();
        QVERIFY(w.selectKey(level));
        QCOMPARE(w.detailValue(u"Вид на аналитичното ниво:"_s),
                 level == 1 ? u"Контрагенти"_s : u"Стоки / материали"_s);
        QVERIFY(!w.backButton()->isVisibleTo(&w));
        w.activateItem();
        w.list()->setCurrentRow(RowOf(w.list(), lot));
        QCOMPARE(w.detailValue(u"Наименование на партида:"_s), lot);
        QCOMPARE(w.detailValue(caption), value);
        QVERIFY(w.backButton()->isVisibleTo(&w));

        w.backButton()->click();
        QVERIFY(!w.lotView());
        QCOMPARE(w.listTitle(), u"Аналитични нива"_s);
        QCOMPARE(w.currentKey(), std::optional<int>(level));
        QVERIFY(!w.backButton()->isVisibleTo(&w));
    }

    void deletingOnAnEmptyChartAsksNothing()
    {
        DemoWindow d;
        Db &db = d.f.dm.db();
        for (const SRow &a : ChartStore::All(db))
            ChartStore::Delete(db, a.S_UNo);
        d.window->enterChart();
        QVERIFY(d.window->listCaptions().isEmpty());
        d.window->deleteButton()->click();
        QVERIFY(d.f.messages.asked.isEmpty());
        QVERIFY(d.f.messages.shown.isEmpty());
    }

    void deletesInUseAreRefused_data()
    {
        QTest::addColumn<MainMode>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("account with an opening balance")
            << MainMode::Chart << u"501 Каса в левове"_s << u"Желаете ли изтриване на сметката?"_s
            << u"Сметката се използва и не може да бъде изтрита!"_s;
        QTest::newRow("folder with a document")
            << MainMode::Folders << u"Каса"_s << u"Желаете ли изтриване на папката?"_s
            << u"Папката съдържа документи и не може да бъде изтрита!"_s;
    }
    void deletesInUseAreRefused()
    {
        QFETCH(MainMode, mode);
        QFETCH(QString, caption);
        QFETCH(QString, question);
        QFETCH(QString, refusal);
        DemoWindow d;
        d.f.dm.db().exec(u"insert into nom_p (Nom_Doc_No, Nom_P_No) values (?, 2)"_s,
                         {d.f.dm.GetUniqueID(u"nom_p"_s, u"Nom_Doc_No"_s)});
        TForm1 &w = *d.window;
        mode == MainMode::Chart ? w.enterChart() : w.enterPosting();
        const int row = RowOf(w.list(), caption);
        QVERIFY(row >= 0);
        w.list()->setCurrentRow(row);
        d.f.messages.answers = {Messages::Yes};
        w.deleteItem();
        QCOMPARE(d.f.messages.asked, QStringList{question});
        QCOMPARE(d.f.messages.shown, QStringList{refusal});
        QCOMPARE(RowOf(w.list(), caption), row);
    }

    void deletingAFreeFolderRefillsTheList()
    {
        DemoWindow d;
        TForm1 &w = *d.window;
        FolderStore::Insert(d.f.dm.db(), {5, u"Празна"_s});
        w.enterPosting();
        const qsizetype before = w.listCaptions().size();
        w.list()->setCurrentRow(RowOf(w.list(), u"Празна"_s));
        d.f.messages.answers = {Messages::Yes};
        w.deleteItem();
        QCOMPARE(w.listCaptions().size(), before - 1);
        QVERIFY(!w.listCaptions().contains(u"Празна"_s));
        QCOMPARE(w.list()->currentRow(), 0);
    }

    void totalsTabShowsTheWholePeriod()
    {
        DemoWindow d;
        TForm1 &w = *d.window;
        QVERIFY(w.selectKey(401));
        QCOMPARE(w.detailValue(u"Вид на сметката:"_s), u"Пасивна"_s);
        QCOMPARE(w.detailValue(u"Аналитични нива:"_s), u"Контрагенти"_s);
        QCOMPARE(w.totalsFigure(2, 3), QString());  // not computed until the tab is shown
        w.accountTabs()->setCurrentIndex(1);
        QCOMPARE(w.totalsFigure(0, 3), u"6900.00"_s);
        QCOMPARE(w.totalsFigure(0, 1), u"0.00"_s);
        // A passive account closes on the credit side: opening plus credits less debits.
        const QVariant credits = d.f.dm.db().scalar(u"select sum(An_S_Kt_St) from an where An_S_No = 401"_s);
        const QVariant debits = d.f.dm.db().scalar(u"select sum(An_S_Dt_St) from an where An_S_No = 401"_s);
        QCOMPARE(w.totalsFigure(1, 1), Formats::Amount(debits.toDouble()));
        QCOMPARE(w.totalsFigure(1, 3), Formats::Amount(credits.toDouble()));
        QCOMPARE(w.totalsFigure(2, 3), Formats::Amount(6900.0 + credits.toDouble() - debits.toDouble()));
        QCOMPARE(w.totalsFigure(2, 1), u"0.00"_s);
        QVERIFY(w.selectKey(501));
        QCOMPARE(w.totalsFigure(0, 1), u"5000.00"_s);
        QVERIFY(d.f.messages.shown.isEmpty());

        // A new firm starts on the first tab with its details fresh.
        w.firmChosen();
        QCOMPARE(w.accountTabs()->currentIndex(), 0);
        QCOMPARE(w.mode(), MainMode::Chart);
        QCOMPARE(w.list()->currentRow(), 0);
        QCOMPARE(w.totalsFigure(2, 3), QString());
    }

    void currencyFilterWithoutCurrencyAccountsKeepsAll()
    {
        DemoWindow d;
        d.f.dm.db().exec(u"update s set S_Kol_Val_Type = 1 where S_Kol_Val_Type = 3"_s);
        TForm1 &w = *d.window;
        QVERIFY(w.selectKey(304));
        w.balancesButton()->click();
        OpeningBalancesPage *page = w.balancesPage();
        const int all = page->accounts()->rowCount();

        w.filterAccounts(AccountFilter::Quantity);
        QCOMPARE(page->filterLabel()->text(), u"Количествени сметки"_s);
        QVERIFY(page->accounts()->rowCount() < all);
        QCOMPARE(w.balanceAccount(), std::optional<int>(304));

        w.filterAccounts(AccountFilter::Currency);
        QCOMPARE(d.f.messages.shown, QStringList{u"Няма сметки, които да отговарят на зададеното условие!"_s});
        QCOMPARE(w.accountFilter(), AccountFilter::All);
        QCOMPARE(page->filterLabel()->text(), u"Всички сметки"_s);
        QCOMPARE(page->accounts()->rowCount(), all);

        w.filterAccounts(AccountFilter::Quantity);
        w.backButton()->click();
        QCOMPARE(w.mode(), MainMode::Chart);
        QCOMPARE(w.accountFilter(), AccountFilter::All);
        QCOMPARE(page->filterLabel()->text(), u"Всички сметки"_s);
        QCOMPARE(w.currentKey(), std::optional<int>(304));
    }

    void accountSearchFromTheBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("account");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("number") << u"411"_s << 411 << QStringList();
        QTest::newRow("name prefix") << u"доставчи"_s << 401 << QStringList();
        QTest::newRow("digits and a letter search the names")
            << u"12a"_s << 101 << QStringList{u"Не е намерена сметка с посоченото наименование!"_s};
        QTest::newRow("unknown number") << u"9998"_s << 101
                                        << QStringList{u"Не е намерена сметка с посочения номер!"_s};
    }
    void accountSearchFromTheBox()
    {
        QFETCH(QString, text);
        QFETCH(int, account);
        QFETCH(QStringList, shown);
        DemoWindow d;
        TForm1 &w = *d.window;
        QVERIFY(w.selectKey(101));
        w.enterOpeningBalances();
        QLineEdit *box = w.balancesPage()->searchBox();
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(w.balanceAccount(), std::optional<int>(account));
        QCOMPARE(d.f.messages.shown, shown);
        QVERIFY(box->text().isEmpty());
    }

    void addingABalanceDependsOnTheAccount_data()
    {
        QTest::addColumn<int>("account");
        QTest::addColumn<bool>("canAdd");
        QTest::newRow("synthetic with its one balance") << 501 << false;
        QTest::newRow("synthetic without a balance") << 121 << true;
        QTest::newRow("analytic with balances") << 401 << true;
    }
    void addingABalanceDependsOnTheAccount()
    {
        QFETCH(int, account);
        QFETCH(bool, canAdd);
        DemoWindow d;
        TForm1 &w = *d.window;
        QVERIFY(!w.addButton()->isEnabled());  // no account editor installed
        w.setEditorHooks({.editOpeningBalance = [](int, std::optional<SnsRow>) { return false; }});
        QVERIFY(w.selectKey(account));
        w.enterOpeningBalances();
        QCOMPARE(w.listTitle(), u"Начални салда"_s);
        QVERIFY(!w.viewStyleButton()->isEnabled());
        QVERIFY(!w.balancesButton()->isVisibleTo(&w));
        QCOMPARE(w.addButton()->isEnabled(), canAdd);
        QCOMPARE(w.balancesPage()->grid()->rowCount(), int(OpeningBalances::RowsOf(d.f.dm.db(), account).size()));
    }

    void savedBalanceIsSelectedWithFreshTotals()
    {
        DemoWindow d;
        TForm1 &w = *d.window;
        std::optional<int> askedAccount;
        bool askedForNew = false;
        w.setEditorHooks({.editOpeningBalance = [&](int account, std::optional<SnsRow> row) {
            askedAccount = account;
            askedForNew = !row;
            OpeningBalances::Insert(d.f.dm.db(), {account, {3, 0, 0, 0, 0}, 0, 0, 0, 150.5});
            return true;
        }});
        QVERIFY(w.selectKey(401));
        w.enterOpeningBalances();
        QVERIFY(w.balancesPage()->firmTotals()->text().endsWith(u"Разлика: 0.00"_s));
        QVERIFY(w.balancesPage()->firmTotals()->styleSheet().isEmpty());
        w.addButton()->click();
        // The one-sided row leaves the firm's opening balances out of balance, in red.
        QVERIFY(w.balancesPage()->firmTotals()->text().endsWith(u"Разлика: -150.50"_s));
        QVERIFY(w.balancesPage()->firmTotals()->styleSheet().contains(u"color"_s));
        QCOMPARE(askedAccount, std::optional<int>(401));
        QVERIFY(askedForNew);
        QCOMPARE(w.balancesPage()->grid()->rowCount(), 3);
        QCOMPARE(w.currentBalanceRow()->Sn_An[0], 3);
        QCOMPARE(w.detailValue(u"КТ.Ст."_s), u"7050.50"_s);
        QCOMPARE(w.detailValue(u"Партиди:"_s), u"Дунав Маркет АД:"_s);
        QVERIFY(w.balancesPage()->grid()->isEnabled());
    }

    void editorHooksGetTheSelection()
    {
        DemoWindow d;
        TForm1 &w = *d.window;
        QStringList calls;
        w.setEditorHooks({.editAccount =
                              [&](std::optional<int> account) {
                                  calls << u"account %1"_s.arg(account.value_or(0));
                                  if (!account)
                                      ChartStore::Insert(d.f.dm.db(), {9999, {}, u"Нова сметка"_s, 1, 1, 1});
                                  return account ? std::optional<int>() : std::optional<int>(9999);
                              },
                          .editNom = [&](int kind, int level, std::optional<int> number) {
                              calls << u"nom %1 %2 %3"_s.arg(kind).arg(level).arg(number.value_or(0));
                              return std::optional<int>();
                          }});
        QVERIFY(w.selectKey(401));
        w.editButton()->click();
        w.addButton()->click();
        QCOMPARE(w.currentKey(), std::optional<int>(9999));
        QCOMPARE(w.list()->currentItem()->text(), u"9999 Нова сметка"_s);

        w.enterLevels(1);
        w.editButton()->click();
        w.activateItem();
        w.list()->setCurrentRow(RowOf(w.list(), u"Черноморие ООД"_s));
        w.activateItem();  // in the lot view a double click edits the lot
        w.addButton()->click();
        w.enterPosting();
        w.addButton()->click();
        QCOMPARE(calls, QStringList({u"account 401"_s, u"account 0"_s, u"nom 0 0 1"_s, u"nom 1 1 4"_s, u"nom 1 1 0"_s,
                                     u"nom 2 0 0"_s}));
    }

    void reportsSettingsFollowTheSelection_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<bool>("settings");
        QTest::newRow("balance sheet") << u"1. Баланс"_s << true;
        QTest::newRow("income statement") << u"2. ОПР"_s << true;
        QTest::newRow("cash flow") << u"3. ОПП"_s << true;
        QTest::newRow("trial balance") << u"4. Оборотна ведомост"_s << false;
        QTest::newRow("VAT") << u"9. ДДС"_s << false;
        QTest::newRow("lot extract") << u"8. Извлечение от партида"_s << false;
    }
    void reportsSettingsFollowTheSelection()
    {
        QFETCH(QString, report);
        QFETCH(bool, settings);
        DemoWindow d;
        TForm1 &w = *d.window;
        w.enterReports();
        QCOMPARE(w.listCaptions().size(), ReportEntries().size());
        w.list()->setCurrentRow(RowOf(w.list(), report));
        QCOMPARE(w.reportSettingsSelected(), settings);
        QCOMPARE(w.addButton()->text(), u"Давай"_s);
        QCOMPARE(w.editButton()->text(), u"Настройка"_s);
        QVERIFY(!w.addButton()->isEnabled());
        QVERIFY(!w.editButton()->isEnabled());

        QList<int> kinds;
        w.setEditorHooks({.statementSettings = [&](int kind) { kinds << kind; }});
        QCOMPARE(w.editButton()->isEnabled(), settings);
        w.editButton()->click();
        QCOMPARE(kinds.size(), settings ? 1 : 0);

        const QList<QAction *> menu = w.contextMenu()->actions();
        QCOMPARE(menu.size(), 4);
        QCOMPARE(menu[1]->text(), u"Настройка"_s);
        QCOMPARE(menu[1]->isEnabled(), settings);
        QVERIFY(!menu[2]->isVisible());
    }

    void viewStyleSurvivesARestart()
    {
        TestFixture f;
        {
            TForm1 first(f.fd, f.dm);
            first.setViewStyle(1);
        }
        TForm1 second(f.fd, f.dm);
        QCOMPARE(second.viewStyle(), 1);
        QCOMPARE(second.list()->viewMode(), QListView::IconMode);
        const QList<QAction *> styles = second.viewStyleButton()->menu()->actions();
        QCOMPARE(styles.size(), 4);
        QVERIFY(styles[1]->isChecked());
        styles[3]->trigger();
        QCOMPARE(TForm1(f.fd, f.dm).viewStyle(), 3);
    }

    void closingTheYear_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("created");
        QTest::addColumn<int>("openPeriod");
        QTest::newRow("Приключване, Да opens the new year") << true << QList<int>{Messages::Yes} << true << 2027;
        QTest::newRow("Приключване, Не keeps this year open") << true << QList<int>{Messages::No} << true << 2026;
        QTest::newRow("Отказ does nothing") << false << QList<int>{} << false << 2026;
    }
    void closingTheYear()
    {
        QFETCH(bool, confirmed);
        QFETCH(QList<int>, answers);
        QFETCH(bool, created);
        QFETCH(int, openPeriod);
        DemoWindow d;
        TForm1 &w = *d.window;
        QVERIFY(w.selectKey(401));
        w.accountTabs()->setCurrentIndex(1);
        const QString closing401 = w.totalsFigure(2, 3);
        w.enterLevels();
        d.f.messages.answers = answers;
        WhenShown<TFinishForm>([confirmed](TFinishForm *form) {
            (confirmed ? form->closeButton() : form->cancelButton())->click();
        });
        w.navigationButton(u"    Приключване"_s)->click();
        QCOMPARE(d.f.messages.asked.size(), answers.size());
        QVERIFY(d.f.messages.shown.isEmpty());
        int next = 0;
        for (const FirmRecord &firm : d.f.fd.Firms())
            if (firm.Firm_Name == DemoFirmName && firm.Firm_Period == 2027)
                next = firm.Firm_ID;
        QCOMPARE(next != 0, created);
        QCOMPARE(d.f.fd.Firm(d.f.fd.currentFirmId)->Firm_Period, openPeriod);
        QVERIFY(w.headerText().contains(u"Отчетен период: %1г."_s.arg(openPeriod)));
        if (openPeriod == 2027) {
            QCOMPARE(w.mode(), MainMode::Chart);
            const SnsSums carried = OpeningBalances::SumsOf(d.f.dm.db(), 401);
            QCOMPARE(Formats::Amount(carried.stKt - carried.stDt), closing401);
        }
    }
};

QTEST_MAIN(Form1ModesTest)
#include "tst_form1_modes_ui.moc"
