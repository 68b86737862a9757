// SPDX-License-Identifier: MIT
#include "window/win32/form1.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "form/entry_checks.h"
#include "link/shell.h"
#include "window/event_binding.h"
#include "window/win32/background.h"
#include "window/win32/drawing.h"
#include "window/win32/resource_ids.h"
#include "window/win32/system.h"
#include "window/win32/text16.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace ostrel::win32 {
namespace {

constexpr wchar_t kClassName[] = L"OstrelForm1";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // fixed, no min/max box
constexpr DWORD kExStyle = 0;
// Control ids start above IDOK (1) and IDCANCEL (2), which the dialog manager
// sends for Enter and Escape.
constexpr int kFirstId = 100;
// Posted when a field has received the focus, so that the focus handler runs
// after whatever gave the focus (a click placing the caret, the dialog
// manager selecting the text) is done.
constexpr UINT kFieldFocused = WM_APP + 1;

bool IsWindowed(layout::Kind kind) {
    return kind == layout::Kind::Label || kind == layout::Kind::TextBox ||
           kind == layout::Kind::Button;
}

std::size_t FontIndex(bool bold, bool underline) {
    return (bold ? 1u : 0u) | (underline ? 2u : 0u);
}

}  // namespace

Form1::Form1(HINSTANCE instance, Options options)
    : instance_(instance),
      options_(std::move(options)),
      hand_(LoadCursorW(instance, MAKEINTRESOURCEW(OSTREL_HAND))),
      hollow_(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))),
      background_(std::make_unique<Background>(instance, OSTREL_BACKGROUND)),
      opener_(Shell::OpenHomePage) {
    INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    RegisterWindowClass(instance, kClassName, WindowProc);
    CreateWindowExW(kExStyle, kClassName, Utf16(layout::kTitle).c_str(), kStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
}

Form1::~Form1() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    for (HFONT font : fonts_) {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }
}

HWND Form1::Control(std::string_view name) const {
    for (std::size_t i = 0; i < layout::kControls.size(); ++i) {
        if (layout::kControls[i].name == name) {
            return controls_[i];
        }
    }
    return nullptr;
}

void Form1::Show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(fields_[0]);
}

void Form1::SetOpener(Opener opener) {
    opener_ = std::move(opener);
}

bool Form1::PreTranslate(MSG& message) {
    return window_ != nullptr && IsDialogMessageW(window_, &message) != 0;
}

std::string Form1::GetText(Field field) const {
    HWND edit = fields_[static_cast<std::size_t>(field)];
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    const int length = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return Utf8(text);
}

void Form1::SetText(Field field, std::string_view text) {
    // WM_SETTEXT stores the whole text; the limit of EM_SETLIMITTEXT is only
    // for what the user types or pastes.
    SetWindowTextW(fields_[static_cast<std::size_t>(field)], Utf16(text).c_str());
}

void Form1::SetSelection(Field field, int start, int length) {
    HWND edit = fields_[static_cast<std::size_t>(field)];
    if (const auto range = binding::SelectionIn(GetWindowTextLengthW(edit), start, length)) {
        SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(range->start),
                     static_cast<LPARAM>(range->end));
    }
}

void Form1::ShowMessage(std::string_view text) {
    MessageBoxW(window_, Utf16(text).c_str(), Utf16(layout::kBoxTitle).c_str(), MB_OK);
}

std::string Form1::DecimalSeparator() const {
    if (options_.decimalSeparator) {
        return *options_.decimalSeparator;
    }
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1) {
        return ".";
    }
    return Utf8(separator);
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // The handlers report what leaves them; whatever else a message raises
    // (out of memory) is reported here, so no exception crosses the window
    // procedure.
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        binding::ReportCaughtError(*self);
    }
    return 0;
}

LRESULT Form1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            dpi_ = DpiOf(window_);
            colours_ =
                ChooseColours(options_.highContrast.value_or(HighContrastOn()), *background_);
            CreateControls();
            LayOut(dpi_);
            return 0;
        case WM_SYSCOLORCHANGE:  // a new colour scheme or contrast theme
        case WM_SETTINGCHANGE:
        case WM_THEMECHANGED:
            Restyle();
            break;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (lParam == 0 || id < kFirstId) {
                return 0;  // Enter and Escape (IDOK, IDCANCEL) press nothing
            }
            const auto index = static_cast<std::size_t>(id - kFirstId);
            if (index >= layout::kControls.size()) {
                return 0;
            }
            const layout::Control& control = layout::kControls[index];
            if (control.kind == layout::Kind::TextBox && code == EN_SETFOCUS) {
                if (!restoringFocus_) {
                    PostMessageW(window_, kFieldFocused, static_cast<WPARAM>(control.field),
                                 lParam);
                }
            } else if ((control.kind == layout::Kind::Button && code == BN_CLICKED) ||
                       (control.kind == layout::Kind::Label && code == STN_CLICKED)) {
                binding::RunClick(control.click, *this, opener_);
            }
            return 0;
        }
        case kFieldFocused:
            if (GetFocus() == reinterpret_cast<HWND>(lParam)) {
                binding::RunGotFocus(*this, static_cast<Field>(wParam));
            }
            return 0;
        case WM_ACTIVATE:
            // A field that keeps the focus while the window is inactive gets
            // it back without its focus handler, as the Qt window does.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window_, focus)) {
                    lastFocus_ = focus;
                }
            } else if (lastFocus_ != nullptr && IsWindow(lastFocus_)) {
                restoringFocus_ = true;
                SetFocus(lastFocus_);
                restoringFocus_ = false;
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            return ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR: {
            const layout::Control* design = DesignOf(reinterpret_cast<HWND>(wParam));
            if (design != nullptr && design->handPointer && hand_ != nullptr) {
                SetCursor(hand_);
                return TRUE;
            }
            break;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers the whole client area
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            Paint(dc, false);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam), true);
            return 0;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            LayOut(LOWORD(wParam));
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            if (options_.quitOnClose) {
                PostQuitMessage(0);
            }
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void Form1::CreateControls() {
    // In the table's order, in which the fields and buttons stand in their
    // tab order: the dialog manager's is the order they are made in. Each
    // caption is made just before its field, where screen readers look for
    // the field's name.
    for (const layout::Control& control : layout::kControls) {
        if (control.kind == layout::Kind::TextBox) {
            CreateControl(layout::CaptionOf(control.field));
        }
        if (IsWindowed(control.kind) && !control.captionOf) {
            CreateControl(control);
        }
    }
}

