#include "accounts/TNomWizardForm.h"

#include "app/TErrorHook.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "widgets/Accelerators.h"
#include "widgets/EditorWidgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString ExtraCaption = u"Допълнителни данни"_s;
// The caption the button gets back after "Запис+Нов", as the program has always written it.
const QString ExtraCaptionAfterNew = u"Допълнитени данни"_s;
const QString BackCaption = u"Обратно"_s;
const QString TypeTitle = u"Тип на аналитичния признак:"_s;

const QString ListHint = u"Партидите към аналитично\r\nниво от този тип се избират\r\nот списък, например ниво\r\n"
                         "\"Валута\" с партиди\r\n\"Щатски долар\", \"Френски\r\nфранк\" и \"Дойче марка\"."_s;
const QString KontraHint = u"Партидите към аналитично\r\nниво от този тип съдържат\r\nдопълнителни данни необходими\r\n"
                           "за отчитането на ДДС."_s;

const QStringList KontraFields = {u"NomEl_Dn"_s,    u"NomEl_Bs"_s,    u"NomEl_Sity"_s,   u"NomEl_Adres"_s,
                                  u"NomEl_Tel"_s,   u"NomEl_Other"_s, u"NomEl_BancAcc"_s};
const QStringList GoodsFields = {u"NomEl_Med"_s, u"NomEl_InvNo"_s};
}  // namespace

TNomWizardForm::TNomWizardForm(TDM &dm, int kind, int level, std::optional<int> number, QWidget *parent)
    : TitleStripDialog(NomRules::Caption(kind), parent),
      m_dm(dm),
      m_kind(kind),
      m_level(level),
      m_editNumber(number),
      m_adding(!number.has_value())
{
    m_state = AddStateLabel(*this);
    m_state->setText(StateCaption(EditState::Inactive));

    m_pages = new QStackedWidget(body());
    m_pages->addWidget(buildMainPage());
    m_pages->addWidget(buildExtraPage());

    m_help = new QLabel(body());
    m_help->setWordWrap(true);
    m_help->setFrameShape(QFrame::StyledPanel);
    m_help->setMinimumWidth(200);
    m_help->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    m_save = new QPushButton(u"Запис"_s, body());
    m_saveNew = new QPushButton(u"Запис+Нов"_s, body());
    m_cancel = new QPushButton(u"Отказ"_s, body());
    m_save->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_saveNew);
    buttons->addWidget(m_cancel);

    m_extra = new QPushButton(ExtraCaption, body());
    auto *left = new QVBoxLayout;
    left->addWidget(m_pages, 1);
    left->addWidget(m_extra, 0, Qt::AlignLeft);
    auto *top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(m_help);
    auto *layout = new QVBoxLayout(body());
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_saveNew, &QPushButton::clicked, this, [this] { saveAndNew(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
    SetDialogKeys(m_save, m_cancel);
    connect(m_extra, &QPushButton::clicked, this, [this] { toggleExtraData(); });

    resize(560, 300);
    CentreOnDesktop(this);
}

QLineEdit *TNomWizardForm::addField(QFormLayout *form, const QString &label, const QString &fieldName, int maxLength)
{
    auto *edit = new QLineEdit;
    edit->setMaxLength(maxLength);
    auto *caption = new QLabel(label);
    form->addRow(caption, edit);
    m_fields.insert(fieldName, edit);
    m_fieldLabels.insert(fieldName, caption);
    return edit;
}

QWidget *TNomWizardForm::buildMainPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    m_number = new QLabel(page);
    form->addRow(u"Номер:"_s, m_number);
    m_name = new QLineEdit(page);
    form->addRow(u"Наименование:"_s, m_name);

    m_typeLabel = new QLabel(TypeTitle, page);
    m_listType = new QRadioButton(u"Cписък"_s, page);
    m_kontraType = new QRadioButton(u"Контрагенти"_s, page);
    m_listType->setToolTip(ScreenText(ListHint));
    m_kontraType->setToolTip(ScreenText(KontraHint));
    auto *types = new QHBoxLayout;
    types->addWidget(m_listType);
    types->addWidget(m_kontraType);
    types->addStretch(1);
    form->addRow(m_typeLabel, types);

    addField(form, u"Данъчен номер:"_s, u"NomEl_Dn"_s, 10);
    addField(form, u"Мерна единица:"_s, u"NomEl_Med"_s, 20);
    addField(form, u"Инвентарен номер:"_s, u"NomEl_InvNo"_s, 20);
    return page;
}

QWidget *TNomWizardForm::buildExtraPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *guidance = new QLabel(u"Въведете допълнителни (спомагателни) данни характеризиращи избраната партида.\n"
                                "С бутона \"Обратно\" се връщате към основните данни на партидата."_s,
                                page);
    guidance->setWordWrap(true);
    layout->addWidget(guidance);
    auto *form = new QFormLayout;
    addField(form, u"Булстат:"_s, u"NomEl_Bs"_s, 13);
    addField(form, u"Град:"_s, u"NomEl_Sity"_s, 30);
    addField(form, u"Адрес:"_s, u"NomEl_Adres"_s, 50);
    addField(form, u"Телефон:"_s, u"NomEl_Tel"_s, 20);
    addField(form, u"Друго:"_s, u"NomEl_Other"_s, 50);
    addField(form, u"Банкова сметка:"_s, u"NomEl_BancAcc"_s, 34);
    layout->addLayout(form);
    layout->addStretch(1);
    return page;
}

std::optional<int> TNomWizardForm::Run(TDM &dm, int kind, int level, std::optional<int> number, QWidget *parent)
{
    TNomWizardForm form(dm, kind, level, number, parent);
    bool ready = false;
    if (!RunGuarded([&] { ready = form.begin(); }) || !ready)
        return std::nullopt;
    RunModal(form);
    return form.savedNumber();
}

