#include "shell/HelpTopics.h"

#include <QMap>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString Start = u"Начало"_s;
const QString Shell = u"Главен прозорец"_s;
const QString Firms = u"Фирми"_s;
const QString Accounts = u"Сметкоплан и аналитичност"_s;
const QString Posting = u"Осчетоводяване"_s;
const QString Reports = u"Справки"_s;
const QString Closing = u"Приключване"_s;

QString PageOnly(const QString &page) { return page.section(u'#', 0, 0); }

}  // namespace

const QList<HelpTopic> &HelpTopics()
{
    static const QList<HelpTopic> topics = {
        {u"index.html"_s, u"Ръководство на потребителя"_s, Start, {}},
        {u"keyboard.html"_s, u"Работа с клавиатурата"_s, Start, {}},
        {u"help.html"_s, u"Работа с помощта"_s, Start, {u"THelpForm"_s}},
        {u"main.html"_s, u"Главен прозорец"_s, Shell, {u"TForm1"_s}},
        {u"messages.html"_s, u"Съобщения и въпроси"_s, Shell, {u"TSMForm"_s}},
        {u"progress.html"_s, u"Изготвяне на отчета"_s, Shell, {u"TProgressForm"_s}},
        {u"about.html"_s, u"За програмата"_s, Shell, {u"TSplashForm"_s}},
        {u"firm-choice.html"_s, u"Избор на фирма"_s, Firms, {u"TFirmForm"_s}},
        {u"firm-data.html"_s, u"Нова фирма и данни на фирма"_s, Firms, {u"TFirmDataForm"_s}},
        {u"firm-edit.html"_s, u"Данни на отворената фирма"_s, Firms, {u"TFirmDataEditForm"_s}},
        {u"account.html"_s, u"Сметка"_s, Accounts, {u"TSmWizardForm"_s}},
        {u"levels.html"_s, u"Аналитично ниво, партида, папка"_s, Accounts, {u"TNomWizardForm"_s}},
        {u"counterparty.html"_s, u"Нов контрагент"_s, Accounts, {u"TKontraAddForm"_s}},
        {u"opening-balance.html"_s, u"Начално салдо"_s, Accounts, {u"TNsWizardForm"_s}},
        {u"account-picker.html"_s, u"Избор на сметка и партиди"_s, Accounts,
         {u"TAccLookUpForm"_s, u"TStatLookUpForm"_s}},
        {u"documents.html"_s, u"Документи"_s, Posting, {u"TTranForm"_s}},
        {u"entry-wizard.html"_s, u"Въвеждане на счетоводни статии"_s, Posting, {u"TStatGrForm"_s}},
        {u"operations.html"_s, u"Списък на операциите"_s, Posting, {u"TOpListForm"_s}},
        {u"operation.html"_s, u"Операция"_s, Posting, {u"TOPWizardForm"_s}},
        {u"report-period.html"_s, u"Избор на период"_s, Reports, {u"TRepDateForm"_s}},
        {u"report-options.html"_s, u"Условия на справките"_s, Reports, {u"TReportSetForm"_s}},
        {u"preview.html"_s, u"Преглед преди печат"_s, Reports, {u"TViewerForm"_s}},
        {u"trial-balance.html"_s, u"Оборотна ведомост"_s, Reports, {u"TOBORKOLForm"_s}},
        {u"general-ledger.html"_s, u"Главна книга"_s, Reports, {u"TGl_BookForm"_s}},
        {u"chronological-ledger.html"_s, u"Хронологична ведомост"_s, Reports, {u"THrVedForm"_s}},
        {u"account-extract.html"_s, u"Извлечение от сметка"_s, Reports, {u"TIzvAccForm"_s}},
        {u"lot-extract.html"_s, u"Извлечение от партида"_s, Reports, {u"TIzvAnForm"_s}},
        {u"vat.html"_s, u"Дневници по ДДС и справка-декларация"_s, Reports, {u"TDpokForm"_s}},
        {u"statements.html"_s, u"Баланс, ОПР и ОПП"_s, Reports, {u"TReportForm"_s}},
        {u"statement-line.html"_s, u"Настройка на показател"_s, Reports, {u"TRepDataSetForm"_s}},
        {u"include-row.html"_s, u"Ред на показател"_s, Reports, {u"TAddPokForm"_s}},
        {u"closing.html"_s, u"Приключване на годината"_s, Closing, {u"TFinishForm"_s}},
    };
    return topics;
}

QString HelpStartPage() { return HelpTopics().constFirst().page; }

QString HelpPageOfWindow(const QString &window)
{
    for (const HelpTopic &t : HelpTopics())
        if (t.windows.contains(window))
            return t.page;
    return {};
}

QString HelpPageOfContext(int context)
{
    // The help contexts the windows have always carried, and the place of each in the guide.
    static const QMap<int, QString> places = {
        {12, u"firm-choice.html"_s},
        {19, u"main.html#chart"_s},
        {24, u"main.html#levels"_s},
        {29, u"main.html#posting"_s},
        {32, u"entry-wizard.html#vat"_s},
        {33, u"entry-wizard.html#plain"_s},
        {35, u"main.html#reports"_s},
        {43, u"account-extract.html"_s},
        {44, u"lot-extract.html"_s},
        {45, u"trial-balance.html"_s},
        {46, u"chronological-ledger.html"_s},
    };
    const QString place = places.value(context);
    // A report whose page has not come with it yet has no place.
    return HelpTitleOfPage(place).isEmpty() ? QString() : place;
}

QString HelpTitleOfPage(const QString &page)
{
    const QString file = PageOnly(page);
    for (const HelpTopic &t : HelpTopics())
        if (t.page == file)
            return t.title;
    return {};
}

QStringList SearchHelp(const QList<HelpText> &pages, const QString &query)
{
    static const QRegularExpression separators(u"[^\\w]+"_s, QRegularExpression::UseUnicodePropertiesOption);
    const QStringList words = query.toLower().split(separators, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    struct Hit {
        int order;
        int score;
        QString page;
    };
    QList<Hit> hits;
    for (int i = 0; i < pages.size(); ++i) {
        const QString text = pages[i].text.toLower();
        const QString title = pages[i].title.toLower();
        int score = 0;
        bool all = true;
        for (const QString &word : words) {
            // A word in the title weighs as much as ten in the text.
            const int found = int(text.count(word)) + 10 * int(title.count(word));
            if (found == 0) {
                all = false;
                break;
            }
            // "на", "по", "с" stand on every page: required, but they rank nothing.
            if (word.size() >= 3)
                score += found;
        }
        // The words together as typed point at the page that speaks of just that.
        if (all && words.size() > 1)
            score += 20 * int(text.simplified().count(words.join(u' ')));
        if (all)
            hits.append({i, score, pages[i].page});
    }
    std::stable_sort(hits.begin(), hits.end(), [](const Hit &a, const Hit &b) { return a.score > b.score; });
    QStringList found;
    for (const Hit &h : hits)
        found << h.page;
    return found;
}
