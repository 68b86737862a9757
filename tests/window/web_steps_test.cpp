// SPDX-License-Identifier: MIT
// The steps the web window's page plays, as the binding hands them over: the
// JSON of each kind, with every text the page could hold kept intact. The
// handlers and their steps are proven in tests/form and the event binding's
// test; the page's playing of them in the browser tests.
#include "window/web/steps.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ostrel::web
