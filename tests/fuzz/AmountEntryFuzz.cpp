// Any key sequence typed into a converter window, the main one or the
// euro-zone one: after every key the displays hold sound amounts and the
// entry state agrees with them, and Escape takes back an entry whole.
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

// The keys the converter windows know, and some they ignore. The keys that
// open, hide or close windows, and help, are left to the soak.
const std::vector<int> kKeys = {
    vk::k0,           vk::k0 + 1,       vk::k0 + 5, vk::k0 + 9,  vk::kNumpad0,
    vk::kNumpad0 + 7, vk::kDecimal,     vk::kComma, vk::kPeriod, vk::kBack,
    vk::kEscape,      vk::kReturn,      vk::kTab,   vk::kUp,     vk::kDown,
    vk::kLeft,        vk::kRight,       'O',        'A',         'R',
    vk::kF4,          vk::kNumpad0 + 2, vk::k0 + 3, vk::k0 + 7,  vk::kBack,
};

bool OpensOrCloses(int keyCode, int shift) {
    const bool alt = (shift & platform::shift::kAlt) != 0;
    return alt && (keyCode == 'O' || keyCode == 'R' || keyCode == vk::kF4);
}

// What Escape must bring back: every display, and the euro-zone currency.
struct Snapshot {
    std::vector<std::string> displays;
    int currency = -1;
    bool operator==(const Snapshot& other) const {
        return displays == other.displays && currency == other.currency;
    }
};

// One program for the whole run: loading its main window costs far more than
// a key. Each input starts from the same state all the same, reached by keys.
class Session {
public:
    Session() { app::Main(program_); }
    ~Session() {
        program_.MainWindow().Unload();
        platform_.RunPending();
    }

    // Idle on field 0 with the displays and the undo state at "0", "0",
    // "0.00", "0": two entries of 0, the second made from what the first left.
    void Reset(bool changeRow, const std::string& separator) {
        separator_ = separator;
        platform_.SetDecimalSeparator(separator);
        converter::frmConvalis& main = program_.MainWindow();
        platform_.PostKey(vk::kEscape);
        platform_.Post([&main, changeRow] {
            main.ShowChangeRow(changeRow);
            main.SelectField(converter::frmConvalis::kPriceFrancs);
        });
        for (int round = 0; round < 2; ++round) {
            platform_.PostKey(vk::k0);
            platform_.PostKey(vk::kReturn);
        }
        Run();
    }

    // Back to the state the previous input left: Reset's own, with the
    // change row hidden and a comma, nothing observed, no announcement kept.
    // An input then leaves the heap as it found it, and libFuzzer, seeing
    // no growth, need not scan the whole heap for leaks after it.
    void Settle() {
        Reset(false, ",");
        beforeEntry_ = Snapshot();
        platform_.FindWindow("frmConvalis")->ClearAnnouncements();
    }

    void OpenEuroZone() { platform_.PostKey('Z', platform::shift::kAlt); }

    void Press(int keyCode, int shift) {
        platform_.Post([this] {
            typing_ = EntryInProgress();
            if (!typing_)
                beforeEntry_ = Observe();
        });
        platform_.PostKey(keyCode, shift);
        platform_.Post([this, keyCode] { Check(keyCode); });
    }

    // Delivers the keys; an open euro-zone window is asked to close once
    // they run out.
    void Run() {
        platform_.RunPending();
        fuzzing::Expect(platform_.HandlerErrors().empty(), "a handler raised an error");
    }

private:
    bool OnZone() { return program_.ZoneEuro().Loaded(); }
    bool EntryInProgress() {
        return OnZone() ? program_.ZoneEuro().EntryInProgress()
                        : program_.MainWindow().EntryInProgress();
    }
    Snapshot Observe() {
        Snapshot snapshot;
        if (OnZone()) {
            for (int i = 0; i < zone::frmZoneEuro::kFields; ++i)
                snapshot.displays.push_back(program_.ZoneEuro().DisplayText(i));
            snapshot.currency = program_.ZoneEuro().CurrencyIndex();
        } else {
            for (int i = 0; i < converter::frmConvalis::kFields; ++i)
                snapshot.displays.push_back(program_.MainWindow().DisplayText(i));
        }
        return snapshot;
    }
    void Check(int keyCode) {
        const std::string problem =
            OnZone() ? testing_support::ZoneWindowProblem(program_.ZoneEuro(), separator_)
                     : testing_support::MainWindowProblem(program_.MainWindow(), separator_);
        fuzzing::Expect(problem.empty(), problem + " after key " + std::to_string(keyCode));
        if (keyCode == vk::kEscape) {
            fuzzing::Expect(!EntryInProgress(), "Escape left the entry in progress");
            fuzzing::Expect(!typing_ || Observe() == beforeEntry_,
                            "Escape did not bring back the displays of before the entry");
        }
    }

    offscreen::OffscreenPlatform platform_;
    app::Program program_{platform_};
    std::string separator_;
    bool typing_ = false;
    Snapshot beforeEntry_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Session session;
    fuzzing::FuzzInput in(data, size);
    const std::uint8_t setup = in.Byte();
    session.Reset(setup & 1, setup & 2 ? "." : ",");
    if (setup & 4)
        session.OpenEuroZone();
    while (!in.Empty()) {
        const std::uint8_t choice = in.Byte();
        const int keyCode = kKeys[choice % kKeys.size()];
        // Shift, Ctrl and Alt from the bits the key index leaves.
        int shift = (choice / kKeys.size()) & 7;
        if (OpensOrCloses(keyCode, shift))
            shift = 0;
        session.Press(keyCode, shift);
    }
    session.Run();
    session.Settle();
    return 0;
}
