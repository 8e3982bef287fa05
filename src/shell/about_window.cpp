#include "shell/about_window.h"
#include "shell/help_page.h"

#include "shell/twips.h"
#include "shell/window_placement.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>

#include <filesystem>
#include <optional>
#include <string>

#ifndef KEMLORA_VERSION_MAJOR
#error "the build defines the program's version"
#endif

namespace shell {

namespace {

constexpr const char* ProgramTitle = "Kemlora";
constexpr int WidthTwips = 5820;
constexpr int HeightTwips = 3420;

// The tool's full path from the registry, or nothing.
std::optional<std::string> systemInformationTool(platform::RegistryService& registry) {
    if (auto path = registry.GetKeyValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH")) return path;
    if (auto folder = registry.GetKeyValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO")) {
        const auto tool = std::filesystem::path(*folder) / "MSINFO32.EXE";
        std::error_code error;
        if (std::filesystem::is_regular_file(tool, error)) return tool.string();
    }
    return std::nullopt;
}

} // namespace

frmAbout::frmAbout(data::ProgramState& state, QWidget* parent) : ChildWindow("frmAbout", parent), state_(state) {
    setWindowTitle(QString::fromUtf8(ProgramTitle) + QString::fromUtf8("のﾊﾞｰｼﾞｮﾝ情報"));
    setFixedSize(twipsToPixels(WidthTwips), twipsToPixels(HeightTwips));

    image1_ = new QLabel(this);
    image1_->setGeometry(twipsRect(240, 240, 540, 540));
    const QIcon icon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_MessageBoxInformation)
                                                           : QApplication::windowIcon();
    image1_->setPixmap(icon.pixmap(twipsToPixels(540)));

    lblTitle_ = new QLabel(QString::fromUtf8(ProgramTitle), this);
    lblTitle_->setGeometry(twipsRect(1050, 240, 4500, 480));
    QFont titleFont = lblTitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    lblTitle_->setFont(titleFont);

    lblVersion_ = new QLabel(QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ ") + QString::number(KEMLORA_VERSION_MAJOR) + "." +
                                 QString::number(KEMLORA_VERSION_MINOR) + "." + QString::number(KEMLORA_VERSION_PATCH),
                             this);
    lblVersion_->setGeometry(twipsRect(1050, 780, 4500, 300));

    lblDescription_ = new QLabel(QString::fromUtf8("小規模な事業の現金出納帳をつけ、月次集計と年次決算を行い、"
                                                   "帳簿と一覧表を印刷する経理処理プログラムです。"),
                                 this);
    lblDescription_->setWordWrap(true);
    lblDescription_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDescription_->setGeometry(twipsRect(1050, 1140, 4500, 780));

    // The link's text is the address it opens: the help page beside the program.
    label1_ = new QLabel(QString::fromStdString(HelpPagePath(state_)), this);
    label1_->setGeometry(twipsRect(1050, 2040, 4500, 300));
    QPalette linkPalette = label1_->palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    label1_->setPalette(linkPalette);
    label1_->setCursor(Qt::PointingHandCursor);
    label1_->installEventFilter(this);

    cmdOK_ = new QPushButton("OK", this);
    cmdOK_->setGeometry(twipsRect(4245, 2520, 1455, 375));
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, [this] { close(); });

    cmdSysInfo_ = new QPushButton(QString::fromUtf8("ｼｽﾃﾑ情報(&S)..."), this);
    cmdSysInfo_->setGeometry(twipsRect(4245, 2970, 1455, 375));
    connect(cmdSysInfo_, &QPushButton::clicked, this, [this] { StartSysInfo(); });
}

void frmAbout::StartSysInfo() {
    // Whatever goes wrong on the way, the user hears only that the tool is not available.
    bool started = false;
    try {
        if (state_.registry && state_.desktop) {
            if (const auto tool = systemInformationTool(*state_.registry)) started = state_.desktop->start(*tool);
        }
    } catch (const std::exception&) {
        started = false;
    }
    if (!started) state_.message("現時点ではｼｽﾃﾑ情報を使用できません");
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label1_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        OpenHelpPage(state_);
        return true;
    }
    return ChildWindow::eventFilter(watched, event);
}

void frmAbout::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    const QSize area = placementArea(this);
    const QSize own = outerSize(this);
    moveOuterFrame(this, (area.width() - own.width()) / 2, (area.height() - own.height()) / 4);
}

} // namespace shell
