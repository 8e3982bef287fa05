#include "masters/description_register_window.h"

#include "common/formats.h"
#include "common/input_checks.h"
#include "data/code_categories.h"
#include "data/field_values.h"
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

constexpr int WidthTwips = 9015;
constexpr int HeightTwips = 6165;

constexpr char RequiredMessage[] = "摘要コードが未入力です。";
constexpr char NoDescriptionCodeMessage[] = "摘要コードが入力されていません。";
constexpr char CodeMissingMessage[] = "コードに登録されていません。";
constexpr char SubjectMissingMessage[] = "勘定科目に登録されていません。";

constexpr char SubjectListQuery[] = "SELECT * FROM F21TB LEFT JOIN F10TB "
                                    " ON ( F21TB.F21_SRT = F10TB.F10_COD  AND  F21TB.F21_SRTKBN = F10TB.F10_KBN )"
                                    "  ORDER BY F21_KBN, F21_ACT, F21_SRT";

std::vector<shell::FieldSpec> descriptionFields() {
    // Limits of 0 for fields 2, 4 and 6: their code category decides (lengthLimit).
    return {
        {0, 6, 6, true, FieldCheck::Digits, "摘要コードを６桁以内の数字で入力します。", "摘要コードを入力して下さい。"},
        {1, 30, 30, false, FieldCheck::None, "摘要名称を　３０桁以内で入力します。", "コード名称を入力して下さい。"},
        {2, 2, 0, false, FieldCheck::Digits, "勘定科目の科目区分を入力します。", "勘定科目区分ｺｰﾄﾞを入力して下さい。"},
        {3, 6, 6, false, FieldCheck::Digits, "勘定科目の科目コードを入力します。", "勘定科目ｺｰﾄﾞを入力して下さい。"},
        {4, 6, 0, false, FieldCheck::Digits, "コード区分（03）で登録した詳細分類を入力します。",
         "詳細ｺｰﾄﾞを入力して下さい｡ "},
        {5, 2, 2, false, FieldCheck::Digits, "区分テーブルで登録したコード区分を入力します。",
         "相手先区分を入力して下さい｡ "},
        {6, 6, 0, false, FieldCheck::Digits, "コード区分（入力値）で登録した明細コードを入力します。",
         "相手先コードを入力して下さい｡ "},
        {7, 30, 30, false, FieldCheck::None,
         "摘要の備考を30桁以内で入力します。伝票入力の際にデフォルト値として表示されます。", "備考を入力して下さい。"},
        {8, 1, 1, false, FieldCheck::Digits, "入出金区分を ０か１ で入力します。伝票入力の際のデフォルト値となります。",
         "入出金の区分を入力して下さい。"},
        {9, 10, 0, false, FieldCheck::Amount, "金額を入力します。伝票入力の際にデフォルト値として表示されます。",
         "金額を入力して下さい。"},
    };
}

// The largest number the member behind a field holds.
std::int64_t largestValue(int index) {
    const bool shortField = index == 2 || index == 5 || index == 8;
    return shortField ? shell::LargestShort : shell::LargestLong;
}

QString shownNumber(std::int64_t value) { return displayForm(value, shell::CodePattern); }

} // namespace

frmACT0030::frmACT0030(data::ProgramState& state, QWidget* parent)
    : EntryWindow(state, "frmACT0030", descriptionFields(), parent) {
    setWindowTitle("摘要ｺｰﾄﾞの登録");
    setRequiredMessage(RequiredMessage);
    setPlacement(WidthTwips, HeightTwips);
    buildLayout();
    bindGrids();
    setGridChoice(DescriptionList, [this] { descriptionChosen(); });
    setGridChoice(SubjectList, [this] { subjectChosen(); });
    setGridChoice(CodeList, [this] { codeChosen(); });
    ClearDescriptionForm();
}

frmACT0030::~frmACT0030() = default;

