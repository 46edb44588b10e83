// The support command `vtx`: what a shop's support person runs at a station
// to exercise the communication library and read its files.
//
//   vtx send [--server] OPERATOR SERVICE MESSAGE   one request through the library
//   vtx route show [FILE]                          route records as readable lines
//   vtx route write [FILE] < LINES                 readable lines back to records
//   vtx trace                                      the trace file SOCKET.BIN
//   vtx pinpad read | abort                        read a card through libVX32_PIN.so
//                                                  (track masked); abort a pending read
//   vtx mask [TEXT...]                             TEXT (or each line read) with card
//                                                  numbers and tracks masked
//   vtx eleg|presale|sale|confirm|annul|cancel|products|logon ...
//                                                  the client's transactions (presale
//                                                  and sale leave the export file
//                                                  when the station asks for it)
//   vtx journal [list|confirm NSU|annul NSU|settle]  the pending-transaction
//                                                  journal: listed masked, settled by hand
//   vtx crc FILE                                   size and CRC of FILE as the list
//                                                  file ATCARQ.BIN gives them
//   vtx request [--name N] [--timeout S] [--keep] FILE
//                                                  a request file through LinkAgent's
//                                                  folder interface; prints the answer
//   vtx ini get|set FILE SECTION KEY [VALUE]       one key of a station's INI file
//   vtx checksum FILE                              whether FILE's name carries the
//                                                  check value of its content
//
// Each command returns the process exit code: 0 done, 1 failed, 2 usage.
#pragma once

#include <string>
#include <vector>

namespace vtx::tool {

using Args = std::vector<std::string>;

int sendCommand(const Args& args);
int routeCommand(const Args& args);
int traceCommand(const Args& args);
int pinpadCommand(const Args& args);
int maskCommand(const Args& args);
int iniCommand(const Args& args);
int checksumCommand(const Args& args);
int crcCommand(const Args& args);
int requestCommand(const Args& args);

int elegCommand(const Args& args);
int saleCommand(const Args& args, bool sale);
int settleCommand(const Args& args, bool confirm);
int cancelCommand(const Args& args);
int productsCommand(const Args& args);
int logonCommand(const Args& args);
int journalCommand(const Args& args);

}  // namespace vtx::tool
