// The program's entry on Windows: the Win32 platform runs the program.
#include <exception>

#include "app/mMain.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        win32::Win32Platform platform(instance);
        app::RunProgram(platform);
        return 0;
    } catch (const std::exception& error) {
        ::MessageBoxW(nullptr, win32::Widen(error.what()).c_str(), L"Convalis",
                      MB_OK | MB_ICONERROR);
        return 1;
    }
}
