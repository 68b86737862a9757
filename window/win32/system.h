// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

// What the Win32 window asks of the system besides its own controls.
namespace ostrel::win32 {

// The resolution of `window` in dots per inch: GetDpiForWindow's where the
// system has it (Windows 10 1607 and later; looked up, so that the program
// still starts on Windows 7), else the screen's, else the design's.
[[nodiscard]] int DpiOf(HWND window);

// Sizes a window so that its client area is `client`, measuring the frame
// the system actually gives it (which a change of resolution may change).
void SetClientSize(HWND window, SIZE client);

// Makes an EDIT control answer the dialog manager without DLGC_HASSETSEL, so
// that it does not select the whole text after tabbing in: the focus
// handler's selection of the first eight characters stands.
void KeepOwnSelectionOnTab(HWND field);

// Whether the user has turned a high-contrast theme on.
[[nodiscard]] bool HighContrastOn();

// Registers the window class `name` of `instance` with `procedure`, the
// program's icon from the resources and the arrow pointer; once.
void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);

}  // namespace ostrel::win32
