// The communication library of the journal's kill tests: every exchange goes
// to the real library, and the exchanges of the request being watched are
// framed by step markers, one line each on standard output, flushed before
// the step is taken ("STEP before-send", "STEP in-flight", "STEP answered",
// with a prefix for a confirmation or annulment: "STEP confirm-answered").
// At the one step it is told to hold, it sleeps (bounded) before going on,
// so that a test killing the process knows where the kill lands.
//
// Thread-safety: the station's one thread.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "core/CommLibrary.h"

namespace vtx::client::test {

class SteppedCommLibrary : public CommLibrary {
public:
    SteppedCommLibrary(CommLibrary& real, std::string hold, std::chrono::seconds holdFor);

    // The exchanges that follow are marked, their steps named with `prefix`
    // ("" for the request, "confirm-" for its settlement); nullopt: unmarked.
    void watch(std::optional<std::string> prefix) { prefix_ = std::move(prefix); }

    // Prints the marker of `step` and holds there when it is the chosen one.
    void step(const std::string& step);

    std::optional<int> process(QString& exchange, QString& admin, const QString& service) override;
    std::optional<Price> getPreco(const QString& code, const QString& itemType,
                                  const QString& store, const Price& given) override;

private:
    CommLibrary& real_;
    std::string hold_;
    std::chrono::seconds holdFor_;
    std::optional<std::string> prefix_;
};

}  // namespace vtx::client::test
