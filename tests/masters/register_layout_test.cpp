#include "assets/asset_register_window.h"
#include "assets/depreciation_rows_window.h"
#include "data/code_categories.h"
#include "masters/code_category_window.h"
#include "masters/code_register_window.h"
#include "masters/control_information_window.h"
#include "masters/description_register_window.h"
#include "masters/subject_register_window.h"
#include "shell/program_font.h"
#include "support/readable_layout.h"
#include "support/test_files.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

namespace {

// The register and asset windows; in the registers each field's caption stands on its line, at its left.
TEST(RegisterWindowLayout, EveryControlIsReadWholeAndEachFieldBesideItsCaptionAtTheOpeningSize) {
    shell::useProgramFont();
    testing_support::OpenState files;
    data::ProgramState& s = files.state;
    data::LoadCodeKbnTable(s);
    const auto none = [](const QString&) -> shell::ChildWindow* { return nullptr; };
    data::F28Rec asset;
    asset.F28_KBN = 2;
    asset.F28_ACT = 216;
    asset.F28_SEQ = 1;
    asset.F28_NAM = "パソコン";
    const std::tuple<std::function<shell::EntryWindow*()>, std::vector<int>, std::string> windows[] = {
        {[&] { return new masters::frmACT0010(s); },
         {0, 1, 2, 3, 4, 5, 18},
         "科目区分|科目ｺｰﾄﾞ|科目名称|詳細分類|入出金|現金出納簿|合計"},
        {[&] { return new masters::frmACT0030(s); },
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         "摘要ｺｰﾄﾞ|摘要明細|勘定科目|勘定科目|詳細分類|相手先|相手先|備考|入出金|金額"},
        {[&] { return new masters::frmCMNCODE(s); },
         {0, 1, 2, 3, 4, 5, 6},
         "コード区分|明細コード|コード内容|備考(１)|備考(２)|備考(３)|備考(４)"},
        {[&] { return new masters::frmCODEKBN(s); }, {0, 1, 2, 3}, "コード区分|区分名称|コード桁|データ長"},
        {[&] { return new masters::frmCMNCNTR(s); },
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 21, 22, 23, 24, 25, 26, 27, 28},
         "本日の日付|作業の日付|経理〆日|年度開始月|前回年次〆|経理伝票|現状の税率|以前の税率|変更日|"
         "年号|開始日（西暦）|"
         "社名（１行目）|社名（２行目）|〒|住所（１行目）|住所（２行目）|電話番号|Fax番号|振込先（１）|振込先（２）"},
        {[&] { return new assets::frmACT0400(s, none, none); }, {}, ""},
        {[&] { return new assets::frmACT0400A(s, [&] {
                   return assets::AssetForRows{asset, "減価償却費"};
               }); },
         {},
         ""}};
    for (const auto& [make, fields, captions] : windows) {
        testing_support::WorkArea area;
        shell::EntryWindow* window = make();
        area.show(window);
        EXPECT_EQ(testing_support::unreadableControls(window), "") << window->objectName().toStdString();
        QStringList beside;
        for (int index : fields)
            beside.push_back(testing_support::textBeside(window->Text1(index), -1));
        EXPECT_EQ(beside.join("|").toStdString(), captions) << window->objectName().toStdString();
    }
}

// A row added while the window is open, with a name as long as its field, widens the asset list: the
// window grows with it rather than squeezing the fields beside the list into each other.
TEST(RegisterWindowLayout, AWindowGrowsWithAGridWhoseRowsWidenIt) {
    shell::useProgramFont();
    testing_support::OpenState files;
    data::ProgramState& s = files.state;
    data::LoadCodeKbnTable(s);
    const auto none = [](const QString&) -> shell::ChildWindow* { return nullptr; };
    testing_support::WorkArea area;
    auto* window = new assets::frmACT0400(s, none, none);
    area.show(window);
    s.MainDatabase->execute(
        "INSERT INTO F28TB VALUES (3, 302, 1, '業務用車両（軽四輪・荷台幌付き・冷蔵庫付き・予備品一式）', "
        "20260401, 6, 1200000, 0.166, 1, 1, 1140000, '               ')");
    window->Text1(0)->setFocus();
    QTest::keyClick(window->Text1(0), Qt::Key_F5);
    QApplication::processEvents();
    EXPECT_EQ(testing_support::unreadableControls(window), "");
}

} // namespace
