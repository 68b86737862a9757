// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "window/layout.h"

namespace ostrel::win32 {

class Background;

// What the Win32 window draws itself, and in which colours.

// The colours the Win32 window draws in, for each control of the design table.
//
// Ordinarily the design's: the background picture, the legend's fill, the
// strip and the rectangles, and each label's text in its own colour or the
// system's window-text colour, either kept only where it can be read over what
// lies behind the label, else black or white (contrast::LabelText), as in the
// Qt window.
//
// In a high-contrast theme the theme's own, as Windows asks of a program
// there: no picture and no fills, only the window colour; text in the
// window-text colour, the link in the hyperlink colour, the rectangles in the
// window-text colour. Each pair is one the theme makes to be read together.
struct Colours {
    bool highContrast = false;
    COLORREF window = 0;  // under everything, in a high-contrast theme
    std::array<COLORREF, layout::kControls.size()> text{};
    std::array<std::optional<COLORREF>, layout::kControls.size()> fill{};
    std::array<std::optional<COLORREF>, layout::kControls.size()> border{};
};

// The colours for the system's colours as they are now, in a high-contrast
// theme or not.
[[nodiscard]] Colours ChooseColours(bool highContrast, const Background& background);

// Draws what the window draws itself under the labels' text, in a client
// area of `client` pixels at `dpi`: the picture, or in a high-contrast theme
// the window colour; then the fills and rectangles in the table's order,
// bottom to top.
void DrawBackdrop(HDC dc, const Colours& colours, Background& background, int dpi, SIZE client);

}  // namespace ostrel::win32
