#include "reports/report_dialog_window.h"

#include "common/era_dates.h"
#include "data/fixed_text.h"
#include "shell/entry_messages.h"
#include "shell/field_forms.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace reports {

namespace {

using shell::FieldSpec;
using shell::FocusMove;
using shell::q;

constexpr int WidthTwips = 6180;
constexpr int HeightTwips = 4920;
constexpr int RangeBoxLength = 8;
constexpr int DateLength = 6;
constexpr int LastRangeBox = 11;

const char* const StartHint = "該当項目の印刷開始を指定して下さい。";
const char* const EndHint = "該当項目の印刷終了を指定して下さい。";
const char* const DateHint = "帳票の作成日を入力するか、ｶﾚﾝﾀﾞｰをﾀﾞﾌﾞﾙｸﾘｯｸして下さい。";
const char* const PrintButtonHint = "ｸﾘｯｸ又はｴﾝﾀｰで印刷を開始します。";
const char* const EndButtonHint = "ｸﾘｯｸ又はｴﾝﾀｰで作業を終了します。";
const char* const PrintingText = "印刷中です。";
const char* const PrintedText = "印刷が終了しました。";
const char* const PdfWrittenMessage = "プリンターがないため、PDFファイルに出力しました。\n";
const char* const PrinterFont = "ＭＳＰ ゴシック";

std::vector<FieldSpec> printFields() {
    std::vector<FieldSpec> fields;
    for (int i = 0; i <= LastRangeBox; ++i) {
        const bool start = i < RangeRows;
        FieldSpec spec;
        spec.index = i;
        spec.maxLength = RangeBoxLength;
        spec.tooltip = q(start ? "印刷する範囲の開始値を入力します。" : "印刷する範囲の終了値を入力します。");
        spec.hint = q(start ? StartHint : EndHint);
        fields.push_back(spec);
    }
    FieldSpec date;
    date.index = frmPrint::DateBox;
    date.maxLength = DateLength;
    date.hint = q(DateHint);
    fields.push_back(date);
    return fields;
}

} // namespace

frmPrint::frmPrint(data::ProgramState& state, const ReportCatalog& catalog, PrintJobOpener openJob, QWidget* parent)
    : EntryWindow(state, "frmPrint", printFields(), parent), catalog_(catalog), openJob_(std::move(openJob)) {
    setWindowTitle(q("印刷指定"));
    buildControls();
    load();
}

