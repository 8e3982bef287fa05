#include "platform/print/recording_page.h"
#include "reports/page_machinery.h"
#include "reports/report_dialog_window.h"
#include "shell/calendar_window.h"
#include "support/test_files.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using platform::RecordingPage;
using reports::frmPrint;

const char* const PrintingText = "印刷中です。";
const char* const PrintedText = "印刷が終了しました。";
const char* const BadDate = "日付の誤りです。再度、入力して下さい。";
const char* const NoData = "印刷するデータがありません。";
const char* const EndButtonHint = "ｸﾘｯｸ又はｴﾝﾀｰで作業を終了します。";

// A report that writes the daily report's set-up and records what the dialog hands it.
struct FakeReport {
    int inits = 0;
    int checks = 0;
    int prints = 0;
    std::int16_t failingBox = -1; // the check refuses this box
    bool hasData = true;
    std::string hintWhilePrinting;
    std::string creationDateText;
    std::string boxSeen;
    frmPrint* window = nullptr;

    reports::ReportModule module() {
        reports::ReportModule m;
        m.title = "経理日報";
        m.orientation = 2;
        m.init = [this](reports::ReportDialog& dialog) {
            ++inits;
            dialog.setLabel(reports::TitleLabel, "経理日報");
            dialog.setLabel(reports::PaperLabel, "A4 横");
            dialog.setLabel(0, "年号＋年月日");
            dialog.setFieldText(0, "5080415");
            dialog.setFieldText(6, "");
            dialog.setLabel(6, " 5 :令和 4 :平成");
        };
        m.check = [this](reports::ReportDialog& dialog, std::int16_t& focusIndex, std::int16_t& err) {
            ++checks;
            err = 0;
            if (failingBox < 0) return;
            dialog.state().message("入力結果が数字ではありません。");
            focusIndex = failingBox;
            err = 9;
        };
        m.print = [this](reports::ReportDialog& dialog, platform::Page& page) {
            ++prints;
            hintWhilePrinting = window->hintLine()->text().toStdString();
            creationDateText = dialog.state().CreationDateText;
            boxSeen = dialog.fieldText(0);
            if (!hasData) {
                dialog.state().message(NoData);
                return false;
            }
            page.setPaperSize(9);
            page.setOrientation(2);
            std::int16_t pageNo = 0;
            reports::PrintPageHeader(dialog.state(), page, "経理日報", 2, pageNo);
            page.newPage();
            page.endDoc();
            return true;
        };
        return m;
    }
};

// A print run onto the test's recording page, as if to a PDF when `pdfPath` is set.
class TestJob : public platform::PrintJob {
public:
    TestJob(RecordingPage& page, std::string pdfPath) : page_(page), pdfPath_(std::move(pdfPath)) {}
    platform::Page& page() override { return page_; }
    int pagesPrinted() const override { return page_.pagesPrinted(); }
    std::string failure() const override { return page_.failure(); }
    std::string pdfPath() const override { return pdfPath_; }

private:
    RecordingPage& page_;
    std::string pdfPath_;
};

class ReportDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.messages = &messages;
        const char* names[] = {"", "明治", "大正", "昭和", "平成", "令和"};
        const std::int32_t starts[] = {0, 18681023, 19120730, 19261225, 19890108, 20190501};
        for (int i = 1; i <= 5; ++i) {
            state.F01Record.F01_NENG[i] = names[i];
            state.F01Record.F01_STYMD[i] = starts[i];
        }
        state.F01Record.F01_ACT = 20260415;
        state.PrintReportNo = 4;
        catalog.registerReport(4, report.module());
    }

    void open() {
        window = std::make_unique<frmPrint>(state, catalog, [this](const std::string& title) {
            titlesOpened.push_back(title);
            return std::make_unique<TestJob>(page, pdfPath);
        });
        report.window = window.get();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QApplication::processEvents();
    }

    QWidget* focused() const { return QApplication::focusWidget(); }
    QLineEdit* field(int index) const { return window->Text1(index); }
    QPushButton* button(int index) const { return window->Command1(index); }
    std::string hint() const { return window->hintLine()->text().toStdString(); }
    void enter(int index) {
        field(index)->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(focused(), k, modifiers); }
    void retypeDate(const QString& digits) {
        enter(frmPrint::DateBox);
        field(frmPrint::DateBox)->selectAll();
        QTest::keyClicks(field(frmPrint::DateBox), digits);
    }
    void clickPrint() { QTest::mouseClick(button(frmPrint::PrintButton), Qt::LeftButton); }

    data::ProgramState state;
    testing_support::ScriptedMessages messages;
    reports::ReportCatalog catalog;
    FakeReport report;
    RecordingPage page;
    std::string pdfPath;
    std::vector<std::string> titlesOpened;
    std::unique_ptr<frmPrint> window;
};

