// The names of the report files that the host's answers leave in the
// installation directory: a two-letter prefix chosen by the report and the
// establishment type, the administrator's code, an optional suffix, and
// ".S" + the two checksum characters (matched as "??").
//
// Thread-safety: pure functions.
#pragma once

#include <QString>

namespace vtx::client::reports {

enum class ReportKind {
    ResumoVendas,         // sales summary: SS, SR, SD
    ResumoFinanceiro,     // financial summary: FS, FR, FD
    ProdutosTransacao,    // products of a transaction: PT, DR, DD + "-" + 12-digit NSU
    ProdutosLote,         // products of a batch: PS, PR, PD + "-" + 6-digit batch number
    TransacoesPendentes,  // pending transactions: TP for every type
};

// The file pattern for `tipoEstab` (1 to 3) and the administrator's code
// (trimmed). `numero` is the transaction or batch number of the products
// reports (its numeric value, zero-filled); other reports ignore it. Empty
// when the type has no file of that report.
QString reportFilePattern(ReportKind kind, int tipoEstab, const QString& codigoAdministradora,
                          const QString& numero = QString());

}  // namespace vtx::client::reports
