// The shape every data-entry window shares: numbered fields checked when the user leaves them after
// typing, Enter and the arrow keys moving between fields, picture buttons, a hint line and era lists.
// A window supplies its field table and its per-field actions through the hooks below.
#pragma once

#include "data/program_state.h"
#include "shell/child_window.h"
#include "shell/entry_messages.h"
#include "shell/era_list.h"

#include <QIcon>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace shell {

class RecordsetGrid;

// The largest values of the 16-bit and the 32-bit members a field's number goes into.
inline constexpr std::int64_t LargestShort = std::numeric_limits<std::int16_t>::max();
inline constexpr std::int64_t LargestLong = std::numeric_limits<std::int32_t>::max();

// How a field's text is checked before the window takes it.
enum class FieldCheck {
    None,   // any text
    Digits, // CheckDigits; an empty text becomes "0"
    Amount, // CheckNumeric; an empty text becomes "0"
};

struct FieldSpec {
    int index = 0;
    int maxLength = 0; // characters the user can type while the field has the focus
    int limit = 0;     // longest text accepted when the field is left; 0: no length check
    bool required = false;
    FieldCheck check = FieldCheck::None;
    QString tooltip;
    QString hint;           // the hint line while the field has the focus
    bool keepsHint = false; // entering the field leaves the hint line as it stands
};

// The keys that move the focus from a field.
enum class FocusMove { Enter, Up, Down, ShiftLeft, ShiftRight };

class EntryWindow : public ChildWindow {
    Q_OBJECT
public:
    // Makes one Text1 field for each entry of `fields` (indexes may leave gaps).
    EntryWindow(data::ProgramState& state, const QString& formName, std::vector<FieldSpec> fields,
                QWidget* parent = nullptr);

    // Controls by their index. Label1 and Label2 are made on first use.
    QLineEdit* Text1(int index) const;
    bool hasField(int index) const;
    const FieldSpec& fieldSpec(int index) const;
    QLabel* Label1(int index);
    QLabel* Label2(int index);
    QPushButton* Command1(int index) const;
    EraList* Combo1(int index) const;
    QLabel* hintLine() const { return hint_; }

    QWidget* fieldWidget(int index) override;

protected:
    data::ProgramState& state() const { return state_; }

    // Building the window.
    QPushButton* addButton(int index, const QString& caption, const QString& tooltip, const QIcon& icon = {});
    // The register, delete and end buttons, each with its picture, and the search button.
    QPushButton* addRegisterButton(int index, const QString& tooltip = RegisterTooltip, const QString& caption = {});
    QPushButton* addDeleteButton(int index, const QString& tooltip = DeleteTooltip);
    QPushButton* addEndButton(int index, const QString& tooltip = EndTooltip, const QString& caption = {});
    QPushButton* addSearchButton(int index) { return addButton(index, "検索", SearchTooltip); }
    // Register and delete at the left, end at the right.
    QHBoxLayout* addCommandRow(int registerIndex, int deleteIndex, int endIndex,
                               const QString& endTooltip = EndTooltip);
    // The window's column of rows, inside the margins every entry window keeps.
    QVBoxLayout* addWindowLayout();
    // Fixes `widget` to the width of `characters` digits and its frame.
    void fixWidthInCharacters(QWidget* widget, int characters);
    // The width of `count` full-width blanks: room for full-width text.
    int fullWidthRoom(int count) const;
    // Label1(index) showing `text`.
    QLabel* captionLabel(int index, const QString& text);
    // `label` framed, where a looked-up name shows, with room for `characters` full-width characters.
    QLabel* framedName(QLabel* label, int characters = 0);
    QLabel* nameLabel(int index, int characters = 0) { return framedName(Label2(index), characters); }
    // Makes Text1(index) a field only the window writes: read-only, and never taking the focus.
    void makeShownOnly(int index);
    // A grid whose chosen row runs gridChosen(grid), guarded; named DBGrid1_<grid> unless given a name.
    RecordsetGrid* addGrid(int grid, const QString& objectName = {});
    // addGrid under its caption, in a box of its own; the grid goes into `view`.
    QVBoxLayout* addCaptionedGrid(int grid, const QString& caption, RecordsetGrid*& view);
    // An era list whose choice sends the focus back to date field `dateFieldIndex`; it is Combo1(dateFieldIndex).
    EraList* addEraList(int dateFieldIndex, const QString& tooltip = {});
    // Fills every era list from the control row in memory.
    void fillEraLists();
    void setRequiredMessage(const std::string& text) { requiredMessage_ = text; }
    void setLengthMessage(const std::string& text) { lengthMessage_ = text; }
    void setButtonHint(const QString& text) { buttonHint_ = text; }
    // Whether a field's text loses its leading and trailing blanks before it is checked (the rule).
    void setTrimmedOnLeaving(bool trimmed) { trimmedOnLeaving_ = trimmed; }
    // Size in twips; placed on first showing at left = (area width - width) / leftDivisor - leftLess and
    // top = (area height - height) / topDivisor - topLess, rounded down, in the main window's work area.
    void setPlacement(int widthTwips, int heightTwips, int leftDivisor = 2, int topDivisor = 4, int leftLessTwips = 0,
                      int topLessTwips = 0);

