// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace ostrel::win32 {

// The program's texts are UTF-8; the Win32 API's W functions take UTF-16.
// Invalid sequences become U+FFFD.
[[nodiscard]] std::wstring Utf16(std::string_view utf8);
[[nodiscard]] std::string Utf8(std::wstring_view utf16);

}  // namespace ostrel::win32
