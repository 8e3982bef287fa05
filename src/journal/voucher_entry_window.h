// Voucher entry: the user enters, changes, steps through and deletes the lines of a voucher, with
// the vouchers, descriptions, subjects and codes listed beside the fields to choose from.
#pragma once

#include "journal/voucher_line_storage.h"
#include "shell/entry_window.h"
#include "shell/recordset_grid_view.h"

#include <cstdint>
#include <memory>
#include <string>

class QGroupBox;

namespace journal {

class frmACT0100 : public shell::EntryWindow {
    Q_OBJECT
public:
    // Grid indexes.
    enum Grid { VoucherList = 0, DescriptionList = 1, SubjectList = 2, CodeList = 3 };

    explicit frmACT0100(data::ProgramState& state, QWidget* parent = nullptr);
    ~frmACT0100() override;

    shell::RecordsetGrid* DBGrid1(int index) const { return grids_[index]; }
    QGroupBox* Frame2() const { return frame2_; }
    db::QueryRecordset* subjectListSet() const { return SubjectListSet.get(); }

    std::int32_t voucherDate() const { return VoucherDate; }
    std::int32_t voucherNo() const { return VoucherNo; }
    std::int16_t lineNo() const { return LineNo; }
    std::int16_t recordState() const { return RecordState; }

protected:
    void fieldEntered(int index) override;
    void showEditForm(int index) override;
    void showField(int index) override { ShowField(index); }
    int lengthLimit(int index) const override;
    void storeField(int index, const QString& text) override;
    QWidget* moveTarget(int index, shell::FocusMove move) override;
    void refreshLists() override;
    void windowActivated() override;
    void buttonClicked(int index) override;

private:
    void buildLayout();
    void bindGrids();

    void ClearVoucher();
    void ClearLine();
    // Shows field i in its display form with its looked-up name; the status of the look-up
    // (0 found, 9 not), for the date the error of DateToEra, else 0.
    std::int16_t ShowField(int index);
    // The window's side of the line storage: reads, writes or deletes the line of the key; a read
    // shows the whole line, keeping the voucher number it was read with.
    std::int16_t VoucherLineIO(const std::string& mode);
    VoucherKey key() const { return {VoucherDate, VoucherNo, LineNo}; }

    void storeDate(const std::string& text);
    void storeDescription(std::int32_t code);
    void storeAmount(int index, const std::string& text);
    void storeCounterpartCategory(std::int16_t category);
    void storeCounterpartCode(std::int32_t code);

    bool checkKey();
    void registerLine();
    void deleteLine();
    void searchFreeLine();
    void stepLine(int step);

    void voucherChosen();
    void descriptionChosen();
    void subjectChosen();
    void codeChosen();

    std::int32_t VoucherDate = 0;
    std::int32_t VoucherNo = 0;
    std::int16_t LineNo = 0;
    std::int16_t EraNo = 0;
    std::unique_ptr<db::QueryRecordset> SubjectListSet;

    bool readingLine_ = false; // the date is shown as part of a line read: the voucher number stays
    QGroupBox* frame1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    shell::RecordsetGrid* grids_[4] = {};
    shell::RecordsetGridModel* voucherModel_ = nullptr;
    shell::RecordsetGridModel* descriptionModel_ = nullptr;
    shell::QueryGridModel* subjectModel_ = nullptr;
    shell::RecordsetGridModel* codeModel_ = nullptr;
};

} // namespace journal
