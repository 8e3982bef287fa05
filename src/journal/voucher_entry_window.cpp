#include "journal/voucher_entry_window.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "data/code_categories.h"
#include "data/fixed_text.h"
#include "data/keyed_access.h"
#include "shell/field_forms.h"
#include "shell/recordset_grid_model.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <charconv>
#include <limits>
#include <optional>

namespace journal {

namespace {

using shell::displayForm;
using shell::editForm;
using shell::FieldCheck;
using shell::FocusMove;
using shell::q;

constexpr int WidthTwips = 10680;
constexpr int HeightTwips = 7425;

constexpr char RequiredMessage[] = "項目が未入力です。";
constexpr char NoLineChosenMessage[] = "レコードが選択されていません。";
constexpr char BadDateMessage[] = "日付の誤りです。";
constexpr char CodeMissingMessage[] = "コードが登録されていません。";
constexpr char SubjectCodeMissingMessage[] = "勘定科目コードが登録されていません。";
constexpr char DescriptionMissingMessage[] = "摘要コードが登録されていません。";
constexpr char NoSubjectMessage[] = "勘定科目が入力されていません。";
constexpr char NoAmountMessage[] = "金額が未入力です。";
constexpr char SubjectNotRegisteredMessage[] = "勘定科目が登録されていません。";
constexpr char InconsistentMessage[] = "データに不整合が生じました。作業を取り消します。";

constexpr char SubjectListQuery[] = "SELECT * FROM F21TB LEFT JOIN F10TB "
                                    " ON ( F21TB.F21_SRT = F10TB.F10_COD  AND  F21TB.F21_SRTKBN = F10TB.F10_KBN )"
                                    "  ORDER BY F21_KBN, F21_ACT, F21_SRT";

std::vector<shell::FieldSpec> voucherFields() {
    // Limits of 0 for fields 7, 9 and 11: their code category decides (lengthLimit).
    return {
        {0, 6, 6, true, FieldCheck::Digits, "伝票日付を６桁の数字で入力します。",
         "伝票日付を入力するか、ｶﾚﾝﾀﾞｰをﾀﾞﾌﾞﾙｸﾘｯｸして下さい。"},
        {1, 5, 6, true, FieldCheck::Digits,
         "伝票番号を　６桁以内の数字で入力します。日付によりデフォルト値が表示されます。",
         "伝票番号を入力して下さい。"},
        {2, 2, 2, true, FieldCheck::Digits, "伝票の行番号（99まで）を入力します。", "行番号を入力して下さい。"},
        {3, 6, 6, false, FieldCheck::Digits, "摘要コードを入力します。",
         "摘要コードを入力するか一覧表から選択して下さい。"},
        {4, 30, 30, false, FieldCheck::None, "備考を30桁以内で入力します。", "摘要追加を入力して下さい。"},
        {5, 10, 0, false, FieldCheck::Amount, "入金金額を入力します。", "入金額を入力して下さい｡ "},
        {6, 10, 0, false, FieldCheck::Amount, "出金金額を入力します。", "出金額を入力して下さい｡ "},
        {7, 2, 0, true, FieldCheck::Digits, "勘定科目の科目区分を入力します。",
         "勘定科目区分ｺｰﾄﾞを入力するか一覧表から選択して下さい。"},
        {8, 6, 6, true, FieldCheck::Digits, "勘定科目の科目コードを入力します。",
         "勘定科目ｺｰﾄﾞを入力するか一覧表から選択して下さい。"},
        {9, 6, 0, false, FieldCheck::Digits, "コード区分（03）で登録した詳細分類を入力します。",
         "詳細ｺｰﾄﾞを入力するか一覧表から選択して下さい｡ "},
        {10, 1, 2, false, FieldCheck::Digits, "区分テーブルで登録したコード区分を入力します。",
         "相手先区分を入力するか一覧表から選択して下さい。"},
        {11, 6, 0, false, FieldCheck::Digits, "コード区分（入力値）で登録した明細コードを入力します。",
         "相手先ｺｰﾄﾞを入力するか一覧表から選択して下さい。"},
    };
}

// The fields whose number goes into an int16 member; the others but the date hold int32 values.
bool isShortField(int index) { return index == 2 || index == 7 || index == 10; }

// The number a stored description code stands for; 0 for none or for a text that is no number.
std::int64_t descriptionNumber(const data::FixedText& code) {
    const std::string text = code.trimmed();
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

// The codes a description gives a line.
void takeDescriptionCodes(data::F45Rec& r, const data::F18Rec& d) {
    r.F45_KBN = d.F18_KBN;
    r.F45_ACT = d.F18_ACT;
    r.F45_SRT = d.F18_SRT;
    r.F45_KND = d.F18_KND;
    r.F45_CUS = d.F18_CUS;
}

QString amountCell(const db::Value& value) {
    return q(common::FormatNumber(value.asCurrency().toString(), shell::AmountPattern));
}

} // namespace

frmACT0100::frmACT0100(data::ProgramState& state, QWidget* parent)
    : EntryWindow(state, "frmACT0100", voucherFields(), parent) {
    setWindowTitle("経理伝票の登録");
    setRequiredMessage(RequiredMessage);
    setPlacement(WidthTwips, HeightTwips);
    ActivatedFlag = 0;
    buildLayout();
    bindGrids();
    setGridChoice(VoucherList, [this] { voucherChosen(); });
    setGridChoice(DescriptionList, [this] { descriptionChosen(); });
    setGridChoice(SubjectList, [this] { subjectChosen(); });
    setGridChoice(CodeList, [this] { codeChosen(); });
    fillEraLists();

    VoucherDate = state.F01Record.F01_ACT;
    std::string text, code;
    std::int16_t err = 0;
    common::DateToEra(state.F01Record, VoucherDate, text, code, err);
    if (err == 0) {
        Text1(0)->setText(q(text));
        EraNo = static_cast<std::int16_t>(code[0] - '0');
        Combo1(0)->selectEra(EraNo);
    }
    claimCalendar(0);
}

frmACT0100::~frmACT0100() = default;

void frmACT0100::buildLayout() {
    auto* layout = addWindowLayout();

    frame1_ = new QGroupBox(this);
    auto* top = new QHBoxLayout(frame1_);
    top->addWidget(captionLabel(0, "伝票日付"));
    top->addWidget(addEraList(0));
    top->addWidget(Text1(0));
    fixWidthInCharacters(Text1(0), 12);
    top->addSpacing(12);
    top->addWidget(captionLabel(1, "伝票番号"));
    top->addWidget(Text1(1));
    fixWidthInCharacters(Text1(1), 7);
    top->addWidget(addSearchButton(3));
    top->addStretch();
    layout->addWidget(frame1_);

    frame2_ = new QGroupBox(this);
    auto* lines = new QGridLayout(frame2_);
    lines->setVerticalSpacing(2);
    lines->addWidget(Text1(2), 1, 0);
    fixWidthInCharacters(Text1(2), 3);
    lines->addWidget(captionLabel(2, "摘　　　　　　　　　　要"), 0, 1, 1, 3);
    lines->addWidget(Text1(3), 1, 1);
    fixWidthInCharacters(Text1(3), 7);
    lines->addWidget(nameLabel(0, 8), 1, 2);
    lines->addWidget(Text1(4), 1, 3);
    Text1(4)->setMinimumWidth(fullWidthRoom(15));
    lines->addWidget(captionLabel(6, "入金"), 0, 4);
    lines->addWidget(Text1(5), 1, 4);
    fixWidthInCharacters(Text1(5), 15);
    lines->addWidget(captionLabel(7, "出金"), 0, 5);
    lines->addWidget(Text1(6), 1, 5);
    fixWidthInCharacters(Text1(6), 15);
    // The amounts' blanks are narrower than their digits: aligned right, the amounts line up.
    Text1(5)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Text1(6)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // The code fields' captions stand above them, as the line fields' do, so that the names beside the
    // codes keep room for their texts within the window's width.
    auto* codes = new QGridLayout;
    codes->setHorizontalSpacing(4);
    codes->setVerticalSpacing(2);
    codes->addWidget(captionLabel(3, "勘定科目"), 0, 0, 1, 3);
    codes->addWidget(Text1(7), 1, 0);
    fixWidthInCharacters(Text1(7), 3);
    codes->addWidget(Text1(8), 1, 1);
    fixWidthInCharacters(Text1(8), 7);
    codes->addWidget(nameLabel(1, 8), 1, 2);
    codes->addWidget(captionLabel(4, "詳細分類コード"), 0, 3, 1, 2);
    codes->addWidget(Text1(9), 1, 3);
    fixWidthInCharacters(Text1(9), 7);
    codes->addWidget(nameLabel(2, 8), 1, 4);
    codes->addWidget(captionLabel(5, "相手先コード"), 0, 5, 1, 3);
    codes->addWidget(Text1(10), 1, 5);
    fixWidthInCharacters(Text1(10), 2);
    codes->addWidget(Text1(11), 1, 6);
    fixWidthInCharacters(Text1(11), 7);
    codes->addWidget(nameLabel(3, 8), 1, 7);
    for (int column : {2, 4, 7})
        codes->setColumnStretch(column, 1);
    lines->addLayout(codes, 2, 0, 1, 6);
    layout->addWidget(frame2_);
    frame2_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addRegisterButton(0, "表示行を登録します。"));
    buttons->addWidget(addDeleteButton(1, "表示行を削除します。"));
    buttons->addSpacing(16);
    buttons->addWidget(addButton(5, "01←行", "前の行を表示します。"));
    buttons->addWidget(addButton(4, "行→99", "次の行を表示します。"));
    buttons->addStretch();
    buttons->addWidget(addEndButton(2));
    layout->addLayout(buttons);

