// The communication library itself, bound by its Windows name VX32_CLI.dll at
// the first call (the platform loader looks in the program's folder, then the
// installation directory, then the system path).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <memory>

#include "core/CommLibrary.h"

namespace vtx::client {

class LoadedCommLibrary : public CommLibrary {
public:
    explicit LoadedCommLibrary(QString installDir = {});
    ~LoadedCommLibrary() override;

    std::optional<int> process(QString& exchange, QString& admin, const QString& service) override;
    std::optional<Price> getPreco(const QString& code, const QString& itemType,
                                  const QString& store, const Price& given) override;

private:
    bool bind();

    struct Binding;
    QString installDir_;
    std::unique_ptr<Binding> binding_;
};

}  // namespace vtx::client
