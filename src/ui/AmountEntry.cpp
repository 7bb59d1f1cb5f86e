#include "ui/AmountEntry.h"

#include "platform/Types.h"

namespace ui {
namespace {

const platform::OleColor kActiveColor = platform::SystemColor(platform::syscolor::kHighlight);
const platform::OleColor kInactiveColor = platform::SystemColor(platform::syscolor::kWindowText);

std::string DigitText(int digit) {
    return std::string(1, static_cast<char>('0' + digit));
}

// Whether `text` already has two decimals, or the digits allowed before the
// comma: another digit would be refused.
bool IsFull(const std::string& text) {
    std::size_t comma = text.find(',');
    if (comma != std::string::npos)
        return text.size() == comma + 3;
    return text != "0" && text.size() >= AmountEntry::kMaxIntegerDigits;
}

}  // namespace

AmountEntry::AmountEntry(EntryWindow& window, std::vector<platform::Label*> captions,
                         std::vector<platform::Label*> displays, chrome::FocusMarker& marker)
    : window_(window),
      captions_(std::move(captions)),
      displays_(std::move(displays)),
      marker_(marker) {
    savedCaptions_.fill("0");
    // A screen reader reads each display with its caption: "prix en euros 15,24".
    for (std::size_t k = 0; k < displays_.size(); ++k)
        displays_[k]->SetAccessibleCaption(captions_.at(k)->Caption());
    ActiveDisplay().SetAccessibleFocus(true);
}

void AmountEntry::SaveUndo() {
    for (int k = 0; k < kUndoEntries; ++k)
        savedCaptions_[k] = window_.SaveUndoEntry(k);
}

void AmountEntry::SelectField(int field) {
    Highlight(activeField_, false);
    activeField_ = field;
    marker_.PlaceBeside(displays_.at(field)->Placement());
    Highlight(field, true);
}

void AmountEntry::Highlight(int field, bool active) {
    captions_.at(field)->SetForeColor(active ? kActiveColor : kInactiveColor);
    displays_.at(field)->SetForeColor(active ? kActiveColor : kInactiveColor);
    displays_.at(field)->SetAccessibleFocus(active);
}

void AmountEntry::StartEntry() {
    SaveUndo();
    entryInProgress_ = true;
    for (int k : window_.DisplaysClearedByEntryIn(activeField_))
        displays_.at(k)->SetCaption("0");
}

void AmountEntry::AppendDigit(int digit) {
    if (!window_.AcceptsTyping(activeField_))
        return;
    if (!entryInProgress_) {
        StartEntry();
        ActiveDisplay().SetCaption(DigitText(digit));
        return;
    }
    const std::string& text = ActiveDisplay().Caption();
    if (IsFull(text))
        return;
    ActiveDisplay().SetCaption(text == "0" ? DigitText(digit) : text + DigitText(digit));
}

void AmountEntry::AppendComma() {
    if (!window_.AcceptsTyping(activeField_))
        return;
    if (!entryInProgress_) {
        StartEntry();
        ActiveDisplay().SetCaption("0,");
        return;
    }
    const std::string& text = ActiveDisplay().Caption();
    if (text.find(',') == std::string::npos)
        ActiveDisplay().SetCaption(text + ",");
}

void AmountEntry::Erase() {
    if (!entryInProgress_)
        return;
    const std::string& text = ActiveDisplay().Caption();
    ActiveDisplay().SetCaption(text.size() <= 1 ? "0" : text.substr(0, text.size() - 1));
}

void AmountEntry::Undo() {
    for (int k = 0; k < kUndoEntries; ++k)
        window_.RestoreUndoEntry(k, savedCaptions_[k]);
    entryInProgress_ = false;
}

// A conversion that fails leaves the entry in progress.
void AmountEntry::ConvertActiveField() {
    window_.ConvertField(activeField_);
    entryInProgress_ = false;
}

void AmountEntry::EndEntry() {
    if (entryInProgress_)
        ConvertActiveField();
}

void AmountEntry::TypeAmount(const std::string& amount) {
    if (!ActiveFieldTakesTyping())
        return;
    // Over an entry in progress the amount replaces what is typed, and the
    // undo state stays the one saved when that entry began: undo takes both
    // back to a pair the window showed after a conversion, never to a typed
    // amount beside displays the entry cleared.
    if (!entryInProgress_)
        StartEntry();
    ActiveDisplay().SetCaption("0");
    for (char c : amount) {
        if (c == ',')
            AppendComma();
        else
            AppendDigit(c - '0');
    }
}

bool HandleEntryKey(AmountEntry& entry, int keyCode) {
    if (keyCode >= platform::vk::kNumpad0 && keyCode <= platform::vk::kNumpad9) {
        entry.AppendDigit(keyCode - platform::vk::kNumpad0);
    } else if (keyCode >= platform::vk::k0 && keyCode <= platform::vk::k9) {
        entry.AppendDigit(keyCode - platform::vk::k0);
    } else if (keyCode == platform::vk::kDecimal || keyCode == platform::vk::kComma) {
        entry.AppendComma();
    } else if (keyCode == platform::vk::kBack) {
        entry.Erase();
    } else if (keyCode == platform::vk::kEscape) {
        entry.Undo();
    } else if (keyCode == platform::vk::kReturn) {
        entry.EndEntry();
    } else {
        return false;
    }
    return true;
}

}  // namespace ui
