// The program: one main window over the working file in the program's own folder.
#include "assets/asset_ledger_report.h"
#include "assets/asset_register_window.h"
#include "assets/depreciation_detail_report.h"
#include "assets/depreciation_rows_window.h"
#include "data/program_state.h"
#include "journal/cash_balance_window.h"
#include "journal/closing_dialog_window.h"
#include "journal/voucher_entry_window.h"
#include "masters/code_category_window.h"
#include "masters/code_register_window.h"
#include "masters/control_information_window.h"
#include "masters/description_register_window.h"
#include "masters/subject_register_window.h"
#include "platform/print/print_target.h"
#include "platform/ui/desktop.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/qt_translation.h"
#include "platform/ui/registry.h"
#include "reports/annual_summary.h"
#include "reports/cash_book.h"
#include "reports/code_list.h"
#include "reports/daily_report.h"
#include "reports/description_list.h"
#include "reports/expense_item_list.h"
#include "reports/ledger.h"
#include "reports/report_dialog_window.h"
#include "reports/report_module.h"
#include "reports/subject_list.h"
#include "shell/about_window.h"
#include "shell/calendar_window.h"
#include "shell/guarded_application.h"
#include "shell/main_window.h"
#include "shell/program_font.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>

#include <iostream>

int main(int argc, char** argv) {
    shell::GuardedApplication app(argc, argv);
    QApplication::setApplicationName("Kemlora");
    if (!platform::installQtJapanese(app))
        std::cerr << "Qt's Japanese translation (qtbase_ja.qm) is not in "
                  << QLibraryInfo::path(QLibraryInfo::TranslationsPath).toStdString()
                  << "; the standard dialogs speak English.\n";

    shell::useProgramFont();

    platform::QtMessageBox messages;
    platform::QtFileDialog fileDialog;
    platform::QtDesktop desktop;
    platform::LocalRegistry registry;
    data::ProgramState state;
    app.setState(&state);
    state.messages = &messages;
    state.fileDialog = &fileDialog;
    state.desktop = &desktop;
    state.registry = &registry;

    // The reports by their menu number; a report module adds itself here, and a number without one opens nothing.
    reports::ReportCatalog reportCatalog;
    reportCatalog.registerReport(1, reports::makeCodeListModule());
    reportCatalog.registerReport(2, reports::makeSubjectListModule());
    reportCatalog.registerReport(3, reports::makeDescriptionListModule());
    reportCatalog.registerReport(4, reports::makeDailyReportModule());
    reportCatalog.registerReport(5, reports::makeCashBookModule());
    reportCatalog.registerReport(6, reports::makeExpenseItemListModule());
    reportCatalog.registerReport(7, reports::makeLedgerModule());
    reportCatalog.registerReport(8, assets::makeAssetLedgerModule());
    reportCatalog.registerReport(9, assets::makeDepreciationDetailModule());
    reportCatalog.registerReport(10, reports::makeAnnualSummaryModule());

    shell::frmKemlora mainWindow(state);
    mainWindow.registerWindow("frmCalendar", [&] {
        return new shell::frmCalendar(state, [&mainWindow](const QString& name) { return mainWindow.findChild(name); });
    });
    mainWindow.registerWindow("frmAbout", [&] { return new shell::frmAbout(state); });
    mainWindow.registerWindow("frmACT0100", [&] { return new journal::frmACT0100(state); });
    mainWindow.registerWindow("frmACT0210", [&] { return journal::frmACT0210::create(state); });
    mainWindow.registerWindow("frmSIME", [&] { return new journal::frmSIME(state); });
    mainWindow.registerWindow("frmACT0030", [&] { return new masters::frmACT0030(state); });
    mainWindow.registerWindow("frmCMNCODE", [&] { return new masters::frmCMNCODE(state); });
    mainWindow.registerWindow("frmCODEKBN", [&] { return new masters::frmCODEKBN(state); });
    mainWindow.registerWindow("frmACT0400", [&] {
        return new assets::frmACT0400(
            state, [&mainWindow](const QString& name) { return mainWindow.showChild(name); },
            [&mainWindow](const QString& name) { return mainWindow.findChild(name); });
    });
    // The rows window belongs to the register: it keeps the asset the register last saved for it.
    mainWindow.registerWindow("frmACT0400A", [&]() -> shell::ChildWindow* {
        auto* owner = qobject_cast<assets::frmACT0400*>(mainWindow.findChild("frmACT0400"));
        if (!owner) return nullptr;
        return new assets::frmACT0400A(state, [owner] { return owner->assetForRows(); });
    });
    mainWindow.registerWindow("frmACT0010", [&] { return new masters::frmACT0010(state); });
    mainWindow.registerWindow("frmCMNCNTR", [&] { return new masters::frmCMNCNTR(state); });
    mainWindow.setReportAvailable([&reportCatalog](std::int16_t reportNo) { return reportCatalog.has(reportNo); });
    mainWindow.registerWindow("frmPrint", [&] {
        return new reports::frmPrint(state, reportCatalog, [&state](const std::string& title) {
            return platform::openPrintJob(title, state.DataFilePath);
        });
    });

    // Like a desktop's default placement: most of the screen, so the task windows fit beside the calendar.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        mainWindow.resize(area.width() * 4 / 5, area.height() * 4 / 5);
    }
    mainWindow.show();
    mainWindow.startUp(QCoreApplication::applicationDirPath().toStdString());
    const int result = app.exec();
    app.setState(nullptr); // the state is gone before the application is
    return result;
}
