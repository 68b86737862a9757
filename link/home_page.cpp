// SPDX-License-Identifier: MIT
#include "link/home_page.h"

namespace ostrel {

std::string HomePageAddress() {
    return "https://" + std::string(kHomePageHost) + "/";
}

std::string HomePageCaption() {
    return std::string(kHomePageCaption);
}

void Label10Click(const Opener& open) {
    (void)open(HomePageAddress(), "Open", std::nullopt, std::nullopt, kLinkShowCommand);
}

}  // namespace ostrel
