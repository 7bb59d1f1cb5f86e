// The controls of the forms runtime. A window owns its controls; the program
// keeps references to them for the window's lifetime.
//
// A click, for every control that has one, is a press of the left button over
// the control and its release over the same control: the control takes the
// mouse from the press to the release, and moving off it before the release
// cancels the click (moving back on before the release restores it).
#pragma once

#include <functional>
#include <string>

#include "platform/Arguments.h"
#include "platform/Types.h"

namespace platform {

// Mouse handlers of a window or control; any may be empty.
struct MouseHandlers {
    std::function<void(const MouseEvent&)> down;
    std::function<void(const MouseEvent&)> move;
    std::function<void(const MouseEvent&)> up;
};

// Every control has a name and, in a control array, an index (-1 otherwise).
class Control {
public:
    virtual ~Control() = default;

    virtual const std::string& Name() const = 0;
    virtual int Index() const = 0;

    // Placement in twips of the window's client area.
    virtual Bounds Placement() const = 0;
    virtual void Move(const Bounds& bounds) = 0;

    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
};

enum class FontWeight { kRegular, kBold };

// What a label is to a screen reader: text to read, a button (a text
// button) or a link.
enum class AccessibleRole { kStaticText, kPushButton, kLink };
enum class Alignment { kLeft, kRight, kCenter };

struct LabelDesign {
    std::string name;
    int index = -1;
    Bounds bounds;
    std::string caption;
    OleColor foreColor = SystemColor(syscolor::kWindowText);
    FontWeight weight = FontWeight::kRegular;
    Alignment alignment = Alignment::kLeft;
    bool visible = true;
    // A link look: underlined text, a pointing-hand cursor and a tooltip.
    bool underline = false;
    bool handCursor = false;
    std::string toolTip;
    // A thin single-line border round the label.
    bool border = false;
    // The width follows the caption: fitted to the text on every change.
    bool autoSize = false;
    // A caption wider than the label is drawn in a smaller font, as much
    // smaller as it takes to show it whole on one line, on the same baseline
    // (a long amount in a display); screen readers read it whole either way.
    bool shrinkToFit = false;
    AccessibleRole role = AccessibleRole::kStaticText;
};

// The design of a plain label: text, colour, font weight and alignment.
inline LabelDesign PlainLabel(std::string name, int index, Bounds bounds, std::string caption,
                              OleColor foreColor, FontWeight weight, Alignment alignment,
                              bool visible = true) {
    LabelDesign design;
    design.name = std::move(name);
    design.index = index;
    design.bounds = bounds;
    design.caption = std::move(caption);
    design.foreColor = foreColor;
    design.weight = weight;
    design.alignment = alignment;
    design.visible = visible;
    return design;
}

// A text label with a transparent background. Its mouse handlers see every
// press, move and release; a text button or a link runs its command on a
// click.
//
// Screen readers see it with its design's role, named by its text. A shown
// label whose name changes tells them, so that they read the new text.
class Label : public Control {
public:
    virtual const std::string& Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // A text that screen readers read before the label's own: its name
    // becomes that text, a blank and the caption. Empty: the caption alone.
    virtual void SetAccessibleCaption(const std::string& caption) = 0;
    // Makes the label its window's accessibility focus, or takes that away.
    // Taking it while shown tells screen readers, which then read the label.
    virtual void SetAccessibleFocus(bool focused) = 0;
    virtual OleColor ForeColor() const = 0;
    // A colour that does not exist raises "Invalid property value".
    void SetForeColor(OleColor color) {
        RequireValidProperty(IsValidOleColor(color));
        DoSetForeColor(color);
    }
    virtual void SetMouseHandlers(MouseHandlers handlers) = 0;
    virtual void SetOnClick(std::function<void()> onClick) = 0;

protected:
    virtual void DoSetForeColor(OleColor color) = 0;
};

// Names of the pictures an image button can show; each is a 16 x 16 icon.
// The main window's are coloured; the euro-zone window's buttons show the
// black glyphs kCross, kEuroSign and kQuestionMark.
enum class Picture {
    kClose,
    kHide,
    kOptions,
    kAbout,
    kHelp,
    kEuroZone,
    kCross,
    kEuroSign,
    kQuestionMark
};

struct ImageButtonDesign {
    std::string name;
    int index = -1;
    Bounds bounds;
    Picture picture = Picture::kClose;
    std::string toolTip;
    bool visible = true;
};

// The name screen readers read for a label with an accessible caption.
inline std::string AccessibleLabelName(const std::string& accessibleCaption,
                                       const std::string& caption) {
    return accessibleCaption.empty() ? caption : accessibleCaption + " " + caption;
}

// A small picture that runs a command when clicked, with a tooltip. Screen
// readers see a push button named by its tooltip.
class ImageButton : public Control {
public:
    virtual Picture Image() const = 0;
    virtual const std::string& ToolTip() const = 0;
    virtual void SetOnClick(std::function<void()> onClick) = 0;
};

struct LineDesign {
    std::string name;
    int index = -1;
    // End points in twips of the window's client area.
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    OleColor color = SystemColor(syscolor::kWindowText);
    bool visible = true;
};

// A one-pixel line. Its placement is the rectangle its end points span.
class Line : public Control {};

struct CheckBoxDesign {
    std::string name;
    int index = -1;
    Bounds bounds;
    std::string caption;
    int value = 0;
    bool visible = true;
};

// A check box takes the keyboard focus. When its window is activated the
// focus goes back to the box that had it, or else to the first box in the
// tab order, the order in which the boxes were added. After the window's key
// preview, Tab and Shift+Tab move the focus along the tab order (round from
// the last box to the first) and Space toggles the focused box; a click
// toggles a box and gives it the focus. The focused box shows the system's
// focus rectangle. Screen readers see a check box named by its caption, with
// its state.
class CheckBox : public Control {
public:
    virtual const std::string& Caption() const = 0;
    virtual int Value() const = 0;
    // 0 unchecked or 1 checked; another value raises "Invalid property value".
    void SetValue(int value) {
        RequireValidProperty(value == 0 || value == 1);
        DoSetValue(value);
    }

protected:
    virtual void DoSetValue(int value) = 0;
};

struct SurfaceDesign {
    std::string name;
    int index = -1;
    Bounds bounds;
    bool visible = true;
};

// A child drawing surface with a persistent image: whatever is drawn through
// its device context stays until it is drawn over or cleared.
class Surface : public Control {
public:
    virtual DeviceContext Hdc() const = 0;
    // Puts the image's current content on the screen.
    virtual void Refresh() = 0;
    virtual void SetMouseHandlers(MouseHandlers handlers) = 0;
    virtual void SetOnClick(std::function<void()> onClick) = 0;
};

// A timer that ticks on the user-interface thread while enabled and its
// interval is above zero.
class Timer {
public:
    virtual ~Timer() = default;
    virtual int Interval() const = 0;
    // A negative interval raises "Invalid property value".
    void SetInterval(int milliseconds) {
        RequireValidProperty(milliseconds >= 0);
        DoSetInterval(milliseconds);
    }
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetOnTick(std::function<void()> onTick) = 0;

protected:
    virtual void DoSetInterval(int milliseconds) = 0;
};

}  // namespace platform
