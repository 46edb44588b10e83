#include "core/IniAccess.h"
#include "messaging/MessageExchange.h"
#include "messaging/RequestBuilders.h"
#include "messaging/RequestFields.h"

namespace vtx::client {

bool Mensagem_Alteracao_Cadastral(ClientSession& session, const QString& distribuidora,
                                  const QString& administradora) {
    if (!MontaCamposComuns(session, QStringLiteral("0800"), QStringLiteral("388100"), {})) return false;
    detail::add(session, QStringLiteral("990-000"), distribuidora.trimmed());
    const int result = ProcessaMsg(session);
    if (result < 0) {
        if (result != kLibraryUnavailable) {
            mostraErro(session, QStringLiteral("Erro :  ") + session.RetornoMensagem +
                                    " - Contatar o suporte " + session.supportReference().trimmed() +
                                    " .");
        }
        return false;
    }
    if (!VerificaRetorno(session, true)) return false;
    if (!GravaLinhaArquivoIni(QStringLiteral("DADOS_GERAIS"),
                              QStringLiteral("DISTRIBUIDORA_") + administradora.trimmed(),
                              distribuidora.trimmed(), session.settings.clientIni())) {
        session.reporter.TrataErro(QStringLiteral("Mensagem_Alteracao_Cadastral"),
                                   QStringLiteral("75 - Path/File access error"));
        return false;
    }
    return true;
}

}  // namespace vtx::client
