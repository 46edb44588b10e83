// Whole-file replacement: the content lands whole or not at all, files get
// the mode of their kind whatever the umask, and leftovers of killed writers
// are removed by the next writer.
#include "vtx/platform/AtomicFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "ScopedUmask.h"
#include "TestRoot.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::platform {
namespace {

using test::permissionsOf;
using test::ScopedUmask;

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(root_.native("C/Data")); }
    std::string path(const std::string& name) const { return root_.native("C/Data/" + name); }
    void put(const std::string& name, const std::string& content, mode_t mode = 0644) {
        root_.writeFile("C/Data/" + name, content);
        ::chmod(path(name).c_str(), mode);
    }
    std::string read(const std::string& name) const {
        return root_.readFile("C/Data/" + name).value_or("<missing>");
    }
    // Every name in the folder that starts with a dot.
    std::vector<std::string> hidden() const { return findFiles(root_.native("C/Data"), ".*"); }

    test::TempRoot root_;
};

// A process id that no process holds any more: a child that has ended and
// been reaped.
pid_t deadPid() {
    pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

void makeOlder(const std::string& path, std::chrono::seconds age) {
    timespec times[2];
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= age.count();
    times[1] = times[0];
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST_F(AtomicFileTest, ReplacesTheWholeContentAndLeavesNoTemporary) {
    put("F.DAT", std::string(100000, 'o'));
    EXPECT_EQ(replaceFile(path("F.DAT"), "new"), 0);
    EXPECT_EQ(read("F.DAT"), "new");
    EXPECT_EQ(replaceFile(path("NEW.DAT"), std::string(70000, 'n'), {.durable = true}), 0);
    EXPECT_EQ(read("NEW.DAT"), std::string(70000, 'n'));
    EXPECT_TRUE(hidden().empty());

    // The temporary of each call has its own name, in the target's folder.
    const std::string a = temporaryPathFor(path("F.DAT"));
    const std::string b = temporaryPathFor(path("F.DAT"));
    EXPECT_NE(a, b);
    EXPECT_EQ(a.rfind(path(".F.DAT." + std::to_string(::getpid()) + "."), 0), 0u) << a;
    EXPECT_TRUE(a.ends_with(".tmp"));
}

TEST_F(AtomicFileTest, AFailedReplacementLeavesTheOldFileAndNoTemporary) {
    std::filesystem::create_directories(path("SUB"));
    EXPECT_EQ(replaceFile(path("SUB"), "x"), EISDIR);
    EXPECT_TRUE(std::filesystem::is_directory(path("SUB")));
    EXPECT_EQ(replaceFile(path("MISSING/F.DAT"), "x"), ENOENT);
    EXPECT_FALSE(replaceFileAtomically(path("MISSING/F.DAT"), "x"));

    put("F.DAT", "old");
    EXPECT_EQ(installFile(path("NOT-THERE"), path("F.DAT")), ENOENT);
    EXPECT_EQ(read("F.DAT"), "old");
    EXPECT_TRUE(hidden().empty());
}

TEST_F(AtomicFileTest, InstallMovesAWrittenFileInPlace) {
    put("F.DAT", "old");
    put("_NEW.TMP", "assembled");
    EXPECT_EQ(installFile(path("_NEW.TMP"), path("F.DAT"), {.durable = true}), 0);
    EXPECT_EQ(read("F.DAT"), "assembled");
    EXPECT_FALSE(std::filesystem::exists(path("_NEW.TMP")));
}

// A second name made for a file that already stands under the target name
// (a copy kept by a writer killed after its rename, made again by the next
// one): the target stays, the second name goes.
TEST_F(AtomicFileTest, InstallingASecondNameOfTheTargetLeavesNoStagingName) {
    put("F.DAT", "kept");
    ASSERT_EQ(::link(path("F.DAT").c_str(), path(".F.DAT.1.0.tmp").c_str()), 0);
    EXPECT_EQ(installFile(path(".F.DAT.1.0.tmp"), path("F.DAT")), 0);
    EXPECT_EQ(read("F.DAT"), "kept");
    EXPECT_TRUE(hidden().empty());
}

TEST_F(AtomicFileTest, NewFilesGetTheModeOfTheirKindEvenUnderAnOpenUmask) {
    {
        ScopedUmask wide(0);
        ASSERT_EQ(replaceFile(path("UP.S01"), "p", {.mode = kPrivateFileMode}), 0);
        ASSERT_EQ(replaceFile(path("1.TRC"), "e", {.mode = kGroupReadFileMode}), 0);
        ASSERT_EQ(replaceFile(path("PLAIN.INI"), "i"), 0);
        ASSERT_TRUE(iniWrite(path("SECRET.INI"), {{"CHAVES", "MASTERKEY", "k"}}, kPrivateFileMode));
        ASSERT_TRUE(iniWriteString(path("CORE.INI"), "Config", "X", "1"));
        put("_T", "t", 0666);
        ASSERT_EQ(installFile(path("_T"), path("LT0001.S01"), {.mode = kPrivateFileMode}), 0);
    }
    EXPECT_EQ(permissionsOf(path("UP.S01")), 0600);
    EXPECT_EQ(permissionsOf(path("1.TRC")), 0640);
    EXPECT_EQ(permissionsOf(path("PLAIN.INI")), 0666);  // settings: as the umask allows
    EXPECT_EQ(permissionsOf(path("SECRET.INI")), 0600);
    EXPECT_EQ(permissionsOf(path("CORE.INI")), 0666);
    EXPECT_EQ(permissionsOf(path("LT0001.S01")), 0600);

    // A narrower umask narrows every kind.
    ScopedUmask tight(077);
    ASSERT_EQ(replaceFile(path("OTHER.INI"), "i"), 0);
    ASSERT_EQ(replaceFile(path("2.TRC"), "e", {.mode = kGroupReadFileMode}), 0);
    EXPECT_EQ(permissionsOf(path("OTHER.INI")), 0600);
    EXPECT_EQ(permissionsOf(path("2.TRC")), 0600);
}

TEST_F(AtomicFileTest, AReplacedFileKeepsItsModeNarrowedToItsKind) {
    ScopedUmask wide(0);
    put("WIDE.BIN", "old", 0666);
    put("NARROW.BIN", "old", 0400);
    put("ADMIN.INI", "old", 0640);
    put("RUN.INI", "old", 0755);
    ASSERT_EQ(replaceFile(path("WIDE.BIN"), "new", {.mode = kPrivateFileMode}), 0);
    ASSERT_EQ(replaceFile(path("NARROW.BIN"), "new", {.mode = kPrivateFileMode}), 0);
    ASSERT_EQ(replaceFile(path("ADMIN.INI"), "new"), 0);
    ASSERT_EQ(replaceFile(path("RUN.INI"), "new"), 0);
    EXPECT_EQ(permissionsOf(path("WIDE.BIN")), 0600);
    EXPECT_EQ(permissionsOf(path("NARROW.BIN")), 0400);
    EXPECT_EQ(permissionsOf(path("ADMIN.INI")), 0640);
    EXPECT_EQ(permissionsOf(path("RUN.INI")), 0644);

    put("TABLE", "old", 0644);
    put("_T", "new", 0600);
    ASSERT_EQ(installFile(path("_T"), path("TABLE"), {.mode = kPrivateFileMode}), 0);
    EXPECT_EQ(permissionsOf(path("TABLE")), 0600);
}

TEST_F(AtomicFileTest, TheNextWriterRemovesTheTemporariesOfDeadWriters) {
    const std::string dead = std::to_string(deadPid());
    const std::string self = std::to_string(::getpid());
    const std::string parent = std::to_string(::getppid());
    put(".F.DAT." + dead + ".3.tmp", "killed while writing");
    put(".f.dat." + dead + ".0.tmp", "the same file in another spelling");
    put(".F.DAT." + self + ".7.tmp", "this process's, being written");
    put(".F.DAT." + parent + ".1.tmp", "a running writer's");
    put(".F.DAT." + self + ".8.tmp", "a writer long gone whose id came back");
    makeOlder(path(".F.DAT." + self + ".8.tmp"), kAbandonedTemporaryAge + std::chrono::minutes(1));
    // Not temporaries of F.DAT.
    put(".G.DAT." + dead + ".1.tmp", "another file's");
    put(".F.DAT." + dead + ".tmp", "no counter");
    put(".F.DAT.x1.2.tmp", "no process id");
    put("F.DAT." + dead + ".1.tmp", "not hidden");

    ASSERT_EQ(replaceFile(path("F.DAT"), "next"), 0);

    const std::vector<std::string> expected{
        ".F.DAT." + dead + ".tmp", ".F.DAT." + parent + ".1.tmp", ".F.DAT." + self + ".7.tmp",
        ".F.DAT.x1.2.tmp",         ".G.DAT." + dead + ".1.tmp",
    };
    std::vector<std::string> left = hidden();
    std::sort(left.begin(), left.end());
    std::vector<std::string> want = expected;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(left, want);
    EXPECT_TRUE(std::filesystem::exists(path("F.DAT." + dead + ".1.tmp")));

    // A family of names at once, as the password file's generations.
    EXPECT_EQ(removeStaleTemporaries(root_.native("C/Data"), "?.DAT"), 1u);
    EXPECT_FALSE(std::filesystem::exists(path(".G.DAT." + dead + ".1.tmp")));
}

}  // namespace
}  // namespace vtx::platform
