// SPDX-License-Identifier: MIT
#include "form/commands.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/errors.h"
#include "form/entry_checks.h"
#include "form/step_recorder.h"
#include "tests/form/recorded_steps.h"

namespace ostrel {
namespace {

using test::Events;
using test::Messages;

enum class Press { Cost, Reach, Clear };

const std::string kN(kNotANumberMessage);
const std::string kG(kBadGevMessage);
const std::string kE(kBadEpMessage);
const std::string kS(kSpreadMessage);

// Presses the buttons in turn; returns the kind of the number error that left
// the last handler, or "" when none did. An error from an earlier press fails.
std::string PressAll(StepRecorder& form, const std::vector<Press>& presses) {
    for (std::size_t i = 0; i < presses.size(); ++i) {
        try {
            switch (presses[i]) {
                case Press::Cost:
                    Command1Click(form);
                    break;
                case Press::Reach:
                    Command2Click(form);
                    break;
                case Press::Clear:
                    Command3Click(form);
                    break;
            }
        } catch (const NumberError& e) {
            if (i + 1 == presses.size()) {
                return std::string(ErrorKindName(e.Kind()));
            }
            ADD_FAILURE() << "press " << i << " raised " << ErrorKindName(e.Kind());
            return "";
        }
    }
    return "";
}

struct Row {
    const char* name;
    std::array<std::string, 4> start;  // FV, GEV, FVb, EP
    const char* separator;
    std::vector<Press> presses;
    std::array<std::string, 4> end;
    std::vector<std::string> messages;
    const char* error = "";
};

void RunRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StepRecorder form(row.start, row.separator);
        EXPECT_EQ(PressAll(form, row.presses), row.error);
        EXPECT_EQ(form.Texts(), row.end);
        EXPECT_EQ(Messages(form), row.messages);
    }
}

TEST(CostCommand, ChecksRepairsAndResults) {
    const auto cost = std::vector{Press::Cost};
    RunRows({
        {"the example", {"10", "12", "15", "0"}, ".", cost, {"10", "12", "15", "8"}, {}},
        {"above GEV", {"12", "10", "15", "0"}, ".", cost, {"12", "10", "15", "12"}, {}},
        {"below GEV", {"5", "10", "8", "0"}, ".", cost, {"5", "10", "8", "3"}, {}},
        {"from GEV", {"10", "10", "15", "0"}, ".", cost, {"10", "10", "15", "15"}, {}},
        {"lowering below GEV", {"8", "10", "5", "x"}, ".", cost, {"8", "10", "5", "-3"}, {}},
        {"lowering above GEV", {"15", "10", "12", "0"}, ".", cost, {"15", "10", "12", "-12"}, {}},
        {"falling to GEV", {"12", "10", "9", "0"}, ".", cost, {"12", "10", "9", "0"}, {}},
        {"EP is never read", {"1", "1", "2", "abc"}, ".", cost, {"1", "1", "2", "1"}, {}},
        {"letter in FV", {"x", "10", "12", "0"}, ".", cost, {"0", "10", "12", "13"}, {kN}},
        {"empty FV", {"", "0", "3", "0"}, ".", cost, {"0", "0", "3", "6"}, {kN}},
        {"letters in GEV", {"1", "abc", "2", "0"}, ".", cost, {"1", "0", "2", "2"}, {kN}},
        {"blank FVb", {"1", "0", " ", "0"}, ".", cost, {"1", "0", "0", "0"}, {kN}},
        {"two bad fields", {"a", "b", "3", "0"}, ".", cost, {"0", "0", "3", "6"}, {kN, kN}},
        {"GEV 2000", {"1", "2000", "3", "0"}, ".", cost, {"1", "0", "3", "5"}, {kG}},
        {"GEV 1000 passes",
         {"1000", "1000", "1001", "0"},
         ".",
         cost,
         {"1000", "1000", "1001", "1"},
         {}},
        {"GEV 1000.5", {"1", "1000.5", "3", "0"}, ".", cost, {"1", "0", "3", "5"}, {kG}},
        {"GEV 1000,4 with a comma",
         {"1", "1000,4", "3", "0"},
         ",",
         cost,
         {"1", "0", "3", "5"},
         {kG}},
        {"GEV -5000", {"0", "-5000", "0", "9"}, ".", cost, {"0", "-5000", "0", "0"}, {}},
        {"letters then bad GEV",
         {"q", "5000", "1", "0"},
         ".",
         cost,
         {"0", "0", "1", "1"},
         {kN, kG}},
        {"FV spread", {"46341", "0", "5", "9"}, ".", cost, {"0", "0", "0", "0"}, {kS}},
        {"FVb spread", {"0", "0", "46341", "9"}, ".", cost, {"0", "0", "0", "0"}, {kS}},
        {"both spreads: one message",
         {"46341", "0", "46341", "9"},
         ".",
         cost,
         {"0", "0", "0", "0"},
         {kS}},
        {"half above the spread",
         {"0", "0.5", "46341", "9"},
         ".",
         cost,
         {"0", "0", "0", "0"},
         {kS}},
        {"largest spread",
         {"0", "0", "46340", "0"},
         ".",
         cost,
         {"0", "0", "46340", "1073720970"},
         {}},
        {"far below GEV passes",
         {"-46341", "0", "0", "0"},
         ".",
         cost,
         {"-46341", "0", "0", "46341"},
         {}},
        {"halves to even", {"2.5", "10", "3.5", "0"}, ".", cost, {"2.5", "10", "3.5", "2"}, {}},
        {"decimal comma", {"2,5", "10", "3,5", "0"}, ",", cost, {"2,5", "10", "3,5", "2"}, {}},
        {"point under a comma locale",
         {"2.5", "10", "3,5", "0"},
         ",",
         cost,
         {"0", "10", "3,5", "4"},
         {kN}},
        {"exponent", {"1e1", "1.2E1", "15", "0"}, ".", cost, {"1e1", "1.2E1", "15", "8"}, {}},
        {"FV out of range",
         {"-3E9", "0", "0", "7"},
         ".",
         cost,
         {"-3E9", "0", "0", "7"},
         {},
         "OverflowError"},
        {"cost out of range",
         {"-2.1E9", "0", "46340", "7"},
         ".",
         cost,
         {"-2.1E9", "0", "46340", "7"},
         {},
         "OverflowError"},
        {"FV beyond binary64",
         {"1E400", "0", "0", "7"},
         ".",
         cost,
         {"1E400", "0", "0", "7"},
         {},
         "OverflowError"},
        {"spread beyond binary64",
         {"1E308", "-1E308", "0", "7"},
         ".",
         cost,
         {"1E308", "-1E308", "0", "7"},
         {},
         "RealError"},
        {"repairs stay after an error",
         {"x", "0", "-3E9", "7"},
         ".",
         cost,
         {"0", "0", "-3E9", "7"},
         {kN},
         "OverflowError"},
    });
}

