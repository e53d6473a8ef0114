// Times the reports of a large firm: to the first page and to the last, against S (see
// PlainScan.h); and the peak memory of a long report at page 50 and at its last page, in a
// process of its own that does nothing else.
//   report_bench --data-dir DIR --firm ID                        all measurements, each in its own process
//   report_bench --data-dir DIR --firm ID --one KIND FROM TO     one report, timed
//   report_bench --data-dir DIR --firm ID --memory KIND FROM TO  one report, its memory
// KIND: trial, ledger, chrono (the chronological ledger), extract-date and extract-levels (the
// account extract of the busiest analytic account).
#include "PlainScan.h"

#include "engine/Db.h"
#include "engine/Formats.h"
#include "firm/AccountTotals.h"
#include "firm/TDM.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"
#include "reportkit/PageStore.h"
#include "reports/AccountExtract.h"
#include "reports/ChronologicalLedger.h"
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

// The analytic account with the most postings.
int BusiestAnalyticAccount(Db &db)
{
    return db.scalar(u"SELECT An_S_No FROM an INNER JOIN s ON s.S_UNo = an.An_S_No WHERE s.S_An_Sint_Type = 2 "
                     "GROUP BY An_S_No ORDER BY count(*) DESC LIMIT 1"_s)
        .toInt();
}

std::unique_ptr<rk::ReportJob> MakeJob(Db &db, const QString &kind, const QDate &from, const QDate &to)
{
    const QString firm = u"Синтетична"_s;
    if (kind == u"trial"_s)
        return std::make_unique<TrialBalanceJob>(db, TrialBalanceOptions{from, to, firm, 0, true, true});
    if (kind == u"ledger"_s)
        return std::make_unique<GeneralLedgerJob>(db, GeneralLedgerOptions{from, to, firm});
    if (kind == u"chrono"_s) {
        ChronologicalOptions o;
        o.selection.from = from;
        o.selection.to = to;
        o.firmName = firm;
        return std::make_unique<ChronologicalLedgerJob>(db, o);
    }
    AccountExtractOptions o;
    o.from = from;
    o.to = to;
    o.firmName = firm;
    o.account = BusiestAnalyticAccount(db);
    o.grouping = kind == u"extract-levels"_s ? AccountGrouping::Levels : AccountGrouping::Date;
    o.openings = o.closings = {true, true, true, true, true};
    return std::make_unique<AccountExtractJob>(db, o);
}

QString Label(const QString &kind, const QDate &from, const QDate &to)
{
    return kind + u' ' + Formats::Date(from) + u'-' + Formats::Date(to);
}

int Timed(Db &db, const QString &kind, const QDate &from, const QDate &to)
{
    QTextStream out(stdout);
    const double s = MeasurePlainScan(db).seconds;
    {
        // Once untimed, so that the indexes the report reads are in memory as the scanned table is.
        auto warm = MakeJob(db, kind, from, to);
        rk::PageStore discard;
        rk::RunReport(*warm, discard);
    }
    QElapsedTimer t;
    t.start();
    std::unique_ptr<rk::ReportJob> job = MakeJob(db, kind, from, to);
    rk::PageStore pages;
    rk::ReportRun run(*job, pages);
    double first = -1;
    while (!run.runSlice(5))
        if (first < 0 && pages.count() > 0)
            first = Seconds(t);
    const double last = Seconds(t);
    if (first < 0)
        first = last;
    out << Label(kind, from, to) << ": pages " << pages.count() << ", S " << s << " s, first page " << first
        << " s (" << first / s << " x S), last page " << last << " s (" << last / s << " x S)" << Qt::endl;
    return 0;
}

int Memory(Db &db, const QString &kind, const QDate &from, const QDate &to)
{
    std::unique_ptr<rk::ReportJob> job = MakeJob(db, kind, from, to);
    rk::PageStore pages;
    rk::ReportRun run(*job, pages);
    qint64 atFifty = 0;
    while (!run.runSlice(5))
        if (atFifty == 0 && pages.count() >= 50)
            atFifty = PeakKb();
    const qint64 atLast = PeakKb();
    QTextStream(stdout) << Label(kind, from, to) << ": pages " << pages.count() << ", peak memory at page 50 "
                        << atFifty / 1024 << " MiB, at the last page " << atLast / 1024 << " MiB ("
                        << double(atLast) / std::max<qint64>(1, atFifty) << " x)" << Qt::endl;
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
    TDM dm;
    if (!OpenFirm(fd, dm, *fd.Firm(firmId)).opened)
        return 2;
    for (const QString &mode : {u"--one"_s, u"--memory"_s}) {
        const int at = int(args.indexOf(mode));
        if (at > 0 && at + 3 < args.size()) {
            const QDate from = Formats::ParseDate(args[at + 2]), to = Formats::ParseDate(args[at + 3]);
            return mode == u"--one"_s ? Timed(dm.db(), args[at + 1], from, to) : Memory(dm.db(), args[at + 1], from, to);
        }
    }

    const ReportingPeriod p = ReadPeriod(dm.db());
    dm.Close();
    const QString y = QString::number(p.Date_Ot.year());
    const QString yearStart = u"01.01."_s + y, yearEnd = u"31.12."_s + y;
    const QList<QStringList> runs = {
        {u"--one"_s, u"trial"_s, yearStart, yearEnd},
        {u"--one"_s, u"trial"_s, u"01.07."_s + y, yearEnd},
        {u"--one"_s, u"ledger"_s, yearStart, yearEnd},
        {u"--one"_s, u"ledger"_s, yearStart, yearStart},
        {u"--one"_s, u"chrono"_s, yearStart, yearEnd},
        {u"--one"_s, u"extract-date"_s, yearStart, yearEnd},
        {u"--one"_s, u"extract-levels"_s, yearStart, yearEnd},
        {u"--memory"_s, u"ledger"_s, yearStart, yearEnd},
        {u"--memory"_s, u"chrono"_s, yearStart, yearEnd},
    };
    for (const QStringList &r : runs) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {u"--data-dir"_s, dataDir, u"--firm"_s, QString::number(firmId), r[0], r[1], r[2], r[3]});
        child.waitForFinished(-1);
    }
    return 0;
}
