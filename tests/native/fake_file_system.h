// An in-memory file system for the settings-file tests: files are byte vectors,
// and each failure the platform can produce can be scripted.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "settings/file_system.h"

namespace vx::test {

class FakeFileSystem : public FileSystem {
  public:
    std::map<std::string, std::vector<std::uint8_t>> files;
    OpenError openForUpdateError = OpenError::None;  // scripted failure of OpenForUpdate
    bool failReads = false;
    long writeLimit = -1;     // total bytes a write may transfer before it comes up short
    bool failWrites = false;  // writes fail outright
    int openCount = 0;

    std::unique_ptr<File> OpenForReading(const std::string& path) override {
        ++openCount;
        if (files.count(path) == 0) return nullptr;
        return std::make_unique<MemFile>(*this, files[path]);
    }

    std::unique_ptr<File> OpenForUpdate(const std::string& path, OpenError& error) override {
        ++openCount;
        error = openForUpdateError;
        if (error != OpenError::None) return nullptr;
        return std::make_unique<MemFile>(*this, files[path]);  // created when missing
    }

  private:
    class MemFile : public File {
      public:
        MemFile(FakeFileSystem& fs, std::vector<std::uint8_t>& data) : fs_(fs), data_(data) {}

        long Read(std::uint8_t* out, std::size_t size) override {
            if (fs_.failReads) return -1;
            const std::size_t n = std::min(size, data_.size() - std::min(pos_, data_.size()));
            std::copy_n(data_.begin() + static_cast<long>(pos_), n, out);
            pos_ += n;
            return static_cast<long>(n);
        }

        long Write(const std::uint8_t* in, std::size_t size) override {
            if (fs_.failWrites) return -1;
            std::size_t n = size;
            if (fs_.writeLimit >= 0) {
                n = std::min<std::size_t>(n, static_cast<std::size_t>(fs_.writeLimit));
                fs_.writeLimit -= static_cast<long>(n);
            }
            if (data_.size() < pos_ + n) data_.resize(pos_ + n);
            std::copy_n(in, n, data_.begin() + static_cast<long>(pos_));
            pos_ += n;
            return static_cast<long>(n);
        }

      private:
        FakeFileSystem& fs_;
        std::vector<std::uint8_t>& data_;
        std::size_t pos_ = 0;
    };
};

}  // namespace vx::test
