// frmPrint, the one parameter dialog of every printed report: six range rows, the creation date
// with its era list, and the print and end buttons. What the rows mean is the chosen report's business.
#pragma once

#include "platform/print/page.h"
#include "reports/report_module.h"
#include "shell/entry_window.h"

#include <functional>
#include <memory>
#include <string>

namespace reports {

// Opens the print job of one run of the report titled `title`.
using PrintJobOpener = std::function<std::unique_ptr<platform::PrintJob>(const std::string& title)>;

class frmPrint : public shell::EntryWindow, public ReportDialog {
    Q_OBJECT
public:
    static constexpr int DateBox = 12;
    static constexpr int PrintButton = 0;
    static constexpr int EndButton = 1;

    // Loads for state.PrintReportNo, whose module's set-up runs last.
    frmPrint(data::ProgramState& state, const ReportCatalog& catalog, PrintJobOpener openJob,
             QWidget* parent = nullptr);

    // ReportDialog
    data::ProgramState& state() override { return EntryWindow::state(); }
    std::string fieldText(int index) const override;
    void setFieldText(int index, const std::string& text) override;
    std::string label(int index) const override;
    void setLabel(int index, const std::string& text) override;

    // The report the dialog was loaded for.
    std::int16_t loadedReportNo() const { return loadedReportNo_; }

protected:
    void fieldEntered(int index) override;
    void showEditForm(int index) override;
    void showField(int index) override;
    void storeField(int index, const QString& text) override;
    QWidget* moveTarget(int index, shell::FocusMove move) override;
    void buttonClicked(int index) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void load();
    void ShowPrintDate(std::int32_t date, std::int16_t& err);
    void ShowPrintDate(std::int32_t date);
    void printClicked();
    // The creation date box as typed: converted and stored, or refused with its message.
    bool takeTypedDate(const std::string& typed);

    const ReportCatalog& catalog_;
    PrintJobOpener openJob_;
    std::int16_t loadedReportNo_ = 0;
    QLabel* frameCaption_ = nullptr;
};

} // namespace reports
