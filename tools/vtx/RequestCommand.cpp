// `vtx request FILE`: hands a request file to LinkAgent's folder interface
// the way a point-of-sale program of the shop does, and prints the answer
// when it comes, so a support person can check the whole path (folders,
// LinkAgent, library, host) from the station.
//
// The file is copied into the input folder under a name of its own that
// LinkAgent does not take (".vtx<pid>.part"), flushed, and renamed to
// "<name>.<extension>", so LinkAgent only ever sees it whole. The answer
// "<name>.001" in the output folder is printed (card numbers masked) and
// removed, unless --keep. Without an answer in time the command says where
// the request stands: still waiting in the input folder, taken, or at the
// host.
//
//   vtx request [--name NAME] [--timeout SECONDS] [--keep] FILE|-
//
// Exit status: 0 answered, 1 no answer in time or the folders are unusable,
// 2 usage or an unreadable FILE.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "CardMask.h"
#include "Commands.h"
#include "StartupSettings.h"
#include "vtx/linkagent/shellfile/ShellFileSettings.h"
#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/Cp1252.h"
#include "vtx/platform/Paths.h"

namespace vtx::tool {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr long kDefaultTimeoutSeconds = 120;
// How often the output folder is looked at while waiting: an answer is seen
// within this, and a waiting command costs nothing worth measuring.
constexpr auto kLookEvery = std::chrono::milliseconds(20);

struct RequestOptions {
    std::string file;
    std::string name;
    long timeoutSeconds = kDefaultTimeoutSeconds;
    bool keep = false;
};

std::optional<RequestOptions> parse(const Args& args) {
    RequestOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--keep") {
            o.keep = true;
        } else if (a == "--name" && i + 1 < args.size()) {
            o.name = args[++i];
        } else if (a == "--timeout" && i + 1 < args.size()) {
            char* end = nullptr;
            o.timeoutSeconds = std::strtol(args[++i].c_str(), &end, 10);
            if (*end != '\0' || o.timeoutSeconds <= 0) return std::nullopt;
        } else if (o.file.empty() && (a == "-" || a.rfind("--", 0) != 0)) {
            o.file = a;
        } else {
            return std::nullopt;
        }
    }
    if (o.file.empty()) return std::nullopt;
    // The name becomes a file name in the shop's folders: no folders in it.
    if (o.name.find_first_of("/\\") != std::string::npos || o.name == "." || o.name == "..")
        return std::nullopt;
    return o;
}

std::optional<std::string> readRequest(const std::string& file) {
    if (file == "-") return std::string(std::istreambuf_iterator<char>(std::cin), {});
    std::ifstream in(platform::resolve(file), std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), {});
    if (in.bad()) return std::nullopt;
    return text;
}

// Writes the request whole under a name LinkAgent does not take, then
// renames it into place. False, with errno's text on standard error, when
// the input folder refuses it.
bool dropRequest(const std::string& folder, const std::string& fileName, const std::string& text) {
    const std::string part =
        platform::joinPath(folder, ".vtx" + std::to_string(::getpid()) + ".part");
    const std::string target = platform::joinPath(folder, fileName);
    const int fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
                          platform::kPrivateFileMode);
    int error = fd < 0 ? errno : platform::writeAll(fd, text);
    if (fd >= 0 && error == 0 && ::fsync(fd) != 0) error = errno;
    if (fd >= 0) ::close(fd);
    if (error == 0 && ::rename(part.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(part.c_str());
        std::fprintf(stderr, "vtx: cannot put the request into %s: %s\n", folder.c_str(),
                     std::strerror(error));
        return false;
    }
    return true;
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

// Where a request that got no answer stands, for the support person.
std::string whereItStands(const std::string& input, const std::string& output,
                          const std::string& base, const std::string& fileName) {
    if (exists(platform::joinPath(input, fileName)))
        return "still waiting in " + input + " (is LinkAgent running with the folder interface?)";
    if (exists(platform::joinPath(input, base + ".thr"))) return "taken by LinkAgent (" + base + ".thr)";
    if (exists(platform::joinPath(output, base + ".sts")))
        return "sent towards the host, no answer yet (" + base + ".sts in " + output + ")";
    return "no longer in either folder";
}

}  // namespace

int requestCommand(const Args& args) {
    const std::optional<RequestOptions> options = parse(args);
    if (!options) {
        std::fputs("usage: vtx request [--name NAME] [--timeout SECONDS] [--keep] FILE|-\n", stderr);
        return 2;
    }
    const std::optional<std::string> text = readRequest(options->file);
    if (!text) {
        std::fprintf(stderr, "vtx: cannot read %s\n", options->file.c_str());
        return 2;
    }
    const linkagent::StartupSettings station = linkagent::loadStartupSettings();
    if (!station.folderInterface)
        std::fprintf(stderr,
                     "vtx: the folder interface is off in %s ([TCPIP PORTS] Socket is not N or 0): "
                     "LinkAgent will not take the request\n",
                     platform::resolve(station.coreIni).c_str());
    const linkagent::ShellFileSettings settings = linkagent::readShellFileSettings(station.coreIni);
    const std::string input = linkagent::shellInputFolder(station.pathServer, settings);
    const std::string output = linkagent::shellOutputFolder(station.pathServer, settings);

    const std::string base =
        options->name.empty() ? "VTX" + std::to_string(::getpid()) : options->name;
    const std::string fileName = base + "." + settings.extension;
    const std::string answer = platform::joinPath(output, base + ".001");
    if (exists(answer)) {
        std::fprintf(stderr, "vtx: %s already holds an answer for %s; pick another --name\n",
                     output.c_str(), base.c_str());
        return 1;
    }
    if (!dropRequest(input, fileName, *text)) return 1;
    std::fprintf(stderr, "vtx: %s put into %s\n", fileName.c_str(), input.c_str());

    const auto deadline = Clock::now() + std::chrono::seconds(options->timeoutSeconds);
    while (!exists(answer)) {
        if (Clock::now() >= deadline) {
            std::fprintf(stderr, "vtx: no answer within %ld s; the request is %s\n",
                         options->timeoutSeconds,
                         whereItStands(input, output, base, fileName).c_str());
            return 1;
        }
        std::this_thread::sleep_for(kLookEvery);
    }
    std::ifstream in(answer, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), {});
    // The answer's lines end in CR LF for the shop's programs; the console
    // gets plain lines.
    std::string lines = wire::maskCardData(content);
    for (size_t at = 0; (at = lines.find("\r\n", at)) != std::string::npos;) lines.erase(at, 1);
    std::fputs(platform::cp1252ToUtf8(lines).c_str(), stdout);
    if (!options->keep) {
        std::error_code ec;
        fs::remove(answer, ec);
    }
    return 0;
}

}  // namespace vtx::tool
