// SPDX-License-Identifier: MIT
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
// The root element's attributes that name the WebAssembly file, the page's
// worker and its two scripts (the WebAssembly's glue, then the page's own),
// for the page's inline script (whose text, allowed by its digest, names no
// file).
inline constexpr std::string_view kWasmAttribute = "data-wasm";
inline constexpr std::string_view kWorkerAttribute = "data-worker";
inline constexpr std::string_view kGlueAttribute = "data-glue";
inline constexpr std::string_view kScriptAttribute = "data-script";

// Where the page takes its phone arrangement: on a screen too narrow for the
// window beside a margin of a phone's size, or one whose pointer is a finger.
inline constexpr std::string_view kPhoneQuery = "(max-width: 599.98px), (pointer: coarse)";

// The page (index.html).
[[nodiscard]] std::string Html();

// The style sheet (style.css): the window at the design's geometry, then its
// phone arrangement (PhoneCss) where kPhoneQuery holds.
[[nodiscard]] std::string Css();
[[nodiscard]] std::string PhoneCss();

// The page's inline script (early.js), run as the page is parsed: it starts
// the page's two scripts, the WebAssembly's download and compilation
// (window.ostrelEarly.wasm, a promise of the compiled module) and the page's
// worker (ostrelEarly.worker, and ostrelEarly.separator, a promise of the
// decimal separator it finds), and keeps the buttons pressed before the
// page's script has bound them (ostrelEarly.presses, their ids in order,
// until ostrelEarly.stop()).
[[nodiscard]] std::string EarlyScript();

// The Content-Security-Policy source that allows exactly that inline script:
// 'sha256-' and the base64 of its digest.
[[nodiscard]] std::string ScriptSource(std::string_view script);

// What the script must know of the page, as a JSON object (indented to stand
// in the script): the ids above, the fields' ids in the order the handlers
// take their texts, the kinds of the handlers' steps (StepKindName) and the
// numbers of the legend's narrowing (layout::LegendScale).
[[nodiscard]] std::string ScriptNames();

}  // namespace ostrel::web::page
