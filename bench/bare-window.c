/* The smallest program with a window, the yardstick of Convalis's start: one
 * borderless popup of the main window's size, centred, painted in the window
 * colour, without controls. Like Convalis.exe it writes "painted MS HWND" to
 * the file that CONVALIS_BENCH_LOG names once it has painted, MS being the
 * milliseconds since its process was created. WM_CLOSE ends it. */
#ifndef UNICODE
#define UNICODE
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <stdio.h>

static ULONGLONG Ticks(FILETIME time) {
    return ((ULONGLONG)time.dwHighDateTime << 32) | time.dwLowDateTime;
}

static void LogPainted(HWND window) {
    wchar_t path[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"CONVALIS_BENCH_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    FILETIME now, created, exited, kernel, user;
    GetSystemTimePreciseAsFileTime(&now);
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return;
    }
    HANDLE log =
        CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (log == INVALID_HANDLE_VALUE) {
        return;
    }
    char line[96];
    int written =
        snprintf(line, sizeof(line), "painted %.3f %llu\n",
                 (double)(Ticks(now) - Ticks(created)) / 1e4, (unsigned long long)(UINT_PTR)window);
    DWORD done = 0;
    WriteFile(log, line, (DWORD)written, &done, NULL);
    CloseHandle(log);
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_WINDOW));
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)previous;
    (void)commandLine;
    (void)show;
    WNDCLASSW windowClass = {0};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    windowClass.lpszClassName = L"BareWindow";
    if (!RegisterClassW(&windowClass)) {
        return 1;
    }
    const int width = 199, height = 179;
    HWND window = CreateWindowExW(WS_EX_APPWINDOW, L"BareWindow", L"Bare window", WS_POPUP,
                                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, NULL,
                                  NULL, instance, NULL);
    if (window == NULL) {
        return 1;
    }
    ShowWindow(window, SW_SHOW);
    BOOL painted = FALSE;
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (!painted && msg.message == WM_PAINT) {
            painted = TRUE;
            LogPainted(window);
        }
    }
    return 0;
}
