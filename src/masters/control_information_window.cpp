#include "masters/control_information_window.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "data/control_row.h"
#include "shell/field_forms.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>
#include <optional>
#include <utility>

namespace masters {

namespace {

using shell::displayForm;
using shell::FieldCheck;
using shell::FieldSpec;
using shell::FocusMove;
using shell::q;

constexpr int WidthTwips = 9315;
constexpr int HeightTwips = 4770;

constexpr char BadClosingDayMessage[] = "〆日の入力値が間違っています。";
constexpr char BadMonthMessage[] = "月の入力値が間違っています。";
constexpr char BadTaxRateMessage[] = "税率の入力値が間違っています。";
constexpr char EightDigitsMessage[] = "8桁(YYYYMMDD)で入力して下さい。";
constexpr char NoEraNameMessage[] = "年号を入力して下さい。";
constexpr char EraOrderMessage[] = "開始日付は昇順に入力して下さい。";

bool isEraDateField(int index) { return index == 0 || index == 1 || index == 4 || index == 8; }
bool isEraName(int index) { return index >= 9 && index <= 17 && index % 2 == 1; }
bool isEraStart(int index) { return index >= 10 && index <= 18 && index % 2 == 0; }
bool isCompanyText(int index) { return index >= 20 && index <= 28; }
// Era k has its name in field 2k + 7 and its first day in field 2k + 8.
std::size_t eraOf(int index) { return static_cast<std::size_t>((index - 7) / 2); }

// Field, longest input, length checked on leaving, digits only, hint.
std::vector<FieldSpec> controlFields() {
    const auto field = [](int index, int longest, int limit, bool digits, const char* hint) {
        return FieldSpec{index, longest, limit, false, digits ? FieldCheck::Digits : FieldCheck::None, {}, hint};
    };
    std::vector<FieldSpec> fields = {
        field(0, 6, 0, true, "本日の日付(YYMMDD)を入力して下さい。"),
        field(1, 6, 0, true, "作業日付(YYMMDD)を入力して下さい。"),
        field(2, 2, 0, true, "経理上の〆日を指定して下さい。"),
        field(3, 2, 0, true, "経理上の開始月を指定して下さい。"),
        field(4, 6, 0, true, "前回経理年次〆作業日付(YYMMDD)を入力して下さい。"),
        field(5, 6, 6, true, "伝票番号を入力して下さい。"),
        field(6, 4, 4, true, "消費税率を入力して下さい。"),
        field(7, 4, 4, true, "前回の消費税率を入力して下さい。"),
        field(8, 6, 0, true, "税率の変更日(YYMMDD)を入力して下さい。"),
    };
    for (int k = 1; k <= 5; ++k) {
        fields.push_back(field(2 * k + 7, 4, 4, false, "和暦の年号を入力して下さい。"));
        fields.push_back(field(2 * k + 8, 8, 0, true, "年号の開始日を西暦(YYYYMMDD)で入力して下さい。"));
    }
    const char* const companyHints[] = {"伝票等に印字する自社の社名を入力して下さい。",
                                        "伝票等に印字する自社の社名を入力して下さい。",
                                        "郵便番号を入力して下さい。",
                                        "伝票等に印字する自社の住所を入力して下さい。",
                                        "伝票等に印字する自社の住所を入力して下さい。",
                                        "電話番号を入力して下さい。",
                                        "Fax番号を入力して下さい。",
                                        "振込先を入力して下さい。",
                                        "振込先を入力して下さい。"};
    const int widths[] = {30, 30, 10, 30, 30, 15, 15, 30, 30};
    for (int i = 0; i < 9; ++i)
        fields.push_back(field(20 + i, widths[i], widths[i], false, companyHints[i]));
    return fields;
}

data::FixedText& companyText(data::F01Rec& r, int index) {
    switch (index) {
    case 20:
        return r.F01_NAM[1];
    case 21:
        return r.F01_NAM[2];
    case 22:
        return r.F01_PST;
    case 23:
        return r.F01_ADR[1];
    case 24:
        return r.F01_ADR[2];
    case 25:
        return r.F01_TEL;
    case 26:
        return r.F01_FAX;
    case 27:
        return r.F01_BNK[1];
    default:
        return r.F01_BNK[2];
    }
}

// The largest number the field's member holds.
std::int64_t highestOf(int index) {
    const bool shortMember = index == 2 || index == 3 || index == 6 || index == 7;
    return shortMember ? shell::LargestShort : shell::LargestLong;
}

} // namespace

frmCMNCNTR::frmCMNCNTR(data::ProgramState& state, QWidget* parent)
    : EntryWindow(state, "frmCMNCNTR", controlFields(), parent) {
    setWindowTitle("システム制御項目の登録");
    setPlacement(WidthTwips, HeightTwips);
    buildLayout();
    ActivatedFlag = 0;
    std::int16_t status = 0;
    data::F01Access(state, "GET", status); // a missing row has been reported; the window shows what is held
    FillEraCombos();
    for (int i = 0; i <= 28; ++i)
        if (hasField(i)) ShowControlField(i);
    claimCalendar(1);
}

void frmCMNCNTR::buildLayout() {
    auto* layout = addWindowLayout();
    auto frame = [this](const char* title, const char* name) {
        auto* box = new QGroupBox(title, this);
        box->setObjectName(name);
        auto* grid = new QGridLayout(box);
        grid->setVerticalSpacing(2);
        return std::pair{box, grid};
    };
    auto dateRow = [&](QGridLayout* grid, int row, int index, int label, const char* text) {
        grid->addWidget(captionLabel(label, text), row, 0);
        shell::EraList* eras = addEraList(index);
        eras->setMinimumContentsLength(4);
        eras->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        grid->addWidget(eras, row, 1);
        grid->addWidget(Text1(index), row, 2);
        fixWidthInCharacters(Text1(index), 12);
    };

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto [dates, datesGrid] = frame("日付", "Frame1_0");
    dateRow(datesGrid, 0, 0, 0, "本日の日付");
    dateRow(datesGrid, 1, 1, 1, "作業の日付");
    left->addWidget(dates);

    auto [closing, closingGrid] = frame("経理〆情報", "Frame1_1");
    closingGrid->addWidget(captionLabel(2, "経理〆日"), 0, 0);
    closingGrid->addWidget(Text1(2), 0, 2);
    fixWidthInCharacters(Text1(2), 3);
    closingGrid->addWidget(captionLabel(6, "日"), 0, 3);
    closingGrid->addWidget(Label2(0), 0, 4);
    Label2(0)->setText("（末日は ９９）");
    closingGrid->addWidget(captionLabel(4, "年度開始月"), 1, 0);
    closingGrid->addWidget(Text1(3), 1, 2);
    fixWidthInCharacters(Text1(3), 3);
    closingGrid->addWidget(captionLabel(8, "月"), 1, 3);
    dateRow(closingGrid, 2, 4, 12, "前回年次〆");
    closingGrid->setColumnStretch(4, 1);
    left->addWidget(closing);

    auto [voucher, voucherGrid] = frame("最終伝票番号", "Frame1_4");
    voucherGrid->addWidget(captionLabel(42, "経理伝票"), 0, 0);
    voucherGrid->addWidget(Text1(5), 0, 1);
    fixWidthInCharacters(Text1(5), 8);
    voucherGrid->setColumnStretch(2, 1);
    left->addWidget(voucher);
    auto [tax, taxGrid] = frame("消費税", "Frame1_3");
    taxGrid->addWidget(captionLabel(13, "現状の税率"), 0, 0);
    taxGrid->addWidget(Text1(6), 0, 1);
    fixWidthInCharacters(Text1(6), 4);
    taxGrid->addWidget(captionLabel(14, "(×1000）"), 0, 2);
    taxGrid->addWidget(captionLabel(15, "以前の税率"), 1, 0);
    taxGrid->addWidget(Text1(7), 1, 1);
    fixWidthInCharacters(Text1(7), 4);
    taxGrid->addWidget(captionLabel(16, "(×1000）"), 1, 2);
    dateRow(taxGrid, 2, 8, 17, "変更日");
    left->addWidget(tax);
    top->addLayout(left);

    auto [company, companyGrid] = frame("自社情報", "Frame1_5");
    const char* companyCaptions[] = {"社名（１行目）", "社名（２行目）", "〒",
                                     "住所（１行目）", "住所（２行目）", "電話番号",
                                     "Fax番号",        "振込先（１）",   "振込先（２）"};
    for (int i = 0; i < 9; ++i) {
        companyGrid->addWidget(captionLabel(24 + i, companyCaptions[i]), i, 0);
        companyGrid->addWidget(Text1(20 + i), i, 1);
        // A company line is read whole while it is typed.
        Text1(20 + i)->setMinimumWidth(fullWidthRoom(15));
    }
    companyGrid->setColumnStretch(1, 1);
    top->addWidget(company, 1);
    layout->addLayout(top);

    auto [eras, eraGrid] = frame("和暦", "Frame2");
    eraGrid->addWidget(captionLabel(3, "年号"), 1, 0);
    eraGrid->addWidget(captionLabel(5, "開始日（西暦）"), 2, 0);
    for (int k = 1; k <= 5; ++k) {
        eraGrid->addWidget(Text1(2 * k + 7), 1, k);
        fixWidthInCharacters(Text1(2 * k + 7), 6);
        eraGrid->addWidget(Text1(2 * k + 8), 2, k);
        fixWidthInCharacters(Text1(2 * k + 8), 9);
    }
    layout->addWidget(eras);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addRegisterButton(RegisterButton));
    buttons->addStretch();
    buttons->addWidget(addEndButton(EndButton));
    layout->addLayout(buttons);
    layout->addWidget(hintLine());
}

