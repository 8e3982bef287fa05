#include "masters/code_register_window.h"

#include "common/formats.h"
#include "common/input_checks.h"
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
using shell::FieldCheck;
using shell::FocusMove;
using shell::q;

constexpr int WidthTwips = 8220;
constexpr int HeightTwips = 5175;

constexpr int CategoryField = 0;
constexpr int CodeField = 1;
constexpr int ContentField = 2;
constexpr int LastRemarkField = 6;

constexpr char NoCodeMessage[] = "明細コードが未入力です。";
constexpr char UnknownCategoryMessage[] = "存在しないコード区分です。";
constexpr char CategoryNotRegisteredMessage[] = "区分テーブルに登録されていません。";
constexpr char ButtonHint[] = "作業を選択して下さい。";

std::vector<shell::FieldSpec> codeFields() {
    // The code's and the content's limits come from the window's category (lengthLimit).
    const QString remarkTip = "明細コードの備考を入力します。", otherRemarkTip = "明細コードのを入力します。";
    const QString remarkHint = "備考を入力して下さい。";
    return {
        {0, 2, 2, true, FieldCheck::Digits, "区分テーブルの区分を入力します。", "コード区分を入力して下さい。"},
        {1, 6, 0, true, FieldCheck::Digits, "明細コードを区分テーブルで登録した桁数内で入力します。",
         "明細コードを入力して下さい。"},
        {2, 30, 0, false, FieldCheck::None, "明細コードの内容を区分テーブルで登録したデータ長以内で入力します。",
         "コード名称を入力して下さい。"},
        {3, 15, 15, false, FieldCheck::None, remarkTip, remarkHint},
        {4, 15, 15, false, FieldCheck::None, remarkTip, remarkHint},
        {5, 15, 15, false, FieldCheck::None, otherRemarkTip, remarkHint},
        {6, 15, 15, false, FieldCheck::None, otherRemarkTip, remarkHint},
    };
}

// The category's row, read by its number; nothing when it is not in the category table.
std::optional<data::F10KBNRec> categoryRow(data::ProgramState& s, std::int16_t category) {
    s.F10KBNRecord.F10KBN_ID = category;
    std::int16_t status = 0;
    data::F10KBNAccess(s, "GET", status);
    if (status != 0) return std::nullopt;
    return s.F10KBNRecord;
}

} // namespace

frmCMNCODE::frmCMNCODE(data::ProgramState& state, QWidget* parent)
    : EntryWindow(state, "frmCMNCODE", codeFields(), parent) {
    setWindowTitle("各種ｺｰﾄﾞの登録");
    setLengthMessage(shell::TooLongMessageKanji);
    setButtonHint(ButtonHint);
    setPlacement(WidthTwips, HeightTwips);
    buildLayout();
    setGridChoice(CodeList, [this] { codeChosen(); });
    setGridChoice(CategoryList, [this] { categoryChosen(); });

    codeModel_ =
        new shell::RecordsetGridModel({{"F10_KBN", "区分"}, {"F10_COD", "コード"}, {"F10_DTL", "コード内容"}}, this);
    grids_[CodeList]->setGridModel(codeModel_);
    categoryModel_ = new shell::RecordsetGridModel(
        {{"F10KBN_ID", "区分"}, {"F10KBN_NAME", "区分名称"}, {"F10KBN_KETA", "ｺｰﾄﾞ桁"}, {"F10KBN_LEN", "長さ"}}, this);
    grids_[CategoryList]->setGridModel(categoryModel_);
    refreshLists();
    ClearCategoryFields();
}

