// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

#include "core/errors.h"

namespace ostrel {

// What the window tells the user when a number error ends a command: the
// error's kind, what it means and that the calculation was stopped. UTF-8.
// Without a kind (anything that is not a number error), a general report.
[[nodiscard]] std::string_view ErrorReport(std::optional<ErrorKind> kind);

}  // namespace ostrel
