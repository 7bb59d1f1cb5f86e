// A window of the offscreen platform: no OS window, only its state.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Window.h"
#include "platform/offscreen/OffscreenControls.h"

namespace offscreen {

class OffscreenPlatform;

class OffscreenWindow : public platform::Window {
public:
    OffscreenWindow(OffscreenPlatform& platform, const platform::FormDesign& design,
                    platform::FormEvents& events);
    ~OffscreenWindow() override;

    const std::string& Name() const override { return design_.name; }
    platform::WindowHandle Handle() const override { return unloaded_ ? 0 : handle_; }
    const std::string& Caption() const override { return design_.caption; }

    void Show() override;
    void Hide() override;
    bool Visible() const override { return visible_; }
    bool Minimized() const override { return minimized_; }

    platform::Dpi Dpi() const override { return dpi_; }
    platform::Bounds Placement() const override { return bounds_; }
    void Move(const platform::Bounds& bounds) override;
    int ScaleWidth() const override { return bounds_.width; }
    void CenterOnScreen() override;

    platform::DeviceContext Hdc() const override { return dc_; }
    const std::string& Tag() const override { return tag_; }
    void SetTag(const std::string& tag) override { tag_ = tag; }

    // For the platform and the tests.
    platform::FormEvents& Events() { return events_; }
    bool Enabled() const { return enabled_; }
    bool Unloaded() const { return unloaded_; }
    // Hides the window and marks it gone: its modal loop ends.
    void MarkUnloaded();
    // The control with this name and index (-1 without an index), or null.
    platform::Control* FindControl(const std::string& name, int index) const;
    // The shown control that screen readers read by this name, or null.
    platform::Control* FindControlReadAs(const std::string& accessibleName) const;
    const std::vector<std::unique_ptr<OffscreenTimer>>& Timers() const { return timers_; }
    int Resizes() const { return resizes_; }
    // Minimising and restoring, as the user would from the task bar.
    void SetMinimized(bool minimized);
    // Going to a monitor of another scale: the controls keep their twips, the
    // image shows the picture at the new scale, then the program hears of it.
    void ChangeDpi(platform::Dpi dpi);
    // The window's size in its pixels.
    int PixelWidth() const { return dpi_.ToPixels(bounds_.width); }
    int PixelHeight() const { return dpi_.ToPixels(bounds_.height); }
    // The persistent image: back colour, picture, then what was drawn.
    const Bitmap& Image() const { return image_; }
    // The shape the window was given, if any.
    std::optional<platform::WindowShape>& Shape() { return shape_; }
    // Whether the window covers a point in pixels of its client area: its
    // shape, when it has one, decides.
    bool Covers(int x, int y) const;
    // The visible control under a point in twips of the client area that
    // takes the mouse, or null for the window's body.
    platform::Control* ControlAt(int x, int y) const;

    // What the window's labels told screen readers while it was shown, oldest
    // first.
    const std::vector<Announcement>& Announcements() const { return announcements_; }
    void ClearAnnouncements() { announcements_.clear(); }

    // The control that has the keyboard focus, or null.
    platform::Control* FocusedControl() const { return focus_; }
    // A press on a control that takes the focus gives it the focus.
    void PressedOn(platform::Control& control);
    // The window's own key handling after the preview: Alt+F4 asks it to
    // close; Tab and Shift+Tab move the focus along the tab order, Space
    // toggles the focused check box.
    void DefaultKeyAction(int keyCode, int shift);

protected:
    platform::Label& DoAddLabel(const platform::LabelDesign& design) override;
    platform::ImageButton& DoAddImageButton(const platform::ImageButtonDesign& design) override;
    platform::Line& DoAddLine(const platform::LineDesign& design) override;
    platform::CheckBox& DoAddCheckBox(const platform::CheckBoxDesign& design) override;
    platform::Surface& DoAddSurface(const platform::SurfaceDesign& design) override;
    platform::Timer& DoAddTimer() override;
    void DoActivate() override;
    void DoCenterOver(const platform::Window& owner) override;
    void DoShowModal(platform::Window& owner) override;

private:
    template <class T, class... Args>
    T& Keep(Args&&... args);
    void Resized();
    // The controls that can take the focus now, in tab order.
    std::vector<platform::Control*> TabStops() const;
    // On activation: the focus stays with the control that has it, or goes
    // to the first tab stop.
    void RestoreFocus();
    // The image anew at the window's size: back colour, then the picture.
    void Compose();

    OffscreenPlatform& platform_;
    platform::FormDesign design_;
    platform::FormEvents& events_;
    platform::WindowHandle handle_;
    platform::Dpi dpi_;
    platform::Bounds bounds_;
    Bitmap image_;
    platform::DeviceContext dc_;
    std::optional<platform::WindowShape> shape_;
    std::vector<std::unique_ptr<platform::Control>> controls_;
    // The check boxes among them, in the same order: the tab stops.
    std::vector<OffscreenCheckBox*> checkBoxes_;
    std::vector<std::unique_ptr<OffscreenTimer>> timers_;
    std::vector<Announcement> announcements_;
    std::string tag_;
    platform::Control* focus_ = nullptr;
    bool visible_ = false;
    bool minimized_ = false;
    bool enabled_ = true;
    bool unloaded_ = false;
    int resizes_ = 0;
};

}  // namespace offscreen
