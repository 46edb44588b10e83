// libppsim.so: a simulated PIN pad that exports both vendor entry-point
// families (see pinpad/include/vtx/pinpad/VendorApi.h), scripted by
// PPSIM.INI and recording every call (SimScript.h).
//
// The card read behaves like a device: the card arrives InsertAfterMs after
// the read starts. Meanwhile PP_iGetCard polls the station's abort function
// every 10 ms, and the Pin family answers busy (1); an abort ends the read
// with AbortStatus.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "CallRecord.h"
#include "SimScript.h"
#include "vtx/pinpad/VendorApi.h"

namespace {

using namespace vtx::pinpad;
using vtx::pinpadsim::record;
using vtx::pinpadsim::SimScript;
using vtx::pinpadsim::textArg;
using Clock = std::chrono::steady_clock;

constexpr auto kPoll = std::chrono::milliseconds(10);

// The device's state between calls of one read.
SimScript script;
int busyLeft = 0;
Clock::time_point cardArrives;

// The script as it is now: a test may change it between two calls.
const SimScript& current() {
    script = SimScript::load();
    return script;
}

void log(const std::string& line) { record(current().recordFile, line); }

std::string num(long value) { return std::to_string(value); }

void copyText(char* out, const std::string& text) {
    if (!out) return;
    const size_t n = std::min(text.size(), kGetCardTextSize - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

void startRead() {
    busyLeft = current().busyAnswers;
    cardArrives = Clock::now() + std::chrono::milliseconds(current().insertAfterMs);
}

// One busy answer of a Pin-family step, or none left.
bool busy() {
    if (busyLeft > 0) {
        --busyLeft;
        return true;
    }
    return false;
}

}  // namespace

#define PPSIM_EXPORT extern "C" __attribute__((visibility("default")))

// --- The PP family ----------------------------------------------------------

PPSIM_EXPORT uint16_t PP_iOpen() {
    log("PP_iOpen");
    return current().statusOf("PP_iOpen");
}

PPSIM_EXPORT uint16_t PP_iClose() {
    log("PP_iClose");
    return current().statusOf("PP_iClose");
}

PPSIM_EXPORT uint16_t PP_iDisplay(const char* text) {
    log("PP_iDisplay|" + textArg(text));
    return current().statusOf("PP_iDisplay");
}

PPSIM_EXPORT uint16_t PP_iGetCard(GetCardBlock* block) {
    if (!block) {
        log("PP_iGetCard|(null)");
        return 2;
    }
    log("PP_iGetCard|size=" + num(block->size) + "|reserved=" + num(block->reserved1) + "," +
        num(block->reserved2) + "|key=" + textArg(block->key) +
        "|abort=" + (block->abortPoll ? "set" : "none"));
    startRead();
    while (Clock::now() < cardArrives) {
        if (block->abortPoll && block->abortPoll() != 0) {
            log("PP_iGetCard aborted");
            return current().abortStatus;
        }
        std::this_thread::sleep_for(kPoll);
    }
    copyText(block->track1, current().track1);
    copyText(block->track2, current().track2);
    return current().cardStatus;
}

PPSIM_EXPORT uint16_t PP_iGetPIN(int16_t index, GetPinBlock* block) {
    log("PP_iGetPIN|" + num(index) + "|size=" + num(block ? block->size : -1) +
        "|prompt=" + textArg(block ? block->prompt : nullptr));
    if (block) copyText(block->pinBlock, current().pin);
    return current().statusOf("PP_iGetPIN");
}

PPSIM_EXPORT uint16_t PP_iGetString(int16_t mode, const char* prompt, int16_t maxLength,
                                    int16_t minLength, int16_t echo, int16_t timeout,
                                    char* buffer) {
    log("PP_iGetString|" + num(mode) + "|" + textArg(prompt) + "|" + num(maxLength) + "|" +
        num(minLength) + "|" + num(echo) + "|" + num(timeout));
    if (mode != -1 && buffer && maxLength > 0) {
        const std::string typed = current().typed.substr(0, static_cast<size_t>(maxLength));
        std::memcpy(buffer, typed.data(), typed.size());
        buffer[typed.size()] = '\0';
    }
    return current().statusOf("PP_iGetString");
}

// --- The Pin family ---------------------------------------------------------

PPSIM_EXPORT void OpenPin(int32_t port, int32_t pinPort, int32_t port2, uint16_t* status) {
    log("OpenPin|" + num(port) + "|" + num(pinPort) + "|" + num(port2));
    if (status) *status = current().statusOf("OpenPin");
}

PPSIM_EXPORT void ClosePin(int32_t port, int32_t port2, uint16_t* status) {
    log("ClosePin|" + num(port) + "|" + num(port2));
    if (status) *status = current().statusOf("ClosePin");
}

PPSIM_EXPORT void EnviaMsgStringPin(const char* text, int32_t port, const char* text2,
                                    int32_t timeoutMs, uint16_t* status) {
    log("EnviaMsgStringPin|" + textArg(text) + "|" + num(port) + "|" + textArg(text2) + "|" +
        num(timeoutMs));
    if (status) *status = current().statusOf("EnviaMsgStringPin");
}

PPSIM_EXPORT void IniciaObtemTrilhaPin(int32_t port, int32_t timeoutMs, uint16_t* status) {
    static bool reading = false;
    if (!reading) startRead();
    reading = true;
    const bool isBusy = busy();
    log("IniciaObtemTrilhaPin|" + num(port) + "|" + num(timeoutMs) + (isBusy ? "|busy" : ""));
    if (!isBusy) {
        reading = false;
        busyLeft = current().busyAnswers;
    }
    if (status) *status = isBusy ? kStatusBusy : current().statusOf("IniciaObtemTrilhaPin");
}

PPSIM_EXPORT void ObtemTrilhaPin(int32_t port, char* track1, char* track2, char*, char*,
                                 uint16_t* status) {
    const bool waiting = Clock::now() < cardArrives || busy();
    log("ObtemTrilhaPin|" + num(port) + (waiting ? "|busy" : ""));
    if (waiting) {
        if (status) *status = kStatusBusy;
        return;
    }
    copyText(track1, current().track1);
    copyText(track2, current().track2);
    if (status) *status = current().cardStatus;
}

PPSIM_EXPORT void SelecionaMasterKeyPin(int32_t port, int32_t keyIndex, uint16_t* status) {
    log("SelecionaMasterKeyPin|" + num(port) + "|" + num(keyIndex));
    if (status) *status = current().statusOf("SelecionaMasterKeyPin");
}

PPSIM_EXPORT void IniciaObtemSenhaPin(int32_t port, int32_t timeoutMs, uint16_t* status) {
    log("IniciaObtemSenhaPin|" + num(port) + "|" + num(timeoutMs));
    if (status) *status = current().statusOf("IniciaObtemSenhaPin");
}

PPSIM_EXPORT void ObtemSenhaPin(int32_t port, char* pinBlock, uint16_t* status) {
    log("ObtemSenhaPin|" + num(port));
    copyText(pinBlock, current().pin);
    if (status) *status = current().statusOf("ObtemSenhaPin");
}
