// SPDX-License-Identifier: MIT
#include "window/win32/system.h"

#include <commctrl.h>

#include "window/layout.h"
#include "window/win32/resource_ids.h"

namespace ostrel::win32 {
namespace {

// Functions of Windows 10 1607 and later, looked up so that the program still
// starts on Windows 7.
template <class Function>
Function Lookup(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    FARPROC found = user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
    // Through a plain function pointer, as GetProcAddress's callers must.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// The field's procedure: the EDIT control's own, answering WM_GETDLGCODE
// without DLGC_HASSETSEL.
LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                           DWORD_PTR /*data*/) {
    const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
    if (message == WM_GETDLGCODE) {
        return result & ~static_cast<LRESULT>(DLGC_HASSETSEL);
    }
    return result;
}

}  // namespace

int DpiOf(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = Lookup<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : layout::kDesignDpi;
}

void SetClientSize(HWND window, SIZE client) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT outer;
        RECT inner;
        GetWindowRect(window, &outer);
        GetClientRect(window, &inner);
        const LONG dx = client.cx - inner.right;
        const LONG dy = client.cy - inner.bottom;
        if (dx == 0 && dy == 0) {
            return;
        }
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + dx,
                     outer.bottom - outer.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void KeepOwnSelectionOnTab(HWND field) {
    SetWindowSubclass(field, FieldProc, 1, 0);
}

bool HighContrastOn() {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) != 0 &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name, &existing) != 0) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(OSTREL_ICON), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                   GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(OSTREL_ICON), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

}  // namespace ostrel::win32
