// The simulated modem of DialUp: its script and its state are one INI file
// (doc/dialup.md). Every call reads the file afresh, so a test may change
// the script between calls, also while another process uses the modem; every
// call is counted in the section [Calls].

#include <algorithm>
#include <charconv>
#include <chrono>
#include <mutex>
#include <thread>

#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/DialUp.h"
#include "vtx/platform/IniFile.h"

namespace vtx::platform {

namespace {

constexpr std::string_view kScript = "Modem";
constexpr std::string_view kCalls = "Calls";
// Upper bound of the simulated dialling time.
constexpr long kMaxDialMillis = 60000;

std::string trim(std::string_view text) {
    size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    size_t e = text.find_last_not_of(" \t");
    return std::string(text.substr(b, e - b + 1));
}

std::vector<std::string> splitList(std::string_view text) {
    std::vector<std::string> items;
    while (!text.empty()) {
        size_t comma = text.find(',');
        std::string item = trim(text.substr(0, comma));
        if (!item.empty()) items.push_back(std::move(item));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return items;
}

class SimulatedDialUp final : public DialUp {
public:
    explicit SimulatedDialUp(std::string stateFile) : file_(std::move(stateFile)) {}

    int serviceCheck() override {
        return guarded([&] {
            std::lock_guard lock(mutex_);
            count("ServiceCheck");
            return static_cast<int>(script()->getInt(kScript, "ServiceError", 0));
        });
    }

    int listEntries(std::vector<std::string>& names) override {
        return guarded([&] {
            std::lock_guard lock(mutex_);
            count("ListEntries");
            auto doc = script();
            names = splitList(doc->getString(kScript, "Entries", ""));
            return static_cast<int>(doc->getInt(kScript, "ListEntriesError", 0));
        });
    }

    int listConnections(std::vector<DialUpConnection>& connections) override {
        return guarded([&] {
            std::lock_guard lock(mutex_);
            count("ListConnections");
            auto doc = script();
            connections.clear();
            if (int e = static_cast<int>(doc->getInt(kScript, "ListConnectionsError", 0))) return e;
            std::string up = doc->getString(kScript, "Connection", "");
            if (!up.empty()) connections.push_back(DialUpConnection{up, up});
            return kDialUpOk;
        });
    }

    int checkEntry(std::string_view entry) override {
        return guarded([&] {
            std::lock_guard lock(mutex_);
            count("CheckEntry");
            auto doc = script();
            if (int e = static_cast<int>(doc->getInt(kScript, "CheckEntryError", 0))) return e;
            return known(*doc, entry) ? kDialUpOk : kDialUpEntryNotFound;
        });
    }

    int dial(std::string_view entry, DialUpConnection& connection) override {
        return guarded([&] {
            // A dial that fails still leaves a connection to hang up.
            connection = DialUpConnection{std::string(entry), std::string(entry)};
            int result;
            long millis;
            {
                std::lock_guard lock(mutex_);
                long attempt = count("Dial");
                auto doc = script();
                millis = std::clamp(doc->getInt(kScript, "DialMillis", 0), 0L, kMaxDialMillis);
                result = known(*doc, entry) ? resultOf(*doc, attempt) : kDialUpEntryNotFound;
            }
            // Dialling takes time without blocking the other calls.
            if (millis > 0) std::this_thread::sleep_for(std::chrono::milliseconds(millis));
            if (result == kDialUpOk) {
                std::lock_guard lock(mutex_);
                iniWriteString(file_, kScript, "Connection", entry);
            }
            return result;
        });
    }

    int status(const DialUpConnection& connection, DialUpStatus& status) override {
        return guarded([&] {
            std::lock_guard lock(mutex_);
            count("Status");
            auto doc = script();
            status = DialUpStatus{};
            if (int e = static_cast<int>(doc->getInt(kScript, "StatusError", 0))) return e;
            std::string state = doc->getString(kScript, "State", "");
            if (state.empty()) {
                bool up =
                    equalsIgnoreCase(doc->getString(kScript, "Connection", ""), connection.entry);
                state = up ? "Connected" : "Disconnected";
            }
            if (equalsIgnoreCase(state, "Connected")) {
                status.state = DialUpState::Connected;
                return kDialUpOk;
            }
            status.state = equalsIgnoreCase(state, "Connecting") ? DialUpState::Connecting
                                                                 : DialUpState::Disconnected;
            status.error = static_cast<int>(doc->getInt(kScript, "StateError", 0));
            return kDialUpOk;
        });
    }

    int hangUp(const DialUpConnection& connection) override {
        return guarded([&] {
            std::lock_guard lock(mutex_);
            count("HangUp");
            auto doc = script();
            if (int e = static_cast<int>(doc->getInt(kScript, "HangUpError", 0))) return e;
            if (equalsIgnoreCase(doc->getString(kScript, "Connection", ""), connection.entry)) {
                iniWriteString(file_, kScript, "Connection", "");
            }
            return kDialUpOk;
        });
    }

private:
    std::shared_ptr<const IniDocument> script() const { return loadIni(file_); }

    // Adds one to the call counter `name`; returns the count before.
    long count(std::string_view name) {
        long before = script()->getInt(kCalls, name, 0);
        iniWriteString(file_, kCalls, name, std::to_string(before + 1));
        return before;
    }

    static bool known(const IniDocument& doc, std::string_view entry) {
        for (const std::string& name : splitList(doc.getString(kScript, "Entries", ""))) {
            if (equalsIgnoreCase(name, entry)) return true;
        }
        return false;
    }

    // The scripted result of dial attempt `attempt` (0-based): the list
    // "Dial" in order, its last value repeating; none scripted is success.
    static int resultOf(const IniDocument& doc, long attempt) {
        std::vector<std::string> results = splitList(doc.getString(kScript, "Dial", ""));
        if (results.empty()) return kDialUpOk;
        size_t i = std::min(static_cast<size_t>(std::max(attempt, 0L)), results.size() - 1);
        int code = kDialUpUnknownError;
        const std::string& text = results[i];
        std::from_chars(text.data(), text.data() + text.size(), code);
        return code;
    }

    template <typename F>
    static int guarded(F&& body) {
        try {
            return body();
        } catch (...) {
            return kDialUpUnknownError;
        }
    }

    const std::string file_;
    std::mutex mutex_;
};

}  // namespace

std::unique_ptr<DialUp> makeSimulatedDialUp(std::string stateFile) {
    return std::make_unique<SimulatedDialUp>(std::move(stateFile));
}

}  // namespace vtx::platform
