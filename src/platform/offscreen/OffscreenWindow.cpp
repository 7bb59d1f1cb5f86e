#include "platform/offscreen/OffscreenWindow.h"

#include "platform/offscreen/OffscreenPlatform.h"

#include <algorithm>

#include "platform/TabOrder.h"
#include "platform/WindowPlacement.h"

namespace offscreen {

OffscreenWindow::OffscreenWindow(OffscreenPlatform& platform, const platform::FormDesign& design,
                                 platform::FormEvents& events)
    : platform_(platform),
      design_(design),
      events_(events),
      handle_(platform.Desk().NextHandle()),
      dpi_(platform.Display().SystemDpi()),
      bounds_(design.bounds),
      image_(1, 1, 0),
      dc_(platform.Gdi().Attach(image_)) {
    Compose();
    platform_.Desk().Register(*this);
}

OffscreenWindow::~OffscreenWindow() {
    platform_.Gdi().Detach(dc_);
    platform_.Desk().Unregister(*this);
}

void OffscreenWindow::Compose() {
    // Unpainted, the image is one pixel: nobody reads it.
    const bool painting = platform_.Gdi().Painting();
    int width = painting ? std::max(1, PixelWidth()) : 1;
    int height = painting ? std::max(1, PixelHeight()) : 1;
    platform::Rgb back = 0;
    platform_.Gdi().TranslateColor(design_.backColor, &back);
    image_.Resize(width, height, back);
    image_.Fill(back);
    if (design_.picture == nullptr || !painting)
        return;
    const platform::Image& picture = design_.picture(dpi_);
    for (int y = 0; y < std::min(height, picture.height); ++y) {
        for (int x = 0; x < std::min(width, picture.width); ++x) {
            if (picture.At(x, y) != platform::Image::kTransparent) {
                image_.SetPixel(x, y, picture.At(x, y));
            }
        }
    }
}

void OffscreenWindow::ChangeDpi(platform::Dpi dpi) {
    if (dpi == dpi_)
        return;
    dpi_ = dpi;
    Compose();
    for (const auto& control : controls_) {
        // A surface's image follows its size in the new pixels.
        if (auto* surface = dynamic_cast<OffscreenSurface*>(control.get()))
            surface->Move(surface->Placement());
    }
    platform_.Queue().Guarded([this] { events_.DpiChanged(); });
}

void OffscreenWindow::SetMinimized(bool minimized) {
    if (minimized == minimized_)
        return;
    minimized_ = minimized;
    Resized();
}

bool OffscreenWindow::Covers(int x, int y) const {
    if (x < 0 || y < 0 || x >= PixelWidth() || y >= PixelHeight()) {
        return false;
    }
    return !shape_ || ShapeCovers(*shape_, x, y);
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

std::vector<platform::Control*> OffscreenWindow::TabStops() const {
    std::vector<platform::Control*> stops;
    for (OffscreenCheckBox* box : checkBoxes_) {
        if (box->Visible())
            stops.push_back(box);
    }
    return stops;
}

void OffscreenWindow::RestoreFocus() {
    const std::vector<platform::Control*> stops = TabStops();
    if (std::find(stops.begin(), stops.end(), focus_) == stops.end())
        focus_ = stops.empty() ? nullptr : stops.front();
}

void OffscreenWindow::PressedOn(platform::Control& control) {
    const std::vector<platform::Control*> stops = TabStops();
    if (std::find(stops.begin(), stops.end(), &control) != stops.end())
        focus_ = &control;
}

void OffscreenWindow::DefaultKeyAction(int keyCode, int shift) {
    if (keyCode == platform::vk::kF4 && (shift & platform::shift::kAlt) != 0) {
        events_.CloseRequested();
        return;
    }
    if (!visible_)
        return;
    if (keyCode == platform::vk::kTab && (shift & ~platform::shift::kShift) == 0) {
        const std::vector<platform::Control*> stops = TabStops();
        if (!stops.empty())
            focus_ = platform::NextTabStop(stops, focus_, (shift & platform::shift::kShift) != 0);
    } else if (keyCode == platform::vk::kSpace && (shift & platform::shift::kAlt) == 0) {
        auto* box = dynamic_cast<OffscreenCheckBox*>(focus_);
        if (box != nullptr && box->Visible())
            box->Click();
    }
}

template <class T, class... Args>
T& OffscreenWindow::Keep(Args&&... args) {
    auto control = std::make_unique<T>(std::forward<Args>(args)...);
    T& kept = *control;
    controls_.push_back(std::move(control));
    return kept;
}

platform::Label& OffscreenWindow::DoAddLabel(const platform::LabelDesign& design) {
    return Keep<OffscreenLabel>(design, [this](const Announcement& announcement) {
        if (visible_)
            announcements_.push_back(announcement);
    });
}

platform::ImageButton& OffscreenWindow::DoAddImageButton(
    const platform::ImageButtonDesign& design) {
    return Keep<OffscreenImageButton>(design);
}

platform::Line& OffscreenWindow::DoAddLine(const platform::LineDesign& design) {
    return Keep<OffscreenLine>(design);
}

platform::CheckBox& OffscreenWindow::DoAddCheckBox(const platform::CheckBoxDesign& design) {
    OffscreenCheckBox& box = Keep<OffscreenCheckBox>(design);
    checkBoxes_.push_back(&box);
    return box;
}

platform::Surface& OffscreenWindow::DoAddSurface(const platform::SurfaceDesign& design) {
    return Keep<OffscreenSurface>(design, platform_.Gdi(), dpi_);
}

platform::Timer& OffscreenWindow::DoAddTimer() {
    timers_.push_back(std::make_unique<OffscreenTimer>(platform_.Desk().VirtualTime()));
    return *timers_.back();
}

void OffscreenWindow::Show() {
    if (unloaded_)
        throw platform::RuntimeError("The window is unloaded");
    bool wasHidden = !visible_;
    visible_ = true;
    RestoreFocus();
    if (wasHidden)
        Resized();
}

void OffscreenWindow::DoShowModal(platform::Window& owner) {
    // A window of another platform object owns nothing here.
    OffscreenWindow* const found = platform_.Desk().WindowOf(owner.Handle());
    if (found != &owner)
        throw platform::RuntimeError("Invalid owner window");
    OffscreenWindow& ownerWindow = *found;
    ownerWindow.enabled_ = false;
    // Whatever way the loop ends, even by an exception, the owner is given
    // back its input; an unloaded owner is deleted only after this.
    struct LoopEnd {
        OffscreenWindow& opener;
        ~LoopEnd() { opener.enabled_ = true; }
    } loopEnd{ownerWindow};

    Show();
    platform_.Queue().RunModal(*this);
}

void OffscreenWindow::Hide() {
    visible_ = false;
}

void OffscreenWindow::DoActivate() {
    RestoreFocus();
    platform_.Desk().BringToFront(*this);
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
    platform_.Queue().Guarded([this] { events_.Resize(); });
}

void OffscreenWindow::CenterOnScreen() {
    const platform::Screen& screen = platform_.Display();
    bounds_.left = (screen.WidthTwips() - bounds_.width) / 2;
    bounds_.top = (screen.HeightTwips() - bounds_.height) / 2;
}

void OffscreenWindow::DoCenterOver(const platform::Window& owner) {
    // The offscreen screen is one monitor without a task bar.
    const platform::Screen& screen = platform_.Display();
    const platform::Bounds workArea{0, 0, screen.WidthTwips(), screen.HeightTwips()};
    bounds_ = platform::CentredOver(owner.Placement(), bounds_.width, bounds_.height, workArea);
}

void OffscreenWindow::MarkUnloaded() {
    visible_ = false;
    unloaded_ = true;
    // Its timers go with the window, also in the middle of a catch-up.
    for (const auto& timer : timers_)
        timer->SetEnabled(false);
}

platform::Control* OffscreenWindow::FindControl(const std::string& name, int index) const {
    for (const auto& control : controls_) {
        if (control->Name() == name && control->Index() == index)
            return control.get();
    }
    return nullptr;
}

platform::Control* OffscreenWindow::FindControlReadAs(const std::string& accessibleName) const {
    for (const auto& control : controls_) {
        if (control->Visible() && ReadAs(*control) == accessibleName)
            return control.get();
    }
    return nullptr;
}

}  // namespace offscreen
