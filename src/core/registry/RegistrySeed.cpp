#include "registry/RegistrySeed.h"

#include <array>

namespace RegistrySeed {

namespace {

// Active/passive kind of an account.
constexpr int kAct = 1;     // active (debit balance)
constexpr int kPas = 2;     // passive (credit balance)
constexpr int kActPas = 3;  // active/passive (either side)

// What the account is kept in besides value.
constexpr int kValue = 1;
constexpr int kQty = 2;
constexpr int kCurrency = 3;

// The national chart of accounts offered to a new firm, in ascending numeric order:
// the three-digit synthetic accounts of classes 1 to 7 first, then the common
// four-digit analytical accounts. Expense accounts (class 6) are active and revenue
// accounts (class 7) passive; settlements that can carry either side are active/passive.
// The ticked accounts are the ones a small trading firm normally works with.
constexpr std::array kChart{
    // Class 1 - capital and loans
    ChartAccount{101, kPas, kValue, true, "Основен капитал, изискващ регистрация"},
    ChartAccount{102, kPas, kValue, false, "Основен капитал, неизискващ регистрация"},
    ChartAccount{103, kPas, kValue, false, "Ликвидационен капитал при несъстоятелност и ликвидация"},
    ChartAccount{104, kPas, kValue, false, "Капитал на предприятия с нестопанска цел"},
    ChartAccount{105, kPas, kValue, false, "Премии, свързани с капитал"},
    ChartAccount{106, kAct, kValue, false, "Отбиви (сконто), свързани с капитал"},
    ChartAccount{111, kPas, kValue, false, "Общи резерви"},
    ChartAccount{112, kPas, kValue, false, "Резерви от последваща оценка на дълготрайни активи"},
    ChartAccount{113, kPas, kValue, false, "Резерви от последваща оценка на краткотрайни активи"},
    ChartAccount{114, kPas, kValue, false, "Резерви от последваща оценка на финансови инструменти"},
    ChartAccount{115, kPas, kValue, false, "Резерви от емисия на акции"},
    ChartAccount{116, kPas, kValue, false, "Резерв, свързан с изкупени собствени акции"},
    ChartAccount{117, kPas, kValue, true, "Резерви съгласно учредителен акт"},
    ChartAccount{119, kPas, kValue, false, "Други резерви"},
    ChartAccount{121, kAct, kValue, true, "Непокрита загуба от минали години"},
    ChartAccount{122, kPas, kValue, true, "Неразпределена печалба от минали години"},
    ChartAccount{123, kActPas, kValue, true, "Печалби и загуби от текущата година"},
    ChartAccount{124, kActPas, kValue, false, "Резултат при несъстоятелност и ликвидация"},
    ChartAccount{125, kActPas, kValue, false, "Резултат от дейността на предприятия с нестопанска цел"},
    ChartAccount{151, kPas, kValue, true, "Получени краткосрочни заеми"},
    ChartAccount{152, kPas, kValue, false, "Получени дългосрочни заеми"},
    ChartAccount{153, kPas, kValue, false, "Дългови инструменти"},
    ChartAccount{159, kPas, kValue, true, "Други заеми и дългове"},

    // Class 2 - long-term assets
    ChartAccount{201, kAct, kValue, true, "Земи (терени)"},
    ChartAccount{202, kAct, kValue, true, "Подобрения върху земи"},
    ChartAccount{203, kAct, kValue, true, "Сгради и конструкции"},
    ChartAccount{204, kAct, kValue, true, "Машини, производствено оборудване и апаратура"},
    ChartAccount{205, kAct, kValue, true, "Съоръжения"},
    ChartAccount{206, kAct, kValue, true, "Транспортни средства"},
    ChartAccount{207, kAct, kValue, true, "Офис обзавеждане"},
    ChartAccount{208, kAct, kValue, false, "Стопански инвентар"},
    ChartAccount{209, kAct, kValue, false, "Други дълготрайни материални активи"},
    ChartAccount{211, kAct, kValue, false, "Продукти от развойна дейност"},
    ChartAccount{212, kAct, kValue, false, "Права върху индустриална собственост"},
    ChartAccount{213, kAct, kValue, true, "Програмни продукти"},
    ChartAccount{214, kAct, kValue, false, "Права върху интелектуална собственост"},
    ChartAccount{219, kAct, kValue, false, "Други дълготрайни нематериални активи"},
    ChartAccount{221, kAct, kValue, false, "Инвестиции в дъщерни предприятия"},
    ChartAccount{222, kAct, kValue, false, "Инвестиции в асоциирани предприятия"},
    ChartAccount{223, kAct, kValue, false, "Инвестиции в смесени предприятия"},
    ChartAccount{224, kAct, kValue, false, "Инвестиционни имоти"},
    ChartAccount{225, kAct, kValue, false, "Финансови активи, държани до настъпване на падеж"},
    ChartAccount{226, kAct, kValue, false, "Финансови активи, обявени за продажба"},
    ChartAccount{228, kAct, kValue, false, "Държавни ценни книжа"},
    ChartAccount{229, kAct, kValue, false, "Други дългосрочни финансови активи"},
    ChartAccount{231, kAct, kValue, false, "Положителна търговска репутация"},
    ChartAccount{232, kPas, kValue, false, "Отрицателна търговска репутация"},
    ChartAccount{241, kPas, kValue, true, "Амортизация на дълготрайни материални активи"},
    ChartAccount{242, kPas, kValue, true, "Амортизация на дълготрайни нематериални активи"},
    ChartAccount{243, kPas, kValue, false, "Амортизация на търговската репутация"},
    ChartAccount{244, kPas, kValue, false, "Амортизация на инвестиционни имоти"},
    ChartAccount{245, kPas, kValue, false, "Амортизация на дълготрайни биологични активи"},
    ChartAccount{272, kAct, kValue, false, "Трайни насаждения"},
    ChartAccount{274, kAct, kValue, false, "Животни в основни стада"},
    ChartAccount{279, kAct, kValue, false, "Други дълготрайни биологични активи"},

    // Class 3 - inventories
    ChartAccount{301, kAct, kQty, true, "Доставки"},
    ChartAccount{302, kAct, kQty, true, "Материали"},
    ChartAccount{303, kAct, kQty, true, "Продукция"},
    ChartAccount{304, kAct, kQty, true, "Стоки"},
    ChartAccount{305, kAct, kQty, false, "Незавършено производство"},
    ChartAccount{311, kAct, kQty, false, "Дребни продуктивни животни"},
    ChartAccount{312, kAct, kQty, false, "Птици - основни стада"},
    ChartAccount{313, kAct, kQty, false, "Пчелни семейства"},
    ChartAccount{314, kAct, kQty, false, "Млади животни"},
    ChartAccount{315, kAct, kQty, false, "Животни за угояване"},
    ChartAccount{319, kAct, kQty, false, "Други краткотрайни биологични активи"},

    // Class 4 - settlements
    ChartAccount{401, kPas, kValue, true, "Доставчици"},
    ChartAccount{402, kAct, kValue, true, "Доставчици по аванси"},
    ChartAccount{403, kPas, kValue, false, "Доставчици по търговски кредити"},
    ChartAccount{404, kPas, kValue, false, "Доставчици по доставки при определени условия"},
    ChartAccount{405, kPas, kValue, false, "Доставчици по доставки със свързани лица"},
    ChartAccount{406, kActPas, kValue, false, "Разчети със свързани лица по покупки"},
    ChartAccount{409, kActPas, kValue, false, "Други разчети с доставчици"},
    ChartAccount{411, kAct, kValue, true, "Клиенти"},
    ChartAccount{412, kPas, kValue, true, "Клиенти по аванси"},
    ChartAccount{413, kAct, kValue, false, "Клиенти по търговски кредити"},
    ChartAccount{414, kAct, kValue, false, "Клиенти по продажби при определени условия"},
    ChartAccount{415, kAct, kValue, false, "Клиенти по продажби със свързани лица"},
    ChartAccount{416, kActPas, kValue, false, "Разчети със свързани лица по продажби"},
    ChartAccount{419, kActPas, kValue, false, "Други разчети с клиенти"},
    ChartAccount{421, kPas, kValue, true, "Персонал"},
    ChartAccount{422, kActPas, kValue, true, "Подотчетни лица"},
    ChartAccount{423, kPas, kValue, false, "Задължения по неизползвани отпуски"},
    ChartAccount{424, kAct, kValue, false, "Вземания от съучастия"},
    ChartAccount{425, kPas, kValue, false, "Задължения за съучастия"},
    ChartAccount{426, kAct, kValue, false, "Вземания по записани дялови вноски"},
    ChartAccount{429, kActPas, kValue, false, "Други разчети с персонала и съдружниците"},
    ChartAccount{431, kActPas, kValue, false, "Разчети по междубанкови операции"},
    ChartAccount{432, kActPas, kValue, false, "Вътрешни разчети по междубанкови операции"},
    ChartAccount{433, kActPas, kValue, false, "Вътрешни разчети по вътрешнобанкови операции"},
    ChartAccount{439, kActPas, kValue, false, "Други вътрешни разчети"},
    ChartAccount{441, kAct, kValue, false, "Вземания по рекламации"},
    ChartAccount{442, kAct, kValue, false, "Вземания по липси и начети"},
    ChartAccount{443, kPas, kValue, false, "Ценови разлики по липси и начети"},
    ChartAccount{444, kAct, kValue, false, "Вземания по съдебни спорове"},
    ChartAccount{445, kAct, kValue, false, "Присъдени вземания"},
    ChartAccount{451, kActPas, kValue, false, "Разчети с общините"},
    ChartAccount{452, kActPas, kValue, true, "Разчети за данък върху печалбата"},
    ChartAccount{453, kActPas, kValue, true, "Разчети за данък върху добавената стойност"},
    ChartAccount{454, kActPas, kValue, true, "Разчети за данъци върху доходите на физически лица"},
    ChartAccount{455, kActPas, kValue, true, "Разчети с министерства и ведомства"},
    ChartAccount{456, kActPas, kValue, false, "Разчети за акцизи"},
    ChartAccount{457, kActPas, kValue, false, "Разчети с митници"},
    ChartAccount{459, kActPas, kValue, true, "Други разчети с бюджета"},
    ChartAccount{461, kActPas, kValue, true, "Разчети с Националния осигурителен институт"},
    ChartAccount{462, kActPas, kValue, false, "Разчети за доброволно социално осигуряване"},
    ChartAccount{463, kActPas, kValue, true, "Разчети за здравно осигуряване"},
    ChartAccount{469, kActPas, kValue, false, "Други разчети с осигурители"},
    ChartAccount{471, kActPas, kValue, false, "Разчети с Международния валутен фонд"},
    ChartAccount{472, kActPas, kValue, false, "Разчети със Световната банка"},
    ChartAccount{473, kActPas, kValue, false, "Разчети с други международни финансови институции"},
    ChartAccount{481, kActPas, kValue, false, "Разчети по предстоящи плащания"},
    ChartAccount{482, kActPas, kValue, false, "Разчети при презастраховане и съзастраховане"},
    ChartAccount{483, kActPas, kValue, false, "Разчети с презастрахователи"},
    ChartAccount{484, kActPas, kValue, false, "Разчети със седанти"},
    ChartAccount{491, kActPas, kValue, false, "Доверители"},
    ChartAccount{492, kActPas, kValue, false, "Разчети по гаранции"},
    ChartAccount{493, kActPas, kValue, true, "Разчети със собствениците"},
    ChartAccount{494, kActPas, kValue, false, "Разчети по застраховане"},
    ChartAccount{495, kActPas, kValue, false, "Разчети по лихви"},
    ChartAccount{496, kActPas, kValue, false, "Разчети по отсрочени данъци"},
    ChartAccount{497, kPas, kValue, false, "Провизии, признати като пасиви"},
    ChartAccount{498, kActPas, kValue, true, "Други дебитори"},
    ChartAccount{499, kActPas, kValue, true, "Други кредитори"},

    // Class 5 - financial assets
    ChartAccount{501, kAct, kValue, true, "Каса в левове"},
    ChartAccount{502, kAct, kCurrency, false, "Каса във валута"},
    ChartAccount{503, kAct, kValue, true, "Разплащателна сметка в левове"},
    ChartAccount{504, kAct, kCurrency, false, "Разплащателна сметка във валута"},
    ChartAccount{505, kAct, kValue, false, "Акредитиви в левове"},
    ChartAccount{506, kAct, kCurrency, false, "Акредитиви във валута"},
    ChartAccount{507, kAct, kValue, false, "Предоставени депозити"},
    ChartAccount{508, kAct, kValue, false, "Разплащателни чекове"},
    ChartAccount{509, kAct, kValue, false, "Други парични средства"},
    ChartAccount{511, kAct, kValue, false, "Финансови активи, държани за търгуване"},
    ChartAccount{512, kAct, kValue, false, "Изкупени собствени акции"},
    ChartAccount{513, kAct, kValue, false, "Финансови активи, заложени като обезпечение"},
    ChartAccount{514, kAct, kValue, false, "Изкупени собствени облигации"},
    ChartAccount{515, kAct, kValue, false, "Държавни ценни книжа"},
    ChartAccount{519, kAct, kValue, false, "Други краткосрочни финансови активи"},

    // Class 6 - expenses
    ChartAccount{601, kAct, kValue, true, "Разходи за материали"},
    ChartAccount{602, kAct, kValue, true, "Разходи за външни услуги"},
    ChartAccount{603, kAct, kValue, true, "Разходи за амортизация"},
    ChartAccount{604, kAct, kValue, true, "Разходи за заплати (възнаграждения)"},
    ChartAccount{605, kAct, kValue, true, "Разходи за осигуровки"},
    ChartAccount{606, kAct, kValue, true, "Разходи за данъци, такси и други подобни плащания"},
    ChartAccount{607, kAct, kValue, false, "Разходи за провизии"},
    ChartAccount{608, kAct, kValue, false, "Разходи от последващи оценки на активи"},
    ChartAccount{609, kAct, kValue, true, "Други разходи"},
    ChartAccount{611, kAct, kValue, false, "Разходи за основна дейност"},
    ChartAccount{612, kAct, kValue, false, "Разходи за спомагателна дейност"},
    ChartAccount{613, kAct, kValue, false, "Разходи за придобиване на дълготрайни активи"},
    ChartAccount{614, kAct, kValue, false, "Административни разходи"},
    ChartAccount{615, kAct, kValue, false, "Разходи за продажби"},
    ChartAccount{621, kAct, kValue, true, "Разходи за лихви"},
    ChartAccount{622, kAct, kValue, false, "Разходи за провизиране на рискови активи"},
    ChartAccount{623, kAct, kValue, false, "Разходи по операции с финансови активи и инструменти"},
    ChartAccount{624, kAct, kValue, true, "Разходи по валутни операции"},
    ChartAccount{625, kAct, kValue, false, "Разходи от последващи оценки на финансови активи"},
    ChartAccount{629, kAct, kValue, true, "Други финансови разходи"},
    ChartAccount{691, kAct, kValue, false, "Извънредни разходи"},

    // Class 7 - revenues
    ChartAccount{701, kPas, kValue, true, "Приходи от продажби на продукция"},
    ChartAccount{702, kPas, kValue, true, "Приходи от продажби на стоки"},
    ChartAccount{703, kPas, kValue, true, "Приходи от продажби на услуги"},
    ChartAccount{704, kPas, kValue, true, "Приходи от финансирания"},
    ChartAccount{705, kPas, kValue, false, "Приходи от продажби на дълготрайни активи"},
    ChartAccount{706, kPas, kValue, false, "Приходи от продажби на материали"},
    ChartAccount{707, kPas, kValue, false, "Приходи при ликвидация и несъстоятелност"},
    ChartAccount{709, kPas, kValue, true, "Други приходи от дейността"},
    ChartAccount{721, kPas, kValue, true, "Приходи от лихви"},
    ChartAccount{722, kPas, kValue, false, "Приходи от участия"},
    ChartAccount{723, kPas, kValue, false, "Приходи от операции с финансови активи и инструменти"},
    ChartAccount{724, kPas, kValue, true, "Приходи от валутни операции"},
    ChartAccount{725, kPas, kValue, false, "Приходи от последващи оценки на финансови активи"},
    ChartAccount{726, kPas, kValue, false, "Приходи от реинтегрирани провизии"},
    ChartAccount{729, kPas, kValue, false, "Други финансови приходи"},
    ChartAccount{791, kPas, kValue, false, "Извънредни приходи"},

    // Common analytical accounts
    ChartAccount{2041, kAct, kValue, false, "Компютърна техника"},
    ChartAccount{2413, kPas, kValue, false, "Амортизация на сгради и конструкции"},
    ChartAccount{2414, kPas, kValue, false, "Амортизация на машини и оборудване"},
    ChartAccount{2415, kPas, kValue, false, "Амортизация на съоръжения"},
    ChartAccount{2416, kPas, kValue, false, "Амортизация на транспортни средства"},
    ChartAccount{2417, kPas, kValue, false, "Амортизация на офис обзавеждане"},
    ChartAccount{2419, kPas, kValue, false, "Амортизация на други дълготрайни материални активи"},
    ChartAccount{2423, kPas, kValue, false, "Амортизация на програмни продукти"},
    ChartAccount{3021, kAct, kQty, false, "Основни материали"},
    ChartAccount{3022, kAct, kQty, false, "Спомагателни материали"},
    ChartAccount{3023, kAct, kQty, false, "Резервни части"},
    ChartAccount{3024, kAct, kQty, false, "Горива и смазочни материали"},
    ChartAccount{3041, kAct, kQty, false, "Стоки на склад"},
    ChartAccount{3042, kAct, kQty, false, "Стоки в магазин"},
    ChartAccount{4531, kActPas, kValue, true, "Начислен ДДС за покупките"},
    ChartAccount{4532, kActPas, kValue, true, "Начислен ДДС за продажбите"},
    ChartAccount{4538, kActPas, kValue, true, "ДДС за възстановяване"},
    ChartAccount{4539, kActPas, kValue, true, "ДДС за внасяне"},
    ChartAccount{6011, kAct, kValue, false, "Разходи за основни материали"},
    ChartAccount{6012, kAct, kValue, false, "Разходи за спомагателни материали"},
    ChartAccount{6013, kAct, kValue, false, "Разходи за резервни части"},
    ChartAccount{6014, kAct, kValue, false, "Разходи за горива и смазочни материали"},
    ChartAccount{6015, kAct, kValue, false, "Разходи за електроенергия"},
    ChartAccount{6016, kAct, kValue, false, "Разходи за вода"},
    ChartAccount{6017, kAct, kValue, false, "Разходи за канцеларски материали"},
    ChartAccount{6019, kAct, kValue, false, "Разходи за други материали"},
    ChartAccount{6021, kAct, kValue, false, "Разходи за наеми"},
    ChartAccount{6022, kAct, kValue, false, "Разходи за пощенски и телекомуникационни услуги"},
    ChartAccount{6023, kAct, kValue, false, "Разходи за транспортни услуги"},
    ChartAccount{6024, kAct, kValue, false, "Разходи за ремонт и поддръжка"},
    ChartAccount{6025, kAct, kValue, false, "Разходи за счетоводни, правни и консултантски услуги"},
    ChartAccount{6026, kAct, kValue, false, "Разходи за застраховки"},
    ChartAccount{6027, kAct, kValue, false, "Разходи за реклама"},
    ChartAccount{6029, kAct, kValue, false, "Разходи за други външни услуги"},
    ChartAccount{6031, kAct, kValue, false, "Разходи за амортизация на дълготрайни материални активи"},
    ChartAccount{6032, kAct, kValue, false, "Разходи за амортизация на нематериални активи"},
    ChartAccount{6041, kAct, kValue, false, "Разходи за заплати по трудови правоотношения"},
    ChartAccount{6042, kAct, kValue, false, "Разходи за възнаграждения по граждански договори"},
    ChartAccount{6043, kAct, kValue, false, "Разходи за платен годишен отпуск"},
    ChartAccount{6044, kAct, kValue, false, "Разходи за болнични за сметка на работодателя"},
    ChartAccount{6045, kAct, kValue, false, "Разходи за възнаграждения по договори за управление"},
    ChartAccount{6051, kAct, kValue, false, "Разходи за социално осигуряване"},
    ChartAccount{6052, kAct, kValue, false, "Разходи за допълнително пенсионно осигуряване"},
    ChartAccount{6053, kAct, kValue, false, "Разходи за здравно осигуряване"},
    ChartAccount{6091, kAct, kValue, false, "Балансова стойност на продадените стоки"},
    ChartAccount{6092, kAct, kValue, false, "Балансова стойност на продадени дълготрайни активи"},
    ChartAccount{6093, kAct, kValue, false, "Разходи за командировки"},
    ChartAccount{6094, kAct, kValue, false, "Представителни разходи"},
    ChartAccount{6095, kAct, kValue, false, "Разходи за дарения"},
    ChartAccount{6096, kAct, kValue, false, "Разходи за глоби и неустойки"},
    ChartAccount{6097, kAct, kValue, false, "Разходи за липси и брак"},
};

// VAT document kinds. Kinds 10 to 19 are documents recorded in the VAT journals
// without a journal entry of their own.
constexpr std::array kVatDocKinds{
    VatDocKind{1, "Протокол по чл. 117"},
    VatDocKind{2, "Дебитно известие"},
    VatDocKind{3, "Кредитно известие"},
    VatDocKind{4, "Фактура"},
    VatDocKind{5, "Отчет за продажбите"},
    VatDocKind{7, "Митническа декларация"},
    VatDocKind{9, "Протокол по чл. 126б"},
    VatDocKind{10, "Документ без счетоводна статия"},
    VatDocKind{11, "Фактура - касова отчетност"},
    VatDocKind{12, "Дебитно известие - касова отчетност"},
    VatDocKind{13, "Кредитно известие - касова отчетност"},
    VatDocKind{19, "Друг документ без счетоводна статия"},
};

// The seven VAT supply kinds: 1 to 3 go to the purchases journal, 4 to 7 to the
// sales journal.
constexpr std::array kSupplyKinds{
    SupplyKind{1, "Покупки без право на данъчен кредит"},
    SupplyKind{2, "Покупки с право на пълен данъчен кредит"},
    SupplyKind{3, "Покупки с право на частичен данъчен кредит"},
    SupplyKind{4, "Облагаеми доставки"},
    SupplyKind{5, "Доставки с нулева ставка (износ, ВОД)"},
    SupplyKind{6, "Освободени доставки"},
    SupplyKind{7, "ДДС в други случаи"},
};

}  // namespace

std::span<const ChartAccount> NationalChart()
{
    return kChart;
}

std::span<const VatDocKind> VatDocKinds()
{
    return kVatDocKinds;
}

std::span<const SupplyKind> SupplyKinds()
{
    return kSupplyKinds;
}

}  // namespace RegistrySeed
