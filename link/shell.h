// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

// The module Shell: hands a file or web address to the desktop's opener.
namespace ostrel::Shell {

// Asks the shell to carry out `operation` ("Open") on `file`. Texts are UTF-8;
// an absent text is passed to the shell as no text at all.
//
// On Windows this is ShellExecuteA with no owner window, the texts converted
// to the system code page and `showCommand` as given; the flag is whether the
// returned number is at least 33 (ShellExecute's success values are above 32).
// Elsewhere the file is handed to the desktop's opener for its URL scheme and
// the flag is whether the opener accepted it; `operation`, `parameters`,
// `directory` and `showCommand` have no counterpart there.
//
// Raises nothing and shows nothing.
bool OpenHomePage(std::string_view file, std::string_view operation,
                  std::optional<std::string_view> parameters,
                  std::optional<std::string_view> directory, int showCommand);

}  // namespace ostrel::Shell
