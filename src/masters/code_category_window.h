// The code category register: the user keeps the code categories, each with its name, the number of
// digits of its codes and the length of their content, which every code field is checked against.
#pragma once

#include "data/records.h"
#include "shell/entry_window.h"
#include "shell/recordset_grid_view.h"

#include <cstdint>
#include <string>

class QGroupBox;

namespace masters {

class frmCODEKBN : public shell::EntryWindow {
    Q_OBJECT
public:
    explicit frmCODEKBN(data::ProgramState& state, QWidget* parent = nullptr);

    shell::RecordsetGrid* DBGrid1() const { return grid_; }
    QGroupBox* Frame2() const { return frame2_; }
    std::int16_t categoryNumber() const { return categoryNo_; }
    // The category as the window will register it.
    const data::F10KBNRec& record() const { return record_; }

protected:
    void fieldEntered(int index) override;
    void showEditForm(int index) override;
    void showField(int index) override { ShowField(index); }
    bool entersAgainWhenRefused(int index) const override { return index != NameField; }
    void storeField(int index, const QString& text) override;
    QWidget* moveTarget(int index, shell::FocusMove move) override;
    bool movesWhateverTheShiftState(shell::FocusMove move) const override { return move == shell::FocusMove::Down; }
    void refreshLists() override;
    void windowActivated() override { refreshLists(); }
    void buttonClicked(int index) override;
    // Every other window's code fields follow the categories from the user's close on.
    bool userCloseRequested() override;

private:
    static constexpr int NameField = 1;

    void buildLayout();
    void ClearFields();
    void ShowField(int index);
    // Status 9 after its message while no category number is given.
    void CheckCategoryKey(std::int16_t& status);
    // Reads ("GET"), writes ("PUT") or deletes ("DEL") the category of the window's number; status 9
    // when a read or a delete finds no row.
    void UPD_F10KBN(const std::string& mode, std::int16_t& status);

    void registerCategory();
    void deleteCategory();
    void search();
    void categoryChosen();

    std::int16_t categoryNo_ = 0;
    // The category being edited; the shared buffer only carries it to the file.
    data::F10KBNRec record_;

    QGroupBox* frame2_ = nullptr;
    shell::RecordsetGrid* grid_ = nullptr;
    shell::RecordsetGridModel* model_ = nullptr;
};

} // namespace masters
