#include "assets/depreciation_rows_window.h"

#include "assets/asset_rates.h"
#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "data/field_values.h"
#include "shell/event_guard.h"
#include "shell/field_forms.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <charconv>

namespace assets {

namespace {

using shell::displayForm;
using shell::editForm;
using shell::FieldCheck;
using shell::FocusMove;
using shell::q;

constexpr int WidthTwips = 12330;
constexpr int HeightTwips = 5055;
// Near the lower right corner, clear of the register and the calendar.
constexpr int RightMarginTwips = 500;
constexpr int BottomMarginTwips = 1700;

constexpr char YearMonthLengthMessage[] = "4桁(YYMM)で入力して下さい。";
constexpr char BeforeAcquisitionMessage[] = "取得年月日以前です。";
constexpr char CategoryRangeMessage[] = "コード範囲の誤りです。";
constexpr char OverTwelveMessage[] = "12ヶ月以上の償却はできません。";
constexpr char PastLastMonthMessage[] = "償却最終年月をこえました。年月を最終月に置き換えます。";
constexpr char WrongCategoryMessage[] = "前回のデータから、この区分は誤りと思われます。";
constexpr char LaterRowsQuestion[] =
    "入力年月以降のデータの期首帳簿価格等が不正確になる恐れがあります。作業を続行しますか。";
// clang-format off
constexpr char Legend[] = "＜区分＞  ０：新規               １：償却               ５：売却               ６：廃棄               ８：最終               ９：完了";
// clang-format on

constexpr char RowSetQuery[] = "SELECT * FROM F50TB WHERE F50_KBN = ? AND  F50_ACT = ? AND  F50_SEQ = ? "
                               "ORDER BY F50_YM, F50_STS ";

constexpr char AmountShown[] = "###,###,##0";

std::vector<shell::FieldSpec> rowFields() {
    std::vector<shell::FieldSpec> fields{
        {0, 4, 4, true, FieldCheck::Amount, "償却年月を４桁の数字で入力します。", "年月度を入力して下さい。"},
        {1, 1, 1, false, FieldCheck::Amount, "償却区分を下の一覧表のなかから選択入力します。",
         "区分コードを入力して下さい。"},
        {2, 10, 0, false, FieldCheck::Amount, "期首帳簿価額を入力します。", "期首帳簿価額を入力して下さい。"},
        {3, 10, 0, false, FieldCheck::Amount, "償却基礎価額を入力します。", "償却基礎価額を入力して下さい。"},
        {4, 2, 2, false, FieldCheck::Amount, "償却月数を　２桁以内の数字で入力します。", "月数を入力して下さい。"},
        {5, 6, 0, false, FieldCheck::Amount, "償却率を入力します。", "償却率を入力して下さい。"},
        {6, 10, 0, false, FieldCheck::Amount, "当期償却額を入力します。", "当期償却額を入力して下さい。"},
        // The accumulated and remaining amounts only show figures: entering them leaves the hint line as it stands.
        {7, 0, 0, false, FieldCheck::Amount, "償却累計額です。", "", true},
        {8, 0, 0, false, FieldCheck::None, "償却残額です。", "", true},
    };
    for (int index = 9; index <= 19; ++index)
        fields.push_back({index, 0, 0, false, FieldCheck::None, "", ""});
    return fields;
}

// The era date text and era code of the first day of a year-month; false when it has no era date.
bool eraMonth(const data::F01Rec& control, std::int32_t ym, std::string& text, std::string& code) {
    if (ym <= 0) return false;
    std::int16_t err = 0;
    common::DateToEra(control, static_cast<std::int64_t>(ym) * 100 + 1, text, code, err);
    return err == 0;
}

QString categoryName(int category) {
    return category >= 0 && category <= 10 ? q(CategoryNames()[static_cast<std::size_t>(category)]) : QString();
}

data::F50Rec readRow(const db::QueryRecordset& set) {
    data::F50Rec r;
    data::assignValue(r.F50_KBN, set.field("F50_KBN"));
    data::assignValue(r.F50_ACT, set.field("F50_ACT"));
    data::assignValue(r.F50_SEQ, set.field("F50_SEQ"));
    data::assignValue(r.F50_YM, set.field("F50_YM"));
    data::assignValue(r.F50_STS, set.field("F50_STS"));
    data::assignValue(r.F50_OPN, set.field("F50_OPN"));
    data::assignValue(r.F50_GRS, set.field("F50_GRS"));
    data::assignValue(r.F50_MTH, set.field("F50_MTH"));
    data::assignValue(r.F50_PCT, set.field("F50_PCT"));
    data::assignValue(r.F50_CAL, set.field("F50_CAL"));
    data::assignValue(r.F50_CLS, set.field("F50_CLS"));
    data::assignValue(r.F50_DUM, set.field("F50_DUM"));
    return r;
}

void writeRow(db::QueryRecordset& set, const data::F50Rec& r) {
    set.setField("F50_KBN", data::toValue(r.F50_KBN));
    set.setField("F50_ACT", data::toValue(r.F50_ACT));
    set.setField("F50_SEQ", data::toValue(r.F50_SEQ));
    set.setField("F50_YM", data::toValue(r.F50_YM));
    set.setField("F50_STS", data::toValue(r.F50_STS));
    set.setField("F50_OPN", data::toValue(r.F50_OPN));
    set.setField("F50_GRS", data::toValue(r.F50_GRS));
    set.setField("F50_MTH", data::toValue(r.F50_MTH));
    set.setField("F50_PCT", data::toValue(r.F50_PCT));
    set.setField("F50_CAL", data::toValue(r.F50_CAL));
    set.setField("F50_CLS", data::toValue(r.F50_CLS));
    set.setField("F50_DUM", data::toValue(r.F50_DUM));
}

bool sameAsset(const data::F28Rec& a, const data::F28Rec& b) {
    return a.F28_KBN == b.F28_KBN && a.F28_ACT == b.F28_ACT && a.F28_SEQ == b.F28_SEQ;
}

// Whether row r comes before the key (ym, category) in the order of the asset's rows.
bool comesBefore(const data::F50Rec& r, std::int32_t ym, std::int16_t category) {
    return r.F50_YM < ym || (r.F50_YM == ym && r.F50_STS < category);
}

} // namespace

frmACT0400A::frmACT0400A(data::ProgramState& state, AssetSource source, QWidget* parent)
    : EntryWindow(state, "frmACT0400A", rowFields(), parent), source_(std::move(source)) {
    setWindowTitle("減価償却の明細登録");
    setRequiredMessage(shell::RequiredFieldMessage);
    setPlacement(WidthTwips, HeightTwips, 1, 1, RightMarginTwips, BottomMarginTwips);
    ActivatedFlag = 0;
    buildLayout();
    fillEraLists();
    takeAsset();
    RowYM = state.F01Record.F01_ACT / 100;
    ShowEraMonth(RowYM, 0);
}

frmACT0400A::~frmACT0400A() = default;

void frmACT0400A::buildLayout() {
    auto* layout = addWindowLayout();
    const QString lightYellow = QStringLiteral("QLineEdit { background: #ffffc0; }");
    const QString lightCyan = QStringLiteral("QLineEdit { background: #c0ffff; }");

    auto* header = new QGroupBox(this);
    auto* head = new QGridLayout(header);
    head->setVerticalSpacing(2);
    for (int index = 9; index <= 19; ++index) {
        // Nothing reads the header back: it only shows the asset.
        makeShownOnly(index);
        Text1(index)->setStyleSheet(lightCyan);
    }
    head->addWidget(captionLabel(9, "勘定科目"), 0, 0);
    head->addWidget(Text1(9), 0, 1);
    head->addWidget(Text1(10), 0, 2);
    head->addWidget(nameLabel(0), 0, 3);
    head->addWidget(captionLabel(11, "連番"), 0, 4);
    head->addWidget(Text1(11), 0, 5);
    head->addWidget(Text1(12), 0, 6, 1, 3);
    head->addWidget(captionLabel(13, "取得年月日"), 1, 0);
    head->addWidget(Text1(13), 1, 1, 1, 2);
    head->addWidget(captionLabel(14, "耐用年数"), 1, 3);
    auto* life = new QHBoxLayout;
    life->addWidget(Text1(14));
    life->addWidget(new QLabel("年", header));
    head->addLayout(life, 1, 4);
    head->addWidget(captionLabel(15, "取得価格"), 1, 5);
    head->addWidget(Text1(15), 1, 6);
    head->addWidget(Text1(16), 1, 7);
    head->addWidget(Text1(17), 1, 8);
    head->addWidget(Text1(18), 2, 7);
    head->addWidget(captionLabel(19, "償却限度額"), 2, 5);
    head->addWidget(Text1(19), 2, 6);
    layout->addWidget(header);

    auto* middle = new QHBoxLayout;
    auto* keyFrame = new QGroupBox(this);
    auto* keys = new QGridLayout(keyFrame);
    keys->addWidget(captionLabel(0, "年月度"), 0, 0);
    keys->addWidget(addEraList(0, shell::EraListTooltip), 0, 1);
    keys->addWidget(Text1(0), 0, 2);
    keys->addWidget(captionLabel(1, "区分"), 1, 0);
    keys->addWidget(Text1(1), 1, 1);
    keys->addWidget(nameLabel(1), 1, 2);
    keys->addWidget(addSearchButton(3), 2, 2);
    middle->addWidget(keyFrame);

    auto* amountFrame = new QGroupBox(this);
    auto* amounts = new QGridLayout(amountFrame);
    amounts->setVerticalSpacing(2);
    const char* captions[] = {"期首帳簿価額", "償却基礎価額", "月数", "償却率", "当期償却額", "償却累計額", "償却残額"};
    for (int index = 2; index <= 8; ++index) {
        const int column = (index - 2) / 4 * 2;
        const int row = (index - 2) % 4;
        amounts->addWidget(captionLabel(index, captions[index - 2]), row, column);
        amounts->addWidget(Text1(index), row, column + 1);
        Text1(index)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const bool entered = index != 3 && index != 7 && index != 8;
        Text1(index)->setStyleSheet(entered ? lightYellow : lightCyan);
    }
    for (int index : {0, 1})
        Text1(index)->setStyleSheet(lightYellow);
    Text1(7)->setReadOnly(true);
    Text1(8)->setReadOnly(true);
    middle->addWidget(amountFrame, 1);
    layout->addLayout(middle);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List2"));
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies({"ＭＳ ゴシック", "IPAGothic", fixed.family()});
    list_->setFont(fixed);
    // Choosing a row leaves the field being edited without checking it: the list never takes the focus.
    list_->setFocusPolicy(Qt::NoFocus);
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { shell::guardEvent(state(), [this, item] { rowChosen(item); }); });
    layout->addWidget(list_, 1);
    layout->addWidget(new QLabel(Legend, this));
    layout->addWidget(hintLine());

