#include "data/code_categories.h"
#include "data/control_row.h"
#include "data/table_rows.h"
#include "journal/voucher_entry_window.h"
#include "support/test_files.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using journal::frmACT0100;
using testing_support::addRow;

// The template's starting rows: subject classes 1 to 5, counterparts (category 2, four digits),
// details (category 3, three digits), subjects 101 売上 (receipt) and 201 仕入 (payment), and the
// descriptions 000001 売上代金 and 000002 商品仕入. The processing date is 15 April of 令和 8.
class VoucherEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::int16_t status = 0;
        data::F01Access(s(), "GET", status);
        s().F01Record.F01_ACT = 20260415;
        data::LoadCodeKbnTable(s());
        open();
    }

    void open() {
        window = std::make_unique<frmACT0100>(s());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    data::ProgramState& s() { return files.state; }
    QWidget* focused() const { return QApplication::focusWidget(); }
    QLineEdit* field(int index) const { return window->Text1(index); }
    QPushButton* button(int index) const { return window->Command1(index); }
    QString name(int index) const { return window->Label2(index)->text(); }
    QString hint() const { return window->hintLine()->text(); }
    void enter(int index) {
        field(index)->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(focused(), k, modifiers); }
    void type(const QString& text) {
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80) {
                QTest::keyClick(focused(), ch.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Press, focused(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, focused(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
            }
        }
    }
    // Replaces a field's text as the user would and leaves it by Enter.
    void typeIn(int index, const QString& text) {
        enter(index);
        field(index)->selectAll();
        key(Qt::Key_Backspace);
        type(text);
        key(Qt::Key_Return);
    }
    void click(int index) {
        QTest::mouseClick(button(index), Qt::LeftButton);
        QApplication::processEvents();
    }
    // The voucher of the date and number, searched for its next free line.
    void startVoucher(const QString& yymmdd, const QString& number) {
        typeIn(0, yymmdd);
        typeIn(1, number);
        click(3);
    }
    // Clicks the grid row whose column shows `text`.
    void chooseInGrid(int grid, int column, const QString& text) {
        shell::RecordsetGrid* view = window->DBGrid1(grid);
        QAbstractItemModel* model = view->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->index(row, column).data().toString() != text) continue;
            view->scrollTo(model->index(row, column));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(model->index(row, column)).center());
            QApplication::processEvents();
            return;
        }
        FAIL() << "no row shows " << text.toStdString();
    }
    void addLine(std::int32_t ymd, std::int32_t dno, std::int16_t lin, std::int64_t amount = 800) {
        addRow(*s().F45Table, {{"F45_YMD", ymd},
                               {"F45_DNO", dno},
                               {"F45_LIN", static_cast<int>(lin)},
                               {"F45_KBN", 2},
                               {"F45_ACT", 201},
                               {"F45_TEK", "000002"},
                               {"F45_IO", 1},
                               {"F45_AMT", db::Currency::fromWhole(amount)}});
    }
    std::vector<std::string> lines() {
        auto rows = s().MainDatabase->openSnapshot("SELECT * FROM F45TB ORDER BY F45_YMD, F45_DNO, F45_LIN");
        std::vector<std::string> result;
        for (; !rows->eof(); rows->moveNext()) {
            std::string line;
            for (const char* f : {"F45_YMD", "F45_DNO", "F45_LIN", "F45_KBN", "F45_ACT", "F45_SRT", "F45_KND",
                                  "F45_CUS", "F45_TEK", "F45_RMK", "F45_IO", "F45_AMT"})
                line += (line.empty() ? "" : "|") + data::trimText(rows->field(f).asText());
            result.push_back(line);
        }
        return result;
    }
    std::vector<std::string>& shown() { return files.messages.shown; }

    testing_support::OpenState files;
    std::unique_ptr<frmACT0100> window;
};

