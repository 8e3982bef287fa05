#include "shell/entry_window.h"

#include "common/era_dates.h"
#include "common/input_checks.h"
#include "data/fixed_text.h"
#include "data/keyed_access.h"
#include "shell/event_guard.h"
#include "shell/recordset_grid_model.h"
#include "shell/recordset_grid_view.h"
#include "shell/twips.h"
#include "shell/window_placement.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace shell {

namespace {

// QLineEdit's own "no limit".
constexpr int UnlimitedLength = 32767;

int floorDivide(int value, int divisor) { return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor); }

bool isEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

QString withoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

} // namespace

EntryWindow::EntryWindow(data::ProgramState& state, const QString& formName, std::vector<FieldSpec> fields,
                         QWidget* parent)
    : ChildWindow(formName, parent), state_(state), hint_(new QLabel(this)), requiredMessage_(NotEnteredMessage),
      lengthMessage_(TooLongMessage), buttonHint_(QString::fromUtf8(ButtonHint)) {
    for (FieldSpec& spec : fields) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("Text1_%1").arg(spec.index));
        field->setToolTip(spec.tooltip);
        field->installEventFilter(this);
        // Pasting or input-method text edits the field as typing does.
        connect(field, &QLineEdit::textEdited, this, [this] { EditedFlag = 9; });
        // A text put into a field shows its beginning, as a long remark is read, unless the user is in the field.
        connect(field, &QLineEdit::cursorPositionChanged, this, [this, field, index = spec.index](int, int position) {
            if (position != 0 && currentField_ != index) field->setCursorPosition(0);
        });
        text1_[spec.index] = field;
        specs_[spec.index] = std::move(spec);
    }
    hint_->setObjectName(QStringLiteral("hintLine"));
}

QLineEdit* EntryWindow::Text1(int index) const { return text1_.at(index); }

bool EntryWindow::hasField(int index) const { return text1_.count(index) != 0; }

const FieldSpec& EntryWindow::fieldSpec(int index) const { return specs_.at(index); }

QLabel* EntryWindow::Label1(int index) {
    QLabel*& label = label1_[index];
    if (!label) label = new QLabel(this);
    return label;
}

QLabel* EntryWindow::Label2(int index) {
    QLabel*& label = label2_[index];
    if (!label) label = new QLabel(this);
    return label;
}

QPushButton* EntryWindow::Command1(int index) const {
    const auto found = command1_.find(index);
    return found == command1_.end() ? nullptr : found->second;
}

EraList* EntryWindow::Combo1(int index) const {
    const auto found = combo1_.find(index);
    return found == combo1_.end() ? nullptr : found->second;
}

QWidget* EntryWindow::fieldWidget(int index) {
    const auto found = text1_.find(index);
    return found == text1_.end() ? nullptr : found->second;
}

QPushButton* EntryWindow::addButton(int index, const QString& caption, const QString& tooltip, const QIcon& icon) {
    auto* button = new QPushButton(icon, caption, this);
    button->setObjectName(QStringLiteral("Command1_%1").arg(index));
    button->setToolTip(tooltip);
    button->setAutoDefault(false);
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, [this, index, button] {
        // A mouse press whose field check failed returned the focus to the field: the click is void.
        const bool byMouse = buttonReleasedByMouse_;
        buttonReleasedByMouse_ = false;
        if (closing_ || (byMouse && (button->focusPolicy() & Qt::ClickFocus) && !button->hasFocus())) return;
        guarded([this, index] { buttonClicked(index); });
    });
    command1_[index] = button;
    return button;
}

QPushButton* EntryWindow::addRegisterButton(int index, const QString& tooltip, const QString& caption) {
    return addButton(index, caption, tooltip, style()->standardIcon(QStyle::SP_DialogSaveButton));
}

QPushButton* EntryWindow::addDeleteButton(int index, const QString& tooltip) {
    return addButton(index, "", tooltip, style()->standardIcon(QStyle::SP_TrashIcon));
}

QPushButton* EntryWindow::addEndButton(int index, const QString& tooltip, const QString& caption) {
    return addButton(index, caption, tooltip, style()->standardIcon(QStyle::SP_DialogCloseButton));
}

QHBoxLayout* EntryWindow::addCommandRow(int registerIndex, int deleteIndex, int endIndex, const QString& endTooltip) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addRegisterButton(registerIndex));
    buttons->addWidget(addDeleteButton(deleteIndex));
    buttons->addStretch();
    buttons->addWidget(addEndButton(endIndex, endTooltip));
    return buttons;
}

