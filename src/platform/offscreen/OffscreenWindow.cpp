#include "platform/offscreen/OffscreenWindow.h"

#include "platform/offscreen/OffscreenPlatform.h"

#include <algorithm>

namespace offscreen {

OffscreenWindow::OffscreenWindow(OffscreenPlatform& platform, const platform::FormDesign& design,
                                 platform::FormEvents& events)
    : platform_(platform),
      design_(design),
      events_(events),
      handle_(platform.NextHandle()),
      bounds_(design.bounds),
      image_(1, 1, 0),
      dc_(platform.Gdi().Attach(image_)) {
    Compose();
    platform_.Register(*this);
}

OffscreenWindow::~OffscreenWindow() {
    platform_.Gdi().Detach(dc_);
    platform_.Unregister(*this);
}

void OffscreenWindow::Compose() {
    const platform::Screen& screen = platform_.Display();
    int width = std::max(1, bounds_.width / screen.TwipsPerPixelX());
    int height = std::max(1, bounds_.height / screen.TwipsPerPixelY());
    platform::Rgb back = 0;
    platform_.Gdi().TranslateColor(design_.backColor, &back);
    image_.Resize(width, height, back);
    image_.Fill(back);
    const platform::Image* picture = design_.picture;
    if (picture == nullptr)
        return;
    for (int y = 0; y < std::min(height, picture->height); ++y) {
        for (int x = 0; x < std::min(width, picture->width); ++x) {
            if (picture->At(x, y) != platform::Image::kTransparent) {
                image_.SetPixel(x, y, picture->At(x, y));
            }
        }
    }
}

void OffscreenWindow::SetMinimized(bool minimized) {
    if (minimized == minimized_)
        return;
    minimized_ = minimized;
    Resized();
}

bool OffscreenWindow::Covers(int x, int y) const {
    const platform::Screen& screen = platform_.Display();
    if (x < 0 || y < 0 || x >= bounds_.width / screen.TwipsPerPixelX() ||
        y >= bounds_.height / screen.TwipsPerPixelY()) {
        return false;
    }
    return !region_ || region_->Contains(x, y);
}

platform::Control* OffscreenWindow::ControlAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        platform::Control* control = it->get();
        if (!control->Visible() || dynamic_cast<platform::Line*>(control) != nullptr)
            continue;
        platform::Bounds b = control->Placement();
        if (x >= b.left && x < b.left + b.width && y >= b.top && y < b.top + b.height) {
            return control;
        }
    }
    return nullptr;
}

template <class T, class... Args>
T& OffscreenWindow::Keep(Args&&... args) {
    auto control = std::make_unique<T>(std::forward<Args>(args)...);
    T& kept = *control;
    controls_.push_back(std::move(control));
    return kept;
}

platform::Label& OffscreenWindow::AddLabel(const platform::LabelDesign& design) {
    return Keep<OffscreenLabel>(design);
}

platform::ImageButton& OffscreenWindow::AddImageButton(const platform::ImageButtonDesign& design) {
    return Keep<OffscreenImageButton>(design);
}

platform::Line& OffscreenWindow::AddLine(const platform::LineDesign& design) {
    return Keep<OffscreenLine>(design);
}

platform::CheckBox& OffscreenWindow::AddCheckBox(const platform::CheckBoxDesign& design) {
    return Keep<OffscreenCheckBox>(design);
}

platform::Surface& OffscreenWindow::AddSurface(const platform::SurfaceDesign& design) {
    const platform::Screen& screen = platform_.Display();
    return Keep<OffscreenSurface>(design, platform_.Gdi(), screen.TwipsPerPixelX(),
                                  screen.TwipsPerPixelY());
}

platform::Timer& OffscreenWindow::AddTimer() {
    timers_.push_back(std::make_unique<OffscreenTimer>(platform_.VirtualTime()));
    return *timers_.back();
}

void OffscreenWindow::Show() {
    if (unloaded_)
        throw platform::RuntimeError("The window is unloaded");
    bool wasHidden = !visible_;
    visible_ = true;
    if (wasHidden)
        Resized();
}

void OffscreenWindow::ShowModal(platform::Window& owner) {
    auto& ownerWindow = static_cast<OffscreenWindow&>(owner);
    ownerWindow.enabled_ = false;
    Show();
    platform_.RunModal(*this);
    ownerWindow.enabled_ = true;
}

void OffscreenWindow::Hide() {
    visible_ = false;
}

void OffscreenWindow::Activate() {
    visible_ = true;
    platform_.BringToFront(*this);
}

void OffscreenWindow::Move(const platform::Bounds& bounds) {
    bool resized = bounds.width != bounds_.width || bounds.height != bounds_.height;
    bounds_ = bounds;
    if (resized) {
        Compose();
        Resized();
    }
}

void OffscreenWindow::Resized() {
    ++resizes_;
    platform_.Guarded([this] { events_.Resize(); });
}

void OffscreenWindow::CenterOnScreen() {
    const platform::Screen& screen = platform_.Display();
    bounds_.left = (screen.WidthTwips() - bounds_.width) / 2;
    bounds_.top = (screen.HeightTwips() - bounds_.height) / 2;
}

void OffscreenWindow::CenterOver(const platform::Window& owner) {
    platform::Bounds over = owner.Placement();
    bounds_.left = over.left + (over.width - bounds_.width) / 2;
    bounds_.top = over.top + (over.height - bounds_.height) / 2;
}

void OffscreenWindow::MarkUnloaded() {
    visible_ = false;
    unloaded_ = true;
}

platform::Control* OffscreenWindow::FindControl(const std::string& name, int index) const {
    for (const auto& control : controls_) {
        if (control->Name() == name && control->Index() == index)
            return control.get();
    }
    return nullptr;
}

}  // namespace offscreen