TEST_F(VoucherEntryTest, ATypicalCycleEndsWithTheLineInTheFileAndTheNextLineReady) {
    EXPECT_EQ(window->windowTitle(), "経理伝票の登録");
    EXPECT_EQ(focused(), field(0)); // the processing date, in its edit form
    EXPECT_EQ(field(0)->text(), "080415");
    EXPECT_EQ(window->Combo1(0)->currentText().trimmed(), "令和");
    EXPECT_FALSE(window->Frame2()->isEnabled());
    EXPECT_EQ(s().CalendarOwnerForm, "frmACT0100");

    EXPECT_EQ(hint(), "伝票日付を入力するか、ｶﾚﾝﾀﾞｰをﾀﾞﾌﾞﾙｸﾘｯｸして下さい。");
    field(0)->selectAll();
    type("080420");
    key(Qt::Key_Return);
    EXPECT_EQ(field(0)->text(), " 8年 4月20日");
    EXPECT_EQ(focused(), field(1));
    EXPECT_EQ(field(1)->text(), "420"); // the date's default number
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), button(3));
    key(Qt::Key_Return); // search: a voucher without lines starts at line 1
    EXPECT_EQ(focused(), field(2));
    EXPECT_TRUE(window->Frame2()->isEnabled());
    EXPECT_EQ(field(2)->text(), "1");
    EXPECT_EQ(window->recordState(), 3);

    key(Qt::Key_Return);
    type("2"); // 商品仕入: subject 2-201 仕入, a payment subject
    key(Qt::Key_Return);
    EXPECT_EQ(field(3)->text(), "000002");
    EXPECT_EQ(name(0), "商品仕入");
    EXPECT_EQ(field(8)->text(), "   201");
    EXPECT_EQ(name(1), "仕入");
    EXPECT_EQ(focused(), field(4));
    type("仕入先A");
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), field(6)); // the subject's direction chose the payment field
    type("5,000");
    key(Qt::Key_Return);
    EXPECT_EQ(field(6)->text(), "          5,000");
    EXPECT_EQ(focused(), button(0));
    key(Qt::Key_Return);

    EXPECT_TRUE(shown().empty()) << shown().front();
    EXPECT_EQ(lines(), std::vector<std::string>{"20260420|420|1|2|201|0|0|0|000002|仕入先A|1|5000"});
    EXPECT_EQ(focused(), field(2));
    EXPECT_EQ(field(2)->text(), "2");
    EXPECT_EQ(field(3)->text(), "000000"); // a new line has no description
    EXPECT_EQ(window->recordState(), 3);
    std::int16_t status = 0;
    data::F01Access(s(), "GET", status);
    EXPECT_EQ(s().F01Record.F01_DNO, 420);

    QApplication::processEvents();
    EXPECT_EQ(window->DBGrid1(frmACT0100::VoucherList)->model()->rowCount(), 1);
}

TEST_F(VoucherEntryTest, EachBadFieldIsRefusedWithItsMessageAndKeepsTheFocus) {
    startVoucher("080415", "7");
    struct Case {
        int index;
        QString typed;
        std::string message;
        int focus; // where the focus is afterwards
    };
    const Case cases[] = {
        {3, "99", "摘要コードが登録されていません。", 3},
        {5, "1..2", "入力結果が数字ではありません。", 5}, // passes the character check, is no number
        {5, "+12-", "入力結果が数字ではありません。", 5},
        {6, "12a", "入力結果が数字ではありません。", 6},
        {7, "9", "コードが登録されていません。", 7},
        {8, "999", "勘定科目コードが登録されていません。", 8},
        {9, "1234", "規定の桁数をこえました。", 9}, // details have three digits
        {9, "9", "コードが登録されていません。", 9},
        {10, "1", "相手先種別の誤りです。", 10},
        {10, "3", "相手先種別の誤りです。", 10},
        {10, "0", "", 4},
        {11, "5", "相手先区分が入力されていません。", 10},
        {10, "2", "", 11},
        {11, "12345", "規定の桁数をこえました。", 11}, // counterparts have four digits
        {11, "99", "コードが登録されていません。", 11},
        {7, "", "項目が未入力です。", 7},
        {2, "", "項目が未入力です。", 2},
        {1, "", "項目が未入力です。", 1},
        {0, "0804", "6桁(YYMMDD)で入力して下さい。", 0},
        {0, "081332", "日付の誤りです。", 0},
        {0, "08a415", "入力結果が数字ではありません。", 0},
    };
    for (const Case& c : cases) {
        shown().clear();
        typeIn(c.index, c.typed);
        const auto expected = c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message};
        EXPECT_EQ(shown(), expected) << c.index << " " << c.typed.toStdString();
        EXPECT_EQ(focused(), field(c.focus)) << c.index << " " << c.typed.toStdString();
    }

    shown().clear();
    window->Combo1(0)->setCurrentIndex(-1);
    typeIn(0, "080415");
    EXPECT_EQ(shown(), std::vector<std::string>{"年号を選択して下さい。"});
}

