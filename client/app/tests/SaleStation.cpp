#include "app/tests/SaleStation.h"

#include <QLineEdit>
#include <filesystem>

#include "field/LeadingNumber.h"
#include "sale/FormPreVenda.h"
#include "screens/FormInicial.h"
#include "vtx/platform/IniFile.h"

namespace vtx::client::test {
namespace {

const char* const kCoreIni = "C:\\Vantrix\\CORE.INI";
const char* const kClientIni = "C:\\Vantrix\\VtxClient.ini";

void setIni(const char* file, std::string_view section, std::string_view key,
            std::string_view value) {
    ASSERT_TRUE(vtx::platform::iniWriteString(file, section, key, value)) << file << " " << key;
}

// A caption value: the same 35-character slot for the three establishment types.
std::string caption(const std::string& slot) {
    std::string one = slot;
    one.resize(35, ' ');
    return one + one + one;
}

// One line of the operator table: name (20), code (8), identification
// field 1 (kind, minimum, maximum, label of 20), fields 2 and 3 unused,
// final code.
std::string operatorLine(const std::string& name, const std::string& code,
                         const std::string& field1, const std::string& label) {
    auto padded = [](std::string text, size_t width) {
        text.resize(width, ' ');
        return text;
    };
    return padded(name, 20) + padded(code, 8) + field1 + padded(label, 20) + padded("", 25) +
           padded("", 25) + "00";
}

}  // namespace

void SaleStation::SetUp() {
    startHost();
    if (HasFatalFailure()) return;
    startAgent();
    if (HasFatalFailure()) return;
    writeClientSettings();
    if (HasFatalFailure()) return;
    startClient();
}

void SaleStation::TearDown() {
    // The screens go before the session they use.
    startup_.reset();
    principal_.reset();
    saleWindows_.reset();
    session_.reset();
}

void SaleStation::startHost() {
    vtx::hostsim::HostSimPort port;
    port.section = "host";
    port.port = vtx::hostsim::freeFourDigitPort();
    port.administrator = kAdministradora;
    station_.root().writeFile("hostsim/.keep", "");
    host_ = std::make_unique<vtx::hostsim::HostSimProcess>(
        station_.root().native("hostsim"), std::vector<vtx::hostsim::HostSimPort>{port});
    // The simulator's own catalogue and cards, in a copy of its data folder.
    const std::string data = station_.root().native("hostdata");
    std::filesystem::copy(VTX_SOURCE_DIR "/tools/hostsim/data", data,
                          std::filesystem::copy_options::recursive);
    host_->setDataFolder(data);
    host_->setStationFolder(station_.installDir());
    ASSERT_TRUE(host_->start()) << host_->error();
}

void SaleStation::startAgent() {
    // The route to the host with a time-out a loaded machine keeps.
    vtx::cli::RouteRecord route =
        vtx::cli::test::Station::route(kAdministradora, host_->port("host"));
    route.timeout = "20";
    station_.writeRoutes({route});
    station_.writeOperatorTable({operatorLine("REDE ALFA", kAdministradora, "N0310", "Matricula")});
    station_.setCore("CONFIG", "ESTAB_CODE", "000000000012345");
    station_.setCore("Config", "SOCKETBIN", "0");
    station_.setCore("Config", "ACESS_TYPE", "2");
    station_.setCore("LOCAL", "Address", "127.0.0.1");
    station_.setCore("LOCAL", "TimeOut", "30");
    station_.setCore("TCPIP PORTS", "Data Type", "N");
    station_.setCore("TCPIP PORTS", "Len Size", "4");
    station_.setCore("TCPIP PORTS", "ListenAddress", "127.0.0.1");
    // A free port may be taken between the look and the start: try again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int listen = vtx::linkagent::test::freeLoopbackPort();
        station_.setCore("TCPIP PORTS", "Port2Listen", std::to_string(listen));
        station_.setCore("LOCAL", "Port", std::to_string(listen));
        agent_ = std::make_unique<vtx::linkagent::test::AgentProcess>();
        ASSERT_TRUE(agent_->start());
        // The start-up logon of the permanent link ends before the first sale.
        if (agent_->waitForLine("READY") && agent_->waitForLine("logon: ")) return;
        agent_->stop(SIGKILL);
    }
    FAIL() << "LinkAgent did not start: " << agent_->errors();
}

