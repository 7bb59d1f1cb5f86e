#include "windows/zone/frmZoneEuro.h"

#include <array>

#include "chrome/mRgn.h"
#include "core/Conversion.h"
#include "ui/CommandButtons.h"

namespace zone {
namespace {

using platform::Bounds;

const platform::OleColor kHighlight = platform::SystemColor(platform::syscolor::kHighlight);
const platform::OleColor kWindowText = platform::SystemColor(platform::syscolor::kWindowText);

struct DisplayDesign {
    Bounds bounds;
    platform::FontWeight weight;
};

const std::array<DisplayDesign, frmZoneEuro::kFields> kDisplayDesigns{{
    {{840, 480, 1455, 225}, platform::FontWeight::kRegular},
    {{720, 720, 1815, 225}, platform::FontWeight::kBold},
    {{600, 1680, 1935, 225}, platform::FontWeight::kBold},
}};

constexpr Bounds kCurrencyCaption{1560, 120, 615, 225};
constexpr Bounds kEurosCaption{1440, 1440, 1095, 225};
constexpr Bounds kMarkerDesign{120, 360, 255, 255};

// The main window's buttons in the same places, with black glyphs.
const std::vector<platform::ImageButtonDesign> kCommandDesigns{
    ui::CloseButton(frmZoneEuro::kClose, platform::Picture::kCross),
    ui::AboutButton(frmZoneEuro::kAbout, platform::Picture::kEuroSign),
    ui::HelpButton(frmZoneEuro::kHelp, platform::Picture::kQuestionMark)};

}  // namespace

frmZoneEuro::frmZoneEuro(platform::Platform& platform, ui::ConverterHost& host)
    : ConverterForm(platform, host, "frmZoneEuro", false, {kClose, kAbout, kHelp}) {}

frmZoneEuro::~frmZoneEuro() = default;

void frmZoneEuro::CreateControls() {
    std::vector<platform::Label*> lblP;
    for (int i = 0; i < kFields; ++i) {
        const DisplayDesign& display = kDisplayDesigns[i];
        platform::LabelDesign design = platform::PlainLabel(
            "lblP", i, display.bounds,
            i == kCurrencyName ? core::CurrencyNames[core::kFrenchFrancRow] : "0",
            i == kCurrencyName ? kHighlight : kWindowText, display.weight,
            platform::Alignment::kRight, true);
        // The widest amounts are wider than the display: they show whole, smaller.
        design.shrinkToFit = true;
        lblP.push_back(&Window().AddLabel(design));
    }
    platform::Label& currencyCaption = Window().AddLabel(
        platform::PlainLabel("lblEti", 0, kCurrencyCaption, "prix en", kHighlight,
                             platform::FontWeight::kRegular, platform::Alignment::kLeft, true));
    platform::Label& eurosCaption = Window().AddLabel(
        platform::PlainLabel("lblEti", 2, kEurosCaption, "prix en euros", kWindowText,
                             platform::FontWeight::kRegular, platform::Alignment::kLeft, true));
    AddCommandButtons(kCommandDesigns);
    // Fields 0 and 1 share one caption.
    AttachEntry({&currencyCaption, &currencyCaption, &eurosCaption}, lblP, kMarkerDesign);
}

void frmZoneEuro::Form_Load() {
    chrome::ApplyWindowOutline(Platform(), Window());
    currencyIndex_ = core::kFrenchFrancRow;
    SetUpEntry();
}

std::vector<int> frmZoneEuro::DisplaysClearedByEntryIn(int field) const {
    switch (field) {
        case kCurrencyAmount:
            return {kEuroAmount};
        case kEuroAmount:
            return {kCurrencyAmount};
        default:
            return {};
    }
}

// Entries 0 to 2 are the displays; entry 3 is the currency row.
std::string frmZoneEuro::SaveUndoEntry(int k) const {
    return k < kFields ? DisplayText(k) : std::to_string(currencyIndex_);
}

void frmZoneEuro::RestoreUndoEntry(int k, const std::string& saved) {
    if (k < kFields) {
        DisplayLabel(k).SetCaption(saved);
    } else {
        currencyIndex_ = std::stoi(saved);
    }
}

void frmZoneEuro::SelectCurrency(int index) {
    DisplayLabel(kCurrencyName).SetCaption(core::CurrencyNames.at(index));
    currencyIndex_ = index;
    ConvertActiveField();
}

void frmZoneEuro::ConvertField(int field) {
    const double rate = core::CurrencyRates.at(currencyIndex_);
    const std::string separator = Platform().Numbers().DecimalSeparator();
    if (field == kCurrencyAmount) {
        double amount = core::AmountValue(DisplayText(kCurrencyAmount), separator);
        DisplayLabel(kEuroAmount).SetCaption(core::AmountText(amount / rate, separator));
    } else {
        double euros = core::AmountValue(DisplayText(kEuroAmount), separator);
        DisplayLabel(kCurrencyAmount).SetCaption(core::AmountText(euros * rate, separator));
    }
}

int frmZoneEuro::NextField(int active, bool forward) const {
    return forward ? (active + 1) % kFields : (active + kFields - 1) % kFields;
}

// Left and Right choose the currency, only on its name.
bool frmZoneEuro::WindowKeyDown(int keyCode, int /*shift*/) {
    if (keyCode != platform::vk::kLeft && keyCode != platform::vk::kRight)
        return false;
    if (ActiveField() == kCurrencyName) {
        const int step = keyCode == platform::vk::kRight ? 1 : core::kCurrencyCount - 1;
        SelectCurrency((currencyIndex_ + step) % core::kCurrencyCount);
    }
    return true;
}

}  // namespace zone
