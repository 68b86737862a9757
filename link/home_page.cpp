#include "link/home_page.h"

namespace ostrel {

std::string HomePageAddress() {
    return "https://" + std::string(kHomePageHost) + "/";
}

std::string HomePageCaption() {
    return std::string(kHomePageCaption);
}

void Label10Click(const Opener& open) {
    constexpr int kHide = 0;  // SW_HIDE; the browser shows itself as it likes
    (void)open(HomePageAddress(), "Open", std::nullopt, std::nullopt, kHide);
}

}  // namespace ostrel
