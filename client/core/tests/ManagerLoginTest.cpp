#include <gtest/gtest.h>

#include <cstdio>

#include "core/LoginValidation.h"
#include "core/ManagerPasswords.h"
#include "core/ManagerPermissions.h"
#include "core/PasswordChange.h"
#include "core/testing/ManagerStation.h"

namespace vtx::client {
namespace {

const std::string kPermissions =
    "000,MNG1,SSNSSSSSS,0000000001\r\n"
    "000,MNG2,SSSSSSSSS,0000000002\r\n"
    "000,MNG3,SSSSSSSSN,0000000003\r\n"
    "001,SUPORTE\r\n";

class ManagerLoginTest : public ManagerStation {
protected:
    ManagerLoginTest() {
        writePasswords({"1234", "ABC9", "470251", "", "5555"});
        writeChecksummed("LT0001.S", kPermissions);
    }

    bool login(const QString& user, const QString& password) {
        return ValidaUsuario(session_, user) &&
               ValidaSenha(session_, user, password, [this] { changeForms_++; });
    }

    QString operador() const { return session_.login.operadorLogado[1].usuario; }

    int changeForms_ = 0;
};

TEST_F(ManagerLoginTest, ManagerLogsOnWithPermissionsOfTheLevel) {
    EXPECT_TRUE(login(QStringLiteral("MNG1"), QStringLiteral("1234")));
    EXPECT_EQ(operador(), QStringLiteral("MNG1").leftJustified(20));
    EXPECT_EQ(session_.login.permissao[1].switches, QStringLiteral("SSNSSSSSS"));
    EXPECT_FALSE(session_.login.permissao[1].allows(3));
    EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(ManagerLoginTest, PasswordsCompareWithoutRegardToCase) {
    EXPECT_TRUE(login(QStringLiteral("MNG2"), QStringLiteral("abc9")));
    EXPECT_TRUE(login(QStringLiteral("MNG2"), QStringLiteral(" aBc9 ")));
}

TEST_F(ManagerLoginTest, WrongPasswordsAndUnknownLevelsAreRefusedWithTheirMessages) {
    EXPECT_FALSE(login(QStringLiteral("MNG1"), QStringLiteral("1235")));
    EXPECT_FALSE(login(QStringLiteral("MNG9"), QStringLiteral("1234")));
    EXPECT_FALSE(login(QStringLiteral("MNG4"), QStringLiteral("1234")));
    // MNG4's slot is blank, not empty: a wrong password for a level in use.
    EXPECT_EQ(dialogs_.texts(),
              (QStringList{"Senha Inválida, Tente novamente!", "Usuário inválido. Tente novamente!",
                           "Senha Inválida, Tente novamente!"}));
    for (const auto& shown : dialogs_.messages())
        EXPECT_EQ(shown.request.title, QStringLiteral("Login"));
}

TEST_F(ManagerLoginTest, FieldRulesAreCheckedBeforeTheFiles) {
    setRule("txtUserName", "N0406Usuário");
    setRule("txtPassword", "N0506Senha");
    EXPECT_FALSE(login(QStringLiteral("MNG1"), QStringLiteral("1234")));
    EXPECT_FALSE(login(QStringLiteral("12"), QStringLiteral("1234")));
    setRule("txtUserName", " 0406Usuário");
    EXPECT_FALSE(login(QStringLiteral("MNG1"), QStringLiteral("1234")));
    EXPECT_FALSE(login(QStringLiteral("MNG1"), QStringLiteral("12A45")));
    EXPECT_EQ(dialogs_.texts(),
              (QStringList{"Usuário Inválido, digite apenas números. Tente novamente!",
                           "Usuário Inválido, digite pelo menos 4 caracteres. Tente novamente!",
                           "Senha Inválida, digite pelo menos 5 caracteres. Tente novamente!",
                           "Senha Inválida, digite apenas números. Tente novamente!"}));
    // The support user is not held to the user rule.
    setRule("txtUserName", "N0906Usuário");
    EXPECT_TRUE(ValidaUsuario(session_, QStringLiteral(" staff ")));
}

TEST_F(ManagerLoginTest, SupportUserInAnyCaseChecksTheSupportPassword) {
    session_.login.operadorLogado[1].texto = QStringLiteral("X");
    EXPECT_TRUE(login(QStringLiteral("staff"), QStringLiteral("suporte")));
    EXPECT_EQ(operador(), QStringLiteral("staff").leftJustified(20));
    EXPECT_TRUE(session_.login.operadorLogado[1].texto.isEmpty());
    EXPECT_FALSE(login(QStringLiteral("STAFF"), QStringLiteral("1234")));
    EXPECT_EQ(dialogs_.texts(), QStringList{"Senha Inválida. Tente novamente!"});
}

TEST_F(ManagerLoginTest, MngZeroEntryGrantsEveryLevelUntilTheLevelsOwnEntry) {
    auto permissionsFor = [this](const std::string& content, const char* user) {
        for (const std::string& name : filesLike("LT0001.S??"))
            std::remove(root_.native("C/Vantrix/" + name).c_str());
        writeChecksummed("LT0001.S", content);
        session_.login.permissao[1] = {};
        bool granted = ObtemPermissao(session_, QString::fromLatin1(user), {});
        return granted ? session_.login.permissao[1].switches : QStringLiteral("<refused>");
    };
    const std::string only0 = "000,MNG0,NSSSSSSSS,0000000000\r\n";
    EXPECT_EQ(permissionsFor(only0, "MNG3"), QStringLiteral("NSSSSSSSS"));
    EXPECT_EQ(permissionsFor(only0, "MNG5"), QStringLiteral("NSSSSSSSS"));
    // Before the level's entry MNG0 is replaced; after it, never read.
    const std::string before = only0 + "000,MNG3,SNSSSSSSS,0000000000\r\n";
    EXPECT_EQ(permissionsFor(before, "MNG3"), QStringLiteral("SNSSSSSSS"));
    const std::string after = "000,MNG3,SNSSSSSSS,0000000000\r\n000,MNG0,NNNNNNNNN,0000000000\r\n";
    EXPECT_EQ(permissionsFor(after, "MNG3"), QStringLiteral("SNSSSSSSS"));
    EXPECT_EQ(permissionsFor(after, "MNG2"), QStringLiteral("NNNNNNNNN"));
    // Only "MNG0" stands for every level; no entry at all refuses.
    EXPECT_EQ(permissionsFor("000,MNG3,SSSSSSSSS,0000000000\r\n", "MNG2"),
              QStringLiteral("<refused>"));
    EXPECT_TRUE(dialogs_.messages().empty());
    // An entry cut short by the end of the file is a fault, not a grant.
    EXPECT_EQ(permissionsFor("000,MNG3,SSSSSSSSS", "MNG3"), QStringLiteral("<refused>"));
}

TEST_F(ManagerLoginTest, MissingOrDamagedFilesFailEveryLogin) {
    const std::string up = filesLike("UP.S??").at(0);
    std::string bytes = readServerFile(up);
    bytes[25] = static_cast<char>(bytes[25] + 1);  // one character of MNG5's slot
    root_.writeFile("C/Vantrix/" + up, bytes);
    EXPECT_FALSE(login(QStringLiteral("MNG1"), QStringLiteral("1234")));
    std::remove(root_.native("C/Vantrix/" + up).c_str());
    EXPECT_FALSE(login(QStringLiteral("MNG1"), QStringLiteral("1234")));
    EXPECT_EQ(dialogs_.texts(), (QStringList{"Arquivo UP.Sxx corrompido ! Contatar o suporte !",
                                             "Arquivo UP.sxx não foi encontrado."}));
    EXPECT_EQ(dialogs_.messages().at(0).request.title, QStringLiteral("Atenção"));

    dialogs_.clear();
    const std::string lt = filesLike("LT0001.S??").at(0);
    root_.writeFile("C/Vantrix/" + lt, "001,SUPORTF\r\n");
    EXPECT_FALSE(login(QStringLiteral("STAFF"), QStringLiteral("SUPORTE")));
    EXPECT_EQ(dialogs_.texts().value(0),
              QStringLiteral("Arquivo de permissões corrompido ! Contatar o suporte !"));
    std::remove(root_.native("C/Vantrix/" + lt).c_str());
    dialogs_.clear();
    EXPECT_FALSE(login(QStringLiteral("STAFF"), QStringLiteral("SUPORTE")));
    EXPECT_EQ(
        dialogs_.texts().value(0),
        QStringLiteral("Ocorreu o erro: Arquivo C:\\VANTRIX\\LT0001.S?? não foi encontrado."));
}

TEST_F(ManagerLoginTest, LongPasswordIsStoredAsItsFirstSixCharacters) {
    session_.login.operadorLogado[1].usuario = QStringLiteral("MNG1");
    ASSERT_EQ(ConfirmaNovaSenha(session_, QStringLiteral("7654321"), QStringLiteral("7654321 ")),
              NovaSenhaResult::Confirmada);
    EXPECT_EQ(session_.login.novaSenha, QStringLiteral("7654321"));
    EXPECT_FALSE(login(QStringLiteral("MNG1"), QStringLiteral("7654321")));
    EXPECT_TRUE(login(QStringLiteral("MNG1"), QStringLiteral("765432")));
    // The other levels keep their passwords.
    // MNG5 has no permission entry: refused without a message.
    dialogs_.clear();
    EXPECT_FALSE(login(QStringLiteral("MNG5"), QStringLiteral("5555")));
    EXPECT_TRUE(dialogs_.messages().empty());
    bool found = false;
    QString mng5 = ObtemSenha(session_, QStringLiteral("MNG5"), found).trimmed();
    CriptografiaSenha(mng5, QStringLiteral("D"));
    EXPECT_EQ(mng5, QStringLiteral("5555"));
}

TEST_F(ManagerLoginTest, ChangingMng5DropsWhatFollowsItsSlot) {
    for (const std::string& name : filesLike("UP.S??"))
        std::remove(root_.native("C/Vantrix/" + name).c_str());
    writeChecksummed("UP.S", passwordLine({"1", "2", "3", "4", "5"}) + "TRAILER\r\n");
    ASSERT_TRUE(GravaSenha(session_, QStringLiteral("MNG5"), QStringLiteral("9")));
    ASSERT_TRUE(GravaSenha(session_, QStringLiteral("MNG1"), QStringLiteral("8")));
    const std::vector<std::string> files = filesLike("UP.S??");
    ASSERT_EQ(files.size(), 1u);
    const std::string expected = passwordLine({"8", "2", "3", "4", "9"});
    EXPECT_EQ(readServerFile(files[0]), expected + "\r\n");
    EXPECT_EQ(files[0], testing::checksummedName("UP.S", expected));
    EXPECT_FALSE(GravaSenha(session_, QStringLiteral("MNG6"), QStringLiteral("9")));
}

TEST_F(ManagerLoginTest, InitialPasswordForcesAChangeAndACancelledChangeRefuses) {
    session_.login.novaSenha = QStringLiteral("OLDER");  // from an earlier change
    EXPECT_FALSE(ValidaSenha(session_, QStringLiteral("MNG3"), QStringLiteral("470251"),
                             [this] { changeForms_++; }));
    EXPECT_EQ(changeForms_, 1);
    EXPECT_EQ(operador(), QString(20, u' '));

    bool changed = ValidaSenha(session_, QStringLiteral("MNG3"), QStringLiteral("470251"), [this] {
        EXPECT_EQ(operador().trimmed(), QStringLiteral("MNG3"));
        EXPECT_EQ(ConfirmaNovaSenha(session_, QStringLiteral("2468"), QStringLiteral("2468")),
                  NovaSenhaResult::Confirmada);
    });
    EXPECT_TRUE(changed);
    EXPECT_EQ(session_.login.permissao[1].switches, QStringLiteral("SSSSSSSSN"));
    EXPECT_FALSE(ValidaSenha(session_, QStringLiteral("MNG3"), QStringLiteral("470251"), {}));
    EXPECT_EQ(dialogs_.texts(), QStringList{"Senha Inválida, Tente novamente!"});
    EXPECT_TRUE(login(QStringLiteral("MNG3"), QStringLiteral("2468")));
    EXPECT_EQ(changeForms_, 1);
}

TEST_F(ManagerLoginTest, NewPasswordChecksComeBeforeAnyWrite) {
    session_.login.operadorLogado[1].usuario = QStringLiteral("MNG1");
    setRule("txtPassword", "N0406Senha");
    EXPECT_EQ(ConfirmaNovaSenha(session_, QStringLiteral("1111"), QStringLiteral("1112")),
              NovaSenhaResult::Recusada);
    EXPECT_EQ(ConfirmaNovaSenha(session_, QStringLiteral("470251"), QStringLiteral("470251")),
              NovaSenhaResult::Recusada);
    EXPECT_EQ(ConfirmaNovaSenha(session_, QStringLiteral("12a4"), QStringLiteral("12A4")),
              NovaSenhaResult::Recusada);
    EXPECT_EQ(ConfirmaNovaSenha(session_, QStringLiteral("123"), QStringLiteral("123")),
              NovaSenhaResult::Recusada);
    EXPECT_EQ(
        dialogs_.texts(),
        (QStringList{"A nova senha não confere!", "A Senha 470251  não é válida. Tente novamente!",
                     "Senha Inválida, digite apenas números. Tente novamente!",
                     "Senha Inválida, digite pelo menos 4 caracteres. Tente novamente!"}));
    EXPECT_TRUE(login(QStringLiteral("MNG1"), QStringLiteral("1234")));

    // Without UP.Sxx the change fails and nothing is written.
    for (const std::string& name : filesLike("UP.S??"))
        std::remove(root_.native("C/Vantrix/" + name).c_str());
    dialogs_.clear();
    EXPECT_EQ(ConfirmaNovaSenha(session_, QStringLiteral("9999"), QStringLiteral("9999")),
              NovaSenhaResult::NaoGravada);
    EXPECT_EQ(dialogs_.texts().last(), QStringLiteral("Alteração não realizada!"));
    EXPECT_TRUE(filesLike("UP.S??").empty());
    EXPECT_TRUE(filesLike(".*").empty());
}

}  // namespace
}  // namespace vtx::client