void frmCMNCODE::buildLayout() {
    auto* layout = addWindowLayout();

    auto* frame1 = new QGroupBox(this);
    auto* key = new QGridLayout(frame1);
    key->addWidget(captionLabel(0, "コード区分"), 0, 0);
    key->addWidget(Text1(CategoryField), 0, 1);
    fixWidthInCharacters(Text1(CategoryField), 5);
    key->addWidget(framedName(Label1(1), 15), 0, 2, 1, 2);
    key->addWidget(captionLabel(2, "明細コード"), 1, 0);
    key->addWidget(Text1(CodeField), 1, 1);
    fixWidthInCharacters(Text1(CodeField), 7);
    key->addWidget(addSearchButton(3), 1, 2, Qt::AlignLeft);
    key->setColumnStretch(3, 1);
    layout->addWidget(frame1);

    frame2_ = new QGroupBox(this);
    auto* details = new QGridLayout(frame2_);
    details->setVerticalSpacing(2);
    details->addWidget(captionLabel(4, "コード内容"), 0, 0);
    details->addWidget(Text1(ContentField), 0, 1, 1, 3);
    const char* remarks[] = {"備考(１)", "備考(２)", "備考(３)", "備考(４)"};
    const int remarkCaptions[] = {3, 5, 6, 7};
    for (int k = 0; k < 4; ++k) {
        const int row = 1 + k / 2, column = (k % 2) * 2;
        details->addWidget(captionLabel(remarkCaptions[k], remarks[k]), row, column);
        details->addWidget(Text1(3 + k), row, column + 1);
    }
    layout->addWidget(frame2_);

    layout->addLayout(addCommandRow(0, 1, 2));

    auto* lists = new QHBoxLayout;
    lists->setSpacing(4);
    const char* captions[] = {"コードテーブル", "区分テーブル"};
    for (int g = 0; g < 2; ++g)
        lists->addLayout(addCaptionedGrid(g, captions[g], grids_[g]));
    layout->addLayout(lists, 1);
    layout->addWidget(hintLine());
}

void frmCMNCODE::refreshLists() {
    codeModel_->setRecordset(state().F10Table.get());
    categoryModel_->setRecordset(state().F10KBNTable.get());
}

// ---- Clearing and showing

void frmCMNCODE::ClearCategoryFields() {
    Text1(CategoryField)->clear();
    Label1(1)->clear();
    categoryNo_ = 0;
    ClearDetailFields();
}

void frmCMNCODE::ClearDetailFields() {
    clearFields(CodeField, LastRemarkField);
    code_ = 0;
    frame2_->setEnabled(false);
}

void frmCMNCODE::ShowCodeFields() {
    Text1(ContentField)->setText(q(record_.F10_DTL.str()));
    for (int k = 1; k <= 4; ++k)
        Text1(ContentField + k)->setText(q(record_.F10_CNV[k].str()));
}

void frmCMNCODE::fieldEntered(int index) {
    if (index == CategoryField) ClearCategoryFields();
    if (index == CodeField) ClearDetailFields();
}

// ---- Leaving a field

int frmCMNCODE::lengthLimit(int index) const {
    if (index != CodeField && index != ContentField) return EntryWindow::lengthLimit(index);
    // The window's own category decides, whatever row the shared category table stands on now.
    if (categoryNo_ <= 0) return 0;
    const std::optional<data::F10KBNRec> row = categoryRow(state(), categoryNo_);
    if (!row) return 0;
    return index == CodeField ? row->F10KBN_KETA : row->F10KBN_LEN;
}

std::string frmCMNCODE::requiredFieldMessage(int index) const {
    return index == CategoryField ? shell::NoCodeCategoryMessage : NoCodeMessage;
}

void frmCMNCODE::storeField(int index, const QString& typed) {
    const std::string text = typed.toStdString();
    if (index >= ContentField) {
        if (index == ContentField) {
            record_.F10_DTL = text;
        } else {
            record_.F10_CNV[index - ContentField] = text;
        }
        return;
    }
    const std::optional<std::int64_t> number = takeDigits(
        index, text, index == CategoryField ? shell::LargestShort : shell::LargestLong, shell::TooLongMessageKanji);
    if (!number) return;
    if (index == CodeField) {
        code_ = static_cast<std::int32_t>(*number);
        Text1(CodeField)->setText(displayForm(code_, shell::CodePattern));
        return;
    }
    categoryNo_ = static_cast<std::int16_t>(*number);
    if (!readCategory()) {
        refuseField(CategoryField, UnknownCategoryMessage);
        return;
    }
    Text1(CategoryField)->setText(displayForm(categoryNo_, "##0"));
}

bool frmCMNCODE::readCategory() {
    const std::optional<data::F10KBNRec> row = categoryRow(state(), categoryNo_);
    Label1(1)->setText(row ? q(row->F10KBN_NAME.str()) : QString());
    return row.has_value();
}

// ---- Keys

QWidget* frmCMNCODE::moveTarget(int index, FocusMove move) {
    switch (move) {
    case FocusMove::Enter:
    case FocusMove::Down:
        return nextTowardRegister(index, CodeField, LastRemarkField);
    case FocusMove::Up:
        return index == CategoryField ? nullptr : Text1(index - 1);
    default:
        return nullptr;
    }
}

// ---- Buttons

