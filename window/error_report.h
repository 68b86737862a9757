// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "core/errors.h"

namespace ostrel {

// What the window tells the user when a number error ends a command: the
// error's kind by its name (ErrorKindName), what it means and that the
// calculation was stopped. UTF-8. Without a kind (anything that is not a
// number error), a general report.
[[nodiscard]] std::string ErrorReport(std::optional<ErrorKind> kind);

}  // namespace ostrel
