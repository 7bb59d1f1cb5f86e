// Any key sequence typed into a converter window, the main one or the
// euro-zone one, copy and paste and moves to another display scale
// included: after every key the displays hold sound amounts, every converted
// pair agrees with the exact decimal reference to the cent, the entry state
// agrees with the displays, and Escape takes back an entry whole.
#include <cstdint>
#include <string>
#include <vector>

#include "AmountChecks.h"
#include "FuzzInput.h"
#include "app/Program.h"
#include "app/mMain.h"
#include "platform/offscreen/OffscreenPlatform.h"

namespace {

namespace vk = platform::vk;

constexpr const char* kResetSeparator = ",";

// Not a key: the window moves to the display scale that the next byte picks.
constexpr int kScaleChange = -1;

// The keys the converter windows know, and some they ignore. The keys that
// open, hide or close windows, and help, are left to the soak. With Ctrl or
// Shift, C, V and Insert copy and paste; a paste takes the text that the
// next byte picks.
const std::vector<int> kKeys = {
    vk::k0,       vk::k0 + 1, vk::k0 + 5,  vk::k0 + 9,       vk::kNumpad0, vk::kNumpad0 + 7,
    vk::kDecimal, vk::kComma, vk::kPeriod, vk::kBack,        vk::kEscape,  vk::kReturn,
    vk::kTab,     vk::kUp,    vk::kDown,   vk::kLeft,        vk::kRight,   'O',
    'A',          'R',        vk::kF4,     vk::kNumpad0 + 2, vk::k0 + 3,   vk::k0 + 7,
    vk::kBack,    'C',        'V',         vk::kInsert,      kScaleChange,
};

const platform::Dpi kScales[] = {platform::Dpi(96), platform::Dpi(120), platform::Dpi(144),
                                 platform::Dpi(192)};

bool OpensOrCloses(int keyCode, int shift) {
    const bool alt = (shift & platform::shift::kAlt) != 0;
    return alt && (keyCode == 'O' || keyCode == 'R' || keyCode == vk::kF4);
}

bool Pastes(int keyCode, int shift) {
    const bool ctrl = (shift & platform::shift::kCtrl) != 0;
    const bool alt = (shift & platform::shift::kAlt) != 0;
    return !alt && ((ctrl && keyCode == 'V') ||
                    (shift == platform::shift::kShift && keyCode == vk::kInsert));
}

// What Escape must bring back: every display, and the euro-zone currency.
struct Snapshot {
    std::vector<std::string> displays;
    int currency = -1;
    bool operator==(const Snapshot& other) const {
        return displays == other.displays && currency == other.currency;
    }
};

// One program with both converter windows for the whole run, the euro-zone
// one shown beside the main one rather than modal, their faces not painted:
// loading and drawing a window costs far more than a key. Each input starts from the same state
// all the same, set through the windows' own operations.
class Session {
public:
    Session() {
        // No check reads a pixel.
        platform_.Gdi().SetPainting(false);
        app::Main(program_);
        Zone().Load();
        Zone().Window().Show();
        Reset();
    }
    ~Session() {
        Zone().Unload();
        Main().Unload();
        platform_.RunPending();
    }

    void Start(bool changeRow, const std::string& separator, bool onZone) {
        separator_ = separator;
        platform_.SetDecimalSeparator(separator);
        onZone_ = onZone;
        if (changeRow)
            Main().ShowChangeRow(true);
        // The amounts converted with the other separator convert again.
        if (separator != kResetSeparator) {
            ResetEntry(Main(), converter::frmConvalis::kPriceFrancs);
            ResetEntry(Zone(), zone::frmZoneEuro::kCurrencyAmount);
        }
        Form().Window().Activate();
    }

    void Press(int keyCode, int shift, const std::string* pasted) {
        platform_.Post([this] {
            typing_ = Form().EntryInProgress();
            if (!typing_)
                beforeEntry_ = Observe();
        });
        if (pasted != nullptr)
            platform_.Post([this, pasted] { platform_.Clipboard().SetContents(*pasted); });
        platform_.PostKey(keyCode, shift);
        platform_.Post([this, keyCode] { Check(keyCode); });
    }

    void ChangeScale(platform::Dpi dpi) {
        platform_.PostDpiChange(onZone_ ? "frmZoneEuro" : "frmConvalis", dpi);
        platform_.Post([this] { Check(0); });
    }

