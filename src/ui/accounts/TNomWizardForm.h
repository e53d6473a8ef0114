#pragma once
// The editor of an analytic level, a lot of a level, or a document folder. One form serves all
// three: a lot of a counterparty level gets the counterparty data on a second page, a lot of a
// goods level its unit and inventory number.
#include "accounts/NomRules.h"
#include "firm/RecordLocks.h"
#include "widgets/TitleStripDialog.h"

#include <QMap>
#include <optional>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class TDM;

class TNomWizardForm : public TitleStripDialog {
    Q_OBJECT
public:
    // kind: 0 level, 1 lot of `level`, 2 folder; no number: add.
    TNomWizardForm(TDM &dm, int kind, int level, std::optional<int> number, QWidget *parent = nullptr);

    // Opens the editor modally; the number of the item saved last, or nothing when nothing was.
    static std::optional<int> Run(TDM &dm, int kind, int level, std::optional<int> number, QWidget *parent);

    // Takes the row's lock (edit) or draws the new number (add) and fills the boxes. False, with
    // the holder named, when another copy of the program edits the row.
    bool begin();
    bool save();        // "Запис"
    bool saveAndNew();  // "Запис+Нов"
    void reject() override;  // "Отказ" and the close glyph
    void toggleExtraData();  // "Допълнителни данни" / "Обратно"

    std::optional<int> savedNumber() const { return m_saved; }
    bool adding() const { return m_adding; }
    int number() const { return m_item.number; }
    int pageIndex() const;
    QString helpText() const { return m_helpText; }
    QString stateText() const;

    QLineEdit *nameEdit() const { return m_name; }
    QLabel *numberLabel() const { return m_number; }
    QLabel *typeLabel() const { return m_typeLabel; }
    QRadioButton *typeButton(int type) const;
    // The boxes of the extra fields by their table field name (NomEl_Dn, NomEl_Med, NomEl_Bs …).
    QLineEdit *field(const QString &fieldName) const { return m_fields.value(fieldName); }
    QPushButton *extraButton() const { return m_extra; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *saveNewButton() const { return m_saveNew; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QWidget *buildMainPage();
    QWidget *buildExtraPage();
    QLineEdit *addField(QFormLayout *form, const QString &label, const QString &fieldName, int maxLength);
    void setUpControls();
    void showItem();
    NomRules::NomItem typedItem() const;
    bool post();

    TDM &m_dm;
    int m_kind;
    int m_level;
    std::optional<int> m_editNumber;
    bool m_adding;
    NomRules::NomItem m_item;
    std::optional<int> m_saved;
    RecordLock m_lock;
    QString m_helpText;

    QLabel *m_state;
    QStackedWidget *m_pages;
    QLabel *m_number;
    QLineEdit *m_name;
    QLabel *m_typeLabel;
    QRadioButton *m_listType;
    QRadioButton *m_kontraType;
    QMap<QString, QLineEdit *> m_fields;
    QMap<QString, QWidget *> m_fieldLabels;
    QPushButton *m_extra;
    QLabel *m_help;
    QPushButton *m_save;
    QPushButton *m_saveNew;
    QPushButton *m_cancel;
};
