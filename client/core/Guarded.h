// Runs a screen handler with its run-time faults trapped: a fault is
// reported through TrataErro under the handler's name, and the event's
// processing stops there while the program goes on.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <exception>
#include <new>

#include "core/ErrorReporter.h"

namespace vtx::client {

// True when `body` ran to its end.
template <class Body>
bool guarded(const ErrorReporter& reporter, const char* procedure, Body&& body) {
    try {
        body();
        return true;
    } catch (const std::bad_alloc&) {
        reporter.TrataErro(QString::fromLatin1(procedure), 7, QStringLiteral("Out of memory"));
    } catch (const std::exception& fault) {
        reporter.TrataErro(QString::fromLatin1(procedure), 5, QString::fromLocal8Bit(fault.what()));
    }
    return false;
}

}  // namespace vtx::client
