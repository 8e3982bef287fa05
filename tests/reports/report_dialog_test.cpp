#include "assets/asset_ledger_report.h"
#include "assets/depreciation_detail_report.h"
#include "reports/annual_summary.h"
#include "reports/cash_book.h"
#include "reports/code_list.h"
#include "reports/daily_report.h"
#include "reports/description_list.h"
#include "reports/expense_item_list.h"
#include "reports/ledger.h"
#include "reports/report_dialog_window.h"
#include "reports/subject_list.h"
#include "shell/program_font.h"

#include "report_run_fixture.h"
#include "support/readable_layout.h"
#include "support/window_test.h"

namespace {

using namespace report_run_tests;
using reports::frmPrint;

const char* const BadDate = "日付の誤りです。再度、入力して下さい。";
constexpr int PrintButton = -1; // where the focus lands, besides the boxes 0 to 12

// A print run onto the test's recording page, as if to a PDF when `pdf` is set.
struct TestJob : platform::PrintJob {
    TestJob(platform::RecordingPage& page, std::string pdf) : recorded(page), pdf(std::move(pdf)) {}
    platform::Page& page() override { return recorded; }
    int pagesPrinted() const override { return recorded.pagesPrinted(); }
    std::string failure() const override { return recorded.failure(); }
    std::string pdfPath() const override { return pdf; }
    platform::RecordingPage& recorded;
    std::string pdf;
};

// The dialog on the daily report of a day with one line, noting the hint while it prints.
class ReportDialogTest : public testing_support::WindowTest<frmPrint> {
protected:
    void SetUp() override {
        state.PrintReportNo = 4;
        file.add({.amount = 1000});
        reports::ReportModule daily = reports::makeDailyReportModule();
        daily.print = [this, print = daily.print](reports::ReportDialog& d, platform::Page& page) {
            hintWhilePrinting = hint();
            return print(d, page);
        };
        catalog.registerReport(4, daily);
    }

    // The dialog loaded afresh, printing onto the test's page.
    frmPrint* make() {
        return new frmPrint(state, catalog, [this](const std::string& title) {
            titlesOpened.push_back(title);
            return std::make_unique<TestJob>(file.page, pdfPath);
        });
    }
    int focusedBox() const {
        for (int i = 0; i <= frmPrint::DateBox; ++i)
            if (focused() == field(i)) return i;
        return focused() == button(frmPrint::PrintButton) ? PrintButton : -2;
    }
    // Where the focus lands after `k` in each box of `from`.
    std::vector<int> landings(Qt::Key k, Qt::KeyboardModifiers modifiers, std::vector<int> from) {
        for (int& index : from) {
            enter(index);
            key(k, modifiers);
            index = focusedBox();
        }
        return from;
    }
    // Types `digits` into the date box under era list position `era` and presses Enter: the messages,
    // then the creation date, the box and where the focus went.
    std::string typeDate(const QString& digits, int era = 4) {
        messages.clear();
        window->Combo1(frmPrint::DateBox)->setCurrentIndex(era);
        enter(frmPrint::DateBox);
        field(frmPrint::DateBox)->selectAll();
        QTest::keyClicks(field(frmPrint::DateBox), digits);
        key(Qt::Key_Return);
        std::string result;
        for (const std::string& message : messages)
            result += message + " ";
        return result + std::to_string(state.CreationDate) + " |" + field(frmPrint::DateBox)->text().toStdString() +
               "| " + std::to_string(focusedBox());
    }

