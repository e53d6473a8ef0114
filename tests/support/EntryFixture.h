#pragma once
// A firm with goods on stock, a customer and supplier level, and helpers to build entry groups.
#include "accounts/ChartStore.h"
#include "accounts/LevelStore.h"
#include "accounts/OpeningBalances.h"
#include "firm/AccountTotals.h"
#include "posting/Documents.h"
#include "posting/EntryGroup.h"
#include "support/TestFixture.h"

struct EntryFixture {
    TestFixture f;
    ReportingPeriod period;
    NomPRow doc;

    EntryFixture()
    {
        f.openNewFirm(QStringLiteral("Склад ООД"), 2026);
        Db &db = f.dm.db();
        LevelStore::InsertLevel(db, {1, QStringLiteral("Контрагенти"), NomType::Counterparties});
        LevelStore::InsertLevel(db, {2, QStringLiteral("Стоки"), NomType::Goods});
        LevelStore::InsertLevel(db, {3, QStringLiteral("Обекти"), NomType::List});
        LevelStore::InsertKontra(db, {1, 1, QStringLiteral("Доставчик АД"), {}, {}, {}, {}, {}, {}, {}});
        LevelStore::InsertKontra(db, {1, 2, QStringLiteral("Клиент ООД"), {}, {}, {}, {}, {}, {}, {}});
        LevelStore::InsertLot(db, {2, 1, QStringLiteral("Олио"), QStringLiteral("бр."), {}});
        LevelStore::InsertLot(db, {2, 2, QStringLiteral("Захар"), QStringLiteral("кг"), {}});
        LevelStore::InsertLot(db, {3, 1, QStringLiteral("Склад"), {}, {}});
        ChartStore::SetLevels(db, 304, {2, 0, 0, 0, 0});
        ChartStore::SetLevels(db, 401, {1, 0, 0, 0, 0});
        ChartStore::SetLevels(db, 411, {1, 0, 0, 0, 0});
        OpeningBalances::Insert(db, {304, {1, 0, 0, 0, 0}, 10, 100.00, 0, 0});
        OpeningBalances::Insert(db, {304, {2, 0, 0, 0, 0}, 3, 10.00, 0, 0});
        OpeningBalances::Insert(db, {101, {}, 0, 0, 0, 110.00});
        period = ReadPeriod(db);
        doc = Documents::NewDocument(db, 1, period, QDate(2026, 3, 10));
        doc.Nom_DDoc_No = 42;
        Documents::Save(db, doc, true);
    }
    Db &db() { return f.dm.db(); }

    EntryGroup group(bool withVat, int vid = 0)
    {
        EntryGroup g;
        g.docNo = doc.Nom_Doc_No;
        g.group = Documents::NextGroup(db(), doc.Nom_Doc_No);
        g.withVat = withVat;
        g.header.postingDate = QDate(2026, 3, 10);
        g.header.vidDostavka = vid;
        g.header.docType = withVat ? 4 : 0;
        g.header.kontra = withVat ? 1 : 0;
        return g;
    }
    WorkLine row(EntryGroup &g, Grid grid, int account, LotKey lots, double st, double kol = 0)
    {
        WorkLine r = EntryRules::NewRow(f.fd, f.dm, g, grid);
        r.account = account;
        r.lots = lots;
        r.st = st;
        r.kol = kol;
        g.rows(grid).append(r);
        return r;
    }
};
