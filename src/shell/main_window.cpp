#include "shell/main_window.h"

#include "shell/calendar_window.h"
#include "shell/data_file.h"
#include "shell/event_guard.h"
#include "shell/help_page.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <filesystem>

namespace shell {

namespace fs = std::filesystem;

namespace {

const char* const PlainCaption = "経理処理";

} // namespace

frmKemlora::frmKemlora(data::ProgramState& state, QWidget* parent)
    : QMainWindow(parent), state_(state), mdiArea_(new QMdiArea(this)),
      fileCommands_(state, FileCommands::Hooks{[this] { CloseChildWindows(); }, [this] { refreshCaption(); }}) {
    setObjectName("frmKemlora");
    setWindowTitle(QString::fromUtf8(PlainCaption));
    mdiArea_->setObjectName("mdiArea");
    // Windows are never squeezed below their size to fit; the area scrolls to them instead.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    makeActions();
    makeMenus();
    state_.syncCalendar = [this] { syncCalendarWindow(); };
}

frmKemlora::~frmKemlora() { state_.syncCalendar = nullptr; }

void frmKemlora::startUp(const std::string& appFolder) {
    state_.AppPath = appFolder;
    if (state_.AppPath.empty() || state_.AppPath.back() != '/') state_.AppPath += '/';
    state_.DataFilePath = state_.AppPath + "Kemlora.mdb";
    state_.TemplateFilePath = state_.AppPath + "OrgKemlora.mdb";

    const bool opened = (fs::exists(state_.DataFilePath) || makeWorkingFile()) && openWorkingFile();
    state_.CalendarDate = opened ? state_.F01Record.F01_ACT : state_.today();
}

// A new user has no working file yet: copy the template into place.
bool frmKemlora::makeWorkingFile() {
    if (!fs::exists(state_.TemplateFilePath)) {
        state_.message("データファイルがなく、基準ファイルもないため、データファイルを作れません。\n" +
                       state_.TemplateFilePath + "\n「既存ファイルから選択」でデータファイルを開いてください。");
        return false;
    }
    if (const std::error_code error = PutDataFileInPlace(state_.TemplateFilePath, state_.DataFilePath)) {
        state_.message("データファイルを基準ファイルから作れませんでした。\n" + state_.DataFilePath +
                       "\nErr.Number = " + FileErrorReport(error));
        return false;
    }
    return true;
}

bool frmKemlora::openWorkingFile() {
    setWindowTitle(QString::fromStdString(MainCaption(state_.DataFilePath)));
    try {
        OpenDataFile(state_);
    } catch (const db::DbError& error) {
        state_.message("データファイルを開けませんでした。\n" + state_.DataFilePath +
                       "\nErr.Number = " + db::ErrorReport(error));
    }
    refreshCaption();
    return state_.MainDatabase != nullptr;
}

// The caption names the open file, and only a file that is open.
void frmKemlora::refreshCaption() {
    setWindowTitle(QString::fromStdString(state_.MainDatabase ? MainCaption(state_.DataFilePath) : PlainCaption));
}

// Keeping the calendar in step with a date shown elsewhere must not take the front, and with it the
// focus, from the window the user is typing in; only a calendar not yet open comes up.
void frmKemlora::syncCalendarWindow() {
    auto* calendar = qobject_cast<frmCalendar*>(findChild("frmCalendar"));
    if (!calendar) {
        QMdiSubWindow* working = mdiArea_->activeSubWindow();
        calendar = qobject_cast<frmCalendar*>(showChild("frmCalendar"));
        if (working && liveWindows().contains(working)) mdiArea_->setActiveSubWindow(working);
    }
    if (calendar) calendar->SyncCalendar();
}

void frmKemlora::registerWindow(const QString& formName, std::function<ChildWindow*()> factory) {
    factories_[formName] = std::move(factory);
}

QList<QMdiSubWindow*> frmKemlora::liveWindows() const {
    QList<QMdiSubWindow*> live;
    for (auto* window : mdiArea_->subWindowList(QMdiArea::CreationOrder))
        if (!window->property("retired").toBool()) live << window;
    return live;
}

ChildWindow* frmKemlora::findChild(const QString& formName) const {
    for (auto* window : liveWindows()) {
        auto* child = qobject_cast<ChildWindow*>(window->widget());
        if (child && child->objectName() == formName) return child;
    }
    return nullptr;
}

QStringList frmKemlora::openWindowNames() const {
    QStringList names;
    for (auto* window : liveWindows())
        if (window->widget()) names << window->widget()->objectName();
    return names;
}

ChildWindow* frmKemlora::showChild(const QString& formName) {
    if (ChildWindow* open = findChild(formName)) {
        auto* window = qobject_cast<QMdiSubWindow*>(open->parentWidget());
        if (window) mdiArea_->setActiveSubWindow(window);
        return open;
    }
    const auto factory = factories_.find(formName);
    if (factory == factories_.end()) return nullptr;
    ChildWindow* child = factory->second();
    if (!child) return nullptr;
    QMdiSubWindow* window = mdiArea_->addSubWindow(child);
    connect(child, &ChildWindow::closed, this, [this, window] { retire(window); });
    window->show();
    // The size a window opens at is the one its fields were laid out for: neither an arrangement nor
    // the user's mouse makes it smaller, nor a window of fixed size larger.
    window->setMinimumSize(window->size());
    if (child->minimumSize() == child->maximumSize()) window->setMaximumSize(window->size());
    mdiArea_->setActiveSubWindow(window);
    return child;
}

// A closed window leaves the area at once for every look-up; the object goes when control returns
// to the event loop, since its own close may still be running.
void frmKemlora::retire(QMdiSubWindow* window) {
    if (window->property("retired").toBool()) return;
    window->setProperty("retired", true);
    window->hide();
    window->deleteLater();
}

void frmKemlora::CloseChildWindows() {
    QList<QPointer<QMdiSubWindow>> windows;
    for (auto* window : liveWindows())
        windows << window;
    prepareClosingByProgram();
    for (const auto& window : windows) {
        if (!window || window->property("retired").toBool()) continue;
        if (auto* child = qobject_cast<ChildWindow*>(window->widget()))
            child->closeByProgram();
        else
            window->close();
        if (window) retire(window);
    }
    // No closed window may be called back by a pick in the calendar.
    state_.CalendarOwnerForm.clear();
    showChild("frmCalendar");
}

// Every window first, since closing one brings the next to the front with the focus.
void frmKemlora::prepareClosingByProgram() {
    for (auto* window : mdiArea_->subWindowList())
        if (auto* child = qobject_cast<ChildWindow*>(window->widget())) child->prepareClosingByProgram();
}

void frmKemlora::closeEvent(QCloseEvent* event) {
    endProgram();
    event->accept();
}

// The end: the task windows go without their own close steps, then the data file, then the program.
void frmKemlora::endProgram() {
    prepareClosingByProgram();
    for (auto* window : mdiArea_->subWindowList())
        delete window;
    state_.closeDatabase();
    QCoreApplication::quit();
}

void frmKemlora::runCommand(const std::function<void()>& command) { guardEvent(state_, command); }

void frmKemlora::runFileCommand(void (FileCommands::*command)()) {
    guardEvent(state_, [this, command] { (fileCommands_.*command)(); });
    refreshCaption();
}

bool frmKemlora::dataFileOpen() {
    if (state_.MainDatabase) return true;
    state_.message(
        "データファイルが開かれていません。\n「ファイル」メニューからデータファイルを初期化するか、選択してください。");
    return false;
}

void frmKemlora::showTaskWindow(const QString& formName) {
    if (!factories_.count(formName) && !findChild(formName)) return;
    if (!dataFileOpen()) return;
    showChild(formName);
}

void frmKemlora::showReport(std::int16_t reportNo) {
    if (!factories_.count("frmPrint") && !findChild("frmPrint")) return;
    if (reportAvailable_ && !reportAvailable_(reportNo)) return;
    if (!dataFileOpen()) return;
    // The dialog serves one report from its set-up to its print run, so another report's entry loads it afresh.
    if (ChildWindow* open = findChild("frmPrint"); open && state_.PrintReportNo != reportNo) open->closeByProgram();
    // Set before the dialog loads, which is when it reads the number.
    state_.PrintReportNo = reportNo;
    showChild("frmPrint");
}

void frmKemlora::showClosing(std::int16_t simeMode) {
    if (!factories_.count("frmSIME")) return;
    if (!dataFileOpen()) return;
    // Closing everything first makes the dialog load afresh with the new mode.
    CloseChildWindows();
    state_.SimeMode = simeMode;
    showChild("frmSIME");
}

void frmKemlora::openHelp() { OpenHelpPage(state_); }

} // namespace shell