    // The calendar's hand-off: the processing date shown, this window named its owner, its date field
    // `fieldIndex` (-1 keeps the index). A user's close of an owner clears the owner's name.
    void claimCalendar(int fieldIndex);
    // Clears the owner's name when it is this window's; an owner loaded later stays the owner.
    void releaseCalendar();
    // A date picked in the calendar and not yet taken; taking it clears the flag.
    bool takePickedDate(std::int32_t& date);

    void setHint(const QString& text);
    // The field entered and not yet left, or -1; it stays entered while another window has the focus.
    int currentField() const { return currentField_; }
    // Shows `message` and puts the focus on `target`. When the target is the field being left, it comes
    // back with the text the user typed, as the user left it, or in its edit form once the window has
    // taken the value and shown it in its display form.
    void refuse(const std::string& message, QWidget* target);
    void refuseField(int index, const std::string& message);
    void focusField(int index);
    // Shows `date` in date field `index` in its era form and chooses its era in Combo1(index), by the era's
    // number; a date of 0 or below, or one DateToEra refuses, leaves both as they are. The error of DateToEra.
    std::int16_t showEraDate(int index, std::int32_t date);
    // Puts `date` into date field `index` in its edit form, YYMMDD of its era; a refused date leaves the field.
    void showEraEditForm(int index, std::int32_t date);
    // Shows the fields from `from` to `to` in their display form (showField).
    void showFields(int from, int to);
    // Empties the fields, or the names beside them, from `from` to `to`.
    void clearFields(int from, int to);
    void clearNames(int from, int to);
    // Shows the name of code `code` of category `category` in `label`, or nothing when it is not in the code
    // table; the status of the look-up.
    std::int16_t showCodeName(QLabel* label, std::int16_t category, std::int32_t code);
    // A checked text of digits as a number up to `largest`; nothing, with the field refused with `message`,
    // when it does not fit.
    std::optional<std::int64_t> takeDigits(int index, const std::string& text, std::int64_t largest,
                                           const std::string& message = TooLongMessage);
    // A checked text as an amount; nothing, with the field refused with `message`, when it is no one clear number.
    std::optional<db::Currency> takeAmount(int index, const std::string& text,
                                           const std::string& message = NotNumericMessage);
    // Puts `value` into `member` and asks `accepted`, which may show and look the value up there. Refused, the
    // member holds again what it held, so that no register writes a refused value, and the field is refused
    // with `message`, showing the text the user typed.
    template <class T>
    bool takeUnlessRefused(int index, T& member, T value, const std::function<bool()>& accepted,
                           const std::string& message) {
        const T held = std::exchange(member, value);
        if (accepted()) return true;
        member = held;
        refuseTyped(index, message);
        return false;
    }
    // Refuses the field being left with `message`; it shows again the text the user typed.
    void refuseTyped(int index, const std::string& message);
    // False, after `message` and with the focus on the search button, while no record is chosen.
    bool requireChosenRecord(const std::string& message = NoRecordChosenMessage);
    // Whether a grid's row can go into the chosen record: the grid stands on a row (standsOnRow) and a record
    // is chosen (requireChosenRecord).
    bool choiceForChosenRecord(const db::TableRecordset* table);
    bool choiceForChosenRecord(const db::QueryRecordset* set);
    // What choosing a row of grid `grid` does; gridChosen runs it, and a grid without one does nothing.
    void setGridChoice(int grid, std::function<void()> choice) { gridChoices_[grid] = std::move(choice); }
    void gridChosen(int grid);
    // The delete question; with `refuseUnstored` a record not yet stored is refused first. An answer of No
    // sends the focus to `focusOnNo` when one is given.
    bool confirmDelete(bool refuseUnstored, QWidget* focusOnNo = nullptr);

