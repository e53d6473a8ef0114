// Times the totals of every account of a large firm against one plain scan of its postings.
//   totals_bench --data-dir DIR [--postings N] [--partners K] [--firm ID]
// Without --firm a synthetic firm of N postings is generated first (and kept for later runs).
#include "PlainScan.h"
#include "SyntheticFirm.h"

#include "accounts/ChartStore.h"
#include "firm/AccountTotals.h"
#include "firm/TDM.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {
double Seconds(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e9; }

double AllAccounts(Db &db, const QList<SRow> &chart, const ReportingPeriod &p, const QDate &from, double &checksum)
{
    QElapsedTimer t;
    t.start();
    checksum = 0;
    for (const SRow &a : chart) {
        const TAccountValue v = GetAccountValue(db, a.S_UNo, {}, p, from, p.Date_Do);
        if (!v.valid)
            qFatal("%s", qPrintable(v.errorText));
        checksum += v.turnDtSt;
    }
    return Seconds(t);
}

QString Plan(Db &db)
{
    QSqlQuery q = db.exec(u"EXPLAIN QUERY PLAN select sum(An_S_Dt_Kol), sum(An_S_Dt_St), sum(An_S_Kt_Kol), "
                          "sum(An_S_Kt_St) from an where An_S_No = ? and An_Date between ? and ?"_s,
                          {1000, u"2026-01-01"_s, u"2026-12-31"_s});
    QString plan;
    while (q.next())
        plan += q.value(3).toString() + u"; "_s;
    return plan;
}
}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QString dataDir = u"/tmp/orvalis-bench"_s;
    SyntheticFirmSpec spec;
    int firmId = 0;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--data-dir"_s)
            dataDir = args[i + 1];
        else if (args[i] == u"--postings"_s)
            spec.postings = args[i + 1].toLongLong();
        else if (args[i] == u"--firm"_s)
            firmId = args[i + 1].toInt();
        else if (args[i] == u"--partners"_s)
            spec.partners = args[i + 1].toInt();
    }
    try {
        TFD fd;
        fd.Open(dataDir);
        if (firmId == 0) {
            QElapsedTimer t;
            t.start();
            firmId = GenerateSyntheticFirm(fd, spec);
            out << "generated firm " << firmId << " with " << spec.postings << " postings in " << Seconds(t) << " s"
                << Qt::endl;
        }
        TDM dm;
        const FirmOpenResult opened = OpenFirm(fd, dm, *fd.Firm(firmId));
        if (!opened.opened)
            qFatal("%s", qPrintable(opened.message));
        Db &db = dm.db();
        const ReportingPeriod p = ReadPeriod(db);
        const QList<SRow> chart = ChartStore::All(db);
        double yearSum = 0, halfSum = 0;
        const PlainScan scan = MeasurePlainScan(db);
        const double s = scan.seconds, scanSum = scan.debitSum;
        const double year = AllAccounts(db, chart, p, p.Date_Ot, yearSum);
        const double half = AllAccounts(db, chart, p, QDate(p.Date_Ot.year(), 7, 1), halfSum);
        out << "postings: " << db.scalar(u"select count(*) from an"_s).toLongLong() << ", accounts: " << chart.size()
            << Qt::endl;
        out << "S (plain scan of every posting): " << s << " s" << Qt::endl;
        out << "GetAccountValue, all accounts, whole year: " << year << " s = " << year / s << " x S" << Qt::endl;
        out << "GetAccountValue, all accounts, from 1 July: " << half << " s = " << half / s << " x S" << Qt::endl;
        out << "turnover check: " << QString::number(yearSum, 'f', 2) << " = " << QString::number(scanSum, 'f', 2)
            << Qt::endl;
        out << "plan: " << Plan(db) << Qt::endl;
    } catch (const std::exception &e) {
        qFatal("%s", e.what());
    }
    return 0;
}
