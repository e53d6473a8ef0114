#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/Messages.h"

#include <QDir>
#include <QSqlError>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class EngineTest : public QObject {
    Q_OBJECT
private slots:
    void displayCheck_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("planes");
        QTest::addColumn<bool>("passes");
        QTest::newRow("8 bits") << 8 << 1 << true;
        QTest::newRow("4 bits") << 4 << 1 << false;
        QTest::newRow("4 bits two planes") << 4 << 2 << true;
        QTest::newRow("24 bits") << 24 << 1 << true;
        QTest::newRow("32 bits") << 32 << 1 << true;
        QTest::newRow("product 256 keeps low byte 0") << 128 << 2 << false;
        QTest::newRow("1 bit") << 1 << 1 << false;
    }
    void displayCheck()
    {
        QFETCH(int, bits);
        QFETCH(int, planes);
        QFETCH(bool, passes);
        QCOMPARE(DisplayCheckPasses(bits, planes), passes);
    }

    void trailingSlash_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("ends in slash") << u"/data/"_s << u"/data/"_s;
        QTest::newRow("ends in colon") << u"C:"_s << u"C:"_s;
        QTest::newRow("drive letter") << u"D"_s << u"D:/"_s;
        QTest::newRow("plain") << u"/data/firm"_s << u"/data/firm/"_s;
    }
    void trailingSlash()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(AddTrailingSlash(path), expected);
    }

    void aliasSetUpOutcomes()
    {
        EngineSession &s = EngineSession::instance();
        s.removeAlias(u"T1"_s);
        s.setConfigMode(1);
        s.setCurrentDataPath(u"/srv/data"_s);
        QCOMPARE(s.setUpAlias(u"T1"_s), EngineSession::AliasOutcome::Added);
        QCOMPARE(s.aliasPath(u"T1"_s), u"/srv/data/"_s);
        QCOMPARE(s.alias(u"T1"_s).params.value(u"DEFAULT DRIVER"_s), u"PARADOX"_s);
        // A new alias carries no BCD setting, so the next set-up rewrites all three.
        QCOMPARE(s.setUpAlias(u"T1"_s), EngineSession::AliasOutcome::Modified);
        QCOMPARE(s.alias(u"T1"_s).params.value(u"ENABLE BCD"_s), u"FALSE"_s);
        QCOMPARE(s.setUpAlias(u"T1"_s), EngineSession::AliasOutcome::Unchanged);

        s.setCurrentDataPath(u"/srv/other"_s);
        QCOMPARE(s.setUpAlias(u"T1"_s), EngineSession::AliasOutcome::Modified);
        QCOMPARE(s.aliasPath(u"T1"_s), u"/srv/other/"_s);

        AliasDef edited = s.alias(u"T1"_s);
        edited.params[u"DEFAULT DRIVER"_s] = u"paradox"_s;  // comparisons are case-sensitive
        s.defineAlias(u"T1"_s, edited);
        QCOMPARE(s.setUpAlias(u"T1"_s), EngineSession::AliasOutcome::Modified);
        QCOMPARE(s.configMode(), 1);
    }

    void aliasOnAnotherDriverStopsWithTheClashMessage()
    {
        EngineSession &s = EngineSession::instance();
        s.defineAlias(u"T2"_s, {u"INTRBASE"_s, {}});
        s.setConfigMode(2);
        QString error;
        try {
            s.setUpAlias(u"T2"_s);
        } catch (const MyException &e) {
            error = e.message();
        }
        QCOMPARE(error, AliasClashMessage);
        QCOMPARE(s.configMode(), 2);  // restored also on failure
        s.removeAlias(u"T2"_s);
    }

    void engineLocation_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("installedVersion");
        QTest::addColumn<bool>("privateEngine");
        QTest::addColumn<QStringList>("shown");
        const QString prog = u"orvalis"_s;
        QTest::newRow("recent installed") << QStringList{prog} << 340 << false << QStringList();
        QTest::newRow("/USBDE forces private") << QStringList{prog, u"/USBDE"_s} << 340 << true << QStringList();
        QTest::newRow("any letter case") << QStringList{prog, u"/usbDe"_s} << 340 << true << QStringList();
        QTest::newRow("only as first argument")
            << QStringList{prog, u"--x"_s, u"/USBDE"_s} << 340 << false << QStringList();
        QTest::newRow("old installed") << QStringList{prog} << 300 << true << QStringList{u"Version is:300"_s};
        QTest::newRow("none installed") << QStringList{prog} << 0 << true << QStringList();
    }
    void engineLocation()
    {
        QFETCH(QStringList, args);
        QFETCH(int, installedVersion);
        QFETCH(bool, privateEngine);
        QFETCH(QStringList, shown);
        QTemporaryDir programDir;
        QVERIFY(QDir().mkpath(programDir.path() + u"/SYSTEM/DLL"_s));
        const QString before = QDir::currentPath();
        MessageRecorder recorder;
        ScopedMessageSink sink(&recorder);
        InstalledEngine installed;
        installed.present = installedVersion > 0;
        installed.version = installedVersion;
        installed.resource = u"SQLite 3.40.1"_s;
        EngineSession::instance().locate(args, programDir.path(), installed);
        const EngineInfo &info = EngineSession::instance().info();
        QCOMPARE(info.origin == u" SQLite инсталирано от програмата"_s, privateEngine);
        if (privateEngine)
            QCOMPARE(info.libraryDir, programDir.path() + u"/SYSTEM/DLL/"_s);
        QCOMPARE(recorder.shown, shown);
        QDir::setCurrent(before);
    }

    void privateEngineDirectoryMissingStopsStartUp()
    {
        QTemporaryDir programDir;
        QString error;
        try {
            EngineSession::instance().locate({u"orvalis"_s, u"/USBDE"_s}, programDir.path(), InstalledEngine{});
        } catch (const MyException &e) {
            error = e.message();
        }
        QCOMPARE(error, u"Не мога да открия системните файлове!\rПът: "_s + programDir.path() + u"/SYSTEM/DLL/"_s);
    }

    void informationTextNamesWhatTheDataLayerUses()
    {
        EngineSession &s = EngineSession::instance();
        QTemporaryDir programDir;
        s.locate({u"orvalis"_s}, programDir.path(), EngineSession::probeInstalled());
        s.setCurrentDataPath(u"/srv/firm"_s);
        const QString text = s.informationText();
        QVERIFY(text.startsWith(u"В момента се използава BDE със следните параметри:\rКонфигурационен фаил: "_s));
        QVERIFY2(text.contains(u"Ресурсен файл: SQLite 3."_s), qPrintable(text));
        QVERIFY(text.contains(u"Данни на тетущо избраната Фирма: /srv/firm/\r\rИзползва се:  SQLite инсталирано в системата\r"_s));
        QVERIFY(EngineVersionNumber(u"3.40.1"_s) >= MinimumEngineVersion);
        QCOMPARE(EngineVersionNumber(u"3.7.17"_s), 307);
    }

    void errorHookText()
    {
        const EngineError engine(u"Грешка при запис."_s, {{10241, u"locked"_s}, {9999, u"engine text"_s}});
        QCOMPARE(ErrorHookText(engine), u"Грешка при запис.10241: Записа се използва(е заключен) от друг потребител!\r"
                                        "engine text\r"_s);
        QCOMPARE(ErrorHookText(MyException(u"GetAccountValue >> sub call fail!"_s)),
                 u"GetAccountValue >> sub call fail!"_s);
        QCOMPARE(TranslatedEngineCode(8708), u"8708: Записа е изтрит от друг потребител!"_s);
        QCOMPARE(TranslatedEngineCode(1), QString());
    }

    void databaseFailuresReadOnceAndInBulgarian_data()
    {
        QTest::addColumn<QString>("native");
        QTest::addColumn<QString>("engineText");
        QTest::addColumn<QString>("shown");
        QTest::newRow("disk full") << u"13"_s << u"database or disk is full"_s
                                   << u"Няма свободно място на диска!\rdatabase or disk is full\r"_s;
        QTest::newRow("read-only") << u"8"_s << u"attempt to write a readonly database"_s
                                   << u"Файлът с данни е само за четене - нямате право на запис!\r"
                                      "attempt to write a readonly database\r"_s;
        QTest::newRow("damaged") << u"11"_s << u"database disk image is malformed"_s
                                 << u"Файлът с данни е повреден или не е база данни на програмата!\r"
                                    "database disk image is malformed\r"_s;
        QTest::newRow("not a database") << u"26"_s << u"file is not a database"_s
                                        << u"Файлът с данни е повреден или не е база данни на програмата!\r"
                                           "file is not a database\r"_s;
        QTest::newRow("busy") << u"5"_s << u"database is locked"_s
                              << u"10241: Записа се използва(е заключен) от друг потребител!\rdatabase is locked\r"_s;
        QTest::newRow("busy, extended code") << u"517"_s << u"database is locked"_s
                                             << u"10241: Записа се използва(е заключен) от друг потребител!\r"
                                                "database is locked\r"_s;
        QTest::newRow("anything else, once") << u"1"_s << u"no such table: x"_s << u"no such table: x"_s;
    }
    void databaseFailuresReadOnceAndInBulgarian()
    {
        QFETCH(QString, native);
        QFETCH(QString, engineText);
        QFETCH(QString, shown);
        const EngineError error = EngineErrorFromSql(QSqlError(u"driver"_s, engineText, QSqlError::StatementError, native));
        QCOMPARE(ErrorHookText(error), shown);
    }

    void questionsAnswerOnlyYesOrNo()
    {
        MessageRecorder recorder;
        ScopedMessageSink sink(&recorder);
        recorder.answers = {6, 1};
        QCOMPARE(Messages::ask(u"Изход от програмата?"_s), Messages::Yes);
        QCOMPARE(Messages::ask(u"Изход от програмата?"_s), Messages::No);  // anything but OK is No
        QCOMPARE(Messages::ask(u"Изход от програмата?"_s), Messages::No);  // script ran out
        QCOMPARE(recorder.asked.size(), 3);
    }
};

QTEST_GUILESS_MAIN(EngineTest)
#include "tst_engine.moc"
