#include "firms/TFirmDataForm.h"

#include "app/TErrorHook.h"
#include "closing/ConversionReport.h"
#include "closing/YearClosing.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "registry/FirmFactory.h"
#include "registry/TFD.h"
#include "reports/TViewerForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "firms/FirmContactFields.h"
#include "widgets/Accelerators.h"

namespace {
const char *const TransferTexts[] = {
    " Сметки и партиди",
    "Партиди",
    "Папки",
    "Данни за фирмата",
    "Крайни салда от избраната фирма, като начални за новата фирма",
};

QString Text(const char *utf8) { return QString::fromUtf8(utf8); }
}  // namespace

TFirmDataForm::TFirmDataForm(TFD &fd, QWidget *parent)
    : TitleStripDialog(QStringLiteral("Добавяне "), parent), m_fd(fd)
{
    m_pages = new QStackedWidget(body());
    m_pages->addWidget(buildKindPage());
    m_pages->addWidget(buildSourcePage());
    m_pages->addWidget(buildAccountsPage());
    m_pages->addWidget(buildDataPage());

    m_back = new QPushButton(QStringLiteral("<< Преден"), body());
    m_next = new QPushButton(QStringLiteral("Напред >>"), body());
    m_cancel = new QPushButton(QStringLiteral("Отказ"), body());
    m_save = new QPushButton(QStringLiteral("Запис"), body());
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_save);

    auto *layout = new QVBoxLayout(body());
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    connect(m_back, &QPushButton::clicked, this, &TFirmDataForm::back);
    connect(m_next, &QPushButton::clicked, this, [this] { next(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { done(Cancelled); });
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    SetDialogKeys(m_save, m_cancel);

    resize(560, 440);
    CentreOnDesktop(this);
    goTo(1);
}

QWidget *TFirmDataForm::buildKindPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    m_kinds = new QButtonGroup(this);
    const char *const captions[] = {"Нова фирма", "Нова фирма с данни от съществуваща", "Свързване с данни за фирма"};
    for (int k = NewFirm; k <= AttachData; ++k) {
        auto *radio = new QRadioButton(Text(captions[k - 1]), page);
        m_kinds->addButton(radio, k);
        layout->addWidget(radio);
    }
    m_kinds->button(NewFirm)->setChecked(true);
    layout->addStretch(1);
    return page;
}

QWidget *TFirmDataForm::buildSourcePage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Избор на фирма:"), page));
    m_source = new QComboBox(page);
    layout->addWidget(m_source);

    auto *group = new QGroupBox(QStringLiteral("Избор на данни за прехвърляне:"), page);
    auto *boxes = new QVBoxLayout(group);
    for (int t = 0; t < TransferCount; ++t) {
        m_transfer[t] = new QCheckBox(Text(TransferTexts[t]), group);
        boxes->addWidget(m_transfer[t]);
    }
    m_transfer[AccountsAndLots]->setChecked(true);
    m_transfer[FirmData]->setChecked(true);
    // Balances are kept per account and lot, so they can only come with the source's own chart.
    QCheckBox *balances = m_transfer[ClosingBalances];
    balances->setToolTip(
        QStringLiteral("Крайните салда се прехвърлят заедно със сметките и партидите на избраната фирма!"));
    connect(m_transfer[AccountsAndLots], &QCheckBox::toggled, balances, [balances](bool withAccounts) {
        balances->setEnabled(withAccounts);
        if (!withAccounts)
            balances->setChecked(false);
    });
    layout->addWidget(group);
    layout->addStretch(1);
    return page;
}

QWidget *TFirmDataForm::buildAccountsPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    m_accounts = new QTableWidget(0, 2, page);
    m_accounts->setHorizontalHeaderLabels({QStringLiteral("Сметка"), QStringLiteral("Наименование")});
    m_accounts->verticalHeader()->hide();
    m_accounts->horizontalHeader()->setStretchLastSection(true);
    m_accounts->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_accounts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_accounts, 1);

    m_markAll = new QPushButton(QStringLiteral("Маркирай всички"), page);
    m_unmarkAll = new QPushButton(QStringLiteral("Размаркирай всички"), page);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_markAll);
    buttons->addWidget(m_unmarkAll);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(m_accounts, &QTableWidget::itemChanged, this, &TFirmDataForm::accountToggled);
    connect(m_markAll, &QPushButton::clicked, this, [this] { markAll(true); });
    connect(m_unmarkAll, &QPushButton::clicked, this, [this] { markAll(false); });
    return page;
}

