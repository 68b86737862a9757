// Prints the web window from the window's design: its page (`html`) or its
// style sheet (`css`). Every control of the table becomes a native element in
// its place, so the window is drawn before any script has run, and no
// control's number is written anywhere but in the table.
//
// Usage: web_page html|css
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "form/entry_checks.h"
#include "link/home_page.h"
#include "window/pictures/pictures.h"
#include "window/contrast.h"
#include "window/layout.h"

namespace {

namespace layout = ostrel::layout;
namespace contrast = ostrel::contrast;
namespace pictures = ostrel::pictures;

// One CSS pixel is a pixel of the design at 96 dots per inch.
constexpr int kCssDpi = 96;
// Safari on phones zooms into a field whose text is smaller than this when it
// takes the focus; the fields are laid out at this size and scaled down.
constexpr double kLeastFieldFont = 16;
// The page's margin around the window.
constexpr int kMargin = 8;

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string Px(double value) {
    return Number(value) + (value == 0 ? "" : "px");
}

// A length of the window: `value` pixels of the design, in the unit --u that
// is one CSS pixel at full size and less on a screen narrower than the window.
std::string U(double value) {
    return value == 0 ? "0" : "calc(" + Number(value) + " * var(--u))";
}

std::string Hex(layout::Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red, c.green, c.blue);
    return text;
}

std::string Hex(pictures::Rgba c) {
    return Hex(layout::Rgb{c.r, c.g, c.b});
}

// Text for an HTML element or a double-quoted attribute.
std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Name(const layout::Control& control) {
    return std::string(control.name);
}

// The field a caption label names: the text box created right after it.
const layout::Control* FieldAfter(const layout::Control& label) {
    const auto* next = &label + 1;
    if (next == layout::kControls.end() || next->kind != layout::Kind::TextBox) {
        return nullptr;
    }
    return next;
}

// The legend line that explains the abbreviation a caption shows.
const layout::Control* LegendFor(std::string_view abbreviation) {
    const std::string_view line = layout::Explanation(abbreviation);
    for (const layout::Control& control : layout::kControls) {
        if (!line.empty() && control.caption.find(line) != std::string_view::npos) {
            return &control;
        }
    }
    return nullptr;
}

// ---- the page ----------------------------------------------------------------

// Content-Security-Policy: only the site's own files, no inline script or
// style, no eval, no plug-in; WebAssembly may be compiled. Everything the page
// fetches (style, pictures, the manifest, the WebAssembly, the service
// worker) falls under default-src: WebKit knows no manifest-src and reports
// it as an error.
constexpr std::string_view kPolicy =
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; object-src 'none'; "
    "base-uri 'none'; form-action 'none'";

std::string Element(const layout::Control& control) {
    const std::string id = Name(control);
    switch (control.kind) {
        case layout::Kind::Label: {
            const std::string text = Escaped(control.caption);
            if (control.click == layout::Click::Label10) {
                const std::string address = Escaped(ostrel::HomePageAddress());
                return "<a id=\"" + id + "\" class=\"label\" href=\"" + address +
                       "\" target=\"_blank\" rel=\"noopener\">" + text + "</a>";
            }
            if (const layout::Control* field = FieldAfter(control)) {
                return "<label id=\"" + id + "\" class=\"label\" for=\"" + Name(*field) + "\">" +
                       text + "</label>";
            }
            if (control.fill) {
                // A legend line: the page narrows its text where the
                // machine's font is wider than the design's.
                return "<div id=\"" + id + "\" class=\"label legend\"><span>" + text +
                       "</span></div>";
            }
            return "<div id=\"" + id + "\" class=\"label\">" + text + "</div>";
        }
        case layout::Kind::TextBox: {
            std::string described;
            const layout::Control* caption = &control - 1;
            if (caption >= layout::kControls.begin() && caption->kind == layout::Kind::Label) {
                if (const layout::Control* legend = LegendFor(caption->caption)) {
                    described = " aria-describedby=\"" + Name(*legend) + "\"";
                }
            }
            return "<input id=\"" + id + "\" type=\"text\" value=\"" + Escaped(control.caption) +
                   "\" maxlength=\"" + std::to_string(ostrel::kTypedLengthLimit) +
                   "\" autocomplete=\"off\" autocapitalize=\"off\" spellcheck=\"false\"" +
                   described + ">";
        }
        case layout::Kind::Button:
            return "<button id=\"" + id + "\" type=\"button\">" + Escaped(control.caption) +
                   "</button>";
        case layout::Kind::PictureBox:
        case layout::Kind::Rectangle:
            return "<div id=\"" + id + "\" class=\"shape\" aria-hidden=\"true\"></div>";
    }
    return {};
}

