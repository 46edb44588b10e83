#include "ReportFiles.h"

#include <array>
#include <map>

#include "FieldText.h"
#include "ItemGroups.h"

namespace vtx::hostsim {
namespace {

constexpr long kCreditDays = 30;
constexpr long kFeePercent = 3;

// The heading of each establishment type's copy of a report.
constexpr std::array<const char*, 3> kTypeTitle = {"", " - Rede", " - Distribuidor"};

bool safeCode(const std::string& code) {
    return !code.empty() && code.size() <= 8 &&
           code.find_first_not_of(
               "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_-") ==
               std::string::npos;
}

// One record being written: cells of a type letter and content.
class Record {
public:
    explicit Record(std::string code) : line_(std::move(code) + ",") {}

    // A comma would end the cell and a line end the record: both become blanks.
    Record& text(std::string_view value) {
        std::string clean;
        for (char c : trimmed(value))
            clean += c == ',' || static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        return cell('A', clean);
    }
    Record& number(long value) { return cell('N', std::to_string(value < 0 ? 0 : value)); }
    Record& cents(long value) { return cell('M', std::to_string(value < 0 ? 0 : value)); }
    Record& date(std::time_t when, bool withTime) {
        std::tm local{};
        localtime_r(&when, &local);
        char text[16];
        std::strftime(text, sizeof text, withTime ? "%d%m%y%H%M%S" : "%d%m%y", &local);
        return cell('D', text);
    }
    // Column headings: a heading of "0" hides its column.
    Record& headings(std::initializer_list<const char*> names) {
        for (const char* name : names) cell('A', name);
        return *this;
    }
    std::string done() const { return line_ + "\r\n"; }

private:
    Record& cell(char type, const std::string& content) {
        line_ += type;
        line_ += content;
        line_ += ',';
        return *this;
    }
    std::string line_;
};

std::string heading(const std::string& title) {
    return "000,T" + title + ",\r\n";
}

struct Amounts {
    long units = 0;
    long gross = 0;
    long net = 0;
    long collect = 0;

