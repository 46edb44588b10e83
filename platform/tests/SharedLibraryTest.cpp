#include "vtx/platform/SharedLibrary.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestRoot.h"

namespace vtx::platform {
namespace {

using AnswerFn = int (*)();

int callAnswer(const SharedLibrary& lib) {
    auto fn = reinterpret_cast<AnswerFn>(lib.symbol("TestLibAnswer"));
    return fn != nullptr ? fn() : -1;
}

class SharedLibraryTest : public ::testing::Test {
protected:
    // A copy of the test library under a name only the installation folder has.
    void installCopy(const char* rel) {
        std::filesystem::create_directories(std::filesystem::path(root_.native(rel)).parent_path());
        std::filesystem::copy_file(programDirectory() + "/libVtxTestLib.so", root_.native(rel));
    }

    test::TempRoot root_;
};

TEST_F(SharedLibraryTest, ProgramDirectoryIsTheBinFolder) {
    EXPECT_TRUE(std::filesystem::equivalent(programDirectory(), VTX_BIN_DIR));
}

TEST_F(SharedLibraryTest, LoadsTheWindowsNameFromTheProgramFolder) {
    std::string error;
    auto lib = SharedLibrary::load("VTXTESTLIB.DLL", {}, &error);
    ASSERT_NE(lib, nullptr) << error;
    EXPECT_EQ(callAnswer(*lib), 42);
    EXPECT_EQ(lib->path(), programDirectory() + "/libVtxTestLib.so");
    EXPECT_EQ(lib->symbol("NoSuchFunction"), nullptr);
}

TEST_F(SharedLibraryTest, LoadsByFullPath) {
    auto lib = SharedLibrary::load(programDirectory() + "/libVtxTestLib.so");
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(callAnswer(*lib), 42);

    installCopy("C/Prog/Plugins/libOtherLib.so");
    auto mapped = SharedLibrary::load("C:\\PROG\\plugins\\OTHERLIB.dll");
    ASSERT_NE(mapped, nullptr);
    EXPECT_EQ(mapped->path(), root_.native("C/Prog/Plugins/libOtherLib.so"));
}

TEST_F(SharedLibraryTest, SearchesTheInstallationFolder) {
    installCopy("C/Prog/OtherLib.so");
    EXPECT_EQ(SharedLibrary::load("otherlib.dll"), nullptr);
    auto lib = SharedLibrary::load("otherlib.dll", "c:\\prog");
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(lib->path(), root_.native("C/Prog/OtherLib.so"));
    EXPECT_EQ(callAnswer(*lib), 42);
}

TEST_F(SharedLibraryTest, MissingOrBrokenLibraryGivesAnError) {
    std::string error;
    EXPECT_EQ(SharedLibrary::load("NoSuchVtxLib.dll", "C:\\Prog", &error), nullptr);
    EXPECT_FALSE(error.empty());
    error.clear();
    root_.writeFile("C/Prog/libBroken.so", "not an ELF file");
    EXPECT_EQ(SharedLibrary::load("broken.dll", "C:\\Prog", &error), nullptr);
    EXPECT_NE(error.find("libBroken.so"), std::string::npos) << error;
    EXPECT_EQ(SharedLibrary::load("", {}, &error), nullptr);
}

}  // namespace
}  // namespace vtx::platform
