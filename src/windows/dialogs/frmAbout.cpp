#include "windows/dialogs/frmAbout.h"

#include "ProductInfo.h"
#include "chrome/mRgn.h"
#include "shell/mShellExecute.h"
#include "ui/CommandButtons.h"
#include "ui/Keys.h"

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

platform::LabelDesign Centred(const char* name, const Bounds& bounds, platform::FontWeight weight) {
    platform::LabelDesign design;
    design.name = name;
    design.bounds = bounds;
    design.weight = weight;
    design.alignment = platform::Alignment::kCenter;
    // Where the system's face is wider than the design's, the text shows
    // whole, smaller.
    design.shrinkToFit = true;
    return design;
}

}  // namespace

frmAbout::frmAbout(platform::Platform& platform) : Form(platform, "frmAbout", false) {}

frmAbout::~frmAbout() = default;

void frmAbout::CreateControls() {
    Window().AddImageButton(ui::CloseButton(-1)).SetOnClick([this] { imaCommand_Click(); });
    platform::Label& title =
        Window().AddLabel(Centred("lblTitle", kTitle, platform::FontWeight::kBold));
    platform::Label& version =
        Window().AddLabel(Centred("lblVersion", kVersion, platform::FontWeight::kBold));
    platform::LabelDesign marquee;
    marquee.name = "lblMarquee";
    marquee.bounds = {0, kMarqueeTop, 0, kMarqueeHeight};
    marquee.autoSize = true;
    platform::Label& marqueeLabel = Window().AddLabel(marquee);
    platform::Label& web =
        AddLink("lblWeb", kWeb, product::kWebSite, "Site Web", &frmAbout::lblWeb_Click);
    platform::Label& mail =
        AddLink("lblMail", kMail, product::kSupportMail, "E-Mail", &frmAbout::lblMail_Click);
    platform::Timer& timer = Window().AddTimer();
    timer.SetOnTick([this] { Timer1_Timer(); });
    controls_.emplace(Controls{&title, &version, &marqueeLabel, &web, &mail, &timer});
}

platform::Label& frmAbout::AddLink(const char* name, const Bounds& bounds,
                                   const std::string& address, const char* toolTip,
                                   void (frmAbout::*onClick)()) {
    platform::LabelDesign design = Centred(name, bounds, platform::FontWeight::kRegular);
    design.caption = address;
    design.underline = true;
    design.handCursor = true;
    design.toolTip = toolTip;
    design.role = platform::AccessibleRole::kLink;
    platform::Label& link = Window().AddLabel(design);
    link.SetOnClick([this, onClick] { (this->*onClick)(); });
    return link;
}

void frmAbout::Form_Load() {
    chrome::ApplyWindowOutline(Platform(), Window());
    platform::Application& app = Platform().App();
    Controls& controls = *controls_;
    controls.lblTitle->SetCaption(app.ProductName());
    controls.lblVersion->SetCaption(app.Version());
    controls.lblMarquee->SetCaption(app.FileDescription() + kSeparator + app.LegalCopyright() +
                                    kSeparator + RegisteredUserLine());
    Bounds marquee = controls.lblMarquee->Placement();
    marquee.left = Window().ScaleWidth();
    controls.lblMarquee->Move(marquee);
    controls.Timer1->SetInterval(kTickMilliseconds);
    controls.Timer1->SetEnabled(true);
}

std::string frmAbout::RegisteredUserLine() {
    return Platform()
        .RegistryReader()
        .ReadString(platform::RegistryRoot::kUsers, kUserInfoKey, kUserNameValue)
        .value_or("");
}

void frmAbout::Timer1_Timer() {
    platform::Label& line = *controls_->lblMarquee;
    Bounds marquee = line.Placement();
    marquee.left -= kStepTwips;
    if (kWrapTwips - marquee.width > marquee.left)
        marquee.left = Window().ScaleWidth();
    line.Move(marquee);
}

void frmAbout::lblWeb_Click() {
    shell::ShellLaunch(Platform(), lblWeb().Caption(), "open", platform::ShowCommand::kDefault,
                       false);
}

void frmAbout::lblMail_Click() {
    shell::ShellLaunch(Platform(), kMailScheme + lblMail().Caption(), "open",
                       platform::ShowCommand::kDefault, false);
}

void frmAbout::Form_KeyDown(int keyCode, int shift) {
    bool altF4 = keyCode == platform::vk::kF4 && ui::AltHeld(shift);
    if (keyCode == platform::vk::kEscape || keyCode == platform::vk::kReturn || altF4)
        Unload();
}

}  // namespace dialogs
