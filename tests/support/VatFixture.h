#pragma once
// A firm of 2026 with two counterparties and documents carrying VAT data written straight
// through the documents' data layer, for the VAT journals and the declaration.
#include "accounts/LevelStore.h"
#include "firm/AccountTotals.h"
#include "posting/Documents.h"
#include "support/TestFixture.h"
#include "vat/MonthlyData.h"

struct VatDoc {
    int journal = 2;  // Nom_Dnevnik
    int vid = 4;      // Nom_VidDostavka
    QDate date;       // document date; the VAT date too unless vatDate is set
    double number = 1;
    double base = 0, vat = 0, excise = 0;
    int kontra = 1;
    int docType = 4;
    QDate vatDate = {};
    QString subject = QStringLiteral("Стоки");
};

struct VatFixture {
    TestFixture f;
    int firmId = 0;

    VatFixture()
    {
        firmId = f.openNewFirm(QStringLiteral("ДДС ООД"), 2026);
        FirmRecord firm = *f.fd.Firm(firmId);
        firm.Firm_DN = QStringLiteral("1112223334");
        firm.Firm_Klon = 2;
        firm.Firm_Adres = QStringLiteral("гр. Русе");
        firm.Firm_HedDDS = QStringLiteral("Иван Иванов");
        firm.Firm_HedDDSPr = QStringLiteral("Управител");
        f.fd.UpdateFirm(*f.fd.Firm(firmId), firm);
        Db &db = f.dm.db();
        LevelStore::InsertLevel(db, {1, QStringLiteral("Контрагенти"), NomType::Counterparties});
        LevelStore::InsertKontra(db, {1, 1, QStringLiteral("Доставчик АД"), QStringLiteral("5556667778"), {}, {}, {},
                                      {}, {}, {}});
        LevelStore::InsertKontra(db, {1, 2, QStringLiteral("Клиент ООД"), QStringLiteral("8889990001"), {}, {}, {},
                                      {}, {}, {}});
        MonthlyData::EnsureMonths(db);
    }
    Db &db() { return f.dm.db(); }
    FirmRecord firm() { return *f.fd.Firm(firmId); }

    int add(const VatDoc &v)
    {
        NomPRow d = Documents::NewDocument(db(), 1, ReadPeriod(db()), v.date);
        d.Nom_Doc_Date = v.date;
        d.Nom_DDSDate = v.vatDate.isValid() ? v.vatDate : v.date;
        d.Nom_DDoc_No = v.number;
        d.Nom_WithDDS = 1;
        d.Nom_Dnevnik = v.journal;
        d.Nom_VidDostavka = v.vid;
        d.Nom_DocType = v.docType;
        d.Nom_Kontra = v.kontra;
        d.Nom_DOsnova = v.base;
        d.Nom_DDS = v.vat;
        d.Nom_AccInDOsnova = v.excise;
        d.Nom_Doc_Osno = v.subject;
        Documents::Save(db(), d, true);
        return d.Nom_Doc_No;
    }
    int sale(QDate date, double number, double base, double vat, int vid = 4, int kontra = 2)
    {
        return add({.journal = 2, .vid = vid, .date = date, .number = number, .base = base, .vat = vat, .kontra = kontra});
    }
    int purchase(QDate date, double number, double base, double vat, int vid = 2, int kontra = 1)
    {
        return add({.journal = 1, .vid = vid, .date = date, .number = number, .base = base, .vat = vat, .kontra = kontra});
    }
};
