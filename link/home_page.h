// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// The maker's site. The label shows the host after "Hemsida: "; a click opens
// the address. The host lies under a domain reserved for documentation, so
// the link can never lead a user to somebody else's site.
inline constexpr std::string_view kHomePageHost = "ostrel.example";

// The caption of the link label: "Hemsida: " followed by the host.
inline constexpr std::string_view kHomePageCaption = "Hemsida: ostrel.example";
static_assert(kHomePageCaption.starts_with("Hemsida: ") &&
              kHomePageCaption.substr(9) == kHomePageHost);

// "https://" + kHomePageHost + "/"
[[nodiscard]] std::string HomePageAddress();

// kHomePageCaption as a string.
[[nodiscard]] std::string HomePageCaption();

// What the link calls to open the address; Shell::OpenHomePage in the program,
// a recorder in tests.
using Opener = std::function<bool(std::string_view file, std::string_view operation,
                                  std::optional<std::string_view> parameters,
                                  std::optional<std::string_view> directory, int showCommand)>;

// The show command the link asks for. On Windows it is SW_SHOWNORMAL (1): a
// browser that the request starts cold may honour SW_HIDE (0) and never
// appear, a request reported as handled while the user sees nothing.
// Elsewhere the desktop's opener takes no show command, and it stays 0.
#ifdef _WIN32
inline constexpr int kLinkShowCommand = 1;
#else
inline constexpr int kLinkShowCommand = 0;
#endif

// Click of Label10: asks `open` to "Open" the home page with no parameters,
// no directory and kLinkShowCommand, and ignores the answer. A user whose
// browser is missing or refuses is not told.
void Label10Click(const Opener& open);

}  // namespace ostrel