    ReportFile file;
    data::ProgramState& state = file.s;
    std::vector<std::string>& messages = file.open.messages.shown;
    reports::ReportCatalog catalog;
    QString hintWhilePrinting;
    std::string pdfPath;
    std::vector<std::string> titlesOpened;
};

TEST_F(ReportDialogTest, LoadingRunsTheReportsSetUpAndShowsTheProcessingDate) {
    open(make());
    for (const auto& [index, text] :
         std::map<int, std::string>{{12, "経理日報"}, {13, "A4 横"}, {0, "年号＋年月日"}, {6, " 5 :令和 4 :平成"}})
        EXPECT_EQ(window->label(index), text) << index;
    EXPECT_EQ(window->fieldText(0), "5080415");
    for (int r = 1; r < 6; ++r) { // rows the set-up leaves alone stay blank and open
        EXPECT_EQ(window->label(r) + window->label(r + 6) + window->fieldText(r) + window->fieldText(r + 6), "") << r;
        EXPECT_TRUE(field(r)->isEnabled()) << r;
    }
    EXPECT_EQ(field(12)->text(), " 8年 4月15日");
    EXPECT_EQ(window->Combo1(12)->currentText().trimmed(), "令和");
    EXPECT_EQ(state.CalendarOwnerForm, "frmPrint");
    EXPECT_EQ(state.CalendarDate, 20260415);
    EXPECT_EQ(focused(), field(0));

    // Focused, the date box holds the six digits of the era date.
    enter(12);
    EXPECT_EQ(field(12)->text(), "080415");
    EXPECT_EQ(field(12)->maxLength(), 6);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ReportDialogTest, ATypedCreationDateIsTakenOnlyWhenItIsARealDateOfTheChosenEra) {
    open(make());
    EXPECT_EQ(typeDate("08041"), "6桁(YYMMDD)で入力して下さい。 20260415 |08041| 12");
    for (const char* digits : {"081301", "080230", "08a401"})
        EXPECT_EQ(typeDate(digits), BadDate + std::string(" 20260415 |") + digits + "| 12");
    EXPECT_EQ(typeDate("070101"), "20250101 | 7年 1月 1日| -1");
    EXPECT_EQ(typeDate("080299"), "20260228 | 8年 2月28日| -1");
    EXPECT_EQ(typeDate("080415", 3), "19960415 | 8年 4月15日| -1"); // another era reads the digits as its own
    EXPECT_EQ(typeDate("080415", -1), "年号を選択して下さい。 19960415 |080415| 12");
}

TEST_F(ReportDialogTest, EnterAndArrowKeysWalkTheGridTheDateAndThePrintButton) {
    open(make());
    field(5)->setText(" 12 ");
    const int P = PrintButton;
    EXPECT_EQ(landings(Qt::Key_Return, {}, {0, 6, 5, 10, 11, 12}), (std::vector<int>{6, 1, 11, 5, 12, P}));
    EXPECT_EQ(field(5)->text(), "12"); // Enter trims
    EXPECT_EQ(landings(Qt::Key_Right, Qt::ShiftModifier, {3, 9}), (std::vector<int>{9, 9}));
    EXPECT_EQ(landings(Qt::Key_Left, Qt::ShiftModifier, {9, 3, 12}), (std::vector<int>{3, 3, 6}));
    EXPECT_EQ(landings(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, {3}), std::vector<int>{3});
    EXPECT_EQ(landings(Qt::Key_Down, {}, {5, 2, 11, 12}), (std::vector<int>{P, 3, 12, P}));
    EXPECT_EQ(landings(Qt::Key_Up, {}, {0, 6, 7, 12}), (std::vector<int>{0, 6, 6, 12}));
    EXPECT_TRUE(messages.empty());
}

// Down gives up the digits typed: the box shows again the stored date, the one the page header gets.
TEST_F(ReportDialogTest, DownFromTheDateBoxShowsTheDateThePrintWillUse) {
    open(make());
    enter(12);
    field(12)->selectAll();
    QTest::keyClicks(field(12), "070101");
    key(Qt::Key_Down);
    EXPECT_EQ(focusedBox(), PrintButton);
    EXPECT_EQ(field(12)->text(), " 8年 4月15日");
    click(frmPrint::PrintButton);
    EXPECT_EQ(state.CreationDateText, "令和 8年 4月15日");
    EXPECT_TRUE(messages.empty());
}

TEST_F(ReportDialogTest, APrintRunShowsItsStatusNamesAPdfReportsAFailedPrinterAndEndsOnTheEndButton) {
    open(make());
    click(frmPrint::PrintButton);
    EXPECT_EQ(hintWhilePrinting, "印刷中です。");
    EXPECT_EQ(state.CreationDateText, "令和 8年 4月15日");
    EXPECT_EQ(hint(), "印刷が終了しました。");
    EXPECT_EQ(focused(), button(1));
    EXPECT_EQ(titlesOpened, std::vector<std::string>{"経理日報"});
    EXPECT_EQ(file.page.pagesPrinted(), 1);
    EXPECT_EQ(file.page.pages()[0].texts[0].font, "ＭＳＰ ゴシック");
    EXPECT_TRUE(messages.empty());

    pdfPath = "/data/PDF/経理日報_20260415_093005.pdf"; // again with the boxes as they stand, to a PDF
    click(frmPrint::PrintButton);
    EXPECT_EQ(file.page.pagesPrinted(), 2);
    EXPECT_EQ(messages, std::vector<std::string>{"プリンターがないため、PDFファイルに出力しました。\n" + pdfPath});
    EXPECT_EQ(hint(), "印刷が終了しました。");

    messages.clear();
    file.page.failWith("印刷中にプリンターのエラーが発生しました。印刷を中止します。");
    click(frmPrint::PrintButton);
    EXPECT_EQ(messages, std::vector<std::string>{file.page.failure()});
    EXPECT_EQ(hint(), "");

    QTest::mouseClick(button(1), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(state.CalendarOwnerForm, "");
}

TEST_F(ReportDialogTest, ARunWithNothingToPrintOrAFailedCheckSaysNothingOfAFinishedPrint) {
    open(make());
    field(0)->setText("5080414");
    button(1)->setFocus(); // printing from where the focus already is, so no focus change sets the hint
    button(0)->click();
    EXPECT_EQ(messages, std::vector<std::string>{"印刷するデータがありません。"});
    EXPECT_EQ(file.page.pagesPrinted() + file.page.endDocCalls(), 0);
    EXPECT_EQ(hint(), "ｸﾘｯｸ又はｴﾝﾀｰで作業を終了します。");
    EXPECT_EQ(focused(), button(1));

    messages.clear();
    field(0)->setText("50804a5");
    click(frmPrint::PrintButton);
    EXPECT_EQ(messages, std::vector<std::string>{"入力結果が数字ではありません。"});
    EXPECT_EQ(titlesOpened.size(), 1u);
    EXPECT_EQ(focused(), field(0));
    EXPECT_NE(hint(), "印刷が終了しました。");
}

TEST_F(ReportDialogTest, ACreationDateThePageHeaderCannotPrintIsRefusedBeforeTheCheck) {
    // No processing date, one before the first era, and an era without a name.
    for (const auto& [processingDate, unnamedEra] : {std::pair{0, 0}, {18000101, 0}, {20260415, 5}}) {
        state.F01Record.F01_ACT = processingDate;
        if (unnamedEra) state.F01Record.F01_NENG[unnamedEra] = "";
        open(make());
        EXPECT_EQ(field(12)->text(), "") << processingDate;
        field(0)->setText("x"); // which the check would refuse
        messages.clear();
        click(frmPrint::PrintButton);
        EXPECT_EQ(messages, std::vector<std::string>{BadDate}) << processingDate;
        EXPECT_EQ(focused(), field(12)) << processingDate;
    }
}

// The calendar's hand-off through the work area is voucher entry's test; here what the dialog does with the day.
TEST_F(ReportDialogTest, ADayPickedInTheCalendarBecomesTheCreationDateOnlyFromTheDateBox) {
    open(make());
    enter(12);
    pickInCalendar(state, 20260420); // taken, and the focus goes on to the print button
    EXPECT_EQ(state.CreationDate, 20260420);
    EXPECT_EQ(field(12)->text(), " 8年 4月20日");
    EXPECT_EQ(focused(), button(0));
    enter(3);
    pickInCalendar(state, 20260425); // only the focus comes back
    EXPECT_EQ(state.CreationDate, 20260420);
    EXPECT_EQ(focused(), field(3));
    EXPECT_EQ(state.CalendarPicked, 0);
    EXPECT_TRUE(messages.empty());
}

// Each report writes its own captions, defaults and notes into the rows it uses; the hint line below them
// may take two lines.
TEST(ReportDialogLayout, EveryRangeRowOfEveryReportIsReadWholeInsideTheMainWindow) {
    shell::useProgramFont();
    ReportFile file;
    reports::ReportCatalog catalog;
    const reports::ReportModule modules[] = {
        reports::makeCodeListModule(),     reports::makeSubjectListModule(), reports::makeDescriptionListModule(),
        reports::makeDailyReportModule(),  reports::makeCashBookModule(),    reports::makeExpenseItemListModule(),
        reports::makeLedgerModule(),       assets::makeAssetLedgerModule(),  assets::makeDepreciationDetailModule(),
        reports::makeAnnualSummaryModule()};
    for (int reportNo = 1; reportNo <= 10; ++reportNo)
        catalog.registerReport(reportNo, modules[reportNo - 1]);
    for (int reportNo = 1; reportNo <= 10; ++reportNo) {
        file.s.PrintReportNo = static_cast<std::int16_t>(reportNo);
        testing_support::WorkArea area;
        auto* window = new frmPrint(file.s, catalog, [](const std::string&) { return nullptr; });
        area.show(window);
        EXPECT_EQ(testing_support::unreadableControls(window), "") << window->label(reports::TitleLabel);
        window->Text1(frmPrint::DateBox)->setFocus(); // the longest hint, on two lines
        QApplication::processEvents();
        EXPECT_EQ(testing_support::unreadableControls(window), "") << window->label(reports::TitleLabel);
    }
}

} // namespace
