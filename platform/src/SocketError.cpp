#include "vtx/platform/SocketError.h"

#include <cerrno>

namespace vtx::platform {

int winsockError(int errnoValue) {
    switch (errnoValue) {
        case 0:
            return 0;
        case EINTR:
            return kWsaEintr;
        case EBADF:
            return kWsaEbadf;
        case EACCES:
        case EPERM:
            return kWsaEacces;
        case EFAULT:
            return kWsaEfault;
        case EINVAL:
            return kWsaEinval;
        case EMFILE:
        case ENFILE:
            return kWsaEmfile;
#if EWOULDBLOCK != EAGAIN
        case EWOULDBLOCK:
#endif
        case EAGAIN:
            return kWsaEwouldblock;
        case EINPROGRESS:
            return kWsaEinprogress;
        case EALREADY:
            return kWsaEalready;
        case ENOTSOCK:
            return kWsaEnotsock;
        case EMSGSIZE:
            return kWsaEmsgsize;
        case EAFNOSUPPORT:
            return kWsaEafnosupport;
        case EADDRINUSE:
            return kWsaEaddrinuse;
        case EADDRNOTAVAIL:
            return kWsaEaddrnotavail;
        case ENETDOWN:
            return kWsaEnetdown;
        case ENETUNREACH:
            return kWsaEnetunreach;
        case ENETRESET:
            return kWsaEnetreset;
        case ECONNABORTED:
            return kWsaEconnaborted;
        case ECONNRESET:
        case EPIPE:
            return kWsaEconnreset;
        case ENOBUFS:
        case ENOMEM:
            return kWsaEnobufs;
        case EISCONN:
            return kWsaEisconn;
        case ENOTCONN:
            return kWsaEnotconn;
        case ESHUTDOWN:
            return kWsaEshutdown;
        case ETIMEDOUT:
            return kWsaEtimedout;
        case ECONNREFUSED:
            return kWsaEconnrefused;
        case EHOSTDOWN:
            return kWsaEhostdown;
        case EHOSTUNREACH:
            return kWsaEhostunreach;
        default:
            return kWsaEinval;
    }
}

int lastWinsockError() {
    return winsockError(errno);
}

}  // namespace vtx::platform
