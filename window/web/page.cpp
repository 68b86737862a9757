// SPDX-License-Identifier: MIT
// Prints the web window at build time, from the window's design: its page
// (`html`), with its script inline, or its style sheet (`css`).
//
// Usage: web_page html|css
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "form/calculator_form.h"
#include "form/step_recorder.h"
#include "window/error_report.h"
#include "window/layout.h"
#include "window/web/page.h"

namespace ostrel::web::page {
namespace {

// A JSON string of a name or a text of the page's own, which hold no
// control character; a quote or a backslash would still come out right.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

// A number as JSON writes it, to six significant digits.
std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

}  // namespace

std::string ScriptNames() {
    std::string fields;
    for (const Field field : kAllFields) {
        fields += fields.empty() ? "[" : ", ";
        fields += Quoted(FieldName(field));
    }
    std::string steps;
    for (const Step::Kind kind : {Step::Kind::Write, Step::Kind::Select, Step::Kind::Message}) {
        const std::string name = Quoted(StepKindName(kind));
        steps += steps.empty() ? "{" : ", ";
        steps += name;
        steps += ": ";
        steps += name;
    }
    const std::pair<std::string_view, std::string> names[] = {
        {"window", Quoted(kWindowId)},
        {"fields", fields + "]"},
        {"background", Quoted(kBackgroundId)},
        {"message", Quoted(kMessageId)},
        {"messageText", Quoted(kMessageTextId)},
        {"messageOk", Quoted(kMessageOkId)},
        {"legendLine", Quoted("." + std::string(kLegendClass) + " > span")},
        {"steps", steps + "}"},
        {"legend", "{\"clearance\": " + std::to_string(layout::kLegendClearance) +
                       ", \"leastScale\": " + Number(layout::kLegendLeastScale) + "}"},
        {"attributes", "{\"wasm\": " + Quoted(kWasmAttribute) +
                           ", \"integrity\": " + Quoted(kIntegritySuffix) + "}"},
        {"loadFailed", Quoted(kLoadFailedMessage)},
        {"unexpected", Quoted(ErrorReport(std::nullopt))},
    };
    std::string json = "{";
    for (const auto& [key, value] : names) {
        json += json.size() > 1 ? ",\n  " : "\n  ";
        json += Quoted(key);
        json += ": ";
        json += value;
    }
    return json + "\n}";
}

}  // namespace ostrel::web::page

int main(int argc, char** argv) {
    namespace page = ostrel::web::page;
    const std::string_view what = argc == 2 ? argv[1] : "";
    std::string text;
    if (what == "html") {
        text = page::Html();
    } else if (what == "css") {
        text = page::Css();
    } else {
        std::fprintf(stderr, "usage: %s html|css\n", argc > 0 ? argv[0] : "web_page");
        return 2;
    }
    std::fputs(text.c_str(), stdout);
    return 0;
}
