#include "closing/TFinishForm.h"

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

TFinishForm::TFinishForm(const FirmRecord &firm, QWidget *parent)
    : TitleStripDialog(u"Приключване на годината"_s, parent)
{
    auto *about = new QLabel(YearClosingDescription(firm), body());
    about->setWordWrap(true);
    about->setMinimumWidth(460);

    QStringList open;
    for (int account : DefaultLeftOpen)
        open << QString::number(account);
    m_leftOpen = new QLineEdit(open.join(u", "_s), body());
    m_leftOpen->setToolTip(u"Сметки от раздели 6 и 7, чиито салда се пренасят, вместо да се приключат "
                           "(незавършено производство, разходи за придобиване на активи)."_s);
    m_result = new QCheckBox(u"Резултатът от сметка 123 да се пренесе по сметки 121/122"_s, body());
    m_result->setChecked(true);
    auto *form = new QFormLayout;
    form->addRow(u"&Сметки, които не се приключват:"_s, m_leftOpen);
    form->addRow(QString(), m_result);

    m_close = new QPushButton(u"&Приключване"_s, body());
    m_cancel = new QPushButton(u"&Отказ"_s, body());
    m_close->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(body());
    layout->addWidget(about);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_close, &QPushButton::clicked, this, [this] { accept_(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<ClosingOptions> TFinishForm::Ask(const FirmRecord &firm, QWidget *parent)
{
    TFinishForm form(firm, parent);
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
    m_options.resultBroughtForward = m_result->isChecked();
    accept();
    return true;
}

void TFinishForm::showEvent(QShowEvent *event)
{
    TitleStripDialog::showEvent(event);
    CentreOnDesktop(this);
}
