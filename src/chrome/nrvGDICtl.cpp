#include "chrome/nrvGDICtl.h"

#include "chrome/mDrawing.h"
#include "platform/Types.h"

namespace chrome {
namespace {

constexpr const char* kBackColorKey = "BackColor";
constexpr const char* kForeColorKey = "ForeColor";
constexpr const char* kFillColorKey = "FillColor";
constexpr const char* kFillStyleKey = "FillStyle";
constexpr const char* kDrawModeKey = "DrawMode";

// A saved colour: 32 bits, written signed or unsigned (a design holds
// &H80000005, which reads as 2147483653). Anything wider raises "Overflow".
platform::OleColor SavedColor(std::int64_t value) {
    if (value < INT32_MIN || value > static_cast<std::int64_t>(UINT32_MAX))
        throw platform::RuntimeError("Overflow");
    return static_cast<platform::OleColor>(static_cast<std::uint32_t>(value));
}

}  // namespace

nrvGDICtl::nrvGDICtl(platform::Surface& surface, platform::Gdi& gdi)
    : surface_(surface),
      gdi_(gdi),
      backColor_(platform::SystemColor(platform::syscolor::kWindow)),
      foreColor_(platform::SystemColor(platform::syscolor::kButtonText)),
      fillColor_(platform::MakeRgb(0, 0, 0)) {
    SetForeColor(foreColor_);
    SetDrawMode(drawMode_);
    ApplyBrush(fillStyle_, fillColor_);
    surface_.SetOnClick([this] {
        if (Click)
            Click();
    });
    platform::MouseHandlers handlers;
    auto relay = [](std::function<void(std::int16_t&, std::int16_t&)>& event) {
        return [&event](const platform::MouseEvent& e) {
            if (!event)
                return;
            std::int16_t button = static_cast<std::int16_t>(e.button);
            std::int16_t shift = static_cast<std::int16_t>(e.shift);
            event(button, shift);
        };
    };
    handlers.down = relay(MouseDown);
    handlers.up = relay(MouseUp);
    surface_.SetMouseHandlers(handlers);
    Cls();
}

void nrvGDICtl::SetBackColor(platform::OleColor NewBackColor) {
    backColor_ = NewBackColor;
}

void nrvGDICtl::SetForeColor(platform::OleColor NewForeColor) {
    gdi_.SetPen(hdc(), TranslateColor(gdi_, NewForeColor));
    foreColor_ = NewForeColor;
}

// Each setter applies the value to the surface before keeping it: when the
// surface refuses, the attribute keeps its previous value.
void nrvGDICtl::SetFillColor(platform::OleColor NewFillColor) {
    ApplyBrush(fillStyle_, NewFillColor);
    fillColor_ = NewFillColor;
}

void nrvGDICtl::SetFillstyle(std::int32_t NewFillStyle) {
    std::int16_t style = Narrow16(NewFillStyle);
    ApplyBrush(style, fillColor_);
    fillStyle_ = style;
}

void nrvGDICtl::SetDrawMode(std::int32_t NewDrawMode) {
    std::int16_t mode = Narrow16(NewDrawMode);
    gdi_.SetDrawMode(hdc(), mode);
    drawMode_ = mode;
}

void nrvGDICtl::Cls() {
    gdi_.Clear(hdc(), TranslateColor(gdi_, backColor_));
}

void nrvGDICtl::ApplyBrush(std::int16_t fillStyle, platform::OleColor fillColor) {
    gdi_.SetBrush(hdc(), fillStyle, TranslateColor(gdi_, fillColor));
}

std::int16_t nrvGDICtl::Narrow16(std::int64_t value) {
    if (value < INT16_MIN || value > INT16_MAX)
        throw platform::RuntimeError("Overflow");
    return static_cast<std::int16_t>(value);
}

void nrvGDICtl::LoadState(const PropertyBag& bag) {
    SetBackColor(SavedColor(bag.ReadProperty(kBackColorKey, backColor_)));
    SetForeColor(SavedColor(bag.ReadProperty(kForeColorKey, foreColor_)));
    SetFillColor(SavedColor(bag.ReadProperty(kFillColorKey, fillColor_)));
    SetFillstyle(Narrow16(bag.ReadProperty(kFillStyleKey, fillStyle_)));
    SetDrawMode(Narrow16(bag.ReadProperty(kDrawModeKey, drawMode_)));
}

void nrvGDICtl::SaveState(PropertyBag& bag) const {
    bag.WriteProperty(kBackColorKey, backColor_);
    bag.WriteProperty(kForeColorKey, foreColor_);
    bag.WriteProperty(kFillColorKey, fillColor_);
    bag.WriteProperty(kFillStyleKey, fillStyle_);
    bag.WriteProperty(kDrawModeKey, drawMode_);
}

}  // namespace chrome
