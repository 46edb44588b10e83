#include "messaging/Amounts.h"
#include "messaging/PriceSystem.h"

namespace vtx::client {
namespace {

const QString kTitulo = QStringLiteral("ATENÇÃO !!");

enum class Variant { Categoria, Ean };

void aviso(ClientSession& session, const QString& text) {
    session.dialogs.message(text, kTitulo, MessageIcon::Warning);
}

// Logon, look-up, logoff; the outputs are cleared first and on failure.
bool lePreco(ClientSession& session, Variant variant, const QString& loja,
             const QString& produto, PrecoExterno& out) {
    out = PrecoExterno{};
    PriceSystem* system = session.priceSystem;
    if (!system) {
        aviso(session, QStringLiteral("Erro durante o Logon ao Brisco. A aplicação não pode "
                                      "retornar o preço."));
        return false;
    }
    if (system->logon(kCodigoLogonPrecos) != 0) {
        aviso(session, QStringLiteral("Erro durante o Logon ao Brisco. A aplicação não pode "
                                      "retornar o preço."));
        system->logoff();
        out = PrecoExterno{};
        return false;
    }
    PriceSystem::Registro record;
    const int rc = variant == Variant::Categoria ? system->leProdCategCompl(loja, produto, record)
                                                 : system->leProdEan(loja, produto, record);
    system->logoff();
    if (rc != 0) {
        aviso(session, QStringLiteral("Erro durante a leitura do preço do produto ou produto "
                                      "não encontrado."));
        out = PrecoExterno{};
        return false;
    }
    out.descricao = record.descricao.left(35);
    out.precoBruto = record.preco.trimmed();
    // The promotional price wins when it is a number above zero.
    auto promocional = amountValue(record.precoPromocional);
    const bool usaPromocional = !record.precoPromocional.trimmed().isEmpty() && promocional &&
                                *promocional > 0;
    out.precoLiquido = usaPromocional ? record.precoPromocional.trimmed() : out.precoBruto;
    out.codigo = record.codigo;
    out.valor1 = record.valor1;
    out.valor2 = record.valor2;
    out.valor3 = record.valor3;
    out.associados = record.associados;
    return true;
}

}  // namespace

bool lePrecoCategoria(ClientSession& session, const QString& loja, const QString& produto,
                      PrecoExterno& out) {
    return lePreco(session, Variant::Categoria, loja, produto, out);
}

bool lePrecoEan(ClientSession& session, const QString& loja, const QString& produto,
                PrecoExterno& out) {
    return lePreco(session, Variant::Ean, loja, produto, out);
}

}  // namespace vtx::client
