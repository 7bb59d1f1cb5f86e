/* The smallest program with a window, the yardstick of Convalis's start: one
 * borderless popup of the main window's size, centred, painted in the window
 * colour, without controls. Like Convalis.exe it writes "painted MS HWND" to
 * the file that CONVALIS_BENCH_LOG names once it has painted, MS being the
 * milliseconds since its process was created. WM_CLOSE ends it.
 *
 * It is the yardstick of a key's repaint too: each key pressed writes its
 * count as a line of text in the font of Convalis's displays, repainting only
 * that line, and "key US" gives the key's arrival to the end of that paint,
 * as Convalis.exe measures it. */
#ifndef UNICODE
#define UNICODE
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <stdio.h>

static ULONGLONG Ticks(FILETIME time) {
    return ((ULONGLONG)time.dwHighDateTime << 32) | time.dwLowDateTime;
}

static void AppendToLog(const char* line, int length) {
    wchar_t path[MAX_PATH];
    DWORD pathLength = GetEnvironmentVariableW(L"CONVALIS_BENCH_LOG", path, MAX_PATH);
    if (pathLength == 0 || pathLength >= MAX_PATH) {
        return;
    }
    HANDLE log =
        CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (log == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD done = 0;
    WriteFile(log, line, (DWORD)length, &done, NULL);
    CloseHandle(log);
}

static void LogPainted(HWND window) {
    FILETIME now, created, exited, kernel, user;
    GetSystemTimePreciseAsFileTime(&now);
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return;
    }
    char line[96];
    int written =
        snprintf(line, sizeof(line), "painted %.3f %llu\n",
                 (double)(Ticks(now) - Ticks(created)) / 1e4, (unsigned long long)(UINT_PTR)window);
    AppendToLog(line, written);
}

/* The key's arrival to now: the end of the paint it caused. */
static void LogKey(LONGLONG arrival) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    char line[64];
    int written = snprintf(line, sizeof(line), "key %.3f\n",
                           (double)(now.QuadPart - arrival) * 1e6 / (double)frequency.QuadPart);
    AppendToLog(line, written);
}

/* The keys pressed so far, shown as text once there is one. */
static unsigned keyCount;
static HFONT textFont;
static const RECT kTextArea = {20, 20, 180, 40};

static void CountKey(HWND window) {
    if (textFont == NULL) {
        /* 8.25 points, bold, as Convalis's displays. */
        HDC screen = GetDC(NULL);
        int height = -MulDiv(825, GetDeviceCaps(screen, LOGPIXELSY), 7200);
        ReleaseDC(NULL, screen);
        textFont = CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
    }
    ++keyCount;
    InvalidateRect(window, &kTextArea, FALSE);
}

static void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_WINDOW));
    if (keyCount > 0) {
        wchar_t text[16];
        int length = wsprintfW(text, L"%u", keyCount);
        RECT area = kTextArea;
        HGDIOBJ previous = SelectObject(dc, textFont);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextW(dc, text, length, &area, DT_SINGLELINE | DT_NOPREFIX | DT_RIGHT);
        SelectObject(dc, previous);
    }
    EndPaint(window, &paint);
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_KEYDOWN:
            CountKey(window);
            return 0;
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
    LONGLONG keyArrival = 0;
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        if (msg.message == WM_KEYDOWN) {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            keyArrival = now.QuadPart;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (msg.message != WM_PAINT || (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) != 0) {
            continue;
        }
        if (!painted) {
            painted = TRUE;
            LogPainted(window);
        }
        if (keyArrival != 0) {
            LogKey(keyArrival);
            keyArrival = 0;
        }
    }
    if (textFont != NULL) {
        DeleteObject(textFont);
    }
    return 0;
}
