// SPDX-License-Identifier: MIT
#include "core/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

namespace ostrel {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The parts of a numeric text, each a view into the text.
struct NumericParts {
    bool negative = false;
    std::string_view integerDigits;   // may be empty when fractionDigits is not
    std::string_view fractionDigits;  // may be empty
    bool exponentNegative = false;
    std::string_view exponentDigits;  // empty when there is no exponent
};

class Scanner {
  public:
    explicit Scanner(std::string_view text) : text_(text) {}

    void SkipSpaces() {
        while (pos_ < text_.size() && text_[pos_] == ' ') {
            ++pos_;
        }
    }
    bool Take(char c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool Take(std::string_view s) {
        if (text_.substr(pos_).starts_with(s)) {
            pos_ += s.size();
            return true;
        }
        return false;
    }
    std::string_view Digits() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsDigit(text_[pos_])) {
            ++pos_;
        }
        return text_.substr(start, pos_ - start);
    }
    [[nodiscard]] bool AtEnd() const { return pos_ == text_.size(); }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

std::optional<NumericParts> Scan(std::string_view text, std::string_view separator) {
    NumericParts parts;
    Scanner in(text);
    in.SkipSpaces();
    if (!in.Take('+')) {
        parts.negative = in.Take('-');
    }
    parts.integerDigits = in.Digits();
    const bool hasSeparator = !separator.empty() && in.Take(separator);
    if (hasSeparator) {
        parts.fractionDigits = in.Digits();
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty()) {
        return std::nullopt;
    }
    if (in.Take('e') || in.Take('E')) {
        if (!in.Take('+')) {
            parts.exponentNegative = in.Take('-');
        }
        parts.exponentDigits = in.Digits();
        if (parts.exponentDigits.empty()) {
            return std::nullopt;
        }
    }
    in.SkipSpaces();
    if (!in.AtEnd()) {
        return std::nullopt;
    }
    return parts;
}

// The power of ten of the leading significant digit, saturated far beyond
// binary64's range. Only its sign is used: it tells an overflow from an
// underflow when the value does not fit.
std::int64_t DecimalMagnitude(const NumericParts& parts) {
    constexpr std::int64_t kSaturation = 1'000'000'000'000;
    std::int64_t exponent = 0;
    for (char c : parts.exponentDigits) {
        exponent = std::min(kSaturation, exponent * 10 + (c - '0'));
    }
    if (parts.exponentNegative) {
        exponent = -exponent;
    }
    const auto first = parts.integerDigits.find_first_not_of('0');
    if (first != std::string_view::npos) {
        return exponent + static_cast<std::int64_t>(parts.integerDigits.size() - first) - 1;
    }
    const auto firstFraction = parts.fractionDigits.find_first_not_of('0');
    return exponent - static_cast<std::int64_t>(firstFraction) - 1;
}

// std::from_chars for a double in the one plain form RealOf writes, with
// result_out_of_range for a value beyond binary64 wherever it comes from.
std::from_chars_result ReadPlainReal(const std::string& plain, double& value) {
    const char* const first = plain.data();
#if OSTREL_HAVE_FROM_CHARS_DOUBLE
    return std::from_chars(first, first + plain.size(), value, std::chars_format::general);
#else
    // A standard library without it for double (Emscripten's libc++): the C
    // library's strtod, musl's, which rounds correctly too (an exact decimal
    // scan) and takes '.' as the point in every locale. It answers infinity
    // for a value beyond binary64 and a signed zero or a subnormal below it.
    char* end = nullptr;
    const double read = std::strtod(first, &end);
    if (!std::isfinite(read)) {
        return {end, std::errc::result_out_of_range};
    }
    value = read;
    return {end, std::errc()};
#endif
}

// The correctly rounded binary64 value of a scanned text.
double RealOf(const NumericParts& parts, std::size_t textSize) {
    // Rewrite in the one form std::from_chars reads the same everywhere:
    // [-]digits.digits[e[-]digits]
    std::string plain;
    plain.reserve(textSize + 4);
    if (parts.negative) {
        plain += '-';
    }
    plain += parts.integerDigits.empty() ? std::string_view("0") : parts.integerDigits;
    plain += '.';
    plain += parts.fractionDigits;
    if (!parts.exponentDigits.empty()) {
        plain += 'e';
        if (parts.exponentNegative) {
            plain += '-';
        }
        plain += parts.exponentDigits;
    }
    double value = 0.0;
    const char* const end = plain.data() + plain.size();
    const auto [ptr, ec] = ReadPlainReal(plain, value);
    if (ec == std::errc::result_out_of_range) {
        if (DecimalMagnitude(parts) >= 0) {
            throw OverflowError("the number is beyond the range of binary64");
        }
        return parts.negative ? -0.0 : 0.0;
    }
    if (ec != std::errc() || ptr != end) {
        // Cannot happen for a text the scanner accepted.
        throw ConversionError("the text is not a number");
    }
    return value;
}

// TextToWhole of the common texts, read in one pass from their digits alone
// where that is certain to give what rounding the correctly rounded real half
// to even gives; none for anything else (other texts, texts that are not
// numeric), which then takes the full path.
//
// The text's value is S·10^k for a whole S of n significant digits. For k >= 0
// and n + k <= 15 it is a whole number below 2^53, so its binary64 value is
// exact. For k < 0 it is N + F/10^f with f = -k digits after the point; with
// N below 10^9 < 2^30 and f <= 7, the fraction lies at least 10^-7 from 0, 1/2
// and 1 unless it is exactly one of them (all exact in binary64), while
// binary64 rounds such a value by at most 2^-24 < 10^-7. So the real lands on
// the same side of every whole number and every half, and rounding it half to
// even gives what rounding the decimal value half to even gives.
std::optional<Checked32> FastWhole(std::string_view text, std::string_view separator) {
    constexpr int kMostDigits = 16;  // of S, so that it fits in 64 bits
    constexpr int kMostExponentDigits = 3;
    constexpr int kExactDigits = 15;
    constexpr int kMostWholeDigits = 9;
    constexpr int kMostFractionDigits = 7;

    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end && *p == ' ') {
        ++p;
    }
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    std::int64_t significand = 0;
    int digits = 0;  // of the significand, leading zeros left out
    int scale = 0;   // the power of ten the significand is multiplied by
    bool mantissa = false;
    // Takes the digits at p into the significand; false when there are too many.
    auto takeDigits = [&](bool fraction) {
        for (; p != end && IsDigit(*p); ++p) {
            mantissa = true;
            scale -= fraction ? 1 : 0;
            if (significand == 0 && *p == '0') {
                continue;
            }
            if (++digits > kMostDigits) {
                return false;
            }
            significand = significand * 10 + (*p - '0');
        }
        return true;
    };
    if (!takeDigits(false)) {
        return std::nullopt;
    }
    if (!separator.empty() && static_cast<std::size_t>(end - p) >= separator.size() &&
        std::string_view(p, separator.size()) == separator) {
        p += separator.size();
        if (!takeDigits(true)) {
            return std::nullopt;
        }
    }
    if (!mantissa) {
        return std::nullopt;
    }
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool exponentNegative = false;
        if (p != end && (*p == '+' || *p == '-')) {
            exponentNegative = *p == '-';
            ++p;
        }
        int exponent = 0;
        int exponentDigits = 0;
        for (; p != end && IsDigit(*p); ++p) {
            if (++exponentDigits > kMostExponentDigits) {
                return std::nullopt;
            }
            exponent = exponent * 10 + (*p - '0');
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
        scale += exponentNegative ? -exponent : exponent;
    }
    while (p != end && *p == ' ') {
        ++p;
    }
    if (p != end) {
        return std::nullopt;
    }

