// The rules by which the user types an amount into the active display of a
// converter window: choosing the field, starting an entry with its undo
// state, digits, the decimal comma, erasing, undoing, and ending the entry
// by converting it. Both converter windows use this one component; what
// differs between them is the `EntryWindow` they hand it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "chrome/FocusMarker.h"
#include "platform/Controls.h"

namespace ui {

// What the entry rules need from the window that uses them.
class EntryWindow {
public:
    virtual ~EntryWindow() = default;
    // The displays that a new entry in `field` makes out of date.
    virtual std::vector<int> DisplaysClearedByEntryIn(int field) const = 0;
    // Whether the user may type into `field`.
    virtual bool AcceptsTyping(int field) const = 0;
    // Entry k of the undo state: what it saves, and how undo gives it back.
    virtual std::string SaveUndoEntry(int k) const = 0;
    virtual void RestoreUndoEntry(int k, const std::string& saved) = 0;
    // Fills the displays that depend on `field`.
    virtual void ConvertField(int field) = 0;
};

class AmountEntry {
public:
    static constexpr int kUndoEntries = 4;
    // A typed amount has at most this many digits before its comma: beyond
    // them a double no longer holds the amount exactly.
    static constexpr std::size_t kMaxIntegerDigits = 15;

    // `captions[i]` and `displays[i]` make up field i (two fields may share
    // a caption); `marker` stands beside the active display.
    AmountEntry(EntryWindow& window, std::vector<platform::Label*> captions,
                std::vector<platform::Label*> displays, chrome::FocusMarker& marker);

    int ActiveField() const { return activeField_; }
    bool EntryInProgress() const { return entryInProgress_; }

    // Saves the undo state from the window: what undo gives back.
    void SaveUndo();

    void SelectField(int field);
    void StartEntry();
    void AppendDigit(int digit);
    void AppendComma();
    // Backspace: erases the last character of an entry in progress.
    void Erase();
    // Escape: gives every undo entry back and ends the entry.
    void Undo();
    // Converts the active field and ends the entry, whether one is in
    // progress or not.
    void ConvertActiveField();
    // Converts an entry in progress; does nothing while idle.
    void EndEntry();
    // Whether the user may type into the active field.
    bool ActiveFieldTakesTyping() const { return window_.AcceptsTyping(activeField_); }
    // Types `amount` (digits and at most one comma) into the active field,
    // key by key under the same rules, in place of an entry in progress or
    // as a new one; does nothing when the field takes no typing.
    void TypeAmount(const std::string& amount);

    const std::string& DisplayText(int k) const { return displays_.at(k)->Caption(); }
    platform::Label& Display(int k) const { return *displays_.at(k); }
    platform::Label& Caption(int k) const { return *captions_.at(k); }

private:
    void Highlight(int field, bool active);
    platform::Label& ActiveDisplay() { return *displays_.at(activeField_); }

    EntryWindow& window_;
    std::vector<platform::Label*> captions_;
    std::vector<platform::Label*> displays_;
    chrome::FocusMarker& marker_;
    int activeField_ = 0;
    bool entryInProgress_ = false;
    std::array<std::string, kUndoEntries> savedCaptions_;
};

// The keys of the entry rules, the same in both converter windows' keyboard
// maps: the digits of both keyboards, the comma and keypad decimal, Backspace,
// Escape and Enter, whatever modifiers are held. Returns false for any other
// key.
bool HandleEntryKey(AmountEntry& entry, int keyCode);

}  // namespace ui