void frmPrint::buildControls() {
    // Laid out rather than placed: in our Gothic face the rows of the designed grid, 240 twips apart,
    // would run into each other and cut the boxes' digits.
    auto* layout = addWindowLayout();
    QLabel* title = Label1(TitleLabel);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(12);
    title->setFont(titleFont);
    layout->addWidget(title);
    QLabel* paper = Label1(PaperLabel);
    QFont paperFont = paper->font();
    paperFont.setBold(true);
    paperFont.setPointSize(9);
    paper->setFont(paperFont);
    layout->addWidget(paper, 0, Qt::AlignRight);

    auto* frame = new QGroupBox(q("印刷範囲の指定"), this);
    frame->setObjectName("Frame1");
    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(2);
    const char* const headings[] = {"項目", "開始", "終了", "備考"};
    for (int c = 0; c < 4; ++c) {
        QLabel* heading = Label2(c);
        heading->setText(q(headings[c]));
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, 0, c);
    }
    for (int r = 0; r < RangeRows; ++r) {
        grid->addWidget(Label1(r), r + 1, 0);
        grid->addWidget(Text1(r), r + 1, 1);
        grid->addWidget(Text1(r + EndBoxOffset), r + 1, 2);
        grid->addWidget(Label1(r + EndBoxOffset), r + 1, 3);
        fixWidthInCharacters(Text1(r), RangeBoxLength);
        fixWidthInCharacters(Text1(r + EndBoxOffset), RangeBoxLength);
    }
    // The creation date sits apart below the range rows, as on the designed window.
    grid->setRowMinimumHeight(RangeRows + 1, fontMetrics().height() / 2);
    const int dateRow = RangeRows + 2;
    QLabel* dateCaption = captionLabel(14, q("帳票作成年月日"));
    dateCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(dateCaption, dateRow, 0);
    shell::EraList* eras = addEraList(DateBox, shell::EraListTooltip);
    eras->setMinimumContentsLength(4);
    eras->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    grid->addWidget(eras, dateRow, 1, 1, 2);
    grid->addWidget(Text1(DateBox), dateRow, 3, Qt::AlignLeft);
    fixWidthInCharacters(Text1(DateBox), 12);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(3, 1);
    layout->addWidget(frame);

    auto* bottom = new QHBoxLayout;
    hintLine()->setWordWrap(true);
    // Room for the creation date's hint, which takes two lines, so that it never squeezes the rows above.
    hintLine()->setMinimumHeight(2 * hintLine()->fontMetrics().lineSpacing());
    bottom->addWidget(hintLine(), 1);
    QPushButton* print =
        addButton(PrintButton, q("印刷"), q("印刷を開始します。"), style()->standardIcon(QStyle::SP_DialogOkButton));
    bottom->addWidget(print);
    QPushButton* end = addEndButton(EndButton, shell::EndTooltip, q("終了"));
    bottom->addWidget(end);
    layout->addLayout(bottom);

    QWidget* previous = Text1(0);
    for (int i = 1; i <= LastRangeBox; ++i) {
        setTabOrder(previous, Text1(i));
        previous = Text1(i);
    }
    for (QWidget* next : {static_cast<QWidget*>(print), static_cast<QWidget*>(end), static_cast<QWidget*>(eras),
                          static_cast<QWidget*>(Text1(DateBox))}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void frmPrint::load() {
    data::ProgramState& s = state();
    setPlacement(WidthTwips, HeightTwips, 8, 8);
    ActivatedFlag = 0;
    for (int i = 0; i <= LastRangeBox; ++i) {
        Label1(i)->clear();
        Text1(i)->clear();
    }
    Label1(TitleLabel)->clear();
    Label1(PaperLabel)->clear();
    claimCalendar(-1);
    fillEraLists();
    s.CreationDate = s.F01Record.F01_ACT;
    ShowPrintDate(s.CreationDate);
    loadedReportNo_ = s.PrintReportNo;
    if (const ReportModule* module = catalog_.find(loadedReportNo_); module && module->init) module->init(*this);
    Text1(0)->setFocus(Qt::OtherFocusReason);
}

std::string frmPrint::fieldText(int index) const {
    if (!hasField(index)) return {};
    return Text1(index)->text().toStdString();
}

void frmPrint::setFieldText(int index, const std::string& text) {
    if (hasField(index)) Text1(index)->setText(QString::fromStdString(text));
}

std::string frmPrint::label(int index) const {
    if (index < 0 || index > PaperLabel) return {};
    return const_cast<frmPrint*>(this)->Label1(index)->text().toStdString();
}

void frmPrint::setLabel(int index, const std::string& text) {
    if (index >= 0 && index <= PaperLabel) Label1(index)->setText(QString::fromStdString(text));
}

void frmPrint::ShowPrintDate(std::int32_t date, std::int16_t& err) {
    err = 0;
    if (date <= 0) return;
    std::string text;
    std::string code;
    common::DateToEra(state().F01Record, date, text, code, err);
    if (err >= 1) return;
    // Shown only when its era is in the list, so the box and the list never disagree.
    if (Combo1(DateBox)->selectEra(code[0] - '0')) Text1(DateBox)->setText(QString::fromStdString(text));
}

void frmPrint::ShowPrintDate(std::int32_t date) {
    std::int16_t err = 0;
    ShowPrintDate(date, err);
}

void frmPrint::fieldEntered(int index) {
    data::ProgramState& s = state();
    s.CalendarFieldIndex = static_cast<std::int16_t>(index);
    if (index != DateBox) {
        s.CalendarPicked = 0; // a pick waiting for the date box is dropped
        return;
    }
    std::int32_t picked = 0;
    if (!takePickedDate(picked)) return;
    s.CreationDate = common::ResolveDay99(picked);
    ShowPrintDate(s.CreationDate);
    Command1(PrintButton)->setFocus(Qt::OtherFocusReason);
}

void frmPrint::showEditForm(int index) {
    if (index != DateBox) return;
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(state().F01Record, state().CreationDate, text, code, err);
    if (err == 0)
        Text1(DateBox)->setText(common::EraCodeFits(code) ? QString::fromStdString(code.substr(1, DateLength))
                                                          : QString());
}

void frmPrint::showField(int index) {
    if (index == DateBox) ShowPrintDate(state().CreationDate);
}

void frmPrint::storeField(int index, const QString& text) {
    if (index != DateBox) return;
    takeTypedDate(text.toStdString());
}

bool frmPrint::takeTypedDate(const std::string& typed) {
    data::ProgramState& s = state();
    if (QString::fromStdString(typed).size() != DateLength) {
        refuseField(DateBox, shell::SixDigitDateMessage);
        return false;
    }
    const int era = Combo1(DateBox)->chosenEra();
    if (era == 0) {
        refuseField(DateBox, shell::ChooseEraMessage);
        return false;
    }
    std::string ymd;
    std::int16_t err = 0;
    common::EraToDate(s.F01Record, static_cast<std::int16_t>(era), typed, ymd, err);
    if (err >= 1) {
        refuseField(DateBox, shell::BadDateMessage);
        return false;
    }
    s.CreationDate = common::ResolveDay99(std::stoi(ymd));
    ShowPrintDate(s.CreationDate);
    return true;
}

QWidget* frmPrint::moveTarget(int index, FocusMove move) {
    const bool endBox = index >= EndBoxOffset && index <= LastRangeBox;
    switch (move) {
    case FocusMove::Enter:
        Text1(index)->setText(QString::fromStdString(data::trimText(Text1(index)->text().toStdString())));
        if (index < RangeRows) return Text1(index + EndBoxOffset);
        if (index < LastRangeBox) return Text1(index - EndBoxOffset + 1);
        if (index == LastRangeBox) return Text1(DateBox);
        return Command1(PrintButton);
    case FocusMove::Up:
        return (index >= 1 && index < RangeRows) || (endBox && index > EndBoxOffset) ? Text1(index - 1) : nullptr;
    case FocusMove::Down:
        if (index == RangeRows - 1) return Command1(PrintButton);
        if (index == DateBox) {
            // The stored date comes back, and with it the digits typed are given up.
            EditedFlag = 0;
            ShowPrintDate(state().CreationDate);
            return Command1(PrintButton);
        }
        return Text1(index + 1);
    case FocusMove::ShiftLeft:
        return index >= EndBoxOffset ? Text1(index - EndBoxOffset) : nullptr;
    case FocusMove::ShiftRight:
        return index < RangeRows ? Text1(index + EndBoxOffset) : nullptr;
    }
    return nullptr;
}

bool frmPrint::eventFilter(QObject* watched, QEvent* event) {
    const bool handled = EntryWindow::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        if (watched == Command1(PrintButton)) setHint(q(PrintButtonHint));
        if (watched == Command1(EndButton)) setHint(q(EndButtonHint));
    }
    return handled;
}

