// The web window's binding: what the page's script calls. Every call returns
// plain data; nothing is ever thrown into JavaScript, where an exception
// would arrive as a bare number.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "form/step_recorder.h"
#include "window/event_binding.h"
#include "window/layout.h"
#include "window/pictures/pictures.h"
#include "window/web/steps.h"

namespace ostrel::web {
namespace {

using emscripten::val;

std::array<std::string, 4> Texts(const val& texts) {
    std::array<std::string, 4> copied;
    for (std::size_t i = 0; i < copied.size(); ++i) {
        copied[i] = texts[i].as<std::string>();
    }
    return copied;
}

// [{op: "write", field: "Text4", text: "8"}, {op: "select", field, start,
// length}, {op: "message", text}, ...]; the kinds' names are StepKindName's,
// which the page generator also hands the script.
val ToPage(const std::vector<Step>& steps) {
    val list = val::array();
    for (const Step& step : steps) {
        val item = val::object();
        item.set("op", std::string(StepKindName(step.kind)));
        switch (step.kind) {
            case Step::Kind::Write:
                item.set("field", std::string(FieldName(step.field)));
                item.set("text", step.text);
                break;
            case Step::Kind::Select:
                item.set("field", std::string(FieldName(step.field)));
                item.set("start", step.start);
                item.set("length", step.length);
                break;
            case Step::Kind::Message:
                item.set("text", step.text);
                break;
        }
        list.call<void>("push", item);
    }
    return list;
}

val ClickOnPage(const std::string& control, const val& texts, const std::string& separator) {
    try {
        return ToPage(Click(control, Texts(texts), separator));
    } catch (...) {
        // Only running out of memory can get here; the page goes on.
        return val::array();
    }
}

val GotFocusOnPage(const std::string& field, const val& texts, const std::string& separator) {
    try {
        return ToPage(GotFocus(field, Texts(texts), separator));
    } catch (...) {
        return val::array();
    }
}

// Where a selection of `length` characters from `start` falls in a field of
// `size` characters: {start, end}, or null for none.
val SelectionOnPage(int size, int start, int length) {
    const auto range = binding::SelectionIn(size, start, length);
    if (!range) {
        return val::null();
    }
    val selection = val::object();
    selection.set("start", range->start);
    selection.set("end", range->end);
    return selection;
}

// The window's background picture for a part of `width` × `height` CSS
// pixels from its top left, a CSS pixel to a pixel of the design, `scale`
// screen pixels to each: {width, height, pixels}, the pixels RGBA row by row,
// valid until the next call. Null for a part that is empty or larger than a
// canvas can be.
val Background(int width, int height, int scale) {
    constexpr int kMostPixels = 8192;  // a side, in screen pixels
    if (scale < 1 || scale > 4 || width < 1 || height < 1 || width > kMostPixels / scale ||
        height > kMostPixels / scale) {
        return val::null();
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
        val picture = val::object();
        picture.set("width", image.width);
        picture.set("height", image.height);
        picture.set("pixels", val(emscripten::typed_memory_view(rgba.size(), rgba.data())));
        return picture;
    } catch (...) {
        return val::null();
    }
}

}  // namespace
}  // namespace ostrel::web

EMSCRIPTEN_BINDINGS(ostrel) {
    emscripten::function("click", &ostrel::web::ClickOnPage);
    emscripten::function("gotFocus", &ostrel::web::GotFocusOnPage);
    emscripten::function("selection", &ostrel::web::SelectionOnPage);
    emscripten::function("background", &ostrel::web::Background);
}
