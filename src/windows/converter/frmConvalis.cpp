#include "windows/converter/frmConvalis.h"

#include "chrome/mRgn.h"
#include "core/Conversion.h"
#include "ui/CommandButtons.h"
#include "ui/Keys.h"

namespace converter {
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

const std::vector<platform::ImageButtonDesign> kCommandDesigns{
    ui::CloseButton(frmConvalis::kClose),
    ui::CommandButton(frmConvalis::kHide, {960, 120, 240, 240}, platform::Picture::kHide,
                      "Réduire Alt+R"),
    ui::CommandButton(frmConvalis::kOptions, {720, 360, 240, 240}, platform::Picture::kOptions,
                      "Options Alt+O"),
    ui::AboutButton(frmConvalis::kAbout),
    ui::HelpButton(frmConvalis::kHelp),
    ui::CommandButton(frmConvalis::kEuroZone, {720, 2040, 240, 240}, platform::Picture::kEuroZone,
                      "Zone Euro Alt+Z"),
};

bool Before(const platform::LocalDateTime& a, const platform::LocalDateTime& b) {
    auto key = [](const platform::LocalDateTime& t) {
        return std::array<int, 6>{t.year, t.month, t.day, t.hour, t.minute, t.second};
    };
    return key(a) < key(b);
}

}  // namespace

frmConvalis::frmConvalis(platform::Platform& platform, MainWindowHost& host)
    : ConverterForm(platform, host, "frmConvalis", true, {kClose, kAbout, kHelp}), host_(host) {}

frmConvalis::~frmConvalis() = default;

void frmConvalis::CreateControls() {
    std::array<platform::Label*, kFields> lblEti{};
    std::array<platform::Label*, kFields> lblP{};
    for (int i = 0; i < kFields; ++i) {
        const FieldDesign& field = kFieldDesigns[i];
        platform::OleColor color = platform::SystemColor(
            i == kPriceFrancs ? platform::syscolor::kHighlight : platform::syscolor::kWindowText);
        lblEti[i] = &Window().AddLabel(platform::PlainLabel(
            "lblEti", i, field.caption, field.captionText, color, platform::FontWeight::kRegular,
            platform::Alignment::kRight, field.visibleAtStart));
        platform::LabelDesign display =
            platform::PlainLabel("lblP", i, field.display, "0", color, platform::FontWeight::kBold,
                                 platform::Alignment::kRight, field.visibleAtStart);
        // The widest amounts are wider than the display: they show whole, smaller.
        display.shrinkToFit = true;
        lblP[i] = &Window().AddLabel(display);
        HandDragTo(*lblEti[i]);
        HandDragTo(*lblP[i]);
    }
    std::array<platform::Line*, 3> lines{};
    for (int i = 0; i < 3; ++i) {
        platform::LineDesign line;
        line.name = "Line1";
        line.index = i;
        line.x1 = kLineLeft;
        line.x2 = kLineRight;
        line.y1 = line.y2 = kLineHeights[i];
        line.visible = i != kPaidFrancs;
        lines[i] = &Window().AddLine(line);
    }
    AddCommandButtons(kCommandDesigns);
    AttachEntry({lblEti.begin(), lblEti.end()}, {lblP.begin(), lblP.end()}, kMarkerDesign);
    controls_.emplace(Controls{lblEti, lblP, lines, chrome::WindowDrag(Platform(), Window())});
}

// A press on a display or a caption drags the window like one on its body.
void frmConvalis::HandDragTo(platform::Label& label) {
    platform::MouseHandlers handlers;
    handlers.down = [this, &label](const platform::MouseEvent& e) { LabelMouseDown(label, e); };
    handlers.move = [this](const platform::MouseEvent&) { controls_->drag.Move(); };
    handlers.up = [this](const platform::MouseEvent&) { controls_->drag.Release(); };
    label.SetMouseHandlers(handlers);
}

void frmConvalis::Form_Load() {
    chrome::ApplyWindowOutline(Platform(), Window());
    Window().CenterOnScreen();
    SetUpEntry();
    trayIcon_.emplace(Platform(), Window());
    if (Before(Platform().Time().Now(), kChangeRowUntil))
        ShowChangeRow(true);
}

void frmConvalis::Show() {
    Load();
    Window().Show();
}

void frmConvalis::Form_Unload() {
    trayIcon_.reset();
}

void frmConvalis::MouseDown(const platform::MouseEvent& event) {
    if ((event.button & platform::button::kLeft) != 0)
        controls_->drag.Start(event.x, event.y);
}

void frmConvalis::LabelMouseDown(const platform::Label& label, const platform::MouseEvent& event) {
    platform::Bounds bounds = label.Placement();
    controls_->drag.Start(static_cast<float>(bounds.left) + event.x,
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

std::string frmConvalis::SaveUndoEntry(int k) const {
    return controls_->lblP.at(k)->Caption();
}

void frmConvalis::RestoreUndoEntry(int k, const std::string& saved) {
    DisplayLabel(k).SetCaption(saved);
}

void frmConvalis::ConvertField(int field) {
    const std::string separator = Platform().Numbers().DecimalSeparator();
    auto value = [&](int k) { return core::AmountValue(DisplayLabel(k).Caption(), separator); };
    switch (field) {
        case kPriceFrancs:
            DisplayLabel(kPriceEuros)
                .SetCaption(core::AmountText(value(kPriceFrancs) / core::FrancsPerEuro, separator));
            break;
        case kPriceEuros:
            DisplayLabel(kPriceFrancs)
                .SetCaption(core::AmountText(value(kPriceEuros) * core::FrancsPerEuro, separator));
            break;
        default:
            DisplayLabel(kChangeEuros)
                .SetCaption(core::AmountText(
                    core::ChangeInEuros(value(kPaidFrancs), value(kPriceEuros), separator),
                    separator));
            break;
    }
}

void frmConvalis::ShowChangeRow(bool shown) {
    Controls& controls = *controls_;
    controls.lblEti[kPaidFrancs]->SetVisible(shown);
    controls.lblP[kPaidFrancs]->SetVisible(shown);
    controls.Line1[kPaidFrancs]->SetVisible(shown);
    controls.lblEti[kChangeEuros]->SetVisible(shown);
    controls.lblP[kChangeEuros]->SetVisible(shown);
    changeRowShown_ = shown;
    if (ActiveField() == kPaidFrancs && !shown)
        SelectField(kPriceFrancs);
}

int frmConvalis::NextField(int active, bool forward) const {
    if (!changeRowShown_)
        return active == kPriceFrancs ? kPriceEuros : kPriceFrancs;
    // 0 -> 1 -> 2 -> 0 forward, the other way back.
    return forward ? (active + 1) % 3 : (active + 2) % 3;
}

bool frmConvalis::WindowKeyDown(int keyCode, int shift) {
    switch (keyCode) {
        case 'R':
            if (ui::AltHeld(shift))
                imaCommand_Click(kHide);
            return true;
        case 'O':
            Entry().EndEntry();
            if (ui::AltHeld(shift))
                imaCommand_Click(kOptions);
            return true;
        case 'Z':
            if (ui::AltHeld(shift))
                imaCommand_Click(kEuroZone);
            return true;
        default:
            return false;
    }
}

void frmConvalis::WindowCommand(int index) {
    switch (index) {
        case kHide:
            trayIcon_->HideWindow();
            break;
        case kOptions:
            Entry().EndEntry();
            host_.ShowOptions();
            break;
        case kEuroZone:
            // An entry in progress here continues after the window closes.
            host_.ShowZoneEuro(Window());
            break;
        default:
            break;
    }
}

}  // namespace converter
