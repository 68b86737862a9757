// SPDX-License-Identifier: MIT
#pragma once

#include <span>

#include "window/layout.h"

// How legible text is over what lies behind it, as the Web Content
// Accessibility Guidelines measure it: a ratio from 1 (no contrast) to 21
// (black on white).
namespace ostrel::contrast {

// The least ratio that ordinary text needs (WCAG level AA).
inline constexpr double kLegible = 4.5;

// The contrast ratio of two sRGB colours.
[[nodiscard]] double Ratio(layout::Rgb a, layout::Rgb b);

// The contrast ratio of text in colour `text` over a background made of the
// pixels `behind` (a plain fill is one pixel): measured against their mean
// relative luminance, as a reader's eye averages a fine texture. Empty
// `behind` counts as white.
[[nodiscard]] double RatioOver(layout::Rgb text, std::span<const layout::Rgb> behind);

// The colour to draw text in over the pixels `behind`: `wanted` while it
// keeps a ratio of at least kLegible; otherwise black, or white where white
// has the better ratio.
[[nodiscard]] layout::Rgb LegibleText(layout::Rgb wanted, std::span<const layout::Rgb> behind);

// The colour to draw a label's text in: the table's own, else `system` (the
// system's window-text colour), chosen by LegibleText over what lies behind
// the label: its fill, or where it has none `picture`, the background
// picture's pixels under it.
[[nodiscard]] layout::Rgb LabelText(const layout::Control& label, layout::Rgb system,
                                    std::span<const layout::Rgb> picture);

}  // namespace ostrel::contrast
