#include "vtx/platform/ErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <thread>
#include <vector>

namespace vtx::platform {
namespace {

TEST(ErrorTextTest, GivesTheSystemTextOfKnownAndUnknownNumbers) {
    EXPECT_EQ(errorText(ENOENT), "No such file or directory");
    EXPECT_EQ(errorText(EACCES), "Permission denied");
    EXPECT_EQ(errorText(123456), "Unknown error 123456");
}

// Each thread's text is its own, however many threads ask at once.
TEST(ErrorTextTest, ThreadsAskingTogetherGetTheirOwnTexts) {
    const std::vector<std::pair<int, std::string>> cases{{ENOENT, "No such file or directory"},
                                                         {654321, "Unknown error 654321"},
                                                         {EACCES, "Permission denied"},
                                                         {765432, "Unknown error 765432"}};
    std::vector<std::thread> threads;
    std::vector<int> wrong(cases.size(), 0);
    for (size_t i = 0; i < cases.size(); ++i) {
        threads.emplace_back([&, i] {
            for (int n = 0; n < 2000; ++n) {
                if (errorText(cases[i].first) != cases[i].second) ++wrong[i];
            }
        });
    }
    for (std::thread& t : threads) t.join();
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(wrong[i], 0) << cases[i].second;
}

}  // namespace
}  // namespace vtx::platform
