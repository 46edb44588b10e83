// The names of the report files that the host's answers leave in the
// installation directory: a two-letter prefix chosen by the report and the
// establishment type, the administrator's code, an optional suffix, and
// ".S" + the two checksum characters (matched as "??").
//
// Thread-safety: pure functions.
#pragma once

#include <QString>

namespace vtx::client {

enum class ReportFileKind {
    ResumoVendas,         // sales summary: SS, SR, SD
    ResumoFinanceiro,     // financial summary: FS, FR, FD
    ProdutosTransacao,    // products of a transaction: PT, DR, DD + "-" + 12-digit NSU
    ProdutosLote,         // products of a batch: PS, PR, PD + "-" + 6-digit batch number
    TransacoesLote,       // transactions of a batch: TS, TR, TD + "-" + 6-digit batch number
    TransacoesPendentes,  // pending transactions: TP for every type
};

// The file pattern for `tipoEstab` (1 to 3) and the administrator's code
// (trimmed). `numero` is the transaction or batch number of the products
// and batch reports (its numeric value, zero-filled); other reports ignore
// it. The transactions of a batch take at most 8 characters of the code. Empty
// when the type has no file of that report.
QString reportFilePattern(ReportFileKind kind, int tipoEstab, const QString& codigoAdministradora,
                          const QString& numero = QString());

}  // namespace vtx::client
