// The version dialog: the help link, OK, and the system-information button's look-up.
#include "shell/about_window.h"
#include "support/test_files.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace {

const std::string ToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\PATH";
const std::string FolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location\\MSINFO";

// Answers each key and value name from its own table.
class KeyedRegistry : public platform::RegistryService {
public:
    std::optional<std::string> GetKeyValue(const std::string& key, const std::string& valueName) override {
        const auto found = values.find(key + "\\" + valueName);
        return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    std::map<std::string, std::string> values;
};

} // namespace

TEST(About, TheLinkOpensTheHelpPageAndOkCloses) {
    testing_support::OpenState os;
    const std::string page = os.state.AppPath + "Manual/manual.html";
    std::filesystem::create_directory(os.state.AppPath + "Manual");
    std::ofstream(page) << "<html></html>";
    shell::frmAbout about(os.state);
    about.show();
    QTest::mouseClick(about.Label1(), Qt::LeftButton);
    EXPECT_EQ(os.desktop.opened, std::vector<std::string>{page});
    EXPECT_TRUE(os.messages.shown.empty());
    QTest::mouseClick(about.cmdOK(), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST(About, SystemInformationStartsTheToolTheRegistryNamesOrSaysItIsUnavailable) {
    testing_support::OpenState os;
    KeyedRegistry registry;
    os.state.registry = &registry;
    const std::vector<std::string> unavailable = {"現時点ではｼｽﾃﾑ情報を使用できません"};
    testing_support::TempFolder withTool, withoutTool;
    std::ofstream(withTool.file("MSINFO32.EXE")) << "tool";
    struct Case {
        std::map<std::string, std::string> values;
        bool startSucceeds;
        std::vector<std::string> started;
        bool told;
    } cases[] = {
        {{{ToolKey, "/usr/bin/sysinfo"}}, true, {"/usr/bin/sysinfo"}, false},
        {{}, true, {}, true},
        {{{FolderKey, withTool.path().string()}}, true, {withTool.file("MSINFO32.EXE")}, false},
        {{{FolderKey, withoutTool.path().string()}}, true, {}, true},
        {{{ToolKey, "/missing/tool"}}, false, {"/missing/tool"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        registry.values = c.values;
        os.desktop.started.clear();
        os.desktop.succeed = c.startSucceeds;
        os.messages.shown.clear();
        shell::frmAbout about(os.state);
        about.show();
        QTest::mouseClick(about.cmdSysInfo(), Qt::LeftButton);
        EXPECT_EQ(os.desktop.started, c.started);
        EXPECT_EQ(os.messages.shown, c.told ? unavailable : std::vector<std::string>{});
        EXPECT_TRUE(about.isVisible());
    }
}