void frmCMNCODE::buttonClicked(int index) {
    std::int16_t status = 0;
    if (index != 2) CheckCodeKey(status);
    if (status != 0) return;
    switch (index) {
    case 0:
        registerCode();
        break;
    case 1:
        deleteCode();
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

void frmCMNCODE::CheckCodeKey(std::int16_t& status) {
    status = 9;
    if (categoryNo_ == 0) {
        refuse(shell::NoCodeCategoryMessage, Text1(CategoryField));
    } else if (code_ == 0) {
        refuse(NoCodeMessage, Text1(CodeField));
    } else {
        status = 0;
    }
}

void frmCMNCODE::registerCode() {
    // What the window holds belongs to the code last searched for: written under another key, it would
    // overwrite that code with a stranger's content.
    if (!frame2_->isEnabled()) {
        refuse(shell::NoRecordChosenMessage, Command1(3));
        return;
    }
    std::int16_t status = 0;
    UPD_F10("PUT", status);
    ClearDetailFields();
    focusField(CodeField);
}

void frmCMNCODE::deleteCode() {
    QWidget* backTo = frame2_->isEnabled() ? static_cast<QWidget*>(Text1(ContentField)) : Command1(3);
    if (!confirmDelete(false, backTo)) return;
    std::int16_t status = 0;
    UPD_F10("DEL", status);
    ClearDetailFields();
    focusField(CodeField);
}

void frmCMNCODE::search() {
    std::int16_t status = 0;
    UPD_F10("GET", status);
    ShowCodeFields();
    frame2_->setEnabled(true);
    focusField(ContentField);
}

void frmCMNCODE::UPD_F10(const std::string& mode, std::int16_t& status) {
    data::ProgramState& s = state();
    status = 0;
    s.F10Record.F10_KBN = categoryNo_;
    s.F10Record.F10_COD = code_;
    if (mode == "GET") {
        data::F10Access(s, "GET", status);
        record_.F10_KBN = categoryNo_;
        record_.F10_COD = code_;
        record_.F10_DTL = status == 0 ? s.F10Record.F10_DTL.str() : std::string();
        for (int k = 1; k <= 4; ++k)
            record_.F10_CNV[k] = status == 0 ? s.F10Record.F10_CNV[k].str() : std::string();
    } else if (mode == "PUT") {
        s.F10Record.F10_DTL = record_.F10_DTL;
        for (int k = 1; k <= 4; ++k)
            s.F10Record.F10_CNV[k] = record_.F10_CNV[k];
        const data::F10Rec& r = s.F10Record;
        db::TableRecordset& t = *s.F10Table;
        data::EditOrAddNew(t, {data::toValue(r.F10_KBN), data::toValue(r.F10_COD)});
        t.setField("F10_KBN", data::toValue(r.F10_KBN));
        t.setField("F10_COD", data::toValue(r.F10_COD));
        t.setField("F10_DTL", data::toValue(r.F10_DTL));
        for (int k = 1; k <= 4; ++k)
            t.setField("F10_CNV" + std::to_string(k), data::toValue(r.F10_CNV[k]));
        t.setField("F10_DUM", db::Value(std::string()));
        t.update();
        t.setBookmark(t.lastModified());
    } else if (mode == "DEL") {
        data::F10Access(s, "GET", status);
        if (status != 0) {
            s.message(shell::DeleteMissingMessage);
            return;
        }
        s.F10Table->deleteCurrent();
        s.F10Table->moveNext();
    }
}

// ---- Grid choices

void frmCMNCODE::codeChosen() {
    const db::TableRecordset* table = state().F10Table.get();
    if (!shell::standsOnRow(table)) return;
    categoryNo_ = static_cast<std::int16_t>(table->field("F10_KBN").asInt());
    code_ = static_cast<std::int32_t>(table->field("F10_COD").asInt());
    Text1(CategoryField)->setText(displayForm(categoryNo_, "###0"));
    Text1(CodeField)->setText(displayForm(code_, shell::CodePattern));
    if (!readCategory()) {
        refuse(CategoryNotRegisteredMessage, Text1(CategoryField));
        return;
    }
    std::int16_t status = 0;
    UPD_F10("GET", status);
    ShowCodeFields();
    frame2_->setEnabled(true);
    focusField(ContentField);
}

void frmCMNCODE::categoryChosen() {
    const db::TableRecordset* table = state().F10KBNTable.get();
    if (!shell::standsOnRow(table)) return;
    categoryNo_ = static_cast<std::int16_t>(table->field("F10KBN_ID").asInt());
    Text1(CategoryField)->setText(displayForm(categoryNo_, "###0"));
    Label1(1)->setText(q(data::fitText(table->field("F10KBN_NAME").asText(), 30)));
    focusField(CodeField);
}

} // namespace masters