// ---- Showing

void frmCMNCNTR::FillEraCombos() { fillEraLists(); }

void frmCMNCNTR::RefreshEraDates() {
    FillEraCombos();
    for (int index : {0, 1, 4, 8})
        showEraDate(index, dateOf(index));
}

std::int32_t& frmCMNCNTR::dateOf(int index) {
    data::F01Rec& r = state().F01Record;
    switch (index) {
    case 0:
        return r.F01_TDY;
    case 1:
        return r.F01_ACT;
    case 4:
        return r.F01_UPD;
    default:
        return r.F01_TYMD;
    }
}

void frmCMNCNTR::ShowControlField(int Index) {
    data::F01Rec& r = state().F01Record;
    QLineEdit* field = Text1(Index);
    if (isEraDateField(Index)) {
        showEraDate(Index, dateOf(Index));
    } else if (Index == 2 || Index == 3) {
        field->setText(displayForm(Index == 2 ? r.F01_SIM : r.F01_STMM, "##"));
    } else if (Index == 5) {
        field->setText(displayForm(r.F01_DNO, "#######0"));
    } else if (Index == 6 || Index == 7) {
        field->setText(displayForm(Index == 6 ? r.F01_TAX1 : r.F01_TAX2, "###0"));
    } else if (isEraName(Index)) {
        field->setText(q(r.F01_NENG[eraOf(Index)].str()));
    } else if (isEraStart(Index)) {
        field->setText(displayForm(r.F01_STYMD[eraOf(Index)], "########"));
    } else if (isCompanyText(Index)) {
        field->setText(q(companyText(r, Index).str()));
    }
}

