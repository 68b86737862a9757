// SPDX-License-Identifier: MIT
#pragma once

#include <array>
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
// The root element's attribute that names the WebAssembly file, for the
// page's script (whose text, allowed by its digest, names no file), with the
// file's integrity beside it, in the same name followed by kIntegritySuffix.
inline constexpr std::string_view kWasmAttribute = "data-wasm";
inline constexpr std::string_view kIntegritySuffix = "-integrity";
// Where the page names a file's integrity, it writes this and the file's
// name; the build puts the integrity of the file as built in its place
// (window/web/site.cmake).
inline constexpr std::string_view kIntegrityOf = "integrity-of:";
// The page's policy allows its one inline script by the script's integrity,
// which the build writes where the page names this as kIntegrityOf's file.
inline constexpr std::string_view kInlineScript = "inline-script";

// The web window's own texts: a press that finds the calculations could
// not be loaded, and the notice of a page without JavaScript.
inline constexpr std::string_view kLoadFailedMessage = "Räknaren kunde inte laddas. Försök igen.";
inline constexpr std::string_view kNoScriptId = "NoScript";
inline constexpr std::string_view kNoScriptNotice =
    "Räknaren behöver JavaScript. Slå på JavaScript i webbläsaren för att räkna.";

// The one breakpoint between the page's two arrangements: the phone's
// where any of these holds (a screen too narrow for the window beside a
// margin of a phone's size, or one whose pointer is a finger), the
// desktop's where none does.
inline constexpr std::array<std::string_view, 2> kPhoneWhere = {"(max-width: 599.98px)",
                                                                "(pointer: coarse)"};

// The page (index.html).
[[nodiscard]] std::string Html();

// The style sheet (style.css): what both arrangements share, then the
// window at the design's geometry (DesktopMedia) and its phone arrangement
// (PhoneCss, in PhoneMedia).
[[nodiscard]] std::string Css();
[[nodiscard]] std::string PhoneCss();

// `rules` where the phone's arrangement is taken, and where it is not: the
// two media queries are each other's complement.
[[nodiscard]] std::string PhoneMedia(std::string_view rules);
[[nodiscard]] std::string DesktopMedia(std::string_view rules);

// The page's one script, inline, which runs as the page's head is parsed:
// the names below, then core.js, worker.js (the worker's code, which the
// script starts from its own source), early.js, controls.js and
// background.js, as the build read them, in one function of their own.
[[nodiscard]] std::string Script();

// What the script must know of the page, as a JSON object: the ids and
// attributes above, the fields' ids in the order the handlers take their
// texts, the kinds of the handlers' steps (StepKindName), the numbers of the
// legend's narrowing (layout::LegendScale), the message of a load that
// failed and the report of an unexpected error (ErrorReport).
[[nodiscard]] std::string ScriptNames();

}  // namespace ostrel::web::page