void SaleStation::writeClientSettings() {
    setIni("WINVTXCORE.INI", "CORE", "Path CORE", vtx::cli::test::Station::kPathServer);
    std::filesystem::create_directories(installPath("Exporta"));
    station_.setCore("CONFIG", "FILEAUX", kFileAux);
    station_.setCore("CONFIG", "LayoutArquivo", "1");
    // The station's captions as an installation copies them.
    std::filesystem::copy_file(VTX_SOURCE_DIR "/client/app/station/VtxClient.ini",
                               installPath("VtxClient.ini"));
    setIni(kClientIni, "DADOS_GERAIS", "bMsgIso", GetParam() ? "Y" : "N");
    setIni(kClientIni, "DADOS_GERAIS", "ArquivoPDF", "C:\\Vantrix\\recibo.pdf");
    // The fiscal document: digits, 6 to 10 of them.
    setIni(kClientIni, "FormPreVenda", "lblUsuario", caption("N0610Nr Doc. Fiscal"));
}

void SaleStation::startClient() {
    session_ = std::make_unique<ClientSession>(dialogs_, comm_);
    session_->clock = &SaleStation::relogio;
    principal_ = std::make_unique<FormPrincipal>(*session_);
    principal_->setOnEncerra([this] { ++encerramentos_; });
    // The manager login is its own window's business (managers tests): here
    // it succeeds, with every permission.
    openers_.openLogin = [] { return true; };
    saleWindows_ = std::make_unique<SaleWindows>(*session_, *principal_, openers_);
    saleWindows_->plugInto(openers_);
    startup_ = std::make_unique<ClientStartup>(*session_, *principal_, openers_,
                                               GetTrackFunction{}, QStringLiteral("C:\\Vantrix"));
    ASSERT_TRUE(startup_->run()) << shown();
    // The logon reminder would open its window while a test waits.
    principal_->logonReminder().setEnabled(false);
    printer_ = widgets::QtPrinter::fromSettings(session_->settings);
    session_->printer = printer_.get();
    principal_->show();
    ASSERT_NE(startup_->cardScreen(), nullptr);
}

void SaleStation::identifica(const QString& cartao, const QString& campo1) {
    FormInicial* card = startup_->cardScreen();
    card->cmdConfirmaOper_Click();
    card->findChild<QLineEdit*>(QStringLiteral("txtCartao"))->setText(cartao);
    card->cmdConfirmaCartao_Click();
    card->findChild<QLineEdit*>(QStringLiteral("txtCampo1"))->setText(campo1);
}

sale::FormPreVenda* SaleStation::preVendaAberta() const {
    // The screens declare no meta-object of their own: found by their C++ type.
    for (QWidget* widget : principal_->findChildren<QWidget*>()) {
        auto* form = dynamic_cast<sale::FormPreVenda*>(widget);
        if (form != nullptr && !form->fechada()) return form;
    }
    return nullptr;
}

std::string SaleStation::shown() const {
    return (dialogs_.texts().join(QStringLiteral(" | ")) + QStringLiteral(" || forms: ") +
            dialogs_.forms().join(QStringLiteral(", ")))
        .toStdString();
}

std::string SaleStation::hostNsu(const QString& nsu) {
    return QString::number(leadingNumber(nsu)).rightJustified(6, u'0').toStdString();
}

std::string SaleStation::installPath(const std::string& relative) const {
    return station_.installDir() + "/" + relative;
}

QDateTime SaleStation::relogio() {
    return QDateTime(QDate(2026, 12, 8), QTime(10, 15, 30));
}

}  // namespace vtx::client::test
