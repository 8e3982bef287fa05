// The code register: the user keeps the codes of every code category (subject classes, counterparts,
// detail classifications and the rest), each with its content text and four remarks.
#pragma once

#include "data/records.h"
#include "shell/entry_window.h"
#include "shell/recordset_grid_view.h"

#include <cstdint>
#include <string>

class QGroupBox;

namespace masters {

class frmCMNCODE : public shell::EntryWindow {
    Q_OBJECT
public:
    // Grid indexes.
    enum Grid { CodeList = 0, CategoryList = 1 };

    explicit frmCMNCODE(data::ProgramState& state, QWidget* parent = nullptr);

    shell::RecordsetGrid* DBGrid1(int index) const { return grids_[index]; }
    QGroupBox* Frame2() const { return frame2_; }
    std::int16_t categoryNumber() const { return categoryNo_; }
    std::int32_t code() const { return code_; }
    // The code's content and remarks as the window will register them.
    const data::F10Rec& record() const { return record_; }

    // Reads ("GET"), writes ("PUT") or deletes ("DEL") the code of the window's key; status 9 when a read
    // or a delete finds no row.
    void UPD_F10(const std::string& mode, std::int16_t& status);

protected:
    void fieldEntered(int index) override;
    // Leaving a field untouched leaves it as it is.
    void showField(int index) override { (void)index; }
    int lengthLimit(int index) const override;
    std::string requiredFieldMessage(int index) const override;
    bool entersAgainWhenRefused(int index) const override { return index <= 1; }
    void storeField(int index, const QString& text) override;
    QWidget* moveTarget(int index, shell::FocusMove move) override;
    bool movesWhateverTheShiftState(shell::FocusMove move) const override { return move == shell::FocusMove::Down; }
    void refreshLists() override;
    void windowActivated() override { refreshLists(); }
    void buttonClicked(int index) override;

private:
    void buildLayout();

    void ClearCategoryFields();
    void ClearDetailFields();
    void ShowCodeFields();
    // Status 9 after its message when the key is not complete.
    void CheckCodeKey(std::int16_t& status);
    // The window's own category read by its number; false when it is not in the category table.
    bool readCategory();

    void registerCode();
    void deleteCode();
    void search();
    void codeChosen();
    void categoryChosen();

    std::int16_t categoryNo_ = 0;
    std::int32_t code_ = 0;
    // The content and remarks being edited; the shared buffer only carries them to the file.
    data::F10Rec record_;

    QGroupBox* frame2_ = nullptr;
    shell::RecordsetGrid* grids_[2] = {};
    shell::RecordsetGridModel* codeModel_ = nullptr;
    shell::RecordsetGridModel* categoryModel_ = nullptr;
};

} // namespace masters
