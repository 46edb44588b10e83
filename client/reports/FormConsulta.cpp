#include "reports/FormConsulta.h"

#include <QPushButton>

#include "field/LeadingNumber.h"
#include "messaging/MessageExchange.h"
#include "messaging/RequestBuilders.h"
#include "messaging/ReportFiles.h"
#include "reports/JournalMarks.h"
#include "widgets/GridView.h"
#include "widgets/Hourglass.h"

namespace vtx::client::reports {
namespace {

const QString kFormConsultaTitle = QStringLiteral("Atenção");

// The host's own verdict: a status of 40 or more refuses, also in a
// confirmation answer, which the exchange accepts whatever its status.
bool hostAccepted(ClientSession& session) {
    // Nothing sent, or no answer from the host.
    if (session.resultadoTroca < 0 || session.RetornoMensagem.isEmpty()) return false;
    if (answerSaysAlreadySettled(session)) return true;  // its first answer was lost
    const QString status = GetCampo(session, QStringLiteral("009-000"));
    return status.isEmpty() || leadingNumber(status) < 40;
}

}  // namespace

FormConsulta::FormConsulta(ClientSession& session, Printer* printer, ReportHost host,
                           QWidget* parent)
    : ReportScreen(QStringLiteral("FormConsulta"), QStringLiteral("spdLote"), session, printer,
                   std::move(host), parent) {
    setWindowTitle(QStringLiteral("Transações Pendentes"));
    const CaptionEntry confirma = caption(QStringLiteral("cmdConfirmaTrans_Caption"));
    const CaptionEntry anula = caption(QStringLiteral("cmdAnulaTrans_Caption"));
    cmdConfirmaTrans_ = addButton(
        QStringLiteral("cmdConfirmaTrans"),
        confirma.caption.isEmpty() ? QStringLiteral("&Confirma Transação") : confirma.caption);
    cmdAnulaTrans_ =
        addButton(QStringLiteral("cmdAnulaTrans"),
                  anula.caption.isEmpty() ? QStringLiteral("&Anula Transação") : anula.caption);
    cmdConfirmaTrans_->setEnabled(confirma.enabled());
    cmdAnulaTrans_->setEnabled(anula.enabled());
    connect(cmdConfirmaTrans_, &QPushButton::clicked, this, [this] { cmdConfirmaTrans_Click(); });
    connect(cmdAnulaTrans_, &QPushButton::clicked, this, [this] { cmdAnulaTrans_Click(); });

    session.tipoTransacao = QStringLiteral("TRANSACOESPENDENTES");
    const EstruturaPrincipal& s = session.settings;
    carregaRelatorio(
        QStringLiteral("Vantorix Client      Tela 0007 - Transações Pendentes    "),
        QStringLiteral("TRANSACOESPENDENTES"),
        reportFilePattern(ReportFileKind::TransacoesPendentes, s.TipoEstab, s.CodigoAdministradora));
    marcaDiario();
}

void FormConsulta::marcaDiario() {
    if (session_.journal == nullptr || !session_.journal->load()) return;
    if (marcaTransacoesDoDiario(grid(), *session_.journal, 2) > 0) spd_->refresh();
}

void FormConsulta::CarregaDadosNSU() {
    const int row = grid().activeRow();
    dados_ = DadosNSU{};
    if (row >= 1) {
        dados_.tipo = grid().text(row, 1);
        dados_.nsu = grid().text(row, 2);
        dados_.status = grid().text(row, 4);
        dados_.coluna6 = grid().text(row, 6);
        dados_.coluna7 = grid().text(row, 7);
    }
    session_.pendente.tipo = dados_.tipo;
    session_.pendente.status = dados_.status;
    session_.nsu = dados_.nsu;
}

void FormConsulta::processa(QPushButton* button, bool (*envia)(ClientSession&),
                            const QString& sucesso, const QString& falha) {
    if (grid().maxRows() == 0) {
        session_.dialogs.message(QStringLiteral("Não existem transações pendentes."), kFormConsultaTitle,
                                 MessageIcon::Information);
        return;
    }
    button->setEnabled(false);
    setHourglass(true);
    CarregaDadosNSU();
    session_.tipoTransacao = QStringLiteral("TRANSACOESPENDENTES");
    session_.resultadoTroca = kLibraryUnavailable;  // until a message goes out
    // The builders count a reversal that could not be sent, and a refused
    // confirmation, as done; the operator is told only what the host accepted.
    const bool ok = envia(session_) && hostAccepted(session_);
    setHourglass(false);
    session_.dialogs.message(ok ? sucesso : falha, kFormConsultaTitle,
                             ok ? MessageIcon::Information : MessageIcon::Critical);
    button->setEnabled(true);
    marcaDiario();
    spd_->setFocus();
}

void FormConsulta::cmdConfirmaTrans_Click() {
    processa(cmdConfirmaTrans_, &Mensagem_Confirmacao,
             QStringLiteral("Confirmação efetuada com sucesso!"),
             QStringLiteral("Confirmação não foi efetuada com sucesso!"));
}

void FormConsulta::cmdAnulaTrans_Click() {
    processa(cmdAnulaTrans_, &Mensagem_Anulacao, QStringLiteral("Anulação efetuada com sucesso!"),
             QStringLiteral("Anulação não foi efetuada com sucesso!"));
}

bool FormConsulta::teclaFuncao(int key) {
    if (key == Qt::Key_F3) return pressiona(cmdConfirmaTrans_);
    if (key == Qt::Key_F4) return pressiona(cmdAnulaTrans_);
    return false;
}

}  // namespace vtx::client::reports
