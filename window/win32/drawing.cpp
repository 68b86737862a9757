// SPDX-License-Identifier: MIT
#include "window/win32/drawing.h"

#include <vector>

#include "window/contrast.h"
#include "window/win32/background.h"

namespace ostrel::win32 {
namespace {

COLORREF ToColorRef(layout::Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

layout::Rgb ToRgb(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

}  // namespace

Colours ChooseColours(bool highContrast, const Background& background) {
    Colours colours;
    colours.highContrast = highContrast;
    colours.window = GetSysColor(COLOR_WINDOW);
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    for (std::size_t i = 0; i < layout::kControls.size(); ++i) {
        const layout::Control& control = layout::kControls[i];
        if (highContrast) {
            colours.text[i] =
                control.kind == layout::Kind::Label && control.click != layout::Click::None
                    ? GetSysColor(COLOR_HOTLIGHT)
                    : windowText;
            if (control.border) {
                colours.border[i] = windowText;
            }
            continue;
        }
        if (control.kind == layout::Kind::Label) {
            const std::vector<layout::Rgb> picture =
                control.fill
                    ? std::vector<layout::Rgb>{}
                    : background.PixelsIn(layout::ToPixels(control.place, layout::kDesignDpi));
            colours.text[i] = ToColorRef(contrast::LabelText(control, ToRgb(windowText), picture));
        }
        if (control.fill) {
            colours.fill[i] = ToColorRef(*control.fill);
        }
        if (control.border) {
            colours.border[i] = ToColorRef(*control.border);
        }
    }
    return colours;
}

void DrawBackdrop(HDC dc, const Colours& colours, Background& background, int dpi, SIZE client) {
    auto fill = [dc](const RECT& r, COLORREF colour, bool frame) {
        HBRUSH brush = CreateSolidBrush(colour);
        frame ? FrameRect(dc, &r, brush) : FillRect(dc, &r, brush);
        DeleteObject(brush);
    };
    if (colours.highContrast) {
        fill({0, 0, client.cx, client.cy}, colours.window, false);
    } else {
        background.Draw(dc, dpi, client.cx, client.cy);
    }
    for (std::size_t i = 0; i < layout::kControls.size(); ++i) {
        const layout::Rect p = layout::ToPixels(layout::kControls[i].place, dpi);
        const RECT r{p.left, p.top, p.left + p.width, p.top + p.height};
        if (colours.fill[i]) {
            fill(r, *colours.fill[i], false);
        }
        if (colours.border[i]) {
            fill(r, *colours.border[i], true);
        }
    }
}

}  // namespace ostrel::win32
