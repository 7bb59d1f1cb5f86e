// Basic value types shared by every platform interface and the program's code.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// An OLE colour: with the top bit set the low byte is a system-colour index,
// otherwise the value is 0x00BBGGRR.
using OleColor = std::uint32_t;
// A plain 0x00BBGGRR value.
using Rgb = std::uint32_t;

constexpr OleColor SystemColor(int index) {
    return 0x80000000u | static_cast<std::uint32_t>(index);
}
constexpr Rgb MakeRgb(int r, int g, int b) {
    return static_cast<Rgb>(r) | (static_cast<Rgb>(g) << 8) | (static_cast<Rgb>(b) << 16);
}

// System colour indices the program uses.
namespace syscolor {
constexpr int kActiveCaption = 2;
constexpr int kWindow = 5;
constexpr int kWindowText = 8;
constexpr int kHighlight = 13;
constexpr int kButtonFace = 15;
constexpr int kButtonText = 18;
}  // namespace syscolor

// Opaque handles: a window, a device context. Zero means none.
using WindowHandle = std::uintptr_t;
using DeviceContext = std::uintptr_t;

// A point in pixels of the screen.
struct Point {
    int x = 0;
    int y = 0;
};

// A picture made by the program: RGB pixels row by row, or kTransparent
// where the window's back colour shows through.
struct Image {
    static constexpr std::uint32_t kTransparent = 0xFF000000u;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Shift state bits of key and mouse events.
namespace shift {
constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;
}  // namespace shift

// Mouse button bits.
namespace button {
constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;
}  // namespace button

// Windows virtual-key codes the program handles.
namespace vk {
constexpr int kBack = 8;
constexpr int kTab = 9;
constexpr int kReturn = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kInsert = 45;
constexpr int k0 = 48;
constexpr int k9 = 57;
constexpr int kA = 65;
constexpr int kZ = 90;
constexpr int kNumpad0 = 96;
constexpr int kNumpad9 = 105;
constexpr int kDecimal = 110;
constexpr int kF1 = 112;
constexpr int kF4 = 115;
constexpr int kF12 = 123;
constexpr int kComma = 188;
constexpr int kPeriod = 190;
}  // namespace vk

// A mouse event as a control or window receives it: position in twips of the
// receiving control.
struct MouseEvent {
    int button = 0;
    int shift = 0;
    float x = 0;
    float y = 0;
};

// A rectangle in twips: left, top, width, height.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The platform's run-time error: a failed property or method call. It ends the
// running event handler; changes made before it stay.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace platform
