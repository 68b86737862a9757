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

constexpr std::size_t kFocusable =
    static_cast<std::size_t>(std::count_if(kControls.begin(), kControls.end(), TakesFocus));

constexpr std::array<const Control*, kFocusable> MakeFocusChain() {
    std::array<const Control*, kFocusable> chain{};
    std::size_t n = 0;
    for (const Control& control : kControls) {
        if (TakesFocus(control)) {
            chain[n++] = &control;
        }
    }
    std::sort(chain.begin(), chain.end(),
              [](const Control* a, const Control* b) { return a->tab < b->tab; });
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

std::string_view Explanation(std::string_view abbreviation) {
    for (const Control& control : kControls) {
        if (control.kind != Kind::Label || control.fill != kLegendYellow) {
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
