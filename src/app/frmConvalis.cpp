#include "app/frmConvalis.h"

#include "app/CommandButtons.h"
#include "app/Conversion.h"
#include "app/Program.h"
#include "chrome/mRgn.h"
#include "shell/StartupShortcut.h"

namespace app {
namespace {

using platform::Bounds;

// The change row: shown only before this date, or when the user asks for it.
constexpr platform::LocalDateTime kChangeRowUntil{2002, 2, 19, 0, 0, 0};
// The marker's place in the design; the load moves it beside display 0.
constexpr Bounds kMarkerDesign{840, 1200, 255, 255};

struct FieldDesign {
    Bounds caption;
    const char* captionText;
    Bounds display;
    bool visibleAtStart;
};

const std::array<FieldDesign, frmConvalis::kFields> kFieldDesigns{{
    {{1200, 360, 1215, 225}, "prix en francs", {1080, 600, 1335, 225}, true},
    {{1320, 840, 1335, 225}, "payé (en francs)", {1320, 1080, 1335, 225}, false},
    {{1320, 1320, 1335, 225}, "prix en euros", {1320, 1560, 1335, 225}, true},
    {{720, 1800, 1695, 225}, "appoint (en euros)", {1080, 2040, 1335, 225}, false},
}};

// Separator lines under displays 0, 1 and 2, at these heights in twips.
constexpr std::array<int, 3> kLineHeights{840, 1320, 1800};
constexpr int kLineLeft = 1440;
constexpr int kLineRight = 2640;

const std::array<platform::ImageButtonDesign, frmConvalis::kCommands> kCommandDesigns{{
    CloseButton(frmConvalis::kClose),
    CommandButton(frmConvalis::kHide, {960, 120, 240, 240}, platform::Picture::kHide,
                  "Réduire Alt+R"),
    CommandButton(frmConvalis::kOptions, {720, 360, 240, 240}, platform::Picture::kOptions,
                  "Options Alt+O"),
    AboutButton(frmConvalis::kAbout),
    HelpButton(frmConvalis::kHelp),
    CommandButton(frmConvalis::kEuroZone, {720, 2040, 240, 240}, platform::Picture::kEuroZone,
                  "Zone Euro Alt+Z"),
}};

bool Before(const platform::LocalDateTime& a, const platform::LocalDateTime& b) {
    auto key = [](const platform::LocalDateTime& t) {
        return std::array<int, 6>{t.year, t.month, t.day, t.hour, t.minute, t.second};
    };
    return key(a) < key(b);
}

bool AltHeld(int shift) {
    return (shift & platform::shift::kAlt) != 0;
}

}  // namespace

frmConvalis::frmConvalis(Program& program)
    : Form(program.Platform(), "frmConvalis", true),
      program_(program),
      sysTray_(
          program.Platform().ShellServices(), [this] { ShowFromTrayIcon(); },
          [this] { AddTrayIconAgain(); }) {}

frmConvalis::~frmConvalis() = default;

void frmConvalis::CreateControls() {
    for (int i = 0; i < kFields; ++i) {
        const FieldDesign& field = kFieldDesigns[i];
        platform::OleColor color = platform::SystemColor(
            i == kPriceFrancs ? platform::syscolor::kHighlight : platform::syscolor::kWindowText);
        lblEti_[i] = &window_->AddLabel(platform::PlainLabel(
            "lblEti", i, field.caption, field.captionText, color, platform::FontWeight::kRegular,
            platform::Alignment::kRight, field.visibleAtStart));
        lblP_[i] = &window_->AddLabel(
            platform::PlainLabel("lblP", i, field.display, "0", color, platform::FontWeight::kBold,
                                 platform::Alignment::kRight, field.visibleAtStart));
        for (platform::Label* label : {lblEti_[i], lblP_[i]}) {
            platform::MouseHandlers handlers;
            handlers.down = [this, label](const platform::MouseEvent& e) {
                LabelMouseDown(*label, e);
            };
            handlers.move = [this](const platform::MouseEvent&) { drag_->Move(); };
            handlers.up = [this](const platform::MouseEvent&) { drag_->Release(); };
            label->SetMouseHandlers(handlers);
        }
    }
    for (int i = 0; i < 3; ++i) {
        platform::LineDesign line;
        line.name = "Line1";
        line.index = i;
        line.x1 = kLineLeft;
        line.x2 = kLineRight;
        line.y1 = line.y2 = kLineHeights[i];
        line.visible = i != kPaidFrancs;
        Line1_[i] = &window_->AddLine(line);
    }
    for (int i = 0; i < kCommands; ++i) {
        imaCommand_[i] = &window_->AddImageButton(kCommandDesigns[i]);
        imaCommand_[i]->SetOnClick([this, i] { imaCommand_Click(i); });
    }
    nrvFocus_.emplace(platform_, *window_, kMarkerDesign);
    entry_.emplace(static_cast<EntryWindow&>(*this),
                   std::vector<platform::Label*>(lblEti_.begin(), lblEti_.end()),
                   std::vector<platform::Label*>(lblP_.begin(), lblP_.end()), *nrvFocus_);
    drag_.emplace(platform_, *window_);
}

void frmConvalis::Form_Load() {
    chrome::ApplyWindowOutline(platform_, *window_);
    window_->CenterOnScreen();
    nrvFocus_->SetUp(lblP_[kPriceFrancs]->Placement());
    entry_->SaveUndo();
    TrayIconData_.hWnd = window_->Handle();
    TrayIconData_.uID = shell::mSysTray::kIconId;
    TrayIconData_.uFlags = platform::nif::kMessage | platform::nif::kIcon | platform::nif::kTip;
    TrayIconData_.uCallbackMessage = shell::mSysTray::kCallbackMessage;
    TrayIconData_.hIcon = platform_.ShellServices().WindowIcon(window_->Handle());
    TrayIconData_.szTip = window_->Caption();
    AddTrayIcon();
    sysTray_.HookWindow(window_->Handle());
    if (Before(platform_.Time().Now(), kChangeRowUntil))
        ShowChangeRow(true);
}

void frmConvalis::Show() {
    Load();
    window_->Show();
}

void frmConvalis::Form_Unload() {
    sysTray_.UnhookWindow(window_->Handle());
    platform_.ShellServices().NotifyIcon(platform::nim::kDelete, TrayIconData_);
    trayIconShown_ = false;
}

void frmConvalis::AddTrayIcon() {
    trayIconShown_ = platform_.ShellServices().NotifyIcon(platform::nim::kAdd, TrayIconData_);
}

// The shell's task bar came back after a restart, without the icon: it is
// added again. Should the shell refuse it, a hidden window comes back on
// screen, for nothing else could bring it back.
void frmConvalis::AddTrayIconAgain() {
    AddTrayIcon();
    KeepReachable();
}

void frmConvalis::KeepReachable() {
    if (!trayIconShown_ && !window_->Visible())
        window_->Show();
}

void frmConvalis::ShowFromTrayIcon() {
    window_->Show();
    platform_.Windows().ActivateByTitle(window_->Caption());
}

void frmConvalis::ForgetControls() {
    drag_.reset();
    entry_.reset();
    nrvFocus_.reset();
}

void frmConvalis::MouseDown(const platform::MouseEvent& event) {
    if ((event.button & platform::button::kLeft) != 0)
        drag_->Start(event.x, event.y);
}

void frmConvalis::LabelMouseDown(const platform::Label& label, const platform::MouseEvent& event) {
    platform::Bounds bounds = label.Placement();
    drag_->Start(static_cast<float>(bounds.left) + event.x,
                 static_cast<float>(bounds.top) + event.y);
}

std::vector<int> frmConvalis::DisplaysClearedByEntryIn(int field) const {
    switch (field) {
        case kPriceFrancs:
            return {kPaidFrancs, kPriceEuros, kChangeEuros};
        case kPriceEuros:
            return {kPriceFrancs, kPaidFrancs, kChangeEuros};
        default:
            return {};
    }
}

bool frmConvalis::AcceptsTyping(int /*field*/) const {
    return true;
}

std::string frmConvalis::SaveUndoEntry(int k) const {
    return lblP_.at(k)->Caption();
}

void frmConvalis::RestoreUndoEntry(int k, const std::string& saved) {
    lblP_.at(k)->SetCaption(saved);
}

void frmConvalis::ConvertActiveField() {
    const std::string separator = platform_.Numbers().DecimalSeparator();
    auto value = [&](int field) { return AmountValue(lblP_[field]->Caption(), separator); };
    switch (entry_->ActiveField()) {
        case kPriceFrancs:
            lblP_[kPriceEuros]->SetCaption(
                AmountText(value(kPriceFrancs) / FrancsPerEuro, separator));
            break;
        case kPriceEuros:
            lblP_[kPriceFrancs]->SetCaption(
                AmountText(value(kPriceEuros) * FrancsPerEuro, separator));
            break;
        default:
            lblP_[kChangeEuros]->SetCaption(AmountText(
                ChangeInEuros(value(kPaidFrancs), value(kPriceEuros), separator), separator));
            break;
    }
    entry_->FinishEntry();
}

void frmConvalis::ShowChangeRow(bool shown) {
    lblEti_[kPaidFrancs]->SetVisible(shown);
    lblP_[kPaidFrancs]->SetVisible(shown);
    Line1_[kPaidFrancs]->SetVisible(shown);
    lblEti_[kChangeEuros]->SetVisible(shown);
    lblP_[kChangeEuros]->SetVisible(shown);
    changeRowShown_ = shown;
    if (entry_->ActiveField() == kPaidFrancs && !shown)
        SelectField(kPriceFrancs);
}

int frmConvalis::NextField(bool forward) const {
    int active = entry_->ActiveField();
    if (!changeRowShown_)
        return active == kPriceFrancs ? kPriceEuros : kPriceFrancs;
    // 0 -> 1 -> 2 -> 0 forward, the other way back.
    return forward ? (active + 1) % 3 : (active + 2) % 3;
}

void frmConvalis::MoveToField(bool forward) {
    entry_->EndEntry();
    SelectField(NextField(forward));
}

void frmConvalis::Form_KeyDown(int keyCode, int shift) {
    namespace vk = platform::vk;
    const bool shiftHeld = (shift & platform::shift::kShift) != 0;
    switch (keyCode) {
        case vk::kTab:
            MoveToField(!shiftHeld);
            return;
        case vk::kUp:
            MoveToField(false);
            return;
        case vk::kDown:
            MoveToField(true);
            return;
        case vk::kF4:
            if (AltHeld(shift))
                imaCommand_Click(kClose);
            return;
        case 'R':
            if (AltHeld(shift))
                imaCommand_Click(kHide);
            return;
        case 'O':
            entry_->EndEntry();
            if (AltHeld(shift))
                imaCommand_Click(kOptions);
            return;
        case vk::kF1:
            RequestHelp();
            return;
        case 'Z':
            if (AltHeld(shift))
                imaCommand_Click(kEuroZone);
            return;
        default:
            HandleEntryKey(*entry_, keyCode);
            return;
    }
}

void frmConvalis::imaCommand_Click(int index) {
    switch (index) {
        case kClose:
            Unload();
            break;
        case kHide:
            HideToNotificationArea();
            break;
        case kOptions:
            ApplyOptions();
            break;
        case kAbout:
            ShowAbout();
            break;
        case kHelp:
            // The window's own F1 handling opens the help file.
            platform_.Keys().SendKeys("{F1}");
            break;
        case kEuroZone:
            ShowZoneEuro();
            break;
        default:
            break;
    }
}

void frmConvalis::RequestHelp() {
    program_.ShowHelp(window_->Handle());
}

// Hidden, not minimised: only the notification-area icon remains, and it
// brings the window back. Without the icon the window stays shown.
void frmConvalis::HideToNotificationArea() {
    if (trayIconShown_)
        window_->Hide();
}

// The dialog only records the user's choices; they are applied here once it
// has closed with "OK". It is unloaded in every case, so that the next
// opening starts fresh with an empty mark.
void frmConvalis::ApplyOptions() {
    entry_->EndEntry();
    dialogs::frmOptions& options = program_.Options();
    UnloadAtExit unloadOptions(options);
    options.ShowModal(*window_);
    if (!options.Confirmed())
        return;
    const bool deleted = shell::WriteOrDeleteStartupShortcut(platform_, window_->Handle(),
                                                             options.StartWithWindows());
    try {
        bool shown = options.ShowChange() != 0;
        // Only a change of the row is shown: no flicker.
        if (shown != changeRowShown_)
            ShowChangeRow(shown);
    } catch (const platform::RuntimeError&) {
        // After a deletion of the shortcut, whose own errors are ignored,
        // errors of the rest of the step are ignored too.
        if (!deleted)
            throw;
    }
}

void frmConvalis::ShowAbout() {
    program_.About().ShowModal(*window_);
}

// An entry in progress here continues after the euro-zone window closes.
void frmConvalis::ShowZoneEuro() {
    program_.ZoneEuro().ShowModal(*window_);
}

}  // namespace app
