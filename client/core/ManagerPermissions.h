// The permission file LT0001.Sxx in PathServer, read as delimited items
// (DelimitedItems.h), with two kinds of entry:
//   000, <operator>, <nine switches>, <10-character item>
//        operator: a manager level, or "MNG0" for the entry every level gets
//   001, <support password in plain text>
// The last two characters of the file name are the checksum of its text.
//
// Thread-safety: the client's single thread.
#pragma once

#include <QString>

#include "core/ClientSession.h"

namespace vtx::client {

inline constexpr char kLtPattern[] = "LT0001.S??";
inline constexpr char kSupportUser[] = "STAFF";

// For a manager: true when the file has an entry for `user` or a "MNG0"
// entry, and the switches and item of that entry go into
// session.login.permissao[TipoEstab]. The scan stops at the user's own entry;
// a "MNG0" entry found first is replaced by the user's, or by a later "MNG0".
// For the support user "STAFF": true when the support password of the first
// "001" entry equals `password`, both trimmed and upper-cased.
// A missing file is reported through TrataErro ("Arquivo " + PathServer +
// "\LT0001.S?? não foi encontrado."); a wrong checksum shows "Arquivo de
// permissões corrompido ! Contatar o suporte !" titled "Atenção"; an entry cut
// short by the end of the file is reported through TrataErro. Each gives false.
bool ObtemPermissao(ClientSession& session, const QString& user, const QString& password);

}  // namespace vtx::client
