#include "platform/win32/Accessible.h"

namespace win32 {
namespace {

// The screen-reader support (oleacc).
struct AccessibilityFunctions {
    static constexpr wchar_t kLibrary[] = L"oleacc.dll";

    explicit AccessibilityFunctions(const SystemLibrary& library)
        : CreateStdAccessibleObject(
              library.Find<decltype(CreateStdAccessibleObject)>("CreateStdAccessibleObject")),
          LresultFromObject(library.Find<decltype(LresultFromObject)>("LresultFromObject")),
          AccessibleObjectFromWindow(
              library.Find<decltype(AccessibleObjectFromWindow)>("AccessibleObjectFromWindow")) {}
    bool Complete() const {
        return CreateStdAccessibleObject != nullptr && LresultFromObject != nullptr &&
               AccessibleObjectFromWindow != nullptr;
    }

    decltype(&::CreateStdAccessibleObject) CreateStdAccessibleObject;
    decltype(&::LresultFromObject) LresultFromObject;
    decltype(&::AccessibleObjectFromWindow) AccessibleObjectFromWindow;
};

// The automation's texts (oleaut32), in which the names go out.
struct AutomationFunctions {
    static constexpr wchar_t kLibrary[] = L"oleaut32.dll";

    explicit AutomationFunctions(const SystemLibrary& library)
        : SysAllocString(library.Find<decltype(SysAllocString)>("SysAllocString")) {}
    bool Complete() const { return SysAllocString != nullptr; }

    decltype(&::SysAllocString) SysAllocString;
};

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

void SetChildId(VARIANT* result, LONG child) {
    result->vt = VT_I4;
    result->lVal = child;
}

// What a simple element has none of: a text, or a help topic.
HRESULT NoText(BSTR* text) {
    if (text == nullptr)
        return E_POINTER;
    *text = nullptr;
    return S_FALSE;
}

}  // namespace

ComPtr<AccessibleControl> AccessibleControl::Create(ComApartment& apartment, HWND hwnd,
                                                    const AccessibleSource& source,
                                                    const AccessibleChildren* children) {
    const ComponentObjects* com = apartment.Enter();
    const AccessibilityFunctions* accessibility = LoadOnFirstUse<AccessibilityFunctions>();
    ComPtr<IAccessible> standard;
    if (com == nullptr || accessibility == nullptr ||
        LoadOnFirstUse<AutomationFunctions>() == nullptr ||
        FAILED(accessibility->CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                                        standard.PutVoid()))) {
        return ComPtr<AccessibleControl>();
    }
    return ComPtr<AccessibleControl>(
        new AccessibleControl(*com, hwnd, source, children, std::move(standard)));
}

AccessibleControl::AccessibleControl(const ComponentObjects& com, HWND hwnd,
                                     const AccessibleSource& source,
                                     const AccessibleChildren* children,
                                     ComPtr<IAccessible> standard)
    : com_(com),
      hwnd_(hwnd),
      source_(&source),
      children_(children),
      standard_(std::move(standard)) {}

void AccessibleControl::Forget() {
    source_ = nullptr;
    children_ = nullptr;
    // Clients in other processes get an error from now on rather than
    // answers about a window that is gone.
    com_.CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

LRESULT AccessibleControl::Answer(WPARAM wParam) {
    // Loaded with the object (Create).
    return LoadOnFirstUse<AccessibilityFunctions>()->LresultFromObject(
        __uuidof(IAccessible), wParam, static_cast<IAccessible*>(this));
}

bool AccessibleHolder::Answer(ComApartment& apartment, HWND hwnd, const AccessibleSource& source,
                              const AccessibleChildren* children, WPARAM wParam, LPARAM lParam,
                              LRESULT* answer) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) {
        return false;
    }
    if (!object_) {
        object_ = AccessibleControl::Create(apartment, hwnd, source, children);
    }
    if (!object_) {
        return false;
    }
    *answer = object_->Answer(wParam);
    return true;
}

void AccessibleHolder::Forget() {
    if (object_) {
        object_->Forget();
        object_.Reset();
    }
}

