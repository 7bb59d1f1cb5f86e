#include "platform/win32/FormAccessibility.h"

#include "platform/win32/Canvas.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Controls.h"

namespace win32 {

bool FormAccessibility::Answer(ComApartment& apartment, WPARAM wParam, LPARAM lParam,
                               LRESULT* answer) {
    return accessible_.Answer(apartment, window_, *this, this, wParam, lParam, answer);
}

void FormAccessibility::Announce(const FormControl& control, DWORD event) const {
    if (window_ != nullptr && control.Shown()) {
        NotifyAccessibility(window_, event, IdOf(control));
    }
}

AccessibleFacts FormAccessibility::Accessibility() const {
    // The standard object's: the client area, named by the caption.
    return {Widen(caption_), ROLE_SYSTEM_CLIENT, 0, 0};
}

const FormControl* FormAccessibility::Child(LONG child) const {
    if (child < 1 || child > ChildCount()) {
        return nullptr;
    }
    return controls_[static_cast<std::size_t>(child - 1)].get();
}

LONG FormAccessibility::IdOf(const FormControl& control) const {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].get() == &control) {
            return static_cast<LONG>(i + 1);
        }
    }
    return CHILDID_SELF;
}

bool FormAccessibility::ChildFacts(LONG child, AccessibleFacts* facts) const {
    const FormControl* control = Child(child);
    if (control == nullptr) {
        return false;
    }
    *facts = control->Accessibility();
    if (!control->Shown() || !::IsWindowVisible(window_)) {
        facts->state |= STATE_SYSTEM_INVISIBLE;
    }
    return true;
}

bool FormAccessibility::ChildRect(LONG child, RECT* screen) const {
    const FormControl* control = Child(child);
    if (control == nullptr) {
        return false;
    }
    *screen = control->PixelRect();
    ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(screen), 2);
    return true;
}

HWND FormAccessibility::ChildWindow(LONG child) const {
    const FormControl* control = Child(child);
    return control != nullptr ? control->Hwnd() : nullptr;
}

LONG FormAccessibility::ChildAt(POINT screen) const {
    POINT point = screen;
    ::ScreenToClient(window_, &point);
    // The controls with windows lie above the others, the last added on top.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        const RECT rect = (*it)->PixelRect();
        if ((*it)->Hwnd() != nullptr && (*it)->Shown() && ::PtInRect(&rect, point)) {
            return IdOf(**it);
        }
    }
    for (const WindowlessControl* control : canvas_.TopDown()) {
        const RECT rect = control->PixelRect();
        if (control->Shown() && ::PtInRect(&rect, point)) {
            return IdOf(*control);
        }
    }
    return CHILDID_SELF;
}

LONG FormAccessibility::FocusedChild() const {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i]->Windowless() != nullptr &&
            (controls_[i]->Accessibility().state & STATE_SYSTEM_FOCUSED) != 0) {
            return static_cast<LONG>(i + 1);
        }
    }
    return CHILDID_SELF;
}

}  // namespace win32