QVBoxLayout* EntryWindow::addWindowLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->setSpacing(4);
    return layout;
}

void EntryWindow::fixWidthInCharacters(QWidget* widget, int characters) {
    widget->setFixedWidth(fontMetrics().horizontalAdvance(QString(characters, QChar('0'))) + 12);
}

int EntryWindow::fullWidthRoom(int count) const {
    return fontMetrics().horizontalAdvance(QString(count, QChar(0x3000)));
}

QLabel* EntryWindow::captionLabel(int index, const QString& text) {
    QLabel* label = Label1(index);
    label->setText(text);
    return label;
}

QLabel* EntryWindow::framedName(QLabel* label, int characters) {
    if (characters > 0) label->setMinimumWidth(fullWidthRoom(characters));
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

RecordsetGrid* EntryWindow::addGrid(int grid, const QString& objectName) {
    auto* view = new RecordsetGrid(this);
    view->setObjectName(objectName.isEmpty() ? QStringLiteral("DBGrid1_%1").arg(grid) : objectName);
    connect(view, &RecordsetGrid::rowChosen, this,
            [this, grid] { guardEvent(state(), [this, grid] { gridChosen(grid); }); });
    return view;
}

void EntryWindow::makeShownOnly(int index) {
    Text1(index)->setReadOnly(true);
    Text1(index)->setFocusPolicy(Qt::NoFocus);
}

QWidget* EntryWindow::nextTowardRegister(int index, int lastKeyField, int lastField) const {
    if (index == lastKeyField) return Command1(3);
    if (index == lastField) return Command1(0);
    return Text1(index + 1);
}

QVBoxLayout* EntryWindow::addCaptionedGrid(int grid, const QString& caption, RecordsetGrid*& view) {
    auto* box = new QVBoxLayout;
    box->setSpacing(1);
    box->addWidget(new QLabel(caption, this));
    view = addGrid(grid);
    box->addWidget(view);
    return box;
}

EraList* EntryWindow::addEraList(int dateFieldIndex, const QString& tooltip) {
    auto* list = new EraList(this);
    list->setObjectName(QStringLiteral("Combo1_%1").arg(dateFieldIndex));
    list->setToolTip(tooltip);
    list->installEventFilter(this);
    connect(list, &QComboBox::activated, this, [this, dateFieldIndex] { eraListChosen(dateFieldIndex, false); });
    combo1_[dateFieldIndex] = list;
    return list;
}

void EntryWindow::fillEraLists() {
    for (auto& [index, list] : combo1_)
        list->fill(state_.F01Record);
}

void EntryWindow::setPlacement(int widthTwips, int heightTwips, int leftDivisor, int topDivisor, int leftLessTwips,
                               int topLessTwips) {
    widthTwips_ = widthTwips;
    heightTwips_ = heightTwips;
    leftDivisor_ = std::max(leftDivisor, 1);
    topDivisor_ = std::max(topDivisor, 1);
    leftLessTwips_ = leftLessTwips;
    topLessTwips_ = topLessTwips;
    if (isVisible()) applyPlacement();
}

void EntryWindow::applyPlacement() {
    if (widthTwips_ <= 0 || heightTwips_ <= 0) return;
    placementDone_ = true;
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame) frame = this;
    // The window's size is its outer size on the desktop it was laid out for, whose border and caption
    // (about 8 by 31 pixels) are thinner than ours: keep the laid-out client area, add our own frame.
    const QSize windowsFrame(twipsToPixels(120), twipsToPixels(465));
    const QSize ownFrame = frame == this ? QSize() : frame->size() - size();
    // Our fonts and controls are taller than the ones the size was designed for: a window whose controls
    // would be squeezed into each other grows to what they need, and is placed by the size it has.
    const QSize designed = QSize(twipsToPixels(widthTwips_), twipsToPixels(heightTwips_)) - windowsFrame +
                           ownFrame.expandedTo(QSize(0, 0));
    frame->resize(designed.expandedTo(frame->minimumSizeHint()));
    const QSize grown = (frame->size() - designed).expandedTo(QSize(0, 0)) * TwipsPerPixel;
    const QSize area = placementArea(this);
    const int left =
        floorDivide(area.width() * TwipsPerPixel - widthTwips_ - grown.width(), leftDivisor_) - leftLessTwips_;
    const int top =
        floorDivide(area.height() * TwipsPerPixel - heightTwips_ - grown.height(), topDivisor_) - topLessTwips_;
    // A window larger than its area keeps its caption in sight.
    moveOuterFrame(this, std::max(twipsToPixels(left), 0), std::max(twipsToPixels(top), 0));
}

