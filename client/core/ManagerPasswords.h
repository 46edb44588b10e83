// The manager password file UP.Sxx in PathServer: one line of five 6-character
// slots, each the scrambled password (PasswordScrambler.h) of one manager
// level, blank padded on the right:
//   characters  1-6  "MNG1"     13-18 "MNG3"     25-30 "MNG5"
//               7-12 "MNG2"     19-24 "MNG4"
// The last two characters of the file name are the checksum of the line
// (CheckSum.h); a rewrite renames the file (FileReplacement.h).
//
// Thread-safety: the client's single thread.
#pragma once

#include <QString>

#include "core/ClientSession.h"

namespace vtx::client {

inline constexpr char kUpPattern[] = "UP.S??";
inline constexpr int kPasswordSlotWidth = 6;

// The 1-based slot of a manager level ("MNG1" to "MNG5", trimmed, exact
// case); 0 for any other name.
int passwordSlotOf(const QString& level);

// The scrambled password of `level`: its slot in the last item of the file
// (empty when the level is not one of the five). `found` is false, with an
// error box titled "Atenção", when the file is missing ("Arquivo UP.sxx não
// foi encontrado.") or its checksum is wrong ("Arquivo UP.Sxx corrompido !
// Contatar o suporte !"); a read fault goes to TrataErro with found false.
QString ObtemSenha(ClientSession& session, const QString& level, bool& found);

// Stores `newPassword` (upper-cased, scrambled, cut or blank padded to 6) in
// the slot of `level`. Characters before the slot stay; after it they stay for
// "MNG1" to "MNG4" and are dropped for "MNG5". The file is then rewritten
// under its new checksum name. False, nothing written, when the level is not
// one of the five, the file is missing (reported through TrataErro) or its
// checksum is wrong (error box "Arquivo <path> corrompido ! Contatar o suporte
// !" titled "Atenção").
bool GravaSenha(ClientSession& session, const QString& level, const QString& newPassword);

}  // namespace vtx::client