    layout->addLayout(addCommandRow(0, 1, 2, "減価償却明細の作業を終了し、資産登録へもどります。"));

    setTabOrder(Text1(0), Text1(1));
    setTabOrder(Text1(1), Command1(3));
    setTabOrder(Command1(3), Text1(2));
    for (int index = 2; index < 6; ++index)
        setTabOrder(Text1(index), Text1(index + 1));
    setTabOrder(Text1(6), Command1(0));
    setTabOrder(Command1(0), Command1(1));
    setTabOrder(Command1(1), Command1(2));
    setTabOrder(Command1(2), Text1(7));
    setTabOrder(Text1(7), Text1(8));
}

// ---- The asset and its rows

void frmACT0400A::takeAsset() {
    std::optional<AssetForRows> taken = source_ ? source_() : std::nullopt;
    if (!taken) {
        readRows();
        return;
    }
    const bool other = !DepreciationRowSet || !sameAsset(asset_, taken->asset);
    asset_ = taken->asset;
    subjectName_ = taken->subjectName;
    CopyAssetHeader();
    if (other) {
        // Rows of another asset must not be seeded from this one's values.
        ClearRowFields();
        selectRows();
    } else {
        readRows();
    }
}

void frmACT0400A::CopyAssetHeader() {
    const data::F28Rec& a = asset_;
    Text1(9)->setText(displayForm(a.F28_KBN, "##0"));
    Text1(10)->setText(displayForm(a.F28_ACT, shell::CodePattern));
    Label2(0)->setText(subjectName_);
    Text1(11)->setText(displayForm(a.F28_SEQ, shell::CodePattern));
    Text1(12)->setText(q(a.F28_NAM.str()));
    std::string text, code;
    std::int16_t err = 0;
    common::DateToEra(state().F01Record, a.F28_DAT, text, code, err);
    Text1(13)->setText(err == 0 ? q(state().F01Record.F01_NENG[code[0] - '0'].str() + " " + text) : QString());
    Text1(14)->setText(displayForm(a.F28_NEN, "#00"));
    Text1(15)->setText(displayForm(a.F28_AMT, shell::AmountPattern));
    Text1(16)->setText(a.F28_KND == DecliningBalance ? "　定率" : "　定額");
    Text1(17)->setText(displayForm(a.F28_PCT, "##0.0000"));
    Text1(18)->setText(a.F28_SHU == 0 ? "　無形" : "　有形");
    Text1(19)->setText(displayForm(a.F28_LMT, shell::AmountPattern));
}

