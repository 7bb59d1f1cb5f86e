// What every window and control of the Win32 platform shares: the screen's
// twips factors, the fonts and pictures, the registry of loaded windows, the
// message loop with its key preview, and the guard round the program's event
// handlers.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Controls.h"
#include "platform/Types.h"
#include "platform/Window.h"
#include "platform/win32/Handles.h"
#include "platform/win32/TimingProbe.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class Win32Window;
class DrawingDc;

// Window classes of the platform. Another process may look for them.
inline constexpr wchar_t kFormClass[] = L"ConvalisForm";
inline constexpr wchar_t kLabelClass[] = L"ConvalisLabel";
inline constexpr wchar_t kImageButtonClass[] = L"ConvalisImageButton";
inline constexpr wchar_t kLineClass[] = L"ConvalisLine";
inline constexpr wchar_t kSurfaceClass[] = L"ConvalisSurface";

// The window property through which a label or a line publishes the RGB value
// of its resolved colour for observers outside the process.
inline constexpr wchar_t kForeColorProperty[] = L"Convalis.ForeColor";

// The window property through which a label or a check box publishes its font
// for observers outside the process: a global atom named after the font's
// LOGFONT, "face;height;weight;italic;underline;charset;pitchAndFamily". An
// observer makes the same font from it and measures the control's text.
inline constexpr wchar_t kFontProperty[] = L"Convalis.Font";

class Runtime {
public:
    explicit Runtime(HINSTANCE instance);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    HINSTANCE Instance() const { return instance_; }

    // Registers a window class for the lifetime of the runtime.
    void RegisterWindowClass(const wchar_t* name, WNDPROC proc, HICON icon, UINT style);

    // Screen units.
    int TwipsPerPixelX() const { return twipsPerPixelX_; }
    int TwipsPerPixelY() const { return twipsPerPixelY_; }
    int ToPixelsX(int twips) const;
    int ToPixelsY(int twips) const;
    int ToTwipsX(int pixels) const { return pixels * twipsPerPixelX_; }
    int ToTwipsY(int pixels) const { return pixels * twipsPerPixelY_; }
    RECT ToPixels(const platform::Bounds& bounds) const;

    // "MS Sans Serif" 8.25 point, one font per weight and underline, shared
    // by all controls.
    HFONT Font(platform::FontWeight weight, bool underline = false) const;
    // Names that font in the window property kFontProperty of `hwnd`.
    void PublishFont(HWND hwnd, platform::FontWeight weight, bool underline = false) const;
    // The pointing-hand cursor of links; null when the system has none.
    HCURSOR HandCursor() const { return handCursor_.Get(); }
    // The 16 x 16 icon of a picture, or null when the program has no such
    // resource.
    HICON PictureIcon(platform::Picture picture) const;
    // The program's own 16 x 16 icon.
    HICON WindowIcon() const { return windowIcon_.Get(); }

    UINT_PTR NextTimerId() { return nextTimerId_++; }

    // The benchmark's timings, or null when they are not asked for.
    TimingProbe* Probe() const { return probe_.get(); }

    // An OLE colour's RGB value now; black when it cannot be translated.
    static platform::Rgb Resolve(platform::OleColor color);
    static bool TranslateColor(platform::OleColor color, platform::Rgb* rgb);

    // Runs one of the program's event handlers. A run-time error ends the
    // handler and nothing more; any other exception is kept and thrown again
    // by the message loop, outside every window procedure.
    template <typename Handler>
    void Invoke(Handler&& handler) noexcept {
        try {
            handler();
        } catch (const platform::RuntimeError&) {
            // The run-time error ends the running handler; the program goes on.
        } catch (...) {
            if (!pending_) {
                pending_ = std::current_exception();
            }
        }
    }

    // Loaded windows by handle.
    void AddForm(HWND hwnd, Win32Window* window) { forms_[hwnd] = window; }
    void RemoveForm(HWND hwnd) { forms_.erase(hwnd); }
    Win32Window* FindForm(HWND hwnd) const;
    bool AnyFormLoaded() const { return !forms_.empty(); }

    // Device contexts whose pen and brush the platform owns.
    void AddDrawingDc(HDC dc, DrawingDc* drawing) { drawingDcs_[dc] = drawing; }
    void RemoveDrawingDc(HDC dc) { drawingDcs_.erase(dc); }
    DrawingDc* FindDrawingDc(HDC dc) const;

    // Waits for one message and handles it; false when WM_QUIT arrived (it
    // is posted again for the outer loops).
    bool PumpOne();
    // Key preview, then the normal translation and dispatch, then the
    // deletion of unloaded windows.
    void ProcessMessage(MSG& msg);

    // Keeps an unloaded window until the running message is dispatched.
    void DeferDelete(std::unique_ptr<platform::Window> window);
    void DeleteUnloaded();

private:
    void AfterMessage();

    HINSTANCE instance_;
    std::unique_ptr<TimingProbe> probe_;
    int twipsPerPixelX_ = 15;
    int twipsPerPixelY_ = 15;
    // Indexed by [bold][underline]: the fonts and the atoms that describe them.
    UniqueFont fonts_[2][2];
    UniqueGlobalAtom fontDescriptions_[2][2];
    UniqueCursor handCursor_;
    UniqueIcon windowIcon_;
    std::vector<std::pair<platform::Picture, UniqueIcon>> pictures_;
    std::vector<std::wstring> classes_;
    UINT_PTR nextTimerId_ = 1;
    std::unordered_map<HWND, Win32Window*> forms_;
    std::unordered_map<HDC, DrawingDc*> drawingDcs_;
    std::vector<std::unique_ptr<platform::Window>> unloaded_;
    std::exception_ptr pending_;
};

// A mouse message turned into the program's event, in twips of the window
// that received it.
enum class MouseKind { kNone, kDown, kMove, kUp };
MouseKind ReadMouse(const Runtime& runtime, UINT message, WPARAM wParam, LPARAM lParam,
                    platform::MouseEvent* event);

// Hands a mouse message of `hwnd` to the program through `deliver`, inside the
// handler guard. The window takes the mouse while a button is down, so that
// the release reaches the window that was pressed. False for other messages.
bool DeliverMouse(Runtime& runtime, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                  const std::function<void(MouseKind, const platform::MouseEvent&)>& deliver);

// The shift state of a key message: 1 Shift, 2 Ctrl, 4 Alt.
int KeyShiftState(const MSG& msg);

}  // namespace win32
