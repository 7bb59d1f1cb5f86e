// The main window: a pocket calculator with four value displays — price in
// francs, amount paid in francs, price in euros, change in euros.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "app/AmountEntry.h"
#include "app/Form.h"
#include "chrome/FocusMarker.h"
#include "chrome/WindowDrag.h"
#include "platform/Platform.h"
#include "shell/mSysTray.h"

namespace app {

class Program;

class frmConvalis : public Form, private EntryWindow {
public:
    static constexpr int kFields = 4;
    static constexpr int kCommands = 6;
    // Fields: 0 price in francs, 1 amount paid in francs, 2 price in euros,
    // 3 change in euros (never active).
    enum Field { kPriceFrancs = 0, kPaidFrancs = 1, kPriceEuros = 2, kChangeEuros = 3 };
    enum Command { kClose = 0, kHide = 1, kOptions = 2, kAbout = 3, kHelp = 4, kEuroZone = 5 };

    explicit frmConvalis(Program& program);
    ~frmConvalis() override;

    // Shows the window modeless, loading it first. Unloading the window
    // ends the program.
    void Show();

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
    const chrome::WindowDrag& Drag() const { return *drag_; }
    // Whether the notification-area icon is there to bring a hidden window
    // back: without it the window never hides.
    bool HasTrayIcon() const { return trayIconShown_; }
    // Shows the window when it is hidden without an icon to bring it back.
    void KeepReachable();
    const platform::NotifyIconData& TrayIconData() const { return TrayIconData_; }

private:
    // Form
    void CreateControls() override;
    void Form_Load() override;
    void Form_Unload() override;
    void ForgetControls() override;
    void KeyDown(int keyCode, int shift) override { Form_KeyDown(keyCode, shift); }
    // Pressing on the window's body (left button), a display or a caption
    // (any button) and dragging moves the window.
    void MouseDown(const platform::MouseEvent& event) override;
    void MouseMove(const platform::MouseEvent&) override { drag_->Move(); }
    void MouseUp(const platform::MouseEvent&) override { drag_->Release(); }
    void LabelMouseDown(const platform::Label& label, const platform::MouseEvent& event);

    // EntryWindow
    std::vector<int> DisplaysClearedByEntryIn(int field) const override;
    bool AcceptsTyping(int field) const override;
    std::string SaveUndoEntry(int k) const override;
    void RestoreUndoEntry(int k, const std::string& saved) override;

    // Ends an entry in progress, then makes the next or previous field active.
    void MoveToField(bool forward);
    int NextField(bool forward) const;

    // Adds the icon, noting whether the shell took it.
    void AddTrayIcon();
    void AddTrayIconAgain();
    void ShowFromTrayIcon();
    void HideToNotificationArea();
    // The commands that open the other windows, modal over this one.
    void ApplyOptions();
    void ShowAbout();
    void ShowZoneEuro();

    void RequestHelp();

    Program& program_;
    std::array<platform::Label*, kFields> lblEti_{};
    std::array<platform::Label*, kFields> lblP_{};
    std::array<platform::Line*, 3> Line1_{};
    std::array<platform::ImageButton*, kCommands> imaCommand_{};
    std::optional<chrome::FocusMarker> nrvFocus_;
    std::optional<AmountEntry> entry_;
    std::optional<chrome::WindowDrag> drag_;
    platform::NotifyIconData TrayIconData_;
    bool trayIconShown_ = false;
    shell::mSysTray sysTray_;
    bool changeRowShown_ = false;
};

}  // namespace app
