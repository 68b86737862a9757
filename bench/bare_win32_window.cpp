// SPDX-License-Identifier: MIT
// The platform's floor on Windows: the least a Win32 program does to show a
// window of the calculator's size, title and border, statically linked like
// ostrel.exe.
#include <windows.h>

#include <string>

#include "window/layout.h"

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    namespace layout = ostrel::layout;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassW(&windowClass);
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT r{0, 0, layout::ToPixels(layout::kClientWidth, layout::kDesignDpi),
           layout::ToPixels(layout::kClientHeight, layout::kDesignDpi)};
    AdjustWindowRect(&r, kStyle, FALSE);
    const std::wstring title(layout::kTitle.begin(), layout::kTitle.end());  // ASCII
    HWND window =
        CreateWindowW(L"BareWindow", title.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                      r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
