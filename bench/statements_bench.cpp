// Times the balance sheet, the income statement and the cash flow of a large firm whose chart is
// the national one, with the default include rows, against S, one plain scan that sums every
// posting of the firm.
//   statements_bench --data-dir DIR [--postings N] [--firm ID]
// Without --firm a synthetic firm of N postings (2,000,000 by default) is generated first and
// kept for later runs.
#include "PlainScan.h"
#include "SyntheticFirm.h"

#include "firm/TDM.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"
#include "reportkit/PageStore.h"
#include "statements/StatementComputation.h"
#include "statements/StatementReport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {
double Seconds(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e9; }

struct Timing {
    double compute = 0;
    double print = 0;
    double check = 0;  // a figure of the statement, so that the work cannot be skipped
};

Timing Time(TFD &fd, TDM &dm, StatementType type, const QDate &from, const QDate &to)
{
    ComputeStatement(dm.db(), fd.db(), type, from, to);  // untimed: the indexes in memory, as S reads its table
    Timing timing;
    QElapsedTimer t;
    t.start();
    const ComputedStatement s = ComputeStatement(dm.db(), fd.db(), type, from, to);
    timing.compute = Seconds(t);
    t.restart();
    StatementReportJob job(s, u"Синтетична"_s);
    rk::PageStore pages;
    rk::RunReport(job, pages);
    timing.print = Seconds(t);
    const int total = type == StatementType::Balance ? 62 : type == StatementType::Income ? 33 : 54;
    timing.check = s.line(total) ? s.line(total)->figures.thisYear.value_or(0) : 0;
    return timing;
}
}  // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QString dataDir = u"/tmp/orvalis-bench"_s;
    SyntheticFirmSpec spec;
    spec.postings = 2000000;
    spec.nationalChart = true;
    int firmId = 0;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--data-dir"_s)
            dataDir = args[i + 1];
        else if (args[i] == u"--postings"_s)
            spec.postings = args[i + 1].toLongLong();
        else if (args[i] == u"--firm"_s)
            firmId = args[i + 1].toInt();
    }
    try {
        TFD fd;
        fd.Open(dataDir);
        if (firmId == 0) {
            firmId = GenerateSyntheticFirm(fd, spec);
            out << "firm " << firmId << " generated" << Qt::endl;
        }
        TDM dm;
        const FirmOpenResult opened = OpenFirm(fd, dm, *fd.Firm(firmId));
        if (!opened.opened)
            qFatal("%s", qPrintable(opened.message));
        const ReportingPeriod p = ReadPeriod(dm.db());
        const PlainScan scan = MeasurePlainScan(dm.db());
        const double s = scan.seconds;
        out << "postings: " << dm.db().scalar(u"select count(*) from an"_s).toLongLong()
            << ", accounts: " << dm.db().scalar(u"select count(*) from s"_s).toInt() << Qt::endl;
        out << "S (plain scan of every posting): " << s << " s" << Qt::endl;
        const QList<std::pair<StatementType, QString>> statements = {
            {StatementType::Balance, u"balance sheet"_s},
            {StatementType::Income, u"income statement"_s},
            {StatementType::CashFlow, u"cash flow"_s}};
        for (const QDate &from : {p.Date_Ot, QDate(p.Date_Ot.year(), 7, 1)}) {
            out << "period " << from.toString(u"dd.MM.yyyy"_s) << " - " << p.Date_Do.toString(u"dd.MM.yyyy"_s)
                << Qt::endl;
            for (const auto &[type, name] : statements) {
                const int rows = int(ReadIncludeRows(dm.db(), type).size());
                const Timing t = Time(fd, dm, type, from, p.Date_Do);
                out << "  " << name << " (" << rows << " include rows): computed in " << t.compute << " s = "
                    << t.compute / s << " x S, printed in " << t.print << " s (total line "
                    << QString::number(t.check, 'f', 2) << ")" << Qt::endl;
            }
        }
    } catch (const std::exception &e) {
        qFatal("%s", e.what());
    }
    return 0;
}
