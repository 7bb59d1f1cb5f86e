// The program suite and the platform contract run over either platform
// backend. Each build links one implementation of this interface: the
// offscreen one natively, the Win32 one inside the end-to-end test program
// under Wine.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace program_tests {

class Backend {
public:
    virtual ~Backend() = default;

    virtual platform::Platform& Platform() = 0;
    // Steps that Run takes in turn, each once the one before has been
    // handled, in whatever loop runs then (a modal window's, for instance):
    // a key pressed where the keyboard focus is, a click on the control of the
    // active window that screen readers read by that name, any action (a check).
    virtual void QueueKey(int keyCode, int shift) = 0;
    virtual void QueueClick(const std::string& accessibleName) = 0;
    virtual void QueueAction(std::function<void()> action) = 0;
    // Runs the queued steps. A modal window still open after the last one is
    // asked to close, as the system asks when the input has ended.
    virtual void Run() = 0;
    // Handles the platform's events until `done` holds: true once it does,
    // false when it still does not after a generous limit.
    virtual bool RunUntil(const std::function<bool()>& done) = 0;
    // Lets `milliseconds` pass while the next loop of the platform runs (a
    // modal loop, for instance): real time passes by itself, virtual time is
    // queued.
    virtual void PassTimeLater(int milliseconds) = 0;

    // A left-button press and release at a point of the window's client
    // area, in twips.
    virtual void ClickAt(platform::Window& window, int x, int y) = 0;

    // Whether a line of a window (Line1 of that index) is on screen, and
    // whether a window takes the user's input.
    virtual bool LineShown(const platform::Window& window, int index) = 0;
    virtual bool TakesInput(const platform::Window& window) = 0;
    // The clipboard's text as another program reads and writes it.
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
};

std::unique_ptr<Backend> MakeBackend();

}  // namespace program_tests
