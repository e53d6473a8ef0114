#include "accounts/ChartStore.h"
#include "accounts/FolderStore.h"
#include "accounts/OpeningBalances.h"
#include "closing/YearClosing.h"
#include "demo/DemoFirm.h"
#include "engine/Errors.h"
#include "engine/Rounding.h"
#include "firm/Schema.h"
#include "firm/TDM.h"
#include "registry/FirmChoice.h"
#include "registry/FirmFactory.h"
#include "support/Books.h"
#include "support/TestFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class FirmFactoryTest : public QObject {
    Q_OBJECT
private slots:
    void aNewFirmsYearLiesFrom1999To2099_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("made");
        QTest::newRow("1998") << 1998 << false;
        QTest::newRow("1999") << 1999 << true;
        QTest::newRow("2099") << 2099 << true;
        QTest::newRow("2100") << 2100 << false;
    }
    void aNewFirmsYearLiesFrom1999To2099()
    {
        QFETCH(int, year);
        QFETCH(bool, made);
        TestFixture f;
        NewFirmRequest request;
        request.firm.Firm_Name = u"Година ООД"_s;
        request.firm.Firm_Period = year;
        const QString error = ErrorOf([&] { CreateFirm(f.fd, request); });
        QCOMPARE(error.isEmpty(), made);
        QCOMPARE(int(f.fd.Firms().size()), made ? 1 : 0);
        if (!made)
            QCOMPARE(error, NewFirmYearProblem(year));
    }

    void registrySeedsOnFirstStart()
    {
        TestFixture f;
        const QList<ChSmetkiRow> chart = f.fd.ChSmetki();
        QVERIFY(chart.size() > 100);
        auto account = [&](int no) {
            for (const ChSmetkiRow &r : chart)
                if (r.S_UNo == no)
                    return r;
            return ChSmetkiRow{};
        };
        QCOMPARE(account(304).S_Kol_Val_Type, 2);
        QCOMPARE(account(501).S_Act_Pas_Type, 1);
        QCOMPARE(account(401).S_Act_Pas_Type, 2);
        QCOMPARE(account(411).S_Act_Pas_Type, 1);
        for (int no : {453, 4531, 4532, 4538, 4539})
            QCOMPARE(account(no).S_Act_Pas_Type, 3);
        QVERIFY(account(4531).Checked);
        for (const ChSmetkiRow &r : chart) {
            QVERIFY(r.S_UNo >= 1 && r.S_UNo <= 9999);
            QVERIFY(!r.S_Name.isEmpty() && r.S_Name.size() <= 55);
        }

        bool invoice = false;
        for (const DDSDocRow &k : f.fd.DDSDoc())
            invoice |= k.Doc_DDS_No == 4 && k.Doc_Name == u"Фактура"_s;
        QVERIFY(invoice);
        const QList<DDSDostTypeRow> supplies = f.fd.DDSDostType();
        QCOMPARE(supplies.size(), 7);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(supplies.at(i).Dost_No, i + 1);
            QCOMPARE(supplies.at(i).Dost_DnNo, i + 1);
        }
    }

    void reopeningKeepsTheRegistry()
    {
        TestFixture f;
        f.fd.SetChecked(304, false);
        const int id = f.makeFirm();
        f.fd.Open(f.dataDir());
        QVERIFY(f.fd.Firm(id).has_value());
        for (const ChSmetkiRow &r : f.fd.ChSmetki())
            if (r.S_UNo == 304)
                QVERIFY(!r.Checked);
    }

    void corruptRegistryIsRefusedWithAClearMessage()
    {
        TestFixture f;
        f.fd.Close();
        {
            QFile file(f.fd.RegistryFile());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(4096, '\x01'));
        }
        const QString error = ErrorOf([&] { f.fd.Open(f.dataDir()); });
        QVERIFY2(error.startsWith(u"Файлът не е база данни на програмата или е повреден"_s), qPrintable(error));
    }

    void aFileThatIsNotTheProgramsIsRefusedUnchanged_data()
    {
        QTest::addColumn<bool>("registry");
        QTest::addColumn<bool>("empty");
        QTest::newRow("empty registry") << true << true;
        QTest::newRow("foreign database as registry") << true << false;
        QTest::newRow("empty firm file") << false << true;
        QTest::newRow("foreign database as firm file") << false << false;
    }
    void aFileThatIsNotTheProgramsIsRefusedUnchanged()
    {
        QFETCH(bool, registry);
        QFETCH(bool, empty);
        QTemporaryDir dir;
        const QString file = dir.filePath(registry ? Schema::RegistryFileName : Schema::FirmFileName);
        if (empty) {
            QFile(file).open(QIODevice::WriteOnly);
        } else {
            Db other(u"other"_s);
            other.open(file, true);
            other.exec(u"PRAGMA journal_mode=DELETE"_s);
            other.exec(u"create table notes (text TEXT)"_s);
        }
        QFile before(file);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray bytes = before.readAll();
        before.close();

        const QString error = ErrorOf([&] {
            if (registry) {
                TFD fd;
                fd.Open(dir.path());
            } else {
                TDM dm;
                dm.Open(dir.path());
            }
        });
        QCOMPARE(error, NotAProgramFileMessage + file);
        QFile after(file);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), bytes);
        QVERIFY(!QFileInfo::exists(file + u"-wal"_s));
    }

    void afterTheHighestFirmIsRemovedTheNextTakesTheFirstFreeDirectory()
    {
        TestFixture f;
        f.makeFirm(u"Първа"_s);
        const int second = f.makeFirm(u"Втора"_s);
        const QString kept = f.fd.Firm(second)->Firm_DataPath;
        f.fd.DeleteFirm(second);  // its files stay
        const int third = f.makeFirm(u"Трета"_s);
        QCOMPARE(third, second + 1);  // a removed firm's number is never given again
        QCOMPARE(f.fd.Firm(third)->Firm_DataPath, DefaultFirmDir(f.dataDir(), second + 1));
        QVERIFY(QFileInfo::exists(kept + Schema::FirmFileName));
        QCOMPARE(FirstFreeFirmDir(f.fd, 1), DefaultFirmDir(f.dataDir(), second + 2));
        // A directory that already holds a firm is never written over, asked for by name.
        NewFirmRequest request;
        request.firm.Firm_Name = u"Четвърта"_s;
        request.firm.Firm_Period = 2026;
        request.firm.Firm_DataPath = kept;
        QVERIFY(ErrorOf([&] { CreateFirm(f.fd, request); }).startsWith(DirectoryHoldsFirmMessage));
        QCOMPARE(f.fd.Firms().size(), 2);
    }

    void newFirmHasItsPeriodAndTheTickedChart()
    {
        TestFixture f;
        f.fd.SetAllChecked(false);
        f.fd.SetChecked(501, true);
        f.fd.SetChecked(304, true);
        const int id = f.openNewFirm(u"Нова"_s, 2025);
        const FirmRecord firm = *f.fd.Firm(id);
        QCOMPARE(firm.Firm_Period, 2025);
        QCOMPARE(firm.Firm_DataPath, DefaultFirmDir(f.dataDir(), id));
        QCOMPARE(f.dm.DateOt(), QDate(2025, 1, 1));
        QCOMPARE(f.dm.DateDo(), QDate(2025, 12, 31));
        const QList<SRow> chart = ChartStore::All(f.dm.db());
        QCOMPARE(chart.size(), 2);
        QCOMPARE(chart.at(0).S_UNo, 304);
        QCOMPARE(chart.at(0).S_Kol_Val_Type, 2);
        QCOMPARE(chart.at(0).S_An_Sint_Type, 1);
        QCOMPARE(f.dm.RecordCount(u"net"_s), 0);
        QVERIFY(f.makeFirm(u"Друга"_s) == id + 1);
    }

    void newFirmFromAnotherCopiesWhatWasChosen_data()
    {
        QTest::addColumn<bool>("accounts");
        QTest::addColumn<bool>("lots");
        QTest::addColumn<bool>("folders");
        QTest::newRow("accounts and lots") << true << false << false;
        QTest::newRow("lots only") << false << true << false;
        QTest::newRow("folders only") << false << false << true;
        QTest::newRow("everything") << true << true << true;
    }
    void newFirmFromAnotherCopiesWhatWasChosen()
    {
        QFETCH(bool, accounts);
        QFETCH(bool, lots);
        QFETCH(bool, folders);
        TestFixture f;
        const int demo = EnsureDemoFirm(f.fd, 2026);
        f.fd.SetAllChecked(false);
        f.fd.SetChecked(501, true);
        NewFirmRequest request;
        request.firm.Firm_Name = u"Наследник"_s;
        request.firm.Firm_Period = 2027;
        request.sourceFirmId = demo;
        request.copyAccountsAndLots = accounts;
        request.copyLots = lots;
        request.copyFolders = folders;
        const int id = CreateFirm(f.fd, request);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(id)).opened);

        const auto account411 = ChartStore::Find(f.dm.db(), 411);
        QCOMPARE(account411.has_value(), accounts);
        if (accounts)
            QCOMPARE(account411->S_An[0], 1);
        else
            QCOMPARE(f.dm.RecordCount(u"s"_s), 1);
        QCOMPARE(f.dm.RecordCount(u"kontra"_s), accounts || lots ? 4 : 0);
        QCOMPARE(f.dm.RecordCount(u"nomel"_s), accounts || lots ? 3 : 0);
        QCOMPARE(f.dm.RecordCount(u"nom_pap"_s), folders ? 4 : 0);
        // Templates need their folders and accounts.
        const int templates = f.dm.RecordCount(u"op"_s);
        QCOMPARE(templates > 0, folders && accounts);
        QCOMPARE(f.dm.RecordCount(u"opelkt"_s) >= templates && f.dm.RecordCount(u"opeldt"_s) >= templates, true);
        QCOMPARE(f.dm.RecordCount(u"Sns"_s), 0);  // balances are never copied as they are
        QCOMPARE(f.dm.DateOt(), QDate(2027, 1, 1));
    }

    void failedCreationLeavesNothing_data()
    {
        QTest::addColumn<QString>("problem");
        QTest::newRow("directory under a file") << u"file"_s;
        QTest::newRow("directory already holds a firm") << u"firm"_s;
        QTest::newRow("blank name") << u"name"_s;
        QTest::newRow("source firm lacks a table") << u"source"_s;
    }
    void failedCreationLeavesNothing()
    {
        QFETCH(QString, problem);
        TestFixture f;
        const int existing = f.makeFirm(u"Съществуваща"_s);
        NewFirmRequest request;
        request.firm.Firm_Name = u"Неуспешна"_s;
        request.firm.Firm_Period = 2026;
        QString dir = f.dataDir() + u"new-firm/"_s;
        if (problem == u"file"_s) {
            QFile plain(f.dataDir() + u"plain"_s);
            QVERIFY(plain.open(QIODevice::WriteOnly));
            dir = f.dataDir() + u"plain/sub/"_s;
        } else if (problem == u"firm"_s) {
            dir = f.fd.Firm(existing)->Firm_DataPath;
        } else if (problem == u"name"_s) {
            request.firm.Firm_Name = u"   "_s;
        } else {
            Db db(u"damage"_s);
            db.open(f.fd.Firm(existing)->Firm_DataPath + Schema::FirmFileName, false);
            db.exec(u"drop table nomel"_s);
            request.sourceFirmId = existing;
            request.copyLots = true;
        }
        request.firm.Firm_DataPath = dir;
        const QString error = ErrorOf([&] { CreateFirm(f.fd, request); });
        QVERIFY(!error.isEmpty());
        QCOMPARE(f.fd.Firms().size(), 1);
        if (problem != u"firm"_s)
            QVERIFY2(!QFileInfo::exists(dir + Schema::FirmFileName), qPrintable(dir));
        if (problem == u"source"_s)
            QCOMPARE(error, MissingFilesMessage(u"nomel.*"_s));
        if (problem == u"file"_s || problem == u"source"_s)
            QVERIFY(!QFileInfo::exists(dir));
    }

    void attachRegistersAnExistingDirectoryAfterChecking()
    {
        TestFixture f;
        const int id = f.makeFirm(u"Стара"_s, 2024);
        const FirmRecord old = *f.fd.Firm(id);
        f.fd.DeleteFirm(id);
        QVERIFY(QFileInfo::exists(old.Firm_DataPath + Schema::FirmFileName));  // files are kept

        FirmRecord attach;
        attach.Firm_Name = u"Стара"_s;
        attach.Firm_Period = 2026;
        attach.Firm_DataPath = f.dataDir() + u"nowhere"_s;
        QCOMPARE(ErrorOf([&] { AttachFirm(f.fd, attach); }), MissingFilesMessage(u"an.*"_s));

        attach.Firm_DataPath = old.Firm_DataPath;
        const int newId = AttachFirm(f.fd, attach);
        QCOMPARE(f.fd.Firm(newId)->Firm_Period, 2024);  // the firm's own period wins
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(newId)).opened);
        QVERIFY(!ErrorOf([&] { AttachFirm(f.fd, attach); }).isEmpty());  // not twice
    }

    void demoFirmHasWhatEveryEditorNeeds()
    {
        TestFixture f;
        const int id = EnsureDemoFirm(f.fd, 2026);
        QCOMPARE(EnsureDemoFirm(f.fd, 2026), id);
        const FirmRecord demo = *f.fd.Firm(id);
        QCOMPARE(demo.Firm_Name, u"Демо ЕООД"_s);
        QCOMPARE(FirmHeaderText(demo), u"  Отчетен период: 2026г.  Фирма: Демо ЕООД  Валута: евро"_s);
        QVERIFY(OpenFirm(f.fd, f.dm, demo).opened);

        const OpeningTotals totals = OpeningBalances::Totals(f.dm.db());
        QVERIFY(totals.debit > 0);
        QCOMPARE(totals.debit, totals.credit);

        QStringList folders;
        for (const NomPapRow &r : FolderStore::All(f.dm.db()))
            folders << r.Nom_Pap_Name;
        QCOMPARE(folders, QStringList({u"Банка"_s, u"Каса"_s, u"Покупки"_s, u"Продажби"_s}));

        QSqlQuery k = f.dm.db().exec(u"select count(*) from kontra where length(NomEl_Dn) = 10"_s);
        QVERIFY(k.next());
        QCOMPARE(k.value(0).toInt(), 4);
        QSqlQuery g = f.dm.db().exec(
            u"select count(*) from nomel join nom on nom.Nom_No = nomel.Nom_No where nom.Nom_Type = 3 and NomEl_Med <> ''"_s);
        QVERIFY(g.next());
        QCOMPARE(g.value(0).toInt(), 3);
        // Every analytic key of an opening balance names a lot of the account's level.
        QSqlQuery orphan = f.dm.db().exec(
            u"select count(*) from Sns join s on s.S_UNo = Sns.Sn_UNo where Sns.Sn_An1 <> 0 and not exists "
            "(select 1 from nomel where nomel.Nom_No = s.S_An1 and nomel.NomEl_No = Sns.Sn_An1) and not exists "
            "(select 1 from kontra where kontra.Nom_No = s.S_An1 and kontra.NomEl_No = Sns.Sn_An1)"_s);
        QVERIFY(orphan.next());
        QCOMPARE(orphan.value(0).toInt(), 0);
    }

    void demoFirmHasAYearOfBalancedBooks()
    {
        TestFixture f;
        const int id = EnsureDemoFirm(f.fd, 2026);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(id)).opened);
        Db &db = f.dm.db();
        const int lines = f.dm.RecordCount(u"doc"_s);
        QVERIFY(lines > 100);
        QCOMPARE(f.dm.RecordCount(u"an"_s), 2 * lines);
        QCOMPARE(db.scalar(u"select count(*) from nom_p where Nom_Dnevnik = 1 and Nom_VidDostavka = 2"_s).toInt(), 12);
        QCOMPARE(db.scalar(u"select count(*) from nom_p where Nom_Dnevnik = 2 and Nom_VidDostavka = 4"_s).toInt(), 12);
        for (int folder = 1; folder <= 4; ++folder)
            QVERIFY(db.scalar(u"select count(*) from nom_p where Nom_P_No = ?"_s, {folder}).toInt() >= 12);
        double debit = 0, credit = 0;
        for (const SnsRow &row : ClosingBalances(db)) {
            debit += row.Sn_St_Dt;
            credit += row.Sn_St_Kt;
            if (row.Sn_UNo == 304) {
                QVERIFY(row.Sn_Kol_Dt > 0);  // goods are never released beyond the stock
                QVERIFY(row.Sn_St_Dt > 0);
            }
        }
        QCOMPARE(RoundAmount(debit), RoundAmount(credit));
        // Every released lot was priced at its average cost: no lot keeps value without quantity.
        QCOMPARE(db.scalar(u"select count(*) from doc where Doc_S_Kt = 304 and Doc_St <= 0"_s).toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(FirmFactoryTest)
#include "tst_firmfactory.moc"