TEST(ReachCommand, ChecksRepairsAndResults) {
    const auto reach = std::vector{Press::Reach};
    RunRows({
        {"exact budget", {"10", "12", "0", "8"}, ".", reach, {"10", "12", "15", "0"}, {}},
        {"leftover", {"10", "12", "0", "7"}, ".", reach, {"10", "12", "14", "2"}, {}},
        {"above GEV", {"12", "10", "0", "10"}, ".", reach, {"12", "10", "14", "3"}, {}},
        {"below GEV", {"5", "10", "0", "3"}, ".", reach, {"5", "10", "8", "0"}, {}},
        {"largest budget", {"0", "0", "0", "1000000"}, ".", reach, {"0", "0", "1413", "1009"}, {}},
        {"EP 1000001", {"10", "12", "0", "1000001"}, ".", reach, {"10", "12", "10", "0"}, {kE}},
        {"negative above GEV", {"12", "10", "0", "-5"}, ".", reach, {"12", "10", "12", "0"}, {}},
        {"negative below GEV", {"5", "10", "0", "-3"}, ".", reach, {"5", "10", "2", "0"}, {}},
        {"negative passes through",
         {"12", "10", "0", "-1"},
         ".",
         reach,
         {"12", "10", "12", "-1"},
         {}},
        {"from below zero", {"-5", "10", "0", "100"}, ".", reach, {"-5", "10", "22", "7"}, {}},
        {"FVb is not numeric-checked",
         {"1", "1", "abc", "5"},
         ".",
         reach,
         {"1", "1", "abc", "5"},
         {},
         "ConversionError"},
        {"empty FVb", {"1", "1", "", "5"}, ".", reach, {"1", "1", "", "5"}, {}, "ConversionError"},
        {"repairs stay before that error",
         {"y", "1", "abc", "5"},
         ".",
         reach,
         {"0", "1", "abc", "5"},
         {kN},
         "ConversionError"},
        {"FV spread clears a bad FVb",
         {"46341", "0", "abc", "5"},
         ".",
         reach,
         {"0", "0", "0", "0"},
         {kS}},
        {"huge FVb left over", {"1", "1", "46342", "5"}, ".", reach, {"0", "0", "0", "0"}, {kS}},
        {"FVb 46340.5 above GEV",
         {"1", "0.5", "46341", "5"},
         ".",
         reach,
         {"0", "0", "0", "0"},
         {kS}},
        {"letter in EP", {"3", "3", "0", "x"}, ".", reach, {"3", "3", "3", "0"}, {kN}},
        {"bad GEV and bad EP",
         {"0", "2000", "0", "2000000"},
         ".",
         reach,
         {"0", "0", "0", "0"},
         {kG, kE}},
        {"decimal comma", {"10", "12", "0", "7,5"}, ",", reach, {"10", "12", "15", "0"}, {}},
        {"EP out of range",
         {"0", "0", "1", "-3E9"},
         ".",
         reach,
         {"0", "0", "1", "-3E9"},
         {},
         "OverflowError"},
        {"FVb spread beyond binary64",
         {"-1E308", "-1E308", "1E308", "x"},
         ".",
         reach,
         {"-1E308", "-1E308", "1E308", "0"},
         {kN},
         "RealError"},
        {"sum out of range",
         {"-2.1E9", "0", "1", "-2.1E9"},
         ".",
         reach,
         {"-2.1E9", "0", "1", "-2.1E9"},
         {},
         "OverflowError"},
    });
}