void frmACT0400A::selectRows() {
    DepreciationRowSet.reset();
    if (state().MainDatabase) {
        const std::vector<db::Value> key{data::toValue(asset_.F28_KBN), data::toValue(asset_.F28_ACT),
                                         data::toValue(asset_.F28_SEQ)};
        DepreciationRowSet = state().MainDatabase->openDynaset(RowSetQuery, key);
    }
    readRows();
}

void frmACT0400A::readRows() {
    rows_.clear();
    if (DepreciationRowSet) {
        // Selected again, so that an added row stands at its place and the previous row is the stored one.
        DepreciationRowSet->requery();
        for (DepreciationRowSet->moveFirst(); !DepreciationRowSet->eof(); DepreciationRowSet->moveNext())
            rows_.push_back(readRow(*DepreciationRowSet));
    }
    FillDepreciationList();
}

void frmACT0400A::FillDepreciationList() {
    list_->clear();
    const data::F01Rec& control = state().F01Record;
    int position = 0;
    for (const data::F50Rec& r : rows_) {
        std::string line = common::FormatFix(++position, "00") + ". ";
        std::string text, code;
        if (eraMonth(control, r.F50_YM, text, code)) {
            line += control.F01_NENG[code[0] - '0'].trimmed() + q(text).left(6).toStdString();
        } else {
            line += "　　  　  　";
        }
        line += "   " + categoryName(r.F50_STS).toStdString();
        line += " " + common::FormatFix(r.F50_OPN, AmountShown);
        line += "    " + common::FormatFix(r.F50_GRS, AmountShown);
        line += "    " + common::FormatFix(r.F50_MTH, "##0");
        line += "  " + common::FormatFix(r.F50_PCT, "#0.0000");
        line += " " + common::FormatFix(r.F50_CAL, AmountShown);
        line += "    " + common::FormatFix(r.F50_CLS, AmountShown);
        line += "    " + common::FormatFix(asset_.F28_LMT - r.F50_CLS, AmountShown);
        list_->addItem(q(line));
    }
}

