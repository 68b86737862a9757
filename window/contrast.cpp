// SPDX-License-Identifier: MIT
#include "window/contrast.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ostrel::contrast {
namespace {

// sRGB channel to linear light, for each of the 256 channel values.
const std::array<double, 256>& Linear() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> made{};
        for (std::size_t i = 0; i < made.size(); ++i) {
            const double c = static_cast<double>(i) / 255.0;
            made[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return made;
    }();
    return table;
}

double Luminance(layout::Rgb c) {
    const auto& linear = Linear();
    return 0.2126 * linear[c.red] + 0.7152 * linear[c.green] + 0.0722 * linear[c.blue];
}

double RatioOfLuminances(double la, double lb) {
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

double Ratio(layout::Rgb a, layout::Rgb b) {
    return RatioOfLuminances(Luminance(a), Luminance(b));
}

double RatioOver(layout::Rgb text, std::span<const layout::Rgb> behind) {
    if (behind.empty()) {
        return Ratio(text, {255, 255, 255});
    }
    double sum = 0;
    for (const layout::Rgb& colour : behind) {
        sum += Luminance(colour);
    }
    return RatioOfLuminances(Luminance(text), sum / static_cast<double>(behind.size()));
}

layout::Rgb LegibleText(layout::Rgb wanted, std::span<const layout::Rgb> behind) {
    if (RatioOver(wanted, behind) >= kLegible) {
        return wanted;
    }
    constexpr layout::Rgb kBlack{0, 0, 0};
    constexpr layout::Rgb kWhite{255, 255, 255};
    return RatioOver(kWhite, behind) > RatioOver(kBlack, behind) ? kWhite : kBlack;
}

layout::Rgb LabelText(const layout::Control& label, layout::Rgb system,
                      std::span<const layout::Rgb> picture) {
    const layout::Rgb wanted = label.text.value_or(system);
    if (label.fill) {
        return LegibleText(wanted, std::span(&*label.fill, 1));
    }
    return LegibleText(wanted, picture);
}

}  // namespace ostrel::contrast
