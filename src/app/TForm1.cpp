#include "app/TForm1.h"

#include "app/Engine.h"
#include "app/Messages.h"
#include "app/TErrorHook.h"
#include "app/TSplashForm.h"
#include "data/Formats.h"
#include "data/TDM.h"
#include "data/TFD.h"
#include "data/TFirmDataEditForm.h"
#include "data/TFirmForm.h"
#include "widgets/TitleStripDialog.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

TForm1::TForm1(TFD &fd, TDM &dm, QWidget *parent) : QMainWindow(parent), m_fd(fd), m_dm(dm)
{
    setWindowTitle(Product::Title());
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopBar());
    auto *work = new QHBoxLayout;
    work->setSpacing(0);
    work->addWidget(buildNavigation());
    work->addWidget(buildStartPage(), 1);
    layout->addLayout(work, 1);
    setCentralWidget(central);
    resize(1024, 700);
}

QWidget *TForm1::buildTopBar()
{
    auto *bar = new QFrame(this);
    bar->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 4, 8, 4);
    row->setSpacing(18);

    m_date = new QLabel(dateText(), bar);
    auto *about = new ClickLabel(QStringLiteral("За програмата"), bar);
    auto *quit = new ClickLabel(QStringLiteral("Изход"), bar);
    m_header = new ClickLabel(QString(), bar);
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    // Blank on purpose: a click on it shows where the data comes from.
    auto *engine = new ClickLabel(QString(), bar);
    engine->setFixedWidth(24);
    engine->setCursor(Qt::ArrowCursor);

    row->addWidget(m_date);
    row->addWidget(about);
    row->addWidget(quit);
    row->addWidget(m_header, 1);
    row->addWidget(engine);

    connect(about, &ClickLabel::clicked, this, &TForm1::showAbout);
    connect(quit, &ClickLabel::clicked, this, &QWidget::close);
    connect(m_header, &ClickLabel::clicked, this, &TForm1::editOpenFirm);
    connect(engine, &ClickLabel::clicked, this, &TForm1::showEngineInformation);
    return bar;
}

QWidget *TForm1::buildNavigation()
{
    auto *column = new QFrame(this);
    column->setFrameShape(QFrame::StyledPanel);
    column->setFixedWidth(190);
    auto *list = new QVBoxLayout(column);
    list->setContentsMargins(4, 8, 4, 8);

    auto *choose = new QPushButton(QStringLiteral("    Избор на фирма"), column);
    choose->setFlat(true);
    choose->setStyleSheet(QStringLiteral("text-align: left; padding: 4px;"));
    m_navigation << choose;
    list->addWidget(choose);
    list->addStretch(1);

    connect(choose, &QPushButton::clicked, this, [this] { openFirmChoice(false); });
    auto *key = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_I), this);
    connect(key, &QShortcut::activated, choose, &QPushButton::click);
    return column;
}

QWidget *TForm1::buildStartPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    m_firmName = new QLabel(page);
    m_firmPeriod = new QLabel(page);
    QFont big = m_firmName->font();
    big.setPointSize(24);
    big.setBold(true);
    m_firmName->setFont(big);
    QFont medium = m_firmPeriod->font();
    medium.setPointSize(14);
    m_firmPeriod->setFont(medium);
    m_firmName->setAlignment(Qt::AlignCenter);
    m_firmPeriod->setAlignment(Qt::AlignCenter);
    layout->addStretch(1);
    layout->addWidget(m_firmName);
    layout->addWidget(m_firmPeriod);
    layout->addStretch(1);
    return page;
}

QString TForm1::headerText() const { return m_header->text(); }

QString TForm1::dateText() const { return QStringLiteral("Дата: ") + Formats::Date(QDate::currentDate()); }

QPushButton *TForm1::navigationButton(const QString &caption) const
{
    for (QPushButton *b : m_navigation)
        if (b->text() == caption)
            return b;
    return nullptr;
}

bool TForm1::event(QEvent *event)
{
    // Activation or, on a desktop without a window manager, the first show: whichever comes first.
    if ((event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) && m_firstActivation) {
        m_firstActivation = false;
        // Not from inside the event itself: the choice window runs its own event loop.
        QTimer::singleShot(0, this, [this] { openFirmChoice(true); });
    }
    return QMainWindow::event(event);
}

int TForm1::openFirmChoice(bool atStart)
{
    int result = 0;
    RunGuarded([&] {
        TFirmForm form(m_fd, m_dm, atStart, this);
        if (atStart && m_preselectedFirm != 0)
            form.selectFirm(m_preselectedFirm);
        connect(&form, &TFirmForm::terminateRequested, this, [this] { m_terminating = true; });
        result = form.exec();
    });
    if (m_terminating) {
        emit terminateRequested();
        close();
        return result;
    }
    RunGuarded([this] { refreshFirm(); });
    return result;
}

void TForm1::refreshFirm()
{
    const auto firm = m_dm.IsConnected() && m_fd.currentFirmId != 0 ? m_fd.Firm(m_fd.currentFirmId) : std::nullopt;
    if (!firm) {
        m_header->clear();
        m_firmName->clear();
        m_firmPeriod->clear();
        return;
    }
    m_header->setText(FirmHeaderText(*firm));
    m_firmName->setText(firm->Firm_Name);
    m_firmPeriod->setText(QStringLiteral("Отчетна година: ") + QString::number(firm->Firm_Period));
}

void TForm1::editOpenFirm()
{
    if (m_fd.currentFirmId == 0 || !m_dm.IsConnected())
        return;
    RunGuarded([this] {
        TFirmDataEditForm editor(m_fd, m_fd.currentFirmId, this);
        if (editor.exec() == TFirmDataEditForm::Saved)
            refreshFirm();
    });
}

void TForm1::showAbout()
{
    // Parented so it goes with the window; it frees itself when its time is up.
    auto *splash = new TSplashForm(0, this);
    splash->start();
}

void TForm1::showEngineInformation() { Messages::show(EngineSession::instance().informationText()); }

void TForm1::closeEvent(QCloseEvent *event)
{
    if (m_terminating || Messages::confirmed(QStringLiteral("Изход от програмата?")))
        event->accept();
    else
        event->ignore();
}
