#include "reports/TReportSetForm.h"

#include "accounts/ChartStore.h"
#include "accounts/FolderStore.h"
#include "app/TErrorHook.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "help/HelpSystem.h"
#include "engine/Errors.h"
#include "reports/AccountExtractOptionsPage.h"
#include "reports/ChronologicalOptionsPage.h"
#include "reports/LotExtractOptionsPage.h"
#include "reports/OptionWidgets.h"
#include "reports/THrVedForm.h"
#include "reports/TIzvAccForm.h"
#include "reports/TIzvAnForm.h"
#include "reports/TOBORKOLForm.h"
#include "reports/TViewerForm.h"
#include "widgets/Accelerators.h"
#include "widgets/DateBox.h"
#include "widgets/EditorWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TReportSetForm::TReportSetForm(TDM &dm, QString firmName, QWidget *parent)
    : TitleStripDialog(u"Справки"_s, parent), m_dm(dm), m_firmName(std::move(firmName))
{
    m_pages = new QStackedWidget(body());
    m_chronological = new ChronologicalOptionsPage(m_pages);
    m_accountExtract = new AccountExtractOptionsPage(m_dm.db(), m_pages);
    m_lotExtract = new LotExtractOptionsPage(m_dm.db(), m_pages);
    m_pageWidgets = {m_chronological, buildTrialBalancePage(), m_accountExtract, m_lotExtract};
    for (QWidget *page : m_pageWidgets)
        if (page)
            m_pages->addWidget(page);

    m_go = new QPushButton(u"Давай"_s, body());
    m_cancel = new QPushButton(u"Отказ"_s, body());
    m_clear = new QPushButton(u"Изчистване"_s, body());
    m_clear->hide();
    m_go->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_clear);
    buttons->addStretch(1);
    buttons->addWidget(m_go);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(body());
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    connect(m_go, &QPushButton::clicked, this, [this] { RunGuarded([this] { go(); }); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    SetDialogKeys(m_go, m_cancel);
    connect(m_clear, &QPushButton::clicked, this, [this] { RunGuarded([this] { setDefaults(); }); });
    resize(620, 520);
    CentreOnDesktop(this);
}

TReportSetForm::~TReportSetForm() { adoptViewers(); }

void TReportSetForm::adoptViewers()
{
    // While the dialog is up its previews are its own windows, which its modality leaves free;
    // once it goes they stay open, owned by the window that opened the dialog.
    for (const QPointer<TViewerForm> &viewer : std::as_const(m_viewers)) {
        if (!viewer)
            continue;
        const bool visible = viewer->isVisible();
        const QRect geometry = viewer->geometry();
        viewer->setParent(parentWidget(), viewer->windowFlags());
        viewer->setGeometry(geometry);
        if (visible)
            viewer->show();
    }
    m_viewers.clear();
}

QWidget *TReportSetForm::buildTrialBalancePage()
{
    auto *page = new QWidget(m_pages);
    m_obFrom = NewDateBox(page);
    m_obTo = NewDateBox(page);
    auto *period = new QGroupBox(u"Период"_s, page);
    auto *periodFields = new QFormLayout(period);
    periodFields->addRow(u"От:"_s, m_obFrom);
    periodFields->addRow(u"До:"_s, m_obTo);

    m_obAccount = new QComboBox(page);
    auto *accountRow = new QFormLayout;
    accountRow->addRow(u"Само за сметка:"_s, m_obAccount);

    auto *kind = new QGroupBox(u"Тип на справката:"_s, page);
    m_obValue = new QRadioButton(u"Стойностна"_s, kind);
    m_obQuantity = new QRadioButton(u"Количествена"_s, kind);
    m_obValue->setChecked(true);
    auto *kindRow = new QHBoxLayout(kind);
    kindRow->addWidget(m_obValue);
    kindRow->addWidget(m_obQuantity);

    m_obUsedOnly = new QCheckBox(u"Само сметки с начални салда и обороти"_s, page);
    m_obUsedOnly->setChecked(true);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(period);
    layout->addLayout(accountRow);
    layout->addWidget(kind);
    layout->addWidget(m_obUsedOnly);
    layout->addStretch(1);
    return page;
}

bool TReportSetForm::HasPage(int page) { return page >= ChronologicalLedger && page <= LotExtract; }

void TReportSetForm::Run(TDM &dm, const QString &firmName, int page, QWidget *parent)
{
    if (!HasPage(page)) {
        Messages::show(UnknownReportMessage);
        return;
    }
    TReportSetForm form(dm, firmName, parent);
    bool ready = false;
    if (!RunGuarded([&] { ready = form.begin(page); }) || !ready)
        return;
    RunModal(form);
}

bool TReportSetForm::begin(int page)
{
    if (page < 0 || page >= int(m_pageWidgets.size()) || !m_pageWidgets[page]) {
        Messages::show(UnknownReportMessage);
        return false;
    }
    m_page = page;
    m_period = ReadPeriod(m_dm.db());
    const QList<SRow> accounts = ChartStore::All(m_dm.db());
    const QList<NomPapRow> folders = FolderStore::All(m_dm.db());
    FillAccounts(m_obAccount, accounts, u"Всички"_s);
    m_chronological->load(accounts, folders);
    m_accountExtract->load(accounts, folders);  // runs the account's change once
    m_lotExtract->load();
    m_pages->setCurrentWidget(m_pageWidgets[page]);
    // The help contexts of the pages, in the order of their numbers.
    static const int contexts[] = {46, 45, 43, 44};
    SetHelpContext(this, contexts[page]);
    setDefaults();
    return true;
}

void TReportSetForm::setDefaults()
{
    const ReportPeriodDefaults dates = DefaultReportPeriod(m_period);
    SetPeriod(m_obFrom, m_obTo, dates);
    m_chronological->setPeriod(dates);
    m_accountExtract->setPeriod(dates);
    m_lotExtract->setPeriod(dates);
}

void TReportSetForm::showEvent(QShowEvent *event)
{
    TitleStripDialog::showEvent(event);
    DateBox *const starts[] = {m_chronological->fromEdit(), m_obFrom, m_accountExtract->fromEdit(),
                                 m_lotExtract->fromEdit()};
    if (m_page >= 0 && m_page < 4) {
        starts[m_page]->setFocus();
        starts[m_page]->selectAll();  // what is typed replaces the default
    }
}

TrialBalanceOptions TReportSetForm::trialBalanceOptions() const
{
    TrialBalanceOptions o;
    o.from = Formats::ParseDate(m_obFrom->text());
    o.to = Formats::ParseDate(m_obTo->text());
    o.firmName = m_firmName;
    o.account = m_obAccount->currentData().toInt();
    o.usedOnly = m_obUsedOnly->isChecked();
    o.quantity = m_obQuantity->isChecked();
    return o;
}

TViewerForm *TReportSetForm::runPage()
{
    // A page that refuses says why and keeps what was typed; the report's own failures (no
    // data) go to the error display from the command.
    try {
        switch (m_page) {
        case ChronologicalLedger: {
            const ChronologicalSelection selection = ReadChronologicalPage(m_chronological->read(), m_period);
            return THrVedForm::Run(m_dm, {selection, m_firmName}, this);
        }
        case AccountExtract: {
            const AccountExtractOptions options = ReadAccountExtractPage(m_accountExtract->read(), m_period, m_firmName);
            return TIzvAccForm::Run(m_dm, options, this);
        }
        case LotExtract: {
            const LotExtractOptions options = ReadLotExtractPage(m_lotExtract->read(), m_period, m_firmName);
            return TIzvAnForm::Run(m_dm, options, this);
        }
        default: break;
        }
    } catch (const MyException &e) {
        Messages::show(e.message());
        return nullptr;
    }
    const QString problem = OptionsDialogProblem(m_obFrom->text(), m_obTo->text(), m_period);
    if (!problem.isEmpty()) {
        Messages::show(problem);
        return nullptr;
    }
    return TOBORKOLForm::Run(m_dm, trialBalanceOptions(), this);
}

TViewerForm *TReportSetForm::go()
{
    if (m_page < 0)
        return nullptr;
    TViewerForm *viewer = runPage();
    if (!viewer)
        return nullptr;
    m_viewers.removeIf([](const QPointer<TViewerForm> &v) { return v.isNull(); });
    m_viewers.append(viewer);
    return viewer;
}
