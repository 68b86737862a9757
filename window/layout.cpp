// SPDX-License-Identifier: MIT
#include "window/layout.h"

#include <algorithm>

namespace ostrel::layout {
namespace {

constexpr bool TakesFocus(const Control& control) {
    return control.kind == Kind::TextBox || control.kind == Kind::Button;
}

// At the design's resolution every place is a whole number of pixels.
constexpr bool WholeDesignPixels(const Rect& r) {
    return r.left % kTwipsPerDesignPixel == 0 && r.top % kTwipsPerDesignPixel == 0 &&
           r.width % kTwipsPerDesignPixel == 0 && r.height % kTwipsPerDesignPixel == 0;
}
static_assert(std::all_of(kControls.begin(), kControls.end(),
                          [](const Control& c) { return WholeDesignPixels(c.place); }));
static_assert(WholeDesignPixels({0, 0, kClientWidth, kClientHeight}));

// The controls a user can act on, the link included (the web page's anchor
// takes the focus, after the buttons), stand in the table in their tab order.
constexpr bool InTabOrder() {
    int last = -1;
    for (const Control& control : kControls) {
        if (control.kind == Kind::TextBox || control.click != Click::None) {
            if (control.tab <= last) {
                return false;
            }
            last = control.tab;
        }
    }
    return true;
}
static_assert(InTabOrder());

constexpr std::size_t Count(auto&& holds) {
    return static_cast<std::size_t>(std::count_if(kControls.begin(), kControls.end(), holds));
}

// Each field has one text box, named by the field, and one caption label;
// only labels caption.
static_assert(std::all_of(kAllFields.begin(), kAllFields.end(), [](Field field) {
    return Count([field](const Control& c) {
               return c.kind == Kind::TextBox && c.field == field && c.name == FieldName(field);
           }) == 1 &&
           Count([field](const Control& c) {
               return c.kind == Kind::Label && c.captionOf == field;
           }) == 1;
}));
static_assert(Count([](const Control& c) { return c.kind == Kind::TextBox; }) == kAllFields.size());
static_assert(Count([](const Control& c) { return c.captionOf && c.kind != Kind::Label; }) == 0);

// Each group is labels in one rectangle.
static_assert(std::all_of(kControls.begin(), kControls.end(), [](const Control& c) {
    return c.group == Group::None || c.kind == Kind::Label || c.kind == Kind::Rectangle;
}));
static_assert(std::all_of(kControls.begin(), kControls.end(), [](const Control& c) {
    return c.group == Group::None || Count([&c](const Control& box) {
                                         return box.group == c.group && box.kind == Kind::Rectangle;
                                     }) == 1;
}));

constexpr std::size_t kFocusable = Count(TakesFocus);

constexpr std::array<const Control*, kFocusable> MakeFocusChain() {
    std::array<const Control*, kFocusable> chain{};
    std::size_t n = 0;
    for (const Control& control : kControls) {
        if (TakesFocus(control)) {
            chain[n++] = &control;
        }
    }
    return chain;
}

constexpr std::array<const Control*, kFocusable> kFocusChain = MakeFocusChain();

}  // namespace

const Control* Find(std::string_view name) {
    const auto* found = std::find_if(kControls.begin(), kControls.end(),
                                     [name](const Control& c) { return c.name == name; });
    return found == kControls.end() ? nullptr : found;
}

std::span<const Control* const> FocusChain() {
    return kFocusChain;
}

const Control& CaptionOf(Field field) {
    return *std::find_if(kControls.begin(), kControls.end(),
                         [field](const Control& c) { return c.captionOf == field; });
}

std::string_view Explanation(std::string_view abbreviation) {
    for (const Control& control : kControls) {
        if (control.kind != Kind::Label || control.group != Group::Legend) {
            continue;
        }
        std::string_view line = control.caption;
        line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
        line.remove_suffix(line.size() - std::min(line.find_last_not_of(' ') + 1, line.size()));
        if (line.size() > abbreviation.size() + 3 && line.starts_with(abbreviation) &&
            line.substr(abbreviation.size()).starts_with(" = ")) {
            return line;
        }
    }
    return {};
}

double FontPixels(int dpi) {
    constexpr double kPointsPerInch = 72;
    return kFontPoints * dpi / kPointsPerInch;
}

double LegendScale(double width, double wide) {
    const double room = width - kLegendClearance;
    return wide <= room ? 1.0 : std::max(kLegendLeastScale, room / wide);
}

}  // namespace ostrel::layout
