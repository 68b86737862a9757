// SPDX-License-Identifier: MIT
// The steps the web window's page plays, as the binding hands them over: the
// JSON of each kind, with every text the page could hold kept intact, and
// which handler a control's name runs. The handlers and their steps are
// proven in tests/form and the event binding's test; the page's playing of
// them in the browser tests.
#include "window/web/steps.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace ostrel::web {
namespace {

TEST(WebSteps, JsonOfEachKindWithTextsEscaped) {
    struct Row {
        std::vector<Step> steps;
        std::string json;
    };
    const Row rows[] = {
        {{}, "[]"},
        {{{.kind = Step::Kind::Write, .field = Field::Text4, .text = "8"}},
         R"([{"op":"write","field":"Text4","text":"8"}])"},
        {{{.kind = Step::Kind::Select, .field = Field::Text2, .text = "", .start = 0, .length = 8},
          {.kind = Step::Kind::Message, .text = "Ogiltigt antal EP!"}},
         R"([{"op":"select","field":"Text2","start":0,"length":8},)"
         R"({"op":"message","text":"Ogiltigt antal EP!"}])"},
        // What a person may have typed comes back as it was: quotes,
        // backslashes, control characters escaped, UTF-8 as it is.
        {{{.kind = Step::Kind::Write, .field = Field::Text1, .text = "a\"b\\c\n\x01ä"}},
         R"([{"op":"write","field":"Text1","text":"a\"b\\c\u000a\u0001ä"}])"},
        {{{.kind = Step::Kind::Message, .text = "\x10\x1f !"}},
         R"([{"op":"message","text":"\u0010\u001f !"}])"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ToJson(row.steps), row.json);
    }
}

// The page sets a selection as it comes: cut to the field's text, counted
// as the browser counts it (UTF-16: a character beyond U+FFFF is two).
TEST(WebSteps, FocusSelectionCutToTheFieldsText) {
    struct Row {
        std::string text;
        int length;
    };
    const Row rows[] = {
        {"1073720970", 8}, {"0", 1}, {"", 0}, {"\xc3\xa4\xe2\x82\xac\xf0\x9f\x98\x80", 4}};
    for (const Row& row : rows) {
        const std::vector<Step> steps = GotFocus("Text2", {"0", row.text, "0", "0"}, ",");
        ASSERT_EQ(steps.size(), 1U) << row.text;
        EXPECT_EQ(ToJson(steps), R"([{"op":"select","field":"Text2","start":0,"length":)" +
                                     std::to_string(row.length) + "}]")
            << row.text;
    }
}

// A control's name runs the handler the table binds to it; nothing for a
// name the table lacks, for a control without a handler, for the link (the
// page's own) and for the focus of anything but a field.
TEST(WebSteps, HandlersByTheControlsName) {
    const std::array<std::string, 4> texts = {"1", "2", "123456789", "4"};
    struct Row {
        bool focus;
        const char* name;
        std::string json;
    };
    const Row rows[] = {
        {false, "Command3",
         R"([{"op":"write","field":"Text1","text":"0"},{"op":"write","field":"Text2","text":"0"},)"
         R"({"op":"write","field":"Text3","text":"0"},{"op":"write","field":"Text4","text":"0"}])"},
        {false, "Text1", "[]"},
        {false, "Label10", "[]"},
        {false, "Command9", "[]"},
        {true, "Text3", R"([{"op":"select","field":"Text3","start":0,"length":8}])"},
        {true, "Command1", "[]"},
        {true, "Label3", "[]"},
        {true, "Text9", "[]"},
    };
    for (const Row& row : rows) {
        const std::vector<Step> steps =
            row.focus ? GotFocus(row.name, texts, ".") : Click(row.name, texts, ".");
        EXPECT_EQ(ToJson(steps), row.json) << row.name;
    }
}

}  // namespace
}  // namespace ostrel::web
