// The cash balance table: the balance carried into the fiscal year and each month's cash receipts
// and payments, with the month balances that follow from them, kept in the one row of F46TB.
#pragma once

#include "data/records.h"
#include "shell/entry_window.h"

#include <cstdint>

namespace journal {

class frmACT0210 : public shell::EntryWindow {
    Q_OBJECT
public:
    // The window over the cash balance row as the file holds it now, or nullptr when the row cannot
    // be read (the user has been told).
    static frmACT0210* create(data::ProgramState& state, QWidget* parent = nullptr);
    ~frmACT0210() override;

    // What the window will register: its own copy of the row, apart from F46Record, which any report
    // or job may read into meanwhile.
    const data::F46Rec& cashRow() const { return row_; }

protected:
    void showEditForm(int index) override;
    void showField(int index) override;
    void storeField(int index, const QString& text) override;
    QWidget* moveTarget(int index, shell::FocusMove move) override;
    void buttonClicked(int index) override;

private:
    explicit frmACT0210(data::ProgramState& state, QWidget* parent);
    void makeControls();
    void setMonthCaptions();
    bool loadRow();
    void registerRow();
    void rowStoredByJob();

    void ShowBalanceField(int Index);
    void CalcBalances();
    void showAllFields();

    data::F46Rec row_;
};

} // namespace journal
