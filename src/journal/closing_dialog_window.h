// frmSIME, the one dialog of both closing jobs: the job's parameter row, the closing date with its
// era list, the start and end buttons, and the tables the run touched with their counts.
#pragma once

#include "journal/closing_job.h"
#include "shell/entry_window.h"

#include <QPointer>

#include <cstdint>
#include <string>

namespace journal {

class frmSIME : public shell::EntryWindow, public ClosingDialogView {
    Q_OBJECT
public:
    static constexpr int DateField = 3;
    static constexpr int StartButton = 0;
    static constexpr int EndButton = 1;

    // Loads for state.SimeMode, whose job's set-up runs last; the job stays the same while the dialog is open.
    explicit frmSIME(data::ProgramState& state, QWidget* parent = nullptr);

    // ClosingDialogView
    void setLabel1(int index, const std::string& caption) override;
    std::string text1(int index) const override;
    void setText1(int index, const std::string& text) override;
    void setLabel3(const std::string& text) override;

    // True while a job runs.
    bool running() const { return running_; }

protected:
    void fieldEntered(int index) override;
    void showEditForm(int index) override;
    void showField(int index) override;
    void storeField(int index, const QString& text) override;
    QWidget* moveTarget(int index, shell::FocusMove move) override;
    void buttonClicked(int index) override;
    bool userCloseRequested() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void load();
    void ShowSimeDate(std::int32_t Date, std::int16_t& Err);
    void ShowSimeDate(std::int32_t Date);
    void startClicked();

    const ClosingJob* job_ = nullptr;
    QPointer<QWidget> lastFocused_; // the control that last had the focus in this dialog
    bool running_ = false;
};

} // namespace journal
