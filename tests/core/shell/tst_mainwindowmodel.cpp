// What the main window shows and allows per mode, decided without a window.
#include "demo/DemoFirm.h"
#include "engine/Formats.h"
#include "registry/FirmChoice.h"
#include "shell/MainWindowModel.h"
#include "support/TestFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ListContext)

namespace {
// "caption+" visible and enabled, "caption-" visible and disabled, "" hidden.
QString Describe(const ButtonState &b)
{
    return b.visible ? b.caption + (b.enabled ? u'+' : u'-') : QString();
}

QStringList Describe(const ListButtons &b)
{
    return {Describe(b.add), Describe(b.edit), Describe(b.remove), Describe(b.balances), Describe(b.back)};
}

void OpenDemo(TestFixture &f)
{
    if (!OpenFirm(f.fd, f.dm, *f.fd.Firm(EnsureDemoFirm(f.fd, 2026))).opened)
        qFatal("the demo firm does not open");
}
}  // namespace

class MainWindowModelTest : public QObject {
    Q_OBJECT
private slots:
    void navigationKeysNeedAltAlone_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("entry");  // -1: none
        QTest::newRow("Alt+S") << int(Qt::Key_S) << Qt::KeyboardModifiers(Qt::AltModifier) << int(NavEntry::Chart);
        QTest::newRow("Alt+H") << int(Qt::Key_H) << Qt::KeyboardModifiers(Qt::AltModifier) << int(NavEntry::Help);
        QTest::newRow("Alt+P on the keypad flag")
            << int(Qt::Key_P) << (Qt::AltModifier | Qt::KeypadModifier) << int(NavEntry::YearClosing);
        QTest::newRow("Alt+Ctrl+S") << int(Qt::Key_S) << (Qt::AltModifier | Qt::ControlModifier) << -1;
        QTest::newRow("Alt+Shift+A") << int(Qt::Key_A) << (Qt::AltModifier | Qt::ShiftModifier) << -1;
        QTest::newRow("Alt+Meta+R") << int(Qt::Key_R) << (Qt::AltModifier | Qt::MetaModifier) << -1;
        QTest::newRow("S alone") << int(Qt::Key_S) << Qt::KeyboardModifiers() << -1;
        QTest::newRow("Alt+X is no entry") << int(Qt::Key_X) << Qt::KeyboardModifiers(Qt::AltModifier) << -1;
    }
    void navigationKeysNeedAltAlone()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, entry);
        const auto found = NavigationEntryForKey(key, modifiers);
        QCOMPARE(found ? int(*found) : -1, entry);
    }

    void navigationKeysAreThePhysicalKeys_data()
    {
        QTest::addColumn<int>("key");        // what the layout types
        QTest::addColumn<uint>("scanCode");  // the key pressed
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("entry");  // -1: none
        const int xkb = int(ScanCodeSet::Xkb), windows = int(ScanCodeSet::Windows);
        // BDS puts "я" on the S key, the phonetic layout "с"; both are Alt+S.
        QTest::newRow("BDS я on S") << int(u'Я') << 39u << xkb << int(NavEntry::Chart);
        QTest::newRow("phonetic с on S") << int(u'С') << 39u << xkb << int(NavEntry::Chart);
        QTest::newRow("BDS ь on A") << int(u'Ь') << 38u << xkb << int(NavEntry::Levels);
        QTest::newRow("BDS г on H") << int(u'Г') << 43u << xkb << int(NavEntry::Help);
        QTest::newRow("phonetic п on P") << int(u'П') << 33u << xkb << int(NavEntry::YearClosing);
        QTest::newRow("Windows: я on S") << int(u'Я') << 0x1Fu << windows << int(NavEntry::Chart);
        QTest::newRow("Windows: д on O") << int(u'Д') << 0x18u << windows << int(NavEntry::Posting);
        // BDS types "с" on the I key: the key counts, not the letter.
        QTest::newRow("BDS с on I") << int(u'С') << 31u << xkb << int(NavEntry::FirmChoice);
        QTest::newRow("Latin S on the D key") << int(Qt::Key_S) << 40u << xkb << -1;
        QTest::newRow("no scan code: the letter") << int(Qt::Key_R) << 0u << xkb << int(NavEntry::Reports);
        QTest::newRow("no scan code, Cyrillic") << int(u'Я') << 0u << xkb << -1;
        QTest::newRow("not a letter key: the letter") << int(Qt::Key_O) << 9u << xkb << int(NavEntry::Posting);
    }
    void navigationKeysAreThePhysicalKeys()
    {
        QFETCH(int, key);
        QFETCH(uint, scanCode);
        QFETCH(int, set);
        QFETCH(int, entry);
        const auto found = NavigationEntryForKey(key, Qt::AltModifier, scanCode, ScanCodeSet(set));
        QCOMPARE(found ? int(*found) : -1, entry);
        QVERIFY(!NavigationEntryForKey(key, Qt::AltModifier | Qt::ControlModifier, scanCode, ScanCodeSet(set)));
    }

    void acceleratorLettersKeepOffTheNavigationKeys()
    {
        // S A O I R P H in Latin, and what BDS and the phonetic layout type on those keys.
        const QString clash = u"SAOIRPHsaoirphЯЬДСИЗГяьдсизгАОРПХаорпх"_s;
        const QString free = u"БВЕЖЙКЛМНТУФЦЧШЩЪЮбвежйклмнтуфцчшщъюBCDEFGJKLMNQTUVWXYZ"_s;
        for (QChar c : clash)
            QVERIFY2(ClashesWithNavigationKeys(c), qPrintable(QString(c)));
        for (QChar c : free)
            QVERIFY2(!ClashesWithNavigationKeys(c), qPrintable(QString(c)));
        QCOMPARE(ScanCodeSetOfPlatform(u"windows"_s), ScanCodeSet::Windows);
        QCOMPARE(ScanCodeSetOfPlatform(u"xcb"_s), ScanCodeSet::Xkb);
        QCOMPARE(ScanCodeOfLatinKey(u'm', ScanCodeSet::Xkb), 58u);
        QCOMPARE(LetterOnKey(u'Q', KeyLayout::BgStandard), QChar());
    }

    void buttonsFollowModeEditorsAndSelection_data()
    {
        QTest::addColumn<ListContext>("context");
        QTest::addColumn<QStringList>("buttons");
        const auto ctx = [](MainMode mode, auto change) {
            ListContext c;
            c.mode = mode;
            change(c);
            return c;
        };
        const auto none = [](ListContext &) {};
        QTest::newRow("chart, no editor yet")
            << ctx(MainMode::Chart, none)
            << QStringList{u"Добавяне-"_s, u"Редактиране-"_s, u"Изтриване+"_s, u"Начални салда+"_s, {}};
        QTest::newRow("chart with the account editor")
            << ctx(MainMode::Chart, [](ListContext &c) { c.accountEditor = true; })
            << QStringList{u"Добавяне+"_s, u"Редактиране+"_s, u"Изтриване+"_s, u"Начални салда+"_s, {}};
        QTest::newRow("levels")
            << ctx(MainMode::Levels, [](ListContext &c) { c.nomEditor = true; })
            << QStringList{u"Добавяне+"_s, u"Редактиране+"_s, u"Изтриване+"_s, {}, {}};
        QTest::newRow("lots of a level")
            << ctx(MainMode::Levels, [](ListContext &c) { c.lotView = true; })
            << QStringList{u"Добавяне-"_s, u"Редактиране-"_s, u"Изтриване+"_s, {}, u"Назад+"_s};
        QTest::newRow("folders with operations")
            << ctx(MainMode::Folders, [](ListContext &c) { c.nomEditor = c.operations = true; })
            << QStringList{u"Добавяне+"_s, u"Редактиране+"_s, u"Изтриване+"_s, u"Операции+"_s, {}};
        QTest::newRow("documents open")
            << ctx(MainMode::Documents, [](ListContext &c) { c.nomEditor = c.operations = true; })
            << QStringList{u"Добавяне-"_s, u"Редактиране-"_s, u"Изтриване-"_s, u"Операции-"_s, {}};
        QTest::newRow("balance of a synthetic account that has one")
            << ctx(MainMode::OpeningBalances, [](ListContext &c) { c.balanceEditor = true, c.canAddBalance = false; })
            << QStringList{u"Добавяне-"_s, u"Редактиране+"_s, u"Изтриване+"_s, {}, u"Назад+"_s};
        QTest::newRow("report with settings")
            << ctx(MainMode::Reports, [](ListContext &c) { c.reports = c.statementSettings = true, c.reportCode = 1; })
            << QStringList{u"Давай+"_s, u"Настройка+"_s, {}, {}, {}};
        QTest::newRow("report without settings")
            << ctx(MainMode::Reports, [](ListContext &c) { c.reports = c.statementSettings = true, c.reportCode = 3; })
            << QStringList{u"Давай+"_s, u"Настройка-"_s, {}, {}, {}};
        QTest::newRow("statement before the report windows")
            << ctx(MainMode::Reports, [](ListContext &c) { c.reportCode = 0; })
            << QStringList{u"Давай-"_s, u"Настройка-"_s, {}, {}, {}};
    }
    void buttonsFollowModeEditorsAndSelection()
    {
        QFETCH(ListContext, context);
        QFETCH(QStringList, buttons);
        QCOMPARE(Describe(ListButtonsFor(context)), buttons);
    }

    void accountDetailsListOnlyTheLevelsAnAccountHas()
    {
        TestFixture f;
        OpenDemo(f);
        Db &db = f.dm.db();
        ChartStore::SetLevels(db, 411, {1, 2, 0, 0, 0});
        const QList<DetailLine> analytic = AccountLines(db, *ChartStore::Find(db, 411));
        QCOMPARE(analytic.size(), 5);
        QCOMPARE(analytic[2].value, u"Аналитична"_s);
        QCOMPARE(analytic[3].caption, u"Аналитични нива:"_s);
        QCOMPARE(analytic[3].value, u"Контрагенти"_s);
        QCOMPARE(analytic[4].caption, QString());
        QCOMPARE(analytic[4].value, u"Стоки"_s);

        SRow odd = *ChartStore::Find(db, 501);
        odd.S_Kol_Val_Type = 7;
        const QList<DetailLine> synthetic = AccountLines(db, odd);
        QCOMPARE(synthetic.size(), 3);
        QCOMPARE(synthetic[1].value, u"??????????"_s);
    }

    void lotDetailsByLevelType_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("lot");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("lastValue");
        const QStringList lot = {u"Аналитичен признак:"_s, u"Наименование на партида:"_s};
        QTest::newRow("counterparty") << 1 << 2
                                      << lot + QStringList{u"Данъчен номер:"_s, u"Булстат:"_s, u"Град:"_s, u"Адрес:"_s,
                                                           u"Телефон/Факс:"_s, u"Банкова сметка:"_s}
                                      << u"BG18RZBB91550123456789"_s;
        QTest::newRow("goods") << 2 << 2 << lot + QStringList{u"Инвентарен номер:"_s, u"Мерна единица:"_s} << u"кг"_s;
        QTest::newRow("list") << 3 << 1 << lot << u"Европа"_s;
        QTest::newRow("missing lot") << 1 << 99 << QStringList() << QString();
    }
    void lotDetailsByLevelType()
    {
        QFETCH(int, level);
        QFETCH(int, lot);
        QFETCH(QStringList, captions);
        QFETCH(QString, lastValue);
        TestFixture f;
        OpenDemo(f);
        Db &db = f.dm.db();
        LevelStore::InsertLevel(db, {3, u"Региони"_s, NomType::List});
        LevelStore::InsertLot(db, {3, 1, u"Европа"_s, {}, {}});
        const QList<DetailLine> lines = LotLines(db, *LevelStore::Level(db, level), lot);
        QStringList shown;
        for (const DetailLine &l : lines)
            shown << l.caption;
        QCOMPARE(shown, captions);
        if (!lines.isEmpty()) {
            QCOMPARE(lines.first().value, LevelStore::Level(db, level)->Nom_Name);
            QCOMPARE(lines.last().value, lastValue);
        }
    }

    void openingBalancePanelNamesTheCurrentLots()
    {
        TestFixture f;
        OpenDemo(f);
        Db &db = f.dm.db();
        const SRow account = *ChartStore::Find(db, 401);
        const QList<SnsRow> rows = OpeningBalances::RowsOf(db, 401);
        QList<DetailLine> lines = OpeningBalanceLines(db, account, rows.last());
        QCOMPARE(lines[0].value, u"401 Доставчици"_s);
        QCOMPARE(lines[3].caption, u"КТ.Ст."_s);
        QCOMPARE(lines[3].value, u"6900.00"_s);
        const auto at = [&lines](const QString &caption) {
            for (int i = 0; i < lines.size(); ++i)
                if (lines[i].caption == caption)
                    return i;
            return -1;
        };
        QCOMPARE(lines[at(u"Аналитични нива:"_s)].value, u"Контрагенти"_s);
        QCOMPARE(lines[at(u"Партиди:"_s)].value, u"Родопа Снаб ЕООД:"_s);
        QCOMPARE(lines[at(u"Характеристики:"_s)].value, u"Пасивна"_s);
        QCOMPARE(lines.last().value, u"Аналитична"_s);

        lines = OpeningBalanceLines(db, account, std::nullopt);
        QCOMPARE(at(u"Партиди:"_s), -1);
        QCOMPARE(OpeningBalanceCells(db, account, rows.first()),
                 QStringList({u"0.0000"_s, u"0.00"_s, u"4800.00"_s, u"0.0000"_s, u"Балкан Трейд ООД"_s, {}, {}, {},
                              {}}));
    }

    // The demo's opening balances balance; a one-sided row shows its difference.
    void openingTotalsShowTheirDifference()
    {
        TestFixture f;
        OpenDemo(f);
        Db &db = f.dm.db();
        const OpeningTotals before = OpeningBalances::Totals(db);
        QCOMPARE(before.difference(), 0.0);
        QVERIFY(OpeningTotalsOf(db).balanced);
        OpeningBalances::Insert(db, {401, {3, 0, 0, 0, 0}, 0, 0, 0, 1500.50});
        const OpeningTotalsLine line = OpeningTotalsOf(db);
        QVERIFY(!line.balanced);
        QCOMPARE(line.text, u"Общо начални салда:   Дебит: %1   Кредит: %2   Разлика: -1500.50"_s.arg(
                                Formats::Amount(before.debit), Formats::Amount(before.credit + 1500.50)));
    }
};

QTEST_GUILESS_MAIN(MainWindowModelTest)
#include "tst_mainwindowmodel.moc"
