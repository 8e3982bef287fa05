#include "data/code_categories.h"
#include "data/control_row.h"
#include "data/table_rows.h"
#include "masters/code_category_window.h"
#include "masters/code_register_window.h"
#include "masters/control_information_window.h"
#include "masters/description_register_window.h"
#include "masters/subject_register_window.h"
#include "support/test_files.h"
#include "support/window_test.h"

#include <functional>

namespace {

using testing_support::only;

// Text fields show their stored text padded to their width, which is also what the user may type.
class PaddedTextFieldTest : public testing_support::WindowTest<shell::EntryWindow> {
protected:
    void SetUp() override {
        testing_support::statusOf(data::F01Access, s(), "GET");
        data::LoadCodeKbnTable(s());
    }
    data::ProgramState& s() { return files.state; }
    void typeIn(int index, const QString& text) {
        retype(index, text);
        key(Qt::Key_Return);
    }
    std::string stored(const std::string& query) {
        auto row = s().MainDatabase->openSnapshot(query);
        return row->field(0).asText();
    }

    testing_support::OpenState files;
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
        {[](auto& s) { return new masters::frmACT0030(s); }, [this] { typeIn(0, "1"), click(3); }, 1, "等",
         "売上代金等", "SELECT F18_DSC FROM F18TB WHERE F18_COD = '000001'"},
        {[](auto& s) { return new masters::frmCODEKBN(s); }, [this] { typeIn(0, "2"), click(3); }, 1, "様", "取引先様",
         "SELECT F10KBN_NAME FROM F10KBNTB WHERE F10KBN_ID = 2"},
        {[](auto& s) { return new masters::frmCMNCODE(s); }, [this] { typeIn(0, "1"), typeIn(1, "2"), click(3); }, 2,
         "等", "経費等", "SELECT F10_DTL FROM F10TB WHERE F10_KBN = 1 AND F10_COD = 2"},
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
        EXPECT_EQ(files.messages.shown, only(""));
        EXPECT_EQ(stored(c.query), c.expected.leftJustified(30).toStdString());
    }
}

} // namespace