void frmACT0400A::windowActivated() { takeAsset(); }

// ---- Clearing and showing

void frmACT0400A::ClearRowFields() {
    clearFields(0, 8);
    Label2(1)->clear();
    RecordState = 0;
    RowCategory = -1;
    row_ = data::F50Rec();
    previous_ = PreviousRow();
}

bool frmACT0400A::ShowEraMonth(std::int32_t ym, int index) {
    std::string text, code;
    if (!eraMonth(state().F01Record, ym, text, code)) return false;
    Text1(index)->setText(q(text).left(6));
    Combo1(0)->selectEra(code[0] - '0');
    return true;
}

void frmACT0400A::ShowRowFields(int index) {
    const data::F50Rec& r = row_;
    QLineEdit* field = Text1(index);
    switch (index) {
    case 0:
        ShowEraMonth(RowYM, 0);
        break;
    case 1:
        field->setText(RowCategory < 0 ? QString() : displayForm(RowCategory, "####0"));
        Label2(1)->setText(categoryName(RowCategory));
        break;
    case 2:
        field->setText(displayForm(r.F50_OPN, AmountShown));
        break;
    case 3:
        field->setText(displayForm(r.F50_GRS, AmountShown));
        break;
    case 4:
        field->setText(displayForm(r.F50_MTH, "##0"));
        break;
    case 5:
        field->setText(displayForm(r.F50_PCT, "#0.0000"));
        break;
    case 6:
        field->setText(displayForm(r.F50_CAL, AmountShown));
        break;
    case 7:
        field->setText(displayForm(r.F50_CLS, AmountShown));
        break;
    case 8:
        field->setText(displayForm(asset_.F28_LMT - r.F50_CLS, AmountShown));
        break;
    default: // the header shows the asset
        break;
    }
}

// ---- Entering a field

void frmACT0400A::fieldEntered(int index) {
    if (index == 0) {
        ClearRowFields();
    } else if (index == 1) {
        ClearRowFields();
        std::vector<RowKey> keys;
        for (const data::F50Rec& r : rows_)
            keys.push_back({r.F50_YM, r.F50_STS});
        RowCategory = ProposeCategory(asset_, keys, RowYM);
        showFields(0, 1);
    }
}

