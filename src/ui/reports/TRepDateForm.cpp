#include "reports/TRepDateForm.h"

#include "app/TErrorHook.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "widgets/Accelerators.h"
#include "widgets/DateBox.h"
#include "widgets/EditorWidgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TRepDateForm::TRepDateForm(const ReportingPeriod &period, std::optional<ReportPeriodDefaults> start,
                           QWidget *parent)
    : TitleStripDialog(u"    Избор на период:"_s, parent), m_period(period)
{
    m_from = NewDateBox(body());
    m_to = NewDateBox(body());
    const ReportPeriodDefaults dates = start.value_or(DefaultReportPeriod(period));
    m_from->setDate(dates.from);
    m_to->setDate(dates.to);

    m_ok = new QPushButton(u"OK"_s, body());
    m_exit = new QPushButton(u"Изход"_s, body());
    m_ok->setDefault(true);

    auto *fields = new QFormLayout;
    fields->addRow(u"От:"_s, m_from);
    fields->addRow(u"До:"_s, m_to);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_exit);
    auto *layout = new QVBoxLayout(body());
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, [this] { RunGuarded([this] { ok(); }); });
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);
    SetDialogKeys(m_ok, m_exit);
    resize(260, 130);
    CentreOnDesktop(this);
}

std::optional<ReportPeriodDefaults> TRepDateForm::Ask(const ReportingPeriod &period, QWidget *parent,
                                                      std::optional<ReportPeriodDefaults> start)
{
    TRepDateForm form(period, start, parent);
    if (RunModal(form) != QDialog::Accepted)
        return std::nullopt;
    return form.dates();
}

void TRepDateForm::showEvent(QShowEvent *event)
{
    TitleStripDialog::showEvent(event);
    m_from->setFocus();
    m_from->selectAll();  // what is typed replaces the default
}

bool TRepDateForm::ok()
{
    const QString problem = PeriodDialogProblem(m_from->text(), m_to->text(), m_period);
    if (!problem.isEmpty()) {
        Messages::show(problem);
        return false;
    }
    accept();
    return true;
}

ReportPeriodDefaults TRepDateForm::dates() const
{
    return {Formats::ParseDate(m_from->text()), Formats::ParseDate(m_to->text())};
}