void Form1::CreateControl(const layout::Control& control) {
    const auto i = static_cast<std::size_t>(&control - layout::kControls.data());
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (control.kind) {
        case layout::Kind::Label:
            style |= (control.centred ? SS_CENTER : SS_LEFT) | SS_NOPREFIX;
            if (control.click != layout::Click::None) {
                style |= SS_NOTIFY;  // only the link takes clicks; the rest let them through
            }
            break;
        case layout::Kind::TextBox:
            windowClass = L"EDIT";
            style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case layout::Kind::Button:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON;
            break;
        default:
            break;
    }
    HWND hwnd = CreateWindowExW(
        exStyle, windowClass, Utf16(control.caption).c_str(), style, 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + static_cast<int>(i))), instance_,
        nullptr);
    controls_[i] = hwnd;
    if (control.kind == layout::Kind::TextBox) {
        fields_[static_cast<std::size_t>(control.field)] = hwnd;
        SendMessageW(hwnd, EM_SETLIMITTEXT, kTypedLengthLimit, 0);
        KeepOwnSelectionOnTab(hwnd);
    }
}

RECT Form1::Pixels(const layout::Rect& twips) const {
    const layout::Rect r = layout::ToPixels(twips, dpi_);
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

void Form1::LayOut(int dpi) {
    dpi_ = dpi;
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i] != nullptr) {
            DeleteObject(fonts_[i]);
        }
        LOGFONTW font{};
        font.lfHeight = -static_cast<LONG>(std::lround(layout::FontPixels(dpi)));
        font.lfWeight = (i & 1) != 0 ? FW_BOLD : FW_NORMAL;
        font.lfUnderline = (i & 2) != 0 ? TRUE : FALSE;
        font.lfCharSet = DEFAULT_CHARSET;
        const std::wstring family = Utf16(layout::kFontFamily);
        family.copy(font.lfFaceName, LF_FACESIZE - 1);
        fonts_[i] = CreateFontIndirectW(&font);
    }
    for (std::size_t i = 0; i < layout::kControls.size(); ++i) {
        HWND hwnd = controls_[i];
        if (hwnd == nullptr) {
            continue;
        }
        const layout::Control& control = layout::kControls[i];
        const RECT r = Pixels(control.place);
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        HFONT font = fonts_[FontIndex(control.bold, control.underline)];
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    const SIZE client{layout::ToPixels(layout::kClientWidth, dpi),
                      layout::ToPixels(layout::kClientHeight, dpi)};
    SetClientSize(window_, client);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
}

void Form1::Restyle() {
    colours_ = ChooseColours(options_.highContrast.value_or(HighContrastOn()), *background_);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
}

void Form1::Paint(HDC dc, bool underControls) {
    // The DC may be a control's, lent for drawing its background
    // (WM_PRINTCLIENT): leave it as it came.
    const int saved = SaveDC(dc);
    // Fields and buttons draw all of themselves, unless this is the
    // background one of them asked for.
    for (std::size_t i = 0; i < layout::kControls.size() && !underControls; ++i) {
        const layout::Kind kind = layout::kControls[i].kind;
        if (controls_[i] != nullptr &&
            (kind == layout::Kind::TextBox || kind == layout::Kind::Button)) {
            const RECT r = Pixels(layout::kControls[i].place);
            ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
        }
    }
    RECT client;
    GetClientRect(window_, &client);
    DrawBackdrop(dc, colours_, *background_, dpi_, {client.right, client.bottom});
    RestoreDC(dc, saved);
}

LRESULT Form1::ControlColour(HDC dc, HWND control) {
    const layout::Control* design = DesignOf(control);
    if (design == nullptr) {
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours_.text[static_cast<std::size_t>(design - layout::kControls.data())]);
    return reinterpret_cast<LRESULT>(hollow_);
}

const layout::Control* Form1::DesignOf(HWND control) const {
    const auto* found = std::find(controls_.begin(), controls_.end(), control);
    return control == nullptr || found == controls_.end()
               ? nullptr
               : &layout::kControls[static_cast<std::size_t>(found - controls_.begin())];
}

}  // namespace ostrel::win32
