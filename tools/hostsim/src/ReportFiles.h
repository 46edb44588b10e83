// The report and batch files a host leaves in a station's installation
// directory, built from the transactions of one establishment and
// administrator (doc/report-files.md, doc/hostsim.md "Station folder"):
//
//   SS SR SD  sales summary: one row per batch
//   FS FR FD  financial summary: the credit each batch gives the shop
//   TS TR TD  + "-" + batch (6 digits): the transactions of a batch
//   PS PR PD  + "-" + batch: the products sold in a batch
//   PT DR DD  + "-" + NSU (12 digits): the products of a transaction
//   TP        pending transactions (every establishment type), each with
//             the NSU it refers to, as the transactions of a batch have it
//
// The three prefixes of a report are the establishment types 1, 2 and 3;
// their files hold the same rows under a heading naming the type. Records
// are comma-separated cells, each a type letter and its content, every line
// ending with a comma and CR LF. Card numbers appear masked (first 6, last
// 4); texts lose any comma.
//
// Thread-safety: pure functions of the book they are given; call them under
// the ledger's lock.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "LedgerBook.h"

namespace vtx::hostsim {

struct ReportFile {
    std::string stem;     // the name before ".S" + check value: "TSDEMO0001-000001"
    std::string content;  // empty with `remove`
    bool remove = false;  // the report has nothing to show any more: its file goes
};

// What changed: the batches and transactions whose files are rebuilt. The
// summaries and the pending transactions are rebuilt every time.
struct ReportScope {
    std::set<long> batches;
    std::set<long> transactions;  // NSUs
};

// The transaction as the batch screen's type code shows it: "BE" a sale,
// "BC" a pre-authorisation (both with a product list); a cancellation has
// the code of the transaction it cancelled.
std::string pendingTypeCode(const Transaction& t, const LedgerBook& book);

// Whether the transaction is one the reports list: authorised, whatever
// happened to it since, but not reversed.
bool listedInReports(const Transaction& t);

// The files for `origin` within `scope`; empty when the administrator's
// code cannot be part of a file name (1 to 8 letters, digits, '-', '_').
std::vector<ReportFile> stationReports(const LedgerBook& book, const TransactionOrigin& origin,
                                       const ReportScope& scope);

}  // namespace vtx::hostsim
