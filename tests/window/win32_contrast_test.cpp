// SPDX-License-Identifier: MIT
// The Win32 window in Windows' high-contrast themes: the system's colours set
// as each theme sets them, and every label's text measured on the screen
// against what the window draws under its letters.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/window/win32_driver.h"
#include "window/contrast.h"
#include "window/layout.h"
#include "window/win32/form1.h"
#include "window/win32/text16.h"

namespace {

namespace layout = ostrel::layout;
using ostrel::win32::Utf16;
using ostrel::win32::test::Win32Window;

// Windows' high-contrast themes by the system colours the window draws with:
// Windows 10's four and Windows 11's four contrast themes.
struct Scheme {
    const char* name;
    COLORREF window, text, link;
};
constexpr Scheme kSchemes[] = {
    {"High Contrast Black", RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0)},
    {"High Contrast White", RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 159)},
    {"High Contrast #1", RGB(0, 0, 0), RGB(255, 255, 0), RGB(128, 128, 255)},
    {"High Contrast #2", RGB(0, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0)},
    {"Aquatic", RGB(32, 32, 32), RGB(255, 255, 255), RGB(117, 233, 252)},
    {"Desert", RGB(255, 250, 239), RGB(61, 61, 61), RGB(28, 94, 117)},
    {"Dusk", RGB(45, 50, 54), RGB(255, 255, 255), RGB(112, 235, 222)},
    {"Night sky", RGB(0, 0, 0), RGB(255, 255, 255), RGB(128, 128, 255)},
};

// The system's colours set to a scheme's while alive, as the theme sets them
// (the windows are told by WM_SYSCOLORCHANGE); the old ones again after.
class SchemeColours {
  public:
    explicit SchemeColours(const Scheme& scheme) {
        for (std::size_t i = 0; i < kElements.size(); ++i) {
            old_[i] = GetSysColor(kElements[i]);
        }
        const COLORREF colours[] = {scheme.window, scheme.text, scheme.link};
        SetSysColors(static_cast<int>(kElements.size()), kElements.data(), colours);
    }
    ~SchemeColours() {
        SetSysColors(static_cast<int>(kElements.size()), kElements.data(), old_.data());
    }
    SchemeColours(const SchemeColours&) = delete;
    SchemeColours& operator=(const SchemeColours&) = delete;

  private:
    static constexpr std::array<int, 3> kElements = {COLOR_WINDOW, COLOR_WINDOWTEXT,
                                                     COLOR_HOTLIGHT};
    std::array<COLORREF, kElements.size()> old_{};
};

layout::Rgb ToRgb(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// A label's text as the window draws it: the colour the window gives it, how
// many pixels of the text's box are drawn in it, and its contrast over what
// the window draws under the letters (the pixels that the text changes).
struct Legibility {
    const layout::Control* control;
    COLORREF text = 0;
    int ink = 0;
    double ratio = 0;
};

class Win32Contrast : public Win32Window {
  protected:
    // The client area as drawn, top row first, 0x00RRGGBB.
    std::vector<std::uint32_t> Shot(HDC memory, int width, int height) {
        HWND window = form_->Handle();
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP shot = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, shot);
        HDC dc = GetDC(window);
        BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
        const auto* first = static_cast<const std::uint32_t*>(bits);
        std::vector<std::uint32_t> pixels(first,
                                          first + static_cast<std::ptrdiff_t>(width) * height);
        SelectObject(memory, old);
        DeleteObject(shot);
        return pixels;
    }

    std::vector<Legibility> Labels() {
        RECT client;
        GetClientRect(form_->Handle(), &client);
        HDC memory = CreateCompatibleDC(nullptr);
        const std::vector<std::uint32_t> drawn = Shot(memory, client.right, client.bottom);
        std::vector<const layout::Control*> labels;
        for (const layout::Control& control : layout::kControls) {
            if (control.kind == layout::Kind::Label) {
                labels.push_back(&control);
                ShowWindow(Named(control.name), SW_HIDE);
            }
        }
        const std::vector<std::uint32_t> under = Shot(memory, client.right, client.bottom);
        std::vector<Legibility> seen;
        for (const layout::Control* control : labels) {
            HWND label = Named(control->name);
            ShowWindow(label, SW_SHOWNA);
            SendMessageW(form_->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memory),
                         reinterpret_cast<LPARAM>(label));
            Legibility text{control, GetTextColor(memory)};
            // The box the static control draws its caption in.
            HGDIOBJ font = SelectObject(
                memory, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
            const std::wstring caption = Utf16(control->caption);
            SIZE size{};
            GetTextExtentPoint32W(memory, caption.c_str(), static_cast<int>(caption.size()), &size);
            SelectObject(memory, font);
            const RECT place = PlaceOf(label);
            const LONG left =
                place.left + (control->centred ? (place.right - place.left - size.cx) / 2 : 0);
            std::vector<layout::Rgb> behind;
            for (LONG y = place.top; y < std::min(place.bottom, place.top + size.cy); ++y) {
                for (LONG x = left; x < left + size.cx; ++x) {
                    const auto i = static_cast<std::size_t>(y * client.right + x);
                    text.ink += Colour(drawn[i]) == text.text ? 1 : 0;
                    if (drawn[i] != under[i]) {
                        behind.push_back(ToRgb(Colour(under[i])));
                    }
                }
            }
            text.ratio = ostrel::contrast::RatioOver(ToRgb(text.text), behind);
            seen.push_back(text);
        }
        DeleteDC(memory);
        return seen;
    }

    static COLORREF Colour(std::uint32_t pixel) {
        return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }
};

// In every high-contrast theme each caption and legend line reads at 4.5:1 or
// more over what the window draws under it, the theme set while the window is
// open: by the contrast rule over the design's picture and fills where the
// system does not say a high-contrast theme is on (Wine cannot), and in the
// theme's own colours where it does; there the foot row too. Where the
// system does not say so, the foot row keeps the design's blue.
TEST_F(Win32Contrast, LabelsAreLegibleInEveryHighContrastTheme) {
    for (const std::optional<bool> highContrast : {std::optional<bool>(), std::optional(true)}) {
        form_ = std::make_unique<ostrel::win32::Form1>(
            GetModuleHandleW(nullptr),
            ostrel::win32::Form1::Options{.decimalSeparator = ".", .highContrast = highContrast});
        form_->Show(SW_SHOWNORMAL);
        Pump();
        for (const Scheme& scheme : kSchemes) {
            const SchemeColours colours(scheme);
            Pump();
            std::map<bool, std::pair<double, std::string_view>> least;  // by foot row or not
            for (const Legibility& label : Labels()) {
                const layout::Control& control = *label.control;
                const std::string where =
                    std::string(scheme.name) + ", " + std::string(control.name);
                EXPECT_GE(label.ink, 10) << where;  // the text is drawn in that colour
                const bool foot = control.group == layout::Group::Foot;
                if (highContrast || !foot) {
                    EXPECT_GE(label.ratio, ostrel::contrast::kLegible) << where;
                }
                if (highContrast) {
                    const bool link = control.click != layout::Click::None;
                    EXPECT_EQ(label.text, link ? scheme.link : scheme.text) << where;
                }
                if (!least.contains(foot) || label.ratio < least[foot].first) {
                    least[foot] = {label.ratio, control.name};
                }
            }
            std::printf("%s, %s: captions and legend at least %.2f:1 (%s), foot row %.2f:1 (%s)\n",
                        scheme.name, highContrast ? "its own colours" : "the contrast rule",
                        least[false].first, least[false].second.data(), least[true].first,
                        least[true].second.data());
        }
    }
}

}  // namespace
