// SPDX-License-Identifier: MIT
// The Win32 window, in process, driven through user32 with real messages as
// the system would send them: WM_CHAR for typing, the clipboard and WM_PASTE,
// BM_CLICK, Tab through the dialog manager; message boxes are found and closed
// with their OK button (win32_driver.h). The logic itself is proven on the
// step recorder and the shared event binding; these tests prove that the
// window hands its events to that binding, and the platform's traps.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "form/entry_checks.h"
#include "tests/window/win32_driver.h"
#include "window/error_report.h"
#include "window/layout.h"
#include "window/win32/form1.h"
#include "window/win32/resource_ids.h"
#include "window/win32/text16.h"

namespace {

namespace layout = ostrel::layout;
using ostrel::win32::Utf8;
using ostrel::win32::test::Box;
using ostrel::win32::test::BoxCloser;
using ostrel::win32::test::TextOf;
using ostrel::win32::test::Win32Window;

// The window as the design table draws it, at 96 dpi and again at 192 after
// the system tells it of a new resolution.
TEST_F(Win32Window, PlacesEveryControlByTheTableAtItsDpi) {
    HWND window = form_->Handle();
    EXPECT_EQ(TextOf(window), layout::kTitle);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_NE(style & WS_SYSMENU, 0u);
    EXPECT_NE(GetClassLongPtrW(window, GCLP_HICON), 0u);
    ASSERT_EQ(form_->Dpi(), 96);

    for (const int dpi : {96, 192}) {
        if (dpi != 96) {
            RECT suggested;
            GetWindowRect(window, &suggested);
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested));
            Pump();
        }
        RECT client;
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, layout::ToPixels(layout::kClientWidth, dpi)) << dpi;
        EXPECT_EQ(client.bottom, layout::ToPixels(layout::kClientHeight, dpi)) << dpi;
        for (const layout::Control& control : layout::kControls) {
            HWND hwnd = Named(control.name);
            if (control.kind == layout::Kind::PictureBox ||
                control.kind == layout::Kind::Rectangle) {
                EXPECT_EQ(hwnd, nullptr) << control.name;  // drawn by the window
                continue;
            }
            ASSERT_NE(hwnd, nullptr) << control.name;
            const layout::Rect want = layout::ToPixels(control.place, dpi);
            const RECT got = PlaceOf(hwnd);
            EXPECT_EQ(got.left, want.left) << control.name << " at " << dpi;
            EXPECT_EQ(got.top, want.top) << control.name << " at " << dpi;
            EXPECT_EQ(got.right - got.left, want.width) << control.name << " at " << dpi;
            EXPECT_EQ(got.bottom - got.top, want.height) << control.name << " at " << dpi;
            EXPECT_EQ(TextOf(hwnd), control.caption) << control.name;
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font,
                       &font);
            EXPECT_EQ(Utf8(font.lfFaceName), layout::kFontFamily) << control.name;
            EXPECT_EQ(font.lfHeight, -dpi * 11 / 96) << control.name;  // 8.25 points
            EXPECT_EQ(font.lfWeight >= FW_BOLD, control.bold) << control.name;
            EXPECT_EQ(font.lfUnderline != 0, control.underline) << control.name;
        }
        // What the window draws itself: the strip, the legend's fill inside
        // Shape1's black border.
        const int scale = dpi / 96;
        const auto strip = layout::kStripFill;
        EXPECT_EQ(PixelAt(10 * scale, 4 * scale), RGB(strip.red, strip.green, strip.blue)) << dpi;
        const layout::Rect shape = layout::ToPixels(layout::Find("Shape1")->place, dpi);
        EXPECT_EQ(PixelAt(shape.left, shape.top + shape.height / 2), RGB(0, 0, 0)) << dpi;
        EXPECT_EQ(PixelAt(shape.left + shape.width - 1, shape.top + 3), RGB(0, 0, 0)) << dpi;
        const auto yellow = layout::kLegendYellow;
        EXPECT_EQ(PixelAt(shape.left + shape.width - 20 * scale, shape.top + 3 * scale),
                  RGB(yellow.red, yellow.green, yellow.blue))
            << dpi;
    }
}

TEST_F(Win32Window, ButtonsRunTheirCommandsAndReportErrors) {
    struct Row {
        std::vector<std::string> start;
        const char* button;
        std::vector<std::string> end;
        std::vector<std::string> messages;
    };
    const std::string overflow(ostrel::ErrorReport(ostrel::ErrorKind::Overflow));
    const std::string conversion(ostrel::ErrorReport(ostrel::ErrorKind::Conversion));
    const Row rows[] = {
        {{"10", "12", "15", "0"}, "Command1", {"10", "12", "15", "8"}, {}},
        {{"x", "2000", "3", "0"},
         "Command1",
         {"0", "0", "3", "6"},
         {std::string(ostrel::kNotANumberMessage), std::string(ostrel::kBadGevMessage)}},
        {{"10", "12", "0", "7"}, "Command2", {"10", "12", "14", "2"}, {}},
        {{"abc", "", "1", "12345678"}, "Command3", {"0", "0", "0", "0"}, {}},
        {{"1", "1", "abc", "5"}, "Command2", {"1", "1", "abc", "5"}, {conversion}},
        {{"-3E9", "0", "0", "5"}, "Command1", {"-3E9", "0", "0", "5"}, {overflow}},
        // After an error the window goes on.
        {{"5", "10", "8", "0"}, "Command1", {"5", "10", "8", "3"}, {}},
    };
    for (const Row& row : rows) {
        Fill(row.start);
        BoxCloser closer;
        SendMessageW(Named(row.button), BM_CLICK, 0, 0);
        Pump();
        EXPECT_EQ(Texts(), row.end) << row.button << ' ' << row.start[0];
        EXPECT_EQ(closer.Texts(), row.messages) << row.button << ' ' << row.start[0];
        for (const Box& box : closer.Boxes()) {
            EXPECT_EQ(box.title, "Ostrel");
            EXPECT_TRUE(box.onlyOk);
        }
        // The focus is back on the pressed button; no field's handler ran.
        EXPECT_EQ(GetFocus(), Named(row.button)) << row.button;
    }
}

