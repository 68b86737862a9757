// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "form/step_recorder.h"

// The web window's side of the calculator, without the browser: a page cannot
// stop a C++ handler while its message box is open, so each handler runs to
// its end on a copy of the texts the page's fields hold (a StepRecorder), and
// what it did is handed to the page as steps to play in order: a write, a
// selection, a message box that the page waits on before the steps after it.
namespace ostrel::web {

// Runs the Click handler that the window's design binds to `control` (a
// button's name, "Command1"), on the field texts `texts` (Text1 to Text4)
// with the browser language's decimal separator. Whatever the handler
// raises ends it and is reported as a last message step; nothing is thrown.
// No steps for a control with no handler the page runs: the link is the
// page's own.
//
// A selection step comes cut to the text its field holds at that point, in
// the units a browser counts a field's text in (UTF-16), as
// binding::SelectionIn cuts it; one that would select nothing at all is
// left out. The page sets it as it comes.
[[nodiscard]] std::vector<Step> Click(std::string_view control, std::array<std::string, 4> texts,
                                      std::string separator);

// Runs the focus handler of the field named `field` ("Text1").
[[nodiscard]] std::vector<Step> GotFocus(std::string_view field, std::array<std::string, 4> texts,
                                         std::string separator);

// The steps as the page's script reads them, JSON: [{"op": "write", "field":
// "Text4", "text": "8"}, {"op": "select", "field", "start", "length"}, {"op":
// "message", "text"}, ...], the kinds by StepKindName. Texts are UTF-8 as
// they came, with quotes, backslashes and control characters escaped.
[[nodiscard]] std::string ToJson(const std::vector<Step>& steps);

}  // namespace ostrel::web
