#include "demo/DemoTemplates.h"

#include "engine/Errors.h"
#include "firm/TDM.h"
#include "posting/OpTemplateStore.h"

using namespace Qt::StringLiterals;

namespace {

// The demo's folders (see DemoFirm).
enum Folder { Bank = 1, Cash = 2, Purchases = 3, Sales = 4 };

struct Element {
    Grid grid;
    int account;  // lots are left for the document: the supplier, the customer, the goods
};

struct DemoTemplate {
    Folder folder;
    QString name;
    QList<Element> elements;
};

QList<DemoTemplate> Templates()
{
    return {
        {Purchases, u"Покупка на стоки с ДДС"_s, {{Grid::BaseDt, 304}, {Grid::VatDt, 4531}, {Grid::BaseKt, 401}}},
        {Purchases, u"Покупка на услуги с ДДС"_s, {{Grid::BaseDt, 602}, {Grid::VatDt, 4531}, {Grid::BaseKt, 401}}},
        {Sales, u"Продажба на стоки с ДДС"_s, {{Grid::BaseDt, 411}, {Grid::BaseKt, 702}, {Grid::VatKt, 4532}}},
        {Sales, u"Себестойност на продадените стоки"_s, {{Grid::BaseDt, 702}, {Grid::BaseKt, 304}}},
        {Cash, u"Получено плащане от клиент в брой"_s, {{Grid::BaseDt, 501}, {Grid::BaseKt, 411}}},
        {Cash, u"Теглене на пари от банката"_s, {{Grid::BaseDt, 501}, {Grid::BaseKt, 503}}},
        {Cash, u"Платени в брой услуги"_s, {{Grid::BaseDt, 602}, {Grid::BaseKt, 501}}},
        {Bank, u"Плащане на доставчик по банка"_s, {{Grid::BaseDt, 401}, {Grid::BaseKt, 503}}},
        {Bank, u"Получено плащане от клиент по банка"_s, {{Grid::BaseDt, 503}, {Grid::BaseKt, 411}}},
    };
}

}  // namespace

void AddDemoTemplates(TFD &fd, TDM &dm)
{
    for (const DemoTemplate &t : Templates()) {
        OpTemplate op = OpTemplateStore::New(fd, dm, t.folder);
        op.name = t.name;
        for (const Element &e : t.elements) {
            OpElement element = OpTemplateStore::NewElement(fd, dm, IsDebit(e.grid));
            element.account = e.account;
            op.rows(e.grid).append(element);
        }
        if (!OpTemplateRules::ValidateForSave(dm.db(), op) || !OpTemplateStore::Save(dm.db(), op))
            throw MyException(u"Демо фирма: невалидна операция "_s + t.name);
    }
}