QWidget *TFirmDataForm::buildDataPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    auto *data = new QGroupBox(QStringLiteral("Данни за фирмата:"), page);
    auto *form = new QFormLayout(data);
    m_fields = AddFirmContactFields(form, data);
    layout->addWidget(data);

    auto *period = new QGroupBox(QStringLiteral("Период:"), page);
    auto *periodForm = new QFormLayout(period);
    m_year = new QSpinBox(period);
    m_year->setRange(1900, 9999);
    m_year->setValue(QDate::currentDate().year());
    periodForm->addRow(QStringLiteral("Отчетна година:"), m_year);
    AddCurrencyRow(periodForm, m_year, period);
    layout->addWidget(period);

    auto *pathRow = new QHBoxLayout;
    m_path = new QLineEdit(page);
    m_path->setMaxLength(255);
    auto *chooser = new QToolButton(page);
    chooser->setText(QStringLiteral("..."));
    pathRow->addWidget(new QLabel(QStringLiteral("Път до данните:"), page));
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(chooser);
    layout->addLayout(pathRow);
    layout->addStretch(1);

    connect(chooser, &QToolButton::clicked, this, &TFirmDataForm::choosePath);
    return page;
}

int TFirmDataForm::kind() const { return m_kinds->checkedId(); }

void TFirmDataForm::setKind(Kind kind) { m_kinds->button(kind)->setChecked(true); }

QRadioButton *TFirmDataForm::kindButton(Kind kind) const
{
    return qobject_cast<QRadioButton *>(m_kinds->button(kind));
}

QList<int> TFirmDataForm::pageFlow() const
{
    switch (kind()) {
    case CopyOfFirm:
        if (m_transfer[AccountsAndLots]->isChecked())
            return {1, 2, 4};
        return {1, 2, 3, 4};
    case AttachData:
        return {1, 4};
    default:
        return {1, 3, 4};
    }
}

int TFirmDataForm::pageNumber() const { return m_pages->currentIndex() + 1; }

void TFirmDataForm::goTo(int page)
{
    m_pages->setCurrentIndex(page - 1);
    const bool last = page == 4;
    m_back->setEnabled(page != 1);
    m_next->setEnabled(!last);
    m_save->setEnabled(last);
    if (last)
        m_save->setDefault(true);
    else
        m_next->setDefault(true);
}

bool TFirmDataForm::leavingPageAccepted(int page)
{
    if (page == 2 && sourceFirmId() == 0) {
        Messages::show(QStringLiteral("Изберете фирмата, от която да се прехвърлят данните!"));
        return false;
    }
    return true;
}

bool TFirmDataForm::next()
{
    const QList<int> flow = pageFlow();
    const int at = flow.indexOf(pageNumber());
    if (at < 0 || at + 1 >= flow.size())
        return false;
    if (!leavingPageAccepted(pageNumber()))
        return false;
    const int target = flow.at(at + 1);
    bool ready = true;
    if (target == 2)
        ready = RunGuarded([this] { loadFirms(); });
    else if (target == 3)
        ready = RunGuarded([this] { loadAccounts(); });
    else if (target == 4)
        ready = RunGuarded([this] { prepareDataPage(); });
    if (!ready)
        return false;
    goTo(target);
    return true;
}

void TFirmDataForm::back()
{
    const QList<int> flow = pageFlow();
    const int at = flow.indexOf(pageNumber());
    if (at > 0)
        goTo(flow.at(at - 1));
}

void TFirmDataForm::loadFirms()
{
    const int previous = sourceFirmId();
    const QList<FirmRecord> firms = m_fd.Firms();
    m_source->clear();
    for (const FirmRecord &firm : firms)
        m_source->addItem(firm.Firm_Name, firm.Firm_ID);
    const int index = m_source->findData(previous);
    m_source->setCurrentIndex(index >= 0 ? index : (firms.isEmpty() ? -1 : 0));
}

int TFirmDataForm::sourceFirmId() const
{
    return m_source->currentIndex() < 0 ? 0 : m_source->currentData().toInt();
}

