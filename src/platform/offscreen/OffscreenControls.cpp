#include "platform/offscreen/OffscreenControls.h"

#include <algorithm>

#include "platform/LineGeometry.h"

namespace offscreen {
namespace {

int Pixels(int twips, platform::Dpi dpi) {
    return std::max(1, dpi.ToPixels(twips));
}

}  // namespace

OffscreenLabel::OffscreenLabel(const platform::LabelDesign& design,
                               std::function<void(const Announcement&)> announce)
    : ControlBase(design.name, design.index, design.bounds, design.visible),
      design_(design),
      announce_(std::move(announce)),
      foreColor_(design.foreColor),
      weight_(design.weight),
      alignment_(design.alignment) {
    SetCaption(design.caption);
}

std::string ReadAs(const platform::Control& control) {
    if (const auto* label = dynamic_cast<const OffscreenLabel*>(&control))
        return label->AccessibleName();
    if (const auto* button = dynamic_cast<const OffscreenImageButton*>(&control))
        return button->ToolTip();
    if (const auto* box = dynamic_cast<const OffscreenCheckBox*>(&control))
        return box->Caption();
    return {};
}

std::string OffscreenLabel::AccessibleName() const {
    return platform::AccessibleLabelName(accessibleCaption_, caption_);
}

template <class Change>
void OffscreenLabel::ChangeName(Change change) {
    const std::string before = AccessibleName();
    change();
    if (AccessibleName() != before)
        Announce(Announcement::Kind::kNameChange);
}

void OffscreenLabel::Announce(Announcement::Kind kind) const {
    if (!Visible() || !announce_)
        return;
    const std::string control =
        Index() >= 0 ? Name() + "(" + std::to_string(Index()) + ")" : Name();
    announce_(Announcement{kind, control, AccessibleName()});
}

void OffscreenLabel::SetAccessibleCaption(const std::string& caption) {
    CheckWorking();
    ChangeName([&] { accessibleCaption_ = caption; });
}

void OffscreenLabel::SetAccessibleFocus(bool focused) {
    CheckWorking();
    accessibleFocus_ = focused;
    if (focused)
        Announce(Announcement::Kind::kFocus);
}

void OffscreenLabel::SetCaption(const std::string& caption) {
    CheckWorking();
    ChangeName([&] { caption_ = caption; });
    if (!design_.autoSize)
        return;
    // Characters, not bytes: continuation bytes of UTF-8 do not count.
    int characters = 0;
    for (char c : caption)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    platform::Bounds bounds = Placement();
    bounds.width = characters * kCharacterTwips;
    Move(bounds);
}

OffscreenImageButton::OffscreenImageButton(const platform::ImageButtonDesign& design)
    : ControlBase(design.name, design.index, design.bounds, design.visible),
      picture_(design.picture),
      toolTip_(design.toolTip) {}

OffscreenLine::OffscreenLine(const platform::LineDesign& design)
    : ControlBase(design.name, design.index, platform::LineSpan(design), design.visible),
      color_(design.color) {}

OffscreenCheckBox::OffscreenCheckBox(const platform::CheckBoxDesign& design)
    : ControlBase(design.name, design.index, design.bounds, design.visible),
      caption_(design.caption),
      value_(design.value) {}

OffscreenSurface::OffscreenSurface(const platform::SurfaceDesign& design, OffscreenGdi& gdi,
                                   const platform::Dpi& dpi)
    : ControlBase(design.name, design.index, design.bounds, design.visible),
      gdi_(gdi),
      dpi_(dpi),
      image_(Pixels(design.bounds.width, dpi), Pixels(design.bounds.height, dpi), 0),
      dc_(gdi.Attach(image_)) {}

OffscreenSurface::~OffscreenSurface() {
    gdi_.Detach(dc_);
}

void OffscreenSurface::Move(const platform::Bounds& bounds) {
    ControlBase::Move(bounds);
    image_.Resize(Pixels(bounds.width, dpi_), Pixels(bounds.height, dpi_), 0);
}

void OffscreenTimer::DoSetInterval(int milliseconds) {
    interval_ = milliseconds;
    due_ = clock_ + interval_;
}

void OffscreenTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    due_ = clock_ + interval_;
}

void OffscreenTimer::CatchUp() {
    while (Running() && due_ <= clock_) {
        due_ += interval_;
        if (onTick_)
            onTick_();
    }
}

}  // namespace offscreen
