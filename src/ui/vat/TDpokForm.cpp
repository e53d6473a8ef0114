#include "vat/TDpokForm.h"

#include "engine/ReadSnapshot.h"
#include "widgets/Accelerators.h"

#include "app/TErrorHook.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "posting/Documents.h"
#include "posting/TStatGrForm.h"
#include "posting/TTranForm.h"
#include "registry/TFD.h"
#include "reports/TRepDateForm.h"
#include "reports/TViewerForm.h"
#include "vat/DeclarationReport.h"
#include "vat/JournalFile.h"
#include "vat/JournalReport.h"
#include "vat/JournalView.h"
#include "vat/VatDataPage.h"
#include "widgets/EditorWidgets.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString PrintCaption = u"Печат"_s;
const QString FilesCaption = u"Запис на дискета"_s;
const QString PeriodCaption = u"Период"_s;
const QString BackCaption = u"Назад"_s;
constexpr int DeclarationLabel = 3;
}  // namespace

const QStringList &TDpokForm::PageCaptions()
{
    static const QStringList captions = {u"Дневник на    покупките  "_s, u"Дневник на продажбите  "_s,
                                         u"Данни за фирмата"_s, u"  Справка декларация  "_s};
    return captions;
}

QString TDpokForm::Title(Page page)
{
    switch (page) {
    case Purchases: return u"  Дневник на покупките"_s;
    case Sales: return u"  Дневник на продажбите"_s;
    case FirmData: return u"  Данни за фирмата"_s;
    }
    return {};
}

QString TDpokForm::FolderCaption()
{
    return u"Папка за файловете "_s + JournalFile::PurchasesFileName + u" и "_s + JournalFile::SalesFileName;
}

TDpokForm::TDpokForm(TFD &fd, TDM &dm, const QDate &from, const QDate &to, QWidget *parent)
    : TitleStripDialog(Title(Purchases), parent), m_fd(fd), m_dm(dm), m_from(from), m_to(to)
{
    chooseFolder = [](QWidget *owner, const QString &caption) {
        return QFileDialog::getExistingDirectory(owner, caption, QDir::homePath());
    };
    documentOpener = [this](int docNo) {
        const TTranForm::WizardHook wizard = [this](const EntryWizardRequest &request) {
            return TStatGrForm::Run(m_fd, m_dm, request, this);
        };
        TTranForm::OpenSingle(m_fd, m_dm, docNo, wizard, this);
    };

    auto *tabs = new QHBoxLayout;
    for (int i = 0; i < PageCaptions().size(); ++i) {
        auto *label = new ClickLabel(PageCaptions()[i], body());
        label->setCursor(Qt::PointingHandCursor);
        label->setMargin(4);
        m_pageLabels << label;
        tabs->addWidget(label);
        connect(label, &ClickLabel::clicked, this, [this, i] {
            RunGuarded([this, i] {
                if (i == DeclarationLabel)
                    declaration();
                else
                    showPage(Page(i));
            });
        });
    }
    tabs->addStretch(1);
    m_periodLabel = new ClickLabel(QString(), body());
    m_periodLabel->setCursor(Qt::PointingHandCursor);
    tabs->addWidget(m_periodLabel);
    connect(m_periodLabel, &ClickLabel::clicked, this, [this] { RunGuarded([this] { choosePeriod(); }); });

    m_stack = new QStackedWidget(body());
    m_purchases = new JournalView(VatJournalKind::Purchases, m_stack);
    m_sales = new JournalView(VatJournalKind::Sales, m_stack);
    m_data = new VatDataPage(fd, dm, m_stack);
    m_stack->addWidget(m_purchases);
    m_stack->addWidget(m_sales);
    m_stack->addWidget(m_data);
    for (JournalView *view : {m_purchases, m_sales})
        connect(view, &JournalView::rowActivated, this,
                [this](const JournalRow &row) { RunGuarded([this, row] { openDocument(row); }); });

    auto *buttons = new QHBoxLayout;
    const std::pair<QString, std::function<void()>> commands[] = {
        {PrintCaption, [this] { print(); }},
        {FilesCaption, [this] { writeFiles(); }},
        {PeriodCaption, [this] { choosePeriod(); }},
        {BackCaption, [this] { back(); }}};
    for (const auto &[caption, command] : commands) {
        auto *button = new QPushButton(caption, body());
        button->setAutoDefault(false);
        m_buttons.insert(caption, button);
        if (caption == BackCaption)
            buttons->addStretch(1);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [command] { RunGuarded(command); });
    }

    auto *layout = new QVBoxLayout(body());
    layout->addLayout(tabs);
    layout->addWidget(m_stack, 1);
    layout->addLayout(buttons);
    addShortcuts();
    setPeriod(from, to);
    resize(1100, 620);
    CentreOnDesktop(this);
}

