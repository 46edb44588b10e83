#include "messaging/LoadedCommLibrary.h"

#include <cstring>
#include <string>
#include <vector>

#include "vtx/platform/Cp1252.h"
#include "vtx/platform/SharedLibrary.h"
#include "vx32_cli.h"

namespace vtx::client {
namespace {

using ProcessFn = int (*)(char*, const char*, const char*);
using GetPrecoFn = int (*)(const char*, const char*, char*, char*, char*, int);

constexpr size_t kAdminBuffer = 256;

std::string toBytes(const QString& text) { return platform::utf8ToCp1252(text.toStdString()); }

QString fromBytes(const char* bytes, size_t len) {
    return QString::fromStdString(platform::cp1252ToUtf8(std::string(bytes, strnlen(bytes, len))));
}

// A zero-terminated byte copy of `text` in a buffer of `size` bytes.
std::vector<char> buffer(const QString& text, size_t size) {
    std::vector<char> out(size, '\0');
    std::string bytes = toBytes(text);
    std::memcpy(out.data(), bytes.data(), std::min(bytes.size(), size - 1));
    return out;
}

}  // namespace

struct LoadedCommLibrary::Binding {
    std::unique_ptr<platform::SharedLibrary> library;
    ProcessFn process = nullptr;
    GetPrecoFn getPreco = nullptr;
};

LoadedCommLibrary::LoadedCommLibrary(QString installDir) : installDir_(std::move(installDir)) {}
LoadedCommLibrary::~LoadedCommLibrary() = default;

bool LoadedCommLibrary::bind() {
    if (binding_) return binding_->process != nullptr;
    binding_ = std::make_unique<Binding>();
    binding_->library = platform::SharedLibrary::load("VX32_CLI.dll", installDir_.toStdString());
    if (!binding_->library) return false;
    binding_->process = reinterpret_cast<ProcessFn>(binding_->library->symbol("Process"));
    binding_->getPreco = reinterpret_cast<GetPrecoFn>(binding_->library->symbol("GetPreco"));
    return binding_->process != nullptr;
}

std::optional<int> LoadedCommLibrary::process(QString& exchange, QString& admin,
                                              const QString& service) {
    if (!bind()) return std::nullopt;
    // The library's request buffer: framed message, terminator.
    std::vector<char> request = buffer(exchange, VX_BUFFER_SIZE);
    std::vector<char> adminBytes = buffer(admin, kAdminBuffer);
    std::string svc = toBytes(service);
    int result = binding_->process(request.data(), adminBytes.data(), svc.c_str());
    exchange = fromBytes(request.data(), request.size());
    admin = fromBytes(adminBytes.data(), adminBytes.size());
    return result;
}

std::optional<CommLibrary::Price> LoadedCommLibrary::getPreco(const QString& code,
                                                              const QString& itemType,
                                                              const QString& /*store*/,
                                                              const Price& given) {
    if (!bind() || !binding_->getPreco) return std::nullopt;
    std::vector<char> c = buffer(code, 14);
    std::vector<char> t = buffer(itemType.isEmpty() ? QStringLiteral(" ") : itemType, 2);
    // The buffers hold what the screen has (description 40, prices 12,
    // blank-padded); the library overwrites the first 20 and 7 characters
    // when its price file has the product and leaves them otherwise.
    std::vector<char> description = buffer(given.description.leftJustified(40, u' ', true), 41);
    std::vector<char> gross = buffer(given.gross.leftJustified(12, u' ', true), 13);
    std::vector<char> net = buffer(given.net.leftJustified(12, u' ', true), 13);
    Price price;
    price.result = binding_->getPreco(c.data(), t.data(), description.data(), gross.data(),
                                      net.data(), 0);
    if (price.result == 0) {
        price.description = fromBytes(description.data(), 40);
        price.gross = fromBytes(gross.data(), 12);
        price.net = fromBytes(net.data(), 12);
    }
    return price;
}

}  // namespace vtx::client
