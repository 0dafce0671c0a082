// A printer link in memory: a port that records every call and answers from a script,
// and an opener whose "LPT1:" fails a scripted number of times and records its pauses, and
// which reaches the same port as a USB device or a network printer when scripted to.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "printer/printer_link.h"
#include "printer/receive.h"

namespace vx::test {

class FakePrinterLink : public PrinterLink {
  public:
    // Script
    PortTimeouts own{7, 3, 11, 5, 13};  // the port's own values
    bool getTimeoutsFails = false;
    std::vector<bool>
        setTimeoutsResults;       // answers of successive SetTimeouts calls (default: true)
    int failSetTimeoutsCall = 0;  // 1-based number of the SetTimeouts call that fails; 0: none
    bool deviceIdFails = false;
    std::vector<std::uint8_t> deviceId;  // raw output bytes the driver fills in
    unsigned long lastError = 0;
    long writeResult = -2;  // -2: write everything
    long readResult = -2;   // -2: give `reply`
    std::vector<std::uint8_t> reply;

    // Record
    PortTimeouts portTimeouts = own;  // what the port holds now
    std::vector<std::string> calls;
    std::vector<PortTimeouts> timeoutsSet;
    std::vector<std::uint8_t> written;

    bool GetTimeouts(PortTimeouts& t) override {
        calls.push_back("GetTimeouts");
        if (getTimeoutsFails) return false;
        t = portTimeouts;
        return true;
    }
    bool SetTimeouts(const PortTimeouts& t) override {
        calls.push_back("SetTimeouts");
        timeoutsSet.push_back(t);
        const std::size_t i = timeoutsSet.size() - 1;
        const bool ok = (i < setTimeoutsResults.size() ? setTimeoutsResults[i] : true) &&
                        static_cast<int>(timeoutsSet.size()) != failSetTimeoutsCall;
        if (ok) portTimeouts = t;
        return ok;
    }
    bool GetDeviceId(std::uint8_t* out, std::size_t size) override {
        calls.push_back("GetDeviceId");
        if (deviceIdFails) return false;
        if (!deviceId.empty()) std::memcpy(out, deviceId.data(), std::min(size, deviceId.size()));
        return true;
    }
    long Write(const std::uint8_t* data, std::size_t size) override {
        calls.push_back("Write");
        written.assign(data, data + size);
        return writeResult == -2 ? static_cast<long>(size) : writeResult;
    }
    long Read(std::uint8_t* data, std::size_t size) override {
        calls.push_back("Read");
        if (readResult != -2) return readResult;
        const std::size_t n = std::min(size, reply.size());
        if (n != 0) std::memcpy(data, reply.data(), n);
        return static_cast<long>(n);
    }
    unsigned long LastError() const override { return lastError; }

    void SetDeviceIdText(const std::string& text) { deviceId.assign(text.begin(), text.end()); }
};

class FakePortOpener : public PortOpener {
  public:
    FakePortOpener() { port.SetDeviceIdText("MFG:ZAM;MDL:QX-K480;EXTSTS:00000000;"); }

    FakePrinterLink port;  // every opening hands out this port, with its own time-outs
    int failingOpens = 0;  // this many attempts fail before one succeeds
    int opens = 0;
    std::vector<unsigned> sleeps;
    std::map<std::string, TcpPortConfig> tcpPorts;  // the Standard TCP/IP ports there are
    bool linksOpen = true;                          // whether a USB device or network printer opens
    std::vector<std::string> linksOpened;           // "usb USB 1", "net host:9100", failed ones too

    std::unique_ptr<PrinterLink> OpenLpt1() override {
        ++opens;
        port.calls.push_back("Open");
        if (opens <= failingOpens) return nullptr;
        port.portTimeouts = port.own;
        return std::make_unique<Handle>(port);
    }
    void Sleep(unsigned ms) override {
        sleeps.push_back(ms);
        port.calls.push_back("Sleep");
    }
    bool FindTcpPort(const std::string& name, TcpPortConfig& config) override {
        const auto it = tcpPorts.find(name);
        if (it == tcpPorts.end()) return false;
        config = it->second;
        return true;
    }
    std::unique_ptr<PrinterLink> OpenUsbPort(const UsbPortName& usb) override {
        return OpenLink("usb " + usb.baseName + " " + std::to_string(usb.number));
    }
    std::unique_ptr<PrinterLink> OpenNetworkPrinter(const std::string& host,
                                                    unsigned rawPort) override {
        return OpenLink("net " + host + ":" + std::to_string(rawPort));
    }

  private:
    std::unique_ptr<PrinterLink> OpenLink(const std::string& what) {
        linksOpened.push_back(what);
        port.calls.push_back("Open");
        if (!linksOpen) return nullptr;
        port.portTimeouts = port.own;
        return std::make_unique<Handle>(port);
    }
    // One opening of the port: forwards to it and records the closing.
    class Handle : public PrinterLink {
      public:
        explicit Handle(FakePrinterLink& p) : p_(p) {}
        ~Handle() override { p_.calls.push_back("Close"); }
        bool GetTimeouts(PortTimeouts& t) override { return p_.GetTimeouts(t); }
        bool SetTimeouts(const PortTimeouts& t) override { return p_.SetTimeouts(t); }
        bool GetDeviceId(std::uint8_t* out, std::size_t size) override {
            return p_.GetDeviceId(out, size);
        }
        long Write(const std::uint8_t* data, std::size_t size) override {
            return p_.Write(data, size);
        }
        long Read(std::uint8_t* data, std::size_t size) override { return p_.Read(data, size); }
        unsigned long LastError() const override { return p_.LastError(); }

      private:
        FakePrinterLink& p_;
    };
};

}  // namespace vx::test
