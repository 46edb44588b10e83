// The external price system of the shop (library PrxLib32, interface in
// messaging/prxlib32.h), and the two look-ups the client makes
// through it: by category (`ProcessaPreco`) and by bar code (the pre-sale
// screen), each as one logon, look-up, logoff.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "core/ClientSession.h"

namespace vtx::client {

// What a look-up gives back.
struct PrecoExterno {
    QString descricao;   // 35 characters as returned
    QString precoBruto;  // the price
    QString precoLiquido;  // the promotional price when numeric and above 0, else the price
    QString codigo;      // the 2-character code, passed back uninterpreted
    quint8 valor1 = 0, valor2 = 0, valor3 = 0;
    QStringList associados;  // associated product codes (bar-code look-up only)
};

class PriceSystem {
public:
    virtual ~PriceSystem() = default;
    // Each returns the library's result: 0 success; -1 when the library or the
    // function cannot be reached.
    virtual int logon(const QString& codigo) = 0;
    struct Registro {
        QString descricao, preco, precoPromocional, codigo;
        quint8 valor1 = 0, valor2 = 0, valor3 = 0;
        QStringList associados;
    };
    virtual int leProdCategCompl(const QString& loja, const QString& produto, Registro& out) = 0;
    virtual int leProdEan(const QString& loja, const QString& produto, Registro& out) = 0;
    virtual int logoff() = 0;
};

// The library itself, bound by its Windows name PrxLib32.dll at the first call.
class LoadedPriceSystem : public PriceSystem {
public:
    explicit LoadedPriceSystem(QString installDir = {});
    ~LoadedPriceSystem() override;
    int logon(const QString& codigo) override;
    int leProdCategCompl(const QString& loja, const QString& produto, Registro& out) override;
    int leProdEan(const QString& loja, const QString& produto, Registro& out) override;
    int logoff() override;

private:
    struct Binding;
    bool bind();
    QString installDir_;
    std::unique_ptr<Binding> binding_;
};

// The fixed logon code of the price system.
inline const QString kCodigoLogonPrecos = QStringLiteral("PcLx****");

// The category look-up; false (after the warning box) when logon or look-up
// fail. Outputs are cleared first and on failure.
bool lePrecoCategoria(ClientSession& session, const QString& loja, const QString& produto,
                      PrecoExterno& out);

// The bar-code look-up, with the associated product codes.
bool lePrecoEan(ClientSession& session, const QString& loja, const QString& produto,
                PrecoExterno& out);

}  // namespace vtx::client
