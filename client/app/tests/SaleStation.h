// Test fixture: a whole shop station in a private VTX_ROOT, as an
// installation leaves it, with the client program wired as VtxClient wires
// it. vtx-hostsim keeps the host's transactions and writes the report and
// batch files into the installation directory; LinkAgent listens on
// loopback and relays the terminals' requests to it by the route file; the
// communication library reaches LinkAgent (CORE.INI access type 2). The
// client runs with the station's captions, the text or the ISO message form
// (the test's parameter), receipts printed to a PDF file and the
// point-of-sale export file written into a folder of the installation.
//
// The real main window, card screen, administrative menu, sale and report
// screens run on the offscreen platform; message boxes and modal screens go
// through ScriptedDialogs, whose form handlers play the operator.
//
// Thread-safety: the test's main (user-interface) thread only.
#pragma once

#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>
#include <memory>
#include <string>

#include "AgentProcess.h"
#include "HostSimProcess.h"
#include "app/SaleWindows.h"
#include "core/ClientSession.h"
#include "core/testing/ScriptedDialogs.h"
#include "messaging/LoadedCommLibrary.h"
#include "screens/ClientStartup.h"
#include "screens/FormPrincipal.h"
#include "screens/ScreenOpeners.h"
#include "vtx/commlib/testing/Station.h"
#include "widgets/QtPrinter.h"

namespace vtx::client::sale {
class FormPreVenda;
}

namespace vtx::client::test {

class SaleStation : public ::testing::TestWithParam<bool> {
protected:
    // The administrator of the station's operator table and of the host's port.
    static constexpr const char* kAdministradora = "ALFA0001";
    // The export folder as CORE.INI names it.
    static constexpr const char* kFileAux = "C:\\Vantrix\\Exporta";

    void SetUp() override;
    void TearDown() override;

    // The card screen's part: operator confirmed, card typed and confirmed,
    // identification field 1 typed.
    void identifica(const QString& cartao, const QString& campo1);
    // The pre-sale screen now open in the main window, or nullptr.
    sale::FormPreVenda* preVendaAberta() const;
    // Every box and modal screen shown since the last clear, for failures.
    std::string shown() const;

    // The NSU as the host's records write it (six digits).
    static std::string hostNsu(const QString& nsu);
    // A native path below the installation directory.
    std::string installPath(const std::string& relative) const;
    // The session's clock: fixed, so the export file's date is known.
    static QDateTime relogio();

    vtx::cli::test::Station station_;
    std::unique_ptr<vtx::hostsim::HostSimProcess> host_;
    std::unique_ptr<vtx::linkagent::test::AgentProcess> agent_;
    testing::ScriptedDialogs dialogs_;
    LoadedCommLibrary comm_;
    std::unique_ptr<ClientSession> session_;
    std::unique_ptr<FormPrincipal> principal_;
    ScreenOpeners openers_;
    std::unique_ptr<SaleWindows> saleWindows_;
    std::unique_ptr<ClientStartup> startup_;
    std::unique_ptr<widgets::QtPrinter> printer_;
    int encerramentos_ = 0;

private:
    void startHost();
    void startAgent();
    void writeClientSettings();
    void startClient();
};

}  // namespace vtx::client::test
