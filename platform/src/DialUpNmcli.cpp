// The NetworkManager backend of DialUp: each operation is one nmcli call in
// its terse form; connections are named by their profile's UUID.

#include <algorithm>
#include <array>
#include <string>

#include "DialUpCommand.h"
#include "vtx/platform/DialUp.h"

namespace vtx::platform {

namespace {

using detail::CommandResult;
using detail::runCommand;

// nmcli exit statuses the backend tells apart.
constexpr int kNmcliTimeout = 3;
constexpr int kNmcliActivationFailed = 4;
constexpr int kNmcliNotRunning = 8;
constexpr int kNmcliNotFound = 10;

// The killing bound of a dial is this much later than nmcli's own wait.
constexpr std::chrono::seconds kDialGrace{5};

// Profile types that stand for a dial-up link; wired and wireless LAN
// profiles (and the loopback profile) are not dial-up entries.
constexpr std::array<std::string_view, 7> kDialUpTypes = {"gsm",       "cdma", "pppoe",    "adsl",
                                                          "bluetooth", "vpn",  "wireguard"};

bool isDialUpType(std::string_view type) {
    return std::find(kDialUpTypes.begin(), kDialUpTypes.end(), type) != kDialUpTypes.end();
}

// The fields of one terse line: ":" separates, "\" escapes ":" and "\".
std::vector<std::string> terseFields(std::string_view line) {
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            fields.back() += line[++i];
        } else if (c == ':') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<std::vector<std::string>> terseLines(const std::string& out, size_t fieldCount) {
    std::vector<std::vector<std::string>> rows;
    size_t pos = 0;
    while (pos < out.size()) {
        size_t nl = out.find('\n', pos);
        if (nl == std::string::npos) nl = out.size();
        std::string_view line(out.data() + pos, nl - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos = nl + 1;
        if (line.empty()) continue;
        auto fields = terseFields(line);
        if (fields.size() == fieldCount) rows.push_back(std::move(fields));
    }
    return rows;
}

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string trimmed(const std::string& text) {
    size_t b = text.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    size_t e = text.find_last_not_of(" \t\r\n");
    return text.substr(b, e - b + 1);
}

// The dial-up error number of a failed activation, from nmcli's reason text.
int activationError(const CommandResult& r) {
    std::string text = lower(r.err + r.out);
    auto has = [&text](std::string_view word) { return text.find(word) != std::string::npos; };
    if (has("busy")) return kDialUpLineBusy;
    if (has("dial tone")) return kDialUpNoDialTone;
    if (has("carrier")) return kDialUpNoCarrier;
    if (has("timed out") || has("timeout")) return kDialUpNoAnswer;
    if (has("secret") || has("password") || has("authentication") || has("login")) {
        return kDialUpAuthFailed;
    }
    return kDialUpDeviceError;
}

int errorOf(const CommandResult& r) {
    if (r.startError != 0) return kDialUpNoEntryStore;
    if (r.timedOut) return kDialUpNoAnswer;
    switch (r.exitCode) {
        case 0:
            return kDialUpOk;
        case kNmcliTimeout:
            return kDialUpNoAnswer;
        case kNmcliActivationFailed:
            return activationError(r);
        case kNmcliNotRunning:
            return kDialUpNoEntryStore;
        case kNmcliNotFound:
            return kDialUpEntryNotFound;
        default:
            return kDialUpUnknownError;
    }
}

class NmcliDialUp final : public DialUp {
public:
    explicit NmcliDialUp(NmcliOptions options) : options_(std::move(options)) {}

    int serviceCheck() override {
        return guarded([&] {
            CommandResult r = run({"-t", "-f", "RUNNING", "general"});
            bool running = r.startError == 0 && !r.timedOut && r.exitCode == 0 &&
                           lower(trimmed(r.out)) == "running";
            return running ? kDialUpOk : kDialUpNoService;
        });
    }

    int listEntries(std::vector<std::string>& names) override {
        return guarded([&] {
            names.clear();
            CommandResult r = run({"-t", "-f", "NAME,TYPE", "connection", "show"});
            if (int e = errorOf(r); e != kDialUpOk) return e;
            for (auto& row : terseLines(r.out, 2)) {
                if (isDialUpType(row[1])) names.push_back(std::move(row[0]));
            }
            return kDialUpOk;
        });
    }

    int listConnections(std::vector<DialUpConnection>& connections) override {
        return guarded([&] { return activeConnections(connections); });
    }

    int checkEntry(std::string_view entry) override {
        return guarded([&] {
            return errorOf(
                run({"-g", "connection.id", "connection", "show", "id", std::string(entry)}));
        });
    }

    int dial(std::string_view entry, DialUpConnection& connection) override {
        return guarded([&] {
            connection = DialUpConnection{"", std::string(entry)};
            std::string wait = std::to_string(options_.dialWait.count());
            CommandResult r = run({"--wait", wait, "connection", "up", "id", std::string(entry)},
                                  std::chrono::duration_cast<std::chrono::milliseconds>(
                                      options_.dialWait + kDialGrace));
            int error = errorOf(r);
            // On success the new connection, after a time-out the one still
            // being dialled: both are found among the active ones.
            if (error == kDialUpOk || error == kDialUpNoAnswer) {
                std::vector<DialUpConnection> active;
                if (activeConnections(active) == kDialUpOk) {
                    for (const auto& c : active) {
                        if (c.entry == entry) connection.handle = c.handle;
                    }
                }
            }
            return error;
        });
    }

    int status(const DialUpConnection& connection, DialUpStatus& status) override {
        return guarded([&] {
            status = DialUpStatus{};
            CommandResult r =
                run(select({"-g", "GENERAL.STATE", "connection", "show"}, connection));
            if (int e = errorOf(r); e != kDialUpOk) return e;
            std::string state = lower(trimmed(r.out));
            if (state == "activated") {
                status.state = DialUpState::Connected;
            } else if (state == "activating") {
                status.state = DialUpState::Connecting;
            } else {
                status.error = kDialUpDisconnected;
            }
            return kDialUpOk;
        });
    }

    int hangUp(const DialUpConnection& connection) override {
        return guarded([&] { return errorOf(run(select({"connection", "down"}, connection))); });
    }

private:
    CommandResult run(std::vector<std::string> args) {
        return run(std::move(args), options_.commandWait);
    }

    CommandResult run(std::vector<std::string> args, std::chrono::milliseconds limit) {
        args.insert(args.begin(), options_.program);
        return runCommand(args, limit);
    }

    // Names a connection by its UUID, or by its entry when the UUID is unknown.
    static std::vector<std::string> select(std::vector<std::string> args,
                                           const DialUpConnection& connection) {
        if (!connection.handle.empty()) {
            args.insert(args.end(), {"uuid", connection.handle});
        } else {
            args.insert(args.end(), {"id", connection.entry});
        }
        return args;
    }

    int activeConnections(std::vector<DialUpConnection>& connections) {
        connections.clear();
        CommandResult r = run({"-t", "-f", "NAME,UUID,TYPE", "connection", "show", "--active"});
        if (int e = errorOf(r); e != kDialUpOk) return e;
        for (auto& row : terseLines(r.out, 3)) {
            if (isDialUpType(row[2])) {
                connections.push_back(DialUpConnection{std::move(row[1]), std::move(row[0])});
            }
        }
        return kDialUpOk;
    }

    template <typename F>
    static int guarded(F&& body) {
        try {
            return body();
        } catch (...) {
            return kDialUpUnknownError;
        }
    }

    const NmcliOptions options_;
};

}  // namespace

std::unique_ptr<DialUp> makeNmcliDialUp(NmcliOptions options) {
    return std::make_unique<NmcliDialUp>(std::move(options));
}

}  // namespace vtx::platform