void TDpokForm::addShortcuts()
{
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_1), [this] { showPage(Purchases); }},
        {QKeySequence(Qt::CTRL | Qt::Key_2), [this] { showPage(Sales); }},
        {QKeySequence(Qt::CTRL | Qt::Key_3), [this] { showPage(FirmData); }},
        {QKeySequence(Qt::CTRL | Qt::Key_4), [this] { declaration(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_P), [this] { print(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_S), [this] { writeFiles(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_D), [this] { choosePeriod(); }}};
    for (const auto &[key, command] : keys) {
        auto *shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [command] { RunGuarded(command); });
    }
    for (int i = 0; i < m_pageLabels.size(); ++i)
        m_pageLabels[i]->setToolTip(u"Ctrl+"_s + QString::number(i + 1));
    m_buttons.value(PrintCaption)->setToolTip(u"Ctrl+P"_s);
    m_buttons.value(FilesCaption)->setToolTip(u"Ctrl+S: "_s + FolderCaption());
    // The period shown runs the same command; the window's own shortcut serves both.
    SetCommandKey(m_periodLabel, QKeySequence(Qt::CTRL | Qt::Key_D), false);
    SetCommandKey(m_buttons.value(PeriodCaption), QKeySequence(Qt::CTRL | Qt::Key_D), false);
    SetCommandKey(m_buttons.value(BackCaption), QKeySequence(Qt::Key_Escape), false);
}

void TDpokForm::Run(TFD &fd, TDM &dm, const QDate &from, const QDate &to, QWidget *parent)
{
    TDpokForm form(fd, dm, from, to, parent);
    if (!RunGuarded([&] { form.start(); }))
        return;
    RunModal(form);
}

void TDpokForm::start()
{
    m_data->load();
    reload();
    m_page = FirmData;  // so that the first page is shown whatever was typed
    m_stack->setCurrentIndex(FirmData);
    showPage(Purchases);
}

QString TDpokForm::periodText() const
{
    return u"        Период:  "_s + Formats::Date(m_from) + u" - "_s + Formats::Date(m_to);
}

QString TDpokForm::firmName() const
{
    const auto firm = m_fd.Firm(m_fd.currentFirmId);
    return firm ? firm->Firm_Name : QString();
}

JournalView *TDpokForm::journalView(VatJournalKind kind) const
{
    return kind == VatJournalKind::Purchases ? m_purchases : m_sales;
}

void TDpokForm::reload()
{
    // Both journals from one state of the books.
    ReadSnapshot books(m_dm.db());
    m_purchases->setJournal(VatJournals::Read(books.db(), m_fd.db(), VatJournalKind::Purchases, m_from, m_to));
    m_sales->setJournal(VatJournals::Read(books.db(), m_fd.db(), VatJournalKind::Sales, m_from, m_to));
}