    auto* lists = new QGridLayout;
    lists->setSpacing(4);
    const char* captions[] = {"伝票一覧表", "摘要一覧", "勘定科目一覧表", "コードテーブル"};
    for (int g = 0; g < 4; ++g)
        lists->addLayout(addCaptionedGrid(g, captions[g], grids_[g]), g / 2, g % 2);
    lists->setColumnStretch(0, 3);
    lists->setColumnStretch(1, 2);
    layout->addLayout(lists, 1);
    layout->addWidget(hintLine());
}

void frmACT0100::bindGrids() {
    using shell::GridColumn;
    codeModel_ = new shell::RecordsetGridModel({{"F10_KBN", "区分"}, {"F10_COD", "コード"}, {"F10_DTL", "内容"}}, this);
    grids_[CodeList]->setGridModel(codeModel_);
    codeModel_->setRecordset(state().F10Table.get());

    descriptionModel_ = new shell::RecordsetGridModel({{"F18_COD", "コード"}, {"F18_DSC", "摘要"}}, this);
    grids_[DescriptionList]->setGridModel(descriptionModel_);
    descriptionModel_->setRecordset(state().F18Table.get());

    if (state().MainDatabase) SubjectListSet = state().MainDatabase->openSnapshot(SubjectListQuery);
    subjectModel_ = new shell::QueryGridModel(
        {{"F21_KBN", "区分"}, {"F21_ACT", "科目"}, {"F21_NAM", "科目名"}, {"F21_SRT", "詳細"}, {"F10_DTL", "詳細名"}},
        this);
    grids_[SubjectList]->setGridModel(subjectModel_);
    subjectModel_->setRecordset(SubjectListSet.get());

    voucherModel_ = new shell::RecordsetGridModel({{"F45_YMD", "日付"},
                                                   {"F45_DNO", "伝票番号"},
                                                   {"F45_LIN", "行"},
                                                   {"F45_KBN", "区分"},
                                                   {"F45_ACT", "科目"},
                                                   {"F45_SRT", "詳細"},
                                                   {"F45_AMT", "金額", amountCell}},
                                                  this);
    grids_[VoucherList]->setGridModel(voucherModel_);
    voucherModel_->setRecordset(state().F45Table.get());
}

void frmACT0100::refreshLists() {
    codeModel_->setRecordset(state().F10Table.get());
    descriptionModel_->setRecordset(state().F18Table.get());
    voucherModel_->setRecordset(state().F45Table.get());
    subjectModel_->refresh();
    if (state().MainDatabase) data::LoadCodeKbnTable(state());
}

void frmACT0100::windowActivated() {
    if (state().CalendarPicked == 1) return; // the lists wait while a picked day waits for the date field
    refreshLists();
}

// ---- Clearing and showing

void frmACT0100::ClearVoucher() {
    clearFields(0, 11);
    clearNames(0, 3);
    LineNo = 0;
    VoucherNo = 0;
    RecordState = 0;
    frame2_->setEnabled(false);
}

void frmACT0100::ClearLine() {
    clearFields(2, 11);
    clearNames(0, 3);
    RecordState = 0;
}

void frmACT0100::fieldEntered(int index) {
    switch (index) {
    case 0: {
        ClearVoucher();
        std::int32_t date = 0;
        if (takePickedDate(date)) {
            VoucherDate = date;
            EditedFlag = 0; // an era chosen before the pick gives way to the picked day
            focusField(1);
        }
        break;
    }
    case 1:
        ClearVoucher();
        ShowField(0);
        ShowField(1);
        break;
    case 2:
        ClearLine();
        VoucherLineIO("GET");
        break;
    default:
        break;
    }
}

void frmACT0100::showEditForm(int index) {
    const data::F45Rec& r = state().F45Record;
    QLineEdit* field = Text1(index);
    switch (index) {
    case 0:
        showEraEditForm(0, VoucherDate);
        break;
    case 1:
        field->setText(editForm(VoucherNo, "#####"));
        break;
    case 2:
        field->setText(editForm(LineNo, "##"));
        break;
    case 3:
        field->setText(editForm(descriptionNumber(r.F45_TEK), "######"));
        break;
    case 5:
    case 6: {
        const std::int16_t direction = index == 5 ? 0 : 1;
        field->setText(r.F45_IO != direction ? QStringLiteral("0") : editForm(r.F45_AMT.toString(), "##########"));
        break;
    }
    case 7:
        field->setText(editForm(r.F45_KBN, "##"));
        break;
    case 8:
        field->setText(editForm(r.F45_ACT, "######"));
        break;
    case 9:
        field->setText(editForm(r.F45_SRT, "######"));
        break;
    case 10:
        field->setText(editForm(r.F45_KND, "##"));
        break;
    case 11:
        field->setText(editForm(r.F45_CUS, "######"));
        break;
    default: // the remark is edited as it is shown
        break;
    }
}

std::int16_t frmACT0100::ShowField(int index) {
    data::ProgramState& s = state();
    data::F45Rec& r = s.F45Record;
    QLineEdit* field = Text1(index);
    std::int16_t status = 0;
    switch (index) {
    case 0: {
        std::string text, code;
        common::DateToEra(s.F01Record, VoucherDate, text, code, status);
        if (status == 0) {
            field->setText(q(text));
            Combo1(0)->selectEra(code[0] - '0');
            // MMDD are the code's last four characters, however many digits its year has.
            if (!readingLine_) VoucherNo = std::stoi(code.substr(code.size() - 4));
        }
        if (s.syncCalendar) s.syncCalendar();
        break;
    }
    case 1:
        field->setText(displayForm(VoucherNo, shell::CodePattern));
        break;
    case 2:
        field->setText(displayForm(LineNo, "#0"));
        break;
    case 3:
        field->setText(q(r.F45_TEK.str()));
        Label2(0)->clear();
        if (descriptionNumber(r.F45_TEK) > 0) {
            s.F18Record.F18_COD = r.F45_TEK.str();
            data::F18Access(s, "GET", status);
            if (status == 0) Label2(0)->setText(q(s.F18Record.F18_DSC.trimmed()));
        }
        break;
    case 4:
        field->setText(q(r.F45_RMK.trimmed()));
        break;
    case 5:
    case 6: {
        const std::int16_t direction = index == 5 ? 0 : 1;
        field->setText(r.F45_IO == direction ? displayForm(r.F45_AMT, shell::AmountPattern)
                                             : displayForm(std::string("0"), shell::AmountPattern));
        break;
    }
    case 7:
        field->setText(displayForm(r.F45_KBN, "#0"));
        status = data::F10AccessByKey(s, "GET", 1, r.F45_KBN);
        break;
    case 8:
        field->setText(displayForm(r.F45_ACT, shell::CodePattern));
        status = data::F21AccessByKey(s, "LOOK", r.F45_KBN, r.F45_ACT, 0);
        Label2(1)->setText(q(s.F21Record.F21_NAM.trimmed()));
        // A line without an amount takes its subject's direction.
        if (r.F45_AMT == db::Currency()) r.F45_IO = s.F21Record.F21_IO;
        break;
    case 9:
        field->setText(displayForm(r.F45_SRT, shell::CodePattern));
        if (r.F45_SRT != 0) {
            status = showCodeName(Label2(2), 3, r.F45_SRT);
        } else {
            Label2(2)->clear();
        }
        break;
    case 10:
        field->setText(displayForm(r.F45_KND, "#0"));
        break;
    case 11:
        field->setText(displayForm(r.F45_CUS, shell::CodePattern));
        if (r.F45_CUS != 0) {
            status = showCodeName(Label2(3), r.F45_KND, r.F45_CUS);
        } else {
            Label2(3)->clear();
        }
        break;
    default:
        break;
    }
    return status;
}

std::int16_t frmACT0100::VoucherLineIO(const std::string& mode) {
    std::int16_t status = 0;
    journal::VoucherLineIO(state(), key(), mode, status, RecordState);
    if (mode == "GET") {
        readingLine_ = true;
        showFields(0, 11);
        readingLine_ = false;
    }
    return status;
}

// ---- Leaving a field

int frmACT0100::lengthLimit(int index) const {
    switch (index) {
    case 7:
        return data::CodeDigits(state(), 1);
    case 9:
        return data::CodeDigits(state(), 3);
    case 11:
        return data::CodeDigits(state(), state().F45Record.F45_KND);
    default:
        return EntryWindow::lengthLimit(index);
    }
}

void frmACT0100::storeField(int index, const QString& typed) {
    const std::string text = typed.toStdString();
    if (index == 0) {
        storeDate(text);
        return;
    }
    if (index == 4) {
        state().F45Record.F45_RMK = text;
        return;
    }
    if (index == 5 || index == 6) {
        storeAmount(index, text);
        return;
    }
    const std::optional<std::int64_t> number =
        takeDigits(index, text, isShortField(index) ? shell::LargestShort : shell::LargestLong);
    if (!number) return;
    data::F45Rec& r = state().F45Record;
    switch (index) {
    case 1:
        VoucherNo = static_cast<std::int32_t>(*number);
        ShowField(1);
        break;
    case 2:
        LineNo = static_cast<std::int16_t>(*number);
        VoucherLineIO("GET");
        break;
    case 3:
        storeDescription(static_cast<std::int32_t>(*number));
        break;
    case 7:
        r.F45_KBN = static_cast<std::int16_t>(*number);
        if (ShowField(7) != 0) refuseField(7, CodeMissingMessage);
        break;
    case 8:
        r.F45_ACT = static_cast<std::int32_t>(*number);
        if (ShowField(8) != 0) refuseField(8, SubjectCodeMissingMessage);
        break;
    case 9:
        r.F45_SRT = static_cast<std::int32_t>(*number);
        if (ShowField(9) != 0) refuseField(9, CodeMissingMessage);
        break;
    case 10:
        storeCounterpartCategory(static_cast<std::int16_t>(*number));
        break;
    case 11:
        storeCounterpartCode(static_cast<std::int32_t>(*number));
        break;
    default:
        break;
    }
}

void frmACT0100::storeDate(const std::string& text) {
    if (text.size() != 6) {
        refuseField(0, shell::SixDigitDateMessage);
        return;
    }
    EraNo = static_cast<std::int16_t>(Combo1(0)->chosenEra());
    if (EraNo == 0) {
        refuseField(0, shell::ChooseEraMessage);
        return;
    }
    std::string ymd;
    std::int16_t err = 0;
    common::EraToDate(state().F01Record, EraNo, text, ymd, err);
    if (err != 0) {
        refuseField(0, BadDateMessage);
        return;
    }
    // A day of 99 is kept as the month's real last day, so that every look-up by date finds the line.
    VoucherDate = common::ResolveDay99(std::stoi(ymd));
    ShowField(0);
}

void frmACT0100::storeDescription(std::int32_t code) {
    data::ProgramState& s = state();
    data::F45Rec& r = s.F45Record;
    r.F45_TEK = common::FormatNumber(std::to_string(code), "000000");
    const std::int16_t status = ShowField(3);
    if (code == 0) {
        r.F45_KBN = 0;
        r.F45_ACT = 0;
        r.F45_SRT = 0;
        r.F45_KND = 0;
        r.F45_CUS = 0;
        r.F45_RMK = "";
        Text1(4)->clear();
        showFields(7, 11);
        focusField(7);
        return;
    }
    if (status != 0) {
        refuseField(3, DescriptionMissingMessage);
        return;
    }
    takeDescriptionCodes(r, s.F18Record);
    showFields(7, 11);
}

void frmACT0100::storeAmount(int index, const std::string& text) {
    const std::optional<db::Currency> amount = takeAmount(index, text);
    if (!amount) return;
    data::F45Rec& r = state().F45Record;
    r.F45_AMT = *amount;
    const bool nonZero = *amount != db::Currency();
    r.F45_IO = static_cast<std::int16_t>(index == 5 ? (nonZero ? 0 : 1) : (nonZero ? 1 : 0));
    // Both amount fields, so that the other one no longer shows an amount the line has given up.
    ShowField(index);
    ShowField(index == 5 ? 6 : 5);
}

void frmACT0100::storeCounterpartCategory(std::int16_t category) {
    data::F45Rec& r = state().F45Record;
    r.F45_KND = category;
    // Subject classes and detail classifications are no counterparts.
    if (category == 1 || category == 3) {
        refuseField(10, shell::BadCounterpartCategoryMessage);
        return;
    }
    ShowField(10);
    if (category == 0) {
        r.F45_CUS = 0;
        ShowField(11);
        focusField(4);
    }
}

void frmACT0100::storeCounterpartCode(std::int32_t code) {
    data::F45Rec& r = state().F45Record;
    r.F45_CUS = code;
    if (code != 0 && r.F45_KND == 0) {
        refuse(shell::NoCounterpartCategoryMessage, Text1(10));
        return;
    }
    if (code == 0) {
        r.F45_KND = 0;
        ShowField(10);
    }
    if (ShowField(11) != 0) refuseField(11, CodeMissingMessage);
}

// ---- Keys

QWidget* frmACT0100::moveTarget(int index, FocusMove move) {
    const data::F45Rec& r = state().F45Record;
    switch (move) {
    case FocusMove::Enter:
        switch (index) {
        case 1:
            return Command1(3);
        case 4:
            return r.F45_ACT < 1 ? Text1(7) : (r.F45_IO != 0 ? Text1(6) : Text1(5));
        case 5:
        case 6:
            return Command1(0);
        case 11:
            return Text1(4);
        default:
            return Text1(index + 1);
        }
    case FocusMove::Up:
        if (index >= 2 && index <= 6) return Text1(1);
        if (index == 7 || index == 8) return Text1(3);
        if (index == 9) return Text1(4);
        if (index == 10 || index == 11) return Text1(5);
        return nullptr;
    case FocusMove::Down:
        if (index == 3) return Text1(7);
        if (index == 4) return Text1(9);
        if (index == 5) return Text1(10);
        return nullptr;
    case FocusMove::ShiftRight:
        if (index == 0) return Text1(1);
        if (index == 1) return Command1(3);
        if ((index >= 2 && index <= 5) || (index >= 7 && index <= 10)) return Text1(index + 1);
        return nullptr;
    case FocusMove::ShiftLeft:
        if (index == 1) return Text1(0);
        if ((index >= 3 && index <= 6) || (index >= 8 && index <= 11)) return Text1(index - 1);
        return nullptr;
    }
    return nullptr;
}

// ---- Buttons

void frmACT0100::buttonClicked(int index) {
    switch (index) {
    case 0:
        if (checkKey()) registerLine();
        break;
    case 1:
        if (checkKey()) deleteLine();
        break;
    case 2:
        close();
        break;
    case 3:
        searchFreeLine();
        break;
    case 4:
        if (checkKey()) stepLine(+1);
        break;
    case 5:
        if (checkKey()) stepLine(-1);
        break;
    default:
        break;
    }
}

bool frmACT0100::checkKey() {
    if (VoucherDate == 0 || VoucherNo == 0) {
        refuse(shell::NotEnteredMessage, Text1(1));
        return false;
    }
    return requireChosenRecord(NoLineChosenMessage);
}

void frmACT0100::registerLine() {
    data::ProgramState& s = state();
    const data::F45Rec& r = s.F45Record;
    if (r.F45_KBN == 0 || r.F45_ACT == 0) {
        refuse(NoSubjectMessage, Text1(7));
        return;
    }
    if (r.F45_AMT == db::Currency()) {
        refuse(NoAmountMessage, Text1(r.F45_IO != 0 ? 6 : 5));
        return;
    }
    if (data::F21AccessByKey(s, "GET", r.F45_KBN, r.F45_ACT, 0) != 0) {
        refuse(SubjectNotRegisteredMessage, Text1(7));
        return;
    }
    RegisterLine(s, key());
    if (LineNo < LastLineNo) ++LineNo;
    VoucherLineIO("GET");
    focusField(2);
}

void frmACT0100::deleteLine() {
    if (!confirmDelete(true, Text1(3))) return;
    if (VoucherLineIO("DEL") != 0) state().message(InconsistentMessage);
    ClearLine();
    focusField(2);
}

void frmACT0100::searchFreeLine() {
    LineNo = NextFreeLine(state(), key());
    frame2_->setEnabled(true);
    focusField(2);
}

void frmACT0100::stepLine(int step) {
    const std::optional<std::int16_t> line = SteppedLine(LineNo, step);
    if (!line) return;
    LineNo = *line;
    VoucherLineIO("GET");
    focusField(3);
}

// ---- Grid choices

void frmACT0100::voucherChosen() {
    const db::TableRecordset* table = state().F45Table.get();
    if (!shell::standsOnRow(table)) return;
    VoucherDate = static_cast<std::int32_t>(table->field("F45_YMD").asInt());
    VoucherNo = static_cast<std::int32_t>(table->field("F45_DNO").asInt());
    LineNo = static_cast<std::int16_t>(table->field("F45_LIN").asInt());
    VoucherLineIO("GET");
    frame2_->setEnabled(true);
    focusField(state().F45Record.F45_IO != 0 ? 6 : 5);
}

void frmACT0100::descriptionChosen() {
    data::ProgramState& s = state();
    const db::TableRecordset* table = s.F18Table.get();
    if (!choiceForChosenRecord(table)) return;
    data::F45Rec& r = s.F45Record;
    r.F45_TEK = table->field("F18_COD").asText();
    if (ShowField(3) == 0) {
        const data::F18Rec& d = s.F18Record;
        takeDescriptionCodes(r, d);
        r.F45_RMK = d.F18_RMK.str();
        r.F45_IO = d.F18_IO;
        r.F45_AMT = d.F18_AMT;
    }
    showFields(4, 11);
    frame2_->setEnabled(true);
    focusField(4);
}

void frmACT0100::subjectChosen() {
    db::QueryRecordset* set = SubjectListSet.get();
    if (!choiceForChosenRecord(set)) return;
    data::F45Rec& r = state().F45Record;
    r.F45_KBN = static_cast<std::int16_t>(set->field("F21_KBN").asInt());
    r.F45_ACT = static_cast<std::int32_t>(set->field("F21_ACT").asInt());
    r.F45_SRT = static_cast<std::int32_t>(set->field("F21_SRT").asInt());
    showFields(7, 11);
    focusField(10);
}

void frmACT0100::codeChosen() {
    const db::TableRecordset* table = state().F10Table.get();
    if (!choiceForChosenRecord(table)) return;
    data::F45Rec& r = state().F45Record;
    const auto category = static_cast<std::int16_t>(table->field("F10_KBN").asInt());
    const auto code = static_cast<std::int32_t>(table->field("F10_COD").asInt());
    if (category == 1) return; // subject classes are chosen through the subject list
    if (category == 3) {
        r.F45_SRT = code;
        ShowField(9);
        return;
    }
    r.F45_KND = category;
    r.F45_CUS = code;
    ShowField(10);
    ShowField(11);
    focusField(4);
}

} // namespace journal