void frmACT0030::buildLayout() {
    auto* layout = addWindowLayout();
    auto wide = [this](int index) {
        Text1(index)->setMinimumWidth(fullWidthRoom(16));
        return Text1(index);
    };

    auto* frame1 = new QGroupBox(this);
    auto* top = new QHBoxLayout(frame1);
    top->addWidget(captionLabel(0, "摘要ｺｰﾄﾞ"));
    top->addWidget(Text1(0));
    fixWidthInCharacters(Text1(0), 7);
    top->addWidget(addSearchButton(3));
    top->addStretch();
    layout->addWidget(frame1);

    frame2_ = new QGroupBox(this);
    auto* fields = new QGridLayout(frame2_);
    fields->setContentsMargins(6, 4, 6, 4);
    fields->setVerticalSpacing(2);
    fields->addWidget(captionLabel(1, "摘要明細"), 0, 0);
    fields->addWidget(wide(1), 0, 1, 1, 3);
    fields->addWidget(captionLabel(2, "勘定科目"), 1, 0);
    fields->addWidget(Text1(2), 1, 1);
    fixWidthInCharacters(Text1(2), 3);
    fields->addWidget(Text1(3), 1, 2);
    fixWidthInCharacters(Text1(3), 7);
    fields->addWidget(nameLabel(0, 10), 1, 3);
    fields->addWidget(captionLabel(3, "詳細分類"), 2, 0);
    fields->addWidget(Text1(4), 2, 2);
    fixWidthInCharacters(Text1(4), 7);
    fields->addWidget(nameLabel(1, 10), 2, 3);
    fields->addWidget(captionLabel(4, "相手先"), 3, 0);
    fields->addWidget(Text1(5), 3, 1);
    fixWidthInCharacters(Text1(5), 3);
    fields->addWidget(Text1(6), 3, 2);
    fixWidthInCharacters(Text1(6), 7);
    fields->addWidget(nameLabel(2, 10), 3, 3);
    fields->addWidget(captionLabel(5, "備考"), 4, 0);
    fields->addWidget(wide(7), 4, 1, 1, 3);
    // Direction and amount share the last line, so that the lists keep room below.
    fields->addWidget(captionLabel(6, "入出金"), 5, 0);
    fields->addWidget(Text1(8), 5, 1);
    fixWidthInCharacters(Text1(8), 2);
    auto* amount = new QHBoxLayout;
    amount->setSpacing(6); // inside a grid of unequal spacings a box would lay its captions against its boxes
    Label2(3)->setText("０：入金　１：出金");
    amount->addWidget(Label2(3));
    amount->addSpacing(16);
    amount->addWidget(captionLabel(7, "金額"));
    amount->addWidget(Text1(9));
    fixWidthInCharacters(Text1(9), 15);
    Text1(9)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    amount->addStretch();
    fields->addLayout(amount, 5, 2, 1, 2);
    fields->setColumnStretch(3, 1);
    layout->addWidget(frame2_);

    layout->addLayout(addCommandRow(0, 1, 2));

    auto* lists = new QHBoxLayout;
    lists->setSpacing(4);
    const char* captions[] = {"摘要の一覧", "勘定科目の一覧", "ｺｰﾄﾞの一覧"};
    for (int g = 0; g < 3; ++g)
        lists->addLayout(addCaptionedGrid(g, captions[g], grids_[g]), g == SubjectList ? 3 : 2);
    layout->addLayout(lists, 1);
    layout->addWidget(hintLine());
}

void frmACT0030::bindGrids() {
    codeModel_ = new shell::RecordsetGridModel({{"F10_KBN", "区"}, {"F10_COD", "ｺｰﾄﾞ"}, {"F10_DTL", "名称"}}, this);
    grids_[CodeList]->setGridModel(codeModel_);
    codeModel_->setRecordset(state().F10Table.get());

    if (state().MainDatabase) SubjectListSet = state().MainDatabase->openSnapshot(SubjectListQuery);
    subjectModel_ = new shell::QueryGridModel(
        {{"F21_KBN", "区"}, {"F21_ACT", "ｺｰﾄﾞ"}, {"F21_NAM", "科目名称"}, {"F21_SRT", "詳細"}, {"F10_DTL", "詳細内容"}},
        this);
    grids_[SubjectList]->setGridModel(subjectModel_);
    subjectModel_->setRecordset(SubjectListSet.get());

    descriptionModel_ = new shell::RecordsetGridModel({{"F18_COD", "ｺｰﾄﾞ"}, {"F18_DSC", "摘要"}}, this);
    grids_[DescriptionList]->setGridModel(descriptionModel_);
    descriptionModel_->setRecordset(state().F18Table.get());
}

