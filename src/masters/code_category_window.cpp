#include "masters/code_category_window.h"

#include "common/formats.h"
#include "common/input_checks.h"
#include "data/code_categories.h"
#include "data/field_values.h"
#include "data/keyed_access.h"
#include "shell/event_guard.h"
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

constexpr int WidthTwips = 8460;
constexpr int HeightTwips = 3090;

constexpr int CategoryField = 0;
constexpr int DigitsField = 2;
constexpr int LengthField = 3;

constexpr char RangeMessage[] = "１以上　99までの数字を入力して下さい。";

std::vector<shell::FieldSpec> categoryFields() {
    return {
        {0, 2, 2, false, FieldCheck::Digits, "区分テーブルの区分を２桁以内の数字で入力します。",
         "区分Ｎｏを入力して下さい。"},
        {1, 30, 0, false, FieldCheck::None, "区分名称を３０桁以内で入力します。", "区分名称を入力して下さい。"},
        {2, 2, 2, false, FieldCheck::Digits, "明細コードの桁数を入力します。指定可能な桁数は　６までです。",
         "コード桁数を入力して下さい。"},
        // Three characters can be typed, so that "100" is told it is too long.
        {3, 3, 2, false, FieldCheck::Digits, "明細コードのデータ長を入力します。指定可能な桁数は　１５までです。",
         "コードのデータ長を入力して下さい。"},
    };
}

} // namespace

frmCODEKBN::frmCODEKBN(data::ProgramState& state, QWidget* parent)
    : EntryWindow(state, "frmCODEKBN", categoryFields(), parent) {
    setWindowTitle("コード区分テーブル");
    setLengthMessage(shell::TooLongMessageKanji);
    setPlacement(WidthTwips, HeightTwips);
    buildLayout();
    setGridChoice(0, [this] { categoryChosen(); });
    model_ = new shell::RecordsetGridModel(
        {{"F10KBN_ID", "区分"}, {"F10KBN_NAME", "区分名称"}, {"F10KBN_KETA", "ｺｰﾄﾞ桁"}, {"F10KBN_LEN", "長さ"}}, this);
    grid_->setGridModel(model_);
    refreshLists();
    ClearFields();
}

void frmCODEKBN::buildLayout() {
    auto* layout = addWindowLayout();

    auto* top = new QHBoxLayout;
    auto* frame1 = new QGroupBox(this);
    auto* key = new QHBoxLayout(frame1);
    key->addWidget(captionLabel(0, "コード区分"));
    key->addWidget(Text1(CategoryField));
    fixWidthInCharacters(Text1(CategoryField), 5);
    key->addWidget(addSearchButton(3));
    top->addWidget(frame1);

    frame2_ = new QGroupBox(this);
    auto* details = new QGridLayout(frame2_);
    details->setVerticalSpacing(2);
    details->addWidget(captionLabel(4, "区分名称"), 0, 0);
    details->addWidget(Text1(NameField), 0, 1, 1, 3);
    Text1(NameField)->setMinimumWidth(fullWidthRoom(16));
    details->addWidget(captionLabel(3, "コード桁"), 1, 0);
    details->addWidget(Text1(DigitsField), 1, 1);
    fixWidthInCharacters(Text1(DigitsField), 6);
    details->addWidget(captionLabel(5, "データ長"), 1, 2);
    details->addWidget(Text1(LengthField), 1, 3, Qt::AlignLeft);
    fixWidthInCharacters(Text1(LengthField), 6);
    top->addWidget(frame2_, 1);
    layout->addLayout(top);

    layout->addLayout(addCommandRow(0, 1, 2));

    layout->addWidget(new QLabel("区分テーブル", this));
    grid_ = addGrid(0, QStringLiteral("DBGrid1"));
    layout->addWidget(grid_, 1);
    layout->addWidget(hintLine());
}

void frmCODEKBN::refreshLists() { model_->setRecordset(state().F10KBNTable.get()); }

bool frmCODEKBN::userCloseRequested() {
    if (state().MainDatabase) shell::guardEvent(state(), [this] { data::LoadCodeKbnTable(state()); });
    return EntryWindow::userCloseRequested();
}

// ---- Clearing and showing

void frmCODEKBN::ClearFields() {
    clearFields(CategoryField, LengthField);
    categoryNo_ = 0;
    frame2_->setEnabled(false);
}

void frmCODEKBN::ShowField(int index) {
    QLineEdit* field = Text1(index);
    switch (index) {
    case CategoryField:
        field->setText(displayForm(categoryNo_, "###0"));
        break;
    case NameField:
        field->setText(q(record_.F10KBN_NAME.str()));
        break;
    case DigitsField:
        field->setText(displayForm(record_.F10KBN_KETA, shell::CodePattern));
        break;
    case LengthField:
        field->setText(displayForm(record_.F10KBN_LEN, shell::CodePattern));
        break;
    default:
        break;
    }
}

void frmCODEKBN::fieldEntered(int index) {
    if (index == CategoryField) ClearFields();
}