    if (significand == 0) {
        return Checked32(0);
    }
    while (significand % 10 == 0) {
        significand /= 10;
        ++scale;
        --digits;
    }
    std::int64_t whole = significand;
    if (scale >= 0) {
        if (digits + scale > kExactDigits) {
            return std::nullopt;
        }
        for (int i = 0; i < scale; ++i) {
            whole *= 10;
        }
    } else {
        if (digits + scale > kMostWholeDigits || -scale > kMostFractionDigits) {
            return std::nullopt;
        }
        std::int64_t divisor = 1;
        for (int i = 0; i < -scale; ++i) {
            divisor *= 10;
        }
        whole = significand / divisor;
        const std::int64_t twiceRest = 2 * (significand % divisor);  // divisor is a half
        if (twiceRest > divisor || (twiceRest == divisor && whole % 2 != 0)) {
            ++whole;
        }
    }
    if (negative) {
        whole = -whole;
    }
    if (whole < Checked32::kMin || whole > Checked32::kMax) {
        throw OverflowError("the number is outside the 32-bit range");
    }
    return Checked32(static_cast<std::int32_t>(whole));
}

}  // namespace

bool IsNumericText(std::string_view text, std::string_view decimalSeparator) {
    return Scan(text, decimalSeparator).has_value();
}

double TextToReal(std::string_view text, std::string_view decimalSeparator) {
    const auto parts = Scan(text, decimalSeparator);
    if (!parts) {
        throw ConversionError("the text is not a number");
    }
    return RealOf(*parts, text.size());
}

Checked32 RealToWhole(double value) {
    if (!std::isfinite(value)) {
        throw OverflowError("the number is not finite");
    }
    // x - floor(x) is exact in binary64 (Sterbenz's lemma for |x| >= 1 and
    // for -1 < x <= -0.5; nothing to round for 0 <= x < 1), and so is the half
    // test, except for -0.5 < x < 0: there 1 + x lies between 0.5 and 1 and
    // may round to either. But then floor(x) is the odd -1, so a fraction of
    // 0.5 rounds up as one above it does, to 0, which is the nearest whole
    // number.
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        rounded = below + 1.0;
    }
    // Compare before converting: converting an out-of-range double to an
    // integer type is undefined.
    if (rounded < static_cast<double>(Checked32::kMin) ||
        rounded > static_cast<double>(Checked32::kMax)) {
        throw OverflowError("the number is outside the 32-bit range");
    }
    return Checked32(static_cast<std::int32_t>(rounded));
}

Checked32 TextToWhole(std::string_view text, std::string_view decimalSeparator) {
    if (const auto whole = FastWhole(text, decimalSeparator)) {
        return *whole;
    }
    return RealToWhole(TextToReal(text, decimalSeparator));
}

std::string WholeToText(Checked32 value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value.Value());
    return std::string(buffer, result.ptr);
}

}  // namespace ostrel
