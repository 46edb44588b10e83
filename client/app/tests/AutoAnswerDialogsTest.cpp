// The unattended run's message boxes on standard error: a box that quotes
// the host's message shows the card number it may carry masked.
#include "app/AutoAnswerDialogs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace vtx::client {
namespace {

// What `show` writes to standard error.
template <typename F>
std::string standardError(F&& show) {
    std::fflush(stderr);
    FILE* capture = std::tmpfile();
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(::fileno(capture), STDERR_FILENO);
    show();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    std::string text;
    std::rewind(capture);
    for (int c; (c = std::fgetc(capture)) != EOF;) text += static_cast<char>(c);
    std::fclose(capture);
    return text;
}

TEST(AutoAnswerDialogs, WritesTheBoxWithTheCardMaskedAndAnswersIt) {
    AutoAnswerDialogs dialogs(MessageAnswer::No);
    MessageRequest box;
    box.title = QStringLiteral("Atenção");
    box.text = QStringLiteral("Cartão 6012345678901234 aprovado; trilha 6012345678905678=2812101");
    box.buttons = MessageButtons::YesNo;
    MessageAnswer answer = MessageAnswer::Yes;
    const std::string written = standardError([&] { answer = dialogs.showMessage(box); });
    EXPECT_EQ(written, "[Atenção] Cartão 601234******1234 aprovado; trilha 601234**********=***2101\n");
    EXPECT_EQ(answer, MessageAnswer::No);
}

}  // namespace
}  // namespace vtx::client
