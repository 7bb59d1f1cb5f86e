// The about box: the program's name and version, a line scrolling from right
// to left, and the publisher's web site and support mail address.
#pragma once

#include <string>

#include "app/Form.h"

namespace dialogs {

// Where Windows setup recorded the name of the user it was registered to:
// a key under HKEY_USERS and its value.
inline constexpr const char* kUserInfoKey =
    ".Default\\Software\\Microsoft\\MS Setup (ACME)\\User Info";
inline constexpr const char* kUserNameValue = "DefName";

class frmAbout : public app::Form {
public:
    explicit frmAbout(platform::Platform& platform);
    ~frmAbout() override;

    void Timer1_Timer();
    void lblWeb_Click();
    void lblMail_Click();
    void imaCommand_Click() { Unload(); }
    void Form_KeyDown(int keyCode, int shift);

    const platform::Label& lblTitle() const { return *lblTitle_; }
    const platform::Label& lblVersion() const { return *lblVersion_; }
    const platform::Label& lblMarquee() const { return *lblMarquee_; }
    const platform::Label& lblWeb() const { return *lblWeb_; }
    const platform::Label& lblMail() const { return *lblMail_; }

    // The separator between the parts of the scrolling line.
    static constexpr const char* kSeparator = "   -   ";

private:
    // Form
    void CreateControls() override;
    void Form_Load() override;
    void ForgetControls() override;
    void KeyDown(int keyCode, int shift) override { Form_KeyDown(keyCode, shift); }

    // The name of the user Windows was registered to, or empty text.
    std::string RegisteredUserLine();
    platform::Label& AddLink(const char* name, const platform::Bounds& bounds,
                             const std::string& address, const char* toolTip,
                             void (frmAbout::*onClick)());

    platform::Label* lblTitle_ = nullptr;
    platform::Label* lblVersion_ = nullptr;
    platform::Label* lblMarquee_ = nullptr;
    platform::Label* lblWeb_ = nullptr;
    platform::Label* lblMail_ = nullptr;
    platform::Timer* Timer1_ = nullptr;
};

}  // namespace dialogs