void frmACT0400A::showEditForm(int index) {
    const data::F50Rec& r = row_;
    QLineEdit* field = Text1(index);
    switch (index) {
    case 0: {
        std::string text, code;
        if (eraMonth(state().F01Record, RowYM, text, code) && common::EraCodeFits(code))
            field->setText(q(code.substr(1, 4)));
        break;
    }
    case 1:
        field->setText(editForm(RowCategory, "0"));
        break;
    case 2:
        field->setText(editForm(r.F50_OPN.toString(), "##########"));
        break;
    case 3:
        field->setText(editForm(r.F50_GRS.toString(), "##########"));
        break;
    case 4:
        field->setText(editForm(r.F50_MTH, "###"));
        break;
    case 5:
        field->setText(editForm(common::FloatText(r.F50_PCT), "0.####"));
        break;
    case 6:
        field->setText(editForm(r.F50_CAL.toString(), "##########"));
        break;
    default:
        break;
    }
}

// ---- Leaving a field

void frmACT0400A::storeField(int index, const QString& typed) {
    const std::string text = typed.toStdString();
    if (index == 0) {
        storeYearMonth(text);
        return;
    }
    if (index >= 7) {
        recompute(row_);
        return;
    }
    const std::optional<db::Currency> value =
        takeAmount(index, text, index == 1 ? CategoryRangeMessage : shell::NotNumericMessage);
    if (!value) return;
    // The row changes only once it has been computed with the amount typed.
    data::F50Rec r = row_;
    // Whole units, cut toward zero, without going through a double.
    const std::int64_t whole = value->raw() / db::Currency::Scale;
    switch (index) {
    case 1: {
        if (*value != db::Currency::fromWhole(whole) || !IsRowCategory(whole)) {
            refuseField(1, CategoryRangeMessage);
            return;
        }
        RowCategory = static_cast<std::int16_t>(whole);
        ShowRowFields(1);
        return;
    }
    case 2:
        r.F50_OPN = *value;
        break;
    case 3:
        r.F50_GRS = *value;
        break;
    case 4:
        if (*value > db::Currency::fromWhole(12)) {
            refuseField(4, OverTwelveMessage);
            return;
        }
        r.F50_MTH = static_cast<std::int16_t>(whole); // two characters at most: -9 to 12
        break;
    case 5:
        r.F50_PCT = ParseRate(text).value_or(0.0f);
        break;
    case 6:
        r.F50_CAL = *value;
        break;
    default:
        break;
    }
    recompute(r);
}

void frmACT0400A::recompute(data::F50Rec row) {
    // Only a row prepared by a search or a list choice has the previous row the computation needs.
    if (RecordState != 0) CalcDepreciation(asset_, previous_, row);
    row_ = row;
    showFields(1, 8);
}

void frmACT0400A::storeYearMonth(const std::string& text) {
    if (text.size() != 4) {
        refuseField(0, YearMonthLengthMessage);
        return;
    }
    const int era = Combo1(0)->chosenEra();
    if (era == 0) {
        refuse(shell::ChooseEraMessage, Combo1(0));
        return;
    }
    std::string ymd;
    std::int16_t err = 0;
    common::EraToDate(state().F01Record, static_cast<std::int16_t>(era), text + "01", ymd, err);
    if (err != 0) {
        refuse(shell::BadDateMessage, Combo1(0));
        return;
    }
    const std::int32_t ym = std::stoi(ymd) / 100;
    if (CountDepreciationMonths(asset_, ym, asset_.F28_DAT / 100, true).status == CountBeforeStart) {
        refuse(BeforeAcquisitionMessage, Combo1(0));
        return;
    }
    RowYM = ym;
    ShowRowFields(0);
}

// ---- Keys

QWidget* frmACT0400A::moveTarget(int index, FocusMove move) {
    switch (move) {
    case FocusMove::Enter:
        if (index == 1) return Command1(3);
        if (index >= 6 && index <= 8) return Command1(0);
        return index < 6 ? Text1(index + 1) : nullptr;
    case FocusMove::ShiftLeft:
        if (index == 0) return Combo1(0);
        return index >= 1 && index <= 7 ? Text1(index - 1) : nullptr;
    case FocusMove::ShiftRight:
        if (index == 7) return Command1(0);
        return index <= 6 ? Text1(index + 1) : nullptr;
    default:
        return nullptr;
    }
}

// ---- Buttons

