#include "platform/win32/CommonControls.h"

namespace win32 {

CommonControls::CommonControls(const SystemLibrary& library) {
    const auto initCommonControlsEx =
        library.Find<decltype(&::InitCommonControlsEx)>("InitCommonControlsEx");
    if (initCommonControlsEx != nullptr) {
        // The tooltip class among them.
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
        registered_ = initCommonControlsEx(&classes) != FALSE;
    }
}

}  // namespace win32
