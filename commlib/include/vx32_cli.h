/*
 * VX32_CLI — the client communication library of the shop stations.
 *
 * Every request of the point-of-sale client and of the connection manager
 * goes through this library: one call reads the station's settings afresh,
 * opens one TCP connection to the host (or to the shop's connection manager),
 * sends one framed message, reads one reply and closes the connection.
 *
 * Buffers are owned by the caller and never kept after a call returns.
 * A request buffer must hold VX_BUFFER_SIZE bytes: four ASCII digits of
 * length, at most VX_MAX_MESSAGE bytes of message and a terminator.
 *
 * Thread-safety: every function may be called from several threads at once.
 * The last error (TefGetLastError) and last socket (TefGetSock) are kept per
 * thread, so each request's result depends only on its own exchange.
 */
#ifndef VX32_CLI_H
#define VX32_CLI_H

#include <stdint.h>

#if defined(VX32_CLI_BUILD)
#define VX32_API __attribute__((visibility("default")))
#else
#define VX32_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define VX_MAX_MESSAGE 3072
#define VX_BUFFER_SIZE 3077 /* 4 digits + 3072 bytes + terminator */
#define VX_LIST_SIZE 512    /* ListAdm buffer */

/* Result codes shared by the libraries, the connection manager and the client. */
#define VX_NO_SOCKET (-1)
#define VX_NO_SERVER (-163)
#define VX_SERVER_REFUSING (-164)
#define VX_BAD_LENGTH (-202)

/* Per-request connection settings, filled from the route source. */
typedef struct VxConnectionProfile {
    char operatorCode[9]; /* 8 characters + terminator */
    char address1[41];    /* primary host, dotted address or name */
    char address2[41];    /* secondary host, may be empty */
    int32_t portAdm;      /* service "ADM" */
    int32_t portChk;      /* service "CHK" and unknown services */
    int32_t portAtt;      /* service "ATT" */
    int32_t attempts;     /* connection attempts per address */
    int32_t timeoutMs;    /* request time-out in milliseconds */
    int32_t cipherMode;   /* 0 plain, 1 shift cipher, 2 DES frame */
    char serial[8];       /* terminal serial, at most 7 characters, zero-filled */
    int32_t selectedPort; /* port chosen for the request's service */
    int32_t sizeType;     /* 1: the length prefix travels as 2 binary bytes */
    char shiftKey[5];     /* last three digits of the selected port (cipher mode 1) */
} VxConnectionProfile;

/*
 * One complete exchange. `buffer` holds "%04d" + message on entry and the
 * framed reply (plus a terminator) on return. `operatorText` is the name or
 * code of the card administrator, `service` "ADM", "ATT" or "CHK".
 * Returns the length of the framed reply (> 0), 0 when a logon was handed to
 * the connection manager (buffer "0002OK"), VX_NO_SOCKET, VX_NO_SERVER,
 * VX_SERVER_REFUSING, VX_BAD_LENGTH (buffer unchanged) or a gateway's
 * negative code. Process is the client's entry point; Process_Server the
 * connection manager's (routes always from the VXIFCLI.BIN records).
 */
VX32_API int Process(char* buffer, const char* operatorText, const char* service);
VX32_API int Process_Server(char* buffer, const char* operatorText, const char* service);

/*
 * Exchange over a socket the caller owns. `buffer` holds a zero-terminated
 * framed message and receives the framed reply. When `connected` is negative
 * the socket is first connected to host:port. The socket stays open.
 */
VX32_API int EnviaDireto(char* buffer, const char* host, int port, int cipherMode, int sock,
                         int connected, VxConnectionProfile* profile);

/*
 * Local price look-up. `productCode` 13 characters, `priceType` 1 character
 * (" " matches any); outputs without terminators: description 20 bytes, first
 * and second price 7 bytes each. Returns 0 when found, -1 when not.
 */
VX32_API int GetPreco(const char* productCode, const char* priceType, char* description,
                      char* price1, char* price2, int reserved);

/* Codes of the operators the station routes (VX_LIST_SIZE bytes). Returns 0. */
VX32_API int ListAdm(char* list);

/* Socket primitives; sockets are integers, errors Winsock numbers. */
VX32_API int TefSocket(VxConnectionProfile* profile);
VX32_API int TefConnect(int sock, const char* host, int port, int timeoutMs);
VX32_API int TefSend(int sock, const char* payload, int length, const char* serial,
                     int waitSeconds);
VX32_API int TefReceive(int sock, char* destination, int reserved, int waitSeconds, int serverFlag);
VX32_API int TefClose(int sock);
VX32_API int TefGetSock(char* text);
VX32_API int TefGetLastError(void);
VX32_API int WaitToSend(int sock, int seconds);
VX32_API int WaitToReceive(int sock, int seconds);
VX32_API void DoEventsEx(void);

#ifdef __cplusplus
}
#endif

#endif /* VX32_CLI_H */
