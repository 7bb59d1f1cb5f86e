// The drawing-surface control: a child surface with a persistent image, whose
// device context the host draws on, and five drawing attributes saved with
// the window design that contains it.
#pragma once

#include <cstdint>
#include <functional>

#include "chrome/PropertyBag.h"
#include "platform/Controls.h"
#include "platform/Services.h"

namespace chrome {

class nrvGDICtl {
public:
    // Takes over `surface`: a new surface shows its back colour.
    nrvGDICtl(platform::Surface& surface, platform::Gdi& gdi);

    platform::DeviceContext hdc() const { return surface_.Hdc(); }
    platform::Surface& Surface() { return surface_; }
    const platform::Surface& Surface() const { return surface_; }

    platform::OleColor BackColor() const { return backColor_; }
    void SetBackColor(platform::OleColor NewBackColor);
    platform::OleColor ForeColor() const { return foreColor_; }
    void SetForeColor(platform::OleColor NewForeColor);
    platform::OleColor FillColor() const { return fillColor_; }
    void SetFillColor(platform::OleColor NewFillColor);
    // Fill style and draw mode are 16-bit attributes: the getters widen them
    // with their sign, the setters raise "Overflow" outside -32768..32767.
    std::int32_t Fillstyle() const { return fillStyle_; }
    void SetFillstyle(std::int32_t NewFillStyle);
    std::int32_t DrawMode() const { return drawMode_; }
    void SetDrawMode(std::int32_t NewDrawMode);

    void Refresh() { surface_.Refresh(); }
    // Clears the persistent image to the back colour.
    void Cls();

    // Raised by the surface; the host may leave them empty.
    std::function<void()> Click;
    std::function<void(std::int16_t& Button, std::int16_t& Shift)> MouseDown;
    std::function<void(std::int16_t& Button, std::int16_t& Shift)> MouseUp;

    void LoadState(const PropertyBag& bag);
    void SaveState(PropertyBag& bag) const;

private:
    void ApplyBrush(std::int16_t fillStyle, platform::OleColor fillColor);
    // Raises "Overflow" for a value outside -32768..32767.
    static std::int16_t Narrow16(std::int64_t value);

    platform::Surface& surface_;
    platform::Gdi& gdi_;
    platform::OleColor backColor_;
    platform::OleColor foreColor_;
    platform::OleColor fillColor_;
    std::int16_t fillStyle_ = 1;
    std::int16_t drawMode_ = 13;
};

}  // namespace chrome
