// The asset register: the user keeps the fixed assets, each keyed by subject and serial, with the
// rate and limit proposed as the asset is filled in, and opens the depreciation rows of the asset on screen.
#pragma once

#include "assets/depreciation_rows_window.h"
#include "shell/entry_window.h"
#include "shell/recordset_grid_view.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QGroupBox;

namespace assets {

class frmACT0400 : public shell::EntryWindow {
    Q_OBJECT
public:
    enum Grid { AssetGrid = 0, SubjectGrid = 1 };
    // Shows the named task window (made or brought forward); finds an open one.
    using WindowOpener = std::function<shell::ChildWindow*(const QString&)>;

    frmACT0400(data::ProgramState& state, WindowOpener showWindow, WindowOpener findWindow, QWidget* parent = nullptr);
    ~frmACT0400() override;

    shell::RecordsetGrid* DBGrid1(int index) const { return grids_[index]; }
    QGroupBox* Frame2() const { return frame2_; }
    std::int16_t recordState() const { return RecordState; }
    const data::F28Rec& asset() const { return asset_; }

    // The asset last saved for its depreciation rows; nothing once it was deleted.
    std::optional<AssetForRows> assetForRows() const { return assetForRows_; }

protected:
    void fieldEntered(int index) override;
    void showEditForm(int index) override;
    void showField(int index) override { ShowAssetFields(index); }
    int lengthLimit(int index) const override;
    int maxLengthOnEntering(int index) const override;
    // A refused value is not kept: the field is entered afresh, which clears the key fields after it.
    bool entersAgainWhenRefused(int index) const override {
        (void)index;
        return true;
    }
    void storeField(int index, const QString& text) override;
    QWidget* moveTarget(int index, shell::FocusMove move) override;
    void refreshLists() override;
    void windowActivated() override;
    void buttonClicked(int index) override;
    bool userCloseRequested() override;

private:
    void buildLayout();
    void bindGrids();

    bool CheckAssetKey();
    void ClearKeyFields();
    void ClearAssetFields();
    void NewAsset();
    void ShowAssetFields(int index);
    std::int16_t ShowSubjectName();
    void GetNextSeq();

    void searchAsset();
    bool saveAsset();
    void deleteAsset();
    void openRows();
    void closeRows();

    void storeDate(const std::string& text);
    void storeNumber(int index, std::int64_t value);

    void subjectChosen();
    void assetChosen();

    WindowOpener showWindow_;
    WindowOpener findWindow_;
    data::F28Rec asset_; // the asset on screen, this window's own copy
    std::optional<AssetForRows> assetForRows_;
    std::int16_t KeyKbn = 0;
    std::int32_t KeyAct = 0;
    std::int32_t KeySeq = 0;
    int CurrentField = 0;
    std::unique_ptr<db::QueryRecordset> SubjectList;
    std::unique_ptr<db::QueryRecordset> SeqList;

    QGroupBox* frame1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    shell::RecordsetGrid* grids_[2] = {};
    shell::RecordsetGridModel* assetModel_ = nullptr;
    shell::QueryGridModel* subjectModel_ = nullptr;
};

} // namespace assets
