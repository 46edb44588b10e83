// The demo tables that the host simulator hands to a station (documented in
// doc/manager-login.md): names that match their checksums, and the manager
// levels and passwords the documentation promises.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/CheckSum.h"
#include "core/LoginValidation.h"
#include "core/PasswordChange.h"
#include "core/testing/ManagerStation.h"

namespace vtx::client {
namespace {

namespace fs = std::filesystem;

class DemoTablesTest : public ManagerStation {
protected:
    DemoTablesTest() {
        for (const char* pattern : {"UP.S??", "LT0001.S??", "MF.S??"}) {
            for (const std::string& name : platform::findFiles(VTX_DEMO_TABLES, pattern)) {
                std::ifstream in(fs::path(VTX_DEMO_TABLES) / name, std::ios::binary);
                std::stringstream bytes;
                bytes << in.rdbuf();
                root_.writeFile("C/Vantrix/" + name, bytes.str());
                copied_.push_back({name, bytes.str()});
            }
        }
    }

    bool login(const char* user, const char* password, const char* newPassword = nullptr) {
        const QString u = QString::fromLatin1(user);
        return ValidaUsuario(session_, u) &&
               ValidaSenha(session_, u, QString::fromLatin1(password), [&] {
                   if (newPassword)
                       ConfirmaNovaSenha(session_, QString::fromLatin1(newPassword),
                                         QString::fromLatin1(newPassword));
               });
    }

    std::vector<std::pair<std::string, std::string>> copied_;
};

TEST_F(DemoTablesTest, EachFileIsNamedWithItsChecksum) {
    ASSERT_EQ(copied_.size(), 3u);
    for (const auto& [name, bytes] : copied_) {
        const std::string prefix = name.substr(0, name.size() - 2);
        EXPECT_EQ(name, testing::checksummedName(prefix, bytes));
    }
}

TEST_F(DemoTablesTest, DocumentedLevelsAndPasswordsLogOn) {
    EXPECT_TRUE(login("MNG1", "1234"));
    EXPECT_EQ(session_.login.permissao[1].switches, QStringLiteral("SSSSSSSSS"));
    EXPECT_TRUE(login("MNG2", "2345"));
    EXPECT_EQ(session_.login.permissao[1].switches, QStringLiteral("SSNSSSSNN"));
    EXPECT_TRUE(login("MNG4", "4567"));
    EXPECT_TRUE(login("MNG5", "5678"));
    EXPECT_TRUE(login("staff", "suporte"));
    EXPECT_TRUE(dialogs_.messages().empty());
    // MNG3 holds the initial password: the login asks for a new one.
    EXPECT_FALSE(login("MNG3", "470251"));
    EXPECT_TRUE(login("MNG3", "470251", "3456"));
    EXPECT_TRUE(login("MNG3", "3456"));
}

}  // namespace
}  // namespace vtx::client
