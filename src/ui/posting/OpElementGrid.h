#pragma once
// One grid of the operation template editor: account and lots (read-only) of the elements of
// one kind. The account cell of the current row carries a picker button; Space in the account
// column opens the picker too. Like the entry grids, it only shows and reports.
#include "posting/EntryGrid.h"
#include "posting/OpTemplate.h"

class QToolButton;

class OpElementGrid : public EntryGrid {
    Q_OBJECT
public:
    explicit OpElementGrid(QWidget *parent = nullptr);

    void showElements(const QList<OpElement> &elements);
    void showElement(int row, const OpElement &element);

    QToolButton *pickerButton() const { return m_picker; }

signals:
    void pickerButtonPressed(int row);

protected:
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void placePickerButton();

    QToolButton *m_picker;
};
