// The version dialog: the program's title and version, a link to the help page and a button that
// starts the system-information tool.
#pragma once

#include "data/program_state.h"
#include "shell/child_window.h"

class QLabel;
class QPushButton;

namespace shell {

class frmAbout : public ChildWindow {
    Q_OBJECT
public:
    explicit frmAbout(data::ProgramState& state, QWidget* parent = nullptr);

    // Finds and starts the system-information tool, or tells the user it is not available.
    void StartSysInfo();

    QLabel* Image1() const { return image1_; }
    QLabel* lblTitle() const { return lblTitle_; }
    QLabel* lblVersion() const { return lblVersion_; }
    QLabel* lblDescription() const { return lblDescription_; }
    QLabel* Label1() const { return label1_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdSysInfo() const { return cmdSysInfo_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    data::ProgramState& state_;
    QLabel* image1_;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* lblDescription_;
    QLabel* label1_;
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
    bool placed_ = false;
};

} // namespace shell
