// SPDX-License-Identifier: MIT
#include "core/numbers.h"
#include "core/real.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "tests/core/outcome.h"

namespace ostrel {
namespace {

using test::Attempt;
using test::Error;
using test::Outcome;
using test::Value;

constexpr const char* kOverflow = "OverflowError";
constexpr const char* kConversion = "ConversionError";

TEST(Checked32, ArithmeticAtTheEdgesOfTheRange) {
    constexpr std::int32_t kMax = Checked32::kMax;
    constexpr std::int32_t kMin = Checked32::kMin;
    struct Row {
        std::int32_t a;
        char op;
        std::int32_t b;
        Outcome<std::int32_t> expected;
    };
    const Row rows[] = {
        {kMax, '+', 0, Value(kMax)},
        {kMax, '+', 1, Error<std::int32_t>(kOverflow)},
        {kMax - 1, '+', 1, Value(kMax)},
        {kMin, '-', 0, Value(kMin)},
        {kMin, '-', 1, Error<std::int32_t>(kOverflow)},
        {kMin + 1, '-', 1, Value(kMin)},
        {kMin, '+', -1, Error<std::int32_t>(kOverflow)},
        {kMax, '-', -1, Error<std::int32_t>(kOverflow)},
        {0, '-', kMin, Error<std::int32_t>(kOverflow)},
        {-1, '-', kMin, Value(kMax)},
        {kMin, '+', kMax, Value(-1)},
        {kMax, '+', kMax, Error<std::int32_t>(kOverflow)},
        {kMin, '+', kMin, Error<std::int32_t>(kOverflow)},
        {46340, '*', 46340, Value(2147395600)},
        {kMax, '*', 1, Value(kMax)},
        {46341, '*', 46341, Error<std::int32_t>(kOverflow)},
        {-46341, '*', 46341, Error<std::int32_t>(kOverflow)},
        {65536, '*', 32768, Error<std::int32_t>(kOverflow)},
        {-65536, '*', 32768, Value(kMin)},
        {kMin, '*', -1, Error<std::int32_t>(kOverflow)},
        {-1, '*', kMin, Error<std::int32_t>(kOverflow)},
        {kMin, '*', 1, Value(kMin)},
        {kMin, '*', 0, Value(0)},
        {kMax, '*', -1, Value(-kMax)},
    };
    for (const Row& row : rows) {
        const auto got = Attempt([&] {
            const Checked32 a = row.a;
            const Checked32 b = row.b;
            switch (row.op) {
                case '+':
                    return (a + b).Value();
                case '-':
                    return (a - b).Value();
                default:
                    return (a * b).Value();
            }
        });
        EXPECT_EQ(got, row.expected) << row.a << ' ' << row.op << ' ' << row.b;
    }
    EXPECT_EQ(Checked32(kMin).ToReal(), -2147483648.0);
    EXPECT_LT(Checked32(kMin), Checked32(kMax));
}

TEST(RealToWhole, RoundsHalfToEvenAndTestsTheRoundedValue) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        double real;
        Outcome<std::int32_t> expected;
    };
    const Row rows[] = {
        {2.5, Value(2)},
        {3.5, Value(4)},
        {-0.5, Value(0)},
        {-1.5, Value(-2)},
        {-2.5, Value(-2)},
        {0.4, Value(0)},
        {0.6, Value(1)},
        {0.49999999999999994, Value(0)},
        {-0.0, Value(0)},
        {5e-324, Value(0)},
        {2147483646.5, Value(2147483646)},
        {2147483647.0, Value(2147483647)},
        {2147483647.4, Value(2147483647)},
        {2147483647.5, Error<std::int32_t>(kOverflow)},
        {2147483648.5, Error<std::int32_t>(kOverflow)},
        {-2147483647.5, Value(-2147483648)},
        {-2147483648.0, Value(-2147483648)},
        {-2147483648.5, Value(-2147483648)},
        {-2147483648.6, Error<std::int32_t>(kOverflow)},
        {-2147483649.5, Error<std::int32_t>(kOverflow)},
        {4503599627370497.0, Error<std::int32_t>(kOverflow)},
        {1e300, Error<std::int32_t>(kOverflow)},
        {-1e300, Error<std::int32_t>(kOverflow)},
        {std::numeric_limits<double>::quiet_NaN(), Error<std::int32_t>(kOverflow)},
        {inf, Error<std::int32_t>(kOverflow)},
        {-inf, Error<std::int32_t>(kOverflow)},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Attempt([&] { return RealToWhole(row.real).Value(); }), row.expected)
            << std::hexfloat << row.real;
    }
}