bool AccessibleControl::OwnFacts(const VARIANT& child, AccessibleFacts* facts) const {
    if (IsChild(child))
        return children_->ChildFacts(child.lVal, facts);
    if (source_ == nullptr || !IsSelf(child))
        return false;
    *facts = source_->Accessibility();
    return true;
}

bool AccessibleControl::IsChild(const VARIANT& child) const {
    return children_ != nullptr && child.vt == VT_I4 && child.lVal >= 1 &&
           child.lVal <= children_->ChildCount();
}

void AccessibleControl::ChildVariant(LONG child, VARIANT* result) const {
    IDispatch* object = nullptr;
    const HWND window = child != CHILDID_SELF ? children_->ChildWindow(child) : nullptr;
    // Loaded with the object (Create).
    if (window != nullptr &&
        SUCCEEDED(LoadOnFirstUse<AccessibilityFunctions>()->AccessibleObjectFromWindow(
            window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IDispatch),
            reinterpret_cast<void**>(&object)))) {
        result->vt = VT_DISPATCH;
        result->pdispVal = object;
        return;
    }
    SetChildId(result, child);
}

HRESULT AccessibleControl::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
    } else if (iid == __uuidof(IOleWindow)) {
        *object = static_cast<IOleWindow*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG AccessibleControl::AddRef() {
    return ++references_;
}

ULONG AccessibleControl::Release() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT AccessibleControl::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT AccessibleControl::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT AccessibleControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT AccessibleControl::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                  UINT*) {
    return E_NOTIMPL;
}

HRESULT AccessibleControl::GetWindow(HWND* window) {
    if (window == nullptr)
        return E_POINTER;
    *window = hwnd_;
    return S_OK;
}

HRESULT AccessibleControl::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT AccessibleControl::get_accName(VARIANT child, BSTR* name) {
    AccessibleFacts facts;
    if (!OwnFacts(child, &facts))
        return standard_->get_accName(child, name);
    if (name == nullptr)
        return E_POINTER;
    // Loaded with the object (Create).
    const AutomationFunctions& automation = *LoadOnFirstUse<AutomationFunctions>();
    *name = facts.name.empty() ? nullptr : automation.SysAllocString(facts.name.c_str());
    if (!facts.name.empty() && *name == nullptr)
        return E_OUTOFMEMORY;
    return facts.name.empty() ? S_FALSE : S_OK;
}

HRESULT AccessibleControl::get_accRole(VARIANT child, VARIANT* role) {
    AccessibleFacts facts;
    if (!OwnFacts(child, &facts))
        return standard_->get_accRole(child, role);
    if (role == nullptr)
        return E_POINTER;
    role->vt = VT_I4;
    role->lVal = facts.role;
    return S_OK;
}

HRESULT AccessibleControl::get_accState(VARIANT child, VARIANT* state) {
    AccessibleFacts facts;
    if (!OwnFacts(child, &facts))
        return standard_->get_accState(child, state);
    if (IsChild(child)) {
        if (state == nullptr)
            return E_POINTER;
        SetChildId(state, facts.state);
        return S_OK;
    }
    const HRESULT result = standard_->get_accState(child, state);
    if (FAILED(result))
        return result;
    state->vt = VT_I4;
    state->lVal = (state->lVal & ~facts.droppedState) | facts.state;
    return S_OK;
}

HRESULT AccessibleControl::get_accParent(IDispatch** parent) {
    return standard_->get_accParent(parent);
}

HRESULT AccessibleControl::get_accChildCount(LONG* count) {
    if (children_ == nullptr)
        return standard_->get_accChildCount(count);
    if (count == nullptr)
        return E_POINTER;
    *count = children_->ChildCount();
    return S_OK;
}

HRESULT AccessibleControl::get_accChild(VARIANT child, IDispatch** object) {
    if (children_ == nullptr)
        return standard_->get_accChild(child, object);
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (!IsChild(child))
        return E_INVALIDARG;
    VARIANT found;
    ChildVariant(child.lVal, &found);
    if (found.vt != VT_DISPATCH)
        return S_FALSE;  // a simple element: its parent describes it
    *object = found.pdispVal;
    return S_OK;
}

