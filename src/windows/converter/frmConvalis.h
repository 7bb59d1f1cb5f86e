// The main window: a pocket calculator with four value displays — price in
// francs, amount paid in francs, price in euros, change in euros.
#pragma once

#include <array>
#include <optional>

#include "chrome/WindowDrag.h"
#include "shell/TrayIcon.h"
#include "ui/ConverterForm.h"

namespace converter {

// What the main window asks of the rest of the program, beyond what every
// converter window asks.
class MainWindowHost : public ui::ConverterHost {
public:
    // Shows the euro-zone window modal over `owner`.
    virtual void ShowZoneEuro(platform::Window& owner) = 0;
    // Shows the options dialog modal over the main window, then applies the
    // user's choices.
    virtual void ShowOptions() = 0;

protected:
    ~MainWindowHost() = default;
};

class frmConvalis : public ui::ConverterForm {
public:
    static constexpr int kFields = 4;
    static constexpr int kCommands = 6;
    // Fields: 0 price in francs, 1 amount paid in francs, 2 price in euros,
    // 3 change in euros (never active).
    enum Field { kPriceFrancs = 0, kPaidFrancs = 1, kPriceEuros = 2, kChangeEuros = 3 };
    enum Command { kClose = 0, kHide = 1, kOptions = 2, kAbout = 3, kHelp = 4, kEuroZone = 5 };

    frmConvalis(platform::Platform& platform, MainWindowHost& host);
    ~frmConvalis() override;

    // Shows the window modeless, loading it first. Unloading the window
    // ends the program.
    void Show();

    void ShowChangeRow(bool shown);
    bool ChangeRowShown() const { return changeRowShown_; }

    const chrome::WindowDrag& Drag() const { return controls_->drag; }
    // Whether the notification-area icon is there to bring a hidden window
    // back: without it the window never hides.
    bool HasTrayIcon() const { return trayIcon_ && trayIcon_->Shown(); }
    // Shows the window when it is hidden without an icon to bring it back.
    void KeepReachable() { trayIcon_->KeepWindowReachable(); }

private:
    struct Controls {
        std::array<platform::Label*, kFields> lblEti;
        std::array<platform::Label*, kFields> lblP;
        std::array<platform::Line*, 3> Line1;
        chrome::WindowDrag drag;
    };

    // Form
    void CreateControls() override;
    void Form_Load() override;
    void Form_Unload() override;
    // Pressing on the window's body (left button), a display or a caption
    // (any button) and dragging moves the window.
    void MouseDown(const platform::MouseEvent& event) override;
    void MouseMove(const platform::MouseEvent&) override { controls_->drag.Move(); }
    void MouseUp(const platform::MouseEvent&) override { controls_->drag.Release(); }
    void LabelMouseDown(const platform::Label& label, const platform::MouseEvent& event);

    // ConverterForm
    bool WindowKeyDown(int keyCode, int shift) override;
    void WindowCommand(int index) override;
    int NextField(int active, bool forward) const override;
    void ForgetWindowControls() override { controls_.reset(); }

    // EntryWindow
    void ConvertField(int field) override;
    std::vector<int> DisplaysClearedByEntryIn(int field) const override;
    bool AcceptsTyping(int /*field*/) const override { return true; }
    std::string SaveUndoEntry(int k) const override;
    void RestoreUndoEntry(int k, const std::string& saved) override;

    platform::Label& DisplayLabel(int field) { return *controls_->lblP.at(field); }
    void HandDragTo(platform::Label& label);

    MainWindowHost& host_;
    std::optional<Controls> controls_;
    std::optional<shell::TrayIcon> trayIcon_;
    bool changeRowShown_ = false;
};

}  // namespace converter
