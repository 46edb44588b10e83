#include "core/TransactionJournal.h"

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <cstring>
#include <utility>

#include "core/Cp1252Text.h"
#include "vtx/platform/Paths.h"

namespace vtx::client {
namespace {

constexpr char kFormat[] = "J1";
constexpr char kTimeFormat[] = "yyyy-MM-ddTHH:mm:ss.zzz";
constexpr int kMaskAbove = 12;  // card numbers of 13 digits or more keep their first 6
constexpr int kFirstKept = 6;
constexpr int kLastKept = 4;

struct Named {
    const char* name;
    int value;
};

constexpr Named kKinds[] = {{"venda", static_cast<int>(JournalKind::Venda)},
                            {"cancelamento", static_cast<int>(JournalKind::Cancelamento)},
                            {"parcial", static_cast<int>(JournalKind::CancelamentoParcial)},
                            {"pendente", static_cast<int>(JournalKind::Pendente)}};
constexpr Named kOutcomes[] = {{"recusada", static_cast<int>(JournalOutcome::Recusada)},
                               {"confirmada", static_cast<int>(JournalOutcome::Confirmada)},
                               {"desfeita", static_cast<int>(JournalOutcome::Desfeita)},
                               {"liquidacao-recusada", static_cast<int>(JournalOutcome::LiquidacaoRecusada)},
                               {"nao-autorizada", static_cast<int>(JournalOutcome::NaoAutorizada)}};
constexpr Named kActors[] = {{"operador", static_cast<int>(JournalActor::Operador)},
                             {"inicio", static_cast<int>(JournalActor::Inicio)},
                             {"suporte", static_cast<int>(JournalActor::Suporte)}};

template <size_t N>
const char* nameOf(const Named (&table)[N], int value) {
    for (const Named& n : table)
        if (n.value == value) return n.name;
    return table[0].name;
}

template <size_t N>
std::optional<int> valueOf(const Named (&table)[N], const std::string& name) {
    for (const Named& n : table)
        if (name == n.name) return n.value;
    return std::nullopt;
}

// A value of a record: "%", "|" and line ends written as %XX.
std::string escape(const QString& value) {
    std::string out;
    for (char c : value.toStdString()) {
        if (c == '%' || c == '|' || c == '\n' || c == '\r') {
            static const char kHex[] = "0123456789ABCDEF";
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

QString unescape(std::string_view value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size()) {
            const std::string hex(value.substr(i + 1, 2));
            char* end = nullptr;
            const long byte = std::strtol(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 2) {
                out += static_cast<char>(byte);
                i += 2;
                continue;
            }
        }
        out += value[i];
    }
    return QString::fromStdString(out);
}

// The fields of a record, "key=value" after the format mark.
class Fields {
public:
    explicit Fields(const std::string& record) {
        size_t start = 0;
        bool first = true;
        while (start <= record.size()) {
            size_t end = record.find('|', start);
            if (end == std::string::npos) end = record.size();
            const std::string_view part(record.data() + start, end - start);
            if (first) {
                valid_ = part == kFormat;
                first = false;
            } else if (const size_t eq = part.find('='); eq != std::string_view::npos) {
                values_.emplace_back(std::string(part.substr(0, eq)), unescape(part.substr(eq + 1)));
            }
            start = end + 1;
        }
    }
    bool valid() const { return valid_; }
    bool has(const char* key) const {
        for (const auto& [k, v] : values_)
            if (k == key) return true;
        return false;
    }
    QString get(const char* key) const {
        for (const auto& [k, v] : values_)
            if (k == key) return v;
        return {};
    }

private:
    bool valid_ = false;
    std::vector<std::pair<std::string, QString>> values_;
};

class RecordText {
public:
    RecordText(const std::string& id, const char* event, const QDateTime& at) {
        text_ = std::string(kFormat) + "|id=" + id + "|ev=" + event +
                "|em=" + at.toString(QString::fromLatin1(kTimeFormat)).toStdString();
    }
    RecordText& add(const char* key, const QString& value) {
        text_ += std::string("|") + key + "=" + escape(value);
        return *this;
    }
    RecordText& context(const JournalRequest& r) {
        return add("tipo", QString::fromLatin1(nameOf(kKinds, static_cast<int>(r.kind))))
            .add("nsu", r.nsu)
            .add("orig", r.nsuOriginal)
            .add("cartao", journalCard(r.cartao))
            .add("total", r.total)
            .add("adm", r.administradora)
            .add("codadm", r.codigoAdministradora)
            .add("estab", QString::number(r.tipoEstab))
            .add("tela", r.tipoTransacao)
            .add("ptipo", r.pendenteTipo)
            .add("pstatus", r.pendenteStatus);
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

QString numericNsu(const QString& nsu) {
    QString digits = nsu.trimmed();
    qsizetype zeros = 0;
    while (zeros + 1 < digits.size() && digits.at(zeros) == u'0') ++zeros;
    return digits.mid(zeros);
}

// 16 letters (a-p, one per four random bits): an id holds no digits, so no
// scan of the file for card numbers can mistake it for one.
std::string newId() {
    quint64 bits = QRandomGenerator::system()->generate64();
    std::string id(16, 'a');
    for (char& c : id) {
        c = static_cast<char>('a' + (bits & 0xFU));
        bits >>= 4;
    }
    return id;
}

}  // namespace

QString journalCard(const QString& cartao) {
    QString digits;
    for (QChar c : cartao.trimmed()) {
        if (!c.isDigit()) break;
        digits += c;
    }
    const qsizetype n = digits.size();
    if (n > kMaskAbove)
        return digits.left(kFirstKept) + QString(n - kFirstKept - kLastKept, u'*') + digits.right(kLastKept);
    if (n > kLastKept) return QString(n - kLastKept, u'*') + digits.right(kLastKept);
    return QString(n, u'*');
}

bool sameNsu(const QString& a, const QString& b) {
    const QString x = numericNsu(a);
    return !x.isEmpty() && x == numericNsu(b);
}

QString journalKindName(JournalKind kind) {
    switch (kind) {
        case JournalKind::Venda:
            return QStringLiteral("Venda");
        case JournalKind::Cancelamento:
            return QStringLiteral("Cancelamento");
        case JournalKind::CancelamentoParcial:
            return QStringLiteral("Cancelamento parcial");
        case JournalKind::Pendente:
            return QStringLiteral("Transação pendente");
    }
    return {};
}

QString journalStateName(JournalState state) {
    switch (state) {
        case JournalState::AguardandoResposta:
            return QStringLiteral("sem resposta");
        case JournalState::Autorizada:
            return QStringLiteral("autorizada, não confirmada");
        case JournalState::Confirmando:
            return QStringLiteral("confirmação enviada");
        case JournalState::Desfazendo:
            return QStringLiteral("anulação enviada");
        case JournalState::Encerrada:
            return QStringLiteral("encerrada");
    }
    return {};
}

QString journalOutcomeName(JournalOutcome outcome) {
    switch (outcome) {
        case JournalOutcome::Nenhum:
            return {};
        case JournalOutcome::Recusada:
            return QStringLiteral("recusada");
        case JournalOutcome::Confirmada:
            return QStringLiteral("confirmada");
        case JournalOutcome::Desfeita:
            return QStringLiteral("desfeita");
        case JournalOutcome::LiquidacaoRecusada:
            return QStringLiteral("liquidação recusada pelo servidor");
        case JournalOutcome::NaoAutorizada:
            return QStringLiteral("não autorizada");
    }
    return {};
}

std::string TransactionJournal::pathFor(const EstruturaPrincipal& settings) {
    // PathServer is a station path ("C:\Vantrix"): the file is found where
    // the station's other files are, whatever the process's folder.
    return vtx::platform::resolve(toFileSystemPath(settings.serverFile(QString::fromLatin1(kFileName))));
}

TransactionJournal::TransactionJournal(std::string path)
    : log_(std::move(path), vtx::platform::kPrivateFileMode) {}

bool TransactionJournal::load() {
    const vtx::platform::RecordLogContent content = log_.read();
    if (content.error != 0) {
        lastError_ = QString::fromLocal8Bit(std::strerror(content.error));
        return false;
    }
    entries_.clear();
    records_.clear();
    damaged_ = content.damaged;
    for (const std::string& record : content.records) apply(record);
    return true;
}

JournalEntry* TransactionJournal::entry(const std::string& id) {
    for (JournalEntry& e : entries_)
        if (e.id == id) return &e;
    return nullptr;
}

const JournalEntry* TransactionJournal::find(const std::string& id) const {
    for (const JournalEntry& e : entries_)
        if (e.id == id) return &e;
    return nullptr;
}

const JournalEntry* TransactionJournal::findByNsu(const QString& nsu) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (sameNsu(nsu, it->nsu)) return &*it;
    return nullptr;
}

std::vector<JournalEntry> TransactionJournal::openEntries() const {
    std::vector<JournalEntry> open;
    for (const JournalEntry& e : entries_)
        if (e.open()) open.push_back(e);
    return open;
}

void TransactionJournal::apply(const std::string& record) {
    const Fields f(record);
    if (!f.valid()) return;
    const std::string id = f.get("id").toStdString();
    const std::string event = f.get("ev").toStdString();
    const QDateTime at = QDateTime::fromString(f.get("em"), QString::fromLatin1(kTimeFormat));
    JournalEntry* e = entry(id);
    if (f.has("tipo")) {
        if (e == nullptr) {
            entries_.emplace_back();
            e = &entries_.back();
            e->id = id;
            e->pedidoEm = at;
        }
        JournalRequest& r = e->request;
        r.kind = static_cast<JournalKind>(valueOf(kKinds, f.get("tipo").toStdString()).value_or(0));
        r.nsu = f.get("nsu");
        r.nsuOriginal = f.get("orig");
        r.cartao = f.get("cartao");
        r.total = f.get("total");
        r.administradora = f.get("adm");
        r.codigoAdministradora = f.get("codadm");
        r.tipoEstab = static_cast<qint16>(f.get("estab").toShort());
        r.tipoTransacao = f.get("tela");
        r.pendenteTipo = f.get("ptipo");
        r.pendenteStatus = f.get("pstatus");
        if (e->nsu.isEmpty()) e->nsu = r.nsu;
    }
    if (e == nullptr) return;  // a step of an entry this file no longer holds
    records_.emplace_back(id, record);
    e->atualizadoEm = at;
    if (f.has("status")) e->status = f.get("status");
    if (event == "pedido") {
        e->state = JournalState::AguardandoResposta;
        e->outcome = JournalOutcome::Nenhum;
        e->pedidoEm = at;
    } else if (event == "resposta") {
        if (!f.get("nsu").isEmpty()) e->nsu = f.get("nsu");
        e->pelaConsulta = f.get("via") == QStringLiteral("consulta");
        if (f.get("res") == QStringLiteral("autorizada")) {
            e->state = JournalState::Autorizada;
        } else {
            e->state = JournalState::Encerrada;
            e->outcome = JournalOutcome::Recusada;
        }
    } else if (event == "confirmando" || event == "desfazendo") {
        e->state = event == "confirmando" ? JournalState::Confirmando : JournalState::Desfazendo;
        e->outcome = JournalOutcome::Nenhum;
    } else if (event == "encerrada") {
        e->state = JournalState::Encerrada;
        e->outcome = static_cast<JournalOutcome>(
            valueOf(kOutcomes, f.get("fim").toStdString()).value_or(static_cast<int>(JournalOutcome::Recusada)));
    }
}

QDateTime TransactionJournal::now() const {
    return clock_ != nullptr ? clock_() : QDateTime::currentDateTime();
}

bool TransactionJournal::write(const std::string& record) {
    const int err = log_.append(record);
    if (err != 0) {
        lastError_ = QString::fromStdString(log_.path()) + QStringLiteral(": ") +
                     QString::fromLocal8Bit(std::strerror(err));
        return false;
    }
    apply(record);
    return true;
}

std::optional<std::string> TransactionJournal::pedido(const JournalRequest& request) {
    std::string id;
    if (!request.nsu.trimmed().isEmpty()) {
        for (const JournalEntry& e : entries_) {
            if (e.state == JournalState::AguardandoResposta && e.request.kind == request.kind &&
                sameNsu(e.nsu, request.nsu))
                id = e.id;
        }
    }
    if (id.empty()) id = newId();
    const QDateTime now = this->now();
    if (!write(RecordText(id, "pedido", now).context(request).text())) return std::nullopt;
    return id;
}

bool TransactionJournal::resposta(const std::string& id, bool autorizada, const QString& nsu,
                                  const QString& status, bool pelaConsulta) {
    const QDateTime now = this->now();
    return write(RecordText(id, "resposta", now)
                     .add("res", autorizada ? QStringLiteral("autorizada") : QStringLiteral("recusada"))
                     .add("nsu", nsu)
                     .add("status", status)
                     .add("via", pelaConsulta ? QStringLiteral("consulta") : QStringLiteral("troca"))
                     .text());
}

std::optional<std::string> TransactionJournal::liquidando(const QString& nsu, bool confirmar,
                                                          JournalActor actor,
                                                          const JournalRequest& context) {
    const QDateTime now = this->now();
    const char* event = confirmar ? "confirmando" : "desfazendo";
    const JournalEntry* known = findByNsu(nsu);
    std::string id = known != nullptr ? known->id : newId();
    RecordText record(id, event, now);
    record.add("por", QString::fromLatin1(nameOf(kActors, static_cast<int>(actor))));
    if (known == nullptr) {
        JournalRequest pending = context;
        pending.kind = JournalKind::Pendente;
        pending.nsu = nsu;
        record.context(pending);
    }
    if (!write(record.text())) return std::nullopt;
    return id;
}

bool TransactionJournal::encerra(const std::string& id, JournalOutcome outcome, const QString& status) {
    const QDateTime now = this->now();
    return write(RecordText(id, "encerrada", now)
                     .add("fim", QString::fromLatin1(nameOf(kOutcomes, static_cast<int>(outcome))))
                     .add("status", status)
                     .text());
}

bool TransactionJournal::compact(size_t keepClosed) {
    // The file is read again under its lock, so that records other
    // processes appended since our load() are kept.
    const int err = log_.rewrite([keepClosed](const std::vector<std::string>& records) {
        TransactionJournal all{std::string()};
        for (const std::string& record : records) all.apply(record);
        std::vector<std::string> dropped;
        size_t closed = 0;
        for (const JournalEntry& e : all.entries_)
            if (!e.open()) ++closed;
        size_t toDrop = closed > keepClosed ? closed - keepClosed : 0;
        for (const JournalEntry& e : all.entries_) {
            if (toDrop == 0) break;
            if (!e.open()) {
                dropped.push_back(e.id);
                --toDrop;
            }
        }
        std::vector<std::string> kept;
        for (const auto& [id, record] : all.records_)
            if (std::find(dropped.begin(), dropped.end(), id) == dropped.end()) kept.push_back(record);
        return kept;
    });
    if (err != 0) {
        lastError_ = QString::fromStdString(log_.path()) + QStringLiteral(": ") +
                     QString::fromLocal8Bit(std::strerror(err));
        return false;
    }
    return load();
}

}  // namespace vtx::client
