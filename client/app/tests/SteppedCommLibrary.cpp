#include "app/tests/SteppedCommLibrary.h"

#include <cstdio>
#include <thread>

namespace vtx::client::test {

SteppedCommLibrary::SteppedCommLibrary(CommLibrary& real, std::string hold,
                                       std::chrono::seconds holdFor)
    : real_(real), hold_(std::move(hold)), holdFor_(holdFor) {}

void SteppedCommLibrary::step(const std::string& step) {
    std::printf("STEP %s\n", step.c_str());
    std::fflush(stdout);
    if (step == hold_) std::this_thread::sleep_for(holdFor_);
}

std::optional<int> SteppedCommLibrary::process(QString& exchange, QString& admin,
                                               const QString& service) {
    if (!prefix_) return real_.process(exchange, admin, service);
    const std::string prefix = *prefix_;
    // Recorded in the journal, not yet handed to the library.
    step(prefix + "before-send");
    // Not held (the driver refuses it as a hold): a test makes the host slow
    // to answer this kind of request and kills the process while the
    // library waits.
    step(prefix + "in-flight");
    const std::optional<int> result = real_.process(exchange, admin, service);
    // Answered; the journal not yet told.
    step(prefix + "answered");
    return result;
}

std::optional<CommLibrary::Price> SteppedCommLibrary::getPreco(const QString& code,
                                                               const QString& itemType,
                                                               const QString& store,
                                                               const Price& given) {
    return real_.getPreco(code, itemType, store, given);
}

}  // namespace vtx::client::test
