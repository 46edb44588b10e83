// What reaches standard output: UTF-8, and no control byte that could break
// a line or forge one.
#include <gtest/gtest.h>

#include "ConsoleOutput.h"

namespace vtx::linkagent {
namespace {

TEST(ConsoleOutput, TextLeavesAsUtf8WithControlBytesEscaped) {
    EXPECT_EQ(ConsoleOutput::printable("Configura\xe7\xe3o"), "Configuração");
    EXPECT_EQ(ConsoleOutput::printable("a\r\nlog: forged\x7f"), "a\\x0D\\x0Alog: forged\\x7F");
    EXPECT_EQ(ConsoleOutput::printable(std::string("z\0z", 3)), "z\\x00z");
}

}  // namespace
}  // namespace vtx::linkagent