TEST_F(Win32Window, LinkAsksForANormallyShownBrowser) {
    struct Call {
        std::string file, operation;
        bool parameters, directory;
        int show;
    };
    std::vector<Call> calls;
    form_->SetOpener([&](std::string_view file, std::string_view operation,
                         std::optional<std::string_view> parameters,
                         std::optional<std::string_view> directory, int show) {
        calls.push_back({std::string(file), std::string(operation), parameters.has_value(),
                         directory.has_value(), show});
        return false;
    });
    HWND link = Named("Label10");
    PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 8));
    PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(100, 8));
    Pump();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, "https://ostrel.example/");
    EXPECT_EQ(calls[0].operation, "Open");
    EXPECT_FALSE(calls[0].parameters || calls[0].directory);
    EXPECT_EQ(calls[0].show, SW_SHOWNORMAL);
    // The hand pointer, its hot spot at the tip of the finger.
    EXPECT_EQ(SendMessageW(form_->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(GetCursor(), &info));
    EXPECT_EQ(info.xHotspot, static_cast<DWORD>(layout::kPointerHotX));
    EXPECT_EQ(info.yHotspot, static_cast<DWORD>(layout::kPointerHotY));
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}

// The dialog manager selects a whole field it tabs into; the focus handler's
// first eight characters must stand. Tab order and the start focus too.
// Wine's dialog manager selects before it gives the focus, so under Wine the
// outcome alone cannot show the trap: the fields must also not ask for it.
TEST_F(Win32Window, TabOrderAndTheFocusHandlersSelection) {
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(SendMessageW(Field(i), WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL, 0) << i;
    }
    EXPECT_EQ(GetFocus(), Field(1));
    EXPECT_EQ(Selection(Field(1)), std::make_pair(0ul, 1ul));
    std::vector<HWND> order;
    for (std::size_t i = 0; i < layout::FocusChain().size(); ++i) {
        Key(VK_TAB);
        order.push_back(GetFocus());
    }
    std::vector<HWND> expected;
    for (std::size_t i = 1; i <= layout::FocusChain().size(); ++i) {
        expected.push_back(Named(layout::FocusChain()[i % layout::FocusChain().size()]->name));
    }
    EXPECT_EQ(order, expected);

    Fill({"0", "0", "46340", "0"});
    EXPECT_TRUE(Click("Command1").empty());
    EXPECT_EQ(TextOf(Field(4)), "1073720970");  // WM_SETTEXT stores it whole
    SetFocus(Field(3));
    Pump();
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), Field(4));
    EXPECT_EQ(Selection(Field(4)), std::make_pair(0ul, 8ul));
}

TEST_F(Win32Window, EnterAndEscapeInAFieldPressNothing) {
    EXPECT_EQ(GetDlgItem(form_->Handle(), IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(form_->Handle(), IDCANCEL), nullptr);
    Fill({"10", "12", "15", "7"});
    SetFocus(Field(1));
    Pump();
    BoxCloser closer;
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        Key(key);
    }
    EXPECT_TRUE(closer.Texts().empty());
    EXPECT_EQ(Texts(), (std::vector<std::string>{"10", "12", "15", "7"}));
    EXPECT_TRUE(IsWindowVisible(form_->Handle()));
}

// Back from another window, a field gets its focus again without its focus
// handler: the user's caret stays where it was.
TEST_F(Win32Window, ReactivationKeepsTheCaret) {
    SetWindowTextW(Field(2), L"12345");
    SetFocus(Field(2));
    Pump();
    SendMessageW(Field(2), EM_SETSEL, 3, 3);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(other);
    Pump();
    DestroyWindow(other);
    SetActiveWindow(form_->Handle());
    Pump();
    EXPECT_EQ(GetFocus(), Field(2));
    EXPECT_EQ(Selection(Field(2)), std::make_pair(3ul, 3ul));
}

TEST_F(Win32Window, TypingAndPastingStopAtEight) {
    SetFocus(Field(1));
    Pump();
    Type(Field(1), "123456789");
    EXPECT_EQ(TextOf(Field(1)), "12345678");

    SetWindowTextW(Field(2), L"12");
    SetFocus(Field(2));
    Pump();
    SendMessageW(Field(2), EM_SETSEL, 2, 2);
    ASSERT_TRUE(OpenClipboard(form_->Handle()));
    EmptyClipboard();
    const std::wstring pasted = L"abcdefghij";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), pasted.c_str(), (pasted.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(Field(2), WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(Field(2)), "12abcdef");
    Type(Field(2), "9");
    EXPECT_EQ(TextOf(Field(2)), "12abcdef");
}

// Screen readers name an edit control after the label just before it.
TEST_F(Win32Window, EachFieldFollowsItsCaption) {
    for (int i = 1; i <= 4; ++i) {
        HWND caption = GetWindow(Field(i), GW_HWNDPREV);
        EXPECT_EQ(caption, Named("Label" + std::to_string(i))) << i;
    }
}

}  // namespace
