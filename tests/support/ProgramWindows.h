#pragma once
// Every window of the program, opened the way a test can look at it: on the demo firm, shown
// without a modal loop, once for each state that shows different captions. A window added to the
// program gets its opener here; the tests that go through the windows fail on a window class of
// src/ui that has none.
#include "accounts/TAccLookUpForm.h"
#include "accounts/TKontraAddForm.h"
#include "accounts/TNomWizardForm.h"
#include "accounts/TNsWizardForm.h"
#include "accounts/TSmWizardForm.h"
#include "accounts/TStatLookUpForm.h"
#include "app/TForm1.h"
#include "app/TProgressForm.h"
#include "app/TSMForm.h"
#include "app/TSplashForm.h"
#include "app/UiProgramWindows.h"
#include "closing/TFinishForm.h"
#include "demo/DemoFirm.h"
#include "engine/Db.h"
#include "firms/TFirmDataEditForm.h"
#include "firms/TFirmDataForm.h"
#include "firms/TFirmForm.h"
#include "help/THelpForm.h"
#include "posting/TOPWizardForm.h"
#include "posting/TOpListForm.h"
#include "posting/TStatGrForm.h"
#include "posting/TTranForm.h"
#include "registry/FirmChoice.h"
#include "reports/TGl_BookForm.h"
#include "reports/THrVedForm.h"
#include "reports/TIzvAccForm.h"
#include "reports/TIzvAnForm.h"
#include "reports/TOBORKOLForm.h"
#include "reports/TRepDateForm.h"
#include "reports/TReportSetForm.h"
#include "reports/TViewerForm.h"
#include "statements/TAddPokForm.h"
#include "statements/TRepDataSetForm.h"
#include "statements/TReportForm.h"
#include "vat/TDpokForm.h"
#include "support/TestFixture.h"
#include "support/WhenShown.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QDirIterator>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <memory>

// The demo firm, open, with the numbers the openers need.
struct DemoBooks {
    TestFixture f;
    int firm = 0;
    int folder = 0;
    int docNo = 0;
    int level = 0;  // a level with lots
    int lot = 0;

    DemoBooks()
    {
        firm = EnsureDemoFirm(f.fd, 2026);
        OpenFirm(f.fd, f.dm, *f.fd.Firm(firm));
        Db &db = f.dm.db();
        folder = db.scalar(QStringLiteral("select min(Nom_Pap_No) from nom_pap")).toInt();
        docNo = db.scalar(QStringLiteral("select min(Nom_Doc_No) from nom_p where Nom_P_No = ?"), {folder}).toInt();
        level = db.scalar(QStringLiteral("select min(Nom_No) from nomel")).toInt();
        lot = db.scalar(QStringLiteral("select min(NomEl_No) from nomel where Nom_No = ?"), {level}).toInt();
    }
};

// One state of a window: made, filled and shown; the caller owns what comes back. A window that
// frees itself on close comes back in a QPointer-safe way: the caller closes it.
struct WindowState {
    QString name;
    std::function<QWidget *(DemoBooks &)> open;
};

struct WindowOpener {
    QString windowClass;
    QList<WindowState> states;
};

