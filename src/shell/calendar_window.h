// The small month calendar at the right edge of the work area. A double-click on a day hands the
// date to the date field of the window that last claimed the calendar.
#pragma once

#include "data/program_state.h"
#include "shell/child_window.h"

#include <QList>

#include <cstdint>

#include <functional>

class QComboBox;
class QLabel;

namespace shell {

class frmCalendar : public ChildWindow {
    Q_OBJECT
public:
    // Finds an open task window by its form name; nullptr when it is not open.
    using WindowFinder = std::function<ChildWindow*(const QString&)>;

    frmCalendar(data::ProgramState& state, WindowFinder findWindow, QWidget* parent = nullptr);

    // Shows the month of CalendarDate.
    void SyncCalendar();
    // Redraws the day cells for the year and month chosen in the lists.
    void DrawCalendar();

    // Controls by their index: Combo1(0) years, Combo1(1) months; Label2 weekday headings; Label3 the 42 days.
    QComboBox* Combo1(int index) const { return combo1_.at(index); }
    QLabel* Label1(int index) const { return label1_.at(index); }
    QLabel* Label2(int index) const { return label2_.at(index); }
    QLabel* Label3(int index) const { return label3_.at(index); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Label3_DblClick(int index);
    void setCell(int index, const QString& text, std::uint32_t textColor, std::uint32_t background);
    void setBackground(int index, std::uint32_t background);
    void handToOwner();

    data::ProgramState& state_;
    WindowFinder findWindow_;
    QList<QComboBox*> combo1_;
    QList<QLabel*> label1_;
    QList<QLabel*> label2_;
    QList<QLabel*> label3_;
    bool placed_ = false;
};

} // namespace shell
