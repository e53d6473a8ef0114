// Times the trial balance and the general ledger of a large firm: to the first page and to the
// last, against S, one plain scan that sums every posting; and the peak memory of a report of
// about 50 pages against one of thousands.
//   report_bench --data-dir DIR --firm ID                 all measurements, each in its own process
//   report_bench --data-dir DIR --firm ID --one KIND FROM TO   one report (trial|ledger)
#include "PlainScan.h"

#include "engine/Formats.h"
#include "firm/AccountTotals.h"
#include "firm/TDM.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"
#include "reportkit/PageStore.h"
#include "reports/GeneralLedger.h"
#include "reports/TrialBalance.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QSqlQuery>
#include <QTextStream>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
double Seconds(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e9; }

qint64 PeakKb()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

int One(TFD &fd, int firmId, const QString &kind, const QDate &from, const QDate &to)
{
    TDM dm;
    if (!OpenFirm(fd, dm, *fd.Firm(firmId)).opened)
        return 2;
    QTextStream out(stdout);
    const double s = MeasurePlainScan(dm.db()).seconds;
    QElapsedTimer t;

    auto makeJob = [&]() -> std::unique_ptr<rk::ReportJob> {
        if (kind == u"trial"_s)
            return std::make_unique<TrialBalanceJob>(dm.db(), TrialBalanceOptions{from, to, u"Синтетична"_s, 0, true, true});
        return std::make_unique<GeneralLedgerJob>(dm.db(), GeneralLedgerOptions{from, to, u"Синтетична"_s});
    };
    {
        // Once untimed, so that the indexes the report reads are in memory as the scanned table is.
        auto warm = makeJob();
        rk::PageStore discard;
        rk::RunReport(*warm, discard);
    }
    t.restart();
    std::unique_ptr<rk::ReportJob> job = makeJob();
    rk::PageStore pages;
    rk::ReportRun run(*job, pages);
    double first = -1;
    while (!run.runSlice(20))
        if (first < 0 && pages.count() > 0)
            first = Seconds(t);
    const double last = Seconds(t);
    if (first < 0)
        first = last;
    out << kind << " " << Formats::Date(from) << "-" << Formats::Date(to) << ": pages " << pages.count()
        << ", S " << s << " s, first page " << first << " s (" << first / s << " x S), last page " << last << " s ("
        << last / s << " x S), peak " << PeakKb() / 1024 << " MiB" << Qt::endl;
    return 0;
}
}  // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString dataDir = u"/tmp/orvalis-bench"_s;
    int firmId = 1;
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--data-dir"_s)
            dataDir = args[i + 1];
        else if (args[i] == u"--firm"_s)
            firmId = args[i + 1].toInt();
    }
    TFD fd;
    fd.Open(dataDir);
    const int one = int(args.indexOf(u"--one"_s));
    if (one > 0 && one + 3 < args.size())
        return One(fd, firmId, args[one + 1], Formats::ParseDate(args[one + 2]), Formats::ParseDate(args[one + 3]));

    TDM dm;
    if (!OpenFirm(fd, dm, *fd.Firm(firmId)).opened)
        return 2;
    const ReportingPeriod p = ReadPeriod(dm.db());
    dm.Close();
    const QString y = QString::number(p.Date_Ot.year());
    const QList<QStringList> runs = {
        {u"trial"_s, u"01.01."_s + y, u"31.12."_s + y},
        {u"trial"_s, u"01.07."_s + y, u"31.12."_s + y},
        {u"ledger"_s, u"01.01."_s + y, u"31.12."_s + y},
        {u"ledger"_s, u"01.01."_s + y, u"01.01."_s + y},
    };
    for (const QStringList &r : runs) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(QCoreApplication::applicationFilePath(),
                {u"--data-dir"_s, dataDir, u"--firm"_s, QString::number(firmId), u"--one"_s, r[0], r[1], r[2]});
        p.waitForFinished(-1);
    }
    return 0;
}
