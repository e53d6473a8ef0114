#include "vat/VatFirmData.h"

#include "engine/Db.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "registry/TFD.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace VatFirmData {

namespace {
constexpr int MaxBranch = 9999;  // four places in the VAT files

QString FirmRecord::*TextMember(const QString &field)
{
    static const QHash<QString, QString FirmRecord::*> members = {
        {u"Firm_DN"_s, &FirmRecord::Firm_DN},           {u"Firm_BS"_s, &FirmRecord::Firm_BS},
        {u"Firm_Name"_s, &FirmRecord::Firm_Name},       {u"Firm_Adres"_s, &FirmRecord::Firm_Adres},
        {u"Firm_Tel"_s, &FirmRecord::Firm_Tel},         {u"Firm_HedDDS"_s, &FirmRecord::Firm_HedDDS},
        {u"Firm_HedDDSPr"_s, &FirmRecord::Firm_HedDDSPr}, {u"Firm_SubDDS"_s, &FirmRecord::Firm_SubDDS}};
    return members.value(field, nullptr);
}

QDate FirmRecord::*DateMember(const QString &field)
{
    if (field == u"Firm_LastDDSReg"_s)
        return &FirmRecord::Firm_LastDDSReg;
    if (field == u"Firm_LastDDSRegEnd"_s)
        return &FirmRecord::Firm_LastDDSRegEnd;
    return nullptr;
}

const QString BranchField = u"Firm_Klon"_s;

}  // namespace

const QList<VatFirmField> &Fields()
{
    static const QList<VatFirmField> fields = {
        {u"Данъчен номер:"_s, u"Firm_DN"_s, 10},
        {u"Булстат:"_s, u"Firm_BS"_s, 10},
        {u"Име на фирмата:"_s, u"Firm_Name"_s, 30},
        {u"Адрес:"_s, u"Firm_Adres"_s, 50},
        {u"Клон:"_s, u"Firm_Klon"_s, 0},
        {u"Телефон за контакт:"_s, u"Firm_Tel"_s, 15},
        {u"Име на лицето подписващо справката декларация:"_s, u"Firm_HedDDS"_s, 30},
        {u"Длъжност на лицето подписващо справката декларация:"_s, u"Firm_HedDDSPr"_s, 15},
        {u"Име на лицето подаващо магнитните носители:"_s, u"Firm_SubDDS"_s, 30},
        {u"Дата на последна регистрация по ДДС:"_s, u"Firm_LastDDSReg"_s, 0},
        {u"Дата на последно прекратяване на регистрацията по ДДС:"_s, u"Firm_LastDDSRegEnd"_s, 0},
    };
    return fields;
}

QString Value(const FirmRecord &firm, const QString &field)
{
    if (auto m = TextMember(field))
        return firm.*m;
    if (auto m = DateMember(field))
        return Formats::Date(firm.*m);
    if (field == BranchField)
        return QString::number(firm.Firm_Klon);
    return {};
}

bool SetValue(FirmRecord &firm, const QString &field, const QString &text)
{
    if (auto m = TextMember(field)) {
        firm.*m = text;
        return true;
    }
    if (auto m = DateMember(field)) {
        const QString t = QString(text).remove(u' ');
        if (t.isEmpty() || t == u".."_s) {
            firm.*m = QDate();
            return true;
        }
        const QDate date = Formats::ParseDate(t);
        if (!date.isValid())
            return false;
        firm.*m = date;
        return true;
    }
    if (field == BranchField) {
        bool ok = false;
        const int branch = text.trimmed().isEmpty() ? 0 : text.trimmed().toInt(&ok);
        if (!text.trimmed().isEmpty() && (!ok || branch < 0 || branch > MaxBranch))
            return false;
        firm.Firm_Klon = branch;
        return true;
    }
    return false;
}

QString Problem(const FirmRecord &firm)
{
    if (const QString problem = FirmRecordProblem(firm); !problem.isEmpty())
        return problem;
    for (const VatFirmField &f : Fields())
        if (auto m = TextMember(f.field); m && (firm.*m).size() > f.maxLength)
            return f.label + u" най-много "_s + QString::number(f.maxLength) + u" знака!"_s;
    if (firm.Firm_Klon < 0 || firm.Firm_Klon > MaxBranch)
        return u"Клонът е число от 0 до 9999!"_s;
    return {};
}

bool Save(TFD &fd, const FirmRecord &loaded, const FirmRecord &edited)
{
    if (const QString problem = Problem(edited); !problem.isEmpty()) {
        Messages::show(problem);
        return false;
    }
    fd.UpdateFirm(loaded, edited);
    return true;
}

}  // namespace VatFirmData
