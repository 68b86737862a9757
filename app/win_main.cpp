// SPDX-License-Identifier: MIT
// The Windows program: the calculator's Win32 window and the thread's
// message loop, in which the dialog manager gives the window its keyboard
// (Tab, Shift+Tab, Space on a button).
#include <windows.h>

#include "window/win32/form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    try {
        ostrel::win32::Form1 window(instance, {.quitOnClose = true});
        window.Show(show);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (!window.PreTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        return static_cast<int>(message.wParam);
    } catch (...) {
        return 1;  // the window could not be made
    }
}
