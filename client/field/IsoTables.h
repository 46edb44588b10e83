// The four tables of the ISO 8583 form of the field message, kept as the
// literal texts that every new message loads (see field-message.md beside this
// library's CMakeLists.txt), and the lookups over them.
//
// - kIsoBitTypes: 64 letters, one per bit from bit 1: "N" numeric, "A"
//   alphanumeric.
// - kIsoBitFormats: 64 two-character entries, bit b at characters 2b-1 and
//   2b: a two-digit fixed length, "2L" (LLVAR) or "3L" (LLLVAR).
// - kGroupBitMap: 42 six-digit entries "GGGBBB" (field group, ISO bit), in
//   catalogue order; groups 000, 013 and 014 have no bit.
// - kFieldCatalogue: 45 seven-character entries "GGGWWWT" (group, maximum
//   width, type letter). Held for reference; values are not checked against it.
//
// Thread-safety: constants and pure functions.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace vtx::client {

inline constexpr char kIsoBitTypes[] =
    "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNAAAANANAAAAAAAAANAAAAAAAAAAA";

inline constexpr char kIsoBitFormats[] =
    "082L06121212100808080606040406040404030303120303040401060324"  // bits 1-30
    "2L2L2L2L2L3L120602030815"                                      // bits 31-42
    "2L2L2L3L3L3L030303082L3L3L2L032L3L3L3L3L3L08";                 // bits 43-64

inline constexpr char kGroupBitMap[] =
    "001011002044003049004049005063007060009039011003012037015007"
    "022013023012028060029061030062040032900060901060902063903063"
    "904063905063906063909063910063911063912063914063919063920063"
    "921005922004940040941041942042948048949048953055980063981063"
    "982063990063";

inline constexpr char kFieldCatalogue[] =
    "000004N001006N002010N003012N004003A005070A007014N009002A011006N012012A"
    "013006N014010N015010N022004N023006N028002N029038A030099A040020A900001N"
    "901002N902013N903020A904020A905003N906001A909005N910007N911007N912007N"
    "914016A919002N920020A921012N922012N940003N941008A942015A948999A949999A"
    "953120A980006N981006N982004N990020N";

inline constexpr int kIsoBitCount = 64;

// The ISO bit of the group of `key` (its first 3 characters) in `groupBitMap`,
// looked up entry by entry; 0 when the group has no entry.
qint16 bitOfKey(QStringView groupBitMap, QStringView key);

// The two-character format entry of `bit` (1-64) in `bitFormats`; empty when
// the bit is outside the table.
QString formatOfBit(QStringView bitFormats, int bit);

// The type letter of `bit` (1-64) in `bitTypes`; a null QChar when outside.
QChar typeOfBit(QStringView bitTypes, int bit);

}  // namespace vtx::client