TEST_F(ReportDialogTest, LoadingRunsTheReportsSetUpOnceAndShowsTheProcessingDate) {
    open();
    EXPECT_EQ(window->windowTitle(), "印刷指定");
    EXPECT_EQ(report.inits, 1);
    EXPECT_EQ(window->label(reports::TitleLabel), "経理日報");
    EXPECT_EQ(window->label(reports::PaperLabel), "A4 横");
    EXPECT_EQ(window->label(0), "年号＋年月日");
    EXPECT_EQ(window->fieldText(0), "5080415");
    EXPECT_EQ(window->label(6), " 5 :令和 4 :平成");
    for (int r = 1; r < 6; ++r) {
        EXPECT_EQ(window->label(r), "") << r;
        EXPECT_EQ(window->label(r + 6), "") << r;
        EXPECT_EQ(window->fieldText(r), "") << r;
        EXPECT_EQ(window->fieldText(r + 6), "") << r;
        EXPECT_TRUE(field(r)->isEnabled()) << r;
    }
    EXPECT_EQ(state.CreationDate, 20260415);
    EXPECT_EQ(field(12)->text(), " 8年 4月15日");
    EXPECT_EQ(window->Combo1(12)->currentText().trimmed(), "令和");
    EXPECT_EQ(state.CalendarOwnerForm, "frmPrint");
    EXPECT_EQ(state.CalendarDate, 20260415);
    EXPECT_EQ(focused(), field(0));
    EXPECT_EQ(hint(), "該当項目の印刷開始を指定して下さい。");
    EXPECT_EQ(field(0)->toolTip(), "印刷する範囲の開始値を入力します。");
    EXPECT_EQ(field(6)->toolTip(), "印刷する範囲の終了値を入力します。");
    EXPECT_EQ(field(0)->maxLength(), 8);

    // Focused, the date box holds the six digits of the era date.
    enter(12);
    EXPECT_EQ(field(12)->text(), "080415");
    EXPECT_EQ(field(12)->maxLength(), 6);
    EXPECT_EQ(hint(), "帳票の作成日を入力するか、ｶﾚﾝﾀﾞｰをﾀﾞﾌﾞﾙｸﾘｯｸして下さい。");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReportDialogTest, ATypedCreationDateIsTakenOnlyWhenItIsARealDateOfTheChosenEra) {
    open();
    struct Case {
        QString typed;
        std::string message; // empty: taken
        std::int32_t date;   // the creation date afterwards
        QString shown;       // the box afterwards
    };
    const Case cases[] = {
        {"08041", "6桁(YYMMDD)で入力して下さい。", 20260415, "08041"},
        {"081301", BadDate, 20260415, "081301"},
        {"080230", BadDate, 20260415, "080230"},
        {"08a401", BadDate, 20260415, "08a401"},
        {"070101", "", 20250101, " 7年 1月 1日"},
        {"080299", "", 20260228, " 8年 2月28日"},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        retypeDate(c.typed);
        key(Qt::Key_Return);
        const std::vector<std::string> expected =
            c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message};
        EXPECT_EQ(messages.shown, expected) << c.typed.toStdString();
        EXPECT_EQ(state.CreationDate, c.date) << c.typed.toStdString();
        EXPECT_EQ(focused(), c.message.empty() ? static_cast<QWidget*>(button(0)) : field(12)) << c.typed.toStdString();
        EXPECT_EQ(field(12)->text(), c.shown) << c.typed.toStdString();
    }

    // With no era chosen the digits cannot be read.
    messages.shown.clear();
    window->Combo1(12)->setCurrentIndex(-1);
    retypeDate("080415");
    key(Qt::Key_Return);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"年号を選択して下さい。"});
    EXPECT_EQ(focused(), field(12));
}

