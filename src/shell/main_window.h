// The program's one top-level window: the frame in which every task opens as a child window,
// with the menu bar that is the program's only command surface.
#pragma once

#include "data/program_state.h"
#include "shell/child_window.h"
#include "shell/file_commands.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <string>

class QMdiArea;
class QMdiSubWindow;

namespace shell {

class frmKemlora : public QMainWindow {
    Q_OBJECT
public:
    explicit frmKemlora(data::ProgramState& state, QWidget* parent = nullptr);
    ~frmKemlora() override;

    // Fixes the paths beside the program, opens the working file (made from the template when a
    // new user has none yet) and sets the calendar date; the calendar itself is not shown yet. A file
    // that cannot be had leaves the program running with no file open.
    void startUp(const std::string& appFolder);

    // How a task window is made; windows register themselves in main().
    void registerWindow(const QString& formName, std::function<ChildWindow*()> factory);
    // The report numbers the report dialog has a report for; without it every number opens the dialog.
    void setReportAvailable(std::function<bool(std::int16_t)> available) { reportAvailable_ = std::move(available); }
    // Brings an open window to the front, else makes it; nothing when no window of that name is known.
    ChildWindow* showChild(const QString& formName);
    using QObject::findChild;
    ChildWindow* findChild(const QString& formName) const;
    // The names of the open task windows, in the order they were opened.
    QStringList openWindowNames() const;

    // Closes every task window as a close by the program, then shows the calendar.
    void CloseChildWindows();

    QMdiArea* mdiArea() const { return mdiArea_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void makeActions();
    void makeMenus();
    bool makeWorkingFile();
    bool openWorkingFile();
    void refreshCaption();
    void syncCalendarWindow();
    void endProgram();
    void prepareClosingByProgram();

    // Every menu command runs here, so that no database failure ends the program.
    void runCommand(const std::function<void()>& command);
    void runFileCommand(void (FileCommands::*command)());
    void showTaskWindow(const QString& formName);
    void showReport(std::int16_t reportNo);
    void showClosing(std::int16_t simeMode);
    bool dataFileOpen();
    void openHelp();

    void retire(QMdiSubWindow* window);
    QList<QMdiSubWindow*> liveWindows() const;

    data::ProgramState& state_;
    QMdiArea* mdiArea_;
    FileCommands fileCommands_;
    std::map<QString, std::function<ChildWindow*()>> factories_;
    std::map<QString, std::function<void()>> commands_;
    std::function<bool(std::int16_t)> reportAvailable_;
};

} // namespace shell