void frmCMNCNTR::showEditForm(int index) {
    if (std::exchange(keepPickedText_, false)) return;
    const data::F01Rec& r = state().F01Record;
    QLineEdit* field = Text1(index);
    if (isEraDateField(index)) {
        showEraEditForm(index, dateOf(index));
    } else if (index == 5) {
        field->setText(shell::editForm(r.F01_DNO, shell::CodePattern));
    } else if (index == 6 || index == 7) {
        field->setText(shell::editForm(index == 6 ? r.F01_TAX1 : r.F01_TAX2, "###0"));
    } else if (isEraStart(index)) {
        field->setText(shell::editForm(r.F01_STYMD[eraOf(index)], "#######0"));
    }
}

// ---- Entering and leaving

void frmCMNCNTR::fieldEntered(int index) {
    keepPickedText_ = false;
    data::ProgramState& s = state();
    s.CalendarFieldIndex = static_cast<std::int16_t>(index);
    if (!isEraDateField(index) && !isEraStart(index)) {
        s.CalendarPicked = 0;
        return;
    }
    std::int32_t picked = 0;
    if (!takePickedDate(picked)) return;
    if (isEraDateField(index)) {
        dateOf(index) = picked;
        EditedFlag = 0; // an era chosen before the pick gives way to the picked day
        const int next = index == 0 ? 1 : index == 1 ? 2 : index == 4 ? 5 : 20;
        focusField(next);
        return;
    }
    // A first day of an era is checked like a typed one as the focus moves on.
    Text1(index)->setText(QString::number(picked));
    EditedFlag = 9;
    if (index == 18) {
        Command1(RegisterButton)->setFocus(Qt::OtherFocusReason);
    } else {
        focusField(index + 1);
    }
    // Refused, the picked day stays in the field for the user to see and correct.
    keepPickedText_ = Text1(index)->hasFocus();
}

void frmCMNCNTR::storeField(int index, const QString& typed) {
    const std::string text = typed.toStdString();
    data::F01Rec& r = state().F01Record;
    if (isCompanyText(index)) {
        companyText(r, index) = text;
        ShowControlField(index);
        return;
    }
    if (isEraName(index)) {
        storeEraName(index, text);
        return;
    }
    const std::optional<std::int64_t> number = takeDigits(index, text, highestOf(index));
    if (!number) return;
    const std::int64_t value = *number;
    if (isEraDateField(index)) {
        storeDate(index, value, text);
        return;
    }
    if (isEraStart(index)) {
        storeEraStart(index, value, text);
        return;
    }
    switch (index) {
    case 2:
        if (value > 99) return refuseField(index, BadClosingDayMessage);
        r.F01_SIM = static_cast<std::int16_t>(value);
        break;
    case 3:
        if (value < 1 || value > 12) return refuseField(index, BadMonthMessage);
        r.F01_STMM = static_cast<std::int16_t>(value);
        break;
    case 5:
        r.F01_DNO = static_cast<std::int32_t>(value);
        break;
    case 6:
    case 7:
        if (value > 999) return refuseField(index, BadTaxRateMessage);
        (index == 6 ? r.F01_TAX1 : r.F01_TAX2) = static_cast<std::int16_t>(value);
        break;
    default:
        break;
    }
    ShowControlField(index);
}

