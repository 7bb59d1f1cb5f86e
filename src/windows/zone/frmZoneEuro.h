// The euro-zone window: converts an amount between the euro and one of the
// twelve legacy currencies. Opened modal over the main window.
#pragma once

#include "core/CurrencyTable.h"
#include "ui/ConverterForm.h"

namespace zone {

class frmZoneEuro : public ui::ConverterForm {
public:
    static constexpr int kFields = 3;
    static constexpr int kCommands = 3;
    // Fields: 0 currency name, 1 amount in the currency, 2 amount in euros.
    enum Field { kCurrencyName = 0, kCurrencyAmount = 1, kEuroAmount = 2 };
    enum Command { kClose = 0, kAbout = 1, kHelp = 2 };

    frmZoneEuro(platform::Platform& platform, ui::ConverterHost& host);
    ~frmZoneEuro() override;

    void SelectCurrency(int index);
    int CurrencyIndex() const { return currencyIndex_; }

private:
    // Form
    void CreateControls() override;
    void Form_Load() override;

    // ConverterForm
    bool WindowKeyDown(int keyCode, int shift) override;
    void WindowCommand(int /*index*/) override {}
    int NextField(int active, bool forward) const override;

    // EntryWindow
    void ConvertField(int field) override;
    std::vector<int> DisplaysClearedByEntryIn(int field) const override;
    bool AcceptsTyping(int field) const override { return field != kCurrencyName; }
    std::string SaveUndoEntry(int k) const override;
    void RestoreUndoEntry(int k, const std::string& saved) override;

    platform::Label& DisplayLabel(int field) { return Entry().Display(field); }

    int currencyIndex_ = core::kFrenchFrancRow;
};

}  // namespace zone
