#include "RandomUser.h"

#include <algorithm>
#include <vector>

#include "AmountChecks.h"

namespace testing_support {
namespace {

namespace vk = platform::vk;
using platform::shift::kAlt;
using platform::shift::kCtrl;
using platform::shift::kShift;

// Not a key: the window moves to the display scale the next byte picks.
constexpr int kScaleChange = -1;

struct KeyChoice {
    int code;
    const char* name;
};

// Both keyboards' digits and every key the windows know, with some they
// ignore. With Ctrl or Shift, C, V and Insert copy and paste. The converter
// windows take the first kConverterKeys; the last ones open windows.
const std::vector<KeyChoice> kKeys = {
    {vk::k0, "0"},
    {vk::k0 + 1, "1"},
    {vk::k0 + 5, "5"},
    {vk::k0 + 9, "9"},
    {vk::kNumpad0, "Num0"},
    {vk::kNumpad0 + 7, "Num7"},
    {vk::kDecimal, "Dec"},
    {vk::kComma, "Comma"},
    {vk::kPeriod, "Period"},
    {vk::kBack, "Back"},
    {vk::kEscape, "Escape"},
    {vk::kReturn, "Enter"},
    {vk::kTab, "Tab"},
    {vk::kUp, "Up"},
    {vk::kDown, "Down"},
    {vk::kLeft, "Left"},
    {vk::kRight, "Right"},
    {'O', "O"},
    {'A', "A"},
    {'R', "R"},
    {vk::kF4, "F4"},
    {vk::kNumpad0 + 2, "Num2"},
    {vk::k0 + 3, "3"},
    {vk::k0 + 7, "7"},
    {vk::kBack, "Back"},
    {'C', "C"},
    {'V', "V"},
    {vk::kInsert, "Insert"},
    {kScaleChange, "scale"},
    {'Z', "Z"},
    {vk::kF1, "F1"},
};
constexpr std::size_t kConverterKeys = 29;

const int kDpis[] = {96, 120, 144, 192};

bool OpensOrCloses(int keyCode, int shift) {
    return (shift & kAlt) != 0 && (keyCode == 'O' || keyCode == 'R' || keyCode == vk::kF4);
}

bool Pastes(int keyCode, int shift) {
    return (shift & kAlt) == 0 && (((shift & kCtrl) != 0 && keyCode == 'V') ||
                                   (shift == kShift && keyCode == vk::kInsert));
}

std::string ShiftName(int shift) {
    return std::string(shift & kShift ? "Shift+" : "") + (shift & kCtrl ? "Ctrl+" : "") +
           (shift & kAlt ? "Alt+" : "");
}

bool IsOptions(const offscreen::OffscreenWindow* window) {
    return window != nullptr && window->Name() == "frmOptions";
}

}  // namespace

UserEvent RandomUser::Next(const offscreen::OffscreenWindow* active) {
    if (reach_ == Reach::kConverterWindows)
        return ConverterEvent(*active);
    const int roll = Below(1000);
    if (active == nullptr) {
        // Only the icon brings back a hidden window.
        if (roll < 300)
            return IconDoubleClick();
        return roll < 400 ? Tick() : Key(active);
    }
    if (roll < 560)
        return Key(active);
    if (roll < 620)
        return ClipboardKey();
    if (roll < 850)
        return Mouse(*active);
    if (roll < 900)
        return IconDoubleClick();
    if (roll < 990)
        return Tick();
    if (roll < 995)
        return ShellRestart();
    return CloseRequest();
}

// One byte a key: its index in the first kConverterKeys, Shift, Ctrl and Alt
// from the bits the index leaves, Alt dropped where it would open or close
// a window. After a paste key a byte picks the text, after the scale entry
// the scale.
UserEvent RandomUser::ConverterEvent(const offscreen::OffscreenWindow& active) {
    const std::uint8_t choice = Byte();
    const int keyCode = kKeys[choice % kConverterKeys].code;
    if (keyCode == kScaleChange)
        return ScaleChange(active, kDpis[Byte() % std::size(kDpis)]);
    int shift = (choice / kConverterKeys) & 7;
    if (OpensOrCloses(keyCode, shift))
        shift = 0;
    return KeyEvent(keyCode, shift, Pastes(keyCode, shift) ? PastedText() : nullptr);
}

UserEvent RandomUser::Key(const offscreen::OffscreenWindow* active) {
    const KeyChoice& key = kKeys[static_cast<std::size_t>(Below(static_cast<int>(kKeys.size())))];
    if (key.code == kScaleChange)
        return active != nullptr ? ScaleChange(*active, kDpis[Below(4)]) : Tick();
    const int roll = Below(100);
    const int shift = roll < 10   ? kShift
                      : roll < 15 ? kCtrl
                      : roll < 27 ? kAlt
                      : roll < 30 ? 1 + Below(7)
                                  : 0;
    UserEvent event = KeyEvent(key.code, shift, Pastes(key.code, shift) ? PastedText() : nullptr);
    if (IsOptions(active)) {
        if (key.code == vk::kReturn)
            event.options = OptionsOutcome::kConfirm;
        else if (key.code == vk::kEscape || (key.code == vk::kF4 && (shift & kAlt) != 0))
            event.options = OptionsOutcome::kCancel;
    }
    return event;
}

UserEvent RandomUser::KeyEvent(int keyCode, int shift, const std::string* pasted) {
    const auto named = std::find_if(kKeys.begin(), kKeys.end(), [keyCode](const KeyChoice& key) {
        return key.code == keyCode;
    });
    UserEvent event;
    event.keyCode = keyCode;
    event.description = "key " + ShiftName(shift) + named->name +
                        (pasted != nullptr ? " of \"" + *pasted + "\"" : "");
    event.post = [keyCode, shift, pasted](offscreen::OffscreenPlatform& platform) {
        if (pasted != nullptr)
            platform.Clipboard().SetContents(*pasted);
        platform.PostKey(keyCode, shift);
    };
    return event;
}

// Copy or paste, with the keys of either pair.
UserEvent RandomUser::ClipboardKey() {
    static const std::pair<int, int> kChoices[] = {
        {'C', kCtrl}, {vk::kInsert, kCtrl}, {'V', kCtrl}, {'V', kCtrl}, {vk::kInsert, kShift}};
    const auto [code, shift] = kChoices[Below(5)];
    return KeyEvent(code, shift, Pastes(code, shift) ? PastedText() : nullptr);
}

const std::string* RandomUser::PastedText() {
    const std::size_t pick = Byte() % (kPastedTexts.size() + 1);
    return pick < kPastedTexts.size() ? &kPastedTexts[pick] : nullptr;
}

// The window goes to a monitor of another scale.
UserEvent RandomUser::ScaleChange(const offscreen::OffscreenWindow& window, int dpi) {
    return {[name = window.Name(), dpi](offscreen::OffscreenPlatform& platform) {
                platform.PostDpiChange(name, platform::Dpi(dpi));
            },
            window.Name() + " to " + std::to_string(dpi) + " dpi"};
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
    event.post = [=](offscreen::OffscreenPlatform& platform) {
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
    if (IsOptions(&window) && control != nullptr && button == platform::button::kLeft) {
        if (control->Name() == "lblAction")
            event.options =
                control->Index() == 0 ? OptionsOutcome::kConfirm : OptionsOutcome::kCancel;
        else if (control->Name() == "imaCommand")
            event.options = OptionsOutcome::kCancel;
    }
    return event;
}

UserEvent RandomUser::IconDoubleClick() {
    return {[](offscreen::OffscreenPlatform& platform) { platform.PostIconDoubleClick(); },
            "tray dblclick"};
}

// The shell goes and comes back: its icons are gone, and it tells every
// top-level window that its task bar is there again.
UserEvent RandomUser::ShellRestart() {
    UserEvent event;
    event.shellRestart = true;
    event.refuses = Below(10) < 3;
    event.description = event.refuses ? "shell restart, refusing icons" : "shell restart";
    event.post = [refuses = event.refuses](offscreen::OffscreenPlatform& platform) {
        platform.PostShellRestart(refuses);
    };
    return event;
}

UserEvent RandomUser::Tick() {
    const int milliseconds = 1 + Below(2000);
    return {
        [milliseconds](offscreen::OffscreenPlatform& platform) { platform.PostTick(milliseconds); },
        "tick " + std::to_string(milliseconds)};
}

// The system asks the window that takes input to close, as the task bar's
// close command does.
UserEvent RandomUser::CloseRequest() {
    UserEvent event;
    event.description = "close request";
    event.options = OptionsOutcome::kCancel;
    event.post = [](offscreen::OffscreenPlatform& platform) {
        platform.Post([&platform] {
            if (offscreen::OffscreenWindow* window = platform.ActiveWindow())
                window->Events().CloseRequested();
        });
    };
    return event;
}

}  // namespace testing_support