    std::int16_t EditedFlag = 0;    // 9: the current field was typed into since it was last checked
    std::int16_t ActivatedFlag = 0; // 9 from the window's first activation
    std::int16_t RecordState = 0;   // 0 none chosen, 1 the chosen record exists, 3 it is new

    // Hooks, each run inside guardEvent.
    // Before field `index` shows its edit form; moving the focus elsewhere here ends the entering.
    virtual void fieldEntered(int index) { (void)index; }
    // Puts the field's edit form into Text1(index) (numbers without separators, a date as YYMMDD). A text
    // field's trailing blanks are dropped after it, so that a text padded to its width leaves room to type.
    virtual void showEditForm(int index) { (void)index; }
    // Puts the field's display form into Text1(index) and looks up its name.
    virtual void showField(int index) { (void)index; }
    // The longest text accepted; below 1 no check. The table's limit unless a window knows better.
    virtual int lengthLimit(int index) const;
    // The characters the user can type while the field has the focus; below 1 no limit.
    virtual int maxLengthOnEntering(int index) const { return fieldSpec(index).maxLength; }
    // Whether the field is checked on leaving even when nothing was typed into it.
    virtual bool checkedWhenUnedited(int index) const {
        (void)index;
        return false;
    }
    // What a required field left empty says; the window's required-field message unless a field has its own.
    virtual std::string requiredFieldMessage(int index) const;
    // Whether a field refused on leaving is entered afresh (fieldEntered and its edit form) rather than
    // coming back with the text the user typed.
    virtual bool entersAgainWhenRefused(int index) const {
        (void)index;
        return false;
    }
    // Takes a checked text (trimmed; "0" for an empty numeric field): converts, stores, shows, looks up.
    virtual void storeField(int index, const QString& text) {
        (void)index;
        (void)text;
    }
    // Where a key sends the focus from field `index`; nullptr: nowhere. By default Enter goes to the next field.
    virtual QWidget* moveTarget(int index, FocusMove move);
    // Whether Up or Down moves also while Ctrl or Alt is held; by default those combinations do nothing.
    virtual bool movesWhateverTheShiftState(FocusMove move) const {
        (void)move;
        return false;
    }
    // The way forward through a register: from its last key field to the search button (Command1(3)), from
    // its last field to the register button (Command1(0)), from any other field to the next.
    QWidget* nextTowardRegister(int index, int lastKeyField, int lastField) const;
    // F5: re-reads the window's lists.
    virtual void refreshLists() {}
    // After each activation of the window.
    virtual void windowActivated() {}
    virtual void buttonClicked(int index) { (void)index; }

    bool userCloseRequested() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeStarting() override { closing_ = true; }

private:
    void fieldFocusIn(int index);
    // showEditForm, then a text field loses its trailing blanks while it is edited.
    void showEditFormOf(int index);
    void fieldFocusOut(int index, Qt::FocusReason reason);
    void leaveCurrentField();
    void leaveField(int index);
    bool fieldKeyPress(int index, QKeyEvent* event);
    void eraListChosen(int dateFieldIndex, bool byEnter);
    void activated();
    void followSubWindow();
    void applyPlacement();
    int fieldIndexOf(const QObject* object) const;
    void guarded(const std::function<void()>& step);

    data::ProgramState& state_;
    std::map<int, FieldSpec> specs_;
    std::map<int, QLineEdit*> text1_;
    std::map<int, QLabel*> label1_;
    std::map<int, QLabel*> label2_;
    std::map<int, QPushButton*> command1_;
    std::map<int, EraList*> combo1_;
    std::map<int, std::function<void()>> gridChoices_;
    QLabel* hint_;
    std::string requiredMessage_;
    std::string lengthMessage_;
    QString buttonHint_;
    bool trimmedOnLeaving_ = true;

    int currentField_ = -1;              // the field entered and not yet left
    int leavingField_ = -1;              // the field whose leaving is being handled
    int returningTo_ = -1;               // a refused field taking the focus back
    std::optional<QString> storingText_; // the text handed to storeField, while it runs

    // The current field's text before its edit form lost its trailing blanks.
    std::optional<QString> paddedOnEntering_;
    bool buttonReleasedByMouse_ = false;
    bool closing_ = false;
    bool placementDone_ = false;
    QPointer<QWidget> followedSubWindow_;
    int widthTwips_ = 0;
    int heightTwips_ = 0;
    int leftDivisor_ = 2;
    int topDivisor_ = 4;
    int leftLessTwips_ = 0;
    int topLessTwips_ = 0;
};

} // namespace shell
