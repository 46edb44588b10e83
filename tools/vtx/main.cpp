#include <cstdio>
#include <cstring>
#include <string>

#include "Commands.h"
#include "vtx/Version.h"

namespace {

void usage(std::FILE* to = stderr) {
    std::fputs(
        "usage:\n"
        "  vtx send [--server] OPERATOR SERVICE MESSAGE\n"
        "      send MESSAGE (numbered-field text) for OPERATOR with SERVICE (ADM, ATT, CHK)\n"
        "      through the communication library; prints the result code and the reply\n"
        "  vtx route show [FILE]      print the route records of VXIFCLI.BIN as lines\n"
        "  vtx route write [FILE]     read such lines from standard input, write VXIFCLI.BIN\n"
        "  vtx trace                  print the trace file SOCKET.BIN\n"
        "  vtx pinpad read            read a card through libVX32_PIN.so and the PIN pad\n"
        "                             of CORE.INI [PINPAD]; prints the result and the track\n"
        "                             (card number masked)\n"
        "  vtx pinpad abort           abort a card read pending at this station\n"
        "  vtx mask [TEXT...]         print TEXT, or each line of standard input, with card\n"
        "                             numbers and tracks masked as in the station's traces\n"
        "  vtx crc FILE               the CRC (CRC-32/MPEG-2, 8 upper-case hex digits) and\n"
        "                             size of FILE, as the list file ATCARQ.BIN gives them\n"
        "  vtx request [--name NAME] [--timeout SECONDS] [--keep] FILE|-\n"
        "                             put a request file (numbered-field lines) into LinkAgent's\n"
        "                             input folder and print its answer (cards masked) when it\n"
        "                             comes; without one in time (default 120 s), where it stands\n"
        "  vtx ini get FILE SECTION KEY   one key of a station's INI file (Windows-1252,\n"
        "  vtx ini set FILE SECTION KEY VALUE   shown and given in UTF-8); FILE a station\n"
        "                             path, or a bare name in the Windows directory\n"
        "  vtx checksum FILE          whether the name of a data file (UP.Sxx, a report file)\n"
        "                             carries the check value of its content; prints the\n"
        "                             name it calls for (exit 0 right, 1 wrong, 2 unreadable)\n"
        "The client's transactions, through the client core and the station's settings\n"
        "(VtxClient.ini, CORE.INI, VXTb_Opr.txt); --iso sends the ISO 8583 form:\n"
        "  vtx eleg --card N [--id1 X] [--id2 Y] [--sale]       cardholder eligibility\n"
        "  vtx presale --card N --products FILE.csv              pre-authorisation\n"
        "  vtx sale --card N --document D [--products FILE.csv]  sale (reads the pre-authorisation back)\n"
        "      presale and sale take --confirm or --annul to settle at once; an accepted\n"
        "      list leaves the export file FILEAUX\\<NSU>.TRC when CORE.INI [CONFIG] has\n"
        "      FILEAUX (an existing folder) and LayoutArquivo=1, as the sale screen does\n"
        "  vtx confirm --nsu N [--type T]   vtx annul --nsu N [--type T]\n"
        "  vtx cancel --nsu N [--products FILE.csv]\n"
        "  vtx products --search TEXT [--page N]\n"
        "  vtx logon\n"
        "  vtx journal [list [--all] | confirm NSU | annul NSU | settle --policy confirm|annul]\n"
        "      the pending-transaction journal VtxClient.jnl: listed (cards masked), an entry\n"
        "      settled by hand, or every open entry settled as the client does at start-up\n"
        "  (each takes --admin NAME; products CSV: code;quantity;gross;discount;net;type;complement)\n"
        "  vtx --help | --version\n"
        "Files are found through VTX_ROOT (default /var/lib/vantorix) and VTX_WINDIR.\n",
        to);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        usage();
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        usage(stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("vtx %s\n", VTX_VERSION);
        return 0;
    }
    vtx::tool::Args args(argv + 2, argv + argc);
    if (std::strcmp(argv[1], "send") == 0) return vtx::tool::sendCommand(args);
    if (std::strcmp(argv[1], "route") == 0) return vtx::tool::routeCommand(args);
    if (std::strcmp(argv[1], "trace") == 0) return vtx::tool::traceCommand(args);
    if (std::strcmp(argv[1], "pinpad") == 0) return vtx::tool::pinpadCommand(args);
    if (std::strcmp(argv[1], "mask") == 0) return vtx::tool::maskCommand(args);
    if (std::strcmp(argv[1], "checksum") == 0) return vtx::tool::checksumCommand(args);
    if (std::strcmp(argv[1], "ini") == 0) return vtx::tool::iniCommand(args);
    if (std::strcmp(argv[1], "crc") == 0) return vtx::tool::crcCommand(args);
    if (std::strcmp(argv[1], "request") == 0) return vtx::tool::requestCommand(args);
    const std::string command = argv[1];
    if (command == "eleg") return vtx::tool::elegCommand(args);
    if (command == "presale") return vtx::tool::saleCommand(args, false);
    if (command == "sale") return vtx::tool::saleCommand(args, true);
    if (command == "confirm") return vtx::tool::settleCommand(args, true);
    if (command == "annul") return vtx::tool::settleCommand(args, false);
    if (command == "cancel") return vtx::tool::cancelCommand(args);
    if (command == "products") return vtx::tool::productsCommand(args);
    if (command == "logon") return vtx::tool::logonCommand(args);
    if (command == "journal") return vtx::tool::journalCommand(args);
    usage();
    return 2;
}
