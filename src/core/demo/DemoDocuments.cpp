#include "demo/DemoDocuments.h"

#include "engine/Errors.h"
#include "firm/AccountTotals.h"
#include "firm/TDM.h"
#include "posting/Documents.h"
#include "posting/EntryGroup.h"
#include "posting/GroupPosting.h"
#include "posting/Stock.h"
#include "registry/TFD.h"

using namespace Qt::StringLiterals;

namespace {

enum Folder { Bank = 1, Cash = 2, Purchases = 3, Sales = 4 };

struct Goods {
    int lot;
    double bought;     // units a month
    double buyPrice;   // in January; prices rise a little every month
    double sold;
    double sellPrice;
};
const Goods Items[] = {{1, 300, 3.00, 280, 4.50}, {2, 500, 2.00, 450, 2.90}, {3, 400, 0.80, 380, 1.30}};

class DemoBooks {
public:
    DemoBooks(TFD &fd, TDM &dm) : m_fd(fd), m_dm(dm), m_period(ReadPeriod(dm.db())) {}

    NomPRow document(Folder folder, const QDate &date, double printedNo, const QString &note)
    {
        NomPRow d = Documents::NewDocument(m_dm.db(), folder, m_period, date);
        d.Nom_Doc_Date = date;
        d.Nom_DDoc_No = printedNo;
        d.Nom_Doc_Osno = note;
        Documents::Save(m_dm.db(), d, true);
        return d;
    }

    EntryGroup group(const NomPRow &doc, bool withVat, int vid = 0, int kontra = 0)
    {
        EntryGroup g;
        g.docNo = doc.Nom_Doc_No;
        g.group = Documents::NextGroup(m_dm.db(), doc.Nom_Doc_No);
        g.withVat = withVat;
        g.header.postingDate = doc.Nom_Doc_Date;
        g.header.docType = withVat ? 4 : doc.Nom_DocType;
        g.header.vidDostavka = vid;
        g.header.kontra = kontra;
        return g;
    }

    WorkLine &row(EntryGroup &g, Grid grid, int account, int lot, double st, double kol = 0)
    {
        WorkLine r = EntryRules::NewRow(m_fd, m_dm, g, grid);
        r.account = account;
        r.lots = {lot, 0, 0, 0, 0};
        r.name = lot ? EntryRules::KeyName(m_dm.db(), account, r.lots) : QString();
        r.st = st;
        r.kol = kol;
        g.rows(grid).append(r);
        return g.rows(grid).last();
    }

    void save(EntryGroup &g, NomPRow &doc)
    {
        if (!EntryRules::ValidateForSave(m_dm.db(), g, m_period))
            throw MyException(u"Демо фирма: невалидна статия към документ "_s + QString::number(doc.Nom_Doc_No));
        GroupPosting::Save(m_dm.db(), g, doc);
    }

    // Releases the goods sold at average cost: debit 702, credit 304 per lot.
    void releaseGoods(NomPRow &doc, const QList<std::pair<int, double>> &lots)
    {
        EntryGroup g = group(doc, false);
        WorkLine &cost = row(g, Grid::BaseDt, 702, 0, 0);
        double total = 0;
        for (const auto &[lot, kol] : lots) {
            row(g, Grid::BaseKt, 304, lot, 0, kol);
            const int index = int(g.rows(Grid::BaseKt).size()) - 1;
            Stock::CheckAvailability(m_dm.db(), g, Grid::BaseKt, index, m_period);
            const double amount = Stock::AverageCost(m_dm.db(), g, index, m_period).value_or(0);
            g.rows(Grid::BaseKt)[index].st = amount;
            total += amount;
        }
        g.rows(Grid::BaseDt)[0].st = total;
        (void)cost;
        save(g, doc);
    }

    void month(int year, int m)
    {
        const double rise = 1.0 + 0.01 * (m - 1);
        const int supplier = m % 2 ? 1 : 2;
        const int customer = m % 2 ? 3 : 4;

        // Purchase invoice: goods and VAT with full credit against the supplier.
        NomPRow buy = document(Purchases, QDate(year, m, 5), 2000000000.0 + m * 10 + supplier,
                               u"Доставка на стоки"_s);
        EntryGroup purchase = group(buy, true, 2, supplier);
        double net = 0;
        for (const Goods &g : Items) {
            const double amount = qRound64(g.bought * g.buyPrice * rise * 100) / 100.0;
            row(purchase, Grid::BaseDt, 304, g.lot, amount, g.bought);
            net += amount;
        }
        const double vatIn = qRound64(net * 20) / 100.0;
        row(purchase, Grid::VatDt, 4531, 0, vatIn);
        row(purchase, Grid::BaseKt, 401, supplier, net + vatIn);
        save(purchase, buy);

        // Sales invoice: revenue and VAT against the customer, then the goods at average cost.
        NomPRow sell = document(Sales, QDate(year, m, 15), m, u"Продажба на стоки"_s);
        EntryGroup sale = group(sell, true, 4, customer);
        double revenue = 0;
        for (const Goods &g : Items)
            revenue += qRound64(g.sold * g.sellPrice * rise * 100) / 100.0;
        const double vatOut = qRound64(revenue * 20) / 100.0;
        row(sale, Grid::BaseDt, 411, customer, revenue + vatOut);
        row(sale, Grid::BaseKt, 702, 0, revenue);
        row(sale, Grid::VatKt, 4532, 0, vatOut);
        save(sale, sell);
        releaseGoods(sell, {{1, Items[0].sold}, {2, Items[1].sold}, {3, Items[2].sold}});

        // Bank statement: the supplier is paid and the customer pays.
        NomPRow statement = document(Bank, QDate(year, m, 20), 100 + m, u"Банково извлечение"_s);
        EntryGroup paid = group(statement, false);
        row(paid, Grid::BaseDt, 401, supplier, net + vatIn);
        row(paid, Grid::BaseKt, 503, 0, net + vatIn);
        save(paid, statement);
        EntryGroup received = group(statement, false);
        row(received, Grid::BaseDt, 503, 0, revenue + vatOut);
        row(received, Grid::BaseKt, 411, customer, revenue + vatOut);
        save(received, statement);

        // Cash: money drawn from the bank and services paid in cash.
        NomPRow cash = document(Cash, QDate(year, m, 25), 300 + m, u"Касова книга"_s);
        EntryGroup drawn = group(cash, false);
        row(drawn, Grid::BaseDt, 501, 0, 1500.00);
        row(drawn, Grid::BaseKt, 503, 0, 1500.00);
        save(drawn, cash);
        EntryGroup services = group(cash, false);
        row(services, Grid::BaseDt, 602, 0, 620.00 + 10 * m);
        row(services, Grid::BaseKt, 501, 0, 620.00 + 10 * m);
        save(services, cash);
    }

private:
    TFD &m_fd;
    TDM &m_dm;
    ReportingPeriod m_period;
};

}  // namespace

void AddDemoDocuments(TFD &fd, TDM &dm, int year)
{
    DemoBooks books(fd, dm);
    for (int m = 1; m <= 12; ++m)
        books.month(year, m);
}