void PrintHtml() {
    std::string page =
        "<!DOCTYPE html>\n"
        "<html lang=\"sv\">\n"
        "<head>\n"
        "<meta charset=\"utf-8\">\n"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"" +
        std::string(kPolicy) +
        "\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<meta name=\"color-scheme\" content=\"light dark\">\n"
        "<meta name=\"description\" content=\"" OSTREL_DESCRIPTION
        "\">\n"
        "<title>" +
        Escaped(layout::kTitle) +
        "</title>\n"
        "<link rel=\"stylesheet\" href=\"style.css\">\n"
        "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
        "<link rel=\"icon\" href=\"icon.svg\" type=\"image/svg+xml\">\n"
        "<link rel=\"apple-touch-icon\" href=\"icon-192.png\">\n"
        "<link rel=\"preload\" href=\"ostrel-core.wasm\" as=\"fetch\" crossorigin>\n"
        "<script src=\"ostrel-core.js\" defer></script>\n"
        "<script src=\"ostrel.js\" defer></script>\n"
        "</head>\n"
        "<body>\n"
        "<main id=\"Form1\" aria-label=\"" +
        Escaped(layout::kTitle) +
        "\">\n"
        "<canvas id=\"Background\" aria-hidden=\"true\"></canvas>\n";
    for (const layout::Control& control : layout::kControls) {
        page += Element(control) + "\n";
    }
    page +=
        "</main>\n"
        "<dialog id=\"Message\" aria-labelledby=\"MessageTitle\" "
        "aria-describedby=\"MessageText\">\n"
        "<h1 id=\"MessageTitle\">Ostrel</h1>\n"
        "<p id=\"MessageText\"></p>\n"
        "<button id=\"MessageOk\" type=\"button\" autofocus>OK</button>\n"
        "</dialog>\n"
        "</body>\n"
        "</html>\n";
    std::fputs(page.c_str(), stdout);
}

// ---- the style sheet ---------------------------------------------------------

