#include "platform/win32/CommonControls.h"

namespace win32 {

CommonControls::CommonControls(const SystemLibrary& library)
    : SetWindowSubclass(library.Find<decltype(SetWindowSubclass)>("SetWindowSubclass")),
      RemoveWindowSubclass(library.Find<decltype(RemoveWindowSubclass)>("RemoveWindowSubclass")),
      DefSubclassProc(library.Find<decltype(DefSubclassProc)>("DefSubclassProc")) {
    const auto initCommonControlsEx =
        library.Find<decltype(&::InitCommonControlsEx)>("InitCommonControlsEx");
    if (initCommonControlsEx != nullptr) {
        // The tooltip class among them.
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
        initCommonControlsEx(&classes);
    }
}

bool CommonControls::Complete() const {
    return SetWindowSubclass != nullptr && RemoveWindowSubclass != nullptr &&
           DefSubclassProc != nullptr;
}

}  // namespace win32
