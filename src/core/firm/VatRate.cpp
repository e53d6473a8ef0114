#include "firm/VatRate.h"

#include "engine/Db.h"
#include "engine/Errors.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

double StandardVatRate(Db &db)
{
    QSqlQuery q = db.exec(u"select Vat_Rate from FirmVat"_s);
    return q.next() ? q.value(0).toDouble() : DefaultVatRate;
}

QString VatRateProblem(double rate)
{
    return rate > 0 && rate < 100 ? QString() : u"Ставката на ДДС трябва да бъде над 0 и под 100 %!"_s;
}

void SetStandardVatRate(Db &db, double rate)
{
    if (const QString problem = VatRateProblem(rate); !problem.isEmpty())
        throw MyException(problem);
    Transaction t(db);
    db.exec(u"delete from FirmVat"_s);
    db.exec(u"insert into FirmVat (Vat_Rate) values (?)"_s, {rate});
    t.commit();
}