bool TDpokForm::showPage(Page page)
{
    if (!m_data->post())
        return false;
    m_page = page;
    m_stack->setCurrentIndex(page);
    setCaption(Title(page));
    m_buttons.value(PrintCaption)->setVisible(page != FirmData);
    for (int i = 0; i < m_pageLabels.size(); ++i) {
        QFont font = m_pageLabels[i]->font();
        font.setBold(i == page);
        m_pageLabels[i]->setFont(font);
    }
    if (page != FirmData)
        journalView(VatJournalKind(page + 1))->grid()->setFocus();
    return true;
}

void TDpokForm::setPeriod(const QDate &from, const QDate &to)
{
    m_from = from;
    m_to = to;
    m_periodLabel->setText(periodText());
}

bool TDpokForm::choosePeriod()
{
    const auto dates = TRepDateForm::Ask(ReadPeriod(m_dm.db()), this, ReportPeriodDefaults{m_from, m_to});
    if (!dates)
        return false;
    setPeriod(dates->from, dates->to);
    reload();
    return true;
}

TViewerForm *TDpokForm::print()
{
    if (m_page == FirmData || !m_data->post())
        return nullptr;
    const VatJournal &journal = journalView(VatJournalKind(m_page + 1))->journal();
    if (journal.rows.isEmpty()) {
        Messages::show(NoJournalDataMessage);
        return nullptr;
    }
    return TViewerForm::Show(std::make_unique<JournalReportJob>(journal, firmName()), this);
}

TViewerForm *TDpokForm::declaration()
{
    if (!m_data->post())
        return nullptr;
    const auto firm = m_fd.Firm(m_fd.currentFirmId);
    if (!firm)
        throw MyException(u"Фирмата не е намерена в регистъра!"_s);
    ReadSnapshot books(m_dm.db());
    const Declaration d = Declarations::Build(books.db(), m_fd.db(), *firm, m_from, m_to);
    return TViewerForm::Show(std::make_unique<DeclarationReportJob>(d), this);
}

bool TDpokForm::writeFiles()
{
    if (!m_data->post())
        return false;
    const QString folder = chooseFolder ? chooseFolder(this, FolderCaption()) : QString();
    if (folder.isEmpty())
        return false;
    return writeFilesTo(folder);
}

bool TDpokForm::writeFilesTo(const QString &folder)
{
    if (!m_data->post())
        return false;
    const auto firm = m_fd.Firm(m_fd.currentFirmId);
    if (!firm)
        throw MyException(u"Фирмата не е намерена в регистъра!"_s);
    // Both files are made before either is written: a journal without sums writes nothing.
    QList<std::pair<QString, QByteArray>> files;
    QStringList existing;
    for (const VatJournalKind kind : {VatJournalKind::Purchases, VatJournalKind::Sales}) {
        const QString path = QDir(folder).filePath(JournalFile::FileName(kind));
        files.append({path, JournalFile::Bytes(*firm, journalView(kind)->journal())});
        if (QFileInfo::exists(path))
            existing << QDir::toNativeSeparators(path);
    }
    if (!existing.isEmpty()
        && !Messages::confirmed(u"Файловете вече съществуват:\r"_s + existing.join(u'\r') + u"\rДа бъдат ли заменени?"_s))
        return false;
    QStringList written;
    for (const auto &[path, bytes] : files) {
        JournalFile::Write(path, bytes);
        written << QDir::toNativeSeparators(path);
    }
    Messages::show(u"Дневниците са записани:\r"_s + written.join(u'\r'));
    return true;
}

void TDpokForm::openDocument(const JournalRow &row)
{
    if (!Documents::Find(m_dm.db(), row.Nom_Doc_No)) {
        Messages::show(DocumentNotFoundMessage);
        reload();
        return;
    }
    if (documentOpener)
        documentOpener(row.Nom_Doc_No);
    reload();
}

void TDpokForm::back()
{
    if (!m_data->post())
        return;
    done(QDialog::Accepted);
}

void TDpokForm::reject() { RunGuarded([this] { back(); }); }
