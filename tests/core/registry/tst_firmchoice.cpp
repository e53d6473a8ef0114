#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "firm/Schema.h"
#include "registry/FirmChoice.h"
#include "accounts/OpeningBalances.h"
#include "posting/Documents.h"
#include "registry/FirmFactory.h"
#include "support/Books.h"
#include "support/TestFixture.h"

#include <QFile>
#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
void DropTables(const QString &file, const QStringList &tables)
{
    Db db(u"damage"_s);
    db.open(file, false);
    for (const QString &t : tables)
        db.exec(u"drop table "_s + t);
}

QString FirmFile(TFD &fd, int id) { return fd.Firm(id)->Firm_DataPath + Schema::FirmFileName; }
}  // namespace

class FirmChoiceTest : public QObject {
    Q_OBJECT
private slots:
    void firstMissingMaskInListOrder_data()
    {
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<QString>("mask");
        QTest::newRow("only SD") << QStringList{u"SD"_s} << u"SD.*"_s;
        QTest::newRow("an and SD") << QStringList{u"SD"_s, u"an"_s} << u"an.*"_s;
        QTest::newRow("Finish before kontra") << QStringList{u"kontra"_s, u"Finish"_s} << u"Finish.*"_s;
        QTest::newRow("operation elements") << QStringList{u"opelkt"_s} << u"OPELKt.*"_s;
    }
    void firstMissingMaskInListOrder()
    {
        QFETCH(QStringList, dropped);
        QFETCH(QString, mask);
        TestFixture f;
        const int good = f.openNewFirm(u"Цяла"_s);
        const int broken = f.makeFirm(u"Непълна"_s);
        DropTables(FirmFile(f.fd, broken), dropped);

        const FirmOpenResult result = OpenFirm(f.fd, f.dm, *f.fd.Firm(broken));
        QVERIFY(!result.opened);
        QCOMPARE(result.message, u"Липсват файлове с данни за избраната фирма!\rФайла: "_s + mask);
        // The firm that was open stays open.
        QVERIFY(f.dm.IsConnected());
        QCOMPARE(f.dm.DataPath(), f.fd.Firm(good)->Firm_DataPath);
        QCOMPARE(f.fd.currentFirmId, good);
    }

    void firmWithoutItsFileIsRefusedWithTheFirstMask()
    {
        TestFixture f;
        const int id = f.makeFirm();
        QVERIFY(QFile::remove(FirmFile(f.fd, id)));
        const FirmOpenResult result = OpenFirm(f.fd, f.dm, *f.fd.Firm(id));
        QVERIFY(!result.opened);
        QCOMPARE(result.message, MissingFilesMessage(u"an.*"_s));
        QVERIFY(!f.dm.IsConnected());
    }

