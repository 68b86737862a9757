// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Small pieces of CSS text for the page's style sheets.
namespace ostrel::web::page::css {

// A number to six significant digits.
inline std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// A length in CSS pixels.
inline std::string Px(double value) {
    return Number(value) + (value == 0 ? "" : "px");
}

// The selector of the element with that id.
inline std::string Sel(std::string_view id) {
    return "#" + std::string(id);
}

}  // namespace ostrel::web::page::css