namespace program_windows {

template <class W>
W *Shown(W *w)
{
    w->show();
    return w;
}

// The main window as the program shows it: its first activation chooses the demo firm.
inline TForm1 *MainWindow(DemoBooks &b, const std::function<void(TForm1 &)> &mode)
{
    auto *w = new TForm1(b.f.fd, b.f.dm);
    InstallProgramWindows(*w, b.f.fd, b.f.dm);
    const int firm = b.firm;
    WhenShown<TFirmForm>([firm](TFirmForm *choice) {
        choice->selectFirm(firm);
        choice->chooseCurrent();
    });
    w->show();
    if (!QTest::qWaitFor([w] { return !w->firstActivationPending() && !w->headerText().isEmpty(); }, 5000))
        qWarning("the main window did not choose its firm");
    mode(*w);
    return w;
}

inline QWidget *Dialog(TitleStripDialog *dialog) { return Shown(dialog); }

inline TViewerForm *Finished(TViewerForm *viewer)
{
    while (viewer && viewer->generating())
        QCoreApplication::processEvents();
    return viewer;
}

inline QWidget *ReportOptions(DemoBooks &b, TReportSetForm::Page page)
{
    auto *w = new TReportSetForm(b.f.dm, QStringLiteral("Демо ЕООД"));
    w->begin(page);
    return Dialog(w);
}

// A statement computed for the demo's year, shown as its own window.
inline QWidget *Statement(DemoBooks &b, StatementType type)
{
    auto *w = new TReportForm(b.f.fd, b.f.dm, type, TReportForm::Modal);
    w->compute(QDate(2026, 1, 1), QDate(2026, 12, 31));
    return Dialog(w);
}

// The first data line of a statement, whose settings can be opened.
inline StatementLine DataLine(DemoBooks &b, StatementType type)
{
    for (const StatementLine &l : ReadStatementLines(b.f.fd.db(), type))
        if (l.OPR_Value == 1)
            return l;
    return {};
}

// The include-row wizard of the balance sheet on the page that a choice leads to.
inline QWidget *IncludeWizard(DemoBooks &b, std::optional<IncludeChoice> choice)
{
    auto *w = new TAddPokForm(b.f.fd, b.f.dm, StatementType::Balance, std::nullopt);
    if (choice) {
        w->choices()->button(int(*choice))->setChecked(true);
        w->next();
    }
    return Dialog(w);
}

inline QWidget *VatWindow(DemoBooks &b, TDpokForm::Page page)
{
    auto *w = new TDpokForm(b.f.fd, b.f.dm, QDate(2026, 1, 1), QDate(2026, 1, 31));
    w->start();
    w->showPage(page);
    return Dialog(w);
}

}  // namespace program_windows

