// The about box: the program's name and version, a line scrolling from right
// to left, and the publisher's web site and support mail address.
#pragma once

#include <optional>
#include <string>

#include "ui/Form.h"

namespace dialogs {

// Where Windows setup recorded the name of the user it was registered to:
// a key under HKEY_USERS and its value.
inline constexpr const char* kUserInfoKey =
    ".Default\\Software\\Microsoft\\MS Setup (ACME)\\User Info";
inline constexpr const char* kUserNameValue = "DefName";

class frmAbout : public ui::Form {
public:
    explicit frmAbout(platform::Platform& platform);
    ~frmAbout() override;

    void Timer1_Timer();
    void lblWeb_Click();
    void lblMail_Click();
    void imaCommand_Click() { Unload(); }
    void Form_KeyDown(int keyCode, int shift);

    const platform::Label& lblTitle() const { return *controls_->lblTitle; }
    const platform::Label& lblVersion() const { return *controls_->lblVersion; }
    const platform::Label& lblMarquee() const { return *controls_->lblMarquee; }
    const platform::Label& lblWeb() const { return *controls_->lblWeb; }
    const platform::Label& lblMail() const { return *controls_->lblMail; }

    // The separator between the parts of the scrolling line.
    static constexpr const char* kSeparator = "   -   ";

private:
    struct Controls {
        platform::Label* lblTitle;
        platform::Label* lblVersion;
        platform::Label* lblMarquee;
        platform::Label* lblWeb;
        platform::Label* lblMail;
        platform::Timer* Timer1;
    };

    // Form
    void CreateControls() override;
    void Form_Load() override;
    void ForgetControls() override { controls_.reset(); }
    void KeyDown(int keyCode, int shift) override { Form_KeyDown(keyCode, shift); }

    // The name of the user Windows was registered to, or empty text.
    std::string RegisteredUserLine();
    platform::Label& AddLink(const char* name, const platform::Bounds& bounds,
                             const std::string& address, const char* toolTip,
                             void (frmAbout::*onClick)());

    std::optional<Controls> controls_;
};

}  // namespace dialogs
