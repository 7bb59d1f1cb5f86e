// A window's scale: the dots per inch of the monitor it stands on.
//
// The layouts are in twips (1/1440 inch); the face's own measures (the
// window's size, the disc, the bars, the frame, the marker) are pixels of a
// 96-dpi screen. Both become pixels of the window here, always rounded the
// same way, halves away from zero, so that what is made from them (the
// region, the picture, the frame, the controls) lines up at every scale. At
// 96 dpi a twip count becomes exactly what 15 twips per pixel made of it.
#pragma once

#include <cstdint>

namespace platform {

class Dpi {
public:
    static constexpr int kStandard = 96;
    static constexpr int kTwipsPerInch = 1440;

    constexpr Dpi() = default;
    // A value of 0 or less (a system that cannot tell) is taken as 96.
    constexpr explicit Dpi(int dotsPerInch) : value_(dotsPerInch > 0 ? dotsPerInch : kStandard) {}

    constexpr int Value() const { return value_; }
    // Twips as pixels of this scale: twips x dpi / 1440.
    constexpr int ToPixels(int twips) const { return RoundedRatio(twips, value_, kTwipsPerInch); }
    // Pixels of this scale as the nearest whole twips. Converting back with
    // ToPixels gives the same pixels for any scale up to 1440 dpi.
    constexpr int ToTwips(int pixels) const { return RoundedRatio(pixels, kTwipsPerInch, value_); }
    // Not a whole number at 192 dpi (7.5): positions in between are exact.
    constexpr double TwipsPerPixel() const { return static_cast<double>(kTwipsPerInch) / value_; }
    // A length in pixels of a 96-dpi screen, at this scale: px x dpi / 96.
    constexpr int Scale(int pixels96) const { return RoundedRatio(pixels96, value_, kStandard); }
    // That length in twips of this scale, so that the window shows exactly
    // Scale(pixels96) pixels.
    constexpr int ScaleToTwips(int pixels96) const { return ToTwips(Scale(pixels96)); }

    friend constexpr bool operator==(Dpi a, Dpi b) { return a.value_ == b.value_; }
    friend constexpr bool operator!=(Dpi a, Dpi b) { return a.value_ != b.value_; }

private:
    // value x numerator / denominator, halves away from zero, as MulDiv.
    static constexpr int RoundedRatio(int value, int numerator, int denominator) {
        const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
        const std::int64_t half = denominator / 2;
        const std::int64_t rounded =
            product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
        return static_cast<int>(rounded);
    }

    int value_ = kStandard;
};

}  // namespace platform