void EntryWindow::claimCalendar(int fieldIndex) {
    state_.CalendarDate = state_.F01Record.F01_ACT;
    if (state_.syncCalendar) state_.syncCalendar();
    state_.CalendarOwnerForm = objectName().toStdString();
    if (fieldIndex >= 0) state_.CalendarFieldIndex = static_cast<std::int16_t>(fieldIndex);
}

void EntryWindow::releaseCalendar() {
    if (state_.CalendarOwnerForm == objectName().toStdString()) state_.CalendarOwnerForm.clear();
}

bool EntryWindow::takePickedDate(std::int32_t& date) {
    if (state_.CalendarPicked != 1) return false;
    date = state_.CalendarDate;
    state_.CalendarPicked = 0;
    return true;
}

void EntryWindow::setHint(const QString& text) { hint_->setText(text); }

void EntryWindow::refuse(const std::string& message, QWidget* target) {
    if (target) {
        // The focus goes back before the box shows, so that the box's coming and going does not
        // count as entering the field the user was heading for.
        const int index = fieldIndexOf(target);
        if (index >= 0 && index == leavingField_ && !entersAgainWhenRefused(index)) {
            returningTo_ = index;
            // A value already taken and shown in its display form comes back in its edit form, so that the
            // user can type over it rather than find it padded to its full length.
            if (storingText_ && Text1(index)->text() != *storingText_) showEditFormOf(index);
        }
        target->setFocus(Qt::OtherFocusReason);
        returningTo_ = -1;
    }
    state_.message(message);
}

void EntryWindow::refuseField(int index, const std::string& message) { refuse(message, Text1(index)); }

void EntryWindow::refuseTyped(int index, const std::string& message) {
    if (storingText_ && index == leavingField_) Text1(index)->setText(*storingText_);
    refuseField(index, message);
}

void EntryWindow::focusField(int index) { Text1(index)->setFocus(Qt::OtherFocusReason); }

bool EntryWindow::requireChosenRecord(const std::string& message) {
    if (RecordState != 0) return true;
    refuse(message, Command1(3));
    return false;
}

void EntryWindow::gridChosen(int grid) {
    if (const auto choice = gridChoices_.find(grid); choice != gridChoices_.end()) choice->second();
}

bool EntryWindow::choiceForChosenRecord(const db::TableRecordset* table) {
    return standsOnRow(table) && requireChosenRecord();
}

bool EntryWindow::choiceForChosenRecord(const db::QueryRecordset* set) {
    return standsOnRow(set) && requireChosenRecord();
}

bool EntryWindow::confirmDelete(bool refuseUnstored, QWidget* focusOnNo) {
    if (refuseUnstored && RecordState != 1) {
        state_.message(NothingToDeleteMessage);
        return false;
    }
    if (state_.message(DeleteQuestion, platform::Buttons::YesNo) == platform::Answer::Yes) return true;
    if (focusOnNo) focusOnNo->setFocus(Qt::OtherFocusReason);
    return false;
}

std::int16_t EntryWindow::showEraDate(int index, std::int32_t date) {
    if (date <= 0) return 0;
    std::string text, code;
    std::int16_t err = 0;
    common::DateToEra(state_.F01Record, date, text, code, err);
    if (err != 0) return err;
    Text1(index)->setText(QString::fromStdString(text));
    Combo1(index)->selectEra(code[0] - '0');
    return 0;
}

void EntryWindow::showEraEditForm(int index, std::int32_t date) {
    std::string text, code;
    std::int16_t err = 0;
    common::DateToEra(state_.F01Record, date, text, code, err);
    // A code whose era year has three digits is never cut into the six the field holds.
    if (err == 0)
        Text1(index)->setText(common::EraCodeFits(code) ? QString::fromStdString(code.substr(1, 6)) : QString());
}

std::int16_t EntryWindow::showCodeName(QLabel* label, std::int16_t category, std::int32_t code) {
    const std::int16_t status = data::F10AccessByKey(state_, "GET", category, code);
    label->setText(status == 0 ? QString::fromStdString(state_.F10Record.F10_DTL.trimmed()) : QString());
    return status;
}

void EntryWindow::showFields(int from, int to) {
    for (int i = from; i <= to; ++i)
        showField(i);
}

void EntryWindow::clearFields(int from, int to) {
    for (int i = from; i <= to; ++i)
        Text1(i)->clear();
}

void EntryWindow::clearNames(int from, int to) {
    for (int i = from; i <= to; ++i)
        Label2(i)->clear();
}