HRESULT AccessibleControl::get_accValue(VARIANT child, BSTR* value) {
    return IsChild(child) ? NoText(value) : standard_->get_accValue(child, value);
}

HRESULT AccessibleControl::get_accDescription(VARIANT child, BSTR* description) {
    return IsChild(child) ? NoText(description) : standard_->get_accDescription(child, description);
}

HRESULT AccessibleControl::get_accHelp(VARIANT child, BSTR* help) {
    return IsChild(child) ? NoText(help) : standard_->get_accHelp(child, help);
}

HRESULT AccessibleControl::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    if (!IsChild(child))
        return standard_->get_accHelpTopic(file, child, topic);
    if (topic != nullptr)
        *topic = 0;
    return NoText(file);
}

HRESULT AccessibleControl::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return IsChild(child) ? NoText(shortcut) : standard_->get_accKeyboardShortcut(child, shortcut);
}

HRESULT AccessibleControl::get_accFocus(VARIANT* focus) {
    const LONG focused = children_ != nullptr ? children_->FocusedChild() : CHILDID_SELF;
    if (focused == CHILDID_SELF)
        return standard_->get_accFocus(focus);
    if (focus == nullptr)
        return E_POINTER;
    ChildVariant(focused, focus);
    return S_OK;
}

HRESULT AccessibleControl::get_accSelection(VARIANT* selection) {
    return standard_->get_accSelection(selection);
}

HRESULT AccessibleControl::get_accDefaultAction(VARIANT child, BSTR* action) {
    return IsChild(child) ? NoText(action) : standard_->get_accDefaultAction(child, action);
}

HRESULT AccessibleControl::accSelect(LONG flags, VARIANT child) {
    return IsChild(child) ? DISP_E_MEMBERNOTFOUND : standard_->accSelect(flags, child);
}

HRESULT AccessibleControl::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                       VARIANT child) {
    if (!IsChild(child))
        return standard_->accLocation(left, top, width, height, child);
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
        return E_POINTER;
    RECT rect{};
    if (!children_->ChildRect(child.lVal, &rect))
        return E_INVALIDARG;
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

HRESULT AccessibleControl::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    if (children_ == nullptr || (!IsSelf(start) && !IsChild(start)))
        return standard_->accNavigate(direction, start, end);
    if (end == nullptr)
        return E_POINTER;
    const LONG count = children_->ChildCount();
    LONG to = 0;
    if (IsSelf(start)) {
        if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD)
            return standard_->accNavigate(direction, start, end);
        to = direction == NAVDIR_FIRSTCHILD ? 1 : count;
    } else if (direction == NAVDIR_NEXT) {
        to = start.lVal + 1;
    } else if (direction == NAVDIR_PREVIOUS) {
        to = start.lVal - 1;
    }
    if (to < 1 || to > count) {
        end->vt = VT_EMPTY;
        return S_FALSE;
    }
    ChildVariant(to, end);
    return S_OK;
}

HRESULT AccessibleControl::accHitTest(LONG x, LONG y, VARIANT* child) {
    const HRESULT standard = standard_->accHitTest(x, y, child);
    // Inside the client area the window's own children are the answer.
    if (children_ == nullptr || standard != S_OK || child->vt == VT_EMPTY)
        return standard;
    if (child->vt == VT_DISPATCH && child->pdispVal != nullptr)
        child->pdispVal->Release();
    ChildVariant(children_->ChildAt(POINT{x, y}), child);
    return S_OK;
}

HRESULT AccessibleControl::accDoDefaultAction(VARIANT child) {
    return IsChild(child) ? DISP_E_MEMBERNOTFOUND : standard_->accDoDefaultAction(child);
}

HRESULT AccessibleControl::put_accName(VARIANT child, BSTR name) {
    return standard_->put_accName(child, name);
}

HRESULT AccessibleControl::put_accValue(VARIANT child, BSTR value) {
    return standard_->put_accValue(child, value);
}

void NotifyAccessibility(HWND window, DWORD event, LONG child) {
    if (::IsWindowVisible(window))
        ::NotifyWinEvent(event, window, OBJID_CLIENT, child);
}

}  // namespace win32
