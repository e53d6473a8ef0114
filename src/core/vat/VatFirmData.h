#pragma once
// The firm's data as the VAT window keeps them (page "Данни за фирмата"): what the files and
// the declaration print, and who signs and hands them in.
#include "registry/FirmRecord.h"

#include <QList>
#include <QString>

class TFD;

struct VatFirmField {
    QString label;     // "Данъчен номер:"
    QString field;     // the FirmData field
    int maxLength;     // characters; 0 for the dates and the branch number
};

namespace VatFirmData {

// The page's fields in their order.
const QList<VatFirmField> &Fields();

// A field's value as the page shows it (dates dd.MM.yyyy, empty for none).
QString Value(const FirmRecord &firm, const QString &field);
// Sets a field from the typed text; false (and the record unchanged) when the text is not a
// value of the field.
bool SetValue(FirmRecord &firm, const QString &field, const QString &text);

// The first problem of the data as typed, or an empty text.
QString Problem(const FirmRecord &firm);

// Writes the fields of the page that differ between `loaded` and `edited`, so what another user
// changed meanwhile in the other fields stays. Shows and answers false on a problem.
bool Save(TFD &fd, const FirmRecord &loaded, const FirmRecord &edited);

}  // namespace VatFirmData