void frmACT0030::refreshLists() {
    descriptionModel_->setRecordset(state().F18Table.get());
    subjectModel_->refresh();
    codeModel_->setRecordset(state().F10Table.get());
    if (state().MainDatabase) data::LoadCodeKbnTable(state());
}

// ---- Clearing and showing

void frmACT0030::ClearDescriptionForm() {
    clearFields(0, 9);
    clearNames(0, 2);
    DescriptionCode.clear();
    RecordState = 0;
    frame2_->setEnabled(false);
}

void frmACT0030::fieldEntered(int index) {
    if (index == 0) ClearDescriptionForm();
}

void frmACT0030::showEditForm(int index) {
    const data::F18Rec& r = record_;
    QLineEdit* field = Text1(index);
    switch (index) {
    case 2:
        field->setText(editForm(r.F18_KBN, "##"));
        break;
    case 3:
        field->setText(editForm(r.F18_ACT, "######"));
        break;
    case 4:
        field->setText(editForm(r.F18_SRT, "######"));
        break;
    case 5:
        field->setText(editForm(r.F18_KND, "##"));
        break;
    case 6:
        field->setText(editForm(r.F18_CUS, "######"));
        break;
    case 8:
        field->setText(editForm(r.F18_IO, "#"));
        break;
    case 9:
        field->setText(editForm(r.F18_AMT.toString(), "#########0"));
        break;
    default: // the code field was emptied with the window; the texts are edited as they are shown
        break;
    }
}

std::int16_t frmACT0030::ShowField(int index) {
    data::ProgramState& s = state();
    data::F18Rec& r = record_;
    QLineEdit* field = Text1(index);
    std::int16_t status = 0;
    auto lookUpCode = [&](std::int16_t category, std::int32_t code) {
        status = data::F10AccessByKey(s, "GET", category, code);
    };
    // A code's name beside it, or nothing for no code.
    auto codeName = [&](QLabel* label, std::int16_t category, std::int32_t code) {
        label->clear();
        if (code == 0) return;
        lookUpCode(category, code);
        if (status == 0) label->setText(q(s.F10Record.F10_DTL.str()));
    };
    switch (index) {
    case 0:
        field->setText(q(DescriptionCode));
        break;
    case 1:
        field->setText(q(r.F18_DSC.str()));
        break;
    case 2:
        field->setText(shownNumber(r.F18_KBN));
        lookUpCode(1, r.F18_KBN);
        break;
    case 3:
        field->setText(shownNumber(r.F18_ACT));
        status = data::F21AccessByKey(s, "LOOK", r.F18_KBN, r.F18_ACT, 0);
        Label2(0)->clear();
        if (status == 0) {
            // A description takes its subject's direction each time the subject is shown.
            Label2(0)->setText(q(s.F21Record.F21_NAM.str()));
            r.F18_IO = s.F21Record.F21_IO;
            Text1(8)->setText(shownNumber(r.F18_IO));
        }
        break;
    case 4:
        field->setText(shownNumber(r.F18_SRT));
        codeName(Label2(1), 3, r.F18_SRT);
        break;
    case 5:
        field->setText(shownNumber(r.F18_KND));
        break;
    case 6:
        field->setText(shownNumber(r.F18_CUS));
        codeName(Label2(2), r.F18_KND, r.F18_CUS);
        break;
    case 7:
        field->setText(q(r.F18_RMK.str()));
        break;
    case 8:
        field->setText(shownNumber(r.F18_IO));
        break;
    case 9:
        field->setText(displayForm(r.F18_AMT, shell::AmountPattern));
        break;
    default:
        break;
    }
    return status;
}

std::function<bool()> frmACT0030::shownFound(int index) {
    return [this, index] { return ShowField(index) == 0; };
}

