// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

#include "form/calculator_form.h"
#include "link/home_page.h"
#include "window/layout.h"

// The binding of the window's events to their handlers, the same in every
// window: each window only tells which control was clicked or which field got
// the focus, and supplies the form (its fields and its message box).
//
// A number error (OverflowError, ConversionError, RealError) that leaves a
// handler ends it where it was raised, with the messages and repairs made so
// far left as they are, and is reported here in the form's message box,
// naming its kind; anything else that leaves a handler gets the general
// report. Nothing leaves these functions: nothing is ever thrown into a
// toolkit's event loop, a window procedure or JavaScript.
namespace ostrel::binding {

// Runs the Click handler that the design binds to a control
// (layout::Control::click) on `form`: one of the three commands, or the link
// with `open`. Nothing for Click::None, nor for the link when `open` is
// empty: a window whose link is its own (the web page's anchor) passes none.
void RunClick(layout::Click click, CalculatorForm& form, const Opener& open) noexcept;

// Runs the GotFocus handler of `field` on `form`.
void RunGotFocus(CalculatorForm& form, Field field) noexcept;

// Reports the exception being handled, in `form`'s message box: call it only
// inside a catch block. For a window that catches around more than a handler
// (a Win32 window procedure); if the report itself fails, nothing more can be
// told and the window goes on.
void ReportCaughtError(CalculatorForm& form) noexcept;

// A selection in a field's text, from `start` up to (not including) `end`.
struct TextRange {
    int start = 0;
    int end = 0;

    friend constexpr bool operator==(const TextRange&, const TextRange&) = default;
};

// What a request to select `length` characters from `start` (SetSelection)
// selects in a field of `size` characters: cut off at the end of the text,
// and nothing at all when `start` lies outside it.
[[nodiscard]] std::optional<TextRange> SelectionIn(int size, int start, int length);

}  // namespace ostrel::binding
