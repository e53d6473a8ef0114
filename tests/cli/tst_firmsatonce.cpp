// Copies of orvalis-cli making firms in one system data directory at the same time, and a demo
// killed half-way: every firm that is registered is whole, no two share a number or a directory,
// and none of them removes what another made.
#include "demo/DemoFirm.h"
#include "firm/Schema.h"
#include "firm/TDM.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Copy {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    void start(const QStringList &args) { process->start(qEnvironmentVariable("ORVALIS_CLI"), args); }
    bool finish() { return process->waitForFinished(60000) && process->exitCode() == 0; }
    QString out() const { return QString::fromUtf8(process->readAllStandardOutput()).trimmed(); }
};

// Starts one copy per argument list at once and waits for all of them.
QList<std::shared_ptr<Copy>> RunAtOnce(const QList<QStringList> &lines)
{
    QList<std::shared_ptr<Copy>> copies;
    for (const QStringList &args : lines) {
        copies << std::make_shared<Copy>();
        copies.last()->start(args);
    }
    for (const auto &copy : copies)
        copy->process->waitForFinished(60000);
    return copies;
}

bool FirmFileUnder(const QString &dir)
{
    QDirIterator it(dir, {Schema::FirmFileName}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    return it.hasNext();
}

}  // namespace

class FirmsAtOnceTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(qEnvironmentVariable("ORVALIS_CLI")).isExecutable(), "ORVALIS_CLI must name orvalis-cli");
    }

    void twoNewFirmsAtOnceGetTheirOwnNumbersAndDirectories()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        for (int round = 0; round < 4; ++round) {
            const auto copies = RunAtOnce({{u"--data-dir"_s, data, u"new-firm"_s, u"--name"_s, u"Първа"_s, u"--year"_s,
                                            u"2026"_s},
                                           {u"--data-dir"_s, data, u"new-firm"_s, u"--name"_s, u"Втора"_s, u"--year"_s,
                                            u"2026"_s}});
            for (const auto &copy : copies)
                QVERIFY2(copy->process->exitCode() == 0, copy->process->readAllStandardError().constData());
            QVERIFY(copies[0]->out() != copies[1]->out());
        }
        TFD fd;
        fd.Open(data);
        const QList<FirmRecord> firms = fd.Firms();
        QCOMPARE(firms.size(), 8);
        QSet<QString> dirs;
        TDM dm;
        for (const FirmRecord &firm : firms) {
            dirs.insert(firm.Firm_DataPath);
            QVERIFY2(OpenFirm(fd, dm, firm).opened, qPrintable(firm.Firm_DataPath));
        }
        QCOMPARE(dirs.size(), 8);
    }

    void twoDemosAtOnceMakeOneDemoFirm()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        const QStringList demo{u"--data-dir"_s, data, u"demo"_s};
        const auto copies = RunAtOnce({demo, demo});
        for (const auto &copy : copies)
            QCOMPARE(copy->process->exitCode(), 0);
        QCOMPARE(copies[0]->out(), copies[1]->out());
        TFD fd;
        fd.Open(data);
        QCOMPARE(fd.Firms().size(), 1);
        TDM dm;
        QVERIFY(OpenFirm(fd, dm, fd.Firms().first()).opened);
        QCOMPARE(dm.RecordCount(u"nom_p"_s), 48);  // twelve months of four documents
    }

    void twoInitsAtOnceMakeOneRegistry()
    {
        for (int round = 0; round < 4; ++round) {
            QTemporaryDir dir;
            const QString data = dir.path() + u"/D"_s;
            const QStringList init{u"--data-dir"_s, data, u"init"_s};
            const auto copies = RunAtOnce({init, init});
            for (const auto &copy : copies)
                QVERIFY2(copy->process->exitCode() == 0, copy->process->readAllStandardError().constData());
            TFD fd;
            fd.Open(data);
            QCOMPARE(fd.MissingRegistryMask(), QString());
            QVERIFY(fd.ChSmetki().size() > 100);
        }
    }

    void aKilledDemoLeavesNoHalfMadeFirm()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        Copy killed;
        killed.start({u"--data-dir"_s, data, u"demo"_s});
        for (int i = 0; i < 4000 && !FirmFileUnder(data + u"/FIRMS"_s); ++i)
            QThread::usleep(500);
        QThread::msleep(150);  // into the demo's documents
        killed.process->kill();
        killed.process->waitForFinished(20000);
        {
            TFD fd;
            fd.Open(data);
            const int demo = RegisteredDemoFirm(fd);
            if (demo) {  // it finished before the kill: then it is whole
                TDM dm;
                QVERIFY(OpenFirm(fd, dm, *fd.Firm(demo)).opened);
                QCOMPARE(dm.RecordCount(u"nom_p"_s), 48);
            }
        }
        Copy again;
        again.start({u"--data-dir"_s, data, u"demo"_s});
        QVERIFY(again.finish());
        TFD fd;
        fd.Open(data);
        QCOMPARE(fd.Firms().size(), 1);
        TDM dm;
        QVERIFY(OpenFirm(fd, dm, *fd.Firm(again.out().toInt())).opened);
        QCOMPARE(dm.RecordCount(u"nom_p"_s), 48);
    }
};

QTEST_GUILESS_MAIN(FirmsAtOnceTest)
#include "tst_firmsatonce.moc"
