// The control information register: the user keeps the control row (dates, closing day, first fiscal
// month, voucher counter, tax rates, the era table and the company lines), each field taken into the
// program's control row as it is left and the whole row written to the file on register.
#pragma once

#include "shell/entry_window.h"

#include <cstdint>

namespace masters {

class frmCMNCNTR : public shell::EntryWindow {
    Q_OBJECT
public:
    enum Button { RegisterButton = 0, EndButton = 1 };

    explicit frmCMNCNTR(data::ProgramState& state, QWidget* parent = nullptr);

protected:
    void fieldEntered(int index) override;
    void showEditForm(int index) override;
    void showField(int index) override { ShowControlField(index); }
    void storeField(int index, const QString& text) override;
    QWidget* moveTarget(int index, shell::FocusMove move) override;
    void buttonClicked(int index) override;

private:
    void buildLayout();
    void FillEraCombos();
    void RefreshEraDates();
    void ShowControlField(int Index);
    std::int32_t& dateOf(int index);

    void storeDate(int index, std::int64_t value, const std::string& text);
    void storeEraName(int index, const std::string& text);
    void storeEraStart(int index, std::int64_t value, const std::string& text);

    bool keepPickedText_ = false; // a picked first day of an era was refused: the field keeps it
};

} // namespace masters
