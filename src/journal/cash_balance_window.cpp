#include "journal/cash_balance_window.h"

#include "common/formats.h"
#include "common/input_checks.h"
#include "data/cash_row.h"
#include "shell/windows_colors.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>
#include <string>
#include <vector>

namespace journal {

namespace {

using db::Currency;
using shell::FieldCheck;
using shell::FieldSpec;
using shell::FocusMove;

constexpr int WidthTwips = 4935;
constexpr int HeightTwips = 5175;

constexpr int CarriedForwardField = 0;
constexpr int ClosingBalanceField = 37;
constexpr int FieldCount = 38;
constexpr int TypedLength = 10;

constexpr int Receipts = 1;
constexpr int Payments = 2;
constexpr int Balance = 3;

constexpr std::uint32_t TypedColor = 0xC0FFFF;   // light yellow
constexpr std::uint32_t DisplayColor = 0xFFFFC0; // light cyan

const char* const ShownFormat = "#,###,###,##0";
constexpr int ShownWidth = 13; // the widest shown amount, such as 2,147,483,647

// Fields 1 to 36 run month by month: receipts, payments, balance.
int kindOf(int index) { return (index - 1) % 3 + 1; }
int monthOf(int index) { return (index - 1) / 3 + 1; }
bool isTyped(int index) {
    return index == CarriedForwardField || (index < ClosingBalanceField && kindOf(index) != Balance);
}

Currency& amountOf(data::F46Rec& row, int index) {
    if (index == CarriedForwardField) return row.F46_RM1;
    if (index == ClosingBalanceField) return row.F46_RM2;
    return row.Amt[kindOf(index)][monthOf(index)];
}

// The balance rule the monthly totals use too: each month adds its receipts and takes its payments.
void calcBalances(data::F46Rec& row) {
    Currency balance = row.F46_RM1;
    for (int m = 1; m <= 12; ++m) {
        balance += row.Amt[Receipts][m] - row.Amt[Payments][m];
        row.Amt[Balance][m] = balance;
    }
    row.F46_RM2 = balance;
}

bool inSlotRange(Currency amount) {
    const std::int64_t whole = amount.roundedWhole();
    return whole >= data::LowestMonthAmount && whole <= data::HighestMonthAmount;
}

std::string grouped(std::int64_t amount) { return common::FormatNumber(std::to_string(amount), "#,##0"); }

std::string rangeText() { return grouped(data::LowestMonthAmount) + "～" + grouped(data::HighestMonthAmount); }

// The calendar month of fiscal month m, when the year starts in month `firstMonth`.
int calendarMonth(int firstMonth, int m) { return ((firstMonth + m - 2) % 12 + 12) % 12 + 1; }

std::vector<FieldSpec> cashFields() {
    std::vector<FieldSpec> fields;
    for (int i = 0; i < FieldCount; ++i) {
        FieldSpec spec;
        spec.index = i;
        spec.maxLength = TypedLength;
        if (isTyped(i)) {
            spec.check = FieldCheck::Amount;
            if (i == CarriedForwardField) {
                spec.hint = QString::fromUtf8("前年度繰越額を入力して下さい。");
            } else if (kindOf(i) == Receipts) {
                spec.hint = QString::fromUtf8("該当月の入金額を入力して下さい。");
            } else {
                spec.hint = QString::fromUtf8("該当月の出金額を入力して下さい。");
            }
        }
        fields.push_back(spec);
    }
    return fields;
}

} // namespace

frmACT0210::frmACT0210(data::ProgramState& state, QWidget* parent)
    : EntryWindow(state, "frmACT0210", cashFields(), parent) {
    setWindowTitle(QString::fromUtf8("現金出納簿残高明細の更新"));
    setPlacement(WidthTwips, HeightTwips);
    // A blank typed with an amount is refused like any other character that is no part of a number.
    setTrimmedOnLeaving(false);
    makeControls();
    setMonthCaptions();
    state.cashRowListeners[this] = [this] { rowStoredByJob(); };
}

frmACT0210::~frmACT0210() { state().cashRowListeners.erase(this); }

frmACT0210* frmACT0210::create(data::ProgramState& state, QWidget* parent) {
    std::unique_ptr<frmACT0210> window(new frmACT0210(state, parent));
    if (!window->loadRow()) return nullptr;
    window->showAllFields();
    return window.release();
}

void frmACT0210::makeControls() {
    // Laid out rather than placed: in our Gothic face the designed rows, 255 twips apart, would run into
    // each other and cut the amounts' digits.
    auto* layout = addWindowLayout();
    auto* table = new QGridLayout;
    table->setVerticalSpacing(2);
    const char* const headings[] = {"月度", "入金", "出金", "残高"};
    for (int c = 0; c < 4; ++c) {
        QLabel* heading = Label1(c);
        heading->setText(QString::fromUtf8(headings[c]));
        heading->setAlignment(Qt::AlignCenter);
        table->addWidget(heading, 0, c);
    }
    // Row r: 0 carried forward, 1 to 12 the fiscal months, 13 the closing balance.
    for (int r = 0; r <= 13; ++r) {
        QLabel* caption = Label1(r + 4);
        if (r == 0 || r == 13) caption->setText(QString::fromUtf8("繰越"));
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->addWidget(caption, r + 1, 0);
    }
    for (int i = 0; i < FieldCount; ++i) {
        QLineEdit* field = Text1(i);
        int row = 0;
        int column = Balance;
        if (i == ClosingBalanceField) {
            row = 13;
        } else if (i != CarriedForwardField) {
            row = monthOf(i);
            column = kindOf(i);
        }
        table->addWidget(field, row + 1, column);
        fixWidthInCharacters(field, ShownWidth);
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, shell::windowsColor(isTyped(i) ? TypedColor : DisplayColor, palette));
        field->setPalette(palette);
        if (!isTyped(i)) makeShownOnly(i);
    }
    // The hint under the table; the buttons under the payments and the balance columns.
    hintLine()->setWordWrap(true);
    table->addWidget(hintLine(), 15, 0, 1, 4);
    table->addWidget(addRegisterButton(0, shell::RegisterTooltip, "登録"), 16, Payments);
    table->addWidget(addEndButton(1, shell::EndTooltip, "終了"), 16, Balance);
    layout->addLayout(table);
}