std::optional<std::int64_t> EntryWindow::takeDigits(int index, const std::string& text, std::int64_t largest,
                                                    const std::string& message) {
    std::optional<std::int64_t> number = common::DigitsValue(text, largest);
    if (!number) refuseField(index, message);
    return number;
}

std::optional<db::Currency> EntryWindow::takeAmount(int index, const std::string& text, const std::string& message) {
    std::optional<db::Currency> amount = common::ParseAmount(text);
    if (!amount) refuseField(index, message);
    return amount;
}

int EntryWindow::lengthLimit(int index) const { return fieldSpec(index).limit; }

std::string EntryWindow::requiredFieldMessage(int index) const {
    (void)index;
    return requiredMessage_;
}

QWidget* EntryWindow::moveTarget(int index, FocusMove move) {
    if (move != FocusMove::Enter) return nullptr;
    const auto next = text1_.upper_bound(index);
    return next == text1_.end() ? nullptr : next->second;
}

bool EntryWindow::userCloseRequested() {
    releaseCalendar();
    return true;
}

void EntryWindow::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    closing_ = false;
    if (!placementDone_) applyPlacement();
}

bool EntryWindow::event(QEvent* event) {
    // Inside the main window the sub-window reports activation; a free-standing window reports it here.
    if (event->type() == QEvent::WindowActivate && isWindow()) activated();
    if (event->type() == QEvent::ParentChange) followSubWindow();
    return ChildWindow::event(event);
}

void EntryWindow::followSubWindow() {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!sub || sub == followedSubWindow_) return;
    followedSubWindow_ = sub;
    connect(sub, &QMdiSubWindow::windowStateChanged, this, [this, sub](Qt::WindowStates from, Qt::WindowStates to) {
        if (sub == parentWidget() && (to & Qt::WindowActive) && !(from & Qt::WindowActive)) activated();
    });
}

void EntryWindow::activated() {
    if (closing_) return;
    ActivatedFlag = 9;
    guarded([this] { windowActivated(); });
}

