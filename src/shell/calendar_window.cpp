#include "shell/calendar_window.h"

#include "common/formats.h"
#include "shell/calendar_days.h"
#include "shell/twips.h"
#include "shell/window_placement.h"
#include "shell/windows_colors.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QStringList>
#include <QStyleOptionComboBox>

namespace shell {

namespace {

constexpr std::uint32_t Black = 0x000000;
constexpr std::uint32_t DarkRed = 0x0000C0;
constexpr std::uint32_t Blue = 0xFF0000;
constexpr std::uint32_t LightCyan = 0xFFFF80;

constexpr int WidthTwips = 1815;
constexpr int HeightTwips = 2400;
constexpr int CellCount = 42;
constexpr int CellSizeTwips = 255;
constexpr int CellStepTwips = 240;
constexpr int GridLeftTwips = 60;
constexpr int HeadingTopTwips = 450;
constexpr int CellsTopTwips = 720;

// A list a few digits wide. A style sheet that narrows the drop-down button leaves it without its arrow,
// and a style's own button would hide the digits, so the list draws a small arrow of its own.
class NarrowList : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent* event) override {
        QComboBox::paintEvent(event);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        const QRectF button = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
        const QPointF centre = button.center();
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawPolygon(QPolygonF{centre + QPointF(-3.5, -2), centre + QPointF(3.5, -2), centre + QPointF(0, 2)});
    }
};

// The windows that own a date field the calendar can fill.
const QStringList& ownerForms() {
    static const QStringList forms{"frmACT0100", "frmCMNCNTR", "frmPrint", "frmSIME", "frmACT0400"};
    return forms;
}

} // namespace

frmCalendar::frmCalendar(data::ProgramState& state, WindowFinder findWindow, QWidget* parent)
    : ChildWindow("frmCalendar", parent), state_(state), findWindow_(std::move(findWindow)) {
    setWindowTitle(QString::fromUtf8("　暦"));
    setFixedSize(twipsToPixels(WidthTwips), twipsToPixels(HeightTwips));

    auto* years = new NarrowList(this);
    auto* months = new NarrowList(this);
    combo1_ = {years, months};
    for (int y = 1900; y <= 2100; ++y)
        years->addItem(QString::number(y));
    for (int m = 1; m <= 12; ++m)
        months->addItem(QString::number(m));
    years->setToolTip(QString::fromUtf8("年を選択しクリックします。"));
    months->setToolTip(QString::fromUtf8("月を選択しクリックします。"));
    years->setMaxVisibleItems(12);
    months->setMaxVisibleItems(12);
    // The lists are only a few digits wide; the default frame and arrow would hide the digits.
    for (auto* combo : {years, months})
        combo->setStyleSheet("QComboBox { padding: 0px 0px 0px 2px; font-size: 8pt; } "
                             "QComboBox::drop-down { width: 9px; border: none; }");
    months->setGeometry(twipsRect(60, 60, 585, 330));
    years->setGeometry(twipsRect(855, 60, 765, 330));
    label1_ = {new QLabel(QString::fromUtf8("年"), this), new QLabel(QString::fromUtf8("月"), this)};
    label1_[1]->setGeometry(twipsRect(660, 90, 195, 270));
    label1_[0]->setGeometry(twipsRect(1635, 90, 180, 270));
    for (auto* combo : combo1_)
        connect(combo, &QComboBox::activated, this, [this] { DrawCalendar(); });

    const char* weekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int c = 0; c < 7; ++c) {
        auto* heading = new QLabel(QString::fromUtf8(weekdays[c]), this);
        heading->setAlignment(Qt::AlignCenter);
        heading->setGeometry(
            twipsRect(GridLeftTwips + c * CellStepTwips, HeadingTopTwips, CellSizeTwips, CellSizeTwips));
        const std::uint32_t color = c == 0 ? DarkRed : c == 6 ? Blue : Black;
        QPalette palette = heading->palette();
        palette.setColor(QPalette::WindowText, windowsColor(color, palette));
        heading->setPalette(palette);
        label2_.append(heading);
    }
    for (int i = 0; i < CellCount; ++i) {
        auto* cell = new QLabel(this);
        cell->setAlignment(Qt::AlignCenter);
        cell->setFrameShape(QFrame::Box);
        cell->setAutoFillBackground(true);
        cell->setGeometry(twipsRect(GridLeftTwips + (i % 7) * CellStepTwips, CellsTopTwips + (i / 7) * CellStepTwips,
                                    CellSizeTwips, CellSizeTwips));
        cell->installEventFilter(this);
        label3_.append(cell);
    }

    // Until a date names a month in the lists, show the current month rather than January 1900.
    const std::int32_t today = state_.today ? state_.today() : data::systemToday();
    years->setCurrentText(QString::number(today / 10000));
    months->setCurrentText(QString::number(today / 100 % 100));
    SyncCalendar();
}

