// EstruturaPrincipal: the client's settings record, filled once at start-up by
// SetaEstruturaPrincipal() and then read (never re-read from disk) by every
// part of the client. The last five fields are session state that the
// screens set.
//
// Where the values come from (see SetaEstruturaPrincipal.h for the rules):
// - WINVTXCORE.INI in the Windows directory, [CORE]: "Path Server" and
//   "Path CORE".
// - VtxClient.ini in PathServer (the installation directory, not the Windows
//   directory), [DADOS_GERAIS]: the client's own keys; the same file holds
//   the caption sections (CaptionTable.h) and the keys the client writes
//   ("Ultimo_Login", "DISTRIBUIDORA_..."). See clientIni().
// - CORE.INI in PathServer, [CONFIG]: ESTAB_CODE, FILEAUX, LayoutArquivo;
//   CORE.INI in PathCore, [CONFIG]: LEITOR_TYPE (read by MontaTela).
//
// Paths are kept as configured: Windows-style ("C:\VANTRIX") or native.
//
// Thread-safety: a plain value; the client's single thread owns it.
#pragma once

#include <QString>

namespace vtx::client {

// The fixed access code, sent in field 941-000 of every request.
inline constexpr char kCodigoAcesso[] = "T4N8B6QX";

// Values of TipoEstab, the index of every per-type table.
inline constexpr qint16 kTipoEstabEstabelecimento = 1;
inline constexpr qint16 kTipoEstabRede = 2;
inline constexpr qint16 kTipoEstabDistribuidor = 3;

struct EstruturaPrincipal {
    QString PathServer;               // installation directory: VtxClient.ini, CORE.INI, data files
    QString PathCore;                 // folder of the CORE.INI that holds LEITOR_TYPE
    QString TipoLog;                  // one character; "M" makes TrataErro show boxes
    QString TituloMensagem;           // first part of the title of every error box
    QString CodigoEstab;              // establishment code, field 942-000
    QString CodigoAcesso;             // kCodigoAcesso once loaded, field 941-000
    qint32 TimeOutLogin = 0;          // minutes before the logon reminder
    bool MsgIso = false;              // request variant: ISO 8583 when true
    qint16 TipoEstabDefault = 0;      // establishment type selected at start
    bool IdentificaCartaoDS = false;  // card-identification variant of the sale flows
    QString FileAux;                  // folder for the sale confirmation, ends in "\" or empty
    QString MsgApproval;              // approval text of the sale confirmation
    QString PendenteAoIniciar;        // what to do with a transaction left authorised:
                                      // "PERGUNTAR" (default), "DESFAZER", "CONFIRMAR"
    QString AlertaValBrId;            // gross-price alert switches
    QString AlertaDescId;             // discount alert switches
    qint16 LayoutArquivo = 0;         // layout of the point-of-sale export file
    QString CodProcessamentoPreVenda;  // processing code of the pre-sale request
    qint16 LeitorType = 0;             // card reader type
    qint16 TipoEstab = 0;              // current establishment type, 1 to 3
    QString TelaAtual;                 // name of the current screen
    qint16 AdmSelecionada = 0;         // 1-based index into TabelaOperadoras; 0 = none
    QString NomeAdministradora;        // trimmed name of the chosen administrator, field 040-000
    QString CodigoAdministradora;      // trimmed 8-character code of the chosen administrator

    // Windows-style path of a file in the installation directory
    // (PathServer + "\" + name).
    QString serverFile(const QString& name) const;

    // PathServer + "\VtxClient.ini": the client's settings and captions.
    QString clientIni() const { return serverFile(QStringLiteral("VtxClient.ini")); }

    // PathServer + "\CORE.INI".
    QString serverCoreIni() const { return serverFile(QStringLiteral("CORE.INI")); }

    // PathCore + "\CORE.INI".
    QString coreIni() const;
};

}  // namespace vtx::client
