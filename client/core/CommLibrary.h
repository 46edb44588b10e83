// The client's view of the communication library: one exchange (`Process`)
// and the local price look-up (`GetPreco`), texts in QString. The messaging
// layer binds the real library (LoadedCommLibrary); tests give the session a
// fake.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <optional>

namespace vtx::client {

class CommLibrary {
public:
    virtual ~CommLibrary() = default;

    // Sends `exchange` (four digits of length, the message, blanks) for the
    // administrator `admin` with `service`. nullopt when the library or its
    // entry point cannot be reached; otherwise the library's result, with
    // `exchange` holding the returned buffer and `admin` what the library left
    // in it.
    virtual std::optional<int> process(QString& exchange, QString& admin,
                                       const QString& service) = 0;

    // The local price of `code` for `itemType`. `given` holds what the
    // screen has (description, gross and net in whole cents): the library's
    // buffers start with it and the library may overwrite them, so a station
    // without a local price file (the library answers "found" and leaves
    // them) keeps the host's prices. nullopt when the library cannot be
    // reached; otherwise the library's result (0 = found) and, when found,
    // the description and both prices as the buffers then hold them.
    struct Price {
        int result = -1;
        QString description;
        QString gross;
        QString net;
    };
    virtual std::optional<Price> getPreco(const QString& code, const QString& itemType,
                                          const QString& store, const Price& given) = 0;
};

}  // namespace vtx::client