    long credit() const { return net - collect; }  // what the administrator pays the shop
};

// The amounts of the items as authorised (remainingOnly false) or of the
// units not cancelled since (true).
Amounts amountsOf(const Transaction& t, bool remainingOnly) {
    Amounts a;
    for (const TransactionItem& item : t.items) {
        if (!item.product.authorised()) continue;
        const long units = remainingOnly ? item.remaining() : item.product.quantity;
        a.units += units;
        a.gross += units * item.product.gross;
        a.net += units * item.product.net;
        a.collect += units * item.product.collect;
    }
    return a;
}

std::string statusText(const Transaction& t) {
    const bool cancellation = t.kind == TransactionKind::kCancellation;
    switch (t.state) {
        case TransactionState::kPending:
            return cancellation ? "CANC." : t.cancelledUnits() > 0 ? "PARCIAL" : "PEND.";
        case TransactionState::kConfirmed:
            return !cancellation && t.cancelledUnits() > 0 ? "PARCIAL" : "CONF.";
        case TransactionState::kCancelled:
            return "CANCELADA";
        case TransactionState::kUsed:
            return "UTILIZADA";
        case TransactionState::kReplaced:
            return "SUBSTITUIDA";
        default:
            return std::string(stateName(t.state));
    }
}

std::string kindText(const Transaction& t) {
    switch (t.kind) {
        case TransactionKind::kSale:
            return "BE VENDA";
        case TransactionKind::kPreAuthorisation:
            return "BC PRE-AUTORIZACAO";
        case TransactionKind::kCancellation:
            return "CN CANCELAMENTO";
    }
    return "";
}

bool hasProducts(const Transaction& t) {
    return t.kind != TransactionKind::kCancellation;
}

// The stems of one report for the three establishment types.
std::array<std::string, 3> stems(const char* prefixes, const std::string& code,
                                 const std::string& suffix) {
    std::array<std::string, 3> out;
    for (size_t i = 0; i < 3; ++i) out[i] = std::string(prefixes + 2 * i, 2) + code + suffix;
    return out;
}

void addTyped(std::vector<ReportFile>& files, const char* prefixes, const std::string& code,
              const std::string& suffix, const std::string& title, const std::string& body) {
    const auto names = stems(prefixes, code, suffix);
    for (size_t i = 0; i < 3; ++i)
        files.push_back({names[i], heading(title + kTypeTitle[i]) + body, false});
}

void removeTyped(std::vector<ReportFile>& files, const char* prefixes, const std::string& code,
                 const std::string& suffix) {
    for (const std::string& stem : stems(prefixes, code, suffix)) files.push_back({stem, "", true});
}

std::string productColumns() {
    return Record("001")
        .headings({"NSU", "Data", "Lote", "0", "Codigo", "Fabricante", "0", "Descricao", "Tipo",
                   "Qtd", "Qtd Disponivel", "Valor Bruto", "Valor Liquido"})
        .done();
}

std::string productRows(const Transaction& t) {
    std::string rows;
    long number = 0;
    for (const TransactionItem& item : t.items) {
        if (!item.product.authorised()) continue;
        const ProductItem& p = item.product;
        rows += Record("002")
                    .number(t.nsu)
                    .date(t.opened, true)
                    .text(zeroFill(t.batch, 6))
                    .number(++number)
                    .text(itemValue(p, 902))
                    .text(p.manufacturer)
                    .text(p.status)
                    .text(p.description)
                    .text(p.type)
                    .number(p.quantity)
                    .number(item.remaining())
                    .cents(p.gross)
                    .cents(p.net)
                    .done();
    }
    return rows;
}

std::string transactionRow(const Transaction& t, const LedgerBook& book) {
    const Amounts a = amountsOf(t, false);
    const bool cancellation = t.kind == TransactionKind::kCancellation;
    return Record("002")
        .text(pendingTypeCode(t, book))
        .number(t.nsu)
        .date(t.opened, true)
        .text(maskedCard(t.card))
        .text(statusText(t))
        .text(kindText(t))
        .text(t.document)
        .number(t.linked)
        .number(a.units)
        .cents(t.kind == TransactionKind::kSale ? a.net : 0)
        .cents(t.kind == TransactionKind::kSale ? a.credit() : 0)
        .cents(cancellation ? a.net : 0)
        .cents(cancellation ? a.credit() : 0)
        .done();
}

struct BatchTotals {
    long transactions = 0;
    std::time_t opened = 0;
    Amounts sold;  // sales, less the units cancelled since
};

}  // namespace

std::string pendingTypeCode(const Transaction& t, const LedgerBook& book) {
    if (t.kind == TransactionKind::kSale) return "BE";
    if (t.kind == TransactionKind::kPreAuthorisation) return "BC";
    const Transaction* target = t.linked != 0 ? book.find(t.linked) : nullptr;
    return target != nullptr && target->kind == TransactionKind::kPreAuthorisation ? "BC" : "BE";
}

bool listedInReports(const Transaction& t) {
    return t.state != TransactionState::kOpen && t.state != TransactionState::kDeclined &&
           t.state != TransactionState::kReversed;
}

std::vector<ReportFile> stationReports(const LedgerBook& book, const TransactionOrigin& origin,
                                       const ReportScope& scope) {
    std::vector<ReportFile> files;
    const std::string& code = origin.administrator;
    if (!safeCode(code)) return files;
    const std::vector<const Transaction*> all = book.transactionsOf(origin);

    std::map<long, BatchTotals> batches;
    std::string pending;
    for (const Transaction* t : all) {
        if (!listedInReports(*t)) continue;
        BatchTotals& b = batches[t->batch];
        if (b.transactions++ == 0) b.opened = t->opened;
        if (t->kind == TransactionKind::kSale) {
            const Amounts a = amountsOf(*t, true);
            b.sold.units += a.units;
            b.sold.gross += a.gross;
            b.sold.net += a.net;
            b.sold.collect += a.collect;
        }
        if (t->state == TransactionState::kPending) {
            pending += Record("002")
                           .text(pendingTypeCode(*t, book))
                           .number(t->nsu)
                           .date(t->opened, true)
                           .text(t->kind == TransactionKind::kCancellation ? "CANC." : "PEND.")
                           .cents(amountsOf(*t, false).net)
                           .text(zeroFill(t->batch, 6))
                           .text(origin.establishment)
                           .number(t->linked)
                           .done();
        }
    }

    std::string sales = Record("001")
                            .headings({"Qtd", "Data", "Lote", "Situacao", "Valor Bruto",
                                       "Valor Liquido", "Valor Loja", "0"})
                            .done();
    std::string credits =
        Record("001")
            .headings({"Lote", "Data Credito", "Valor Bruto", "Taxa", "Valor Liquido", "Situacao"})
            .done();
    for (const auto& [number, b] : batches) {
        const bool closed = book.batchClosed(origin, number);
        sales += Record("002")
                     .number(b.transactions)
                     .date(b.opened, false)
                     .text(zeroFill(number, 6))
                     .text(closed ? "FECHADO" : "ABERTO")
                     .cents(b.sold.gross)
                     .cents(b.sold.net)
                     .cents(b.sold.collect)
                     .text(code)
                     .done();
        const long credit = b.sold.credit();
        const long fee = (credit * kFeePercent + 50) / 100;
        credits += Record("002")
                       .text(zeroFill(number, 6))
                       .date(b.opened + kCreditDays * 24 * 60 * 60, false)
                       .cents(credit)
                       .cents(fee)
                       .cents(credit - fee)
                       .text("PREVISTO")
                       .done();
    }
    addTyped(files, "SSSRSD", code, "", "Lotes do estabelecimento", sales);
    addTyped(files, "FSFRFD", code, "", "Creditos previstos", credits);
    files.push_back(
        {"TP" + code,
         heading("Transacoes pendentes") +
             Record("001")
                 .headings({"Tipo", "NSU", "Data", "Situacao", "Valor", "Lote", "Estabelecimento",
                            "NSU Original"})
                 .done() +
             pending,
         false});

    for (long number : scope.batches) {
        std::string transactions =
            Record("001")
                .headings({"Tipo", "NSU", "Data", "Cartao", "Situacao", "Transacao", "Documento",
                           "NSU Original", "Qtd", "Valor Venda", "Valor Credito", "Valor Reembolso",
                           "Valor Debito"})
                .done();
        std::string products = productColumns();
        for (const Transaction* t : all) {
            if (t->batch != number || !listedInReports(*t)) continue;
            transactions += transactionRow(*t, book);
            if (t->kind == TransactionKind::kSale) products += productRows(*t);
        }
        const std::string suffix = "-" + zeroFill(number, 6);
        addTyped(files, "TSTRTD", code.substr(0, 8), suffix,
                 "Transacoes do lote " + zeroFill(number, 6), transactions);
        addTyped(files, "PSPRPD", code, suffix, "Produtos do lote " + zeroFill(number, 6),
                 products);
    }

    for (const Transaction* t : all) {
        if (!scope.transactions.count(t->nsu) || !hasProducts(*t)) continue;
        const std::string suffix = "-" + zeroFill(t->nsu, 12);
        if (!listedInReports(*t)) {
            removeTyped(files, "PTDRDD", code, suffix);
            continue;
        }
        addTyped(files, "PTDRDD", code, suffix, "Produtos da transacao " + std::to_string(t->nsu),
                 productColumns() + productRows(*t));
    }
    return files;
}

}  // namespace vtx::hostsim
