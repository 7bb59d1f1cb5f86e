#include "windows/dialogs/frmOptions.h"

#include "chrome/mRgn.h"
#include "shell/StartupShortcut.h"
#include "ui/CommandButtons.h"
#include "ui/Keys.h"

namespace dialogs {
namespace {

using platform::Bounds;

constexpr const char* kConfirmed = "OK";
constexpr Bounds kStartupBox{1200, 480, 1335, 615};
constexpr Bounds kChangeRowBox{1200, 1320, 1215, 615};
constexpr std::array<Bounds, 2> kActionBounds{{{840, 2040, 735, 255}, {1680, 2040, 735, 255}}};
constexpr std::array<const char*, 2> kActionCaptions{"OK", "Annuler"};

}  // namespace

frmOptions::frmOptions(platform::Platform& platform, std::function<bool()> changeRowShown)
    : Form(platform, "frmOptions", false), changeRowShown_(std::move(changeRowShown)) {}

frmOptions::~frmOptions() = default;

bool frmOptions::Confirmed() const {
    return Loaded() && Window().Tag() == kConfirmed;
}

void frmOptions::CreateControls() {
    Window().AddImageButton(ui::CloseButton(-1)).SetOnClick([this] { imaCommand_Click(); });
    platform::CheckBox& startup = Window().AddCheckBox(
        {"chkDémarrage", -1, kStartupBox, "Lancer au démarrage de Windows", 0, true});
    platform::CheckBox& changeRow = Window().AddCheckBox(
        {"chkAppoint", -1, kChangeRowBox, "Activer l'appoint en Euros", 0, true});
    for (int i = 0; i < 2; ++i) {
        platform::LabelDesign design;
        design.name = "lblAction";
        design.index = i;
        design.bounds = kActionBounds[i];
        design.caption = kActionCaptions[i];
        design.alignment = platform::Alignment::kCenter;
        design.border = true;
        design.role = platform::AccessibleRole::kPushButton;
        Window().AddLabel(design).SetOnClick([this, i] { lblAction_Click(i); });
    }
    controls_.emplace(Controls{&startup, &changeRow});
}

void frmOptions::Form_Load() {
    chrome::ApplyWindowOutline(Platform(), Window());
    controls_->chkDemarrage->SetValue(shell::StartupShortcutPresent(Platform(), Window()));
    controls_->chkAppoint->SetValue(changeRowShown_() ? 1 : 0);
}

void frmOptions::lblAction_Click(int index) {
    if (index == kOk)
        Window().SetTag(kConfirmed);
    Window().Hide();
}

void frmOptions::imaCommand_Click() {
    Window().Hide();
}

void frmOptions::Form_KeyDown(int keyCode, int shift) {
    switch (keyCode) {
        case platform::vk::kEscape:
            lblAction_Click(kCancel);
            break;
        case platform::vk::kReturn:
            lblAction_Click(kOk);
            break;
        case platform::vk::kF4:
            if (ui::AltHeld(shift))
                lblAction_Click(kCancel);
            break;
        default:
            break;
    }
}

}  // namespace dialogs