TEST_F(ReportDialogTest, LeavingTheDateBoxUntouchedShowsTheStoredDateAgain) {
    open();
    enter(12);
    key(Qt::Key_Tab);
    EXPECT_EQ(field(12)->text(), " 8年 4月15日");
    // Down gives up digits typed and shows the stored date.
    retypeDate("0701");
    key(Qt::Key_Down);
    EXPECT_EQ(focused(), button(0));
    EXPECT_EQ(field(12)->text(), " 8年 4月15日");
    EXPECT_EQ(state.CreationDate, 20260415);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReportDialogTest, ChoosingAnotherEraReturnsToTheDateBoxWhichReadsItsDigitsInThatEra) {
    open();
    window->Combo1(12)->setFocus();
    key(Qt::Key_Up); // 令和 to 平成
    EXPECT_EQ(focused(), field(12));
    EXPECT_EQ(field(12)->text(), "080415");
    key(Qt::Key_Return);
    EXPECT_EQ(state.CreationDate, 19960415);
    EXPECT_EQ(field(12)->text(), " 8年 4月15日");
    EXPECT_EQ(window->Combo1(12)->currentText().trimmed(), "平成");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReportDialogTest, EnterWalksEachRowFromStartToEndThenTheDateAndThePrintButton) {
    open();
    field(0)->setText(" 12 ");
    const int walk[] = {0, 6, 1, 7, 2, 8, 3, 9, 4, 10, 5, 11, 12};
    for (int index : walk) {
        EXPECT_EQ(focused(), field(index)) << index;
        key(Qt::Key_Return);
    }
    EXPECT_EQ(focused(), button(0));
    EXPECT_EQ(field(0)->text(), "12");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReportDialogTest, ArrowKeysMoveWithinTheGridAndToTheButtons) {
    open();
    struct Case {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int to; // -1: the print button
    };
    const Case cases[] = {
        {3, Qt::Key_Right, Qt::ShiftModifier, 9}, {9, Qt::Key_Right, Qt::ShiftModifier, 9},
        {9, Qt::Key_Left, Qt::ShiftModifier, 3},  {3, Qt::Key_Left, Qt::ShiftModifier, 3},
        {12, Qt::Key_Left, Qt::ShiftModifier, 6}, {3, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, 3},
        {5, Qt::Key_Down, Qt::NoModifier, -1},    {2, Qt::Key_Down, Qt::NoModifier, 3},
        {10, Qt::Key_Down, Qt::NoModifier, 11},   {11, Qt::Key_Down, Qt::NoModifier, 12},
        {12, Qt::Key_Down, Qt::NoModifier, -1},   {0, Qt::Key_Up, Qt::NoModifier, 0},
        {6, Qt::Key_Up, Qt::NoModifier, 6},       {7, Qt::Key_Up, Qt::NoModifier, 6},
        {12, Qt::Key_Up, Qt::NoModifier, 12},
    };
    for (const Case& c : cases) {
        enter(c.from);
        key(c.key, c.modifiers);
        QWidget* expected = c.to < 0 ? static_cast<QWidget*>(button(0)) : field(c.to);
        EXPECT_EQ(focused(), expected) << "from " << c.from << " key " << c.key;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReportDialogTest, APrintRunShowsItsStatusAndEndsOnTheEndButton) {
    open();
    field(0)->setText("5080415");
    clickPrint();
    EXPECT_EQ(report.checks, 1);
    EXPECT_EQ(report.prints, 1);
    EXPECT_EQ(report.hintWhilePrinting, PrintingText);
    EXPECT_EQ(report.creationDateText, "令和 8年 4月15日");
    EXPECT_EQ(report.boxSeen, "5080415");
    EXPECT_EQ(hint(), "印刷が終了しました。");
    EXPECT_EQ(focused(), button(1));
    EXPECT_EQ(titlesOpened, std::vector<std::string>{"経理日報"});
    EXPECT_EQ(page.pagesPrinted(), 1);
    EXPECT_EQ(page.pages()[0].texts[0].font, "ＭＳＰ ゴシック");
    EXPECT_TRUE(messages.shown.empty());

    // The dialog prints again with the boxes as they stand.
    clickPrint();
    EXPECT_EQ(report.prints, 2);
    EXPECT_EQ(report.inits, 1);
}

TEST_F(ReportDialogTest, ARunWithNothingToPrintOrAFailedCheckSaysNothingOfAFinishedPrint) {
    open();
    report.hasData = false;
    clickPrint();
    EXPECT_EQ(messages.shown, std::vector<std::string>{NoData});
    EXPECT_EQ(hint(), EndButtonHint);
    EXPECT_EQ(focused(), button(1));

    messages.shown.clear();
    report.failingBox = 7;
    clickPrint();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"入力結果が数字ではありません。"});
    EXPECT_EQ(report.prints, 1);
    EXPECT_EQ(focused(), field(7));
    EXPECT_NE(hint(), PrintedText);
}

