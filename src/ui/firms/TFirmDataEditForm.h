#pragma once
// Editor of one firm's registry record and, for the firm that is open, of the standard VAT rate
// kept in its books.
#include "registry/FirmRecord.h"
#include "widgets/TitleStripDialog.h"

#include <QMap>

class QLabel;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TDM;
class TFD;

class TFirmDataEditForm : public TitleStripDialog {
    Q_OBJECT
public:
    static constexpr int Saved = 1;
    static constexpr int Cancelled = 2;

    // Throws when the firm cannot be read from the registry. `books` are the open firm's; the VAT
    // rate is shown when they are those of this firm.
    TFirmDataEditForm(TFD &fd, int firmId, QWidget *parent = nullptr, TDM *books = nullptr);

    // The edit box of a FirmData field ("Firm_Name", …), or null.
    QLineEdit *field(const QString &fieldName) const { return m_fields.value(fieldName); }
    QSpinBox *periodBox() const { return m_period; }
    // Why the year is read-only, or null when it may change.
    QLabel *yearLockLabel() const { return m_yearLock; }
    QDoubleSpinBox *vatRateBox() const { return m_vatRate; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }

    // What "Запис" does: refuses with a message and stays, or writes and closes.
    bool save();
    void reject() override;

    FirmRecord typedRecord() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TFD &m_fd;
    TDM *m_books = nullptr;
    FirmRecord m_record;
    QMap<QString, QLineEdit *> m_fields;
    QSpinBox *m_period;
    QLabel *m_yearLock = nullptr;
    QDoubleSpinBox *m_vatRate = nullptr;
    QPushButton *m_save;
    QPushButton *m_cancel;
};
