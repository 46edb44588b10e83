// The Winsock error numbers that the system makes observable (traces, last
// error of the communication library), mapped from POSIX errno values in one
// place.
//
// Thread-safety: pure functions.
#pragma once

namespace vtx::platform {

inline constexpr int kWsaEintr = 10004;
inline constexpr int kWsaEbadf = 10009;
inline constexpr int kWsaEacces = 10013;
inline constexpr int kWsaEfault = 10014;
inline constexpr int kWsaEinval = 10022;
inline constexpr int kWsaEmfile = 10024;
inline constexpr int kWsaEwouldblock = 10035;
inline constexpr int kWsaEinprogress = 10036;
inline constexpr int kWsaEalready = 10037;
inline constexpr int kWsaEnotsock = 10038;
inline constexpr int kWsaEmsgsize = 10040;
inline constexpr int kWsaEafnosupport = 10047;
inline constexpr int kWsaEaddrinuse = 10048;
inline constexpr int kWsaEaddrnotavail = 10049;
inline constexpr int kWsaEnetdown = 10050;
inline constexpr int kWsaEnetunreach = 10051;
inline constexpr int kWsaEnetreset = 10052;
inline constexpr int kWsaEconnaborted = 10053;
inline constexpr int kWsaEconnreset = 10054;
inline constexpr int kWsaEnobufs = 10055;
inline constexpr int kWsaEisconn = 10056;
inline constexpr int kWsaEnotconn = 10057;
inline constexpr int kWsaEshutdown = 10058;
inline constexpr int kWsaEtimedout = 10060;
inline constexpr int kWsaEconnrefused = 10061;
inline constexpr int kWsaEhostdown = 10064;
inline constexpr int kWsaEhostunreach = 10065;
inline constexpr int kWsaHostNotFound = 11001;

// The Winsock number for a POSIX errno value; unknown values give 10022
// (invalid argument) so a failure is never reported as 0.
int winsockError(int errnoValue);

// winsockError(errno).
int lastWinsockError();

}  // namespace vtx::platform
