// Dial-up connections of this machine: the saved dial-up entries, the
// connections that are up, dialling an entry with its saved parameters, the
// state of a connection, hanging it up.
//
// Two backends:
// - NetworkManager, through its `nmcli` command (found on PATH). Every call
//   runs nmcli once, without a shell, and waits a bounded time for it; a
//   missing nmcli or a NetworkManager that does not answer is an error code,
//   never a hang. Entries and connections are NetworkManager connection
//   profiles of the dial-up kinds (mobile broadband, PPPoE, DSL, Bluetooth
//   dial-up, VPN).
// - A simulated modem, driven by an INI state file: its entries, the
//   connection that is up and the result of each dial attempt are read from
//   the file at every call, and every call is counted in the file, so a test
//   can script and check a program running in another process.
// doc/dialup.md describes both, with the state file's keys.
//
// Error numbers: 0 is success; failures use the dial-up error numbering
// (600-753) on which the connection manager's dial-error texts are keyed;
// the constants below name the ones the backends produce. Other numbers
// (a simulated script may give any) pass through unchanged.
//
// Thread-safety: every backend may be called from any thread at once.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vtx::platform {

inline constexpr int kDialUpOk = 0;
// The entry list did not fit (callers that take the first entry may go on).
inline constexpr int kDialUpListTooSmall = 603;
// The store of saved entries cannot be opened (NetworkManager not answering).
inline constexpr int kDialUpNoEntryStore = 621;
// The entry does not exist.
inline constexpr int kDialUpEntryNotFound = 623;
// The connection closed (not up after dialling).
inline constexpr int kDialUpDisconnected = 628;
// Authentication refused or no secrets for it.
inline constexpr int kDialUpAuthFailed = 649;
// The modem or device reported an error.
inline constexpr int kDialUpDeviceError = 651;
inline constexpr int kDialUpLineBusy = 676;
inline constexpr int kDialUpNoAnswer = 678;
inline constexpr int kDialUpNoCarrier = 679;
inline constexpr int kDialUpNoDialTone = 680;
// The dial-up service is not there (nmcli missing or NetworkManager down).
inline constexpr int kDialUpNoService = 711;
// A failure that the backend cannot classify.
inline constexpr int kDialUpUnknownError = 1;

// A connection that is up (or was being dialled).
struct DialUpConnection {
    std::string handle;  // the backend's identifier of the connection
    std::string entry;   // the entry it belongs to
};

enum class DialUpState { Connecting, Connected, Disconnected };

struct DialUpStatus {
    DialUpState state = DialUpState::Disconnected;
    int error = 0;  // why it is not connected, when known
};

class DialUp {
public:
    virtual ~DialUp() = default;

    // 0 when the dial-up service can be used at all.
    virtual int serviceCheck() = 0;

    // The saved entries, in the backend's order.
    virtual int listEntries(std::vector<std::string>& names) = 0;

    // The connections that are up or being dialled.
    virtual int listConnections(std::vector<DialUpConnection>& connections) = 0;

    // 0 when `entry` exists with saved dial parameters.
    virtual int checkEntry(std::string_view entry) = 0;

    // Dials `entry` with its saved parameters and waits for the outcome
    // (bounded). On success `connection` is the new connection; on failure
    // a non-empty `connection.handle` names a partial connection that the
    // caller should hang up.
    virtual int dial(std::string_view entry, DialUpConnection& connection) = 0;

    // The state of `connection`; an error when the state cannot be had.
    virtual int status(const DialUpConnection& connection, DialUpStatus& status) = 0;

    virtual int hangUp(const DialUpConnection& connection) = 0;
};

struct NmcliOptions {
    // Program name (looked up on PATH) or path of nmcli.
    std::string program = "nmcli";
    // How long a dial may take; nmcli is told to wait this long and is
    // stopped a few seconds after.
    std::chrono::seconds dialWait{60};
    // Bound for every other nmcli call.
    std::chrono::milliseconds commandWait{10000};
};

std::unique_ptr<DialUp> makeNmcliDialUp(NmcliOptions options = {});

// `stateFile`: Windows-style or native path of the state file (a bare name
// is in the Windows directory, as for every INI file).
std::unique_ptr<DialUp> makeSimulatedDialUp(std::string stateFile);

}  // namespace vtx::platform
