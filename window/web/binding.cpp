// SPDX-License-Identifier: MIT
// The web window's binding: what the page's script and its worker call, as
// plain C functions of UTF-8 strings and numbers (called through Emscripten's
// cwrap), so that nothing but the WebAssembly itself has to be set up before
// the page can answer. A string that a call returns stays valid until the
// next call. Nothing is ever thrown into JavaScript, where an exception
// would arrive as a bare number.
#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "window/event_binding.h"
#include "window/layout.h"
#include "window/pictures/pictures.h"
#include "window/web/steps.h"

namespace ostrel::web {
namespace {

const char* Answer(std::string text) {
    static std::string answer;
    answer = std::move(text);
    return answer.c_str();
}

}  // namespace
}  // namespace ostrel::web

extern "C" {

// The steps (steps.h, as JSON) of the Click handler that the window's design
// binds to `control` ("Command1"), run on the field texts Text1 to Text4
// with the browser language's decimal separator.
EMSCRIPTEN_KEEPALIVE const char* ostrel_click(const char* control, const char* text1,
                                              const char* text2, const char* text3,
                                              const char* text4, const char* separator) {
    using namespace ostrel::web;
    try {
        return Answer(ToJson(Click(control, {text1, text2, text3, text4}, separator)));
    } catch (...) {
        // Only running out of memory can get here; the page goes on.
        return "[]";
    }
}

// The steps of the focus handler of the field named `field` ("Text1").
EMSCRIPTEN_KEEPALIVE const char* ostrel_got_focus(const char* field, const char* text1,
                                                  const char* text2, const char* text3,
                                                  const char* text4, const char* separator) {
    using namespace ostrel::web;
    try {
        return Answer(ToJson(GotFocus(field, {text1, text2, text3, text4}, separator)));
    } catch (...) {
        return "[]";
    }
}

// Where a selection of `length` characters from `start` falls in a field of
// `size` characters: "[start, end]", or "null" for none.
EMSCRIPTEN_KEEPALIVE const char* ostrel_selection(int size, int start, int length) {
    const auto range = ostrel::binding::SelectionIn(size, start, length);
    if (!range) {
        return "null";
    }
    try {
        return ostrel::web::Answer("[" + std::to_string(range->start) + "," +
                                   std::to_string(range->end) + "]");
    } catch (...) {
        return "null";
    }
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
