// The options dialog: start with Windows, and the row for the amount paid
// and the change. It only shows the current state and records whether the
// user confirmed; the main window applies the choices afterwards.
#pragma once

#include <array>
#include <string>

#include "app/Form.h"

namespace app {
class Program;
}

namespace dialogs {

class frmOptions : public app::Form {
public:
    enum Action { kOk = 0, kCancel = 1 };

    explicit frmOptions(app::Program& program);
    ~frmOptions() override;

    // Whether the dialog is still loaded with its mark "OK".
    bool Confirmed() const;

    int StartWithWindows() const { return chkDemarrage_->Value(); }
    int ShowChange() const { return chkAppoint_->Value(); }
    const platform::CheckBox& chkDémarrage() const { return *chkDemarrage_; }
    const platform::CheckBox& chkAppoint() const { return *chkAppoint_; }

    void lblAction_Click(int index);
    void imaCommand_Click();
    void Form_KeyDown(int keyCode, int shift);

private:
    // Form
    void CreateControls() override;
    void Form_Load() override;
    void ForgetControls() override;
    void KeyDown(int keyCode, int shift) override { Form_KeyDown(keyCode, shift); }

    app::Program& program_;
    platform::CheckBox* chkDemarrage_ = nullptr;
    platform::CheckBox* chkAppoint_ = nullptr;
    std::array<platform::Label*, 2> lblAction_{};
};

}  // namespace dialogs
