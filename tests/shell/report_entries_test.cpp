#include "main_window_fixture.h"

#include <gtest/gtest.h>

namespace {

using testing_support::MainWindowFixture;

struct ReportEntries : MainWindowFixture {
    ReportEntries() {
        registerCounting("frmCalendar");
        registerCounting("frmPrint");
        startInFolderWithTemplate();
    }
    int openDialogs() const { return static_cast<int>(window->openWindowNames().count("frmPrint")); }
};

TEST(ReportEntriesTest, AnotherReportsEntryLoadsTheOpenDialogAfreshForThatReport) {
    ReportEntries f;
    f.choose("mnuNIPPO");
    f.choose("mnuNIPPO"); // the same report only brings the dialog forward
    EXPECT_EQ(f.loads["frmPrint"], 1);

    f.choose("mnuCLIST");
    EXPECT_EQ(f.loads["frmPrint"], 2);
    EXPECT_EQ(f.seenReportNo["frmPrint"], 1);
    EXPECT_EQ(f.openDialogs(), 1);
    EXPECT_EQ(f.activeName(), "frmPrint");
    EXPECT_EQ(f.userCloses, 0) << "the dialog was closed by the program, not by a user";
}

TEST(ReportEntriesTest, AReportWithoutModuleDoesNothingAndLeavesTheOpenDialogAlone) {
    ReportEntries f;
    f.window->setReportAvailable([](std::int16_t reportNo) { return reportNo == 1 || reportNo == 4; });
    f.choose("mnuCASHBOOK");
    EXPECT_EQ(f.openDialogs(), 0);
    EXPECT_EQ(f.state.PrintReportNo, 0);

    f.choose("mnuNIPPO");
    f.choose("mnuGOUKEI");
    EXPECT_EQ(f.state.PrintReportNo, 4);
    EXPECT_EQ(f.loads["frmPrint"], 1);
    EXPECT_EQ(f.openDialogs(), 1);
    EXPECT_TRUE(f.messages.shown.empty());
}

} // namespace
