#pragma once
// The borderless account picker laid over the caller's control: one box for the account and one
// per analytic level of the chosen account. The variants differ in what they require before
// "Запис" and in where the choice goes; both open the account and lot editors from the labels.
#include "accounts/AccountPicker.h"

#include <QDialog>
#include <array>

class MouseLabel;
class QComboBox;
class QPushButton;
class TDM;
class TFD;

class AccountPickerDialog : public QDialog {
    Q_OBJECT
public:
    AccountPickerDialog(TFD &fd, TDM &dm, PickerVariant variant, QWidget *parent = nullptr);

    // Reads the accounts and shows `account` with `lots` in its boxes.
    void start(int account, const LotKey &lots);
    // The same screen position, width and height as the caller's control.
    void placeOver(const QWidget *over);

    PickerChoice choice() const;
    const PickerLotBoxes &boxes() const { return m_boxes; }

    bool confirm();  // "Запис"
    void accountLabelPressed(Qt::MouseButton button);
    void lotLabelPressed(int position, Qt::MouseButton button);

    QComboBox *accountBox() const { return m_accountBox; }
    QComboBox *lotBox(int position) const { return m_lotBoxes[position - 1]; }  // 1..5
    MouseLabel *accountLabel() const { return m_accountLabel; }
    MouseLabel *lotLabel(int position) const { return m_lotLabels[position - 1]; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    TFD &fd() { return m_fd; }
    TDM &dm() { return m_dm; }
    // Receives the confirmed choice; the picker closes with "Запис" right after.
    virtual void take(const TAccountStr &picked) = 0;
    // Around an editor opened from a label.
    virtual void editorOpening() {}
    virtual void editorClosed() {}

private:
    void fillAccounts(int account);
    void accountChosen();
    void fillLotBox(int position, int lot);
    void chooseLot(int position, int lot);
    int chosenAccount() const;

    TFD &m_fd;
    TDM &m_dm;
    PickerVariant m_variant;
    PickerLotBoxes m_boxes;
    bool m_filling = false;

    MouseLabel *m_accountLabel;
    QComboBox *m_accountBox;
    std::array<MouseLabel *, 5> m_lotLabels{};
    std::array<QComboBox *, 5> m_lotBoxes{};
    QPushButton *m_save;
    QPushButton *m_cancel;
};