    void corruptFirmFileIsRefusedAndTheOpenFirmStays()
    {
        TestFixture f;
        const int good = f.openNewFirm(u"Цяла"_s);
        const int broken = f.makeFirm(u"Повредена"_s);
        {
            QFile file(FirmFile(f.fd, broken));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(8192, 'x'));
        }
        const FirmOpenResult result = OpenFirm(f.fd, f.dm, *f.fd.Firm(broken));
        QVERIFY(!result.opened);
        QVERIFY2(result.message.startsWith(u"Файлът не е база данни"_s), qPrintable(result.message));
        QCOMPARE(f.dm.DataPath(), f.fd.Firm(good)->Firm_DataPath);
    }

    void registryWithoutOppDataRefusesEveryFirm()
    {
        TestFixture f;
        const int id = f.makeFirm();
        f.fd.db().exec(u"drop table opp_data"_s);
        const FirmOpenResult result = OpenFirm(f.fd, f.dm, *f.fd.Firm(id));
        QVERIFY(!result.opened);
        QCOMPARE(result.message, MissingFilesMessage(u"opp_data.*"_s));
        QVERIFY(!f.dm.IsConnected());
    }

    void choosingTheOpenFirmAgainReopensIt()
    {
        TestFixture f;
        const int id = f.openNewFirm();
        f.dm.db().exec(u"insert into nom_pap (Nom_Pap_No, Nom_Pap_Name) values (1, 'Банка')"_s);
        const FirmOpenResult again = OpenFirm(f.fd, f.dm, *f.fd.Firm(id));
        QVERIFY(again.opened);
        QVERIFY(f.dm.IsConnected());
        QCOMPARE(f.dm.RecordCount(u"nom_pap"_s), 1);
        QCOMPARE(EngineSession::instance().aliasPath(AliasFirm), f.fd.Firm(id)->Firm_DataPath);
    }

    void switchingFirmsRepointsTheFirmAlias()
    {
        TestFixture f;
        const int a = f.openNewFirm(u"А"_s);
        const int b = f.makeFirm(u"Б"_s);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(b)).opened);
        QCOMPARE(f.dm.DataPath(), f.fd.Firm(b)->Firm_DataPath);
        QCOMPARE(EngineSession::instance().aliasPath(AliasFirm), f.fd.Firm(b)->Firm_DataPath);
        QCOMPARE(f.fd.currentFirmId, b);
        QVERIFY(a != b);
    }

    void aliasClashIsThrownForTheWindowToEndTheProgram()
    {
        TestFixture f;
        const int id = f.makeFirm();
        EngineSession &session = EngineSession::instance();
        const bool had = session.hasAlias(AliasFirm);
        const AliasDef saved = session.alias(AliasFirm);
        session.defineAlias(AliasFirm, {u"ORACLE"_s, {}});
        QString error;
        try {
            OpenFirm(f.fd, f.dm, *f.fd.Firm(id));
        } catch (const MyException &e) {
            error = e.message();
        }
        if (had)
            session.defineAlias(AliasFirm, saved);
        else
            session.removeAlias(AliasFirm);
        QCOMPARE(error, AliasClashMessage);
        QVERIFY(!f.dm.IsConnected());
    }

    void removingAFirm_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("removed");
        QTest::newRow("another firm, Да") << false << Messages::Yes << true;
        QTest::newRow("another firm, Не") << false << Messages::No << false;
        QTest::newRow("the open firm is refused unasked") << true << Messages::Yes << false;
    }
    void removingAFirm()
    {
        QFETCH(bool, open);
        QFETCH(int, answer);
        QFETCH(bool, removed);
        TestFixture f;
        const int opened = f.openNewFirm(u"Отворена"_s);
        const int other = f.makeFirm(u"Друга"_s);
        const FirmRecord firm = *f.fd.Firm(open ? opened : other);
        f.messages.answers = {answer};
        QCOMPARE(RemoveFirm(f.fd, f.dm, firm), removed);
        QCOMPARE(f.fd.Firm(firm.Firm_ID).has_value(), !removed);
        QCOMPARE(f.messages.asked.size(), open ? 0 : 1);
        QCOMPARE(f.messages.shown.size(), open ? 1 : 0);
        // The files stay on the disk.
        QVERIFY(QFile::exists(firm.Firm_DataPath + Schema::FirmFileName));
    }

    void theYearOfAFirmChangesWithItsPeriodOnlyWhileItHoldsNoBooks_data()
    {
        QTest::addColumn<QString>("books");
        QTest::addColumn<QString>("lock");
        QTest::newRow("no books") << QString() << QString();
        QTest::newRow("opening balances") << u"balances"_s
                                          << u"Отчетната година не може да бъде променена: фирмата вече има начални "
                                             "салда."_s;
        QTest::newRow("documents") << u"documents"_s
                                   << u"Отчетната година не може да бъде променена: фирмата вече има документи."_s;
    }
    void theYearOfAFirmChangesWithItsPeriodOnlyWhileItHoldsNoBooks()
    {
        QFETCH(QString, books);
        QFETCH(QString, lock);
        TestFixture f;
        const int id = f.openNewFirm(u"Година"_s, 2025);
        if (books == u"balances"_s)
            OpeningBalances::Insert(f.dm.db(), {501, {}, 0, 10, 0, 0});
        else if (books == u"documents"_s)
            f.dm.db().exec(u"insert into nom_p (Nom_Doc_No, Nom_DDoc_No, Nom_P_No) values (1, 1, 1)"_s);
        const FirmRecord loaded = *f.fd.Firm(id);
        FirmRecord edited = loaded;
        QCOMPARE(FirmYearLock(edited), lock);
        edited.Firm_Period = 2026;
        edited.Firm_Tel = u"02 123"_s;
        QCOMPARE(ErrorOf([&] { SaveFirmData(f.fd, loaded, edited); }), lock);
        const bool changed = lock.isEmpty();
        QCOMPARE(f.fd.Firm(id)->Firm_Period, changed ? 2026 : 2025);
        QCOMPARE(f.fd.Firm(id)->Firm_Tel, changed ? u"02 123"_s : QString());
        QCOMPARE(f.dm.DateOt(), changed ? QDate(2026, 1, 1) : QDate(2025, 1, 1));
        QCOMPARE(f.dm.DateDo(), changed ? QDate(2026, 12, 31) : QDate(2025, 12, 31));
    }

    void otherFirmDataSavesWhateverTheBooksHold()
    {
        TestFixture f;
        const int id = f.openNewFirm(u"Данни"_s, 2025);
        OpeningBalances::Insert(f.dm.db(), {501, {}, 0, 10, 0, 0});
        const FirmRecord loaded = *f.fd.Firm(id);
        FirmRecord edited = loaded;
        edited.Firm_Name = u"Данни АД"_s;
        // Another user's VAT data saved while the editor was open stay.
        FirmRecord vat = loaded;
        vat.Firm_HedDDS = u"Иван Петров"_s;
        f.fd.UpdateFirm(loaded, vat);
        SaveFirmData(f.fd, loaded, edited);
        QCOMPARE(f.fd.Firm(id)->Firm_Name, u"Данни АД"_s);
        QCOMPARE(f.fd.Firm(id)->Firm_HedDDS, u"Иван Петров"_s);
        // A data path is changed only to a directory with a firm's books that no other firm has.
        const int other = f.openNewFirm(u"Друга"_s, 2025);
        FirmRecord moved = *f.fd.Firm(id);
        moved.Firm_DataPath = f.fd.Firm(other)->Firm_DataPath;
        QVERIFY(ErrorOf([&] { SaveFirmData(f.fd, *f.fd.Firm(id), moved); }).contains(u"Друга"_s));
        moved.Firm_DataPath = QDir::tempPath() + u"/няма-такава-папка"_s;
        QVERIFY(!ErrorOf([&] { SaveFirmData(f.fd, *f.fd.Firm(id), moved); }).isEmpty());
        QCOMPARE(f.fd.Firm(id)->Firm_DataPath, loaded.Firm_DataPath);
    }
};

QTEST_GUILESS_MAIN(FirmChoiceTest)
#include "tst_firmchoice.moc"
