#include "platform/win32/Accessible.h"

namespace win32 {
namespace {

// The screen-reader support (oleacc).
struct AccessibilityFunctions {
    static constexpr wchar_t kLibrary[] = L"oleacc.dll";

    explicit AccessibilityFunctions(const SystemLibrary& library)
        : CreateStdAccessibleObject(
              library.Find<decltype(CreateStdAccessibleObject)>("CreateStdAccessibleObject")),
          LresultFromObject(library.Find<decltype(LresultFromObject)>("LresultFromObject")) {}
    bool Complete() const {
        return CreateStdAccessibleObject != nullptr && LresultFromObject != nullptr;
    }

    decltype(&::CreateStdAccessibleObject) CreateStdAccessibleObject;
    decltype(&::LresultFromObject) LresultFromObject;
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

}  // namespace

ComPtr<AccessibleControl> AccessibleControl::Create(ComApartment& apartment, HWND hwnd,
                                                    const AccessibleSource& source) {
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
        new AccessibleControl(*com, hwnd, source, std::move(standard)));
}

AccessibleControl::AccessibleControl(const ComponentObjects& com, HWND hwnd,
                                     const AccessibleSource& source, ComPtr<IAccessible> standard)
    : com_(com), hwnd_(hwnd), source_(&source), standard_(std::move(standard)) {}

void AccessibleControl::Forget() {
    source_ = nullptr;
    // Clients in other processes get an error from now on rather than
    // answers about a window that is gone.
    com_.CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

LRESULT AccessibleControl::Answer(WPARAM wParam) {
    // Loaded with the object (Create).
    return LoadOnFirstUse<AccessibilityFunctions>()->LresultFromObject(
        __uuidof(IAccessible), wParam, static_cast<IAccessible*>(this));
}

bool AccessibleControl::OwnFacts(const VARIANT& child, AccessibleFacts* facts) const {
    if (source_ == nullptr || !IsSelf(child))
        return false;
    *facts = source_->Accessibility();
    return true;
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
    return standard_->get_accChildCount(count);
}

HRESULT AccessibleControl::get_accChild(VARIANT child, IDispatch** object) {
    return standard_->get_accChild(child, object);
}

HRESULT AccessibleControl::get_accValue(VARIANT child, BSTR* value) {
    return standard_->get_accValue(child, value);
}

HRESULT AccessibleControl::get_accDescription(VARIANT child, BSTR* description) {
    return standard_->get_accDescription(child, description);
}

HRESULT AccessibleControl::get_accHelp(VARIANT child, BSTR* help) {
    return standard_->get_accHelp(child, help);
}

HRESULT AccessibleControl::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return standard_->get_accHelpTopic(file, child, topic);
}

HRESULT AccessibleControl::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return standard_->get_accKeyboardShortcut(child, shortcut);
}

HRESULT AccessibleControl::get_accFocus(VARIANT* focus) {
    return standard_->get_accFocus(focus);
}

HRESULT AccessibleControl::get_accSelection(VARIANT* selection) {
    return standard_->get_accSelection(selection);
}

HRESULT AccessibleControl::get_accDefaultAction(VARIANT child, BSTR* action) {
    return standard_->get_accDefaultAction(child, action);
}

HRESULT AccessibleControl::accSelect(LONG flags, VARIANT child) {
    return standard_->accSelect(flags, child);
}

HRESULT AccessibleControl::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                       VARIANT child) {
    return standard_->accLocation(left, top, width, height, child);
}

HRESULT AccessibleControl::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return standard_->accNavigate(direction, start, end);
}

HRESULT AccessibleControl::accHitTest(LONG x, LONG y, VARIANT* child) {
    return standard_->accHitTest(x, y, child);
}

HRESULT AccessibleControl::accDoDefaultAction(VARIANT child) {
    return standard_->accDoDefaultAction(child);
}

HRESULT AccessibleControl::put_accName(VARIANT child, BSTR name) {
    return standard_->put_accName(child, name);
}

HRESULT AccessibleControl::put_accValue(VARIANT child, BSTR value) {
    return standard_->put_accValue(child, value);
}

void NotifyAccessibility(HWND control, DWORD event) {
    if (::IsWindowVisible(control))
        ::NotifyWinEvent(event, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace win32