void TFirmDataForm::loadAccounts()
{
    const QList<ChSmetkiRow> rows = m_fd.ChSmetki();
    m_loadingAccounts = true;
    m_accounts->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        auto *number = new QTableWidgetItem(QString::number(rows[r].S_UNo));
        number->setData(Qt::UserRole, rows[r].S_UNo);
        number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        number->setCheckState(rows[r].Checked ? Qt::Checked : Qt::Unchecked);
        auto *name = new QTableWidgetItem(rows[r].S_Name);
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_accounts->setItem(r, 0, number);
        m_accounts->setItem(r, 1, name);
    }
    m_accounts->resizeColumnToContents(0);
    m_loadingAccounts = false;
}

void TFirmDataForm::accountToggled(QTableWidgetItem *item)
{
    if (m_loadingAccounts || item->column() != 0)
        return;
    const int account = item->data(Qt::UserRole).toInt();
    const bool checked = item->checkState() == Qt::Checked;
    if (!RunGuarded([&] { m_fd.SetChecked(account, checked); }))
        RunGuarded([this] { loadAccounts(); });  // show what the registry really holds
}

void TFirmDataForm::markAll(bool checked)
{
    RunGuarded([&] {
        m_fd.SetAllChecked(checked);
        loadAccounts();
    });
}

void TFirmDataForm::prepareDataPage()
{
    const bool attach = kind() == AttachData;
    m_year->setEnabled(!attach);  // an existing firm keeps its own year
    // Left empty, a new firm's path becomes the directory shown here.
    m_path->setPlaceholderText(attach ? QString() : FirstFreeFirmDir(m_fd, m_fd.NextFirmId()));
    if (kind() == CopyOfFirm && m_transfer[FirmData]->isChecked())
        prefillFromSource();
}

void TFirmDataForm::prefillFromSource()
{
    const int id = sourceFirmId();
    if (id == 0 || id == m_prefilledFrom)
        return;  // keep what the user typed over an earlier pre-fill
    const auto source = m_fd.Firm(id);
    if (!source)
        return;
    ShowFirmContact(m_fields, *source);
    m_prefilledFrom = id;
}

void TFirmDataForm::choosePath()
{
    const QString dir =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Път до данните:"), m_path->text());
    if (!dir.isEmpty())
        m_path->setText(QDir::toNativeSeparators(dir));
}

FirmRecord TFirmDataForm::typedRecord() const
{
    FirmRecord firm;
    ReadFirmContact(m_fields, firm);
    firm.Firm_Period = m_year->value();
    firm.Firm_DataPath = m_path->text().trimmed();
    return firm;
}

bool TFirmDataForm::save()
{
    if (pageNumber() != 4)
        return false;
    const FirmRecord firm = typedRecord();
    FirmRecord checked = firm;
    // A new firm without a path gets its own directory under the system data directory.
    if (kind() != AttachData && checked.Firm_DataPath.isEmpty())
        checked.Firm_DataPath = DefaultFirmDir(m_fd.SystemDataDir(), 0);
    QString problem = FirmRecordProblem(checked);
    if (problem.isEmpty() && kind() != AttachData)
        problem = NewFirmYearProblem(checked.Firm_Period);
    if (!problem.isEmpty()) {
        Messages::show(problem);
        return false;
    }

    int created = 0;
    const bool ran = RunGuarded([&] {
        try {
            if (kind() == AttachData) {
                created = AttachFirm(m_fd, firm);
                return;
            }
            NewFirmRequest request;
            request.firm = firm;
            bool carryBalances = false;
            if (kind() == CopyOfFirm) {
                request.sourceFirmId = sourceFirmId();
                request.copyAccountsAndLots = m_transfer[AccountsAndLots]->isChecked();
                request.copyLots = m_transfer[Lots]->isChecked();
                request.copyFolders = m_transfer[Folders]->isChecked();
                carryBalances = m_transfer[ClosingBalances]->isChecked();
            }
            created = CreateFirmFrom(m_fd, request, carryBalances);
        } catch (const MyException &e) {
            Messages::show(e.message());
        }
    });
    if (!ran || created == 0)
        return false;
    m_createdFirmId = created;
    // Balances carried from leva into euro: the list to file with the papers.
    RunGuarded([&] {
        if (StoredConversion list = FirmConversion(m_fd, created); !list.isEmpty())
            TViewerForm::Show(std::make_unique<ConversionListJob>(std::move(list), firm.Firm_Name), parentWidget());
    });
    done(Saved);
    return true;
}

void TFirmDataForm::reject() { done(Cancelled); }
