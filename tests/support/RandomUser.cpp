#include "RandomUser.h"

#include <algorithm>
#include <iterator>

#include "AmountChecks.h"

namespace testing_support {
namespace {

namespace vk = platform::vk;
using offscreen::OffscreenPlatform;
using platform::shift::kAlt;
using platform::shift::kCtrl;
using platform::shift::kShift;

// Not a key: the window moves to the display scale the next byte picks.
constexpr int kScaleChange = -1;

// Both keyboards' digits and every key the windows know, with some they
// ignore. With Ctrl or Shift, C, V and Insert copy and paste. The converter
// windows take the first kConverterKeys; the last ones open windows.
const int kKeys[] = {
    vk::k0,       vk::k0 + 1, vk::k0 + 5,  vk::k0 + 9,       vk::kNumpad0, vk::kNumpad0 + 7,
    vk::kDecimal, vk::kComma, vk::kPeriod, vk::kBack,        vk::kEscape,  vk::kReturn,
    vk::kTab,     vk::kUp,    vk::kDown,   vk::kLeft,        vk::kRight,   'O',
    'A',          'R',        vk::kF4,     vk::kNumpad0 + 2, vk::k0 + 3,   vk::k0 + 7,
    vk::kBack,    'C',        'V',         vk::kInsert,      kScaleChange, 'Z',
    'X',          vk::kF1};
const char* const kKeyNames[] = {
    "0",     "1",   "5",    "9",    "Num0", "Num7",   "Dec",   "Comma", "Period", "Back", "Escape",
    "Enter", "Tab", "Up",   "Down", "Left", "Right",  "O",     "A",     "R",      "F4",   "Num2",
    "3",     "7",   "Back", "C",    "V",    "Insert", "scale", "Z",     "X",      "F1"};
static_assert(std::size(kKeys) == std::size(kKeyNames));
constexpr std::size_t kConverterKeys = 29;

const int kDpis[] = {96, 120, 144, 192};

bool Pastes(int keyCode, int shift) {
    return (shift & kAlt) == 0 && (((shift & kCtrl) != 0 && keyCode == 'V') ||
                                   (shift == kShift && keyCode == vk::kInsert));
}

std::string ShiftName(int shift) {
    return std::string(shift & kShift ? "Shift+" : "") + (shift & kCtrl ? "Ctrl+" : "") +
           (shift & kAlt ? "Alt+" : "");
}

// What a key does to the options dialog: Enter confirms it, Escape and
// Alt+F4 cancel it.
OptionsOutcome OptionsAfterKey(int keyCode, int shift) {
    if (keyCode == vk::kReturn)
        return OptionsOutcome::kConfirm;
    const bool cancels = keyCode == vk::kEscape || (keyCode == vk::kF4 && (shift & kAlt) != 0);
    return cancels ? OptionsOutcome::kCancel : OptionsOutcome::kNone;
}

// The system asks the window that takes input to close, as the task bar's
// close command does.
void RequestClose(OffscreenPlatform& platform) {
    platform.Post([&platform] {
        if (offscreen::OffscreenWindow* window = platform.ActiveWindow())
            window->Events().CloseRequested();
    });
}

}  // namespace

// Keys and the mouse on the window that takes input; the icon, the clock and
// the shell; now and then a request to close.
UserEvent RandomUser::Next(const offscreen::OffscreenWindow* active) {
    const int roll = reach_ == Reach::kConverterWindows ? 0 : Byte();
    if (active != nullptr && roll < 218)
        return roll < 159 ? Key(*active) : Mouse(*active);
    if (active == nullptr ? roll < 96 : roll < 231)
        return {[](OffscreenPlatform& platform) { platform.PostIconDoubleClick(); },
                "tray dblclick"};
    if (roll < 254) {
        const int milliseconds = 1 + Below(2000);
        return {[milliseconds](OffscreenPlatform& platform) { platform.PostTick(milliseconds); },
                "tick " + std::to_string(milliseconds)};
    }
    if (roll == 255)
        return {RequestClose, "close request", 0, OptionsOutcome::kCancel};
    // The shell goes and comes back: its icons are gone, and it tells every
    // top-level window that its task bar is there again.
    const bool refuses = Byte() < 77;
    return {[refuses](OffscreenPlatform& platform) { platform.PostShellRestart(refuses); },
            refuses ? "shell restart, refusing icons" : "shell restart",
            0,
            OptionsOutcome::kNone,
            true,
            refuses};
}

// One byte a key: its index among the keys of the reach and, in the converter
// windows, Shift, Ctrl and Alt from the bits the index leaves, Alt dropped
// where it would open or close a window. After a paste key a byte picks the
// text pasted (or none: the clipboard keeps what the program copied), after
// the scale entry the scale.
UserEvent RandomUser::Key(const offscreen::OffscreenWindow& active) {
    const bool converter = reach_ == Reach::kConverterWindows;
    const std::size_t keys = converter ? kConverterKeys : std::size(kKeys);
    const std::uint8_t choice = Byte();
    const int code = kKeys[choice % keys];
    if (code == kScaleChange) {
        const int dpi = kDpis[Byte() % std::size(kDpis)];
        return {[name = active.Name(), dpi](OffscreenPlatform& platform) {
                    platform.PostDpiChange(name, platform::Dpi(dpi));
                },
                active.Name() + " to " + std::to_string(dpi) + " dpi"};
    }
    // The soak holds a modifier down for one key in five, as a user might.
    int shift = converter ? static_cast<int>(choice / keys) & 7 : Byte() < 200 ? 0 : Byte() & 7;
    if (converter && (shift & kAlt) != 0 && (code == 'O' || code == 'R' || code == vk::kF4))
        shift = 0;
    const std::string* pasted = nullptr;
    if (Pastes(code, shift)) {
        const std::size_t pick = Byte() % (kPastedTexts.size() + 1);
        pasted = pick < kPastedTexts.size() ? &kPastedTexts[pick] : nullptr;
    }
    UserEvent event{[code, shift, pasted](OffscreenPlatform& platform) {
                        if (pasted != nullptr)
                            platform.Clipboard().SetContents(*pasted);
                        platform.PostKey(code, shift);
                    },
                    "key " + ShiftName(shift) + kKeyNames[choice % keys] +
                        (pasted != nullptr ? " of \"" + *pasted + "\"" : ""),
                    code};
    if (active.Name() == "frmOptions")
        event.options = OptionsAfterKey(code, shift);
    return event;
}

// A press somewhere on the window and a release: on a control a click; on
// the main window, now and then with moves between, which drag it.
UserEvent RandomUser::Mouse(const offscreen::OffscreenWindow& window) {
    const double twipsPerPixel = window.Dpi().TwipsPerPixel();
    const platform::Bounds at = window.Placement();
    const int x = static_cast<int>(at.left / twipsPerPixel) +
                  Below(std::max(1, static_cast<int>(at.width / twipsPerPixel)));
    const int y = static_cast<int>(at.top / twipsPerPixel) +
                  Below(std::max(1, static_cast<int>(at.height / twipsPerPixel)));
    const bool drag = window.Name() == "frmConvalis" && Below(4) == 0;
    const int dx = drag ? Below(81) - 40 : 0, dy = drag ? Below(81) - 40 : 0;
    const int button = Below(5) > 0 ? platform::button::kLeft : platform::button::kRight;
    UserEvent event;
    event.description = std::string(drag ? "drag" : "click") + " at " + std::to_string(x) + "," +
                        std::to_string(y) + (button == platform::button::kLeft ? "" : " right");
    event.post = [=](OffscreenPlatform& platform) {
        platform.PostMouseDown(x, y, button);
        if (drag) {
            platform.PostMouseMove(x + dx / 2, y + dy / 2);
            platform.PostMouseMove(x + dx, y + dy);
        }
        platform.PostMouseUp(x + dx, y + dy, button);
    };
    const platform::Control* control =
        window.ControlAt(static_cast<int>(x * twipsPerPixel - at.left),
                         static_cast<int>(y * twipsPerPixel - at.top));
    if (window.Name() == "frmOptions" && control != nullptr && button == platform::button::kLeft) {
        if (control->Name() == "lblAction")
            event.options =
                control->Index() == 0 ? OptionsOutcome::kConfirm : OptionsOutcome::kCancel;
        else if (control->Name() == "imaCommand")
            event.options = OptionsOutcome::kCancel;
    }
    return event;
}

}  // namespace testing_support
