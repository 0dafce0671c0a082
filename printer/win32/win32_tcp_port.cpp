#include "printer/win32/win32_tcp_port.h"

#include <windows.h>
#include <winspool.h>

#include "common/win32/owned.h"
#include "common/win32/utf16.h"

namespace vx::win32 {

namespace {

const wchar_t kPortsKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\";

// The monitor's structures for "GetConfigInfo" (tcpxcv.h, which mingw-w64 lacks).
struct ConfigInfoData1 {
    BYTE reserved[128];
    DWORD version;
};
struct PortData1 {
    WCHAR portName[64];
    DWORD version;
    DWORD protocol;
    DWORD size;
    DWORD reserved;
    WCHAR hostAddress[49];
    WCHAR snmpCommunity[33];
    DWORD doubleSpool;
    WCHAR queue[33];
    WCHAR ipAddress[16];
    BYTE reserved2[540];
    DWORD portNumber;
    DWORD snmpEnabled;
    DWORD snmpDevIndex;
};

// A printer or port monitor opened with OpenPrinter.
using OpenedPrinter = Owned<NullEmpty<HANDLE, &ClosePrinter>>;

bool FromMonitor(const std::string& portName, TcpPortConfig& config) {
    std::wstring name = L",XcvPort " + Widen(portName);
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    HANDLE opened = nullptr;
    if (!OpenPrinterW(name.data(), &opened, &defaults)) {
        defaults.DesiredAccess = SERVER_ACCESS_ENUMERATE;
        if (!OpenPrinterW(name.data(), &opened, &defaults)) return false;
    }
    const OpenedPrinter xcv(opened);
    ConfigInfoData1 in{};
    in.version = 1;
    PortData1 out{};
    DWORD needed = 0, status = 0;
    const BOOL ok = XcvDataW(xcv.Get(), L"GetConfigInfo", reinterpret_cast<BYTE*>(&in), sizeof in,
                             reinterpret_cast<BYTE*>(&out), sizeof out, &needed, &status);
    if (!ok || status != ERROR_SUCCESS) return false;
    out.hostAddress[48] = out.ipAddress[15] = L'\0';
    config.hostName = Narrow(out.hostAddress);
    config.ipAddress = Narrow(out.ipAddress);
    config.portNumber = out.portNumber;
    config.protocol = out.protocol;
    return true;
}

std::string RegistryText(HKEY key, const wchar_t* value) {
    wchar_t text[256] = {};
    DWORD type = 0, size = sizeof text - sizeof(wchar_t);
    if (RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return Narrow(text);
}

unsigned RegistryNumber(HKEY key, const wchar_t* value) {
    DWORD number = 0, type = 0, size = sizeof number;
    if (RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return 0;
    return number;
}

bool FromRegistry(const std::string& portName, TcpPortConfig& config) {
    HKEY opened = nullptr;
    if (portName.empty() || RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kPortsKey + Widen(portName)).c_str(),
                                          0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    const RegKey key(opened);
    config.hostName = RegistryText(key.Get(), L"HostName");
    config.ipAddress = RegistryText(key.Get(), L"IPAddress");
    config.portNumber = RegistryNumber(key.Get(), L"PortNumber");
    config.protocol = RegistryNumber(key.Get(), L"Protocol");
    return true;
}

}  // namespace

bool ReadTcpPortConfig(const std::string& portName, TcpPortConfig& config) {
    return FromMonitor(portName, config) || FromRegistry(portName, config);
}

}  // namespace vx::win32
