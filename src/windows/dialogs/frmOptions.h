// The options dialog: start with Windows, and the row for the amount paid
// and the change. It only shows the current state and records whether the
// user confirmed; the choices are applied afterwards (ApplyOptions).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "ui/Form.h"

namespace dialogs {

class frmOptions : public ui::Form {
public:
    enum Action { kOk = 0, kCancel = 1 };

    // `changeRowShown` tells whether the main window shows the change row.
    frmOptions(platform::Platform& platform, std::function<bool()> changeRowShown);
    ~frmOptions() override;

    // Whether the dialog is still loaded with its mark "OK".
    bool Confirmed() const;

    int StartWithWindows() const { return controls_->chkDemarrage->Value(); }
    int ShowChange() const { return controls_->chkAppoint->Value(); }
    const platform::CheckBox& chkDémarrage() const { return *controls_->chkDemarrage; }
    const platform::CheckBox& chkAppoint() const { return *controls_->chkAppoint; }

    void lblAction_Click(int index);
    void imaCommand_Click();
    void Form_KeyDown(int keyCode, int shift);

private:
    struct Controls {
        platform::CheckBox* chkDemarrage;
        platform::CheckBox* chkAppoint;
    };

    // Form
    void CreateControls() override;
    void Form_Load() override;
    void ForgetControls() override { controls_.reset(); }
    void KeyDown(int keyCode, int shift) override { Form_KeyDown(keyCode, shift); }

    std::function<bool()> changeRowShown_;
    std::optional<Controls> controls_;
};

}  // namespace dialogs
