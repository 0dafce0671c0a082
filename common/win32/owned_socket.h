// Owners of Winsock's resources, apart from owned.h so that only the files that use
// sockets include Winsock.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include "common/win32/owned.h"

namespace vx::win32 {

// A socket, closed with closesocket; INVALID_SOCKET holds nothing.
struct SocketTraits {
    using Handle = SOCKET;
    static Handle Empty() { return INVALID_SOCKET; }
    static bool Holds(Handle s) { return s != INVALID_SOCKET; }
    static void Close(Handle s) { closesocket(s); }
};
using Socket = Owned<SocketTraits>;

// The addresses that getaddrinfo found.
using AddressList = Owned<NullEmpty<addrinfo*, &freeaddrinfo>>;

}  // namespace vx::win32
