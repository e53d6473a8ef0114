#pragma once
// The chooser of the counterparty level to which a new counterparty is added. Its label adds a
// level (right button) or edits the chosen one (left button).
#include "widgets/TitleStripDialog.h"

#include <optional>

class MouseLabel;
class QListWidget;
class QPushButton;
class TDM;

class TKontraAddForm : public TitleStripDialog {
    Q_OBJECT
public:
    // Lists the levels of `type` (counterparties unless told otherwise).
    explicit TKontraAddForm(TDM &dm, int type, QWidget *parent = nullptr);

    // Chooses a counterparty level and adds a counterparty to it in the lot editor; the new
    // counterparty's number, or nothing.
    static std::optional<int> Run(TDM &dm, QWidget *parent);

    void reload();  // re-reads the list, keeping the choice where it still exists
    bool choose();  // "Избор"
    void labelPressed(Qt::MouseButton button);

    std::optional<int> chosenLevel() const { return m_chosen; }
    QString helpText() const;
    QListWidget *levelList() const { return m_list; }
    MouseLabel *levelsLabel() const { return m_label; }
    QPushButton *chooseButton() const { return m_choose; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    std::optional<int> selectedLevel() const;

    TDM &m_dm;
    int m_type;
    std::optional<int> m_chosen;
    MouseLabel *m_label;
    QListWidget *m_list;
    QPushButton *m_choose;
    QPushButton *m_cancel;
};
