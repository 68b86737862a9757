// SPDX-License-Identifier: MIT
// The web window's page: the controls of the design table as native elements,
// the drawn background under them and the message box.
#include <string>
#include <string_view>

#include "form/calculator_form.h"
#include "form/entry_checks.h"
#include "link/home_page.h"
#include "window/layout.h"
#include "window/web/page.h"

namespace ostrel::web::page {
namespace {

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

// The legend line that spells out the abbreviation a caption shows.
const layout::Control* LegendFor(const layout::Control& caption) {
    const std::string_view line = layout::Explanation(caption.caption);
    for (const layout::Control& control : layout::kControls) {
        if (!line.empty() && control.group == layout::Group::Legend &&
            control.caption.find(line) != std::string_view::npos) {
            return &control;
        }
    }
    return nullptr;
}

// Content-Security-Policy: only the site's own files and the one inline
// script, by its integrity; no inline style, no eval, no plug-in; WebAssembly
// may be compiled. The page's worker runs from the page's own script, as a
// blob; the service worker from the site. Everything else the page fetches (style,
// pictures, the manifest, the WebAssembly) falls under default-src: WebKit
// knows no manifest-src and reports it as an error.
std::string Policy() {
    return "default-src 'self'; script-src 'self' '" + std::string(kIntegrityOf) +
           std::string(kInlineScript) + "'" +
           " 'wasm-unsafe-eval'; worker-src 'self' blob:; object-src 'none'; base-uri 'none'; "
           "form-action 'none'";
}

// An attribute naming `file` and, beside it, its integrity.
std::string FileAttribute(std::string_view attribute, std::string_view file) {
    return " " + std::string(attribute) + "=\"" + std::string(file) + "\" " +
           std::string(attribute) + std::string(kIntegritySuffix) + "=\"" +
           std::string(kIntegrityOf) + std::string(file) + "\"";
}

std::string Element(const layout::Control& control) {
    const std::string id = Name(control);
    switch (control.kind) {
        case layout::Kind::Label: {
            const std::string text = Escaped(control.caption);
            if (control.click == layout::Click::Label10) {
                const std::string address = Escaped(HomePageAddress());
                // The text in a span of its own, which the focus ring goes
                // round: the label's box reaches past the box it stands in.
                return "<a id=\"" + id + "\" class=\"label\" href=\"" + address +
                       "\" target=\"_blank\" rel=\"noopener\"><span>" + text + "</span></a>";
            }
            if (control.captionOf) {
                return "<label id=\"" + id + "\" class=\"label\" for=\"" +
                       std::string(FieldName(*control.captionOf)) + "\">" + text + "</label>";
            }
            if (control.group == layout::Group::Legend) {
                // A legend line: the page narrows its text where the
                // machine's font is wider than the design's.
                return "<div id=\"" + id + "\" class=\"label " + std::string(kLegendClass) +
                       "\"><span>" + text + "</span></div>";
            }
            return "<div id=\"" + id + "\" class=\"label\">" + text + "</div>";
        }
        case layout::Kind::TextBox: {
            std::string described;
            if (const layout::Control* legend = LegendFor(layout::CaptionOf(control.field))) {
                described = " aria-describedby=\"" + Name(*legend) + "\"";
            }
            // A phone's keyboard for numbers, whose Enter key goes on to the
            // next field, and from the last is done.
            const bool last = control.field == kAllFields.back();
            return "<input id=\"" + id + "\" type=\"text\" value=\"" + Escaped(control.caption) +
                   "\" maxlength=\"" + std::to_string(kTypedLengthLimit) +
                   "\" inputmode=\"decimal\" enterkeyhint=\"" + (last ? "done" : "next") +
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

// id="NAME"
std::string Id(std::string_view name) {
    return "id=\"" + std::string(name) + "\"";
}

}  // namespace

std::string Html() {
    const std::string script = Script();
    std::string page =
        "<!DOCTYPE html>\n"
        "<html lang=\"sv\"" +
        FileAttribute(kWasmAttribute, "ostrel-core.wasm") +
        ">\n"
        "<head>\n"
        "<meta charset=\"utf-8\">\n"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"" +
        Policy() +
        "\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1, "
        "viewport-fit=cover\">\n"
        "<meta name=\"color-scheme\" content=\"light dark\">\n"
        "<meta name=\"description\" content=\"" OSTREL_DESCRIPTION
        "\">\n"
        "<title>" +
        Escaped(layout::kTitle) +
        "</title>\n"
        "<script>" +
        script +
        "</script>\n"
        "<link rel=\"stylesheet\" href=\"style.css\" integrity=\"" +
        std::string(kIntegrityOf) +
        "style.css\">\n"
        "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
        "<link rel=\"icon\" href=\"icon-32.png\" sizes=\"32x32\" type=\"image/png\">\n"
        "<link rel=\"apple-touch-icon\" href=\"icon-192.png\">\n"
        "</head>\n"
        "<body>\n"
        "<noscript><p " +
        Id(kNoScriptId) + ">" + Escaped(kNoScriptNotice) +
        "</p></noscript>\n"
        "<main " +
        Id(kWindowId) + " aria-label=\"" + Escaped(layout::kTitle) +
        "\">\n"
        "<canvas " +
        Id(kBackgroundId) + " aria-hidden=\"true\"></canvas>\n";
    for (const layout::Control& control : layout::kControls) {
        page += Element(control) + "\n";
    }
    page += "</main>\n<dialog " + Id(kMessageId) + " aria-labelledby=\"" +
            std::string(kMessageTitleId) + "\" aria-describedby=\"" + std::string(kMessageTextId) +
            "\">\n<h1 " + Id(kMessageTitleId) + ">" + Escaped(layout::kBoxTitle) + "</h1>\n<p " +
            Id(kMessageTextId) + "></p>\n<button " + Id(kMessageOkId) +
            " type=\"button\" autofocus>OK</button>\n</dialog>\n</body>\n</html>\n";
    return page;
}

}  // namespace ostrel::web::page
