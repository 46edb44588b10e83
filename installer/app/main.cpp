// InstallVtx: installs and configures a station.
//
//   InstallVtx [--medium DIR] [1|2]           the wizard ("2": the configurator
//                                             on the installed station, "1":
//                                             its PIN pad only)
//   InstallVtx --unattended ANSWERS.INI [--medium DIR]
//                                             the same configuration without a
//                                             window, from an answers file
//   InstallVtx --help | --version
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "vtx/Version.h"
#include "vtx/installer/InstallerWindow.h"
#include "vtx/installer/UnattendedInstall.h"

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  InstallVtx [--medium DIR] [1|2]\n"
    "      the installation wizard; \"2\" opens the configurator on the installed\n"
    "      station, \"1\" its PIN pad settings only\n"
    "  InstallVtx --unattended ANSWERS.INI [--medium DIR]\n"
    "      configures the station without a window from an answers file (the\n"
    "      wizard's sections SERVER, IPLOCAL, IPNAT, DIAL, ESTAB, ESTACAO, TRACE\n"
    "      and PINPAD); exit status 0 when the station is configured\n"
    "  InstallVtx --help | --version\n"
    "The station is the one of VTX_ROOT (default /var/lib/vantorix) and VTX_WINDIR.\n"
    "The medium (default: this program's folder when it holds INSTALL.INI, else\n"
    "/usr/share/vantorix) holds the programs, INSTALL.INI, PinPad.ini, VXIFCFG.BIN,\n"
    "VXIFNAT.BIN and VtxClient.ini.\n";

}  // namespace

int main(int argc, char** argv) {
    vtx::install::UnattendedOptions unattended;
    bool isUnattended = false;
    std::string medium;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("InstallVtx %s\n", VTX_VERSION);
            return 0;
        }
        if (arg == "--unattended" || arg == "--medium") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "InstallVtx: %s needs a value\n%s", arg.c_str(), kUsage);
                return 2;
            }
            if (arg == "--unattended") {
                isUnattended = true;
                unattended.answersFile = argv[++i];
            } else {
                // Kept absolute: the answers record the medium's folder.
                std::error_code ec;
                const auto absolute = std::filesystem::absolute(argv[++i], ec);
                medium = ec ? argv[i] : absolute.string();
            }
            continue;
        }
        if (isUnattended || (!arg.empty() && arg[0] == '-')) {
            std::fprintf(stderr, "InstallVtx: unexpected argument %s\n%s", arg.c_str(), kUsage);
            return 2;
        }
        rest.push_back(argv[i]);
    }
    if (isUnattended) {
        if (rest.size() > 1) {
            std::fprintf(stderr, "InstallVtx: unexpected argument %s\n%s", rest[1], kUsage);
            return 2;
        }
        unattended.mediumDir = medium;
        return vtx::install::runUnattended(unattended, std::cout, std::cerr);
    }
    rest.push_back(nullptr);
    return vtx::install::runInstallerWindow(static_cast<int>(rest.size() - 1), rest.data(), medium);
}
