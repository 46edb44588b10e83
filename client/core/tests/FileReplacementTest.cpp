#include "core/FileReplacement.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <random>

#include "core/CheckSum.h"
#include "core/ManagerPasswords.h"
#include "core/testing/ManagerStation.h"
#include "ScopedUmask.h"

namespace vtx::client {
namespace {

class FileReplacementTest : public ManagerStation {
protected:
    // The UP.S?? files whose names match their content.
    std::vector<std::string> validPasswordFiles() {
        std::vector<std::string> valid;
        for (const std::string& name : filesLike("UP.S??")) {
            QString check;
            if (Valida_Check_Sum_Arquivo(QString::fromStdString(root_.native("C/Vantrix/" + name)),
                                         check, session_.reporter))
                valid.push_back(name);
        }
        return valid;
    }

    QString storedPassword(const char* level) {
        bool found = false;
        QString slot = ObtemSenha(session_, QString::fromLatin1(level), found).trimmed();
        CriptografiaSenha(slot, QStringLiteral("D"));
        return found ? slot : QStringLiteral("<not found>");
    }
};

TEST_F(FileReplacementTest, WritesUnderTheNewChecksumNameAndRemovesTheOldFile) {
    const std::string old = writeChecksummed("UP.S", "OLD LINE\r\n");
    const QString path = QStringLiteral("C:\\VANTRIX\\") + QString::fromStdString(old);
    ASSERT_TRUE(SobreEscreveArquivo(path, QStringLiteral("NOVA LINHA É"), session_.reporter));
    const std::string expected = testing::checksummedName("UP.S", "NOVA LINHA \xC9");
    EXPECT_EQ(filesLike("UP.S??"), std::vector<std::string>{expected});
    EXPECT_EQ(readServerFile(expected), "NOVA LINHA \xC9\r\n");
    EXPECT_TRUE(filesLike(".*").empty());

    // Same content, same name: replaced in place.
    const QString again = QStringLiteral("C:\\VANTRIX\\") + QString::fromStdString(expected);
    ASSERT_TRUE(SobreEscreveArquivo(again, QStringLiteral("NOVA LINHA É"), session_.reporter));
    EXPECT_EQ(filesLike("UP.S??"), std::vector<std::string>{expected});
    EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(FileReplacementTest, ThePasswordFileIsTheInstallationUsersOnlyWhateverTheUmask) {
    const std::string old = writeChecksummed("UP.S", "OLD LINE\r\n");
    ::chmod(root_.native("C/Vantrix/" + old).c_str(), 0666);
    test::ScopedUmask wide(0);
    const QString path = QStringLiteral("C:\\VANTRIX\\") + QString::fromStdString(old);
    ASSERT_TRUE(SobreEscreveArquivo(path, QStringLiteral("NOVA LINHA"), session_.reporter));
    const std::string fresh = testing::checksummedName("UP.S", "NOVA LINHA");
    EXPECT_EQ(test::permissionsOf(root_.native("C/Vantrix/" + fresh)), 0600);

    // Rewritten under the same name, a file made too open is closed up.
    ::chmod(root_.native("C/Vantrix/" + fresh).c_str(), 0644);
    const QString again = QStringLiteral("C:\\VANTRIX\\") + QString::fromStdString(fresh);
    ASSERT_TRUE(SobreEscreveArquivo(again, QStringLiteral("NOVA LINHA"), session_.reporter));
    EXPECT_EQ(test::permissionsOf(root_.native("C/Vantrix/" + fresh)), 0600);
}

TEST_F(FileReplacementTest, AnInterruptedSwapIsCompletedAtTheNextLookUp) {
    const std::string old = writePasswords({"1111"});
    const std::string line = passwordLine({"2222"});
    const std::string fresh = writeChecksummed("UP.S", line + "\r\n");
    ASSERT_NE(old, fresh);
    // The state of a writer killed after its rename: both files, the intent.
    root_.writeFile("C/Vantrix/.UP.S~replace", old + "\n" + fresh + "\n");
    root_.writeFile("C/Vantrix/." + fresh + ".999999999.0.tmp", "partial");
    EXPECT_EQ(storedPassword("MNG1"), QStringLiteral("2222"));
    EXPECT_EQ(filesLike("UP.S??"), std::vector<std::string>{fresh});
    EXPECT_TRUE(filesLike(".*").empty());

    // Killed before its rename: the intent names a file that is not there.
    root_.writeFile("C/Vantrix/.UP.S~replace", fresh + "\nUP.S00\n");
    EXPECT_EQ(storedPassword("MNG1"), QStringLiteral("2222"));
    EXPECT_EQ(filesLike("UP.S??"), std::vector<std::string>{fresh});
    EXPECT_TRUE(filesLike(".*").empty());
}

// A password change killed at any moment leaves a valid UP.Sxx behind, and
// after the next look-up exactly one, holding the old or the new password.
TEST_F(FileReplacementTest, KilledPasswordChangesNeverLeaveTheStationWithoutAPasswordFile) {
    writePasswords({"1111"});
    std::mt19937 random(20240601);
    // Long enough for several complete changes, so kills land in every step.
    std::uniform_int_distribution<int> delayMicros(0, 20000);
    int changed = 0;
    for (int round = 0; round < 50; ++round) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                GravaSenha(session_, QStringLiteral("MNG1"),
                           i % 2 == 0 ? QStringLiteral("2222") : QStringLiteral("3333"));
        }
        ::usleep(static_cast<useconds_t>(delayMicros(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        ASSERT_FALSE(validPasswordFiles().empty()) << "round " << round;
        const QString password = storedPassword("MNG1");
        if (password != QStringLiteral("1111")) ++changed;
        EXPECT_TRUE(password == QStringLiteral("1111") || password == QStringLiteral("2222") ||
                    password == QStringLiteral("3333"))
            << password.toStdString();
        ASSERT_EQ(validPasswordFiles().size(), 1u) << "round " << round;
        EXPECT_EQ(filesLike("UP.S??").size(), 1u);
        EXPECT_TRUE(filesLike(".*").empty()) << "round " << round;
    }
    EXPECT_GT(changed, 0);
    EXPECT_TRUE(dialogs_.messages().empty());
}

}  // namespace
}  // namespace vtx::client