TEST(TextConversion, ValuesAndErrorsForBothSeparators) {
    struct Row {
        const char* text;
        const char* separator;
        Outcome<std::int32_t> whole;
    };
    const Row rows[] = {
        {"0", ".", Value(0)},
        {"-12", ".", Value(-12)},
        {"  7  ", ".", Value(7)},
        {"+7", ".", Value(7)},
        {".5", ".", Value(0)},
        {"5.", ".", Value(5)},
        {"1E3", ".", Value(1000)},
        {"-2.5e3", ".", Value(-2500)},
        {"2.5", ".", Value(2)},
        {"3.5", ".", Value(4)},
        {"-2.5", ".", Value(-2)},
        {"2,5", ",", Value(2)},
        {"3,5", ",", Value(4)},
        {",5e1", ",", Value(5)},
        {"2,5", ".", Error<std::int32_t>(kConversion)},
        {"2.5", ",", Error<std::int32_t>(kConversion)},
        {"99999999", ".", Value(99999999)},
        {"2147483647", ".", Value(2147483647)},
        {"2147483648", ".", Error<std::int32_t>(kOverflow)},
        {"-2147483648", ".", Value(-2147483648)},
        {"3E9", ".", Error<std::int32_t>(kOverflow)},
        {"1E400", ".", Error<std::int32_t>(kOverflow)},
        {"1E-400", ".", Value(0)},
        {"1E4294967296", ".", Error<std::int32_t>(kOverflow)},  // exponents beyond 32 bits
        {"1E-4294967296", ".", Value(0)},
        {"", ".", Error<std::int32_t>(kConversion)},
        {"   ", ".", Error<std::int32_t>(kConversion)},
        {"-", ".", Error<std::int32_t>(kConversion)},
        {".", ".", Error<std::int32_t>(kConversion)},
        {"abc", ".", Error<std::int32_t>(kConversion)},
        {"12a", ".", Error<std::int32_t>(kConversion)},
        {"12 E5", ".", Error<std::int32_t>(kConversion)},
        {"1E", ".", Error<std::int32_t>(kConversion)},
        {"1e+", ".", Error<std::int32_t>(kConversion)},
        {"--1", ".", Error<std::int32_t>(kConversion)},
        {"\t1", ".", Error<std::int32_t>(kConversion)},
        {"1 000", ".", Error<std::int32_t>(kConversion)},
        {"inf", ".", Error<std::int32_t>(kConversion)},
        {"nan", ".", Error<std::int32_t>(kConversion)},
        {"0x1p3", ".", Error<std::int32_t>(kConversion)},
        {"١٢", ".", Error<std::int32_t>(kConversion)},         // Arabic-Indic digits
        {"1\xC2\xA0", ".", Error<std::int32_t>(kConversion)},  // no-break space
    };
    for (const Row& row : rows) {
        const auto got = Attempt([&] { return TextToWhole(row.text, row.separator).Value(); });
        EXPECT_EQ(got, row.whole) << '"' << row.text << "\" with '" << row.separator << "'";
        EXPECT_EQ(IsNumericText(row.text, row.separator), row.whole.error != kConversion)
            << row.text;
    }
}