TEST_F(VoucherEntryTest, ButtonsAndListsRefuseWhatTheLineDoesNotAllow) {
    auto searchButton = [this] { return static_cast<QWidget*>(button(3)); };
    // No line chosen yet: every line action is refused.
    enter(1);
    click(0);
    EXPECT_EQ(shown(), std::vector<std::string>{"レコードが選択されていません。"});
    EXPECT_EQ(focused(), searchButton());
    shown().clear();
    chooseInGrid(frmACT0100::DescriptionList, 0, "000001");
    EXPECT_EQ(shown(), std::vector<std::string>{"レコードが選択されていません。検索後、再指定して下さい。"});
    EXPECT_EQ(focused(), searchButton());

    // A voucher number of 0 is no key.
    shown().clear();
    startVoucher("080415", "0");
    click(4);
    EXPECT_EQ(shown(), std::vector<std::string>{"未入力です。"});
    EXPECT_EQ(focused(), field(1));

    startVoucher("080415", "8");
    // Each step adds to the line and the register refuses the next thing missing.
    const std::pair<std::function<void()>, std::pair<std::string, int>> registers[] = {
        {[] {}, {"勘定科目が入力されていません。", 7}},
        {[this] { typeIn(3, "1"); }, {"金額が未入力です。", 5}},
        {[this] { typeIn(6, "0"); }, {"金額が未入力です。", 5}}, // 0 in the payment field: still a receipt
        {[this] { typeIn(5, "0"); }, {"金額が未入力です。", 6}}, // 0 in the receipt field: a payment of 0
        {[this] {
             typeIn(5, "300");
             typeIn(8, "999");
             click(0); // the refused field keeps the focus: the press is void
         },
         {"勘定科目が登録されていません。", 7}},
    };
    for (const auto& [prepare, expected] : registers) {
        prepare();
        shown().clear();
        click(0);
        ASSERT_FALSE(shown().empty());
        EXPECT_EQ(shown().back(), expected.first);
        EXPECT_EQ(focused(), field(expected.second)) << expected.first;
    }
    EXPECT_TRUE(lines().empty());

    shown().clear();
    click(1);
    EXPECT_EQ(shown(), std::vector<std::string>{"削除すべきデータは存在しません。"});
}

TEST_F(VoucherEntryTest, TheSearchProposesTheLineAfterTheVouchersHighestAndShowsATakenNinetyNine) {
    startVoucher("080415", "415");
    EXPECT_EQ(field(2)->text(), "1"); // empty table

    addLine(20260415, 415, 1);
    addLine(20260415, 415, 2);
    addLine(20260415, 415, 5);
    addLine(20260415, 416, 99, 4321);
    startVoucher("080415", "415");
    EXPECT_EQ(field(2)->text(), "6");
    EXPECT_EQ(window->recordState(), 3);

    startVoucher("080415", "416");
    EXPECT_EQ(field(2)->text(), "99");
    EXPECT_EQ(window->recordState(), 1);
    EXPECT_EQ(field(6)->text(), "          4,321");
    EXPECT_EQ(field(3)->text(), "000002");

    // Line stepping stays within 1 to 99.
    click(4);
    EXPECT_EQ(field(2)->text(), "99");
    startVoucher("080415", "415");
    typeIn(2, "2");
    click(5);
    EXPECT_EQ(field(2)->text(), " 1");
    EXPECT_EQ(focused(), field(3));
    click(5);
    EXPECT_EQ(field(2)->text(), " 1");
    click(4);
    EXPECT_EQ(field(2)->text(), " 2");
    EXPECT_EQ(window->recordState(), 1);
}