TEST_F(ReportDialogTest, APdfInPlaceOfAPrinterIsNamedAndAFailedPrinterIsReported) {
    open();
    pdfPath = "/data/PDF/経理日報_20260415_093005.pdf";
    clickPrint();
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"プリンターがないため、PDFファイルに出力しました。\n" + pdfPath});
    EXPECT_EQ(hint(), "印刷が終了しました。");

    messages.shown.clear();
    page.failWith("印刷中にプリンターのエラーが発生しました。印刷を中止します。");
    clickPrint();
    EXPECT_EQ(messages.shown, std::vector<std::string>{page.failure()});
    EXPECT_EQ(hint(), "");
}

TEST_F(ReportDialogTest, ACreationDateThePageHeaderCannotPrintIsRefusedBeforeTheCheck) {
    struct Case {
        const char* name;
        std::int32_t processingDate;
        int unnamedEra; // 0: every era keeps its name
    };
    const Case cases[] = {
        {"no processing date", 0, 0},
        {"before the first era", 18000101, 0},
        {"an era without a name", 20260415, 5},
    };
    for (const Case& c : cases) {
        state.F01Record.F01_ACT = c.processingDate;
        if (c.unnamedEra) state.F01Record.F01_NENG[c.unnamedEra] = "";
        messages.shown.clear();
        open();
        EXPECT_EQ(field(12)->text(), "") << c.name;
        clickPrint();
        EXPECT_EQ(messages.shown, std::vector<std::string>{BadDate}) << c.name;
        EXPECT_EQ(focused(), field(12)) << c.name;
        EXPECT_EQ(report.checks, 0) << c.name;
        window.reset();
    }
}

TEST_F(ReportDialogTest, AReportWithoutModuleLoadsBlankAndPrintsNothing) {
    state.PrintReportNo = 5;
    open();
    EXPECT_EQ(report.inits, 0);
    EXPECT_EQ(window->label(reports::TitleLabel), "");
    EXPECT_EQ(window->fieldText(0), "");
    clickPrint();
    EXPECT_EQ(report.checks, 0);
    EXPECT_TRUE(titlesOpened.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReportDialogTest, TheEndButtonAndTheCloseBoxGiveUpTheCalendar) {
    open();
    QTest::mouseClick(button(1), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(state.CalendarOwnerForm, "");

    open();
    EXPECT_EQ(state.CalendarOwnerForm, "frmPrint");
    window->close();
    EXPECT_EQ(state.CalendarOwnerForm, "");
}

TEST_F(ReportDialogTest, ADayPickedInTheCalendarBecomesTheCreationDateOnlyFromTheDateBox) {
    QMdiArea area;
    area.resize(900, 700);
    window = std::make_unique<frmPrint>(
        state, catalog, [this](const std::string&) { return std::make_unique<TestJob>(page, pdfPath); });
    report.window = window.get();
    auto* calendar = new shell::frmCalendar(state, [this](const QString& name) -> shell::ChildWindow* {
        return name == "frmPrint" ? window.get() : nullptr;
    });
    QMdiSubWindow* dialogFrame = area.addSubWindow(window.get());
    QMdiSubWindow* calendarFrame = area.addSubWindow(calendar);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    auto dayCell = [calendar](int day) {
        for (int i = 0; i < 42; ++i)
            if (calendar->Label3(i)->text().trimmed().toInt() == day) return calendar->Label3(i);
        return static_cast<QLabel*>(nullptr);
    };

    // From the date box: the day is taken and the focus goes on to the print button.
    area.setActiveSubWindow(dialogFrame);
    enter(12);
    area.setActiveSubWindow(calendarFrame);
    QTest::mouseDClick(dayCell(20), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(state.CreationDate, 20260420);
    EXPECT_EQ(field(12)->text(), " 8年 4月20日");
    EXPECT_EQ(focused(), button(0));
    EXPECT_EQ(state.CalendarPicked, 0);

    // From a range box: only the focus comes back.
    enter(3);
    area.setActiveSubWindow(calendarFrame);
    QTest::mouseDClick(dayCell(25), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(state.CreationDate, 20260420);
    EXPECT_EQ(focused(), field(3));
    EXPECT_EQ(state.CalendarPicked, 0);
    EXPECT_TRUE(messages.shown.empty());
    area.removeSubWindow(window.get());
    window->setParent(nullptr);
}

} // namespace
