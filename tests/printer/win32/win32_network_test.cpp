#include <winsock2.h>

#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "printer/win32/win32_net_sockets.h"
#include "printer/win32/win32_tcp_port.h"

namespace vx::win32 {
namespace {

// A loopback socket of the test's own, bound to a free port.
struct LocalSocket {
    SOCKET s = INVALID_SOCKET;
    unsigned port = 0;
    explicit LocalSocket(int type) {
        WSADATA data{};
        WSAStartup(MAKEWORD(2, 2), &data);
        s = socket(AF_INET, type, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = inet_addr("127.0.0.1");
        bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
        int size = sizeof a;
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &size);
        port = ntohs(a.sin_port);
        if (type == SOCK_STREAM) listen(s, 1);
    }
    ~LocalSocket() {
        closesocket(s);
        WSACleanup();
    }
};

long long MsSince(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 t)
        .count();
}

TEST(Win32NetSockets, TheRawPortConnectionSendsReceivesAndWaitsNoLongerThanAsked) {
    LocalSocket printer(SOCK_STREAM);
    Win32NetSockets net;
    std::unique_ptr<NetConnection> c = net.Connect("127.0.0.1", printer.port, 2000);
    ASSERT_TRUE(c);
    SOCKET accepted = accept(printer.s, nullptr, nullptr);
    const std::uint8_t request[] = {0x1C, 0x6F, 0x33, 0x2E, 0x00};
    EXPECT_EQ(c->Send(request, sizeof request, 2000), 5);
    char got[8] = {};
    EXPECT_EQ(recv(accepted, got, sizeof got, 0), 5);

    std::uint8_t reply[29] = {};
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(c->Receive(reply, sizeof reply, 300), 0);  // nothing yet: the wait ends
    EXPECT_GE(MsSince(start), 250);
    EXPECT_LT(MsSince(start), 2000);
    send(accepted, "\x01\x02\x03", 3, 0);
    EXPECT_EQ(c->Receive(reply, sizeof reply, 2000), 3);
    closesocket(accepted);
    EXPECT_EQ(c->Receive(reply, sizeof reply, 2000), 0);  // closed by the printer

    EXPECT_FALSE(net.Connect("127.0.0.1", 1, 2000));  // nothing listens there
    EXPECT_FALSE(net.Connect("no-such-host.invalid", 9100, 2000));
}

TEST(Win32NetSockets, OneUdpExchangeTakesTheAnswerOrEndsAtItsTimeOut) {
    LocalSocket agent(SOCK_DGRAM);
    std::thread answering([&] {
        char buffer[64];
        sockaddr_in from{};
        int size = sizeof from;
        const int n =
            recvfrom(agent.s, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &size);
        if (n > 0) sendto(agent.s, "answer", 6, 0, reinterpret_cast<sockaddr*>(&from), size);
    });
    Win32NetSockets net;
    std::string answer;
    EXPECT_TRUE(net.Exchange("127.0.0.1", agent.port, "get", 2000, answer));
    answering.join();
    EXPECT_EQ(answer, "answer");

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(net.Exchange("127.0.0.1", agent.port, "get", 300, answer));  // no answer now
    EXPECT_LT(MsSince(start), 2000);
}

TEST(Win32TcpPort, ThePortIsReadFromItsMonitorsRegistryKey) {
    const wchar_t key[] =
        L"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\"
        L"Standard TCP/IP Port\\Ports\\IP_test_192.0.2.7";
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                              nullptr),
              ERROR_SUCCESS);
    const wchar_t host[] = L"prn.example";
    const wchar_t address[] = L"192.0.2.7";
    const DWORD number = 9101, protocol = 1;
    RegSetValueExW(k, L"HostName", 0, REG_SZ, reinterpret_cast<const BYTE*>(host), sizeof host);
    RegSetValueExW(k, L"IPAddress", 0, REG_SZ, reinterpret_cast<const BYTE*>(address),
                   sizeof address);
    RegSetValueExW(k, L"PortNumber", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    RegSetValueExW(k, L"Protocol", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&protocol),
                   sizeof protocol);
    RegCloseKey(k);

    TcpPortConfig config;
    const bool found = ReadTcpPortConfig("IP_test_192.0.2.7", config);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, key);
    ASSERT_TRUE(found);
    EXPECT_EQ(config.hostName, "prn.example");
    EXPECT_EQ(config.ipAddress, "192.0.2.7");
    EXPECT_EQ(config.portNumber, 9101u);
    EXPECT_EQ(config.protocol, 1u);
    EXPECT_FALSE(ReadTcpPortConfig("IP_test_none", config));
    EXPECT_FALSE(ReadTcpPortConfig("", config));
}

}  // namespace
}  // namespace vx::win32