TEST_F(VoucherEntryTest, RegisteringLineNinetyNineKeepsItAndDeletingAsksFirst) {
    addLine(20260415, 416, 99, 4321);
    startVoucher("080415", "416");
    typeIn(6, "1,000");
    click(0);
    EXPECT_EQ(field(2)->text(), "99");
    EXPECT_EQ(lines(), std::vector<std::string>{"20260415|416|99|2|201|0|0|0|000002||1|1000"});

    files.messages.answers = {platform::Answer::No};
    click(1);
    EXPECT_EQ(shown(), std::vector<std::string>{"削除します。よろしいか。"});
    EXPECT_EQ(focused(), field(3));
    EXPECT_EQ(lines().size(), 1u);

    click(1); // Yes
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(focused(), field(2));
    EXPECT_EQ(window->recordState(), 3);
    EXPECT_EQ(field(6)->text(), "              0");

    // The line went behind the window's back: the delete says so and still clears the line.
    addLine(20260415, 416, 99);
    typeIn(2, "99");
    s().MainDatabase->execute("DELETE FROM F45TB");
    shown().clear();
    click(1);
    EXPECT_EQ(shown(), (std::vector<std::string>{"削除します。よろしいか。",
                                                 "データに不整合が生じました。作業を取り消します。"}));
    EXPECT_EQ(window->recordState(), 3);
}

TEST_F(VoucherEntryTest, FieldsFillAndClearEachOtherAsTheyAreLeft) {
    startVoucher("080415", "9");
    typeIn(3, "1"); // 売上代金: subject 1-101 売上, a receipt
    EXPECT_EQ(field(7)->text(), " 1");
    typeIn(4, "現金");
    EXPECT_EQ(focused(), field(5)); // a receipt line goes to the receipt field
    typeIn(10, "2");
    typeIn(11, "1");
    EXPECT_EQ(name(3), "一般顧客");
    typeIn(11, "0"); // no counterpart code: no counterpart category either
    EXPECT_EQ(field(10)->text(), " 0");
    EXPECT_EQ(name(3), "");
    typeIn(9, "2");
    EXPECT_EQ(name(2), "ガス");

    typeIn(3, "0"); // no description: subject, detail, counterpart and remark go
    EXPECT_EQ(focused(), field(7));
    EXPECT_EQ(field(8)->text(), "     0");
    EXPECT_EQ(field(4)->text(), "");
    EXPECT_EQ(name(1), "");
    EXPECT_EQ(name(2), "");

    typeIn(4, "");
    EXPECT_EQ(focused(), field(7)); // no subject yet: Enter from the remark goes to the subject
    typeIn(7, "2");
    typeIn(8, "202");
    EXPECT_EQ(name(1), "給料");
    enter(4);
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), field(6)); // an amount of 0 took the payment direction of 給料

    typeIn(5, "700"); // a receipt replaces what the payment field showed
    EXPECT_EQ(field(5)->text(), "            700");
    EXPECT_EQ(field(6)->text(), "              0");
}

TEST_F(VoucherEntryTest, ArrowKeysFollowTheThreeRowsOfFields) {
    startVoucher("080415", "9");
    struct Case {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int to; // -1 the search button
    };
    const Case cases[] = {
        {4, Qt::Key_Up, {}, 1},
        {8, Qt::Key_Up, {}, 3},
        {9, Qt::Key_Up, {}, 4},
        {11, Qt::Key_Up, {}, 5},
        {1, Qt::Key_Up, {}, 1},
        {3, Qt::Key_Down, {}, 7},
        {4, Qt::Key_Down, {}, 9},
        {5, Qt::Key_Down, {}, 10},
        {6, Qt::Key_Down, {}, 6},
        {0, Qt::Key_Right, Qt::ShiftModifier, 1},
        {1, Qt::Key_Right, Qt::ShiftModifier, -1},
        {5, Qt::Key_Right, Qt::ShiftModifier, 6},
        {6, Qt::Key_Right, Qt::ShiftModifier, 6},
        {10, Qt::Key_Right, Qt::ShiftModifier, 11},
        {8, Qt::Key_Left, Qt::ShiftModifier, 7},
        {7, Qt::Key_Left, Qt::ShiftModifier, 7},
        {2, Qt::Key_Left, Qt::ShiftModifier, 2},
        {3, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, 3},
    };
    for (const Case& c : cases) {
        if (c.from > 1) startVoucher("080415", "9"); // leaving 0 or 1 clears the line fields' frame
        enter(c.from);
        key(c.key, c.modifiers);
        QWidget* expected = c.to < 0 ? static_cast<QWidget*>(button(3)) : field(c.to);
        EXPECT_EQ(focused(), expected) << c.from << " " << c.key;
    }
    EXPECT_TRUE(shown().empty());
}

