#include "dialogs/frmOptions.h"

#include "app/CommandButtons.h"
#include "app/Program.h"
#include "chrome/mRgn.h"
#include "shell/StartupShortcut.h"

namespace dialogs {
namespace {

using platform::Bounds;

constexpr const char* kConfirmed = "OK";
constexpr Bounds kStartupBox{1200, 480, 1335, 615};
constexpr Bounds kChangeRowBox{1200, 1320, 1215, 615};
constexpr std::array<Bounds, 2> kActionBounds{{{840, 2040, 735, 255}, {1680, 2040, 735, 255}}};
constexpr std::array<const char*, 2> kActionCaptions{"OK", "Annuler"};

}  // namespace

frmOptions::frmOptions(app::Program& program)
    : Form(program.Platform(), "frmOptions", false), program_(program) {}

frmOptions::~frmOptions() = default;

bool frmOptions::Confirmed() const {
    return Loaded() && window_->Tag() == kConfirmed;
}

void frmOptions::CreateControls() {
    window_->AddImageButton(app::CloseButton(-1)).SetOnClick([this] { imaCommand_Click(); });
    chkDemarrage_ = &window_->AddCheckBox(
        {"chkDémarrage", -1, kStartupBox, "Lancer au démarrage de Windows", 0, true});
    chkAppoint_ = &window_->AddCheckBox(
        {"chkAppoint", -1, kChangeRowBox, "Activer l'appoint en Euros", 0, true});
    for (int i = 0; i < 2; ++i) {
        platform::LabelDesign design;
        design.name = "lblAction";
        design.index = i;
        design.bounds = kActionBounds[i];
        design.caption = kActionCaptions[i];
        design.alignment = platform::Alignment::kCenter;
        design.border = true;
        lblAction_[i] = &window_->AddLabel(design);
        lblAction_[i]->SetOnClick([this, i] { lblAction_Click(i); });
    }
}

void frmOptions::Form_Load() {
    chrome::ApplyWindowOutline(platform_, *window_);
    chkDemarrage_->SetValue(shell::StartupShortcutPresent(platform_, window_->Handle()));
    const platform::Label& paid = program_.MainWindow().Display(app::frmConvalis::kPaidFrancs);
    chkAppoint_->SetValue(paid.Visible() ? 1 : 0);
}

void frmOptions::ForgetControls() {
    chkDemarrage_ = nullptr;
    chkAppoint_ = nullptr;
    lblAction_.fill(nullptr);
}

void frmOptions::lblAction_Click(int index) {
    if (index == kOk)
        window_->SetTag(kConfirmed);
    window_->Hide();
}

void frmOptions::imaCommand_Click() {
    window_->Hide();
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
            if ((shift & platform::shift::kAlt) != 0)
                lblAction_Click(kCancel);
            break;
        default:
            break;
    }
}

}  // namespace dialogs
