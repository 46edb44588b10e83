// The process-wide state of the point-of-sale client, in one object passed
// to whoever needs it: the settings record, the tables, the message under
// construction and the last answer, the product lists of the request being
// built, the card, the transaction in progress, and the services every layer
// reports through (message boxes, error reporter, communication library,
// printer).
//
// Thread-safety: the client's user-interface thread only, like the state it
// stands for.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "core/CaptionTable.h"
#include "core/CommLibrary.h"
#include "core/Dialogs.h"
#include "core/ErrorReporter.h"
#include "core/EstruturaPrincipal.h"
#include "core/TabelaOperadoras.h"
#include "core/TransactionJournal.h"
#include "field/Mensagem.h"

namespace vtx::client {

class Printer;
class PriceSystem;

// The parallel product lists of the request being built, one entry per
// product, index 0 being the first product (the stored files count from 1).
struct ProductLists {
    QStringList codigo;
    QStringList descricao;
    QStringList tipoItem;
    QStringList quantidade;
    QStringList precoBruto;    // gross price, "0,00"
    QStringList precoLiquido;  // net price
    QStringList valorCredito;  // value to credit
    QStringList valorReceber;  // amount to collect at the shop
    QStringList desconto;      // discount
    QStringList complemento;
    QStringList status;
    int qtdProdutos = 0;  // the product count

    void clear();
    // Grows every list by one empty entry; the index of the new entry.
    int appendEmpty();
    // The entry of `list` at `index`, empty when the list is shorter.
    static QString at(const QStringList& list, int index);
};

// The card identified on the start screen.
struct CardRecord {
    QString numero;           // card number or track, trimmed, upper case
    QString identificacao1;   // identification field 1, trimmed, upper case
    QString identificacao2;   // identification field 2, trimmed, upper case
};

// The pending transaction chosen on the pending-transactions screen.
struct PendingTransaction {
    QString tipo;    // type code; its first two characters decide ("BC", "BE", other)
    QString status;  // "CANC." when cancelled
};

// The manager logged on for one establishment type: the user name (20
// characters, blank padded) and a text that the support login clears.
struct OperadorLogado {
    QString usuario;
    QString texto;
};

// The permission switches of the logged-on manager for one establishment
// type, as LT0001.Sxx gives them: nine one-character switches (off when "N")
// and the entry's 10-character item.
struct PermissaoOperador {
    QString switches;  // the nine switches, in order; empty before a login
    QString item;      // the 10-character item

    // Switch `position` (1 to 9) is on unless it reads "N"; a switch the
    // string does not reach is on too, as a switch string cut short reads blank.
    bool allows(int position) const {
        return position < 1 || position > switches.size() ||
               switches.at(position - 1) != QLatin1Char('N');
    }
};

// The manager login of the administrative functions.
struct ManagerLogin {
    static constexpr int kTypes = 3;
    // Index by TipoEstab (1 to 3); entry 0 is unused.
    std::array<OperadorLogado, kTypes + 1> operadorLogado;
    std::array<PermissaoOperador, kTypes + 1> permissao;
    bool loginEfetuado = false;  // LoginEfetuado: the last login dialog ended valid
    QString novaSenha;           // NovaSenha: set by a successful password change
};

class ClientSession {
public:
    ClientSession(Dialogs& boxes, CommLibrary& library)
        : dialogs(boxes), comm(library), reporter(settings, boxes) {}
    ClientSession(const ClientSession&) = delete;
    ClientSession& operator=(const ClientSession&) = delete;

    EstruturaPrincipal settings;
    CaptionTable captions;
    TabelaOperadoras operadoras;

    Mensagem mensagem;         // the message under construction
    QString RetornoMensagem;   // the last answer, or the error text of the last exchange
    // The library's result for the last message sent (ProcessaMsg): 0 or more
    // when the host answered, negative when the exchange failed or nothing
    // was sent.
    int resultadoTroca = -1;
    int qtdLinhasRecibo = 0;   // receipt lines of the last answer (ISO record offset)

    ProductLists produtos;
    CardRecord cartao;
    QString nsu;               // host transaction number echoed in later requests
    QString tipoTransacao;     // "VENDA", "PREVENDA", "TRANSACOESPENDENTES", ...
    PendingTransaction pendente;
    ManagerLogin login;
    QString maisItens;         // 900-000 of the last product query: more pages follow

    // The sale screens' mode flags: the pre-sale holds products read back
    // from a pre-authorisation (their prices and the complement are then
    // fixed), and the product being entered is new (chosen from the query
    // list) rather than a pre-sale row being edited.
    bool produtosLidos = false;
    bool novoProduto = false;

    Dialogs& dialogs;
    CommLibrary& comm;
    ErrorReporter reporter;
    Printer* printer = nullptr;
    // The pending-transaction journal of the station; nullptr: none kept.
    // The builders record in it every request the host holds and its
    // confirmation or annulment, and who sent them (`journalActor`).
    TransactionJournal* journal = nullptr;
    JournalActor journalActor = JournalActor::Operador;
    PriceSystem* priceSystem = nullptr;  // the external price system, when the station uses it
    QString lojaSistemaPrecos;           // store code of the external price system; "" = "0000"

    // The clock of the requests' date and time fields (tests set a fixed one).
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    // The support reference appended to error texts: the chosen
    // administrator's code in the operator table.
    QString supportReference() const;
};

}  // namespace vtx::client
