// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "link/home_page.h"
#include "link/shell.h"

namespace ostrel {
namespace {

TEST(HomePageLink, ClickAsksToOpenTheAddressAndIgnoresTheAnswer) {
    struct Call {
        std::string file, operation;
        bool hasParameters, hasDirectory;
        int show;
    };
    std::vector<Call> calls;
    for (const bool answer : {true, false}) {
        Label10Click([&](std::string_view file, std::string_view operation,
                         std::optional<std::string_view> parameters,
                         std::optional<std::string_view> directory, int show) {
            calls.push_back({std::string(file), std::string(operation), parameters.has_value(),
                             directory.has_value(), show});
            return answer;
        });
    }
    ASSERT_EQ(calls.size(), 2u);
    for (const Call& call : calls) {
        EXPECT_EQ(call.file, "https://ostrel.example/");
        EXPECT_EQ(call.operation, "Open");
        EXPECT_FALSE(call.hasParameters);
        EXPECT_FALSE(call.hasDirectory);
#ifdef _WIN32
        EXPECT_EQ(call.show, 1);  // SW_SHOWNORMAL, so that a cold-started browser shows
#else
        EXPECT_EQ(call.show, 0);
#endif
    }
    EXPECT_EQ(HomePageCaption(), "Hemsida: ostrel.example");
}

#ifdef _WIN32
// The real ShellExecuteA, under Windows or Wine.
TEST(Shell, FlagTellsWhetherTheShellAcceptedTheRequest) {
    const auto dir = std::filesystem::temp_directory_path() / "ostrel-shell-test";
    std::filesystem::create_directories(dir);
    const auto missing = (dir / "no such file.txt").string();
    EXPECT_FALSE(Shell::OpenHomePage(missing, "Open", std::nullopt, std::nullopt, 0));

    // A batch file that ends at once: opening it is harmless.
    const auto script = (dir / "harmless.bat").string();
    std::ofstream(script) << "@exit /b 0\r\n";
    EXPECT_TRUE(Shell::OpenHomePage(script, "Open", std::nullopt, dir.string(), 0));
}
#endif

}  // namespace
}  // namespace ostrel
