#include "masters/subject_register_window.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "data/code_categories.h"
#include "data/keyed_access.h"
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

namespace masters {

namespace {

using shell::displayForm;
using shell::editForm;
using shell::FieldCheck;
using shell::FocusMove;
using shell::q;

constexpr int WidthTwips = 10065;
constexpr int HeightTwips = 6225;

constexpr int FirstFigure = 6;
constexpr int LastFigure = 17;
constexpr int TotalField = 18;

constexpr char NotInCodeTableMessage[] = "コードテーブルにありません。";
constexpr char BadCashBookMessage[] = "現金出納簿科目区分の誤りです。";

constexpr char CodeListQuery[] = "SELECT * FROM F10TB WHERE F10_KBN=1 OR F10_KBN=3 "
                                 "ORDER BY F10_KBN,F10_COD";

constexpr char FlagFormat[] = "##0";

std::vector<shell::FieldSpec> subjectFields() {
    // Limits of 0 for the class and the detail: their code category decides (lengthLimit).
    std::vector<shell::FieldSpec> fields = {
        {0, 2, 0, true, FieldCheck::Digits, "コード区分（01）で登録した科目区分を入力します。",
         "科目区分を入力して下さい。"},
        {1, 6, 6, true, FieldCheck::Digits, "勘定科目コードを　６桁以内の数字で入力します。",
         "科目ｺｰﾄﾞを入力して下さい。"},
        {2, 30, 30, false, FieldCheck::None, "勘定科目名称を　３０桁以内で入力します。　", "科目名を入力して下さい。"},
        {3, 6, 0, false, FieldCheck::Digits, "コード区分（03）で登録した詳細分類を入力します。",
         "詳細分類ｺｰﾄﾞを入力して下さい。"},
        {4, 1, 1, false, FieldCheck::Digits, "入出金区分を ０か１ で入力します。", "入出金区分入力して下さい。"},
        {5, 1, 1, false, FieldCheck::Digits, "現金出納簿上に載せる科目か否かを ０か１ で入力します。",
         "現金出納簿科目か否かを入力して下さい。"},
    };
    for (int i = FirstFigure; i <= LastFigure; ++i)
        fields.push_back(
            {i, 10, 0, false, FieldCheck::Amount, "当月度の集計金額を入力します。", "当年度実績を入力して下さい。"});
    fields.push_back({TotalField, 0, 0, false, FieldCheck::None, {}, {}});
    return fields;
}

db::Currency& figure(data::F21Rec& row, int index) { return row.F21_AMT[static_cast<std::size_t>(index - 5)]; }

} // namespace

frmACT0010::frmACT0010(data::ProgramState& state, QWidget* parent)
    : EntryWindow(state, "frmACT0010", subjectFields(), parent) {
    setWindowTitle("勘定科目の登録");
    setPlacement(WidthTwips, HeightTwips);
    buildLayout();
    setGridChoice(CodeList, [this] { codeChosen(); });
    setGridChoice(SubjectList, [this] { subjectChosen(); });
    bindGrids();
    setYearCaptions();
    ClearCategoryFields();
}

frmACT0010::~frmACT0010() = default;

void frmACT0010::buildLayout() {
    auto* layout = addWindowLayout();
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns, 1);
    auto* left = new QVBoxLayout;
    columns->addLayout(left);

    auto* frame1 = new QGroupBox(this);
    frame1->setObjectName("Frame1");
    auto* keys = new QGridLayout(frame1);
    keys->setVerticalSpacing(2);
    keys->addWidget(captionLabel(0, "科目区分"), 0, 0);
    keys->addWidget(Text1(0), 0, 1);
    fixWidthInCharacters(Text1(0), 6);
    keys->addWidget(nameLabel(0, 6), 0, 2);
    keys->addWidget(captionLabel(1, "科目ｺｰﾄﾞ"), 1, 0);
    keys->addWidget(Text1(1), 1, 1);
    fixWidthInCharacters(Text1(1), 6);
    keys->addWidget(captionLabel(2, "詳細分類"), 2, 0);
    keys->addWidget(Text1(3), 2, 1);
    fixWidthInCharacters(Text1(3), 6);
    keys->addWidget(nameLabel(1, 6), 2, 2);
    keys->addWidget(addSearchButton(SearchButton), 1, 3);
    keys->addWidget(Label2(3), 0, 4);
    keys->addWidget(captionLabel(7, "年度"), 0, 5);
    keys->setColumnStretch(2, 1);
    left->addWidget(frame1);

