// SPDX-License-Identifier: MIT
// The web window's style sheet, in which a CSS pixel is a pixel of the
// design (at a desktop size): every control in its place from the design
// table, the smooth stand-in for the background, the labels' legible colours
// in a light and a dark scheme, and the message box.
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "window/contrast.h"
#include "window/layout.h"
#include "window/pictures/pictures.h"
#include "window/web/css_text.h"
#include "window/web/page.h"

namespace ostrel::web::page {
namespace {

// Safari on phones zooms into a field whose text is smaller than this when it
// takes the focus; the fields are laid out at this size and scaled down.
constexpr double kLeastFieldFont = 16;
// The page's margin around the window.
constexpr int kMargin = 8;

using css::Number;
using css::Px;
using css::Sel;

std::string Hex(layout::Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red, c.green, c.blue);
    return text;
}

std::string Hex(pictures::Rgba c) {
    return Hex(layout::Rgb{c.r, c.g, c.b});
}

// The design's font, its stand-ins and the generic sans-serif, for `font`: a
// name with a blank in it quoted.
std::string FontFamilies() {
    std::string families;
    auto add = [&families](std::string_view name) {
        const bool quoted = name.find(' ') != std::string_view::npos;
        families += (quoted ? "\"" : "") + std::string(name) + (quoted ? "\", " : ", ");
    };
    add(layout::kFontFamily);
    for (const std::string_view fallback : layout::kFontFallbacks) {
        add(fallback);
    }
    return families + "sans-serif";
}

// The colour of a label's text over what lies behind it: the legend's fill,
// or the background picture under the label's box.
layout::Rgb Legible(const layout::Control& control, const pictures::Image& background,
                    layout::Rgb system) {
    std::vector<layout::Rgb> behind;
    if (control.fill) {
        behind.push_back(*control.fill);
    } else {
        const layout::Rect r = layout::ToPixels(control.place, layout::kDesignDpi);
        for (int y = std::max(0, r.top); y < std::min(background.height, r.top + r.height); ++y) {
            for (int x = std::max(0, r.left); x < std::min(background.width, r.left + r.width);
                 ++x) {
                const pictures::Rgba& p = background.at(x, y);
                behind.push_back({p.r, p.g, p.b});
            }
        }
    }
    return contrast::LegibleText(control.text.value_or(system), behind);
}

// Until the page has drawn the mottled picture, its smooth shape: the mean
// colour with the glow, as a radial gradient.
std::string SmoothBackground() {
    const pictures::Glow glow =
        pictures::BackgroundGlow(layout::kBackgroundWidth, layout::kBackgroundHeight);
    std::string gradient = "radial-gradient(" + Px(glow.radiusX) + " " + Px(glow.radiusY) + " at " +
                           Px(glow.centreX + 0.5) + " " + Px(glow.centreY + 0.5);
    constexpr int kStops = 12;
    constexpr double kFarthest = 3.0;  // radii: the glow has faded there
    for (int i = 0; i <= kStops; ++i) {
        const double r = kFarthest * i / kStops;
        const pictures::Rgba c =
            pictures::BackgroundSmooth(glow.centreX + r * glow.radiusX, glow.centreY,
                                       layout::kBackgroundWidth, layout::kBackgroundHeight);
        char stop[48];
        std::snprintf(stop, sizeof stop, ", %s %.6g%%", Hex(c).c_str(), 100 * r);
        gradient += stop;
    }
    return gradient + ")";
}

// Whether a label of a group starts on the left border of its group's
// rectangle.
bool OnBorder(const layout::Control& label) {
    for (const layout::Control& box : layout::kControls) {
        if (label.group != layout::Group::None && box.group == label.group &&
            box.kind == layout::Kind::Rectangle) {
            return box.place.left == label.place.left;
        }
    }
    return false;
}

// The rule of one control's look, in either arrangement: by kind, its font,
// colours and pointer. A label whose colour differs in a dark scheme adds
// its rule to `dark`.
std::string LookRule(const layout::Control& control, const pictures::Image& background,
                     std::string& dark) {
    const std::string selector = Sel(control.name);
    std::string css;
    std::string after;  // rules of its parts
    switch (control.kind) {
        case layout::Kind::Label: {
            if (control.bold) {
                css += "  font-weight: bold;\n";
            }
            css += std::string("  text-decoration: ") + (control.underline ? "underline" : "none") +
                   ";\n";
            if (control.centred) {
                css += "  text-align: center;\n";
            }
            if (control.fill) {
                css += "  background: " + Hex(*control.fill) + ";\n";
            }
            // The system's text colour is black in a light scheme and white
            // in a dark one; each is kept only where it can be read.
            const layout::Rgb light = Legible(control, background, {0, 0, 0});
            const layout::Rgb inDark = Legible(control, background, {255, 255, 255});
            css += "  color: " + Hex(light) + ";\n";
            if (inDark != light) {
                dark += "  " + selector + " {\n    color: " + Hex(inDark) + ";\n  }\n";
            }
            if (control.click == layout::Click::Label10) {
                // The focus ring round the link's text, inside the box it
                // stands in.
                after = selector + ":focus-visible {\n  outline: none;\n}\n" + selector +
                        ":focus-visible > span {\n  outline: 1px solid;\n}\n";
            }
            if (control.handPointer) {
                css += "  cursor: url(\"hand.cur\") " + std::to_string(layout::kPointerHotX) + " " +
                       std::to_string(layout::kPointerHotY) + ", pointer;\n";
            }
            break;
        }
        case layout::Kind::PictureBox:
            css += "  background: " + Hex(control.fill.value_or(layout::Rgb{})) + ";\n";
            break;
        case layout::Kind::Rectangle:
            css += "  border: 1px solid " + Hex(control.border.value_or(layout::Rgb{})) + ";\n";
            break;
        case layout::Kind::TextBox:
        case layout::Kind::Button:
            break;
    }
    return css.empty() ? after : selector + " {\n" + css + "}\n" + after;
}

// The rule of one control's place in the desktop arrangement: where the
// design puts it, at its size (a field's before its scale).
std::string PlaceRule(const layout::Control& control, double fieldScale) {
    const layout::Rect r = layout::ToPixels(control.place, layout::kDesignDpi);
    const double scale = control.kind == layout::Kind::TextBox ? fieldScale : 1;
    std::string css = "  " + Sel(control.name) + " {\n    left: " + Px(r.left) +
                      ";\n    top: " + Px(r.top) + ";\n    width: " + Px(r.width / scale) +
                      ";\n    height: " + Px(r.height / scale) + ";\n";
    if (control.kind == layout::Kind::Label) {
        css += "    line-height: " + Px(r.height) + ";\n";
        if (!control.fill && OnBorder(control)) {
            // Its text a pixel clear of the border it starts on, as in the
            // desktop windows.
            css += "    padding-left: 2px;\n";
        }
    }
    return css + "  }\n";
}

// The message box: a modal dialog with its title, the text and OK, centred
// over the window as a desktop's box is over its owner (its place and size
// by arrangement).
std::string MessageBoxRules(const std::string& family) {
    return Sel(kMessageId) +
           " {\n  margin: 0;\n  inset: auto;\n  left: 50%;\n"
           "  transform: translate(-50%, -50%);\n  min-width: 16em;\n"
           "  padding: 0 16px 12px;\n  border: 1px solid GrayText;\n  font-family: " +
           family + ";\n}\n" + Sel(kMessageId) +
           "::backdrop {\n  background: rgb(0 0 0 / 25%);\n}\n" + Sel(kMessageTitleId) +
           " {\n  margin: 0 -16px;\n  padding: 4px 16px;\n  font-size: 1em;\n"
           "  border-bottom: 1px solid GrayText;\n}\n" +
           Sel(kMessageTextId) + " {\n  margin: 16px 0;\n  white-space: pre-wrap;\n}\n" +
           Sel(kMessageOkId) +
           " {\n  display: block;\n  margin-left: auto;\n  min-width: 6em;\n"
           "  font: inherit;\n}\n";
}

// The desktop arrangement: the window at the design's geometry, beside the
// page's margin.
std::string DesktopCss(double font, int width, int height) {
    const double fieldScale = font / kLeastFieldFont;
    const std::string window = Sel(kWindowId);
    std::string css = "  body {\n    padding: " + Px(kMargin) +
                      ";\n    display: flex;\n    flex-wrap: wrap;\n    justify-content: center;\n"
                      "  }\n";
    css += "  " + window + " {\n    flex: none;\n    width: " + Px(width) +
           ";\n    height: " + Px(height) + ";\n    box-shadow: 0 1px 6px rgb(0 0 0 / 35%);\n  }\n";
    css +=
        "  " + window + " > * {\n    position: absolute;\n    font-size: " + Px(font) + ";\n  }\n";
    css += "  " + window + " > button {\n    padding: 0 " + Px(2) + ";\n  }\n";
    css += "  " + window + " > input {\n    font-size: " + Px(kLeastFieldFont) +
           ";\n    padding: 0 3px;\n    transform: scale(" + Number(fieldScale) +
           ");\n    transform-origin: 0 0;\n  }\n";
    for (const layout::Control& control : layout::kControls) {
        css += PlaceRule(control, fieldScale);
    }
    css +=
        "  " + Sel(kMessageId) + " {\n    top: calc(" + Px(kMargin) + " + " + Px(height / 2.0) +
        ");\n    max-width: min(28em, calc(100vw - 48px));\n    font-size: " + Px(font * 14 / 11) +
        ";\n  }\n";
    return css;
}

}  // namespace

