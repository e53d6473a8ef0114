#include "closing/TFinishForm.h"

#include "app/TErrorHook.h"
#include "widgets/Accelerators.h"

#include "engine/Messages.h"
#include "shell/MainWindowModel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QString AccountListText(const QList<int> &accounts)
{
    QStringList numbers;
    for (int account : accounts)
        numbers << QString::number(account);
    return numbers.join(u", "_s);
}
}  // namespace

TFinishForm::TFinishForm(const FirmRecord &firm, QWidget *parent, const QList<int> &staff,
                         std::function<void()> showList)
    : TitleStripDialog(u"Приключване на годината"_s, parent)
{
    auto *about = new QLabel(YearClosingDescription(firm), body());
    about->setWordWrap(true);
    about->setMinimumWidth(460);

    m_leftOpen = new QLineEdit(AccountListText(DefaultLeftOpen), body());
    m_leftOpen->setToolTip(u"Сметки от раздели 6 и 7, чиито салда се пренасят, вместо да се приключат "
                           "(незавършено производство, разходи за придобиване на активи)."_s);
    m_result = new QCheckBox(u"Резултатът от сметка 123 да се пренесе по сметки 121/122"_s, body());
    m_result->setChecked(true);
    auto *form = new QFormLayout;
    form->addRow(u"Сметки, които не се приключват:"_s, m_leftOpen);
    form->addRow(QString(), m_result);
    if (ConvertsCurrency(firm.Firm_Period, firm.Firm_Period + 1)) {
        m_difference = new QLineEdit(QString::number(DefaultDifferenceAccount), body());
        m_difference->setToolTip(u"Синтетична сметка, по която се пренася разликата от закръгляването при "
                                 "превалутирането на салдата в евро."_s);
        m_staff = new QLineEdit(AccountListText(staff), body());
        m_staff->setToolTip(u"Сметки със задължения към персонала освен 421: сумите им в евро се закръгляват "
                            "нагоре в полза на работника."_s);
        form->addRow(u"Сметка за разликите от закръгляване:"_s, m_difference);
        form->addRow(u"Сметки към персонала освен 421:"_s, m_staff);
    }

    m_close = new QPushButton(u"&Приключване"_s, body());
    m_cancel = new QPushButton(u"&Отказ"_s, body());
    m_close->setDefault(true);
    auto *buttons = new QHBoxLayout;
    if (showList) {
        m_list = new QPushButton(u"&Списък за превалутиране"_s, body());
        buttons->addWidget(m_list);
        connect(m_list, &QPushButton::clicked, this, [showList] { RunGuarded(showList); });
    }
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(body());
    layout->addWidget(about);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_close, &QPushButton::clicked, this, [this] { accept_(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    SetDialogKeys(m_close, m_cancel);
}

std::optional<ClosingOptions> TFinishForm::Ask(const FirmRecord &firm, QWidget *parent, const QList<int> &staff,
                                               std::function<void()> showList)
{
    TFinishForm form(firm, parent, staff, std::move(showList));
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.options();
}

bool TFinishForm::accept_()
{
    const auto leftOpen = ParseAccountList(m_leftOpen->text());
    if (!leftOpen) {
        m_leftOpen->setFocus();
        Messages::show(u"Посочете сметките с номерата им, разделени със запетая (например 611, 612, 613)!"_s);
        return false;
    }
    m_options.leftOpen = *leftOpen;
    if (m_difference) {
        const auto difference = ParseAccountList(m_difference->text());
        if (!difference || difference->size() != 1) {
            m_difference->setFocus();
            Messages::show(u"Посочете една сметка за разликите от закръгляване (например 122)!"_s);
            return false;
        }
        const auto staff = ParseAccountList(m_staff->text());
        if (!staff) {
            m_staff->setFocus();
            Messages::show(u"Посочете сметките към персонала с номерата им, разделени със запетая (например "
                           "425)!"_s);
            return false;
        }
        m_options.differenceAccount = difference->first();
        m_options.staffAccounts = *staff;
    }
    m_options.resultBroughtForward = m_result->isChecked();
    accept();
    return true;
}

void TFinishForm::showEvent(QShowEvent *event)
{
    TitleStripDialog::showEvent(event);
    CentreOnDesktop(this);
}
