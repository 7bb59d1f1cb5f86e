// System services the program relies on besides windows.
#pragma once

#include <string>
#include <vector>

#include "platform/Arguments.h"
#include "platform/Dpi.h"
#include "platform/Types.h"

namespace platform {

// The application object: facts about the running program.
class Application {
public:
    virtual ~Application() = default;
    // Whether another instance of the program already runs for this user.
    virtual bool PrevInstance() const = 0;
    // The folder holding the program file, without a trailing separator
    // (except at a drive root).
    virtual std::string Path() const = 0;
    // The command-line argument text after the program's name.
    virtual std::string CommandLine() const = 0;
    virtual const std::string& HelpFile() const = 0;
    virtual void SetHelpFile(const std::string& helpFile) = 0;
    virtual std::string ProductName() const = 0;
    virtual std::string Version() const = 0;  // "major.minor.revision"
    virtual std::string FileDescription() const = 0;
    virtual std::string LegalCopyright() const = 0;
};

class Screen {
public:
    virtual ~Screen() = default;
    // The scale of the system (the main monitor's, or the only one): new
    // windows start at it; each window then has its own (Window::Dpi).
    virtual platform::Dpi SystemDpi() const = 0;
    virtual int WidthTwips() const = 0;
    virtual int HeightTwips() const = 0;
};

struct LocalDateTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() const = 0;
};

// The user's number format.
class NumberFormat {
public:
    virtual ~NumberFormat() = default;
    virtual std::string DecimalSeparator() const = 0;
};

class Keyboard {
public:
    virtual ~Keyboard() = default;
    // Sends keystrokes to the active window without waiting for them to be
    // processed. The text is read by ParseKeystrokes (KeyText.h): digits and
    // key names such as "{F1}" or "{ENTER}"; a text it cannot read raises
    // "Invalid procedure call or argument" and sends nothing.
    void SendKeys(const std::string& keys);

protected:
    // Posts these virtual-key codes, each pressed and released.
    virtual void PostKeys(const std::vector<int>& keyCodes) = 0;
};

class Help {
public:
    virtual ~Help() = default;
    // Opens a help file with the platform's help viewer, for `owner`.
    virtual void ShowContents(WindowHandle owner, const std::string& helpFile) = 0;
};

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // A message box with an OK button and the critical icon.
    virtual void ShowCritical(const std::string& text, const std::string& title) = 0;
};

// A window's outline, in pixels of the window: the ellipse inscribed in
// `disc` joined with the rectangles `bars`. A rectangle holds its left and
// top edges, not its right and bottom ones.
struct WindowShape {
    struct Rect {
        int left = 0, top = 0, right = 0, bottom = 0;
    };
    Rect disc;
    std::vector<Rect> bars;
};

// Device-context drawing, colours and window shapes.
class Gdi {
public:
    virtual ~Gdi() = default;
    virtual Rgb SysColor(int index) const = 0;
    // OleTranslateColor: false when the colour cannot be translated.
    virtual bool TranslateColor(OleColor color, Rgb* rgb) const = 0;

    virtual void MoveTo(DeviceContext dc, int x, int y) = 0;
    // Draws from the pen position to (x, y), leaving out the end point.
    virtual void LineTo(DeviceContext dc, int x, int y) = 0;
    // A solid pen one pixel wide.
    virtual void SetPen(DeviceContext dc, Rgb color) = 0;
    // Fill style 0 solid, 1 transparent, 2 to 7 the hatch patterns; another
    // raises "Invalid property value".
    void SetBrush(DeviceContext dc, int fillStyle, Rgb color) {
        RequireValidProperty(fillStyle >= 0 && fillStyle <= 7);
        DoSetBrush(dc, fillStyle, color);
    }
    // How the pen combines with what it draws over, as the drawing surface's
    // DrawMode numbers it: 1 to 16, 13 the pen's own colour; another raises
    // "Invalid property value".
    void SetDrawMode(DeviceContext dc, int mode) {
        RequireValidProperty(mode >= 1 && mode <= 16);
        DoSetDrawMode(dc, mode);
    }
    // Fills the whole surface behind the device context.
    virtual void Clear(DeviceContext dc, Rgb color) = 0;

    // Cuts the window to `shape`, redrawn at once: false when the window
    // refuses it and stays as it was.
    virtual bool SetWindowShape(WindowHandle window, const WindowShape& shape) = 0;
    // Gives the window its whole rectangle back.
    virtual void RemoveWindowShape(WindowHandle window) = 0;
    // Paints a frame along the inside edge of the window's shape into `dc`:
    // `width` pixels on vertical edges, `height` on horizontal ones. Nothing
    // for a window without a shape.
    virtual void FrameWindowShape(WindowHandle window, DeviceContext dc, Rgb color, int width,
                                  int height) = 0;

protected:
    virtual void DoSetBrush(DeviceContext dc, int fillStyle, Rgb color) = 0;
    virtual void DoSetDrawMode(DeviceContext dc, int mode) = 0;
};

// The mouse pointer and its capture.
class Pointer {
public:
    virtual ~Pointer() = default;
    // The pointer's position in pixels of the screen.
    virtual Point CursorPos() const = 0;
    // Sends every mouse event to `window` until released.
    virtual void SetCapture(WindowHandle window) = 0;
    virtual void ReleaseCapture() = 0;
};

// Activating a top-level window by its title: the uppermost top-level
// window with that title comes to the front (a modal window, not its
// owner). On Win32 that is any program's window, as the system finds it;
// the offscreen desktop has only the program's windows. The program asks it
// for its own window, just shown, and a hidden window stays hidden (as
// `Window::Activate`).
class Activation {
public:
    virtual ~Activation() = default;
    virtual bool ActivateByTitle(const std::string& title) = 0;
};

}  // namespace platform
