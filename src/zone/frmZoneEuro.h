// The euro-zone window: converts an amount between the euro and one of the
// twelve legacy currencies. Opened modal over the main window.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "app/AmountEntry.h"
#include "app/Form.h"
#include "chrome/FocusMarker.h"
#include "platform/Platform.h"
#include "zone/CurrencyTable.h"

namespace app {
class Program;
}

namespace zone {

class frmZoneEuro : public app::Form, private app::EntryWindow {
public:
    static constexpr int kFields = 3;
    static constexpr int kCommands = 3;
    // Fields: 0 currency name, 1 amount in the currency, 2 amount in euros.
    enum Field { kCurrencyName = 0, kCurrencyAmount = 1, kEuroAmount = 2 };
    enum Command { kClose = 0, kAbout = 1, kHelp = 2 };

    explicit frmZoneEuro(app::Program& program);
    ~frmZoneEuro() override;

    void SelectField(int field) { entry_->SelectField(field); }
    void SelectCurrency(int index);
    void ConvertActiveField() override;

    void imaCommand_Click(int index);
    void Form_KeyDown(int keyCode, int shift);

    // What the window shows and holds.
    int ActiveField() const { return entry_->ActiveField(); }
    int CurrencyIndex() const { return currencyIndex_; }
    bool EntryInProgress() const { return entry_->EntryInProgress(); }
    const std::string& DisplayText(int field) const { return entry_->DisplayText(field); }
    const platform::Label& Display(int field) const { return *lblP_.at(field); }
    // The caption of a field: fields 0 and 1 share one.
    const platform::Label& Caption(int field) const { return *FieldCaption(field); }
    const platform::Surface& FocusMarker() const { return nrvFocus_->Surface(); }

private:
    // Form
    void CreateControls() override;
    void Form_Load() override;
    void ForgetControls() override;
    void KeyDown(int keyCode, int shift) override { Form_KeyDown(keyCode, shift); }

    // EntryWindow
    std::vector<int> DisplaysClearedByEntryIn(int field) const override;
    bool AcceptsTyping(int field) const override { return field != kCurrencyName; }
    std::string SaveUndoEntry(int k) const override;
    void RestoreUndoEntry(int k, const std::string& saved) override;

    platform::Label* FieldCaption(int field) const;
    void MoveToField(bool forward);

    app::Program& program_;
    std::array<platform::Label*, kFields> lblP_{};
    platform::Label* lblEtiCurrency_ = nullptr;  // lblEti(0)
    platform::Label* lblEtiEuros_ = nullptr;     // lblEti(2)
    std::array<platform::ImageButton*, kCommands> imaCommand_{};
    std::optional<chrome::FocusMarker> nrvFocus_;
    std::optional<app::AmountEntry> entry_;
    int currencyIndex_ = kFrenchFrancRow;
};

}  // namespace zone
