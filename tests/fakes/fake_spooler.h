// A spooler that lists scripted printers, records every call and keeps the
// jobs written to it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "printer/spooler.h"

namespace vx::test {

class FakeSpooler : public Spooler {
  public:
    struct Job {
        std::string printer;
        std::string document;
        std::vector<std::uint8_t> bytes;
    };

    // Script
    std::vector<PrinterInfo4> printers4;  // the level-4 list
    std::vector<PrinterInfo2> printers2;  // every printer's level-2 entry
    bool level4NoMemory = false;
    bool level2NoMemory = false;
    std::set<std::string> openFails;
    std::map<std::string, std::uint32_t> statuses;  // level-2 Status by printer name
    bool statusFails = false;
    bool startDocFails = false;
    bool writeFails = false;
    bool writeShort = false;  // reports success with one byte less written
    bool endDocFails = false;

    // Record
    std::vector<std::string> calls;
    int enum4Calls = 0;
    int enum2Calls = 0;
    int openCalls = 0;
    std::vector<std::uint32_t> openAccess;
    int openHandles = 0;  // opened and not yet closed
    std::vector<Job> jobs;

    EnumResult ListPrinters4(std::uint32_t flags, std::vector<PrinterInfo4>& out) override {
        ++enum4Calls;
        calls.push_back("Enum4:" + std::to_string(flags));
        out.clear();
        if (level4NoMemory) return EnumResult::NoMemory;
        out = printers4;
        return EnumResult::Listed;
    }

    EnumResult ListPrinters2(std::uint32_t flags, const std::string& name,
                             std::vector<PrinterInfo2>& out) override {
        ++enum2Calls;
        calls.push_back("Enum2:" + std::to_string(flags) + ":" + name);
        out.clear();
        if (level2NoMemory) return EnumResult::NoMemory;
        for (const PrinterInfo2& p : printers2)
            if (flags != kPrinterEnumName || p.serverName == name) out.push_back(p);
        return EnumResult::Listed;
    }

    bool Open(const std::string& name, std::uint32_t access, PrinterHandle& handle) override {
        ++openCalls;
        openAccess.push_back(access);
        calls.push_back("Open:" + name);
        if (openFails.count(name)) return false;
        handles_.push_back(name);
        handle = handles_.size();
        ++openHandles;
        return true;
    }

    bool ReadStatus(PrinterHandle handle, std::uint32_t& status) override {
        calls.push_back("Status");
        if (statusFails) return false;
        auto it = statuses.find(NameOf(handle));
        status = it == statuses.end() ? 0 : it->second;
        return true;
    }

    bool StartDocument(PrinterHandle handle, const std::string& documentName) override {
        calls.push_back("StartDoc:" + documentName);
        if (startDocFails) return false;
        jobs.push_back({NameOf(handle), documentName, {}});
        return true;
    }

    bool Reset(PrinterHandle) override {
        calls.push_back("Reset");
        return false;  // as Wine's stub answers
    }

    bool Write(PrinterHandle, const std::uint8_t* data, std::size_t size,
               std::size_t& written) override {
        calls.push_back("Write");
        if (writeFails) return false;
        jobs.back().bytes.insert(jobs.back().bytes.end(), data, data + size);
        written = writeShort ? size - 1 : size;
        return true;
    }

    bool EndDocument(PrinterHandle) override {
        calls.push_back("EndDoc");
        return !endDocFails;
    }

    bool Close(PrinterHandle) override {
        calls.push_back("Close");
        --openHandles;
        return true;
    }

    // A printer known at both levels.
    void AddPrinter(const std::string& name, const std::string& driver, const std::string& port,
                    const std::string& server = "", std::uint32_t attributes = 0) {
        printers4.push_back({name, server, attributes});
        PrinterInfo2 p;
        p.serverName = server;
        p.printerName = name;
        p.portName = port;
        p.driverName = driver;
        p.attributes = attributes;
        printers2.push_back(p);
    }

  private:
    std::string NameOf(PrinterHandle handle) const {
        return handle >= 1 && handle <= handles_.size() ? handles_[handle - 1] : std::string();
    }
    std::vector<std::string> handles_;
};

}  // namespace vx::test