inline const QList<WindowOpener> &ProgramWindowOpeners()
{
    using namespace program_windows;
    static WorkLine row;  // the picker of the entry grids writes into a row
    static const QList<WindowOpener> openers = {
        {QStringLiteral("TForm1"),
         {{QStringLiteral("сметкоплан"), [](DemoBooks &b) { return MainWindow(b, [](TForm1 &) {}); }},
          {QStringLiteral("салда и обороти"),
           [](DemoBooks &b) { return MainWindow(b, [](TForm1 &w) { w.accountTabs()->setCurrentIndex(1); }); }},
          {QStringLiteral("аналитични нива"),
           [](DemoBooks &b) { return MainWindow(b, [](TForm1 &w) { w.enterLevels(); }); }},
          {QStringLiteral("партиди"),
           [](DemoBooks &b) {
               return MainWindow(b, [&b](TForm1 &w) {
                   w.enterLevels(b.level);
                   w.openLots();
               });
           }},
          {QStringLiteral("папки"), [](DemoBooks &b) { return MainWindow(b, [](TForm1 &w) { w.enterPosting(); }); }},
          {QStringLiteral("начални салда"),
           [](DemoBooks &b) { return MainWindow(b, [](TForm1 &w) { w.enterOpeningBalances(); }); }},
          {QStringLiteral("справки"), [](DemoBooks &b) { return MainWindow(b, [](TForm1 &w) { w.enterReports(); }); }}}},
        {QStringLiteral("TSMForm"),
         {{QStringLiteral("съобщение"),
           [](DemoBooks &) { return Dialog(new TSMForm(QStringLiteral("Опитайте отново!"), TSMForm::Kind::Message)); }},
          {QStringLiteral("въпрос"), [](DemoBooks &) {
               return Dialog(new TSMForm(QStringLiteral("Изход от програмата?"), TSMForm::Kind::Question));
           }}}},
        {QStringLiteral("TProgressForm"), {{QStringLiteral("отчет"), [](DemoBooks &) { return Shown(new TProgressForm); }}}},
        {QStringLiteral("TSplashForm"), {{QStringLiteral("заставка"), [](DemoBooks &) { return Shown(new TSplashForm(1)); }}}},
        {QStringLiteral("TFirmForm"),
         {{QStringLiteral("при пускане"), [](DemoBooks &b) { return Dialog(new TFirmForm(b.f.fd, b.f.dm, true)); }},
          {QStringLiteral("от главния прозорец"),
           [](DemoBooks &b) { return Dialog(new TFirmForm(b.f.fd, b.f.dm, false)); }}}},
        {QStringLiteral("TFirmDataForm"),
         {{QStringLiteral("нова фирма"), [](DemoBooks &b) { return Dialog(new TFirmDataForm(b.f.fd)); }},
          {QStringLiteral("данни на фирмата"),
           [](DemoBooks &b) {
               auto *w = new TFirmDataForm(b.f.fd);
               w->next();
               return Dialog(w);
           }},
          {QStringLiteral("пренасяне"),
           [](DemoBooks &b) {
               auto *w = new TFirmDataForm(b.f.fd);
               w->setKind(TFirmDataForm::CopyOfFirm);
               w->next();
               w->next();
               return Dialog(w);
           }}}},
        {QStringLiteral("TFirmDataEditForm"),
         {{QStringLiteral("отворената фирма"),
           [](DemoBooks &b) { return Dialog(new TFirmDataEditForm(b.f.fd, b.firm, nullptr, &b.f.dm)); }}}},
        {QStringLiteral("TSmWizardForm"),
         {{QStringLiteral("нова сметка"),
           [](DemoBooks &b) {
               auto *w = new TSmWizardForm(b.f.dm, std::nullopt);
               w->begin();
               return Dialog(w);
           }},
          {QStringLiteral("аналитични нива"),
           [](DemoBooks &b) {
               auto *w = new TSmWizardForm(b.f.dm, 304);
               w->begin();
               w->next();
               return Dialog(w);
           }},
          {QStringLiteral("последна страница"), [](DemoBooks &b) {
               auto *w = new TSmWizardForm(b.f.dm, 304);
               w->begin();
               w->next();
               w->next();
               return Dialog(w);
           }}}},
        {QStringLiteral("TNomWizardForm"),
         {{QStringLiteral("аналитично ниво"),
           [](DemoBooks &b) {
               auto *w = new TNomWizardForm(b.f.dm, NomKind::Level, 0, std::nullopt);
               w->begin();
               return Dialog(w);
           }},
          {QStringLiteral("партида"),
           [](DemoBooks &b) {
               auto *w = new TNomWizardForm(b.f.dm, NomKind::Lot, b.level, b.lot);
               w->begin();
               return Dialog(w);
           }},
          {QStringLiteral("папка"), [](DemoBooks &b) {
               auto *w = new TNomWizardForm(b.f.dm, NomKind::Folder, 0, std::nullopt);
               w->begin();
               return Dialog(w);
           }}}},
        {QStringLiteral("TKontraAddForm"), {{QStringLiteral("нов контрагент"), [](DemoBooks &b) {
              return Dialog(new TKontraAddForm(b.f.dm, NomType::Counterparties));
          }}}},
        {QStringLiteral("TNsWizardForm"), {{QStringLiteral("начално салдо"), [](DemoBooks &b) {
              auto *w = new TNsWizardForm(b.f.dm, 501, std::nullopt);
              w->begin();
              return Dialog(w);
          }}}},
        {QStringLiteral("TAccLookUpForm"), {{QStringLiteral("избор"), [](DemoBooks &b) {
              auto *w = new TAccLookUpForm(b.f.fd, b.f.dm, TAccountStr{});
              w->start(0, {});
              w->resize(420, 260);
              return Shown(w);
          }}}},
        {QStringLiteral("TStatLookUpForm"), {{QStringLiteral("избор"), [](DemoBooks &b) {
              row = WorkLine{};
              auto *w = new TStatLookUpForm(b.f.fd, b.f.dm, row);
              w->start(0, {});
              w->resize(420, 260);
              return Shown(w);
          }}}},
        {QStringLiteral("TTranForm"),
         {{QStringLiteral("самостоятелен"),
           [](DemoBooks &b) {
               auto *w = new TTranForm(b.f.fd, b.f.dm, b.folder, false, {});
               w->start();
               return Dialog(w);
           }},
          {QStringLiteral("в главния прозорец"), [](DemoBooks &b) {
               auto *w = new TTranForm(b.f.fd, b.f.dm, b.folder, true, {});
               w->start();
               return Shown(w);
           }}}},
        {QStringLiteral("TStatGrForm"),
         {{QStringLiteral("с ДДС"),
           [](DemoBooks &b) {
               auto *w = new TStatGrForm(b.f.fd, b.f.dm);
               w->begin({true, true, Documents::NextGroup(b.f.dm.db(), b.docNo), b.docNo});
               return Dialog(w);
           }},
          {QStringLiteral("без ДДС"), [](DemoBooks &b) {
               auto *w = new TStatGrForm(b.f.fd, b.f.dm);
               w->begin({true, false, Documents::NextGroup(b.f.dm.db(), b.docNo), b.docNo});
               return Dialog(w);
           }}}},
        {QStringLiteral("TOpListForm"), {{QStringLiteral("операции"), [](DemoBooks &b) {
              return Dialog(new TOpListForm(b.f.fd, b.f.dm));
          }}}},
        {QStringLiteral("TOPWizardForm"), {{QStringLiteral("нова операция"), [](DemoBooks &b) {
              auto *w = new TOPWizardForm(b.f.fd, b.f.dm, TOPWizardForm::Request{std::nullopt, false, b.folder});
              w->begin();
              return Dialog(w);
          }}}},
        {QStringLiteral("TRepDateForm"), {{QStringLiteral("период"), [](DemoBooks &b) {
              return Dialog(new TRepDateForm(ReadPeriod(b.f.dm.db())));
          }}}},
        {QStringLiteral("TReportSetForm"),
         {{QStringLiteral("хронологична ведомост"), [](DemoBooks &b) { return ReportOptions(b, TReportSetForm::ChronologicalLedger); }},
          {QStringLiteral("оборотна ведомост"), [](DemoBooks &b) { return ReportOptions(b, TReportSetForm::TrialBalance); }},
          {QStringLiteral("извлечение от сметка"), [](DemoBooks &b) { return ReportOptions(b, TReportSetForm::AccountExtract); }},
          {QStringLiteral("извлечение от партида"), [](DemoBooks &b) { return ReportOptions(b, TReportSetForm::LotExtract); }}}},
        {QStringLiteral("TViewerForm"), {{QStringLiteral("преглед"), [](DemoBooks &b) -> QWidget * {
              // The preview as such: the general ledger's pages, seen as the preview's own.
              TViewerForm *viewer = Finished(TGl_BookForm::Run(
                  b.f.dm, GeneralLedgerOptions{QDate(2026, 1, 1), QDate(2026, 12, 31), QStringLiteral("Демо ЕООД")},
                  nullptr));
              viewer->setProperty("orvalisHelpPage", QVariant());
              return viewer;
          }}}},
        {QStringLiteral("TOBORKOLForm"), {{QStringLiteral("оборотна ведомост"), [](DemoBooks &b) -> QWidget * {
              TrialBalanceOptions options;
              options.from = QDate(2026, 1, 1);
              options.to = QDate(2026, 12, 31);
              options.firmName = QStringLiteral("Демо ЕООД");
              return Finished(TOBORKOLForm::Run(b.f.dm, options, nullptr));
          }}}},
        {QStringLiteral("THrVedForm"), {{QStringLiteral("хронологична ведомост"), [](DemoBooks &b) -> QWidget * {
              ChronologicalOptions options;
              options.selection.from = QDate(2026, 1, 1);
              options.selection.to = QDate(2026, 12, 31);
              options.firmName = QStringLiteral("Демо ЕООД");
              return Finished(THrVedForm::Run(b.f.dm, options, nullptr));
          }}}},
        {QStringLiteral("TIzvAccForm"), {{QStringLiteral("извлечение от сметка"), [](DemoBooks &b) -> QWidget * {
              AccountExtractOptions options;
              options.from = QDate(2026, 1, 1);
              options.to = QDate(2026, 12, 31);
              options.firmName = QStringLiteral("Демо ЕООД");
              options.account = 501;
              return Finished(TIzvAccForm::Run(b.f.dm, options, nullptr));
          }}}},
        {QStringLiteral("TIzvAnForm"), {{QStringLiteral("извлечение от партида"), [](DemoBooks &b) -> QWidget * {
              LotExtractOptions options;
              options.from = QDate(2026, 1, 1);
              options.to = QDate(2026, 12, 31);
              options.firmName = QStringLiteral("Демо ЕООД");
              options.level = b.level;
              options.lot = b.lot;
              return Finished(TIzvAnForm::Run(b.f.dm, options, nullptr));
          }}}},
        {QStringLiteral("TFinishForm"), {{QStringLiteral("приключване"), [](DemoBooks &b) {
              return Dialog(new TFinishForm(*b.f.fd.Firm(b.firm)));
          }}}},
        {QStringLiteral("TGl_BookForm"), {{QStringLiteral("главна книга"), [](DemoBooks &b) -> QWidget * {
              return Finished(TGl_BookForm::Run(
                  b.f.dm, GeneralLedgerOptions{QDate(2026, 1, 1), QDate(2026, 12, 31), QStringLiteral("Демо ЕООД")},
                  nullptr));
          }}}},
        {QStringLiteral("TReportForm"),
         {{QStringLiteral("баланс"), [](DemoBooks &b) { return Statement(b, StatementType::Balance); }},
          {QStringLiteral("ОПР"), [](DemoBooks &b) { return Statement(b, StatementType::Income); }},
          {QStringLiteral("ОПП"), [](DemoBooks &b) { return Statement(b, StatementType::CashFlow); }}}},
        {QStringLiteral("TRepDataSetForm"), {{QStringLiteral("настройка на показател"), [](DemoBooks &b) {
              auto *w = new TRepDataSetForm(b.f.fd, b.f.dm, StatementType::Balance, DataLine(b, StatementType::Balance));
              w->start();
              return Dialog(w);
          }}}},
        {QStringLiteral("TAddPokForm"),
         {{QStringLiteral("вид на данните"), [](DemoBooks &b) { return IncludeWizard(b, std::nullopt); }},
          {QStringLiteral("сметка"), [](DemoBooks &b) { return IncludeWizard(b, IncludeChoice::Account); }},
          {QStringLiteral("кореспонденция"), [](DemoBooks &b) { return IncludeWizard(b, IncludeChoice::Correspondence); }},
          {QStringLiteral("сума"), [](DemoBooks &b) { return IncludeWizard(b, IncludeChoice::CurrentAmount); }}}},
        {QStringLiteral("TDpokForm"),
         {{QStringLiteral("покупки"), [](DemoBooks &b) { return VatWindow(b, TDpokForm::Purchases); }},
          {QStringLiteral("продажби"), [](DemoBooks &b) { return VatWindow(b, TDpokForm::Sales); }},
          {QStringLiteral("данни"), [](DemoBooks &b) { return VatWindow(b, TDpokForm::FirmData); }}}},
        {QStringLiteral("THelpForm"), {{QStringLiteral("помощ"), [](DemoBooks &) -> QWidget * {
              return THelpForm::Open(QStringLiteral("index.html"));
          }}}},
    };
    return openers;
}

// The window classes of the program as its sources declare them: every "class T…Form" under
// src/ui, windows and report runners alike.
inline QStringList DeclaredWindowClasses(const QString &sourceRoot)
{
    QStringList classes;
    static const QRegularExpression declaration(QStringLiteral("^class (T\\w+Form)\\b(?!;)"),
                                                QRegularExpression::MultilineOption);
    QDirIterator it(sourceRoot + QStringLiteral("/src/ui"), {QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        auto matches = declaration.globalMatch(text);
        while (matches.hasNext())
            classes << matches.next().captured(1);
    }
    classes.sort();
    return classes;
}
