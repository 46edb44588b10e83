// What reaches standard output: UTF-8, and no control byte that could break
// a line or forge one.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "ConsoleOutput.h"
#include "StandInLogon.h"

namespace vtx::linkagent {
namespace {

TEST(ConsoleOutput, TextLeavesAsUtf8WithControlBytesEscaped) {
    EXPECT_EQ(ConsoleOutput::printable("Configura\xe7\xe3o"), "Configuração");
    EXPECT_EQ(ConsoleOutput::printable("a\r\nlog: forged\x7f"), "a\\x0D\\x0Alog: forged\\x7F");
    EXPECT_EQ(ConsoleOutput::printable(std::string("z\0z", 3)), "z\\x00z");
}

TEST(StandInLogon, OperatorCodesEndAtTheFirstEmptyEntry) {
    std::array<char, 512> list{};
    std::memcpy(list.data(), "OPA\0OPB  X\0\0OPC", 16);
    EXPECT_EQ(StandInLogon::operatorCodes(list.data(), list.size()),
              (std::vector<std::string>{"OPA", "OPB"}));
    std::array<char, 4> full{'A', 'B', 'C', 'D'};  // no terminator: stays inside
    EXPECT_EQ(StandInLogon::operatorCodes(full.data(), full.size()),
              std::vector<std::string>{"ABCD"});
}

}  // namespace
}  // namespace vtx::linkagent