void frmCMNCNTR::storeDate(int index, std::int64_t value, const std::string& text) {
    if (value == 0) {
        dateOf(index) = 0;
        Combo1(index)->setCurrentIndex(-1);
        ShowControlField(index);
        return;
    }
    if (text.size() != 6) return refuseField(index, shell::SixDigitDateMessage);
    const int era = Combo1(index)->chosenEra();
    if (era == 0) return refuseField(index, shell::ChooseEraMessage);
    std::string ymd;
    std::int16_t err = 0;
    common::EraToDate(state().F01Record, static_cast<std::int16_t>(era), text, ymd, err);
    if (err != 0) return refuseField(index, shell::BadDateMessage);
    // A day of 99 is kept as the month's real last day, so that every comparison of dates holds.
    dateOf(index) = common::ResolveDay99(std::stoi(ymd));
    ShowControlField(index);
}

void frmCMNCNTR::storeEraName(int index, const std::string& text) {
    data::F01Rec& r = state().F01Record;
    const std::size_t era = eraOf(index);
    r.F01_NENG[era] = text;
    ShowControlField(index);
    if (!r.F01_NENG[era].trimmed().empty()) return;
    // An era without a name is no era: its first day goes and the lists lose it.
    r.F01_STYMD[era] = 0;
    ShowControlField(index + 1);
    RefreshEraDates();
    if (index == 17) {
        Command1(RegisterButton)->setFocus(Qt::OtherFocusReason);
    } else {
        focusField(index + 2);
    }
}

void frmCMNCNTR::storeEraStart(int index, std::int64_t value, const std::string& text) {
    data::F01Rec& r = state().F01Record;
    const std::size_t era = eraOf(index);
    if (value != 0) {
        if (text.size() != 8) return refuseField(index, EightDigitsMessage);
        if (r.F01_NENG[era].trimmed().empty()) return refuse(NoEraNameMessage, Text1(index - 1));
    }
    // The order is checked before the date is taken, so that a refused first day is never written with the row.
    auto starts = r.F01_STYMD;
    starts[era] = static_cast<std::int32_t>(value);
    for (std::size_t j = 1; j <= 4 && starts[j + 1] != 0; ++j)
        if (starts[j] > starts[j + 1]) return refuseField(index, EraOrderMessage);
    r.F01_STYMD[era] = static_cast<std::int32_t>(value);
    RefreshEraDates();
    ShowControlField(index);
}

// ---- Keys and buttons

QWidget* frmCMNCNTR::moveTarget(int index, FocusMove move) {
    QWidget* registerButton = Command1(RegisterButton);
    switch (move) {
    case FocusMove::Enter:
        if (index == 8) return Text1(20);
        if (index == 28) return Text1(9);
        if (index == 18) return registerButton;
        return Text1(index + 1);
    case FocusMove::Down:
        if ((index >= 0 && index <= 7) || (index >= 20 && index <= 27)) return Text1(index + 1);
        if (index == 8 || index == 17 || index == 18) return registerButton;
        if (index == 28) return Text1(9);
        if (index >= 9 && index <= 16) return Text1(index + 2);
        return nullptr;
    case FocusMove::Up:
        if ((index >= 1 && index <= 8) || (index >= 21 && index <= 28)) return Text1(index - 1);
        if (index == 9 || index == 10) return Text1(28);
        if (index >= 11 && index <= 18) return Text1(index - 2);
        return nullptr;
    case FocusMove::ShiftRight:
        if (index == 0 || index == 1) return Text1(index + 20);
        if (index >= 2 && index <= 4) return Text1(index + 22);
        if (index == 6 || index == 7) return Text1(2 * index - 3);
        if (isEraName(index)) return Text1(index + 1);
        return nullptr;
    case FocusMove::ShiftLeft:
        if (index == 20 || index == 21) return Text1(index - 20);
        if (index >= 24 && index <= 26) return Text1(index - 22);
        if (index == 9 || index == 11) return Text1((index + 3) / 2);
        if (isEraStart(index)) return Text1(index - 1);
        return nullptr;
    }
    return nullptr;
}

void frmCMNCNTR::buttonClicked(int index) {
    if (index == EndButton) {
        close();
        return;
    }
    if (index != RegisterButton) return;
    std::int16_t status = 0;
    data::F01Access(state(), "PUT", status); // a missing row has been reported
    focusField(0);
}

} // namespace masters