std::string Css() {
    const int width = layout::ToPixels(layout::kClientWidth, layout::kDesignDpi);
    const int height = layout::ToPixels(layout::kClientHeight, layout::kDesignDpi);
    const double font = layout::FontPixels(layout::kDesignDpi);
    const std::string family = FontFamilies();
    const pictures::Image background = pictures::BackgroundPart(
        layout::kBackgroundWidth, layout::kBackgroundHeight, 1, width, height);
    const std::string window = Sel(kWindowId);
    std::string css;
    css +=
        "/* The calculator's window, drawn from its design: what both arrangements\n"
        "   share, then the desktop's, one CSS pixel to a pixel of the design, and\n"
        "   the phone's, each where the other is not. */\n";
    css += ":root {\n  color-scheme: light dark;\n}\n";
    css += "html, body {\n  margin: 0;\n  background: Canvas;\n  color: CanvasText;\n}\n";
    css += "body {\n  font: " + Px(font) + " " + family + ";\n}\n";
    // Without JavaScript, a line above the window that says why it does
    // nothing.
    css += "noscript {\n  flex: 0 0 100%;\n}\n" + Sel(kNoScriptId) + " {\n  margin: 0 0 " +
           Px(kMargin) +
           ";\n  padding: 8px 12px;\n  font-size: 16px;\n  font-weight: bold;\n"
           "  text-align: center;\n  color: #000000;\n  background: #ffff80;\n}\n";
    css += window +
           " {\n  position: relative;\n  overflow: hidden;\n  background: " + SmoothBackground() +
           ";\n}\n";
    css += Sel(kBackgroundId) +
           " {\n  position: absolute;\n  left: 0;\n  top: 0;\n  width: 100%;\n  height: 100%;\n}\n";
    css += window + " > * {\n  box-sizing: border-box;\n  margin: 0;\n  font-family: " + family +
           ";\n}\n";
    css += ".label {\n  white-space: pre;\n  overflow: hidden;\n}\n";
    css += "." + std::string(kLegendClass) +
           " > span {\n  display: inline-block;\n  text-decoration: inherit;\n  "
           "transform-origin: 0 0;\n}\n";
    css += ".shape {\n  pointer-events: none;\n}\n";
    css += window + " > button {\n  white-space: nowrap;\n}\n";

    std::string dark;
    for (const layout::Control& control : layout::kControls) {
        css += LookRule(control, background, dark);
    }
    if (!dark.empty()) {
        css += "@media (prefers-color-scheme: dark) {\n" + dark + "}\n";
    }
    css += MessageBoxRules(family);
    return css + DesktopMedia(DesktopCss(font, width, height)) + PhoneMedia(PhoneCss());
}

std::string PhoneMedia(std::string_view rules) {
    std::string query;
    for (const std::string_view clause : kPhoneWhere) {
        query += (query.empty() ? "" : ", ") + std::string(clause);
    }
    return "@media " + query + " {\n" + std::string(rules) + "}\n";
}

std::string DesktopMedia(std::string_view rules) {
    // Where no clause holds: each clause's negation around the next.
    std::string open;
    std::string close;
    for (const std::string_view clause : kPhoneWhere) {
        open.append("@media not all and ").append(clause).append(" {\n");
        close += "}\n";
    }
    return open.append(rules).append(close);
}

}  // namespace ostrel::web::page
