#include "journal/closing_dialog_window.h"

#include "common/era_dates.h"
#include "data/fixed_text.h"
#include "shell/entry_messages.h"
#include "shell/field_forms.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <array>
#include <cstddef>
#include <utility>
#include <vector>

namespace journal {

namespace {

using shell::FieldSpec;
using shell::FocusMove;
using shell::q;

constexpr int WidthTwips = 5955;
constexpr int HeightTwips = 4740;
constexpr int FieldLength = 6;
constexpr int ParameterRows = 3;
constexpr int FirstCountField = 10;
constexpr int LastCountField = 14;
constexpr int TitleLabel = 16;
constexpr int DateCaptionLabel = 6;

const char* const ParameterTooltip = "〆作業を行う設定値を入力します。";
const char* const ParameterHint = "該当項目の設定値を入力して下さい。";
const char* const DateHint = "〆作業の実行日を入力するか、ｶﾚﾝﾀﾞｰをﾀﾞﾌﾞﾙｸﾘｯｸして下さい。";
const char* const StartHint = "ｸﾘｯｸ又はｴﾝﾀｰで閉め作業を開始します。";
const char* const EndHint = "ｸﾘｯｸ又はｴﾝﾀｰで閉め作業を終了します。";
const char* const WorkingText = "作業中です。";
const char* const FinishedText = "作業が終了しました。";

bool isCountField(int index) { return index >= FirstCountField && index <= LastCountField; }

// The labels a job may write: row captions and remarks, the table names and the title.
bool isJobLabel(int index) { return (index >= 0 && index <= 5) || isCountField(index) || index == TitleLabel; }

std::vector<FieldSpec> closingFields() {
    std::vector<FieldSpec> fields;
    for (int i = 0; i < ParameterRows; ++i) {
        FieldSpec spec;
        spec.index = i;
        spec.maxLength = FieldLength;
        spec.tooltip = q(ParameterTooltip);
        spec.hint = q(ParameterHint);
        fields.push_back(spec);
    }
    FieldSpec date;
    date.index = frmSIME::DateField;
    date.maxLength = FieldLength;
    date.hint = q(DateHint);
    fields.push_back(date);
    for (int i = FirstCountField; i <= LastCountField; ++i) {
        FieldSpec count;
        count.index = i;
        fields.push_back(count);
    }
    return fields;
}

} // namespace

frmSIME::frmSIME(data::ProgramState& state, QWidget* parent) : EntryWindow(state, "frmSIME", closingFields(), parent) {
    setWindowTitle(q("〆作業の指定"));
    buildControls();
    load();
}

void frmSIME::buildControls() {
    // Laid out rather than placed: in our Gothic face the designed rows, 240 and 225 twips apart, would run
    // into each other and cut the fields' digits.
    auto* layout = addWindowLayout();
    QLabel* title = Label1(TitleLabel);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(12);
    title->setFont(titleFont);
    layout->addWidget(title);

    auto* rangeFrame = new QGroupBox(q("〆の範囲"), this);
    rangeFrame->setObjectName("Frame1");
    auto* range = new QGridLayout(rangeFrame);
    range->setVerticalSpacing(2);
    const std::array<std::pair<int, const char*>, 3> rangeHeadings{{{2, "項    目"}, {3, "設定値"}, {5, "備    考"}}};
    for (std::size_t c = 0; c < rangeHeadings.size(); ++c) {
        QLabel* heading = Label2(rangeHeadings[c].first);
        heading->setText(q(rangeHeadings[c].second));
        heading->setAlignment(Qt::AlignCenter);
        range->addWidget(heading, 0, static_cast<int>(c));
    }
    for (int r = 0; r < ParameterRows; ++r) {
        range->addWidget(Label1(r), r + 1, 0);
        range->addWidget(Text1(r), r + 1, 1, Qt::AlignLeft);
        fixWidthInCharacters(Text1(r), FieldLength);
        range->addWidget(Label1(r + 3), r + 1, 2);
    }
    // The closing date sits apart below the parameter rows, as on the designed window.
    range->setRowMinimumHeight(ParameterRows + 1, fontMetrics().height() / 2);
    const int dateRow = ParameterRows + 2;
    range->addWidget(captionLabel(DateCaptionLabel, q("〆作業年月日")), dateRow, 0);
    shell::EraList* eras = addEraList(DateField, shell::EraListTooltip);
    eras->setMinimumContentsLength(4);
    eras->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    range->addWidget(eras, dateRow, 1);
    range->addWidget(Text1(DateField), dateRow, 2, Qt::AlignLeft);
    fixWidthInCharacters(Text1(DateField), 12);
    range->setColumnStretch(2, 1);
    layout->addWidget(rangeFrame);

    // The tables at the left, the buttons at the right level with their last rows.
    auto* middle = new QHBoxLayout;
    auto* tableFrame = new QGroupBox(q("作業テーブル"), this);
    tableFrame->setObjectName("Frame3");
    auto* tables = new QGridLayout(tableFrame);
    tables->setVerticalSpacing(2);
    QLabel* nameHeading = Label2(1);
    nameHeading->setText(q("テーブル名"));
    nameHeading->setAlignment(Qt::AlignCenter);
    tables->addWidget(nameHeading, 0, 0);
    QLabel* countHeading = Label2(4);
    countHeading->setText(q("更新件数"));
    countHeading->setAlignment(Qt::AlignCenter);
    tables->addWidget(countHeading, 0, 1);
    for (int i = FirstCountField; i <= LastCountField; ++i) {
        tables->addWidget(Label1(i), i - FirstCountField + 1, 0);
        QLineEdit* count = Text1(i);
        tables->addWidget(count, i - FirstCountField + 1, 1);
        // Room for the widest count, 999,999,999.
        fixWidthInCharacters(count, 11);
        count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // The counts are the run's to write, not the user's.
        makeShownOnly(i);
    }
    tables->setColumnStretch(0, 1);
    middle->addWidget(tableFrame, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* start =
        addButton(StartButton, q("開始"), q("〆作業を開始します。"), style()->standardIcon(QStyle::SP_MediaPlay));
    buttons->addWidget(start);
    QPushButton* end = addEndButton(EndButton, shell::EndTooltip, q("終了"));
    buttons->addWidget(end);
    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addStretch(1);
    buttonColumn->addLayout(buttons);
    middle->addLayout(buttonColumn);
    layout->addLayout(middle);

    hintLine()->setWordWrap(true);
    // Room for two lines, so that a hint or status text that wraps never squeezes the rows above.
    hintLine()->setMinimumHeight(2 * hintLine()->fontMetrics().lineSpacing());
    layout->addWidget(hintLine());

    QWidget* previous = Text1(0);
    for (QWidget* next :
         {static_cast<QWidget*>(Text1(1)), static_cast<QWidget*>(Text1(2)), static_cast<QWidget*>(eras),
          static_cast<QWidget*>(Text1(DateField)), static_cast<QWidget*>(start), static_cast<QWidget*>(end)}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void frmSIME::load() {
    data::ProgramState& s = state();
    setPlacement(WidthTwips, HeightTwips, 8, 8);
    ActivatedFlag = 0;
    for (int i = 0; i <= 5; ++i)
        Label1(i)->clear();
    for (int i = FirstCountField; i <= LastCountField; ++i) {
        Label1(i)->clear();
        Text1(i)->clear();
    }
    for (int i = 0; i < ParameterRows; ++i)
        Text1(i)->clear();
    Label1(TitleLabel)->clear();
    setHint({});
    claimCalendar(-1);
    fillEraLists();
    s.SimeDate = s.F01Record.F01_ACT;
    ShowSimeDate(s.SimeDate);
    // The job is fixed here, so a run always belongs to the captions the user sees.
    job_ = ClosingJobFor(s.SimeMode);
    if (job_) job_->init(s, *this);
    Text1(0)->setFocus(Qt::OtherFocusReason);
}

void frmSIME::setLabel1(int index, const std::string& caption) {
    if (isJobLabel(index)) Label1(index)->setText(QString::fromStdString(caption));
}

std::string frmSIME::text1(int index) const {
    if (!hasField(index)) return {};
    return Text1(index)->text().toStdString();
}

void frmSIME::setText1(int index, const std::string& text) {
    if (!hasField(index)) return;
    Text1(index)->setText(QString::fromStdString(text));
    if (running_) Text1(index)->repaint();
}

void frmSIME::setLabel3(const std::string& text) {
    setHint(QString::fromStdString(text));
    // The run holds the interface; without this the user would see only its last text.
    hintLine()->repaint();
}

void frmSIME::ShowSimeDate(std::int32_t Date, std::int16_t& Err) {
    Err = 0;
    if (Date <= 0) return;
    std::string text;
    std::string code;
    common::DateToEra(state().F01Record, Date, text, code, Err);
    if (Err != 0) return;
    // A date whose era is not listed leaves the field and the list as they were.
    shell::EraList* eras = Combo1(DateField);
    const int era = code[0] - '0';
    if (eras->findData(era) < 0) return;
    eras->selectEra(era);
    Text1(DateField)->setText(QString::fromStdString(text));
}

void frmSIME::ShowSimeDate(std::int32_t Date) {
    std::int16_t err = 0;
    ShowSimeDate(Date, err);
}

void frmSIME::fieldEntered(int index) {
    data::ProgramState& s = state();
    s.CalendarFieldIndex = static_cast<std::int16_t>(index);
    if (index != DateField) {
        s.CalendarPicked = 0; // a pick waiting for the date field is dropped
        return;
    }
    std::int32_t picked = 0;
    if (!takePickedDate(picked)) return;
    s.SimeDate = picked;
    // The picked day replaces whatever was typed, so leaving the field checks nothing.
    EditedFlag = 0;
    ShowSimeDate(s.SimeDate);
    Command1(StartButton)->setFocus(Qt::OtherFocusReason);
}

void frmSIME::showEditForm(int index) {
    if (index != DateField) return;
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(state().F01Record, state().SimeDate, text, code, err);
    if (err == 0)
        Text1(DateField)->setText(common::EraCodeFits(code) ? QString::fromStdString(code.substr(1, FieldLength))
                                                            : QString());
}

void frmSIME::showField(int index) {
    if (index == DateField) ShowSimeDate(state().SimeDate);
}

// Only the closing date is checked on leaving; the parameters are the job's check to judge on Start.
void frmSIME::storeField(int index, const QString& text) {
    if (index != DateField) return;
    if (text.size() != FieldLength) {
        refuseField(DateField, shell::SixDigitDateMessage);
        return;
    }
    const int era = Combo1(DateField)->chosenEra();
    if (era == 0) {
        refuseField(DateField, shell::ChooseEraMessage);
        return;
    }
    data::ProgramState& s = state();
    std::string ymd;
    std::int16_t err = 0;
    common::EraToDate(s.F01Record, static_cast<std::int16_t>(era), text.toStdString(), ymd, err);
    if (err != 0) {
        refuseField(DateField, shell::BadDateMessage);
        return;
    }
    s.SimeDate = std::stoi(ymd);
    ShowSimeDate(s.SimeDate);
}

QWidget* frmSIME::moveTarget(int index, FocusMove move) {
    switch (move) {
    case FocusMove::Enter:
        Text1(index)->setText(QString::fromStdString(data::trimText(Text1(index)->text().toStdString())));
        return index < DateField ? static_cast<QWidget*>(Text1(index + 1)) : Command1(StartButton);
    case FocusMove::Down:
        if (index < DateField) return Text1(index + 1);
        // The stored date comes back, and with it the digits typed are given up.
        EditedFlag = 0;
        ShowSimeDate(state().SimeDate);
        return Command1(StartButton);
    case FocusMove::Up:
        return index == 1 || index == 2 ? Text1(index - 1) : nullptr;
    case FocusMove::ShiftLeft:
    case FocusMove::ShiftRight:
        return nullptr;
    }
    return nullptr;
}

bool frmSIME::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn) return EntryWindow::eventFilter(watched, event);
    // The focus coming back to where it was, from a message box or from another window brought to the
    // front meanwhile, is no new choice: the status line and the counts stay as a run left them.
    const bool returning = watched == lastFocused_;
    if (auto* widget = qobject_cast<QWidget*>(watched)) lastFocused_ = widget;
    const bool isButton = watched == Command1(StartButton) || watched == Command1(EndButton);
    if (!isButton) return EntryWindow::eventFilter(watched, event);
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (!returning && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        setHint(q(watched == Command1(StartButton) ? StartHint : EndHint));
    return false;
}

void frmSIME::buttonClicked(int index) {
    if (running_) return;
    if (index == StartButton) startClicked();
    if (index == EndButton) close(); // a user's close: the calendar is given up
}

bool frmSIME::userCloseRequested() {
    // A run holds the dialog until it ends.
    if (running_) return false;
    return EntryWindow::userCloseRequested();
}

void frmSIME::startClicked() {
    if (!job_) return;
    data::ProgramState& s = state();
    std::int16_t FocusIndex = 0;
    std::int16_t Err = 0;
    job_->check(s, *this, FocusIndex, Err);
    if (Err > 0) {
        if (hasField(FocusIndex)) focusField(FocusIndex);
        return;
    }

    // What an unfinished run wrote is no count of anything: the earlier counts come back.
    std::array<QString, LastCountField - FirstCountField + 1> earlierCounts;
    for (int i = FirstCountField; i <= LastCountField; ++i)
        earlierCounts[i - FirstCountField] = Text1(i)->text();
    const auto restoreCounts = [&] {
        for (int i = FirstCountField; i <= LastCountField; ++i)
            Text1(i)->setText(earlierCounts[i - FirstCountField]);
    };

    // The focus leaves Start before Start is disabled, so that Qt does not pass it through a field.
    Command1(EndButton)->setFocus(Qt::OtherFocusReason);
    Command1(StartButton)->setEnabled(false);
    running_ = true;
    const auto release = [this] {
        running_ = false;
        Command1(StartButton)->setEnabled(true);
    };
    setLabel3(WorkingText);
    RunOutcome outcome = RunOutcome::Failed;
    try {
        outcome = job_->run(s, *this);
    } catch (...) {
        release();
        restoreCounts();
        setLabel3("");
        throw;
    }
    release();
    if (outcome == RunOutcome::Finished) {
        setLabel3(FinishedText);
    } else {
        if (outcome == RunOutcome::Failed) restoreCounts();
        setLabel3("");
    }
    Command1(EndButton)->setFocus(Qt::OtherFocusReason);
}

} // namespace journal
