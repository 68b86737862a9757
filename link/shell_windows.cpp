// SPDX-License-Identifier: MIT
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <string>

#include "link/shell.h"

namespace ostrel::Shell {
namespace {

// UTF-8 to the system's 8-bit code page; characters it lacks become '?'.
std::string ToSystemCodePage(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length = static_cast<int>(utf8.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wideLength);
    const int narrowLength =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(narrowLength), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, narrow.data(), narrowLength, nullptr,
                        nullptr);
    return narrow;
}

std::optional<std::string> ToSystemCodePage(std::optional<std::string_view> utf8) {
    if (!utf8) {
        return std::nullopt;
    }
    return ToSystemCodePage(*utf8);
}

const char* PointerTo(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

}  // namespace

bool OpenHomePage(std::string_view file, std::string_view operation,
                  std::optional<std::string_view> parameters,
                  std::optional<std::string_view> directory, int showCommand) {
    const auto directory8 = ToSystemCodePage(directory);
    const auto parameters8 = ToSystemCodePage(parameters);
    const std::string file8 = ToSystemCodePage(file);
    const std::string operation8 = ToSystemCodePage(operation);
    const HINSTANCE result =
        ShellExecuteA(nullptr, operation8.c_str(), file8.c_str(), PointerTo(parameters8),
                      PointerTo(directory8), showCommand);
    return reinterpret_cast<INT_PTR>(result) >= 33;
}

}  // namespace ostrel::Shell
