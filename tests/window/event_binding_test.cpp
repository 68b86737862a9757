// SPDX-License-Identifier: MIT
// The event binding every window shares: which handler a click runs, the
// report of what leaves a handler, and the selection a field takes. The
// handlers themselves are proven in tests/form; the windows' own tests prove
// that each window hands its events here.
#include "window/event_binding.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/errors.h"
#include "form/entry_checks.h"
#include "form/step_recorder.h"
#include "tests/form/recorded_steps.h"
#include "window/error_report.h"

namespace ostrel::binding {
namespace {

using layout::Click;

std::string Message(std::string_view text) {
    return "message: " + std::string(text);
}
std::string Report(std::optional<ErrorKind> kind) {
    return Message(ErrorReport(kind));
}

TEST(EventBinding, ClickRunsItsHandlerAndReportsWhatLeavesIt) {
    struct Row {
        const char* name;
        Click click;
        std::array<std::string, 4> texts;
        std::vector<std::string> steps;
    };
    const Row rows[] = {
        {"cost", Click::Command1, {"10", "12", "15", "0"}, {"Text4 = 8"}},
        {"reach", Click::Command2, {"10", "12", "0", "7"}, {"Text3 = 14", "Text4 = 2"}},
        {"clear",
         Click::Command3,
         {"a", "b", "c", "d"},
         {"Text1 = 0", "Text2 = 0", "Text3 = 0", "Text4 = 0"}},
        // The check's message and repair stand; the report comes last.
        {"overflow after a repair",
         Click::Command1,
         {"x", "0", "-3E9", "7"},
         {Message(kNotANumberMessage), "Text1 = 0", Report(ErrorKind::Overflow)}},
        {"conversion", Click::Command2, {"1", "1", "abc", "5"}, {Report(ErrorKind::Conversion)}},
        {"real", Click::Command1, {"1E308", "-1E308", "0", "7"}, {Report(ErrorKind::Real)}},
        {"no handler", Click::None, {"x", "0", "0", "0"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StepRecorder form(row.texts, ".");
        RunClick(row.click, form, Opener());
        EXPECT_EQ(test::Events(form), row.steps);
    }
}

TEST(EventBinding, TheLinkOpensWithTheOpenerItIsGivenOrNotAtAll) {
    std::vector<std::string> opened;
    const Opener open = [&](std::string_view file, auto&&...) {
        opened.emplace_back(file);
        return true;
    };
    StepRecorder form({"0", "0", "0", "0"}, ".");
    RunClick(Click::Label10, form, open);
    EXPECT_EQ(opened, std::vector<std::string>{HomePageAddress()});
    RunClick(Click::Label10, form, Opener());  // the page's own link
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_TRUE(form.Steps().empty());

    // What is not a number error gets the general report.
    const Opener failing = [](auto&&...) -> bool { throw std::runtime_error("no shell"); };
    RunClick(Click::Label10, form, failing);
    EXPECT_EQ(test::Events(form), std::vector<std::string>{Report(std::nullopt)});
}

TEST(EventBinding, FocusSelectsTheFirstEightCharacters) {
    StepRecorder form({"0", "0", "0", "0"}, ".");
    RunGotFocus(form, Field::Text2);
    EXPECT_EQ(test::Events(form), std::vector<std::string>{"select Text2 0 8"});
}

// A form whose message box fails: the report is dropped, and nothing leaves
// the binding (which would end the program).
class BrokenBox final : public CalculatorForm {
  public:
    [[nodiscard]] std::string GetText(Field /*field*/) const override { return "-3E9"; }
    void SetText(Field /*field*/, std::string_view /*text*/) override {}
    void SetSelection(Field /*field*/, int /*start*/, int /*length*/) override {}
    void ShowMessage(std::string_view /*text*/) override {
        ++shown;
        throw std::bad_alloc();
    }
    [[nodiscard]] std::string DecimalSeparator() const override { return "."; }
    int shown = 0;
};

TEST(EventBinding, AReportThatFailsIsDropped) {
    BrokenBox form;
    RunClick(Click::Command1, form, Opener());
    EXPECT_EQ(form.shown, 1);
}

TEST(EventBinding, SelectionIsCutToTheText) {
    struct Row {
        int size, start, length;
        std::optional<TextRange> selected;
    };
    const Row rows[] = {
        {1, 0, 8, TextRange{0, 1}}, {10, 0, 8, TextRange{0, 8}}, {8, 0, 8, TextRange{0, 8}},
        {5, 2, 8, TextRange{2, 5}}, {3, 3, 8, TextRange{3, 3}},  {0, 0, 8, TextRange{0, 0}},
        {3, 4, 8, std::nullopt},    {3, -1, 8, std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SelectionIn(row.size, row.start, row.length), row.selected)
            << row.size << ' ' << row.start << ' ' << row.length;
    }
}

}  // namespace
}  // namespace ostrel::binding
