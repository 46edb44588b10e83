// Carrying the message under construction to the host and judging the
// answer: `ProcessaMsg`, `VerificaRetorno`, `ProcessaLogon`, and `GetCampo`
// over the session's answer buffer.
//
// Thread-safety: the client's user-interface thread only; one exchange at a
// time (the session's message and answer buffer are shared).
#pragma once

#include <QString>

#include "core/ClientSession.h"

namespace vtx::client {

inline constexpr int kExchangeSize = 3072;
inline constexpr int kLargestMessage = 3068;
// ProcessaMsg's result when the library cannot be reached or the message
// cannot be framed: the fault has been reported, the request was not sent.
inline constexpr int kLibraryUnavailable = -158;

inline const QString kTextoSemInternet = QStringLiteral("163- Não foi possível acessar a Internet");
inline const QString kTextoServidorFora = QStringLiteral("164- Servidor fora do Ar.");
inline const QString kTextoModuloCli = QStringLiteral("158 - Impossivel acessar Módulo VX32_Cli.dll");

// The operator's text for a negative library result: the two known codes,
// else "     Erro de conexão = " and the code ("-202").
QString connectionErrorText(int result);

// Sends the message under construction (ISO form when the settings say so).
// 0 or more: the answer is in RetornoMensagem. Negative: RetornoMensagem holds
// the text to show. kLibraryUnavailable: reported already, nothing sent, and
// RetornoMensagem holds the same text: under "ProcessaMsg" ("158 - Impossivel
// acessar Módulo VX32_Cli.dll") when the library cannot be reached or the
// message is longer than kLargestMessage; under "MontaMensagemIso" when a value
// does not fit its ISO bit.
int ProcessaMsg(ClientSession& session);

// True when the last answer accepts the transaction; shows the operator
// message (when `show`) and the error texts of the answer.
bool VerificaRetorno(ClientSession& session, bool show);

// The host's status for "already done" (field 009-000): a confirmation or
// annulment of a transaction it had confirmed or annulled already, whose
// first answer was lost. The station takes it as success.
inline const QString kStatusJaLiquidada = QStringLiteral("94");

// True when the last answer says so.
bool answerSaysAlreadySettled(ClientSession& session);

// The terminal logon ("LOGIN|"); true when accepted.
bool ProcessaLogon(ClientSession& session);

// A field of the last answer; a failed read is reported and reads empty.
QString GetCampo(ClientSession& session, const QString& key);

// The standard error box of the messaging layer (critical icon, "Atenção").
void mostraErro(ClientSession& session, const QString& text);

}  // namespace vtx::client
