// Times the save of an entry group in a large firm against a bare commit: one debit row against
// nine releases of goods lots and a cash row (ten journal lines, twenty postings), saved through
// the same code as the wizard (the document still there, a fresh group number and every release
// checked against the stock inside the write transaction), against one transaction that inserts
// twenty rows into `an`. Both are measured in turns in the same run; p50, p90 and p99 of each.
//   posting_bench --data-dir DIR [--postings N] [--firm ID] [--runs R]
// Without --firm a synthetic firm of N postings (2,000,000 by default) is generated first.
#include "SyntheticFirm.h"

#include "accounts/ChartStore.h"
#include "accounts/OpeningBalances.h"
#include "engine/Formats.h"
#include "firm/AccountTotals.h"
#include "firm/TDM.h"
#include "posting/Documents.h"
#include "posting/EntryGroup.h"
#include "posting/GroupPosting.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTextStream>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int Releases = 9;

double Millis(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e6; }

double Percentile(QList<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const auto index = std::min<qsizetype>(values.size() - 1, qsizetype(p * values.size()));
    return values.at(index);
}

struct Setup {
    NomPRow doc;
    int goods = 0;    // a goods account with a lot level
    int cash = 0;     // a synthetic value account
    int expense = 0;  // another synthetic value account
};

// A document of its own and stock on the lots the group releases, so every release passes.
Setup Prepare(Db &db, const ReportingPeriod &period)
{
    Setup s;
    for (const SRow &a : ChartStore::All(db)) {
        if (a.S_Kol_Val_Type == 2 && a.S_An[0] != 0 && a.S_Act_Pas_Type == 1) {
            s.goods = s.goods ? s.goods : a.S_UNo;
        } else if (a.S_An[0] == 0 && a.S_Kol_Val_Type == 1) {
            if (!s.cash)
                s.cash = a.S_UNo;
            else if (!s.expense)
                s.expense = a.S_UNo;
        }
    }
    if (!s.goods || !s.cash || !s.expense)
        qFatal("the firm lacks a goods account or two value accounts");
    Transaction tx(db);
    for (int lot = 1; lot <= Releases; ++lot) {
        db.exec(u"delete from Sns where Sn_UNo = ? and Sn_An1 = ? and Sn_An2 = 0 and Sn_An3 = 0 and Sn_An4 = 0 "
                "and Sn_An5 = 0"_s,
                {s.goods, lot});
        OpeningBalances::Insert(db, {s.goods, {lot, 0, 0, 0, 0}, 1000000, 1000000, 0, 0});
    }
    tx.commit();
    s.doc = Documents::NewDocument(db, 1, period, period.Date_Do);
    // Above the journal lines of the synthetic books, which have no document rows.
    s.doc.Nom_Doc_No = db.scalar(u"select coalesce(max(Doc_No), 0) + 1 from doc"_s).toInt();
    s.doc.Nom_DDoc_No = 999999;
    s.doc.Nom_Doc_Osno = u"posting_bench"_s;
    Documents::Save(db, s.doc, true);
    return s;
}

EntryGroup TenLineGroup(Db &db, const Setup &s, const QDate &date, int &nextId)
{
    EntryGroup g;
    g.docNo = s.doc.Nom_Doc_No;
    g.group = Documents::NextGroup(db, s.doc.Nom_Doc_No);
    g.numberDrawn = true;
    g.header.postingDate = date;
    auto row = [&](Grid grid, int account, LotKey lots, double st, double kol) {
        g.rows(grid).append(WorkLine{g.docNo, g.group, ++nextId, account, lots, {}, 0, kol, st});
    };
    row(Grid::BaseDt, s.expense, {}, Releases * 1.0 + 5.0, 0);
    for (int lot = 1; lot <= Releases; ++lot)
        row(Grid::BaseKt, s.goods, {lot, 0, 0, 0, 0}, 1.0, 1);
    row(Grid::BaseKt, s.cash, {}, 5.0, 0);
    return g;
}