// The colour of a label's text over what lies behind it: the legend's fill,
// or the background picture under the label's box.
layout::Rgb Legible(const layout::Control& control, const pictures::Image& background,
                    layout::Rgb system) {
    std::vector<layout::Rgb> behind;
    if (control.fill) {
        behind.push_back(*control.fill);
    } else {
        const layout::Rect r = layout::ToPixels(control.place, kCssDpi);
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
    std::string gradient = "radial-gradient(" + U(glow.radiusX) + " " + U(glow.radiusY) + " at " +
                           U(glow.centreX + 0.5) + " " + U(glow.centreY + 0.5);
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

void PrintCss() {
    const int width = layout::ToPixels(layout::kClientWidth, kCssDpi);
    const int height = layout::ToPixels(layout::kClientHeight, kCssDpi);
    const double font = layout::FontPixels(kCssDpi);
    const double fieldScale = font / kLeastFieldFont;
    const std::string family = "\"" + std::string(layout::kFontFamily) +
                               "\", \"Microsoft Sans Serif\", \"Liberation Sans\", Arial, "
                               "\"DejaVu Sans\", sans-serif";
    const pictures::Image background = pictures::BackgroundPart(
        layout::kBackgroundWidth, layout::kBackgroundHeight, 1, width, height);
    std::string css;
    css +=
        "/* The calculator's window, drawn from its design. Every length of the\n"
        "   window is in --u, one pixel of the design: a CSS pixel where the window\n"
        "   fits, and on a screen narrower than the window (and its margin) so much\n"
        "   less that it fits the width. */\n";
    css += ":root {\n  color-scheme: light dark;\n  --u: min(1px, (100vw - " + Px(2 * kMargin) +
           ") / " + std::to_string(width) + ");\n}\n";
    css += "html, body {\n  margin: 0;\n  background: Canvas;\n  color: CanvasText;\n}\n";
    css += "body {\n  padding: " + Px(kMargin) + ";\n  font: " + Px(font) + " " + family +
           ";\n  display: flex;\n  justify-content: center;\n}\n";
    css += "#Form1 {\n  position: relative;\n  flex: none;\n  width: " + U(width) +
           ";\n  height: " + U(height) + ";\n  overflow: hidden;\n  background: " +
           SmoothBackground() + ";\n  box-shadow: 0 1px 6px rgb(0 0 0 / 35%);\n}\n";
    css += "#Background {\n  position: absolute;\n  left: 0;\n  top: 0;\n  width: " + U(width) +
           ";\n  height: " + U(height) + ";\n}\n";
    css +=
        "#Form1 > * {\n  position: absolute;\n  box-sizing: border-box;\n  margin: 0;\n  font: " +
        U(font) + " " + family + ";\n}\n";
    css += ".label {\n  white-space: pre;\n  overflow: hidden;\n}\n";
    css +=
        ".legend > span {\n  display: inline-block;\n  text-decoration: inherit;\n  "
        "transform-origin: 0 0;\n}\n";
    css += ".shape {\n  pointer-events: none;\n}\n";
    css += "#Form1 > button {\n  padding: 0 " + U(2) + ";\n  white-space: nowrap;\n}\n";
    css += "#Form1 > input {\n  font-size: " + Px(kLeastFieldFont) + ";\n  padding: 0 3px;\n  transform: scale(" + Number(fieldScale) +
           ");\n  transform-origin: 0 0;\n}\n";

    std::string dark;
    for (const layout::Control& control : layout::kControls) {
        const layout::Rect r = layout::ToPixels(control.place, kCssDpi);
        css += "#" + Name(control) + " {\n  left: " + U(r.left) + ";\n  top: " + U(r.top) + ";\n";
        if (control.kind == layout::Kind::TextBox) {
            css += "  width: " + U(r.width / fieldScale) + ";\n  height: " + U(r.height / fieldScale) +
                   ";\n";
        } else {
            css += "  width: " + U(r.width) + ";\n  height: " + U(r.height) + ";\n";
        }
        switch (control.kind) {
            case layout::Kind::Label: {
                css += "  line-height: " + U(r.height) + ";\n";
                if (control.bold) {
                    css += "  font-weight: bold;\n";
                }
                css += std::string("  text-decoration: ") +
                       (control.underline ? "underline" : "none") + ";\n";
                if (control.centred) {
                    css += "  text-align: center;\n";
                }
                if (control.fill) {
                    css += "  background: " + Hex(*control.fill) + ";\n";
                }
                // The system's text colour is black in a light scheme and
                // white in a dark one; each is kept only where it can be read.
                const layout::Rgb light = Legible(control, background, {0, 0, 0});
                const layout::Rgb inDark = Legible(control, background, {255, 255, 255});
                css += "  color: " + Hex(light) + ";\n";
                if (inDark != light) {
                    dark += "  #" + Name(control) + " {\n    color: " + Hex(inDark) + ";\n  }\n";
                }
                if (control.handPointer) {
                    css += "  cursor: url(\"hand.cur\") " + std::to_string(layout::kPointerHotX) +
                           " " + std::to_string(layout::kPointerHotY) + ", pointer;\n";
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
        css += "}\n";
    }
    if (!dark.empty()) {
        css += "@media (prefers-color-scheme: dark) {\n" + dark + "}\n";
    }
    // The message box: a modal dialog with its title, the text and OK,
    // centred over the window as a desktop's box is over its owner.
    css += "#Message {\n  margin: 0;\n  inset: auto;\n  left: 50%;\n  top: calc(" + Px(kMargin) +
           " + " + U(height / 2.0) +
           ");\n  transform: translate(-50%, -50%);\n"
           "  min-width: 16em;\n  max-width: min(28em, calc(100vw - 48px));\n"
           "  padding: 0 16px 12px;\n  border: 1px solid GrayText;\n  font: " +
           Px(font * 14 / 11) + " " + family +
           ";\n}\n"
           "#Message::backdrop {\n  background: rgb(0 0 0 / 25%);\n}\n"
           "#MessageTitle {\n  margin: 0 -16px;\n  padding: 4px 16px;\n  font-size: 1em;\n"
           "  border-bottom: 1px solid GrayText;\n}\n"
           "#MessageText {\n  margin: 16px 0;\n  white-space: pre-wrap;\n}\n"
           "#MessageOk {\n  display: block;\n  margin-left: auto;\n  min-width: 6em;\n"
           "  font: inherit;\n}\n";
    std::fputs(css.c_str(), stdout);
}

// The page's elements take the focus in the order they stand in; that order
// must be the window's tab order, with the link last.
bool TabOrderFollowsThePage() {
    std::vector<const layout::Control*> page;
    for (const layout::Control& control : layout::kControls) {
        if (control.kind == layout::Kind::TextBox || control.kind == layout::Kind::Button ||
            control.click == layout::Click::Label10) {
            page.push_back(&control);
        }
    }
    const auto chain = layout::FocusChain();
    return page.size() == chain.size() + 1 &&
           std::equal(chain.begin(), chain.end(), page.begin()) &&
           page.back()->click == layout::Click::Label10;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view what = argc == 2 ? argv[1] : "";
    if (!TabOrderFollowsThePage()) {
        std::fprintf(stderr, "web_page: the controls' order is not the tab order\n");
        return 1;
    }
    if (what == "html") {
        PrintHtml();
    } else if (what == "css") {
        PrintCss();
    } else {
        std::fprintf(stderr, "usage: %s html|css\n", argc > 0 ? argv[0] : "web_page");
        return 2;
    }
    return 0;
}
