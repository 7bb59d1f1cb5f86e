#include "Accessibility.h"

#include <map>

#include "platform/win32/ComPtr.h"

namespace e2e {
namespace {

// MinGW's oleacc import library gives IID_IAccessible as code, not data:
// oleacc would be handed a pointer into a thunk and answer E_NOINTERFACE.
constexpr IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

using AccessiblePtr = win32::ComPtr<IAccessible>;

VARIANT ChildId(LONG id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

LONG NumberOf(HRESULT answered, VARIANT& value) {
    const LONG number = SUCCEEDED(answered) && value.vt == VT_I4 ? value.lVal : 0;
    VariantClear(&value);
    return number;
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
    view.role = NumberOf(object.get_accRole(child, &value), value);
    view.state = NumberOf(object.get_accState(child, &value), value);
    LONG left = 0, top = 0, width = 0, height = 0;
    if (SUCCEEDED(object.accLocation(&left, &top, &width, &height, child))) {
        view.location = {left, top, left + width, top + height};
    }
    return view;
}

AccessiblePtr ObjectOf(HWND window, LONG object) {
    AccessiblePtr found;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(object), kIAccessible, found.PutVoid());
    return found;
}

// The client objects of the child windows read so far, kept: getting one
// from the program costs several times more than reading it. Each thread
// has its own, as COM wants; an object of a window that is gone fails.
thread_local std::map<HWND, AccessiblePtr> clientObjects;

std::optional<AccessibleView> ReadClient(HWND window) {
    auto known = clientObjects.find(window);
    if (known == clientObjects.end()) {
        AccessiblePtr client = ObjectOf(window, OBJID_CLIENT);
        if (!client) {
            return std::nullopt;
        }
        known = clientObjects.emplace(window, std::move(client)).first;
    }
    AccessibleView view = Read(*known->second.Get(), ChildId(CHILDID_SELF));
    if (view.role == 0) {
        clientObjects.erase(known);
        return std::nullopt;
    }
    return view;
}

// A child that is an object of its own: Wine's window object of a child
// window, whose client object says what the control is.
std::optional<AccessibleView> ReadObject(IDispatch& child) {
    AccessiblePtr object;
    if (FAILED(child.QueryInterface(kIAccessible, object.PutVoid()))) {
        return std::nullopt;
    }
    HWND window = nullptr;
    WindowFromAccessibleObject(object.Get(), &window);
    std::optional<AccessibleView> view = ReadClient(window);
    return view ? view : ReadClient(window);  // once again for an object of a window gone
}

}  // namespace

void ForgetAccessibleObjects() {
    clientObjects.clear();
}

std::vector<AccessibleView> AccessibleChildrenOf(HWND window) {
    std::vector<AccessibleView> views;
    AccessiblePtr object = ObjectOf(window, OBJID_CLIENT);
    LONG count = 0;
    if (!object || FAILED(object->get_accChildCount(&count)) || count <= 0) {
        return views;
    }
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    LONG obtained = 0;
    if (FAILED(AccessibleChildren(object.Get(), 0, count, children.data(), &obtained))) {
        return views;
    }
    for (LONG i = 0; i < obtained; ++i) {
        VARIANT& child = children[static_cast<std::size_t>(i)];
        if (child.vt == VT_I4) {
            views.push_back(Read(*object.Get(), child));
        } else if (child.vt == VT_DISPATCH && child.pdispVal != nullptr) {
            if (std::optional<AccessibleView> view = ReadObject(*child.pdispVal)) {
                views.push_back(*view);
            }
        }
        VariantClear(&child);
    }
    return views;
}

std::wstring AccessibleNameOf(HWND window, LONG child) {
    AccessiblePtr object = ObjectOf(window, OBJID_CLIENT);
    return object ? Read(*object.Get(), ChildId(child)).name : L"";
}

}  // namespace e2e