    void Run() {
        platform_.RunPending();
        fuzzing::Expect(platform_.HandlerErrors().empty(), "a handler raised an error");
    }

    // Both windows idle on their first amount, at 96 dpi, with every
    // display and the undo state as a "0" converted from the first amount
    // leaves them; the change row hidden, nothing on the clipboard, no
    // announcement kept. An input then leaves the heap as it found it, and
    // libFuzzer, seeing no growth, need not scan the whole heap for leaks.
    void Reset() {
        platform_.SetDecimalSeparator(kResetSeparator);
        platform_.Clipboard().SetContents("");
        for (const char* name : {"frmConvalis", "frmZoneEuro"}) {
            offscreen::OffscreenWindow& window = *platform_.FindWindow(name);
            if (window.Dpi() != kScales[0])
                window.ChangeDpi(kScales[0]);
            window.ClearAnnouncements();
        }
        Main().ShowChangeRow(false);
        ResetEntry(Main(), converter::frmConvalis::kPriceFrancs);
        Zone().SelectCurrency(core::kFrenchFrancRow);
        ResetEntry(Zone(), zone::frmZoneEuro::kCurrencyAmount);
        fuzzing::Expect(platform_.HandlerErrors().empty(), "a handler raised an error");
    }

private:
    converter::frmConvalis& Main() { return program_.MainWindow(); }
    zone::frmZoneEuro& Zone() { return program_.ZoneEuro(); }
    ui::ConverterForm& Form() { return onZone_ ? static_cast<ui::ConverterForm&>(Zone()) : Main(); }

    // Two entries of 0: the second saves as undo state what the first left.
    void ResetEntry(ui::ConverterForm& form, int field) {
        form.Window().Activate();
        platform_.PostKey(vk::kEscape);
        platform_.Post([&form, field] { form.SelectField(field); });
        for (int round = 0; round < 2; ++round) {
            platform_.PostKey(vk::k0);
            platform_.PostKey(vk::kReturn);
        }
        platform_.RunPending();
    }

    Snapshot Observe() {
        Snapshot snapshot;
        const int fields = onZone_ ? zone::frmZoneEuro::kFields : converter::frmConvalis::kFields;
        for (int i = 0; i < fields; ++i)
            snapshot.displays.push_back(Form().DisplayText(i));
        if (onZone_)
            snapshot.currency = Zone().CurrencyIndex();
        return snapshot;
    }

    void Check(int keyCode) {
        const std::string problem = onZone_
                                        ? testing_support::ZoneWindowProblem(Zone(), separator_)
                                        : testing_support::MainWindowProblem(Main(), separator_);
        fuzzing::Expect(problem.empty(), problem + " after key " + std::to_string(keyCode));
        if (keyCode == vk::kEscape) {
            fuzzing::Expect(!Form().EntryInProgress(), "Escape left the entry in progress");
            fuzzing::Expect(!typing_ || Observe() == beforeEntry_,
                            "Escape did not bring back the displays of before the entry");
        }
    }

    offscreen::OffscreenPlatform platform_;
    app::Program program_{platform_};
    std::string separator_;
    bool onZone_ = false;
    bool typing_ = false;
    Snapshot beforeEntry_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Session session;
    fuzzing::FuzzInput in(data, size);
    const std::uint8_t setup = in.Byte();
    session.Start(setup & 1, setup & 2 ? "." : ",", setup & 4);
    while (!in.Empty()) {
        const std::uint8_t choice = in.Byte();
        const int keyCode = kKeys[choice % kKeys.size()];
        if (keyCode == kScaleChange) {
            session.ChangeScale(kScales[in.Byte() % std::size(kScales)]);
            continue;
        }
        // Shift, Ctrl and Alt from the bits the key index leaves.
        int shift = (choice / kKeys.size()) & 7;
        if (OpensOrCloses(keyCode, shift))
            shift = 0;
        // Past the list, the clipboard keeps what the program copied.
        const std::string* pasted = nullptr;
        if (Pastes(keyCode, shift)) {
            const std::size_t pick = in.Byte() % (testing_support::kPastedTexts.size() + 1);
            if (pick < testing_support::kPastedTexts.size())
                pasted = &testing_support::kPastedTexts[pick];
        }
        session.Press(keyCode, shift, pasted);
    }
    session.Run();
    session.Reset();
    return 0;
}
