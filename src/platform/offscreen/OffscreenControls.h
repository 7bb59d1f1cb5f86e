// The controls of the offscreen platform: they keep their properties, and
// the platform delivers injected events to them.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/offscreen/OffscreenGdi.h"

namespace offscreen {

template <class Interface>
class ControlBase : public Interface {
public:
    ControlBase(std::string name, int index, platform::Bounds bounds, bool visible)
        : name_(std::move(name)), index_(index), bounds_(bounds), visible_(visible) {}

    const std::string& Name() const override { return name_; }
    int Index() const override { return index_; }
    platform::Bounds Placement() const override { return bounds_; }
    void Move(const platform::Bounds& bounds) override {
        CheckWorking();
        bounds_ = bounds;
    }
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override {
        CheckWorking();
        if (visible != visible_)
            ++visibilityChanges_;
        visible_ = visible;
    }
    // How often the control appeared or disappeared: a flicker shows here.
    int VisibilityChanges() const { return visibilityChanges_; }
    // Makes every change of the control raise the platform's run-time error
    // and change nothing, as a control whose window has gone would.
    void SetBroken(bool broken) { broken_ = broken; }

protected:
    void CheckWorking() const {
        if (broken_)
            throw platform::RuntimeError("The control " + name_ + " is broken");
    }

private:
    std::string name_;
    int index_;
    platform::Bounds bounds_;
    bool visible_;
    int visibilityChanges_ = 0;
    bool broken_ = false;
};

// What the platform's mouse reaches in a control: its handlers, if it has
// any, and its click.
class MouseInput {
public:
    virtual ~MouseInput() = default;
    virtual const platform::MouseHandlers* Handlers() const { return nullptr; }
    // Runs the control's click: its command, or a check box's toggle.
    virtual void Click() = 0;
};

// The command of a click, when the program has set one.
class ClickCommand {
public:
    void Set(std::function<void()> onClick) { onClick_ = std::move(onClick); }
    void Run() const {
        if (onClick_)
            onClick_();
    }

private:
    std::function<void()> onClick_;
};

// What a label told screen readers: its name changed, or it took the focus.
struct Announcement {
    enum class Kind { kNameChange, kFocus };
    Kind kind;
    std::string control;  // "lblP(2)", or the name of a control outside an array
    std::string name;     // the label's accessible name at the time
};

class OffscreenLabel : public ControlBase<platform::Label>, public MouseInput {
public:
    // `announce` hears what the label tells screen readers while it is shown.
    OffscreenLabel(const platform::LabelDesign& design,
                   std::function<void(const Announcement&)> announce);
    const std::string& Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override;
    void SetAccessibleCaption(const std::string& caption) override;
    void SetAccessibleFocus(bool focused) override;
    platform::OleColor ForeColor() const override { return foreColor_; }
    void SetMouseHandlers(platform::MouseHandlers handlers) override { mouse_ = handlers; }
    void SetOnClick(std::function<void()> onClick) override { click_.Set(std::move(onClick)); }
    const platform::MouseHandlers* Handlers() const override { return &mouse_; }
    void Click() override { click_.Run(); }

    platform::FontWeight Weight() const { return weight_; }
    platform::Alignment Alignment() const { return alignment_; }
    const platform::LabelDesign& Design() const { return design_; }
    std::string AccessibleName() const;
    platform::AccessibleRole AccessibleRole() const { return design_.role; }
    bool HasAccessibleFocus() const { return accessibleFocus_; }

    // The width of a fitted label: every character counts this many twips.
    static constexpr int kCharacterTwips = 75;

protected:
    void DoSetForeColor(platform::OleColor color) override {
        CheckWorking();
        foreColor_ = color;
    }

private:
    // Changes the accessible name, telling screen readers if it differs.
    template <class Change>
    void ChangeName(Change change);
    void Announce(Announcement::Kind kind) const;

    platform::LabelDesign design_;
    std::function<void(const Announcement&)> announce_;
    std::string caption_;
    std::string accessibleCaption_;
    bool accessibleFocus_ = false;
    platform::OleColor foreColor_;
    platform::FontWeight weight_;
    platform::Alignment alignment_;
    platform::MouseHandlers mouse_;
    ClickCommand click_;
};

class OffscreenImageButton : public ControlBase<platform::ImageButton>, public MouseInput {
public:
    explicit OffscreenImageButton(const platform::ImageButtonDesign& design);
    platform::Picture Image() const override { return picture_; }
    const std::string& ToolTip() const override { return toolTip_; }
    void SetOnClick(std::function<void()> onClick) override { click_.Set(std::move(onClick)); }
    void Click() override { click_.Run(); }

private:
    platform::Picture picture_;
    std::string toolTip_;
    ClickCommand click_;
};

// What screen readers read for a control: a label's name, a button's tip,
// a check box's caption; nothing for the others.
std::string ReadAs(const platform::Control& control);

class OffscreenLine : public ControlBase<platform::Line> {
public:
    explicit OffscreenLine(const platform::LineDesign& design);
    platform::OleColor Color() const { return color_; }

private:
    platform::OleColor color_;
};

class OffscreenCheckBox : public ControlBase<platform::CheckBox>, public MouseInput {
public:
    explicit OffscreenCheckBox(const platform::CheckBoxDesign& design);
    const std::string& Caption() const override { return caption_; }
    int Value() const override { return value_; }
    // A click, or Space while the box has the focus, toggles it.
    void Click() override { value_ = value_ == 0 ? 1 : 0; }

protected:
    void DoSetValue(int value) override {
        CheckWorking();
        value_ = value;
    }

private:
    std::string caption_;
    int value_;
};

class OffscreenSurface : public ControlBase<platform::Surface>, public MouseInput {
public:
    // `dpi` is the window's, which outlives its controls.
    OffscreenSurface(const platform::SurfaceDesign& design, OffscreenGdi& gdi,
                     const platform::Dpi& dpi);
    ~OffscreenSurface() override;

    platform::DeviceContext Hdc() const override { return dc_; }
    void Refresh() override { ++refreshes_; }
    void SetMouseHandlers(platform::MouseHandlers handlers) override { mouse_ = handlers; }
    void SetOnClick(std::function<void()> onClick) override { click_.Set(std::move(onClick)); }
    const platform::MouseHandlers* Handlers() const override { return &mouse_; }
    void Click() override { click_.Run(); }
    // The persistent image follows the control's size.
    void Move(const platform::Bounds& bounds) override;

    const Bitmap& Image() const { return image_; }
    int Refreshes() const { return refreshes_; }

private:
    OffscreenGdi& gdi_;
    const platform::Dpi& dpi_;
    Bitmap image_;
    platform::DeviceContext dc_;
    int refreshes_ = 0;
    platform::MouseHandlers mouse_;
    ClickCommand click_;
};

// A timer on the platform's virtual time.
class OffscreenTimer : public platform::Timer {
public:
    // `clock`: the platform's virtual time in milliseconds.
    explicit OffscreenTimer(const long long& clock) : clock_(clock) {}

    int Interval() const override { return interval_; }
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;
    void SetOnTick(std::function<void()> onTick) override { onTick_ = std::move(onTick); }

    bool Running() const { return enabled_ && interval_ > 0; }
    // Ticks once for every interval that has ended by the current time.
    void CatchUp();

protected:
    void DoSetInterval(int milliseconds) override;

private:
    const long long& clock_;
    int interval_ = 0;
    bool enabled_ = true;
    long long due_ = 0;
    std::function<void()> onTick_;
};

}  // namespace offscreen