void frmCODEKBN::showEditForm(int index) {
    if (index == DigitsField) Text1(index)->setText(QString::number(record_.F10KBN_KETA));
    if (index == LengthField) Text1(index)->setText(QString::number(record_.F10KBN_LEN));
}

// ---- Leaving a field

void frmCODEKBN::storeField(int index, const QString& typed) {
    if (index == NameField) {
        record_.F10KBN_NAME = typed.toStdString();
        ShowField(NameField);
        return;
    }
    const std::optional<std::int64_t> number =
        takeDigits(index, typed.toStdString(), shell::LargestShort, shell::TooLongMessageKanji);
    if (!number) return;
    if (*number == 0) {
        refuseField(index, RangeMessage);
        return;
    }
    const auto value = static_cast<std::int16_t>(*number);
    if (index == CategoryField) categoryNo_ = value;
    if (index == DigitsField) record_.F10KBN_KETA = value;
    if (index == LengthField) record_.F10KBN_LEN = value;
    ShowField(index);
}

// ---- Keys

QWidget* frmCODEKBN::moveTarget(int index, FocusMove move) {
    switch (move) {
    case FocusMove::Enter:
    case FocusMove::Down:
        return nextTowardRegister(index, CategoryField, LengthField);
    case FocusMove::Up:
        return index == CategoryField ? nullptr : Text1(index - 1);
    default:
        return nullptr;
    }
}

// ---- Buttons

void frmCODEKBN::buttonClicked(int index) {
    std::int16_t status = 0;
    if (index != 2) CheckCategoryKey(status);
    if (status != 0) return;
    switch (index) {
    case 0:
        registerCategory();
        break;
    case 1:
        deleteCategory();
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

void frmCODEKBN::CheckCategoryKey(std::int16_t& status) {
    status = 0;
    if (categoryNo_ != 0) return;
    refuse(shell::NoCodeCategoryMessage, Text1(CategoryField));
    status = 9;
}

void frmCODEKBN::registerCategory() {
    // What the window holds belongs to the category last searched for: written under another number,
    // it would overwrite that category with a stranger's name and lengths.
    if (!frame2_->isEnabled()) {
        refuse(shell::NoRecordChosenMessage, Command1(3));
        return;
    }
    if (record_.F10KBN_KETA == 0) {
        refuse(RangeMessage, Text1(DigitsField));
        return;
    }
    if (record_.F10KBN_LEN == 0) {
        refuse(RangeMessage, Text1(LengthField));
        return;
    }
    std::int16_t status = 0;
    UPD_F10KBN("PUT", status);
    ClearFields();
    focusField(CategoryField);
}

void frmCODEKBN::deleteCategory() {
    QWidget* backTo = frame2_->isEnabled() ? static_cast<QWidget*>(Text1(NameField)) : Command1(3);
    if (!confirmDelete(false, backTo)) return;
    std::int16_t status = 0;
    UPD_F10KBN("DEL", status);
    ClearFields();
    focusField(CategoryField);
}

void frmCODEKBN::search() {
    std::int16_t status = 0;
    UPD_F10KBN("GET", status);
    frame2_->setEnabled(true);
    focusField(NameField);
}

void frmCODEKBN::UPD_F10KBN(const std::string& mode, std::int16_t& status) {
    data::ProgramState& s = state();
    status = 0;
    s.F10KBNRecord.F10KBN_ID = categoryNo_;
    if (mode == "GET") {
        data::F10KBNAccess(s, "GET", status);
        if (status == 0) {
            record_ = s.F10KBNRecord;
        } else {
            record_ = data::F10KBNRec();
            record_.F10KBN_ID = categoryNo_;
        }
        for (int i = NameField; i <= LengthField; ++i)
            ShowField(i);
    } else if (mode == "PUT") {
        s.F10KBNRecord = record_;
        s.F10KBNRecord.F10KBN_ID = categoryNo_;
        const data::F10KBNRec& r = s.F10KBNRecord;
        db::TableRecordset& t = *s.F10KBNTable;
        data::EditOrAddNew(t, {data::toValue(r.F10KBN_ID)});
        t.setField("F10KBN_ID", data::toValue(r.F10KBN_ID));
        t.setField("F10KBN_NAME", data::toValue(r.F10KBN_NAME));
        t.setField("F10KBN_KETA", data::toValue(r.F10KBN_KETA));
        t.setField("F10KBN_LEN", data::toValue(r.F10KBN_LEN));
        t.setField("F10KBN_DUM", data::toValue(r.F10KBN_DUM));
        t.update();
        t.setBookmark(t.lastModified());
    } else if (mode == "DEL") {
        data::F10KBNAccess(s, "GET", status);
        if (status != 0) {
            s.message(shell::DeleteMissingMessage);
            return;
        }
        s.F10KBNTable->deleteCurrent();
        s.F10KBNTable->moveNext();
    }
}

// ---- Grid choices

void frmCODEKBN::categoryChosen() {
    const db::TableRecordset* table = state().F10KBNTable.get();
    if (!shell::standsOnRow(table)) return;
    categoryNo_ = static_cast<std::int16_t>(table->field("F10KBN_ID").asInt());
    ShowField(CategoryField);
    search();
}

} // namespace masters
