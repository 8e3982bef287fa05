// The depreciation rows of one fixed asset: the user picks or types a row by year-month and category,
// has it seeded from the previous row and computed, adjusts its amounts, and registers or deletes it.
#pragma once

#include "assets/depreciation_computation.h"
#include "shell/entry_window.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QListWidget;
class QListWidgetItem;

namespace assets {

// The asset whose rows are kept, as the register saved it, with its subject's name.
struct AssetForRows {
    data::F28Rec asset;
    QString subjectName;
};
using AssetSource = std::function<std::optional<AssetForRows>()>;

class frmACT0400A : public shell::EntryWindow {
    Q_OBJECT
public:
    frmACT0400A(data::ProgramState& state, AssetSource source, QWidget* parent = nullptr);
    ~frmACT0400A() override;

    QListWidget* List2() const { return list_; }
    std::int16_t recordState() const { return RecordState; }
    const data::F28Rec& asset() const { return asset_; }

protected:
    void fieldEntered(int index) override;
    void showEditForm(int index) override;
    void showField(int index) override { ShowRowFields(index); }
    void storeField(int index, const QString& text) override;
    // The key fields are checked whenever they are left; a refused field is entered afresh.
    bool checkedWhenUnedited(int index) const override { return index <= 1 && !SkipNextCheck; }
    bool entersAgainWhenRefused(int index) const override {
        (void)index;
        return true;
    }
    QWidget* moveTarget(int index, shell::FocusMove move) override;
    void windowActivated() override;
    void buttonClicked(int index) override;

private:
    void buildLayout();
    // Takes the register's asset; a different asset than before selects its rows.
    void takeAsset();
    void CopyAssetHeader();
    void selectRows();
    void readRows();
    void FillDepreciationList();
    void ClearRowFields();
    void ShowRowFields(int index);
    bool ShowEraMonth(std::int32_t ym, int index);

    bool searchRow();
    bool laterRowsQuestion();
    void registerRow();
    void deleteRow();
    void rowChosen(QListWidgetItem* item);
    bool findStoredRow();
    void storeYearMonth(const std::string& text);
    // Computes `row` again and takes it as the row being entered.
    void recompute(data::F50Rec row);

    AssetSource source_;
    data::F28Rec asset_; // the asset, this window's own copy
    QString subjectName_;
    data::F50Rec row_;               // the row being entered, prepared by a search or a list choice
    std::vector<data::F50Rec> rows_; // the asset's stored rows in their order
    std::unique_ptr<db::QueryRecordset> DepreciationRowSet;
    std::int32_t RowYM = 0;
    std::int16_t RowCategory = -1;
    PreviousRow previous_;
    bool SkipNextCheck = false; // a row chosen in the list: the field left for it is not checked

    QListWidget* list_ = nullptr;
};

} // namespace assets