TEST(Commands, SequencesOfPresses) {
    using enum Press;
    RunRows({
        {"reach twice spends the leftover",
         {"10", "12", "0", "7"},
         ".",
         {Reach, Reach},
         {"10", "12", "12", "0"},
         {}},
        {"reach after a huge FVb resets",
         {"46340", "0", "0", "1000000"},
         ".",
         {Reach, Reach},
         {"0", "0", "0", "0"},
         {kS}},
        {"cost then reach agree",
         {"10", "12", "15", "0"},
         ".",
         {Cost, Reach},
         {"10", "12", "15", "0"},
         {}},
        {"clear repairs everything",
         {"abc", "", "1E400", "x"},
         ".",
         {Clear, Cost, Reach},
         {"0", "0", "0", "0"},
         {}},
        {"a second press after an error works",
         {"1", "1", "abc", "5"},
         ".",
         {Clear, Reach},
         {"0", "0", "0", "0"},
         {}},
    });
    // The first press of the huge-FVb sequence, on its own.
    StepRecorder form({"46340", "0", "0", "1000000"}, ".");
    Command2Click(form);
    EXPECT_EQ(form.Texts(), (std::array<std::string, 4>{"46340", "0", "46361", "26629"}));
}

TEST(Commands, EachMessageIsFollowedByItsRepair) {
    StepRecorder cost({"a", "b", "46341", "9"}, ".");
    Command1Click(cost);
    EXPECT_EQ(Events(cost),
              (std::vector<std::string>{"message: " + kN, "Text1 = 0", "message: " + kN,
                                        "Text2 = 0", "message: " + kS, "Text1 = 0", "Text2 = 0",
                                        "Text3 = 0", "Text4 = 0", "Text4 = 0"}));

    StepRecorder reach({"5", "5000", "46341", "1000001"}, ".");
    Command2Click(reach);
    EXPECT_EQ(Events(reach),
              (std::vector<std::string>{"message: " + kG, "Text2 = 0", "message: " + kE,
                                        "Text4 = 0", "message: " + kS, "Text1 = 0", "Text2 = 0",
                                        "Text3 = 0", "Text4 = 0", "Text3 = 0", "Text4 = 0"}));
}

TEST(ClearAndFocus, ClearWritesZerosInOrderAndFocusSelectsEight) {
    StepRecorder form({"abc", "", "1073720970", "-3"}, ",");
    Command3Click(form);
    EXPECT_EQ(Events(form),
              (std::vector<std::string>{"Text1 = 0", "Text2 = 0", "Text3 = 0", "Text4 = 0"}));
    EXPECT_TRUE(Messages(form).empty());

    StepRecorder focus({"0", "0", "0", "0"}, ".");
    for (Field field : kAllFields) {
        TextGotFocus(focus, field);
    }
    EXPECT_EQ(Events(focus), (std::vector<std::string>{"select Text1 0 8", "select Text2 0 8",
                                                       "select Text3 0 8", "select Text4 0 8"}));
}

}  // namespace
}  // namespace ostrel