    auto* frame3 = new QGroupBox(this);
    frame3->setObjectName("Frame3");
    auto* nameRow = new QHBoxLayout(frame3);
    nameRow->addWidget(captionLabel(3, "科目名称"));
    nameRow->addWidget(Text1(2), 1);
    left->addWidget(frame3);

    frame2_ = new QGroupBox(this);
    frame2_->setObjectName("Frame2");
    auto* details = new QGridLayout(frame2_);
    details->setVerticalSpacing(2);
    details->addWidget(captionLabel(5, "入出金"), 0, 0);
    details->addWidget(Text1(4), 0, 1);
    fixWidthInCharacters(Text1(4), 3);
    details->addWidget(captionLabel(21, " 0:入金  1:出金"), 0, 2, 1, 2);
    details->addWidget(captionLabel(6, "現金出納簿"), 1, 0);
    details->addWidget(Text1(5), 1, 1);
    fixWidthInCharacters(Text1(5), 3);
    details->addWidget(captionLabel(22, " 0:現金出納簿科目    1;以外"), 1, 2, 1, 2);
    // Months 1 to 6 on the left, 7 to 12 on the right, the total under the right column.
    for (int index = FirstFigure; index <= TotalField; ++index) {
        const int month = index - 5;
        const int row = 2 + (month - 1) % 6 + (index == TotalField ? 6 : 0);
        const int column = month > 6 ? 2 : 0;
        details->addWidget(Label1(index + 2), row, column);
        details->addWidget(Text1(index), row, column + 1);
        fixWidthInCharacters(Text1(index), 15);
        Text1(index)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    captionLabel(TotalField + 2, "合計");
    makeShownOnly(TotalField);
    left->addWidget(frame2_);

    left->addLayout(addCommandRow(RegisterButton, DeleteButton, EndButton));
    left->addStretch();

    auto* lists = new QVBoxLayout;
    const char* captions[] = {"コード一覧", "勘定科目一覧"};
    for (int g = 0; g < 2; ++g) {
        lists->addWidget(new QLabel(captions[g], this));
        grids_[g] = addGrid(g);
        lists->addWidget(grids_[g], 1);
    }
    columns->addLayout(lists, 1);
    layout->addWidget(hintLine());
}

void frmACT0010::bindGrids() {
    codeModel_ = new shell::QueryGridModel({{"F10_KBN", "区分"}, {"F10_COD", "コード"}, {"F10_DTL", "名  称"}}, this);
    grids_[CodeList]->setGridModel(codeModel_);
    if (state().MainDatabase) codeListSet_ = state().MainDatabase->openSnapshot(CodeListQuery);
    codeModel_->setRecordset(codeListSet_.get());

    subjectModel_ = new shell::RecordsetGridModel(
        {{"F21_KBN", "科区"}, {"F21_ACT", "科ｺｰﾄﾞ"}, {"F21_NAM", "科目名"}, {"F21_SRT", "詳細"}}, this);
    grids_[SubjectList]->setGridModel(subjectModel_);
    subjectModel_->setRecordset(state().F21Table.get());
}

void frmACT0010::setYearCaptions() {
    const data::F01Rec& control = state().F01Record;
    const int firstMonth = control.F01_STMM;
    int year = control.F01_ACT / 10000;
    if ((control.F01_ACT / 100) % 100 < firstMonth) --year;
    std::string text, code;
    std::int16_t err = 0;
    common::DateToEra(control, year * 10000 + firstMonth * 100 + 1, text, code, err);
    // A processing date before every era has no era year to show.
    Label2(3)->setText(err == 0 ? q(control.F01_NENG[static_cast<std::size_t>(code[0] - '0')].str()) + q(text).left(3)
                                : QString());
    for (int k = 1; k <= 12; ++k) {
        int month = firstMonth + k - 1;
        if (month > 12) month -= 12;
        Label1(7 + k)->setText(displayForm(month, "#0") + "月");
    }
}

void frmACT0010::refreshLists() {
    codeModel_->refresh();
    subjectModel_->setRecordset(state().F21Table.get());
    data::LoadCodeKbnTable(state());
}

void frmACT0010::windowActivated() { refreshLists(); }

// ---- Showing and clearing

std::int16_t frmACT0010::ShowField(int index) {
    data::F21Rec& r = entry_.Record;
    QLineEdit* field = Text1(index);
    std::int16_t status = 0;
    switch (index) {
    case 0:
        field->setText(displayForm(entry_.SubjectClass, shell::CodePattern));
        status = showCodeName(Label2(0), 1, static_cast<std::int16_t>(entry_.SubjectClass));
        break;
    case 1:
        field->setText(displayForm(entry_.SubjectCode, shell::CodePattern));
        break;
    case 2:
        field->setText(q(r.F21_NAM.str()));
        break;
    case 3:
        field->setText(displayForm(entry_.DetailCode, shell::CodePattern));
        if (entry_.DetailCode == 0) {
            Label2(1)->clear();
        } else {
            status = showCodeName(Label2(1), 3, entry_.DetailCode);
        }
        break;
    case 4:
        field->setText(displayForm(r.F21_IO, FlagFormat));
        break;
    case 5:
        field->setText(displayForm(r.F21_CSH, FlagFormat));
        break;
    case TotalField: {
        db::Currency total;
        for (int m = 1; m <= 12; ++m)
            total += r.F21_AMT[static_cast<std::size_t>(m)];
        r.F21_REM = total;
        field->setText(displayForm(total, shell::AmountPattern));
        break;
    }
    default:
        if (index >= FirstFigure && index <= LastFigure)
            field->setText(displayForm(figure(r, index), shell::AmountPattern));
        break;
    }
    return status;
}

void frmACT0010::ClearCategoryFields() {
    clearFields(0, 2);
    Label2(0)->clear();
    entry_.SubjectClass = 0;
    entry_.SubjectCode = 0;
    ClearDetailFields();
}

void frmACT0010::ClearDetailFields() {
    Text1(3)->clear();
    Label2(1)->clear();
    clearFields(4, TotalField);
    entry_.DetailCode = 0;
    RecordState = 0;
    entry_.NameEntryFlag = 0;
    ClearF21Record(entry_.Record);
    frame2_->setEnabled(false);
}

void frmACT0010::clearForEntering(int index) {
    switch (index) {
    case 0:
        ClearCategoryFields();
        break;
    case 1:
        ClearDetailFields();
        entry_.SubjectCode = 0;
        Text1(1)->clear();
        Text1(2)->clear();
        break;
    case 3:
        ClearDetailFields();
        break;
    default:
        break;
    }
}

// Entering a key field gives up the chosen subject, so that what is shown always belongs to the key.
void frmACT0010::fieldEntered(int index) { clearForEntering(index); }

void frmACT0010::showEditForm(int index) {
    const data::F21Rec& r = entry_.Record;
    QLineEdit* field = Text1(index);
    if (index == 3) {
        field->setText(editForm(entry_.DetailCode, "######"));
    } else if (index == 4 || index == 5) {
        field->setText(editForm(index == 4 ? r.F21_IO : r.F21_CSH, FlagFormat));
    } else if (index >= FirstFigure && index <= LastFigure) {
        field->setText(editForm(figure(entry_.Record, index).toString(), "#########0"));
    }
}

void frmACT0010::showField(int index) {
    // The name keeps what the user left in it.
    if (index != 2) ShowField(index);
}

// ---- Leaving a field

int frmACT0010::lengthLimit(int index) const {
    if (index == 0) return data::CodeDigits(state(), 1);
    if (index == 3) return data::CodeDigits(state(), 3);
    return EntryWindow::lengthLimit(index);
}

void frmACT0010::storeField(int index, const QString& typed) {
    const std::string text = typed.toStdString();
    if (index == 2) {
        entry_.SubjectName = text;
        return;
    }
    if (index >= FirstFigure && index <= LastFigure) {
        storeFigure(index, text);
        return;
    }
    // The class goes into a 16-bit member, the codes into 32-bit ones.
    const std::optional<std::int64_t> number =
        takeDigits(index, text, index == 0 ? shell::LargestShort : shell::LargestLong);
    if (!number) return;
    switch (index) {
    case 0:
        storeClass(static_cast<std::int32_t>(*number));
        break;
    case 1:
        storeSubjectCode(static_cast<std::int32_t>(*number));
        break;
    case 3:
        storeDetailCode(static_cast<std::int32_t>(*number));
        break;
    case 4:
    case 5:
        storeFlag(index, *number);
        break;
    default:
        break;
    }
}

void frmACT0010::storeClass(std::int32_t value) {
    if (!takeUnlessRefused(
            0, entry_.SubjectClass, value, [this] { return ShowField(0) == 0; }, NotInCodeTableMessage))
        return;
    data::F21AccessByKey(state(), "TOP", static_cast<std::int16_t>(value), 0, 0); // the subject list moves to the class
}

void frmACT0010::storeSubjectCode(std::int32_t value) {
    entry_.SubjectCode = value;
    ShowField(1);
    data::ProgramState& s = state();
    if (data::F21AccessByKey(s, "GET", static_cast<std::int16_t>(entry_.SubjectClass), value, 0) == 0) {
        entry_.Record = s.F21Record;
        ShowField(2);
        entry_.NameEntryFlag = 0;
        focusField(3);
        return;
    }
    // A new subject starts with its basic row: past the detail, straight to the search.
    Text1(2)->clear();
    entry_.NameEntryFlag = 9;
    entry_.DetailCode = 0;
    Command1(SearchButton)->setFocus(Qt::OtherFocusReason);
}

void frmACT0010::storeDetailCode(std::int32_t value) {
    // A detail of 0 is the basic subject and is not looked up.
    takeUnlessRefused(
        3, entry_.DetailCode, value, [this] { return ShowField(3) == 0; }, NotInCodeTableMessage);
}

void frmACT0010::storeFlag(int index, std::int64_t value) {
    std::int16_t& flag = index == 4 ? entry_.Record.F21_IO : entry_.Record.F21_CSH;
    if (takeUnlessRefused(
            index, flag, static_cast<std::int16_t>(value), [value] { return value == 0 || value == 1; },
            index == 4 ? shell::BadDirectionMessage : BadCashBookMessage))
        ShowField(index);
}

void frmACT0010::storeFigure(int index, const std::string& text) {
    const std::optional<db::Currency> amount = takeAmount(index, text);
    if (!amount) return;
    figure(entry_.Record, index) = *amount;
    ShowField(index);
    ShowField(TotalField);
}

// ---- Keys

QWidget* frmACT0010::moveTarget(int index, FocusMove move) {
    QWidget* search = Command1(SearchButton);
    QWidget* registerButton = Command1(RegisterButton);
    switch (move) {
    case FocusMove::Enter:
        switch (index) {
        case 1:
            return Text1(3);
        case 2:
            return Text1(4);
        case 3:
            return search;
        case LastFigure:
            return registerButton;
        case TotalField:
            return nullptr;
        default:
            return Text1(index + 1);
        }
    case FocusMove::Up:
        if (index == 1 || index == 2) return Text1(index - 1);
        if (index == 3) return Text1(1);
        if (index == 4) return Text1(3);
        if (index == 12) return Text1(5);
        if (index >= 5 && index <= 17) return Text1(index - 1);
        return nullptr;
    case FocusMove::Down:
        if (index == 3) return search;
        if (index == 11 || index == 17) return registerButton;
        if (index >= 0 && index <= 16) return Text1(index + 1);
        return nullptr;
    case FocusMove::ShiftLeft:
        if (index == 2) return Text1(1);
        if (index == 12) return Text1(6);
        if (index >= 13 && index <= 17) return Text1(index - 6);
        return nullptr;
    case FocusMove::ShiftRight:
        if (index == 1) return Text1(2);
        if (index >= 6 && index <= 11) return Text1(index + 6);
        return nullptr;
    }
    return nullptr;
}

// ---- Buttons

void frmACT0010::buttonClicked(int index) {
    switch (index) {
    case RegisterButton:
        registerSubject();
        break;
    case DeleteButton:
        deleteSubject();
        break;
    case EndButton:
        close();
        break;
    case SearchButton:
        search();
        break;
    default:
        break;
    }
}

bool frmACT0010::CheckSubjectKey() {
    if (entry_.SubjectClass == 0) {
        refuse(shell::NoSubjectClassMessage, Text1(0));
        return false;
    }
    if (entry_.SubjectCode == 0) {
        refuse(shell::NoSubjectCodeMessage, Text1(1));
        return false;
    }
    return true;
}

std::int16_t frmACT0010::SubjectRecordIO(const std::string& mode) {
    std::int16_t err = 0;
    masters::SubjectRecordIO(state(), entry_, mode, Text1(2)->text().toStdString(), RecordState, err);
    return err;
}

void frmACT0010::search() {
    if (!CheckSubjectKey()) return;
    if (SubjectRecordIO("GET") != 0) {
        focusField(3);
        return;
    }
    showFields(4, TotalField);
    frame2_->setEnabled(true);
    focusField(entry_.NameEntryFlag == 9 ? 2 : 4);
}

void frmACT0010::registerSubject() {
    if (!CheckSubjectKey() || !requireChosenRecord()) return;
    // A detail's name cannot change: the stored one comes back.
    if (SubjectRecordIO("PUT") != 0) ShowField(2);
    focusField(3);
}

void frmACT0010::deleteSubject() {
    if (!CheckSubjectKey() || !requireChosenRecord()) return;
    if (RecordState != 1) {
        state().message(shell::NothingToDeleteMessage);
        return;
    }
    if (confirmDelete(false)) SubjectRecordIO("DEL");
    focusField(3);
}

// ---- Grid choices

void frmACT0010::subjectChosen() {
    data::ProgramState& s = state();
    const db::TableRecordset* table = s.F21Table.get();
    if (!shell::standsOnRow(table)) return;
    const auto kbn = static_cast<std::int32_t>(table->field("F21_KBN").asInt());
    const auto act = static_cast<std::int32_t>(table->field("F21_ACT").asInt());
    const auto srt = static_cast<std::int32_t>(table->field("F21_SRT").asInt());
    ClearCategoryFields();
    entry_.SubjectClass = kbn;
    entry_.SubjectCode = act;
    entry_.DetailCode = srt;
    if (data::F21AccessByKey(s, "GET", static_cast<std::int16_t>(kbn), act, srt) == 0) entry_.Record = s.F21Record;
    ShowField(1);
    ShowField(0);
    ShowField(2); // the name too, which showField leaves as the user left it
    showFields(3, TotalField);
    RecordState = 1;
    entry_.NameEntryFlag = 0;
    frame2_->setEnabled(true);
    focusField(4);
}

void frmACT0010::codeChosen() {
    const db::QueryRecordset* set = codeListSet_.get();
    if (!shell::standsOnRow(set)) return;
    const auto category = set->field("F10_KBN").asInt();
    const auto code = static_cast<std::int32_t>(set->field("F10_COD").asInt());
    const QString name = q(data::trimText(set->field("F10_DTL").asText()));
    if (category == 1) {
        // The class is a 16-bit member: a longer code would come out as another class.
        if (code > shell::LargestShort) {
            state().message(shell::TooLongMessage);
            return;
        }
        ClearCategoryFields();
        entry_.SubjectClass = code;
        Text1(0)->setText(displayForm(code, shell::CodePattern));
        Label2(0)->setText(name);
        data::F21AccessByKey(state(), "TOP", static_cast<std::int16_t>(code), 0, 0);
        focusField(1);
    } else if (category == 3) {
        ClearDetailFields();
        entry_.DetailCode = code;
        Text1(3)->setText(displayForm(code, shell::CodePattern));
        Label2(1)->setText(name);
        Command1(SearchButton)->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace masters
