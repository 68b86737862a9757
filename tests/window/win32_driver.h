// SPDX-License-Identifier: MIT
#pragma once

// The Win32 window's test driver: the window made anew for each test and
// pumped as the program's message loop would, its controls by name, typing,
// keys and clicks as real messages, and message boxes found and closed with
// their OK button as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "window/win32/form1.h"
#include "window/win32/text16.h"

namespace ostrel::win32::test {

inline std::string TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

// What a message box showed, as the user saw it.
struct Box {
    std::string title;
    std::string text;
    bool onlyOk;
};

// While alive, closes every message box of the thread with its OK button and
// records what it showed. A thread timer runs inside the box's modal loop.
class BoxCloser {
  public:
    BoxCloser() {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 10, Tick);
    }
    ~BoxCloser() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    BoxCloser(const BoxCloser&) = delete;
    BoxCloser& operator=(const BoxCloser&) = delete;

    [[nodiscard]] std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Box& box : boxes_) {
            texts.push_back(box.text);
        }
        return texts;
    }
    [[nodiscard]] const std::vector<Box>& Boxes() const { return boxes_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), CloseIfBox, 0);
    }
    static BOOL CALLBACK CloseIfBox(HWND window, LPARAM) {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring_view(name) != L"#32770" || !IsWindowVisible(window) ||
            current_ == nullptr) {
            return TRUE;
        }
        Box box{TextOf(window), "", GetDlgItem(window, IDOK) != nullptr};
        // The message is the one static control with text.
        EnumChildWindows(window, FindText, reinterpret_cast<LPARAM>(&box.text));
        // Any button but OK would be a second choice the design does not have.
        EnumChildWindows(window, FindOtherButton, reinterpret_cast<LPARAM>(&box.onlyOk));
        current_->boxes_.push_back(box);
        SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        return FALSE;
    }

    static BOOL CALLBACK FindText(HWND child, LPARAM found) {
        wchar_t kind[16] = {};
        GetClassNameW(child, kind, 16);
        if (_wcsicmp(kind, L"Static") == 0) {
            const std::string text = TextOf(child);
            if (!text.empty()) {
                *reinterpret_cast<std::string*>(found) = text;
            }
        }
        return TRUE;
    }
    static BOOL CALLBACK FindOtherButton(HWND child, LPARAM onlyOk) {
        wchar_t kind[16] = {};
        GetClassNameW(child, kind, 16);
        if (_wcsicmp(kind, L"Button") == 0 && GetDlgCtrlID(child) != IDOK &&
            IsWindowVisible(child)) {
            *reinterpret_cast<bool*>(onlyOk) = false;
        }
        return TRUE;
    }

    static inline BoxCloser* current_ = nullptr;
    UINT_PTR timer_ = 0;
    std::vector<Box> boxes_;
};

class Win32Window : public ::testing::Test {
  protected:
    void SetUp() override {
        form_ = std::make_unique<Form1>(GetModuleHandleW(nullptr),
                                        Form1::Options{.decimalSeparator = "."});
        form_->Show(SW_SHOWNORMAL);
        Pump();
    }

    void Pump() {
        MSG message;
        for (int round = 0; round < 3; ++round) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (!form_->PreTranslate(message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
            }
            Sleep(5);
        }
    }
    HWND Named(std::string_view name) { return form_->Control(name); }
    HWND Field(int n) { return Named("Text" + std::to_string(n)); }
    void Fill(const std::vector<std::string>& texts) {
        for (int i = 0; i < 4; ++i) {
            SetWindowTextW(Field(i + 1), Utf16(texts[static_cast<std::size_t>(i)]).c_str());
        }
    }
    std::vector<std::string> Texts() {
        return {TextOf(Field(1)), TextOf(Field(2)), TextOf(Field(3)), TextOf(Field(4))};
    }
    void Type(HWND field, std::string_view text) {
        for (wchar_t c : Utf16(text)) {
            PostMessageW(field, WM_CHAR, c, 1);
        }
        Pump();
    }
    void Key(WPARAM key) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, 1u | 3u << 30);
        Pump();
    }
    std::vector<std::string> Click(std::string_view button) {
        BoxCloser closer;
        SendMessageW(Named(button), BM_CLICK, 0, 0);
        Pump();
        return closer.Texts();
    }
    static std::pair<DWORD, DWORD> Selection(HWND field) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    RECT PlaceOf(HWND control) {
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(HWND_DESKTOP, form_->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    COLORREF PixelAt(int x, int y) {
        RedrawWindow(form_->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        HDC dc = GetDC(form_->Handle());
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(form_->Handle(), dc);
        return colour;
    }

    std::unique_ptr<Form1> form_;
};

}  // namespace ostrel::win32::test
