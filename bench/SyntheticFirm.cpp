#include "SyntheticFirm.h"

#include "accounts/ChartStore.h"
#include "accounts/FolderStore.h"
#include "accounts/LevelStore.h"
#include "accounts/OpeningBalances.h"
#include "engine/Db.h"
#include "engine/Engine.h"
#include "firm/Schema.h"
#include "posting/Documents.h"
#include "posting/JournalLines.h"
#include "registry/FirmFactory.h"
#include "registry/RegistrySeed.h"
#include "registry/TFD.h"

#include <QDate>
#include <QRandomGenerator>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {
const QStringList FolderNames = {u"Банка"_s, u"Каса"_s, u"Покупки"_s, u"Продажби"_s, u"Мемориални ордери"_s};
constexpr int LinesPerDocument = 4;
constexpr int CounterpartyLevel = 1;
constexpr int GoodsLevel = 2;

struct Account {
    int number;
    int level;  // 0: synthetic
    int lots;
};

QList<Account> MakeChart(Db &db, const SyntheticFirmSpec &spec)
{
    LevelStore::InsertLevel(db, {CounterpartyLevel, u"Контрагенти"_s, NomType::Counterparties});
    LevelStore::InsertLevel(db, {GoodsLevel, u"Стоки"_s, NomType::Goods});
    for (int i = 1; i <= spec.counterparties; ++i)
        LevelStore::InsertKontra(db, {CounterpartyLevel, i, u"Контрагент %1"_s.arg(i), u"%1"_s.arg(1000000000 + i),
                                      {}, {}, {}, {}, {}, {}});
    for (int i = 1; i <= spec.goods; ++i)
        LevelStore::InsertLot(db, {GoodsLevel, i, u"Стока %1"_s.arg(i), u"бр."_s, {}});

    db.exec(u"delete from s"_s);
    const auto national = RegistrySeed::NationalChart();
    const int count = spec.nationalChart ? int(national.size()) : spec.accounts;
    QList<Account> chart;
    for (int i = 0; i < count; ++i) {
        const int number = spec.nationalChart ? national[size_t(i)].S_UNo : 1000 + i * 17;
        const int kind = i % 10;  // every tenth a counterparty account, every tenth a goods account
        const int level = kind == 3 ? CounterpartyLevel : (kind == 7 ? GoodsLevel : 0);
        const int balanceType = spec.nationalChart ? national[size_t(i)].S_Act_Pas_Type : 1 + i % 3;
        const QString name = spec.nationalChart ? QString::fromUtf8(national[size_t(i)].S_Name) : u"Сметка %1"_s.arg(number);
        SRow row{number, {level, 0, 0, 0, 0}, name, balanceType, level == GoodsLevel ? 2 : 1, level ? 2 : 1};
        ChartStore::Insert(db, row);
        chart.append({number, level, level == CounterpartyLevel ? spec.counterparties : (level ? spec.goods : 0)});
    }
    return chart;
}

LotKey RandomKey(QRandomGenerator &rng, const Account &a)
{
    return {a.level ? static_cast<int>(rng.bounded(a.lots)) + 1 : 0, 0, 0, 0, 0};
}
}  // namespace

int GenerateSyntheticFirm(TFD &fd, const SyntheticFirmSpec &spec)
{
    QTextStream err(stderr);
    NewFirmRequest request;
    request.firm.Firm_Name = u"Синтетична %1"_s.arg(spec.postings);
    request.firm.Firm_Period = spec.year;
    const int id = CreateFirm(fd, request);

    Db db(u"synthetic"_s);
    db.open(AddTrailingSlash(fd.Firm(id)->Firm_DataPath) + Schema::FirmFileName, false);
    QRandomGenerator rng(spec.seed);
    QList<Account> chart;
    {
        Transaction tx(db);
        chart = MakeChart(db, spec);
        for (const Account &a : chart)
            OpeningBalances::Insert(db, {a.number, RandomKey(rng, a), 0, 1000.0 + rng.bounded(1000), 0, 0});
        // A row of an account outside the chart (the national chart has no 9999).
        OpeningBalances::Insert(db, {spec.nationalChart ? 9999 : chart.first().number + 1, {}, 0, 0, 0, 0});
        for (int f = 0; f < FolderNames.size(); ++f)
            FolderStore::Insert(db, {f + 1, FolderNames[f]});
        tx.commit();
    }

    // The usual counter-accounts of every account.
    QList<QList<int>> partners(chart.size());
    for (int a = 0; a < chart.size(); ++a)
        for (int p = 0; p < spec.partners; ++p)
            partners[a].append(int(rng.bounded(chart.size())));

    const qint64 lines = spec.postings / 2;
    const QDate first(spec.year, 1, 1);
    const int days = first.daysInYear();
    qint64 written = 0;
    int lineNo = 1;
    while (written < lines) {
        Transaction tx(db);
        for (int i = 0; i < 20000 && written < lines; ++i, ++written) {
            const int dtIndex = int(rng.bounded(chart.size()));
            const Account &dt = chart.at(dtIndex);
            const Account &kt = spec.partners > 0
                                    ? chart.at(partners[dtIndex].at(int(rng.bounded(spec.partners))))
                                    : chart.at(int(rng.bounded(chart.size())));
            JournalLine l;
            l.Doc_No = static_cast<int>(written / LinesPerDocument) + 1;
            l.papNo = l.Doc_No % int(FolderNames.size()) + 1;
            l.Doc_StGrp = 1;
            l.Doc_StNo = lineNo++;
            // Dates grow with the line number, as a year of books is entered.
            l.Doc_Date = first.addDays(static_cast<int>(written * days / lines));
            l.Doc_S_Dt = dt.number;
            l.dtLots = RandomKey(rng, dt);
            l.Doc_S_Kt = kt.number;
            l.ktLots = RandomKey(rng, kt);
            l.Doc_St = rng.bounded(100000) / 100.0;
            l.Doc_S_Dt_Kol = dt.level == GoodsLevel ? rng.bounded(50) + 1 : 0;
            l.Doc_S_Kt_Kol = kt.level == GoodsLevel ? rng.bounded(50) + 1 : 0;
            if (written % LinesPerDocument == 0) {
                NomPRow doc;
                doc.Nom_Doc_No = l.Doc_No;
                doc.Nom_P_No = l.papNo;
                doc.Nom_DDoc_No = l.Doc_No;
                doc.Nom_Doc_Date = l.Doc_Date;
                doc.Nom_Doc_Osno = u"Документ %1"_s.arg(l.Doc_No);
                Documents::Save(db, doc, true);
            }
            JournalLines::Write(db, l);
        }
        tx.commit();
        err << "\r" << written * 2 << " postings" << Qt::flush;
    }
    err << Qt::endl;
    db.exec(u"ANALYZE"_s);
    return id;
}