TEST(TextToReal, RangeOfBinary64) {
    EXPECT_EQ(TextToReal("1E308", "."), 1e308);
    EXPECT_EQ(Attempt([] { return TextToReal("1E309", "."); }).error, kOverflow);
    EXPECT_EQ(Attempt([] { return TextToReal("-1E309", "."); }).error, kOverflow);
    EXPECT_EQ(TextToReal("3E9", "."), 3e9);
    EXPECT_EQ(TextToReal("1.7976931348623157E308", "."), std::numeric_limits<double>::max());
    EXPECT_EQ(Attempt([] { return TextToReal("1.7976931348623159E308", "."); }).error, kOverflow);
    EXPECT_EQ(TextToReal("4.9E-324", "."), std::numeric_limits<double>::denorm_min());

    const double tiny = TextToReal("1E-400", ".");
    EXPECT_EQ(tiny, 0.0);
    EXPECT_FALSE(std::signbit(tiny));
    EXPECT_TRUE(std::signbit(TextToReal("-1E-400", ".")));

    // Magnitude comes from where the first significant digit stands, not from
    // the exponent alone.
    const std::string zeros(400, '0');
    EXPECT_EQ(Attempt([&] { return TextToReal("1" + zeros, "."); }).error, kOverflow);
    EXPECT_EQ(TextToReal("0." + zeros + "1", "."), 0.0);
    EXPECT_EQ(TextToReal(zeros + "1E-400", "."), 0.0);
    EXPECT_EQ(Attempt([&] { return TextToReal("0." + zeros + "1E800", "."); }).error, kOverflow);
    const std::string run(2000, '0');  // against an exponent of four digits
    EXPECT_EQ(Attempt([&] { return TextToReal("1" + run + "E-1000", "."); }).error, kOverflow);
    EXPECT_EQ(TextToReal("0." + run + "1E1000", "."), 0.0);
    EXPECT_EQ(TextToReal("1E-99999999999999999999999", "."), 0.0);
    EXPECT_EQ(Attempt([] { return TextToReal("1E99999999999999999999999", "."); }).error,
              kOverflow);
    EXPECT_EQ(TextToReal("0E99999999999999999999999", "."), 0.0);
}

// An independent statement of the grammar, as a regular expression.
std::regex Grammar(const std::string& separator) {
    const std::string sep = "\\" + separator;
    return std::regex(" *[+-]?([0-9]+(" + sep + "[0-9]*)?|" + sep + "[0-9]+)([eE][+-]?[0-9]+)? *");
}

// Reads a text the grammar accepts with the C library, in the "C" locale the
// tests run in, as a reference for correct rounding.
double ReferenceValue(std::string text, const std::string& separator) {
    if (const auto at = text.find(separator); at != std::string::npos) {
        text.replace(at, separator.size(), ".");
    }
    return std::strtod(text.c_str(), nullptr);
}

TEST(NumericText, EveryShortTextAgreesWithTheGrammar) {
    const std::vector<std::string> alphabet = {"0", "1", "9", " ", "\t", "+", "-",
                                               ".", ",", "e", "E", "x",  "ä"};
    std::size_t numeric = 0;
    std::size_t total = 0;
    for (const std::string separator : {".", ","}) {
        const std::regex grammar = Grammar(separator);
        std::vector<std::size_t> digits;
        for (std::size_t length = 0; length <= 5; ++length) {
            digits.assign(length, 0);
            while (true) {
                std::string text;
                for (std::size_t d : digits) {
                    text += alphabet[d];
                }
                ++total;
                const bool expected = std::regex_match(text, grammar);
                ASSERT_EQ(IsNumericText(text, separator), expected)
                    << '"' << text << "\" with '" << separator << "'";
                const auto real = Attempt([&] { return TextToReal(text, separator); });
                if (expected) {
                    ++numeric;
                    const double reference = ReferenceValue(text, separator);
                    ASSERT_EQ(real,
                              std::isinf(reference) ? Error<double>(kOverflow) : Value(reference))
                        << text;
                } else {
                    ASSERT_EQ(real.error, kConversion) << text;
                }
                ASSERT_EQ(Attempt([&] { return TextToWhole(text, separator); }),
                          Attempt([&] { return RealToWhole(TextToReal(text, separator)); }))
                    << text;
                std::size_t i = 0;
                while (i < length && ++digits[i] == alphabet.size()) {
                    digits[i++] = 0;
                }
                if (i == length) {
                    break;
                }
            }
        }
    }
    EXPECT_EQ(total, 2u * (1 + 13 + 169 + 2197 + 28561 + 371293));
    EXPECT_GT(numeric, 5000u);  // the walk did reach the numeric texts
}