void frmACT0400A::buttonClicked(int index) {
    if (index != 2 && (RowYM == 0 || RowCategory == -1)) {
        refuse(shell::RequiredFieldMessage, Text1(0));
        return;
    }
    switch (index) {
    case 0:
        registerRow();
        break;
    case 1:
        deleteRow();
        break;
    case 2:
        close();
        break;
    case 3:
        searchRow();
        break;
    default:
        break;
    }
}

bool frmACT0400A::laterRowsQuestion() {
    if (state().message(LaterRowsQuestion, platform::Buttons::YesNo) == platform::Answer::Yes) return true;
    focusField(0);
    return false;
}

bool frmACT0400A::searchRow() {
    // Prepared apart and taken only once computed: a computation that fails leaves no row to register.
    data::F50Rec row = SeedRow(asset_, RowYM, RowCategory);
    PreviousRow previous;
    std::int16_t found = 3;
    bool laterRows = false;
    for (const data::F50Rec& r : rows_) {
        if (r.F50_YM == RowYM && r.F50_STS == RowCategory) {
            row = r;
            found = 1;
        } else if (comesBefore(r, RowYM, RowCategory)) {
            SeedAfter(asset_, r, row, previous);
        } else {
            laterRows = true;
            break;
        }
    }
    if (laterRows && !laterRowsQuestion()) return false;
    if (found == 3) {
        if (!CategoryFollows(RowCategory, previous)) {
            refuse(WrongCategoryMessage, Text1(1));
            return false;
        }
        const MonthCount count = CalcDepreciation(asset_, previous, row);
        if (count.status == CountPastLastMonth) {
            RowYM = count.current;
            ShowRowFields(0);
            refuse(PastLastMonthMessage, Text1(0));
            return false;
        }
        if (count.status == CountOverTwelve) {
            refuse(OverTwelveMessage, Text1(0));
            return false;
        }
    }
    row_ = row;
    previous_ = previous;
    RecordState = found;
    showFields(0, 8);
    focusField(2);
    return true;
}

bool frmACT0400A::findStoredRow() {
    const std::int32_t ym = row_.F50_YM;
    const std::int16_t category = row_.F50_STS;
    DepreciationRowSet->findFirst([ym, category](const db::QueryRecordset& r) {
        return r.field("F50_YM").asInt() == ym && r.field("F50_STS").asInt() == category;
    });
    return !DepreciationRowSet->noMatch();
}

void frmACT0400A::registerRow() {
    // Only the row searched or chosen for this key is stored, under its own key.
    if (RecordState == 0 || row_.F50_YM != RowYM || row_.F50_STS != RowCategory || !DepreciationRowSet) {
        refuse(shell::NoRecordChosenMessage, Command1(3));
        return;
    }
    if (findStoredRow()) {
        DepreciationRowSet->edit();
    } else {
        DepreciationRowSet->addNew();
    }
    writeRow(*DepreciationRowSet, row_);
    DepreciationRowSet->update();
    readRows();
    focusField(0);
}

void frmACT0400A::deleteRow() {
    if (RecordState != 1 || !DepreciationRowSet) {
        state().message(shell::NothingToDeleteMessage);
        return;
    }
    if (!confirmDelete(false, Text1(0))) return;
    if (findStoredRow()) {
        DepreciationRowSet->deleteCurrent();
    } else {
        state().message(shell::DeleteMissingMessage);
    }
    readRows();
    focusField(0);
}

void frmACT0400A::rowChosen(QListWidgetItem* item) {
    const int chosen = list_->row(item);
    if (chosen < 0 || chosen >= static_cast<int>(rows_.size())) return;
    // The field left for the chosen row is not checked: what it held belonged to the row before.
    EditedFlag = 0;
    SkipNextCheck = true;
    if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus)) focus->clearFocus();
    SkipNextCheck = false;
    previous_ = PreviousRow();
    for (int n = 0; n < chosen; ++n) {
        const data::F50Rec& r = rows_[static_cast<std::size_t>(n)];
        previous_ = {true, r.F50_YM, r.F50_STS, r.F50_CLS};
    }
    row_ = rows_[static_cast<std::size_t>(chosen)];
    RowYM = row_.F50_YM;
    RowCategory = row_.F50_STS;
    RecordState = 1;
    if (chosen + 1 < static_cast<int>(rows_.size()) && !laterRowsQuestion()) return;
    showFields(0, 8);
    focusField(2);
}

} // namespace assets
