#include "data/code_categories.h"
#include "masters/code_category_window.h"
#include "masters/control_information_window.h"
#include "masters/subject_register_window.h"
#include "support/entry_window_test.h"

#include <functional>

namespace {

using testing_support::only;

// Text fields show their stored text padded to their width, which is also what the user may type. The
// description and code registers' cycles check the same of their name fields.
class PaddedTextFieldTest : public testing_support::EntryWindowTest<shell::EntryWindow> {
protected:
    void SetUp() override {
        setProcessingDate(20260415);
        data::LoadCodeKbnTable(s());
    }
};

TEST_F(PaddedTextFieldTest, ClickingIntoAPaddedTextFieldLetsTheUserTypeAndStoresTheTextPadded) {
    struct Case {
        std::function<shell::EntryWindow*(data::ProgramState&)> make;
        std::function<void()> choose; // brings the window to the record whose field is edited
        int field;
        QString typed;
        QString expected;
        std::string query;
    };
    const std::vector<Case> cases = {
        {[](auto& s) { return new masters::frmCMNCNTR(s); }, [] {}, 20, "株式会社テスト", "株式会社テスト",
         "SELECT F01_NAM_01 FROM F01TB"},
        {[](auto& s) { return new masters::frmACT0010(s); }, [this] { typeIn(0, "2"), type("201\n\n\n"); }, 2, "品",
         "仕入品", "SELECT F21_NAM FROM F21TB WHERE F21_KBN = 2 AND F21_ACT = 201 AND F21_SRT = 0"},
        {[](auto& s) { return new masters::frmCODEKBN(s); }, [this] { typeIn(0, "2"), click(3); }, 1, "様", "取引先様",
         "SELECT F10KBN_NAME FROM F10KBNTB WHERE F10KBN_ID = 2"},
    };
    for (const Case& c : cases) {
        open(c.make(s()));
        c.choose();
        SCOPED_TRACE(window->objectName().toStdString());
        button(0)->setFocus(Qt::OtherFocusReason);
        QLineEdit* target = field(c.field);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(target->width() - 4, target->height() / 2));
        ASSERT_EQ(focused(), target);
        type(c.typed);
        EXPECT_EQ(target->text(), c.expected);
        click(0);
        EXPECT_EQ(shown(), only(""));
        EXPECT_EQ(s().MainDatabase->openSnapshot(c.query)->field(0).asText(),
                  c.expected.leftJustified(30).toStdString());
    }
}

} // namespace