void frmACT0210::setMonthCaptions() {
    const int firstMonth = state().F01Record.F01_STMM;
    for (int m = 1; m <= 12; ++m) {
        Label1(m + 4)->setText(QString::fromStdString(common::FormatFix(calendarMonth(firstMonth, m), "#0") + "月"));
    }
}

// F46Record is only the way in and out: the window works on its own copy.
bool frmACT0210::loadRow() {
    std::int16_t status = 0;
    data::F46Access(state(), "GET", status);
    if (status != 0) return false;
    row_ = state().F46Record;
    return true;
}

void frmACT0210::registerRow() {
    data::ProgramState& s = state();
    s.F46Record = row_;
    std::int16_t status = 0;
    data::F46Access(s, "PUT", status);
    // The user has been told why; the figures stay on screen to be corrected and registered again.
    if (status != 0) return;
    data::F46Access(s, "GET", status);
    if (status == 0) row_ = s.F46Record;
    showAllFields();
    focusField(CarriedForwardField);
}

// A closing run beside the window has stored a new row: the window shows it and registers from it, so
// that the run's figures are never written over with older ones. Edits not registered go with the old row.
void frmACT0210::rowStoredByJob() {
    if (!loadRow()) {
        // The user has been told; a window left with the old figures could write them back.
        closeByProgram();
        return;
    }
    EditedFlag = 0;
    showAllFields();
    if (currentField() >= 0) showEditForm(currentField());
}

void frmACT0210::ShowBalanceField(int Index) {
    Text1(Index)->setText(QString::fromStdString(common::FormatFix(amountOf(row_, Index), ShownFormat)));
}

void frmACT0210::CalcBalances() { calcBalances(row_); }

void frmACT0210::showAllFields() {
    for (int i = 0; i < FieldCount; ++i)
        ShowBalanceField(i);
}

void frmACT0210::showEditForm(int index) {
    if (!isTyped(index)) return;
    Text1(index)->setText(QString::number(amountOf(row_, index).roundedWhole()));
}

void frmACT0210::showField(int index) { ShowBalanceField(index); }

void frmACT0210::storeField(int index, const QString& text) {
    const auto parsed = common::ParseAmount(text.toStdString());
    if (!parsed) {
        refuseField(index, shell::NotNumericMessage);
        return;
    }
    // The cash row keeps whole numbers; rounding here keeps the balances on screen equal to those stored.
    const Currency amount = Currency::fromWhole(parsed->roundedWhole());
    if (index != CarriedForwardField && !inSlotRange(amount)) {
        refuseField(index, "金額は " + rangeText() + " の範囲で入力して下さい。");
        return;
    }
    data::F46Rec candidate = row_;
    amountOf(candidate, index) = amount;
    calcBalances(candidate);
    for (int m = 1; m <= 12; ++m) {
        if (inSlotRange(candidate.Amt[Balance][m])) continue;
        const int month = calendarMonth(state().F01Record.F01_STMM, m);
        refuseField(index, "この金額では" + std::to_string(month) + "月の残高が " +
                               grouped(candidate.Amt[Balance][m].roundedWhole()) + " となり、記録できる範囲（" +
                               rangeText() + "）を超えます。");
        return;
    }
    amountOf(row_, index) = amount;
    CalcBalances();
    showAllFields();
}

QWidget* frmACT0210::moveTarget(int index, FocusMove move) {
    switch (move) {
    case FocusMove::Enter:
        if (index >= 35) return Command1(0);
        return Text1(isTyped(index + 1) ? index + 1 : index + 2);
    case FocusMove::Up:
        return index >= 3 ? Text1(index - 3) : nullptr;
    case FocusMove::Down:
        if (index == CarriedForwardField) return nullptr;
        return index >= 34 ? static_cast<QWidget*>(Command1(0)) : Text1(index + 3);
    case FocusMove::ShiftRight:
        return index != CarriedForwardField && kindOf(index) == Receipts ? Text1(index + 1) : nullptr;
    case FocusMove::ShiftLeft:
        return index != CarriedForwardField && kindOf(index) == Payments ? Text1(index - 1) : nullptr;
    }
    return nullptr;
}

void frmACT0210::buttonClicked(int index) {
    if (index == 0) registerRow();
    if (index == 1) close();
}

} // namespace journal
