// Any key sequence typed into a converter window, the main one or the
// euro-zone one, copy and paste and moves to another display scale
// included: after every key the displays hold sound amounts, every converted
// pair agrees with the exact decimal reference to the cent, the entry state
// agrees with the displays, and Escape takes back an entry whole.
#include <cstdint>
#include <string>

#include "AmountChecks.h"
#include "FuzzInput.h"
#include "RandomUser.h"
#include "app/Program.h"
#include "app/mMain.h"
#include "platform/offscreen/OffscreenPlatform.h"

namespace {

namespace vk = platform::vk;

constexpr const char* kResetSeparator = ",";

// One program with both converter windows for the whole run, the euro-zone
// one shown beside the main one rather than modal, their faces not painted:
// loading and drawing a window costs far more than a key. Each input starts
// from the same state all the same, set through the windows' own operations.
// The keys are the soak's (RandomUser.h), kept to the converter windows.
class Session {
public:
    Session() {
        // No check reads a pixel.
        platform_.Gdi().SetPainting(false);
        app::Main(program_);
        Zone().Load();
        Zone().Window().Show();
        onZone_ = mainTouched_ = true;
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
        mainTouched_ = !onZone || changeRow;
        if (changeRow)
            Main().ShowChangeRow(true);
        // The amounts converted with the other separator convert again.
        if (separator != kResetSeparator)
            ResetForm();
        Form().Window().Activate();
    }

    // Checks what the last event left, then sends the one the input picks
    // and queues itself after it, until the input is used up.
    void Step() {
        const std::string problem = checks_.After(lastKey_, separator_);
        fuzzing::Expect(problem.empty(), problem + " after " + lastEvent_);
        if (input_->Empty())
            return;
        const offscreen::OffscreenWindow* window =
            platform_.FindWindow(onZone_ ? "frmZoneEuro" : "frmConvalis");
        const testing_support::UserEvent event = user_.Next(window);
        checks_.Before(window);
        lastEvent_ = event.description;
        lastKey_ = event.keyCode;
        event.post(platform_);
        platform_.Post([this] { Step(); });
    }

    void Run(fuzzing::FuzzInput& in) {
        input_ = &in;
        lastEvent_ = "the start";
        lastKey_ = 0;
        checks_.Before(nullptr);
        platform_.Post([this] { Step(); });
        platform_.RunPending();
    }

    // Both windows idle on their first amount, at 96 dpi, with every
    // display and the undo state as a "0" converted from the first amount
    // leaves them; the change row hidden, nothing on the clipboard, no
    // announcement kept. An input then leaves the heap as it found it, and
    // libFuzzer, seeing no growth, need not scan the whole heap for leaks.
    // A window the input did not reach is left as it is.
    void Reset() {
        platform_.SetDecimalSeparator(kResetSeparator);
        platform_.Clipboard().SetContents("");
        offscreen::OffscreenWindow& window =
            *platform_.FindWindow(onZone_ ? "frmZoneEuro" : "frmConvalis");
        if (window.Dpi() != platform::Dpi(96))
            window.ChangeDpi(platform::Dpi(96));
        ResetForm();
        for (const char* name : {"frmConvalis", "frmZoneEuro"})
            platform_.FindWindow(name)->ClearAnnouncements();
        fuzzing::Expect(platform_.HandlerErrors().empty(), "a handler raised an error");
    }

private:
    converter::frmConvalis& Main() { return program_.MainWindow(); }
    zone::frmZoneEuro& Zone() { return program_.ZoneEuro(); }
    ui::ConverterForm& Form() { return onZone_ ? static_cast<ui::ConverterForm&>(Zone()) : Main(); }

    void ResetForm() {
        if (mainTouched_) {
            Main().ShowChangeRow(false);
            ResetEntry(Main(), converter::frmConvalis::kPriceFrancs);
        }
        if (onZone_) {
            Zone().SelectCurrency(core::kFrenchFrancRow);
            ResetEntry(Zone(), zone::frmZoneEuro::kCurrencyAmount);
        }
    }

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

    offscreen::OffscreenPlatform platform_;
    app::Program program_{platform_};
    fuzzing::FuzzInput* input_ = nullptr;
    testing_support::RandomUser user_{testing_support::RandomUser::Reach::kConverterWindows,
                                      [this] { return input_->Byte(); }};
    // Only the window in use: the other may show amounts with the separator
    // of an earlier input.
    testing_support::ConverterChecks checks_{program_, false};
    std::string separator_;
    bool onZone_ = false;
    bool mainTouched_ = false;
    std::string lastEvent_;
    int lastKey_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Session session;
    fuzzing::FuzzInput in(data, size);
    const std::uint8_t setup = in.Byte();
    session.Start(setup & 1, setup & 2 ? "." : ",", setup & 4);
    session.Run(in);
    session.Reset();
    return 0;
}