std::int16_t frmACT0030::DescriptionRecordIO(const std::string& mode) {
    data::ProgramState& s = state();
    std::int16_t status = 0;
    if (mode == "GET") {
        s.F18Record.F18_COD = DescriptionCode;
        data::F18Access(s, "GET", status);
        if (status == 0) {
            record_ = s.F18Record;
            RecordState = 1;
        } else {
            record_ = data::F18Rec();
            record_.F18_COD = DescriptionCode;
            RecordState = 3;
        }
        for (int i = 0; i <= 9; ++i)
            status = ShowField(i);
    } else if (mode == "PUT") {
        s.F18Record = record_;
        s.F18Record.F18_COD = DescriptionCode;
        const data::F18Rec& r = s.F18Record;
        db::TableRecordset& t = *s.F18Table;
        data::EditOrAddNew(t, {data::toValue(r.F18_COD)});
        t.setField("F18_COD", data::toValue(r.F18_COD));
        t.setField("F18_DSC", data::toValue(r.F18_DSC));
        t.setField("F18_KBN", data::toValue(r.F18_KBN));
        t.setField("F18_ACT", data::toValue(r.F18_ACT));
        t.setField("F18_SRT", data::toValue(r.F18_SRT));
        t.setField("F18_KND", data::toValue(r.F18_KND));
        t.setField("F18_CUS", data::toValue(r.F18_CUS));
        t.setField("F18_RMK", data::toValue(r.F18_RMK));
        t.setField("F18_IO", data::toValue(r.F18_IO));
        t.setField("F18_AMT", data::toValue(r.F18_AMT));
        t.setField("F18_DUM", data::toValue(r.F18_DUM));
        t.update();
        t.setBookmark(t.lastModified());
    } else if (mode == "DEL") {
        s.F18Record.F18_COD = DescriptionCode;
        data::F18Access(s, "GET", status);
        if (status != 0) {
            s.message(shell::DeleteMissingMessage);
            return status;
        }
        s.F18Table->deleteCurrent();
        s.F18Table->moveNext();
    }
    return status;
}

// ---- Leaving a field

int frmACT0030::lengthLimit(int index) const {
    switch (index) {
    case 2:
        return data::CodeDigits(state(), 1);
    case 4:
        return data::CodeDigits(state(), 3);
    case 6:
        return data::CodeDigits(state(), record_.F18_KND);
    default:
        return EntryWindow::lengthLimit(index);
    }
}

void frmACT0030::storeField(int index, const QString& typed) {
    const std::string text = typed.toStdString();
    data::F18Rec& r = record_;
    if (index == 1 || index == 7) {
        (index == 1 ? r.F18_DSC : r.F18_RMK) = text;
        return;
    }
    if (index == 9) {
        const std::optional<db::Currency> amount = takeAmount(9, text);
        if (!amount) return;
        r.F18_AMT = *amount;
        ShowField(9);
        return;
    }
    const std::optional<std::int64_t> number = takeDigits(index, text, largestValue(index));
    if (!number) return;
    switch (index) {
    case 0:
        // The box keeps the digits as typed until a search shows the code.
        DescriptionCode = common::FormatNumber(std::to_string(*number), "000000");
        break;
    case 2:
        takeUnlessRefused(2, r.F18_KBN, static_cast<std::int16_t>(*number), shownFound(2), CodeMissingMessage);
        break;
    case 3:
        takeUnlessRefused(3, r.F18_ACT, static_cast<std::int32_t>(*number), shownFound(3), SubjectMissingMessage);
        break;
    case 4:
        takeUnlessRefused(4, r.F18_SRT, static_cast<std::int32_t>(*number), shownFound(4), CodeMissingMessage);
        break;
    case 5:
        storeCounterpartCategory(static_cast<std::int16_t>(*number));
        break;
    case 6:
        storeCounterpartCode(static_cast<std::int32_t>(*number));
        break;
    case 8:
        if (takeUnlessRefused(
                8, r.F18_IO, static_cast<std::int16_t>(*number), [&] { return *number <= 1; },
                shell::BadDirectionMessage))
            ShowField(8);
        break;
    default:
        break;
    }
}

void frmACT0030::storeCounterpartCategory(std::int16_t category) {
    // Subject classes and detail classifications are no counterparts.
    if (!takeUnlessRefused(
            5, record_.F18_KND, category, [category] { return category != 1 && category != 3; },
            shell::BadCounterpartCategoryMessage))
        return;
    ShowField(5);
    if (category != 0) return;
    record_.F18_CUS = 0;
    ShowField(6);
    focusField(7);
}

