#include "dialogs/frmAbout.h"

#include "ProductInfo.h"
#include "app/CommandButtons.h"
#include "app/mMain.h"
#include "chrome/mRgn.h"
#include "shell/mShellExecute.h"

namespace dialogs {
namespace {

using platform::Bounds;

constexpr Bounds kTitle{1200, 360, 1095, 255};
constexpr Bounds kVersion{1200, 600, 1095, 255};
constexpr int kMarqueeTop = 1200;
constexpr int kMarqueeHeight = 195;
constexpr Bounds kWeb{720, 1800, 2175, 255};
constexpr Bounds kMail{1080, 2040, 1455, 255};

constexpr int kTickMilliseconds = 1;
constexpr int kStepTwips = 50;
// The line starts again once its right end has passed this far from the
// window's left edge.
constexpr int kWrapTwips = 360;

constexpr const char* kMailScheme = "mailto: ";
constexpr int kShowDefault = 10;  // SW_SHOWDEFAULT

platform::LabelDesign Centred(const char* name, const Bounds& bounds, platform::FontWeight weight) {
    platform::LabelDesign design;
    design.name = name;
    design.bounds = bounds;
    design.weight = weight;
    design.alignment = platform::Alignment::kCenter;
    return design;
}

}  // namespace

frmAbout::frmAbout(platform::Platform& platform) : Form(platform, "frmAbout", false) {}

frmAbout::~frmAbout() = default;

void frmAbout::CreateControls() {
    window_->AddImageButton(app::CloseButton(-1)).SetOnClick([this] { imaCommand_Click(); });
    lblTitle_ = &window_->AddLabel(Centred("lblTitle", kTitle, platform::FontWeight::kBold));
    lblVersion_ = &window_->AddLabel(Centred("lblVersion", kVersion, platform::FontWeight::kBold));
    platform::LabelDesign marquee;
    marquee.name = "lblMarquee";
    marquee.bounds = {0, kMarqueeTop, 0, kMarqueeHeight};
    marquee.autoSize = true;
    lblMarquee_ = &window_->AddLabel(marquee);
    lblWeb_ = &AddLink("lblWeb", kWeb, product::kWebSite, "Site Web", &frmAbout::lblWeb_Click);
    lblMail_ =
        &AddLink("lblMail", kMail, product::kSupportMail, "E-Mail", &frmAbout::lblMail_Click);
    Timer1_ = &window_->AddTimer();
    Timer1_->SetOnTick([this] { Timer1_Timer(); });
}

platform::Label& frmAbout::AddLink(const char* name, const Bounds& bounds,
                                   const std::string& address, const char* toolTip,
                                   void (frmAbout::*onClick)()) {
    platform::LabelDesign design = Centred(name, bounds, platform::FontWeight::kRegular);
    design.caption = address;
    design.underline = true;
    design.handCursor = true;
    design.toolTip = toolTip;
    platform::Label& link = window_->AddLabel(design);
    link.SetOnClick([this, onClick] { (this->*onClick)(); });
    return link;
}

void frmAbout::Form_Load() {
    chrome::ApplyWindowOutline(platform_, *window_);
    platform::Application& app = platform_.App();
    lblTitle_->SetCaption(app.ProductName());
    lblVersion_->SetCaption(app.Version());
    lblMarquee_->SetCaption(app.FileDescription() + kSeparator + app.LegalCopyright() + kSeparator +
                            RegisteredUserLine());
    Bounds marquee = lblMarquee_->Placement();
    marquee.left = window_->ScaleWidth();
    lblMarquee_->Move(marquee);
    Timer1_->SetInterval(kTickMilliseconds);
    Timer1_->SetEnabled(true);
}

void frmAbout::ForgetControls() {
    lblTitle_ = lblVersion_ = lblMarquee_ = lblWeb_ = lblMail_ = nullptr;
    Timer1_ = nullptr;
}

std::string frmAbout::RegisteredUserLine() {
    std::string name;
    if (!platform_.RegistryReader().ReadString(platform::hkey::kUsers, kUserInfoKey, kUserNameValue,
                                               &name)) {
        return {};
    }
    return app::TrimAtNull(name);
}

void frmAbout::Timer1_Timer() {
    Bounds marquee = lblMarquee_->Placement();
    marquee.left -= kStepTwips;
    if (kWrapTwips - marquee.width > marquee.left)
        marquee.left = window_->ScaleWidth();
    lblMarquee_->Move(marquee);
}

void frmAbout::lblWeb_Click() {
    shell::ShellLaunch(platform_, lblWeb_->Caption(), "open", "", "", kShowDefault, 0, false);
}

void frmAbout::lblMail_Click() {
    shell::ShellLaunch(platform_, kMailScheme + lblMail_->Caption(), "open", "", "", kShowDefault,
                       0, false);
}

void frmAbout::Form_KeyDown(int keyCode, int shift) {
    bool altF4 = keyCode == platform::vk::kF4 && (shift & platform::shift::kAlt) != 0;
    if (keyCode == platform::vk::kEscape || keyCode == platform::vk::kReturn || altF4)
        Unload();
}

}  // namespace dialogs
