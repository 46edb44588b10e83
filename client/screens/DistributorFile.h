// The distributor file MF.Sxx of the installation directory (the last two
// characters of its name are the checksum of its content): text lines of
//   characters 1-8     administrator code
//   characters 9-108   up to five distributor names, 20 characters each
// Found with the wildcard "MF.S??" (first match in name order).
//
// Thread-safety: the client's user-interface thread only (it may report).
#pragma once

#include <QString>
#include <QStringList>

#include "core/ErrorReporter.h"
#include "core/EstruturaPrincipal.h"

namespace vtx::client {

struct DistributorList {
    enum class Outcome { Found, Missing, Corrupt, AdministratorNotFound };
    Outcome outcome = Outcome::Missing;
    QString path;       // the file found, as PathServer + "\" + its name
    QStringList names;  // Found: the names, trimmed; unused slots left out
};

// The distributors of the administrator whose code (trimmed, upper-cased)
// equals the first 8 characters of a line (trimmed, upper-cased).
DistributorList LeDistribuidoras(const EstruturaPrincipal& settings, const QString& codigo,
                                 const ErrorReporter& reporter);

}  // namespace vtx::client
