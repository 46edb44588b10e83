#include <cstring>
#include <string>

#include "messaging/PriceSystem.h"
#include "messaging/prxlib32.h"
#include "vtx/platform/Cp1252.h"
#include "vtx/platform/SharedLibrary.h"

namespace vtx::client {
namespace {

using LogonFn = int (*)(const char*);
using CategFn = int (*)(const char*, const char*, PrxProduto*, unsigned char*, unsigned char*,
                        unsigned char*);
using EanFn = int (*)(const char*, const char*, PrxProduto*, unsigned char*, unsigned char*,
                      unsigned char*, char*, int);
using LogoffFn = int (*)();

constexpr int kAssociatedSize = 13 * 32;

std::string bytes(const QString& text) { return platform::utf8ToCp1252(text.toStdString()); }

QString text(const char* data, size_t len) {
    return QString::fromStdString(platform::cp1252ToUtf8(std::string(data, strnlen(data, len))));
}

void fill(const PrxProduto& in, unsigned char v1, unsigned char v2, unsigned char v3,
          PriceSystem::Registro& out) {
    out.descricao = text(in.descricao, sizeof in.descricao);
    out.preco = text(in.preco, sizeof in.preco);
    out.precoPromocional = text(in.precoPromocional, sizeof in.precoPromocional);
    out.codigo = text(in.codigo, sizeof in.codigo);
    out.valor1 = v1;
    out.valor2 = v2;
    out.valor3 = v3;
}

}  // namespace

struct LoadedPriceSystem::Binding {
    std::unique_ptr<platform::SharedLibrary> library;
    LogonFn logon = nullptr;
    CategFn categ = nullptr;
    EanFn ean = nullptr;
    LogoffFn logoff = nullptr;
};

LoadedPriceSystem::LoadedPriceSystem(QString installDir) : installDir_(std::move(installDir)) {}
LoadedPriceSystem::~LoadedPriceSystem() = default;

bool LoadedPriceSystem::bind() {
    if (!binding_) {
        binding_ = std::make_unique<Binding>();
        binding_->library = platform::SharedLibrary::load("PrxLib32.dll", installDir_.toStdString());
        if (binding_->library) {
            binding_->logon = reinterpret_cast<LogonFn>(binding_->library->symbol("PrxLogon"));
            binding_->categ =
                reinterpret_cast<CategFn>(binding_->library->symbol("PrxLeProdCategCompl"));
            binding_->ean = reinterpret_cast<EanFn>(binding_->library->symbol("PrxLeProdEAN"));
            binding_->logoff = reinterpret_cast<LogoffFn>(binding_->library->symbol("PrxLogoff"));
        }
    }
    return binding_->logon && binding_->categ && binding_->ean && binding_->logoff;
}

int LoadedPriceSystem::logon(const QString& codigo) {
    return bind() ? binding_->logon(bytes(codigo).c_str()) : -1;
}

int LoadedPriceSystem::leProdCategCompl(const QString& loja, const QString& produto, Registro& out) {
    if (!bind()) return -1;
    PrxProduto record{};
    unsigned char v1 = 0, v2 = 0, v3 = 0;
    int rc = binding_->categ(bytes(loja).c_str(), bytes(produto).c_str(), &record, &v1, &v2, &v3);
    if (rc == 0) fill(record, v1, v2, v3, out);
    return rc;
}

int LoadedPriceSystem::leProdEan(const QString& loja, const QString& produto, Registro& out) {
    if (!bind()) return -1;
    PrxProduto record{};
    unsigned char v1 = 0, v2 = 0, v3 = 0;
    char associated[kAssociatedSize + 1] = {};
    int rc = binding_->ean(bytes(loja).c_str(), bytes(produto).c_str(), &record, &v1, &v2, &v3,
                           associated, kAssociatedSize);
    if (rc == 0) {
        fill(record, v1, v2, v3, out);
        out.associados.clear();
        for (int at = 0; at + 13 <= kAssociatedSize; at += 13) {
            QString code = text(associated + at, 13).trimmed();
            if (!code.isEmpty()) out.associados << code;
        }
    }
    return rc;
}

int LoadedPriceSystem::logoff() { return bind() ? binding_->logoff() : -1; }

}  // namespace vtx::client
