// SPDX-License-Identifier: MIT
// libFuzzer target over the text conversions. The first byte picks the
// decimal separator; the rest is the text. It checks that the conversions
// agree with IsNumericText and with each other, and that nothing but the
// number errors ever leaves them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/numbers.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ostrel;
    if (size == 0) {
        return 0;
    }
    const std::string_view separator = (data[0] & 1) != 0 ? "," : ".";
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool numeric = IsNumericText(text, separator);
    double real = 0.0;
    try {
        real = TextToReal(text, separator);
        Require(numeric);
    } catch (const ConversionError&) {
        Require(!numeric);
        return 0;
    } catch (const OverflowError&) {
        Require(numeric);
        return 0;
    }
    bool realFits = true;
    Checked32 fromReal;
    try {
        fromReal = RealToWhole(real);
    } catch (const OverflowError&) {
        realFits = false;
    }
    try {
        const Checked32 whole = TextToWhole(text, separator);
        Require(realFits && whole == fromReal);
        Require(TextToWhole(WholeToText(whole), separator) == whole);
    } catch (const OverflowError&) {
        Require(!realFits);
    }
    return 0;
}
