#include "platform/win32/ComPtr.h"

namespace win32 {

ComponentObjects::ComponentObjects(const SystemLibrary& library)
    : CoInitializeEx(library.Find<decltype(CoInitializeEx)>("CoInitializeEx")),
      CoUninitialize(library.Find<decltype(CoUninitialize)>("CoUninitialize")),
      CoCreateInstance(library.Find<decltype(CoCreateInstance)>("CoCreateInstance")),
      CoTaskMemFree(library.Find<decltype(CoTaskMemFree)>("CoTaskMemFree")),
      CoDisconnectObject(library.Find<decltype(CoDisconnectObject)>("CoDisconnectObject")) {}

bool ComponentObjects::Complete() const {
    return CoInitializeEx != nullptr && CoUninitialize != nullptr && CoCreateInstance != nullptr &&
           CoTaskMemFree != nullptr && CoDisconnectObject != nullptr;
}

ComApartment::~ComApartment() {
    // Every successful initialisation, S_FALSE included, is matched.
    if (SUCCEEDED(entered_)) {
        com_->CoUninitialize();
    }
}

const ComponentObjects* ComApartment::Enter() {
    if (com_ == nullptr) {
        com_ = LoadOnFirstUse<ComponentObjects>();
        if (com_ != nullptr) {
            entered_ =
                com_->CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        }
    }
    return com_;
}

}  // namespace win32
