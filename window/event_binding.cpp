// SPDX-License-Identifier: MIT
#include "window/event_binding.h"

#include <algorithm>

#include "core/errors.h"
#include "form/commands.h"
#include "window/error_report.h"

namespace ostrel::binding {
namespace {

// Runs one handler; reports whatever leaves it.
template <class Handler>
void RunReported(CalculatorForm& form, const Handler& handler) noexcept {
    try {
        handler();
    } catch (...) {
        ReportCaughtError(form);
    }
}

}  // namespace

void RunClick(layout::Click click, CalculatorForm& form, const Opener& open) noexcept {
    switch (click) {
        case layout::Click::None:
            return;
        case layout::Click::Command1:
            RunReported(form, [&] { Command1Click(form); });
            return;
        case layout::Click::Command2:
            RunReported(form, [&] { Command2Click(form); });
            return;
        case layout::Click::Command3:
            RunReported(form, [&] { Command3Click(form); });
            return;
        case layout::Click::Label10:
            if (open) {
                RunReported(form, [&] { Label10Click(open); });
            }
            return;
    }
}

void RunGotFocus(CalculatorForm& form, Field field) noexcept {
    RunReported(form, [&] { TextGotFocus(form, field); });
}

void ReportCaughtError(CalculatorForm& form) noexcept {
    std::optional<ErrorKind> kind;
    try {
        throw;
    } catch (const NumberError& error) {
        kind = error.Kind();
    } catch (...) {
        // Not a number error: the general report.
    }
    try {
        form.ShowMessage(ErrorReport(kind));
    } catch (...) {
        // Nothing more can be told; the window goes on.
    }
}

std::optional<TextRange> SelectionIn(int size, int start, int length) {
    if (start < 0 || start > size) {
        return std::nullopt;
    }
    return TextRange{start, start + std::min(length, size - start)};
}

}  // namespace ostrel::binding
