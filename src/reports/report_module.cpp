#include "reports/report_module.h"

namespace reports {

ReportDialog::~ReportDialog() = default;

void ReportCatalog::registerReport(int printReportNo, ReportModule module) {
    if (printReportNo < 1 || printReportNo >= static_cast<int>(modules_.size())) return;
    modules_[printReportNo] = std::move(module);
}

const ReportModule* ReportCatalog::find(int printReportNo) const {
    if (printReportNo < 1 || printReportNo >= static_cast<int>(modules_.size())) return nullptr;
    const auto& module = modules_[printReportNo];
    return module ? &*module : nullptr;
}

} // namespace reports
