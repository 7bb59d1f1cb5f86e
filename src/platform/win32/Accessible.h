// What the windows and controls tell screen readers (Microsoft Active
// Accessibility, which UI Automation reads too). A window answers
// WM_GETOBJECT with the system's standard object for its client area, its
// name, role and state replaced by its own, and the controls it draws itself
// as its children; a control with a window of its own (a check box) answers
// for that window the same way.
#pragma once

#include <string>

#include "platform/win32/ComPtr.h"
#include "platform/win32/Win32Api.h"

#include <oleacc.h>

namespace win32 {

// What a control is to a screen reader.
struct AccessibleFacts {
    std::wstring name;
    LONG role = ROLE_SYSTEM_CLIENT;
    // Added to the standard object's state (invisible, offscreen...).
    LONG state = 0;
    // Taken from the standard object's state: the system would call every
    // window focusable, but the program's own controls never take the
    // keyboard focus.
    LONG droppedState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED;
};

class AccessibleSource {
public:
    virtual AccessibleFacts Accessibility() const = 0;

protected:
    ~AccessibleSource() = default;
};

// The children of a window's object: child ids 1 to ChildCount(), in the
// order the controls were added. A control drawn by the window is a simple
// element the window's object describes; a control with a window of its own
// is served by that window's object.
class AccessibleChildren {
public:
    virtual LONG ChildCount() const = 0;
    // The child's name, role and whole state; false for no such child.
    virtual bool ChildFacts(LONG child, AccessibleFacts* facts) const = 0;
    // The child's rectangle on the screen.
    virtual bool ChildRect(LONG child, RECT* screen) const = 0;
    // The child's own window, or null for a control drawn by the window.
    virtual HWND ChildWindow(LONG child) const = 0;
    // The topmost child at a point of the screen, or CHILDID_SELF.
    virtual LONG ChildAt(POINT screen) const = 0;
    // The child that is the window's accessibility focus, or CHILDID_SELF.
    virtual LONG FocusedChild() const = 0;

protected:
    ~AccessibleChildren() = default;
};

// The accessible object of a window or of one control's window. A screen
// reader may hold it after the control has gone: the control then forgets
// it, and it goes on answering for the window alone.
class AccessibleControl final : public IAccessible, public IOleWindow {
public:
    // Null when the system has no standard object for the window. The first
    // call enters the thread's apartment and loads the screen-reader support.
    // `children` may be null: a control's window has none of its own.
    static ComPtr<AccessibleControl> Create(ComApartment& apartment, HWND hwnd,
                                            const AccessibleSource& source,
                                            const AccessibleChildren* children = nullptr);
    // Cuts the link to the control and to every client that holds the object.
    void Forget();
    // The answer to WM_GETOBJECT for the window's client area.
    LRESULT Answer(WPARAM wParam);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: screen readers call the interface itself, not through it.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;
    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
    // IAccessible: the name, role and state are the control's; the rest is
    // the standard object's (parent, place on the screen, hit test).
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    AccessibleControl(const ComponentObjects& com, HWND hwnd, const AccessibleSource& source,
                      const AccessibleChildren* children, ComPtr<IAccessible> standard);
    ~AccessibleControl() = default;
    // The control's own facts, while it stands and `child` is the control
    // itself, or a child's facts.
    bool OwnFacts(const VARIANT& child, AccessibleFacts* facts) const;
    // Whether `child` names one of the window's own children.
    bool IsChild(const VARIANT& child) const;
    // A child as a screen reader is handed it: its window's object, or its id.
    void ChildVariant(LONG child, VARIANT* result) const;

    ULONG references_ = 1;
    const ComponentObjects& com_;
    HWND hwnd_;
    const AccessibleSource* source_;
    const AccessibleChildren* children_;
    ComPtr<IAccessible> standard_;
};

// The accessible object of one window: made at the first WM_GETOBJECT for
// the window's client area and kept for the next ones; Forget, or the
// holder's end, cuts its link when the window or its control goes.
class AccessibleHolder {
public:
    AccessibleHolder() = default;
    ~AccessibleHolder() { Forget(); }
    AccessibleHolder(const AccessibleHolder&) = delete;
    AccessibleHolder& operator=(const AccessibleHolder&) = delete;

    // WM_GETOBJECT for `hwnd`: the object's answer for its client area; false
    // for another object, or when the system has no standard object for it.
    bool Answer(ComApartment& apartment, HWND hwnd, const AccessibleSource& source,
                const AccessibleChildren* children, WPARAM wParam, LPARAM lParam, LRESULT* answer);
    void Forget();

private:
    ComPtr<AccessibleControl> object_;
};

// Tells screen readers that a control's name changed or that it took the
// focus (`child` is the window's child, or CHILDID_SELF for the window's
// own object); nothing while the window is hidden.
void NotifyAccessibility(HWND window, DWORD event, LONG child = CHILDID_SELF);

}  // namespace win32
