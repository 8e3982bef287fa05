// The version dialog: its texts, the help link and the system-information button's look-up.
#include "shell/about_window.h"
#include "support/test_files.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <map>

using shell::frmAbout;

namespace {

const std::string ToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\PATH";
const std::string FolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location\\MSINFO";
const std::string Unavailable = "現時点ではｼｽﾃﾑ情報を使用できません";

// Answers each key and value name from its own table.
class KeyedRegistry : public platform::RegistryService {
public:
    std::optional<std::string> GetKeyValue(const std::string &key, const std::string &valueName) override {
        const auto found = values.find(key + "\\" + valueName);
        return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    std::map<std::string, std::string> values;
};

struct AboutFixture : ::testing::Test {
    AboutFixture() {
        state.messages = &messages;
        state.desktop = &desktop;
        state.registry = &registry;
        state.AppPath = folder.path().string() + "/";
    }
    testing_support::TempFolder folder;
    testing_support::ScriptedMessages messages;
    testing_support::ScriptedDesktop desktop;
    testing_support::ScriptedRegistry registry;
    data::ProgramState state;
};

} // namespace

TEST_F(AboutFixture, ShowsTitleVersionAndOpensTheHelpPage) {
    frmAbout about(state);
    EXPECT_EQ(about.windowTitle(), "Kemloraのﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(about.lblVersion()->text(), "ﾊﾞｰｼﾞｮﾝ 1.2.0");
    EXPECT_EQ(about.cmdSysInfo()->text(), "ｼｽﾃﾑ情報(&S)...");

    QTest::mouseClick(about.Label1(), Qt::LeftButton);
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], state.AppPath + "Manual/manual.html");
    EXPECT_EQ(about.Label1()->text().toStdString(), desktop.opened[0]);
}

TEST_F(AboutFixture, OkClosesTheDialog) {
    frmAbout about(state);
    about.show();
    QSignalSpy closed(&about, &shell::ChildWindow::closed);
    QTest::mouseClick(about.cmdOK(), Qt::LeftButton);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(AboutFixture, SystemInformationStartsTheToolTheRegistryNames) {
    registry.value = "/usr/bin/sysinfo";
    frmAbout about(state);
    QTest::mouseClick(about.cmdSysInfo(), Qt::LeftButton);
    EXPECT_EQ(registry.asked, std::vector<std::string>{ToolKey});
    EXPECT_EQ(desktop.started, std::vector<std::string>{"/usr/bin/sysinfo"});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AboutFixture, SystemInformationUnavailableIsToldAndTheDialogStays) {
    frmAbout about(state);
    about.show();
    QTest::mouseClick(about.cmdSysInfo(), Qt::LeftButton);
    EXPECT_EQ(registry.asked, (std::vector<std::string>{ToolKey, FolderKey}));
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_EQ(messages.shown, std::vector<std::string>{Unavailable});
    EXPECT_TRUE(about.isVisible());
}

TEST_F(AboutFixture, SystemInformationFromTheToolsFolder) {
    testing_support::TempFolder withTool, withoutTool;
    std::ofstream(withTool.file("MSINFO32.EXE")) << "tool";
    struct Case {
        std::map<std::string, std::string> values;
        bool startSucceeds;
        std::vector<std::string> started;
        bool told;
    } cases[] = {
        {{{FolderKey, withTool.path().string()}}, true, {withTool.file("MSINFO32.EXE")}, false},
        {{{FolderKey, withoutTool.path().string()}}, true, {}, true},
        {{{ToolKey, "/missing/tool"}}, false, {"/missing/tool"}, true},
    };
    KeyedRegistry keyed;
    state.registry = &keyed;
    for (const auto &c : cases) {
        keyed.values = c.values;
        desktop.started.clear();
        desktop.succeed = c.startSucceeds;
        messages.shown.clear();
        frmAbout about(state);
        about.StartSysInfo();
        EXPECT_EQ(desktop.started, c.started);
        EXPECT_EQ(messages.shown, c.told ? std::vector<std::string>{Unavailable} : std::vector<std::string>{});
    }
}
