// `vtx mask`, the demo's and a support person's way to show card numbers:
// the station's one mask, on arguments and on standard input.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#ifndef VTX_BIN_DIR
#error "VTX_BIN_DIR must name the folder holding vtx"
#endif

namespace {

// What `command` (run by /bin/sh) prints on standard output.
std::string output(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char chunk[256];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) out.append(chunk, n);
    ::pclose(pipe);
    return out;
}

const std::string kVtx = std::string(VTX_BIN_DIR) + "/vtx";

TEST(MaskCommandTest, MasksTheCardNumberInItsArguments) {
    EXPECT_EQ(output(kVtx + " mask 6012345678901234"), "601234******1234\n");
    EXPECT_EQ(output(kVtx + " mask 'card 6012345678901234,' CPF 123"),
              "card 601234******1234, CPF 123\n");
}

TEST(MaskCommandTest, MasksEveryLineOfItsInput) {
    const std::string lines =
        "main MSG 000-000=0100;953-000=6012345678901234;\\n"
        "main MSG 000-000=0200;902-001=7891000100103;\\n";
    EXPECT_EQ(output("printf '" + lines + "' | " + kVtx + " mask"),
              "main MSG 000-000=0100;953-000=601234******1234;\n"
              "main MSG 000-000=0200;902-001=7891000100103;\n");
}

}  // namespace
