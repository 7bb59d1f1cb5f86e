// The main window: a pocket calculator with four value displays — price in
// francs, amount paid in francs, price in euros, change in euros.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "app/AmountEntry.h"
#include "chrome/FocusMarker.h"
#include "platform/Platform.h"

namespace app {

class Program;

class frmConvalis : private platform::FormEvents, private EntryWindow {
  public:
    static constexpr int kFields = 4;
    static constexpr int kCommands = 6;
    // Fields: 0 price in francs, 1 amount paid in francs, 2 price in euros,
    // 3 change in euros (never active).
    enum Field { kPriceFrancs = 0, kPaidFrancs = 1, kPriceEuros = 2, kChangeEuros = 3 };
    enum Command { kClose = 0, kHide = 1, kOptions = 2, kAbout = 3, kHelp = 4, kEuroZone = 5 };

    explicit frmConvalis(Program& program);
    ~frmConvalis() override;

    // Loads the window without showing it; does nothing when it is loaded.
    void Load();
    // Shows the window modeless, loading it first.
    void Show();
    // Unloads the window, which ends the program.
    void Unload();
    bool Loaded() const { return window_ != nullptr; }
    platform::Window& Window() { return *window_; }
    const platform::Window& Window() const { return *window_; }

    // Entry operations (see AmountEntry) and the conversion.
    void SelectField(int field) { entry_->SelectField(field); }
    void ConvertActiveField() override;
    void ShowChangeRow(bool shown);

    void imaCommand_Click(int index);
    void Form_KeyDown(int keyCode, int shift);

    // What the window shows and holds.
    int ActiveField() const { return entry_->ActiveField(); }
    bool EntryInProgress() const { return entry_->EntryInProgress(); }
    bool ChangeRowShown() const { return changeRowShown_; }
    const std::string& DisplayText(int field) const { return entry_->DisplayText(field); }
    const platform::Label& Display(int field) const { return *lblP_.at(field); }
    const platform::Label& Caption(int field) const { return *lblEti_.at(field); }
    const platform::Surface& FocusMarker() const { return nrvFocus_->Surface(); }

  private:
    // FormEvents
    void KeyDown(int keyCode, int shift) override { Form_KeyDown(keyCode, shift); }
    void CloseRequested() override { Unload(); }

    // EntryWindow
    std::vector<int> DisplaysClearedByEntryIn(int field) const override;
    bool AcceptsTyping(int field) const override;
    std::string SaveUndoEntry(int k) const override;
    void RestoreUndoEntry(int k, const std::string& saved) override;

    void CreateControls();
    void Form_Load();
    void Form_Unload();
    // Ends an entry in progress, then makes the next or previous field active.
    void MoveToField(bool forward);
    int NextField(bool forward) const;

    // The commands whose windows are not there yet.
    void HideToNotificationArea();
    void ApplyOptions();
    void ShowAbout();
    void ShowZoneEuro();
    void RequestHelp();

    Program& program_;
    platform::Platform& platform_;
    std::unique_ptr<platform::Window> window_;
    std::array<platform::Label*, kFields> lblEti_{};
    std::array<platform::Label*, kFields> lblP_{};
    std::array<platform::Line*, 3> Line1_{};
    std::array<platform::ImageButton*, kCommands> imaCommand_{};
    std::optional<chrome::FocusMarker> nrvFocus_;
    std::optional<AmountEntry> entry_;
    bool changeRowShown_ = false;
};

}  // namespace app
