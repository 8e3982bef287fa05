// The description register: the user keeps the descriptions, ready-made voucher lines whose subject,
// detail, counterpart, remark, direction and amount voucher entry takes by naming their code.
#pragma once

#include "data/records.h"
#include "shell/entry_window.h"
#include "shell/recordset_grid_view.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QGroupBox;

namespace masters {

class frmACT0030 : public shell::EntryWindow {
    Q_OBJECT
public:
    // Grid indexes.
    enum Grid { DescriptionList = 0, SubjectList = 1, CodeList = 2 };

    explicit frmACT0030(data::ProgramState& state, QWidget* parent = nullptr);
    ~frmACT0030() override;

    shell::RecordsetGrid* DBGrid1(int index) const { return grids_[index]; }
    QGroupBox* Frame2() const { return frame2_; }
    const std::string& descriptionCode() const { return DescriptionCode; }
    std::int16_t recordState() const { return RecordState; }
    // The description as the window will register it.
    const data::F18Rec& record() const { return record_; }

protected:
    void fieldEntered(int index) override;
    void showEditForm(int index) override;
    void showField(int index) override { ShowField(index); }
    int lengthLimit(int index) const override;
    // A refused code empties the window; the other fields come back with what the user typed.
    bool entersAgainWhenRefused(int index) const override { return index == 0; }
    void storeField(int index, const QString& text) override;
    QWidget* moveTarget(int index, shell::FocusMove move) override;
    void refreshLists() override;
    void windowActivated() override { refreshLists(); }
    void buttonClicked(int index) override;

private:
    void buildLayout();
    void bindGrids();

    void ClearDescriptionForm();
    // Shows field i in its display form with its looked-up name; the look-up's status (0 found, 9 not),
    // 0 for a field without one.
    std::int16_t ShowField(int index);
    // Whether showing field `index` finds its code, for takeUnlessRefused.
    std::function<bool()> shownFound(int index);
    // Reads ("GET"), writes ("PUT") or deletes ("DEL") the description DescriptionCode; 9 when a read or
    // a delete finds no row.
    std::int16_t DescriptionRecordIO(const std::string& mode);

    void storeCounterpartCategory(std::int16_t category);
    void storeCounterpartCode(std::int32_t code);

    bool checkDescriptionKey();
    void registerDescription();
    void deleteDescription();
    void search();

    void descriptionChosen();
    void subjectChosen();
    void codeChosen();

    std::string DescriptionCode;
    // The description being edited. The shared buffer only carries it to the file, so that a read by
    // another window never changes what this one registers.
    data::F18Rec record_;
    std::unique_ptr<db::QueryRecordset> SubjectListSet;

    QGroupBox* frame2_ = nullptr;
    shell::RecordsetGrid* grids_[3] = {};
    shell::RecordsetGridModel* descriptionModel_ = nullptr;
    shell::QueryGridModel* subjectModel_ = nullptr;
    shell::RecordsetGridModel* codeModel_ = nullptr;
};

} // namespace masters
