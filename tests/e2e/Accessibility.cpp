#include "Accessibility.h"

#include <thread>

namespace e2e {
namespace {

// MinGW's oleacc import library gives IID_IAccessible as code, not data:
// oleacc would be handed a pointer into a thunk and answer E_NOINTERFACE.
constexpr IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
using AccessiblePtr = std::unique_ptr<IAccessible, Releaser>;

VARIANT Self() {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

AccessibleView Read(IAccessible& object, VARIANT child) {
    AccessibleView view;
    BSTR name = nullptr;
    if (SUCCEEDED(object.get_accName(child, &name)) && name != nullptr) {
        view.name = name;
        SysFreeString(name);
    }
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(object.get_accRole(child, &value)) && value.vt == VT_I4) {
        view.role = value.lVal;
    }
    VariantClear(&value);
    if (SUCCEEDED(object.get_accState(child, &value)) && value.vt == VT_I4) {
        view.state = value.lVal;
    }
    VariantClear(&value);
    return view;
}

AccessiblePtr ClientObject(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                          reinterpret_cast<void**>(&object)))) {
        return nullptr;
    }
    return AccessiblePtr(object);
}

// The window of an accessible object, when it stands for a window other
// than the client area it was listed in.
HWND WindowOf(IDispatch& child) {
    IAccessible* object = nullptr;
    if (FAILED(child.QueryInterface(kIAccessible, reinterpret_cast<void**>(&object)))) {
        return nullptr;
    }
    HWND window = nullptr;
    WindowFromAccessibleObject(object, &window);
    object->Release();
    return window;
}

// The recorder the hook reports to: out-of-context hooks call back on the
// thread that set them, one recorder at a time.
WinEventRecorder* activeRecorder = nullptr;

}  // namespace

std::optional<AccessibleView> AccessibleOf(HWND control) {
    AccessiblePtr object = ClientObject(control);
    if (!object) {
        return std::nullopt;
    }
    AccessibleView view = Read(*object, Self());
    view.window = control;
    return view;
}

std::vector<AccessibleView> AccessibleChildrenOf(HWND window) {
    std::vector<AccessibleView> views;
    AccessiblePtr object = ClientObject(window);
    LONG count = 0;
    if (!object || FAILED(object->get_accChildCount(&count)) || count <= 0) {
        return views;
    }
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    LONG obtained = 0;
    if (FAILED(AccessibleChildren(object.get(), 0, count, children.data(), &obtained))) {
        return views;
    }
    for (LONG i = 0; i < obtained; ++i) {
        VARIANT& child = children[static_cast<std::size_t>(i)];
        if (child.vt == VT_DISPATCH && child.pdispVal != nullptr) {
            if (const HWND childWindow = WindowOf(*child.pdispVal)) {
                if (std::optional<AccessibleView> view = AccessibleOf(childWindow)) {
                    views.push_back(*view);
                }
            }
        }
        VariantClear(&child);
    }
    return views;
}

std::wstring RoleText(LONG role) {
    wchar_t text[128] = L"";
    GetRoleTextW(static_cast<DWORD>(role), text, 128);
    return text;
}

WinEventRecorder::WinEventRecorder(DWORD processId, DWORD first, DWORD last) {
    activeRecorder = this;
    hook_ = SetWinEventHook(first, last, nullptr, &WinEventRecorder::Hear, processId, 0,
                            WINEVENT_OUTOFCONTEXT);
}

WinEventRecorder::~WinEventRecorder() {
    if (hook_ != nullptr) {
        UnhookWinEvent(hook_);
    }
    activeRecorder = nullptr;
}

void CALLBACK WinEventRecorder::Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                     LONG child, DWORD, DWORD) {
    if (activeRecorder == nullptr || object != OBJID_CLIENT || child != CHILDID_SELF) {
        return;
    }
    const std::optional<AccessibleView> view = AccessibleOf(window);
    activeRecorder->events_.push_back({event, window, view ? view->name : L""});
}

std::optional<WinEventRecorder::Event> WinEventRecorder::WaitFor(
    const std::function<bool(const Event&)>& match, std::chrono::milliseconds limit) {
    std::optional<Event> found;
    WaitUntil(
        [&] {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            for (const Event& event : events_) {
                if (match(event)) {
                    found = event;
                    return true;
                }
            }
            return false;
        },
        limit);
    return found;
}

}  // namespace e2e
