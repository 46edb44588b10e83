#include <cstdio>
#include <cstring>

#include "Commands.h"

namespace {

void usage() {
    std::fputs(
        "usage:\n"
        "  vtx send [--server] OPERATOR SERVICE MESSAGE\n"
        "      send MESSAGE (numbered-field text) for OPERATOR with SERVICE (ADM, ATT, CHK)\n"
        "      through the communication library; prints the result code and the reply\n"
        "  vtx route show [FILE]      print the route records of VXIFCLI.BIN as lines\n"
        "  vtx route write [FILE]     read such lines from standard input, write VXIFCLI.BIN\n"
        "  vtx trace                  print the trace file SOCKET.BIN\n"
        "Files are found through VTX_ROOT (default /var/lib/vantorix) and VTX_WINDIR.\n",
        stderr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        usage();
        return 2;
    }
    vtx::tool::Args args(argv + 2, argv + argc);
    if (std::strcmp(argv[1], "send") == 0) return vtx::tool::sendCommand(args);
    if (std::strcmp(argv[1], "route") == 0) return vtx::tool::routeCommand(args);
    if (std::strcmp(argv[1], "trace") == 0) return vtx::tool::traceCommand(args);
    usage();
    return 2;
}