void frmCalendar::SyncCalendar() {
    // A date whose year or month is not in the lists leaves that list where it was.
    const QString digits = QString::number(state_.CalendarDate).rightJustified(8, QLatin1Char('0'));
    const int year = digits.left(4).toInt();
    const int month = digits.mid(4, 2).toInt();
    const int yearIndex = combo1_[0]->findText(QString::number(year));
    const int monthIndex = combo1_[1]->findText(QString::number(month));
    if (yearIndex >= 0) combo1_[0]->setCurrentIndex(yearIndex);
    if (monthIndex >= 0) combo1_[1]->setCurrentIndex(monthIndex);
    DrawCalendar();
}

void frmCalendar::DrawCalendar() {
    for (int i = 0; i < CellCount; ++i)
        setCell(i, QString(), Black, ButtonFaceColor);

    const auto year = static_cast<std::int16_t>(combo1_[0]->currentText().toInt());
    const auto month = static_cast<std::int16_t>(combo1_[1]->currentText().toInt());
    const int markDay = static_cast<int>(state_.CalendarDate % 100);

    std::int16_t leap = 0;
    CheckLeapYear(year, leap);
    const std::int16_t firstWeekday = FirstWeekdayOf(year, month);
    HolidayFlags flags{};
    MarkHolidays(year, month, firstWeekday, leap, flags);
    std::int16_t daysInMonth = 0;
    DaysInMonth(month, daysInMonth, leap);

    for (int d = 1; d <= daysInMonth; ++d) {
        const int cell = firstWeekday - 1 + d - 1;
        const bool red = cell % 7 == 0 || flags[d];
        setCell(cell, QString::fromStdString(common::FormatFix(d, "##")), red ? DarkRed : Black,
                d == markDay ? LightCyan : ButtonFaceColor);
    }
}

void frmCalendar::setCell(int index, const QString& text, std::uint32_t textColor, std::uint32_t background) {
    QLabel* cell = label3_[index];
    cell->setText(text);
    QPalette palette = cell->palette();
    palette.setColor(QPalette::WindowText, windowsColor(textColor, palette));
    palette.setColor(QPalette::Window, windowsColor(background, this->palette()));
    cell->setPalette(palette);
}

void frmCalendar::setBackground(int index, std::uint32_t background) {
    QLabel* cell = label3_[index];
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Window, windowsColor(background, this->palette()));
    cell->setPalette(palette);
}

bool frmCalendar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto index = label3_.indexOf(static_cast<QLabel*>(watched));
        if (index >= 0) {
            Label3_DblClick(static_cast<int>(index));
            return true;
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

void frmCalendar::Label3_DblClick(int index) {
    const int year = combo1_[0]->currentText().toInt();
    const int month = combo1_[1]->currentText().toInt();
    const int day = label3_[index]->text().trimmed().toInt();
    if (day == 0) {
        state_.message("日付の指定が正しくありません。");
        return;
    }
    for (int i = 0; i < CellCount; ++i)
        setBackground(i, ButtonFaceColor);
    setBackground(index, LightCyan);

    state_.CalendarPicked = 1;
    state_.CalendarDate = year * 10000 + month * 100 + day;
    handToOwner();
}

void frmCalendar::handToOwner() {
    const QString owner = QString::fromStdString(state_.CalendarOwnerForm);
    if (!ownerForms().contains(owner) || !findWindow_) return;
    ChildWindow* window = findWindow_(owner);
    if (!window) return;
    QWidget* field = window->fieldWidget(state_.CalendarFieldIndex);
    if (!field) return;
    // The field takes the focus before its window comes forward: the activation then finds the focus
    // inside and restores no other field, whose focus handling would drop the waiting date. Where the
    // owner sends the focus on from the field, that stands.
    field->setFocus(Qt::OtherFocusReason);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        if (auto* area = sub->mdiArea(); area && area->activeSubWindow() != sub) area->setActiveSubWindow(sub);
    } else {
        window->activateWindow();
    }
    // While the program's window is not active the focus is only noted, and the activation may have
    // noted another field; the field is the one to get it when the program comes back.
    if (!window->isActiveWindow()) field->setFocus(Qt::OtherFocusReason);
}

void frmCalendar::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    // At the right edge of the work area; the top stays where the window was put.
    moveOuterFrame(this, placementArea(this).width() - outerSize(this).width());
}

} // namespace shell
