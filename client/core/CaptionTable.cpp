#include "core/CaptionTable.h"

#include "core/IniAccess.h"
#include "core/NumericText.h"

namespace vtx::client {
namespace {

constexpr int kSlotWidth = 35;
constexpr int kCaptionWidth = 30;

std::vector<QString> keys(std::initializer_list<const char*> names) {
    std::vector<QString> out;
    for (const char* name : names) out.push_back(QString::fromLatin1(name));
    return out;
}

std::vector<CaptionSectionKeys> buildLayout() {
    return {
        {"FormPrincipal", keys({"mnuImprimir_Caption", "cmdSair_Caption"})},
        {"FormConsulta", keys({"cmdConfirmaTrans_Caption", "cmdAnulaTrans_Caption"})},
        {"FormLogin", keys({"txtUserName", "txtPassword", "cmdOk_Caption", "cmdCancel_Caption"})},
        {"FormNovaSenha",
         keys({"txtNovaSenha", "txtNovaSenha2", "cmdOk_Caption", "cmdCancel_Caption"})},
        {"FormComplementar",
         keys({"lblUsuario", "lblCodigoEstab", "lblNomeEstab", "lblNomeRede",
               "lblTransacoesPendentes", "lblUltimoLote", "lblFraIdentificacao", "lblAdmistradora",
               "CmdLogin_Caption", "CmdAlterarSenha_Caption", "CmdResumo_Caption",
               "CmdCanceltotal_Caption", "CmdPendentes_Caption", "CmdLogon_Caption",
               "CmdCadastro_Caption"})},
        {"FormResumo",
         keys({"lblLotesDias", "cmdTransacoesLote_caption", "cmdProdutosLote_caption"})},
        {"FormResumoProdutos", keys({"cmdCancelaItem_Caption"})},
        {"FormNsu",
         keys({"lblLote", "lblTotValorLiqVda", "lblTotValorRepos", "lblTotValorCredito",
               "lblTotValorDebito", "CmdCanceltotal_Caption", "cmdCancelParcial_Caption"})},
        {"FormPreVenda", keys({"lblUsuario", "lblTotVen", "lblTotCred", "lblTotBen", "lblnsu",
                               "cmdAdicionaProduto_Caption", "cmdConfirma_Caption",
                               "cmdExcluir_Caption", "cmdEditar_Caption"})},
        {"FormInicial",
         keys({"txtCartao", "BtnPreVenda", "cmdVenda", "cmdAdmin", "CmdConfirmaOper_Caption",
               "CmdConfirmaCartao_Caption", "BtnPreVenda_Caption", "CmdVenda_Caption",
               "CmdAdmin_Caption", "CmdLimpa_Caption", "fraSelecionaTipoEstab_Caption",
               "fraIdentifica_Caption", "optSelecaoEstab", "optSelecaoRede",
               "optSelecaoDistribuidor", "optLeitura", "optDigitacao"})},
        {"FormImpressao", keys({"lstImpressaoProdutos", "cmdAnula_Caption", "CmdConfirma_Caption",
                                "cmdImprimir_Caption"})},
        {"FormCadastro",
         keys({"fraSelecao", "lblAdministradora", "lblDistribuidora", "cmdConfirma"})},
        {"FormCancela", keys({"lblNSU", "cmdOk", "cmdCancel"})},
        {"FormSelecaoProduto",
         keys({"lblDescr_Produto", "lblFabricante", "lblQtd_Canc", "lblValDescPrd", "lblEmbalagem",
               "lblValBrtPrd", "lblValLiqPrd", "lblValCredPrd", "cmdOk_Caption",
               "cmdCancel_Caption"})},
        {"frmCancelaProdutos",
         keys({"lblProduto", "lblQtd", "cmdOk_Caption", "cmdCancel_Caption"})},
        {"FormConsultaProdutos",
         keys({"lblProduto", "CmdPesquisa_Caption", "CmdConfirma_Caption", "CmdRetorna_Caption"})},
    };
}

}  // namespace

CaptionEntry CaptionEntry::parseSlot(const QString& value, int tipoEstab) {
    CaptionEntry entry;
    if (tipoEstab < 1 || tipoEstab > CaptionTable::kTypes) return entry;
    QString slot = value.mid(kSlotWidth * (tipoEstab - 1), kSlotWidth);
    if (slot.isEmpty()) return entry;
    entry.flag = slot.left(1);
    entry.minLength = toInt16(valueOf(slot.mid(1, 2))).value_or(0);
    entry.maxLength = toInt16(valueOf(slot.mid(3, 2))).value_or(0);
    entry.caption = trimBlanks(slot.mid(5, kCaptionWidth));
    return entry;
}

const std::vector<CaptionSectionKeys>& CaptionTable::layout() {
    static const std::vector<CaptionSectionKeys> kLayout = buildLayout();
    return kLayout;
}

QString CaptionTable::idOf(const QString& section, const QString& key) {
    return section.toLower() + u'\n' + key.toLower();
}

void CaptionTable::setValue(const QString& section, const QString& key, const QString& value) {
    std::array<CaptionEntry, kTypes>& perType = entries_[idOf(section, key)];
    for (int type = 1; type <= kTypes; ++type)
        perType[static_cast<size_t>(type - 1)] = CaptionEntry::parseSlot(value, type);
}

CaptionEntry CaptionTable::entry(const QString& section, const QString& key, int tipoEstab) const {
    if (tipoEstab < 1 || tipoEstab > kTypes) return {};
    auto it = entries_.constFind(idOf(section, key));
    if (it == entries_.constEnd()) return {};
    return (*it)[static_cast<size_t>(tipoEstab - 1)];
}

std::vector<CaptionEntry> CaptionTable::record(const QString& section, int tipoEstab) const {
    std::vector<CaptionEntry> out;
    for (const CaptionSectionKeys& screen : layout()) {
        if (screen.section.compare(section, Qt::CaseInsensitive) != 0) continue;
        for (const QString& key : screen.keys) out.push_back(entry(section, key, tipoEstab));
    }
    return out;
}

}  // namespace vtx::client