void frmPrint::buttonClicked(int index) {
    if (index == PrintButton) {
        printClicked();
        return;
    }
    if (index == EndButton) {
        releaseCalendar();
        closeByProgram();
    }
}

void frmPrint::printClicked() {
    data::ProgramState& s = state();
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(s.F01Record, s.CreationDate, text, code, err);
    const int era = err == 0 ? code[0] - '0' : 0;
    // The page header needs a creation date it can print: an era with a name and its date.
    if (err != 0 || Text1(DateBox)->text().trimmed().isEmpty() || s.F01Record.F01_NENG[era].trimmed().empty()) {
        refuseField(DateBox, shell::BadDateMessage);
        return;
    }
    s.CreationDateText = s.F01Record.F01_NENG[era].trimmed() + text;

    const ReportModule* module = catalog_.find(loadedReportNo_);
    if (!module || !module->check || !module->print) return;
    std::int16_t focusIndex = 0;
    module->check(*this, focusIndex, err);
    if (err >= 1) {
        if (hasField(focusIndex)) focusField(focusIndex);
        return;
    }

    setHint(q(PrintingText));
    hintLine()->repaint();
    std::unique_ptr<platform::PrintJob> job = openJob_(module->title);
    bool printed = false;
    try {
        job->page().setFontName(PrinterFont);
        printed = module->print(*this, job->page()) && job->pagesPrinted() > 0;
    } catch (...) {
        setHint({});
        throw;
    }
    const std::string failure = job->failure();
    const std::string pdfPath = job->pdfPath();
    job.reset(); // the document is closed before anyone is told where it is
    Command1(EndButton)->setFocus(Qt::OtherFocusReason);
    if (!failure.empty()) {
        setHint({});
        s.message(failure);
        return;
    }
    // After "nothing to print" the end button's own hint stands; it is put up here because the focus
    // may already be there, or come back only after the message box, and "印刷中です。" must not stay.
    if (!printed) {
        setHint(q(EndButtonHint));
        return;
    }
    setHint(q(PrintedText));
    if (!pdfPath.empty()) s.message(PdfWrittenMessage + pdfPath);
}

} // namespace reports