TEST(NumericText, LongRandomTextsAreCorrectlyRounded) {
    std::mt19937 random(20261207);
    const std::regex grammar = Grammar(".");
    const std::string symbols = "0123456789.e-+ ";
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i) {
            text += symbols[random() % symbols.size()];
        }
        if (!std::regex_match(text, grammar)) {
            continue;
        }
        const auto real = Attempt([&] { return TextToReal(text, "."); });
        const double reference = ReferenceValue(text, ".");
        if (std::isinf(reference)) {
            EXPECT_EQ(real.error, kOverflow) << text;
        } else {
            EXPECT_EQ(real, Value(reference)) << text;
        }
    }
}

// TextToWhole reads most texts from their digits alone; it must give exactly
// what rounding the correctly rounded real gives, most of all near halves and
// whole numbers, where a decimal and its binary64 value can round apart.
TEST(TextToWhole, AgreesWithRoundingTheRealNearHalvesAndLimits) {
    std::mt19937 random(20261208);
    const std::vector<std::string> fractions = {"",
                                                "0",
                                                "5",
                                                "50",
                                                "4999999",
                                                "5000001",
                                                "49999999",
                                                "50000001",
                                                "9999999",
                                                "99999999",
                                                "0000001",
                                                "00000001",
                                                "5000000000000001",
                                                "4999999999999999999",
                                                "500000000000000000000001"};
    const std::vector<std::string> exponents = {"", "e0", "e1", "E-1", "e+3", "e-7", "e9", "e-8"};
    for (int n = 0; n < 200000; ++n) {
        std::string integer;
        const int integerDigits = static_cast<int>(random() % 12);
        for (int i = 0; i < integerDigits; ++i) {
            integer += static_cast<char>('0' + random() % 10);
        }
        const std::string& fraction = fractions[random() % fractions.size()];
        if (integer.empty() && fraction.empty()) {
            continue;
        }
        const std::string separator = random() % 2 != 0 ? "." : ",";
        std::string text = (random() % 3 == 0 ? "-" : "") + integer;
        if (!fraction.empty() || random() % 2 != 0) {
            text += separator + fraction;
        }
        text += exponents[random() % exponents.size()];
        ASSERT_EQ(Attempt([&] { return TextToWhole(text, separator); }),
                  Attempt([&] { return RealToWhole(TextToReal(text, separator)); }))
            << text;
    }
}

TEST(WholeToText, PlainDecimalDigitsAndRoundTrip) {
    const std::pair<std::int32_t, const char*> rows[] = {
        {0, "0"},
        {-3, "-3"},
        {8, "8"},
        {1073720970, "1073720970"},
        {Checked32::kMax, "2147483647"},
        {Checked32::kMin, "-2147483648"},
    };
    for (const auto& [value, text] : rows) {
        EXPECT_EQ(WholeToText(value), text);
    }
    std::mt19937 random(7);
    for (int n = 0; n < 100000; ++n) {
        const auto value = static_cast<std::int32_t>(random());
        ASSERT_EQ(TextToWhole(WholeToText(value), ",").Value(), value);
    }
}

TEST(TestReal, RaisesForInvalidAndOverflowedResults) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Attempt([] { return TestReal(RealSubtract(1e308, -1e308)); }).error, "RealError");
    EXPECT_EQ(Attempt([&] { return TestReal(RealSubtract(inf, inf)); }).error, "RealError");
    EXPECT_EQ(Attempt([] { return TestReal(RealAdd(1.5, -0.5)); }), Value(1.0));
    EXPECT_EQ(RealHalf(std::numeric_limits<double>::denorm_min()), 0.0);
}

}  // namespace
}  // namespace ostrel
