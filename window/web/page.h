#pragma once

#include <string>
#include <string_view>

// The web window's page, printed at build time from the window's design:
// every control of the table becomes a native element in its place, so the
// window is drawn before any script has run, and no control's number is
// written anywhere but in the table.
namespace ostrel::web::page {

// The page's own elements besides the controls, by id, and the class of a
// legend line. The style sheet and the script find them by these names;
// the script is handed them (ScriptNames) and names none itself.
inline constexpr std::string_view kWindowId = "Form1";  // the window, holding every control
inline constexpr std::string_view kBackgroundId = "Background";  // the drawn background
inline constexpr std::string_view kMessageId = "Message";        // the modal message box
inline constexpr std::string_view kMessageTitleId = "MessageTitle";
inline constexpr std::string_view kMessageTextId = "MessageText";
inline constexpr std::string_view kMessageOkId = "MessageOk";
inline constexpr std::string_view kLegendClass = "legend";  // its text in one <span>

// The page (index.html).
[[nodiscard]] std::string Html();

// The style sheet (style.css).
[[nodiscard]] std::string Css();

// What the script must know of the page, as a JSON object (indented to stand
// in the script): the ids above, the fields' ids in the order the handlers
// take their texts, the kinds of the handlers' steps (StepKindName) and the
// numbers of the legend's narrowing (layout::LegendScale).
[[nodiscard]] std::string ScriptNames();

}  // namespace ostrel::web::page
