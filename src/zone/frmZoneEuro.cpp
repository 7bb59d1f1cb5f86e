#include "zone/frmZoneEuro.h"

#include "app/CommandButtons.h"
#include "app/Conversion.h"
#include "app/Program.h"
#include "chrome/mRgn.h"
#include "zone/CurrencyTable.h"

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

}  // namespace

frmZoneEuro::frmZoneEuro(app::Program& program)
    : Form(program.Platform(), "frmZoneEuro", false), program_(program) {}

frmZoneEuro::~frmZoneEuro() = default;

void frmZoneEuro::CreateControls() {
    for (int i = 0; i < kFields; ++i) {
        const DisplayDesign& display = kDisplayDesigns[i];
        lblP_[i] = &window_->AddLabel(platform::PlainLabel(
            "lblP", i, display.bounds, i == kCurrencyName ? CurrencyNames[kFrenchFrancRow] : "0",
            i == kCurrencyName ? kHighlight : kWindowText, display.weight,
            platform::Alignment::kRight, true));
    }
    lblEtiCurrency_ = &window_->AddLabel(
        platform::PlainLabel("lblEti", 0, kCurrencyCaption, "prix en", kHighlight,
                             platform::FontWeight::kRegular, platform::Alignment::kLeft, true));
    lblEtiEuros_ = &window_->AddLabel(
        platform::PlainLabel("lblEti", 2, kEurosCaption, "prix en euros", kWindowText,
                             platform::FontWeight::kRegular, platform::Alignment::kLeft, true));
    // The main window's buttons in the same places, with black glyphs.
    const std::array<platform::ImageButtonDesign, kCommands> commands{
        app::CloseButton(kClose, platform::Picture::kCross),
        app::AboutButton(kAbout, platform::Picture::kEuroSign),
        app::HelpButton(kHelp, platform::Picture::kQuestionMark)};
    for (int i = 0; i < kCommands; ++i) {
        imaCommand_[i] = &window_->AddImageButton(commands[i]);
        imaCommand_[i]->SetOnClick([this, i] { imaCommand_Click(i); });
    }
    nrvFocus_.emplace(platform_, *window_, kMarkerDesign);
    entry_.emplace(static_cast<app::EntryWindow&>(*this),
                   std::vector<platform::Label*>{lblEtiCurrency_, lblEtiCurrency_, lblEtiEuros_},
                   std::vector<platform::Label*>(lblP_.begin(), lblP_.end()), *nrvFocus_);
}

void frmZoneEuro::Form_Load() {
    chrome::ApplyWindowOutline(platform_, *window_);
    nrvFocus_->SetUp(lblP_[kCurrencyName]->Placement());
    currencyIndex_ = kFrenchFrancRow;
    entry_->SaveUndo();
}

void frmZoneEuro::ForgetControls() {
    entry_.reset();
    nrvFocus_.reset();
}

platform::Label* frmZoneEuro::FieldCaption(int field) const {
    return field == kEuroAmount ? lblEtiEuros_ : lblEtiCurrency_;
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
    return k < kFields ? lblP_.at(k)->Caption() : std::to_string(currencyIndex_);
}

void frmZoneEuro::RestoreUndoEntry(int k, const std::string& saved) {
    if (k < kFields) {
        lblP_.at(k)->SetCaption(saved);
    } else {
        currencyIndex_ = std::stoi(saved);
    }
}

void frmZoneEuro::SelectCurrency(int index) {
    lblP_[kCurrencyName]->SetCaption(CurrencyNames.at(index));
    currencyIndex_ = index;
    ConvertActiveField();
}

void frmZoneEuro::ConvertActiveField() {
    const double rate = CurrencyRates.at(currencyIndex_);
    const std::string separator = platform_.Numbers().DecimalSeparator();
    if (entry_->ActiveField() == kCurrencyAmount) {
        double amount = app::AmountValue(lblP_[kCurrencyAmount]->Caption(), separator);
        lblP_[kEuroAmount]->SetCaption(app::AmountText(amount / rate, separator));
    } else {
        double euros = app::AmountValue(lblP_[kEuroAmount]->Caption(), separator);
        lblP_[kCurrencyAmount]->SetCaption(app::AmountText(euros * rate, separator));
    }
    entry_->FinishEntry();
}

void frmZoneEuro::MoveToField(bool forward) {
    entry_->EndEntry();
    int active = entry_->ActiveField();
    SelectField(forward ? (active + 1) % kFields : (active + kFields - 1) % kFields);
}

void frmZoneEuro::Form_KeyDown(int keyCode, int shift) {
    namespace vk = platform::vk;
    const bool shiftHeld = (shift & platform::shift::kShift) != 0;
    const bool onCurrency = entry_->ActiveField() == kCurrencyName;
    switch (keyCode) {
        case vk::kTab:
            MoveToField(!shiftHeld);
            return;
        case vk::kDown:
            MoveToField(true);
            return;
        case vk::kUp:
            MoveToField(false);
            return;
        case vk::kLeft:
            if (onCurrency)
                SelectCurrency((currencyIndex_ + kCurrencyCount - 1) % kCurrencyCount);
            return;
        case vk::kRight:
            if (onCurrency)
                SelectCurrency((currencyIndex_ + 1) % kCurrencyCount);
            return;
        case vk::kF4:
            if ((shift & platform::shift::kAlt) != 0)
                imaCommand_Click(kClose);
            return;
        case vk::kF1:
            program_.ShowHelp(window_->Handle());
            return;
        default:
            app::HandleEntryKey(*entry_, keyCode);
            return;
    }
}

void frmZoneEuro::imaCommand_Click(int index) {
    switch (index) {
        case kClose:
            Unload();
            break;
        case kAbout:
            program_.About().ShowModal(*window_);
            break;
        case kHelp:
            // The window's own F1 handling opens the help file.
            platform_.Keys().SendKeys("{F1}");
            break;
        default:
            break;
    }
}

}  // namespace zone