TEST_F(VoucherEntryTest, ListChoicesFillTheLine) {
    addLine(20260410, 12, 3, 2222);
    QApplication::processEvents();
    chooseInGrid(frmACT0100::VoucherList, 1, "12");
    EXPECT_EQ(field(0)->text(), " 8年 4月10日");
    EXPECT_EQ(field(1)->text(), "    12"); // the number read, not the date's default
    EXPECT_EQ(field(2)->text(), " 3");
    EXPECT_EQ(window->recordState(), 1);
    EXPECT_EQ(focused(), field(6));
    EXPECT_EQ(field(6)->text(), "2222");

    chooseInGrid(frmACT0100::DescriptionList, 0, "000001");
    EXPECT_EQ(focused(), field(4));
    EXPECT_EQ(field(8)->text(), "   101");
    EXPECT_EQ(field(5)->text(), "              0"); // the description's amount and direction too

    chooseInGrid(frmACT0100::SubjectList, 1, "202");
    EXPECT_EQ(name(1), "給料");
    EXPECT_EQ(focused(), field(10));

    chooseInGrid(frmACT0100::CodeList, 2, "一般顧客");
    EXPECT_EQ(field(10)->text(), " 2");
    EXPECT_EQ(field(11)->text(), "     1");
    EXPECT_EQ(focused(), field(4));
    chooseInGrid(frmACT0100::CodeList, 2, "水道");
    EXPECT_EQ(field(9)->text(), "     3");
    EXPECT_EQ(focused(), window->DBGrid1(frmACT0100::CodeList)); // the focus stays
    chooseInGrid(frmACT0100::CodeList, 2, "負債");
    EXPECT_EQ(field(7)->text(), " 2"); // a subject class chosen here changes nothing

    // With no current row a choice does nothing.
    s().F45Table->seek("=", {19990101, 1, 1});
    emit window->DBGrid1(frmACT0100::VoucherList)->rowChosen();
    EXPECT_EQ(field(2)->text(), " 3");
    EXPECT_TRUE(shown().empty());
}

TEST_F(VoucherEntryTest, DayNinetyNineIsStoredAsTheMonthsLastDayAndTheCalendarHandsItsDay) {
    typeIn(0, "080299");
    EXPECT_EQ(window->voucherDate(), 20260228);
    EXPECT_EQ(field(0)->text(), " 8年 2月28日");
    EXPECT_EQ(field(1)->text(), "228");

    s().CalendarPicked = 1;
    s().CalendarDate = 20260510;
    window->fieldWidget(s().CalendarFieldIndex)->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(s().CalendarPicked, 0);
    EXPECT_EQ(focused(), field(1));
    EXPECT_EQ(field(0)->text(), " 8年 5月10日");
    EXPECT_EQ(field(1)->text(), "510");
    EXPECT_TRUE(shown().empty());

    // A day picked while the date field keeps the focus arrives as the window comes back to the front.
    enter(0);
    type("0806");
    s().CalendarPicked = 1;
    s().CalendarDate = 20260601;
    QWidget calendar;
    calendar.show();
    calendar.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&calendar));
    field(0)->setFocus(Qt::OtherFocusReason);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QApplication::processEvents();
    EXPECT_EQ(s().CalendarPicked, 0);
    EXPECT_EQ(focused(), field(1));
    EXPECT_EQ(field(0)->text(), " 8年 6月 1日");
    EXPECT_EQ(field(1)->text(), "601");
    EXPECT_TRUE(shown().empty());

    click(2);
    EXPECT_EQ(s().CalendarOwnerForm, "");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(VoucherEntryTest, F5RereadsTheListsAndTheCodeCategories) {
    addRow(*s().F10KBNTable, {{"F10KBN_ID", 4}, {"F10KBN_NAME", "部門"}, {"F10KBN_KETA", 2}, {"F10KBN_LEN", 10}});
    addRow(*s().F10Table, {{"F10_KBN", 4}, {"F10_COD", 1}, {"F10_DTL", "本店"}});
    EXPECT_EQ(data::CodeDigits(s(), 4), 0);
    enter(0);
    key(Qt::Key_F5);
    EXPECT_EQ(data::CodeDigits(s(), 4), 2);
    QApplication::processEvents();
    bool listed = false;
    QAbstractItemModel* codes = window->DBGrid1(frmACT0100::CodeList)->model();
    for (int row = 0; row < codes->rowCount(); ++row)
        listed = listed || codes->index(row, 2).data().toString() == "本店";
    EXPECT_TRUE(listed);
}

} // namespace
