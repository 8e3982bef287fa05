// The subject register: the user looks subjects and their details up by key or in the lists, and adds,
// renames, changes the monthly figures of and deletes them.
#pragma once

#include "masters/subject_records.h"
#include "shell/entry_window.h"
#include "shell/recordset_grid_view.h"

#include <cstdint>
#include <memory>

class QGroupBox;

namespace masters {

class frmACT0010 : public shell::EntryWindow {
    Q_OBJECT
public:
    // Grid indexes.
    enum Grid { CodeList = 0, SubjectList = 1 };
    // Button indexes.
    enum Button { RegisterButton = 0, DeleteButton = 1, EndButton = 2, SearchButton = 3 };

    explicit frmACT0010(data::ProgramState& state, QWidget* parent = nullptr);
    ~frmACT0010() override;

    shell::RecordsetGrid* DBGrid1(int index) const { return grids_[index]; }
    QGroupBox* Frame2() const { return frame2_; }
    const SubjectEntry& entry() const { return entry_; }
    std::int16_t recordState() const { return RecordState; }

protected:
    void fieldEntered(int index) override;
    // A refused key comes back empty, as when the field is entered.
    bool entersAgainWhenRefused(int index) const override { return index == 0 || index == 1 || index == 3; }
    void showEditForm(int index) override;
    void showField(int index) override;
    int lengthLimit(int index) const override;
    void storeField(int index, const QString& text) override;
    QWidget* moveTarget(int index, shell::FocusMove move) override;
    void refreshLists() override;
    void windowActivated() override;
    void buttonClicked(int index) override;

private:
    void buildLayout();
    void bindGrids();
    void setYearCaptions();

    // Shows field `index` in its display form; for the class and a detail the status of the name look-up
    // (0 found, 9 not), else 0.
    std::int16_t ShowField(int index);
    void ClearCategoryFields();
    void ClearDetailFields();
    // What entering a key field throws away.
    void clearForEntering(int index);
    bool CheckSubjectKey();
    std::int16_t SubjectRecordIO(const std::string& mode);

    void storeClass(std::int32_t value);
    void storeSubjectCode(std::int32_t value);
    void storeDetailCode(std::int32_t value);
    void storeFlag(int index, std::int64_t value);
    void storeFigure(int index, const std::string& text);

    void search();
    void registerSubject();
    void deleteSubject();

    void subjectChosen();
    void codeChosen();

    SubjectEntry entry_;
    std::unique_ptr<db::QueryRecordset> codeListSet_;
    QGroupBox* frame2_ = nullptr;
    shell::RecordsetGrid* grids_[2] = {};
    shell::QueryGridModel* codeModel_ = nullptr;
    shell::RecordsetGridModel* subjectModel_ = nullptr;
};

} // namespace masters
