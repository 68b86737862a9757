// SPDX-License-Identifier: MIT
// The web window's binding: what the page's script and its worker call in
// ostrel-core.wasm, a WebAssembly that needs no glue (core.js instantiates
// it). Texts go in and out as UTF-8 with their length, never as C strings
// and never on the WebAssembly's stack, so that a handler judges exactly
// the text the person sees, a NUL or a long text included. Nothing is ever
// thrown into JavaScript.
//
// A call with texts: ostrel_texts(size) gives room for them, the page writes
// them there back to back, and the call names each by its length in bytes.
// It returns the size in bytes of its answer, JSON, which stands at
// ostrel_answer() until the next call.
#include <emscripten/emscripten.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "window/error_report.h"
#include "window/layout.h"
#include "window/pictures/pictures.h"
#include "window/web/steps.h"

namespace ostrel::web {
namespace {

std::string& Texts() {
    static std::string texts;
    return texts;
}

std::string& Answer() {
    static std::string answer;
    return answer;
}

// The answer when no memory is left for the real one: the general report,
// made at start, when there was.
const std::string& Unexpected() {
    static const std::string unexpected =
        ToJson({{.kind = Step::Kind::Message, .text = std::string(ErrorReport(std::nullopt))}});
    return unexpected;
}
[[maybe_unused]] const std::string& kMadeAtStart = Unexpected();

// A call's texts: the control's name, Text1 to Text4 and the separator, by
// their lengths in the order they stand in Texts().
struct Call {
    std::string control;
    std::array<std::string, 4> fields;
    std::string separator;
};

// False when the lengths reach past what the page wrote.
bool Read(const std::array<std::uint32_t, 6>& lengths, Call& call) {
    std::string_view rest = Texts();
    std::array<std::string*, 6> parts = {&call.control,   &call.fields[0], &call.fields[1],
                                         &call.fields[2], &call.fields[3], &call.separator};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (lengths[i] > rest.size()) {
            return false;
        }
        parts[i]->assign(rest.substr(0, lengths[i]));
        rest.remove_prefix(lengths[i]);
    }
    return true;
}

using Handler = std::vector<Step> (*)(std::string_view, std::array<std::string, 4>, std::string);

std::uint32_t Run(Handler handler, const std::array<std::uint32_t, 6>& lengths) {
    std::string& answer = Answer();
    try {
        Call call;
        answer =
            Read(lengths, call)
                ? ToJson(handler(call.control, std::move(call.fields), std::move(call.separator)))
                : "[]";
    } catch (...) {
        // Only running out of memory can get here.
        answer = Unexpected();
    }
    return static_cast<std::uint32_t>(answer.size());
}

}  // namespace
}  // namespace ostrel::web

extern "C" {

// Room for `size` bytes of texts; null when there is no memory for them.
EMSCRIPTEN_KEEPALIVE char* ostrel_texts(std::uint32_t size) {
    try {
        std::string& texts = ostrel::web::Texts();
        texts.assign(size, '\0');
        return texts.data();
    } catch (...) {
        return nullptr;
    }
}

EMSCRIPTEN_KEEPALIVE const char* ostrel_answer() {
    return ostrel::web::Answer().data();
}

// The steps (steps.h) of the Click handler that the window's design binds
// to the control named first ("Command1"), run on the field texts Text1 to
// Text4 with the browser language's decimal separator, the last text; the
// answer's size in bytes.
EMSCRIPTEN_KEEPALIVE std::uint32_t ostrel_click(std::uint32_t control, std::uint32_t text1,
                                                std::uint32_t text2, std::uint32_t text3,
                                                std::uint32_t text4, std::uint32_t separator) {
    return ostrel::web::Run(&ostrel::web::Click, {control, text1, text2, text3, text4, separator});
}

// The steps of the focus handler of the field named first ("Text1").
EMSCRIPTEN_KEEPALIVE std::uint32_t ostrel_got_focus(std::uint32_t field, std::uint32_t text1,
                                                    std::uint32_t text2, std::uint32_t text3,
                                                    std::uint32_t text4, std::uint32_t separator) {
    return ostrel::web::Run(&ostrel::web::GotFocus, {field, text1, text2, text3, text4, separator});
}

// Runs each button's handler and each field's focus handler once, on texts
// that make a result and on texts that make a message, and drops what they
// did. A browser compiles a WebAssembly function when it is first called:
// the page's worker calls this as soon as it has the module, whose compiled
// code it shares with the page, so that the page's first press finds the
// handlers compiled instead of compiling them while the person waits.
EMSCRIPTEN_KEEPALIVE void ostrel_warm_up() {
    namespace layout = ostrel::layout;
    using namespace ostrel::web;
    try {
        for (const std::array<std::string, 4>& texts :
             {std::array<std::string, 4>{"10", "12", "15", "0"},
              std::array<std::string, 4>{"x", "-1", "1e999", ""}}) {
            for (const layout::Control& control : layout::kControls) {
                if (control.kind == layout::Kind::Button) {
                    static_cast<void>(ToJson(Click(control.name, texts, ",")));
                } else if (control.kind == layout::Kind::TextBox) {
                    static_cast<void>(ToJson(GotFocus(control.name, texts, ",")));
                }
            }
        }
    } catch (...) {
        // Only running out of memory can get here; nothing was needed.
    }
}

// The window's background picture for a part of `width` × `height` CSS
// pixels from its top left, a CSS pixel to a pixel of the design, `scale`
// screen pixels to each: (width · scale) × (height · scale) pixels, RGBA row
// by row, valid until the next call. Null for a part that is empty or larger
// than a canvas can be.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* ostrel_background(int width, int height, int scale) {
    namespace layout = ostrel::layout;
    namespace pictures = ostrel::pictures;
    constexpr int kMostPixels = 8192;  // a side, in screen pixels
    if (scale < 1 || scale > 4 || width < 1 || height < 1 || width > kMostPixels / scale ||
        height > kMostPixels / scale) {
        return nullptr;
    }
    static std::vector<std::uint8_t> rgba;
    try {
        const pictures::Image image = pictures::BackgroundPart(
            layout::kBackgroundWidth, layout::kBackgroundHeight, scale, width, height);
        rgba.clear();
        rgba.reserve(image.pixels.size() * 4);
        for (const pictures::Rgba& p : image.pixels) {
            rgba.insert(rgba.end(), {p.r, p.g, p.b, p.a});
        }
        return rgba.data();
    } catch (...) {
        return nullptr;
    }
}

}  // extern "C"