void frmACT0030::storeCounterpartCode(std::int32_t code) {
    if (code != 0 && record_.F18_KND == 0) {
        ShowField(6); // the code is not taken: the field the user leaves shows what the description holds
        refuse(shell::NoCounterpartCategoryMessage, Text1(5));
        return;
    }
    if (!takeUnlessRefused(6, record_.F18_CUS, code, shownFound(6), CodeMissingMessage)) return;
    if (code == 0) {
        record_.F18_KND = 0;
        ShowField(5);
    }
}

// ---- Keys

QWidget* frmACT0030::moveTarget(int index, FocusMove move) {
    switch (move) {
    case FocusMove::Enter:
        return nextTowardRegister(index, 0, 9);
    case FocusMove::Up: {
        static const int above[] = {-1, 0, 1, 1, 2, 4, 4, 6, 7, 8};
        return above[index] < 0 ? nullptr : Text1(above[index]);
    }
    case FocusMove::Down: {
        if (index == 0) return Command1(3);
        if (index == 9) return Command1(0);
        static const int below[] = {-1, 2, 4, 4, 5, 7, 7, 8, 9};
        return Text1(below[index]);
    }
    case FocusMove::ShiftRight:
        return index == 2 || index == 5 ? Text1(index + 1) : nullptr;
    case FocusMove::ShiftLeft:
        return index == 3 || index == 6 ? Text1(index - 1) : nullptr;
    }
    return nullptr;
}

// ---- Buttons

void frmACT0030::buttonClicked(int index) {
    switch (index) {
    case 0:
        if (checkDescriptionKey()) registerDescription();
        break;
    case 1:
        if (checkDescriptionKey()) deleteDescription();
        break;
    case 2:
        close();
        break;
    case 3:
        search();
        break;
    default:
        break;
    }
}

bool frmACT0030::checkDescriptionKey() {
    if (DescriptionCode.empty() || DescriptionCode == "000000") {
        refuse(NoDescriptionCodeMessage, Text1(0));
        return false;
    }
    return requireChosenRecord();
}

void frmACT0030::registerDescription() {
    DescriptionRecordIO("PUT");
    ClearDescriptionForm();
    focusField(0);
}

void frmACT0030::deleteDescription() {
    if (!confirmDelete(true, Text1(1))) return;
    DescriptionRecordIO("DEL");
    ClearDescriptionForm();
    focusField(0);
}

void frmACT0030::search() {
    DescriptionRecordIO("GET");
    frame2_->setEnabled(true);
    focusField(1);
}

// ---- Grid choices

void frmACT0030::descriptionChosen() {
    const db::TableRecordset* table = state().F18Table.get();
    if (!shell::standsOnRow(table)) return;
    DescriptionCode = table->field("F18_COD").asText();
    ShowField(0);
    search();
}

void frmACT0030::subjectChosen() {
    const db::QueryRecordset* set = SubjectListSet.get();
    if (!choiceForChosenRecord(set)) return;
    record_.F18_KBN = static_cast<std::int16_t>(set->field("F21_KBN").asInt());
    record_.F18_ACT = static_cast<std::int32_t>(set->field("F21_ACT").asInt());
    record_.F18_SRT = static_cast<std::int32_t>(set->field("F21_SRT").asInt());
    record_.F18_IO = static_cast<std::int16_t>(set->field("F21_IO").asInt());
    showFields(2, 8);
    focusField(5);
}

void frmACT0030::codeChosen() {
    const db::TableRecordset* table = state().F10Table.get();
    if (!choiceForChosenRecord(table)) return;
    const auto category = static_cast<std::int16_t>(table->field("F10_KBN").asInt());
    const auto code = static_cast<std::int32_t>(table->field("F10_COD").asInt());
    switch (category) {
    case 1: // a subject class: the subject code goes with the class it belonged to
        if (code > std::numeric_limits<std::int16_t>::max()) {
            state().message(shell::TooLongMessage);
            return;
        }
        record_.F18_KBN = static_cast<std::int16_t>(code);
        ShowField(2);
        record_.F18_ACT = 0;
        Text1(3)->clear();
        Label2(0)->clear();
        focusField(3);
        break;
    case 3:
        record_.F18_SRT = code;
        ShowField(4);
        focusField(5);
        break;
    default:
        record_.F18_KND = category;
        record_.F18_CUS = code;
        ShowField(5);
        ShowField(6);
        focusField(7);
        break;
    }
}

} // namespace masters
