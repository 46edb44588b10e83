// The journal as a station's support team and its client meet it, against
// vtx-hostsim over loopback: a sale left authorised is listed masked and
// annulled by hand with `vtx journal`; another is found by VtxClient when it
// starts, put to the operator ("Confirmar" / "Desfazer") and confirmed
// before the card screen opens.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "CommandRun.h"
#include "DemoStation.h"
#include "HostSimProcess.h"
#include "vtx/commlib/testing/StationHost.h"

namespace {

const std::string kVtx = std::string(VTX_BIN_DIR) + "/vtx";
const char* kCard = "6012000000000001";

using vtx::tool::test::Outcome;
const auto run = vtx::tool::test::runCommand;

class JournalCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = vtx::tool::test::startDemoStation(station_, "7890000000017;2;12,50;10,00;11,25;1\n");
    }

    // A sale the host authorised and nobody confirmed; its NSU.
    std::string saleLeftAuthorised() {
        const Outcome sale = run(kVtx + " sale --document 123456 --card " + kCard +
                                 " --products 'C:\\Vantrix\\products.csv'");
        EXPECT_EQ(sale.status, 0) << sale.out;
        std::smatch m;
        if (!std::regex_search(sale.out, m, std::regex("NSU: (\\d+)"))) return {};
        return m[1];
    }

    std::string hostState(const std::string& nsu) const {
        return host_->transactionState(std::string(6 - std::min<size_t>(6, nsu.size()), '0') + nsu);
    }

    std::string journalFile() const { return station_.root().native("C/Vantrix/VtxClient.jnl"); }

    vtx::cli::test::Station station_;
    std::unique_ptr<vtx::hostsim::HostSimProcess> host_;
};

TEST_F(JournalCommandTest, ASaleLeftAuthorisedIsListedMaskedAndAnnulledByHand) {
    const std::string nsu = saleLeftAuthorised();
    ASSERT_FALSE(nsu.empty());
    ASSERT_NE(hostState(nsu).find("state=pending"), std::string::npos) << hostState(nsu);

    const Outcome list = run(kVtx + " journal");
    EXPECT_EQ(list.status, 0) << list.out;
    EXPECT_NE(list.out.find("601200******0001"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("autorizada, não confirmada"), std::string::npos) << list.out;
    EXPECT_EQ(list.out.find(kCard), std::string::npos);

    const Outcome annul = run(kVtx + " journal annul " + nsu);
    EXPECT_EQ(annul.status, 0) << annul.out;
    EXPECT_NE(annul.out.find("-> desfeita"), std::string::npos) << annul.out;
    EXPECT_NE(hostState(nsu).find("state=reversed"), std::string::npos) << hostState(nsu);
    EXPECT_NE(run(kVtx + " journal").out.find("no open entry"), std::string::npos);
    EXPECT_EQ(run(kVtx + " journal annul " + nsu).status, 1);  // nothing open any more

    struct stat st {};
    ASSERT_EQ(::stat(journalFile().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600U);
    std::ifstream in(journalFile());
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(std::regex_search(text.str(), std::regex("\\d{11}"))) << text.str();
}

TEST_F(JournalCommandTest, VtxClientSettlesWhatWasLeftBeforeTheCardScreen) {
    const std::string nsu = saleLeftAuthorised();
    ASSERT_FALSE(nsu.empty());
    // The operator answers the question with its first button, "Confirmar".
    const Outcome client = run("QT_QPA_PLATFORM=offscreen VTX_AUTOANSWER=yes VTX_AUTOCLOSE_MS=500 " +
                               std::string(VTX_BIN_DIR) + "/VtxClient");
    EXPECT_EQ(client.status, 0) << client.out;
    const size_t asked = client.out.find("[Atenção] Transação pendente encontrada no diário");
    const size_t told = client.out.find(": confirmada");
    const size_t exit = client.out.find("[Atenção] Confirma a Saída do Sistema");
    ASSERT_NE(asked, std::string::npos) << client.out;
    EXPECT_NE(client.out.find("NSU " + std::string(6 - nsu.size(), '0') + nsu), std::string::npos)
        << client.out;
    ASSERT_NE(told, std::string::npos) << client.out;
    ASSERT_NE(exit, std::string::npos) << client.out;
    EXPECT_LT(asked, told);
    EXPECT_LT(told, exit);  // settled before the card screen could be left
    EXPECT_NE(hostState(nsu).find("state=confirmed"), std::string::npos) << hostState(nsu);
    size_t confirmations = 0;
    for (const std::string& line : host_->stateHistory(std::string(6 - nsu.size(), '0') + nsu))
        if (line.find("state=confirmed") != std::string::npos) ++confirmations;
    EXPECT_EQ(confirmations, 1U);

    // A second start finds nothing left.
    const Outcome again = run("QT_QPA_PLATFORM=offscreen VTX_AUTOANSWER=yes VTX_AUTOCLOSE_MS=200 " +
                              std::string(VTX_BIN_DIR) + "/VtxClient");
    EXPECT_EQ(again.status, 0) << again.out;
    EXPECT_EQ(again.out.find("Transação pendente"), std::string::npos) << again.out;
}

}  // namespace
