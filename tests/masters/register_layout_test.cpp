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

namespace {

// The register and asset windows.
TEST(RegisterWindowLayout, EveryControlIsReadWholeInsideTheMainWindowAtTheOpeningSize) {
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
    const std::function<shell::ChildWindow*()> windows[] = {
        [&] { return new masters::frmACT0010(s); },
        [&] { return new masters::frmACT0030(s); },
        [&] { return new masters::frmCMNCODE(s); },
        [&] { return new masters::frmCODEKBN(s); },
        [&] { return new masters::frmCMNCNTR(s); },
        [&] { return new assets::frmACT0400(s, none, none); },
        [&] { return new assets::frmACT0400A(s, [&] {
                  return assets::AssetForRows{asset, "減価償却費"};
              }); }};
    for (const auto& make : windows) {
        testing_support::WorkArea area;
        shell::ChildWindow* window = make();
        area.show(window);
        EXPECT_EQ(testing_support::unreadableControls(window), "") << window->objectName().toStdString();
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