bool TNomWizardForm::begin()
{
    if (m_kind != NomKind::Level && m_kind != NomKind::Lot && m_kind != NomKind::Folder)
        throw MyException(NomRules::UndefinedOperation);
    if (m_adding) {
        m_item = NomRules::NewItem(m_dm, m_kind, m_level);
    } else {
        const auto item = NomRules::Load(m_dm.db(), m_kind, m_level, *m_editNumber);
        if (!item)
            throw EngineError(QString(), {{EngineCode::RecordDeleted, QString()}});
        if (const auto holder =
                RecordLock::Acquire(m_dm.db(), NomRules::TableOf(*item), NomRules::LockKey(*item), m_lock)) {
            Messages::show(LockMessage(RecordLockPrefix, *holder));
            return false;
        }
        m_item = *item;
    }
    setUpControls();
    showItem();
    return true;
}

void TNomWizardForm::setUpControls()
{
    const bool lot = m_kind == NomKind::Lot;
    const bool kontra = lot && m_item.type == NomType::Counterparties;
    const bool goods = lot && m_item.type == NomType::Goods;
    const bool level = m_kind == NomKind::Level;

    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        const bool shown = (kontra && KontraFields.contains(it.key())) || (goods && GoodsFields.contains(it.key()));
        it.value()->setVisible(shown);
        m_fieldLabels.value(it.key())->setVisible(shown);
    }
    m_extra->setVisible(kontra);
    m_typeLabel->setVisible(level);
    m_listType->setVisible(level && m_adding);
    m_kontraType->setVisible(level && m_adding);
    if (level && m_adding) {
        m_typeLabel->setText(TypeTitle);
        m_listType->setChecked(true);
    } else if (level) {
        m_typeLabel->setText(NomRules::TypeCaption(m_item.type));
    }
    m_name->setMaxLength(kontra ? 30 : 50);

    setCaption(NomRules::Caption(m_kind));
    m_helpText = NomRules::HelpText(m_kind);
    m_help->setText(ScreenText(m_helpText));
    m_state->setText(StateCaption(m_adding ? EditState::Insert : EditState::Edit));
    m_pages->setCurrentIndex(0);
    m_extra->setText(ExtraCaption);
}

void TNomWizardForm::showItem()
{
    m_number->setText(QString::number(m_item.number));
    m_name->setText(m_item.name);
    const std::pair<const char *, const QString *> values[] = {
        {"NomEl_Dn", &m_item.dn},       {"NomEl_Med", &m_item.med},     {"NomEl_InvNo", &m_item.invNo},
        {"NomEl_Bs", &m_item.bs},       {"NomEl_Sity", &m_item.sity},   {"NomEl_Adres", &m_item.adres},
        {"NomEl_Tel", &m_item.tel},     {"NomEl_Other", &m_item.other}, {"NomEl_BancAcc", &m_item.bancAcc}};
    for (const auto &[field, value] : values)
        m_fields.value(QLatin1String(field))->setText(*value);
    m_name->setFocus();
}

NomRules::NomItem TNomWizardForm::typedItem() const
{
    NomRules::NomItem item = m_item;
    item.name = m_name->text();
    if (m_kind == NomKind::Level && m_adding)
        item.type = m_kontraType->isChecked() ? NomType::Counterparties : NomType::List;
    auto text = [this](const char *field) { return m_fields.value(QLatin1String(field))->text(); };
    item.dn = text("NomEl_Dn");
    item.med = text("NomEl_Med");
    item.invNo = text("NomEl_InvNo");
    item.bs = text("NomEl_Bs");
    item.sity = text("NomEl_Sity");
    item.adres = text("NomEl_Adres");
    item.tel = text("NomEl_Tel");
    item.other = text("NomEl_Other");
    item.bancAcc = text("NomEl_BancAcc");
    return item;
}

bool TNomWizardForm::post()
{
    NomRules::SaveResult result;
    if (!RunGuarded([&] { result = NomRules::Save(m_dm, typedItem(), m_adding); }))
        return false;
    if (!result.message.isEmpty()) {
        Messages::show(result.message);
        m_pages->setCurrentIndex(0);
        m_name->setFocus();
        return false;
    }
    m_saved = result.number;
    m_lock.release();
    return true;
}

bool TNomWizardForm::save()
{
    if (!post())
        return false;
    accept();
    return true;
}

bool TNomWizardForm::saveAndNew()
{
    if (!post())
        return false;
    m_adding = true;
    const bool numbered = RunGuarded([this] { m_item = NomRules::NewItem(m_dm, m_kind, m_level); });
    if (!numbered) {
        accept();  // what was saved stays saved; there is no new record to edit
        return false;
    }
    setUpControls();
    m_extra->setText(ExtraCaptionAfterNew);
    showItem();
    return true;
}

void TNomWizardForm::reject()
{
    m_lock.release();
    TitleStripDialog::reject();
}

void TNomWizardForm::toggleExtraData()
{
    const bool toExtra = m_pages->currentIndex() == 0;
    m_pages->setCurrentIndex(toExtra ? 1 : 0);
    m_extra->setText(toExtra ? BackCaption : ExtraCaption);
}

int TNomWizardForm::pageIndex() const { return m_pages->currentIndex(); }

QString TNomWizardForm::stateText() const { return m_state->text(); }

QRadioButton *TNomWizardForm::typeButton(int type) const
{
    if (type == NomType::List)
        return m_listType;
    if (type == NomType::Counterparties)
        return m_kontraType;
    return nullptr;
}