void BareCommit(Db &db, int docNo, const QDate &date)
{
    Transaction tx(db);
    for (int i = 0; i < 20; ++i)
        db.exec(u"insert into an (An_Doc_No, An_StNo, An_ID, An_Pap_No, An_S_No, An_Date, An_S_Cr_No, An_Stat_Grp, "
                "An_S_Dt_St) values (?, ?, ?, 1, 0, ?, 0, 0, 1)"_s,
                {docNo, -1 - i, i % 2 + 1, Formats::SqlDate(date)});
    tx.commit();
}

void Report(QTextStream &out, const QString &name, const QList<double> &times)
{
    out << name << ": p50 " << Percentile(times, 0.50) << " ms, p90 " << Percentile(times, 0.90) << " ms, p99 "
        << Percentile(times, 0.99) << " ms" << Qt::endl;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QString dataDir = u"/tmp/orvalis-bench"_s;
    SyntheticFirmSpec spec;
    spec.postings = 2000000;
    int firmId = 0, runs = 200;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--data-dir"_s)
            dataDir = args[i + 1];
        else if (args[i] == u"--postings"_s)
            spec.postings = args[i + 1].toLongLong();
        else if (args[i] == u"--firm"_s)
            firmId = args[i + 1].toInt();
        else if (args[i] == u"--runs"_s)
            runs = std::max(10, args[i + 1].toInt());
    }
    try {
        TFD fd;
        fd.Open(dataDir);
        if (firmId == 0) {
            firmId = GenerateSyntheticFirm(fd, spec);
            out << "generated firm " << firmId << " with " << spec.postings << " postings" << Qt::endl;
        }
        TDM dm;
        const FirmOpenResult opened = OpenFirm(fd, dm, *fd.Firm(firmId));
        if (!opened.opened)
            qFatal("%s", qPrintable(opened.message));
        Db &db = dm.db();
        const ReportingPeriod period = ReadPeriod(db);
        const qint64 postings = db.scalar(u"select count(*) from an"_s).toLongLong();
        const Setup s = Prepare(db, period);
        const QDate date = period.Date_Do;
        int nextId = 1 << 24;

        QList<double> save, bare;
        for (int run = 0; run < runs + 5; ++run) {
            EntryGroup g = TenLineGroup(db, s, date, nextId);
            NomPRow doc = s.doc;
            QElapsedTimer t;
            t.start();
            GroupPosting::Save(db, g, doc);
            const double saved = Millis(t);
            t.restart();
            BareCommit(db, s.doc.Nom_Doc_No, date);
            const double committed = Millis(t);
            if (run >= 5) {  // the first runs warm the cache
                save << saved;
                bare << committed;
            }
        }
        out << "postings in the firm: " << postings << ", runs: " << runs << Qt::endl;
        Report(out, u"save of a ten-line group (20 postings, 9 stock checks)"_s, save);
        Report(out, u"bare transaction of 20 rows into an"_s, bare);
        out << "ratio p90: " << Percentile(save, 0.90) / Percentile(bare, 0.90) << " x, p99: "
            << Percentile(save, 0.99) / Percentile(bare, 0.99) << " x" << Qt::endl;

        // The firm is left as it was, for the next run.
        Transaction tx(db);
        db.exec(u"delete from an where An_Doc_No = ?"_s, {s.doc.Nom_Doc_No});
        db.exec(u"delete from doc where Doc_No = ?"_s, {s.doc.Nom_Doc_No});
        db.exec(u"delete from SDt where SDt_Doc = ?"_s, {s.doc.Nom_Doc_No});
        db.exec(u"delete from SKt where SKt_Doc = ?"_s, {s.doc.Nom_Doc_No});
        db.exec(u"delete from nom_p where Nom_Doc_No = ?"_s, {s.doc.Nom_Doc_No});
        tx.commit();
    } catch (const std::exception &e) {
        qFatal("%s", e.what());
    }
    return 0;
}