bool EntryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (const int index = fieldIndexOf(watched); index >= 0) {
        switch (event->type()) {
        case QEvent::FocusIn:
            fieldFocusIn(index);
            // Arriving by Enter, an arrow or the program, typing replaces what the field shows;
            // a click places the caret where the user clicked.
            if (currentField_ == index && static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
                Text1(index)->selectAll();
            break;
        case QEvent::FocusOut:
            fieldFocusOut(index, static_cast<QFocusEvent*>(event)->reason());
            break;
        case QEvent::KeyPress:
            return fieldKeyPress(index, static_cast<QKeyEvent*>(event));
        case QEvent::InputMethod:
            if (!static_cast<QInputMethodEvent*>(event)->commitString().isEmpty()) EditedFlag = 9;
            break;
        default:
            break;
        }
        return ChildWindow::eventFilter(watched, event);
    }
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        if (event->type() == QEvent::FocusIn) setHint(buttonHint_);
        if (event->type() == QEvent::MouseButtonRelease) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            buttonReleasedByMouse_ = button->rect().contains(at);
        }
        if (event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent*>(event)->key())) {
            button->click();
            return true;
        }
        return ChildWindow::eventFilter(watched, event);
    }
    for (auto& [dateField, list] : combo1_) {
        if (list != watched || event->type() != QEvent::KeyPress) continue;
        if (isEnterKey(static_cast<QKeyEvent*>(event)->key())) {
            eraListChosen(dateField, true);
            return true;
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

void EntryWindow::eraListChosen(int dateFieldIndex, bool byEnter) {
    // A click counts only once the window has been activated; Enter always counts.
    if (!byEnter && ActivatedFlag == 0) return;
    EditedFlag = 9;
    if (hasField(dateFieldIndex)) focusField(dateFieldIndex);
}

void EntryWindow::fieldFocusIn(int index) {
    if (closing_ || currentField_ == index) return;
    if (currentField_ >= 0) {
        // The focus left the previous field without a leaving we acted on (the window was inactive
        // meanwhile); its leaving comes first, and a refusal there keeps the focus.
        leaveCurrentField();
        if (currentField_ >= 0) return;
    }
    currentField_ = index;
    const FieldSpec& spec = fieldSpec(index);
    const int entering = maxLengthOnEntering(index);
    const int maxLength = entering > 0 ? entering : UnlimitedLength;
    if (returningTo_ == index) {
        returningTo_ = -1;
        Text1(index)->setMaxLength(maxLength);
        if (!spec.keepsHint) setHint(spec.hint);
        return;
    }
    guarded([&] {
        fieldEntered(index);
        if (currentField_ != index) return; // the window sent the focus on
        showEditFormOf(index);
        Text1(index)->setMaxLength(maxLength);
        if (!spec.keepsHint) setHint(spec.hint);
    });
}

void EntryWindow::showEditFormOf(int index) {
    paddedOnEntering_.reset();
    showEditForm(index);
    // A text shown padded to its field's width would fill the field: a click lands among the blanks and
    // every key typed there is refused. Trailing blanks go on leaving anyway, and the width on storing.
    if (!trimmedOnLeaving_ || fieldSpec(index).check != FieldCheck::None) return;
    QLineEdit* field = Text1(index);
    const QString text = field->text();
    const QString trimmed = withoutTrailingBlanks(text);
    if (trimmed == text) return;
    paddedOnEntering_ = text;
    field->setText(trimmed);
}

void EntryWindow::fieldFocusOut(int index, Qt::FocusReason reason) {
    if (closing_ || currentField_ != index) return;
    // Another window coming to the front, a message box or a menu does not leave the field, nor the menu
    // bar taking the keys when Alt is pressed.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason)
        return;
    leaveCurrentField();
}

void EntryWindow::leaveCurrentField() {
    const int index = currentField_;
    currentField_ = -1;
    // The display form may be longer than what the user may type.
    Text1(index)->setMaxLength(UnlimitedLength);
    leavingField_ = index;
    guarded([&] { leaveField(index); });
    leavingField_ = -1;
}

void EntryWindow::leaveField(int index) {
    const std::optional<QString> padded = std::exchange(paddedOnEntering_, std::nullopt);
    if (EditedFlag == 0 && !checkedWhenUnedited(index)) {
        // A field passed through shows what it showed before, also in windows that do not redisplay it.
        if (padded && Text1(index)->text() == withoutTrailingBlanks(*padded)) Text1(index)->setText(*padded);
        showField(index);
        return;
    }
    EditedFlag = 0;
    QLineEdit* field = Text1(index);
    std::string text = field->text().toStdString();
    if (trimmedOnLeaving_) {
        text = data::trimText(text);
        field->setText(QString::fromStdString(text));
    }
    const FieldSpec& spec = fieldSpec(index);
    if (spec.required && text.empty()) {
        refuseField(index, requiredFieldMessage(index));
        return;
    }
    if (spec.check != FieldCheck::None) {
        if (text.empty()) {
            text = "0";
            field->setText(QStringLiteral("0"));
        }
        std::int16_t err = 0;
        if (spec.check == FieldCheck::Amount) {
            common::CheckNumeric(text, err);
        } else {
            common::CheckDigits(text, err);
        }
        if (err != 0) {
            refuseField(index, NotNumericMessage);
            return;
        }
    }
    const int limit = lengthLimit(index);
    if (limit >= 1 && QString::fromStdString(text).toUcs4().size() > limit) {
        refuseField(index, lengthMessage_);
        return;
    }
    storingText_ = QString::fromStdString(text);
    struct Done {
        std::optional<QString>& text;
        ~Done() { text.reset(); }
    } done{storingText_};
    storeField(index, *storingText_);
}

bool EntryWindow::fieldKeyPress(int index, QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrlOrAlt = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    auto moveBy = [&](FocusMove move) {
        QWidget* target = nullptr;
        guarded([&] { target = moveTarget(index, move); });
        if (target) target->setFocus(Qt::OtherFocusReason);
        return target != nullptr;
    };
    switch (key) {
    case Qt::Key_F5:
        guarded([this] { refreshLists(); });
        return true;
    case Qt::Key_Delete:
        EditedFlag = 9;
        return false;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const FocusMove move = key == Qt::Key_Up ? FocusMove::Up : FocusMove::Down;
        return (!ctrlOrAlt || movesWhateverTheShiftState(move)) && moveBy(move);
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
        // Shift alone; other combinations keep their editing meaning.
        return modifiers == Qt::ShiftModifier &&
               moveBy(key == Qt::Key_Left ? FocusMove::ShiftLeft : FocusMove::ShiftRight);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    if (event->text().isEmpty() || (modifiers & (Qt::AltModifier | Qt::MetaModifier))) return false;
    EditedFlag = 9;
    if (!isEnterKey(key)) return false;
    moveBy(FocusMove::Enter);
    return true;
}

int EntryWindow::fieldIndexOf(const QObject* object) const {
    for (const auto& [index, field] : text1_) {
        if (field == object) return index;
    }
    return -1;
}

void EntryWindow::guarded(const std::function<void()>& step) { guardEvent(state_, step); }

} // namespace shell
