#include "assets/asset_register_window.h"

#include "assets/asset_rates.h"
#include "common/era_dates.h"
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

#include <charconv>
#include <limits>
#include <optional>

namespace assets {

namespace {

using shell::displayForm;
using shell::editForm;
using shell::FieldCheck;
using shell::FocusMove;
using shell::q;

constexpr int WidthTwips = 9075;
constexpr int HeightTwips = 4740;

constexpr char SubjectMissingMessage[] = "勘定科目ﾏｽﾀｰにありません。";
constexpr char LifeRangeMessage[] = "耐用年数は２以上５０までです。";
constexpr char ZeroOrOneMessage[] = "０か１で指定して下さい。";
constexpr char NoSerialMessage[] = "連番が未入力です。";
constexpr char DeleteAssetQuestion[] = "資産情報を削除します。よろしいか。";
constexpr char DeleteWithRowsQuestion[] = "登録されている償却明細も削除されます。よろしいか。";
constexpr char DetailRequiredMessage[] = "必須項目未入力です。";
constexpr char SavingForRowsHint[] = "明細登録のために現状を保存します。";
constexpr char ButtonHint[] = "ｸﾘｯｸ 又は、ｴﾝﾀーで 作業を選択して下さい。";

constexpr char SubjectListQuery[] = "SELECT * FROM F21TB WHERE F21_SRT = 0 ORDER BY F21_KBN, F21_ACT";
constexpr char SeqListQuery[] = "SELECT F28_SEQ FROM F28TB ORDER BY F28_SEQ";
constexpr char AssetRowsQuery[] = "SELECT * FROM F50TB WHERE F50_KBN = ? AND  F50_ACT = ? AND  F50_SEQ = ? "
                                  "ORDER BY F50_YM";

std::vector<shell::FieldSpec> assetFields(int categoryDigits) {
    return {
        {0, categoryDigits, 0, true, FieldCheck::Digits, "勘定科目の科目区分を入力します。",
         "勘定科目区分を入力して下さい。"},
        {1, 6, 6, true, FieldCheck::Digits, "勘定科目の科目コードを入力します。", "勘定科目コードを入力して下さい。"},
        {2, 5, 5, true, FieldCheck::Digits,
         "資産番号を　６桁以内の数字で入力します。デフォルト値は次に新規で登録する場合の番号です。",
         "資産連番コードを入力して下さい。"},
        {3, 30, 30, true, FieldCheck::None, "資産名称を　３０桁以内で入力します。", "資産明細を入力して下さい。"},
        {4, 6, 6, true, FieldCheck::Digits, "取得年月日を　６桁の数字で入力します。", "取得年月日を入力して下さい。"},
        {5, 2, 2, true, FieldCheck::Digits, "耐用年数を　２桁以内の数字で入力します。", "耐用年数を入力して下さい。"},
        {6, 10, 0, true, FieldCheck::Digits, "取得価額を入力します。", "取得価額を入力して下さい。"},
        {7, 1, 1, true, FieldCheck::Digits, "償却の種類を　０か１で入力します。", "償却の方法を指定して下さい。"},
        {8, 6, 0, true, FieldCheck::Amount, "償却率を入力します。", "償却率を入力して下さい。"},
        {9, 1, 1, true, FieldCheck::Digits, "資産の種別を　０か１で入力します。", "資産の種別を指定して下さい。"},
        {10, 10, 0, true, FieldCheck::Digits, "償却可能限度額を入力します。", "償却の限度額を入力して下さい。"},
    };
}

std::vector<db::Value> keyValues(std::int16_t kbn, std::int32_t act, std::int32_t seq) {
    return {db::Value(static_cast<int>(kbn)), db::Value(static_cast<int>(act)), db::Value(static_cast<int>(seq))};
}

} // namespace

frmACT0400::frmACT0400(data::ProgramState& state, WindowOpener showWindow, WindowOpener findWindow, QWidget* parent)
    : EntryWindow(state, "frmACT0400", assetFields(data::CodeDigits(state, 1)), parent),
      showWindow_(std::move(showWindow)), findWindow_(std::move(findWindow)) {
    setWindowTitle("資産テーブルの登録");
    setRequiredMessage(shell::RequiredFieldMessage);
    setButtonHint(ButtonHint);
    setPlacement(WidthTwips, HeightTwips, 2, 4);
    ActivatedFlag = 0;
    buildLayout();
    setGridChoice(AssetGrid, [this] { assetChosen(); });
    setGridChoice(SubjectGrid, [this] { subjectChosen(); });
    bindGrids();
    ClearKeyFields();
    claimCalendar(4);
    fillEraLists();
}

frmACT0400::~frmACT0400() = default;

void frmACT0400::buildLayout() {
    auto* layout = addWindowLayout();

    auto* top = new QHBoxLayout;
    frame1_ = new QGroupBox(this);
    auto* keys = new QGridLayout(frame1_);
    keys->addWidget(captionLabel(0, "勘定科目"), 0, 0);
    keys->addWidget(Text1(0), 0, 1);
    fixWidthInCharacters(Text1(0), 3);
    keys->addWidget(Text1(1), 0, 2);
    fixWidthInCharacters(Text1(1), 7);
    keys->addWidget(framedName(Label1(1), 8), 0, 3);
    keys->addWidget(captionLabel(2, "連番"), 1, 0);
    keys->addWidget(Text1(2), 1, 1, 1, 2);
    fixWidthInCharacters(Text1(2), 7);
    keys->addWidget(addSearchButton(3), 1, 3, Qt::AlignLeft);

    frame2_ = new QGroupBox(this);
    auto* detail = new QGridLayout(frame2_);
    detail->setVerticalSpacing(2);
    // Two fields a row beneath the name, so the window keeps its laid-out height.
    const std::pair<int, const char*> captions[] = {{4, "取得年月日"},     {5, "耐用年数"},     {6, "取得価額"},
                                                    {7, "償却の種類"},     {8, "償却率（％）"}, {9, "資産の種別"},
                                                    {10, "償却可能限度額"}};
    detail->addWidget(captionLabel(3, "資産明細"), 0, 0);
    detail->addWidget(Text1(3), 0, 1, 1, 5);
    for (int n = 0; n < 7; ++n) {
        const auto& [index, text] = captions[n];
        const int row = 1 + n / 2;
        const int column = n % 2 * 3;
        detail->addWidget(captionLabel(index, text), row, column);
        if (index == 4) {
            auto* date = new QHBoxLayout;
            date->setSpacing(4); // inside a grid of unequal spacings a box would lay the list against the date
            date->addWidget(addEraList(4, shell::EraListTooltip));
            date->addWidget(Text1(4));
            detail->addLayout(date, row, column + 1, 1, 2);
            continue;
        }
        detail->addWidget(Text1(index), row, column + 1);
        if (index == 7) detail->addWidget(new QLabel("0:定率 1:定額", frame2_), row, column + 2);
        if (index == 9) detail->addWidget(new QLabel("0:無形  1有形", frame2_), row, column + 2);
    }
    for (int index : {6, 8, 10})
        Text1(index)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (const auto& [index, characters] :
         {std::pair{3, 24}, {4, 10}, {5, 3}, {6, 13}, {7, 2}, {8, 8}, {9, 2}, {10, 13}})
        fixWidthInCharacters(Text1(index), characters);
    detail->addWidget(addButton(4, "明細の登録", "減価償却の明細の登録作業を実行します。"), 4, 4, 1, 2);
    frame2_->setEnabled(false);

    auto* left = new QVBoxLayout;
    left->addWidget(frame1_);
    left->addWidget(frame2_);
    left->addStretch();
    top->addLayout(left, 0);

    auto* lists = new QVBoxLayout;
    const char* gridCaptions[] = {"資産の一覧", "勘定科目一覧"};
    for (int g = 0; g < 2; ++g) {
        lists->addWidget(new QLabel(gridCaptions[g], this));
        grids_[g] = addGrid(g);
        lists->addWidget(grids_[g], 1);
    }
    top->addLayout(lists, 1);
    layout->addLayout(top, 1);

    layout->addLayout(addCommandRow(0, 1, 2));
    layout->addWidget(hintLine());
}

void frmACT0400::bindGrids() {
    assetModel_ = new shell::RecordsetGridModel(
        {{"F28_KBN", "区分"}, {"F28_ACT", "科目"}, {"F28_SEQ", "連番"}, {"F28_NAM", "資産明細"}}, this);
    grids_[AssetGrid]->setGridModel(assetModel_);
    assetModel_->setRecordset(state().F28Table.get());

    if (state().MainDatabase) {
        SubjectList = state().MainDatabase->openSnapshot(SubjectListQuery);
        SeqList = state().MainDatabase->openSnapshot(SeqListQuery);
    }
    subjectModel_ = new shell::QueryGridModel({{"F21_KBN", "区分"}, {"F21_ACT", "ｺｰﾄﾞ"}, {"F21_NAM", "名称"}}, this);
    grids_[SubjectGrid]->setGridModel(subjectModel_);
    subjectModel_->setRecordset(SubjectList.get());
}

void frmACT0400::refreshLists() {
    assetModel_->setRecordset(state().F28Table.get());
    subjectModel_->refresh();
    data::LoadCodeKbnTable(state());
}

void frmACT0400::windowActivated() {
    // A date picked in the calendar waits for the date field; nothing may move meanwhile.
    if (state().CalendarPicked == 1) return;
    refreshLists();
}

bool frmACT0400::userCloseRequested() {
    SeqList.reset();
    releaseCalendar();
    closeRows();
    return true;
}

// ---- Clearing and showing

void frmACT0400::ClearKeyFields() {
    Text1(0)->clear();
    Text1(1)->clear();
    Label1(1)->clear();
    KeyKbn = 0;
    KeyAct = 0;
    ClearAssetFields();
}

void frmACT0400::ClearAssetFields() {
    clearFields(2, 10);
    RecordState = 0;
    KeySeq = 0;
    Combo1(4)->setCurrentIndex(-1);
    NewAsset();
    frame2_->setEnabled(false);
}

void frmACT0400::NewAsset() {
    asset_ = data::F28Rec();
    asset_.F28_KBN = KeyKbn;
    asset_.F28_ACT = KeyAct;
    asset_.F28_SEQ = KeySeq;
}

void frmACT0400::ShowAssetFields(int index) {
    QLineEdit* field = Text1(index);
    const data::F28Rec& a = asset_;
    switch (index) {
    case 0:
        field->setText(displayForm(KeyKbn, "##0"));
        break;
    case 1:
        field->setText(displayForm(KeyAct, shell::CodePattern));
        break;
    case 2:
        field->setText(displayForm(KeySeq, shell::CodePattern));
        break;
    case 3:
        field->setText(q(a.F28_NAM.str()));
        break;
    case 4:
        showEraDate(4, a.F28_DAT);
        break;
    case 5:
        field->setText(displayForm(a.F28_NEN, "#00"));
        break;
    case 6:
        field->setText(displayForm(a.F28_AMT, shell::AmountPattern));
        break;
    case 7:
        field->setText(displayForm(a.F28_KND, "##0"));
        break;
    case 8:
        field->setText(displayForm(a.F28_PCT, "##0.0000"));
        break;
    case 9:
        field->setText(displayForm(a.F28_SHU, "##0"));
        break;
    case 10:
        field->setText(displayForm(a.F28_LMT, shell::AmountPattern));
        break;
    default:
        break;
    }
}

std::int16_t frmACT0400::ShowSubjectName() {
    db::QueryRecordset* list = SubjectList.get();
    const std::int16_t kbn = KeyKbn;
    const std::int32_t act = KeyAct;
    if (list && !list->empty()) {
        list->findFirst([kbn, act](const db::QueryRecordset& r) {
            return r.field("F21_KBN").asInt() == kbn && r.field("F21_ACT").asInt() == act;
        });
        if (!list->noMatch()) {
            Label1(1)->setText(q(data::trimText(list->field("F21_NAM").asText())));
            return 0;
        }
    }
    Label1(1)->clear();
    return 9;
}

void frmACT0400::GetNextSeq() {
    KeySeq = 1;
    if (!SeqList) return;
    SeqList->requery();
    if (SeqList->empty()) return;
    SeqList->moveLast();
    KeySeq = static_cast<std::int32_t>(SeqList->field("F28_SEQ").asInt() + 1);
}

// ---- Entering a field

void frmACT0400::fieldEntered(int index) {
    data::ProgramState& s = state();
    s.CalendarFieldIndex = static_cast<std::int16_t>(index);
    if (index != 4) s.CalendarPicked = 0;
    CurrentField = index;
    switch (index) {
    case 0:
        ClearKeyFields();
        break;
    case 1:
        ClearAssetFields();
        Text1(1)->clear();
        KeyAct = 0;
        asset_.F28_ACT = 0;
        break;
    case 2:
        ClearAssetFields();
        GetNextSeq();
        break;
    case 4: {
        std::int32_t picked = 0;
        if (takePickedDate(picked)) {
            asset_.F28_DAT = common::ResolveDay99(picked);
            focusField(5);
        }
        break;
    }
    default:
        break;
    }
}

void frmACT0400::showEditForm(int index) {
    const data::F28Rec& a = asset_;
    QLineEdit* field = Text1(index);
    switch (index) {
    case 2:
        field->setText(editForm(KeySeq, shell::CodePattern));
        break;
    case 4:
        showEraEditForm(4, a.F28_DAT);
        break;
    case 5:
        field->setText(editForm(a.F28_NEN, "##0"));
        break;
    case 6:
        field->setText(editForm(a.F28_AMT.toString(), "#########0"));
        break;
    case 7:
        field->setText(editForm(a.F28_KND, "#0"));
        break;
    case 8:
        field->setText(editForm(common::FloatText(a.F28_PCT), "0.####"));
        break;
    case 9:
        field->setText(editForm(a.F28_SHU, "#0"));
        break;
    case 10:
        field->setText(editForm(a.F28_LMT.toString(), "#########0"));
        break;
    default: // the key fields were cleared on entering; the name is edited as it stands
        break;
    }
}

// ---- Leaving a field

int frmACT0400::lengthLimit(int index) const {
    if (index == 0) return data::CodeDigits(state(), 1);
    return EntryWindow::lengthLimit(index);
}

int frmACT0400::maxLengthOnEntering(int index) const {
    // The digits of the subject categories as the code table now has them.
    if (index == 0) return data::CodeDigits(state(), 1);
    return EntryWindow::maxLengthOnEntering(index);
}

void frmACT0400::storeField(int index, const QString& typed) {
    const std::string text = typed.toStdString();
    if (index == 3) {
        asset_.F28_NAM = text;
        ShowAssetFields(3);
        return;
    }
    if (index == 4) {
        storeDate(text);
        return;
    }
    if (index == 8) {
        const std::optional<float> rate = ParseRate(text);
        if (!rate) {
            refuseField(8, shell::NotNumericMessage);
            return;
        }
        asset_.F28_PCT = *rate;
        ShowAssetFields(8);
        return;
    }
    // Digits only from here; a number beyond its field's type is as good as too long. Cost and limit are
    // currency amounts: their ten digits always fit.
    const std::int64_t limit = index == 0 || index == 5 || index == 7 || index == 9 ? shell::LargestShort
                               : index == 6 || index == 10 ? std::numeric_limits<std::int64_t>::max()
                                                           : shell::LargestLong;
    if (const std::optional<std::int64_t> value = takeDigits(index, text, limit)) storeNumber(index, *value);
}

void frmACT0400::storeNumber(int index, std::int64_t value) {
    data::F28Rec& a = asset_;
    switch (index) {
    case 0:
        KeyKbn = static_cast<std::int16_t>(value);
        a.F28_KBN = KeyKbn;
        break;
    case 1:
        KeyAct = static_cast<std::int32_t>(value);
        if (ShowSubjectName() != 0) {
            // A subject not in the register is not kept as the key.
            KeyAct = 0;
            refuseField(1, SubjectMissingMessage);
            return;
        }
        a.F28_ACT = KeyAct;
        break;
    case 2:
        KeySeq = static_cast<std::int32_t>(value);
        a.F28_SEQ = KeySeq;
        return; // the typed serial stays as typed
    case 5:
        if (value < 2 || value > 50) {
            refuseField(5, LifeRangeMessage);
            return;
        }
        a.F28_NEN = static_cast<std::int16_t>(value);
        if (a.F28_PCT > 0) {
            a.F28_PCT = ProposeRate(a.F28_NEN, a.F28_KND);
            ShowAssetFields(8);
        }
        break;
    case 6:
        a.F28_AMT = db::Currency::fromWhole(value);
        if (a.F28_LMT > db::Currency()) {
            a.F28_LMT = ProposeLimit(a.F28_AMT, a.F28_SHU);
            ShowAssetFields(10);
        }
        break;
    case 7:
    case 9:
        if (value != 0 && value != 1) {
            refuseField(index, ZeroOrOneMessage);
            return;
        }
        if (index == 7) {
            a.F28_KND = static_cast<std::int16_t>(value);
            if (a.F28_NEN > 0 && (a.F28_KND != DecliningBalance || a.F28_NEN < 51)) {
                a.F28_PCT = ProposeRate(a.F28_NEN, a.F28_KND);
                ShowAssetFields(8);
            }
        } else {
            a.F28_SHU = static_cast<std::int16_t>(value);
            a.F28_LMT = ProposeLimit(a.F28_AMT, a.F28_SHU);
            ShowAssetFields(10);
        }
        break;
    case 10:
        a.F28_LMT = db::Currency::fromWhole(value);
        break;
    default:
        break;
    }
    ShowAssetFields(index);
}

void frmACT0400::storeDate(const std::string& text) {
    if (text.size() != 6) {
        refuseField(4, shell::SixDigitDateMessage);
        return;
    }
    const int era = Combo1(4)->chosenEra();
    if (era == 0) {
        refuseField(4, shell::ChooseEraMessage);
        return;
    }
    std::string ymd;
    std::int16_t err = 0;
    common::EraToDate(state().F01Record, static_cast<std::int16_t>(era), text, ymd, err);
    if (err != 0) {
        refuseField(4, shell::BadDateMessage);
        return;
    }
    // A day of 99 is kept as the month's real last day.
    asset_.F28_DAT = common::ResolveDay99(std::stoi(ymd));
    ShowAssetFields(4);
}

// ---- Keys

QWidget* frmACT0400::moveTarget(int index, FocusMove move) {
    switch (move) {
    case FocusMove::Enter:
        return nextTowardRegister(index, 2, 10);
    case FocusMove::Up:
        return index >= 2 ? Text1(index - 1) : nullptr;
    case FocusMove::Down:
        if (index <= 2) return nullptr;
        return index == 10 ? static_cast<QWidget*>(Command1(0)) : Text1(index + 1);
    default:
        return nullptr;
    }
}

// ---- Buttons

void frmACT0400::buttonClicked(int index) {
    if (index != 2 && !CheckAssetKey()) return;
    switch (index) {
    case 0:
        if (requireChosenRecord() && saveAsset()) focusField(2);
        break;
    case 1:
        if (requireChosenRecord()) deleteAsset();
        break;
    case 2:
        close();
        break;
    case 3:
        searchAsset();
        break;
    case 4:
        openRows();
        break;
    default:
        break;
    }
}

bool frmACT0400::CheckAssetKey() {
    if (KeyKbn == 0) {
        refuse(shell::NoSubjectClassMessage, Text1(0));
        return false;
    }
    if (KeyAct == 0) {
        refuse(shell::NoSubjectCodeMessage, Text1(1));
        return false;
    }
    if (KeySeq == 0) {
        refuse(NoSerialMessage, Text1(2));
        return false;
    }
    return true;
}

void frmACT0400::searchAsset() {
    data::ProgramState& s = state();
    s.F28Record.F28_KBN = KeyKbn;
    s.F28Record.F28_ACT = KeyAct;
    s.F28Record.F28_SEQ = KeySeq;
    std::int16_t status = 0;
    data::F28Access(s, "GET", status);
    if (status == 0) {
        asset_ = s.F28Record;
        RecordState = 1;
    } else {
        NewAsset();
        RecordState = 3;
    }
    showFields(2, 10);
    frame2_->setEnabled(true);
    focusField(3);
}

bool frmACT0400::saveAsset() {
    // The depreciation rows count from the acquisition date over the useful life.
    if (asset_.F28_DAT == 0 || asset_.F28_NEN == 0) {
        refuse(shell::RequiredFieldMessage, Text1(asset_.F28_DAT == 0 ? 4 : 5));
        return false;
    }
    data::ProgramState& s = state();
    db::TableRecordset& table = *s.F28Table;
    asset_.F28_KBN = KeyKbn;
    asset_.F28_ACT = KeyAct;
    asset_.F28_SEQ = KeySeq;
    data::EditOrAddNew(table, keyValues(KeyKbn, KeyAct, KeySeq));
    const data::F28Rec& a = asset_;
    table.setField("F28_KBN", data::toValue(a.F28_KBN));
    table.setField("F28_ACT", data::toValue(a.F28_ACT));
    table.setField("F28_SEQ", data::toValue(a.F28_SEQ));
    table.setField("F28_NAM", data::toValue(a.F28_NAM));
    table.setField("F28_DAT", data::toValue(a.F28_DAT));
    table.setField("F28_NEN", data::toValue(a.F28_NEN));
    table.setField("F28_AMT", data::toValue(a.F28_AMT));
    table.setField("F28_PCT", data::toValue(a.F28_PCT));
    table.setField("F28_KND", data::toValue(a.F28_KND));
    table.setField("F28_SHU", data::toValue(a.F28_SHU));
    table.setField("F28_LMT", data::toValue(a.F28_LMT));
    table.setField("F28_DUM", data::toValue(a.F28_DUM));
    table.update();
    table.setBookmark(table.lastModified());
    s.F28Record = asset_;
    // The rows of this asset are computed from the asset as it is stored now.
    if (assetForRows_ && assetForRows_->asset.F28_KBN == KeyKbn && assetForRows_->asset.F28_ACT == KeyAct &&
        assetForRows_->asset.F28_SEQ == KeySeq)
        assetForRows_->asset = asset_;
    return true;
}

void frmACT0400::deleteAsset() {
    if (RecordState != 1) {
        state().message(shell::NothingToDeleteMessage);
        return;
    }
    data::ProgramState& s = state();
    db::TableRecordset& table = *s.F28Table;
    const std::vector<db::Value> key = keyValues(KeyKbn, KeyAct, KeySeq);
    table.seek("=", key);
    if (table.noMatch()) {
        state().message(shell::DeleteMissingMessage);
        focusField(3);
        return;
    }
    auto rows = s.MainDatabase->openDynaset(AssetRowsQuery, key);
    const bool hasRows = !rows->empty();
    if (s.message(hasRows ? DeleteWithRowsQuestion : DeleteAssetQuestion, platform::Buttons::YesNo) !=
        platform::Answer::Yes) {
        focusField(3);
        return;
    }
    // The asset and its rows go together or not at all; a failure rolls both back.
    db::Database& database = *s.MainDatabase;
    database.beginTrans();
    for (rows->moveFirst(); !rows->eof(); rows->moveNext())
        rows->deleteCurrent();
    table.seek("=", key);
    if (!table.noMatch()) {
        table.deleteCurrent();
        table.moveNext();
    }
    database.commitTrans();
    if (assetForRows_ && assetForRows_->asset.F28_KBN == KeyKbn && assetForRows_->asset.F28_ACT == KeyAct &&
        assetForRows_->asset.F28_SEQ == KeySeq) {
        assetForRows_.reset();
        closeRows();
    }
    focusField(2);
}

void frmACT0400::openRows() {
    const data::F28Rec& a = asset_;
    if (a.F28_AMT == db::Currency() || a.F28_DAT == 0 || a.F28_NEN == 0) {
        refuse(DetailRequiredMessage, Text1(CurrentField));
        return;
    }
    setHint(SavingForRowsHint);
    if (!saveAsset()) return;
    RecordState = 1;
    assetForRows_ = AssetForRows{asset_, Label1(1)->text()};
    if (showWindow_) showWindow_("frmACT0400A");
}

void frmACT0400::closeRows() {
    if (!findWindow_) return;
    if (shell::ChildWindow* rows = findWindow_("frmACT0400A")) rows->closeByProgram();
}

// ---- Grid choices

void frmACT0400::subjectChosen() {
    db::QueryRecordset* list = SubjectList.get();
    if (!shell::standsOnRow(list)) return;
    KeyKbn = static_cast<std::int16_t>(list->field("F21_KBN").asInt());
    KeyAct = static_cast<std::int32_t>(list->field("F21_ACT").asInt());
    Label1(1)->setText(q(data::trimText(list->field("F21_NAM").asText())));
    ShowAssetFields(0);
    ShowAssetFields(1);
    focusField(2);
}

void frmACT0400::assetChosen() {
    const db::TableRecordset* table = state().F28Table.get();
    if (!shell::standsOnRow(table)) return;
    KeyKbn = static_cast<std::int16_t>(table->field("F28_KBN").asInt());
    KeyAct = static_cast<std::int32_t>(table->field("F28_ACT").asInt());
    KeySeq = static_cast<std::int32_t>(table->field("F28_SEQ").asInt());
    showFields(0, 2);
    ShowSubjectName();
    searchAsset();
}

} // namespace assets
