// SetaEstruturaPrincipal: fills the settings record at start-up.
//
// Reads, in this order (VtxClient.ini and CORE.INI are those of PathServer):
//   PathServer     WINVTXCORE.INI [CORE] "Path Server"      default: program folder
//   PathCore       WINVTXCORE.INI [CORE] "Path CORE"        default: program folder
//   TipoLog        VtxClient.ini [DADOS_GERAIS] "TipoLog"         default "M"
//   TituloMensagem VtxClient.ini [DADOS_GERAIS] "TituloMensagem"  default "ATENÇÃO"
//   CodigoEstab    CORE.INI [CONFIG] "ESTAB_CODE"                 required
//   (CodigoAcesso = kCodigoAcesso)
//   TimeOutLogin   VtxClient.ini [DADOS_GERAIS] "TimeOut_Login"   required
//   MsgIso         VtxClient.ini [DADOS_GERAIS] "bMsgIso"         required; true only for "Y"
//   TipoEstabDefault  [DADOS_GERAIS] "TIPOESTAB_Default"          default "1"
//   IdentificaCartaoDS [DADOS_GERAIS] "bIdentificaCartao_DS"      default "N"; "Y" sets it,
//                                                                 nothing clears it
// A failed read of any of these (LeLinhaArquivoIni false: a required key
// missing or empty, or any of them present with an empty value) makes the
// result false at once. Then, each falling back to its default when missing
// or empty:
//   FileAux        CORE.INI [CONFIG] "FILEAUX"            "" ; else ends in "\"
//   MsgApproval    [DADOS_GERAIS] "Msg_Approval"          ""
//   AlertaValBrId  [DADOS_GERAIS] "AlertaValBr_Id"        "NNN"
//   AlertaDescId   [DADOS_GERAIS] "AlertaDesc_Id"         "NNN"
//   LayoutArquivo  CORE.INI [CONFIG] "LayoutArquivo"      0
//   CodProcessamentoPreVenda [DADOS_GERAIS] "Cod_Processamento_Pre_Venda"  ""
// then MontaTela() (captions and LeitorType) and TipoEstab = TipoEstabDefault.
//
// Texts are trimmed and upper-cased; TipoLog keeps its first character.
// Paths configured Windows-style are upper-cased like every other text; a
// native path ("/opt/vantrix") keeps its case, since this file system tells
// case apart. Numbers take the numeric value of the text
// (NumericText.h); a number beyond its field's range is a run-time fault
// ("Overflow - 6"), reported through TrataErro under "SetaEstruturaPrincipal"
// with the result false.
//
// `programFolder` stands for the program's own folder (the default of both
// paths); empty means the folder of the running program.
//
// Thread-safety: the client's single thread.
#pragma once

#include <QString>

#include "core/CaptionTable.h"
#include "core/ErrorReporter.h"
#include "core/EstruturaPrincipal.h"

namespace vtx::client {

inline constexpr char kLocatorIni[] = "WINVTXCORE.INI";

// False means the configuration is unusable (the caller shows "Erro nos
// arquivos de configuração!" and ends).
bool SetaEstruturaPrincipal(EstruturaPrincipal& settings, CaptionTable& captions,
                            const ErrorReporter& reporter, const QString& programFolder = {});

}  // namespace vtx::client
